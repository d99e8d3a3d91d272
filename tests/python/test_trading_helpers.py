"""Order entry, cancellation and the queries: the records they send, exactly as the vendor
receives them, the order reference counter, the close rule and what the helpers refuse."""
import ctypes
import re
import sys
import threading
import time
from fractions import Fraction

import pytest

import Quorvan.sim as sim
from Quorvan.CTP import ApiStruct, TraderApiBase as module
from Quorvan.utils.base_field import to_bytes
from conftest import Quiet

ENTRY = "Quorvan.CTP.TraderApiBase.TraderApiBase."

@pytest.fixture
def trader(make_trader):
    return make_trader(Quiet)


@pytest.fixture
def logged_in(trader):
    """As a successful login leaves it."""
    trader.front_id, trader.session_id = 3, -1234
    return trader


def sent(trader, request):
    """The records and request ids the vendor received with `request`, as dicts."""
    record_class = {"ReqOrderInsert": ApiStruct.InputOrderField,
                    "ReqOrderAction": ApiStruct.InputOrderActionField}[request]
    return [(record_class.from_buffer_copy(call[1]).to_dict(), call[2])
            for call in sim.calls(trader) if call[0] == request]


def order(exchange=b"SHFE", instrument=b"rb2410", price=3500.5, volume=3, direction=b"0",
          offset=b"0", ref=b"1", broker=b"9999", investor=b"U01"):
    """The order insert_order documents, written out with the vendor's codes."""
    return ApiStruct.InputOrderField(
        BrokerID=broker, InvestorID=investor, ExchangeID=exchange, InstrumentID=instrument,
        UserID=investor, OrderPriceType=b"2", Direction=direction, CombOffsetFlag=offset,
        CombHedgeFlag=b"1", LimitPrice=price, VolumeTotalOriginal=volume, TimeCondition=b"3",
        VolumeCondition=b"1", MinVolume=1, ContingentCondition=b"1", StopPrice=0,
        ForceCloseReason=b"0", IsAutoSuspend=0, OrderRef=ref)


# What a replaced record class's own construction code was called with.
made_with = []


# The fields the order helpers set.
ORDER_FIELDS = {"BrokerID", "InvestorID", "ExchangeID", "InstrumentID", "UserID", "OrderPriceType",
                "Direction", "CombOffsetFlag", "CombHedgeFlag", "LimitPrice",
                "VolumeTotalOriginal", "TimeCondition", "VolumeCondition", "MinVolume",
                "ContingentCondition", "StopPrice", "ForceCloseReason", "IsAutoSuspend", "OrderRef"}


def action(ref=b"1", action_ref=1, front=3, session=-1234, exchange=b"SHFE",
           instrument=b"rb2410", sysid=b""):
    """The delete action cancel_order documents."""
    return ApiStruct.InputOrderActionField(
        BrokerID=b"9999", InvestorID=b"U01", OrderActionRef=action_ref, OrderRef=ref,
        FrontID=front, SessionID=session, ExchangeID=exchange, OrderSysID=sysid,
        ActionFlag=b"0", UserID=b"U01", InstrumentID=instrument)


def assert_sent(trader, request, *records):
    assert sent(trader, request) == [(record.to_dict(), 0) for record in records]
    assert [call[1] for call in sim.calls(trader) if call[0] == request] == [
        bytes(record) for record in records]


def raises_exactly(error, message, call):
    with pytest.raises(error) as caught:
        call()
    assert re.fullmatch(message, str(caught.value)), str(caught.value)
    return caught


