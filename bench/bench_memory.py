"""The memory of a long session: orders placed and cancelled through one logged-in trader.

Each order rests below the market and is cancelled as soon as the broker has it, a hundred
in flight at a time (the broker checks the funds each new order needs against every resting
one). The process's resident memory is printed every tenth of the run, and at the end the
growth per order over the second half. What the simulated library keeps for itself (the
call log of each API object's last 100,000 calls, its queues) levels off within the first
50,000 orders; what still grows is the broker's day, its orders and the private flow that a
later login replays, kept packed.

    python3 bench/bench_memory.py [ORDERS]     (default 1,000,000; BENCH_ORDERS likewise)
"""
import os
import sys
import tempfile
import threading
import time

import Quorvan.sim as sim
from Quorvan.CTP.ApiConst import OrderStatus_Canceled
from Quorvan.CTP.TraderApiBase import TraderApiBase

FRONT = "tcp://127.0.0.1:40998"
EXCHANGE, INSTRUMENT = b"SHFE", "rb2705"
BID, ASK = 3200.0, 3201.0
RESTING_PRICE = BID - 100
IN_FLIGHT = 100
REPORTS = 10
TIMEOUT = 60.0
PAGE_SIZE = os.sysconf("SC_PAGE_SIZE")


def resident_bytes():
    with open("/proc/self/statm") as statm:
        return int(statm.read().split()[1]) * PAGE_SIZE


class Cancelling(TraderApiBase):
    """Cancels each order the broker accepted; counts the cancellations."""

    def init_extra(self):
        self.cancelled = 0
        self.changed = threading.Condition()

    def OnRtnOrder(self, pOrder):
        if pOrder["OrderStatus"] == OrderStatus_Canceled:
            with self.changed:
                self.cancelled += 1
                self.changed.notify_all()
        elif pOrder["OrderSysID"].strip():
            self.cancel_order(EXCHANGE, INSTRUMENT, pOrder["OrderRef"])

    def wait_cancelled(self, count):
        with self.changed:
            if not self.changed.wait_for(lambda: self.cancelled >= count, TIMEOUT):
                raise SystemExit(f"only {self.cancelled} of {count} orders were cancelled")


def wait_ready(trader):
    deadline = time.monotonic() + TIMEOUT
    while trader.status != 0:
        if time.monotonic() > deadline:
            raise SystemExit(f"not ready: {trader.init_error_msg}")
        time.sleep(0.01)


def order_count():
    text = sys.argv[1] if len(sys.argv) > 1 else os.environ.get("BENCH_ORDERS", "1000000")
    count = int(text.replace("_", "").replace(",", ""))
    if count < REPORTS:
        raise SystemExit(f"give at least {REPORTS} orders")
    return count


def main():
    orders = order_count()
    step = orders // REPORTS
    sim.configure(FRONT, accounts={"MEM01": dict(password="p", balance=1e12)})
    sim.set_market(INSTRUMENT, front=FRONT, bid=BID, ask=ASK)
    print(f"{orders:,} orders placed and cancelled through one trader")
    with tempfile.TemporaryDirectory() as flow:
        trader = Cancelling("9999", FRONT, "MEM01", "p", "a", "c", flow_path=flow)
        wait_ready(trader)
        started = time.perf_counter()
        start_memory = resident_bytes()
        print(f"  {0:>9,} orders  {start_memory / 2 ** 20:8.1f} MiB resident")
        halfway = None
        for placed in range(1, orders + 1):
            if placed > IN_FLIGHT:
                trader.wait_cancelled(placed - IN_FLIGHT)
            if trader.buy_open(EXCHANGE, INSTRUMENT, RESTING_PRICE, 1) != 0:
                raise SystemExit(f"order {placed} was not sent")
            if placed % step == 0:
                trader.wait_cancelled(placed)
                memory = resident_bytes()
                if placed == step * (REPORTS // 2):
                    halfway = (placed, memory)
                print(f"  {placed:>9,} orders  {memory / 2 ** 20:8.1f} MiB resident")
        seconds = time.perf_counter() - started
        trader.Release()
    half, half_memory = halfway
    per_order = (memory - half_memory) / (placed - half)
    print(f"  {per_order:.0f} bytes an order from {half:,} orders on"
          f" ({orders / seconds:,.0f} orders a second, each placed and cancelled)")


if __name__ == "__main__":
    main()
