"""A strategy from ticks to trades on the simulator: one md_queue shared by a market-data
object, whose default handler feeds it, and a trader, which trades on what it reads."""
import os
import queue
import re
import subprocess
import sys
import threading
from pathlib import Path

import pytest

import Quorvan.sim as sim
from conftest import QuietMd, Trader, wait_until

import Quorvan

FRONT = "127.0.0.1:41320"
MD_FRONT = "127.0.0.1:41321"


class Subscriber(QuietMd):
    def init_extra(self):
        self.confirmed = []

    def OnRspSubMarketData(self, pSpecificInstrument, pRspInfo, nRequestID, bIsLast):
        self.confirmed.append(pSpecificInstrument["InstrumentID"])


class Strategy(Trader):
    """Buys one lot at the ask of the first tick whose last price rose, then, once filled,
    closes it at the bid of the first tick at 3205 or above."""

    def init_extra(self):
        self.trades = []
        self.filled = threading.Event()

    def write_log(self, *items):
        pass

    def OnRtnTrade(self, pTrade):
        self.trades.append((pTrade["Direction"], pTrade["Price"], pTrade["Volume"]))
        self.filled.set()

    def run(self, md_queue):
        last = None
        state = "flat"
        while state != "done":
            tick = md_queue.get(timeout=60)
            if tick["InstrumentID"] != b"rb2705":
                continue
            if state == "flat" and last is not None and tick["LastPrice"] > last:
                assert self.buy_open(b"SHFE", "rb2705", tick["AskPrice1"], 1) == 0
                state = "bought"
            elif state == "bought" and self.filled.is_set() and tick["LastPrice"] >= 3205:
                assert self.sell_close(b"SHFE", "rb2705", tick["BidPrice1"], 1) == 0
                state = "done"
            last = tick["LastPrice"]


@pytest.mark.parametrize("md_front, configure", [
    # The front of the broker itself, or one configured to publish that broker's markets.
    (FRONT, {}),
    (MD_FRONT, {"md_front": MD_FRONT}),
])
def test_a_strategy_trades_on_simulated_ticks(make_trader, make_md, md_front, configure):
    sim.configure(FRONT, reset=True, limits=None, **configure)
    md_queue = queue.Queue()
    trader = make_trader(Strategy, td_server=FRONT, md_queue=md_queue)
    md = make_md(Subscriber, md_server=md_front, md_queue=md_queue)
    wait_until(lambda: trader.status == 0 and md.status == 0)
    assert md.subscribe(["rb2705", "cu2702"]) == 0
    wait_until(lambda: sorted(md.confirmed) == [b"cu2702", b"rb2705"])
    strategy = threading.Thread(target=trader.run, args=(md_queue,))
    strategy.start()
    sim.set_market("cu2702", last=80000, front=FRONT)
    for last in (3200, 3201):
        sim.set_market("rb2705", bid=last, ask=last + 1, last=last, front=FRONT)
    wait_until(lambda: trader.filled.is_set() or not strategy.is_alive())
    sim.set_market("rb2705", bid=3205, ask=3206, last=3205, front=FRONT)
    strategy.join(60)
    assert not strategy.is_alive()
    wait_until(lambda: len(trader.trades) == 2)
    assert trader.trades == [(b"0", 3202.0, 1), (b"1", 3205.0, 1)]


def test_the_readmes_two_halves_trade_through_one_queue(tmp_path):
    readme = (Path(__file__).resolve().parents[2] / "README.md").read_text()
    (program,) = [block for block in re.findall(r"```python\n(.*?)```", readme, re.S)
                  if "class Ticks" in block]
    env = dict(os.environ, PYTHONPATH=str(Path(Quorvan.__file__).resolve().parents[1]))
    done = subprocess.run([sys.executable, "-c", program], capture_output=True, text=True,
                          timeout=120, cwd=tmp_path, env=env)
    assert done.returncode == 0, done.stdout + done.stderr
    assert "MdApi Ready!" in done.stdout
