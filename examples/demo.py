"""A small strategy against the simulated broker.

It logs in on both sides, the trader and the market data, with one md_queue between them,
shows its account and one instrument, subscribes to the instrument's ticks, buys one lot of
rebar at the ask of the first tick it receives and sees the fill, closes it again today at the
bid of the next one (SHFE keeps today's positions apart), buys three lots where the
ask shows two (two fill, the third rests until the market shows more), sells them fill-and-kill
where the bid shows two (the third is cancelled), places an order below the market that rests
and cancels it, prints its positions and account, and releases the session. The simulated
broker's market is moved with Quorvan.sim, as a market data feed would move it. Its queries go
one at a time, each sent again while the broker's flow control holds it back.

Run it with `make demo`, or after `make` with the repository root on PYTHONPATH:
    python3 examples/demo.py
"""
import queue
import sys
import tempfile
import threading
import time
from typing import Any, Callable, Dict, List, Optional, Sequence, Tuple

import Quorvan.sim as sim
from Quorvan.CTP.ApiStruct import InputOrderField, QryDepthMarketDataField
from Quorvan.CTP.ApiConst import (ContingentCondition_Immediately, Direction_Sell,
                                  ForceCloseReason_NotForceClose, HedgeFlag_Speculation,
                                  OffsetFlag_CloseToday, OrderPriceType_LimitPrice,
                                  OrderStatus_AllTraded, OrderStatus_Canceled,
                                  OrderStatus_NoTradeQueueing, OrderStatus_PartTradedQueueing,
                                  PosiDirection_Long, PositionDate_Today, TimeCondition_IOC,
                                  VolumeCondition_AV)
from Quorvan.CTP.MdApiBase import MdApiBase
from Quorvan.CTP.TraderApiBase import TraderApiBase

# The exchange as bytes: the closing helpers tell close-today from close-yesterday only for
# b"SHFE" and b"INE" (a plain close on SHFE closes yesterday's position).
EXCHANGE, INSTRUMENT = b"SHFE", "rb2705"
FRONT = "127.0.0.1:40001"
TIMEOUT = 10.0
# What a query returns when the broker's flow control holds it back: one query a second, and
# none while another is unanswered.
HELD_BACK_IN_FLIGHT, HELD_BACK_PER_SECOND = -2, -3

Record = Dict[str, Any]


