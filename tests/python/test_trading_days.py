"""The broker's trading days through the whole stack: a settle cancels the day's orders,
carries today's positions into tomorrow as yesterday's, drops the traders, whose login chain
comes back to the new day, and leaves the day's statement to ReqQrySettlementInfo; the market's
clock stamps the records and places the night session in the next trading day."""
import datetime

import pytest

import Quorvan.sim as sim
from Quorvan.CTP import ApiStruct
from conftest import wait_until
from test_broker import (REBAR_ASK, REBAR_BID, SHFE, Recording, _recorder, ask, front,  # noqa: F401
                         place, positions)

# 2027-01-01 is a Friday: the next trading day is Monday the 4th.
FRIDAY, MONDAY = "20270101", "20270104"


class DayTrader(Recording):
    """Records the settlement queries' answers and the logins too."""

    def OnRspUserLogin(self, pRspUserLogin, pRspInfo, nRequestID, bIsLast):
        self.events.append(("OnRspUserLogin", pRspUserLogin, pRspInfo, nRequestID, bIsLast))
        super().OnRspUserLogin(pRspUserLogin, pRspInfo, nRequestID, bIsLast)


for _name in ("OnRspQrySettlementInfo", "OnRspQrySettlementInfoConfirm"):
    setattr(DayTrader, _name, _recorder(_name))


@pytest.fixture(params=["memory", "sqlite"])
def store(request, tmp_path):
    """Where the broker keeps its state: None for memory, or an SQLite file."""
    return None if request.param == "memory" else str(tmp_path / "broker.db")


@pytest.fixture
def friday(front, make_trader, store):
    """A trader logged in on Friday at a front without flow limits."""
    sim.configure(front, limits=None, trading_day=FRIDAY, store=store)
    trader = make_trader(DayTrader, td_server=front)
    wait_until(lambda: trader.status == 0)
    return trader


def settle(trader, prices=None):
    """Settles the trader's broker and waits until the trader is back, logged in to the new
    day and confirmed."""
    connections = trader.connections
    sim.settle(trader, prices)
    wait_until(lambda: trader.connections > connections and trader.status == 0)


def statement(trader, day=b""):
    query = ApiStruct.QrySettlementInfoField(BrokerID=b"9999", InvestorID=b"U01",
                                             TradingDay=day)
    records = ask(trader, "ReqQrySettlementInfo", "OnRspQrySettlementInfo", query)
    return records


def test_a_settle_turns_todays_position_into_yesterdays(friday):
    trader = friday
    place(trader, "buy_open", SHFE, b"rb2705", REBAR_ASK, 2)
    resting = place(trader, "buy_open", SHFE, b"rb2705", 3100, 1)
    assert resting["OrderStatus"] == b"3"
    logins = len([event for event in trader.events if event[0] == "OnRspUserLogin"])

    settle(trader, {"rb2705": 3205})

    # The resting order's cancellation reached the trader before the line dropped.
    cancelled = [event[1] for event in trader.events if event[0] == "OnRtnOrder"
                 and event[1]["OrderSysID"] == resting["OrderSysID"]]
    assert cancelled[-1]["OrderStatus"] == b"5"
    login = [event[1] for event in trader.events if event[0] == "OnRspUserLogin"][logins]
    assert login["TradingDay"] == trader.GetTradingDay() == MONDAY.encode()
    (confirmation,) = ask(trader, "ReqQrySettlementInfoConfirm", "OnRspQrySettlementInfoConfirm",
                          ApiStruct.QrySettlementInfoConfirmField(BrokerID=b"9999",
                                                                  InvestorID=b"U01"))
    assert confirmation["ConfirmDate"] == MONDAY.encode()

    held = positions(trader)
    assert held[b"2"]["Position"] == held[b"2"]["YdPosition"] == 2
    assert held.get(b"1", {"Position": 0})["Position"] == 0
    (money,) = ask(trader, "query_trading_account", "OnRspQryTradingAccount")
    assert (money["CloseProfit"], money["Commission"]) == (0, 0)
    assert money["CurrMargin"] == pytest.approx(3205 * 10 * 2 * 0.10)
    assert money["TradingDay"] == MONDAY.encode()
    assert ask(trader, "query_order", "OnRspQryOrder") == []

    refusal = place(trader, "sell_close", SHFE, b"rb2705", REBAR_BID, 1)
    assert (refusal["ErrorID"], refusal["ErrorMsg"]) == (50, "CTP:平今仓位不足")
    closed = place(trader, "sell_close", SHFE, b"rb2705", REBAR_BID, 2, False)
    assert (closed["OrderStatus"], closed["CombOffsetFlag"][:1]) == (b"0", b"4")
    assert positions(trader)[b"2"]["Position"] == 0


def test_the_days_statement_answers_the_settlement_info_query(friday):
    trader = friday
    assert statement(trader) == []
    for _ in range(6):
        place(trader, "buy_open", SHFE, b"rb2705", REBAR_ASK, 1)
    settle(trader)

    records = statement(trader)
    assert [record["SequenceNo"] for record in records] == list(range(1, len(records) + 1))
    assert len(records) > 1
    assert {record["TradingDay"] for record in records} == {FRIDAY.encode()}
    text = b"".join(record["Content"] for record in records).decode("gb18030")
    assert "交易结算单" in text and "Client ID：U01" in text
    assert text.count("rb2705") == 6 + 1  # each trade, and the position
    assert "3200.000" in text  # settled at the last price
    assert statement(trader, FRIDAY.encode()) == records
    assert statement(trader, MONDAY.encode()) == []


