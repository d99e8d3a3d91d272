import copy
import os
import pickle
import subprocess
import sys

import pytest

import Quorvan.sim as sim
from Quorvan.CTP import ApiStruct, TraderApiBase as module
from conftest import IDENTITY, Trader, TraderApiBase, wait_until


def flow_dir(trader):
    return trader.flow_path + "td.con" + os.sep


@pytest.mark.parametrize("flow_path, investor, attribute, made", [
    (".", "U01", "./U01/", ["./", "./U01/", "./U01/td.con/"]),
    ("logs", "A7", "logs/A7/", ["logs/", "logs/A7/", "logs/A7/td.con/"]),
    ("logs/", "A7", "logs/A7/", ["logs/", "logs/A7/", "logs/A7/td.con/"]),
])
def test_flow_directory_relative(tmp_path, monkeypatch, make_trader, flow_path, investor,
                                 attribute, made):
    monkeypatch.chdir(tmp_path)
    trader = make_trader(flow_path=flow_path, investor_id=investor)
    assert trader.flow_path == attribute
    assert all(os.path.isdir(tmp_path / prefix) for prefix in made)
    assert sim.calls(attribute + "td.con/")[0] == ("RegisterSpi", True)


def test_flow_directory_absolute_and_existing_prefixes_kept(tmp_path, make_trader):
    base = tmp_path / "data" / "flow"
    base.mkdir(parents=True)
    marker = base / "keep"
    marker.write_text("x")
    trader = make_trader(flow_path=str(base) + "/", investor_id="U01")
    assert trader.flow_path == f"{base}/U01/"
    assert os.path.isdir(f"{base}/U01/td.con")
    assert marker.read_text() == "x"
    assert sim.calls(flow_dir(trader))[0] == ("RegisterSpi", True)


@pytest.mark.parametrize("investor", ["", ".", "..", "a/b", "/abs", "../escape"])
def test_investor_that_is_not_one_path_component_is_refused(tmp_path, investor):
    before = sorted(os.listdir(tmp_path))
    with pytest.raises(ValueError, match="investor_id"):
        Trader(**dict(IDENTITY, investor_id=investor, flow_path=str(tmp_path / "f")))
    assert sorted(os.listdir(tmp_path)) == before


def test_attributes_after_construction(make_trader):
    queue = object()
    trader = make_trader(md_queue=queue, password=b"pw", broker_id=1234)
    assert trader.status == -1
    assert (trader.broker_id, trader.investor_id, trader.password) == (b"1234", b"U01", b"pw")
    assert (trader.app_id, trader.auth_code) == (b"app", b"code")
    assert trader.md_queue is queue
    assert trader.order_ref == 0
    assert trader.init_error_msg == {"ErrorID": 0, "ErrorMsg": ""}
    assert make_trader(investor_id="U02").init_error_msg is not trader.init_error_msg
    assert make_trader(investor_id="U03").md_queue is None


@pytest.mark.parametrize("front, stored", [
    ("127.0.0.1:41205", b"tcp://127.0.0.1:41205"),
    ("tcp://10.0.0.1:1", b"tcp://10.0.0.1:1"),
    ("ssl://10.0.0.1:1", b"tcp://ssl://10.0.0.1:1"),
    ("TCP://h:1", b"tcp://TCP://h:1"),
])
def test_front_address_gains_the_tcp_prefix(make_trader, front, stored):
    trader = make_trader(td_server=front)
    assert trader.td_server == stored
    assert ("RegisterFront", stored) in sim.calls(flow_dir(trader))


def test_vendor_object_is_wired_in_order(make_trader):
    trader = make_trader(private_resume_type=0, public_resume_type=1)
    assert sim.calls(flow_dir(trader))[:5] == [
        ("RegisterSpi", True), ("SubscribePrivateTopic", 0), ("SubscribePublicTopic", 1),
        ("RegisterFront", b"tcp://127.0.0.1:41205"), ("Init",)]
    # A login step still running would make its own calls beside the release's.
    wait_until(lambda: trader.status == 0)
    trader.Release()
    assert sim.calls(flow_dir(trader))[-2:] == [("RegisterSpi", False), ("Release",)]


