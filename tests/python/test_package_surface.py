"""The package's version, the simulated libraries' reading of a front address, and the route
of the log lines into `logging`."""
import logging
import re
from pathlib import Path

import pytest

import Quorvan
import Quorvan.sim as sim
from conftest import IDENTITY, Trader, wait_until
from Quorvan.CTP.MdApiBase import MdApiBase

NETWORK_READ_FAILURE = 0x1001


def test_the_version_is_pyprojects():
    pyproject = Path(__file__).resolve().parents[2] / "pyproject.toml"
    (version,) = re.findall(r'^version = "([^"]+)"$', pyproject.read_text(), re.M)
    assert Quorvan.__version__ == version


class Watched:
    """Records the connection events of a trader or market-data object."""

    def init_extra(self):
        self.events = []

    def OnFrontConnected(self):
        self.events.append("connected")

    def OnFrontDisconnected(self, nReason):
        self.events.append(nReason)


class WatchedTrader(Watched, Trader):
    pass


class WatchedMd(Watched, MdApiBase):
    pass


@pytest.mark.parametrize("kind, front", [
    ("td", "tcp://http://x"),
    ("td", "tcp://:41207"),
    ("td", "127.0.0.1"),
    ("td", "127.0.0.1:41x07"),
    ("td", "127.0.0.1:0"),
    ("td", "127.0.0.1:41207/"),
    ("md", "http://127.0.0.1:41207"),
])
def test_a_malformed_front_never_connects_and_keeps_failing(tmp_path, kind, front):
    if kind == "td":
        api = WatchedTrader(**dict(IDENTITY, td_server=front, flow_path=str(tmp_path)))
    else:
        api = WatchedMd(broker_id="9999", md_server=front, flow_path=str(tmp_path))
    try:
        # The vendor's library reports the failed connection and tries again at its interval.
        wait_until(lambda: len(api.events) >= 2)
        assert api.events[:2] == [NETWORK_READ_FAILURE, NETWORK_READ_FAILURE]
        assert "connected" not in api.events
    finally:
        api.Release()


class Collected(logging.Handler):
    def __init__(self):
        super().__init__()
        self.records = []

    def emit(self, record):
        self.records.append(record)


def test_log_lines_go_to_logging_with_a_level_by_kind(make_trader, capsys):
    logger = logging.getLogger("quorvan-test-route")
    logger.setLevel(logging.DEBUG)
    collected = Collected()
    logger.addHandler(collected)
    Quorvan.log_to_logging(logger, levels={"OnFrontConnected": logging.DEBUG})
    try:
        trader = make_trader()
        wait_until(lambda: trader.status == 0)
        sim.disconnect(trader, reconnect_after=None)
        wait_until(lambda: any(r.ctp_kind == "OnFrontDisconnected" for r in collected.records))
        trader.write_log("mine", 1)
    finally:
        Quorvan.log_to_stdout()
        logger.removeHandler(collected)
    levels = {record.ctp_kind: record.levelno for record in collected.records}
    assert levels["OnFrontConnected"] == logging.DEBUG
    assert levels["Trader Ready!"] == logging.INFO
    assert levels["OnFrontDisconnected"] == logging.WARNING
    assert levels["mine"] == logging.INFO
    assert collected.records[-1].getMessage() == "b'U01'.td || mine || 1"
    assert capsys.readouterr().out == ""
    # Routed back, a line is printed again.
    trader.write_log("printed")
    assert "|| b'U01'.td || printed" in capsys.readouterr().out


@pytest.mark.parametrize("arguments, error", [
    (dict(logger=3), TypeError),
    (dict(levels={"OnFrontConnected": "DEBUG"}), TypeError),
])
def test_log_to_logging_refuses_what_it_cannot_use(arguments, error):
    with pytest.raises(error):
        Quorvan.log_to_logging(**arguments)
