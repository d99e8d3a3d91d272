"""The vendor's flow control through the whole stack: queries held back with -2 and -3 by
the API object, orders and cancels beyond the front's rate refused by the broker with code
116, and configure's limits.

Requests that must fall in one second are sent in a burst, from one handler where they must
also meet an unanswered query: the trader's thread cannot deliver an answer while that
handler runs."""
import itertools
import os

import pytest

import Quorvan.sim as sim
from Quorvan.CTP import ApiStruct
from conftest import (HELD_BACK_IN_FLIGHT, HELD_BACK_PER_SECOND, Trader, send_query,
                      wait_until)

_fronts = itertools.count()

ORDER_FREQUENCY_LIMIT = (116, "CTP:下单频率限制")
# Helpers and the responses that answer them.
QUERIES = (("query_order", "OnRspQryOrder"), ("query_trade", "OnRspQryTrade"),
           ("query_trading_account", "OnRspQryTradingAccount"),
           ("query_position", "OnRspQryInvestorPosition"))


def new_front():
    return f"flow-{os.getpid()}-{next(_fronts)}:1"


class Asking(Trader):
    """Records the answers it gets; a burst of queries runs inside a handler."""

    def init_extra(self):
        self.events = []
        self.burst = ()
        self.burst_results = None

    def write_log(self, *items):
        pass

    def OnRtnTradingNotice(self, pTradingNoticeInfo):
        self.burst_results = [getattr(self, query)() for query in self.burst]

    def named(self, name):
        return [event for event in self.events if event[0] == name]

    def answered(self, name):
        return any(event[3] for event in self.named(name))

    def run_burst(self, *queries):
        """Sends the queries one after the other from inside a handler; their results."""
        self.burst, self.burst_results = queries, None
        sim.emit(self, "OnRtnTradingNotice", ApiStruct.TradingNoticeInfoField())
        return self.burst_results


def _recorder(name):
    def record(self, record, rsp_info=None, request_id=None, is_last=None):
        self.events.append((name, record, rsp_info, is_last))

    record.__name__ = name
    return record


for _name in [response for _, response in QUERIES] + [
        "OnRtnOrder", "OnRspOrderInsert", "OnRspOrderAction", "OnErrRtnOrderInsert",
        "OnErrRtnOrderAction"]:
    setattr(Asking, _name, _recorder(_name))


@pytest.fixture
def ready(make_trader):
    """A logged-in trader of a front of its own, configured with the limits given."""

    def make(front=None, **configuration):
        front = front or new_front()
        if configuration:
            sim.configure(front, **configuration)
        trader = make_trader(Asking, td_server=front)
        wait_until(lambda: trader.status == 0)
        return trader

    return make


def test_a_query_beyond_one_a_second_returns_minus_3_sends_nothing_and_goes_after_it(ready):
    trader = ready()
    assert trader.query_order() == 0
    wait_until(lambda: trader.answered("OnRspQryOrder"))
    logged = len(sim.calls(trader))
    # Answered, so only the rate holds the next one back, as it holds any query.
    assert trader.query_trading_account() == HELD_BACK_PER_SECOND
    assert trader.ReqQryTrade(ApiStruct.QryTradeField(), 5) == HELD_BACK_PER_SECOND
    # Logged as received, as a request failed by fail_next is: the object got the call.
    calls = sim.calls(trader)
    assert [call[0] for call in calls[logged:]] == ["ReqQryTradingAccount", "ReqQryTrade"]
    assert send_query(trader, trader.query_trading_account) == 0
    wait_until(lambda: trader.answered("OnRspQryTradingAccount"))
    # Nothing held back was answered.
    assert len(trader.named("OnRspQryTradingAccount")) == 1
    assert trader.named("OnRspQryTrade") == []


@pytest.mark.parametrize("limits, results", [
    (None, [0, HELD_BACK_IN_FLIGHT, HELD_BACK_IN_FLIGHT]),  # the vendor's: -2 first
    (dict(queries_in_flight=None), [0, HELD_BACK_PER_SECOND, HELD_BACK_PER_SECOND]),
    (dict(queries_per_second=2, queries_in_flight=None), [0, 0, HELD_BACK_PER_SECOND]),
    (dict(queries_per_second=None, queries_in_flight=2), [0, 0, HELD_BACK_IN_FLIGHT]),
    (dict(queries_per_second=None, queries_in_flight=None), [0, 0, 0]),
    ("lift all", [0, 0, 0, 0]),
], ids=["defaults", "in flight lifted", "two a second", "two in flight", "both lifted",
        "limits=None"])
