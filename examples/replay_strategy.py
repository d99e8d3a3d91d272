"""A moving-average strategy backtested over a replayed half hour of rebar.

The strategy is written as it would run live: it reads market data from its trader's
md_queue on a thread of its own, buys a lot when the fast average of the last price crosses
above the slow one and sells it when it crosses back, and learns of its fills from
OnRtnTrade. Quorvan.sim.replay plays the recorded ticks of examples/data/rb2705_ticks.csv
(made by examples/data/make_ticks.py) into the simulated broker and hands each tick to that
queue, a Quorvan.sim.ReplayQueue, as fast as the strategy keeps up: each get() plays the next
tick on the strategy's thread, after the fills of the tick before have reached the strategy
and its orders have been answered, so every run makes the same trades. At the end it closes what it holds and prints its
trades and the account's result.

After `make`, with the repository root on PYTHONPATH:
    python3 examples/replay_strategy.py [ticks.csv]
"""
import collections
import queue
import sys
import tempfile
import threading
import time
from pathlib import Path
from typing import Any, Callable, Deque, Dict, List, Optional, Tuple

import Quorvan.sim as sim
from Quorvan.CTP.ApiConst import Direction_Buy
from Quorvan.CTP.TraderApiBase import TraderApiBase

EXCHANGE, INSTRUMENT = b"SHFE", "rb2705"
# A front of its own, so that the demo's broker and this one never meet.
FRONT = "127.0.0.1:40002"
DATA_FILE = Path(__file__).resolve().parent / "data" / "rb2705_ticks.csv"
FAST, SLOW = 20, 120   # ticks in each average
TIMEOUT = 30.0
# What a query returns while the broker's flow control holds it back.
HELD_BACK = (-2, -3)

Record = Dict[str, Any]


class Crossover(TraderApiBase):
    def init_extra(self) -> None:
        self.changed = threading.Condition()
        self.position = 0
        self.trades: List[Tuple[str, Record]] = []   # (the signalling tick's time, trade)
        self.signalled_at: Dict[bytes, str] = {}      # OrderRef -> that tick's time
        self.account: Optional[Record] = None

    # Events arrive on the trader library's thread (during a replay, the thread it lends them
    # to: here the strategy's, within md_queue.get()).
    def OnRtnTrade(self, pTrade: Record) -> None:
        with self.changed:
            volume = pTrade["Volume"]
            self.position += volume if pTrade["Direction"] == Direction_Buy else -volume
            self.trades.append((self.signalled_at.get(pTrade["OrderRef"], ""), pTrade))
            self.changed.notify_all()

    def OnRspQryTradingAccount(self, pTradingAccount: Record, pRspInfo: Record,
                               nRequestID: int, bIsLast: bool) -> None:
        with self.changed:
            self.account = pTradingAccount
            self.changed.notify_all()

    # The strategy's own thread.
    def follow(self, md_queue: "queue.Queue[Optional[Record]]") -> None:
        lasts: Deque[float] = collections.deque(maxlen=SLOW)
        was_above: Optional[bool] = None
        # Every item is marked done, the closing None too, so that the queue can serve
        # another replay.
        while True:
            tick = md_queue.get()
            try:
                if tick is None:
                    return
                lasts.append(tick["LastPrice"])
                if len(lasts) == SLOW:
                    fast = sum(list(lasts)[-FAST:]) / FAST
                    slow = sum(lasts) / SLOW
                    above = fast > slow
                    if was_above is not None and above != was_above:
                        self.signal(tick, buy=above)
                    was_above = above
            finally:
                md_queue.task_done()

    def signal(self, tick: Record, buy: bool) -> None:
        at = f"{tick['UpdateTime'].decode()}.{tick['UpdateMillisec']:03d}"
        # Under the lock, so that the fill's handler finds the order's reference.
        with self.changed:
            if buy and self.position == 0:
                self.buy_open(EXCHANGE, INSTRUMENT, tick["AskPrice1"], 1)
            elif not buy and self.position > 0:
                self.sell_close(EXCHANGE, INSTRUMENT, tick["BidPrice1"], self.position)
            else:
                return
            self.signalled_at[str(self.order_ref).encode()] = at

    def wait(self, condition: Callable[[], object], what: str) -> None:
        with self.changed:
            if not self.changed.wait_for(condition, TIMEOUT):
                sys.exit(f"replay_strategy: no {what} within {TIMEOUT:g} seconds")

    def query_account(self) -> Record:
        with self.changed:
            self.account = None
        while (result := self.query_trading_account()) in HELD_BACK:
            time.sleep(0.2)   # the broker takes one query a second
        if result != 0:
            sys.exit(f"replay_strategy: the account query failed ({result})")
        self.wait(lambda: self.account is not None, "account")
        assert self.account is not None
        return self.account


def main() -> None:
    source = Path(sys.argv[1]) if len(sys.argv) > 1 else DATA_FILE
    # A fresh broker for every run: no positions, no trades, the built-in markets, trading in
    # the exchanges' hours on the replayed ticks' clock.
    sim.configure(FRONT, reset=True, trading_hours="exchange")
    with tempfile.TemporaryDirectory(prefix="quorvan-replay-") as flow_path:
        trader = Crossover(broker_id="9999", td_server=FRONT, investor_id="replay01",
                           password="replay-password", app_id="quorvan_replay",
                           auth_code="0000000000000000", flow_path=flow_path,
                           md_queue=sim.ReplayQueue())
        # The session logs in by itself; status turns 0 once it is ready to trade.
        deadline = time.monotonic() + TIMEOUT
        while (trader.status != 0 and trader.init_error_msg["ErrorID"] == 0
               and time.monotonic() < deadline):
            time.sleep(0.05)
        if trader.status != 0:
            sys.exit(f"replay_strategy: login failed: {trader.init_error_msg}")
        run(trader, source)
        trader.Release()


def run(trader: Crossover, source: Path) -> None:
    md_queue = trader.md_queue
    strategy = threading.Thread(target=trader.follow, args=(md_queue,))
    strategy.start()
    try:
        played = sim.replay(source, front=FRONT, md_queue=md_queue)
        played.wait()
    finally:
        md_queue.put(None)
        strategy.join()
    print(f"Replayed {played.progress:,} ticks of {INSTRUMENT} from {source.name}")

    if trader.position > 0:
        market = sim.market(INSTRUMENT, FRONT)
        with trader.changed:
            trader.sell_close(EXCHANGE, INSTRUMENT, market.BidPrice1, trader.position)
            trader.signalled_at[str(trader.order_ref).encode()] = "close"
        trader.wait(lambda: trader.position == 0, "closing fill")

    print(f"\nTrades (fast average of {FAST} ticks against slow of {SLOW}):")
    print("           at  side  price  lots")
    for at, trade in trader.trades:
        side = "buy" if trade["Direction"] == Direction_Buy else "sell"
        print(f"  {at:>11}  {side:>4}  {trade['Price']:5.0f}  {trade['Volume']:4d}")

    account = trader.query_account()
    print(f"\nResult: {len(trader.trades)} trades, close profit {account['CloseProfit']:,.2f},"
          f" commission {account['Commission']:,.2f},"
          f" net {account['CloseProfit'] - account['Commission']:,.2f}")


if __name__ == "__main__":
    main()
