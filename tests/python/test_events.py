"""The callback bridge: every vendor event, raised on the simulated library's own thread,
reaches the trader's method of the same name with its records as dicts; whatever fails on
the way is reported as unraisable and the next event arrives as usual."""
import builtins
import sys
import threading
import weakref

import pytest

import Quorvan.sim as sim
from Quorvan.CTP import ApiStruct, TraderApiBase as module
from Quorvan.utils.base_field import BaseField
from conftest import EVENTS, VENDOR, Trader, filled, record_class_of, wait_until

EVENT_NAMES = [row[1] for row in EVENTS]
CONTEXT = "Quorvan.CTP.TraderApiBase.TraderSpi_"


def _recording(event):
    def handler(self, *args):
        self.events.append((event, args, threading.get_ident()))
    handler.__name__ = event
    return handler


class _Recording(Trader):
    def init_extra(self):
        self.events = []

    def received(self, event):
        return [args for name, args, _ in self.events if name == event]


# Keeps every event it receives, with its arguments and the thread that delivered it, and so
# never starts the login chain.
Recorder = type("Recorder", (_Recording,),
                {event: _recording(event) for event in EVENT_NAMES})


@pytest.fixture
def recorder(make_trader):
    trader = make_trader(Recorder)
    # The connection made by Init comes first; the tests count only what they raise.
    wait_until(lambda: trader.received("OnFrontConnected"))
    trader.events.clear()
    return trader


def vendor_arguments(event, seed, number, is_last, with_records=True):
    """The event's vendor arguments as its header declares them: filled records (or null
    pointers), a response information with a GB18030 message, `number` for the int and
    `is_last` for the flag."""
    values = []
    for kind, _ in VENDOR[event]:
        if kind == "int":
            values.append(number)
        elif kind == "bool":
            values.append(is_last)
        elif not with_records:
            values.append(None)
        elif kind == "CThostFtdcRspInfoField":
            values.append(ApiStruct.RspInfoField(
                ErrorID=seed - 50, ErrorMsg=f"错误{seed}：资金不足".encode("gb18030")))
        else:
            values.append(filled(record_class_of(kind), seed))
    return values


def handler_arguments(event, values):
    """What the handler must receive for those vendor arguments: dicts of copies of the
    records made by the declared record classes, the int, the flag."""
    expected = []
    for (kind, _), value in zip(VENDOR[event], values):
        if value is None:
            expected.append({})
        elif kind == "CThostFtdcRspInfoField":
            expected.append(ApiStruct.RspInfoField.from_buffer_copy(bytes(value)).to_str_dict())
        elif kind.startswith("CThostFtdc"):
            expected.append(record_class_of(kind).from_buffer_copy(bytes(value)).to_dict())
        else:
            expected.append(value)
    return tuple(expected)


def types_of(calls):
    return [tuple(type(value) for value in args) for args in calls]


@pytest.mark.parametrize("event", EVENT_NAMES)
def test_every_event_reaches_its_handler(recorder, event):
    first = vendor_arguments(event, seed=1, number=-5, is_last=False)
    second = vendor_arguments(event, seed=2, number=2 ** 31 - 1, is_last=True)
    sim.emit(recorder, event, *first)
    sim.emit(recorder, event, *second)
    expected = [handler_arguments(event, first), handler_arguments(event, second)]
    # The first event's dicts are intact after the second: copies, not views.
    received = recorder.received(event)
    assert received == expected
    assert types_of(received) == types_of(expected)
    assert all(thread != threading.get_ident() for _, _, thread in recorder.events)


@pytest.mark.parametrize("event", [name for name in EVENT_NAMES
                                   if any(kind.startswith("CThostFtdc")
                                          for kind, _ in VENDOR[name])])
def test_null_records_arrive_as_new_empty_dicts(recorder, event):
    sim.emit(recorder, event, *vendor_arguments(event, 0, -1, True, with_records=False),
             count=2)
    received = recorder.received(event)
    dicts = [value for args in received for value in args if isinstance(value, dict)]
    assert len(received) == 2
    assert dicts and all(value == {} for value in dicts)
    assert len({id(value) for value in dicts}) == len(dicts)


