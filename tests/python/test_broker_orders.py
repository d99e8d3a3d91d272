"""The simulated broker's order book through the whole stack: depth and partial fills, the
immediate kinds of order, the exchanges' price checks, conditional orders and cancels."""
import itertools

import pytest

import Quorvan.sim as sim
from Quorvan.CTP.ApiStruct import InputOrderField, QryDepthMarketDataField
from conftest import wait_until
from test_broker import (REBAR_ASK, REBAR_BID, SHFE, Recording, account, ask, await_events,
                         front, named, place, ready, text)

_refs = itertools.count(1000)

# Order statuses and submit statuses as the records carry them.
ALL_TRADED, PART_TRADED, QUEUEING, CANCELED, NOT_TOUCHED = b"0", b"1", b"3", b"5", b"b"
INSERT_REJECTED = b"4"


def send(trader, instrument, direction, price, volume, **fields):
    """Sends an order as a user's program builds it, good for the day unless `fields` say
    otherwise; returns its reference."""
    ref = str(next(_refs)).encode()
    order = dict(BrokerID=b"9999", InvestorID=trader.investor_id,
                 InstrumentID=instrument, OrderRef=ref, OrderPriceType=b"2",
                 Direction=direction, CombOffsetFlag=b"0", CombHedgeFlag=b"1",
                 LimitPrice=price, VolumeTotalOriginal=volume, TimeCondition=b"3",
                 VolumeCondition=b"1", MinVolume=1, ContingentCondition=b"1",
                 ForceCloseReason=b"0")
    order.update(fields)
    assert trader.ReqOrderInsert(InputOrderField(**order)) == 0
    return ref


def returns_of(trader, ref):
    return [event[1] for event in named(trader, "OnRtnOrder") if event[1]["OrderRef"] == ref]


def trades_of(trader, ref):
    return [(event[1]["Volume"], event[1]["Price"]) for event in named(trader, "OnRtnTrade")
            if event[1]["OrderRef"] == ref]


def settled(trader, ref, statuses=(ALL_TRADED, PART_TRADED, QUEUEING, CANCELED, NOT_TOUCHED)):
    """The order's last return once it is in one of `statuses`, every return before it in."""
    wait_until(lambda: returns_of(trader, ref) and
               returns_of(trader, ref)[-1]["OrderStatus"] in statuses)
    ask(trader, "query_order", "OnRspQryOrder")
    return returns_of(trader, ref)[-1]


def test_depth_fills_part_of_an_order_and_later_markets_fill_across_traders(ready, front):
    first, second = ready(), ready(investor_id="U02")
    sim.set_market("rb2705", ask=REBAR_ASK, ask_volume=3, front=front)
    bought = place(first, "buy_open", SHFE, b"rb2705", REBAR_ASK, 5)
    bought = returns_of(first, bought["OrderRef"])[-1]
    assert (bought["OrderStatus"], bought["VolumeTraded"], bought["VolumeTotal"]) == (
        PART_TRADED, 3, 2)
    assert [event[1]["Volume"] for event in named(first, "OnRtnTrade")] == [3]
    assert account(first)["FrozenMargin"] == pytest.approx(REBAR_ASK * 2 * 10 * 0.10)

    # The ask is taken: a later order rests even above it. When lots come again, the better
    # price goes first whoever placed it, each resting order trading at its own price.
    later = place(second, "buy_open", SHFE, b"rb2705", REBAR_ASK + 1, 2)
    assert later["OrderStatus"] == QUEUEING
    sim.set_market("rb2705", ask_volume=3, front=front)
    await_events(second, "OnRtnTrade")
    await_events(first, "OnRtnTrade", 2)
    assert trades_of(second, later["OrderRef"]) == [(2, REBAR_ASK + 1)]
    assert trades_of(first, bought["OrderRef"]) == [(3, REBAR_ASK), (1, REBAR_ASK)]
    (depth,) = ask(first, "ReqQryDepthMarketData", "OnRspQryDepthMarketData",
                   QryDepthMarketDataField(InstrumentID=b"rb2705"))
    assert depth["AskVolume1"] == 0


@pytest.mark.parametrize("fields, volume, traded, status", [
    (dict(VolumeCondition=b"1"), 5, 3, CANCELED),                 # FAK
    (dict(VolumeCondition=b"3"), 5, 0, CANCELED),                 # FOK, not enough
    (dict(VolumeCondition=b"3"), 3, 3, ALL_TRADED),               # FOK, whole
    (dict(VolumeCondition=b"2", MinVolume=2), 5, 3, CANCELED),    # at least 2
    (dict(VolumeCondition=b"2", MinVolume=4), 5, 0, CANCELED),    # at least 4
    (dict(OrderPriceType=b"1", LimitPrice=0.0), 5, 3, CANCELED),  # market
], ids=["FAK", "FOK-short", "FOK-whole", "MV-met", "MV-missed", "market"])
def test_immediate_orders_trade_what_their_conditions_allow(ready, front, fields, volume,
                                                            traded, status):
    trader = ready()
    sim.set_market("m2705", ask=2901, ask_volume=3, front=front)
    ref = send(trader, b"m2705", b"0", 2905.0, volume, TimeCondition=b"1", **fields)
    order = settled(trader, ref, (ALL_TRADED, CANCELED))
    assert (order["OrderStatus"], order["VolumeTraded"]) == (status, traded)
    assert trades_of(trader, ref) == ([(traded, 2901)] if traded else [])
    assert account(trader)["FrozenMargin"] == 0


