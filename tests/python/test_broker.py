"""The simulated broker through the whole stack: a trader logs in by itself, trades and queries
with the vendor's records and errors, and its account and positions follow every fill.

Each test gives its traders a front of its own, so that no broker is shared between tests."""
import itertools
import os
import threading

import pytest

import Quorvan.sim as sim
from Quorvan.CTP import ApiStruct
from conftest import (EVENTS, REQUEST_ROWS, REQUESTS, VENDOR, Quiet, Trader, filled, record_class_of,
                      send_query, wait_until)

_fronts = itertools.count()

# rb2705 (SHFE, tick 1, x10, margin 10%, commission 0.01% of value) is quoted 3200 / 3201;
# m2705 (DCE, tick 1, x10, commission 1.5 a lot) 2900 / 2901.
REBAR_BID, REBAR_ASK = 3200.0, 3201.0
SHFE, DCE = b"SHFE", b"DCE"

RECORDED = ["OnRtnOrder", "OnRtnTrade", "OnRspOrderInsert", "OnErrRtnOrderInsert",
            "OnRspOrderAction", "OnErrRtnOrderAction", "OnRspQryOrder", "OnRspQryTrade",
            "OnRspQryInvestorPosition", "OnRspQryInvestorPositionDetail",
            "OnRspQryTradingAccount", "OnRspQryInstrument", "OnRspQryDepthMarketData"]


class Recording(Trader):
    """Keeps every trading and query event as (name, record, rsp info, request id, last)."""

    def init_extra(self):
        self.events = []
        self.connections = 0

    def write_log(self, *items):
        pass

    def OnFrontConnected(self):
        self.connections += 1
        super().OnFrontConnected()


def _recorder(name):
    def record(self, record, rsp_info=None, request_id=None, is_last=None):
        self.events.append((name, record, rsp_info, request_id, is_last))

    record.__name__ = name
    return record


for _name in RECORDED:
    setattr(Recording, _name, _recorder(_name))


@pytest.fixture
def front():
    """A front address no other test uses, as the traders are given it."""
    return f"sim-broker-{os.getpid()}-{next(_fronts)}:1"


@pytest.fixture
def unlimited(front):
    """Lifts the flow limits of the test's front, for a test that checks the books with a
    query after each step: the vendor's one query a second would only slow it down."""
    sim.configure(front, limits=None)


@pytest.fixture
def ready(make_trader, front):
    """A trader of the test's front, logged in and ready to trade."""

    def make(**identity):
        trader = make_trader(Recording, td_server=front, **identity)
        wait_until(lambda: trader.status == 0)
        return trader

    return make


def named(trader, name, since=0):
    return [event for event in trader.events[since:] if event[0] == name]


def await_events(trader, name, count=1, since=0):
    wait_until(lambda: len(named(trader, name, since)) >= count)
    return named(trader, name, since)


def ask(trader, query, response, *args):
    """Sends a query and returns its records once the last response has arrived."""
    start = len(trader.events)
    assert send_query(trader, getattr(trader, query), *args) == 0
    wait_until(lambda: any(event[4] for event in named(trader, response, start)))
    return [event[1] for event in named(trader, response, start) if event[1]]


def account(trader):
    (record,) = ask(trader, "query_trading_account", "OnRspQryTradingAccount")
    return record


def positions(trader, instrument=b"rb2705"):
    """The instrument's position records by PositionDate."""
    return {record["PositionDate"]: record
            for record in ask(trader, "query_position", "OnRspQryInvestorPosition")
            if record["InstrumentID"] == instrument}


def place(trader, send, *args):
    """Places an order and waits until the broker has finished with it: traded, resting,
    cancelled or refused. Returns its last order record, or the refusal's rsp info."""
    start = len(trader.events)
    assert getattr(trader, send)(*args) == 0
    ref = str(trader.order_ref).encode()

    def outcome():
        last = None
        for name, record, rsp_info, _, _ in trader.events[start:]:
            if name == "OnErrRtnOrderInsert" and record["OrderRef"] == ref:
                return rsp_info
            if name == "OnRtnOrder" and record["OrderRef"] == ref and \
                    record["OrderStatus"] in (b"0", b"3", b"5"):
                last = record
        return last

    wait_until(lambda: outcome() is not None)
    # An order that crosses the market rests for a moment before it fills; the broker answers
    # in order, so once a later query is answered, every return of the order has arrived.
    ask(trader, "query_order", "OnRspQryOrder")
    return outcome()


