"""Control of the simulated trader library, the libthosttraderapi_se.so built from simtrader/.

Tests play the broker's side of a session with these functions: read what an API object
received (calls), make its next calls fail or throw (fail_next, throw_next), raise events on
its thread (emit) and drop its connection (disconnect).

An API object is named by its trader, whose API object was created with the flow directory
``trader.flow_path + "td.con/"``, or by that flow directory itself as a str (or bytes), which
also names an object not created yet: faults armed for it wait for the next object created
with that directory.

The library is loaded from the very file the extension links, so both see the same objects.
Each call releases the interpreter lock while the library works, which a callback raised
meanwhile needs.
"""

import ctypes
import functools
import math
import numbers
import operator
import os
from collections import namedtuple

from Quorvan.utils.base_field import to_bytes

__all__ = ["calls", "fail_next", "throw_next", "emit", "disconnect"]

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

_last_error = _declare("quorvan_sim_last_error", ctypes.c_char_p)
_event_info = _declare(
    "quorvan_sim_event_info", ctypes.c_int,
    ctypes.c_char_p, _c_char_pp, _c_char_pp, _c_size_p, _c_char_pp)
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
_calls_close = _declare("quorvan_sim_calls_close", None, ctypes.c_void_p)

# The library's failure codes (control.h) as the exceptions they raise.
_ERRORS = {
    -1: KeyError,  # no API object with that flow directory (or it was released)
    -2: ValueError,  # unknown operation, event or exception kind
    -3: ValueError,  # a name or value the operation does not take
    -4: RuntimeError,  # not delivered: released first, never started, or a callback threw
    -5: RuntimeError,  # the library itself failed
}

# The kinds of a logged call's arguments (control.h), as Python values.
_ARG_NONE, _ARG_BOOL, _ARG_INT, _ARG_BYTES = range(4)

_INT_MIN, _INT_MAX = -(2 ** 31), 2 ** 31 - 1
_LONG_LONG_MAX = 2 ** 63 - 1


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


def _flow_directory(trader):
    """The flow directory an API object was created with, as the bytes the library keys on."""
    if isinstance(trader, (bytes, bytearray)):
        directory = bytes(trader)
    elif isinstance(trader, str):
        directory = to_bytes(trader)
    else:
        flow_path = getattr(trader, "flow_path", None)
        if not isinstance(flow_path, str):
            raise TypeError(
                "trader must be a trader object (with a str flow_path) or the flow directory "
                f"of its API object as str, not {type(trader).__name__}")
        # What the extension hands the factory for this trader.
        directory = to_bytes(flow_path + "td.con" + os.path.sep)
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
    size = ctypes.c_size_t()
    address = _call_arg_bytes(handle, call, arg, ctypes.byref(size))
    return ctypes.string_at(address, size.value) if size.value else b""


def calls(trader):
    """Every operation the API object received, in order, as tuples such as ("Init",),
    ("RegisterFront", b"tcp://..."), ("ReqOrderInsert", record_bytes, request_id).

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


# ----- faults --------------------------------------------------------------------------------

def _scope(trader):
    return None if trader is None else _flow_directory(trader)


def fail_next(trader, operation, result):
    """The next call of `operation` (a request, RegisterUserSystemInfo or
    SubmitUserSystemInfo) returns `result` and sends nothing. With trader None and
    "CreateFtdcTraderApi", the next factory call returns null."""
    _check(_fail_next(_scope(trader), _name(operation, "operation"),
                      _c_int(result, "result")))


def throw_next(trader, operation, kind, message=""):
    """The next call of `operation` (any operation of the vendor API class) throws the
    std:: exception named by `kind` ("bad_alloc", "runtime_error", "ios_base_failure", ...)
    carrying `message` where that type takes one, or for "unknown" something that is not a
    std::exception. Trader None arms the static functions (CreateFtdcTraderApi)."""
    _check(_throw_next(_scope(trader), _name(operation, "operation"), _name(kind, "kind"),
                       _name(message, "message")))


# ----- events --------------------------------------------------------------------------------

_EventInfo = namedtuple("_EventInfo", "shape record_class record_size param")

# The arguments each shape of events.def takes (see its header comment), as
# (kind, parameter name); None stands for the event's own parameter name from the table.
_SHAPE_PARAMETERS = {
    "FrontConnected": (),
    "IntArg": (("int", None),),
    "RspError": (("rsp_info", "pRspInfo"), ("int", "nRequestID"), ("bool", "bIsLast")),
    "Rsp": (("record", None), ("rsp_info", "pRspInfo"), ("int", "nRequestID"),
            ("bool", "bIsLast")),
    "ErrRtn": (("record", None), ("rsp_info", "pRspInfo")),
    "Rtn": (("record", None),),
}

_RSP_INFO_SIZE = _rsp_info_size()


@functools.lru_cache(maxsize=None)
def _event(event):
    shape, record_class, param = ctypes.c_char_p(), ctypes.c_char_p(), ctypes.c_char_p()
    record_size = ctypes.c_size_t()
    _check(_event_info(_name(event, "event"), ctypes.byref(shape), ctypes.byref(record_class),
                       ctypes.byref(record_size), ctypes.byref(param)))
    return _EventInfo(shape.value.decode(), record_class.value.decode(), record_size.value,
                      param.value.decode())


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


def emit(trader, event, *args, count=1):
    """The API object's thread raises `event` `count` times with `args`, given as the event's
    vendor signature takes them: record objects of Quorvan.CTP.ApiStruct or None for a null
    pointer, a RspInfoField or None, ints, bools. Returns once the last callback has returned.
    The records are copied before delivery. Called from inside a handler on the object's own
    thread, it delivers inline."""
    info = _event(event)
    parameters = [(kind, info.param if name is None else name)
                  for kind, name in _SHAPE_PARAMETERS[info.shape]]
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
    _check(_emit(_flow_directory(trader), event.encode("utf-8"), record, rsp_info, number,
                 is_last, count))


def disconnect(trader, reason=0x1001, reconnect_after=0.1):
    """The API object's connection drops: its thread raises OnFrontDisconnected(reason), and
    this returns once that callback has returned. After `reconnect_after` seconds the thread
    reconnects and raises OnFrontConnected; with None the connection stays down."""
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
