"""The login chain's handlers, called directly: what each logs, sends and records, in every
state. The vendor library is never started, so no event interferes."""
import pytest

from Quorvan.CTP.ApiStruct import (ReqAuthenticateField, ReqUserLoginField,
                                   SettlementInfoConfirmField)
from conftest import Trader

SEND_FAILURES = {
    "ReqAuthenticate": "Error:Fail to send ReqAuthenticate.",
    "ReqUserLogin": "Error:Fail to send ReqUserLogin.",
    "ReqSettlementInfoConfirm": "Error:Fail to send ReqSettlementInfoConfirm.",
}


class Unstarted(Trader):
    """Logs and requests are recorded; the requests return what the test sets."""

    def init_extra(self):
        self.lines, self.sent, self.results = [], [], {}

    def connect(self, address):
        pass

    def write_log(self, *items):
        # As the dicts were when logged: init_error_msg changes afterwards.
        self.lines.append(tuple(dict(item) if isinstance(item, dict) else item
                                for item in items))

    def _send(self, name, record):
        self.sent.append((name, record))
        result = self.results.get(name, 0)
        return result.pop(0) if isinstance(result, list) else result

    def ReqAuthenticate(self, record):
        return self._send("ReqAuthenticate", record)

    def ReqUserLogin(self, record):
        return self._send("ReqUserLogin", record)

    def ReqSettlementInfoConfirm(self, record):
        return self._send("ReqSettlementInfoConfirm", record)


@pytest.fixture
def trader(make_trader):
    return make_trader(Unstarted)


def fields(record):
    return {name: getattr(record, name) for name, _ in record._fields_ if getattr(record, name)}


def test_front_connected_authenticates(trader):
    errors = trader.init_error_msg
    assert trader.OnFrontConnected() is None
    assert trader.lines == [("OnFrontConnected", "")]
    [(name, record)] = trader.sent
    assert name == "ReqAuthenticate" and isinstance(record, ReqAuthenticateField)
    assert fields(record) == dict(BrokerID=b"9999", UserID=b"U01", AppID=b"app",
                                  AuthCode=b"code")
    assert trader.init_error_msg is errors and errors == {"ErrorID": 0, "ErrorMsg": ""}


STEPS = [
    ("ReqAuthenticate", "OnFrontConnected", ()),
    ("ReqUserLogin", "OnRspAuthenticate", ({}, {}, 0, True)),
    ("ReqSettlementInfoConfirm", "OnRspUserLogin",
     ({"FrontID": 3, "SessionID": 9}, {"ErrorID": 0, "ErrorMsg": ""}, 0, True)),
]


@pytest.mark.parametrize("request_name, handler, response", STEPS)
def test_a_request_not_sent_is_sent_again_on_the_next_connection(trader, request_name, handler,
                                                                   response):
    trader.results[request_name] = -1
    getattr(trader, handler)(*response)
    failure = {"ErrorID": -1, "ErrorMsg": SEND_FAILURES[request_name]}
    assert trader.init_error_msg == failure
    (_, record), = trader.sent
    # The confirmation's line carries the message alone, the others the whole dict.
    logged = failure["ErrorMsg"] if request_name == "ReqSettlementInfoConfirm" else failure
    assert trader.lines[-1] == (request_name, logged, record)
    trader.sent.clear()
    trader.results.clear()
    trader.OnFrontConnected()
    assert trader.lines[-1] == ("OnFrontConnected", failure)
    assert [name for name, _ in trader.sent] == ["ReqAuthenticate"]
    assert trader.init_error_msg == {"ErrorID": 0, "ErrorMsg": ""}


def test_a_request_held_back_is_tried_a_few_times_then_on_the_next_connection(trader):
    trader.results["ReqUserLogin"] = -3
    trader.OnRspAuthenticate({}, {}, 0, True)
    records = {bytes(record) for _, record in trader.sent}
    assert len(trader.sent) == 4 and len(records) == 1
    assert trader.init_error_msg == {"ErrorID": -3, "ErrorMsg": SEND_FAILURES["ReqUserLogin"]}
    trader.results.clear()
    trader.OnFrontConnected()
    assert trader.sent[-1][0] == "ReqAuthenticate"
    assert trader.init_error_msg == {"ErrorID": 0, "ErrorMsg": ""}


ERROR = {"ErrorID": 3, "ErrorMsg": "CTP:不合法的登录"}


@pytest.mark.parametrize("handler", ["OnRspAuthenticate", "OnRspUserLogin",
                                     "OnRspSettlementInfoConfirm"])
def test_a_refusal_halts_the_chain_across_reconnections(trader, handler):
    getattr(trader, handler)({}, ERROR, 0, True)
    trader.OnFrontConnected()
    assert trader.sent == []
    assert trader.lines[-1] == ("OnFrontConnected", ERROR)
    assert trader.init_error_msg == ERROR


