// Building a request record the way the trading helpers and the login chain do: the record
// class looked up by name now, called with keyword arguments added in order. Where nothing on
// the way is a program's own (the record class, the object's request method, the module's
// ctypes), a helper's record is filled straight into the vendor's record and handed to the
// vendor, which is what the stock class and method would do with it.
#pragma once

#include <cstring>

#include "python_support.h"
#include "vendor_calls.h"

// A request method of the class, as a helper sends through it: `entry` is the class's own
// method, whose work is handing the record to `operation` of the vendor object.
template <class Object, class Api, class Record>
struct HelperRequest {
  const char *function;
  PyObject *name;
  const PyMethodDef *entry;
  int (Api::*operation)(Record *, int);
};

template <class Object, class Api, class Record>
HelperRequest<Object, Api, Record> helper_request(const char *function, const PyMethodDef *entry,
                                                  int (Api::*operation)(Record *, int)) {
  return {function, PyUnicode_InternFromString(function), entry, operation};
}

// The request method `Name` of a class whose objects are `Object`, the vendor's `Api`, and
// whose method table gives `entry_of(name)`.
#define QV_HELPER_REQUEST(Object, Api, entry_of, Name) \
  helper_request<Object>(#Name, entry_of(#Name), &Api::Name)

// Whether `method`, as found on `self`, is the class's own method of the table entry `entry`
// bound to `self`, so that calling it is calling the entry's function with `self`.
bool is_own_method(PyObject *method, PyObject *self, const PyMethodDef *entry);
// That call, with positional arguments only.
PyObject *call_own_method(const PyMethodDef *entry, PyObject *self, PyObject *const *args,
                          Py_ssize_t nargs);

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

  // self.<request>(record), with the result of that call: the record made and the method
  // looked up on `self` in that order, as a helper written in Python would. Where the class
  // is the package's own and the method the class's own, the vendor's record is filled here
  // and the vendor called with it, as the method would call it.
  template <class Object, class Api, class Record>
  PyRef send(PyObject *self, const HelperRequest<Object, Api, Record> &request);

 private:
  enum class Filled { kDone, kFailed, kNotDirectly };
  // Fills the vendor's record when the class is the package's own, of the vendor record's
  // size, and built by the stock construction.
  Filled fill(void *record, size_t size);
  // A record of the class holding a copy of the filled `record`: what make() would have made.
  PyRef record_holding(const void *record, size_t size);
  // Whether the request method may be skipped for the vendor: the record class it would check
  // is still this one, and the module's ctypes, which it would take the address with, is the
  // package's. Never leaves an error: the method, called instead, meets it again.
  bool vendor_takes_filled_record();

  static constexpr size_t kMaxFields = 24;  // more than any request record the helpers make
  PyObject *class_name_;
  PyRef class_;
  bool ok_;
  // The keywords in the order added: interned names, and the values they own.
  PyObject *names_[kMaxFields];
  PyObject *values_[kMaxFields];
  size_t count_ = 0;
};

template <class Object, class Api, class Record>
PyRef RecordBuilder::send(PyObject *self, const HelperRequest<Object, Api, Record> &request) {
  Record record;
  std::memset(&record, 0, sizeof record);
  switch (fill(&record, sizeof record)) {
    case Filled::kFailed:
      return {};
    case Filled::kNotDirectly: {
      PyRef made = make();
      return made ? call_method(self, request.name, {made.get()}) : PyRef();
    }
    case Filled::kDone:
      break;
  }
  PyRef method = get_attribute(self, request.name);
  if (!method) {
    return {};
  }
  if (!is_own_method(method.get(), self, request.entry) || !vendor_takes_filled_record()) {
    PyRef made = record_holding(&record, sizeof record);
    return made ? call_object(method.get(), {made.get()}) : PyRef();
  }
  // From here on as the request method goes on once it has the record's address.
  auto *object = reinterpret_cast<Object *>(self);
  if (usable_api(object) == nullptr) {
    return PyRef(PyLong_FromLong(-1));
  }
  return PyRef(call_request(object, request.function, request.operation, &record, 0));
}

// to_bytes(value), with to_bytes looked up now.
PyRef to_bytes(PyObject *value);
// Called with the module's namespace once its imports are done: what they bound there is the
// package's own (to_bytes, the record classes, ctypes).
void remember_package_globals(PyObject *globals);