def test_response_information_is_decoded_from_gb18030(recorder):
    info = ApiStruct.RspInfoField(ErrorID=31, ErrorMsg="CTP:资金不足".encode("gb18030"))
    sim.emit(recorder, "OnRspError", info, -9, True)
    assert recorder.received("OnRspError") == [({"ErrorID": 31, "ErrorMsg": "CTP:资金不足"},
                                                -9, True)]


def test_the_declared_record_decides_the_class(recorder):
    """Events whose name suggests another record than the one declared."""
    notice = filled(ApiStruct.TradingNoticeInfoField, 3)
    sim.emit(recorder, "OnRtnTradingNotice", notice)
    instrument = filled(ApiStruct.InstrumentField, 4)
    sim.emit(recorder, "OnRspQryClassifiedInstrument", instrument, None, 1, True)
    volume = ApiStruct.QryMaxOrderVolumeField(InstrumentID=b"rb2410", MaxVolume=120)
    sim.emit(recorder, "OnRspQryMaxOrderVolume", volume, None, 2, True)
    assert recorder.received("OnRtnTradingNotice")[0][0] == notice.to_dict()
    assert recorder.received("OnRspQryClassifiedInstrument")[0][0] == instrument.to_dict()
    assert recorder.received("OnRspQryMaxOrderVolume")[0][0]["MaxVolume"] == 120


def test_a_failing_handler_is_reported_and_the_next_event_arrives(recorder, monkeypatch,
                                                                  unraisable, capsys):
    def failing(data):
        raise ValueError("handler failed")

    monkeypatch.setattr(sys, "last_value", None, raising=False)
    monkeypatch.setattr(recorder, "OnRtnOrder", failing)
    sim.emit(recorder, "OnRtnOrder", filled(ApiStruct.OrderField))
    assert [report.object for report in unraisable] == [CONTEXT + "OnRtnOrder"]
    assert isinstance(unraisable[0].exc_value, ValueError)
    assert sys.last_value is unraisable[0].exc_value
    printed = capsys.readouterr().err
    assert "Traceback" in printed and "ValueError: handler failed" in printed
    monkeypatch.delattr(recorder, "OnRtnOrder")
    sim.emit(recorder, "OnRtnOrder", None)
    assert recorder.received("OnRtnOrder") == [({},)]
    assert len(unraisable) == 1


@pytest.mark.parametrize("event", EVENT_NAMES)
def test_every_event_names_itself_when_its_handler_fails(recorder, monkeypatch, unraisable,
                                                         event):
    def failing(*args):
        raise KeyError(event)

    monkeypatch.setattr(recorder, event, failing)
    sim.emit(recorder, event, *vendor_arguments(event, 1, 7, True))
    assert [(report.object, report.exc_type) for report in unraisable] == [
        (CONTEXT + event, KeyError)]


def test_a_plain_function_stored_on_the_object_gets_the_dict_only(recorder):
    got = []
    recorder.OnRtnTrade = lambda *args: got.append(args)
    trade = filled(ApiStruct.TradeField, 5)
    sim.emit(recorder, "OnRtnTrade", trade)
    assert got == [(trade.to_dict(),)]
    assert recorder.received("OnRtnTrade") == []


class Marked(ApiStruct.OrderField):
    def to_dict(self):
        return dict(super().to_dict(), marked=True)


class MarkedInfo(ApiStruct.RspInfoField):
    def to_str_dict(self):
        return dict(super().to_str_dict(), marked=True)


@pytest.mark.parametrize("name, replacement, event, position", [
    ("OrderField", Marked, "OnRtnOrder", 0),
    ("OrderField", Marked, "OnRspQryOrder", 0),
    ("RspInfoField", MarkedInfo, "OnRspError", 0),
    ("RspInfoField", MarkedInfo, "OnErrRtnOrderAction", 1),
])
def test_record_classes_are_looked_up_at_each_event(recorder, monkeypatch, name, replacement,
                                                    event, position):
    values = vendor_arguments(event, 1, 3, True)
    sim.emit(recorder, event, *values)
    monkeypatch.setattr(module, name, replacement)
    sim.emit(recorder, event, *values)
    monkeypatch.delattr(module, name)
    # Neither the module nor the builtins: looked up in the builtins last.
    monkeypatch.setattr(builtins, name, replacement, raising=False)
    sim.emit(recorder, event, *values)
    plain, rebound, builtin = (args[position] for args in recorder.received(event))
    assert "marked" not in plain
    assert rebound == builtin == dict(plain, marked=True)


