"""A moving-average strategy, backtested by Quorvan.backtest over a replayed half hour of rebar.

Crossover is written as it runs live: its run() reads ticks from the trader's md_queue (fed
live by a market-data object, in a backtest by the replay), buys a lot when the fast average
of the last price crosses above the slow one, sells it when it crosses back, and closes what
it holds when it takes None, the end of its data. FAST and SLOW are class attributes, so a
backtest can set them per run.

After `make`, with the repository root on PYTHONPATH:
    python3 examples/backtest_crossover.py [report.html]
or from the command line:
    python3 -m Quorvan.backtest run examples/backtest_crossover.py:Crossover \\
        --data examples/data/rb2705_ticks.csv --set FAST=10 --report crossover.html
"""
import collections
import queue
import sys
import threading
from pathlib import Path
from typing import Any, Deque, Dict, Optional

from Quorvan.CTP.ApiConst import Direction_Buy
from Quorvan.CTP.TraderApiBase import TraderApiBase

DATA_FILE = Path(__file__).resolve().parent / "data" / "rb2705_ticks.csv"

Record = Dict[str, Any]


class Crossover(TraderApiBase):
    EXCHANGE = b"SHFE"
    INSTRUMENT = b"rb2705"
    FAST = 20    # ticks in the fast average
    SLOW = 120   # ticks in the slow one

    def init_extra(self) -> None:
        self.lock = threading.Lock()
        self.position = 0

    def write_log(self, *args: object, sep: str = " ") -> None:
        pass    # quiet: the results tell what happened

    # Fills arrive on the trader library's thread.
    def OnRtnTrade(self, pTrade: Record) -> None:
        with self.lock:
            volume = pTrade["Volume"]
            self.position += volume if pTrade["Direction"] == Direction_Buy else -volume

    # The strategy's own thread: every tick taken is marked done, so that a backtest's replay
    # moves on to the next one.
    def run(self, md_queue: "queue.Queue[Optional[Record]]") -> None:
        lasts: Deque[float] = collections.deque(maxlen=self.SLOW)
        was_above: Optional[bool] = None
        tick: Optional[Record] = None
        while True:
            item = md_queue.get()
            try:
                if item is None:
                    if tick is not None:
                        self.trade(tick, buy=False)   # the end: close what is held
                    return
                if item["InstrumentID"] != self.INSTRUMENT:
                    continue
                tick = item
                lasts.append(tick["LastPrice"])
                if len(lasts) == self.SLOW:
                    fast = sum(list(lasts)[-self.FAST:]) / self.FAST
                    above = fast > sum(lasts) / self.SLOW
                    if was_above is not None and above != was_above:
                        self.trade(tick, buy=above)
                    was_above = above
            finally:
                md_queue.task_done()

    def trade(self, tick: Record, buy: bool) -> None:
        with self.lock:
            position = self.position
        if buy and position == 0:
            self.buy_open(self.EXCHANGE, self.INSTRUMENT, tick["AskPrice1"], 1)
        elif not buy and position > 0:
            self.sell_close(self.EXCHANGE, self.INSTRUMENT, tick["BidPrice1"], position)


def main() -> None:
    import Quorvan.backtest as backtest

    report = sys.argv[1] if len(sys.argv) > 1 else "crossover.html"
    result = backtest.run(Crossover, DATA_FILE, params={"FAST": 20, "SLOW": 120})
    for name, value in result.stats.items():
        print(f"{name:>16}  {value:,.4g}" if isinstance(value, float) else
              f"{name:>16}  {value}")
    result.report(report)
    print(f"report: {report}")


if __name__ == "__main__":
    main()
