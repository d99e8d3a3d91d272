// Quorvan.utils._record_methods: the per-field work of every record class (to_dict,
// to_str_dict, keyword construction, checked assignment and repr), done in C++ over a table
// of the class's fields. base_field hands over its BaseField class and the function that
// describes a class's fields; the table is built from that description on a class's first
// use and kept in the class's own __dict__, so a subclass that adds fields gets a table of
// its own.
#include "record_methods.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "python_support.h"

namespace {

constexpr const char *kEncoding = "gb18030";
constexpr const char *kLayoutCapsule = "Quorvan.utils._record_methods.layout";

enum class Kind { kText, kFlag, kSignedInt, kUnsignedInt, kDouble };

struct Field {
  PyRef name;
  PyRef where;  // "Class.Field", the subject of every message about the field
  Py_ssize_t offset;
  Py_ssize_t size;
  Kind kind;
  bool secret;
  // The bytes this field last read as. Consecutive events mostly repeat a text field (the
  // broker, the investor, the instrument), and bytes are immutable, so a repeat is handed
  // the same object instead of a new copy. Touched with the interpreter lock held only.
  mutable PyRef last_text;
};

struct Layout {
  std::vector<Field> fields;
  PyRef index;  // field name -> its position in fields
  // The same by the name object's identity, an open-addressed table of a power-of-two size:
  // keyword and attribute names are interned, so this finds them without hashing or
  // comparing text; a name that is equal but another object goes to `index`.
  struct Slot {
    PyObject *name = nullptr;
    size_t position = 0;
  };
  std::vector<Slot> by_identity;
  // Every field name mapped to None: a record's dict starts as a copy of it, which is
  // cheaper than growing a new dict one field at a time.
  PyRef template_dict;
  Py_ssize_t extent = 0;
  // The last record read, its bytes and a dict of its fields of our own (never handed out),
  // by whether text is decoded: the next record's dict starts as a copy of it, and only the
  // fields whose bytes differ are read again. Two records of a kind in a row mostly share
  // their fields (a tick moves a few of an instrument's 45), and the values are immutable.
  // Touched with the interpreter lock held only.
  struct LastRead {
    std::string memory;
    PyRef dict;
  };
  mutable LastRead last_read[2];
  // A kind with a password keeps no copy of the last one read.
  bool has_secret = false;
};

// What base_field installed; set once by install() and kept for the life of the process.
PyTypeObject *base_class = nullptr;
PyObject *describe_fields = nullptr;
PyObject *to_dict_method = nullptr;
PyObject *to_str_dict_method = nullptr;
PyCFunction stock_from_address = nullptr;

PyRef class_name(PyTypeObject *cls) {
  return PyRef(PyObject_GetAttr(reinterpret_cast<PyObject *>(cls), QV_NAME("__name__")));
}

PyRef type_name(PyObject *object) { return class_name(Py_TYPE(object)); }

void release_layout(PyObject *capsule) {
  delete static_cast<Layout *>(PyCapsule_GetPointer(capsule, kLayoutCapsule));
}

Kind parse_kind(PyObject *kind) {
  static const struct {
    const char *name;
    Kind kind;
  } kinds[] = {{"text", Kind::kText},
               {"flag", Kind::kFlag},
               {"int", Kind::kSignedInt},
               {"uint", Kind::kUnsignedInt},
               {"double", Kind::kDouble}};
  for (const auto &entry : kinds) {
    if (PyUnicode_CompareWithASCIIString(kind, entry.name) == 0) {
      return entry.kind;
    }
  }
  PyErr_Format(PyExc_ValueError, "unknown field kind %R", kind);
  return Kind::kText;
}

// One row of the description: (name, offset, size, kind, secret).
bool add_field(Layout &layout, PyObject *class_name, PyObject *row) {
  PyObject *name, *kind;
  Py_ssize_t offset, size;
  int secret;
  if (!PyArg_ParseTuple(row, "UnnUp", &name, &offset, &size, &kind, &secret)) {
    return false;
  }
  Field field{PyRef::borrowed(name),
              PyRef(PyUnicode_FromFormat("%U.%U", class_name, name)),
              offset,
              size,
              parse_kind(kind),
              secret != 0,
              PyRef()};
  if (PyErr_Occurred() || !field.where) {
    return false;
  }
  const bool integral = field.kind == Kind::kSignedInt || field.kind == Kind::kUnsignedInt;
  if (offset < 0 || size < 1 || (integral && size != 1 && size != 2 && size != 4 && size != 8) ||
      (field.kind == Kind::kDouble && size != sizeof(double)) ||
      (field.kind == Kind::kFlag && size != 1)) {
    PyErr_Format(PyExc_ValueError, "%U: no %U field of %zd bytes", field.where.get(), kind, size);
    return false;
  }
  PyRef position(PyLong_FromSsize_t(static_cast<Py_ssize_t>(layout.fields.size())));
  if (!position || PyDict_SetItem(layout.index.get(), name, position.get()) < 0 ||
      PyDict_SetItem(layout.template_dict.get(), name, Py_None) < 0) {
    return false;
  }
  layout.extent = std::max(layout.extent, offset + size);
  layout.has_secret = layout.has_secret || field.secret;
  layout.fields.push_back(std::move(field));
  return true;
}

size_t identity_hash(PyObject *name) { return reinterpret_cast<uintptr_t>(name) >> 4; }

void index_by_identity(Layout &layout) {
  size_t size = 8;
  while (size < 2 * layout.fields.size()) {
    size *= 2;
  }
  layout.by_identity.assign(size, {});
  for (size_t position = 0; position < layout.fields.size(); ++position) {
    PyObject *name = layout.fields[position].name.get();
    size_t slot = identity_hash(name) & (size - 1);
    while (layout.by_identity[slot].name != nullptr) {
      slot = (slot + 1) & (size - 1);
    }
    layout.by_identity[slot] = {name, position};
  }
}

// The class's table, made now from base_field's description of its fields and stored in the
// class as _record_layout. The capsule returned keeps the table alive while a method runs,
// even if a value's conversion rebinds the class attribute meanwhile.
PyRef build_layout(PyObject *cls, Layout **out) {
  PyRef rows(PyObject_CallFunctionObjArgs(describe_fields, cls, nullptr));
  PyRef sequence =
      rows ? PyRef(PySequence_Fast(rows.get(), "the field description is no list")) : PyRef();
  PyRef class_name = sequence ? PyRef(PyObject_GetAttr(cls, QV_NAME("__name__"))) : PyRef();
  if (!class_name) {
    return {};
  }
  auto layout = std::make_unique<Layout>();
  layout->index.reset(PyDict_New());
  layout->template_dict.reset(PyDict_New());
  if (!layout->index || !layout->template_dict) {
    return {};
  }
  for (Py_ssize_t i = 0; i < PySequence_Fast_GET_SIZE(sequence.get()); ++i) {
    if (!add_field(*layout, class_name.get(), PySequence_Fast_GET_ITEM(sequence.get(), i))) {
      return {};
    }
  }
  index_by_identity(*layout);
  PyRef capsule(PyCapsule_New(layout.get(), kLayoutCapsule, release_layout));
  if (!capsule) {
    return {};
  }
  *out = layout.release();
  if (PyObject_SetAttr(cls, QV_NAME("_record_layout"), capsule.get()) < 0) {
    return {};
  }
  return capsule;
}

// The table of the object's own class (never a base's: a subclass may add fields).
PyRef layout_of(PyTypeObject *cls, Layout **out) {
  // The last class's table, by the version tag the class had then: storing another
  // _record_layout in the class (or changing any attribute of it or of a base) gives it a new
  // tag, and tags are never reused, so a hit is the capsule the class's dict holds now.
  // Records of one kind come by the thousand. Touched with the interpreter lock held only.
  static PyTypeObject *last_class = nullptr;
  static unsigned int last_tag = 0;
  static PyObject *last_capsule = nullptr;
  if (cls == last_class && PyType_HasFeature(cls, Py_TPFLAGS_VALID_VERSION_TAG) &&
      cls->tp_version_tag == last_tag) {
    *out = static_cast<Layout *>(PyCapsule_GetPointer(last_capsule, kLayoutCapsule));
    return PyRef::borrowed(last_capsule);
  }
  PyObject *stored = PyDict_GetItemWithError(cls->tp_dict, QV_NAME("_record_layout"));
  if (stored != nullptr && PyCapsule_IsValid(stored, kLayoutCapsule)) {
    *out = static_cast<Layout *>(PyCapsule_GetPointer(stored, kLayoutCapsule));
    if (PyType_HasFeature(cls, Py_TPFLAGS_VALID_VERSION_TAG)) {
      last_class = cls;
      last_tag = cls->tp_version_tag;
      last_capsule = stored;
    }
    return PyRef::borrowed(stored);
  }
  if (PyErr_Occurred()) {
    return {};
  }
  return build_layout(reinterpret_cast<PyObject *>(cls), out);
}

// The record's memory, through the buffer protocol ctypes implements. Held only while no
// Python code can run: such code could resize the object and move its memory. Or memory of
// the caller's that no Python code can reach, `fixed`, at least the layout's extent long.
class Memory {
 public:
  Memory(PyObject *record, const Layout &layout, bool writable)
      : record_(record), layout_(layout), writable_(writable) {}
  Memory(char *fixed, const Layout &layout)
      : record_(nullptr), layout_(layout), writable_(true), fixed_(fixed) {}
  ~Memory() { release(); }
  Memory(const Memory &) = delete;
  Memory &operator=(const Memory &) = delete;

