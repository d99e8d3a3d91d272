"""A backtest's speed against backtrader's: one moving-average strategy over the same ticks.

The strategy (Crossover below: the fast average of the last price over 20 ticks against the
slow one over 120, a lot bought when fast crosses above slow and sold when it crosses back) is
written once and driven by each contender, over the same 60,000 rebar ticks of a seeded random
walk written to a temporary CSV:

  floor       the strategy's logic in a plain Python loop over ready tick dicts;
  backtrader  a pure-Python backtester (pinned, installed for this bench only into
              build/bench-packages), reading the CSV as a tick feed, market orders, no
              observers;
  handler     ours: an MdApiBase subclass trading from OnRtnDepthMarketData through a trader,
              Quorvan.sim.replay(csv, speed=None);
  md_queue    ours: a trader reading md_queue (a Quorvan.sim.ReplayQueue) on a thread of its
              own, as examples/replay_strategy.py does, replay at speed None.

Every contender must make the same number of trades. The contenders take turns, so that all
of them see the same load of the machine; the best round counts. The targets are printed as
met or not met, never failing the bench.

With QUORVAN_BENCH_LONG=1 it also replays 1,000,000 ticks (minutes) through the handler
strategy trading often, in a process of its own, and prints that process's peak resident
memory against 300 MB.

    python3 bench/bench_backtest.py
"""
import collections
import contextlib
import csv
import datetime
import importlib
import os
import queue
import random
import resource
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

import Quorvan.sim as sim
from Quorvan.CTP.MdApiBase import MdApiBase
from Quorvan.CTP.TraderApiBase import TraderApiBase

HANDLER_FRONT = "tcp://127.0.0.1:40994"
QUEUE_FRONT = "tcp://127.0.0.1:40993"
EXCHANGE, INSTRUMENT = b"SHFE", "rb2705"
TICKS = 60_000
ROUNDS = 3
FAST, SLOW = 20, 120
LONG_TICKS = 1_000_000
LONG_FAST, LONG_SLOW = 25, 150   # about 10,000 trades over the million ticks' walk
MEMORY_TARGET_MB = 300
BACKTRADER = "backtrader==1.9.78.123"
BENCH_PACKAGES = Path(__file__).resolve().parent.parent / "build" / "bench-packages"
TIMEOUT = 60.0
BUY, SELL = 1, -1
WALK_BAND = 150


class Crossover:
    """The strategy every contender runs: signal(last) says BUY, SELL or 0 for each tick,
    assuming each order it asks for fills. The averages are kept as running sums, so that the
    floor measures a loop rather than sum() over the window."""

    def __init__(self, fast=FAST, slow=SLOW):
        self.fast, self.slow = fast, slow
        self.lasts = collections.deque()
        self.fast_sum = self.slow_sum = 0.0
        self.was_above = None
        self.holding = False

    def signal(self, last):
        lasts = self.lasts
        lasts.append(last)
        self.fast_sum += last
        self.slow_sum += last
        count = len(lasts)
        if count > self.fast:
            self.fast_sum -= lasts[-self.fast - 1]
        if count > self.slow:
            self.slow_sum -= lasts.popleft()
        elif count < self.slow:
            return 0
        # Prices are whole yuan, so the sums are exact and the comparison never wavers.
        above = self.fast_sum * self.slow > self.slow_sum * self.fast
        crossed = self.was_above is not None and above != self.was_above
        self.was_above = above
        if crossed and above and not self.holding:
            self.holding = True
            return BUY
        if crossed and not above and self.holding:
            self.holding = False
            return SELL
        return 0


def write_ticks(path, count, step_ms, seed=7):
    """rb2705 walking a 1-yuan tick at a time from 3200, turned back at WALK_BAND yuan from it
    (inside the daily limits, which refuse a tick beyond them), a tick every step_ms from
    09:00, in the columns Quorvan.sim.replay reads."""
    walk = random.Random(seed)
    start = datetime.datetime(2026, 12, 7, 9, 0, 0)
    last = 3200
    with open(path, "w", newline="") as out:
        writer = csv.writer(out)
        writer.writerow(["time", "instrument_id", "last", "bid", "ask", "bid_volume",
                         "ask_volume"])
        for index in range(count):
            step = walk.choice((-1, 0, 1))
            last += -step if abs(last + step - 3200) > WALK_BAND else step
            at = start + datetime.timedelta(milliseconds=index * step_ms)
            writer.writerow([at.isoformat(" ", "milliseconds"), INSTRUMENT, last, last,
                             last + 1, 50, 50])


def read_ticks(path):
    with open(path, newline="") as source:
        return [dict(row, last=float(row["last"]), bid=float(row["bid"]),
                     ask=float(row["ask"])) for row in csv.DictReader(source)]


def floor_run(rows):
    strategy = Crossover()
    trades = 0
    started = time.perf_counter()
    for row in rows:
        if strategy.signal(row["last"]):
            trades += 1
    return time.perf_counter() - started, trades