class TestOrderEntry:
    def test_the_order_record(self, trader):
        assert trader.insert_order("SHFE", "rb2410", 3500.5, 3, b"0", b"0") == 0
        assert trader.order_ref == 1
        assert trader.insert_order(exchange_id=b"INE", instrument_id="螺纹2410", order_price=7,
                                   order_vol=1, direction=b"1", offset_flag=b"4") == 0
        assert trader.insert_order(b"DCE", 2501, 0.5, 2, b"0", b"1") == 0
        assert trader.order_ref == 3
        assert_sent(trader, "ReqOrderInsert",
                    order(),
                    order(exchange=b"INE", instrument="螺纹2410".encode("gb18030"), price=7,
                          volume=1, direction=b"1", offset=b"4", ref=b"2"),
                    order(exchange=b"DCE", instrument=b"2501", price=0.5, volume=2,
                          offset=b"1", ref=b"3"))

    def test_the_account_attributes_are_read_at_each_order(self, trader):
        trader.broker_id, trader.investor_id = b"7777", b"U99"
        trader.order_ref = 41
        trader.insert_order(b"SHFE", b"rb2410", 3500.5, 3, b"0", b"0")
        assert_sent(trader, "ReqOrderInsert",
                    order(broker=b"7777", investor=b"U99", ref=b"42"))

    @pytest.mark.parametrize("place, direction, offset", [
        (lambda t: t.buy_open(b"SHFE", b"rb2410", 3500.5, 3), b"0", b"0"),
        (lambda t: t.sell_open(b"SHFE", b"rb2410", 3500.5, 3), b"1", b"0"),
        (lambda t: t.buy_close(b"SHFE", b"rb2410", 3500.5, 3), b"0", b"3"),
        (lambda t: t.buy_close(b"SHFE", b"rb2410", 3500.5, 3, False), b"0", b"4"),
        (lambda t: t.buy_close(b"INE", b"rb2410", 3500.5, 3, is_today=True), b"0", b"3"),
        (lambda t: t.buy_close(b"INE", b"rb2410", 3500.5, 3, is_today=0), b"0", b"4"),
        (lambda t: t.buy_close(b"SHFE", b"rb2410", 3500.5, 3, []), b"0", b"4"),
        (lambda t: t.buy_close(b"DCE", b"rb2410", 3500.5, 3, False), b"0", b"1"),
        (lambda t: t.buy_close(b"shfe", b"rb2410", 3500.5, 3), b"0", b"1"),
        (lambda t: t.sell_close(b"SHFE", b"rb2410", 3500.5, 3), b"1", b"3"),
        (lambda t: t.sell_close(b"INE", b"rb2410", 3500.5, 3, False), b"1", b"4"),
        (lambda t: t.sell_close(b"CZCE", b"rb2410", 3500.5, 3, True), b"1", b"1"),
    ])
    def test_helpers_and_the_close_rule(self, trader, place, direction, offset):
        assert place(trader) == 0
        (record, _), = sent(trader, "ReqOrderInsert")
        assert (record["Direction"], record["CombOffsetFlag"]) == (direction, offset)
        assert record == order(exchange=record["ExchangeID"], direction=direction,
                               offset=offset).to_dict()

    @pytest.mark.parametrize("exchange", ["SHFE", b"SHFE", "INE", b"INE"])
    @pytest.mark.parametrize("helper", ["buy_close", "sell_close"])
    def test_the_close_rule_reads_the_exchange_id_as_the_order_carries_it(self, trader, helper,
                                                                           exchange):
        getattr(trader, helper)(exchange, "rb2705", 3500.5, 1)
        getattr(trader, helper)(exchange, "rb2705", 3500.5, 1, False)
        assert [record["CombOffsetFlag"] for record, _ in sent(trader, "ReqOrderInsert")] == [
            b"3", b"4"]

    def test_the_close_rule_reads_the_exchange_id_through_the_modules_to_bytes(
            self, trader, monkeypatch):
        monkeypatch.setattr(module, "to_bytes",
                            lambda value: b"SHFE" if value == "上期所" else to_bytes(value))
        trader.sell_close("上期所", "rb2705", 3500.5, 1, False)
        (record, _), = sent(trader, "ReqOrderInsert")
        assert (record["ExchangeID"], record["CombOffsetFlag"]) == (b"SHFE", b"4")

    def test_helpers_hand_their_arguments_to_insert_order(self, make_trader):
        class Recording(Quiet):
            def insert_order(self, *args, **kwargs):
                self.orders.append((args, kwargs))
                return "result"

            def init_extra(self):
                self.orders = []

        trader = make_trader(Recording)
        exchange, price = bytearray(b"SHFE"), object()
        results = [trader.buy_open(exchange, "i", price, 2),
                   trader.sell_open(exchange, "i", price, 2),
                   trader.buy_close(exchange, "i", price, 2, False),
                   trader.sell_close(exchange, "i", price, 2)]
        assert results == ["result"] * 4
        assert [kwargs for _, kwargs in trader.orders] == [{}] * 4
        assert [args[-2:] for args, _ in trader.orders] == [
            (b"0", b"0"), (b"1", b"0"), (b"0", b"4"), (b"1", b"3")]
        assert all(args[0] is exchange and args[2] is price for args, _ in trader.orders)
        assert sim.calls(trader)[-1] == ("Init",)

    def test_insert_order_sends_through_the_objects_request_method(self, make_trader):
        class Intercepting(Quiet):
            def ReqOrderInsert(self, *args, **kwargs):
                self.requests.append((args, kwargs))
                return 42

            def init_extra(self):
                self.requests = []

        trader = make_trader(Intercepting)
        assert trader.buy_open(b"SHFE", b"rb2410", 3500.5, 3) == 42
        (args, kwargs), = trader.requests
        assert kwargs == {} and len(args) == 1
        assert bytes(args[0]) == bytes(order())
        assert sim.calls(trader)[-1] == ("Init",)

    @pytest.mark.parametrize("place, name, field", [
        (lambda t: t.buy_open(b"SHFE", b"rb", 1, 1), "OrderPriceType_LimitPrice",
         "OrderPriceType"),
        (lambda t: t.sell_open(b"SHFE", b"rb", 1, 1), "Direction_Sell", "Direction"),
        (lambda t: t.sell_close(b"SHFE", b"rb", 1, 1, False), "OffsetFlag_CloseYesterday",
         "CombOffsetFlag"),
    ])
    def test_constants_are_read_at_each_order(self, trader, monkeypatch, place, name, field):
        monkeypatch.setattr(module, name, b"9")
        place(trader)
        assert sent(trader, "ReqOrderInsert")[0][0][field] == b"9"

    @pytest.mark.parametrize("place, error, message", [
        (lambda t: t.buy_open(b"SHFE", b"rb", "3500", 1), TypeError, ".*LimitPrice.*"),
        (lambda t: t.buy_open(b"SHFE", b"rb", 3500, 2 ** 40), OverflowError,
         ".*VolumeTotalOriginal.*"),
        (lambda t: t.insert_order(b"SHFE", b"rb", 1, 1, b"01", b"0"), ValueError,
         ".*Direction.*"),
        (lambda t: t.buy_open(1.5, b"rb", 3500, 1), TypeError, ".*to_bytes.*"),
        (lambda t: t.sell_close(b"SHFE", "rb" * 50, 3500, 1), ValueError, ".*InstrumentID.*"),
    ])
    def test_a_refused_value_raises_after_the_counter_moved(self, trader, place, error,
                                                              message):
        raises_exactly(error, message, lambda: place(trader))
        assert trader.order_ref == 1
        assert sent(trader, "ReqOrderInsert") == []

    @pytest.mark.parametrize("exchange, instrument", [
        (b"SHFE", b"rb2410"), ("SHFE", "rb2410"), ("上期所", "螺纹2410"),
        (bytearray(b"SHFE"), "rb2410"), (type("Text", (str,), {})("SHFE"), b"rb2410"),
    ])
    def test_order_texts_are_what_to_bytes_makes_of_them(self, trader, monkeypatch, exchange,
                                                         instrument):
        def texts(order_number, mark):
            record = sent(trader, "ReqOrderInsert")[order_number][0]
            assert (record["ExchangeID"], record["InstrumentID"], record["OrderRef"]) == (
                mark + to_bytes(exchange), mark + to_bytes(instrument),
                mark + to_bytes(order_number + 1))

        trader.buy_open(exchange, instrument, 1, 1)
        texts(0, b"")
        # A replacement of the module's to_bytes converts every text, whatever its type.
        monkeypatch.setattr(module, "to_bytes", lambda value: b"X" + to_bytes(value))
        trader.buy_open(exchange, instrument, 1, 1)
        texts(1, b"X")

    @pytest.mark.parametrize("members, runs_own_code", [
        ({}, False),
        ({"_fields_": [("Note", ctypes.c_int)]}, False),
        ({"__init__": lambda self, **fields: (
            made_with.append(fields), ApiStruct.InputOrderField.__init__(self, **fields))[1]},
         True),
        ({"__new__": lambda cls, **fields: (
            made_with.append(fields), ApiStruct.InputOrderField.__new__(cls))[1]}, True),
    ])
    def test_a_replaced_order_record_class_is_made_as_calling_it_makes_it(
            self, trader, monkeypatch, members, runs_own_code):
        made_with.clear()
        monkeypatch.setattr(module, "InputOrderField",
                            type("InputOrderField", (ApiStruct.InputOrderField,), members))
        trader.buy_open(b"SHFE", b"rb2410", 3500.5, 3)
        assert_sent(trader, "ReqOrderInsert", order())
        assert [set(fields) for fields in made_with] == (
            [ORDER_FIELDS] if runs_own_code else [])

    @pytest.mark.parametrize("name", ["to_bytes", "InputOrderField", "OrderPriceType_LimitPrice",
                                      "Direction_Buy", "OffsetFlag_Open"])
    def test_a_missing_global_is_a_name_error(self, trader, monkeypatch, name):
        monkeypatch.delattr(module, name)
        caught = raises_exactly(NameError, f"name '{name}' is not defined",
                                lambda: trader.buy_open(b"SHFE", b"rb", 1, 1))
        assert ENTRY + "buy_open" in [entry.name for entry in caught.traceback]
        assert sent(trader, "ReqOrderInsert") == []

    def test_results_pass_through(self, trader):
        sim.fail_next(trader, "ReqOrderInsert", -2)
        assert trader.sell_open(b"SHFE", b"rb2410", 3500.5, 3) == -2
        trader.Release()
        assert trader.buy_close(b"SHFE", b"rb2410", 3500.5, 3) == -1
        # The record is still built, and checked, before the request finds no vendor object.
        with pytest.raises(TypeError):
            trader.buy_open(b"SHFE", b"rb2410", "3500", 3)
        assert trader.order_ref == 3


