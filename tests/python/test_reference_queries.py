"""The queries a strategy makes at start answer with the broker's configured data, through
the whole stack."""
import pytest

import Quorvan.sim as sim
from Quorvan.CTP import ApiStruct
from conftest import wait_until
from test_broker import Recording, _recorder, ask, front  # noqa: F401

IDENTITY = dict(BrokerID=b"9999", InvestorID=b"U01")

# request, its record with filters, what the answers must hold: (count, {field: value}) for the
# records answered, those fields checked on every one.
QUERIES = [
    ("ReqQryExchange", ApiStruct.QryExchangeField(ExchangeID=b"SHFE"),
     1, {"ExchangeID": b"SHFE", "ExchangeName": "上海期货交易所".encode("gb18030")}),
    ("ReqQryExchange", ApiStruct.QryExchangeField(), 6, {}),
    ("ReqQryProduct", ApiStruct.QryProductField(ProductID=b"rb"),
     1, {"ExchangeID": b"SHFE", "VolumeMultiple": 10, "PriceTick": 1.0, "ProductClass": b"1"}),
    ("ReqQryInstrumentCommissionRate",
     ApiStruct.QryInstrumentCommissionRateField(InstrumentID=b"m2705", **IDENTITY),
     1, {"InvestorID": b"U01", "OpenRatioByVolume": 2.5, "ExchangeID": b"DCE"}),
    ("ReqQryInstrumentMarginRate",
     ApiStruct.QryInstrumentMarginRateField(InstrumentID=b"rb2705", HedgeFlag=b"1", **IDENTITY),
     1, {"LongMarginRatioByMoney": 0.15, "ShortMarginRatioByMoney": 0.15, "HedgeFlag": b"1"}),
    ("ReqQryInstrumentMarginRate",
     ApiStruct.QryInstrumentMarginRateField(HedgeFlag=b"3", **IDENTITY), 0, {}),
    ("ReqQryInstrumentOrderCommRate",
     ApiStruct.QryInstrumentOrderCommRateField(InstrumentID=b"IF2703", **IDENTITY),
     1, {"OrderCommByVolume": 0.0, "OrderActionCommByVolume": 0.0}),
    ("ReqQryInvestor", ApiStruct.QryInvestorField(**IDENTITY),
     1, {"InvestorID": b"U01", "BrokerID": b"9999", "IsActive": 1}),
    ("ReqQryInvestor", ApiStruct.QryInvestorField(BrokerID=b"9999", InvestorID=b"U02"), 0, {}),
    ("ReqQryTradingCode", ApiStruct.QryTradingCodeField(ExchangeID=b"CFFEX", **IDENTITY),
     1, {"ClientID": b"U01", "ExchangeID": b"CFFEX", "ClientIDType": b"1"}),
    ("ReqQryDepthMarketData", ApiStruct.QryDepthMarketDataField(InstrumentID=b"rb2705"),
     1, {"InstrumentID": b"rb2705", "LastPrice": 3200.0}),
    ("ReqQrySettlementInfoConfirm", ApiStruct.QrySettlementInfoConfirmField(**IDENTITY),
     1, {"InvestorID": b"U01"}),
]


class Asking(Recording):
    """Records every query's answers."""


for _request in {row[0] for row in QUERIES}:
    setattr(Asking, "OnRsp" + _request[3:], _recorder("OnRsp" + _request[3:]))


@pytest.fixture
def trader(front, make_trader):
    # Rates of their own, so that the answers are the configuration's and no default.
    sim.configure(front, limits=None, instruments=[
        dict(instrument_id="m2705", open_ratio_by_volume=2.5),
        dict(instrument_id="rb2705", long_margin_ratio=0.15, short_margin_ratio=0.15)])
    trader = make_trader(Asking, td_server=front)
    wait_until(lambda: trader.status == 0)
    return trader


@pytest.mark.parametrize("request_name, query, count, fields", QUERIES,
                         ids=[f"{row[0]}-{index}" for index, row in enumerate(QUERIES)])
def test_a_query_answers_with_the_configured_data(trader, request_name, query, count, fields):
    records = ask(trader, request_name, "OnRsp" + request_name[3:], query)
    assert len(records) == count
    for record in records:
        assert {name: record[name] for name in fields} == fields
