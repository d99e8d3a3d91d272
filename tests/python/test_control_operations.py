import ctypes
import functools
import threading

import pytest

import Quorvan.sim as sim
from Quorvan.CTP.ApiStruct import FensUserInfoField, UserSystemInfoField, RspInfoField
from conftest import CLASS_ORDER, Idle, TraderApiBase


@pytest.fixture
def make_trader(make_trader):
    return functools.partial(make_trader, Idle)

def directory(trader):
    return trader.flow_path + "td.con/"


def test_methods_are_in_class_order():
    present = [name for name in TraderApiBase.__dict__ if not name.startswith("__")]
    assert present == CLASS_ORDER
    assert len(present) == 259


def test_methods_bind_like_functions(make_trader):
    trader = make_trader()
    assert TraderApiBase.Release.__qualname__ == "TraderApiBase.Release"
    assert TraderApiBase.GetApiVersion.__qualname__ == "TraderApiBase.GetApiVersion"
    assert trader.Release.__self__ is trader
    assert TraderApiBase.Release.__doc__ is None
    assert isinstance(TraderApiBase.__dict__["GetApiVersion"], staticmethod)


def test_get_api_version_is_static(make_trader):
    trader = make_trader()
    version = TraderApiBase.GetApiVersion(None)
    assert isinstance(version, bytes) and version
    assert trader.GetApiVersion(trader) == version == TraderApiBase.GetApiVersion(cls=1)
    with pytest.raises(TypeError, match=r"^GetApiVersion\(\) takes exactly 1 positional "
                                        r"argument \(0 given\)$"):
        TraderApiBase.GetApiVersion()


def fens_record():
    return FensUserInfoField(BrokerID=b"9999", UserID=b"U01")


def system_info():
    return UserSystemInfoField(BrokerID=b"9999", UserID=b"U01", ClientIPPort=51000)


FENS, FENS_COPY = fens_record(), fens_record()
INFO, INFO_COPY = system_info(), system_info()


# (call, result while the vendor object lives, what the vendor received, result after Release)
OPERATIONS = [
    (lambda t: t.RegisterFront(b"tcp://10.0.0.2:1"), None, ("RegisterFront", b"tcp://10.0.0.2:1"), None),
    (lambda t: t.RegisterFront(bytearray(b"tcp://h:2")), None, ("RegisterFront", b"tcp://h:2"), None),
    (lambda t: t.RegisterFront(bytearray()), None, ("RegisterFront", b""), None),
    (lambda t: t.RegisterNameServer(b"tcp://ns:3"), None, ("RegisterNameServer", b"tcp://ns:3"), None),
    (lambda t: t.SubscribePrivateTopic(0), None, ("SubscribePrivateTopic", 0), None),
    (lambda t: t.SubscribePublicTopic(True), None, ("SubscribePublicTopic", 1), None),
    (lambda t: t.SubscribePublicTopic(3.9), None, ("SubscribePublicTopic", 3), None),
    (lambda t: t.RegisterFensUserInfo(ctypes.addressof(FENS)), None,
     ("RegisterFensUserInfo", bytes(FENS_COPY)), None),
    (lambda t: t.RegisterFensUserInfo(FENS), None, ("RegisterFensUserInfo", bytes(FENS_COPY)), None),
    (lambda t: t.RegisterUserSystemInfo(INFO), 0, ("RegisterUserSystemInfo", bytes(INFO_COPY)), -1),
    (lambda t: t.SubmitUserSystemInfo(INFO), 0, ("SubmitUserSystemInfo", bytes(INFO_COPY)), -1),
]


@pytest.mark.parametrize("call, result, received, released", OPERATIONS)
def test_control_operations_before_and_after_release(make_trader, call, result, received,
                                                     released):
    trader = make_trader()
    assert call(trader) == result
    assert sim.calls(directory(trader))[-1] == received
    trader.Release()
    count = len(sim.calls(directory(trader)))
    assert call(trader) == released
    assert len(sim.calls(directory(trader))) == count


def test_trading_day_join_and_release_after_release(make_trader):
    trader = make_trader()
    day = trader.GetTradingDay()
    assert isinstance(day, bytes) and len(day) == 8 and day.isdigit()
    assert trader.Release() is None
    assert sim.calls(directory(trader))[-2:] == [("RegisterSpi", False), ("Release",)]
    assert trader.Release() is None
    assert sim.calls(directory(trader))[-1] == ("Release",)
    assert trader.GetTradingDay() == b""
    assert trader.Join() == -1
    with pytest.raises(Exception, match=r"^Error:TraderApi instance is NULL\.$"):
        trader.connect(b"tcp://h:1")


