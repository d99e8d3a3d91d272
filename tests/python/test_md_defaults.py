"""The default handlers: a tick goes to md_queue (any object with put), the events the session
does not handle are logged through write_log."""
import queue

import pytest

import Quorvan.sim as sim
from Quorvan.CTP import ApiStruct
from conftest import MD_EVENTS, Md, filled


class Collector:
    """An md_queue that is not a queue.Queue."""

    def __init__(self):
        self.items = []

    def put(self, item):
        self.items.append(item)


class Logged(Md):
    def init_extra(self):
        self.lines = []

    def write_log(self, *items):
        self.lines.append(items)


@pytest.mark.parametrize("make_queue, items", [
    (queue.Queue, lambda q: [q.get_nowait() for _ in range(q.qsize())]),
    (Collector, lambda q: q.items),
])
def test_the_default_tick_handler_feeds_md_queue(make_md, make_queue, items):
    md_queue = make_queue()
    md = make_md(md_queue=md_queue)
    ticks = [filled(ApiStruct.DepthMarketDataField, seed) for seed in (1, 2)]
    for tick in ticks:
        sim.emit(md, "OnRtnDepthMarketData", tick)
    assert items(md_queue) == [tick.to_dict() for tick in ticks]


def test_without_a_queue_a_tick_is_dropped_quietly(make_md, unraisable):
    md = make_md()
    sim.emit(md, "OnRtnDepthMarketData", filled(ApiStruct.DepthMarketDataField))
    assert unraisable == []


@pytest.mark.parametrize("md_queue", [5, object(), type("NotCallable", (), {"put": 1})()])
def test_an_md_queue_without_put_is_refused(make_md, md_queue):
    with pytest.raises(TypeError, match="md_queue must be None or have a put method"):
        make_md(md_queue=md_queue)


def test_a_failing_put_is_reported(make_md, unraisable):
    class Full:
        def put(self, item):
            raise queue.Full

    md = make_md(md_queue=Full())
    sim.emit(md, "OnRtnDepthMarketData", None)
    assert [(r.object, r.exc_type) for r in unraisable] == [
        ("Quorvan.CTP.MdApiBase.MdSpi_OnRtnDepthMarketData", queue.Full)]


LOGGED = [(row[1], row[0]) for row in MD_EVENTS if row[4] == "Log"]


@pytest.mark.parametrize("event, shape", LOGGED)
def test_the_other_defaults_log_what_arrived(make_md, event, shape):
    md = make_md(Logged)
    record, info = {"InstrumentID": b"rb2705"}, {"ErrorID": 0, "ErrorMsg": ""}
    arguments, line = {
        "IntArg": ((30,), ("TimeLapse:30",)),
        "Rsp": ((record, info, 4, True), (info, "RequestID:4", "IsLast:True", record)),
        "RspError": ((info, 4, False), (info, "RequestID:4", "IsLast:False")),
        "Rtn": ((record,), (record,)),
    }[shape]
    assert getattr(md, event)(*arguments) is None
    assert md.lines[-1] == (event,) + line


class NeverConnects(Md):
    def connect(self, address):
        pass


def test_the_log_line_names_the_side(make_md, capsys):
    md = make_md(NeverConnects)
    md.OnHeartBeatWarning(9)
    assert capsys.readouterr().out.endswith(" || b'U01'.md || OnHeartBeatWarning || TimeLapse:9\n")


@pytest.mark.parametrize("call, error", [
    (lambda md: md.OnHeartBeatWarning(), TypeError),
    (lambda md: md.OnHeartBeatWarning(nTimeLapse=1), TypeError),
    (lambda md: md.OnRtnDepthMarketData({}, {}), TypeError),
    (lambda md: md.OnRspSubMarketData({}, {}, 1), TypeError),
])
def test_defaults_take_the_events_arguments_only(make_md, call, error):
    with pytest.raises(error):
        call(make_md(Logged))
