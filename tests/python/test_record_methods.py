"""The C++ record methods against their plain Python semantics (reference_records), over
every record class of the vendor interface: random memory read back, random keyword sets
and assignments, compared value for value and error for error."""
import ctypes
import functools
import math
import random
import struct

import pytest
from hypothesis import HealthCheck, given, settings
from hypothesis import strategies as st

from Quorvan.CTP import ApiStruct
from Quorvan.utils.base_field import BaseField
from reference_records import reference_class as reference_class_of

RECORDS = [getattr(ApiStruct, name) for name in ApiStruct.__all__]
reference_class = functools.lru_cache(maxsize=None)(reference_class_of)
over_records = pytest.mark.parametrize("record_class", RECORDS, ids=lambda cls: cls.__name__)
# Few examples a class: the classes share the code paths, and 405 of them run.
quick = settings(max_examples=5, deadline=None, derandomize=True,
                 suppress_health_check=list(HealthCheck))

# Bytes a text field may hold: GB18030 characters, bytes no GB18030 text may contain, lead
# bytes cut from their character, NULs.
TEXT_PIECES = [b"a", b"0", b"\0", b"\x80", b"\xff", b"\x81", b"\x81\x30", b"\xfe\x39",
               "价".encode("gb18030"), "\U0001f600".encode("gb18030")]
SPECIAL_DOUBLES = [math.nan, -math.nan, math.inf, -math.inf, -0.0, 5e-324, 1e308]


def random_bytes(rng, size):
    return rng.getrandbits(8 * size).to_bytes(size, "little")


def field_memory(rng, ctype):
    size = ctypes.sizeof(ctype)
    if issubclass(ctype, ctypes.Array):
        pieces = b"".join(rng.choices(TEXT_PIECES, k=rng.randint(0, size + 2)))
        text = rng.choice([pieces, random_bytes(rng, size)])
        # Cut or padded to the field: without a NUL, the text runs to the end of the field.
        return text[:size].ljust(size, b"\0")
    if ctype is ctypes.c_double and rng.random() < 0.7:
        return struct.pack("d", rng.choice(SPECIAL_DOUBLES + [rng.uniform(-1e6, 1e6)]))
    return random_bytes(rng, size)


def record_memory(record_class, seed):
    """Memory of a record: every field drawn by its type, padding at random. Made from a
    seed: hypothesis drawing each of a large record's fields would cost more than the test."""
    rng = random.Random(seed)
    memory = bytearray(random_bytes(rng, ctypes.sizeof(record_class)))
    for name, ctype in record_class._fields_:
        offset = getattr(record_class, name).offset
        memory[offset:offset + ctypes.sizeof(ctype)] = field_memory(rng, ctype)
    return bytes(memory)


SEEDS = st.integers(min_value=0, max_value=2 ** 64)


# Values of every kind a caller might pass, valid for some fields and not for others.
VALUES = st.one_of(
    st.binary(max_size=14), st.binary(max_size=2), st.binary(max_size=3).map(bytearray),
    st.text(max_size=8), st.sampled_from(["\ud800", "价格", "x\0y", "", "0"]),
    st.integers(min_value=-2 ** 66, max_value=2 ** 66), st.sampled_from([2 ** 31, -2 ** 15 - 1]),
    st.booleans(), st.none(), st.floats(), st.decimals(), st.fractions(), st.just(10 ** 400),
    st.just(1.5j),
)


@functools.lru_cache(maxsize=None)
def keywords(record_class):
    """Some fields in any order, now and then a name that is no field, each with any value."""
    names = [name for name, _ in record_class._fields_]
    not_fields = st.sampled_from(["Unknown", names[0].lower(), "to_dict"])
    chosen = st.tuples(
        st.lists(st.sampled_from(names), unique=True, max_size=min(len(names), 8)),
        st.lists(not_fields, max_size=1)).map(lambda parts: parts[0] + parts[1])
    return chosen.flatmap(lambda chosen: st.fixed_dictionaries(
        {name: VALUES for name in chosen}))


def shown(value):
    """What a value reads as, NaN and -0.0 included (== cannot tell them apart)."""
    if isinstance(value, dict):
        return [(name, type(item), repr(item)) for name, item in value.items()]
    return type(value), repr(value)


