"""The market-data session: the login after every connection, the status and init_error_msg
it keeps as the trader's do, and the subscriptions every login renews, so that none is lost
to a reconnection."""
import pytest

import Quorvan.sim as sim
from Quorvan.CTP.ApiStruct import ReqUserLoginField
from conftest import QuietMd, subscription_batches, wait_until


class Unstarted(QuietMd):
    """Never connects: the session's handlers are called by the test, the lines recorded."""

    def init_extra(self):
        self.lines = []

    def connect(self, address):
        pass

    def write_log(self, *items):
        self.lines.append(items)


class Watched(QuietMd):
    """Keeps the status each disconnection left."""

    def init_extra(self):
        self.statuses = []

    def OnFrontDisconnected(self, nReason):
        super().OnFrontDisconnected(nReason)
        self.statuses.append(self.status)


def logins(md):
    return [ReqUserLoginField.from_buffer_copy(call[1]) for call in sim.calls(md)
            if call[0] == "ReqUserLogin"]


@pytest.mark.parametrize("identity, expected", [
    (dict(investor_id="U01", password="secret"), (b"9999", b"U01", b"secret")),
    # Most market-data fronts take any identity; the flow directory is then flow_path itself.
    (dict(investor_id="", password=""), (b"9999", b"", b"")),
])
def test_logs_in_by_itself(make_md, identity, expected):
    md = make_md(**identity)
    wait_until(lambda: md.status == 0)
    [record] = logins(md)
    assert (record.BrokerID, record.UserID, record.Password) == expected
    assert md.init_error_msg == {"ErrorID": 0, "ErrorMsg": ""}


@pytest.mark.parametrize("subscribe, operation", [
    (lambda md, ids: md.subscribe(ids), "SubscribeMarketData"),
    (lambda md, ids: md.SubscribeMarketData(ids), "SubscribeMarketData"),
    (lambda md, ids: md.SubscribeForQuoteRsp(ids), "SubscribeForQuoteRsp"),
])
def test_every_login_renews_what_was_subscribed(make_md, subscribe, operation):
    md = make_md(Watched)
    wait_until(lambda: md.status == 0)
    assert subscribe(md, ["rb2705", b"cu2702"]) == 0
    for reconnection in range(2):
        sent = len(subscription_batches(md, operation))
        sim.disconnect(md, reconnect_after=0.01)
        wait_until(lambda: len(subscription_batches(md, operation)) > sent)
        assert subscription_batches(md, operation)[sent:] == [[b"rb2705", b"cu2702"]]
        wait_until(lambda: md.status == 0)
    assert md.statuses == [-2, -2]
    assert len(logins(md)) == 3


@pytest.mark.parametrize("unsubscribe, operation", [
    (lambda md, ids: md.unsubscribe(ids), "SubscribeMarketData"),
    (lambda md, ids: md.UnSubscribeMarketData(ids), "SubscribeMarketData"),
    (lambda md, ids: md.UnSubscribeForQuoteRsp(ids), "SubscribeForQuoteRsp"),
])
def test_a_login_leaves_out_what_was_unsubscribed(make_md, unsubscribe, operation):
    md = make_md()
    wait_until(lambda: md.status == 0)
    getattr(md, operation)(["rb2705", "cu2702", "au2706"])
    unsubscribe(md, ["cu2702"])
    sent = len(subscription_batches(md, operation))
    sim.disconnect(md, reconnect_after=0.01)
    wait_until(lambda: len(subscription_batches(md, operation)) > sent)
    assert subscription_batches(md, operation)[sent:] == [[b"rb2705", b"au2706"]]


class EarlySubscriber(QuietMd):
    def init_extra(self):
        self.subscribed_before_login = self.subscribe(["rb2705"])


def test_what_is_subscribed_before_the_login_goes_with_it(make_md):
    md = make_md(EarlySubscriber)
    assert md.subscribed_before_login == 0
    wait_until(lambda: subscription_batches(md, "SubscribeMarketData"))
    assert subscription_batches(md, "SubscribeMarketData") == [[b"rb2705"]]
    assert [call[0] for call in sim.calls(md)].index("ReqUserLogin") < [
        call[0] for call in sim.calls(md)].index("SubscribeMarketData")


@pytest.fixture
def unstarted(make_md):
    return make_md(Unstarted)


def test_the_session_states(unstarted):
    assert unstarted.status == -1
    unstarted.OnFrontConnected()
    assert unstarted.lines == [("OnFrontConnected", "")]
    unstarted.OnRspUserLogin({"TradingDay": b"20261207"}, {"ErrorID": 0, "ErrorMsg": ""}, 0, True)
    assert unstarted.status == 0
    assert unstarted.lines[-1][0] == "MdApi Ready!"
    unstarted.OnFrontDisconnected(0x1001)
    assert unstarted.status == -2
    assert unstarted.lines[-1] == ("OnFrontDisconnected", "Reason:4097")


@pytest.mark.parametrize("response, status", [
    (({}, {"ErrorID": 3, "ErrorMsg": "CTP:不合法的登录"}, 0, True), -1),
    # Not the last answer: the login is not over yet.
    (({}, {}, 0, False), -1),
])
def test_a_login_refused_or_unfinished_leaves_the_status(unstarted, response, status):
    unstarted.OnRspUserLogin(*response)
    assert unstarted.status == status
    assert not [line for line in unstarted.lines if line[0] == "MdApi Ready!"]


def test_a_refused_login_halts_the_session_across_reconnections(unstarted):
    unstarted.OnRspUserLogin({}, {"ErrorID": 3, "ErrorMsg": "CTP:不合法的登录"}, 0, True)
    assert unstarted.init_error_msg == {"ErrorID": 3, "ErrorMsg": "CTP:不合法的登录"}
    unstarted.subscribe(["rb2705"])
    unstarted.OnFrontConnected()
    assert unstarted.lines[-1] == ("OnFrontConnected", unstarted.init_error_msg)
    assert [call[0] for call in sim.calls(unstarted)
            if call[0] in ("ReqUserLogin", "SubscribeMarketData")] == []


def test_a_login_not_sent_is_kept_in_init_error_msg_and_sent_again(unstarted, monkeypatch):
    monkeypatch.setattr(unstarted, "ReqUserLogin", lambda record: -1)
    unstarted.OnFrontConnected()
    failure = {"ErrorID": -1, "ErrorMsg": "Error:Fail to send ReqUserLogin."}
    assert unstarted.init_error_msg == failure
    assert unstarted.lines[-1][:2] == ("ReqUserLogin", failure)
    monkeypatch.undo()
    unstarted.OnFrontConnected()
    assert [call[0] for call in sim.calls(unstarted)].count("ReqUserLogin") == 1
    assert unstarted.init_error_msg == {"ErrorID": 0, "ErrorMsg": ""}
