"""The backtest runner: a strategy class run over recorded ticks through the simulated
broker, what it reads back from the broker, and the pictures and command line around it."""
import asyncio
import math
import os
import pickle
import queue
import subprocess
import sys
import threading
from pathlib import Path

import pytest

import Quorvan
import Quorvan.backtest as backtest
import Quorvan.sim as sim
from Quorvan.CTP.MdApiBase import MdApiBase
from Quorvan.CTP.TraderApiBase import TraderApiBase
from Quorvan.backtest._modules import module_from_file
from Quorvan.backtest._result import EquityPoint, compute_stats
from conftest import wait_until

ROOT = Path(__file__).resolve().parents[2]
EXAMPLE = ROOT / "examples" / "backtest_crossover.py"
TICKS = ROOT / "examples" / "data" / "rb2705_ticks.csv"
HEADER = "time,instrument_id,last,bid,ask,bid_volume,ask_volume\n"


Crossover = module_from_file("backtest_crossover", str(EXAMPLE)).Crossover


class Recorder(TraderApiBase):
    """Records the ticks it takes; buys a lot of rb2705 at its first tick and holds it."""
    made = 0
    BUY = True

    def init_extra(self):
        type(self).made += 1
        self.seen = []

    def write_log(self, *items):
        pass

    def run(self, md_queue):
        while True:
            tick = md_queue.get()
            try:
                if tick is None:
                    return
                self.seen.append((tick["InstrumentID"].decode(), tick["UpdateTime"].decode(),
                                  tick["TradingDay"].decode()))
                if self.BUY and len(self.seen) == 1:
                    self.buy_open(b"SHFE", "rb2705", tick["AskPrice1"], 1)
            finally:
                md_queue.task_done()


async def flipper(client, every=400):
    """A client strategy: asks its account before it reads a tick, buys at the first tick,
    then turns its lot over every `every` ticks, and sells what it holds at the data's end."""
    await client.account()
    # A setup slower than the runner's start: the data's first tick still waits for it.
    await asyncio.sleep(0.3)
    held, tick = 0, None
    async for count, tick in _counted(client.ticks(["rb2705"])):
        if count % every == 0:
            if held:
                await (await client.sell_close("SHFE", "rb2705", tick["BidPrice1"], 1)).done()
            order = await client.buy_open("SHFE", "rb2705", tick["AskPrice1"], 1)
            held = (await order.done()).filled
    if held:
        await (await client.sell_close("SHFE", "rb2705", tick["BidPrice1"], 1)).done()


async def _counted(ticks):
    count = 0
    async for tick in ticks:
        yield count, tick
        count += 1


def _seen_by(monkeypatch):
    """The Recorder the next run makes, caught as it is made."""
    made = []
    original = Recorder.init_extra

    def init_extra(self):
        original(self)
        made.append(self)
    monkeypatch.setattr(Recorder, "init_extra", init_extra)
    return made


def _write(path, rows, header=HEADER):
    path.write_text(header + "".join(row + "\n" for row in rows), encoding="utf-8")
    return path


@pytest.fixture(scope="module")
def result():
    return backtest.run(Crossover, TICKS)


def _trade_keys(trades):
    return [(trade["Direction"], trade["OffsetFlag"], trade["Price"], trade["Volume"])
            for trade in trades]


def test_a_run_trades_as_the_strategy_does_under_replay(result, tmp_path):
    # The same class, run by hand through replay as a live program would.
    fills = []

    class Recording(Crossover):
        def OnRtnTrade(self, pTrade):
            super().OnRtnTrade(pTrade)
            fills.append({name: value.decode() if isinstance(value, bytes) else value
                          for name, value in pTrade.items()})

    front = "127.0.0.1:41391"
    sim.configure(front, reset=True, limits=None)
    md_queue = queue.Queue()
    trader = Recording(broker_id="9999", td_server=front, investor_id="by_hand", password="pw",
                       app_id="app", auth_code="code", flow_path=f"{tmp_path}/",
                       md_queue=md_queue)
    try:
        wait_until(lambda: trader.status == 0)
        strategy = threading.Thread(target=trader.run, args=(md_queue,))
        strategy.start()
        sim.replay(TICKS, front=front, md_queue=md_queue).wait()
        md_queue.put(None)
        strategy.join()
        sim.wait_delivered(front)
    finally:
        trader.Release()
    assert fills and _trade_keys(result.trades) == _trade_keys(fills)
    assert len(result.orders) == len(result.trades)
    # The same inputs give the same run.
    again = backtest.run(Crossover, TICKS)
    assert _trade_keys(again.trades) == _trade_keys(result.trades)
    assert [trade["time"] for trade in again.trades] == [trade["time"] for trade in result.trades]
    assert repr(again.stats) == repr(result.stats)
    # The closing sale the strategy makes on the end of the data belongs to the day.
    day, = result.days
    assert day["position_profit"] == 0 and day["margin"] == 0
    assert result.stats["end_balance"] == day["balance"] == result.equity[-1].balance
    assert result.stats["trades"] == len(fills) and result.stats["round_trips"] == len(fills) / 2
    assert pickle.loads(pickle.dumps(result)).trades == result.trades


