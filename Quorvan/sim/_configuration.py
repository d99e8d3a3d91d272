"""What a simulated broker is made of and the day it trades: configure (accounts, positions,
instruments, exchanges, flow limits, the store, the trading day and holidays, the market-data
front it publishes through) and settle, which ends the day."""

import ctypes
import datetime
import itertools
import numbers
import os
import re
import urllib.parse
from collections.abc import Iterable, Mapping

from Quorvan.utils.base_field import to_bytes

from ._library import INT_MAX, check, control
from ._naming import front_address


_KEY = re.compile(r"[a-z_]+")


def _config_value(value, what):
    if isinstance(value, bool):
        raise TypeError(f"{what} must be text or a number, not bool")
    if isinstance(value, numbers.Integral):
        return str(int(value))
    if isinstance(value, numbers.Real):
        return repr(float(value))
    if isinstance(value, (str, bytes, bytearray)):
        return urllib.parse.quote(to_bytes(value), safe="")
    raise TypeError(f"{what} must be text or a number, not {type(value).__name__}")


def _config_entry(kind, what, fields, **leading):
    """One line of the library's configuration text: the kind, then key=value fields, those
    given as keywords first (the library refuses a key given twice)."""
    if not isinstance(fields, Mapping):
        raise TypeError(f"{what} must be a dict, not {type(fields).__name__}")
    words = [kind]
    for key, value in itertools.chain(leading.items(), fields.items()):
        if not (isinstance(key, str) and _KEY.fullmatch(key)):
            raise ValueError(f"{what} has the key {key!r}: keys are lower-case names")
        words.append(f"{key}={_config_value(value, f'{what}[{key!r}]')}")
    return " ".join(words)


def _config_text(accounts, instruments, exchanges):
    lines = []
    if exchanges is not None:
        if not isinstance(exchanges, Mapping):
            raise TypeError("exchanges must be a dict of exchange ids to dicts, "
                            f"not {type(exchanges).__name__}")
        for exchange, rules in exchanges.items():
            what = f"exchanges[{exchange!r}]"
            if not isinstance(rules, Mapping):
                raise TypeError(f"{what} must be a dict, not {type(rules).__name__}")
            # The library takes its switches as 1 and 0.
            switches = {key: int(value) if isinstance(value, bool) else value
                        for key, value in rules.items()}
            lines.append(_config_entry("exchange", what, switches, exchange_id=exchange))
    if instruments is not None:
        if isinstance(instruments, Mapping) or not isinstance(instruments, Iterable):
            raise TypeError("instruments must be a list of dicts, "
                            f"not {type(instruments).__name__}")
        for index, instrument in enumerate(instruments):
            lines.append(_config_entry("instrument", f"instruments[{index}]", instrument))
    if accounts is not None:
        if not isinstance(accounts, Mapping):
            raise TypeError("accounts must be a dict of investor ids to dicts, "
                            f"not {type(accounts).__name__}")
        for investor, account in accounts.items():
            what = f"accounts[{investor!r}]"
            if not isinstance(account, Mapping):
                raise TypeError(f"{what} must be a dict, not {type(account).__name__}")
            fields = {key: value for key, value in account.items() if key != "positions"}
            lines.append(_config_entry("account", what, fields, investor=investor))
            positions = account.get("positions", ())
            if isinstance(positions, Mapping) or not isinstance(positions, Iterable):
                raise TypeError(f"{what}['positions'] must be a list of dicts, "
                                f"not {type(positions).__name__}")
            for index, position in enumerate(positions):
                lines.append(_config_entry("position", f"{what}['positions'][{index}]",
                                           position, investor=investor))
    return "\n".join(lines).encode("ascii")


# The flow limits a front applies, by their configure keys; the defaults are the vendor's.
_FLOW_LIMITS = ("queries_per_second", "queries_in_flight", "orders_per_second")


class _Unchanged:
    """What configure's limits keyword defaults to: None lifts every limit, so it cannot also
    mean "leave them as they are"."""

    def __repr__(self):
        return "<unchanged>"


_UNCHANGED = _Unchanged()


def _limits_entry(limits):
    """The configuration line setting the flow limits; ValueError for a key or count the
    broker does not take."""
    if limits is None:
        limits = dict.fromkeys(_FLOW_LIMITS)
    if not isinstance(limits, Mapping):
        raise TypeError(f"limits must be a dict or None, not {type(limits).__name__}")
    words = ["limits"]
    for key, count in limits.items():
        if key not in _FLOW_LIMITS:
            raise ValueError(f"limits has the key {key!r}: the limits are "
                             f"{', '.join(_FLOW_LIMITS)}")
        if count is None:
            words.append(f"{key}=none")
        elif (isinstance(count, numbers.Integral) and not isinstance(count, bool)
              and 0 < count <= INT_MAX):
            words.append(f"{key}={int(count)}")
        else:
            raise ValueError(f"limits[{key!r}] must be a positive whole count or None to lift "
                             f"it, not {count!r}")
    return " ".join(words)