class DemoStrategy(TraderApiBase):
    """Collects the broker's answers; the main thread waits for them."""

    def init_extra(self) -> None:
        self.changed = threading.Condition()
        self.answers: Dict[str, Any] = {}   # query name -> records of the last complete answer
        self.orders: Dict[bytes, Record] = {}   # OrderRef -> latest order record
        self.trades: List[Record] = []
        self.querying: Optional[str] = None   # the query whose last answer has not arrived yet
        self.query_sent_at: Optional[float] = None

    # Events arrive on the trader library's thread; they only record and notify.
    def _record(self, update: Callable[[], None]) -> None:
        with self.changed:
            update()
            self.changed.notify_all()

    def _answer(self, name: str, record: Record, last: bool) -> None:
        pending = self.answers.setdefault("_" + name, [])
        if record:
            pending.append(record)
        if last:
            def complete() -> None:
                self.answers[name] = self.answers.pop("_" + name)
                self.querying = None
            self._record(complete)

    # The session's own login handlers do the work; the waiting main thread is told.
    def OnRspAuthenticate(self, pRspAuthenticateField: Record, pRspInfo: Record,
                          nRequestID: int, bIsLast: bool) -> None:
        super().OnRspAuthenticate(pRspAuthenticateField, pRspInfo, nRequestID, bIsLast)
        self._record(lambda: None)

    def OnRspUserLogin(self, pRspUserLogin: Record, pRspInfo: Record, nRequestID: int,
                       bIsLast: bool) -> None:
        super().OnRspUserLogin(pRspUserLogin, pRspInfo, nRequestID, bIsLast)
        self._record(lambda: None)

    def OnRspSettlementInfoConfirm(self, pSettlementInfoConfirm: Record, pRspInfo: Record,
                                   nRequestID: int, bIsLast: bool) -> None:
        super().OnRspSettlementInfoConfirm(pSettlementInfoConfirm, pRspInfo, nRequestID, bIsLast)
        self._record(lambda: None)

    def OnRspQryTradingAccount(self, pTradingAccount: Record, pRspInfo: Record,
                               nRequestID: int, bIsLast: bool) -> None:
        self._answer("account", pTradingAccount, bIsLast)

    def OnRspQryInstrument(self, pInstrument: Record, pRspInfo: Record, nRequestID: int,
                           bIsLast: bool) -> None:
        self._answer("instrument", pInstrument, bIsLast)

    def OnRspQryDepthMarketData(self, pDepthMarketData: Record, pRspInfo: Record,
                                nRequestID: int, bIsLast: bool) -> None:
        self._answer("market", pDepthMarketData, bIsLast)

    def OnRspQryInvestorPosition(self, pInvestorPosition: Record, pRspInfo: Record,
                                 nRequestID: int, bIsLast: bool) -> None:
        self._answer("positions", pInvestorPosition, bIsLast)

    def OnRtnOrder(self, pOrder: Record) -> None:
        self._record(lambda: self.orders.update({pOrder["OrderRef"]: pOrder}))

    def OnRtnTrade(self, pTrade: Record) -> None:
        self._record(lambda: self.trades.append(pTrade))

    def OnErrRtnOrderInsert(self, pInputOrder: Record, pRspInfo: Record) -> None:
        self._record(lambda: self.answers.update(rejected=pRspInfo))

    # The main thread's side.
    def wait(self, condition: Callable[[], object], what: str) -> None:
        with self.changed:
            self.changed.wait_for(lambda: condition() or "rejected" in self.answers, TIMEOUT)
            if "rejected" in self.answers:
                sys.exit(f"demo: order rejected: {self.answers['rejected']['ErrorMsg']}")
            if not condition():
                sys.exit(f"demo: no {what} within {TIMEOUT:g} seconds")

    def ask(self, name: str, send: Callable[[], int]) -> List[Record]:
        with self.changed:
            self.answers.pop(name, None)
        self.send_query(name, send)
        self.wait(lambda: name in self.answers, f"answer to the {name} query")
        answer: List[Record] = self.answers[name]
        return answer

    def send_query(self, name: str, send: Callable[[], int]) -> None:
        """Sends a query, retrying it while the broker's flow control holds it back."""
        while True:
            with self.changed:
                result = send()
                if result == 0:
                    self.querying, self.query_sent_at = name, time.monotonic()
                    return
                if result == HELD_BACK_IN_FLIGHT:
                    self.changed.wait_for(lambda: self.querying is None, TIMEOUT)
                elif result == HELD_BACK_PER_SECOND:
                    # Only time frees the next query, a second after the last one sent;
                    # waiting on the condition lets the answers in meanwhile.
                    last = self.query_sent_at if self.query_sent_at is not None \
                        else time.monotonic()
                    self.changed.wait(max(0.0, last + 1 - time.monotonic()))
                else:
                    sys.exit(f"demo: the {name} query could not be sent ({result})")

    def order_status(self, order_ref: int) -> Optional[bytes]:
        return self.orders.get(str(order_ref).encode(), {}).get("OrderStatus")

    def fill_of(self, order_ref: int) -> Optional[Record]:
        """The first trade of our order `order_ref`, once it has arrived."""
        return next(iter(self.fills_of(order_ref)), None)

    def fills_of(self, order_ref: int) -> List[Record]:
        reference = str(order_ref).encode()
        return [trade for trade in self.trades if trade["OrderRef"] == reference]

    def sell_close_today_fak(self, price: float, volume: int) -> int:
        """Sells to close today's lots fill-and-kill: what the bid holds trades, the rest is
        cancelled at once."""
        self.order_ref += 1
        self.ReqOrderInsert(InputOrderField(
            BrokerID=self.broker_id, InvestorID=self.investor_id, ExchangeID=EXCHANGE,
            InstrumentID=INSTRUMENT.encode(), OrderRef=str(self.order_ref).encode(),
            OrderPriceType=OrderPriceType_LimitPrice, Direction=Direction_Sell,
            CombOffsetFlag=OffsetFlag_CloseToday, CombHedgeFlag=HedgeFlag_Speculation,
            LimitPrice=price, VolumeTotalOriginal=volume, TimeCondition=TimeCondition_IOC,
            VolumeCondition=VolumeCondition_AV, MinVolume=1,
            ContingentCondition=ContingentCondition_Immediately,
            ForceCloseReason=ForceCloseReason_NotForceClose))
        return self.order_ref

    def fill(self, order_ref: int) -> Record:
        """Waits for the trade of our order `order_ref`."""
        self.wait(lambda: self.fill_of(order_ref), "fill")
        return self.fill_of(order_ref) or {}


