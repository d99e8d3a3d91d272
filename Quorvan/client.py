"""An asyncio client over a trader (`Quorvan.CTP.TraderApiBase`) and a market-data object
(`Quorvan.CTP.MdApiBase`): queries that return their answers, orders that return a handle,
ticks as an async iterator.

The vendor's libraries raise their events on threads of their own. Each handler the client
installs only hands the event to the loop with `loop.call_soon_threadsafe` and returns, so a
vendor thread never waits for the loop; everything else (matching answers to queries, orders
to their events, waking the coroutines) runs on the loop, in the order the events arrived.
Once the client is closed, or its loop is, events are dropped rather than handed on.
"""
import asyncio
import collections
import collections.abc
import functools
import inspect
import queue
import tempfile
import threading
import weakref
from typing import (Any, AsyncIterator, Awaitable, Callable, Deque, Dict, Iterable, List,
                    Mapping, Optional, Set, Tuple, Type, Union)

from Quorvan.CTP.ApiConst import (OrderStatus_AllTraded, OrderStatus_Canceled,
                                  OrderStatus_Unknown, OrderSubmitStatus_InsertRejected)
from Quorvan.CTP.MdApiBase import MdApiBase
from Quorvan.CTP.TraderApiBase import TraderApiBase
from Quorvan.utils.base_field import to_bytes

__all__ = ["CTPError", "Client", "Order", "Ticks"]

Text = Union[str, bytes]
Record = Dict[str, Any]

# What a query returns when nothing was sent: the line is down (-1), an earlier query is
# unanswered (-2), or one was sent less than a second ago (-3).
NOT_SENT, HELD_BACK_IN_FLIGHT, HELD_BACK_PER_SECOND = -1, -2, -3
# The vendor's flow control counts queries per second.
QUERY_INTERVAL = 1.0
# The login chain stores this message when a step could not be sent; the library sends that
# step again by itself, so it is no refusal.
NOT_SENT_PREFIX = "Error:Fail to send"

# Query name -> the answer's event.
QUERY_ANSWERS = {
    "query_trading_account": "OnRspQryTradingAccount",
    "query_position": "OnRspQryInvestorPosition",
    "query_order": "OnRspQryOrder",
    "query_trade": "OnRspQryTrade",
    "query_instrument": "OnRspQryInstrument",
}
# The events the client follows, by object; the login chain's run before the client sees them.
TRADER_EVENTS = ("OnFrontConnected", "OnFrontDisconnected", "OnRspAuthenticate",
                 "OnRspUserLogin", "OnRspSettlementInfoConfirm", "OnRtnOrder", "OnRtnTrade",
                 "OnRspOrderInsert", "OnErrRtnOrderInsert", "OnRspOrderAction",
                 "OnErrRtnOrderAction", "OnRspError", *QUERY_ANSWERS.values())
MD_EVENTS = ("OnFrontConnected", "OnFrontDisconnected", "OnRspUserLogin")


class CTPError(Exception):
    """The broker refused (its ErrorID and ErrorMsg), or a request could not be sent (the
    request's negative result, and what it means)."""

    def __init__(self, error_id: int, message: str) -> None:
        super().__init__(f"[{error_id}] {message}")
        self.error_id = error_id
        self.message = message


def rsp_error(info: Record) -> Optional[CTPError]:
    """The refusal an answer's RspInfo reports; None for success."""
    if info and info.get("ErrorID", 0) != 0:
        return CTPError(int(info["ErrorID"]), text(info.get("ErrorMsg", "")))
    return None


def call_on(target: "weakref.ref[Any]", method: Callable[..., Any], *args: Any) -> None:
    """Calls the class's handler on the object, while it lives (it does while its events
    come)."""
    obj = target()
    if obj is not None:
        method(obj, *args)


def text(value: object) -> str:
    if isinstance(value, (bytes, bytearray)):
        return bytes(value).decode("gb18030", "replace")
    return str(value)