def test_queries_in_a_burst_meet_the_limits_configured(ready, limits, results):
    if limits is None:
        trader = ready()
    else:
        trader = ready(limits=None if limits == "lift all" else limits)
    queries = QUERIES[:len(results)]
    assert trader.run_burst(*(query for query, _ in queries)) == results
    # Each query sent is answered, and only those.
    sent = [response for (_, response), result in zip(queries, results) if result == 0]
    wait_until(lambda: all(trader.answered(response) for response in sent))
    assert sorted(event[0] for event in trader.events if event[3]) == sorted(sent)


def test_the_last_answers_handler_may_send_the_next_query(ready):
    trader = ready(limits=dict(queries_per_second=None))
    chained = []

    def next_query(record, rsp_info, request_id, is_last):
        trader.events.append(("OnRspQryOrder", record, rsp_info, is_last))
        if is_last:
            chained.append(trader.query_trade())

    trader.OnRspQryOrder = next_query
    assert trader.run_burst("query_order", "query_trade") == [0, HELD_BACK_IN_FLIGHT]
    wait_until(lambda: trader.answered("OnRspQryTrade"))
    assert chained == [0]


def test_orders_and_cancels_beyond_the_rate_are_refused_with_116(ready):
    trader = ready(limits=dict(orders_per_second=2))
    # Two resting orders, then an order and a cancel in the same second: all are sent.
    for _ in range(3):
        assert trader.buy_open(b"SHFE", b"rb2705", 3100.0, 1) == 0
    refused_ref = str(trader.order_ref).encode()
    assert trader.cancel_order(b"SHFE", b"rb2705", refused_ref.decode()) == 0
    wait_until(lambda: len(trader.named("OnRspOrderInsert")) == 1
               and len(trader.named("OnRspOrderAction")) == 1)
    (insert,) = trader.named("OnRspOrderInsert")
    (action,) = trader.named("OnRspOrderAction")
    for name, record, rsp_info, is_last in (insert, action):
        assert (rsp_info["ErrorID"], rsp_info["ErrorMsg"]) == ORDER_FREQUENCY_LIMIT
        assert is_last
    assert insert[1]["OrderRef"] == refused_ref
    # The front refused them before the books saw them: no order, no ErrRtn.
    assert send_query(trader, trader.query_order) == 0
    wait_until(lambda: trader.answered("OnRspQryOrder"))
    orders = [event[1] for event in trader.named("OnRspQryOrder") if event[1]]
    assert len(orders) == 2 and refused_ref not in [order["OrderRef"] for order in orders]
    assert trader.named("OnErrRtnOrderInsert") == trader.named("OnErrRtnOrderAction") == []


def test_orders_are_not_limited_by_default(ready):
    trader = ready()
    for _ in range(20):
        assert trader.buy_open(b"SHFE", b"rb2705", 3100.0, 1) == 0
    wait_until(lambda: len([event for event in trader.named("OnRtnOrder")
                            if event[1]["OrderStatus"] == b"3"]) == 20)
    assert trader.named("OnRspOrderInsert") == []


@pytest.mark.parametrize("limits, error", [
    (dict(queries_per_minute=1), ValueError),
    (dict(queries_per_second=0), ValueError),
    (dict(queries_in_flight=-1), ValueError),
    (dict(orders_per_second=2.5), ValueError),
    (dict(orders_per_second="6"), ValueError),
    (dict(orders_per_second=True), ValueError),
    (dict(orders_per_second=2 ** 31), ValueError),
    ([("queries_per_second", 1)], TypeError),
])
def test_bad_limits_are_refused_changing_nothing(ready, limits, error):
    front = new_front()
    sim.configure(front, limits=dict(queries_in_flight=None))
    with pytest.raises(error):
        sim.configure(front, accounts={"U09": {}}, limits=limits)
    # U01 still logs in (no account was declared), under the limits as they were.
    trader = ready(front)
    assert trader.run_burst("query_order", "query_trade") == [0, HELD_BACK_PER_SECOND]
