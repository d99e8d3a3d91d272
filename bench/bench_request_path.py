"""How fast a request reaches the vendor.

ReqOrderInsert(record) on a trader, against the floor of calling an empty C function with the
record's address through ctypes (ctypes.addressof plus a foreign call, what a binding built
on ctypes would pay). Prints both and the ratio (target: at most 1, not slower than ctypes).

The simulated library does on the caller's thread what a vendor library does: it takes the
request in (logging it, for Quorvan.sim.calls) and queues it for the API object's own thread,
which answers later with events. While the loop runs, that thread is kept inside a handler,
as a slow strategy would keep it, so the answers wait in its queue. Otherwise each answer's
callback would take the interpreter lock from the loop, and the loop would measure the event
path (bench_event_path.py) as well as the request's. That figure, with the answers flowing,
is printed after the ratio for reference.
"""
import contextlib
import ctypes
import os
import subprocess
import tempfile
import threading

import Quorvan.sim as sim
from Quorvan.CTP.ApiStruct import InputOrderField
from Quorvan.CTP.TraderApiBase import TraderApiBase
from timing import best_seconds

ROUNDS = 15
TARGET_RATIO = 1.0
HOLD_TIMEOUT = 60.0


class Quiet(TraderApiBase):
    def OnFrontConnected(self):
        pass


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


@contextlib.contextmanager
def vendor_thread_held(trader):
    """Keeps the trader's vendor thread inside a handler until the block ends."""
    entered, leave = threading.Event(), threading.Event()

    def hold(data):
        entered.set()
        leave.wait()

    trader.OnRtnBulletin = hold
    holder = threading.Thread(target=sim.emit, args=(trader, "OnRtnBulletin", None))
    holder.start()
    try:
        if not entered.wait(HOLD_TIMEOUT):
            raise RuntimeError("the vendor thread never entered the holding handler")
        yield
    finally:
        leave.set()
        holder.join()


def main():
    record = InputOrderField(BrokerID=b"9999", InvestorID=b"R01", InstrumentID=b"rb2510",
                             OrderRef=b"1", LimitPrice=3500.0, VolumeTotalOriginal=1)
    with tempfile.TemporaryDirectory() as directory:
        namespace = {"record": record, "ctypes": ctypes, "empty": empty_function(directory)}
        floor_statement = "empty(ctypes.addressof(record), 0)"
        trader = Quiet("9999", "127.0.0.1:1", "R01", "p", "a", "c",
                       flow_path=os.path.join(directory, "held", ""))
        namespace["trader"] = trader
        with vendor_thread_held(trader):
            floor, measured = best_seconds(
                [floor_statement, "trader.ReqOrderInsert(record)"], namespace, ROUNDS)
        trader.Release()

        flowing_trader = Quiet("9999", "127.0.0.1:1", "R01", "p", "a", "c",
                               flow_path=os.path.join(directory, "flowing", ""))
        namespace["trader"] = flowing_trader
        (flowing,) = best_seconds(["trader.ReqOrderInsert(record)"], namespace, ROUNDS)
        flowing_trader.Release()
    print("ReqOrderInsert(InputOrderField)")
    print(f"  ctypes: empty(ctypes.addressof(record), 0)  {floor * 1e6:8.3f} us")
    print(f"  trader.ReqOrderInsert(record)               {measured * 1e6:8.3f} us")
    print(f"  ratio {measured / floor:.2f} (target <= {TARGET_RATIO:g})")
    print(f"  for reference, with the answers flowing     {flowing * 1e6:8.3f} us"
          " (each order answered by two events through the bridge)")


if __name__ == "__main__":
    main()
