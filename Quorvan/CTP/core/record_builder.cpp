#include "record_builder.h"

#include "record_methods.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <utility>
#include <vector>

namespace {

// The interned str of a field name. Names come as string literals, so each is made once and
// every record then gets the very object its class's field table holds: no text is decoded,
// hashed or compared per order. A name is found by the literal's address, in a table with
// room to spare for every field the helpers and the login chains name.
PyObject *field_name(const char *field) {
  struct Slot {
    const char *field;
    PyObject *name;
  };
  // Touched with the interpreter lock held only.
  static Slot slots[256];
  constexpr size_t kMask = std::size(slots) - 1;
  size_t index = (reinterpret_cast<uintptr_t>(field) >> 3) & kMask;
  for (size_t probes = 0; probes <= kMask; ++probes, index = (index + 1) & kMask) {
    if (slots[index].field == field) {
      return slots[index].name;
    }
    if (slots[index].field == nullptr) {
      PyObject *name = PyUnicode_InternFromString(field);
      if (name != nullptr) {
        slots[index] = {field, name};
      }
      return name;
    }
  }
  PyErr_SetString(PyExc_SystemError, "more request record fields than the name table holds");
  return nullptr;
}

// The module's namespace as its imports left it, so that a global found now can be told to be
// the package's own or a program's replacement.
PyObject *g_package_globals = nullptr;

// base_field.to_bytes as the module imported it. It is ours and does nothing but convert, so
// where the lookup finds this very function, its result for the exact built-in types it is
// mostly given is made here without a Python call.
PyObject *g_package_to_bytes = nullptr;

// ctypes and its addressof as the module imported them: what a request method takes a
// record's address with, unless a program has put its own in their place.
PyObject *g_package_ctypes = nullptr;
PyObject *g_package_addressof = nullptr;

PyObject *package_global(const char *name) {
  return g_package_globals ? PyDict_GetItemString(g_package_globals, name) : nullptr;
}

// Whether `cls` is the record class the module's import bound to `name` and holds exactly
// `size` bytes, the vendor record's size: only then is the vendor's record the class's memory.
bool is_package_record(PyObject *name, PyObject *cls, size_t size) {
  PyObject *own = g_package_globals ? PyDict_GetItemWithError(g_package_globals, name) : nullptr;
  if (own == nullptr || own != cls) {
    PyErr_Clear();
    return false;
  }
  // The package's classes live as long as the process, so their sizes are asked for once.
  // Touched with the interpreter lock held only.
  static std::vector<std::pair<PyObject *, size_t>> sizes;
  for (const auto &[known, bytes] : sizes) {
    if (known == cls) {
      return bytes == size;
    }
  }
  PyRef measured =
      g_package_ctypes ? call_method(g_package_ctypes, QV_NAME("sizeof"), {cls}) : PyRef();
  const size_t bytes = measured ? PyLong_AsSize_t(measured.get()) : 0;
  PyErr_Clear();
  sizes.emplace_back(cls, bytes);
  return bytes == size;
}

// What the package's to_bytes returns for `value`; null, with no error, for the types left to
// the function itself.
PyObject *package_bytes(PyObject *value) {
  if (PyBytes_CheckExact(value)) {
    return Py_NewRef(value);
  }
  // ASCII text is the same in GB18030, which the function leaves to its codec otherwise.
  if (PyUnicode_CheckExact(value) && PyUnicode_IS_ASCII(value)) {
    return PyBytes_FromStringAndSize(static_cast<const char *>(PyUnicode_DATA(value)),
                                     PyUnicode_GET_LENGTH(value));
  }
  if (PyLong_CheckExact(value)) {
    int overflow = 0;
    const long long number = PyLong_AsLongLongAndOverflow(value, &overflow);
    if (overflow == 0) {
      char digits[24];
      const char *end = std::to_chars(digits, digits + sizeof digits, number).ptr;
      return PyBytes_FromStringAndSize(digits, end - digits);
    }
  }
  return nullptr;
}

}  // namespace

void remember_package_globals(PyObject *globals) {
  Py_XSETREF(g_package_globals, PyDict_Copy(globals));
  PyErr_Clear();
  g_package_to_bytes = package_global("to_bytes");
  g_package_ctypes = package_global("ctypes");
  Py_CLEAR(g_package_addressof);
  if (g_package_ctypes != nullptr) {
    g_package_addressof = PyObject_GetAttrString(g_package_ctypes, "addressof");
    PyErr_Clear();
  }
}

bool is_own_method(PyObject *method, PyObject *self, const PyMethodDef *entry) {
  return entry != nullptr && PyCFunction_Check(method) && PyCFunction_GET_SELF(method) == self &&
         reinterpret_cast<PyCFunctionObject *>(method)->m_ml == entry;
}