def test_overrides_are_called_by_construction_and_teardown(make_trader, tmp_path):
    seen = []

    class Traced(Trader):
        def init_extra(self):
            seen.append(("init_extra", self.status, os.path.isdir(self.flow_path + "td.con"),
                         self.SubmitUserSystemInfo(ApiStruct.UserSystemInfoField())))

        def SubscribePrivateTopic(self, value):
            seen.append(("private", value))
            return super().SubscribePrivateTopic(value)

        def SubscribePublicTopic(self, value):
            seen.append(("public", value))
            return super().SubscribePublicTopic(value)

        def connect(self, address):
            seen.append(("connect", address))
            return super().connect(address)

        def Release(self):
            seen.append(("Release",))
            return super().Release()

    trader = Traced(**dict(IDENTITY, flow_path=str(tmp_path)))
    assert seen == [("init_extra", -1, True, -1), ("private", 2), ("public", 2),
                    ("connect", b"tcp://127.0.0.1:41205")]
    directory = flow_dir(trader)
    del trader
    assert seen[-1] == ("Release",)
    assert sim.calls(directory)[-1] == ("Release",)


@pytest.mark.parametrize("args, kwargs, message", [
    ((), {}, r"__cinit__\(\) takes at least 6 positional arguments \(0 given\)"),
    (("b", "f", "i", "p", "a"), {}, r"takes at least 6 positional arguments \(5 given\)"),
    (("b",) * 11, {}, r"__cinit__\(\) takes at most 10 positional arguments \(11 given\)"),
    (("b", "f"), dict(investor_id="i", password="p", app_id="a"),
     r"takes at least 6 positional arguments \(5 given\)"),
    (("b", "f", "i", "p", "a", "c"), dict(colour=1),
     r"__cinit__\(\) got an unexpected keyword argument 'colour'"),
    (("b", "f", "i", "p", "a", "c"), dict(broker_id=1),
     r"__cinit__\(\) got multiple values for keyword argument 'broker_id'"),
])
def test_constructor_argument_errors(args, kwargs, message):
    with pytest.raises(TypeError, match=message):
        Trader(*args, **kwargs)


def test_base_class_cannot_take_attributes(tmp_path):
    with pytest.raises(AttributeError, match="status"):
        TraderApiBase(**dict(IDENTITY, flow_path=str(tmp_path)))


def test_factory_failure(tmp_path):
    sim.fail_next(None, "CreateFtdcTraderApi", 0)
    with pytest.raises(Exception, match=r"^Error:Fail to new TraderApi instance\.$"):
        Trader(**dict(IDENTITY, flow_path=str(tmp_path)))


KINDS = [
    ("bad_alloc", MemoryError), ("bad_cast", TypeError), ("bad_typeid", TypeError),
    ("domain_error", ValueError), ("invalid_argument", ValueError),
    ("ios_base_failure", OSError), ("out_of_range", IndexError),
    ("overflow_error", OverflowError), ("range_error", ArithmeticError),
    ("underflow_error", ArithmeticError), ("runtime_error", RuntimeError),
    ("logic_error", RuntimeError),
]


@pytest.mark.parametrize("kind, error", KINDS)
@pytest.mark.parametrize("operation", ["CreateFtdcTraderApi", "RegisterSpi",
                                       "SubscribePrivateTopic", "RegisterFront", "Init"])
def test_vendor_exceptions_during_construction(tmp_path, kind, error, operation):
    directory = str(tmp_path) + "/U01/td.con/"
    sim.throw_next(None if operation == "CreateFtdcTraderApi" else directory, operation, kind,
                   "boom")
    with pytest.raises(error, match="^boom") as caught:
        Trader(**dict(IDENTITY, flow_path=str(tmp_path)))
    assert type(caught.value) is error
    if operation != "CreateFtdcTraderApi":
        # The half-built object was torn down, which released the vendor object.
        assert sim.calls(directory)[-1] == ("Release",)