def test_a_client_coroutine_runs_the_same_every_time():
    first = backtest.run(flipper, TICKS, params={"every": 900})
    again = backtest.run(flipper, TICKS, params={"every": 900})
    # Its account query does not cost it the data's first tick, and what it sells on the end
    # of the data belongs to the day.
    assert first.trades[0]["time"] == first.equity[0].time
    assert len(first.trades) == 8 and first.days[-1]["position_profit"] == 0
    assert _trade_keys(again.trades) == _trade_keys(first.trades)
    assert [trade["time"] for trade in again.trades] == [trade["time"] for trade in first.trades]
    assert repr(again.stats) == repr(first.stats)


class Ticks(MdApiBase):
    """Its default handler puts each tick into the trader's md_queue."""

    def write_log(self, *items):
        pass


# The ticks reach the strategy's queue from the replay itself, or from a market-data object.
@pytest.mark.parametrize("md", [None, Ticks])
def test_several_sources_merge_in_time_order(tmp_path, monkeypatch, md):
    pyarrow = pytest.importorskip("pyarrow", reason="no pyarrow wheel for this interpreter")
    import pyarrow.parquet as parquet
    made = _seen_by(monkeypatch)
    rebar = _write(tmp_path / "rb.csv", [
        "2026-12-07 09:00:00,rb2705,3200,3200,3201,5,5",
        "2026-12-07 09:00:02,rb2705,3201,3201,3202,5,5",
        "2026-12-07 09:00:02,rb2705,3202,3202,3203,5,5"])
    copper = tmp_path / "cu.parquet"
    parquet.write_table(pyarrow.table({
        "time": ["2026-12-07 09:00:01", "2026-12-07 09:00:02", "2026-12-07 09:00:03"],
        "instrument_id": ["cu2702"] * 3, "last": [80000.0] * 3, "bid": [80000.0] * 3,
        "ask": [80010.0] * 3, "bid_volume": [1] * 3, "ask_volume": [1] * 3}), copper)
    outcome = backtest.run(Recorder, [str(tmp_path / "*.csv"), copper], md=md)
    # Equal times keep the order the sources were given in.
    assert [(instrument, at) for instrument, at, _ in made[0].seen] == [
        ("rb2705", "09:00:00"), ("cu2702", "09:00:01"), ("rb2705", "09:00:02"),
        ("rb2705", "09:00:02"), ("cu2702", "09:00:02"), ("cu2702", "09:00:03")]
    assert sorted(outcome.prices) == ["cu2702", "rb2705"]
    # Bought at the first tick, filled before the next one.
    assert [trade["time"].isoformat(" ") for trade in outcome.trades] == ["2026-12-07 09:00:00"]


def test_trading_days_settle_between_them(tmp_path, monkeypatch):
    made = _seen_by(monkeypatch)
    data = _write(tmp_path / "days.csv", [
        "2026-12-07 14:59:00,rb2705,3200,3200,3201,5,5",   # Monday
        "2026-12-07 21:00:00,rb2705,3210,3210,3211,5,5",   # Monday night: Tuesday's
        "2026-12-08 09:00:00,rb2705,3220,3220,3221,5,5",
        "2026-12-10 09:00:00,rb2705,3230,3230,3231,5,5"])  # Thursday, after a day without data
    outcome = backtest.run(Recorder, data, balance=500_000)
    assert [day for _, _, day in made[0].seen] == ["20261207", "20261208", "20261208",
                                                   "20261210"]
    monday, tuesday, thursday = outcome.days
    assert [day["trading_day"].isoformat() for day in outcome.days] == [
        "2026-12-07", "2026-12-08", "2026-12-10"]
    # Bought at Monday's ask, held: each day's account starts from the day before's.
    assert monday["pre_balance"] == 500_000
    assert tuesday["pre_balance"] == pytest.approx(monday["balance"])
    assert tuesday["position_profit"] == pytest.approx((3220 - 3200) * 10)
    assert thursday["balance"] == pytest.approx(500_000 + (3230 - 3201) * 10
                                                - monday["commission"])
    assert len(outcome.trades) == 1 and outcome.trades[0]["TradingDay"] == "20261207"


