"""An order's round trip through the whole stack against the simulated broker.

From buy_open (or sell_close) on the main thread to the OnRtnTrade handler on the trader
library's thread: the median and the 99th percentile over many orders sent one at a time,
then orders per second with many orders in flight. The floor: the same order flow driven by
a C++ client of the simulated library whose callbacks do nothing
(bench/round_trip_client.cpp; `make bench` builds it and names it in
QUORVAN_BENCH_ROUND_TRIP_CLIENT); the ratio of the medians has a target of at most 2. The
two sides take turns, a batch of orders each, after the same warm-up, so that both see the
same load of a shared machine. Each side waits for its fill as cheaply as its language
allows (the client on a condition variable, this side on a lock that the OnRtnTrade handler
releases), since the waiting thread competes for the machine's cores with the broker's.
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
WARM_UP = 200
BATCH = 20
BATCHES = 100
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


class Lockstep(Trading):
    """Waits for its fills on a plain lock, which the handler releases at the fill announced
    beforehand: the waiting costs the main thread no more than the client's condition
    variable costs it."""

    def init_extra(self):
        super().init_extra()
        self.awaited = None
        self.arrived = threading.Lock()
        self.arrived.acquire()

    def OnRtnTrade(self, pTrade):
        self.filled_at = time.perf_counter()
        self.fills += 1
        if self.fills == self.awaited:
            self.arrived.release()

    def await_fills(self, count):
        """Announces the wait for `count` fills in all; called before the orders are sent."""
        self.awaited = count

    def wait_fills(self, count):
        if not self.arrived.acquire(timeout=60):
            raise SystemExit(f"only {self.fills} of {count} fills arrived")


def place(trader, index, market):
    """Alternately opens and closes one lot, so the account never runs out of money."""
    if index % 2 == 0:
        trader.buy_open(EXCHANGE, INSTRUMENT, market["ask"], 1)
    else:
        trader.sell_close(EXCHANGE, INSTRUMENT, market["bid"], 1, True)


class PythonSide:
    """Round trips through the package, `count` orders one at a time."""

    def __init__(self, trader, market):
        self.trader, self.market, self.sent = trader, market, 0

    def round_trips(self, count):
        latencies = []
        for index in range(self.sent, self.sent + count):
            self.trader.await_fills(index + 1)
            started = time.perf_counter()
            place(self.trader, index, self.market)
            self.trader.wait_fills(index + 1)
            latencies.append(self.trader.filled_at - started)
        self.sent += count
        return latencies


class ClientSide:
    """Round trips through the C++ client, which sends each batch it is asked for."""

    def __init__(self, client, flow):
        self.process = subprocess.Popen([client, CLIENT_FRONT, flow], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, text=True)

    def round_trips(self, count):
        self.process.stdin.write(f"{count}\n")
        self.process.stdin.flush()
        line = self.process.stdout.readline()
        if not line:
            raise SystemExit(f"the C++ client ended with status {self.process.wait()}")
        return [float(figure) * 1e-6 for figure in line.split()]

    def close(self):
        self.process.stdin.close()
        if self.process.wait() != 0:
            raise SystemExit(f"the C++ client ended with status {self.process.returncode}")


def taking_turns(sides):
    """Each side's latencies over BATCHES batches, after a warm-up batch that is not kept; the
    side that goes first alternates from batch to batch."""
    for side in sides:
        side.round_trips(WARM_UP)
    latencies = [[] for _ in sides]
    for batch in range(BATCHES):
        order = range(len(sides)) if batch % 2 == 0 else reversed(range(len(sides)))
        for index in order:
            latencies[index] += sides[index].round_trips(BATCH)
    return latencies


def summary(latencies):
    latencies = sorted(latencies)
    return statistics.median(latencies), latencies[int(len(latencies) * 0.99)]


def main():
    sim.configure(FRONT, accounts={"BENCH01": dict(password="p", balance=1e9)})
    market = {"bid": 3200.0, "ask": 3201.0}
    sim.set_market(INSTRUMENT, front=FRONT, **market)
    client = os.environ.get("QUORVAN_BENCH_ROUND_TRIP_CLIENT")
    with tempfile.TemporaryDirectory() as flow:
        trader = Lockstep("9999", FRONT, "BENCH01", "p", "a", "c", flow_path=flow)
        deadline = time.monotonic() + 30
        while trader.status != 0:
            if time.monotonic() > deadline:
                raise SystemExit(f"not ready: {trader.init_error_msg}")
            time.sleep(0.01)

        python_side = PythonSide(trader, market)
        if client and os.path.exists(client):
            client_side = ClientSide(client, flow)
            latencies, client_latencies = taking_turns([python_side, client_side])
            client_side.close()
        else:
            (latencies,), client_latencies = taking_turns([python_side]), None

        trader.await_fills(python_side.sent + BURST)
        started = time.perf_counter()
        for index in range(python_side.sent, python_side.sent + BURST):
            place(trader, index, market)
        trader.wait_fills(python_side.sent + BURST)
        per_second = BURST / (trader.filled_at - started)
        trader.Release()

        receiver = Receiver("9999", "127.0.0.1:1", "B01", "p", "a", "c", flow_path=flow)
        bridge = min(bridge_seconds(receiver, filled_order()) for _ in range(5))
        receiver.Release()

    median, p99 = summary(latencies)
    print(f"Order round trip, buy_open/sell_close to OnRtnTrade ({len(latencies)} orders, "
          f"one at a time, in {BATCHES} batches)")
    print(f"  median {median * 1e6:8.1f} us   99th percentile {p99 * 1e6:8.1f} us")
    print(f"  {per_second:,.0f} orders per second with {BURST} in flight")
    if client_latencies is None:
        print("  (no C++ client to compare with: make bench builds it)")
    else:
        client_median, client_p99 = summary(client_latencies)
        print(f"  C++ client, callbacks doing nothing, batches in turn: median "
              f"{client_median * 1e6:8.1f} us   99th percentile {client_p99 * 1e6:8.1f} us")
        print(f"  ratio of the medians {median / client_median:.2f} (target <= {TARGET_RATIO:g})")
    print(f"  the bridge's time for one event in this run: {bridge * 1e6:.2f} us "
          f"(a round trip delivers 3 or more events)")


if __name__ == "__main__":
    main()
