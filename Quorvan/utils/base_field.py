"""Text conversions and BaseField, the base class of every vendor record.

A record class (see Quorvan.CTP.ApiStruct) is a ctypes Structure with the vendor's exact
layout, so the vendor reads and writes its memory directly. BaseField adds what a Python
program needs on top of that memory: checked keyword construction and assignment, copies
as dicts, and a repr that is safe to log.

The vendor's text is GB18030 (Chinese error messages, instrument names).

Field types a record may declare:
    c_char * N (N > 1)   text of at most N - 1 bytes: the vendor relies on the closing NUL
    c_char * 1           a one-character flag; reads as b'' when unset
    integer types        ints within the C type's range
    c_double             prices and amounts
"""
import ctypes
import re

from . import _record_methods

ENCODING = "gb18030"

# Field names whose values a repr must never show: passwords of every kind (the vendor
# spells both "Password" and "PassWord"), authentication codes, captchas and tokens.
_SECRET_FIELD = re.compile(r"passw(?:or)?d|authcode|captcha|token|secret|key$", re.IGNORECASE)


def to_bytes(value):
    """Bytes for the vendor: str encoded GB18030, bytes and bytearray as they are, an int
    as its decimal text."""
    if isinstance(value, bytes):
        return value
    if isinstance(value, str):
        # ASCII text is the same in GB18030, whose codec takes many times longer.
        return value.encode("ascii") if value.isascii() else value.encode(ENCODING)
    if isinstance(value, bytearray):
        return bytes(value)
    if isinstance(value, int):
        return b"%d" % value
    raise TypeError(f"to_bytes() takes str, bytes, bytearray or int, not {type(value).__name__}")


def to_str(value):
    """A str: str as it is, bytes and bytearray decoded from GB18030."""
    if isinstance(value, str):
        return value
    if isinstance(value, (bytes, bytearray)):
        return value.decode(ENCODING)
    raise TypeError(f"to_str() takes str, bytes or bytearray, not {type(value).__name__}")


def _field_kind(cls, name, ctype):
    """How the record methods treat a field, by its C type."""
    if issubclass(ctype, ctypes.Array) and ctype._type_ is ctypes.c_char:
        return "flag" if ctype._length_ == 1 else "text"
    if issubclass(ctype, ctypes._SimpleCData) and ctype._type_ in "bBhHiIlLqQ":
        return "int" if ctype(-1).value == -1 else "uint"
    if ctype is ctypes.c_double:
        return "double"
    hint = " (declare a one-character flag as c_char * 1)" if ctype is ctypes.c_char else ""
    raise TypeError(f"{cls.__name__}.{name}: BaseField does not handle fields of type "
                    f"{ctype.__name__}{hint}")


def _declared_fields(cls):
    # ctypes places a base record's fields before those a subclass adds.
    for klass in reversed(cls.__mro__):
        yield from klass.__dict__.get("_fields_", ())


def _describe_fields(cls):
    """The field table of a record class, as the record methods build it once per class:
    (name, offset, size, kind, secret) for every field, base fields first."""
    return [(name, getattr(cls, name).offset, ctypes.sizeof(ctype), _field_kind(cls, name, ctype),
             bool(_SECRET_FIELD.search(name)))
            for name, ctype in _declared_fields(cls)]


class BaseField(ctypes.Structure):
    """Base of every vendor record: keyword construction and assignment that refuse what the
    vendor would misread, to_dict(), to_str_dict(), and a repr that masks secrets.

    Those five methods are implemented in C++ (Quorvan.utils._record_methods), since they
    run on every event and every request; each class's fields are read from the table
    _describe_fields gives, on the class's first use."""


_record_methods.install(BaseField, _describe_fields)