def text(value):
    return value.decode("gb18030")


def assert_books_agree(trader):
    """The account's identities hold, and its margin and profits are its positions'."""
    money = account(trader)
    assert money["Balance"] == pytest.approx(
        money["PreBalance"] + money["CloseProfit"] + money["PositionProfit"]
        - money["Commission"])
    assert money["Available"] == pytest.approx(
        money["Balance"] - money["CurrMargin"] - money["FrozenMargin"]
        - money["FrozenCommission"])
    held = ask(trader, "query_position", "OnRspQryInvestorPosition")
    for field in ("UseMargin", "PositionProfit", "CloseProfit", "Commission"):
        total = sum(record[field] for record in held)
        assert total == pytest.approx(money[{"UseMargin": "CurrMargin"}.get(field, field)],
                                      abs=0.005), field
    return money


# ----- logging in ------------------------------------------------------------------------------

def test_a_trader_logs_in_by_itself_with_a_session_of_its_own(ready):
    first, second = ready(), ready()
    assert first.init_error_msg == {"ErrorID": 0, "ErrorMsg": ""}
    assert first.front_id == second.front_id == 1
    assert first.session_id != second.session_id


HOLDER = dict(password="secret", app_id="app", auth_code="code")


@pytest.mark.parametrize("identity, error", [
    (dict(password="guess"), (3, "CTP:不合法的登录")),
    (dict(auth_code="forged"), (63, "CTP:客户端认证失败")),
    (dict(app_id="other"), (63, "CTP:客户端认证失败")),
    (dict(investor_id="U99"), (63, "CTP:客户端认证失败")),
])
def test_a_refused_login_halts_the_session_with_the_brokers_error(make_trader, front,
                                                                    identity, error):
    sim.configure(front, accounts={"U01": HOLDER})
    trader = make_trader(Recording, td_server=front, **identity)
    wait_until(lambda: trader.init_error_msg["ErrorID"] != 0)
    assert (trader.init_error_msg["ErrorID"], trader.init_error_msg["ErrorMsg"]) == error
    assert trader.status == -1

    # A halted session does not try again after a reconnection.
    sim.disconnect(trader, reconnect_after=0)
    assert trader.status == -2
    wait_until(lambda: trader.connections == 2)
    assert [call[0] for call in sim.calls(trader)].count("ReqAuthenticate") == 1


def test_an_investors_first_login_sets_its_password(ready, make_trader, front):
    ready(password="first")
    refused = make_trader(Recording, td_server=front, password="second")
    wait_until(lambda: refused.init_error_msg["ErrorID"] != 0)
    assert refused.init_error_msg == {"ErrorID": 3, "ErrorMsg": "CTP:不合法的登录"}
    ready(password="first")


def test_a_reconnection_logs_in_again_with_a_new_session(ready):
    trader = ready()
    before = trader.session_id
    sim.disconnect(trader, reconnect_after=None)
    assert trader.status == -2
    # Nothing is sent over a line that is down.
    assert trader.query_order() == -1
    sim.disconnect(trader, reconnect_after=0)
    wait_until(lambda: trader.status == 0)
    assert trader.session_id > before
    assert trader.query_order() == 0


# ----- what a refusal carries ------------------------------------------------------------------

# The record each response carries, by event: "InputOrder" for OnRspOrderInsert.
RESPONSE_RECORDS = {row[1]: row[2] for row in EVENTS if row[0] == "Rsp"}


def response_of(request_name):
    """The vendor's naming: ReqX is answered by OnRspX, every way of logging in by
    OnRspUserLogin."""
    return "OnRspUserLogin" if request_name.startswith("ReqUserLoginWith") else \
        "OnRsp" + request_name[len("Req"):]


def test_the_requests_table_answers_and_paces_each_request_as_the_vendor_does():
    """Every layer reads the answer and the query flag from the table's columns."""
    assert [(row.name, row.answer, row.kind == "Query") for row in REQUEST_ROWS] == \
        [(row.name, response_of(row.name), row.name.startswith("ReqQry")) for row in REQUEST_ROWS]


def _answer_recorder(event):
    def record(self, record, rsp_info, request_id, is_last):
        self.answers.append((event, record, rsp_info, request_id))

    record.__name__ = event
    return record


class Unanswered(Quiet):
    def init_extra(self):
        self.answers = []


