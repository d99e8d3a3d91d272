"""How fast a tick crosses the market-data bridge, and how long one takes from the market's
move to the handler.

Throughput: OnRtnDepthMarketData with a full DepthMarketDataField is raised N times in a row
on the simulated market-data library's own thread (Quorvan.sim.emit with count=N) and reaches
a trivial handler through the bridge. The floor is a Python loop calling the same handler with
DepthMarketDataField.from_address(a).to_dict() of the same record: the dict the handler gets,
made by the record class from memory as a pure-Python bridge would make it. Prints both, the
ratio (target: at most 1.2) and ticks per second.

Latency: sim.set_market moves rb2705's market at the broker whose front the object
subscribed to, and the handler notes when the tick arrives; the median and 99th percentile of
the time from the call to the handler, over many moves, one at a time.
"""
import ctypes
import statistics
import tempfile
import threading
import time

import Quorvan.sim as sim
from Quorvan.CTP.ApiStruct import DepthMarketDataField
from Quorvan.CTP.MdApiBase import MdApiBase

TICKS = 20000
ROUNDS = 15
TARGET_RATIO = 1.2
MOVES = 2000
FRONT = "127.0.0.1:41390"


def full_tick():
    """A tick with every field set, as a front sends it."""
    values = {}
    for index, (name, ctype) in enumerate(DepthMarketDataField._fields_):
        if issubclass(ctype, ctypes.Array):
            values[name] = (b"%d" % (index % 10)) * (ctype._length_ - 1)
        elif ctype is ctypes.c_double:
            values[name] = 3200.0 + index
        else:
            values[name] = index * 101
    return DepthMarketDataField(**values)


class Receiver(MdApiBase):
    def init_extra(self):
        self.last = None
        self.arrived = threading.Event()
        self.arrived_at = 0.0
        self.subscribed = threading.Event()

    def write_log(self, *items):
        pass

    def OnRspSubMarketData(self, pSpecificInstrument, pRspInfo, nRequestID, bIsLast):
        self.subscribed.set()

    def OnRtnDepthMarketData(self, pDepthMarketData):
        self.last = pDepthMarketData
        self.arrived_at = time.perf_counter()
        self.arrived.set()


def bridge_seconds(md, tick):
    started = time.perf_counter()
    sim.emit(md, "OnRtnDepthMarketData", tick, count=TICKS)
    return (time.perf_counter() - started) / TICKS


def loop_seconds(md, tick):
    handler = md.OnRtnDepthMarketData
    address = ctypes.addressof(tick)
    from_address = DepthMarketDataField.from_address
    started = time.perf_counter()
    for _ in range(TICKS):
        handler(from_address(address).to_dict())
    return (time.perf_counter() - started) / TICKS


def latencies(md):
    """Seconds from set_market's call to the handler, one move at a time."""
    seconds = []
    for move in range(MOVES):
        last = 3200 + move % 50
        md.arrived.clear()
        started = time.perf_counter()
        sim.set_market("rb2705", bid=last, ask=last + 1, last=last, front=FRONT)
        if not md.arrived.wait(30):
            raise SystemExit("bench_md_path: a tick never arrived")
        seconds.append(md.arrived_at - started)
    return seconds


def main():
    tick = full_tick()
    sim.configure(FRONT, reset=True)
    with tempfile.TemporaryDirectory() as flow:
        md = Receiver("9999", FRONT, "B01", flow_path=flow)
        bridge = loop = float("inf")
        # The two take turns, so that both see the same load of a shared machine.
        for _ in range(ROUNDS):
            loop = min(loop, loop_seconds(md, tick))
            bridge = min(bridge, bridge_seconds(md, tick))
        deadline = time.monotonic() + 30
        while md.status != 0 and time.monotonic() < deadline:
            time.sleep(0.01)
        md.subscribe(["rb2705"])
        if not md.subscribed.wait(30):
            raise SystemExit(f"bench_md_path: no subscription ({md.init_error_msg})")
        seconds = sorted(latencies(md))
        md.Release()
    print(f"OnRtnDepthMarketData with a full DepthMarketDataField, {TICKS} ticks a burst")
    print(f"  Python loop: handler(DepthMarketDataField.from_address(a).to_dict())"
          f"  {loop * 1e6:8.2f} us")
    print(f"  through the bridge (emit count={TICKS})"
          f"                                {bridge * 1e6:8.2f} us")
    print(f"  ratio {bridge / loop:.2f} (target <= {TARGET_RATIO:g}); "
          f"{1 / bridge:,.0f} ticks per second")
    p99 = seconds[min(len(seconds) - 1, int(len(seconds) * 0.99))]
    print(f"set_market to the handler, {MOVES} moves one at a time: "
          f"median {statistics.median(seconds) * 1e6:.1f} us, "
          f"99th percentile {p99 * 1e6:.1f} us")


if __name__ == "__main__":
    main()