class DemoMarketData(MdApiBase):
    """Logs in and subscribes as MdApiBase does; its default OnRtnDepthMarketData puts each
    tick into md_queue. It only tells when the front has confirmed a subscription."""

    def init_extra(self) -> None:
        self.subscribed = threading.Event()

    def OnRspSubMarketData(self, pSpecificInstrument: Record, pRspInfo: Record,
                           nRequestID: int, bIsLast: bool) -> None:
        super().OnRspSubMarketData(pSpecificInstrument, pRspInfo, nRequestID, bIsLast)
        if pSpecificInstrument.get("InstrumentID") == INSTRUMENT.encode():
            self.subscribed.set()


def next_tick(md_queue: "queue.Queue[Record]") -> Record:
    try:
        return md_queue.get(timeout=TIMEOUT)
    except queue.Empty:
        sys.exit(f"demo: no tick within {TIMEOUT:g} seconds")


def table(rows: Sequence[Record], columns: Sequence[Tuple[str, str]]) -> str:
    """Rows of dicts as a small text table of the given (title, key) columns."""
    cells = [[title for title, _ in columns]]
    for row in rows:
        cells.append([text(row.get(key, "")) for _, key in columns])
    widths = [max(len(line[i]) for line in cells) for i in range(len(columns))]
    return "\n".join("  " + "  ".join(cell.rjust(width) for cell, width in zip(line, widths))
                     for line in cells)


def text(value: object) -> str:
    if isinstance(value, bytes):
        return value.decode("gb18030", "replace")
    if isinstance(value, float):
        return f"{value:,.2f}"
    return str(value)


POSITION_COLUMNS = [("instrument", "InstrumentID"), ("direction", "PosiDirection"),
                    ("date", "PositionDate"), ("position", "Position"),
                    ("today", "TodayPosition"), ("yesterday", "YdPosition"),
                    ("margin", "UseMargin"), ("close profit", "CloseProfit")]
ACCOUNT_COLUMNS = [("balance", "Balance"), ("available", "Available"),
                   ("margin", "CurrMargin"), ("commission", "Commission"),
                   ("close profit", "CloseProfit"), ("position profit", "PositionProfit")]


def main() -> None:
    with tempfile.TemporaryDirectory(prefix="quorvan-demo-") as flow_path:
        run(flow_path)