PyObject *call_own_method(const PyMethodDef *entry, PyObject *self, PyObject *const *args,
                          Py_ssize_t nargs) {
  using Function = PyObject *(PyObject *, PyObject *const *, Py_ssize_t, PyObject *);
  return reinterpret_cast<Function *>(reinterpret_cast<void (*)()>(entry->ml_meth))(self, args,
                                                                                    nargs, nullptr);
}

PyRef to_bytes(PyObject *value) {
  PyRef convert = lookup_global(QV_NAME("to_bytes"));
  if (!convert) {
    return {};
  }
  if (convert.get() == g_package_to_bytes) {
    PyRef known(package_bytes(value));
    if (known || PyErr_Occurred()) {
      return known;
    }
  }
  return call_object(convert.get(), {value});
}

RecordBuilder::RecordBuilder(PyObject *class_name)
    : class_name_(class_name), class_(lookup_global(class_name)), ok_(bool(class_)) {}

RecordBuilder::~RecordBuilder() {
  for (size_t index = 0; index < count_; ++index) {
    Py_DECREF(values_[index]);
  }
}

RecordBuilder &RecordBuilder::add(const char *field, PyRef value) {
  PyObject *name = ok_ && value ? field_name(field) : nullptr;
  if (name == nullptr || count_ == kMaxFields) {
    if (name != nullptr) {
      PyErr_Format(PyExc_SystemError, "a request record of more than %zu fields", kMaxFields);
    }
    ok_ = false;
    return *this;
  }
  names_[count_] = name;
  values_[count_] = value.release();
  ++count_;
  return *this;
}

RecordBuilder &RecordBuilder::add_attribute(const char *field, PyObject *self,
                                            PyObject *attribute) {
  return ok_ ? add(field, get_attribute(self, attribute)) : *this;
}

RecordBuilder &RecordBuilder::add_global(const char *field, PyObject *name) {
  return ok_ ? add(field, lookup_global(name)) : *this;
}

RecordBuilder &RecordBuilder::add_bytes(const char *field, PyObject *value) {
  return ok_ ? add(field, to_bytes(value)) : *this;
}

// A class with the stock construction has the record made straight from the keywords; any
// other is called with them, as cls(**keywords).
PyRef RecordBuilder::make() {
  const RecordMethodsApi *api = ok_ ? import_record_methods() : nullptr;
  if (api == nullptr) {
    return {};
  }
  const auto count = static_cast<Py_ssize_t>(count_);
  PyRef direct(api->make_record(class_.get(), names_, values_, count));
  if (direct || PyErr_Occurred()) {
    return direct;
  }
  PyRef kwargs(PyDict_New());
  for (Py_ssize_t index = 0; kwargs && index < count; ++index) {
    if (PyDict_SetItem(kwargs.get(), names_[index], values_[index]) < 0) {
      kwargs.reset();
    }
  }
  PyRef no_args(kwargs ? PyTuple_New(0) : nullptr);
  return no_args ? PyRef(PyObject_Call(class_.get(), no_args.get(), kwargs.get())) : PyRef();
}

RecordBuilder::Filled RecordBuilder::fill(void *record, size_t size) {
  const RecordMethodsApi *api = ok_ ? import_record_methods() : nullptr;
  if (api == nullptr) {
    return Filled::kFailed;
  }
  // A record of a class given a finalizer would run it: such a class is called instead.
  const auto *type = reinterpret_cast<PyTypeObject *>(class_.get());
  if (!is_package_record(class_name_, class_.get(), size) || type->tp_finalize != nullptr ||
      type->tp_del != nullptr) {
    return Filled::kNotDirectly;
  }
  switch (api->fill_memory(class_.get(), record, size, names_, values_,
                           static_cast<Py_ssize_t>(count_))) {
    case 1:
      return Filled::kDone;
    case 0:
      return Filled::kNotDirectly;
    default:
      return Filled::kFailed;
  }
}

PyRef RecordBuilder::record_holding(const void *record, size_t size) {
  auto *type = reinterpret_cast<PyTypeObject *>(class_.get());
  PyRef no_args(PyTuple_New(0));
  PyRef made(no_args ? type->tp_new(type, no_args.get(), nullptr) : nullptr);
  Py_buffer view;
  if (!made || PyObject_GetBuffer(made.get(), &view, PyBUF_WRITABLE) < 0) {
    return {};
  }
  std::memcpy(view.buf, record, std::min(size, static_cast<size_t>(view.len)));
  PyBuffer_Release(&view);
  return made;
}

bool RecordBuilder::vendor_takes_filled_record() {
  PyRef checked = lookup_global(class_name_);
  PyRef ctypes = checked ? lookup_global(QV_NAME("ctypes")) : PyRef();
  PyRef addressof = ctypes && ctypes.get() == g_package_ctypes
                        ? get_attribute(ctypes.get(), QV_NAME("addressof"))
                        : PyRef();
  PyErr_Clear();
  return checked.get() == class_.get() && addressof && addressof.get() == g_package_addressof;
}
