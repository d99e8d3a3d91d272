"""run(): a strategy class played over recorded ticks through the simulated broker, with a
fresh broker of its own, one replay per trading day and settle between days, and what the
broker recorded read back into a Result."""
import datetime
import inspect
import itertools
import numbers
import queue
import re
import shutil
import tempfile
import threading
import time

import Quorvan.sim as sim
from Quorvan.CTP.MdApiBase import MdApiBase
from Quorvan.CTP.TraderApiBase import TraderApiBase
from Quorvan.client import backtest_trader

from ._data import Ticks, trading_day_of
from ._result import EquityPoint, Result, decoded

# The identity the strategy logs in with; the broker is the run's own, so any will do.
INVESTOR = "backtest"
_IDENTITY = dict(broker_id="9999", investor_id=INVESTOR, password="backtest",
                 app_id="quorvan_backtest", auth_code="0000000000000000")
DEFAULT_BALANCE = 1_000_000.0
# Generous: a login or a strategy's last tick takes milliseconds, but a loaded machine may
# take far longer, and a run must not fail for it.
_READY_TIMEOUT = 60.0
_POLL = 0.05


class _Fronts:
    """Front addresses for runs, each used by one run at a time, so that runs on several
    threads never share a broker; an address is reused once its run is over."""

    def __init__(self):
        self._lock = threading.Lock()
        self._free = []
        self._ports = itertools.count(46100)

    def take(self):
        with self._lock:
            return self._free.pop() if self._free else f"127.0.0.1:{next(self._ports)}"

    def give_back(self, front):
        with self._lock:
            self._free.append(front)


_fronts = _Fronts()


class _Observer(TraderApiBase):
    """The runner's own session of the strategy's account: it reads the broker's records (the
    private flow tells it of every fill) without trading."""

    def init_extra(self):
        self.fills = []
        self._answers = None

    def write_log(self, *items):
        pass

    def OnRtnTrade(self, pTrade):
        self.fills.append(_trade_key(pTrade))

    def _answer(self, record, info, last):
        if info and info.get("ErrorID"):
            self._answers.append(RuntimeError(f"the broker refused the query: {info}"))
        elif record:
            self._answers.append(record)

    def OnRspQryTradingAccount(self, pTradingAccount, pRspInfo, nRequestID, bIsLast):
        self._answer(pTradingAccount, pRspInfo, bIsLast)

    def OnRspQryOrder(self, pOrder, pRspInfo, nRequestID, bIsLast):
        self._answer(pOrder, pRspInfo, bIsLast)

    def OnRspQryTrade(self, pTrade, pRspInfo, nRequestID, bIsLast):
        self._answer(pTrade, pRspInfo, bIsLast)

    def OnRspQryInstrument(self, pInstrument, pRspInfo, nRequestID, bIsLast):
        self._answer(pInstrument, pRspInfo, bIsLast)

    def ask(self, query, front):
        """The records answering one query. The broker's flow limits are lifted for the run's
        front, and wait_delivered returns once the answer has reached the handlers."""
        self._answers = []
        result = query()
        if result != 0:
            raise RuntimeError(f"the runner's query of the broker was not sent ({result})")
        sim.wait_delivered(front, timeout=_READY_TIMEOUT)
        answers, self._answers = self._answers, None
        for answer in answers:
            if isinstance(answer, Exception):
                raise answer
        return answers

    def account(self, front):
        return self.ask(self.query_trading_account, front)[0]


def _trade_key(trade):
    return trade["ExchangeID"], trade["TradeID"], trade["Direction"]


class _TaskDoneGate:
    """What replay is handed when the strategy's md_queue is fed by its market-data object:
    it puts nothing (the object's handler has), but lets replay wait, as it does for its own
    puts, until the strategy has marked every tick done, so that each tick's orders are
    answered before the next tick and a run trades the same way every time."""

    def __init__(self, md_queue):
        self._queue = md_queue
        self.all_tasks_done = md_queue.all_tasks_done

    @property
    def unfinished_tasks(self):
        return self._queue.unfinished_tasks

    def put(self, item):
        pass


