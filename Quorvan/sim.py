"""Control of the simulated vendor libraries built from simtrader/: the trader library
libthosttraderapi_se.so, and the market-data library libthostmduserapi_se.so, whose objects
the trader library holds beside its own.

Tests play the broker's side of a session with these functions: read what an API object
received (calls, of which each object keeps the last keep_calls), make its next calls fail
or throw (fail_next, throw_next), raise events on its thread (emit) and drop its connection
(disconnect).

An API object is named by its trader, whose API object was created with the flow directory
``trader.flow_path + "td.con/"``, by its MdApiBase (Quorvan.CTP.MdApiBase), whose API object
was created with ``md.flow_path + "md.con/"``, or by that flow directory itself as a str (or
bytes), which also names an object not created yet: faults armed for it wait for the next
object created with that directory.

The simulated broker
--------------------
Every trader talks to the simulated broker of its front (the address its API object
registered), shared by all traders of that front in the process; configure and set_market
name a front by a trader, or by its address as str or bytes, with or without the "tcp://"
the extension adds. A test that gives its traders a front of their own keeps its broker to
itself.

A broker behaves as the vendor's do: a trader logs in by itself, and its orders, cancels and
queries are answered with the vendor's records and error codes. Unless configure declares
accounts, any broker id, investor, app id and auth code are accepted, an investor's first
login sets its password and a later login with another password is refused; each account
starts with a balance of 10,000,000 yuan. Each login gets FrontID 1 and a new SessionID.

Each market has one level a side, the best bid and ask with the lots there (bid_volume,
ask_volume: 1,000,000 unless set, so that small orders fill whole). A limit order crosses
when the ask is at or below its limit (a buy) or the bid at or above it (a sell) and fills at
that price up to the lots there, taking them; one good for the day (TimeCondition GFD) rests
with what is left (OrderStatus PartTradedQueueing once part traded, VolumeTraded and
VolumeTotal kept), until a market set later crosses it. Each fill sends an OnRtnOrder and an
OnRtnTrade. The market is every order's other side: traders' orders do not trade with each
other, they compete for what the market offers. The kinds of order, all with TimeCondition
IOC but the first:

    limit, GFD           rests until filled or cancelled
    FAK   IOC + AV       fills what is there, the rest is cancelled
    FOK   IOC + CV       fills whole or not at all
    IOC + MV             fills at least MinVolume (1 to the volume) or nothing
    market (AnyPrice)    IOC at the other side's best price, whatever it is; refused
                         (ErrorID 80) on an exchange that takes none (SHFE and INE by
                         default, see configure's exchanges); the money it needs
                         is reckoned at the upper limit

The exchange rejects a limit price off the instrument's tick or outside the day's limits
(upper_limit, lower_limit): OnRtnOrder with OrderSubmitStatus InsertRejected, OrderStatus
Canceled and the reason in StatusMsg, no trade and nothing frozen.

Conditional orders (ContingentCondition Touch, TouchProfit, and last price greater than,
greater or equal to, less than, less or equal to StopPrice) are held by the broker:
OrderStatus NotTouched, an OrderSysID starting "TJBD_", nothing frozen. A stop (Touch)
triggers when the last price reaches StopPrice against the position (a sell at or below it,
a buy at or above), a take-profit (TouchProfit) the other way round. When set_market's last
price meets the condition the order goes to the exchange at its own price type and proceeds
as any order; money and positions are checked then, and an order that fails them is
cancelled with the vendor's message in StatusMsg. Other conditions are refused with ErrorID
54, a StopPrice that is not positive or off the tick with 15.

A cancel names the order by FrontID, SessionID and OrderRef, or by ExchangeID and OrderSysID
(which counts when both are given); held and part-traded orders cancel too. An order's
ExchangeID may be left empty; the exchange of another instrument is refused as an unknown
instrument. A field the broker does not take (a hedge flag other than speculation, forced
closes, swap orders, another price type or time condition) is refused with ErrorID 15. Money
follows the exchanges' daily mark-to-market: margin is price x volume x multiple x margin
ratio; balance = pre-balance + close profit + position profit - commission; available =
balance - margin - frozen margin - frozen commission, what resting orders hold back.

A broker trades on one day at a time: the local date, or configure's trading_day. settle
ends it (see settle): the day's waiting orders are cancelled, positions are marked at the
settlement prices and carried into the next weekday as yesterday's, accounts roll, each gets
its settlement statement, and the traders reconnect to the new day.

Besides orders, trades, positions and the trading account, the broker answers the queries a
strategy makes at start from its configuration: instruments, depth market data, exchanges,
products, the commission, margin and order-fee rates (order and cancel fees are none) of the
logged-in investor, the investor, its trading codes (its own id at each exchange),
settlement confirmation and settlement statements (ReqQrySettlementInfo). Queries about
what it does not keep get one empty last answer.

The instruments every broker lists unless configured otherwise, each quoted one tick wide
(bid at the last price, ask a tick above), with daily limits of the product's usual band
around yesterday's settlement (rb, cu, au 7%; sc 8%; m, SR, TA 6%; i 11%; IF, IC 10%;
si, lc 9%):

    SHFE   rb2705 rebar (tick 1, x10)       cu2702 copper (tick 10, x5)
           au2706 gold (tick 0.02, x1000)
    INE    sc2702 crude oil (tick 0.1, x1000)
    DCE    m2705 soybean meal (tick 1, x10) i2705 iron ore (tick 0.5, x100)
    CZCE   SR705 sugar (tick 1, x10)        TA705 PTA (tick 2, x5)
    CFFEX  IF2703 CSI 300 (tick 0.2, x300)  IC2703 CSI 500 (tick 0.2, x200)
    GFEX   si2705 industrial silicon (tick 5, x5)
           lc2705 lithium carbonate (tick 50, x1)

Flow control
------------
The vendor's library and brokers limit how fast a trader may ask, and so does the simulated
library, per API object and in real time:

- A query (every ReqQry... request, and the query_... helpers, which return what it
  returns) made while queries_in_flight earlier queries of the object are unanswered (their
  last answer, bIsLast, not yet delivered to the handler) returns -2; one that would be more
  than queries_per_second within the last second returns -3 (-2 when both hold, since the
  earlier answer must come first). Either sends nothing: the call shows in calls() as any
  refused request does, and the handler hears nothing of it. An answer counts as delivered
  as its handler is called, so the handler of a query's last answer may send the next
  query. A dropped connection forgets the queries it left unanswered.
- An order or cancel (ReqOrderInsert, ReqOrderAction) that would be more than
  orders_per_second within the last second is refused by the broker with code 116
  (CTP:下单频率限制) in OnRspOrderInsert or OnRspOrderAction only: it never reached the
  account, so no OnErrRtn... follows.

The defaults are the vendor's: one query a second, one unanswered at a time, orders
unlimited. configure(front, limits=...) changes them for a front's traders made afterwards;
limits=None lifts them all. A program retries a query held back, after the earlier answer
arrived (-2) or once a second has passed since the last query it sent (-3).

Whatever the limits, answers do not pile up behind a slow handler: while 10,000 of the
broker's events wait for an API object's thread, its requests wait too, in order, and go to
the broker as the handler catches up; once 100,000 requests wait so, a further request
returns -2. A request that returned 0 is answered in full. Release drops whatever waits.

Replayed markets
----------------
replay(source, front, speed, md_queue) plays recorded ticks (a CSV file, or dicts) into a
broker's markets on a thread of its own, each tick as a set_market, and hands each to the
strategy's md_queue as a DepthMarketDataField dict, so that a strategy runs over a recorded
day through the same code as live. With speed None it keeps pace with the strategy (each
tick's fills delivered, and with a queue.Queue the strategy's task_done() and its orders'
answers awaited, before the next tick), so that a backtest trades the same way every run; a
number plays at that multiple of real time. wait_delivered() is the wait it uses, and
market() the broker's quote it reads; see replay().

Market data
-----------
A simulated market-data front at an address publishes the markets of the broker of the same
address, or of the broker that configure(front, md_front=address) names it for; an MdApiBase
registered with it talks to that broker. Like most market-data fronts it takes any login,
empty identities included: OnRspUserLogin carries the broker's TradingDay, the LoginTime,
the BrokerID and UserID given, FrontID 1 and a new SessionID. ReqUserLogout answers
OnRspUserLogout and ends the login with its subscriptions.

SubscribeMarketData answers each instrument in OnRspSubMarketData (a
SpecificInstrumentField, ErrorID 0, bIsLast on the last), then sends at once the current
market of each listed instrument named, as OnRtnDepthMarketData; an instrument not listed is
answered too and brings nothing. Before a login each is answered with ErrorID 6
(CTP:还没有登录) and nothing is subscribed. UnSubscribeMarketData answers alike and ends
them; SubscribeForQuoteRsp and UnSubscribeForQuoteRsp are answered (the broker takes no
quote requests, so no OnRtnForQuoteRsp follows); ReqQryMulticastInstrument is answered with
one empty last response. A null array or id, or a negative count, returns -1, sending
nothing, as does any of these while the line is down. Subscriptions belong to the
connection: a disconnection (disconnect, settle) or a logout forgets them, and a client
subscribes again after its next login, as MdApiBase does by itself.

From then on every set_market and every replayed tick of a subscribed instrument reaches the
subscriber as OnRtnDepthMarketData with the whole record, the one market() reads: TradingDay,
ActionDay, UpdateTime and UpdateMillisec (a replayed tick's own time; otherwise when the
market last moved), InstrumentID, ExchangeID and ExchangeInstID, LastPrice, BidPrice1,
BidVolume1, AskPrice1, AskVolume1, Volume, Turnover, OpenInterest and AveragePrice (the
exchange's figures for the day, as set_market or the replay gives them), the day's
OpenPrice, HighestPrice and LowestPrice of the last prices set, UpperLimitPrice,
LowerLimitPrice, PreSettlementPrice and PreClosePrice. What the exchange has not set yet
(the day's open before a last price, ClosePrice, SettlementPrice, CurrDelta) holds the
vendor's mark for no price, DBL_MAX (1.7976931348623157e308).

wait_delivered(front) and a replay at speed None cover the market-data objects of the front
as they cover its traders: the ticks have reached the handlers, and what those sent has been
answered. A strategy fed through an MdApiBase therefore passes no md_queue to replay, which
would hand it each tick a second time; replay's md_queue is for a strategy without one.

Resuming the flows
------------------
A broker keeps, for the trading day, each investor's private flow (OnRtnOrder, OnRtnTrade,
OnErrRtnOrderInsert, OnErrRtnOrderAction, in order, numbered 1, 2, 3, ...) and the public
flow (OnRtnInstrumentStatus: each instrument trading continuously from the day's start).
After a login the API object receives, by the resume type given to SubscribePrivateTopic or
SubscribePublicTopic (QUICK for one never called):

    RESTART (0)   the whole of the day's flow, then what follows
    RESUME (1)    what this flow directory has not received yet, then what follows
    QUICK (2)     only what follows the login
    NONE (3)      nothing of that flow, not even what follows

Like the vendor's library, an API object keeps the number of the last event it delivered
of each flow (once its callback has returned) and the trading day in files under its flow
directory, Private.con and Public.con, so RESUME continues where that directory stopped:
after disconnect() and the reconnection, in a new API object, or in a new process
configuring the same store. Marks of another trading day, or beyond the broker's flow (a
new store), count as nothing received.

The library is loaded from the very file the extension links, so both see the same objects.
Each call releases the interpreter lock while the library works, which a callback raised
meanwhile needs.
"""