def _trade(direction, offset, price, volume=1, instrument="rb2705"):
    return {"InstrumentID": instrument, "Direction": direction, "OffsetFlag": offset,
            "Price": price, "Volume": volume}


def _day(balance, commission=0.0):
    return {"balance": balance, "commission": commission}


@pytest.mark.parametrize("trades, days, equity, expected", [
    # A long round trip won, a short one lost: 10 x (110 - 100) against 10 x (95 - 100).
    ([_trade("0", "0", 100), _trade("1", "3", 110), _trade("1", "0", 100),
      _trade("0", "1", 105)], [_day(1_050, 4)], [1_100, 1_050],
     dict(net_profit=50, commission=4, trades=4, round_trips=2, win_rate=0.5,
          profit_factor=2.0, turnover=4_150, max_drawdown=50, max_drawdown_pct=50 / 1_100)),
    # Two lots opened at 100 and 102, closed together at 101: one closing trade, one loss of
    # 10 and one gain of 10, which nets to nothing: neither a win nor a loss.
    ([_trade("0", "0", 100), _trade("0", "0", 102), _trade("1", "1", 101, 2)],
     [_day(1_000)], [1_000], dict(round_trips=1, win_rate=0.0, profit_factor=math.nan)),
    # Days of +10% and -10%: mean 0, so Sharpe 0; the fall from 1,100 to 990 is 10%.
    ([], [_day(1_100), _day(990)], [1_100, 990],
     dict(net_profit=-10, sharpe=0.0, max_drawdown=110, max_drawdown_pct=0.1, trades=0,
          win_rate=math.nan, profit_factor=math.nan)),
    # +10% then +5%: mean 7.5%, sample deviation 3.5355%, a year of 252 days.
    ([], [_day(1_100), _day(1_155)], [1_100, 1_155],
     dict(sharpe=0.075 / (0.05 / math.sqrt(2)) * math.sqrt(252), max_drawdown=0,
          **{"return": 0.155})),
    # Gains only: an infinite profit factor.
    ([_trade("0", "0", 100), _trade("1", "3", 101)], [_day(1_010)], [1_010],
     dict(win_rate=1.0, profit_factor=math.inf, sharpe=math.nan)),
])
def test_stats(trades, days, equity, expected):
    points = [EquityPoint(None, None, balance) for balance in equity]
    stats = compute_stats(1_000.0, days, trades, points, {"rb2705": 10})
    for name, value in expected.items():
        assert stats[name] == pytest.approx(value, nan_ok=True), name


def test_frames_plot_and_report(result, tmp_path, monkeypatch):
    from headless_chromium import chromium_path, render
    frames = result.to_frame()
    assert len(frames["trades"]) == len(result.trades)
    assert list(frames["equity"].columns) == ["time", "trading_day", "balance"]
    assert frames["stats"].loc[0, "trades"] == result.stats["trades"]
    result.plot(tmp_path / "equity.png")
    assert (tmp_path / "equity.png").read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"
    page = tmp_path / "report.html"
    result.report(page)
    text = page.read_text(encoding="utf-8")
    # Nothing fetched: the page works offline.
    assert not any(word in text for word in ("src=", "<link", "url(", "<script"))
    if chromium_path() is None:
        pytest.skip("no Chromium to render the report in")
    # The browser is none of our code: the sanitizer run's preloaded runtime is not for it.
    monkeypatch.delenv("LD_PRELOAD", raising=False)
    rendered = render(page)
    assert not rendered.errors, rendered.errors
    # Equity, drawdown and the price chart, with a mark for each trade.
    assert rendered.dom.count("<svg") == 3
    assert rendered.dom.count('class="buy"') + rendered.dom.count('class="sell"') == len(
        result.trades)
    monkeypatch.setitem(sys.modules, "pandas", None)
    with pytest.raises(ImportError, match="pandas"):
        result.to_frame()