def strategy_class(strategy, params):
    """The class a run makes its trader of: `strategy` itself, or a subclass of it setting
    `params` as class attributes, each naming an attribute the strategy has; or, for a client
    coroutine, a trader whose loop runs it with `params` as its keyword arguments."""
    if inspect.iscoroutinefunction(strategy):
        return backtest_trader(strategy, params)
    if not (inspect.isclass(strategy) and issubclass(strategy, TraderApiBase)):
        raise TypeError(f"strategy must be a subclass of TraderApiBase or an async function "
                        f"taking a Quorvan.client.Client, not {strategy!r}")
    if params is None:
        return strategy
    if not hasattr(params, "items"):
        raise TypeError(f"params must be a dict of attribute names to values, "
                        f"not {type(params).__name__}")
    for name in params:
        if not isinstance(name, str) or not hasattr(strategy, name):
            raise ValueError(f"params names {name!r}, which {strategy.__name__} has no "
                             "attribute of: a parameter sets a class attribute the strategy "
                             "defines")
    return type(strategy.__name__, (strategy,),
                {"__module__": strategy.__module__, "__qualname__": strategy.__qualname__,
                 **params})


def _check_balance(balance):
    if isinstance(balance, bool) or not isinstance(balance, numbers.Real) or not balance > 0:
        raise ValueError(f"balance must be a positive amount, not {balance!r}")
    return float(balance)


def _wait_for(predicate, what, timeout=_READY_TIMEOUT):
    deadline = time.monotonic() + timeout
    while not predicate():
        if time.monotonic() > deadline:
            raise RuntimeError(f"backtest: {what} within {timeout:g} seconds")
        time.sleep(_POLL)


def _logged_in(api, name):
    """Waits for `api`'s login; RuntimeError naming it and the broker's answer on a refusal."""
    def ready():
        if api.init_error_msg["ErrorID"] not in (0, -1, -2, -3):
            raise RuntimeError(f"backtest: the {name} failed to log in: {api.init_error_msg}")
        return api.status == 0
    _wait_for(ready, f"the {name} did not log in")


