#include "record_builder.h"

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
  if (kwargs_ && (!value || PyDict_SetItemString(kwargs_.get(), field, value.get()) < 0)) {
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
