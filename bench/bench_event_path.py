"""How fast an event crosses the bridge.

OnRtnOrder with a full OrderField is raised N times in a row on the simulated library's own
thread (Quorvan.sim.emit with count=N) and reaches a trivial handler through the bridge. The
floor is a Python loop calling the same handler with a dict of the same 66 values, built from
ready values with dict(zip(names, values)): what the handler gets, made as cheaply as Python
makes it. Prints both, the ratio (target: at most 1.5) and events per second.
"""
import tempfile
import time

import Quorvan.sim as sim
from Quorvan.CTP.TraderApiBase import TraderApiBase
from bench_records import filled_order

EVENTS = 20000
ROUNDS = 15
TARGET_RATIO = 1.5


class Receiver(TraderApiBase):
    def OnFrontConnected(self):
        pass

    def OnRtnOrder(self, pOrder):
        self.last = pOrder


def bridge_seconds(trader, order):
    started = time.perf_counter()
    sim.emit(trader, "OnRtnOrder", order, count=EVENTS)
    return (time.perf_counter() - started) / EVENTS


def loop_seconds(trader, order):
    handler = trader.OnRtnOrder
    sample = order.to_dict()
    names, values = tuple(sample), tuple(sample.values())
    started = time.perf_counter()
    for _ in range(EVENTS):
        handler(dict(zip(names, values)))
    return (time.perf_counter() - started) / EVENTS


def main():
    order = filled_order()
    with tempfile.TemporaryDirectory() as flow:
        trader = Receiver("9999", "127.0.0.1:1", "B01", "p", "a", "c", flow_path=flow)
        bridge = loop = float("inf")
        # The two take turns, so that both see the same load of a shared machine.
        for _ in range(ROUNDS):
            loop = min(loop, loop_seconds(trader, order))
            bridge = min(bridge, bridge_seconds(trader, order))
        trader.Release()
    print(f"OnRtnOrder with a full OrderField, {EVENTS} events a burst")
    print(f"  Python loop: handler(dict(zip(names, values)))  {loop * 1e6:8.2f} us")
    print(f"  through the bridge (emit count={EVENTS})      {bridge * 1e6:8.2f} us")
    print(f"  ratio {bridge / loop:.2f} (target <= {TARGET_RATIO:g}); "
          f"{1 / bridge:,.0f} events per second")


if __name__ == "__main__":
    main()
