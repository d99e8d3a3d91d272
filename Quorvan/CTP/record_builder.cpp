#include "record_builder.h"

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
      return PyBytes_FromStringAndSize(digits, std::snprintf(digits, sizeof digits, "%lld", number));
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

RecordBuilder::RecordBuilder(PyObject *class_name) : class_(lookup_global(class_name)) {
  if (class_) {
    kwargs_.reset(PyDict_New());
  }
}

RecordBuilder &RecordBuilder::add(const char *field, PyRef value) {
  PyObject *name = kwargs_ && value ? field_name(field) : nullptr;
  if (kwargs_ && (!name || PyDict_SetItem(kwargs_.get(), name, value.get()) < 0)) {
    kwargs_.reset();
  }
  return *this;
}

RecordBuilder &RecordBuilder::add_attribute(const char *field, PyObject *self,
                                            PyObject *attribute) {
  return kwargs_ ? add(field, get_attribute(self, attribute)) : *this;
}

RecordBuilder &RecordBuilder::add_global(const char *field, PyObject *name) {
  return kwargs_ ? add(field, lookup_global(name)) : *this;
}

RecordBuilder &RecordBuilder::add_bytes(const char *field, PyObject *value) {
  return kwargs_ ? add(field, to_bytes(value)) : *this;
}

PyRef RecordBuilder::make() {
  if (!kwargs_) {
    return {};
  }
  PyRef no_args(PyTuple_New(0));
  return no_args ? PyRef(PyObject_Call(class_.get(), no_args.get(), kwargs_.get())) : PyRef();
}