def outcome(action):
    try:
        return "ok", shown(action())
    except Exception as error:  # noqa: BLE001 - the error itself is what is compared
        return type(error), str(error)


@over_records
@quick
@given(data=st.data())
def test_reading_memory(record_class, data):
    memory = record_memory(record_class, data.draw(SEEDS))
    native = record_class.from_buffer_copy(memory)
    reference = reference_class(record_class).from_buffer_copy(memory)
    for read in (lambda record: record.to_dict(), lambda record: record.to_str_dict(), repr):
        assert outcome(lambda: read(native)) == outcome(lambda: read(reference))


@over_records
@quick
@given(data=st.data())
def test_keyword_construction_and_assignment(record_class, data):
    fields = data.draw(keywords(record_class))
    twin = reference_class(record_class)
    native = outcome(lambda: bytes(record_class(**fields)))
    assert native == outcome(lambda: bytes(twin(**fields)))

    memory = record_memory(record_class, data.draw(SEEDS))
    records = record_class.from_buffer_copy(memory), twin.from_buffer_copy(memory)
    for name, value in fields.items():
        outcomes = [outcome(lambda: setattr(record, name, value)) for record in records]
        assert outcomes[0] == outcomes[1]
        assert bytes(records[0]) == bytes(records[1])


@pytest.mark.parametrize("method, kind", [
    ("to_dict", "method_descriptor"), ("to_str_dict", "method_descriptor"),
    ("__init__", "wrapper_descriptor"), ("__setattr__", "wrapper_descriptor"),
    ("__delattr__", "wrapper_descriptor"), ("__repr__", "wrapper_descriptor")])
def test_the_methods_come_from_the_native_module(method, kind):
    assert type(BaseField.__dict__[method]).__name__ == kind


def test_a_field_cannot_be_deleted():
    record = ApiStruct.RspInfoField(ErrorID=3)
    with pytest.raises(TypeError):
        del record.ErrorID
    assert record.ErrorID == 3


def test_a_table_is_built_once_per_class():
    order = ApiStruct.OrderField(OrderRef=b"1")
    table = ApiStruct.OrderField.__dict__["_record_layout"]
    order.to_dict()
    assert ApiStruct.OrderField.__dict__["_record_layout"] is table


@pytest.mark.parametrize("field, first, then", [
    ("Direction", b"0", b"1"),                  # a flag of one byte
    ("VolumeTotalOriginal", 1, 2),              # a number of four bytes
    ("LimitPrice", 3200.0, 3201.0),             # a number of eight bytes
    ("OrderRef", b"1", b"2"),                   # a text
])
def test_a_field_changed_alone_since_the_last_read_is_read_again(field, first, then):
    order = ApiStruct.OrderField(**{field: first})
    assert order.to_dict()[field] == first
    setattr(order, field, then)
    assert order.to_dict()[field] == then


def test_a_table_dropped_from_its_class_is_built_again():
    class Order(ApiStruct.OrderField):
        pass

    Order(OrderRef=b"1").to_dict()
    table = Order.__dict__["_record_layout"]
    del Order._record_layout
    del table  # the class held the last reference: a table remembered elsewhere is freed now
    assert Order(OrderRef=b"2").to_dict()["OrderRef"] == b"2"
    assert "_record_layout" in Order.__dict__



def test_a_text_read_again_shows_what_the_memory_holds_now():
    record = ApiStruct.RspInfoField(ErrorMsg=b"first")
    first = record.to_dict()["ErrorMsg"]
    record.ErrorMsg = b"other"
    assert (first, record.to_dict()["ErrorMsg"]) == (b"first", b"other")


@pytest.mark.parametrize("read", ["to_dict", "to_str_dict"])
def test_a_record_read_after_another_of_its_kind_is_read_whole(read):
    tick = ApiStruct.DepthMarketDataField(InstrumentID=b"rb2705", LastPrice=3200.0, Volume=5)
    first = getattr(tick, read)()
    first["Volume"] = "changed by the caller"  # the dict handed out is the caller's own
    tick.LastPrice = 3201.0
    twin = reference_class(ApiStruct.DepthMarketDataField).from_buffer_copy(bytes(tick))
    assert shown(getattr(tick, read)()) == shown(getattr(twin, read)())
