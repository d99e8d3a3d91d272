"""What the extension refuses before anything reaches the vendor, and what it reports instead
of ending the process: the vendor takes C strings, fixed-size text fields and an enum, and
its thread must never see an exception or an exit."""
import ctypes
import os
import subprocess
import sys
import textwrap

import pytest

import Quorvan.sim as sim
from Quorvan.CTP import ApiStruct, TraderApiBase as module
from Quorvan.utils.base_field import to_bytes
from conftest import IDENTITY, MD_IDENTITY, Idle, Md, Trader, wait_until


def flow_dir(trader):
    return trader.flow_path + "td.con/"


# ----- resume types ----------------------------------------------------------------------------

@pytest.mark.parametrize("value", [-1, 4, 2 ** 31, -2 ** 31])
@pytest.mark.parametrize("method", ["SubscribePrivateTopic", "SubscribePublicTopic"])
def test_resume_types_outside_the_enum_are_refused(make_trader, method, value):
    trader = make_trader(Idle)
    count = len(sim.calls(trader))
    with pytest.raises(ValueError, match=f"^{value} is not a THOST_TE_RESUME_TYPE"):
        getattr(trader, method)(value)
    assert len(sim.calls(trader)) == count


@pytest.mark.parametrize("argument", ["private_resume_type", "public_resume_type"])
def test_the_constructor_refuses_a_resume_type_outside_the_enum(tmp_path, argument):
    with pytest.raises(ValueError, match="THOST_TE_RESUME_TYPE"):
        Idle(**dict(IDENTITY, flow_path=str(tmp_path), **{argument: 4}))
    received = sim.calls(str(tmp_path / "U01" / "td.con") + "/")
    assert [call for call in received if call[0].startswith("Subscribe") and call[1] == 4] == []
    assert received[-1] == ("Release",)


# ----- identity text -------------------------------------------------------------------------

def room(*fields):
    """The text the smallest of the vendor's fields holds, less the closing NUL."""
    return min(getattr(record, field).size for record, field in fields) - 1


ROOM = {
    "broker_id": room((ApiStruct.ReqUserLoginField, "BrokerID"),
                      (ApiStruct.ReqAuthenticateField, "BrokerID")),
    "investor_id": room((ApiStruct.ReqUserLoginField, "UserID"),
                        (ApiStruct.ReqAuthenticateField, "UserID"),
                        (ApiStruct.SettlementInfoConfirmField, "InvestorID")),
    "password": room((ApiStruct.ReqUserLoginField, "Password")),
    "app_id": room((ApiStruct.ReqAuthenticateField, "AppID")),
    "auth_code": room((ApiStruct.ReqAuthenticateField, "AuthCode")),
}


