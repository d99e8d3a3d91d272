"""The 95 request wrappers: the vendor receives the record's own memory and the request id;
what a wrapper refuses, it refuses before the vendor is called."""
import ctypes
import decimal
import re

import pytest

import Quorvan.sim as sim
from Quorvan.CTP import ApiStruct, TraderApiBase as module
from conftest import REQUESTS, VENDOR, Quiet, filled, record_class_of
from test_trader_object import KINDS

REQUEST_NAMES = [row[0] for row in REQUESTS]
ENTRY = "Quorvan.CTP.TraderApiBase.TraderApiBase."


def record_class(request):
    return record_class_of(VENDOR[request][0][0])


def parameter(request):
    return VENDOR[request][0][1]


@pytest.fixture
def trader(make_trader, unlimited_front):
    """Fires every request, queries included, several times in a row."""
    return make_trader(Quiet, td_server=unlimited_front)


RECORD_CLASSES = [value for value in vars(ApiStruct).values()
                  if isinstance(value, type) and issubclass(value, ctypes.Structure)
                  and value.__module__ == ApiStruct.__name__]


def larger_record_of_another_class(expected):
    """A record the vendor would read without running past its end, laid out otherwise."""
    return max((cls for cls in RECORD_CLASSES if not issubclass(cls, expected)),
               key=ctypes.sizeof)()


def raises_exactly(error, message, call):
    with pytest.raises(error) as caught:
        call()
    assert type(caught.value) is error
    assert re.fullmatch(message, str(caught.value)), str(caught.value)
    return caught


def test_the_family_is_the_vendors():
    assert REQUEST_NAMES == [name for name in VENDOR if name.startswith("Req")]


@pytest.mark.parametrize("request_name", REQUEST_NAMES)
def test_the_record_and_the_request_id_reach_the_vendor(trader, request_name):
    method = getattr(trader, request_name)
    record = filled(record_class(request_name), 1)
    sent = bytes(record)
    assert method(record) == 0
    assert method(record, -7) == 0
    assert method(**{parameter(request_name): record, "nRequestID": 2 ** 31 - 1}) == 0
    assert method(record, nRequestID=-2 ** 31) == 0
    assert sim.calls(trader)[-4:] == [(request_name, sent, request_id)
                                      for request_id in (0, -7, 2 ** 31 - 1, -2 ** 31)]


@pytest.mark.parametrize("request_name", REQUEST_NAMES)
def test_refused_calls_send_nothing(trader, request_name):
    method = getattr(trader, request_name)
    record = record_class(request_name)()
    name, first = re.escape(request_name), parameter(request_name)
    expected = rf".*\b{record_class(request_name).__name__}\b.*"
    refusals = [
        (lambda: method(), TypeError,
         rf"{name}\(\) takes at least 1 positional argument \(0 given\)"),
        (lambda: method(nRequestID=1), TypeError,
         rf"{name}\(\) takes at least 1 positional argument \(0 given\)"),
        (lambda: method(record, 1, 2), TypeError,
         rf"{name}\(\) takes at most 2 positional arguments \(3 given\)"),
        (lambda: method(record, colour=1), TypeError,
         rf"{name}\(\) got an unexpected keyword argument 'colour'"),
        (lambda: method(record, **{first: record}), TypeError,
         rf"{name}\(\) got multiple values for keyword argument '{first}'"),
        (lambda: method(record, "1"), TypeError, "an integer is required"),
        (lambda: method(record, 2 ** 31), OverflowError, "value too large to convert to int"),
        (lambda: method(None), TypeError, "invalid type"),
        (lambda: method({}), TypeError, "invalid type"),
        # The vendor would read past the end of a smaller record, and misread another
        # class's layout or a bare array even when they are large enough.
        (lambda: method(ctypes.c_char()), TypeError, expected),
        (lambda: method(larger_record_of_another_class(record_class(request_name))), TypeError,
         expected),
        (lambda: method((ctypes.c_char * 65536)()), TypeError, expected),
    ]
    count = len(sim.calls(trader))
    for call, error, message in refusals:
        caught = raises_exactly(error, message, call)
        assert ENTRY + request_name in [entry.name for entry in caught.traceback]
    assert len(sim.calls(trader)) == count


@pytest.mark.parametrize("request_name", REQUEST_NAMES)
def test_a_subclass_of_the_record_class_is_sent(trader, request_name):
    subclass = type("Extended", (record_class(request_name),), {})
    record = subclass()
    assert getattr(trader, request_name)(record, 4) == 0
    assert sim.calls(trader)[-1] == (request_name, bytes(record), 4)


def test_the_record_class_comes_from_the_module_at_each_call(trader, monkeypatch):
    record = filled(ApiStruct.QryOrderField)
    monkeypatch.setattr(module, "QryOrderField", ApiStruct.QryTradeField)
    raises_exactly(TypeError, ".*QryOrderField.*", lambda: trader.ReqQryOrder(record))
    monkeypatch.delattr(module, "QryOrderField")
    raises_exactly(NameError, "name 'QryOrderField' is not defined",
                   lambda: trader.ReqQryOrder(record))