@pytest.mark.parametrize("call, error, message", [
    (lambda t: t.RegisterFront("tcp://h:1"), TypeError, "expected bytes, str found"),
    (lambda t: t.RegisterFront(), TypeError, r"^RegisterFront\(\) takes exactly one argument \(0 given\)$"),
    (lambda t: t.RegisterFront(b"a", b"b"), TypeError, r"takes exactly one argument \(2 given\)$"),
    (lambda t: t.RegisterNameServer(pszNsAddress=b"a"), TypeError,
     r"^RegisterNameServer\(\) takes no keyword arguments$"),
    (lambda t: t.connect(), TypeError, r"^connect\(\) takes exactly one argument \(0 given\)$"),
    (lambda t: t.SubscribePrivateTopic(2 ** 32), OverflowError,
     "^value too large to convert to enum THOST_TE_RESUME_TYPE$"),
    (lambda t: t.SubscribePublicTopic("1"), TypeError, "^an integer is required$"),
    (lambda t: t.RegisterFensUserInfo(-1), OverflowError, "^can't convert negative value to size_t$"),
    (lambda t: t.RegisterFensUserInfo(None), TypeError, "^an integer is required$"),
    (lambda t: t.RegisterFensUserInfo(ctypes.c_char(b"x")), TypeError, "FensUserInfoField"),
    (lambda t: t.Release(1), TypeError, r"^Release\(\) takes no arguments \(1 given\)$"),
    (lambda t: t.Join(x=1), TypeError, r"^Join\(\) takes no keyword arguments$"),
    (lambda t: t.GetTradingDay(1), TypeError, r"^GetTradingDay\(\) takes no arguments \(1 given\)$"),
    (lambda t: t.SubmitUserSystemInfo({}), TypeError, "invalid type"),
    (lambda t: t.RegisterUserSystemInfo(RspInfoField()), TypeError, "UserSystemInfoField"),
])
def test_argument_errors_carry_the_method_in_the_traceback(make_trader, call, error, message):
    trader = make_trader()
    count = len(sim.calls(directory(trader)))
    with pytest.raises(error, match=message) as caught:
        call(trader)
    assert any(entry.name.startswith("Quorvan.CTP.TraderApiBase.TraderApiBase.")
               for entry in caught.traceback)
    assert len(sim.calls(directory(trader))) == count


def test_conversions_happen_before_the_vendor_object_check(make_trader):
    trader = make_trader()
    trader.Release()
    with pytest.raises(TypeError):
        trader.RegisterFront("text")
    with pytest.raises(OverflowError):
        trader.SubscribePrivateTopic(-2 ** 40)
    with pytest.raises(OverflowError):
        trader.RegisterFensUserInfo(-1)
    assert trader.SubmitUserSystemInfo(None) == -1


@pytest.mark.parametrize("operation, call", [
    ("RegisterFront", lambda t: t.RegisterFront(b"tcp://h:1")),
    ("RegisterNameServer", lambda t: t.RegisterNameServer(b"tcp://h:1")),
    ("RegisterFensUserInfo", lambda t: t.RegisterFensUserInfo(FENS)),
    ("SubscribePrivateTopic", lambda t: t.SubscribePrivateTopic(1)),
    ("SubscribePublicTopic", lambda t: t.SubscribePublicTopic(1)),
    ("GetTradingDay", lambda t: t.GetTradingDay()),
    ("RegisterUserSystemInfo", lambda t: t.RegisterUserSystemInfo(INFO)),
    ("SubmitUserSystemInfo", lambda t: t.SubmitUserSystemInfo(INFO)),
])
def test_vendor_exceptions_of_control_operations(make_trader, operation, call):
    trader = make_trader()
    sim.throw_next(trader, operation, "out_of_range", "no such thing")
    with pytest.raises(IndexError, match="^no such thing$") as caught:
        call(trader)
    assert caught.traceback[-1].name == f"Quorvan.CTP.TraderApiBase.TraderApiBase.{operation}"


@pytest.mark.parametrize("operation", ["RegisterSpi", "Release"])
def test_a_failed_release_keeps_the_object(make_trader, operation):
    trader = make_trader()
    sim.throw_next(trader, operation, "runtime_error", "busy")
    with pytest.raises(RuntimeError, match="^busy$"):
        trader.Release()
    assert trader.GetTradingDay() != b""
    trader.Release()
    assert trader.GetTradingDay() == b""
    assert sim.calls(directory(trader))[-1] == ("Release",)


def test_user_system_info_results_pass_through(make_trader):
    trader = make_trader()
    sim.fail_next(trader, "SubmitUserSystemInfo", -3)
    assert trader.SubmitUserSystemInfo(INFO) == -3
    assert trader.SubmitUserSystemInfo(INFO) == 0


def test_join_returns_when_another_thread_releases(make_trader, no_involuntary_switches):
    trader = make_trader()
    results = []
    about_to_join = threading.Event()

    def join():
        about_to_join.set()
        results.append(trader.Join())

    waiter = threading.Thread(target=join)
    waiter.start()
    # Without involuntary switches the waiter keeps the interpreter lock from the event into
    # Join, which gives it up only to wait.
    about_to_join.wait(30)
    trader.Release()
    waiter.join(30)
    assert not waiter.is_alive()
    assert results == [0]
    assert ("Join",) not in sim.calls(directory(trader))


def test_concurrent_releases(make_trader):
    for _ in range(20):
        trader = make_trader()
        threads = [threading.Thread(target=trader.Release) for _ in range(4)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join(30)
        assert sim.calls(directory(trader)).count(("Release",)) == 1
        assert trader.GetTradingDay() == b""