def run(flow_path: str) -> None:
    # One queue for both halves: the market data's default handler puts each tick there, and
    # the strategy, which the trader runs, reads it.
    md_queue: "queue.Queue[Record]" = queue.Queue()
    trader = DemoStrategy(broker_id="9999", td_server=FRONT, investor_id="demo01",
                          password="demo-password", app_id="quorvan_demo",
                          auth_code="0000000000000000", md_queue=md_queue, flow_path=flow_path)
    # The simulated market-data front at the trader's address publishes that broker's markets.
    md = DemoMarketData(broker_id="9999", md_server=FRONT, investor_id="demo01",
                        md_queue=md_queue, flow_path=flow_path)
    trader.wait(lambda: trader.status == 0 or trader.init_error_msg["ErrorID"] != 0, "login")
    if trader.status != 0:
        sys.exit(f"demo: login failed: {trader.init_error_msg}")
    # Subscribed before the login completes, the instrument goes with the login; either way
    # the front confirms it.
    md.subscribe([INSTRUMENT])
    if not md.subscribed.wait(TIMEOUT):
        sys.exit(f"demo: no market data login and subscription: {md.init_error_msg}")

    print("\nAccount:")
    print(table(trader.ask("account", trader.query_trading_account), ACCOUNT_COLUMNS))

    instrument = trader.ask("instrument", lambda: trader.query_instrument(INSTRUMENT))[0]
    market = trader.ask("market", lambda: trader.ReqQryDepthMarketData(
        QryDepthMarketDataField(InstrumentID=INSTRUMENT.encode())))[0]
    print(f"\n{INSTRUMENT} on {text(instrument['ExchangeID'])}: {text(instrument['InstrumentName'])},"
          f" tick {instrument['PriceTick']:g}, {instrument['VolumeMultiple']} per lot,"
          f" bid {market['BidPrice1']:g} ask {market['AskPrice1']:g}")

    # The front answers a subscription with the instrument's current market, as a tick.
    first = next_tick(md_queue)
    ask, bid, tick = first["AskPrice1"], first["BidPrice1"], instrument["PriceTick"]
    print(f"\nFirst tick at {text(first['UpdateTime'])}: last {first['LastPrice']:g}"
          f", bid {bid:g} ask {ask:g}")
    print(f"Buying 1 lot at the ask, {ask:g}")
    trader.buy_open(EXCHANGE, INSTRUMENT, ask, 1)
    print(f"  filled at {trader.fill(trader.order_ref)['Price']:g}")

    # Each move of the simulated broker's market is a tick to its subscribers, as an
    # exchange's feed would send it; this one keeps the last price, and its tick says where
    # the bid is now.
    sim.set_market(INSTRUMENT, last=market["LastPrice"], front=FRONT)
    bid = next_tick(md_queue)["BidPrice1"]
    print(f"Closing it today at the bid of the next tick, {bid:g}")
    trader.sell_close(EXCHANGE, INSTRUMENT, bid, 1, is_today=True)
    print(f"  filled at {trader.fill(trader.order_ref)['Price']:g}")

    print("\nThe ask shows 2 lots; buying 3 there")
    sim.set_market(INSTRUMENT, ask_volume=2, front=FRONT)
    trader.buy_open(EXCHANGE, INSTRUMENT, ask, 3)
    partial = trader.order_ref
    trader.wait(lambda: trader.order_status(partial) == OrderStatus_PartTradedQueueing,
                "partial fill")
    order = trader.orders[str(partial).encode()]
    print(f"  {order['VolumeTraded']} filled, {order['VolumeTotal']} resting: "
          f"{text(order['StatusMsg'])}")
    sim.set_market(INSTRUMENT, ask_volume=10, front=FRONT)
    trader.wait(lambda: trader.order_status(partial) == OrderStatus_AllTraded, "the rest's fill")
    print(f"  the market shows 10 lots: the last one filled at "
          f"{trader.fills_of(partial)[-1]['Price']:g}")

    print("The bid shows 2 lots; selling the 3 there fill-and-kill")
    sim.set_market(INSTRUMENT, bid_volume=2, front=FRONT)
    fak = trader.sell_close_today_fak(bid, 3)
    trader.wait(lambda: trader.order_status(fak) == OrderStatus_Canceled, "the rest's cancel")
    order = trader.orders[str(fak).encode()]
    print(f"  {order['VolumeTraded']} filled, the other cancelled: {text(order['StatusMsg'])}")
    sim.set_market(INSTRUMENT, bid_volume=10, front=FRONT)

    resting = bid - 10 * tick
    print(f"Bidding {resting:g}, ten ticks below the market, then cancelling")
    trader.buy_open(EXCHANGE, INSTRUMENT, resting, 1)
    waiting = trader.order_ref
    trader.wait(lambda: trader.order_status(waiting) == OrderStatus_NoTradeQueueing,
                "order in the queue")
    order = trader.orders[str(waiting).encode()]
    print(f"  resting: {text(order['StatusMsg'])}")
    trader.cancel_order(EXCHANGE, INSTRUMENT, waiting)
    trader.wait(lambda: trader.order_status(waiting) == OrderStatus_Canceled, "cancellation")
    print(f"  {text(trader.orders[str(waiting).encode()]['StatusMsg'])}")

    print("\nPositions:")
    positions = [dict(position,
                      PosiDirection="long" if position["PosiDirection"] == PosiDirection_Long
                      else "short",
                      PositionDate="today" if position["PositionDate"] == PositionDate_Today
                      else "before")
                 for position in trader.ask("positions", trader.query_position)]
    print(table(positions, POSITION_COLUMNS) if positions else "  none")
    print("\nAccount:")
    print(table(trader.ask("account", trader.query_trading_account), ACCOUNT_COLUMNS))

    md.Release()
    trader.Release()


if __name__ == "__main__":
    main()