def test_a_restarted_store_carries_on_in_the_settled_day(front, make_trader, tmp_path):
    path = str(tmp_path / "broker.db")
    sim.configure(front, limits=None, trading_day=FRIDAY, store=path)
    friday = make_trader(DayTrader, td_server=front, flow_path=str(tmp_path / "friday"))
    wait_until(lambda: friday.status == 0)
    place(friday, "buy_open", SHFE, b"rb2705", REBAR_ASK, 2)
    settle(friday)
    friday.Release()

    # The broker is made again from the file, as a new process configuring it would.
    sim.configure(front, limits=None, trading_day=FRIDAY, store=path)
    monday = make_trader(DayTrader, td_server=front, flow_path=str(tmp_path / "monday"))
    wait_until(lambda: monday.status == 0)
    assert monday.GetTradingDay() == MONDAY.encode()
    held = positions(monday)
    assert held[b"2"]["Position"] == held[b"2"]["YdPosition"] == 2
    text = b"".join(record["Content"] for record in statement(monday)).decode("gb18030")
    assert "交易结算单" in text and text.count("rb2705") == 1 + 1  # the trade, the position


@pytest.mark.parametrize("prices, error", [
    ({"xx9999": 1.0}, ValueError),
    ({"rb2705": 3200.5}, ValueError),
    ({"rb2705": 99999.0}, ValueError),
    ({"rb2705": True}, TypeError),
    ([("rb2705", 3200.0)], TypeError),
])
def test_a_refused_settle_changes_nothing(friday, prices, error):
    with pytest.raises(error):
        sim.settle(friday, prices)
    (money,) = ask(friday, "query_trading_account", "OnRspQryTradingAccount")
    assert money["TradingDay"] == FRIDAY.encode()


def test_a_front_without_a_broker_has_nothing_to_settle():
    with pytest.raises(ValueError, match="no simulated broker"):
        sim.settle("sim-never-used:1")


@pytest.mark.parametrize("day, error", [
    ("20270102", ValueError), ("2027-01-01", ValueError), ("20271301", ValueError),
    ("", ValueError), (20270101, TypeError),
])
def test_a_trading_day_that_is_not_a_weekday_is_refused(front, make_trader, day, error):
    sim.configure(front, limits=None, trading_day=FRIDAY)
    with pytest.raises(error):
        sim.configure(front, trading_day=day, limits={"orders_per_second": 1})
    trader = make_trader(DayTrader, td_server=front)
    wait_until(lambda: trader.status == 0)
    (money,) = ask(trader, "query_trading_account", "OnRspQryTradingAccount")
    assert money["TradingDay"] == FRIDAY.encode()


def test_records_carry_set_markets_time_and_a_replayed_ticks(front, make_trader, tmp_path):
    holidays = tmp_path / "holidays.txt"
    holidays.write_text("# observed by the exchanges\n\n20270104  # Monday\n")
    sim.configure(front, limits=None, trading_day=FRIDAY, holidays=holidays)
    trader = make_trader(DayTrader, td_server=front)
    wait_until(lambda: trader.status == 0)

    # Friday night trades for the next trading day, Monday being a holiday.
    sim.set_market("rb2705", time=datetime.datetime(2027, 1, 1, 21, 30, 5), front=front)
    place(trader, "buy_open", SHFE, b"rb2705", REBAR_ASK, 1)
    (trade,) = [event[1] for event in trader.events if event[0] == "OnRtnTrade"]
    assert (trade["TradeDate"], trade["TradeTime"], trade["TradingDay"]) == (
        b"20270101", b"21:30:05", b"20270105")

    resting = place(trader, "buy_open", SHFE, b"rb2705", REBAR_BID, 1)
    assert resting["InsertTime"] == b"21:30:05"
    tick = dict(time=datetime.datetime(2027, 1, 2, 0, 59, 58), instrument_id="rb2705",
                last=REBAR_BID, bid=REBAR_BID - 1, ask=REBAR_BID, bid_volume=5, ask_volume=5)
    assert sim.replay([tick], front=front).wait(timeout=60)
    wait_until(lambda: len([e for e in trader.events if e[0] == "OnRtnTrade"]) == 2)
    filled = [event[1] for event in trader.events if event[0] == "OnRtnTrade"][1]
    assert (filled["TradeDate"], filled["TradeTime"]) == (b"20270102", b"00:59:58")


def test_a_bad_time_or_holiday_is_refused_naming_it_and_changes_nothing(front, tmp_path):
    sim.configure(front, limits=None, trading_day=FRIDAY)
    before = sim.market("rb2705", front)
    bad_file = tmp_path / "holidays.txt"
    bad_file.write_text("# 2027\n\n20270104\n2027-02-11\n")
    refusals = [
        (lambda: sim.set_market("rb2705", bid=3190, time="2027-01-01 21:00:00", front=front),
         "time must be a datetime"),
        (lambda: sim.set_market("rb2705", bid=3190, time=datetime.date(2027, 1, 1), front=front),
         "time must be a datetime"),
        (lambda: sim.configure(front, trading_day=MONDAY, holidays=["20270211", "20270230"]),
         "'20270230'"),
        (lambda: sim.configure(front, trading_day=MONDAY, holidays=bad_file),
         f"{bad_file}.*line 4: '2027-02-11'"),
    ]
    for call, message in refusals:
        with pytest.raises(ValueError, match=message):
            call()
    after = sim.market("rb2705", front)
    assert (after.BidPrice1, after.TradingDay) == (before.BidPrice1, FRIDAY.encode())