def _store_entry(store):
    """The configuration line naming the file the broker keeps its state in."""
    if store is None:
        return b"store path="
    if not isinstance(store, (str, bytes, os.PathLike)):
        raise TypeError(f"store must be a path (str, bytes or os.PathLike) or None, "
                        f"not {type(store).__name__}")
    path = os.fsencode(os.path.abspath(os.fsdecode(store)))
    if b"\0" in path:
        raise ValueError(f"the store path {store!r} contains a NUL byte")
    return b"store path=" + urllib.parse.quote(path, safe="").encode("ascii")


_TRADING_DAY = re.compile(r"[0-9]{8}")


def _calendar_entry(trading_day):
    if not isinstance(trading_day, str):
        raise TypeError(f"trading_day must be a str 'YYYYMMDD', not {type(trading_day).__name__}")
    if not _TRADING_DAY.fullmatch(trading_day):
        raise ValueError(f"trading_day must be a weekday written YYYYMMDD, not {trading_day!r}")
    return f"calendar trading_day={trading_day}"


def _is_date(text):
    if not _TRADING_DAY.fullmatch(text):
        return False
    try:
        datetime.date(int(text[:4]), int(text[4:6]), int(text[6:]))
    except ValueError:
        return False
    return True


def _holidays_in_file(path):
    """The days a holiday file lists, one a line, blank lines and # comments allowed."""
    days = []
    with open(path, encoding="utf-8") as lines:
        for number, line in enumerate(lines, 1):
            day = line.split("#", 1)[0].strip()
            if not day:
                continue
            if not _is_date(day):
                raise ValueError(f"holidays file {os.fsdecode(path)!r}, line {number}: {day!r} "
                                 "is not a date written YYYYMMDD")
            days.append(day)
    return days


def _holidays_entry(holidays):
    if isinstance(holidays, (str, os.PathLike)):
        days = _holidays_in_file(holidays)
    elif isinstance(holidays, Iterable) and not isinstance(holidays, (bytes, bytearray)):
        days = list(holidays)
        for day in days:
            if not (isinstance(day, str) and _is_date(day)):
                raise ValueError(f"holidays has {day!r}, which is not a date written YYYYMMDD")
    else:
        raise ValueError(f"holidays must be a list of 'YYYYMMDD' or the path of a file of them, "
                         f"not {type(holidays).__name__}")
    return "calendar holidays=" + ",".join(days)


def _md_front_entry(md_front):
    if not isinstance(md_front, (str, bytes, bytearray)):
        raise TypeError(f"md_front must be a front address as str or bytes, "
                        f"not {type(md_front).__name__}")
    if not md_front:
        raise ValueError("md_front must be a front address, not empty")
    address = urllib.parse.quote(front_address(md_front), safe="")
    return b"md_front address=" + address.encode("ascii")


_CLOCK = re.compile(r"[0-9]{2}:[0-9]{2}")


def _trading_hours_entries(trading_hours):
    """The configuration lines setting the hours the broker enforces."""
    if trading_hours is None:
        return ["trading_hours hours=none"]
    if isinstance(trading_hours, str):
        if trading_hours != "exchange":
            raise ValueError(f"trading_hours must be 'exchange', None or a dict of products' "
                             f"sessions, not {trading_hours!r}")
        return ["trading_hours hours=exchange"]
    if not isinstance(trading_hours, Mapping):
        raise TypeError(f"trading_hours must be 'exchange', None or a dict of products' "
                        f"sessions, not {type(trading_hours).__name__}")
    # The products named get their sessions, the others their exchanges' hours.
    lines = ["trading_hours hours=exchange"]
    for product, sessions in trading_hours.items():
        what = f"trading_hours[{product!r}]"
        if not (isinstance(product, str) and product.isascii() and product.isalnum()):
            raise ValueError(f"trading_hours has the product {product!r}: a product id")
        if isinstance(sessions, (str, bytes, Mapping)) or not isinstance(sessions, Iterable):
            raise TypeError(f"{what} must be a list of (open, close) pairs, "
                            f"not {type(sessions).__name__}")
        spans = []
        for session in sessions:
            pair = tuple(session) if isinstance(session, (tuple, list)) else ()
            if len(pair) != 2 or not all(isinstance(time, str) and _CLOCK.fullmatch(time)
                                         for time in pair):
                raise ValueError(f"{what} has the session {session!r}: a pair of times "
                                 f"'HH:MM', e.g. ('09:00', '10:15')")
            spans.append("-".join(pair))
        if not spans:
            raise ValueError(f"{what} has no session")
        lines.append(f"trading_hours product_id={product} sessions={','.join(spans)}")
    return lines


