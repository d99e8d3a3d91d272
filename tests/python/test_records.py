"""The record modules: text conversions, checked records and their dicts, the generator, and
the generated classes against the C layout and the extension's tables."""
import ctypes
import decimal
import fractions
import importlib.util
import shutil
import subprocess
import sys
import types
from pathlib import Path

import pytest

from conftest import EVENTS, REQUESTS
from Quorvan.utils.base_field import BaseField, to_bytes, to_str

ROOT = Path(__file__).resolve().parents[2]
HEADERS = ROOT / "extern" / "CTPV669Api"
GENERATOR = ROOT / "tools" / "gen_records.py"

_spec = importlib.util.spec_from_file_location("gen_records", GENERATOR)
gen_records = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(gen_records)


def load_module(name, source):
    module = types.ModuleType(name)
    exec(compile(source, f"{name}.py", "exec"), module.__dict__)
    return module


# Generated here from the repository's headers, so the suite checks the generator and the
# headers as they are, whatever build staged the package.
_sources = gen_records.render(HEADERS)
ApiStruct = load_module("ApiStruct", _sources["ApiStruct.py"])
ApiConst = load_module("ApiConst", _sources["ApiConst.py"])
RECORDS = [getattr(ApiStruct, name) for name in ApiStruct.__all__]
over_records = pytest.mark.parametrize("record_class", RECORDS, ids=lambda cls: cls.__name__)

SECRET_TEXT = b"hunter2"
KNOWN_SECRETS = {"captcha", "token", "currentkey"}


def is_secret(field):
    lowered = field.lower()
    return "password" in lowered or "authcode" in lowered or lowered in KNOWN_SECRETS


def sample_values(record_class):
    """A valid value for every field, distinct per field and at the edge of its type: text
    fills its whole room (GB18030 included), ints sit at their limits."""
    values = {}
    for index, (name, ctype) in enumerate(record_class._fields_):
        if issubclass(ctype, ctypes.Array):
            room = ctype._length_ - 1
            if room == 0:
                values[name] = b"%d" % (index % 10)
            elif is_secret(name):
                values[name] = SECRET_TEXT[:room]
            else:
                values[name] = (("价%d|" % index).encode("gb18030") * room)[:room]
        elif ctype is ctypes.c_double:
            values[name] = index + 0.25
        else:
            bits = 8 * ctypes.sizeof(ctype)
            values[name] = (1 << (bits - 1)) - 1 if index % 2 else -(1 << (bits - 1))
    return values


class TestConversions:
    @pytest.mark.parametrize("value, expected", [
        ("IF2409", b"IF2409"),
        ("螺纹钢", "螺纹钢".encode("gb18030")),
        (b"\xc2\xdd", b"\xc2\xdd"),
        (bytearray(b"rb"), b"rb"),
        (17, b"17"),
        (-3, b"-3"),
    ])
    def test_to_bytes(self, value, expected):
        result = to_bytes(value)
        assert result == expected and type(result) is bytes

    @pytest.mark.parametrize("value, expected", [
        ("IF2409", "IF2409"),
        ("螺纹钢".encode("gb18030"), "螺纹钢"),
        (bytearray("合约".encode("gb18030")), "合约"),
    ])
    def test_to_str(self, value, expected):
        assert to_str(value) == expected

    @pytest.mark.parametrize("convert", [to_bytes, to_str])
    @pytest.mark.parametrize("value", [None, 1.5, memoryview(b"x"), ["a"]])
    def test_other_types_are_refused(self, convert, value):
        with pytest.raises(TypeError, match=type(value).__name__):
            convert(value)


BAD_INPUT = [
    # field of InputOrderField, value, the error it must raise
    ("BrokerID", b"x" * 11, ValueError),
    ("InstrumentID", "价" * 41, ValueError),
    ("BrokerID", b"99\x0099", ValueError),
    ("BrokerID", "\ud800", ValueError),
    ("BrokerID", 9999, TypeError),
    ("Direction", 0, TypeError),
    ("Direction", b"01", ValueError),
    ("Direction", "买", ValueError),
    ("VolumeTotalOriginal", 1.0, TypeError),
    ("VolumeTotalOriginal", "1", TypeError),
    ("VolumeTotalOriginal", 2 ** 31, OverflowError),
    ("VolumeTotalOriginal", -2 ** 31 - 1, OverflowError),
    ("LimitPrice", "3500", TypeError),
    ("LimitPrice", b"3500", TypeError),
    ("LimitPrice", None, TypeError),
    ("LimitPrice", 10 ** 400, OverflowError),
]