import atexit
import csv
import ctypes
import datetime
import functools
import itertools
import math
import numbers
import operator
import os
import queue
import re
import sys
import threading
import time
import urllib.parse
from collections import namedtuple
from collections.abc import Iterable, Mapping, Sized

from Quorvan.CTP.ApiStruct import DepthMarketDataField
from Quorvan.utils.base_field import to_bytes

__all__ = ["calls", "keep_calls", "fail_next", "throw_next", "emit", "disconnect", "configure",
           "set_market", "settle", "market", "wait_delivered", "replay", "Replay"]

LIBRARY_PATH = os.path.join(os.path.dirname(__file__), "CTP", "libthosttraderapi_se.so")

if not os.path.exists(LIBRARY_PATH):
    raise ImportError(
        "Quorvan.sim controls the simulated trader library, which this build does not have: "
        f"{LIBRARY_PATH} is missing (a build against the vendor's SDK has none; build the "
        "package without CTP_SDK_DIR to get it)"
    )
try:
    _lib = ctypes.CDLL(LIBRARY_PATH)
except OSError as error:
    raise ImportError(
        f"cannot load the simulated trader library {LIBRARY_PATH}: {error}") from error


def _declare(name, result, *arguments):
    function = getattr(_lib, name)
    function.restype = result
    function.argtypes = arguments
    return function


_c_size_p = ctypes.POINTER(ctypes.c_size_t)
_c_char_pp = ctypes.POINTER(ctypes.c_char_p)
_c_int_p = ctypes.POINTER(ctypes.c_int)

_last_error = _declare("quorvan_sim_last_error", ctypes.c_char_p)
_rsp_info_size = _declare("quorvan_sim_rsp_info_size", ctypes.c_size_t)
_fail_next = _declare(
    "quorvan_sim_fail_next", ctypes.c_int, ctypes.c_char_p, ctypes.c_char_p, ctypes.c_int)
_throw_next = _declare(
    "quorvan_sim_throw_next", ctypes.c_int,
    ctypes.c_char_p, ctypes.c_char_p, ctypes.c_char_p, ctypes.c_char_p)
_emit = _declare(
    "quorvan_sim_emit", ctypes.c_int,
    ctypes.c_char_p, ctypes.c_char_p, ctypes.c_void_p, ctypes.c_void_p,
    ctypes.c_int, ctypes.c_int, ctypes.c_longlong)
_disconnect = _declare(
    "quorvan_sim_disconnect", ctypes.c_int, ctypes.c_char_p, ctypes.c_int, ctypes.c_double)
_keep_calls = _declare("quorvan_sim_keep_calls", ctypes.c_int, ctypes.c_size_t)
_calls_open = _declare("quorvan_sim_calls_open", ctypes.c_void_p, ctypes.c_char_p)
_calls_count = _declare("quorvan_sim_calls_count", ctypes.c_size_t, ctypes.c_void_p)
_call_operation = _declare(
    "quorvan_sim_call_operation", ctypes.c_char_p, ctypes.c_void_p, ctypes.c_size_t)
_call_arg_count = _declare(
    "quorvan_sim_call_arg_count", ctypes.c_size_t, ctypes.c_void_p, ctypes.c_size_t)
_call_arg_kind = _declare(
    "quorvan_sim_call_arg_kind", ctypes.c_int, ctypes.c_void_p, ctypes.c_size_t, ctypes.c_size_t)
_call_arg_int = _declare(
    "quorvan_sim_call_arg_int", ctypes.c_longlong,
    ctypes.c_void_p, ctypes.c_size_t, ctypes.c_size_t)
_call_arg_bytes = _declare(
    "quorvan_sim_call_arg_bytes", ctypes.c_void_p,
    ctypes.c_void_p, ctypes.c_size_t, ctypes.c_size_t, _c_size_p)
