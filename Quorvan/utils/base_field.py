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
import operator
import re

ENCODING = "gb18030"

# Field names whose values a repr must never show: passwords of every kind (the vendor
# spells both "Password" and "PassWord"), authentication codes, captchas and tokens.
_SECRET_FIELD = re.compile(r"passw(?:or)?d|authcode|captcha|token|secret|key$", re.IGNORECASE)
_MASK = b"***"


def to_bytes(value):
    """Bytes for the vendor: str encoded GB18030, bytes and bytearray as they are, an int
    as its decimal text."""
    if isinstance(value, bytes):
        return value
    if isinstance(value, str):
        return value.encode(ENCODING)
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


def _encoded_text(where, value, accepts):
    if isinstance(value, str):
        try:
            return value.encode(ENCODING)
        except UnicodeEncodeError as exc:
            raise ValueError(f"{where} cannot encode {exc.object[exc.start:exc.end]!r} "
                             f"as {ENCODING}") from None
    if isinstance(value, (bytes, bytearray)):
        return bytes(value)
    raise TypeError(f"{where} takes {accepts}, not {type(value).__name__}")


def _text_setter(where, offset, size):
    room = size - 1

    def set_text(record, value):
        text = _encoded_text(where, value, "bytes or str")
        if len(text) > room:
            # The value itself is left out: the field may hold a password.
            raise ValueError(f"{where} holds at most {room} bytes, got {len(text)}")
        if b"\0" in text:
            raise ValueError(f"{where} cannot hold a NUL byte: the vendor would cut the text there")
        # The whole field is written, so that no byte of an earlier value (a longer password)
        # stays behind the NUL: ctypes would copy the text and one NUL only.
        ctypes.memmove(ctypes.addressof(record) + offset, text.ljust(size, b"\0"), size)

    return set_text


def _flag_setter(where, descriptor):
    def set_flag(record, value):
        flag = _encoded_text(where, value, "a one-character bytes such as an ApiConst constant")
        if len(flag) > 1:
            raise ValueError(f"{where} holds one character, got {len(flag)} bytes")
        descriptor.__set__(record, flag)

    return set_flag


def _int_setter(where, descriptor, lowest, highest):
    def set_int(record, value):
        try:
            number = operator.index(value)
        except TypeError:
            raise TypeError(f"{where} takes an int, not {type(value).__name__}") from None
        if not lowest <= number <= highest:
            raise OverflowError(f"{where} takes an int from {lowest} to {highest}, got {number}")
        descriptor.__set__(record, number)

    return set_int


def _double_setter(where, descriptor):
    def set_double(record, value):
        kind = type(value)
        # The number protocols only: float() would also parse a str, which is no price.
        if not (hasattr(kind, "__float__") or hasattr(kind, "__index__")):
            raise TypeError(f"{where} takes an int or a float, not {kind.__name__}")
        try:
            number = float(value)
        except OverflowError:
            raise OverflowError(f"{where} takes a value within the range of a double") from None
        descriptor.__set__(record, number)

    return set_double


def _int_bounds(ctype):
    bits = 8 * ctypes.sizeof(ctype)
    if ctype(-1).value == -1:
        return -(1 << (bits - 1)), (1 << (bits - 1)) - 1
    return 0, (1 << bits) - 1


def _tuple_reader(names):
    """One call reading every field of a record into a tuple, in the given order."""
    if len(names) > 1:
        # attrgetter makes every field read in C: this is what keeps to_dict fast.
        return operator.attrgetter(*names)
    return lambda record: tuple(getattr(record, name) for name in names)


class _Layout:
    """What BaseField knows of one record class, built on the class's first use."""

    def __init__(self, cls):
        names, decoded, self.setters = [], [], {}
        for name, ctype in _declared_fields(cls):
            names.append(name)
            decoded.append(issubclass(ctype, ctypes.Array))
            self.setters[name] = _setter(cls, name, ctype)
        self.names = tuple(names)
        self.decoded = tuple(decoded)
        self.secrets = frozenset(name for name in names if _SECRET_FIELD.search(name))
        self.read = _tuple_reader(self.names)


def _setter(cls, name, ctype):
    """The checked assignment of one field, by the field's C type."""
    where = f"{cls.__name__}.{name}"
    descriptor = getattr(cls, name)
    if issubclass(ctype, ctypes.Array) and ctype._type_ is ctypes.c_char:
        if ctype._length_ == 1:
            return _flag_setter(where, descriptor)
        return _text_setter(where, descriptor.offset, ctype._length_)
    if issubclass(ctype, ctypes._SimpleCData) and ctype._type_ in "bBhHiIlLqQ":
        return _int_setter(where, descriptor, *_int_bounds(ctype))
    if ctype is ctypes.c_double:
        return _double_setter(where, descriptor)
    hint = " (declare a one-character flag as c_char * 1)" if ctype is ctypes.c_char else ""
    raise TypeError(f"{where}: BaseField does not handle fields of type {ctype.__name__}{hint}")


def _declared_fields(cls):
    # ctypes places a base record's fields before those a subclass adds.
    for klass in reversed(cls.__mro__):
        yield from klass.__dict__.get("_fields_", ())


def _layout(cls):
    layout = cls.__dict__.get("_record_layout")
    if layout is None:
        layout = _Layout(cls)
        cls._record_layout = layout
    return layout


def _specialised_to_dict(layout):
    names, read = layout.names, layout.read

    def to_dict(self):
        return dict(zip(names, read(self)))

    to_dict.__doc__ = BaseField.to_dict.__doc__
    return to_dict


class BaseField(ctypes.Structure):
    """Base of every vendor record: keyword construction and assignment that refuse what the
    vendor would misread, to_dict(), to_str_dict(), and a repr that masks secrets."""

    def __init_subclass__(cls, **kwargs):
        super().__init_subclass__(**kwargs)
        # A subclass may add fields: it must not inherit the to_dict its base specialised.
        if "to_dict" not in cls.__dict__:
            cls.to_dict = BaseField.to_dict

    def __init__(self, *args, **fields):
        if args:
            raise TypeError(f"{type(self).__name__}() takes keyword arguments only, "
                            f"one per field")
        setters = _layout(type(self)).setters
        for name, value in fields.items():
            setter = setters.get(name)
            if setter is None:
                raise TypeError(f"{type(self).__name__}() has no field {name!r}")
            setter(self, value)

    def __setattr__(self, name, value):
        setter = _layout(type(self)).setters.get(name)
        if setter is None:
            raise AttributeError(f"{type(self).__name__} has no field {name!r}")
        setter(self, value)

    def to_dict(self):
        """A new dict of field name to value: text as bytes up to its NUL, flags as
        one-character bytes (b'' when unset), numbers as int or float."""
        # Runs once per class: every later call goes straight to the specialised version,
        # since to_dict is on the path of every vendor event.
        cls = type(self)
        specialised = _specialised_to_dict(_layout(cls))
        cls.to_dict = specialised
        return specialised(self)

    def to_str_dict(self):
        """As to_dict, with text and flags decoded from GB18030. Undecodable bytes become
        U+FFFD: the vendor sometimes cuts a message inside a character, and the event must
        still arrive."""
        layout = _layout(type(self))
        return {name: value.decode(ENCODING, "replace") if decoded else value
                for name, decoded, value in zip(layout.names, layout.decoded, layout.read(self))}

    def __repr__(self):
        layout = _layout(type(self))
        shown = ", ".join(
            f"{name}={(_MASK if value else b'') if name in layout.secrets else value!r}"
            for name, value in zip(layout.names, layout.read(self)))
        return f"{type(self).__name__}({shown})"
