"""Quorvan.sim over the simulated market-data library, without MdApiBase: a CThostFtdcMdApi
made by libthostmduserapi_se.so's factory and a CThostFtdcMdSpi, both driven through their
virtual function tables as a C++ caller drives them, show what the library does for any
client. MdApiBase's own suites cover the extension."""

import ctypes
import datetime
import math
import os
import threading

import pytest

from conftest import Idle
from Quorvan.CTP.ApiStruct import (DepthMarketDataField, ReqUserLoginField, RspInfoField,
                                   RspUserLoginField, SpecificInstrumentField)

sim = pytest.importorskip("Quorvan.sim", reason="built against the vendor's SDK: no simulator")

MD_LIBRARY = os.path.join(os.path.dirname(sim.LIBRARY_PATH), "libthostmduserapi_se.so")
_library = ctypes.CDLL(MD_LIBRARY)
_create = _library["_ZN15CThostFtdcMdApi15CreateFtdcMdApiEPKcbb"]
_create.restype = ctypes.c_void_p
_create.argtypes = [ctypes.c_char_p, ctypes.c_bool, ctypes.c_bool]
_version = _library["_ZN15CThostFtdcMdApi13GetApiVersionEv"]
_version.restype = ctypes.c_char_p

# The vendor's virtual functions in declaration order: their slots in the object's table
# (neither class has a virtual destructor).
_API_SLOTS = ("Release", "Init", "Join", "GetTradingDay", "RegisterFront", "RegisterNameServer",
              "RegisterFensUserInfo", "RegisterSpi", "SubscribeMarketData",
              "UnSubscribeMarketData", "SubscribeForQuoteRsp", "UnSubscribeForQuoteRsp",
              "ReqUserLogin", "ReqUserLogout", "ReqQryMulticastInstrument")
_P, _INT, _BOOL = ctypes.c_void_p, ctypes.c_int, ctypes.c_bool
_RSP = (_P, _P, _INT, _BOOL)
_SPI_SLOTS = (("OnFrontConnected", ()), ("OnFrontDisconnected", (_INT,)),
              ("OnHeartBeatWarning", (_INT,)), ("OnRspUserLogin", _RSP),
              ("OnRspUserLogout", _RSP), ("OnRspQryMulticastInstrument", _RSP),
              ("OnRspError", (_P, _INT, _BOOL)), ("OnRspSubMarketData", _RSP),
              ("OnRspUnSubMarketData", _RSP), ("OnRspSubForQuoteRsp", _RSP),
              ("OnRspUnSubForQuoteRsp", _RSP), ("OnRtnDepthMarketData", (_P,)),
              ("OnRtnForQuoteRsp", (_P,)))
_RECORDS = {"OnRspUserLogin": RspUserLoginField,
            "OnRspSubMarketData": SpecificInstrumentField,
            "OnRspUnSubMarketData": SpecificInstrumentField,
            "OnRtnDepthMarketData": DepthMarketDataField}

PATIENCE = 60.0


class RecordingSpi:
    """A CThostFtdcMdSpi whose callbacks record (event, record or None, ErrorID or None), then
    call `hook` with that entry on the callback's thread."""

    def __init__(self):
        self.events = []
        self.hook = None
        self.changed = threading.Condition()
        self._callbacks = []
        for name, parameters in _SPI_SLOTS:
            prototype = ctypes.CFUNCTYPE(None, _P, *parameters)
            self._callbacks.append(prototype(self._recorder(name, parameters)))
        table = (_P * len(self._callbacks))(
            *(ctypes.cast(callback, _P).value for callback in self._callbacks))
        self._table = table
        self._object = (_P * 1)(ctypes.addressof(table))

    @property
    def address(self):
        return ctypes.addressof(self._object)

    def _recorder(self, name, parameters):
        def record(this, *args):
            record_class = _RECORDS.get(name)
            value = None
            if record_class is not None and args[0]:
                value = record_class.from_buffer_copy(
                    ctypes.string_at(args[0], ctypes.sizeof(record_class)))
            error = None
            if parameters and parameters[:2] == (_P, _P) and args[1]:
                error = RspInfoField.from_buffer_copy(
                    ctypes.string_at(args[1], ctypes.sizeof(RspInfoField))).ErrorID
            with self.changed:
                self.events.append((name, value, error))
                self.changed.notify_all()
            if self.hook is not None:
                self.hook((name, value, error))
        return record

    def named(self, name):
        with self.changed:
            return [event for event in self.events if event[0] == name]

    def wait_for(self, name, count=1):
        with self.changed:
            assert self.changed.wait_for(lambda: len([e for e in self.events if e[0] == name])
                                         >= count, PATIENCE), f"{count} {name} not reached"


