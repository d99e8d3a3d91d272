import ctypes
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


# What a query returns when the vendor's flow control holds it back.
HELD_BACK_IN_FLIGHT, HELD_BACK_PER_SECOND = -2, -3


def send_query(trader, send, *args, answered=None, timeout=30.0):
    """Sends a query as a program must under the broker's flow control, and returns the first
    result that is not a hold-back. After -3 (a query too many in the last second) it waits
    until a second has passed since the trader's last query sent through here (or, not
    knowing it, since the hold-back); after -2 (an earlier query unanswered) until
    `answered()` holds, or without that condition returns the -2."""
    deadline = time.monotonic() + timeout
    while True:
        result = send(*args)
        now = time.monotonic()
        if result == 0:
            # Read after the library counted the query, so a second from here is enough.
            trader.query_sent_at = now
            return result
        if result == HELD_BACK_IN_FLIGHT and answered is not None:
            wait_until(answered, max(deadline - now, 0))
        elif result == HELD_BACK_PER_SECOND and now < deadline:
            # The clock is the condition here: the library counts queries by real time.
            free_at = getattr(trader, "query_sent_at", now) + 1.0
            time.sleep((free_at if free_at > now else now + 1.0) - now)
        else:
            return result


UNLIMITED_FRONT = "127.0.0.1:41206"


@pytest.fixture
def unlimited_front():
    """A front of its own whose broker lifts every flow limit, for tests that fire requests
    faster than the vendor allows because flow control is not their point."""
    sim.configure(UNLIMITED_FRONT, limits=None, reset=True)
    return UNLIMITED_FRONT


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
def no_involuntary_switches():
    """The interpreter then switches threads only where one waits: a thread keeps the lock
    from one statement to the next until it waits."""
    interval = sys.getswitchinterval()
    sys.setswitchinterval(1000)
    yield
    sys.setswitchinterval(interval)


@pytest.fixture
def unraisable(monkeypatch):
    """Collects what reaches sys.unraisablehook."""
    seen = []
    monkeypatch.setattr(sys, "unraisablehook", seen.append)
    return seen


@pytest.hookimpl(hookwrapper=True, trylast=True)
def pytest_runtest_call(item):
    """pytest before 8.4 (the last for Python 3.8) sets a hook of its own around each test's
    call, over the one the fixture set; this puts the fixture's back inside it."""
    seen = getattr(item, "funcargs", {}).get("unraisable")
    if seen is None:
        yield
        return
    previous = sys.unraisablehook
    sys.unraisablehook = seen.append
    try:
        yield
    finally:
        sys.unraisablehook = previous


REPOSITORY = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(REPOSITORY / "tools"))
from interface_tables import read_requests, read_table  # noqa: E402

TABLES = REPOSITORY / "interface"


def table_rows(table, macro):
    """The rows of one macro of an interface table, as tuples of their columns."""
    return [tuple(row) for row_macro, row in read_table(TABLES / table) if row_macro == macro]


# The trader's requests as (name, record, param); REQUEST_ROWS has every column.
REQUEST_ROWS = [row for macro, row in read_requests(TABLES / "requests.def")
                if macro == "REQUEST"]
REQUESTS = [(row.name, row.record, row.param) for row in REQUEST_ROWS]
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


# ----- the vendor's declarations and filled records -------------------------------------------

VENDOR_HEADERS = Path(__file__).resolve().parents[2] / "extern" / "CTPV669Api"


def _vendor_declarations(header="ThostFtdcTraderApi.h"):
    """Every virtual operation of a vendor header, as name -> [(type, parameter), ...]."""
    declared = {}
    text = (VENDOR_HEADERS / header).read_text()
    for name, parameters in re.findall(r"virtual\s+[\w\s*]*?\b(\w+)\(([^)]*)\)", text):
        declared[name] = [re.fullmatch(r"\s*(\w+)\s*\*?\s*(\w+)(?:\[\])?\s*", part).groups()
                          for part in parameters.split(",") if part.strip()]
    return declared


# Read from the header rather than from the extension's tables, so that a wrong row of
# events.def or requests.def shows as a difference.
VENDOR = _vendor_declarations()
MD_VENDOR = _vendor_declarations("ThostFtdcMdApi.h")


def record_class_of(vendor_type):
    """The ApiStruct class laid out as the vendor record type `vendor_type`."""
    return getattr(ApiStruct, vendor_type[len("CThostFtdc"):])


def filled(record_class, seed=0):
    """A record with every field set to a value of its own that `seed` varies: text fills its
    whole room (GB18030 included) and numbers differ by field, so a field lost, moved, cut or
    taken from another record shows."""
    values = {}
    for index, (name, ctype) in enumerate(record_class._fields_):
        mark = index + 7 * seed + 1
        if issubclass(ctype, ctypes.Array):
            room = ctype._length_ - 1
            values[name] = (b"%d" % (mark % 10) if room == 0
                            else (f"{mark}价|".encode("gb18030") * room)[:room])
        elif ctype is ctypes.c_double:
            values[name] = mark + 0.25
        else:
            values[name] = (-1) ** mark * (mark * 37 % 30000)
    return record_class(**values)


class Quiet(Idle):
    """Sends nothing on its own even when a broker answers: the login sequence's handlers do
    nothing, so the vendor object receives only what a test sends."""

    def OnRspAuthenticate(self, pRspAuthenticateField, pRspInfo, nRequestID, bIsLast):
        pass

    def OnRspUserLogin(self, pRspUserLogin, pRspInfo, nRequestID, bIsLast):
        pass

    def OnRspSettlementInfoConfirm(self, pSettlementInfoConfirm, pRspInfo, nRequestID, bIsLast):
        pass


# ----- the market-data side ------------------------------------------------------------------

from Quorvan.CTP.MdApiBase import MdApiBase  # noqa: E402

MD_EVENTS = table_rows("md_events.def", "EVENT")
MD_IDENTITY = dict(broker_id="9999", md_server="127.0.0.1:41310", investor_id="U01",
                   password="secret")
SUBSCRIPTIONS = ("SubscribeMarketData", "UnSubscribeMarketData", "SubscribeForQuoteRsp",
                 "UnSubscribeForQuoteRsp")


class Md(MdApiBase):
    """A plain subclass: the base class itself cannot take attributes."""


class QuietMd(Md):
    """Logs in and subscribes as the base class does, without printing a line."""

    def write_log(self, *items):
        pass


@pytest.fixture
def make_md(tmp_path):
    """Builds market-data objects under a private flow path and releases every one of them
    afterwards."""
    made = []

    def make(cls=QuietMd, **overrides):
        arguments = dict(MD_IDENTITY, flow_path=str(tmp_path))
        arguments.update(overrides)
        md = cls(**arguments)
        made.append(md)
        return md

    yield make
    for md in made:
        md.Release()


def subscription_batches(md, operation):
    """The instrument ids of each call of `operation` (one of SUBSCRIPTIONS) the API object
    received, in order: one list per call."""
    return [[value for value in call[1:] if isinstance(value, bytes)] if not any(
        isinstance(value, (list, tuple)) for value in call[1:])
        else [item for value in call[1:] if isinstance(value, (list, tuple)) for item in value]
        for call in sim.calls(md) if call[0] == operation]


def subscribed(md, operation="SubscribeMarketData"):
    """Every id `operation` sent, in order."""
    return [item for batch in subscription_batches(md, operation) for item in batch]