def checked_id(name: str, value: object) -> bytes:
    """An exchange or instrument id as the vendor's bytes; a clear error for anything else."""
    if not isinstance(value, (str, bytes)):
        raise TypeError(f"{name} must be str or bytes, not {type(value).__name__}")
    encoded = to_bytes(value)
    if not encoded or b"\0" in encoded:
        raise ValueError(f"{name} must be a non-empty id without NUL, not {value!r}")
    return encoded


class Order:
    """One order placed through the client, followed to its end by the broker's returns."""

    def __init__(self, client: "Client", ref: bytes, exchange: bytes, instrument: bytes,
                 price: float, volume: int) -> None:
        self.ref = ref
        self.exchange = exchange
        self.instrument = instrument
        self.price = price
        self.volume = volume
        self.record: Record = {}
        """The latest OnRtnOrder of the order."""
        self.trades: List[Record] = []
        """Its OnRtnTrade records, in the order they came."""
        self.error: Optional[CTPError] = None
        """The refusal, when the broker or the exchange refused it."""
        # Back references are weak: a client dropped unclosed is then freed at once, and the
        # trader it made with it, rather than by the garbage collector.
        self._client = weakref.ref(client)
        self._accepted = client._loop_now().create_future()
        self._done = client._loop_now().create_future()
        self._cancel: Optional["asyncio.Future[None]"] = None

    @property
    def status(self) -> Optional[bytes]:
        """The broker's OrderStatus (ApiConst.OrderStatus_...), None until it reports one."""
        status = self.record.get("OrderStatus")
        return bytes(status) if status is not None else None

    @property
    def filled(self) -> int:
        return sum(int(trade["Volume"]) for trade in self.trades)

    async def done(self) -> "Order":
        """Returns the order once it is filled (and all its trades are in), cancelled, or
        rejected."""
        await asyncio.shield(self._done)
        return self

    def __repr__(self) -> str:
        return (f"<Order {self.ref.decode()} {self.instrument.decode()} {self.volume}@"
                f"{self.price:g} status={self.status!r} filled={self.filled}>")

    # Called on the loop.
    def _on_order(self, record: Record) -> None:
        self.record = record
        if record.get("OrderSubmitStatus") == OrderSubmitStatus_InsertRejected:
            # The exchange's rejection carries its reason but no code.
            self._refused(CTPError(0, text(record.get("StatusMsg", ""))))
            return
        # The counter's first return (status unknown) only says it went on to the exchange.
        if record.get("OrderStatus") != OrderStatus_Unknown:
            resolve(self._accepted, None)
        self._settle()

    def _on_trade(self, record: Record) -> None:
        self.trades.append(record)
        self._settle()

    def _refused(self, error: CTPError) -> None:
        if self._done.done():
            return
        self.error = error
        fail(self._accepted, error)
        resolve(self._done, None)

    def _settle(self) -> None:
        status = self.record.get("OrderStatus")
        traded = int(self.record.get("VolumeTraded", 0))
        if status in (OrderStatus_AllTraded, OrderStatus_Canceled) and self.filled >= traded:
            resolve(self._done, None)
            if self._cancel is not None:
                resolve(self._cancel, None)


def resolve(future: "asyncio.Future[Any]", value: Any) -> None:
    if not future.done():
        future.set_result(value)


def fail(future: "asyncio.Future[Any]", error: BaseException) -> None:
    if not future.done():
        future.set_exception(error)
        # Nobody may be waiting on it; an unread exception is no error here.
        future.exception()


class TickQueue(queue.Queue):  # type: ignore[type-arg]
    """The client's md_queue: a queue.Queue whose every put is announced to the loop. A replay
    (Quorvan.sim.replay) given it as its md_queue waits, tick after tick, until the client's
    iterators have asked for the next tick, and so has the strategy's work on the last one
    behind it."""

    def __init__(self, client: "Client") -> None:
        super().__init__()
        self._client = weakref.ref(client)

    def _put(self, item: Any) -> None:
        super()._put(item)
        client = self._client()
        if client is not None:
            client._post(client._tick_arrived)