def import_backtrader():
    """backtrader, installed with pip into the bench's own folder when missing; None when it
    cannot be installed."""
    sys.path.insert(0, str(BENCH_PACKAGES))
    try:
        return importlib.import_module("backtrader")
    except ImportError:
        pass
    print(f"installing {BACKTRADER} into {BENCH_PACKAGES} for this bench", flush=True)
    installed = subprocess.run(
        [sys.executable, "-m", "pip", "install", "--quiet", "--no-deps", "--target",
         str(BENCH_PACKAGES), BACKTRADER], capture_output=True, text=True)
    if installed.returncode != 0:
        print(f"  pip could not install {BACKTRADER}: {installed.stderr.strip()[-300:]}")
        return None
    importlib.invalidate_caches()
    try:
        return importlib.import_module("backtrader")
    except ImportError as error:
        print(f"  {BACKTRADER} installed but does not import: {error}")
        return None


def backtrader_run(bt, path):
    class Strategy(bt.Strategy):
        def __init__(self):
            self.logic = Crossover()
            self.trades = 0

        def next(self):
            signal = self.logic.signal(self.data.close[0])
            if signal == BUY:
                self.buy(size=1)
            elif signal == SELL:
                self.sell(size=1)

        def notify_order(self, order):
            if order.status == order.Completed:
                self.trades += 1

    started = time.perf_counter()
    cerebro = bt.Cerebro(stdstats=False)
    cerebro.broker.setcash(1_000_000.0)
    cerebro.adddata(bt.feeds.GenericCSVData(
        dataname=str(path), dtformat="%Y-%m-%d %H:%M:%S.%f", timeframe=bt.TimeFrame.Ticks,
        datetime=0, time=-1, open=2, high=2, low=2, close=2, volume=5, openinterest=-1))
    cerebro.addstrategy(Strategy)
    strategy, = cerebro.run()
    return time.perf_counter() - started, strategy.trades


class Quiet:
    """The default handlers' log lines would cost the run more than the strategy does."""

    def write_log(self, *items, sep=" "):
        pass


class Trader(Quiet, TraderApiBase):
    """Places the strategy's orders; counts its fills."""

    def init_extra(self):
        self.fills = 0

    def OnRtnTrade(self, pTrade):
        self.fills += 1

    def act(self, signal, tick):
        if signal == BUY:
            self.buy_open(EXCHANGE, INSTRUMENT, tick["AskPrice1"], 1)
        elif signal == SELL:
            self.sell_close(EXCHANGE, INSTRUMENT, tick["BidPrice1"], 1, True)

    def follow(self, md_queue, logic):
        while (tick := md_queue.get()) is not None:
            self.act(logic.signal(tick["LastPrice"]), tick)
            md_queue.task_done()
        md_queue.task_done()


class Ticks(Quiet, MdApiBase):
    """Trades from the market-data library's thread, in the handler of each tick."""

    def init_extra(self):
        self.subscribed = threading.Event()
        self.trader = self.logic = None

    def OnRspSubMarketData(self, pSpecificInstrument, pRspInfo, nRequestID, bIsLast):
        self.subscribed.set()

    def OnRtnDepthMarketData(self, pDepthMarketData):
        if self.logic is not None:
            self.trader.act(self.logic.signal(pDepthMarketData["LastPrice"]), pDepthMarketData)


def wait_until(ready, what):
    deadline = time.monotonic() + TIMEOUT
    while not ready():
        if time.monotonic() > deadline:
            raise SystemExit(f"not ready: {what()}")
        time.sleep(0.01)


# Each object is released by the caller's ExitStack, also when the run fails: one left to the
# interpreter's exit could outlive the modules it needs.
def logged_in_trader(front, flow, user, releases):
    sim.configure(front, limits=None, reset=True)
    trader = Trader("9999", front, user, "p", "a", "c", flow_path=flow)
    releases.callback(trader.Release)
    wait_until(lambda: trader.status == 0, lambda: trader.init_error_msg)
    return trader


def subscribed_ticks(front, flow, trader, releases):
    md = Ticks(broker_id="9999", md_server=front, flow_path=flow)
    releases.callback(md.Release)
    md.trader = trader
    md.subscribe([INSTRUMENT])
    wait_until(md.subscribed.is_set, lambda: md.init_error_msg)
    return md


def handler_run(md, path, logic):
    fills = md.trader.fills
    md.logic = logic
    started = time.perf_counter()
    played = sim.replay(str(path), front=HANDLER_FRONT)
    played.wait()
    seconds = time.perf_counter() - started
    md.logic = None
    return seconds, md.trader.fills - fills


def md_queue_run(trader, path):
    fills = trader.fills
    md_queue = sim.ReplayQueue()
    strategy = threading.Thread(target=trader.follow, args=(md_queue, Crossover()))
    strategy.start()
    started = time.perf_counter()
    try:
        played = sim.replay(str(path), front=QUEUE_FRONT, md_queue=md_queue)
        played.wait()
        seconds = time.perf_counter() - started
    finally:
        md_queue.put(None)
        strategy.join()
    return seconds, trader.fills - fills