# Logs in on no account of its own, and keeps every response it receives.
Answered = type("Answered", (Unanswered,),
                {event: _answer_recorder(event) for event in RESPONSE_RECORDS})


@pytest.mark.parametrize("request_name", [row[0] for row in REQUESTS])
def test_a_refused_request_is_answered_with_the_fields_of_its_record(make_trader, front,
                                                                     request_name):
    """Refused for want of authentication, of a login, or of the service: the answer carries
    every field of the request that its own record declares, so that it can be tied to its
    request."""
    sim.configure(front, accounts={"U01": HOLDER})
    trader = make_trader(Answered, td_server=front)
    request_class = record_class_of(VENDOR[request_name][0][0])
    request = filled(request_class, 3)
    assert getattr(trader, request_name)(request, 41) == 0
    wait_until(lambda: trader.answers)
    ((event, answer, rsp_info, request_id),) = trader.answers
    assert (event, request_id) == (response_of(request_name), 41)
    assert rsp_info["ErrorID"] != 0
    answer_class = getattr(ApiStruct, RESPONSE_RECORDS[event] + "Field")
    shared = set(request_class._fields_) & set(answer_class._fields_)
    sent = request.to_dict()
    assert answer.keys() == {name for name, _ in answer_class._fields_}
    assert {name: answer[name] for name, _ in shared} == {name: sent[name] for name, _ in shared}


# ----- trading ---------------------------------------------------------------------------------

def test_an_order_that_crosses_fills_at_the_market_and_moves_the_books(ready, unlimited):
    trader = ready()
    traded = place(trader, "buy_open", SHFE, b"rb2705", REBAR_ASK + 10, 2)
    statuses = [event[1]["OrderStatus"] for event in named(trader, "OnRtnOrder")]
    assert statuses == [b"a", b"3", b"0"]
    assert [text(event[1]["StatusMsg"]) for event in named(trader, "OnRtnOrder")] == [
        "报单已提交", "未成交", "全部成交"]
    assert traded["OrderSysID"].strip().isdigit() and len(traded["OrderSysID"]) == 12
    assert (traded["FrontID"], traded["SessionID"]) == (trader.front_id, trader.session_id)
    (trade,) = [event[1] for event in named(trader, "OnRtnTrade")]
    assert (trade["Price"], trade["Volume"], trade["OrderSysID"]) == (
        REBAR_ASK, 2, traded["OrderSysID"])

    money = assert_books_agree(trader)
    assert money["CurrMargin"] == pytest.approx(REBAR_ASK * 2 * 10 * 0.10)
    assert money["Commission"] == pytest.approx(REBAR_ASK * 2 * 10 * 0.0001)
    (today,) = positions(trader).values()
    assert (today["PosiDirection"], today["PositionDate"], today["Position"],
            today["TodayPosition"]) == (b"2", b"1", 2, 2)
    assert ask(trader, "query_trade", "OnRspQryTrade") == [trade]
    assert [record["OrderStatus"] for record in ask(trader, "query_order", "OnRspQryOrder")] == [
        b"0"]


def test_a_resting_order_holds_its_margin_until_the_market_crosses_it(ready, front, unlimited):
    trader = ready()
    resting = place(trader, "buy_open", SHFE, b"rb2705", 3150, 1)
    assert resting["OrderStatus"] == b"3"
    assert assert_books_agree(trader)["FrozenMargin"] == pytest.approx(3150 * 10 * 0.10)

    sim.set_market("rb2705", bid=3149, ask=3150, front=front)
    (trade,) = [event[1] for event in await_events(trader, "OnRtnTrade")]
    assert trade["Price"] == 3150
    money = assert_books_agree(trader)
    assert money["FrozenMargin"] == 0
    assert money["CurrMargin"] == pytest.approx(3150 * 10 * 0.10)


