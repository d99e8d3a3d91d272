"""Ticks replayed per second with a strategy attached.

Quorvan.sim.replay plays ticks through the live path, keeping pace with the strategy: each
tick moves the broker's market, its fills are delivered, it goes to the strategy's md_queue as
a depth market data dict, and the replay waits until the strategy has acted on it and its
orders are answered. The floor, measured in the same run, is the same ticks moved into a
broker with no trader by plain set_market calls from a Python loop: what moving the markets
costs before anyone listens. A replay without md_queue or strategy is shown for reference.
"""
import queue
import tempfile
import threading
import time

import Quorvan.sim as sim
from Quorvan.CTP.TraderApiBase import TraderApiBase

STRATEGY_FRONT = "tcp://127.0.0.1:40998"
FLOOR_FRONT = "tcp://127.0.0.1:40997"
EXCHANGE, INSTRUMENT = b"SHFE", "rb2705"
TICKS = 20000
ROUNDS = 3


def ticks(count):
    """rb2705 zigzagging a tick at a time around 3200, two ticks a second."""
    rows = []
    for index in range(count):
        last = 3200 + (index % 40 if index % 80 < 40 else 40 - index % 40)
        rows.append(dict(time=f"2026-12-07 {9 + index // 7200:02d}:{index // 120 % 60:02d}:"
                              f"{index // 2 % 60:02d}.{index % 2 * 5}",
                         instrument_id=INSTRUMENT, last=last, bid=last, ask=last + 1,
                         bid_volume=50, ask_volume=50))
    return rows


class Strategy(TraderApiBase):
    """Every 25th tick buys a lot at the ask, or sells it back at the bid."""

    def init_extra(self):
        self.fills = 0

    def OnRtnTrade(self, pTrade):
        self.fills += 1

    def follow(self, md_queue):
        count = 0
        while (tick := md_queue.get()) is not None:
            count += 1
            if count % 50 == 0:
                self.buy_open(EXCHANGE, INSTRUMENT, tick["AskPrice1"], 1)
            elif count % 50 == 25:
                self.sell_close(EXCHANGE, INSTRUMENT, tick["BidPrice1"], 1, True)
            md_queue.task_done()


def set_market_loop(rows):
    started = time.perf_counter()
    for row in rows:
        sim.set_market(row["instrument_id"], bid=row["bid"], ask=row["ask"], last=row["last"],
                       bid_volume=row["bid_volume"], ask_volume=row["ask_volume"],
                       front=FLOOR_FRONT)
    return time.perf_counter() - started


def replayed(rows, front, md_queue=None):
    started = time.perf_counter()
    played = sim.replay(rows, front=front, md_queue=md_queue)
    played.wait()
    seconds = time.perf_counter() - started
    assert played.progress == len(rows)
    return seconds


def main():
    rows = ticks(TICKS)
    sim.configure(STRATEGY_FRONT, limits=None, reset=True)
    sim.configure(FLOOR_FRONT, limits=None, reset=True)
    with tempfile.TemporaryDirectory() as flow:
        trader = Strategy("9999", STRATEGY_FRONT, "BENCH02", "p", "a", "c", flow_path=flow)
        deadline = time.monotonic() + 30
        while trader.status != 0:
            if time.monotonic() > deadline:
                raise SystemExit(f"not ready: {trader.init_error_msg}")
            time.sleep(0.01)
        md_queue = queue.Queue()
        strategy = threading.Thread(target=trader.follow, args=(md_queue,))
        strategy.start()
        best = dict(floor=float("inf"), bare=float("inf"), strategy=float("inf"))
        try:
            # Taking turns, so that all three see the same load of the machine.
            for _ in range(ROUNDS):
                best["floor"] = min(best["floor"], set_market_loop(rows))
                best["bare"] = min(best["bare"], replayed(rows, FLOOR_FRONT))
                best["strategy"] = min(best["strategy"], replayed(rows, STRATEGY_FRONT, md_queue))
        finally:
            md_queue.put(None)
            strategy.join()
        fills = trader.fills
        trader.Release()
    rate = {name: TICKS / seconds for name, seconds in best.items()}
    print(f"{TICKS:,} ticks, best of {ROUNDS} rounds; the strategy's orders filled {fills:,} times")
    print(f"  replay with a strategy on md_queue: {rate['strategy']:12,.0f} ticks/s")
    print(f"  replay alone (reference):           {rate['bare']:12,.0f} ticks/s")
    print(f"  floor, set_market in a Python loop: {rate['floor']:12,.0f} ticks/s")
    print(f"  ratio, with a strategy / floor:     {rate['strategy'] / rate['floor']:12.2f}")


if __name__ == "__main__":
    main()
