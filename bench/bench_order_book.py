"""The simulated broker's order book through the whole stack.

Orders matched per second: ten traders rest 10,000 one-lot buy orders at a hundred prices of
one instrument; markets then step the ask down through the prices, each offering what rests
at its price, until every order has filled. The rate counts fills from the first set_market
to the last OnRtnTrade. Its floor is the most the bridge could deliver in the same run: each
fill raises two events (its OnRtnOrder and its OnRtnTrade), at the bridge's time for one
event measured by OnRtnOrder bursts through Quorvan.sim.emit.

The round trip with partial fills: a fill-and-kill order of 2 lots where the market shows 1
(one lot fills, the other is cancelled), from ReqOrderInsert on the main thread to its
OnRtnTrade, median over many; its floor is the same round trip of a 1-lot order that fills
whole, the two taking turns so that both see the same load.
"""
import statistics
import tempfile
import threading
import time

import Quorvan.sim as sim
from Quorvan.CTP.ApiStruct import InputOrderField
from bench_event_path import Receiver, bridge_seconds
from bench_records import filled_order
from bench_round_trip import Trading

FRONT = "tcp://127.0.0.1:40998"
EXCHANGE, INSTRUMENT = b"SHFE", "rb2705"
TRADERS, PRICES, PER_PRICE = 10, 100, 100  # 10,000 resting orders
TOP = 3199.0  # the best resting price, a tick under the bid
ROUND_TRIPS = 1000


class Resting(Trading):
    """Also counts its orders that the exchange has queued."""

    def init_extra(self):
        super().init_extra()
        self.queued = 0

    def OnRtnOrder(self, pOrder):
        if pOrder["OrderStatus"] == b"3":
            with self.filled:
                self.queued += 1
                self.filled.notify_all()

    def wait_queued(self, count):
        with self.filled:
            if not self.filled.wait_for(lambda: self.queued >= count, 120):
                raise SystemExit(f"only {self.queued} of {count} orders queued")

    def fak(self, direction, price, volume):
        self.order_ref += 1
        self.ReqOrderInsert(InputOrderField(
            BrokerID=b"9999", InvestorID=self.investor_id, ExchangeID=EXCHANGE,
            InstrumentID=INSTRUMENT.encode(), OrderRef=str(self.order_ref).encode(),
            OrderPriceType=b"2", Direction=direction, CombOffsetFlag=b"0", CombHedgeFlag=b"1",
            LimitPrice=price, VolumeTotalOriginal=volume, TimeCondition=b"1",
            VolumeCondition=b"1", MinVolume=1, ContingentCondition=b"1", ForceCloseReason=b"0"))


def log_in(investor, flow):
    trader = Resting("9999", FRONT, investor, "p", "a", "c", flow_path=flow)
    deadline = time.monotonic() + 30
    while trader.status != 0:
        if time.monotonic() > deadline:
            raise SystemExit(f"{investor} not ready: {trader.init_error_msg}")
        time.sleep(0.01)
    return trader


def matched_per_second(flows):
    traders = [log_in(f"BOOK{index:02d}", flow) for index, flow in enumerate(flows)]
    per_trader = PRICES * PER_PRICE // TRADERS
    for trader in traders:
        for index in range(per_trader):
            trader.buy_open(EXCHANGE, INSTRUMENT, TOP - index % PRICES, 1)
    for trader in traders:
        trader.wait_queued(per_trader)
    started = time.perf_counter()
    for step in range(PRICES):
        ask = TOP - step
        sim.set_market(INSTRUMENT, bid=ask - 1, ask=ask, ask_volume=PER_PRICE, front=FRONT)
    for trader in traders:
        trader.wait_fills(per_trader)
    finished = max(trader.filled_at for trader in traders)
    for trader in traders:
        trader.Release()
    return PRICES * PER_PRICE / (finished - started)


def round_trips(flow):
    """Median seconds of a partial fill's round trip and of a whole fill's."""
    trader = log_in("TRIP01", flow)
    sim.set_market(INSTRUMENT, bid=3200, ask=3201, front=FRONT)
    partial, whole = [], []
    for index in range(2 * ROUND_TRIPS):
        buys = index % 4 < 2
        sim.set_market(INSTRUMENT, **{"ask_volume" if buys else "bid_volume": 1}, front=FRONT)
        volume = 2 if index % 2 == 0 else 1
        started = time.perf_counter()
        trader.fak(b"0" if buys else b"1", 3201.0 if buys else 3200.0, volume)
        trader.wait_fills(index + 1)
        (partial if volume == 2 else whole).append(trader.filled_at - started)
    trader.Release()
    return statistics.median(partial), statistics.median(whole)


def main():
    investors = {f"BOOK{index:02d}": dict(password="p", balance=1e9) for index in range(TRADERS)}
    investors["TRIP01"] = dict(password="p", balance=1e9)
    sim.configure(FRONT, accounts=investors, reset=True)
    with tempfile.TemporaryDirectory() as root:
        flows = [tempfile.mkdtemp(dir=root) for _ in range(TRADERS + 2)]
        rate = matched_per_second(flows[:TRADERS])
        partial, whole = round_trips(flows[TRADERS])
        receiver = Receiver("9999", "127.0.0.1:1", "B01", "p", "a", "c", flow_path=flows[-1])
        bridge = min(bridge_seconds(receiver, filled_order()) for _ in range(5))
        receiver.Release()

    ceiling = 1 / (2 * bridge)
    print(f"Orders matched against a book of {PRICES * PER_PRICE:,} resting orders "
          f"({TRADERS} traders, {PRICES} prices)")
    print(f"  {rate:,.0f} fills per second, set_market to the last OnRtnTrade")
    print(f"  the bridge's ceiling, two events a fill at {bridge * 1e6:.2f} us each: "
          f"{ceiling:,.0f} per second; ratio {rate / ceiling:.2f}")
    print(f"Round trip of a fill-and-kill order, ReqOrderInsert to OnRtnTrade "
          f"({ROUND_TRIPS} of each, taking turns)")
    print(f"  partly filled (2 lots, 1 shown): median {partial * 1e6:8.1f} us")
    print(f"  filled whole (1 lot):             median {whole * 1e6:8.1f} us; "
          f"ratio {partial / whole:.2f}")


if __name__ == "__main__":
    main()