class VendorMdApi:
    """A CThostFtdcMdApi of the market-data library, called through its table."""

    def __init__(self, flow_path, front=None):
        self.flow_path = flow_path
        self.address = _create(flow_path.encode(), False, False)
        assert self.address
        self.spi = RecordingSpi()
        self.call("RegisterSpi", None, (_P,), self.spi.address)
        if front is not None:
            self.call("RegisterFront", None, (ctypes.c_char_p,), front.encode())

    def call(self, name, result, parameters, *args):
        table = ctypes.cast(self.address, ctypes.POINTER(ctypes.POINTER(_P))).contents
        function = ctypes.CFUNCTYPE(result, _P, *parameters)(table[_API_SLOTS.index(name)])
        return function(self.address, *args)

    def start(self):
        self.call("Init", None, ())
        self.spi.wait_for("OnFrontConnected")

    def log_in(self):
        count = len(self.spi.named("OnRspUserLogin"))
        login = ReqUserLoginField()
        assert self.call("ReqUserLogin", _INT, (_P, _INT), ctypes.addressof(login), 1) == 0
        self.spi.wait_for("OnRspUserLogin", count + 1)

    def subscribe(self, *ids, operation="SubscribeMarketData"):
        array = (ctypes.c_char_p * len(ids))(*(i.encode() for i in ids))
        return self.call(operation, _INT, (ctypes.POINTER(ctypes.c_char_p), _INT), array,
                         len(ids))

    def release(self):
        if self.address:
            self.call("RegisterSpi", None, (_P,), None)
            self.call("Release", None, ())
            self.address = None


@pytest.fixture
def md_front(request):
    """A front of its own, so that its broker starts from the built-in configuration."""
    front = f"tcp://md-test-{os.getpid()}-{request.node.name}:1"
    sim.configure(front, reset=True)
    return front


@pytest.fixture
def make_md(tmp_path):
    # The sanitizers check each call of a handler against its class's run-time type
    # information, which a handler made of a bare table of functions has none of; the C++
    # suites run the same paths under them.
    if "QUORVAN_SANITIZED" in os.environ:
        pytest.skip("a handler without run-time type information fails the vptr check")
    made = []

    def make(front=None, name="client"):
        api = VendorMdApi(str(tmp_path / name / "md.con") + os.sep, front)
        made.append(api)
        return api

    yield make
    for api in made:
        api.release()


@pytest.fixture
def subscribed(md_front, make_md):
    api = make_md(md_front)
    api.start()
    api.log_in()
    assert api.subscribe("rb2705") == 0
    api.spi.wait_for("OnRtnDepthMarketData")
    return api


def ticks_of(api):
    return [record for _, record, _ in api.spi.named("OnRtnDepthMarketData")]


def test_a_subscription_is_logged_as_the_ids_and_their_count(subscribed):
    assert subscribed.subscribe("cu2702", "nosuch") == 0
    assert sim.calls(subscribed.flow_path)[-2:] == [
        ("SubscribeMarketData", (b"rb2705",), 1),
        ("SubscribeMarketData", (b"cu2702", b"nosuch"), 2)]
    login = [call for call in sim.calls(subscribed.flow_path) if call[0] == "ReqUserLogin"]
    assert login == [("ReqUserLogin", bytes(ReqUserLoginField()), 1)]


