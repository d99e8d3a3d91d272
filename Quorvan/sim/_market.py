"""The markets of a simulated broker: set_market moves one, market reads one."""

import ctypes
import datetime
import numbers
from collections.abc import Iterable, Mapping, Sequence

from Quorvan.CTP.ApiStruct import DepthMarketDataField
from Quorvan.utils.base_field import to_bytes

from ._library import as_c_int, check, control
from ._naming import front_address


def _price(value, what, may_be="a price"):
    if isinstance(value, bool) or not isinstance(value, numbers.Real):
        raise TypeError(f"{what} must be {may_be}, not {type(value).__name__}")
    return float(value)


def _price_pointer(value, what):
    # Checked here rather than through _price: a replayed tick passes seven of them, and a
    # call each would cost a tenth of the move.
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


def _levels(value, what):
    """A side's levels as the library takes them: their prices, their lots and how many there
    are; a count of -1 for None, which leaves the levels to bid and bid_volume."""
    if value is None:
        return None, None, -1
    if isinstance(value, (str, bytes, Mapping)) or not isinstance(value, Iterable):
        raise TypeError(f"{what} must be a list of (price, volume) levels or None, "
                        f"not {type(value).__name__}")
    levels = list(value)
    prices = (ctypes.c_double * len(levels))()
    volumes = (ctypes.c_int * len(levels))()
    for index, level in enumerate(levels):
        name = f"{what}[{index}]"
        if (isinstance(level, (str, bytes)) or not isinstance(level, Sequence)
                or len(level) != 2):
            raise TypeError(f"{name} must be a (price, volume) pair, not {level!r}")
        prices[index] = _price(level[0], f"the price of {name}")
        volumes[index] = as_c_int(level[1], f"the volume of {name}")
    return prices, volumes, len(levels)


def move_market(front, instrument, *, bid=None, ask=None, last=None, bid_volume=None,
                ask_volume=None, upper_limit=None, lower_limit=None, volume=None,
                turnover=None, open_interest=None, time=None, bids=None, asks=None):
    """set_market with the exchange's time of the move (a datetime), as a replay gives it."""
    day = clock = None
    millisec = 0
    if time is not None:
        time = _exchange_time(time)
        # Written by number: %Y leaves a year before 1000 unpadded on some platforms.
        day = f"{time.year:04d}{time.month:02d}{time.day:02d}".encode("ascii")
        clock = f"{time.hour:02d}:{time.minute:02d}:{time.second:02d}".encode("ascii")
        millisec = time.microsecond // 1000
    arguments = (
        front, instrument,
        _price_pointer(bid, "bid"), _price_pointer(ask, "ask"), _price_pointer(last, "last"),
        _volume_pointer(bid_volume, "bid_volume"), _volume_pointer(ask_volume, "ask_volume"),
        _price_pointer(upper_limit, "upper_limit"), _price_pointer(lower_limit, "lower_limit"),
        _volume_pointer(volume, "volume"), _price_pointer(turnover, "turnover"),
        _price_pointer(open_interest, "open_interest"), day, clock, millisec)
    # A move without levels, every replayed tick of a file without depth columns among them,
    # passes none: it costs what it did before depth existed.
    if bids is None and asks is None:
        check(control.set_market_at(*arguments))
    else:
        check(control.set_market_depth(*arguments, *_levels(bids, "bids"),
                                       *_levels(asks, "asks")))


def set_market(instrument, *, bid=None, ask=None, last=None, bid_volume=None,
               ask_volume=None, upper_limit=None, lower_limit=None, volume=None,
               turnover=None, open_interest=None, bids=None, asks=None, time=None,
               front=None):
    """Moves the market of `instrument` at the broker of `front` (a trader, an MdApiBase, or
    a front address), or with front None at every broker and for brokers made from now on.
    Values left None keep theirs; a price of 0 leaves that side empty. bid_volume and
    ask_volume are the lots at the best bid and ask, which each fill against them takes away.

    A market shows up to five levels a side. bids (highest first) and asks (lowest first)
    give a side's whole book as a list of (price, volume) levels, [] for an empty side; bid
    and bid_volume (ask, ask_volume) then stay its first level, and may be given with it only
    if they repeat it. Without bids, a new bid makes the bid side one level deep (levels 2-5
    are cleared, the first keeping its lots unless bid_volume gives them), and bid_volume
    alone changes the first level's lots only; likewise the asks. An order entering the book
    sweeps the levels it crosses, best first, each fill at its level's price and taking the
    lots there (what is left of a limit order rests at its own price; FAK, FOK and market
    orders trade or cancel by their rules across the levels); the lots a fill takes are gone
    from the level until a move quotes it again.
    volume (lots), turnover and open_interest are the exchange's figures for the day so far,
    which the market reports as they are given (the broker's own fills do not change them).
    A new last price counts into the day's open, high and low.

    time: the exchange's time of the move, a datetime (naive: the exchange's local time,
    China Standard Time; an aware one is converted to it). The move is stamped with it, and
    it sets the broker's market clock, which stamps the records the broker makes from then
    on (InsertTime, UpdateTime, CancelTime, TradeDate and TradeTime, ...) and places them in
    a trading day: from 18:00 the night session trades for the next trading day. Without a
    time the move is stamped with the local time and the clock follows the local clock again
    (see "The market's clock" in help(Quorvan.sim)).

    Every market-data object subscribed to the instrument at a front publishing the broker
    receives the moved market as OnRtnDepthMarketData, the record market() reads, before
    this returns (see "Market data" in help(Quorvan.sim)).

    Resting orders the new market crosses fill at their own prices (a resting order is the
    maker), best price first and, at one price, earliest first, across all traders of the
    broker, each taking the lots of the levels at or through its price, best level first,
    until the volume there is taken; a last price at or through a resting order's
    price fills it too, up to the rise of the day's volume (the whole order when the move
    gives none); what is left of an order keeps resting. A new last price then triggers the
    conditional orders whose condition it meets. The events are posted to the traders'
    threads before this returns.

    ValueError, moving nothing, for a time that is not a datetime, an instrument not listed, a price off the tick, a bid at
    or above the ask, a negative volume, turnover or open interest, a lower_limit not below
    the upper_limit, a price outside the limits, more than five levels a side, levels not
    strictly ordered (bids falling, asks rising), a level's price not positive, or a bid or
    bid_volume (ask, ask_volume) other than the first level of bids (asks) given with it; the
    message names the level as the market data does (bid2 is the second bid)."""
    move_market(front_address(front), to_bytes(instrument), bid=bid, ask=ask, last=last,
                bid_volume=bid_volume, ask_volume=ask_volume, upper_limit=upper_limit,
                lower_limit=lower_limit, volume=volume, turnover=turnover,
                open_interest=open_interest, bids=bids, asks=asks, time=time)


def market(instrument, front=None):
    """The market of `instrument` at the broker of `front` (a trader, an MdApiBase, or a front
    address), or with front None in the configuration brokers start from, as the
    DepthMarketDataField record a query of its depth market data answers and a market-data
    front publishes: the broker's trading day, the time of the last move (now, for a market
    not moved today), the five levels of bids and asks with their lots (BidPrice1 to
    BidPrice5, BidVolume1 to BidVolume5, the asks likewise; 0 for a level the book does not
    have), the last price, the day's open,
    high and low, volume, turnover and open interest, the daily limits and yesterday's
    settlement. ValueError for an instrument not listed there."""
    record = DepthMarketDataField()
    check(control.market(front_address(front), to_bytes(instrument), ctypes.addressof(record),
                         ctypes.sizeof(record)))
    return record