class Ticks:
    """An async iterator of the depth market data of some instruments (dicts of
    DepthMarketDataField). A tick counts as handled, for a replay waiting on it, once the
    iterator is asked for the next one or closed."""

    def __init__(self, client: "Client", instruments: Set[bytes]) -> None:
        self._owner = weakref.ref(client)
        self.instruments = instruments
        self._waiting: Deque[Tuple[Record, List[int]]] = collections.deque()
        self._current: Optional[List[int]] = None
        self._arrived: Optional["asyncio.Future[None]"] = None
        self._closed = False

    def __aiter__(self) -> "Ticks":
        return self

    @property
    def _client(self) -> "Client":
        client = self._owner()
        if client is None:
            raise CTPError(-1, "the client is closed")
        return client

    async def __anext__(self) -> Record:
        self._finish_current()
        while not self._waiting:
            if self._closed or self._owner() is None or self._client._closed:
                raise StopAsyncIteration
            self._arrived = self._client._loop_now().create_future()
            await self._arrived
        tick, pending = self._waiting.popleft()
        self._current = pending
        return tick

    async def aclose(self) -> None:
        self.close()

    def close(self) -> None:
        self._closed = True
        client = self._owner()
        if client is not None:
            self._finish_current()
            while self._waiting:
                client._tick_handled(self._waiting.popleft()[1])
            client._iterators.discard(self)
        if self._arrived is not None:
            resolve(self._arrived, None)

    def _finish_current(self) -> None:
        if self._current is not None:
            self._client._tick_handled(self._current)
            self._current = None

    def _offer(self, tick: Record, pending: List[int]) -> bool:
        if self._closed or bytes(tick.get("InstrumentID", b"")) not in self.instruments:
            return False
        pending[0] += 1
        self._waiting.append((tick, pending))
        if self._arrived is not None:
            resolve(self._arrived, None)
        return True