  // The memory, or null with an error set.
  char *data() {
    if (fixed_ != nullptr) {
      return fixed_;
    }
    if (held_) {
      return static_cast<char *>(view_.buf);
    }
    if (PyObject_GetBuffer(record_, &view_, writable_ ? PyBUF_WRITABLE : PyBUF_SIMPLE) < 0) {
      return nullptr;
    }
    held_ = true;
    if (view_.len < layout_.extent) {
      PyErr_Format(PyExc_TypeError, "%.200s object has %zd bytes of memory, its fields need %zd",
                   Py_TYPE(record_)->tp_name, view_.len, layout_.extent);
      release();
      return nullptr;
    }
    return static_cast<char *>(view_.buf);
  }

  void release() {
    if (held_) {
      held_ = false;
      PyBuffer_Release(&view_);
    }
  }

 private:
  PyObject *record_;
  const Layout &layout_;
  bool writable_;
  char *fixed_ = nullptr;
  Py_buffer view_{};
  bool held_ = false;
};

template <typename T>
T load(const char *at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

template <typename T>
void store(char *at, T value) {
  std::memcpy(at, &value, sizeof value);
}

PyObject *read_text(const Field &field, const char *at, Py_ssize_t length) {
  // Empty and one-byte bytes are the interpreter's own shared objects already.
  if (length < 2) {
    return PyBytes_FromStringAndSize(at, length);
  }
  PyObject *last = field.last_text.get();
  if (last != nullptr && PyBytes_GET_SIZE(last) == length &&
      std::memcmp(PyBytes_AS_STRING(last), at, length) == 0) {
    return Py_NewRef(last);
  }
  PyObject *text = PyBytes_FromStringAndSize(at, length);
  if (text != nullptr) {
    field.last_text.reset(Py_NewRef(text));
  }
  return text;
}

PyObject *read_field(const Field &field, const char *memory, bool decode_text) {
  const char *at = memory + field.offset;
  switch (field.kind) {
    case Kind::kText:
    case Kind::kFlag: {
      // Text ends at its first NUL, or at the end of the field when the vendor left none.
      const auto length = static_cast<Py_ssize_t>(strnlen(at, field.size));
      return decode_text ? PyUnicode_Decode(at, length, kEncoding, "replace")
                         : read_text(field, at, length);
    }
    case Kind::kSignedInt:
      switch (field.size) {
        case 1:
          return PyLong_FromLong(load<int8_t>(at));
        case 2:
          return PyLong_FromLong(load<int16_t>(at));
        case 4:
          return PyLong_FromLong(load<int32_t>(at));
        default:
          return PyLong_FromLongLong(load<int64_t>(at));
      }
    case Kind::kUnsignedInt:
      switch (field.size) {
        case 1:
          return PyLong_FromUnsignedLong(load<uint8_t>(at));
        case 2:
          return PyLong_FromUnsignedLong(load<uint16_t>(at));
        case 4:
          return PyLong_FromUnsignedLong(load<uint32_t>(at));
        default:
          return PyLong_FromUnsignedLongLong(load<uint64_t>(at));
      }
    case Kind::kDouble:
      return PyFloat_FromDouble(load<double>(at));
  }
  return nullptr;
}

// Whether a field's bytes are the same in both: most fields are a number of 8 or 4 bytes or a
// flag of 1, compared here without a library call, as every read compares every field.
bool same_bytes(const char *a, const char *b, Py_ssize_t size) {
  switch (size) {
    case 8: {
      std::uint64_t x, y;
      std::memcpy(&x, a, 8);
      std::memcpy(&y, b, 8);
      return x == y;
    }
    case 4: {
      std::uint32_t x, y;
      std::memcpy(&x, a, 4);
      std::memcpy(&y, b, 4);
      return x == y;
    }
    case 1:
      return *a == *b;
    default:
      return std::memcmp(a, b, static_cast<std::size_t>(size)) == 0;
  }
}

PyObject *fields_dict(const Layout &layout, const char *memory, bool decode_text) {
  // Taken rather than borrowed: code a collection runs meanwhile may read a record of this
  // kind too, and then finds no last record instead of one half updated.
  Layout::LastRead last = std::move(layout.last_read[decode_text]);
  const bool from_last = last.dict && static_cast<Py_ssize_t>(last.memory.size()) == layout.extent;
  PyRef dict(PyDict_Copy(from_last ? last.dict.get() : layout.template_dict.get()));
  if (!dict) {
    return nullptr;
  }
  PyRef own(from_last ? std::move(last.dict) : PyRef(PyDict_Copy(layout.template_dict.get())));
  if (!own) {
    return nullptr;
  }
  for (const Field &field : layout.fields) {
    if (from_last &&
        same_bytes(last.memory.data() + field.offset, memory + field.offset, field.size)) {
      continue;
    }
    PyRef value(read_field(field, memory, decode_text));
    if (!value || PyDict_SetItem(dict.get(), field.name.get(), value.get()) < 0 ||
        PyDict_SetItem(own.get(), field.name.get(), value.get()) < 0) {
      return nullptr;
    }
  }
  if (!layout.has_secret) {
    last.memory.assign(memory, static_cast<std::size_t>(layout.extent));
    last.dict = std::move(own);
    layout.last_read[decode_text] = std::move(last);
  }
  return dict.release();
}

// --- assignment ---------------------------------------------------------------------------

// A value converted for one field, ready to be written. Conversion may run Python code (a
// value's __index__ or __float__), so it is done before the record's memory is taken.
struct Converted {
  PyRef owner;  // the encoded str, when the text came from one
  const char *text = nullptr;
  Py_ssize_t length = 0;
  unsigned long long bits = 0;
  double number = 0;
};

bool encoding_failed(const Field &field) {
  if (!PyErr_ExceptionMatches(PyExc_UnicodeEncodeError)) {
    return false;
  }
  PyObject *type, *value, *traceback;
  PyErr_Fetch(&type, &value, &traceback);
  PyErr_NormalizeException(&type, &value, &traceback);
  PyRef error(value);
  Py_XDECREF(type);
  Py_XDECREF(traceback);
  Py_ssize_t start, end;
  PyRef text(PyUnicodeEncodeError_GetObject(error.get()));
  if (!text || PyUnicodeEncodeError_GetStart(error.get(), &start) < 0 ||
      PyUnicodeEncodeError_GetEnd(error.get(), &end) < 0) {
    return false;
  }
  PyRef refused(PyUnicode_Substring(text.get(), start, end));
  if (refused) {
    PyErr_Format(PyExc_ValueError, "%U cannot encode %R as %s", field.where.get(), refused.get(),
                 kEncoding);
  }
  return false;
}

bool refuse_type(const Field &field, const char *accepts, PyObject *value) {
  PyRef name = type_name(value);
  if (name) {
    PyErr_Format(PyExc_TypeError, "%U takes %s, not %U", field.where.get(), accepts, name.get());
  }
  return false;
}

// The bytes of a text or flag: str encoded, bytes and bytearray as they are.
bool convert_text(const Field &field, PyObject *value, const char *accepts, Converted *out) {
  if (PyBytes_Check(value)) {
    out->text = PyBytes_AS_STRING(value);
    out->length = PyBytes_GET_SIZE(value);
    return true;
  }
  if (PyByteArray_Check(value)) {
    out->text = PyByteArray_AS_STRING(value);
    out->length = PyByteArray_GET_SIZE(value);
    return true;
  }
  if (!PyUnicode_Check(value)) {
    return refuse_type(field, accepts, value);
  }
  // ASCII text is the same in GB18030, whose codec takes many times longer; the str holds it
  // as the very bytes to write.
  if (PyUnicode_IS_ASCII(value)) {
    out->text = static_cast<const char *>(PyUnicode_DATA(value));
    out->length = PyUnicode_GET_LENGTH(value);
    return true;
  }
  out->owner.reset(PyUnicode_AsEncodedString(value, kEncoding, "strict"));
  if (!out->owner) {
    return encoding_failed(field);
  }
  out->text = PyBytes_AS_STRING(out->owner.get());
  out->length = PyBytes_GET_SIZE(out->owner.get());
  return true;
}

bool check_text(const Field &field, const Converted &text) {
  const Py_ssize_t room = field.size - 1;
  if (text.length > room) {
    // The value itself is left out: the field may hold a password.
    PyErr_Format(PyExc_ValueError, "%U holds at most %zd bytes, got %zd", field.where.get(), room,
                 text.length);
    return false;
  }
  if (std::memchr(text.text, 0, text.length) != nullptr) {
    PyErr_Format(PyExc_ValueError, "%U cannot hold a NUL byte: the vendor would cut the text there",
                 field.where.get());
    return false;
  }
  return true;
}

bool check_flag(const Field &field, const Converted &flag) {
  if (flag.length > 1) {
    PyErr_Format(PyExc_ValueError, "%U holds one character, got %zd bytes", field.where.get(),
                 flag.length);
    return false;
  }
  return true;
}

struct IntBounds {
  long long lowest;
  unsigned long long highest;
};

IntBounds int_bounds(const Field &field) {
  const int bits = static_cast<int>(8 * field.size);
  if (field.kind == Kind::kUnsignedInt) {
    return {0, bits == 64 ? ~0ULL : (1ULL << bits) - 1};
  }
  return {bits == 64 ? INT64_MIN : -(1LL << (bits - 1)),
          bits == 64 ? static_cast<unsigned long long>(INT64_MAX) : (1ULL << (bits - 1)) - 1};
}

bool int_out_of_range(const Field &field, const IntBounds &bounds, PyObject *number) {
  PyRef lowest(PyLong_FromLongLong(bounds.lowest));
  PyRef highest(PyLong_FromUnsignedLongLong(bounds.highest));
  PyRef shown(PyObject_Format(number, nullptr));
  if (lowest && highest && shown) {
    PyErr_Format(PyExc_OverflowError, "%U takes an int from %S to %S, got %U", field.where.get(),
                 lowest.get(), highest.get(), shown.get());
  }
  return false;
}

bool convert_int(const Field &field, PyObject *value, Converted *out) {
  PyRef number(PyNumber_Index(value));
  if (!number) {
    if (PyErr_ExceptionMatches(PyExc_TypeError)) {
      PyErr_Clear();
      PyRef name = type_name(value);
      if (name) {
        PyErr_Format(PyExc_TypeError, "%U takes an int, not %U", field.where.get(), name.get());
      }
    }
    return false;
  }
  const IntBounds bounds = int_bounds(field);
  int overflow = 0;
  const long long small = PyLong_AsLongLongAndOverflow(number.get(), &overflow);
  if (small == -1 && PyErr_Occurred()) {
    return false;
  }
  if (overflow == 0) {
    if (small < bounds.lowest ||
        (small >= 0 && static_cast<unsigned long long>(small) > bounds.highest)) {
      return int_out_of_range(field, bounds, number.get());
    }
    out->bits = static_cast<unsigned long long>(small);
    return true;
  }
  // Beyond a long long: only an unsigned 64-bit field has room for it.
  if (overflow < 0 || field.kind != Kind::kUnsignedInt || field.size != 8) {
    return int_out_of_range(field, bounds, number.get());
  }
  out->bits = PyLong_AsUnsignedLongLong(number.get());
  if (PyErr_Occurred()) {
    PyErr_Clear();
    return int_out_of_range(field, bounds, number.get());
  }
  return true;
}

// hasattr(): false only for an AttributeError; -1 for any other error.
int has_attribute(PyObject *object, PyObject *name) {
  PyRef found(PyObject_GetAttr(object, name));
  if (found) {
    return 1;
  }
  if (PyErr_ExceptionMatches(PyExc_AttributeError)) {
    PyErr_Clear();
    return 0;
  }
  return -1;
}

bool convert_double(const Field &field, PyObject *value, Converted *out) {
  // The number protocols only: float() would also parse a str, which is no price.
  if (!PyFloat_CheckExact(value) && !PyLong_CheckExact(value)) {
    PyObject *kind = reinterpret_cast<PyObject *>(Py_TYPE(value));
    int number_like = has_attribute(kind, QV_NAME("__float__"));
    if (number_like == 0) {
      number_like = has_attribute(kind, QV_NAME("__index__"));
    }
    if (number_like <= 0) {
      return number_like == 0 && refuse_type(field, "an int or a float", value);
    }
  }
  PyRef number(PyNumber_Float(value));
  if (!number) {
    if (PyErr_ExceptionMatches(PyExc_OverflowError)) {
      PyErr_Clear();
      PyErr_Format(PyExc_OverflowError, "%U takes a value within the range of a double",
                   field.where.get());
    }
    return false;
  }
  out->number = PyFloat_AS_DOUBLE(number.get());
  return true;
}

bool convert(const Field &field, PyObject *value, Converted *out) {
  switch (field.kind) {
    case Kind::kText:
      return convert_text(field, value, "bytes or str", out) && check_text(field, *out);
    case Kind::kFlag:
      return convert_text(field, value, "a one-character bytes such as an ApiConst constant",
                          out) &&
             check_flag(field, *out);
    case Kind::kSignedInt:
    case Kind::kUnsignedInt:
      return convert_int(field, value, out);
    case Kind::kDouble:
      return convert_double(field, value, out);
  }
  return false;
}

void write(const Field &field, char *memory, const Converted &value) {
  char *at = memory + field.offset;
  switch (field.kind) {
    case Kind::kText:
      // The whole field is written, so that no byte of an earlier value (a longer password)
      // stays behind the NUL.
      std::memcpy(at, value.text, value.length);
      std::memset(at + value.length, 0, field.size - value.length);
      return;
    case Kind::kFlag:
      *at = value.length == 1 ? value.text[0] : '\0';
      return;
    case Kind::kSignedInt:
    case Kind::kUnsignedInt:
      switch (field.size) {
        case 1:
          store(at, static_cast<uint8_t>(value.bits));
          return;
        case 2:
          store(at, static_cast<uint16_t>(value.bits));
          return;
        case 4:
          store(at, static_cast<uint32_t>(value.bits));
          return;
        default:
          store(at, static_cast<uint64_t>(value.bits));
          return;
      }
    case Kind::kDouble:
      store(at, value.number);
      return;
  }
}

// Whether converting the value may run Python code: anything but the built-in types a
// record takes may bring its own __index__, __float__ or encode.
bool may_run_python(PyObject *value) {
  return !(PyBytes_CheckExact(value) || PyUnicode_CheckExact(value) || PyLong_CheckExact(value) ||
           PyFloat_CheckExact(value) || PyBool_Check(value) || PyByteArray_CheckExact(value));
}

bool assign(Memory &memory, const Field &field, PyObject *value) {
  if (may_run_python(value)) {
    memory.release();
  }
  Converted converted;
  if (!convert(field, value, &converted)) {
    return false;
  }
  char *data = memory.data();
  if (data == nullptr) {
    return false;
  }
  write(field, data, converted);
  return true;
}

// The field called `name`, or null with no error set when the class has none.
const Field *find_field(const Layout &layout, PyObject *name) {
  const size_t mask = layout.by_identity.size() - 1;
  for (size_t slot = identity_hash(name) & mask; layout.by_identity[slot].name != nullptr;
       slot = (slot + 1) & mask) {
    if (layout.by_identity[slot].name == name) {
      return &layout.fields[layout.by_identity[slot].position];
    }
  }
  PyObject *position = PyDict_GetItemWithError(layout.index.get(), name);
  return position ? &layout.fields[PyLong_AsSsize_t(position)] : nullptr;
}

// --- the methods --------------------------------------------------------------------------

PyRef no_field(PyTypeObject *cls, PyObject *error, const char *format, PyObject *name) {
  PyRef shown = PyErr_Occurred() ? PyRef() : class_name(cls);
  if (shown) {
    PyErr_Format(error, format, shown.get(), name);
  }
  return {};
}

// One keyword of a construction: the field `name` of a new record of `cls` set to `value`.
bool assign_keyword(PyTypeObject *cls, const Layout &layout, Memory &memory, PyObject *name,
                    PyObject *value) {
  const Field *field = find_field(layout, name);
  if (field == nullptr) {
    no_field(cls, PyExc_TypeError, "%U() has no field %R", name);
    return false;
  }
  return assign(memory, *field, value);
}

int record_init(PyObject *self, PyObject *args, PyObject *kwargs) {
  if (PyTuple_GET_SIZE(args) > 0) {
    PyRef name = type_name(self);
    if (name) {
      PyErr_Format(PyExc_TypeError, "%U() takes keyword arguments only, one per field", name.get());
    }
    return -1;
  }
  Layout *layout;
  PyRef hold = layout_of(Py_TYPE(self), &layout);
  if (!hold) {
    return -1;
  }
  if (kwargs == nullptr) {
    return 0;
  }
  Memory memory(self, *layout, true);
  Py_ssize_t position = 0;
  PyObject *name, *value;
  while (PyDict_Next(kwargs, &position, &name, &value)) {
    if (!assign_keyword(Py_TYPE(self), *layout, memory, name, value)) {
      return -1;
    }
  }
  return 0;
}

int record_setattro(PyObject *self, PyObject *name, PyObject *value) {
  if (value == nullptr) {
    // del record.field: what ctypes answers.
    return PyObject_GenericSetAttr(self, name, nullptr);
  }
  Layout *layout;
  PyRef hold = layout_of(Py_TYPE(self), &layout);
  if (!hold) {
    return -1;
  }
  const Field *field = find_field(*layout, name);
  if (field == nullptr) {
    no_field(Py_TYPE(self), PyExc_AttributeError, "%U has no field %R", name);
    return -1;
  }
  Memory memory(self, *layout, true);
  return assign(memory, *field, value) ? 0 : -1;
}

PyObject *record_dict_of(PyObject *self, bool decode_text) {
  Layout *layout;
  PyRef hold = layout_of(Py_TYPE(self), &layout);
  if (!hold) {
    return nullptr;
  }
  Memory memory(self, *layout, false);
  const char *data = memory.data();
  return data ? fields_dict(*layout, data, decode_text) : nullptr;
}

PyObject *record_to_dict(PyObject *self, PyObject *) { return record_dict_of(self, false); }

PyObject *record_to_str_dict(PyObject *self, PyObject *) { return record_dict_of(self, true); }

// One "Name=value" of a repr; a secret shows only whether it is set.
PyRef shown_field(const Field &field, const char *memory) {
  PyRef value(read_field(field, memory, false));
  if (!value) {
    return {};
  }
  if (field.secret) {
    const int set = PyObject_IsTrue(value.get());
    if (set < 0) {
      return {};
    }
    return PyRef(PyUnicode_FromFormat("%U=%s", field.name.get(), set ? "b'***'" : "b''"));
  }
  return PyRef(PyUnicode_FromFormat("%U=%R", field.name.get(), value.get()));
}

PyObject *record_repr(PyObject *self) {
  Layout *layout;
  PyRef hold = layout_of(Py_TYPE(self), &layout);
  PyRef class_name = hold ? type_name(self) : PyRef();
  if (!class_name) {
    return nullptr;
  }
  // Showing a value runs no Python code: the values are ints, floats and bytes.
  Memory memory(self, *layout, false);
  const char *data = memory.data();
  PyRef shown(data ? PyList_New(0) : nullptr);
  if (!shown) {
    return nullptr;
  }
  for (const Field &field : layout->fields) {
    PyRef item = shown_field(field, data);
    if (!item || PyList_Append(shown.get(), item.get()) < 0) {
      return nullptr;
    }
  }
  PyRef separator(PyUnicode_FromString(", "));
  PyRef joined = separator ? PyRef(PyUnicode_Join(separator.get(), shown.get())) : PyRef();
  return joined ? PyUnicode_FromFormat("%U(%U)", class_name.get(), joined.get()) : nullptr;
}

PyMethodDef record_method_defs[] = {
    {"to_dict", record_to_dict, METH_NOARGS,
     "A new dict of field name to value: text as bytes up to its NUL, flags as\n"
     "one-character bytes (b'' when unset), numbers as int or float."},
    {"to_str_dict", record_to_str_dict, METH_NOARGS,
     "As to_dict, with text and flags decoded from GB18030. Undecodable bytes become\n"
     "U+FFFD: the vendor sometimes cuts a message inside a character, and the event must\n"
     "still arrive."},
    {nullptr, nullptr, 0, nullptr}};

// The slots, installed as the interpreter installs a C type's own: a wrapper descriptor in
// the class dict, which the interpreter turns back into the slot function for the class and
// every subclass, so that a construction or an assignment calls straight into C++.
struct SlotMethod {
  const char *name;
  void *function;
};
const SlotMethod slot_methods[] = {
    {"__init__", reinterpret_cast<void *>(record_init)},
    // Both names describe the one slot; with only one of them ours, the interpreter would
    // route every assignment through a lookup of __setattr__.
    {"__setattr__", reinterpret_cast<void *>(record_setattro)},
    {"__delattr__", reinterpret_cast<void *>(record_setattro)},
    {"__repr__", reinterpret_cast<void *>(record_repr)},
};

bool install_slot(PyObject *base, const SlotMethod &slot) {
  // object's own wrapper of the slot carries the interpreter's description of it.
  PyRef object_slot(
      PyObject_GetAttrString(reinterpret_cast<PyObject *>(&PyBaseObject_Type), slot.name));
  if (!object_slot) {
    return false;
  }
  if (Py_TYPE(object_slot.get()) != &PyWrapperDescr_Type) {
    PyErr_Format(PyExc_TypeError, "object.%s is no slot wrapper", slot.name);
    return false;
  }
  auto *described = reinterpret_cast<PyWrapperDescrObject *>(object_slot.get());
  PyRef wrapper(
      PyDescr_NewWrapper(reinterpret_cast<PyTypeObject *>(base), described->d_base, slot.function));
  return wrapper && PyObject_SetAttrString(base, slot.name, wrapper.get()) == 0;
}

// --- what other modules use ---------------------------------------------------------------

bool is_stock_from_address(PyObject *cls) {
  PyRef from_address(PyObject_GetAttr(cls, QV_NAME("from_address")));
  if (!from_address) {
    PyErr_Clear();
    return false;
  }
  return PyCFunction_Check(from_address.get()) &&
         PyCFunction_GetFunction(from_address.get()) == stock_from_address &&
         PyCFunction_GetSelf(from_address.get()) == cls;
}

bool is_stock_method(PyObject *cls, bool decode_text) {
  PyRef method(PyObject_GetAttr(cls, decode_text ? QV_NAME("to_str_dict") : QV_NAME("to_dict")));
  if (!method) {
    PyErr_Clear();
    return false;
  }
  return method.get() == (decode_text ? to_str_dict_method : to_dict_method);
}

bool reads_directly(PyObject *cls, bool decode_text) {
  // The last class found to read directly, by the version tag its type had then: a class
  // whose attributes (or a base's) change gets a new tag, and is looked at again. Events of
  // one kind come by the thousand, and the lookups cost more than the rest of the check.
  // Touched with the interpreter lock held only.
  static PyObject *last_class[2] = {nullptr, nullptr};
  static unsigned int last_tag[2] = {0, 0};
  if (!PyType_Check(cls)) {
    return false;
  }
  auto *type = reinterpret_cast<PyTypeObject *>(cls);
  if (cls == last_class[decode_text] && PyType_HasFeature(type, Py_TPFLAGS_VALID_VERSION_TAG) &&
      type->tp_version_tag == last_tag[decode_text]) {
    return true;
  }
  const bool direct = base_class != nullptr && PyType_IsSubtype(type, base_class) &&
                      is_stock_from_address(cls) && is_stock_method(cls, decode_text);
  // The lookups above have given the type a tag, unless its attributes cannot be cached.
  if (direct && PyType_HasFeature(type, Py_TPFLAGS_VALID_VERSION_TAG)) {
    last_class[decode_text] = cls;
    last_tag[decode_text] = type->tp_version_tag;
  }
  return direct;
}

PyObject *dict_at(PyObject *cls, const void *address, bool decode_text) {
  if (!reads_directly(cls, decode_text)) {
    return nullptr;
  }
  // from_address raises this audit event for every view of foreign memory; so do we.
  if (PySys_Audit("ctypes.cdata", "n", reinterpret_cast<Py_ssize_t>(address)) < 0) {
    return nullptr;
  }
  Layout *layout;
  PyRef hold = layout_of(reinterpret_cast<PyTypeObject *>(cls), &layout);
  return hold ? fields_dict(*layout, static_cast<const char *>(address), decode_text) : nullptr;
}

// Whether calling cls runs only the stock construction: the metaclass's call, ctypes' own
// allocation and record_init.
bool constructs_directly(PyObject *cls) {
  if (base_class == nullptr || !PyType_Check(cls)) {
    return false;
  }
  auto *type = reinterpret_cast<PyTypeObject *>(cls);
  return PyType_IsSubtype(type, base_class) && Py_TYPE(cls)->tp_call == PyType_Type.tp_call &&
         type->tp_new == base_class->tp_new && type->tp_init == record_init;
}

PyObject *make_record(PyObject *cls, PyObject *const *names, PyObject *const *values,
                      Py_ssize_t count) {
  if (!constructs_directly(cls)) {
    return nullptr;
  }
  auto *type = reinterpret_cast<PyTypeObject *>(cls);
  PyRef no_args(PyTuple_New(0));
  PyRef record(no_args ? type->tp_new(type, no_args.get(), nullptr) : nullptr);
  Layout *layout;
  PyRef hold = record ? layout_of(type, &layout) : PyRef();
  if (!hold) {
    return nullptr;
  }
  Memory memory(record.get(), *layout, true);
  for (Py_ssize_t index = 0; index < count; ++index) {
    if (!assign_keyword(type, *layout, memory, names[index], values[index])) {
      return nullptr;
    }
  }
  return record.release();
}

int fill_memory(PyObject *cls, void *memory, size_t size, PyObject *const *names,
                PyObject *const *values, Py_ssize_t count) {
  if (!constructs_directly(cls)) {
    return 0;
  }
  auto *type = reinterpret_cast<PyTypeObject *>(cls);
  Layout *layout;
  PyRef hold = layout_of(type, &layout);
  if (!hold) {
    return -1;
  }
  if (static_cast<size_t>(layout->extent) > size) {
    return 0;
  }
  Memory fixed(static_cast<char *>(memory), *layout);
  for (Py_ssize_t index = 0; index < count; ++index) {
    if (!assign_keyword(type, *layout, fixed, names[index], values[index])) {
      return -1;
    }
  }
  return 1;
}

const RecordMethodsApi api = {dict_at, reads_directly, make_record, fill_memory};

PyObject *install(PyObject *, PyObject *args) {
  PyObject *base, *describe;
  if (!PyArg_ParseTuple(args, "O!O:install", &PyType_Type, &base, &describe)) {
    return nullptr;
  }
  if (base_class != nullptr) {
    PyErr_SetString(PyExc_RuntimeError, "the record methods are installed already");
    return nullptr;
  }
  PyRef from_address(PyObject_GetAttr(base, QV_NAME("from_address")));
  if (!from_address) {
    return nullptr;
  }
  if (!PyCFunction_Check(from_address.get())) {
    PyErr_SetString(PyExc_TypeError, "install() takes a ctypes structure class");
    return nullptr;
  }
  for (const SlotMethod &slot : slot_methods) {
    if (!install_slot(base, slot)) {
      return nullptr;
    }
  }
  auto *type = reinterpret_cast<PyTypeObject *>(base);
  for (PyMethodDef *def = record_method_defs; def->ml_name != nullptr; ++def) {
    PyRef method(PyDescr_NewMethod(type, def));
    if (!method || PyObject_SetAttrString(base, def->ml_name, method.get()) < 0) {
      return nullptr;
    }
    if (std::strcmp(def->ml_name, "to_dict") == 0) {
      to_dict_method = method.release();
    } else if (std::strcmp(def->ml_name, "to_str_dict") == 0) {
      to_str_dict_method = method.release();
    }
  }
  stock_from_address = PyCFunction_GetFunction(from_address.get());
  base_class = reinterpret_cast<PyTypeObject *>(Py_NewRef(base));
  describe_fields = Py_NewRef(describe);
  Py_RETURN_NONE;
}

PyMethodDef module_functions[] = {
    {"install", install, METH_VARARGS,
     "install(base, describe_fields): gives the ctypes structure class `base` the record\n"
     "methods. describe_fields(cls) returns a list of (name, offset, size, kind, secret),\n"
     "kind one of 'text', 'flag', 'int', 'uint', 'double', for every field of cls."},
    {nullptr, nullptr, 0, nullptr}};

PyModuleDef module_def = {PyModuleDef_HEAD_INIT,
                          "Quorvan.utils._record_methods",
                          "The record classes' methods, over a table of each class's fields.",
                          -1,
                          module_functions,
                          nullptr,
                          nullptr,
                          nullptr,
                          nullptr};

}  // namespace

PyMODINIT_FUNC PyInit__record_methods() {
  PyRef module(PyModule_Create(&module_def));
  PyRef capsule = module ? PyRef(PyCapsule_New(const_cast<RecordMethodsApi *>(&api),
                                               RECORD_METHODS_CAPSULE, nullptr))
                         : PyRef();
  if (!capsule || PyModule_AddObjectRef(module.get(), "_C_API", capsule.get()) < 0) {
    return nullptr;
  }
  return module.release();
}