GOOD_INPUT = [
    # field of InputOrderField, value, what to_dict gives back
    ("BrokerID", b"x" * 10, b"x" * 10),
    ("InstrumentID", "价" * 40, "价".encode("gb18030") * 40),
    ("ExchangeID", bytearray(b"SHFE"), b"SHFE"),
    ("Direction", ApiConst.Direction_Sell, b"1"),
    ("Direction", "0", b"0"),
    ("Direction", b"", b""),
    ("VolumeTotalOriginal", True, 1),
    ("VolumeTotalOriginal", -2 ** 31, -2 ** 31),
    ("LimitPrice", 3500, 3500.0),
    ("LimitPrice", decimal.Decimal("3500.5"), 3500.5),
    ("LimitPrice", fractions.Fraction(7, 2), 3.5),
]


VALID_ORDER = dict(BrokerID=b"9999", InstrumentID=b"rb2410", Direction=b"0",
                   VolumeTotalOriginal=3, LimitPrice=3500.0)


def construct(field, value):
    return ApiStruct.InputOrderField(**{field: value})


def assign(field, value):
    record = ApiStruct.InputOrderField(**VALID_ORDER)
    before = record.to_dict()
    try:
        setattr(record, field, value)
    finally:
        assert record.to_dict() == before, "a refused value must leave the record as it was"
    return record


class TestRecordInput:
    @pytest.mark.parametrize("build", [construct, assign])
    @pytest.mark.parametrize("field, value, error", BAD_INPUT)
    def test_bad_input_is_a_clear_error(self, build, field, value, error):
        with pytest.raises(error, match=f"InputOrderField.{field}"):
            build(field, value)

    @pytest.mark.parametrize("field, value, stored", GOOD_INPUT)
    def test_accepted_input(self, field, value, stored):
        assert construct(field, value).to_dict()[field] == stored

    def test_text_that_does_not_fit_names_its_room(self):
        with pytest.raises(ValueError, match="InputOrderField.BrokerID holds at most 10 bytes"):
            construct("BrokerID", b"x" * 11)

    def test_unknown_fields_and_positional_arguments(self):
        with pytest.raises(TypeError, match="InputOrderField.*'LimitPirce'"):
            ApiStruct.InputOrderField(LimitPirce=1.0)
        with pytest.raises(TypeError, match="keyword"):
            ApiStruct.InputOrderField(b"9999")
        with pytest.raises(AttributeError, match="InputOrderField.*'LimitPirce'"):
            ApiStruct.InputOrderField().LimitPirce = 1.0

    def test_a_refused_secret_is_not_echoed(self):
        with pytest.raises(ValueError) as refused:
            ApiStruct.ReqUserLoginField(Password=SECRET_TEXT * 10)
        assert SECRET_TEXT.decode() not in str(refused.value)

    def test_a_shorter_value_leaves_nothing_of_the_longer_one(self):
        record = ApiStruct.ReqUserLoginField(Password=b"longer-" + SECRET_TEXT)
        record.Password = b"x"
        assert SECRET_TEXT not in bytes(record)


