"""Quorvan.sim on its own: how it loads, and how it refuses what the library cannot take.
What it does to a trader's API object is covered with the extension, by the other suites."""

import ctypes
import inspect
import operator
import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

import pytest

sim = pytest.importorskip("Quorvan.sim", reason="built against the vendor's SDK: no simulator")

PACKAGE_DIR = Path(sys.modules["Quorvan"].__file__).parent
SOURCE_ROOT = Path(__file__).resolve().parents[2]


class TinyRecord(ctypes.Structure):
    _fields_ = [("Flag", ctypes.c_char)]


def run_python(code, path):
    """Runs `code` in a fresh interpreter that finds the Quorvan package in `path` alone."""
    return subprocess.run([sys.executable, "-c", code], capture_output=True, text=True,
                          cwd=path, env=dict(os.environ, PYTHONPATH=str(path)), timeout=120)


def test_imports_without_the_extension():
    result = run_python(
        "import sys, Quorvan.sim\n"
        "assert 'Quorvan.CTP.TraderApiBase' not in sys.modules, sorted(sys.modules)\n",
        PACKAGE_DIR.parent)
    assert result.returncode == 0, result.stderr


def test_without_the_simulated_library_import_says_so(tmp_path):
    copy = tmp_path / "Quorvan"
    shutil.copytree(PACKAGE_DIR, copy, ignore=shutil.ignore_patterns(
        "libthosttraderapi_se.so*", "__pycache__"))
    result = run_python("import Quorvan.sim", tmp_path)
    assert result.returncode != 0
    assert "ImportError" in result.stderr
    assert "libthosttraderapi_se.so is missing" in result.stderr


NOWHERE = "/nowhere/simulated/td.con/"

REFUSALS = [
    ("calls of a directory never used", lambda: sim.calls(NOWHERE), KeyError, "/nowhere"),
    ("emit to a directory never used", lambda: sim.emit(NOWHERE, "OnRtnOrder", None),
     KeyError, "/nowhere"),
    ("unknown event", lambda: sim.emit(NOWHERE, "OnRtnNothing"), ValueError, "OnRtnNothing"),
    ("too few arguments", lambda: sim.emit(NOWHERE, "OnRspQryOrder", None), TypeError,
     r"OnRspQryOrder\(pOrder, pRspInfo, nRequestID, bIsLast\) takes 4 arguments, 1 given"),
    ("record smaller than the event's", lambda: sim.emit(NOWHERE, "OnRtnOrder", TinyRecord()),
     TypeError, "OrderField"),
    ("rsp info smaller than RspInfoField",
     lambda: sim.emit(NOWHERE, "OnRspError", TinyRecord(), 1, True), TypeError, "RspInfoField"),
    ("int beyond a C int", lambda: sim.emit(NOWHERE, "OnFrontDisconnected", 2 ** 31),
     OverflowError, "nReason"),
    ("negative count", lambda: sim.emit(NOWHERE, "OnFrontConnected", count=-1), ValueError,
     "count"),
    ("unknown operation", lambda: sim.fail_next(NOWHERE, "ReqNothing", -1), ValueError,
     "ReqNothing"),
    ("failing an operation without a result", lambda: sim.fail_next(NOWHERE, "Init", -1),
     ValueError, "Init"),
    ("failing a request without a trader", lambda: sim.fail_next(None, "ReqOrderInsert", -1),
     ValueError, "ReqOrderInsert"),
    ("unknown exception kind", lambda: sim.throw_next(NOWHERE, "Init", "segfault", "x"),
     ValueError, "segfault"),
    ("a trader that is neither", lambda: sim.calls(42), TypeError, "flow_path"),
    ("a directory with a NUL byte", lambda: sim.calls("a\0b"), ValueError, "NUL"),
    ("a negative reconnection delay", lambda: sim.disconnect(NOWHERE, reconnect_after=-1),
     ValueError, "reconnect_after"),
    ("keeping fewer than no calls", lambda: sim.keep_calls(-1), ValueError, "-1"),
    ("keeping more calls than a size_t counts", lambda: sim.keep_calls(2 ** 64), OverflowError,
     "size_t"),
    ("keeping a text of calls", lambda: sim.keep_calls("3"), TypeError, "str"),
    ("a reconnection delay given as text",
     lambda: sim.disconnect(NOWHERE, reconnect_after="0.1"), TypeError, "reconnect_after"),
]


@pytest.mark.parametrize("call, error, message", [case[1:] for case in REFUSALS],
                         ids=[case[0] for case in REFUSALS])
