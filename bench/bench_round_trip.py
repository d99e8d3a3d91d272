"""An order's round trip through the whole stack against the simulated broker.

From buy_open (or sell_close) on the main thread to the OnRtnTrade handler on the trader
library's thread: the median and the 99th percentile over many orders sent one at a time,
then orders per second with many orders in flight. The floor, run in the same run: the same
order flow driven by a C++ client of the simulated library whose callbacks do nothing
(bench/round_trip_client.cpp; `make bench` builds it and names it in
QUORVAN_BENCH_ROUND_TRIP_CLIENT); the ratio of the medians has a target of at most 2.
Beside them, the bridge's own time for one event (OnRtnOrder bursts through
Quorvan.sim.emit), which every event of the round trip pays.
"""
import os
import statistics
import subprocess
import tempfile
import threading
import time

import Quorvan.sim as sim
from Quorvan.CTP.TraderApiBase import TraderApiBase
from bench_event_path import Receiver, bridge_seconds
from bench_records import filled_order

FRONT = "tcp://127.0.0.1:40999"
CLIENT_FRONT = "tcp://127.0.0.1:40998"
EXCHANGE, INSTRUMENT = b"SHFE", "rb2705"
ROUND_TRIPS = 2000
BURST = 2000
TARGET_RATIO = 2.0


class Trading(TraderApiBase):
    def init_extra(self):
        self.fills = 0
        self.filled = threading.Condition()
        self.filled_at = None

    def OnRtnTrade(self, pTrade):
        with self.filled:
            self.filled_at = time.perf_counter()
            self.fills += 1
            self.filled.notify_all()

    def wait_fills(self, count):
        with self.filled:
            if not self.filled.wait_for(lambda: self.fills >= count, 60):
                raise SystemExit(f"only {self.fills} of {count} fills arrived")


def place(trader, index, market):
    """Alternately opens and closes one lot, so the account never runs out of money."""
    if index % 2 == 0:
        trader.buy_open(EXCHANGE, INSTRUMENT, market["ask"], 1)
    else:
        trader.sell_close(EXCHANGE, INSTRUMENT, market["bid"], 1, True)


def client_round_trip(flow):
    """The C++ client's median and 99th percentile round trip, in seconds; None when it was
    not built (make bench builds it)."""
    client = os.environ.get("QUORVAN_BENCH_ROUND_TRIP_CLIENT")
    if not client or not os.path.exists(client):
        return None
    output = subprocess.run([client, CLIENT_FRONT, flow, str(ROUND_TRIPS)], check=True,
                            capture_output=True, text=True).stdout
    median, p99 = (float(figure) * 1e-6 for figure in output.split())
    return median, p99


def main():
    sim.configure(FRONT, accounts={"BENCH01": dict(password="p", balance=1e9)})
    market = {"bid": 3200.0, "ask": 3201.0}
    sim.set_market(INSTRUMENT, front=FRONT, **market)
    with tempfile.TemporaryDirectory() as flow:
        trader = Trading("9999", FRONT, "BENCH01", "p", "a", "c", flow_path=flow)
        deadline = time.monotonic() + 30
        while trader.status != 0:
            if time.monotonic() > deadline:
                raise SystemExit(f"not ready: {trader.init_error_msg}")
            time.sleep(0.01)

        latencies = []
        for index in range(ROUND_TRIPS):
            started = time.perf_counter()
            place(trader, index, market)
            trader.wait_fills(index + 1)
            latencies.append(trader.filled_at - started)

        started = time.perf_counter()
        for index in range(BURST):
            place(trader, index, market)
        trader.wait_fills(ROUND_TRIPS + BURST)
        per_second = BURST / (trader.filled_at - started)
        trader.Release()

        client = client_round_trip(flow)

        receiver = Receiver("9999", "127.0.0.1:1", "B01", "p", "a", "c", flow_path=flow)
        bridge = min(bridge_seconds(receiver, filled_order()) for _ in range(5))
        receiver.Release()

    latencies.sort()
    median = statistics.median(latencies)
    p99 = latencies[int(len(latencies) * 0.99)]
    print(f"Order round trip, buy_open/sell_close to OnRtnTrade ({ROUND_TRIPS} orders, one at a time)")
    print(f"  median {median * 1e6:8.1f} us   99th percentile {p99 * 1e6:8.1f} us")
    print(f"  {per_second:,.0f} orders per second with {BURST} in flight")
    if client is None:
        print("  (no C++ client to compare with: make bench builds it)")
    else:
        print(f"  C++ client, callbacks doing nothing: median {client[0] * 1e6:8.1f} us   "
              f"99th percentile {client[1] * 1e6:8.1f} us")
        print(f"  ratio of the medians {median / client[0]:.2f} (target <= {TARGET_RATIO:g})")
    print(f"  the bridge's time for one event in this run: {bridge * 1e6:.2f} us "
          f"(a round trip delivers 3 or more events)")


if __name__ == "__main__":
    main()