class TestCancellation:
    def test_the_action_record(self, logged_in):
        assert logged_in.cancel_order(b"SHFE", "rb2410", 1) == 0
        assert logged_in.order_ref == 1
        logged_in.order_ref = 9
        assert logged_in.cancel_order("SHFE", b"rb2410", b"7", order_sysid="  123",
                                      front_id=8, session_id=-5) == 0
        assert logged_in.cancel_order(exchange_id=b"INE", instrument_id=b"sc2501",
                                      order_ref="12", front_id=False, session_id=0.0) == 0
        assert_sent(logged_in, "ReqOrderAction",
                    action(),
                    action(ref=b"7", action_ref=10, front=8, session=-5, sysid=b"  123"),
                    action(ref=b"12", action_ref=11, exchange=b"INE", instrument=b"sc2501"))

    def test_front_and_session_given_need_no_login(self, trader):
        assert trader.cancel_order(b"SHFE", b"rb2410", 1, b"", 8, 9) == 0
        assert_sent(trader, "ReqOrderAction", action(front=8, session=9))

    @pytest.mark.parametrize("front_id, session_id, missing", [
        (8, 0, "session_id"),
        (0, 9, "front_id"),
        (0, Fraction(9), "front_id"),
    ])
    def test_before_login_the_missing_attribute_is_reported(self, trader, front_id, session_id,
                                                            missing):
        with pytest.raises(AttributeError, match=missing) as caught:
            trader.cancel_order(b"SHFE", b"rb2410", 1, front_id=front_id, session_id=session_id)
        assert ENTRY + "cancel_order" in [entry.name for entry in caught.traceback]
        assert trader.order_ref == 1
        assert sent(trader, "ReqOrderAction") == []

    @pytest.mark.parametrize("front_id, session_id", [
        (8, 9),
        (0, 0),
        (Fraction(3), 1),
        (1, Fraction(5)),
    ])
    def test_a_refused_value_raises_after_the_counter_moved(self, logged_in, monkeypatch,
                                                              front_id, session_id):
        # A change to the class empties the interpreter's attribute cache for it, as a lookup
        # colliding in that cache anywhere else may: the login's attributes are then looked up
        # afresh.
        monkeypatch.setattr(type(logged_in), "cache_emptied", True, raising=False)
        with pytest.raises(TypeError, match="to_bytes"):
            logged_in.cancel_order(b"SHFE", b"rb2410", 1.5, front_id=front_id,
                                   session_id=session_id)
        assert logged_in.order_ref == 1
        assert sent(logged_in, "ReqOrderAction") == []

    def test_cancel_order_sends_through_the_objects_request_method(self, make_trader):
        class Intercepting(Quiet):
            def ReqOrderAction(self, *args, **kwargs):
                self.requests.append((args, kwargs))
                return "result"

            def init_extra(self):
                self.requests = []

        trader = make_trader(Intercepting)
        assert trader.cancel_order(b"SHFE", b"rb2410", 1, front_id=3, session_id=-1234) == \
            "result"
        (args, kwargs), = trader.requests
        assert kwargs == {} and [bytes(arg) for arg in args] == [bytes(action())]

    def test_results_pass_through(self, logged_in):
        sim.fail_next(logged_in, "ReqOrderAction", -3)
        assert logged_in.cancel_order(b"SHFE", b"rb2410", 1) == -3
        logged_in.Release()
        assert logged_in.cancel_order(b"SHFE", b"rb2410", 1) == -1
        assert logged_in.order_ref == 2