@pytest.mark.parametrize("handler, next_request", [
    ("OnRspAuthenticate", "ReqUserLogin"),
    ("OnRspUserLogin", "ReqSettlementInfoConfirm"),
    ("OnRspSettlementInfoConfirm", None),
])
@pytest.mark.parametrize("info, is_last, outcome", [
    ({}, True, "next"),
    ({"ErrorID": 0, "ErrorMsg": "CTP:正确"}, True, "next"),
    ({}, False, "nothing"),
    (ERROR, True, "error"),
    (ERROR, False, "error"),
])
def test_responses_move_the_chain_on_or_record_the_error(trader, handler, next_request, info,
                                                         is_last, outcome):
    data = {"FrontID": 7, "SessionID": -12}
    assert getattr(trader, handler)(data, info, 42, is_last) is None
    assert trader.lines[0] == (handler, info, "RequestID:42", f"IsLast:{is_last}", data)
    sent = [name for name, _ in trader.sent]
    if outcome == "next":
        assert trader.init_error_msg == {"ErrorID": 0, "ErrorMsg": ""}
        assert sent == ([next_request] if next_request else [])
    else:
        assert sent == [] and trader.status == -1
        expected = ERROR if outcome == "error" else {"ErrorID": 0, "ErrorMsg": ""}
        assert trader.init_error_msg == expected
    logged_in = handler == "OnRspUserLogin" and outcome == "next"
    assert (getattr(trader, "front_id", None), getattr(trader, "session_id", None)) == (
        (7, -12) if logged_in else (None, None))


def test_login_and_confirmation_records(trader):
    trader.OnRspAuthenticate({}, {}, 0, True)
    trader.OnRspUserLogin({"FrontID": 1, "SessionID": 2}, {}, 0, True)
    (_, login), (_, confirm) = trader.sent
    assert isinstance(login, ReqUserLoginField)
    assert fields(login) == dict(BrokerID=b"9999", UserID=b"U01", Password=b"secret")
    assert isinstance(confirm, SettlementInfoConfirmField)
    assert fields(confirm) == dict(BrokerID=b"9999", InvestorID=b"U01")


def test_the_confirmation_makes_the_session_ready(trader):
    trader.status = -2
    trader.OnRspSettlementInfoConfirm({}, {}, 0, True)
    assert trader.status == 0
    version = trader.GetApiVersion(None)
    assert trader.lines[-1] == (
        "Trader Ready!", f"CTP Trader API Version:{version}",
        f"TradingDay:{trader.GetTradingDay()}", "investor_id:b'U01'", "broker_id:b'9999'",
        "server:b'tcp://127.0.0.1:41205'")


def test_a_disconnection_keeps_everything_but_status(trader):
    trader.init_error_msg["ErrorID"] = 8
    trader.front_id, trader.session_id = 1, 2
    assert trader.OnFrontDisconnected(0x1001) is None
    assert trader.status == -2
    assert trader.lines == [("OnFrontDisconnected", "Reason:4097")]
    assert (trader.front_id, trader.session_id, trader.init_error_msg["ErrorID"]) == (1, 2, 8)


def test_a_successful_response_brings_a_halted_session_back(trader):
    trader.init_error_msg.update(ERROR)
    trader.OnRspUserLogin({"FrontID": 1, "SessionID": 2}, {}, 0, True)
    assert trader.init_error_msg["ErrorID"] == 0
    trader.OnRspSettlementInfoConfirm({}, {}, 0, True)
    assert trader.status == 0


@pytest.mark.parametrize("call, message", [
    (lambda t: t.OnFrontConnected(1), r"^OnFrontConnected\(\) takes no arguments \(1 given\)$"),
    (lambda t: t.OnFrontDisconnected(nReason=1),
     r"^OnFrontDisconnected\(\) takes no keyword arguments$"),
    (lambda t: t.OnRspAuthenticate({}, {}, 0),
     r"^OnRspAuthenticate\(\) takes exactly 4 positional arguments \(3 given\)$"),
    (lambda t: t.OnRspUserLogin({}, {}, 0, True, pRspInfo={}),
     r"^OnRspUserLogin\(\) got multiple values for keyword argument 'pRspInfo'$"),
])
def test_handler_argument_errors(trader, call, message):
    with pytest.raises(TypeError, match=message):
        call(trader)


def test_handlers_take_their_arguments_by_name(trader):
    trader.OnRspSettlementInfoConfirm(pSettlementInfoConfirm={}, pRspInfo={}, nRequestID=0,
                                      bIsLast=True)
    assert trader.status == 0