def test_set_market_reaches_the_subscriber_as_the_record_market_reads(subscribed, md_front):
    sim.set_market("rb2705", bid=3204, ask=3206, last=3205, volume=120, turnover=3845000.0,
                   open_interest=5000, front=md_front)
    sim.wait_delivered(md_front, timeout=PATIENCE)
    tick = ticks_of(subscribed)[-1]
    quoted = sim.market("rb2705", md_front)
    assert tick.to_dict() == quoted.to_dict()
    assert (tick.LastPrice, tick.BidPrice1, tick.AskPrice1) == (3205, 3204, 3206)
    assert (tick.Volume, tick.Turnover, tick.OpenInterest) == (120, 3845000.0, 5000)
    # SHFE quotes the average price per lot.
    assert tick.AveragePrice == pytest.approx(3845000.0 / 120)
    assert (tick.OpenPrice, tick.HighestPrice, tick.LowestPrice) == (3205, 3205, 3205)
    assert tick.InstrumentID == b"rb2705" and tick.ExchangeInstID == b"rb2705"
    assert len(tick.ActionDay) == 8 and len(tick.UpdateTime) == 8


def levels_of(record, side):
    """A side of a record's book as (price, volume) pairs, the five levels."""
    return [(getattr(record, f"{side}Price{level}"), getattr(record, f"{side}Volume{level}"))
            for level in range(1, 6)]


def test_five_levels_a_side_reach_the_subscriber_and_a_new_first_level_stands_alone(
        subscribed, md_front):
    bids = [(3200 - level, 10 + level) for level in range(5)]
    sim.set_market("rb2705", bids=bids, asks=[(3201, 7), (3203, 8)], front=md_front)
    sim.wait_delivered(md_front, timeout=PATIENCE)
    tick = ticks_of(subscribed)[-1]
    assert tick.to_dict() == sim.market("rb2705", md_front).to_dict()
    assert levels_of(tick, "Bid") == bids
    assert levels_of(tick, "Ask") == [(3201, 7), (3203, 8), (0, 0), (0, 0), (0, 0)]
    # The first level's lots alone leave the levels behind it; a new first price clears them.
    sim.set_market("rb2705", bid_volume=3, front=md_front)
    assert levels_of(sim.market("rb2705", md_front), "Bid") == [(3200, 3)] + bids[1:]
    sim.set_market("rb2705", bid=3199, front=md_front)
    quoted = sim.market("rb2705", md_front)
    assert levels_of(quoted, "Bid") == [(3199, 3)] + [(0, 0)] * 4
    assert levels_of(quoted, "Ask")[:2] == [(3201, 7), (3203, 8)]


LEVEL_REFUSALS = [
    ("bids not falling", dict(bids=[(3199, 1), (3199, 1)]), ValueError,
     "bid2 3199 is not below bid 3199"),
    ("asks not rising", dict(asks=[(3202, 1), (3201, 1)]), ValueError,
     "ask2 3201 is not above ask 3202"),
    ("the best bid not below the best ask", dict(bids=[(3202, 1)]), ValueError,
     "the bid must be below the ask"),
    ("six levels", dict(bids=[(3199 - level, 1) for level in range(6)]), ValueError,
     "bids gives 6 levels"),
    ("a negative volume", dict(asks=[(3201, 1), (3202, -1)]), ValueError,
     "ask_volume2 must not be negative"),
    ("a price off the tick", dict(bids=[(3199, 1), (3198.5, 1)]), ValueError,
     "bid2 3198.5 is not a multiple of the price tick"),
    ("a level of no price", dict(bids=[(3199, 1), (0, 1)]), ValueError,
     "bid2 0 of bids is not a positive price"),
    ("a level outside the limits", dict(asks=[(3201, 1), (9999, 1)]), ValueError,
     "ask2 9999 is outside the daily limits"),
    ("a bid other than the first level", dict(bid=3198, bids=[(3199, 1)]), ValueError,
     "bid and bid_volume, given with bids, must be its first level"),
    ("a level that is no pair", dict(bids=[(3199,)]), TypeError,
     r"bids\[0\] must be a \(price, volume\) pair"),
]


@pytest.mark.parametrize("levels, error, said", [case[1:] for case in LEVEL_REFUSALS],
                         ids=[case[0] for case in LEVEL_REFUSALS])
def test_a_book_that_is_none_is_refused_naming_the_level_moving_nothing(
        md_front, levels, error, said):
    sim.set_market("rb2705", bids=[(3200, 5), (3199, 5)], asks=[(3201, 5), (3202, 5)],
                   front=md_front)
    before = sim.market("rb2705", md_front).to_dict()
    with pytest.raises(error, match=said):
        sim.set_market("rb2705", last=3201, front=md_front, **levels)
    assert sim.market("rb2705", md_front).to_dict() == before