def test_shfe_closes_todays_and_yesterdays_lots_apart(make_trader, front, unlimited):
    sim.configure(front, accounts={"U01": dict(
        password="secret", positions=[dict(instrument_id="rb2705", direction="long",
                                           volume=2, price=3150)])})
    trader = make_trader(Recording, td_server=front)
    wait_until(lambda: trader.status == 0)
    place(trader, "buy_open", SHFE, b"rb2705", REBAR_ASK, 1)
    held = positions(trader)
    assert (held[b"1"]["Position"], held[b"2"]["Position"], held[b"2"]["YdPosition"]) == (1, 2, 2)

    # On SHFE the helpers close today's lots with close-today, yesterday's with close-yesterday.
    place(trader, "sell_close", SHFE, b"rb2705", REBAR_BID, 1)
    place(trader, "sell_close", SHFE, b"rb2705", REBAR_BID, 1, False)
    held = positions(trader)
    assert (held[b"1"]["Position"], held[b"2"]["Position"]) == (0, 1)
    assert held[b"1"]["CloseProfit"] == pytest.approx((REBAR_BID - REBAR_ASK) * 10)
    assert held[b"2"]["CloseProfit"] == pytest.approx((REBAR_BID - 3150) * 10)
    assert_books_agree(trader)

    refusal = place(trader, "sell_close", SHFE, b"rb2705", REBAR_BID, 1)
    assert (refusal["ErrorID"], refusal["ErrorMsg"]) == (50, "CTP:平今仓位不足")
    refusal = place(trader, "sell_close", SHFE, b"rb2705", REBAR_BID, 2, False)
    assert (refusal["ErrorID"], refusal["ErrorMsg"]) == (30, "CTP:平仓量超过持仓量")
    place(trader, "buy_open", SHFE, b"rb2705", REBAR_ASK, 1)
    refusal = place(trader, "sell_close", SHFE, b"rb2705", REBAR_BID, 2, False)
    assert (refusal["ErrorID"], refusal["ErrorMsg"]) == (51, "CTP:平昨仓位不足")


def test_cancelling_by_reference_and_by_exchange_number(ready, unlimited):
    trader = ready()
    first = place(trader, "buy_open", SHFE, b"rb2705", 3100, 1)
    second = place(trader, "sell_open", SHFE, b"rb2705", 3300, 1)
    assert account(trader)["FrozenMargin"] > 0

    assert trader.cancel_order(SHFE, b"rb2705", first["OrderRef"]) == 0
    assert trader.cancel_order(SHFE, b"rb2705", b"", second["OrderSysID"].strip()) == 0
    wait_until(lambda: [event[1]["OrderStatus"] for event in named(trader, "OnRtnOrder")][-2:]
               == [b"5", b"5"])
    cancelled = [event[1] for event in named(trader, "OnRtnOrder")][-2:]
    assert [record["OrderRef"] for record in cancelled] == [first["OrderRef"],
                                                            second["OrderRef"]]
    assert text(cancelled[0]["StatusMsg"]) == "已撤单"
    money = assert_books_agree(trader)
    assert money["FrozenMargin"] == money["FrozenCommission"] == 0

    trader.cancel_order(SHFE, b"rb2705", first["OrderRef"])
    trader.cancel_order(SHFE, b"rb2705", b"12345")
    errors = await_events(trader, "OnErrRtnOrderAction", 2)
    assert [(event[2]["ErrorID"], event[2]["ErrorMsg"]) for event in errors] == [
        (26, "CTP:报单已全成交或已撤销，不能再撤"),
        (25, "CTP:撤单找不到相应报单")]
    assert len(named(trader, "OnRspOrderAction")) == 2


@pytest.mark.parametrize("send, args, error", [
    ("buy_open", (SHFE, b"rb1999", 3201, 1), (16, "CTP:找不到合约")),
    ("buy_open", (DCE, b"rb2705", 3201, 1), (16, "CTP:找不到合约")),
    ("buy_open", (SHFE, b"rb2705", 3201, 0), (15, "CTP:报单字段有误")),
    ("buy_open", (SHFE, b"rb2705", 3201, 40), (31, "CTP:资金不足")),
    ("sell_close", (DCE, b"m2705", 2900, 1), (30, "CTP:平仓量超过持仓量")),
    ("sell_close", (SHFE, b"rb2705", 3200, 1, False), (30, "CTP:平仓量超过持仓量")),
])
def test_a_refused_order_gets_the_vendors_error_twice_and_no_order(make_trader, front, send,
                                                                   args, error):
    sim.configure(front, accounts={"U01": dict(password="secret", balance=100_000)})
    trader = make_trader(Recording, td_server=front)
    wait_until(lambda: trader.status == 0)
    refusal = place(trader, send, *args)
    assert (refusal["ErrorID"], refusal["ErrorMsg"]) == error
    (response,) = named(trader, "OnRspOrderInsert")
    assert response[2] == refusal and response[4] is True
    assert response[1]["OrderRef"] == str(trader.order_ref).encode()
    assert named(trader, "OnRtnOrder") == []