class _Run:
    def __init__(self, trader_class, md_class, ticks, balance, instruments, loop):
        self.trader_class = trader_class
        self.md_class = md_class
        self.ticks = ticks
        self.balance = balance
        self.instruments = instruments
        self.loop = loop
        self.front = None
        self.apis = []
        self.loop_thread = None
        self.equity = []
        self.prices = {}
        self.days = []
        self.orders = []
        self.trades = []
        self.loop_error = None
        self.where = None
        self.days_played = []
        self.trade_times = {}
        self.stamped = 0

    def play(self):
        stream = iter(self.ticks)
        first = next(stream, None)
        if first is None:
            raise ValueError("the data holds no ticks")
        stream = itertools.chain([first], stream)
        self.front = _fronts.take()
        flow_root = tempfile.mkdtemp(prefix="quorvan-backtest-")
        try:
            sim.configure(self.front, reset=True, limits=None,
                          accounts={INVESTOR: {"balance": self.balance}},
                          instruments=self.instruments,
                          trading_day=trading_day_of(first[0].time).strftime("%Y%m%d"))
            self._start(flow_root)
            day = None
            for day, day_ticks in itertools.groupby(stream, lambda pair: trading_day_of(
                    pair[0].time)):
                if self.days_played:
                    self._close_day(self.days_played[-1])
                self._play_day(day, day_ticks)
                self.days_played.append(day)
            # What the strategy does on the end of the data (closing what it holds, say)
            # belongs to the last day.
            self._stop_loop()
            sim.wait_delivered(self.front, timeout=_READY_TIMEOUT)
            self._close_day(day)
        finally:
            if self.loop_thread is not None and self.loop_thread.is_alive():
                # A run that failed ends the strategy's loop as the end of the data would,
                # so that no thread of it is left waiting on the queue.
                self.md_queue.put(None)
                self.loop_thread.join(_READY_TIMEOUT)
            for api in reversed(self.apis):
                api.Release()
            shutil.rmtree(flow_root, ignore_errors=True)
            _fronts.give_back(self.front)
        return Result(start_balance=self.balance, days=self.days, orders=self.orders,
                      trades=self.trades, equity=self.equity, prices=self.prices,
                      multipliers=self.multipliers)

    def _start(self, flow_root):
        self.md_queue = queue.Queue()
        self.trader = self.trader_class(td_server=self.front, flow_path=f"{flow_root}/strategy/",
                                        md_queue=self.md_queue, **_IDENTITY)
        self.apis.append(self.trader)
        self.observer = _Observer(td_server=self.front, flow_path=f"{flow_root}/observer/",
                                  **_IDENTITY)
        self.apis.append(self.observer)
        self.md = None
        self.loop_thread = None
        if self.md_class is not None:
            # Ticks reach a loop through the queue the object's default handler fills.
            self.md = self.md_class(broker_id=_IDENTITY["broker_id"], md_server=self.front,
                                    md_queue=self.md_queue if self.loop else None,
                                    flow_path=f"{flow_root}/md/")
            self.apis.append(self.md)
        self._ready()
        self.subscribed = set()
        self.new_instrument = None
        self.multipliers = {
            record["InstrumentID"].decode(): record["VolumeMultiple"]
            for record in self.observer.ask(self.observer.query_instrument, self.front)}
        if self.loop:
            self.loop_thread = threading.Thread(target=self._follow, name="backtest strategy",
                                                daemon=True)
            self.loop_thread.start()

    def _ready(self):
        _logged_in(self.trader, "strategy")
        _logged_in(self.observer, "runner's observer")
        if self.md is not None:
            _logged_in(self.md, "market-data object")
        # A market-data object logging in to a new day subscribes again, and gets the markets.
        self._settled()

    def _follow(self):
        try:
            getattr(self.trader, self.loop)(self.md_queue)
        except BaseException as error:  # the run fails with it
            self.loop_error = error

    def _check_loop(self):
        if self.loop_error is not None:
            raise RuntimeError(f"the strategy's {self.loop}() failed: "
                               f"{self.loop_error!r}") from self.loop_error
        if self.loop_thread is not None and not self.loop_thread.is_alive():
            raise RuntimeError(f"the strategy's {self.loop}() returned before the data ended")

    def _stop_loop(self):
        if self.loop_thread is None:
            return
        self._check_loop()
        # None ends a strategy's loop, as a live program's does at its close.
        self.md_queue.put(None)
        self.loop_thread.join(_READY_TIMEOUT)
        if self.loop_thread.is_alive():
            raise RuntimeError(f"the strategy's {self.loop}() did not return within "
                               f"{_READY_TIMEOUT:g} seconds of taking None, the end of the data")
        if self.loop_error is not None:
            raise RuntimeError(f"the strategy's {self.loop}() failed: "
                               f"{self.loop_error!r}") from self.loop_error

    def _to_day(self, day):
        """Settles the broker's days until it trades on `day`."""
        while True:
            current = datetime.datetime.strptime(self.trader.GetTradingDay().decode(),
                                                 "%Y%m%d").date()
            if current >= day:
                break
            sim.settle(self.front)
            self._ready()
        if current != day:
            raise ValueError(f"{self.where}: the broker does not trade on {day:%Y-%m-%d}, "
                             f"the trading day of the tick's time")

    def _play_day(self, day, day_ticks):
        first = next(day_ticks)
        self.where = first[0].where
        self._to_day(day)
        day_ticks = itertools.chain([first], day_ticks)
        if self.loop and self.md is None:
            md_queue = self.md_queue
        elif self.loop:
            md_queue = _TaskDoneGate(self.md_queue)
        else:
            md_queue = None
        replay = sim.replay(self._day_rows(day_ticks), front=self.front, md_queue=md_queue)
        try:
            while not replay.wait(_POLL):
                if self.loop_error is not None or (
                        self.loop_thread is not None and not self.loop_thread.is_alive()):
                    replay.stop()
                    self._check_loop()
        except ValueError as error:
            # replay counts the ticks it was given; the row is named where it came from.
            raise ValueError(re.sub(r"^tick \d+", self.where, str(error))) from None
        finally:
            replay.stop()
        self._check_loop()
        self._subscribe_new()

    def _close_day(self, day):
        """Reads the day's end from the broker, before a settle ends the day."""
        self._sample(self.last_time, day)
        observer = self.observer
        account = observer.account(self.front)
        self.days.append(dict(
            trading_day=day, pre_balance=account["PreBalance"], balance=account["Balance"],
            margin=account["CurrMargin"], commission=account["Commission"],
            close_profit=account["CloseProfit"], position_profit=account["PositionProfit"],
            available=account["Available"]))
        self.orders += map(decoded, observer.ask(observer.query_order, self.front))
        for trade in observer.ask(observer.query_trade, self.front):
            record = decoded(trade)
            record["time"] = self.trade_times.get(_trade_key(trade))
            self.trades.append(record)

    def _day_rows(self, day_ticks):
        """The day's rows for replay, played on its thread: each is asked for only once the
        tick before it has been played and its fills delivered, which is when the account is
        read for the equity curve (at each minute's end and after each tick that traded)."""
        previous = None
        for tick, row in day_ticks:
            self._subscribe_new()
            if previous is not None:
                traded = len(self.observer.fills) != self.stamped
                if traded or tick.time.replace(second=0, microsecond=0) != minute:
                    self._sample(previous, trading_day_of(previous))
            self.where = tick.where
            if self.md is not None and tick.instrument not in self.subscribed:
                self.new_instrument = tick.instrument
            previous = self.last_time = tick.time
            minute = tick.time.replace(second=0, microsecond=0)
            self._record_price(tick, minute)
            yield row

    def _subscribe_new(self):
        """Subscribes the market-data object to the instrument the tick just played brought
        first. The subscription's answer carries the instrument's market, that tick's: the
        object gets the tick as it would have as a subscriber, and no market from before the
        data, which a backtest has none of."""
        instrument, self.new_instrument = self.new_instrument, None
        if instrument is None:
            return
        self.subscribed.add(instrument)
        result = self.md.subscribe([instrument])
        if result != 0:
            raise RuntimeError(f"the market-data object did not subscribe to "
                               f"{instrument.decode()} ({result})")
        self._settled()

    def _settled(self):
        """Waits, as replay does after each tick, until what the market-data object was given
        has been handled: its handlers returned, the strategy's loop done with what they put
        in its queue, and the orders they sent answered."""
        sim.wait_delivered(self.front, timeout=_READY_TIMEOUT)
        if self.loop_thread is not None:
            _wait_for(lambda: not self.md_queue.unfinished_tasks or self._check_loop(),
                      "the strategy did not mark its ticks done (md_queue.task_done())")
            sim.wait_delivered(self.front, timeout=_READY_TIMEOUT)

    def _record_price(self, tick, minute):
        """Each instrument's last price at the end of each minute, for the price chart."""
        series = self.prices.setdefault(tick.instrument.decode(), [])
        if series and series[-1][0] == minute:
            series[-1] = (minute, tick.last)
        else:
            series.append((minute, tick.last))

    def _sample(self, at, day):
        """A point of the equity curve; the fills since the last one are stamped with its
        time, that of the tick that made them (the broker stamps its own clock)."""
        fills = self.observer.fills
        for key in fills[self.stamped:]:
            self.trade_times[key] = at
        self.stamped = len(fills)
        balance = self.observer.account(self.front)["Balance"]
        if self.equity and self.equity[-1].time == at:
            self.equity[-1] = EquityPoint(at, day, balance)
        else:
            self.equity.append(EquityPoint(at, day, balance))