class TestOrderReference:
    def test_orders_and_cancellations_share_the_counter(self, logged_in):
        logged_in.buy_open(b"SHFE", b"rb2410", 3500.5, 3)
        logged_in.cancel_order(b"SHFE", b"rb2410", logged_in.order_ref)
        logged_in.sell_open(b"SHFE", b"rb2410", 3500.5, 3)
        assert logged_in.order_ref == 3 and type(logged_in.order_ref) is int
        assert [record["OrderRef"] for record, _ in sent(logged_in, "ReqOrderInsert")] == [
            b"1", b"3"]
        (cancel, _), = sent(logged_in, "ReqOrderAction")
        assert (cancel["OrderRef"], cancel["OrderActionRef"]) == (b"1", 2)

    @pytest.mark.timeout(120)
    def test_threads_never_share_a_reference(self, make_trader, monkeypatch):
        trader = make_trader(Quiet)
        threads, rounds = 4, 50
        start = threading.Barrier(threads)
        convert = module.to_bytes

        def yielding(value):
            # Gives up the interpreter lock while the record is built, after the counter has
            # moved: a reference read again from the counter would then be another's.
            time.sleep(0)
            return convert(value)

        monkeypatch.setattr(module, "to_bytes", yielding)

        def trade():
            start.wait()
            for _ in range(rounds):
                trader.buy_open(b"SHFE", b"rb2410", 3500.5, 1)
                trader.cancel_order(b"SHFE", b"rb2410", 1, front_id=1, session_id=1)

        workers = [threading.Thread(target=trade) for _ in range(threads)]
        for worker in workers:
            worker.start()
        for worker in workers:
            worker.join(60)
        assert not any(worker.is_alive() for worker in workers)
        references = ([int(record["OrderRef"]) for record, _ in sent(trader, "ReqOrderInsert")]
                      + [record["OrderActionRef"]
                         for record, _ in sent(trader, "ReqOrderAction")])
        assert sorted(references) == list(range(1, 2 * threads * rounds + 1))
        assert trader.order_ref == 2 * threads * rounds


