"""How fast a request reaches the vendor.

ReqOrderInsert(record) on a trader, against the floor of calling an empty C function with the
record's address through ctypes (ctypes.addressof plus a foreign call, what a binding built
on ctypes would pay). Prints both and the ratio (target: at most 1, not slower than ctypes).
The simulated library records each request, so its own work is included in the first figure.
"""
import ctypes
import os
import subprocess
import tempfile

from Quorvan.CTP.ApiStruct import InputOrderField
from Quorvan.CTP.TraderApiBase import TraderApiBase
from timing import best_seconds

ROUNDS = 15
TARGET_RATIO = 1.0


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


def main():
    record = InputOrderField(BrokerID=b"9999", InvestorID=b"R01", InstrumentID=b"rb2510",
                             OrderRef=b"1", LimitPrice=3500.0, VolumeTotalOriginal=1)
    with tempfile.TemporaryDirectory() as directory:
        trader = Quiet("9999", "127.0.0.1:1", "R01", "p", "a", "c", flow_path=directory)
        namespace = {"trader": trader, "record": record, "ctypes": ctypes,
                     "empty": empty_function(directory)}
        floor, measured = best_seconds(
            ["empty(ctypes.addressof(record), 0)", "trader.ReqOrderInsert(record)"], namespace, ROUNDS)
        trader.Release()
    print("ReqOrderInsert(InputOrderField)")
    print(f"  ctypes: empty(ctypes.addressof(record), 0)  {floor * 1e6:8.3f} us")
    print(f"  trader.ReqOrderInsert(record)               {measured * 1e6:8.3f} us")
    print(f"  ratio {measured / floor:.2f} (target <= {TARGET_RATIO:g})")


if __name__ == "__main__":
    main()