class TestRecordDicts:
    @over_records
    def test_round_trip(self, record_class):
        values = sample_values(record_class)
        record = record_class(**values)
        assert record.to_dict() == values
        assert bytes(record_class(**record.to_dict())) == bytes(record)
        assert record.to_str_dict() == {
            name: value.decode("gb18030", "replace") if isinstance(value, bytes) else value
            for name, value in values.items()}

    @over_records
    def test_dict_of_a_view_outlives_the_memory(self, record_class):
        memory = ctypes.create_string_buffer(bytes(record_class(**sample_values(record_class))))
        view = record_class.from_address(ctypes.addressof(memory))
        data = view.to_dict()
        ctypes.memset(memory, 0xff, ctypes.sizeof(memory))
        assert data == sample_values(record_class)

    @over_records
    def test_an_unset_record(self, record_class):
        expected = {name: b"" if issubclass(ctype, ctypes.Array) else 0
                    for name, ctype in record_class._fields_}
        assert record_class().to_dict() == expected

    def test_a_message_cut_inside_a_character_still_decodes(self):
        cut = "报单被拒绝".encode("gb18030")[:-1]
        info = ApiStruct.RspInfoField(ErrorID=31, ErrorMsg=cut)
        assert info.to_dict()["ErrorMsg"] == cut
        assert info.to_str_dict() == {"ErrorID": 31, "ErrorMsg": "报单被拒\ufffd"}

    def test_text_stops_at_the_first_nul(self):
        memory = ctypes.create_string_buffer(ctypes.sizeof(ApiStruct.RspInfoField))
        info = ApiStruct.RspInfoField.from_address(ctypes.addressof(memory))
        ctypes.memmove(ctypes.addressof(memory) + ApiStruct.RspInfoField.ErrorMsg.offset,
                       b"ok\0stale", 8)
        assert info.to_dict()["ErrorMsg"] == b"ok"


SECRET_RECORDS = [cls for cls in RECORDS if any(is_secret(name) for name, _ in cls._fields_)]


class TestRepr:
    def test_the_login_records_are_among_those_with_secrets(self):
        assert {"ReqUserLoginField", "ReqAuthenticateField", "UserPasswordUpdateField"} <= {
            cls.__name__ for cls in SECRET_RECORDS}

    @pytest.mark.parametrize("record_class", SECRET_RECORDS, ids=lambda cls: cls.__name__)
    def test_secrets_are_masked(self, record_class):
        values = sample_values(record_class)
        shown = repr(record_class(**values))
        unset = repr(record_class())
        assert shown.startswith(f"{record_class.__name__}(")
        assert SECRET_TEXT.decode() not in shown
        for name, _ in record_class._fields_:
            assert f"{name}=" in shown
            if is_secret(name):
                assert f"{name}=b'***'" in shown and f"{name}=b''" in unset

    def test_other_fields_are_shown(self):
        shown = repr(ApiStruct.ReqUserLoginField(BrokerID=b"9999", Password=SECRET_TEXT))
        assert shown.startswith("ReqUserLoginField(TradingDay=b'', BrokerID=b'9999', ")


class TestHandWrittenRecords:
    def test_a_subclass_with_more_fields_gets_its_own_dict(self):
        class Base(BaseField):
            _fields_ = [("A", ctypes.c_int)]

        class Extended(Base):
            _fields_ = [("B", ctypes.c_char * 4)]

        assert Base(A=1).to_dict() == {"A": 1}
        assert Extended(A=1, B=b"xyz").to_dict() == {"A": 1, "B": b"xyz"}

    def test_a_plain_char_field_is_refused_with_a_hint(self):
        class Flagged(BaseField):
            _fields_ = [("Flag", ctypes.c_char)]

        with pytest.raises(TypeError, match=r"Flagged.Flag.*c_char \* 1"):
            Flagged(Flag=b"1")


SAMPLE_DATATYPES = """\
/////////////////////////////////////////////////////////////////////////
///@file ThostFtdcUserApiDataType.h  定义了客户端接口使用的业务数据类型
/////////////////////////////////////////////////////////////////////////
#ifndef THOST_FTDCDATATYPE_H
#define THOST_FTDCDATATYPE_H
#pragma once
enum THOST_TE_RESUME_TYPE
{
\tTHOST_TERT_RESTART = 0,
\tTHOST_TERT_RESUME,
\tTHOST_TERT_QUICK,
\tTHOST_TERT_NONE
};
///TFtdcBrokerIDType是一个经纪公司代码类型
CUT
typedef char TThostFtdcBrokerIDType[11];
///买
#define THOST_FTDC_D_Buy '0'
///卖
#define THOST_FTDC_D_Sell '1'
typedef char TThostFtdcDirectionType;
#define THOST_FTDC_VTC_BankBankToFuture '102001'
#define THOST_FTDC_MAX_LEN 64
typedef char TThostFtdcVirementTradeCodeType[7];
///平今
#define THOST_FTDC_OF_CloseToday '3'
typedef char TThostFtdcOffsetFlagType;
typedef int TThostFtdcVolumeType;
typedef short TThostFtdcSequenceSeriesType;
typedef double TThostFtdcPriceType;
#endif
"""