IDENTITY = dict(BrokerID=b"9999", InvestorID=b"U01")

QUERIES = [
    (lambda t: t.query_order(), "ReqQryOrder", ApiStruct.QryOrderField(**IDENTITY)),
    (lambda t: t.query_trade(), "ReqQryTrade", ApiStruct.QryTradeField(**IDENTITY)),
    (lambda t: t.query_position(), "ReqQryInvestorPosition",
     ApiStruct.QryInvestorPositionField(**IDENTITY)),
    (lambda t: t.query_position_detail(), "ReqQryInvestorPositionDetail",
     ApiStruct.QryInvestorPositionDetailField(**IDENTITY)),
    (lambda t: t.query_trading_account(), "ReqQryTradingAccount",
     ApiStruct.QryTradingAccountField(BrokerID=b"9999", AccountID=b"U01", CurrencyID=b"CNY",
                                      BizType=b"1")),
    (lambda t: t.query_instrument(), "ReqQryInstrument", ApiStruct.QryInstrumentField()),
    (lambda t: t.query_instrument(exchange_id="SHFE"), "ReqQryInstrument",
     ApiStruct.QryInstrumentField(ExchangeID=b"SHFE")),
    (lambda t: t.query_instrument("rb2410", b"SHFE", bytearray(b"rb")), "ReqQryInstrument",
     ApiStruct.QryInstrumentField(InstrumentID=b"rb2410", ExchangeID=b"SHFE", ProductID=b"rb")),
    (lambda t: t.query_instrument(product_id="螺纹", instrument_id=2410), "ReqQryInstrument",
     ApiStruct.QryInstrumentField(InstrumentID=b"2410", ProductID="螺纹".encode("gb18030"))),
]


class TestQueries:
    @pytest.mark.parametrize("query, request_name, record", QUERIES)
    def test_the_query_record(self, trader, query, request_name, record):
        assert query(trader) == 0
        assert sim.calls(trader)[-1] == (request_name, bytes(record), 0)

    @pytest.mark.parametrize("query, request_name, record", QUERIES)
    def test_queries_send_through_the_objects_request_method(self, make_trader, query,
                                                             request_name, record):
        def intercept(self, *args, **kwargs):
            self.requests.append(([bytes(arg) for arg in args], kwargs))
            return "result"

        Intercepting = type("Intercepting", (Quiet,), {
            request_name: intercept, "init_extra": lambda self: setattr(self, "requests", [])})
        trader = make_trader(Intercepting)
        assert query(trader) == "result"
        assert trader.requests == [([bytes(record)], {})]

    def test_the_account_attributes_are_read_at_each_query(self, trader):
        trader.broker_id, trader.investor_id = "7777", b"U99"
        trader.query_position()
        trader.query_trading_account()
        assert sim.calls(trader)[-2:] == [
            ("ReqQryInvestorPosition",
             bytes(ApiStruct.QryInvestorPositionField(BrokerID=b"7777", InvestorID=b"U99")), 0),
            ("ReqQryTradingAccount",
             bytes(ApiStruct.QryTradingAccountField(BrokerID=b"7777", AccountID=b"U99",
                                                    CurrencyID=b"CNY", BizType=b"1")), 0)]

    @pytest.mark.parametrize("query, name", [
        (lambda t: t.query_order(), "QryOrderField"),
        (lambda t: t.query_trade(), "QryTradeField"),
        (lambda t: t.query_position(), "QryInvestorPositionField"),
        (lambda t: t.query_position_detail(), "QryInvestorPositionDetailField"),
        (lambda t: t.query_trading_account(), "QryTradingAccountField"),
        (lambda t: t.query_trading_account(), "BizType_Future"),
        (lambda t: t.query_instrument(), "QryInstrumentField"),
        (lambda t: t.query_instrument(), "to_bytes"),
    ])
    def test_a_missing_global_is_a_name_error(self, trader, monkeypatch, query, name):
        count = len(sim.calls(trader))
        monkeypatch.delattr(module, name)
        raises_exactly(NameError, f"name '{name}' is not defined", lambda: query(trader))
        assert len(sim.calls(trader)) == count

    @pytest.mark.parametrize("query, request_name, record", QUERIES)
    def test_after_release_the_record_is_built_and_minus_one_returned(self, trader, query,
                                                                      request_name, record):
        trader.Release()
        count = len(sim.calls(trader))
        assert query(trader) == -1
        trader.broker_id = trader.investor_id = 5
        if request_name != "ReqQryInstrument":
            with pytest.raises(TypeError):
                query(trader)
        assert len(sim.calls(trader)) == count

    def test_a_failed_send_is_returned(self, trader):
        sim.fail_next(trader, "ReqQryTradingAccount", -2)
        assert trader.query_trading_account() == -2


