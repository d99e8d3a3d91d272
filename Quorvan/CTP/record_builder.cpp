#include "record_builder.h"

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

}  // namespace

PyRef to_bytes(PyObject *value) {
  PyRef convert = lookup_global(QV_NAME("to_bytes"));
  return convert ? call_object(convert.get(), {value}) : PyRef();
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