def test_refusals_name_what_was_wrong(call, error, message):
    with pytest.raises(error, match=message):
        call()


# Quorvan.sim as its callers and the tools outside the package use it: every public name, with
# the signature of each callable.
INTERFACE = {
    "LIBRARY_PATH": None,
    "calls": "(trader)",
    "keep_calls": "(n)",
    "fail_next": "(trader, operation, result)",
    "throw_next": "(trader, operation, kind, message='')",
    "emit": "(trader, event, *args, count=1)",
    "disconnect": "(trader, reason=4097, reconnect_after=0.1)",
    "configure": "(front=None, *, accounts=None, instruments=None, exchanges=None, "
                 "limits=<unchanged>, store=None, trading_day=None, holidays=None, md_front=None, "
                 "trading_hours=<unchanged>, reset=False)",
    "set_market": "(instrument, *, bid=None, ask=None, last=None, bid_volume=None, "
                  "ask_volume=None, upper_limit=None, lower_limit=None, volume=None, "
                  "turnover=None, open_interest=None, bids=None, asks=None, time=None, "
                  "front=None)",
    "settle": "(front, settlement_prices=None)",
    "market": "(instrument, front=None)",
    "wait_delivered": "(front=None, timeout=None)",
    "replay": "(source, front=None, speed=None, md_queue=None)",
    "Replay": None,
    "Replay.progress": None,
    "Replay.wait": "(self, timeout=None)",
    "Replay.stop": "(self)",
    "ReplayQueue": "(maxsize=0)",
}


def test_the_public_names_and_signatures_are_the_interface():
    names = {name for name, value in vars(sim).items()
             if not name.startswith("_") and not inspect.ismodule(value)}
    assert names == {name for name in INTERFACE if "." not in name}
    assert {name for name in vars(sim.Replay) if not name.startswith("_")} == {
        name.partition(".")[2] for name in INTERFACE if name.startswith("Replay.")}
    for name, signature in INTERFACE.items():
        if signature is not None:
            assert str(inspect.signature(operator.attrgetter(name)(sim))) == signature, name
    # help(), reprs and pickles name them where users import them from.
    assert {getattr(sim, name).__module__ for name in sim.__all__} == {"Quorvan.sim"}


def c_type(declaration):
    """The ctypes type of a C type as control.h writes it ("const char *const *")."""
    words = [word for word in declaration.replace("*", " * ").split() if word != "const"]
    pointers = words.count("*")
    base = " ".join(word for word in words if word != "*")
    exact = {("void", 0): None, ("int", 0): ctypes.c_int, ("long long", 0): ctypes.c_longlong,
             ("size_t", 0): ctypes.c_size_t, ("double", 0): ctypes.c_double,
             ("char", 1): ctypes.c_char_p, ("void", 1): ctypes.c_void_p,
             # the opaque handles
             ("quorvan_sim_calls", 1): ctypes.c_void_p, ("quorvan_sim_host", 1): ctypes.c_void_p,
             ("quorvan_sim_tick_file", 1): ctypes.c_void_p}
    if (base, pointers) in exact:
        return exact[base, pointers]
    assert pointers, f"no ctypes type for {declaration!r}"
    return ctypes.POINTER(c_type(base + " *" * (pointers - 1)))


def test_the_ctypes_declarations_are_control_h():
    (header,) = SOURCE_ROOT.glob("simtrader/**/control.h")
    text = re.sub(r"/\*.*?\*/", "", header.read_text(), flags=re.S)
    functions = re.findall(r"QUORVAN_SIM_API\s+([^;(]*?)\bquorvan_sim_(\w+)\s*\(([^)]*)\)\s*;",
                           text)
    assert len(functions) > 20, f"{header}: its functions were not found"
    assert set(sim._library.DECLARATIONS) == {name for _, name, _ in functions}
    wrong = []
    for result, name, parameters in functions:
        arguments = tuple(c_type(re.sub(r"\w+$", "", parameter.strip()))
                          for parameter in parameters.split(",") if parameter.strip() != "void")
        function = getattr(sim._library.control, name)
        if (function.restype, tuple(function.argtypes)) != (c_type(result), arguments):
            wrong.append(name)
    assert wrong == [], f"declared otherwise than in {header}"
    codes = re.findall(r"\bQUORVAN_SIM_(\w+)\s*=\s*(-?\d+)", text)
    assert {name: getattr(sim._library, name, None) for name, _ in codes} == {
        name: int(value) for name, value in codes}