class Client:
    """A session on both sides, trader and market data, for a coroutine.

        async with Client(broker_id="9999", td_server="127.0.0.1:40001",
                          md_server="127.0.0.1:40001", investor_id="000001",
                          password="secret", app_id="app", auth_code="0000000000000000") as c:
            await c.ready()
            account = await c.account()

    The client makes its trader and market-data object when it is entered, or takes the
    ones given as `trader` and `md` (already made, of subclasses of TraderApiBase and
    MdApiBase; it follows their events alongside their own handlers and leaves them running
    when it closes). Without md_server and md, it has no market data but what is put to its
    `md_queue`.
    """

    def __init__(self, *, broker_id: Text = "", td_server: Text = "",
                 md_server: Optional[Text] = None, investor_id: Text = "",
                 password: Text = "", app_id: Text = "", auth_code: Text = "",
                 flow_path: Optional[str] = None, trader: Optional[TraderApiBase] = None,
                 md: Optional[MdApiBase] = None) -> None:
        if trader is None:
            for name, value in (("broker_id", broker_id), ("td_server", td_server),
                                ("investor_id", investor_id)):
                if not isinstance(value, (str, bytes)):
                    raise TypeError(f"{name} must be str or bytes, not {type(value).__name__}")
                if not value:
                    raise ValueError(f"{name} is required unless a trader is given")
        elif not isinstance(trader, TraderApiBase):
            raise TypeError(f"trader must be a TraderApiBase, not {type(trader).__name__}")
        if md is not None and not isinstance(md, MdApiBase):
            raise TypeError(f"md must be an MdApiBase, not {type(md).__name__}")
        if flow_path is not None and not isinstance(flow_path, str):
            raise TypeError(f"flow_path must be str or None, not {type(flow_path).__name__}")
        self._identity: Dict[str, Any] = dict(
            broker_id=broker_id, td_server=td_server, investor_id=investor_id,
            password=password, app_id=app_id, auth_code=auth_code)
        self._md_server = md_server
        self._flow_path = flow_path
        self._temporary_flow: Optional["tempfile.TemporaryDirectory[str]"] = None
        self.trader: Optional[TraderApiBase] = trader
        self.md: Optional[MdApiBase] = md
        self._made: List[Union[TraderApiBase, MdApiBase]] = []
        # (object, event, its own instance attribute of that name, if it had one)
        self._wrapped: List[Tuple[object, str, Optional[Callable[..., Any]]]] = []
        self._loop: Optional[asyncio.AbstractEventLoop] = None
        self._closed = False
        self.md_queue = TickQueue(self)
        self._iterators: Set[Ticks] = set()
        self._state_waiters: List["asyncio.Future[None]"] = []
        self._orders: Dict[bytes, Order] = {}
        self._query_lock: Optional[asyncio.Lock] = None
        # The query in flight: its answer's event, the records so far, and the future of
        # them (None when the line dropped before the last).
        self._query: Optional[Tuple[str, List[Record],
                                    "asyncio.Future[Optional[List[Record]]]"]] = None
        self._query_sent_at: Optional[float] = None
        self._answered: Optional["asyncio.Future[None]"] = None

    # ----- the session's life ------------------------------------------------------------

    async def __aenter__(self) -> "Client":
        self.start()
        return self

    async def __aexit__(self, *exc_info: object) -> None:
        self.close()

    def start(self) -> None:
        """Makes (or takes) the objects and follows their events; called by `async with`, on
        the loop that will run the client."""
        if self._loop is not None:
            raise RuntimeError("the client has already been started")
        self._loop = asyncio.get_running_loop()
        self._query_lock = asyncio.Lock()
        if self.trader is None:
            flow_path = self._flow_path
            if flow_path is None:
                self._temporary_flow = tempfile.TemporaryDirectory(prefix="quorvan-client-")
                flow_path = self._temporary_flow.name
            self.trader = _Trader(md_queue=self.md_queue, flow_path=flow_path,
                                  **self._identity)
            self._made.append(self.trader)
            if self._md_server is not None and self.md is None:
                self.md = _Md(broker_id=self._identity["broker_id"], md_server=self._md_server,
                              investor_id=self._identity["investor_id"],
                              password=self._identity["password"], md_queue=self.md_queue,
                              flow_path=flow_path)
                self._made.append(self.md)
        self._follow(self.trader, TRADER_EVENTS)
        if self.md is not None:
            self._follow(self.md, MD_EVENTS)
            if self.md not in self._made:
                # A given object's ticks go to its own md_queue; the client reads its own.
                self._follow(self.md, ("OnRtnDepthMarketData",))
        # Events before the handlers were installed changed only the objects' state, which
        # ready() reads.
        self._state_changed()

    def close(self) -> None:
        """Releases what the client made, stops following the given objects, and ends every
        wait with CTPError. Events arriving later are dropped."""
        if self._closed:
            return
        self._closed = True
        for obj, name, previous in self._wrapped:
            if previous is not None:
                setattr(obj, name, previous)
            elif name in vars(obj):
                delattr(obj, name)
        self._wrapped.clear()
        for made in reversed(self._made):
            made.Release()
        closed = CTPError(-1, "the client is closed")
        for order in self._orders.values():
            order._refused(closed)
            if order._cancel is not None:
                fail(order._cancel, closed)
        if self._query is not None:
            fail(self._query[2], closed)
        self._state_changed()
        for iterator in list(self._iterators):
            iterator.close()
        if self._temporary_flow is not None:
            self._temporary_flow.cleanup()

    async def ready(self) -> None:
        """Returns once the trader is logged in with its settlement statement confirmed, and
        the market data logged in; raises CTPError with the broker's ErrorID and ErrorMsg
        when it refused the login. A dropped line is waited out: the objects log in again by
        themselves. Wrap it in asyncio.wait_for to bound the wait."""
        while True:
            self._check_open()
            if self._is_ready():
                return
            waiter = self._loop_now().create_future()
            self._state_waiters.append(waiter)
            await waiter

    # ----- queries -----------------------------------------------------------------------

    async def account(self) -> Record:
        """The trading account (TradingAccountField as a dict)."""
        records = await self._ask("query_trading_account")
        return records[0] if records else {}

    async def positions(self) -> List[Record]:
        """The positions (InvestorPositionField dicts)."""
        return await self._ask("query_position")

    async def orders(self) -> List[Record]:
        """The day's orders (OrderField dicts)."""
        return await self._ask("query_order")

    async def trades(self) -> List[Record]:
        """The day's trades (TradeField dicts)."""
        return await self._ask("query_trade")

    async def instruments(self, instrument_id: Text = b"", exchange_id: Text = b"",
                          product_id: Text = b"") -> List[Record]:
        """Instruments (InstrumentField dicts); all of them without arguments."""
        for name, value in (("instrument_id", instrument_id), ("exchange_id", exchange_id),
                            ("product_id", product_id)):
            if not isinstance(value, (str, bytes)):
                raise TypeError(f"{name} must be str or bytes, not {type(value).__name__}")
        return await self._ask("query_instrument", instrument_id, exchange_id, product_id)

    async def _ask(self, query: str, *args: Any) -> List[Record]:
        """Sends one query at a time, in the order asked, sending it again while the flow
        control holds it back or the line is down, and returns its answer's records."""
        lock = self._query_lock
        if lock is None:
            raise RuntimeError("the client has not been started: use `async with Client(...)`")
        async with lock:
            while True:
                await self.ready()
                trader = self._trader()
                result = getattr(trader, query)(*args)
                loop = self._loop_now()
                if result == 0:
                    self._query_sent_at = loop.time()
                    answer: "asyncio.Future[Optional[List[Record]]]" = loop.create_future()
                    self._query = (QUERY_ANSWERS[query], [], answer)
                    try:
                        records = await answer
                    finally:
                        self._query = None
                    if records is not None:
                        return records
                    continue  # the line dropped before the answer: asked again
                if result == HELD_BACK_IN_FLIGHT:
                    # Another query of this trader is unanswered: its answer or a second.
                    self._answered = loop.create_future()
                    try:
                        await asyncio.wait_for(asyncio.shield(self._answered), QUERY_INTERVAL)
                    except asyncio.TimeoutError:
                        pass
                    finally:
                        self._answered = None
                elif result == HELD_BACK_PER_SECOND:
                    last = self._query_sent_at if self._query_sent_at is not None \
                        else loop.time()
                    await asyncio.sleep(max(last + QUERY_INTERVAL - loop.time(), 0.05))
                elif result == NOT_SENT:
                    # The line is down, and the disconnection may not have reached the loop
                    # yet: its news, or a second, before ready() is asked again.
                    waiter = loop.create_future()
                    self._state_waiters.append(waiter)
                    try:
                        await asyncio.wait_for(waiter, QUERY_INTERVAL)
                    except asyncio.TimeoutError:
                        pass
                else:
                    raise CTPError(result, f"{query} could not be sent")

    # ----- orders ------------------------------------------------------------------------

    async def buy_open(self, exchange: Text, instrument: Text, price: float,
                       volume: int) -> Order:
        """Buys to open; returns the order once the broker accepted it, or raises CTPError
        when it was refused."""
        return await self._place("buy_open", exchange, instrument, price, volume)

    async def sell_open(self, exchange: Text, instrument: Text, price: float,
                        volume: int) -> Order:
        return await self._place("sell_open", exchange, instrument, price, volume)

    async def buy_close(self, exchange: Text, instrument: Text, price: float, volume: int,
                        is_today: bool = True) -> Order:
        """Buys to close (today's position on SHFE and INE unless is_today is false)."""
        return await self._place("buy_close", exchange, instrument, price, volume, is_today)

    async def sell_close(self, exchange: Text, instrument: Text, price: float, volume: int,
                         is_today: bool = True) -> Order:
        return await self._place("sell_close", exchange, instrument, price, volume, is_today)

    async def _place(self, helper: str, exchange: Text, instrument: Text, price: float,
                     volume: int, *close: bool) -> Order:
        exchange_id = checked_id("exchange", exchange)
        instrument_id = checked_id("instrument", instrument)
        if isinstance(price, bool) or not isinstance(price, (int, float)):
            raise TypeError(f"price must be a number, not {type(price).__name__}")
        if isinstance(volume, bool) or not isinstance(volume, int) or volume <= 0:
            raise ValueError(f"volume must be a positive int, not {volume!r}")
        self._check_open()
        trader = self._trader()
        result = getattr(trader, helper)(exchange_id, instrument_id, float(price), volume,
                                         *close)
        if result != 0:
            raise CTPError(result, f"the order was not sent ({helper} returned {result})")
        # Its events reach the loop only after this coroutine yields, so none is missed.
        ref = to_bytes(trader.order_ref)
        order = Order(self, ref, exchange_id, instrument_id, float(price), volume)
        self._orders[ref] = order
        await asyncio.shield(order._accepted)
        return order

    async def cancel(self, order: Order) -> Order:
        """Cancels the order; returns it once it is done (cancelled, or filled meanwhile), or
        raises CTPError when the broker refused the cancel."""
        if not isinstance(order, Order) or order._client() is not self:
            raise TypeError("cancel takes an Order this client placed")
        self._check_open()
        if order._done.done():
            return order
        record = order.record
        trader = self._trader()
        order._cancel = self._loop_now().create_future()
        result = trader.cancel_order(
            order.exchange, order.instrument, order.ref, bytes(record.get("OrderSysID", b"")),
            int(record.get("FrontID", 0)), int(record.get("SessionID", 0)))
        if result != 0:
            raise CTPError(result, f"the cancel was not sent (cancel_order returned {result})")
        await asyncio.shield(order._cancel)
        return order

    # ----- market data -------------------------------------------------------------------

    def ticks(self, instruments: Iterable[Text]) -> Ticks:
        """An async iterator of the ticks of `instruments` (str or bytes ids), subscribed on
        the market-data object when the client has one."""
        if isinstance(instruments, (str, bytes)) or not isinstance(instruments,
                                                                   collections.abc.Iterable):
            raise TypeError("instruments must be an iterable of instrument ids (str or bytes)")
        ids = [checked_id("instrument", instrument) for instrument in instruments]
        self._check_open()
        iterator = Ticks(self, set(ids))
        self._iterators.add(iterator)
        if self.md is not None:
            # Remembered whatever it returns: every login sends the ids again.
            self.md.subscribe(ids)
        return iterator

    def _tick_arrived(self) -> None:
        while True:
            try:
                tick = self.md_queue.get_nowait()
            except queue.Empty:
                return
            self._hand_tick(tick)

    def _hand_tick(self, tick: Record) -> None:
        pending = [0]
        for iterator in list(self._iterators):
            iterator._offer(tick, pending)
        if pending[0] == 0:
            self.md_queue.task_done()

    def _tick_handled(self, pending: List[int]) -> None:
        pending[0] -= 1
        if pending[0] == 0:
            self.md_queue.task_done()

    # ----- events: handed from the vendor's threads to the loop ---------------------------

    def _follow(self, obj: Union[TraderApiBase, MdApiBase], events: Iterable[str]) -> None:
        """Makes each event also reach the client, after the object's own handler (which runs
        the login chain), as an instance attribute over the class's method. The handler holds
        neither the object nor the client strongly: a trader that held itself through its own
        attributes would wait for the garbage collector to be released."""
        client = weakref.ref(self)
        target = weakref.ref(obj)
        for name in events:
            own: Callable[..., Any]
            previous: Optional[Callable[..., Any]] = vars(obj).get(name)
            if previous is not None:
                own = previous     # an override the object had of its own
            else:
                method = getattr(type(obj), name)
                own = functools.partial(call_on, target, method)

            def handler(*args: Any, _own: Callable[..., Any] = own, _name: str = name) -> None:
                try:
                    _own(*args)
                finally:
                    following = client()
                    if following is not None:
                        following._post(following._on_event, target(), _name, args)

            setattr(obj, name, handler)
            self._wrapped.append((obj, name, previous))

    def _post(self, callback: Callable[..., None], *args: Any) -> None:
        """On a vendor thread: hands the call to the loop without waiting for it."""
        loop = self._loop
        if loop is None or self._closed or loop.is_closed():
            return
        try:
            loop.call_soon_threadsafe(callback, *args)
        except RuntimeError:
            pass  # the loop closed meanwhile: nobody is left to hear it

    def _on_event(self, obj: object, name: str, args: Tuple[Any, ...]) -> None:
        if self._closed:
            return
        if name == "OnRtnDepthMarketData":
            self.md_queue.put(args[0])
        elif name == "OnRtnOrder":
            order = self._orders.get(bytes(args[0].get("OrderRef", b"")))
            if order is not None:
                order._on_order(args[0])
        elif name == "OnRtnTrade":
            order = self._orders.get(bytes(args[0].get("OrderRef", b"")))
            if order is not None:
                order._on_trade(args[0])
        elif name in ("OnRspOrderInsert", "OnErrRtnOrderInsert"):
            order = self._orders.get(bytes(args[0].get("OrderRef", b"")))
            error = rsp_error(args[1])
            if order is not None and error is not None:
                order._refused(error)
        elif name in ("OnRspOrderAction", "OnErrRtnOrderAction"):
            order = self._orders.get(bytes(args[0].get("OrderRef", b"")))
            error = rsp_error(args[1])
            if order is not None and error is not None and order._cancel is not None:
                fail(order._cancel, error)
        elif self._query is not None and name == self._query[0]:
            self._on_answer(*args)
        elif name.startswith("OnRspQry") or name == "OnRspError":
            if args[-1] and self._answered is not None:
                resolve(self._answered, None)
        else:
            if name == "OnFrontDisconnected" and obj is self.trader and self._query:
                # The line dropped before the answer ended: nothing more of it comes.
                resolve(self._query[2], None)
            self._state_changed()

    def _on_answer(self, record: Record, info: Record, request_id: int, last: bool) -> None:
        assert self._query is not None
        _, records, answer = self._query
        error = rsp_error(info)
        if error is not None:
            fail(answer, error)
            return
        if record:
            records.append(record)
        if last:
            resolve(answer, records)
            if self._answered is not None:
                resolve(self._answered, None)

    def _state_changed(self) -> None:
        waiters, self._state_waiters = self._state_waiters, []
        for waiter in waiters:
            resolve(waiter, None)

    def _is_ready(self) -> bool:
        trader = self._trader()
        for obj in (trader, self.md):
            if obj is None:
                continue
            info = obj.init_error_msg
            if info["ErrorID"] != 0 and not text(info["ErrorMsg"]).startswith(NOT_SENT_PREFIX):
                raise CTPError(int(info["ErrorID"]), text(info["ErrorMsg"]))
        return trader.status == 0 and (self.md is None or self.md.status == 0)

    # ----- helpers -----------------------------------------------------------------------

    def _check_open(self) -> None:
        if self._closed:
            raise CTPError(-1, "the client is closed")
        if self._loop is None:
            raise RuntimeError("the client has not been started: use `async with Client(...)`")

    def _trader(self) -> TraderApiBase:
        if self.trader is None:
            raise RuntimeError("the client has not been started: use `async with Client(...)`")
        return self.trader

    def _loop_now(self) -> asyncio.AbstractEventLoop:
        if self._loop is None:
            raise RuntimeError("the client has not been started: use `async with Client(...)`")
        return self._loop


