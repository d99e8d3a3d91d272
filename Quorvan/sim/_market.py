"""The markets of a simulated broker: set_market moves one, market reads one."""

import ctypes
import datetime
import numbers

from Quorvan.CTP.ApiStruct import DepthMarketDataField
from Quorvan.utils.base_field import to_bytes

from ._library import as_c_int, check, control
from ._naming import front_address


def _price_pointer(value, what):
    if value is None:
        return None
    if isinstance(value, bool) or not isinstance(value, numbers.Real):
        raise TypeError(f"{what} must be a price or None, not {type(value).__name__}")
    return ctypes.pointer(ctypes.c_double(float(value)))


def _volume_pointer(value, what):
    if value is None:
        return None
    return ctypes.pointer(ctypes.c_int(as_c_int(value, what)))


# The exchanges' clock: China Standard Time, which keeps no daylight saving.
_EXCHANGE_TIME = datetime.timezone(datetime.timedelta(hours=8))


def _exchange_time(time):
    """`time` on the exchanges' clock: a naive datetime is one already, an aware one is
    converted."""
    if not isinstance(time, datetime.datetime):
        raise ValueError(f"time must be a datetime, not {type(time).__name__}")
    if time.utcoffset() is not None:
        time = time.astimezone(_EXCHANGE_TIME).replace(tzinfo=None)
    return time


def move_market(front, instrument, *, bid=None, ask=None, last=None, bid_volume=None,
                ask_volume=None, upper_limit=None, lower_limit=None, volume=None,
                turnover=None, open_interest=None, time=None):
    """set_market with the exchange's time of the move (a datetime), as a replay gives it."""
    day = clock = None
    millisec = 0
    if time is not None:
        time = _exchange_time(time)
        day = f"{time:%Y%m%d}".encode("ascii")
        clock = f"{time:%H:%M:%S}".encode("ascii")
        millisec = time.microsecond // 1000
    check(control.set_market_at(
        front, instrument,
        _price_pointer(bid, "bid"), _price_pointer(ask, "ask"), _price_pointer(last, "last"),
        _volume_pointer(bid_volume, "bid_volume"), _volume_pointer(ask_volume, "ask_volume"),
        _price_pointer(upper_limit, "upper_limit"), _price_pointer(lower_limit, "lower_limit"),
        _volume_pointer(volume, "volume"), _price_pointer(turnover, "turnover"),
        _price_pointer(open_interest, "open_interest"), day, clock, millisec))


def set_market(instrument, *, bid=None, ask=None, last=None, bid_volume=None,
               ask_volume=None, upper_limit=None, lower_limit=None, volume=None,
               turnover=None, open_interest=None, time=None, front=None):
    """Moves the market of `instrument` at the broker of `front` (a trader, an MdApiBase, or
    a front address), or with front None at every broker and for brokers made from now on.
    Values left None keep theirs; a price of 0 leaves that side empty. bid_volume and
    ask_volume are the lots at the best bid and ask, which each fill against them takes away.
    volume (lots), turnover and open_interest are the exchange's figures for the day so far,
    which the market reports as they are given (the broker's own fills do not change them).
    A new last price counts into the day's open, high and low.

    time: the exchange's time of the move, a datetime (naive: the exchange's local time,
    China Standard Time; an aware one is converted to it). The move is stamped with it, and
    it sets the broker's market clock, which stamps the records the broker makes from then
    on (InsertTime, UpdateTime, CancelTime, TradeDate and TradeTime, ...) and places them in
    a trading day: from 20:00 the night session trades for the next trading day. Without a
    time the move is stamped with the local time and the clock follows the local clock again
    (see "The market's clock" in help(Quorvan.sim)).

    Every market-data object subscribed to the instrument at a front publishing the broker
    receives the moved market as OnRtnDepthMarketData, the record market() reads, before
    this returns (see "Market data" in help(Quorvan.sim)).

    Resting orders the new market crosses fill at their own prices (a resting order is the
    maker), best price first and, at one price, earliest first, across all traders of the
    broker, until the volume there is taken; a last price at or through a resting order's
    price fills it too, up to the rise of the day's volume (the whole order when the move
    gives none); what is left of an order keeps resting. A new last price then triggers the
    conditional orders whose condition it meets. The events are posted to the traders'
    threads before this returns.

    ValueError, moving nothing, for a time that is not a datetime, an instrument not listed, a price off the tick, a bid at
    or above the ask, a negative volume, turnover or open interest, a lower_limit not below
    the upper_limit, or a bid, ask or last outside the limits."""
    move_market(front_address(front), to_bytes(instrument), bid=bid, ask=ask, last=last,
                bid_volume=bid_volume, ask_volume=ask_volume, upper_limit=upper_limit,
                lower_limit=lower_limit, volume=volume, turnover=turnover,
                open_interest=open_interest, time=time)


def market(instrument, front=None):
    """The market of `instrument` at the broker of `front` (a trader, an MdApiBase, or a front
    address), or with front None in the configuration brokers start from, as the
    DepthMarketDataField record a query of its depth market data answers and a market-data
    front publishes: the broker's trading day, the time of the last move (now, for a market
    not moved today), the best bid and ask with their lots, the last price, the day's open,
    high and low, volume, turnover and open interest, the daily limits and yesterday's
    settlement. ValueError for an instrument not listed there."""
    record = DepthMarketDataField()
    check(control.market(front_address(front), to_bytes(instrument), ctypes.addressof(record),
                         ctypes.sizeof(record)))
    return record