@pytest.mark.parametrize("call, request_name, record", [
    (lambda t: t.buy_open("SHFE", 7, 1, 1), "ReqOrderInsert",
     order(exchange=b"'SHFE'", instrument=b"7", price=1, volume=1)),
    (lambda t: t.cancel_order("SHFE", 7, b"12", front_id=3, session_id=-1234), "ReqOrderAction",
     action(ref=b"b'12'", exchange=b"'SHFE'", instrument=b"7", sysid=b"b''")),
    (lambda t: t.query_instrument(product_id="rb"), "ReqQryInstrument",
     ApiStruct.QryInstrumentField(InstrumentID=b"b''", ExchangeID=b"b''", ProductID=b"'rb'")),
])
def test_text_goes_through_the_module_to_bytes_defaults_included(trader, monkeypatch, call,
                                                                 request_name, record):
    monkeypatch.setattr(module, "to_bytes", lambda value: repr(value).encode())
    call(trader)
    assert sim.calls(trader)[-1] == (request_name, bytes(record), 0)


@pytest.mark.parametrize("call, message", [
    (lambda t: t.insert_order(b"SHFE", b"rb", 1, 1, b"0"),
     r"insert_order\(\) takes exactly 6 positional arguments \(5 given\)"),
    (lambda t: t.insert_order(b"SHFE", b"rb", 1, 1, b"0", b"0", b"0"),
     r"insert_order\(\) takes exactly 6 positional arguments \(7 given\)"),
    (lambda t: t.buy_open(b"SHFE", b"rb", 1),
     r"buy_open\(\) takes exactly 4 positional arguments \(3 given\)"),
    (lambda t: t.sell_open(b"SHFE", b"rb", 1, 1, True),
     r"sell_open\(\) takes exactly 4 positional arguments \(5 given\)"),
    (lambda t: t.buy_close(b"SHFE", b"rb", 1),
     r"buy_close\(\) takes at least 4 positional arguments \(3 given\)"),
    (lambda t: t.sell_close(b"SHFE", b"rb", 1, 1, True, 1),
     r"sell_close\(\) takes at most 5 positional arguments \(6 given\)"),
    (lambda t: t.buy_open(b"SHFE", b"rb", 1, 1, is_today=True),
     r"buy_open\(\) got an unexpected keyword argument 'is_today'"),
    (lambda t: t.sell_close(b"SHFE", b"rb", 1, 1, exchange_id=b"SHFE"),
     r"sell_close\(\) got multiple values for keyword argument 'exchange_id'"),
    (lambda t: t.cancel_order(b"SHFE", b"rb"),
     r"cancel_order\(\) takes at least 3 positional arguments \(2 given\)"),
    (lambda t: t.cancel_order(b"SHFE", b"rb", 1, b"", 1, 1, 1),
     r"cancel_order\(\) takes at most 6 positional arguments \(7 given\)"),
    (lambda t: t.cancel_order(b"SHFE", b"rb", ref=1),
     r"cancel_order\(\) takes at least 3 positional arguments \(2 given\)"),
    (lambda t: t.query_order(1), r"query_order\(\) takes no arguments \(1 given\)"),
    (lambda t: t.query_trading_account(currency=b"USD"),
     r"query_trading_account\(\) takes no keyword arguments"),
    (lambda t: t.query_instrument(b"", b"", b"", b""),
     r"query_instrument\(\) takes at most 3 positional arguments \(4 given\)"),
    (lambda t: t.query_instrument(product=b"rb"),
     r"query_instrument\(\) got an unexpected keyword argument 'product'"),
])
def test_argument_errors(logged_in, call, message):
    count = len(sim.calls(logged_in))
    caught = raises_exactly(TypeError, message, lambda: call(logged_in))
    method = message.split("\\(")[0]
    assert caught.traceback[-1].name == ENTRY + method
    assert logged_in.order_ref == 0
    assert len(sim.calls(logged_in)) == count


