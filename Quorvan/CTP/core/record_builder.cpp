#include "record_builder.h"

#include "record_methods.h"

#include <cstdio>
#include <unordered_map>

namespace {

// The interned str of a field name. Names come as string literals, so each is made once and
// every record then gets the very object its class's field table holds: no text is decoded,
// hashed or compared per order.
PyObject *field_name(const char *field) {
  // Touched with the interpreter lock held only.
  static std::unordered_map<const char *, PyObject *> names;
  const auto found = names.find(field);
  if (found != names.end()) {
    return found->second;
  }
  PyObject *name = PyUnicode_InternFromString(field);
  if (name != nullptr) {
    names.emplace(field, name);
  }
  return name;
}

// base_field.to_bytes as the module imported it. It is ours and does nothing but convert, so
// where the lookup finds this very function, its result for the exact built-in types it is
// mostly given is made here without a Python call.
PyObject *g_package_to_bytes = nullptr;

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
      return PyBytes_FromStringAndSize(digits,
                                       std::snprintf(digits, sizeof digits, "%lld", number));
    }
  }
  return nullptr;
}

}  // namespace

void remember_package_to_bytes(PyObject *function) {
  Py_XSETREF(g_package_to_bytes, Py_XNewRef(function));
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
    : class_(lookup_global(class_name)), ok_(bool(class_)) {
  // More than any request record the helpers make has.
  names_.reserve(24);
  values_.reserve(24);
}

RecordBuilder::~RecordBuilder() {
  for (PyObject *value : values_) {
    Py_DECREF(value);
  }
}

RecordBuilder &RecordBuilder::add(const char *field, PyRef value) {
  PyObject *name = ok_ && value ? field_name(field) : nullptr;
  if (name == nullptr) {
    ok_ = false;
    return *this;
  }
  names_.push_back(name);
  values_.push_back(value.release());
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
  const auto count = static_cast<Py_ssize_t>(names_.size());
  PyRef direct(api->make_record(class_.get(), names_.data(), values_.data(), count));
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
