"""The simulated trader library as Python reaches it: the file, loaded once, and its control
interface (simtrader's control.h) declared for ctypes in one table, with the codes it returns.
"""

import ctypes
import operator
import os
import types

LIBRARY_PATH = os.path.join(os.path.dirname(os.path.dirname(__file__)), "CTP",
                            "libthosttraderapi_se.so")

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

_char_p = ctypes.c_char_p
_char_pp = ctypes.POINTER(ctypes.c_char_p)
_void_p = ctypes.c_void_p
_int = ctypes.c_int
_int_p = ctypes.POINTER(ctypes.c_int)
_size = ctypes.c_size_t
_size_p = ctypes.POINTER(ctypes.c_size_t)
_double = ctypes.c_double
_double_p = ctypes.POINTER(ctypes.c_double)

# Every function of control.h, named without its quorvan_sim_ prefix: (result, arguments). A
# handle (quorvan_sim_calls *, quorvan_sim_host *, quorvan_sim_tick_file *) is an opaque
# c_void_p. The test of this table reads control.h and holds each row to its declaration
# there, so the two cannot drift apart.
DECLARATIONS = {
    "last_error": (_char_p, ()),
    "event_info": (_int, (_char_p, _char_pp, _size_p, _char_pp)),
    "kind_event_info": (_int, (_int, _char_p, _char_pp, _size_p, _char_pp)),
    "api_kind": (_int, (_char_p, _int_p)),
    "rsp_info_size": (_size, ()),
    "create_md_api": (_void_p, (_char_p, _int, _int)),
    "md_api_version": (_char_p, ()),
    "fail_next": (_int, (_char_p, _char_p, _int)),
    "throw_next": (_int, (_char_p, _char_p, _char_p, _char_p)),
    "emit": (_int, (_char_p, _char_p, _void_p, _void_p, _int, _int, ctypes.c_longlong)),
    "disconnect": (_int, (_char_p, _int, _double)),
    "configure": (_int, (_char_p, _char_p, _int)),
    "published_front": (_char_p, (_char_p,)),
    "set_market": (_int, (_char_p, _char_p, _double_p, _double_p, _double_p, _int_p, _int_p,
                          _double_p, _double_p)),
    "set_market_at": (_int, (_char_p, _char_p, _double_p, _double_p, _double_p, _int_p, _int_p,
                             _double_p, _double_p, _int_p, _double_p, _double_p, _char_p,
                             _char_p, _int)),
    "set_market_depth": (_int, (_char_p, _char_p, _double_p, _double_p, _double_p, _int_p,
                                _int_p, _double_p, _double_p, _int_p, _double_p, _double_p,
                                _char_p, _char_p, _int, _double_p, _int_p, _int, _double_p,
                                _int_p, _int)),
    "market": (_int, (_char_p, _char_p, _void_p, _size)),
    "wait_delivered": (_int, (_char_p, _double)),
    "settle": (_int, (_char_p, _char_pp, _double_p, _size)),
    "keep_calls": (_int, (_size,)),
    "calls_open": (_void_p, (_char_p,)),
    "calls_count": (_size, (_void_p,)),
    "call_operation": (_char_p, (_void_p, _size)),
    "call_arg_count": (_size, (_void_p, _size)),
    "call_arg_kind": (_int, (_void_p, _size, _size)),
    "call_arg_int": (ctypes.c_longlong, (_void_p, _size, _size)),
    "call_arg_bytes": (_void_p, (_void_p, _size, _size, _size_p)),
    "call_arg_text_count": (_size, (_void_p, _size, _size)),
    "call_arg_text": (_void_p, (_void_p, _size, _size, _size, _size_p)),
    "calls_close": (None, (_void_p,)),
    "host_begin": (_int, (_char_p, _double, ctypes.POINTER(_void_p))),
    "host_deliver": (_int, (_void_p,)),
    "host_release": (_int, (_void_p,)),
    "host_end": (None, (_void_p,)),
    "tick_file_open": (_int, (_int, _char_pp, _size, ctypes.c_longlong,
                              ctypes.POINTER(_void_p))),
    "tick_file_close": (None, (_void_p,)),
    "host_play_file": (_int, (_void_p, _void_p, ctypes.c_longlong, _int_p,
                              ctypes.POINTER(ctypes.c_longlong), _void_p, _size)),
}


def _declared(name, result, arguments):
    function = _lib["quorvan_sim_" + name]
    function.restype = result
    function.argtypes = arguments
    return function


# The library's functions, control.name(...) calling quorvan_sim_name. ctypes releases the
# interpreter lock around each call, which a callback raised meanwhile needs.
control = types.SimpleNamespace(**{
    name: _declared(name, result, arguments)
    for name, (result, arguments) in DECLARATIONS.items()})

# control.h's codes, by its names without the QUORVAN_SIM_ prefix. What a function returns:
OK = 0
NO_SUCH_TRADER = -1
BAD_NAME = -2
BAD_ARGUMENT = -3
NOT_DELIVERED = -4
INTERNAL = -5
BROKER_BUSY = -6
TIMED_OUT = -7
# The kinds of a logged call's arguments:
ARG_NONE, ARG_BOOL, ARG_INT, ARG_BYTES, ARG_TEXTS = range(5)
# The kinds of API object:
TRADER, MARKET_DATA = range(2)
# How host_play_file stopped:
PLAY_MORE, PLAY_END, PLAY_DECLINED = range(3)

# The failure codes as the exceptions they raise.
_ERRORS = {
    NO_SUCH_TRADER: KeyError,  # no API object with that flow directory (or it was released)
    BAD_NAME: ValueError,  # unknown operation, event or exception kind
    BAD_ARGUMENT: ValueError,  # a name or value the operation does not take
    NOT_DELIVERED: RuntimeError,  # released first, never started, or a callback threw
    INTERNAL: RuntimeError,  # the library itself failed
    BROKER_BUSY: RuntimeError,  # the broker has connected API objects
    TIMED_OUT: TimeoutError,  # what the call waits for did not happen in time
}

INT_MIN, INT_MAX = -(2 ** 31), 2 ** 31 - 1
LONG_LONG_MAX = 2 ** 63 - 1
SIZE_MAX = 2 ** (8 * ctypes.sizeof(ctypes.c_size_t)) - 1


def last_error():
    """What the calling thread's last failed call of the library said."""
    return control.last_error().decode("utf-8", "replace")


def check(code):
    """Raises the exception of a failure code, with the library's description."""
    if code != OK:
        raise _ERRORS.get(code, RuntimeError)(last_error())


def as_c_text(value, what):
    """A str argument as the NUL-terminated UTF-8 the library takes."""
    if not isinstance(value, str):
        raise TypeError(f"{what} must be a str, not {type(value).__name__}")
    if "\0" in value:
        raise ValueError(f"{what} {value!r} contains a NUL character")
    return value.encode("utf-8")


def as_c_int(value, what):
    number = operator.index(value)
    if not INT_MIN <= number <= INT_MAX:
        raise OverflowError(f"{what} {number} does not fit a C int")
    return number
