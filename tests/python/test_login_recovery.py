"""The login over a line that drops and a flow control that holds requests back: a step whose
request was not sent is tried again, so that the session comes back every time the line
does; only a broker's refusal stops it."""
import random
import threading
import time

import pytest

import Quorvan.sim as sim
from conftest import Md, Trader, wait_until

TRADER_STEPS = ["ReqAuthenticate", "ReqUserLogin", "ReqSettlementInfoConfirm"]
NOT_SENT = [-1, -2, -3]


class QuietTrader(Trader):
    def write_log(self, *items):
        pass


class QuietMd(Md):
    def write_log(self, *items):
        pass


def failing_first(base, step, result):
    """A class whose first call of `step` returns `result`, sending nothing."""

    class FailingFirst(base):
        def connect(self, address):
            sim.fail_next(self, step, result)
            super().connect(address)

    return FailingFirst


def assert_logs_in_again(session, step, result):
    if result == -1:
        # The line is up: nothing but a new connection sends the step again.
        wait_until(lambda: session.init_error_msg["ErrorID"] == -1)
        assert session.init_error_msg == {"ErrorID": -1,
                                          "ErrorMsg": f"Error:Fail to send {step}."}
        assert session.status == -1
        sim.disconnect(session, reconnect_after=0.01)
    wait_until(lambda: session.status == 0)
    assert session.init_error_msg == {"ErrorID": 0, "ErrorMsg": ""}


@pytest.mark.parametrize("result", NOT_SENT)
@pytest.mark.parametrize("step", TRADER_STEPS)
def test_a_trader_step_not_sent_is_sent_again(make_trader, step, result):
    trader = make_trader(failing_first(QuietTrader, step, result), td_server="127.0.0.1:41401")
    assert_logs_in_again(trader, step, result)


@pytest.mark.parametrize("result", NOT_SENT)
def test_a_market_data_login_not_sent_is_sent_again(make_md, result):
    md = make_md(failing_first(QuietMd, "ReqUserLogin", result), md_server="127.0.0.1:41402")
    assert_logs_in_again(md, "ReqUserLogin", result)


class HeldBack(QuietTrader):
    """Its login is always held back by the flow control."""

    def init_extra(self):
        self.held_back = threading.Event()
        self.attempts = 0

    def ReqUserLogin(self, record):
        self.attempts += 1
        return -3

    def write_log(self, *items):
        # The step's failure is logged right before its wait, which is where the vendor's
        # thread next lets another thread run.
        if items[0] == "ReqUserLogin":
            self.held_back.set()


def test_a_release_ends_the_wait_for_the_flow_control_at_once(make_trader,
                                                              no_involuntary_switches):
    trader = make_trader(HeldBack, td_server="127.0.0.1:41403")
    assert trader.held_back.wait(30)
    # The vendor's thread is on its way into the wait, which nothing outside shows; this
    # lets it get there, so that the release lands in the wait rather than just before it
    # (which the wait must also notice, and does without being woken).
    time.sleep(0.05)
    started = time.monotonic()
    trader.Release()
    # The wait before the next attempt lasts a second: a release that sat it out would take
    # that long, and one that ended the wait late would find the step tried again.
    assert time.monotonic() - started < 0.9
    assert trader.attempts == 1
    assert [call[0] for call in sim.calls(trader)][-3:] == ["ReqAuthenticate", "RegisterSpi",
                                                            "Release"]


def storm(session, seconds, seed):
    """Drops the line again and again, at any point of the login, for `seconds`; now and
    then waits for the session to come back. Returns how many times it dropped."""
    chance = random.Random(seed)
    deadline = time.monotonic() + seconds
    drops = 0
    while time.monotonic() < deadline:
        sim.disconnect(session, reconnect_after=chance.choice((0, 0.0005, 0.002)))
        drops += 1
        if chance.random() < 0.05:
            wait_until(lambda: session.status == 0)
    wait_until(lambda: session.status == 0)
    return drops


def test_both_sessions_come_back_after_every_disconnection_of_a_storm(make_trader, make_md):
    trader = make_trader(QuietTrader, td_server="127.0.0.1:41404")
    md = make_md(QuietMd, md_server="127.0.0.1:41405")
    wait_until(lambda: trader.status == 0 and md.status == 0)
    outcome = {}

    def md_storm():
        try:
            outcome["md"] = storm(md, 60, seed=2)
        except BaseException as error:
            outcome["md"] = error

    thread = threading.Thread(target=md_storm)
    thread.start()
    try:
        drops = storm(trader, 60, seed=1)
    finally:
        thread.join()
    assert not isinstance(outcome["md"], BaseException), outcome["md"]
    assert drops > 0 and outcome["md"] > 0
    assert trader.init_error_msg["ErrorID"] == md.init_error_msg["ErrorID"] == 0