@pytest.mark.parametrize("name, event, values", [
    ("OrderField", "OnRtnOrder", lambda: [filled(ApiStruct.OrderField)]),
    ("OrderField", "OnRspQryOrder", lambda: [filled(ApiStruct.OrderField), None, 1, True]),
    ("RspInfoField", "OnRspError", lambda: [ApiStruct.RspInfoField(ErrorID=1), 1, True]),
])
def test_a_missing_record_class_skips_the_handler(recorder, monkeypatch, unraisable, name,
                                                  event, values):
    monkeypatch.delattr(module, name)
    sim.emit(recorder, event, *values())
    assert recorder.received(event) == []
    assert unraisable[0].object == CONTEXT + event
    assert isinstance(unraisable[0].exc_value, NameError)
    assert str(unraisable[0].exc_value) == f"name '{name}' is not defined"
    # A null record needs no class: the handler is called.
    nulls = [None if isinstance(value, BaseField) else value for value in values()]
    sim.emit(recorder, event, *nulls)
    assert len(recorder.received(event)) == 1
    assert len(unraisable) == 1


class Tracked(ApiStruct.OrderField):
    views = []

    @classmethod
    def from_address(cls, address):
        view = type(ApiStruct.OrderField).from_address(cls, address)
        cls.views.append(weakref.ref(view))
        return view


def test_the_handler_holds_no_view_of_vendor_memory(recorder, monkeypatch):
    monkeypatch.setattr(Tracked, "views", [])
    monkeypatch.setattr(module, "OrderField", Tracked)
    alive = []
    recorder.OnRspQryOrder = lambda *args: alive.extend(
        view() is not None for view in Tracked.views)
    sim.emit(recorder, "OnRspQryOrder", filled(ApiStruct.OrderField), None, 1, True)
    assert alive == [False]


class Unhandled(Recorder):
    @property
    def OnRtnOrder(self):
        raise AttributeError("no OnRtnOrder here")

    OnRtnTrade = 5


@pytest.mark.parametrize("event, error, message", [
    ("OnRtnOrder", AttributeError, "no OnRtnOrder here"),
    ("OnRtnTrade", TypeError, "'int' object is not callable"),
])
def test_a_handler_that_cannot_be_called_is_reported(make_trader, monkeypatch, unraisable,
                                                     event, error, message):
    trader = make_trader(Unhandled)
    monkeypatch.setattr(Tracked, "views", [])
    monkeypatch.setattr(module, "OrderField", Tracked)
    record = filled(record_class_of(VENDOR[event][0][0]))
    sim.emit(trader, event, record)
    assert [(report.object, report.exc_type, str(report.exc_value))
            for report in unraisable] == [(CONTEXT + event, error, message)]
    # The handler is looked up first: no record was converted for nothing.
    assert Tracked.views == []


def test_requests_made_inside_a_handler_reach_the_vendor(recorder):
    query = filled(ApiStruct.QryOrderField, 6)
    results = []

    def on_order(data):
        results.append((threading.get_ident(), recorder.ReqQryOrder(query, 11)))

    recorder.OnRtnOrder = on_order
    sim.emit(recorder, "OnRtnOrder", None)
    assert [result for _, result in results] == [0]
    assert results[0][0] != threading.get_ident()
    assert sim.calls(recorder)[-1] == ("ReqQryOrder", bytes(query), 11)


def test_release_inside_a_handler_ends_the_session(recorder):
    recorder.OnRtnOrder = lambda data: recorder.Release()
    sim.emit(recorder, "OnRtnOrder", None)
    assert recorder.GetTradingDay() == b""
    assert sim.calls(recorder)[-2:] == [("RegisterSpi", False), ("Release",)]


def test_a_record_class_changed_after_its_events_began_is_used_from_then_on(recorder,
                                                                             monkeypatch):
    record = filled(ApiStruct.OrderField)
    sim.emit(recorder, "OnRtnOrder", record)
    monkeypatch.setattr(ApiStruct.OrderField, "to_dict", lambda self: {"changed": True})
    sim.emit(recorder, "OnRtnOrder", record)
    first, second = recorder.received("OnRtnOrder")
    assert "OrderRef" in first[0] and second[0] == {"changed": True}