SAMPLE_STRUCTS = """\
#if !defined(THOST_FTDCSTRUCT_H)
#include "ThostFtdcUserApiDataType.h"
///输入报单
struct CThostFtdcInputOrderField
{
MEMBERS
};
struct CThostFtdcNotARecord
{
\tint x;
};
#endif
"""

SAMPLE_MEMBERS = """\
\t///经纪公司代码
\tTThostFtdcBrokerIDType\tBrokerID;
\tTThostFtdcDirectionType\tDirection; // 买卖方向
\t/* 价格 */ TThostFtdcPriceType\tLimitPrice;
\tTThostFtdcSequenceSeriesType\tSeries;
\tTThostFtdcVolumeType\tVolume;"""


CUT_COMMENT = b"///" + "代码".encode("gb18030")[:-1]


def write_sample_headers(directory, newline, members=SAMPLE_MEMBERS):
    """Headers in the vendor's form: GB18030, codes before their typedef, and things the
    generator must pass over, among them a comment cut inside a character."""
    def write(name, text):
        data = text.replace("\n", newline).encode("gb18030")
        (directory / name).write_bytes(data.replace(b"CUT", CUT_COMMENT))

    write("ThostFtdcUserApiDataType.h", SAMPLE_DATATYPES)
    write("ThostFtdcUserApiStruct.h", SAMPLE_STRUCTS.replace("MEMBERS", members))


def run_generator(header_dir, out_dir):
    return subprocess.run([sys.executable, str(GENERATOR), str(header_dir), str(out_dir)],
                          capture_output=True, text=True)


