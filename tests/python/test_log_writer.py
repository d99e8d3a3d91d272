"""write_log: the one line per session step, its exact form, and what stops it."""
import datetime as real_datetime
import re

import pytest

from Quorvan.CTP import TraderApiBase as module
from conftest import Idle

ENTRY = "Quorvan.CTP.TraderApiBase.TraderApiBase.write_log"
STAMP = "2024-01-02 09:03:05"


def clock(*moment):
    """A stand-in for the module's datetime class whose now() is `moment`."""
    class Clock:
        @staticmethod
        def now():
            return real_datetime.datetime(*moment)
    return Clock


@pytest.fixture
def trader(make_trader, monkeypatch):
    monkeypatch.setattr(module, "datetime", clock(2024, 1, 2, 9, 3, 5))
    return make_trader(Idle)


@pytest.mark.parametrize("args, kwargs, message", [
    (("OnFrontDisconnected", "Reason:3"), {}, " || OnFrontDisconnected || Reason:3"),
    ((), {}, " || "),
    (("only",), {}, " || only"),
    ((1, 2.5, None, {"a": 1}, b"x", ("t",)), {},
     " || 1 || 2.5 || None || {'a': 1} || b'x' || ('t',)"),
    (("a", "b"), {"sep": ","}, ",a,b"),
    ((), {"sep": ""}, ""),
    (("a", ","), {}, " || a || ,"),
])
def test_the_line(trader, capsys, args, kwargs, message):
    sep = kwargs.get("sep", " || ")
    assert trader.write_log(*args, **kwargs) is None
    assert capsys.readouterr() == (f"{STAMP}{sep}b'U01'.td{message}\n", "")


def test_the_clock_and_the_investor_are_read_at_each_call(trader, capsys, monkeypatch):
    trader.investor_id = "U02"
    trader.write_log("x")
    monkeypatch.setattr(module, "datetime", clock(1999, 12, 31, 23, 59, 59))
    trader.investor_id = 7
    trader.write_log("y")
    assert capsys.readouterr().out.splitlines() == [f"{STAMP} || U02.td || x",
                                                    "1999-12-31 23:59:59 || 7.td || y"]


def test_the_real_clock(make_trader, capsys):
    make_trader(Idle).write_log("now")
    stamp, rest = capsys.readouterr().out.split(" || ", 1)
    assert real_datetime.datetime.strptime(stamp, "%Y-%m-%d %H:%M:%S").strftime(
        "%Y-%m-%d %H:%M:%S") == stamp
    assert rest == "b'U01'.td || now\n"


def test_one_print_per_line(trader, monkeypatch):
    printed = []
    monkeypatch.setattr(module, "print", lambda *args, **kwargs: printed.append((args, kwargs)),
                        raising=False)
    trader.write_log("a", "b", sep="-")
    assert printed == [((f"{STAMP}-b'U01'.td-a-b",), {})]


class Unprintable:
    def __str__(self):
        raise ValueError("no text")


class Unformattable:
    def __format__(self, format_spec):
        raise LookupError("no format")


def as_built(trader, monkeypatch):
    pass


def no_investor(trader, monkeypatch):
    del trader.investor_id


def stopped_clock(trader, monkeypatch):
    class Clock:
        @staticmethod
        def now():
            raise OSError("no clock")
    monkeypatch.setattr(module, "datetime", Clock)


@pytest.mark.parametrize("break_it, args, kwargs, error, message", [
    (as_built, (), {"end": ""}, TypeError, "write_log() got an unexpected keyword argument 'end'"),
    (no_investor, ("a",), {}, AttributeError, "investor_id"),
    (as_built, ("a",), {"sep": 5}, AttributeError, "'int' object has no attribute 'join'"),
    (as_built, ("a",), {"sep": b"|"}, TypeError, "sequence item 0: expected a bytes-like object"),
    (as_built, (Unprintable(),), {}, ValueError, "no text"),
    # The pieces fail in the order the line is built.
    (stopped_clock, (Unprintable(),), {"sep": 5}, OSError, "no clock"),
    (as_built, (), {"sep": Unformattable()}, LookupError, "no format"),
    (no_investor, (Unprintable(),), {"sep": 5}, AttributeError, "investor_id"),
    (as_built, (Unprintable(),), {"sep": 5}, AttributeError, "has no attribute 'join'"),
])
def test_failures(trader, capsys, monkeypatch, break_it, args, kwargs, error, message):
    break_it(trader, monkeypatch)
    with pytest.raises(error, match=re.escape(message)) as caught:
        trader.write_log(*args, **kwargs)
    assert ENTRY in [entry.name for entry in caught.traceback]
    assert capsys.readouterr() == ("", "")


def test_a_failing_print_propagates(trader, monkeypatch):
    def closed(*args):
        raise ValueError("I/O operation on closed file.")

    monkeypatch.setattr(module, "print", closed, raising=False)
    with pytest.raises(ValueError, match="closed file"):
        trader.write_log("a")