def test_market_orders_follow_what_each_exchange_accepts(make_trader, front):
    sim.configure(front, exchanges={"DCE": dict(market_orders=False),
                                    "SHFE": dict(market_orders=True)})
    trader = make_trader(Recording, td_server=front)
    wait_until(lambda: trader.status == 0)
    refused = send(trader, b"m2705", b"0", 0.0, 1, OrderPriceType=b"1", TimeCondition=b"1")
    (error,) = await_events(trader, "OnErrRtnOrderInsert")
    assert error[1]["OrderRef"] == refused
    assert (error[2]["ErrorID"], error[2]["ErrorMsg"]) == (80, "CTP:交易所不支持的价格类型")
    ref = send(trader, b"rb2705", b"1", 0.0, 1, OrderPriceType=b"1", TimeCondition=b"1",
               CombOffsetFlag=b"0")
    assert settled(trader, ref, (ALL_TRADED,))["VolumeTraded"] == 1
    assert trades_of(trader, ref) == [(1, REBAR_BID)]


@pytest.mark.parametrize("price, reason", [
    (3201.5, "报单价格不是最小变动价位的整数倍"),
    (3301, "报单价格高于涨停板"),
    (3099, "报单价格低于跌停板"),
])
def test_the_exchange_rejects_prices_off_the_tick_or_outside_the_limits(ready, front, price,
                                                                         reason):
    sim.set_market("rb2705", upper_limit=3300, lower_limit=3100, front=front)
    trader = ready()
    rejected = place(trader, "buy_open", SHFE, b"rb2705", price, 1)
    assert (rejected["OrderStatus"], rejected["OrderSubmitStatus"]) == (CANCELED, INSERT_REJECTED)
    assert text(rejected["StatusMsg"]) == "已撤单报单被拒绝SHFE:" + reason
    assert named(trader, "OnRtnTrade") == [] and named(trader, "OnErrRtnOrderInsert") == []
    money = account(trader)
    assert money["FrozenMargin"] == money["FrozenCommission"] == money["CurrMargin"] == 0


def test_conditional_orders_wait_for_the_last_price_and_cancel(ready, front):
    trader = ready()
    stop = send(trader, b"rb2705", b"1", 3180.0, 1, ContingentCondition=b"2", StopPrice=3190.0)
    held = settled(trader, stop)
    assert held["OrderStatus"] == NOT_TOUCHED and held["OrderSysID"].startswith(b"TJBD_")
    above = send(trader, b"rb2705", b"0", 3230.0, 1, ContingentCondition=b"6", StopPrice=3220.0)
    above_id = settled(trader, above)["OrderSysID"]
    assert account(trader)["FrozenMargin"] == 0

    assert trader.cancel_order(SHFE, b"rb2705", b"", above_id) == 0
    assert settled(trader, above, (CANCELED,))["VolumeTraded"] == 0
    sim.set_market("rb2705", last=3220, front=front)
    sim.set_market("rb2705", last=3190, front=front)
    triggered = settled(trader, stop, (ALL_TRADED,))
    assert not triggered["OrderSysID"].startswith(b"TJBD_")
    assert [record["OrderStatus"] for record in returns_of(trader, above)] == [
        NOT_TOUCHED, CANCELED]
    assert trades_of(trader, stop) == [(1, REBAR_BID)]


@pytest.mark.parametrize("call, error, message", [
    (lambda f: sim.set_market("rb2705", upper_limit=3000, lower_limit=3300, front=f), ValueError,
     "the lower_limit must be positive and below the upper_limit"),
    (lambda f: sim.set_market("rb2705", upper_limit=3200.5, front=f), ValueError,
     "upper_limit 3200.5 is not a multiple of the price tick"),
    (lambda f: sim.set_market("rb2705", bid=3500, ask=3501, front=f), ValueError,
     "bid 3500 is outside the daily limits 2976 to 3424"),
    (lambda f: sim.set_market("rb2705", lower_limit="1", front=f), TypeError,
     "lower_limit must be a price or None"),
    (lambda f: sim.configure(f, instruments=[dict(instrument_id="rb2705", lower_limit=3300)]),
     ValueError, "bid 3200 is outside the daily limits 3300 to 3424"),
    (lambda f: sim.configure(f, exchanges={"SHFE": dict(market_orders=2)}), ValueError,
     "market_orders must be 1"),
    (lambda f: sim.configure(f, exchanges={"SHFE": dict(fok=True)}), ValueError,
     "fok is not a field of exchange"),
    (lambda f: sim.configure(f, exchanges=["SHFE"]), TypeError, "exchanges must be a dict"),
])
def test_limits_and_exchanges_that_cannot_be_used_are_refused(front, call, error, message):
    with pytest.raises(error, match=message):
        call(front)
    # Nothing changed: the limits are still 2976 and 3424, and prices at them are taken.
    sim.set_market("rb2705", bid=3423, ask=3424, last=3424, front=front)
    sim.set_market("rb2705", bid=2976, ask=2977, last=2976, front=front)
