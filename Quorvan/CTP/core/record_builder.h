// Building a request record the way the trading helpers and the login chain do: the record
// class looked up by name now, called with keyword arguments added in order.
#pragma once

#include "python_support.h"

#include <vector>

class RecordBuilder {
 public:
  // Looks the class up at once; ok() is false (NameError set) when it is missing.
  explicit RecordBuilder(PyObject *class_name);
  ~RecordBuilder();
  RecordBuilder(const RecordBuilder &) = delete;
  RecordBuilder &operator=(const RecordBuilder &) = delete;
  bool ok() const { return ok_; }

  // Adds Field=value; a null value (its computation failed) fails the builder.
  RecordBuilder &add(const char *field, PyRef value);
  // Field=self.<attribute>, the attribute read now.
  RecordBuilder &add_attribute(const char *field, PyObject *self, PyObject *attribute);
  // Field=<global>, the module global (a constant) read now.
  RecordBuilder &add_global(const char *field, PyObject *name);
  // Field=to_bytes(value), with to_bytes looked up now.
  RecordBuilder &add_bytes(const char *field, PyObject *value);
  // Field=compute(), computed only while nothing has failed: no Python code may run with
  // an earlier field's error pending.
  template <class Compute>
  RecordBuilder &add_computed(const char *field, Compute &&compute) {
    return ok_ ? add(field, compute()) : *this;
  }

  PyRef make();

 private:
  PyRef class_;
  bool ok_;
  // The keywords in the order added: interned names, and the values they own.
  std::vector<PyObject *> names_;
  std::vector<PyObject *> values_;
};

// to_bytes(value), with to_bytes looked up now.
PyRef to_bytes(PyObject *value);
// Called with base_field.to_bytes once the module has imported it.
void remember_package_to_bytes(PyObject *function);
