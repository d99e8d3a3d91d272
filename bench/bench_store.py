"""The simulated broker's state on disk against in memory.

Orders per second: one trader sends ORDERS one-lot orders that fill at once, opening and
closing in turn, without waiting between them; the rate counts from the first ReqOrderInsert
to the last OnRtnTrade. With a store each order's effects (the order's states, its trade, the
position, four private-flow events) are committed to the SQLite file before it is answered.
The floor is the same run with the broker's state in memory; the two take turns, so that both
see the same load, and the best of each is kept. Bytes an order: the store file's size once
its broker has closed it, divided by the orders.
"""
import os
import tempfile
import time

import Quorvan.sim as sim
from bench_round_trip import Trading, place

FRONT = "tcp://127.0.0.1:40997"
INSTRUMENT = "rb2705"
ORDERS = int(os.environ.get("ORDERS", 2000))
ROUNDS = 3


class Trader(Trading):
    def write_log(self, *items):
        pass


def orders_per_second(root, run, store):
    """A fresh broker (and store), one trader, ORDERS orders: the orders answered per second,
    and the store's bytes an order (0 without a store)."""
    path = os.path.join(root, f"broker-{run}.db") if store else None
    sim.configure(FRONT, accounts={"STORE01": dict(password="p", balance=1e9)}, limits=None,
                  store=path, reset=True)
    market = {"bid": 3200.0, "ask": 3201.0}
    sim.set_market(INSTRUMENT, front=FRONT, **market)
    trader = Trader("9999", FRONT, "STORE01", "p", "a", "c",
                     flow_path=tempfile.mkdtemp(dir=root) + os.sep)
    deadline = time.monotonic() + 30
    while trader.status != 0:
        if time.monotonic() > deadline:
            raise SystemExit(f"not ready: {trader.init_error_msg}")
        time.sleep(0.01)
    started = time.perf_counter()
    for index in range(ORDERS):
        place(trader, index, market)
    trader.wait_fills(ORDERS)
    elapsed = trader.filled_at - started
    trader.Release()
    # A new broker closes the store, which folds its log into the file.
    sim.configure(FRONT, reset=True)
    return ORDERS / elapsed, os.path.getsize(path) / ORDERS if store else 0


def best(first, second):
    """The faster run's rate, and the store's size (the same for every run)."""
    return max(first[0], second[0]), second[1]


def main():
    memory = disk = (0.0, 0)
    with tempfile.TemporaryDirectory() as root:
        for run in range(ROUNDS):
            memory = best(memory, orders_per_second(root, run, store=False))
            disk = best(disk, orders_per_second(root, run, store=True))
    memory, (disk, size) = memory[0], disk
    print(f"Orders answered per second, {ORDERS} filled one-lot orders sent back to back "
          f"(best of {ROUNDS})")
    print(f"  in memory (floor):  {memory:10,.0f}")
    print(f"  SQLite store:       {disk:10,.0f}; ratio {disk / memory:.2f}")
    print(f"Bytes an order in the store file: {size:,.0f}")


if __name__ == "__main__":
    main()