def test_the_books_agree_through_a_trading_day(make_trader, front, unlimited):
    sim.configure(front, accounts={"U01": dict(password="secret", positions=[
        dict(instrument_id="m2705", direction="short", volume=3)])})
    trader = make_trader(Recording, td_server=front)
    wait_until(lambda: trader.status == 0)
    day = [
        lambda: place(trader, "buy_open", SHFE, b"rb2705", REBAR_ASK, 3),
        lambda: sim.set_market("rb2705", bid=3230, ask=3231, last=3230, front=front),
        lambda: place(trader, "sell_close", SHFE, b"rb2705", 3230, 1),
        lambda: place(trader, "buy_close", DCE, b"m2705", 2880, 2),
        lambda: sim.set_market("m2705", bid=2870, ask=2880, last=2875, front=front),
        lambda: place(trader, "sell_open", DCE, b"m2705", 2900, 1),
        lambda: place(trader, "buy_open", b"CFFEX", b"IF2703", 3900.2, 1),
        lambda: sim.set_market("IF2703", bid=3950, ask=3950.2, last=3950, front=front),
    ]
    for step in day:
        step()
        assert_books_agree(trader)
    money = account(trader)
    assert money["CloseProfit"] == pytest.approx((3230 - REBAR_ASK) * 10 + (2900 - 2880) * 10 * 2)
    held = ask(trader, "query_position_detail", "OnRspQryInvestorPositionDetail")
    assert sorted((record["InstrumentID"], record["Direction"], record["Volume"])
                  for record in held) == [
        (b"IF2703", b"0", 1), (b"m2705", b"1", 1), (b"rb2705", b"0", 2)]


# ----- a line that keeps dropping -------------------------------------------------------------

ANSWERS_OF_AN_ORDER = ("OnRtnOrder", "OnRspOrderInsert", "OnErrRtnOrderInsert")
ORDERS_IN_FLIGHT = 50


def test_every_order_accepted_during_a_disconnection_storm_is_answered(ready):
    """One thread sends orders while another drops the line again and again: each order that
    returned 0 reached the broker and is answered for its reference (resting, refused, or not
    logged in while the session logs in again); the others returned -1."""
    trader = ready()
    storm_over = threading.Event()

    def storm():
        try:
            for drop in range(300):
                # Every other drop waits for the line to come back, so that orders meet a line
                # that is down, one coming back, and a session logging in again.
                connections = trader.connections
                sim.disconnect(trader, reconnect_after=0)
                if drop % 2:
                    wait_until(lambda: trader.connections > connections)
        finally:
            storm_over.set()

    accepted, results = [], set()

    def unanswered():
        answered = {event[1]["OrderRef"] for event in list(trader.events)
                    if event[0] in ANSWERS_OF_AN_ORDER and event[1]}
        return set(accepted) - answered

    dropping = threading.Thread(target=storm)
    dropping.start()
    while not storm_over.is_set():
        result = trader.buy_open(SHFE, b"rb2705", REBAR_BID - 50, 1)
        results.add(result)
        if result == 0:
            accepted.append(str(trader.order_ref).encode())
            # A loop that only sends keeps the interpreter lock from the library's thread,
            # which needs it for every answer: unbounded, the answers (and the storm, which
            # waits for them at each drop) would fall further behind the faster orders go.
            if len(accepted) % ORDERS_IN_FLIGHT == 0:
                wait_until(lambda: len(unanswered()) < ORDERS_IN_FLIGHT, timeout=60)
    dropping.join()
    assert results <= {0, -1}
    assert accepted
    wait_until(lambda: not unanswered(), timeout=60)


# ----- instruments and markets -----------------------------------------------------------------

@pytest.mark.parametrize("arguments, expected", [
    ((), 12),
    ((b"", b"SHFE"), 3),
    ((b"", b"", b"IF"), 1),
    ((b"SR705",), 1),
    ((b"nothing",), 0),
])
def test_instruments_by_id_exchange_or_product(ready, arguments, expected):
    records = ask(ready(), "query_instrument", "OnRspQryInstrument", *arguments)
    assert len(records) == expected