_call_arg_text_count = _declare(
    "quorvan_sim_call_arg_text_count", ctypes.c_size_t,
    ctypes.c_void_p, ctypes.c_size_t, ctypes.c_size_t)
_call_arg_text = _declare(
    "quorvan_sim_call_arg_text", ctypes.c_void_p,
    ctypes.c_void_p, ctypes.c_size_t, ctypes.c_size_t, ctypes.c_size_t, _c_size_p)
_calls_close = _declare("quorvan_sim_calls_close", None, ctypes.c_void_p)
_api_kind = _declare("quorvan_sim_api_kind", ctypes.c_int, ctypes.c_char_p, _c_int_p)
_kind_event_info = _declare(
    "quorvan_sim_kind_event_info", ctypes.c_int,
    ctypes.c_int, ctypes.c_char_p, _c_char_pp, _c_size_p, _c_char_pp)
_published_front = _declare("quorvan_sim_published_front", ctypes.c_char_p, ctypes.c_char_p)
_c_double_p = ctypes.POINTER(ctypes.c_double)
_configure = _declare(
    "quorvan_sim_configure", ctypes.c_int, ctypes.c_char_p, ctypes.c_char_p, ctypes.c_int)
_set_market_at = _declare(
    "quorvan_sim_set_market_at", ctypes.c_int, ctypes.c_char_p, ctypes.c_char_p,
    _c_double_p, _c_double_p, _c_double_p, _c_int_p, _c_int_p, _c_double_p, _c_double_p,
    _c_int_p, _c_double_p, _c_double_p, ctypes.c_char_p, ctypes.c_char_p, ctypes.c_int)
_market = _declare(
    "quorvan_sim_market", ctypes.c_int, ctypes.c_char_p, ctypes.c_char_p, ctypes.c_void_p,
    ctypes.c_size_t)
_wait_delivered = _declare(
    "quorvan_sim_wait_delivered", ctypes.c_int, ctypes.c_char_p, ctypes.c_double)
_settle = _declare(
    "quorvan_sim_settle", ctypes.c_int, ctypes.c_char_p, _c_char_pp, _c_double_p, ctypes.c_size_t)

# The library's failure codes (control.h) as the exceptions they raise.
_ERRORS = {
    -1: KeyError,  # no API object with that flow directory (or it was released)
    -2: ValueError,  # unknown operation, event or exception kind
    -3: ValueError,  # a name or value the operation does not take
    -4: RuntimeError,  # not delivered: released first, never started, or a callback threw
    -5: RuntimeError,  # the library itself failed
    -6: RuntimeError,  # the broker has connected API objects
    -7: TimeoutError,  # what the call waits for did not happen in time
}

# The kinds of a logged call's arguments (control.h), as Python values.
_ARG_NONE, _ARG_BOOL, _ARG_INT, _ARG_BYTES, _ARG_TEXTS = range(5)

# The kinds of API object (control.h).
_TRADER, _MARKET_DATA = range(2)

_INT_MIN, _INT_MAX = -(2 ** 31), 2 ** 31 - 1
_LONG_LONG_MAX = 2 ** 63 - 1
_SIZE_MAX = 2 ** (8 * ctypes.sizeof(ctypes.c_size_t)) - 1


def _check(code):
    if code != 0:
        message = _last_error().decode("utf-8", "replace")
        raise _ERRORS.get(code, RuntimeError)(message)


def _name(value, what):
    if not isinstance(value, str):
        raise TypeError(f"{what} must be a str, not {type(value).__name__}")
    if "\0" in value:
        raise ValueError(f"{what} {value!r} contains a NUL character")
    return value.encode("utf-8")


@functools.lru_cache(maxsize=None)
def _md_api_class():
    """Quorvan.CTP.MdApiBase.MdApiBase, or None in a build without it."""
    try:
        from Quorvan.CTP.MdApiBase import MdApiBase
    except ImportError:
        return None
    return MdApiBase


def _is_md_api(value):
    md_api_class = _md_api_class()
    return md_api_class is not None and isinstance(value, md_api_class)


def _flow_directory(trader):
    """The flow directory an API object was created with, as the bytes the library keys on."""
    # A directory is named as the file system spells it, as the extensions hand it to the
    # factories: GB18030, the vendor's encoding of text, would name no directory with a
    # non-ASCII name under a UTF-8 file system.
    if isinstance(trader, (bytes, bytearray)):
        directory = bytes(trader)
    elif isinstance(trader, str):
        directory = os.fsencode(trader)
    else:
        flow_path = getattr(trader, "flow_path", None)
        if not isinstance(flow_path, str):
            raise TypeError(
                "trader must be a trader or MdApiBase object (with a str flow_path) or the flow "
                f"directory of its API object as str, not {type(trader).__name__}")
        # What the extension hands the factory for this object: the trader's API object lives
        # in "td.con", the market-data one in "md.con".
        subdirectory = "md.con" if _is_md_api(trader) else "td.con"
        directory = os.fsencode(flow_path + subdirectory + os.path.sep)
    if b"\0" in directory:
        raise ValueError(f"the flow directory {directory!r} contains a NUL byte")
    return directory


def _c_int(value, what):
    number = operator.index(value)
    if not _INT_MIN <= number <= _INT_MAX:
        raise OverflowError(f"{what} {number} does not fit a C int")
    return number


# ----- calls ---------------------------------------------------------------------------------

def _logged_arg(handle, call, arg):
    kind = _call_arg_kind(handle, call, arg)
    if kind == _ARG_NONE:
        return None
    if kind == _ARG_BOOL:
        return bool(_call_arg_int(handle, call, arg))
    if kind == _ARG_INT:
        return _call_arg_int(handle, call, arg)
    if kind == _ARG_TEXTS:
        return tuple(_logged_text(handle, call, arg, text)
                     for text in range(_call_arg_text_count(handle, call, arg)))
    size = ctypes.c_size_t()
    address = _call_arg_bytes(handle, call, arg, ctypes.byref(size))
    return ctypes.string_at(address, size.value) if size.value else b""


def _logged_text(handle, call, arg, text):
    size = ctypes.c_size_t()
    address = _call_arg_text(handle, call, arg, text, ctypes.byref(size))
    if not address:
        return None
    return ctypes.string_at(address, size.value)


def calls(trader):
    """The operations the API object (of a trader or an MdApiBase) received, in order, as
    tuples such as ("Init",), ("RegisterFront", b"tcp://..."), ("ReqOrderInsert",
    record_bytes, request_id), and for a market-data subscription the instrument ids as a
    tuple of bytes (None for a null pointer) and the count, as the vendor's operation takes
    them: ("SubscribeMarketData", (b"rb2705", b"cu2702"), 2) (None instead of the tuple for a
    null array): its last 100,000, or as many as keep_calls set when the object was created.

    The log stays readable after Release, until another API object is created with the same
    flow directory. KeyError if no API object was ever created with it.
    """
    handle = _calls_open(_flow_directory(trader))
    if not handle:
        raise KeyError(_last_error().decode("utf-8", "replace"))
    try:
        return [
            (_call_operation(handle, call).decode("ascii"),)
            + tuple(_logged_arg(handle, call, arg)
                    for arg in range(_call_arg_count(handle, call)))
            for call in range(_calls_count(handle))
        ]
    finally:
        _calls_close(handle)


def keep_calls(n):
    """Each API object created from now on keeps its last `n` calls for calls() (0 keeps
    none); objects already made keep what they kept. The default is 100,000, so that the log
    of a long session stays the same size once full."""
    count = operator.index(n)
    if count < 0:
        raise ValueError(f"keep_calls takes a count of calls, not {count}")
    if count > _SIZE_MAX:
        raise OverflowError(f"{count} calls do not fit a C size_t")
    _check(_keep_calls(count))