class _Trader(TraderApiBase):
    """A trader the client makes; the base class takes no attributes of its own."""


class _Md(MdApiBase):
    """A market-data object the client makes; its default handler puts ticks to md_queue."""


class _BacktestClient(Client):
    """The client of a coroutine run by Quorvan.backtest.run. Ticks that come before the
    coroutine asks for any wait for its first iterator: its setup takes no time on the
    data's clock, so the first tick it sees is the data's first, however long the setup took
    on the machine's. The end of the data ends its iterators."""

    def __init__(self, trader: TraderApiBase) -> None:
        super().__init__(trader=trader)
        self._held: List[Record] = []
        self._data_ended = False

    def ticks(self, instruments: Iterable[Text]) -> Ticks:
        iterator = super().ticks(instruments)
        if self._data_ended:
            iterator.close()
        held, self._held = self._held, []
        for tick in held:
            self._hand_tick(tick)
        return iterator

    def _hand_tick(self, tick: Record) -> None:
        if not self._iterators and not self._data_ended and not self._closed:
            self._held.append(tick)
        else:
            super()._hand_tick(tick)

    def _end_of_data(self) -> None:
        self._data_ended = True
        for iterator in list(self._iterators):
            iterator.close()

    def close(self) -> None:
        super().close()
        held, self._held = self._held, []
        for _ in held:
            self.md_queue.task_done()


