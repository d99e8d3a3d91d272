"""What passes between an API object and the broker's side, as a test plays that side: the
calls the object received, faults armed for its next calls, events raised on its thread, its
connection dropped, and the wait until what was posted to the objects has been delivered."""

import ctypes
import functools
import math
import numbers
import operator
import time
from collections import namedtuple

from ._library import (ARG_BOOL, ARG_INT, ARG_NONE, ARG_TEXTS, LONG_LONG_MAX, MARKET_DATA,
                       OK, SIZE_MAX, TIMED_OUT, TRADER, as_c_int, as_c_text, check, control,
                       last_error)
from ._naming import flow_directory, front_address, is_md_api


# ----- calls ---------------------------------------------------------------------------------

def _logged_arg(handle, call, arg):
    kind = control.call_arg_kind(handle, call, arg)
    if kind == ARG_NONE:
        return None
    if kind == ARG_BOOL:
        return bool(control.call_arg_int(handle, call, arg))
    if kind == ARG_INT:
        return control.call_arg_int(handle, call, arg)
    if kind == ARG_TEXTS:
        return tuple(_logged_text(handle, call, arg, text)
                     for text in range(control.call_arg_text_count(handle, call, arg)))
    size = ctypes.c_size_t()
    address = control.call_arg_bytes(handle, call, arg, ctypes.byref(size))
    return ctypes.string_at(address, size.value) if size.value else b""


def _logged_text(handle, call, arg, text):
    size = ctypes.c_size_t()
    address = control.call_arg_text(handle, call, arg, text, ctypes.byref(size))
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
    handle = control.calls_open(flow_directory(trader))
    if not handle:
        raise KeyError(last_error())
    try:
        return [
            (control.call_operation(handle, call).decode("ascii"),)
            + tuple(_logged_arg(handle, call, arg)
                    for arg in range(control.call_arg_count(handle, call)))
            for call in range(control.calls_count(handle))
        ]
    finally:
        control.calls_close(handle)


def keep_calls(n):
    """Each API object created from now on keeps its last `n` calls for calls() (0 keeps
    none); objects already made keep what they kept. The default is 100,000, so that the log
    of a long session stays the same size once full."""
    count = operator.index(n)
    if count < 0:
        raise ValueError(f"keep_calls takes a count of calls, not {count}")
    if count > SIZE_MAX:
        raise OverflowError(f"{count} calls do not fit a C size_t")
    check(control.keep_calls(count))


# ----- faults --------------------------------------------------------------------------------

def _scope(trader):
    return None if trader is None else flow_directory(trader)


def fail_next(trader, operation, result):
    """The next call of `operation` returns `result` and sends nothing: for a trader a
    request, RegisterUserSystemInfo or SubmitUserSystemInfo; for an MdApiBase one of the
    seven operations that send (SubscribeMarketData, UnSubscribeMarketData,
    SubscribeForQuoteRsp, UnSubscribeForQuoteRsp, ReqUserLogin, ReqUserLogout,
    ReqQryMulticastInstrument). With trader None and "CreateFtdcTraderApi" or
    "CreateFtdcMdApi", the next call of that factory returns null. ValueError for an
    operation of the other kind of API object than the one last created with the flow
    directory."""
    check(control.fail_next(_scope(trader), as_c_text(operation, "operation"),
                            as_c_int(result, "result")))


def throw_next(trader, operation, kind, message=""):
    """The next call of `operation` (any operation of the vendor API class, CThostFtdcTraderApi
    for a trader, CThostFtdcMdApi for an MdApiBase) throws the std:: exception named by `kind`
    ("bad_alloc", "runtime_error", "ios_base_failure", ...) carrying `message` where that type
    takes one, or for "unknown" something that is not a std::exception. Trader None arms the
    static functions (CreateFtdcTraderApi, CreateFtdcMdApi, and GetApiVersion, whose next
    call of either class throws)."""
    check(control.throw_next(_scope(trader), as_c_text(operation, "operation"),
                             as_c_text(kind, "kind"), as_c_text(message, "message")))


# ----- events --------------------------------------------------------------------------------

# An event's record class and size, and its parameters as (kind, name) in the callback's
# order, the kinds being "record", "rsp_info", "int" and "bool".
_EventInfo = namedtuple("_EventInfo", "record_class record_size parameters")

_RSP_INFO_SIZE = control.rsp_info_size()


@functools.lru_cache(maxsize=None)
def _event(kind, event):
    record_class, parameters = ctypes.c_char_p(), ctypes.c_char_p()
    record_size = ctypes.c_size_t()
    check(control.kind_event_info(kind, as_c_text(event, "event"), ctypes.byref(record_class),
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
    if is_md_api(trader):
        return MARKET_DATA
    if not isinstance(trader, (str, bytes, bytearray)):
        return TRADER
    kind = ctypes.c_int()
    if control.api_kind(directory, ctypes.byref(kind)) != OK:
        return None
    return kind.value


def _event_of(kind, event):
    """The event's description in the kind's table; without a kind, in whichever table has
    it, so that the library reports the missing object rather than the event."""
    if kind is not None:
        return _event(kind, event)
    try:
        return _event(TRADER, event)
    except ValueError:
        return _event(MARKET_DATA, event)


def emit(trader, event, *args, count=1):
    """The API object's thread raises `event` `count` times with `args`, given as the event's
    vendor signature takes them: record objects of Quorvan.CTP.ApiStruct or None for a null
    pointer, a RspInfoField or None, ints, bools. Returns once the last callback has returned.
    The records are copied before delivery. Called from inside a handler on the object's own
    thread, it delivers inline. The event is one of the object's class: a trader's
    (CThostFtdcTraderSpi) for a trader, one of the 13 of CThostFtdcMdSpi for an MdApiBase;
    ValueError for the other's."""
    directory = flow_directory(trader)
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
            number = as_c_int(value, f"{event}: {name}")
    count = operator.index(count)
    if not 0 <= count <= LONG_LONG_MAX:
        raise ValueError(f"count must be between 0 and {LONG_LONG_MAX}, not {count}")
    check(control.emit(directory, event.encode("utf-8"), record, rsp_info, number, is_last, count))


def disconnect(trader, reason=0x1001, reconnect_after=0.1):
    """The API object's connection (a trader's, or an MdApiBase's, whose subscriptions go with
    it) drops: the requests it accepted before reach the broker and what the broker sent is
    raised, then its thread raises OnFrontDisconnected(reason), and this returns once that
    callback has returned. Requests return -1 until, after
    `reconnect_after` seconds, the thread reconnects and raises OnFrontConnected; with None the
    connection stays down."""
    reason = as_c_int(reason, "reason")
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
    check(control.disconnect(flow_directory(trader), reason, delay))



# ----- deliveries ----------------------------------------------------------------------------

# How long one wait of the library lasts before a waiter looks at its stop flag again.
WAIT_SLICE = 0.05


def deliveries_waited(front, stopped, timeout=None):
    """Waits as wait_delivered does, in slices, until done (True) or `stopped` is set or the
    timeout passed (False)."""
    deadline = None if timeout is None else time.monotonic() + timeout
    while not stopped():
        remaining = WAIT_SLICE if deadline is None else min(WAIT_SLICE,
                                                            deadline - time.monotonic())
        if remaining <= 0:
            return False
        code = control.wait_delivered(front, remaining)
        if code == OK:
            return True
        if code != TIMED_OUT:
            check(code)
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
    if not deliveries_waited(front_address(front), lambda: False, timeout):
        raise TimeoutError(f"the API objects had not delivered everything posted to them after "
                           f"{timeout} seconds")