# ----- faults --------------------------------------------------------------------------------

def _scope(trader):
    return None if trader is None else _flow_directory(trader)


def fail_next(trader, operation, result):
    """The next call of `operation` returns `result` and sends nothing: for a trader a
    request, RegisterUserSystemInfo or SubmitUserSystemInfo; for an MdApiBase one of the
    seven operations that send (SubscribeMarketData, UnSubscribeMarketData,
    SubscribeForQuoteRsp, UnSubscribeForQuoteRsp, ReqUserLogin, ReqUserLogout,
    ReqQryMulticastInstrument). With trader None and "CreateFtdcTraderApi" or
    "CreateFtdcMdApi", the next call of that factory returns null. ValueError for an
    operation of the other kind of API object than the one last created with the flow
    directory."""
    _check(_fail_next(_scope(trader), _name(operation, "operation"),
                      _c_int(result, "result")))


def throw_next(trader, operation, kind, message=""):
    """The next call of `operation` (any operation of the vendor API class, CThostFtdcTraderApi
    for a trader, CThostFtdcMdApi for an MdApiBase) throws the std:: exception named by `kind`
    ("bad_alloc", "runtime_error", "ios_base_failure", ...) carrying `message` where that type
    takes one, or for "unknown" something that is not a std::exception. Trader None arms the
    static functions (CreateFtdcTraderApi, CreateFtdcMdApi, and GetApiVersion, whose next
    call of either class throws)."""
    _check(_throw_next(_scope(trader), _name(operation, "operation"), _name(kind, "kind"),
                       _name(message, "message")))


# ----- events --------------------------------------------------------------------------------

# An event's record class and size, and its parameters as (kind, name) in the callback's
# order, the kinds being "record", "rsp_info", "int" and "bool".
_EventInfo = namedtuple("_EventInfo", "record_class record_size parameters")

_RSP_INFO_SIZE = _rsp_info_size()


@functools.lru_cache(maxsize=None)
def _event(kind, event):
    record_class, parameters = ctypes.c_char_p(), ctypes.c_char_p()
    record_size = ctypes.c_size_t()
    _check(_kind_event_info(kind, _name(event, "event"), ctypes.byref(record_class),
                            ctypes.byref(record_size), ctypes.byref(parameters)))
    return _EventInfo(record_class.value.decode(), record_size.value,
                      tuple(tuple(parameter.split(":"))
                            for parameter in parameters.value.decode().split()))


def _record_address(value, event, param, record_class, size):
    """The address of a record object the library will copy `size` bytes from, or None."""
    if value is None:
        return None
    try:
        actual = ctypes.sizeof(value)
        address = ctypes.addressof(value)
    except TypeError:
        raise TypeError(f"{event}: {param} must be a record of class {record_class} or None, "
                        f"not {type(value).__name__}") from None
    if actual < size:
        raise TypeError(f"{event}: {param} must be a record of class {record_class} or None; "
                        f"{type(value).__name__} has {actual} bytes where {record_class} "
                        f"has {size}")
    return address


def _kind(trader, directory):
    """The kind of API object `trader` names: by its class, or for a flow directory by the
    object last created with it; None when none was."""
    if _is_md_api(trader):
        return _MARKET_DATA
    if not isinstance(trader, (str, bytes, bytearray)):
        return _TRADER
    kind = ctypes.c_int()
    if _api_kind(directory, ctypes.byref(kind)) != 0:
        return None
    return kind.value


def _event_of(kind, event):
    """The event's description in the kind's table; without a kind, in whichever table has
    it, so that the library reports the missing object rather than the event."""
    if kind is not None:
        return _event(kind, event)
    try:
        return _event(_TRADER, event)
    except ValueError:
        return _event(_MARKET_DATA, event)


def emit(trader, event, *args, count=1):
    """The API object's thread raises `event` `count` times with `args`, given as the event's
    vendor signature takes them: record objects of Quorvan.CTP.ApiStruct or None for a null
    pointer, a RspInfoField or None, ints, bools. Returns once the last callback has returned.
    The records are copied before delivery. Called from inside a handler on the object's own
    thread, it delivers inline. The event is one of the object's class: a trader's
    (CThostFtdcTraderSpi) for a trader, one of the 13 of CThostFtdcMdSpi for an MdApiBase;
    ValueError for the other's."""
    directory = _flow_directory(trader)
    info = _event_of(_kind(trader, directory), event)
    parameters = info.parameters
    if len(args) != len(parameters):
        signature = ", ".join(name for _, name in parameters)
        raise TypeError(f"{event}({signature}) takes {len(parameters)} argument"
                        f"{'' if len(parameters) == 1 else 's'}, {len(args)} given")
    record = rsp_info = None
    number = is_last = 0
    for (kind, name), value in zip(parameters, args):
        if kind == "record":
            record = _record_address(value, event, name, info.record_class, info.record_size)
        elif kind == "rsp_info":
            rsp_info = _record_address(value, event, name, "RspInfoField", _RSP_INFO_SIZE)
        elif kind == "bool":
            is_last = int(bool(operator.index(value)))
        else:
            number = _c_int(value, f"{event}: {name}")
    count = operator.index(count)
    if not 0 <= count <= _LONG_LONG_MAX:
        raise ValueError(f"count must be between 0 and {_LONG_LONG_MAX}, not {count}")
    _check(_emit(directory, event.encode("utf-8"), record, rsp_info, number, is_last, count))


def disconnect(trader, reason=0x1001, reconnect_after=0.1):
    """The API object's connection (a trader's, or an MdApiBase's, whose subscriptions go with
    it) drops: the requests it accepted before reach the broker and what the broker sent is
    raised, then its thread raises OnFrontDisconnected(reason), and this returns once that
    callback has returned. Requests return -1 until, after
    `reconnect_after` seconds, the thread reconnects and raises OnFrontConnected; with None the
    connection stays down."""
    reason = _c_int(reason, "reason")
    if reconnect_after is None:
        delay = -1.0
    elif not isinstance(reconnect_after, numbers.Real):
        raise TypeError("reconnect_after must be a number of seconds or None, "
                        f"not {type(reconnect_after).__name__}")
    else:
        delay = float(reconnect_after)
        if not (math.isfinite(delay) and delay >= 0):
            raise ValueError("reconnect_after must be a finite number of seconds, at least 0, "
                             f"or None to stay disconnected; not {reconnect_after!r}")
    _check(_disconnect(_flow_directory(trader), reason, delay))


# ----- the simulated broker ------------------------------------------------------------------

def _front(front):
    """The address a trader with that front registers, as the bytes the library keys on."""
    if front is None:
        return None
    if isinstance(front, (bytes, bytearray)):
        address = bytes(front)
    elif isinstance(front, str):
        address = to_bytes(front)
    elif _is_md_api(front):
        # The broker whose markets its market-data front publishes.
        return _published_front(_front(front.md_server))
    else:
        address = getattr(front, "td_server", None)
        if not isinstance(address, bytes):
            raise TypeError("front must be a trader or MdApiBase object, or a front address "
                            f"as str or bytes, not {type(front).__name__}")
    # The extension registers every address that lacks it with this prefix.
    if not address.startswith(b"tcp://"):
        address = b"tcp://" + address
    if b"\0" in address:
        raise ValueError(f"the front address {address!r} contains a NUL byte")
    return address


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
              and 0 < count <= _INT_MAX):
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


def _md_front_entry(md_front):
    if not isinstance(md_front, (str, bytes, bytearray)):
        raise TypeError(f"md_front must be a front address as str or bytes, "
                        f"not {type(md_front).__name__}")
    if not md_front:
        raise ValueError("md_front must be a front address, not empty")
    return b"md_front address=" + urllib.parse.quote(_front(md_front), safe="").encode("ascii")