def _cli(*arguments, cwd=None):
    environment = dict(os.environ,
                       PYTHONPATH=os.pathsep.join([str(Path(Quorvan.__file__).parents[1]),
                                                   os.environ.get("PYTHONPATH", "")]))
    return subprocess.run([sys.executable, "-m", "Quorvan.backtest", *arguments],
                          capture_output=True, text=True, env=environment, cwd=cwd, timeout=300)


def test_command_line(tmp_path):
    shown = _cli("--help")
    assert shown.returncode == 0 and "run" in shown.stdout and "sweep" in shown.stdout
    shown = _cli("run", "--help")
    assert shown.returncode == 0 and "--set NAME=VALUE" in shown.stdout
    shown = _cli("sweep", "--help")
    assert shown.returncode == 0 and "--set NAME=V1,V2,..." in shown.stdout
    done = _cli("run", f"{EXAMPLE}:Crossover", "--data", str(TICKS), "--set", "FAST=10",
                "--report", str(tmp_path / "out.html"), "--json")
    assert done.returncode == 0, done.stderr
    ten = backtest.run(Crossover, TICKS, params={"FAST": 10})
    assert f'"trades": {ten.stats["trades"]},' in done.stdout
    assert (tmp_path / "out.html").read_text(encoding="utf-8").startswith("<!DOCTYPE html>")
    failed = _cli("run", f"{EXAMPLE}:Crossover", "--data", str(tmp_path / "none.csv"))
    assert failed.returncode != 0 and "none.csv" in failed.stderr
    assert "Traceback" not in failed.stderr


class NotATrader:
    pass


@pytest.mark.parametrize("strategy, data, params, error, message", [
    (NotATrader, "ticks.csv", None, TypeError, "subclass of TraderApiBase"),
    (Recorder, "ticks.csv", {"FASTER": 3}, ValueError, "'FASTER'"),
    (flipper, "ticks.csv", {"evry": 3}, ValueError, "'evry'"),
    (Recorder, "missing.csv", None, FileNotFoundError, "missing.csv"),
    (Recorder, "*.nothing", None, FileNotFoundError, r"\*\.nothing"),
    (Recorder, "no_ask.csv", None, ValueError, "no_ask.csv: the header names no ask"),
    (Recorder, "binary.parquet", None, ValueError, "binary.parquet"),
    (Recorder, 42, None, TypeError, "data must be"),
])
def test_bad_input_fails_before_the_run(tmp_path, monkeypatch, strategy, data, params, error,
                                        message):
    monkeypatch.chdir(tmp_path)
    _write(tmp_path / "ticks.csv", ["2026-12-07 09:00:00,rb2705,3200,3200,3201,5,5"])
    _write(tmp_path / "no_ask.csv", ["2026-12-07 09:00:00,rb2705,3200,3200,5,5"],
           header="time,instrument_id,last,bid,bid_volume,ask_volume\n")
    (tmp_path / "binary.parquet").write_bytes(b"not parquet at all")
    made = _seen_by(monkeypatch)
    with pytest.raises(error, match=message):
        backtest.run(strategy, data, params=params)
    assert not made


@pytest.mark.parametrize("rows, where", [
    (["2026-12-07 09:00:01,rb2705,3200,3200,3201,5,5", "2026-12-07 09:00:02,rb2705,x,1,2,5,5"],
     "bad.csv line 3: last 'x' is not a number"),
    (["2026-12-07 09:00:01,rb2705,3200,3200,3201,5,5", "2026-12-07 09:00:00,rb2705,1,1,2,5,5"],
     "bad.csv line 3: time .* is before"),
    # A price the broker refuses (off the tick) is named where it came from too.
    (["2026-12-07 09:00:01,rb2705,3200.5,3200,3201,5,5"], "bad.csv line 2: "),
])
def test_a_malformed_row_fails_the_run_naming_file_and_line(tmp_path, rows, where):
    data = _write(tmp_path / "bad.csv", rows)
    with pytest.raises(ValueError, match=where):
        backtest.run(Recorder, [data, _write(tmp_path / "good.csv", [])])
    assert not _strategy_threads()


def _strategy_threads():
    return [thread for thread in threading.enumerate() if thread.name == "backtest strategy"]


class Failing(Recorder):
    def run(self, md_queue):
        md_queue.get()
        raise KeyError("LastPrice")


def test_a_strategy_that_fails_fails_the_run():
    with pytest.raises(RuntimeError, match="run\\(\\) failed: KeyError\\('LastPrice'\\)"):
        backtest.run(Failing, TICKS)
    assert not _strategy_threads()