def configure(front=None, *, accounts=None, instruments=None, exchanges=None, limits=_UNCHANGED,
              store=None, trading_day=None, holidays=None, md_front=None,
              trading_hours=_UNCHANGED, reset=False):
    """Configures the simulated broker of `front` (a trader, or a front address), which starts
    afresh from it: its accounts, positions, orders and trades are dropped. With front None,
    configures the brokers made from now on. RuntimeError if traders are connected to the
    front's broker: configure a front before making its traders.

    accounts: {investor: dict(password=..., app_id=..., auth_code=..., balance=...,
    positions=[dict(instrument_id=..., direction="long" or "short", volume=...,
    price=...)])}. Once accounts are declared, only they may log in; an empty password, app id
    or auth code accepts any (the first login then sets the password). Positions are held from
    yesterday, at `price` (by default yesterday's settlement). An account replaces an earlier
    declaration of the same investor.

    instruments: a list of dicts. One naming a listed instrument_id changes the fields it
    gives; one naming a new instrument lists it and must give exchange_id, price_tick,
    volume_multiple and last (or bid or ask). Fields: instrument_id, exchange_id, product_id,
    instrument_name, price_tick, volume_multiple, long_margin_ratio, short_margin_ratio,
    open_ratio_by_money, open_ratio_by_volume, close_ratio_by_money, close_ratio_by_volume,
    close_today_ratio_by_money, close_today_ratio_by_volume (commission by value and per
    lot), delivery_year, delivery_month, bid, ask, last, bid_volume, ask_volume (the lots at
    the best bid and ask; 1,000,000 each unless given), pre_settlement_price, upper_limit and
    lower_limit (the daily limits; unless given, they follow a new pre_settlement_price or
    price_tick by the product's usual band, 10% for a new instrument),
    max_limit_order_volume and max_market_order_volume (the lots one order may have; 1,000
    each for a new instrument).

    exchanges: {exchange_id: dict(market_orders=True or False, max_margin_side=True or
    False)}: whether the exchange takes market orders (by default DCE, CZCE, CFFEX and GFEX
    do, SHFE and INE and any other exchange do not), and whether it margins a product's
    larger side only (by default CFFEX alone).

    limits: the front's flow limits, as a dict of some of queries_per_second,
    queries_in_flight and orders_per_second, each a positive count or None to lift it; the
    limits it does not name keep theirs. limits=None lifts all three. A front configured
    without limits has the vendor's: dict(queries_per_second=1, queries_in_flight=1,
    orders_per_second=None). See "Flow control" in help(Quorvan.sim).

    store: the path of an SQLite file in which the front's broker keeps its state (accounts,
    positions, orders, trades, private and public flows, trading day), each request's effects
    committed before it is answered, so that a process killed after an answer loses nothing
    of it. A file that does not exist (or is empty) is made; a store of an earlier process
    carries on where it stopped: logins see its positions, queries its day's orders and
    trades, and the login's MaxOrderRef lets order references continue. Its declared accounts
    and positions seed a new store only, and its trading day wins over trading_day. See
    "Resuming the flows" in help(Quorvan.sim). ValueError, changing nothing, for a file that is
    not a broker store or is one of another version. With store=None (the default) the broker
    keeps its state in memory; only a front's broker takes a store.

    trading_day: the trading day the broker starts in, a weekday as "YYYYMMDD" that is not a
    holiday (the login's TradingDay and every record's); by default the local date when the
    broker is made. See settle for the days that follow.

    holidays: the weekdays the exchanges are closed, a list of "YYYYMMDD", or the path (str or
    os.PathLike) of a text file of them, one a line (blank lines and # comments allowed).
    settle and the night session skip them as they skip weekends. They replace the holidays
    given before; [] clears them. No holiday list is built in: give the exchanges' published
    calendar for the years you trade. ValueError, changing nothing, naming an entry that is
    not a date (and the file's line).

    md_front: the address of a market-data front (str or bytes, "tcp://" added where it
    lacks it) that publishes this broker's markets to the MdApiBase objects registered with
    it, besides the front's own address, which always does. A front names one at a time: a
    new md_front replaces the one named before, and one omitted (None) keeps it. ValueError
    for a market-data front already named for another front, or with front None. See
    "Market data" in help(Quorvan.sim).

    trading_hours: the hours the broker's exchanges trade each product in, on the market's
    clock (the time of the last set_market or replayed tick, the local time until one was
    given). None (what a broker starts with) lets every instrument trade at any time;
    "exchange" enforces each built-in product's hours at its exchange; a dict {product_id:
    [(open, close), ...]} of "HH:MM" pairs (a session closing before it opens runs past
    midnight, e.g. ("21:00", "01:00"); sessions must not overlap nor cross 18:00, where a
    trading day begins) gives those products these continuous sessions, without a call
    auction, and enforces the exchanges' hours for the others. Omitted, the hours stay as they
    are. See "Trading hours" in help(Quorvan.sim). ValueError, changing nothing, for a product
    no listed instrument has or a malformed session.

    The changes apply to the broker's current configuration, or with reset=True to the
    built-in one (no accounts, the default instruments and exchanges, the vendor's limits).
    ValueError, changing nothing, for a field or value the broker does not take."""
    text = _config_text(accounts, instruments, exchanges)
    if limits is not _UNCHANGED:
        text = b"\n".join(filter(None, (text, _limits_entry(limits).encode("ascii"))))
    if front is not None or store is not None:
        text = b"\n".join(filter(None, (text, _store_entry(store))))
    # Holidays first: the trading day is checked against them.
    if holidays is not None:
        text = b"\n".join(filter(None, (text, _holidays_entry(holidays).encode("ascii"))))
    if trading_day is not None:
        text = b"\n".join(filter(None, (text, _calendar_entry(trading_day).encode("ascii"))))
    if md_front is not None:
        text = b"\n".join(filter(None, (text, _md_front_entry(md_front))))
    if trading_hours is not _UNCHANGED:
        entries = "\n".join(_trading_hours_entries(trading_hours)).encode("ascii")
        text = b"\n".join(filter(None, (text, entries)))
    check(control.configure(front_address(front), text, int(bool(reset))))


