"""How fast a request crosses the extension into the vendor library.

ReqOrderInsert(record) on a trader whose vendor library is a stub (bench/stub_trader_api.cpp:
every request returns 0 at once), against the floor of calling an empty C function with the
record's address through ctypes (ctypes.addressof plus a foreign call, what a binding built on
ctypes would pay). Both are timed in turn in one process, and the ratio printed (target: at
most 1, not slower than ctypes). Then a helper, buy_open, against what a program would
otherwise write: the same order built as an InputOrderField from its 19 fields and handed to
the empty function through ctypes (target: at most 1 again).

The stub stands beside a second copy of the extension that `make bench` stages in the build
folder (the request_bench_stage target); that half runs in a subprocess which imports the
package from there. For reference, the same call through the simulated library follows: it
logs and queues each request, and its broker answers each with events through the bridge.
"""
import ctypes
import os
import subprocess
import sys
import tempfile

from timing import best_seconds

ROUNDS = 15
TARGET_RATIO = 1.0
HERE = os.path.dirname(os.path.abspath(__file__))
STUB_STAGE = os.environ.get("QUORVAN_BENCH_STUB_STAGE") or os.path.join(
    HERE, os.pardir, "build", "py%d.%d" % sys.version_info[:2], "bench-stub")
LOGIN = ("9999", "127.0.0.1:1", "R01", "p", "a", "c")


def empty_function(directory):
    """An empty C function taking a record pointer and a request id, built for this run."""
    source = os.path.join(directory, "empty.c")
    library = os.path.join(directory, "libempty.so")
    with open(source, "w") as file:
        file.write("int empty(void *record, int request_id) { (void)record; "
                   "(void)request_id; return 0; }\n")
    subprocess.run(["cc", "-O2", "-shared", "-fPIC", "-o", library, source], check=True)
    function = ctypes.CDLL(library).empty
    function.argtypes = [ctypes.c_void_p, ctypes.c_int]
    function.restype = ctypes.c_int
    return function


# buy_open's order, as a program would build it without the helper.
ORDER = ("dict(BrokerID=b'9999', InvestorID=b'R01', ExchangeID=b'SHFE', InstrumentID=b'rb2510',"
         " UserID=b'R01', OrderPriceType=b'2', Direction=b'0', CombOffsetFlag=b'0',"
         " CombHedgeFlag=b'1', LimitPrice=3500.0, VolumeTotalOriginal=1, TimeCondition=b'3',"
         " VolumeCondition=b'1', MinVolume=1, ContingentCondition=b'1', StopPrice=0,"
         " ForceCloseReason=b'0', IsAutoSuspend=0, OrderRef=b'%d' % 1)")


def timed_against_floor(directory, flow_path, with_helper=False):
    """The floor and ReqOrderInsert on a new trader, each the best time of one call; with
    the helper, then also its floor and buy_open."""
    from Quorvan.CTP.ApiStruct import InputOrderField
    from Quorvan.CTP.TraderApiBase import TraderApiBase

    class Quiet(TraderApiBase):
        def OnFrontConnected(self):
            pass

        def write_log(self, *items):
            pass

    record = InputOrderField(BrokerID=b"9999", InvestorID=b"R01", InstrumentID=b"rb2510",
                             OrderRef=b"1", LimitPrice=3500.0, VolumeTotalOriginal=1)
    trader = Quiet(*LOGIN, flow_path=flow_path)
    namespace = {"record": record, "ctypes": ctypes, "empty": empty_function(directory),
                 "trader": trader, "InputOrderField": InputOrderField}
    statements = ["empty(ctypes.addressof(record), 0)", "trader.ReqOrderInsert(record)"]
    if with_helper:
        statements += [f"empty(ctypes.addressof(InputOrderField(**{ORDER})), 0)",
                       "trader.buy_open(b'SHFE', 'rb2510', 3500.0, 1)"]
    try:
        return best_seconds(statements, namespace, ROUNDS)
    finally:
        trader.Release()


def against_stub():
    """Run in the subprocess: prints the floor and the call against the stub."""
    with tempfile.TemporaryDirectory() as directory:
        times = timed_against_floor(directory, os.path.join(directory, "flow", ""), True)
    print(" ".join(map(repr, times)))


def main():
    if not os.path.isdir(os.path.join(STUB_STAGE, "Quorvan")):
        raise SystemExit(f"no stub stage in {STUB_STAGE}: run `make bench`, which builds it")
    environment = dict(os.environ, PYTHONPATH=os.pathsep.join([STUB_STAGE, HERE]))
    child = subprocess.run([sys.executable, os.path.abspath(__file__), "--against-stub"],
                           env=environment, cwd=STUB_STAGE, capture_output=True, text=True,
                           check=True)
    floor, measured, helper_floor, helper = map(float, child.stdout.split()[-4:])

    import Quorvan.sim  # noqa: F401  (the simulated library, not the stub, in this process)
    with tempfile.TemporaryDirectory() as directory:
        sim_floor, through_sim = timed_against_floor(directory,
                                                     os.path.join(directory, "flow", ""))
    print("ReqOrderInsert(InputOrderField), the extension against a stub vendor library")
    print(f"  ctypes: empty(ctypes.addressof(record), 0)  {floor * 1e6:8.3f} us")
    print(f"  trader.ReqOrderInsert(record)               {measured * 1e6:8.3f} us")
    print(f"  ratio {measured / floor:.2f} (target <= {TARGET_RATIO:g})")
    print("buy_open, the extension against a stub vendor library")
    print(f"  ctypes: empty(ctypes.addressof(InputOrderField(**order)), 0)  "
          f"{helper_floor * 1e6:8.3f} us")
    print(f"  trader.buy_open(b'SHFE', 'rb2510', 3500.0, 1)                 {helper * 1e6:8.3f} us")
    print(f"  ratio {helper / helper_floor:.2f} (target <= {TARGET_RATIO:g})")
    print(f"  for reference, through the simulated library {through_sim * 1e6:8.3f} us"
          f" ({through_sim / sim_floor:.2f} x its own ctypes floor of"
          f" {sim_floor * 1e6:.3f} us), each order answered by events through the bridge")


if __name__ == "__main__":
    if sys.argv[1:] == ["--against-stub"]:
        against_stub()
    else:
        main()