def _feed(source: "queue.Queue[Any]", client: _BacktestClient,
          finished: threading.Event) -> None:
    """Hands the runner's ticks to the client one at a time, marking each done in the
    runner's queue only once the client has handled it, so that the runner's replay waits for
    the coroutine as it waits for a trader's loop. None, the end of the data, ends the
    client's iterators."""
    handled = client.md_queue.all_tasks_done
    while True:
        item = source.get()
        try:
            if item is None:
                client._post(client._end_of_data)
                return
            if finished.is_set():
                continue  # the coroutine has returned: the rest of the data plays without it
            client.md_queue.put(item)
            with handled:
                while client.md_queue.unfinished_tasks and not finished.is_set():
                    handled.wait()
        finally:
            source.task_done()


def backtest_trader(main: Callable[..., Awaitable[Any]],
                    params: Optional[Mapping[str, Any]] = None) -> Type[TraderApiBase]:
    """The trader class Quorvan.backtest.run makes of a client coroutine `main(client,
    **params)`: its `run(md_queue)`, called by the runner on a thread of its own, runs the
    coroutine on an event loop of that thread, with a Client over the trader, fed the
    runner's ticks. `params` must name keyword parameters of `main` (beyond the client)."""
    if not inspect.iscoroutinefunction(main):
        raise TypeError(f"main must be an async function taking the client, not {main!r}")
    arguments = dict(params or {})
    accepted = [parameter.name for parameter in
                list(inspect.signature(main).parameters.values())[1:]
                if parameter.kind in (parameter.POSITIONAL_OR_KEYWORD, parameter.KEYWORD_ONLY)]
    for name in arguments:
        if name not in accepted:
            raise ValueError(f"params names {name!r}, which {main.__qualname__}() takes no "
                             "keyword parameter of: a parameter is passed to the coroutine")

    class ClientStrategy(TraderApiBase):
        def run(self, md_queue: "queue.Queue[Any]") -> None:
            finished = threading.Event()
            client = _BacktestClient(self)
            feed = threading.Thread(target=_feed, args=(md_queue, client, finished),
                                    name="backtest client feed", daemon=True)

            async def drive() -> None:
                client.start()
                feed.start()
                try:
                    await main(client, **arguments)
                finally:
                    with client.md_queue.all_tasks_done:
                        finished.set()
                        client.md_queue.all_tasks_done.notify_all()
                    client.close()

            try:
                asyncio.run(drive())
            except BaseException:
                md_queue.put(None)  # the run fails with it: the feed hands on nothing more
                raise
            finally:
                # The runner counts the data as played only once this returns: the rest of
                # it plays past a coroutine that returned early.
                if feed.ident is not None:
                    feed.join()

    ClientStrategy.__name__ = ClientStrategy.__qualname__ = main.__name__
    ClientStrategy.__module__ = main.__module__
    return ClientStrategy
