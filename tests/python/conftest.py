import re
import sys
import time
from pathlib import Path

import pytest

from Quorvan.CTP import ApiStruct, TraderApiBase as module
import Quorvan.sim as sim

TraderApiBase = module.TraderApiBase

IDENTITY = dict(broker_id="9999", td_server="127.0.0.1:41205", investor_id="U01",
                password="secret", app_id="app", auth_code="code")


class Trader(TraderApiBase):
    """A plain subclass: the base class itself cannot take attributes."""


class Idle(Trader):
    """Never starts the login chain, so the vendor object receives only what a test sends."""

    def OnFrontConnected(self):
        pass


def wait_until(predicate, timeout=30.0):
    """Polls a condition that another thread sets; the timeout only guards against hangs."""
    deadline = time.monotonic() + timeout
    while not predicate():
        if time.monotonic() > deadline:
            raise AssertionError("condition not reached in time")
        time.sleep(0.001)


@pytest.fixture
def make_trader(tmp_path):
    """Builds traders under a private flow path and releases every one of them afterwards."""
    made = []

    def make(cls=Trader, **overrides):
        arguments = dict(IDENTITY, flow_path=str(tmp_path))
        arguments.update(overrides)
        trader = cls(**arguments)
        made.append(trader)
        return trader

    yield make
    for trader in made:
        trader.Release()


@pytest.fixture
def unraisable(monkeypatch):
    """Collects what reaches sys.unraisablehook."""
    seen = []
    monkeypatch.setattr(sys, "unraisablehook", seen.append)
    return seen


TABLES = Path(__file__).resolve().parents[2] / "Quorvan" / "CTP"


def table_rows(table, macro):
    """The rows of one of the extension's X-macro tables, as tuples of their arguments."""
    text = (TABLES / table).read_text()
    return [tuple(part.strip() for part in row.split(","))
            for row in re.findall(rf"^{macro}\((.*)\)$", text, re.M)]


REQUESTS = table_rows("requests.def", "REQUEST")
EVENTS = table_rows("events.def", "EVENT")


def _class_order():
    order = ["init_extra", "write_log", "connect",
             "query_order", "query_trade", "query_position", "query_position_detail",
             "query_trading_account", "query_instrument",
             "buy_open", "sell_close", "sell_open", "buy_close", "insert_order", "cancel_order",
             "GetApiVersion", "Release", "Join", "GetTradingDay", "RegisterFront",
             "RegisterNameServer", "RegisterFensUserInfo", "SubscribePrivateTopic",
             "SubscribePublicTopic"]
    for name, _, _ in REQUESTS:
        order.append(name)
        if name == "ReqAuthenticate":
            order += ["RegisterUserSystemInfo", "SubmitUserSystemInfo"]
    return order + [row[1] for row in EVENTS]


CLASS_ORDER = _class_order()