def doc(*lines):
    return "\n" + "".join(f"        {line}\n" for line in lines) + "        "


OPEN_PARAMETERS = (":param exchange_id:", ":param instrument_id:", ":param order_price:",
                   ":param order_vol:")


@pytest.mark.parametrize("method, text", [
    ("insert_order", doc(
        "录入报单请求。将订单结构体参数传递给父类方法ReqOrderInsert执行。",
        ":param exchange_id:交易所ID。", ":param instrument_id:合约ID。",
        ":param order_price:报单价格。", ":param order_vol:报单手数。",
        ":param direction:买卖方向。", "(‘买 : 0’,)", "(‘卖 : 1’,)",
        ":param offset_flag:开平标志，只有SHFE和INE区分平今、平昨。",
        "(‘开仓 : 0’,)", "(‘平仓 : 1’,)", "(‘强平 : 2’,)", "(‘平今 : 3’,)", "(‘平昨 : 4’,)",
        "(‘强减 : 5’,)", "(‘本地强平 : 6’,)", ":return:")),
    ("buy_open", doc("买开仓。与卖平仓为一组对应交易。", ":param exchange_id: 交易所",
                     ":param instrument_id: 合约", ":param order_price: 价格",
                     ":param order_vol: 数量", ":return:")),
    ("sell_open", doc("卖开仓。与买平仓为一组对应交易。", *OPEN_PARAMETERS, ":return:")),
    ("buy_close", doc("买平仓。与卖开仓为一组对应交易。SHFE与INE区分平今与平昨。",
                      *OPEN_PARAMETERS, ":param is_today:", ":return:")),
    ("sell_close", doc("卖平仓。与买开仓为一组对应交易。SHFE与INE区分平今与平昨。",
                       *OPEN_PARAMETERS, ":param is_today:", ":return:")),
    ("cancel_order", doc(
        "撤单请求。将撤单结构体参数传递给父类方法ReqOrderAction执行。",
        ":param exchange_id:交易所ID", ":param instrument_id:合约ID",
        ":param order_ref:报单引用，用来标识订单来源。根据该标识撤单。",
        ":param order_sysid:系统ID，当录入成功时，可在回报/通知中获取该字段。", ":return:")),
    ("query_order", doc("查询订单。", ":return:")),
    ("query_trade", doc("查询成交。", ":return:")),
    ("query_position", doc("查询持仓。", ":return:")),
    ("query_position_detail", doc("查询持仓明细。", ":return:")),
    ("query_trading_account", doc("查询资金。", ":return:")),
    ("query_instrument", None),
])
def test_docstrings(method, text):
    assert getattr(module.TraderApiBase, method).__doc__ == text


# Each helper once, with the request method it sends through.
HELPERS = [
    (lambda t: t.buy_open(b"SHFE", "rb2410", 3500.5, 3), "ReqOrderInsert"),
    (lambda t: t.sell_open("DCE", b"m2501", 2890, 1), "ReqOrderInsert"),
    (lambda t: t.buy_close(b"SHFE", "rb2410", 3500.5, 3, False), "ReqOrderInsert"),
    (lambda t: t.sell_close("INE", "螺纹2410", 7.25, 2), "ReqOrderInsert"),
    (lambda t: t.insert_order(b"CZCE", 2501, 0.5, 2, b"0", b"1"), "ReqOrderInsert"),
    (lambda t: t.cancel_order(b"SHFE", "rb2410", 7, "  123"), "ReqOrderAction"),
    (lambda t: t.cancel_order("INE", b"sc2501", b"12", front_id=8, session_id=-5),
     "ReqOrderAction"),
    (lambda t: t.query_order(), "ReqQryOrder"),
    (lambda t: t.query_trade(), "ReqQryTrade"),
    (lambda t: t.query_position(), "ReqQryInvestorPosition"),
    (lambda t: t.query_position_detail(), "ReqQryInvestorPositionDetail"),
    (lambda t: t.query_trading_account(), "ReqQryTradingAccount"),
    (lambda t: t.query_instrument("rb2410", b"SHFE", bytearray(b"rb")), "ReqQryInstrument"),
]


def passing_on(name):
    def method(self, *args, **kwargs):
        return getattr(module.TraderApiBase, name)(self, *args, **kwargs)
    return method


# Overrides every method a helper goes through with one that does what the base class does.
Overriding = type("Overriding", (Quiet,), {
    name: passing_on(name) for name in {request for _, request in HELPERS} | {"insert_order"}})