def test_instrument_records_carry_the_vendors_fields(ready):
    (rebar,) = ask(ready(), "query_instrument", "OnRspQryInstrument", b"rb2705")
    assert text(rebar["InstrumentName"]) == "螺纹钢2705"
    assert (rebar["ExchangeID"], rebar["ProductID"], rebar["PriceTick"],
            rebar["VolumeMultiple"], rebar["LongMarginRatio"], rebar["IsTrading"]) == (
        SHFE, b"rb", 1.0, 10, 0.10, 1)


@pytest.mark.parametrize("name_front", [
    lambda trader, front: trader,
    lambda trader, front: front,
    lambda trader, front: b"tcp://" + front.encode(),
], ids=["trader", "address", "tcp-bytes"])
def test_a_market_moves_at_the_front_however_it_is_named(ready, front, name_front):
    trader = ready()
    sim.set_market("cu2702", bid=77990, ask=78000, last=77990, bid_volume=3, ask_volume=4,
                   front=name_front(trader, front))
    (depth,) = ask(trader, "ReqQryDepthMarketData", "OnRspQryDepthMarketData",
                   ApiStruct.QryDepthMarketDataField(InstrumentID=b"cu2702"))
    assert (depth["BidPrice1"], depth["AskPrice1"], depth["LastPrice"], depth["BidVolume1"],
            depth["AskVolume1"]) == (77990, 78000, 77990, 3, 4)


# ----- what the controls refuse ----------------------------------------------------------------

def test_configuring_without_a_front_sets_what_later_brokers_start_from(ready, make_trader):
    def margin_ratio(trader):
        (rebar,) = ask(trader, "query_instrument", "OnRspQryInstrument", b"rb2705")
        return rebar["LongMarginRatio"]

    existing = ready()
    try:
        sim.configure(instruments=[dict(instrument_id="rb2705", long_margin_ratio=0.2)])
        later = make_trader(Recording, td_server=f"sim-broker-{os.getpid()}-{next(_fronts)}:1")
        wait_until(lambda: later.status == 0)
        assert (margin_ratio(existing), margin_ratio(later)) == (0.10, 0.2)
    finally:
        sim.configure(reset=True)


def test_a_front_with_traders_cannot_be_configured(ready, front):
    trader = ready()
    with pytest.raises(RuntimeError, match="connected API objects"):
        sim.configure(front, accounts={"U02": {}})
    trader.Release()
    sim.configure(front, accounts={"U02": {}})


@pytest.mark.parametrize("call, error, message", [
    (lambda f: sim.configure(f, instruments=[dict(instrument_id="rb2705", colour="red")]),
     ValueError, "colour is not a field of instrument"),
    (lambda f: sim.configure(f, instruments=[dict(instrument_id="rb2705", price_tick=0)]),
     ValueError, "price_tick must be a positive number"),
    (lambda f: sim.configure(f, instruments=dict(instrument_id="rb2705")), TypeError,
     "instruments must be a list of dicts"),
    (lambda f: sim.configure(f, accounts=["U01"]), TypeError, "accounts must be a dict"),
    (lambda f: sim.configure(f, accounts={"U01": dict(balance=[1])}), TypeError,
     r"accounts\['U01'\]\['balance'\] must be text or a number"),
    (lambda f: sim.configure(f, accounts={"U01": dict(positions=[dict(
        instrument_id="rb2705", direction="long", volume=1)], **{"Bad Key": 1})}),
     ValueError, "keys are lower-case names"),
    (lambda f: sim.configure(f, accounts={"U01": dict(positions=[dict(
        instrument_id="rb2705", direction="sideways", volume=1)])}),
     ValueError, "must be long or short"),
    (lambda f: sim.configure(f, accounts={"U01": dict(investor="U02")}), ValueError,
     "investor given twice"),
    (lambda f: sim.set_market("rb1999", bid=1, front=f), ValueError, "no instrument 'rb1999'"),
    (lambda f: sim.set_market("rb2705", bid=3300, front=f), ValueError,
     "the bid must be below the ask"),
    (lambda f: sim.set_market("rb2705", last=3200.5, front=f), ValueError,
     "not a multiple of the price tick"),
    (lambda f: sim.set_market("rb2705", bid="3200", front=f), TypeError,
     "bid must be a price or None"),
    (lambda f: sim.set_market("rb2705", bid_volume=2 ** 31, front=f), OverflowError,
     "bid_volume"),
    (lambda f: sim.set_market("rb2705", front=42), TypeError, "front must be a trader"),
])
def test_refusals_name_what_was_wrong(front, call, error, message):
    with pytest.raises(error, match=message):
        call(front)
