"""The record methods as plain Python: the semantics the C++ record methods
(Quorvan.utils._record_methods) must reproduce exactly, value for value and error for error.
The differential test runs both over every record class.

ReferenceField is BaseField's behaviour written over ctypes' own field descriptors;
reference_class(cls) gives a record class of the same name and fields with that behaviour.
"""
import ctypes
import operator

from Quorvan.utils.base_field import ENCODING, _SECRET_FIELD

_MASK = b"***"


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
    """What ReferenceField knows of one record class, built on the class's first use."""

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

    to_dict.__doc__ = ReferenceField.to_dict.__doc__
    return to_dict


class ReferenceField(ctypes.Structure):

    def __init_subclass__(cls, **kwargs):
        super().__init_subclass__(**kwargs)
        # A subclass may add fields: it must not inherit the to_dict its base specialised.
        if "to_dict" not in cls.__dict__:
            cls.to_dict = ReferenceField.to_dict

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


def reference_class(record_class):
    """A ReferenceField class with the name and the fields of record_class."""
    return type(record_class.__name__, (ReferenceField,),
                {"_fields_": list(_declared_fields(record_class))})