def run(strategy, data, params=None, *, md=None, loop="run", balance=DEFAULT_BALANCE,
        instruments=None):
    """Backtests `strategy`, a TraderApiBase subclass or a client coroutine, over the ticks of
    `data` through a simulated broker of its own, and returns a Result: the broker's orders
    and trades, the account at each trading day's end, the equity curve and stats.

    data: a CSV or Parquet file (Parquet needs pyarrow), a glob, a list of them, or an
    iterable of dicts, with the columns Quorvan.sim.replay reads; several sources merge in
    time order. The ticks are cut into trading days (from 18:00 on, the next weekday's) and
    the broker settles between days.

    params: class attributes set for this run on a subclass of the strategy; each must name
    an attribute the strategy has; for a coroutine `main(client, **params)`, keyword
    arguments, each naming a parameter of it. A coroutine runs on the loop's thread with a
    Quorvan.client.Client over the trader, its iterators fed the data's ticks and ended after
    the last. loop: the strategy's method that takes its md_queue, run on a thread of its own
    and handed None after the last tick (a strategy without it trades from its handlers).
    md: an MdApiBase subclass made beside it, subscribed to each instrument as the data first
    brings it, its default handler filling the same queue.
    balance: the account's starting balance. instruments: as Quorvan.sim.configure takes
    them.

    Bad input raises before the run starts: TypeError for a strategy that is no trader class
    or coroutine function, ValueError for a parameter it has no attribute (or parameter) of,
    FileNotFoundError for a missing file or
    a glob matching nothing, ValueError for a file that is unreadable or lacks a column. A
    malformed row ends the run with ValueError naming its file and line; a strategy's loop that
    raises, with RuntimeError. Same inputs, same trades and stats."""
    trader_class = strategy_class(strategy, params)
    if inspect.iscoroutinefunction(strategy):
        loop = "run"  # the coroutine's own loop, whatever a trader class's would be called
    if md is not None and not (inspect.isclass(md) and issubclass(md, MdApiBase)):
        raise TypeError(f"md must be a subclass of MdApiBase or None, not {md!r}")
    if loop is not None and not isinstance(loop, str):
        raise TypeError(f"loop must be a method name or None, not {type(loop).__name__}")
    if loop is not None and not callable(getattr(trader_class, loop, None)):
        loop = None
    balance = _check_balance(balance)
    ticks = Ticks(data)
    return _Run(trader_class, md, ticks, balance, instruments, loop).play()