def test_an_unmoved_market_has_no_open_high_or_low_yet(md_front):
    quoted = sim.market("rb2705", md_front)
    assert quoted.OpenPrice == quoted.HighestPrice == quoted.LowestPrice == 1.7976931348623157e308
    assert quoted.ClosePrice == quoted.SettlementPrice == 1.7976931348623157e308
    assert (quoted.Volume, quoted.Turnover) == (0, 0)


@pytest.mark.parametrize("figures", [dict(volume=-1), dict(turnover=-0.5),
                                     dict(open_interest=math.inf), dict(turnover=math.nan)])
def test_figures_that_are_none_are_refused_moving_nothing(md_front, figures):
    before = sim.market("rb2705", md_front).to_dict()
    with pytest.raises(ValueError):
        sim.set_market("rb2705", last=3210, front=md_front, **figures)
    assert sim.market("rb2705", md_front).LastPrice == before["LastPrice"]


def write_ticks(path, rows):
    lines = ["time,instrument_id,last,bid,ask,bid_volume,ask_volume,volume,open_interest"]
    lines += [",".join(map(str, row)) for row in rows]
    path.write_text("\n".join(lines) + "\n")
    return path


def test_a_replay_feeds_a_subscriber_in_lockstep_with_each_ticks_own_time(
        subscribed, md_front, tmp_path):
    start = datetime.datetime(2026, 12, 7, 9, 0, 0)
    rows = [((start + datetime.timedelta(milliseconds=250 * n)).isoformat(" ", "milliseconds"),
             "rb2705", 3201 + n % 3, 3200 + n % 3, 3201 + n % 3, 5, 5, 10 * n,
             "" if n % 2 else 700 + n) for n in range(40)]
    # In lockstep the handler runs before the next tick is played: the market it finds is
    # its own tick's.
    mismatches = []

    def compare(event):
        if event[0] == "OnRtnDepthMarketData":
            now = sim.market("rb2705", md_front)
            tick = event[1]
            if (now.UpdateTime, now.UpdateMillisec) != (tick.UpdateTime, tick.UpdateMillisec):
                mismatches.append((tick.UpdateTime, now.UpdateTime))

    subscribed.spi.hook = compare
    played = sim.replay(write_ticks(tmp_path / "day.csv", rows), front=md_front)
    assert played.wait(timeout=PATIENCE)
    assert mismatches == []
    ticks = ticks_of(subscribed)[1:]
    assert len(ticks) == len(rows)
    for tick, row in zip(ticks, rows):
        when = datetime.datetime.fromisoformat(row[0])
        assert (tick.ActionDay, tick.UpdateTime, tick.UpdateMillisec) == (
            f"{when:%Y%m%d}".encode(), f"{when:%H:%M:%S}".encode(), when.microsecond // 1000)
        assert (tick.LastPrice, tick.Volume) == (row[2], row[7])
    # An empty cell keeps the figure the recording gave last.
    assert [tick.OpenInterest for tick in ticks[:4]] == [700, 700, 702, 702]
    assert ticks[-1].HighestPrice == 3203 and ticks[-1].LowestPrice == 3201


def test_wait_delivered_covers_the_objects_of_a_named_market_data_front(md_front, make_md):
    named = md_front.replace("tcp://", "tcp://md-")
    sim.configure(md_front, md_front=named)
    api = make_md(named)
    api.start()
    api.log_in()
    assert api.subscribe("cu2702") == 0
    api.spi.wait_for("OnRtnDepthMarketData")
    for step in range(20):
        sim.set_market("cu2702", last=78000 + 10 * step, front=md_front)
        sim.wait_delivered(md_front, timeout=PATIENCE)
        assert ticks_of(api)[-1].LastPrice == 78000 + 10 * step


@pytest.mark.parametrize("md_front_value, error", [
    (3, TypeError), ("", ValueError), (b"", ValueError)])
def test_configure_refuses_what_names_no_market_data_front(md_front, md_front_value, error):
    with pytest.raises(error):
        sim.configure(md_front, md_front=md_front_value)


def test_a_market_data_front_publishes_one_broker(md_front):
    named = md_front.replace("tcp://", "tcp://md-")
    sim.configure(md_front, md_front=named)
    with pytest.raises(ValueError, match="already publishes"):
        sim.configure(md_front + "-other", md_front=named)
    with pytest.raises(ValueError, match="configure it for a front"):
        sim.configure(None, md_front=named)
    # Omitted, it stays; reset clears it with the rest.
    sim.configure(md_front, trading_day="20261207")
    with pytest.raises(ValueError, match="already publishes"):
        sim.configure(md_front + "-other", md_front=named)
    sim.configure(md_front, reset=True)
    sim.configure(md_front + "-other", md_front=named)
    sim.configure(md_front + "-other", reset=True)


def test_control_calls_take_the_market_data_operations_and_events_only(subscribed):
    directory = subscribed.flow_path
    sim.fail_next(directory, "SubscribeMarketData", -3)
    assert subscribed.subscribe("cu2702") == -3
    for operation in ("ReqOrderInsert", "ReqQryOrder"):
        with pytest.raises(ValueError, match="CThostFtdcMdApi"):
            sim.fail_next(directory, operation, -1)
    with pytest.raises(ValueError, match="CThostFtdcMdApi"):
        sim.throw_next(directory, "SubscribePublicTopic", "runtime_error")
    with pytest.raises(ValueError, match="CThostFtdcMdSpi"):
        sim.emit(directory, "OnRtnOrder", None)
    record = DepthMarketDataField(InstrumentID=b"emitted", LastPrice=1.5)
    sim.emit(directory, "OnRtnDepthMarketData", record, count=2)
    assert [tick.InstrumentID for tick in ticks_of(subscribed)[-2:]] == [b"emitted"] * 2
    sim.emit(directory, "OnRspSubMarketData", SpecificInstrumentField(InstrumentID=b"x"),
             RspInfoField(ErrorID=9), 4, True)
    assert subscribed.spi.named("OnRspSubMarketData")[-1][2] == 9


@pytest.mark.parametrize("event, args", [
    ("OnRtnDepthMarketData", (None,)), ("OnRtnOrder", (None,))])
def test_an_event_for_a_directory_never_used_reports_the_missing_object(tmp_path, event, args):
    with pytest.raises(KeyError, match="no API object"):
        sim.emit(str(tmp_path / "md.con") + os.sep, event, *args)


def test_the_factory_fails_as_armed_and_the_version_is_the_trader_librarys(tmp_path):
    sim.fail_next(None, "CreateFtdcMdApi", 0)
    assert not _create(str(tmp_path).encode(), False, False)
    trader_version = ctypes.CDLL(sim.LIBRARY_PATH)["_ZN19CThostFtdcTraderApi13GetApiVersionEv"]
    trader_version.restype = ctypes.c_char_p
    assert _version() == trader_version()


def test_a_flow_directory_with_a_non_ascii_name_is_found(make_trader, make_md, tmp_path):
    trader = make_trader(Idle, flow_path=str(tmp_path / "数据"))
    assert sim.calls(trader)[:1] == [("RegisterSpi", True)]
    api = make_md(name="行情")
    assert sim.calls(api.flow_path) == [("RegisterSpi", True)]


def test_an_md_api_is_named_by_its_flow_path_and_its_front_by_the_broker_it_reads(
        monkeypatch, md_front, make_md, tmp_path):
    class MdApiBase:
        """Stands for Quorvan.CTP.MdApiBase.MdApiBase: what sim reads of one."""

    monkeypatch.setattr(sim._naming, "_md_api_class", lambda: MdApiBase)
    named = md_front.replace("tcp://", "tcp://md-")
    sim.configure(md_front, md_front=named)
    api = make_md(named, name="client")
    api.start()
    md = MdApiBase()
    md.flow_path = str(tmp_path / "client") + os.sep
    md.md_server = named.encode()
    assert sim.calls(md) == [("RegisterSpi", True), ("RegisterFront", named.encode()),
                             ("Init",)]
    sim.emit(md, "OnRtnDepthMarketData", DepthMarketDataField(InstrumentID=b"via md"))
    assert ticks_of(api)[-1].InstrumentID == b"via md"
    sim.set_market("rb2705", last=3207, front=md)
    assert sim.market("rb2705", md).LastPrice == sim.market("rb2705", md_front).LastPrice == 3207
