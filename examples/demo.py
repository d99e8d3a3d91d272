"""A small strategy against the simulated broker.

It logs in, shows its account and one instrument, buys one lot of rebar at the ask and sees the
fill, closes it again today (SHFE keeps today's positions apart), buys three lots where the
ask shows two (two fill, the third rests until the market shows more), sells them fill-and-kill
where the bid shows two (the third is cancelled), places an order below the market that rests
and cancels it, prints its positions and account, and releases the session. The simulated
broker's market is moved with Quorvan.sim, as a market data feed would move it.

Run it with `make demo`, or after `make` with the repository root on PYTHONPATH:
    python3 examples/demo.py
"""
import sys
import tempfile
import threading

import Quorvan.sim as sim
from Quorvan.CTP.ApiStruct import InputOrderField, QryDepthMarketDataField
from Quorvan.CTP.ApiConst import (ContingentCondition_Immediately, Direction_Sell,
                                  ForceCloseReason_NotForceClose, HedgeFlag_Speculation,
                                  OffsetFlag_CloseToday, OrderPriceType_LimitPrice,
                                  OrderStatus_AllTraded, OrderStatus_Canceled,
                                  OrderStatus_NoTradeQueueing, OrderStatus_PartTradedQueueing,
                                  PosiDirection_Long, PositionDate_Today, TimeCondition_IOC,
                                  VolumeCondition_AV)
from Quorvan.CTP.TraderApiBase import TraderApiBase

# The exchange as bytes: the closing helpers tell close-today from close-yesterday only for
# b"SHFE" and b"INE" (a plain close on SHFE closes yesterday's position).
EXCHANGE, INSTRUMENT = b"SHFE", "rb2705"
FRONT = "127.0.0.1:40001"
TIMEOUT = 10.0


class DemoStrategy(TraderApiBase):
    """Collects the broker's answers; the main thread waits for them."""

    def init_extra(self):
        self.changed = threading.Condition()
        self.answers = {}    # query handler name -> records of the last complete answer
        self.orders = {}     # OrderRef -> latest order record
        self.trades = []

    # Events arrive on the trader library's thread; they only record and notify.
    def _record(self, update):
        with self.changed:
            update()
            self.changed.notify_all()

    def _answer(self, name, record, last):
        pending = self.answers.setdefault("_" + name, [])
        if record:
            pending.append(record)
        if last:
            self._record(lambda: self.answers.update({name: self.answers.pop("_" + name)}))

    # The session's own login handlers do the work; the waiting main thread is told.
    def OnRspAuthenticate(self, *response):
        super().OnRspAuthenticate(*response)
        self._record(lambda: None)

    def OnRspUserLogin(self, *response):
        super().OnRspUserLogin(*response)
        self._record(lambda: None)

    def OnRspSettlementInfoConfirm(self, *response):
        super().OnRspSettlementInfoConfirm(*response)
        self._record(lambda: None)

    def OnRspQryTradingAccount(self, pTradingAccount, pRspInfo, nRequestID, bIsLast):
        self._answer("account", pTradingAccount, bIsLast)

    def OnRspQryInstrument(self, pInstrument, pRspInfo, nRequestID, bIsLast):
        self._answer("instrument", pInstrument, bIsLast)

    def OnRspQryDepthMarketData(self, pDepthMarketData, pRspInfo, nRequestID, bIsLast):
        self._answer("market", pDepthMarketData, bIsLast)

    def OnRspQryInvestorPosition(self, pInvestorPosition, pRspInfo, nRequestID, bIsLast):
        self._answer("positions", pInvestorPosition, bIsLast)

    def OnRtnOrder(self, pOrder):
        self._record(lambda: self.orders.update({pOrder["OrderRef"]: pOrder}))

    def OnRtnTrade(self, pTrade):
        self._record(lambda: self.trades.append(pTrade))

    def OnErrRtnOrderInsert(self, pInputOrder, pRspInfo):
        self._record(lambda: self.answers.update(rejected=pRspInfo))

    # The main thread's side.
    def wait(self, condition, what):
        with self.changed:
            self.changed.wait_for(lambda: condition() or "rejected" in self.answers, TIMEOUT)
            if "rejected" in self.answers:
                sys.exit(f"demo: order rejected: {self.answers['rejected']['ErrorMsg']}")
            if not condition():
                sys.exit(f"demo: no {what} within {TIMEOUT:g} seconds")

    def ask(self, name, send):
        with self.changed:
            self.answers.pop(name, None)
        send()
        self.wait(lambda: name in self.answers, f"answer to the {name} query")
        return self.answers[name]

    def order_status(self, order_ref):
        return self.orders.get(str(order_ref).encode(), {}).get("OrderStatus")

    def fill_of(self, order_ref):
        """The first trade of our order `order_ref`, once it has arrived."""
        return next(iter(self.fills_of(order_ref)), None)

    def fills_of(self, order_ref):
        reference = str(order_ref).encode()
        return [trade for trade in self.trades if trade["OrderRef"] == reference]

    def sell_close_today_fak(self, price, volume):
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


def table(rows, columns):
    """Rows of dicts as a small text table of the given (title, key) columns."""
    cells = [[title for title, _ in columns]]
    for row in rows:
        cells.append([text(row.get(key, "")) for _, key in columns])
    widths = [max(len(line[i]) for line in cells) for i in range(len(columns))]
    return "\n".join("  " + "  ".join(cell.rjust(width) for cell, width in zip(line, widths))
                     for line in cells)


def text(value):
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


def main():
    with tempfile.TemporaryDirectory(prefix="quorvan-demo-") as flow_path:
        run(flow_path)


def run(flow_path):
    trader = DemoStrategy(broker_id="9999", td_server=FRONT, investor_id="demo01",
                          password="demo-password", app_id="quorvan_demo",
                          auth_code="0000000000000000", flow_path=flow_path)
    trader.wait(lambda: trader.status == 0 or trader.init_error_msg["ErrorID"] != 0, "login")
    if trader.status != 0:
        sys.exit(f"demo: login failed: {trader.init_error_msg}")

    print("\nAccount:")
    print(table(trader.ask("account", trader.query_trading_account), ACCOUNT_COLUMNS))

    instrument = trader.ask("instrument", lambda: trader.query_instrument(INSTRUMENT))[0]
    market = trader.ask("market", lambda: trader.ReqQryDepthMarketData(
        QryDepthMarketDataField(InstrumentID=INSTRUMENT.encode())))[0]
    print(f"\n{INSTRUMENT} on {text(instrument['ExchangeID'])}: {text(instrument['InstrumentName'])},"
          f" tick {instrument['PriceTick']:g}, {instrument['VolumeMultiple']} per lot,"
          f" bid {market['BidPrice1']:g} ask {market['AskPrice1']:g}")

    ask, bid, tick = market["AskPrice1"], market["BidPrice1"], instrument["PriceTick"]
    print(f"\nBuying 1 lot at the ask, {ask:g}")
    trader.buy_open(EXCHANGE, INSTRUMENT, ask, 1)
    bought = trader.order_ref
    trader.wait(lambda: trader.fill_of(bought), "fill")
    print(f"  filled at {trader.fill_of(bought)['Price']:g}")

    print(f"Closing it today at the bid, {bid:g}")
    trader.sell_close(EXCHANGE, INSTRUMENT, bid, 1, is_today=True)
    closed = trader.order_ref
    trader.wait(lambda: trader.fill_of(closed), "fill")
    print(f"  filled at {trader.fill_of(closed)['Price']:g}")

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

    trader.Release()


if __name__ == "__main__":
    main()
