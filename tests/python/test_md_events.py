"""The market-data bridge: each of the vendor's 13 events, raised on the simulated library's
own thread, reaches the method of the same name with its records as dicts; a failing handler
is reported as unraisable under the event's name."""
import threading

import pytest

import Quorvan.sim as sim
from Quorvan.CTP import ApiStruct
from conftest import MD_EVENTS, MD_VENDOR, Md, filled, record_class_of, wait_until

EVENT_NAMES = [row[1] for row in MD_EVENTS]
CONTEXT = "Quorvan.CTP.MdApiBase.MdSpi_"


def _recording(event):
    def handler(self, *args):
        self.events.append((event, args, threading.get_ident()))
    handler.__name__ = event
    return handler


class _Recording(Md):
    def init_extra(self):
        self.events = []

    def received(self, event):
        return [args for name, args, _ in self.events if name == event]


# Keeps every event with its arguments and thread, and so never logs in.
Recorder = type("Recorder", (_Recording,), {event: _recording(event) for event in EVENT_NAMES})


@pytest.fixture
def recorder(make_md):
    md = make_md(Recorder)
    wait_until(lambda: md.received("OnFrontConnected"))
    md.events.clear()
    return md


def vendor_arguments(event, seed, number, is_last, with_records=True):
    values = []
    for kind, _ in MD_VENDOR[event]:
        if kind == "int":
            values.append(number)
        elif kind == "bool":
            values.append(is_last)
        elif not with_records:
            values.append(None)
        elif kind == "CThostFtdcRspInfoField":
            values.append(ApiStruct.RspInfoField(
                ErrorID=seed - 50, ErrorMsg=f"错误{seed}：无此合约".encode("gb18030")))
        else:
            values.append(filled(record_class_of(kind), seed))
    return values


def handler_arguments(event, values):
    expected = []
    for (kind, _), value in zip(MD_VENDOR[event], values):
        if value is None:
            expected.append({})
        elif kind == "CThostFtdcRspInfoField":
            expected.append(ApiStruct.RspInfoField.from_buffer_copy(bytes(value)).to_str_dict())
        elif kind.startswith("CThostFtdc"):
            expected.append(record_class_of(kind).from_buffer_copy(bytes(value)).to_dict())
        else:
            expected.append(value)
    return tuple(expected)


def test_the_table_is_the_vendors():
    assert EVENT_NAMES == [name for name in MD_VENDOR if name.startswith("On")]


@pytest.mark.parametrize("event", EVENT_NAMES)
def test_every_event_reaches_its_handler(recorder, event):
    first = vendor_arguments(event, seed=1, number=-5, is_last=False)
    second = vendor_arguments(event, seed=2, number=2 ** 31 - 1, is_last=True)
    sim.emit(recorder, event, *first)
    sim.emit(recorder, event, *second)
    # The first event's dicts are intact after the second: copies, not views.
    assert recorder.received(event) == [handler_arguments(event, first),
                                        handler_arguments(event, second)]
    assert all(thread != threading.get_ident() for _, _, thread in recorder.events)


@pytest.mark.parametrize("event", [name for name in EVENT_NAMES
                                   if any(kind.startswith("CThostFtdc")
                                          for kind, _ in MD_VENDOR[name])])
def test_null_records_arrive_as_empty_dicts(recorder, event):
    sim.emit(recorder, event, *vendor_arguments(event, 0, -1, True, with_records=False))
    [received] = recorder.received(event)
    assert [value for value in received if isinstance(value, dict)] == [
        {} for kind, _ in MD_VENDOR[event] if kind.startswith("CThostFtdc")]


@pytest.mark.parametrize("event", EVENT_NAMES)
def test_every_event_names_itself_when_its_handler_fails(recorder, monkeypatch, unraisable,
                                                         event):
    def failing(*args):
        raise KeyError(event)

    monkeypatch.setattr(recorder, event, failing)
    sim.emit(recorder, event, *vendor_arguments(event, 1, 7, True))
    assert [(report.object, report.exc_type) for report in unraisable] == [
        (CONTEXT + event, KeyError)]
    monkeypatch.undo()
    sim.emit(recorder, event, *vendor_arguments(event, 1, 7, True))
    assert len(recorder.received(event)) == 1


def test_requests_made_inside_a_handler_reach_the_vendor(recorder):
    results = []
    recorder.OnRtnDepthMarketData = lambda tick: results.append(
        recorder.SubscribeMarketData(["rb2705"]))
    sim.emit(recorder, "OnRtnDepthMarketData", None)
    assert len(results) == 1
    assert sim.calls(recorder)[-1][0] == "SubscribeMarketData"


def test_release_inside_a_handler_ends_the_session(recorder):
    recorder.OnRtnDepthMarketData = lambda tick: recorder.Release()
    sim.emit(recorder, "OnRtnDepthMarketData", None)
    assert recorder.GetTradingDay() == b""
    assert recorder.Join() == -1