@pytest.mark.parametrize("request_name", REQUEST_NAMES)
def test_without_a_vendor_object_the_result_is_minus_one(trader, monkeypatch, request_name):
    trader.Release()
    count = len(sim.calls(trader))
    method = getattr(trader, request_name)
    # Neither the record nor ctypes is looked at.
    monkeypatch.delattr(module, "ctypes")
    assert method(None) == -1
    assert method(object(), nRequestID=5) == -1
    raises_exactly(TypeError, "an integer is required", lambda: method(None, "1"))
    raises_exactly(OverflowError, "value too large to convert to int",
                   lambda: method(None, -2 ** 31 - 1))
    assert len(sim.calls(trader)) == count


def test_before_the_vendor_object_exists_the_result_is_minus_one(make_trader):
    class Early(Quiet):
        def init_extra(self):
            self.early = self.ReqQryOrder(None)

    assert make_trader(Early).early == -1


@pytest.mark.parametrize("request_name", REQUEST_NAMES)
def test_vendor_results_and_exceptions_pass_through(trader, request_name):
    method = getattr(trader, request_name)
    record = record_class(request_name)()
    sim.fail_next(trader, request_name, -3)
    assert method(record) == -3
    assert method(record) == 0
    sim.throw_next(trader, request_name, "invalid_argument", "refused by the vendor")
    caught = raises_exactly(ValueError, "refused by the vendor", lambda: method(record))
    assert caught.traceback[-1].name == ENTRY + request_name
    assert method(record) == 0


@pytest.mark.parametrize("kind, error", KINDS + [("unknown", RuntimeError)])
def test_vendor_exceptions_are_translated_by_class(trader, kind, error):
    sim.throw_next(trader, "ReqOrderInsert", kind, "boom")
    # An ios_base::failure describes itself with the library's own suffix.
    message = {"unknown": "Unknown exception", "ios_base_failure": "boom.*"}.get(kind, "boom")
    raises_exactly(error, message, lambda: trader.ReqOrderInsert(ApiStruct.InputOrderField()))


class IntLike:
    def __int__(self):
        return 4


@pytest.mark.parametrize("given, sent", [
    (True, 1), (False, 0), (3.9, 3), (-3.9, -3), (-5, -5), (IntLike(), 4),
    (decimal.Decimal("7.9"), 7),
])
def test_request_ids_are_converted_through_int(trader, given, sent):
    record = filled(ApiStruct.QryOrderField)
    assert trader.ReqQryOrder(record, given) == 0
    assert sim.calls(trader)[-1] == ("ReqQryOrder", bytes(record), sent)


@pytest.mark.parametrize("given, error", [
    (2 ** 64, OverflowError), (-2 ** 70, OverflowError), (1e10, OverflowError),
    (float("inf"), OverflowError), (float("nan"), ValueError), (None, TypeError),
    (b"1", TypeError),
])
def test_request_ids_that_do_not_fit_are_refused(trader, given, error):
    count = len(sim.calls(trader))
    with pytest.raises(error):
        trader.ReqQryOrder(ApiStruct.QryOrderField(), given)
    assert len(sim.calls(trader)) == count


def test_the_address_comes_from_the_module_ctypes_at_each_call(trader, monkeypatch):
    other = filled(ApiStruct.InputOrderField, 9)

    class Redirecting:
        @staticmethod
        def addressof(record):
            return ctypes.addressof(other)

    monkeypatch.setattr(module, "ctypes", Redirecting)
    assert trader.ReqOrderInsert(filled(ApiStruct.InputOrderField, 1), 3) == 0
    assert sim.calls(trader)[-1] == ("ReqOrderInsert", bytes(other), 3)
    monkeypatch.delattr(module, "ctypes")
    raises_exactly(NameError, "name 'ctypes' is not defined",
                   lambda: trader.ReqOrderInsert(other))
    assert len([call for call in sim.calls(trader) if call[0] == "ReqOrderInsert"]) == 1



@pytest.mark.parametrize("kept", [0, 3])
def test_an_api_object_keeps_its_last_calls_as_set_when_it_was_made(make_trader, tmp_path,
                                                                      unlimited_front, kept):
    earlier = make_trader(Quiet, flow_path=str(tmp_path / "earlier") + "/",
                          td_server=unlimited_front)
    sim.keep_calls(kept)
    try:
        trader = make_trader(Quiet, flow_path=str(tmp_path / "later") + "/",
                             td_server=unlimited_front)
    finally:
        sim.keep_calls(100_000)
    query = ApiStruct.QryOrderField()
    for request_id in range(10):
        assert trader.ReqQryOrder(query, request_id) == 0
        assert earlier.ReqQryOrder(query, request_id) == 0
    assert [call[2] for call in sim.calls(trader)] == list(range(10 - kept, 10))
    assert [call[2] for call in sim.calls(earlier) if call[0] == "ReqQryOrder"] == list(range(10))