@pytest.mark.parametrize("argument", ROOM)
@pytest.mark.parametrize("kind", [bytes, str])
def test_identity_text_longer_than_the_vendors_field_is_refused(tmp_path, argument, kind):
    # In GB18030 a Chinese character takes two bytes: the limit counts what the vendor gets.
    text = b"9" * (ROOM[argument] + 1) if kind is bytes else "价" * (ROOM[argument] // 2 + 1)
    with pytest.raises(ValueError, match=rf"^{argument} takes at most {ROOM[argument]} bytes"):
        Trader(**dict(IDENTITY, flow_path=str(tmp_path), **{argument: text}))
    assert list(tmp_path.iterdir()) == []


@pytest.mark.parametrize("cls, identity, argument", [
    *[(Trader, IDENTITY, argument) for argument in ROOM],
    *[(Md, MD_IDENTITY, argument) for argument in ("broker_id", "investor_id", "password")],
])
@pytest.mark.parametrize("text", ["9\0", b"\0"])
def test_identity_text_holding_a_nul_is_refused(tmp_path, cls, identity, argument, text):
    with pytest.raises(ValueError, match=rf"^NUL byte in {argument}"):
        cls(**dict(identity, flow_path=str(tmp_path), **{argument: text}))
    assert list(tmp_path.iterdir()) == []


def test_identity_text_that_fills_the_vendors_fields_logs_in(make_trader):
    identity = {argument: b"7" * size for argument, size in ROOM.items()}
    trader = make_trader(Trader, td_server="127.0.0.1:41277", **identity)
    wait_until(lambda: trader.status == 0)
    assert trader.init_error_msg["ErrorID"] == 0
    assert {argument: getattr(trader, argument) for argument in ROOM} == identity


# ----- front addresses -----------------------------------------------------------------------

@pytest.mark.parametrize("address", [b"tcp://h\0:1", bytearray(b"tcp://h:1\0")])
@pytest.mark.parametrize("method", ["RegisterFront", "RegisterNameServer", "connect"])
def test_an_address_holding_a_nul_is_refused(make_trader, method, address):
    trader = make_trader(Idle)
    count = len(sim.calls(trader))
    with pytest.raises(ValueError, match="NUL byte"):
        getattr(trader, method)(address)
    assert len(sim.calls(trader)) == count


def test_the_constructor_refuses_a_front_address_holding_a_nul(tmp_path):
    with pytest.raises(ValueError, match="^NUL byte in td_server"):
        Trader(**dict(IDENTITY, flow_path=str(tmp_path), td_server="127.0.0.1\0:41205"))
    assert list(tmp_path.iterdir()) == []


# ----- the flow directory --------------------------------------------------------------------

@pytest.mark.parametrize("base, investor", [("流水", "U01"), ("flow", "投资者")])
def test_a_non_ascii_flow_directory_reaches_the_library_as_the_file_system_spells_it(
        make_trader, tmp_path, base, investor):
    try:
        os.fsencode(base + investor)
    except UnicodeEncodeError:
        pytest.skip("the file system encoding cannot spell the path")
    trader = make_trader(Idle, flow_path=str(tmp_path / base), investor_id=investor)
    handed = os.fsencode(flow_dir(trader))
    assert os.path.isdir(handed)
    assert sim.calls(handed)[0] == ("RegisterSpi", True)
    with pytest.raises(KeyError):
        sim.calls(to_bytes(flow_dir(trader)))


class LatePath:
    """os.path, but every directory is missing when checked."""

    @staticmethod
    def exists(path):
        return False

    def __getattr__(self, name):
        return getattr(os.path, name)


class LateChecks:
    """The module's os as another trader constructed at the same time makes it look: every
    directory is missing when checked and may exist when made."""

    path = LatePath()

    def __getattr__(self, name):
        return getattr(os, name)


def test_a_flow_directory_made_meanwhile_by_another_trader_counts_as_made(make_trader, tmp_path,
                                                                          monkeypatch):
    first = make_trader(Idle)
    monkeypatch.setattr(module, "os", LateChecks())
    second = make_trader(Idle)
    assert second.flow_path == first.flow_path
    assert sim.calls(flow_dir(second))[0] == ("RegisterSpi", True)


def test_a_file_in_the_way_of_the_flow_directory_is_still_refused(tmp_path, monkeypatch):
    (tmp_path / "U01").write_text("")
    monkeypatch.setattr(module, "os", LateChecks())
    with pytest.raises(FileExistsError):
        Trader(**dict(IDENTITY, flow_path=str(tmp_path)))


# ----- exits and errors where no caller can hear them ----------------------------------------

REPORTED = """
    import sys, threading
    import Quorvan.sim as sim
    from Quorvan.CTP.ApiStruct import OrderField
    from Quorvan.CTP.TraderApiBase import TraderApiBase

    reports = []
    sys.unraisablehook = reports.append

    class Exiting(TraderApiBase):
        def OnFrontConnected(self):
            pass

        def Release(self):
            super().Release()
            self.on_main_thread = threading.current_thread() is threading.main_thread()
            print("released on the main thread:", self.on_main_thread)
            sys.exit(3)

    trader = Exiting("9999", "h:1", "U1", "p", "a", "c", flow_path=sys.argv[1])
"""

AFTER_TEARDOWN = """
    for report in reports:
        print("reported:", type(report.exc_value).__name__, report.object)
    print("still running")
"""

SCENARIOS = {
    "teardown on the main thread": ("""
        del trader
    """, "True"),
    # The handler lets go of the last reference, so the bridge's own reference is the last
    # one: teardown runs on the vendor's thread when the event ends.
    "teardown on the vendor's thread": ("""
        holder = [trader]
        Exiting.OnRtnOrder = lambda self, pOrder: holder.clear()
        directory = trader.flow_path + "td.con/"
        del trader
        sim.emit(directory, "OnRtnOrder", OrderField())
        while not reports:
            threading.Event().wait(0.01)
    """, "False"),
}


@pytest.mark.parametrize("scenario", SCENARIOS)
def test_a_release_exiting_during_teardown_is_reported_not_acted_on(tmp_path, scenario):
    code, main_thread = SCENARIOS[scenario]
    script = "".join(textwrap.dedent(part) for part in (REPORTED, code, AFTER_TEARDOWN))
    done = subprocess.run([sys.executable, "-c", script, str(tmp_path)], capture_output=True,
                          text=True, timeout=120)
    assert done.returncode == 0, done.stderr
    assert done.stdout.splitlines() == [
        f"released on the main thread: {main_thread}",
        "reported: SystemExit Quorvan.CTP.TraderApiBase.TraderApiBase.__dealloc__",
        "still running"]
    assert "SystemExit: 3" in done.stderr


HOOK_EXITS = """
    import sys
    import Quorvan.sim as sim
    from Quorvan.CTP.ApiStruct import OrderField
    from Quorvan.CTP.TraderApiBase import TraderApiBase

    reports = []
    sys.unraisablehook = reports.append
    sys.excepthook = lambda *error: sys.exit(9)

    class Failing(TraderApiBase):
        def OnFrontConnected(self):
            pass

        def OnRtnOrder(self, pOrder):
            raise ValueError("handler failed")

    trader = Failing("9999", "h:1", "U1", "p", "a", "c", flow_path=sys.argv[1])
    sim.emit(trader, "OnRtnOrder", OrderField())
    print([(type(report.exc_value).__name__, report.object) for report in reports])
"""


def test_a_failing_handler_is_reported_even_where_the_excepthook_would_exit(tmp_path):
    done = subprocess.run([sys.executable, "-c", textwrap.dedent(HOOK_EXITS), str(tmp_path)],
                          capture_output=True, text=True, timeout=120)
    assert done.returncode == 0, done.stderr
    assert done.stdout.strip() == str(
        [("ValueError", "Quorvan.CTP.TraderApiBase.TraderSpi_OnRtnOrder")])
    assert "ValueError: handler failed" in done.stderr


@pytest.mark.parametrize("operation", ["RegisterSpi", "Release"])
def test_a_vendor_bad_alloc_during_teardown_is_reported_as_memory_error(tmp_path, unraisable,
                                                                       operation):
    trader = Idle(**dict(IDENTITY, flow_path=str(tmp_path)))
    directory = flow_dir(trader)
    sim.throw_next(trader, operation, "bad_alloc", "no room")
    del trader
    assert [(type(report.exc_value), report.object) for report in unraisable] == [
        (MemoryError, "Quorvan.CTP.TraderApiBase.TraderApiBase.__dealloc__")]
    # Released all the same, so no event can reach the freed object.
    assert sim.calls(directory)[-1] == ("Release",)