class TestGenerator:
    @pytest.mark.parametrize("newline", ["\n", "\r\n"], ids=["LF", "CRLF"])
    def test_sample_headers(self, tmp_path, newline):
        write_sample_headers(tmp_path, newline)
        out = tmp_path / "out"
        assert run_generator(tmp_path, out).returncode == 0
        consts = load_module("ApiConst", (out / "ApiConst.py").read_text("utf-8"))
        assert {name: getattr(consts, name) for name in consts.__all__} == {
            "THOST_TERT_RESTART": 0, "THOST_TERT_RESUME": 1, "THOST_TERT_QUICK": 2,
            "THOST_TERT_NONE": 3, "Direction_Buy": b"0", "Direction_Sell": b"1",
            "OffsetFlag_CloseToday": b"3", "VirementTradeCode_BankBankToFuture": b"102001"}
        structs = load_module("ApiStruct", (out / "ApiStruct.py").read_text("utf-8"))
        assert structs.__all__ == ["InputOrderField"]
        order = structs.InputOrderField
        assert [(name, ctype) for name, ctype in order._fields_] == [
            ("BrokerID", ctypes.c_char * 11), ("Direction", ctypes.c_char * 1),
            ("LimitPrice", ctypes.c_double), ("Series", ctypes.c_short),
            ("Volume", ctypes.c_int)]
        assert "经纪公司代码" in (out / "ApiStruct.py").read_text("utf-8")

    def test_output_is_deterministic_and_says_where_it_came_from(self, tmp_path):
        write_sample_headers(tmp_path, "\r\n")
        first, second = tmp_path / "first", tmp_path / "second"
        assert run_generator(tmp_path, first).returncode == 0
        assert run_generator(tmp_path, second).returncode == 0
        for name in ("ApiStruct.py", "ApiConst.py"):
            text = (first / name).read_text("utf-8")
            assert text == (second / name).read_text("utf-8")
            assert text.startswith("# Generated by tools/gen_records.py from ")
            assert str(tmp_path / "ThostFtdcUserApiDataType.h") in text.splitlines()[0]

    @pytest.mark.parametrize("member", ["\tTThostFtdcUnknownType\tMystery;",
                                        "\tunsigned int Mystery;",
                                        "\tTThostFtdcVolumeType Mystery[3];"])
    def test_a_member_it_cannot_lay_out_fails_the_build(self, tmp_path, member):
        write_sample_headers(tmp_path, "\n", members=member)
        result = run_generator(tmp_path, tmp_path / "out")
        assert result.returncode == 1
        assert "CThostFtdcInputOrderField" in result.stderr and "Mystery" in result.stderr
        assert not (tmp_path / "out").exists()

    @pytest.mark.parametrize("header, old, new, complaint", [
        ("ThostFtdcUserApiDataType.h", "#define THOST_FTDC_D_Sell '1'",
         "#define THOST_FTDC_D_Sell '1", "THOST_FTDC_D_Sell"),
        ("ThostFtdcUserApiDataType.h", "#endif", "#define THOST_FTDC_X_Late 'x'\n#endif",
         "THOST_FTDC_X_Late"),
        ("ThostFtdcUserApiDataType.h", "typedef char TThostFtdcDirectionType;",
         "typedef int TThostFtdcDirectionType;", "TThostFtdcDirectionType"),
        ("ThostFtdcUserApiStruct.h", "struct CThostFtdcInputOrderField\n",
         "struct CThostFtdcInputOrderField : public CThostFtdcNotARecord\n",
         "CThostFtdcInputOrderField"),
    ], ids=["unreadable code", "code without typedef", "code of an int", "derived record"])
    def test_what_it_cannot_read_fails_the_build(self, tmp_path, header, old, new, complaint):
        write_sample_headers(tmp_path, "\r\n")
        path = tmp_path / header
        old, new = (text.replace("\n", "\r\n").encode() for text in (old, new))
        assert old in path.read_bytes()
        path.write_bytes(path.read_bytes().replace(old, new))
        result = run_generator(tmp_path, tmp_path / "out")
        assert result.returncode == 1 and complaint in result.stderr
        assert not (tmp_path / "out").exists()

    def test_codes_are_named_after_the_prefix_their_typedef_shares(self):
        _, groups = gen_records.parse_datatypes(
            "#define THOST_FTDC_APP_TYPE_Investor '1'\n"
            "#define THOST_FTDC_APP_TYPE_OperatorRelay '3'\n"
            "typedef char TThostFtdcAppTypeType;\n"
            "#define THOST_FTDC_PS_tradeable '1'\n"
            "#define THOST_FTDC_PS_untradeable '2'\n"
            "typedef char TThostFtdcProductStatusType;\n"
            "#define THOST_FTDC_OTC_MT_DV01 '1'\n"
            "typedef char TThostFtdcMatchTypeType;\n", "sample.h")
        assert [name for _, codes in groups for name, _, _ in codes] == [
            "AppType_Investor", "AppType_OperatorRelay", "ProductStatus_tradeable",
            "ProductStatus_untradeable", "MatchType_MT_DV01"]

    def test_a_utf8_copy_of_the_headers_gives_the_same_modules(self, tmp_path):
        gb18030, utf8 = tmp_path / "gb18030", tmp_path / "utf8"
        for directory in (gb18030, utf8):
            directory.mkdir()
        write_sample_headers(gb18030, "\r\n")
        for header in gb18030.iterdir():
            text = header.read_bytes().decode("gb18030", errors="replace")
            (utf8 / header.name).write_bytes(text.encode("utf-8"))
        first, second = gen_records.render(gb18030), gen_records.render(utf8)
        for name in first:
            assert first[name].split("\n", 1)[1] == second[name].split("\n", 1)[1]
        assert "经纪公司代码" in second["ApiStruct.py"]