def settle(front, settlement_prices=None):
    """Ends the trading day of the broker of `front` (a trader, or a front address), as a
    broker does overnight, and returns once its traders have been told the line dropped:

    - every waiting order is cancelled, its OnRtnOrder (OrderStatus Canceled) in the private
      flow: the broker takes only orders good for the day (GFD) or immediate ones, and holds
      conditional orders for the day too;
    - each position is marked at its instrument's settlement price, settlement_prices
      {instrument_id: price} or, for an instrument it leaves out, the last price (yesterday's
      settlement without one), and today's positions become yesterday's, closed on SHFE and
      INE with close-yesterday (OffsetFlag CloseYesterday) or a plain close;
    - each account rolls: its pre-balance is its balance at the settlement prices, close
      profit and commission start afresh, margin is charged at the settlement prices;
    - each account gets the day's settlement statement (GB18030 text: account summary,
      trades, positions), which ReqQrySettlementInfo answers (the latest without a
      TradingDay, or that day's) in SettlementInfoField records whose Content, joined in
      SequenceNo order, is the statement;
    - the day settled is the broker's trading day, or the later one the market's clock is in
      (see "The market's clock" in help(Quorvan.sim)), and the next trading day (a weekday
      not one of configure's holidays) follows it; each market's settlement becomes its
      pre_settlement_price, with the daily limits around it, and a bid, ask or last outside
      the new limits is cleared (the last price set to the settlement);
    - the day's orders, trades and private flows are gone, and every connected trader loses
      its line (OnFrontDisconnected 0x1001) and reconnects 0.1 seconds later: its login chain
      logs in to the new day and confirms its settlement. The market-data objects of the
      front lose theirs too, and with it their subscriptions, which they make again after
      logging in to the new day; each market's volume, turnover, open, high and low start
      afresh.

    ValueError, changing nothing, for a front with no broker, an instrument not listed, or a
    price that is not positive, off the instrument's tick or outside the day's limits."""
    if settlement_prices is None:
        settlement_prices = {}
    if not isinstance(settlement_prices, Mapping):
        raise TypeError("settlement_prices must be a dict of instrument ids to prices, "
                        f"not {type(settlement_prices).__name__}")
    instruments = []
    prices = []
    for instrument, price in settlement_prices.items():
        if isinstance(price, bool) or not isinstance(price, numbers.Real):
            raise TypeError(f"settlement_prices[{instrument!r}] must be a price, "
                            f"not {type(price).__name__}")
        name = to_bytes(instrument)
        if b"\0" in name:
            raise ValueError(f"the instrument id {instrument!r} contains a NUL byte")
        instruments.append(name)
        prices.append(float(price))
    count = len(prices)
    check(control.settle(front_address(front), (ctypes.c_char_p * max(count, 1))(*instruments),
                         (ctypes.c_double * max(count, 1))(*prices), count))