@pytest.fixture
def stock_and_overriding(make_trader, tmp_path):
    """A trader whose class overrides nothing and one whose class overrides every step, each
    logged in and with a call log of its own."""
    traders = make_trader(Quiet), make_trader(Overriding, flow_path=str(tmp_path / "other"))
    for trader in traders:
        trader.front_id, trader.session_id = 3, -1234
    return traders


def requests_received(trader):
    return [call for call in sim.calls(trader) if call[0].startswith("Req")]


@pytest.mark.parametrize("call, request_name", HELPERS)
def test_the_vendor_receives_the_same_whether_or_not_a_step_is_overridden(
        stock_and_overriding, call, request_name):
    assert [call(trader) for trader in stock_and_overriding] == [0, 0]
    stock, overriding = map(requests_received, stock_and_overriding)
    assert stock == overriding and [name for name, *_ in stock] == [request_name]
    assert stock_and_overriding[0].order_ref == stock_and_overriding[1].order_ref


@pytest.mark.parametrize("call", [
    lambda t: t.buy_open(1.5, "rb2410", 3500, 1),
    lambda t: t.sell_close(b"SHFE", b"rb\0", 3500, 1),
    lambda t: t.buy_close(b"SHFE", "rb2410", "3500", 1),
    lambda t: t.insert_order(b"SHFE", "rb2410", 3500, 1, b"0", 7),
    lambda t: t.cancel_order(b"SHFE", "rb" * 50, 1),
    lambda t: t.query_instrument(product_id="螺纹\0"),
    lambda t: (sim.throw_next(t, "ReqOrderInsert", "invalid_argument", "refused"),
               t.sell_open(b"SHFE", "rb2410", 3500, 1)),
    lambda t: (sim.throw_next(t, "ReqQryInstrument", "unknown", ""), t.query_instrument()),
])
def test_the_same_errors_whether_or_not_a_step_is_overridden(stock_and_overriding, call):
    caught = []
    for trader in stock_and_overriding:
        with pytest.raises(Exception) as error:
            call(trader)
        caught.append((type(error.value), str(error.value),
                       [entry.name for entry in error.traceback if entry.name.startswith(ENTRY)],
                       trader.order_ref, requests_received(trader)))
    assert caught[0] == caught[1]


# What ctypes.addressof is asked for while a test listens; an audit hook cannot be removed.
addresses_taken = []
listening = []


def _audit(event, args):
    if listening and event == "ctypes.addressof":
        addresses_taken.append(args)


sys.addaudithook(_audit)


@pytest.mark.parametrize("call, request_name", HELPERS)
def test_a_class_that_overrides_nothing_hands_the_vendor_its_record_without_ctypes(
        stock_and_overriding, call, request_name):
    taken = []
    for trader in stock_and_overriding:
        addresses_taken.clear()
        listening.append(True)
        try:
            call(trader)
        finally:
            listening.clear()
        taken.append(len(addresses_taken))
    assert taken == [0, 1]


class AddressSpy:
    """Stands in for the module's ctypes."""

    def __init__(self, seen):
        self.seen = seen

    def addressof(self, record):
        self.seen.append(type(record).__name__)
        return ctypes.addressof(record)


def spy_on_init(monkeypatch, trader, seen):
    stock = ApiStruct.InputOrderField.__init__
    monkeypatch.setattr(ApiStruct.InputOrderField, "__init__",
                        lambda self, **fields: (seen.append(len(fields)), stock(self, **fields))[1])


@pytest.mark.parametrize("hook, result, seen_after, sent_after", [
    (lambda m, t, seen: m.setattr(module, "ctypes", AddressSpy(seen)), 0, ["InputOrderField"], 1),
    (lambda m, t, seen: m.setattr(t, "ReqOrderInsert", lambda record: seen.append(
        bytes(record) == bytes(order())) or 7), 7, [True], 0),
    (lambda m, t, seen: m.setattr(t, "insert_order", lambda *args: seen.append(args[4:]) or 9),
     9, [(b"0", b"0")], 0),
    (spy_on_init, 0, [19], 1),
    (lambda m, t, seen: m.setattr(ApiStruct.InputOrderField, "__del__",
                                  lambda self: seen.append("freed"), raising=False),
     0, ["freed"], 1),
])
def test_a_hook_on_the_way_of_an_order_is_used(trader, monkeypatch, hook, result, seen_after,
                                               sent_after):
    seen = []
    hook(monkeypatch, trader, seen)
    assert trader.buy_open(b"SHFE", b"rb2410", 3500.5, 3) == result
    assert seen == seen_after
    assert [call[1] for call in requests_received(trader)] == [bytes(order())] * sent_after