class TestGeneratedModules:
    """The generated modules against the vendor interface they stand for."""

    RECORDS_THE_SYSTEM_NAMES = sorted(
        {row[2] for row in EVENTS if row[2]} | {row[1] for row in REQUESTS}
        | {"RspInfo", "UserSystemInfo", "FensUserInfo"})

    @pytest.mark.parametrize("record", RECORDS_THE_SYSTEM_NAMES)
    def test_every_record_of_the_tables_has_a_class(self, record):
        assert issubclass(getattr(ApiStruct, record + "Field"), BaseField)

    @pytest.mark.parametrize("name, code", [
        ("Direction_Buy", b"0"), ("Direction_Sell", b"1"), ("OffsetFlag_Open", b"0"),
        ("OffsetFlag_Close", b"1"), ("OffsetFlag_ForceClose", b"2"),
        ("OffsetFlag_CloseToday", b"3"), ("OffsetFlag_CloseYesterday", b"4"),
        ("OffsetFlag_ForceOff", b"5"), ("OffsetFlag_LocalForceClose", b"6"),
        ("OrderPriceType_AnyPrice", b"1"), ("OrderPriceType_LimitPrice", b"2"),
        ("HedgeFlag_Speculation", b"1"), ("TimeCondition_IOC", b"1"), ("TimeCondition_GFD", b"3"),
        ("VolumeCondition_AV", b"1"), ("VolumeCondition_MV", b"2"), ("VolumeCondition_CV", b"3"),
        ("ContingentCondition_Immediately", b"1"), ("ForceCloseReason_NotForceClose", b"0"),
        ("ActionFlag_Delete", b"0"), ("BizType_Future", b"1"), ("AppType_Investor", b"1"),
        ("ProductStatus_tradeable", b"1"), ("VirementTradeCode_BankBankToFuture", b"102001"),
        ("CZCEUploadFileName_O", b"O"), ("THOST_TERT_RESTART", 0),
        ("THOST_TERT_RESUME", 1), ("THOST_TERT_QUICK", 2), ("THOST_TERT_NONE", 3),
    ])
    def test_the_vendor_codes(self, name, code):
        assert getattr(ApiConst, name) == code

    def test_the_whole_interface_is_there(self):
        assert len(ApiStruct.__all__) == 405
        assert len(ApiConst.__all__) == 1280 + 4

    @pytest.mark.skipif(shutil.which("g++") is None, reason="needs g++")
    def test_layout_equals_the_c_structs(self, tmp_path):
        """The staged modules against the compiler's view of the headers they came from,
        whichever headers the build used."""
        from Quorvan.CTP import ApiStruct as staged
        source = Path(staged.__file__).read_text("utf-8").split("\n", 1)[0]
        header_dir = Path(source.split(" from ", 1)[1].split(" and ")[0]).parent
        records = [getattr(staged, name) for name in staged.__all__]
        lines = ["#include <cstddef>", "#include <cstdio>", '#include "ThostFtdcUserApiStruct.h"',
                 "int main() {"]
        expected = []
        for cls in records:
            struct = "CThostFtdc" + cls.__name__
            lines.append(f'std::printf("{cls.__name__} %zu %zu\\n", sizeof({struct}), '
                         f"alignof({struct}));")
            expected.append(f"{cls.__name__} {ctypes.sizeof(cls)} {ctypes.alignment(cls)}")
            for name, _ in cls._fields_:
                lines.append(f'std::printf("{cls.__name__}.{name} %zu %zu\\n", '
                             f"offsetof({struct}, {name}), sizeof({struct}::{name}));")
                field = getattr(cls, name)
                expected.append(f"{cls.__name__}.{name} {field.offset} {field.size}")
        lines.append("}")
        (tmp_path / "layout.cpp").write_text("\n".join(lines))
        subprocess.run(["g++", "-std=c++11", "-I", str(header_dir), "-o", str(tmp_path / "layout"),
                        str(tmp_path / "layout.cpp")], check=True)
        actual = subprocess.run([str(tmp_path / "layout")], check=True, capture_output=True,
                                text=True).stdout.splitlines()
        assert actual == expected
        header = (header_dir / "ThostFtdcUserApiStruct.h").read_bytes().decode("latin-1")
        assert len(records) == header.count("struct CThostFtdc")