def test_unknown_vendor_exception(tmp_path):
    sim.throw_next(str(tmp_path) + "/U01/td.con/", "Init", "unknown", "")
    with pytest.raises(RuntimeError, match="^Unknown exception$"):
        Trader(**dict(IDENTITY, flow_path=str(tmp_path)))


def test_construction_failure_names_the_constructor_in_the_traceback():
    with pytest.raises(TypeError) as caught:
        Trader()
    names = [entry.name for entry in caught.traceback]
    assert "Quorvan.CTP.TraderApiBase.TraderApiBase.__cinit__" in names


def test_teardown_reports_a_failing_release(tmp_path, unraisable, capsys):
    class Failing(Trader):
        def Release(self):
            raise KeyError("gone")

    trader = Failing(**dict(IDENTITY, flow_path=str(tmp_path)))
    directory = flow_dir(trader)
    try:
        raise ZeroDivisionError("in flight")
    except ZeroDivisionError:
        del trader
        assert len(unraisable) == 1
        assert unraisable[0].object == "Quorvan.CTP.TraderApiBase.TraderApiBase.__dealloc__"
        assert isinstance(unraisable[0].exc_value, KeyError)
        # The exception being handled is untouched.
        import sys
        assert isinstance(sys.exc_info()[1], ZeroDivisionError)
    assert "KeyError" in capsys.readouterr().err
    # The vendor was still detached and released: nothing can reach the freed object.
    assert sim.calls(directory)[-2:] == [("RegisterSpi", False), ("Release",)]


def test_pickling_is_refused(make_trader):
    trader = make_trader()
    message = "no default __reduce__ due to non-trivial __cinit__"
    for attempt in (pickle.dumps, copy.copy, lambda t: t.__reduce__(),
                    lambda t: t.__setstate__(None)):
        with pytest.raises(TypeError, match=message):
            attempt(trader)


def test_globals_are_read_at_each_use(make_trader, monkeypatch):
    monkeypatch.setattr(module, "to_bytes", lambda value: b"X" + str(value).encode())
    assert make_trader().broker_id == b"X9999"
    monkeypatch.delattr(module, "to_bytes")
    with pytest.raises(NameError, match="^name 'to_bytes' is not defined$"):
        make_trader()


def test_init_extra_takes_no_arguments(make_trader):
    trader = make_trader()
    assert trader.init_extra() is None
    with pytest.raises(TypeError, match=r"^init_extra\(\) takes no arguments \(1 given\)$"):
        trader.init_extra(1)


def test_an_error_that_keeps_the_object_alive_does_not_free_it(tmp_path, unraisable):
    class Clinging(Trader):
        def Release(self):
            super().Release()
            raise KeyError(self)

    trader = Clinging(**dict(IDENTITY, flow_path=str(tmp_path)))
    directory = flow_dir(trader)
    del trader
    kept = unraisable[0].exc_value.args[0]
    assert isinstance(kept, Clinging)
    assert kept.GetTradingDay() == b""
    assert sim.calls(directory)[-1] == ("Release",)


SUBINTERPRETER_IMPORT = """
import sys
from test.support import run_in_subinterp_with_config
run_in_subinterp_with_config(
    "import sys\\nsys.path[:0] = %r\\n"
    "try:\\n    import Quorvan.CTP.TraderApiBase\\n"
    "except ImportError as error:\\n    print(error)\\n" % sys.path,
    own_gil=False, use_main_obmalloc=True, allow_fork=True, allow_exec=True,
    allow_threads=True, allow_daemon_threads=True, check_multi_interp_extensions=True)
"""


@pytest.mark.skipif(sys.version_info < (3, 12), reason="subinterpreters check modules from 3.12")
def test_subinterpreters_are_refused():
    # Even one that shares the main interpreter's lock: the live traders are process-wide.
    result = subprocess.run([sys.executable, "-c", SUBINTERPRETER_IMPORT], capture_output=True,
                            text=True, timeout=120)
    assert result.returncode == 0, result.stderr
    assert "does not support loading in subinterpreters" in result.stdout