def configure(front=None, *, accounts=None, instruments=None, exchanges=None, limits=_UNCHANGED,
              store=None, trading_day=None, md_front=None, reset=False):
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
    price_tick by the product's usual band, 10% for a new instrument).

    exchanges: {exchange_id: dict(market_orders=True or False)}, whether the exchange takes
    market orders; by default DCE, CZCE, CFFEX and GFEX do, SHFE and INE (and any other
    exchange) do not.

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

    trading_day: the trading day the broker starts in, a weekday as "YYYYMMDD" (the login's
    TradingDay and every record's); by default the local date when the broker is made. See
    settle for the days that follow.

    md_front: the address of a market-data front (str or bytes, "tcp://" added where it
    lacks it) that publishes this broker's markets to the MdApiBase objects registered with
    it, besides the front's own address, which always does. A front names one at a time: a
    new md_front replaces the one named before, and one omitted (None) keeps it. ValueError
    for a market-data front already named for another front, or with front None. See
    "Market data" in help(Quorvan.sim).

    The changes apply to the broker's current configuration, or with reset=True to the
    built-in one (no accounts, the default instruments and exchanges, the vendor's limits).
    ValueError, changing nothing, for a field or value the broker does not take."""
    text = _config_text(accounts, instruments, exchanges)
    if limits is not _UNCHANGED:
        text = b"\n".join(filter(None, (text, _limits_entry(limits).encode("ascii"))))
    if front is not None or store is not None:
        text = b"\n".join(filter(None, (text, _store_entry(store))))
    if trading_day is not None:
        text = b"\n".join(filter(None, (text, _calendar_entry(trading_day).encode("ascii"))))
    if md_front is not None:
        text = b"\n".join(filter(None, (text, _md_front_entry(md_front))))
    _check(_configure(_front(front), text, int(bool(reset))))


def _price_pointer(value, what):
    if value is None:
        return None
    if isinstance(value, bool) or not isinstance(value, numbers.Real):
        raise TypeError(f"{what} must be a price or None, not {type(value).__name__}")
    return ctypes.pointer(ctypes.c_double(float(value)))


def _volume_pointer(value, what):
    if value is None:
        return None
    return ctypes.pointer(ctypes.c_int(_c_int(value, what)))


def _move_market(front, instrument, *, bid=None, ask=None, last=None, bid_volume=None,
                 ask_volume=None, upper_limit=None, lower_limit=None, volume=None,
                 turnover=None, open_interest=None, time=None):
    """set_market with the exchange's time of the move (a datetime), as a replay gives it."""
    day = clock = None
    millisec = 0
    if time is not None:
        day = f"{time:%Y%m%d}".encode("ascii")
        clock = f"{time:%H:%M:%S}".encode("ascii")
        millisec = time.microsecond // 1000
    _check(_set_market_at(
        front, instrument,
        _price_pointer(bid, "bid"), _price_pointer(ask, "ask"), _price_pointer(last, "last"),
        _volume_pointer(bid_volume, "bid_volume"), _volume_pointer(ask_volume, "ask_volume"),
        _price_pointer(upper_limit, "upper_limit"), _price_pointer(lower_limit, "lower_limit"),
        _volume_pointer(volume, "volume"), _price_pointer(turnover, "turnover"),
        _price_pointer(open_interest, "open_interest"), day, clock, millisec))


def set_market(instrument, *, bid=None, ask=None, last=None, bid_volume=None,
               ask_volume=None, upper_limit=None, lower_limit=None, volume=None,
               turnover=None, open_interest=None, front=None):
    """Moves the market of `instrument` at the broker of `front` (a trader, an MdApiBase, or
    a front address), or with front None at every broker and for brokers made from now on.
    Values left None keep theirs; a price of 0 leaves that side empty. bid_volume and
    ask_volume are the lots at the best bid and ask, which each fill against them takes away.
    volume (lots), turnover and open_interest are the exchange's figures for the day so far,
    which the market reports as they are given (the broker's own fills do not change them).
    The move is stamped with the local time, and a new last price counts into the day's open,
    high and low.

    Every market-data object subscribed to the instrument at a front publishing the broker
    receives the moved market as OnRtnDepthMarketData, the record market() reads, before
    this returns (see "Market data" in help(Quorvan.sim)).

    Resting orders the new market crosses fill at its bid or ask, best price first and, at
    one price, earliest first, across all traders of the broker, until the volume there is
    taken; what is left of an order keeps resting. A new last price then triggers the
    conditional orders whose condition it meets. The events are posted to the traders'
    threads before this returns.

    ValueError, moving nothing, for an instrument not listed, a price off the tick, a bid at
    or above the ask, a negative volume, turnover or open interest, a lower_limit not below
    the upper_limit, or a bid, ask or last outside the limits."""
    _move_market(_front(front), to_bytes(instrument), bid=bid, ask=ask, last=last,
                 bid_volume=bid_volume, ask_volume=ask_volume, upper_limit=upper_limit,
                 lower_limit=lower_limit, volume=volume, turnover=turnover,
                 open_interest=open_interest)


def market(instrument, front=None):
    """The market of `instrument` at the broker of `front` (a trader, an MdApiBase, or a front
    address), or with front None in the configuration brokers start from, as the
    DepthMarketDataField record a query of its depth market data answers and a market-data
    front publishes: the broker's trading day, the time of the last move (now, for a market
    not moved today), the best bid and ask with their lots, the last price, the day's open,
    high and low, volume, turnover and open interest, the daily limits and yesterday's
    settlement. ValueError for an instrument not listed there."""
    record = DepthMarketDataField()
    _check(_market(_front(front), to_bytes(instrument), ctypes.addressof(record),
                   ctypes.sizeof(record)))
    return record


# How long one wait of the library lasts before a waiter looks at its stop flag again.
_WAIT_SLICE = 0.05


def _deliveries_waited(front, stopped, timeout=None):
    """Waits as wait_delivered does, in slices, until done (True) or `stopped` is set or the
    timeout passed (False)."""
    deadline = None if timeout is None else time.monotonic() + timeout
    while not stopped():
        remaining = _WAIT_SLICE if deadline is None else min(_WAIT_SLICE,
                                                             deadline - time.monotonic())
        if remaining <= 0:
            return False
        code = _wait_delivered(front, remaining)
        if code == 0:
            return True
        if code != -7:
            _check(code)
    return False


def wait_delivered(front=None, timeout=None):
    """Waits until every running API object of `front` (a trader, an MdApiBase, or a front
    address; every object with None) has delivered what was posted to it, the market-data
    objects of the market-data fronts publishing its broker included: the events raised with their
    handlers returned, the requests it accepted (those its handlers sent included) answered
    and those answers delivered in turn. After set_market, its fills have then reached the
    handlers, its ticks the subscribers' handlers, and whatever they sent about them has been
    answered. Requests that other threads
    send meanwhile are not waited for. TimeoutError after `timeout` seconds (None waits as
    long as it takes); ValueError inside a handler of such an object, which would wait for
    itself."""
    if timeout is not None:
        if isinstance(timeout, bool) or not isinstance(timeout, numbers.Real):
            raise TypeError(f"timeout must be a number of seconds or None, "
                            f"not {type(timeout).__name__}")
        if not (math.isfinite(timeout) and timeout >= 0):
            raise ValueError(f"timeout must be a finite number of seconds, at least 0, or None; "
                             f"not {timeout!r}")
    if not _deliveries_waited(_front(front), lambda: False, timeout):
        raise TimeoutError(f"the API objects had not delivered everything posted to them after "
                           f"{timeout} seconds")


# ----- replay --------------------------------------------------------------------------------

# The columns (or keys) a replayed tick must have; others are ignored.
_TICK_FIELDS = ("time", "instrument_id", "last", "bid", "ask", "bid_volume", "ask_volume")

_TICK_TIME = re.compile(
    r"(\d{4})-(\d{2})-(\d{2})[T ](\d{2}):(\d{2}):(\d{2})(?:[.,](\d{1,9}))?")

# The columns (or keys) a replayed tick may have besides: the exchange's figures for the day.
_TICK_FIGURES = ("volume", "turnover", "open_interest")

# A tick as it is played: where it came from (for messages), its time, and the market.
_Tick = namedtuple("_Tick", "where time instrument last bid ask bid_volume ask_volume "
                            "volume turnover open_interest")


def _tick_time(value):
    if isinstance(value, datetime.datetime):
        if value.tzinfo is not None:
            raise ValueError(f"time {value!r} has a time zone: give the exchange's local time")
        return value
    if not isinstance(value, str):
        raise ValueError(f"time must be an ISO date and time, not {type(value).__name__}")
    match = _TICK_TIME.fullmatch(value.strip())
    if not match:
        raise ValueError(f"time {value!r} is not an ISO date and time "
                         "(YYYY-MM-DD HH:MM:SS, a fraction of a second allowed)")
    *fields, fraction = match.groups()
    microseconds = int((fraction or "0").ljust(6, "0")[:6])
    try:
        return datetime.datetime(*map(int, fields), microseconds)
    except ValueError as error:
        raise ValueError(f"time {value!r}: {error}") from None


def _tick_price(value, name):
    if isinstance(value, str):
        try:
            number = float(value)
        except ValueError:
            raise ValueError(f"{name} {value!r} is not a number") from None
    elif isinstance(value, numbers.Real) and not isinstance(value, bool):
        number = float(value)
    else:
        raise ValueError(f"{name} must be a number, not {type(value).__name__}")
    if not (math.isfinite(number) and number >= 0):
        raise ValueError(f"{name} {value!r} is not a price (0 for an empty side)")
    return number


def _tick_volume(value, name):
    if isinstance(value, str):
        try:
            number = int(value.strip())
        except ValueError:
            raise ValueError(f"{name} {value!r} is not a whole number of lots") from None
    elif isinstance(value, numbers.Integral) and not isinstance(value, bool):
        number = int(value)
    else:
        raise ValueError(f"{name} must be a whole number of lots, not {type(value).__name__}")
    if not 0 <= number <= _INT_MAX:
        raise ValueError(f"{name} {value!r} is not a count of lots")
    return number


def _tick(row, where):
    """The tick of one row (a dict); ValueError for a row that is not one."""
    if not isinstance(row, Mapping):
        raise ValueError(f"a tick is a dict, not {type(row).__name__}")
    missing = [name for name in _TICK_FIELDS if row.get(name) is None]
    if missing:
        raise ValueError(f"no {', '.join(missing)}")
    instrument = row["instrument_id"]
    if isinstance(instrument, str):
        instrument = instrument.strip()
    if not isinstance(instrument, (str, bytes)) or not instrument:
        raise ValueError(f"instrument_id {instrument!r} is not an instrument")
    # The library reads ids as C strings: one holding a NUL would name another instrument.
    if ("\0" if isinstance(instrument, str) else b"\0") in instrument:
        raise ValueError(f"instrument_id {instrument!r} holds a NUL character")
    # An empty cell of an optional column is a figure the recording does not have.
    volume, turnover, open_interest = (
        None if row.get(name) in (None, "") else
        (_tick_volume if name == "volume" else _tick_price)(row[name], name)
        for name in _TICK_FIGURES)
    return _Tick(where, _tick_time(row["time"]), to_bytes(instrument),
                 _tick_price(row["last"], "last"), _tick_price(row["bid"], "bid"),
                 _tick_price(row["ask"], "ask"), _tick_volume(row["bid_volume"], "bid_volume"),
                 _tick_volume(row["ask_volume"], "ask_volume"), volume, turnover, open_interest)


# A line longer than this is no row of ticks: refusing it keeps a file without line ends (or
# with a runaway field) from being read whole into memory.
_LINE_LIMIT = 1 << 20

# The file is decoded with surrogateescape, which puts a byte that is not UTF-8 in the text as
# one of these, so that the line holding it can be named when its row is reached.
_NOT_UTF8 = re.compile("[\udc80-\udcff]")


class _BadLine(ValueError):
    """A line of a tick file that is no text, raised through the csv reader."""

    def __init__(self, line, reason):
        super().__init__(reason)
        self.line = line


def _count_lines(fd):
    """The lines of an open file as an editor numbers them (ended by \\n, \\r\\n or \\r, the
    last one perhaps unended), read in blocks beside whoever else reads it."""
    lines = offset = 0
    last = b""
    while True:
        block = os.pread(fd, 1 << 20, offset)
        if not block:
            break
        lines += block.count(b"\n") + block.count(b"\r") - block.count(b"\r\n")
        if last == b"\r" and block[:1] == b"\n":
            lines -= 1
        offset += len(block)
        last = block[-1:]
    return lines + (last not in (b"", b"\n", b"\r"))


class _CsvTicks:
    """The rows of a CSV file of ticks, each named by the lines it spans as an editor numbers
    them. The file is decoded a line at a time, so that a line that is not UTF-8, holds a NUL
    or runs on past _LINE_LIMIT is refused when its row is reached, after the rows before it
    have played. The header is read at once, so that a file without the columns is refused
    before anything plays."""

    unit = "rows"

    def __init__(self, path):
        self.name = os.fsdecode(path)
        # utf-8-sig drops the byte-order mark that spreadsheets put before the header.
        self._file = open(path, newline="", encoding="utf-8-sig", errors="surrogateescape")
        self._lines_read = 0
        self._total = None
        try:
            # strict: a quoted field never closed, or text after its closing quote, is an error
            # rather than a cell swallowing the lines after it.
            self._reader = csv.reader(self._lines(), strict=True)
            try:
                self._header = next(self._reader, [])
            except (_BadLine, csv.Error) as error:
                raise ValueError(f"{self.name} line {getattr(error, 'line', self._lines_read)}: "
                                 f"{error}") from None
            self._header_lines = self._lines_read
            missing = [name for name in _TICK_FIELDS if name not in self._header]
            if missing:
                raise ValueError(f"{self.name}: the header names no {', '.join(missing)} "
                                 f"(it needs {', '.join(_TICK_FIELDS)})")
            twice = sorted({name for name in _TICK_FIELDS + _TICK_FIGURES
                            if self._header.count(name) > 1})
            if twice:
                raise ValueError(f"{self.name}: the header names {', '.join(twice)} more than "
                                 "once")
        except BaseException:
            self._file.close()
            raise

    def _lines(self):
        for line in iter(functools.partial(self._file.readline, _LINE_LIMIT), ""):
            self._lines_read += 1
            if len(line) == _LINE_LIMIT and line[-1] not in "\r\n":
                raise _BadLine(self._lines_read, f"the line runs on past {_LINE_LIMIT:,} "
                                                 "characters: it is no row of ticks")
            if "\0" in line:
                raise _BadLine(self._lines_read, "the line holds a NUL character")
            if not line.isascii():
                bad = _NOT_UTF8.search(line)
                if bad:
                    raise _BadLine(self._lines_read,
                                   f"byte 0x{ord(bad.group()) - 0xDC00:02X} (column "
                                   f"{bad.start() + 1}) is not UTF-8 text")
            yield line

    def _where(self, first, last):
        if first == last:
            return f"{self.name} line {first}"
        return f"{self.name} lines {first}-{last}"

    def __iter__(self):
        try:
            while True:
                first = self._lines_read + 1
                try:
                    cells = next(self._reader)
                except StopIteration:
                    return
                except _BadLine as error:
                    yield f"{self.name} line {error.line}", error
                    return
                except csv.Error as error:
                    # Where a quoted field ran over lines, the row it began is named as well.
                    yield self._where(min(first, self._lines_read), self._lines_read), error
                    return
                if not cells:
                    continue  # a blank line
                where = self._where(first, self._lines_read)
                if len(cells) != len(self._header):
                    yield where, ValueError(f"{len(cells)} cells where the header has "
                                            f"{len(self._header)} columns")
                    return
                yield where, dict(zip(self._header, cells))
        finally:
            self._file.close()

    def position(self):
        """The rows read so far and the file's rows (its lines after the header), counted
        when first asked."""
        if self._total is None:
            try:
                self._total = _count_lines(self._file.fileno()) - self._header_lines
            except OSError:
                self._total = 0  # a pipe, which cannot be read twice: no total
        return self._lines_read - self._header_lines, self._total

    def close(self):
        self._file.close()


class _ItemTicks:
    unit = "ticks"

    def __init__(self, items, total):
        self._items = items
        self._total = total
        self._taken = 0

    def __iter__(self):
        for item in self._items:
            self._taken += 1
            yield f"tick {self._taken}", item

    def position(self):
        return self._taken, self._total

    def close(self):
        close = getattr(self._items, "close", None)
        if close is not None:
            close()


def _ticks_of(source):
    if isinstance(source, (str, bytes, os.PathLike)):
        return _CsvTicks(source)
    if isinstance(source, Mapping) or not isinstance(source, Iterable):
        raise TypeError("source must be the path of a CSV file or an iterable of dicts, "
                        f"not {type(source).__name__}")
    return _ItemTicks(iter(source), len(source) if isinstance(source, Sized) else None)


def _duration(seconds):
    minutes, seconds = divmod(int(seconds + 0.5), 60)
    hours, minutes = divmod(minutes, 60)
    return f"{hours}:{minutes:02d}:{seconds:02d}"


class _Terminal:
    """What a replay says on stderr. A line saying how far a long replay has come, only when
    stderr is a terminal and once the replay has run a while, so that a short one prints
    nothing; and warnings, on lines of their own wherever stderr goes."""

    _FIRST_AFTER = 1.0
    _EVERY = 0.5

    def __init__(self, ticks):
        self._ticks = ticks
        self._stream = sys.stderr
        try:
            self._shown = self._stream is not None and self._stream.isatty()
        except (AttributeError, ValueError):
            self._shown = False
        self._started = time.monotonic()
        self._next = self._started + self._FIRST_AFTER
        self._drawn = False

    def update(self, count, tick):
        if not self._shown or time.monotonic() < self._next:
            return
        now = time.monotonic()
        self._next = now + self._EVERY
        done, total = self._ticks.position()
        if total:
            # The pace so far carries on, as good a guess as any for recorded ticks.
            left = (now - self._started) * max(0, total - done) / done if done else None
            text = (f"replay: {done:,} / {total:,} {self._ticks.unit} "
                    f"({min(100, 100 * done // total)}%)"
                    + (f", {_duration(left)} left" if left is not None else ""))
        else:
            text = f"replay: {count:,} ticks"
        self._draw(f"{text}, at {tick.time:%Y-%m-%d %H:%M:%S}")

    def finish(self, count):
        if self._drawn:
            self._draw(f"replay: {count:,} ticks", end="\n")

    def say(self, text):
        if self._stream is None:
            return
        try:
            # Over the progress line, which the next update draws again below.
            self._stream.write(("\r\x1b[K" if self._drawn else "") + text + "\n")
            self._stream.flush()
        except (OSError, ValueError):
            pass

    def _draw(self, text, end=""):
        try:
            # Back to the line's start, the text, then the rest of the line cleared.
            self._stream.write(f"\r{text}\x1b[K{end}")
            self._stream.flush()
            self._drawn = True
        except (OSError, ValueError):
            self._shown = False


# How long a replay waits on its md_queue before it says on stderr what it waits for.
_HELD_SAY_AFTER = 5.0


class Replay:
    """A replay running on its own thread, as replay() returns it."""

    def __init__(self, ticks, front, speed, md_queue):
        self._ticks = ticks
        self._front = front
        self._speed = speed
        self._md_queue = md_queue
        self._stop = threading.Event()
        self._finished = threading.Event()
        self._error = None
        self._progress = 0
        self._terminal = _Terminal(ticks)
        self._held_said = False
        self._thread = threading.Thread(target=self._run, name="Quorvan replay", daemon=True)

    @property
    def progress(self):
        """How many ticks have been played so far."""
        return self._progress

    def wait(self, timeout=None):
        """Waits for the replay to end and re-raises what ended it, if anything did: True once
        it has ended, False if `timeout` seconds passed first. RuntimeError on the replay's own
        thread (from an md_queue's put), which would wait for itself."""
        if threading.current_thread() is self._thread and not self._finished.is_set():
            raise RuntimeError("a replay cannot wait for itself: wait() from another thread")
        if not self._finished.wait(timeout):
            return False
        if threading.current_thread() is not self._thread:
            self._thread.join()
        if self._error is not None:
            raise self._error
        return True

    def stop(self):
        """Ends the replay after the tick in progress and returns once its thread has ended
        (at once when called from that thread, from an md_queue's put). No error is raised:
        wait() reports what ended it."""
        self._stop.set()
        condition = getattr(self._md_queue, "all_tasks_done", None)
        if condition is not None:
            with condition:
                condition.notify_all()
        if threading.current_thread() is not self._thread:
            self._finished.wait()
            self._thread.join()

    def _start(self):
        unfinished = getattr(self._md_queue, "unfinished_tasks", 0)
        if self._speed is None and self._awaits_task_done() and unfinished:
            # Said before the first tick, and instead of a word later: the wait these cause
            # would otherwise be blamed on the strategy's handling of this replay's ticks.
            self._held_said = True
            self._terminal.say(
                f"Quorvan.sim.replay: md_queue {self._md_queue!r} holds {unfinished:,} "
                "unfinished item(s) from before this replay, put but not yet marked done with "
                "task_done(). With speed None the replay waits after each tick until every "
                "item put to md_queue is done, so it waits for these as well.")
        with _running_lock:
            _running_replays.add(self)
        self._thread.start()

    def _run(self):
        try:
            self._play()
        except BaseException as error:  # wait() hands on whatever ended the replay
            self._error = error
        finally:
            self._ticks.close()
            self._terminal.finish(self._progress)
            with _running_lock:
                _running_replays.discard(self)
            self._finished.set()

    def _play(self):
        started = None
        previous = None
        for where, row in self._ticks:
            if self._stop.is_set():
                return
            if isinstance(row, Exception):
                raise ValueError(f"{where}: {row}") from row
            try:
                tick = _tick(row, where)
                if previous is not None and tick.time < previous:
                    raise ValueError(f"time {tick.time} is before the tick before it "
                                     f"({previous}): ticks play in time order")
            except ValueError as error:
                raise ValueError(f"{where}: {error}") from None
            previous = tick.time
            if self._speed is not None:
                if started is None:
                    started = (time.monotonic(), tick.time)
                due = started[0] + (tick.time - started[1]).total_seconds() / self._speed
                if self._stop.wait(max(0.0, due - time.monotonic())):
                    return
            self._apply(tick)
            self._progress += 1
            self._terminal.update(self._progress, tick)

    def _apply(self, tick):
        try:
            _move_market(self._front, tick.instrument, bid=tick.bid, ask=tick.ask,
                         last=tick.last, bid_volume=tick.bid_volume,
                         ask_volume=tick.ask_volume, volume=tick.volume,
                         turnover=tick.turnover, open_interest=tick.open_interest,
                         time=tick.time)
        except ValueError as error:
            raise ValueError(f"{tick.where}: {error}") from None
        keeping_up = self._speed is None
        if keeping_up:
            # The fills this tick made reach the handlers before the strategy sees the tick.
            self._delivered()
        if self._md_queue is not None:
            self._hand_on(self._market_data(tick))
            if keeping_up:
                self._strategy_done()
                self._delivered()

    def _delivered(self):
        _deliveries_waited(self._front, self._stop.is_set)

    def _hand_on(self, item):
        """Puts the tick to md_queue; a full queue.Queue is waited on in slices, so that stop()
        is not held up by a strategy that stopped taking ticks."""
        if not isinstance(self._md_queue, queue.Queue):
            self._md_queue.put(item)
            return
        say_at = self._held_say_at()
        while not self._stop.is_set():
            try:
                self._md_queue.put(item, timeout=_WAIT_SLICE)
                return
            except queue.Full:
                if say_at is not None and time.monotonic() >= say_at:
                    say_at = None
                    self._say_held(f"which is full, holding {self._md_queue.qsize():,} "
                                   "item(s) nobody takes")

    def _awaits_task_done(self):
        return (getattr(self._md_queue, "all_tasks_done", None) is not None
                and hasattr(self._md_queue, "unfinished_tasks"))

    def _strategy_done(self):
        """Waits until the strategy has called task_done for every tick it took, where the
        queue counts them (queue.Queue); the orders it sent for the tick are then out."""
        if not self._awaits_task_done():
            return
        condition = self._md_queue.all_tasks_done
        say_at = self._held_say_at()
        while True:
            with condition:
                while self._md_queue.unfinished_tasks and not self._stop.is_set():
                    if say_at is not None and time.monotonic() >= say_at:
                        unfinished = self._md_queue.unfinished_tasks
                        break
                    condition.wait(_WAIT_SLICE)
                else:
                    return
            # Said outside the queue's lock: a stderr nobody reads may block the write, and
            # the strategy must still be able to take and finish its ticks meanwhile.
            say_at = None
            self._say_held(
                f"which has {unfinished:,} unfinished item(s): with speed None the next tick "
                "plays only once every item put to md_queue is marked done, so the strategy "
                "must call md_queue.task_done() for each tick it takes")

    def _held_say_at(self):
        """When a wait that started now has lasted long enough to be worth a word: None once
        this replay has said one."""
        return None if self._held_said else time.monotonic() + _HELD_SAY_AFTER

    def _say_held(self, which):
        self._held_said = True
        self._terminal.say(f"Quorvan.sim.replay: held at tick {self._progress + 1:,} for "
                           f"{_HELD_SAY_AFTER:g} s, waiting for md_queue {self._md_queue!r}, "
                           f"{which}. stop() ends the replay.")

    def _market_data(self, tick):
        # The broker's market carries the tick's time and the day's range: the record a
        # market-data front publishes for the tick.
        return market(tick.instrument, self._front).to_dict()


_running_lock = threading.Lock()
_running_replays = set()


@atexit.register
def _stop_replays():
    """A replay left running when the interpreter exits ends here, between two ticks, rather
    than being cut off wherever its daemon thread happens to be."""
    with _running_lock:
        running = list(_running_replays)
    for replay_ in running:
        replay_.stop()


def replay(source, front=None, speed=None, md_queue=None):
    """Plays recorded ticks into the markets of the broker of `front` (a trader, or a front
    address; with None every broker's and the configuration brokers start from), in time
    order, on a thread of its own; returns its Replay at once.

    source: the path of a CSV file (UTF-8, a byte-order mark allowed) whose header names at
    least the columns time, instrument_id, last, bid, ask, bid_volume and ask_volume (others
    are ignored), each row with a cell for every column (blank lines skipped, a quoted cell
    may run over lines), or an iterable of dicts with those keys. time is the exchange's local date and time in ISO form,
    "2026-12-07 09:00:00.500" (a fraction of a second allowed; a datetime in a dict), and never
    goes back. Optional columns (or keys) volume, turnover and open_interest carry the
    exchange's figures for the day at the tick (an empty cell: none). Each tick moves its
    instrument's market as set_market does, stamped with the tick's time: resting orders it
    crosses fill, conditional orders its last price meets trigger, and every MdApiBase
    subscribed to the instrument at a market-data front publishing the broker receives it as
    OnRtnDepthMarketData (see "Market data" in help(Quorvan.sim)).

    speed: None plays as fast as the strategy keeps up: after each tick the fills it made and
    the tick itself are delivered to the front's traders and market-data objects (their
    handlers have returned, and whatever those handlers sent answered) before the tick goes
    to md_queue, and with a queue.Queue the replay then waits until the strategy
    has called task_done() for it and its orders have been answered, before the next tick: a
    backtest through the live code path, whose trades are the same on every run. It waits
    for every item put to the queue, those left unfinished from before included: held so,
    it says on stderr, once, what it waits for (at once for items from before, after 5
    seconds otherwise, and for a bounded queue that stays full). A number
    plays at that multiple of real time (2 plays a minute of ticks in 30 seconds), the ticks
    following each other as they would from an exchange, without waiting for anyone.

    md_queue: any object with put(), given each tick after it moved the market as the
    DepthMarketDataField dict (a record's to_dict(): text as bytes) of the broker's market,
    the record a market-data front publishes for it: TradingDay the broker's, ActionDay,
    UpdateTime and UpdateMillisec the tick's, the last price, bid and ask with their volumes,
    the day's figures, the limits and yesterday's settlement, and the day's open, high and
    low. It is for a strategy that takes no market data of its own: one that subscribes
    through an MdApiBase gets each tick from it and passes no md_queue here, or it would get
    each tick twice.

    The Replay's progress counts the ticks played; wait() waits for the end and re-raises what
    ended it; stop() ends it after the tick in progress. On a terminal (stderr), a replay that
    runs more than a second shows how far it has come: the rows read of a file's rows, or the
    ticks of an iterable's len(), with the percentage and the time left at the pace so far;
    the ticks played where no total is known. A malformed row (a missing or malformed field,
    a time going back, a market set_market refuses, an instrument id holding a NUL, more or
    fewer cells than the header has columns, a line that is not UTF-8, holds a NUL or runs
    on past 1,048,576 characters, a quote never closed) ends the replay before it, nothing
    of it applied, the rows before it played: wait() raises ValueError naming the file and
    line as an editor numbers it ("lines N-M" for a row over several; "tick N", counted
    from 1, for an iterable). A file without the columns or naming one twice, with a
    malformed header, or that cannot be opened, raises at once. A replay still running when
    the interpreter exits is stopped."""
    if speed is not None:
        if isinstance(speed, bool) or not isinstance(speed, numbers.Real):
            raise TypeError(f"speed must be a multiple of real time or None, "
                            f"not {type(speed).__name__}")
        if not (math.isfinite(speed) and speed > 0):
            raise ValueError(f"speed must be a positive multiple of real time or None, "
                             f"not {speed!r}")
        speed = float(speed)
    if md_queue is not None and not callable(getattr(md_queue, "put", None)):
        raise TypeError(f"md_queue must have a put method, not be {type(md_queue).__name__}")
    address = _front(front)
    handle = Replay(_ticks_of(source), address, speed, md_queue)
    handle._start()
    return handle


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
    - the trading day moves to the next weekday; each market's settlement becomes its
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
    _check(_settle(_front(front), (ctypes.c_char_p * max(count, 1))(*instruments),
                   (ctypes.c_double * max(count, 1))(*prices), count))