def verdict(met):
    return "met" if met else "not met"


def compare():
    bt = import_backtrader()
    with tempfile.TemporaryDirectory(prefix="quorvan-bench-") as folder:
        path = Path(folder) / "rb2705_ticks.csv"
        write_ticks(path, TICKS, step_ms=250)
        rows = read_ticks(path)
        releases = contextlib.ExitStack()
        handler_trader = logged_in_trader(HANDLER_FRONT, folder, "BENCH11", releases)
        md = subscribed_ticks(HANDLER_FRONT, folder, handler_trader, releases)
        queue_trader = logged_in_trader(QUEUE_FRONT, folder, "BENCH12", releases)
        contenders = dict(floor=lambda: floor_run(rows),
                          handler=lambda: handler_run(md, path, Crossover()),
                          md_queue=lambda: md_queue_run(queue_trader, path))
        if bt is not None:
            contenders["backtrader"] = lambda: backtrader_run(bt, path)
        best = dict.fromkeys(contenders, float("inf"))
        trades = {}
        with releases:
            for _ in range(ROUNDS):
                for name, contender in contenders.items():
                    seconds, made = contender()
                    best[name] = min(best[name], seconds)
                    trades.setdefault(name, set()).add(made)
    assert len(set.union(*trades.values())) == 1, f"the contenders traded apart: {trades}"
    rate = {name: TICKS / seconds for name, seconds in best.items()}
    print(f"{TICKS:,} ticks, best of {ROUNDS} rounds; every contender made "
          f"{trades['floor'].pop():,} trades")
    labels = dict(floor="floor, a plain Python loop",
                  backtrader=f"backtrader {bt.__version__ if bt else ''}",
                  handler="ours, OnRtnDepthMarketData", md_queue="ours, md_queue thread")
    for name in ("floor", "backtrader", "handler", "md_queue"):
        if name in rate:
            print(f"  {labels[name]:28} {rate[name]:12,.0f} ticks/s "
                  f"{best[name] / best['floor']:8.1f}x the floor's time")
        else:
            print(f"  {labels[name]:28} not installed")
    handler_floor = best["handler"] / best["floor"]
    if "backtrader" in rate:
        handler_bt = rate["handler"] / rate["backtrader"]
        queue_bt = rate["md_queue"] / rate["backtrader"]
        met = handler_bt >= 10 and handler_floor <= 5
        print(f"  target, handler >= 10x backtrader's ticks/s and <= 5x the floor's time: "
              f"{handler_bt:.1f}x, {handler_floor:.1f}x: {verdict(met)}")
        print(f"  target, md_queue >= 5x backtrader's ticks/s: {queue_bt:.1f}x: "
              f"{verdict(queue_bt >= 5)}")
    else:
        print(f"  target, handler <= 5x the floor's time: {handler_floor:.1f}x: "
              f"{verdict(handler_floor <= 5)}; against backtrader: not installed")


def long_replay():
    """Run in a process of its own, so that its peak memory is the replay's alone."""
    with tempfile.TemporaryDirectory(prefix="quorvan-bench-") as folder:
        path = Path(folder) / "rb2705_ticks.csv"
        # 20 ms apart, the million ticks stay within one day's session.
        write_ticks(path, LONG_TICKS, step_ms=20, seed=11)
        with contextlib.ExitStack() as releases:
            trader = logged_in_trader(HANDLER_FRONT, folder, "BENCH13", releases)
            md = subscribed_ticks(HANDLER_FRONT, folder, trader, releases)
            seconds, fills = handler_run(md, path, Crossover(LONG_FAST, LONG_SLOW))
    peak_kb = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
    print(f"{peak_kb} {fills} {seconds}")


def measure_memory():
    print(f"\n{LONG_TICKS:,} ticks replayed through the handler strategy, in a process of its own")
    child = subprocess.run([sys.executable, __file__, "--long-replay"], capture_output=True,
                           text=True, check=True)
    peak_kb, fills, seconds = child.stdout.split()[-3:]
    peak_mb = int(peak_kb) / 1024
    print(f"  {int(fills):,} trades in {float(seconds):,.0f} s "
          f"({LONG_TICKS / float(seconds):,.0f} ticks/s)")
    print(f"  peak resident memory (ru_maxrss): {peak_mb:,.0f} MB against {MEMORY_TARGET_MB} MB: "
          f"{verdict(peak_mb <= MEMORY_TARGET_MB)}")


def main():
    if sys.argv[1:] == ["--long-replay"]:
        long_replay()
        return
    compare()
    if os.environ.get("QUORVAN_BENCH_LONG") == "1":
        measure_memory()
    else:
        print("\n(QUORVAN_BENCH_LONG=1 also measures the memory of a 1,000,000-tick replay)")


if __name__ == "__main__":
    main()
