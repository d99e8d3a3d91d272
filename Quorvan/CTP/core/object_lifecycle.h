// An object owning a vendor API object, from allocation to freeing, for every class of the
// package: its construction helpers (identity text, flow directory) and its teardown, which
// releases the vendor object before the memory goes. Construction runs in the type's
// allocation slot, so it has happened before any __init__ of a subclass.
#pragma once

#include <new>
#include <string>
#include <unordered_set>
#include <vector>

#include "callback_bridge.h"
#include "exit_handoff.h"
#include "vendor_controls.h"

// An argument bound for a vendor text field and the most bytes the field takes of it: the
// records it is copied into keep their text NUL-terminated.
struct FieldArgument {
  const char *name;
  size_t room;
};

// to_bytes(value), refused with ValueError when it would not fit the vendor's field or holds
// a NUL: a request built from it would otherwise fail inside a handler, where no caller hears
// of it.
PyRef field_bytes(PyObject *value, const FieldArgument &argument);

// setattr(self, name, value); false when value is null (its computation failed) too.
bool set_attribute(PyObject *self, PyObject *name, PyObject *value);

// self.flow_path: os.path.join(flow_path, investor_id) ending in exactly one separator, the
// investor one plain path component (or empty, where `allow_empty_investor`).
bool set_flow_path(PyObject *self, PyObject *flow_path, PyObject *investor_id,
                   bool allow_empty_investor);

// {"ErrorID": 0, "ErrorMsg": ""}: a login chain that has not failed.
PyRef no_login_failure();

// Makes every missing prefix of self.flow_path + con ("td.con", "md.con"), outermost first;
// another thread or process making one meanwhile is no failure.
bool make_flow_directories(PyObject *self, PyObject *con);

// os.fsencode(self.flow_path + con + os.sep): the flow directory the vendor object is made
// with, as the file system spells it.
PyRef vendor_flow_directory(PyObject *self, PyObject *con);

// Reports the pending error of a teardown under `context`, the frames of its traceback
// cleared first: they keep their locals, among them the dying object itself (the `self` of a
// failed Release), which must not come back once its memory is freed.
void report_teardown_failure(const char *context);

// The construction hook every class has (it does nothing until a subclass overrides it), and
// the refusal to pickle an object whose vendor object cannot be carried over.
QV_METHOD(method_init_extra);
QV_METHOD(method_reduce);
QV_METHOD(method_setstate);

// Every object of one class from allocation to freeing, so that interpreter exit can release
// them all before it finalizes: a vendor thread must never call into a dying interpreter.
// Guarded by the interpreter lock.
template <class Object>
class LiveObjects {
 public:
  // `dealloc_context` names teardown failures; `construct` fills a new object, false with an
  // error set; `free_members`, when given, frees what construct allocated besides the vendor
  // object, once nothing can use it any more.
  using Construct = bool (*)(Object *self, PyObject *args, PyObject *kwargs);
  using FreeMembers = void (*)(Object *self);
  LiveObjects(const char *dealloc_context, Construct construct, FreeMembers free_members = nullptr)
      : dealloc_context_(dealloc_context), construct_(construct), free_members_(free_members) {}

  PyObject *make(PyTypeObject *type, PyObject *args, PyObject *kwargs) {
    try {
      return make_object(type, args, kwargs);
    } catch (...) {
      raise_thrown();
      return method_failed("__cinit__");
    }
  }

  void dealloc(PyObject *object) {
    // An error pending when teardown began (the one that dropped the last reference, say)
    // is still pending when it ends.
    PyObject *type, *value, *traceback;
    PyErr_Fetch(&type, &value, &traceback);
    try {
      tear_down(object);
    } catch (...) {
      // The memory stays: whatever threw may have left it in use.
      report_thrown(dealloc_context_);
    }
    PyErr_Restore(type, value, traceback);
  }

  // At interpreter exit: releases every object still alive, then closes the interpreter to
  // vendor threads, since one released from inside its own handler may still be on its way
  // out.
  // Has interpreter exit run release_all_at_exit, before the interpreter finalizes.
  bool release_all_at_exit_registered() {
    static PyMethodDef definition = {"release_live_objects", release_all_of, METH_NOARGS, nullptr};
    PyRef atexit(PyImport_ImportModule("atexit"));
    PyRef owner(atexit ? PyCapsule_New(this, nullptr, nullptr) : nullptr);
    PyRef function(owner ? PyCFunction_New(&definition, owner.get()) : nullptr);
    return function && call_method(atexit.get(), QV_NAME("register"), {function.get()});
  }

  void release_all_at_exit() {
    try {
      std::vector<PyRef> objects;
      for (PyObject *object : objects_) {
        objects.push_back(PyRef::borrowed(object));
      }
      for (const PyRef &object : objects) {
        if (!release_vendor_object(reinterpret_cast<Object *>(object.get()))) {
          report_unraisable(dealloc_context_);
        }
      }
    } catch (...) {
      report_thrown(dealloc_context_);
    }
    close_interpreter_to_vendor_threads();
  }

 private:
  static PyObject *release_all_of(PyObject *owner, PyObject *) {
    static_cast<LiveObjects *>(PyCapsule_GetPointer(owner, nullptr))->release_all_at_exit();
    Py_RETURN_NONE;
  }

  PyObject *make_object(PyTypeObject *type, PyObject *args, PyObject *kwargs) {
    // Objects are made on the main thread as a rule, and only there can this be done.
    prepare_main_thread_wake();
    PyRef object(type->tp_alloc(type, 0));
    if (!object) {
      return nullptr;
    }
    Object *self = reinterpret_cast<Object *>(object.get());
    objects_.insert(object.get());
    self->calls = new (std::nothrow) VendorCalls();
    if (self->calls == nullptr) {
      return PyErr_NoMemory();
    }
    if (!construct_(self, args, kwargs)) {
      // Dropping the half-built object runs teardown, which releases a vendor object that
      // was already made.
      return method_failed("__cinit__");
    }
    return object.release();
  }

  void tear_down(PyObject *object) {
    Object *self = reinterpret_cast<Object *>(object);
    if (self->bridge != nullptr) {
      // Teardown has begun and the instance's attributes may already be gone: no handler
      // may run on this object any more, even while a subclass's Release runs Python code.
      self->bridge->detached = true;
    }
    if (self->calls != nullptr) {
      // Keeps the object alive through the calls below, which take references to it.
      Py_SET_REFCNT(object, Py_REFCNT(object) + 1);
      // Once the interpreter finalizes, the class and its methods may be half torn down:
      // exit already released every vendor object, and no Python code runs on this one.
      if (!interpreter_finalizing() && !call_method(object, QV_NAME("Release"), {})) {
        report_teardown_failure(dealloc_context_);
      }
      // The user's Release may have failed or not called ours; the vendor must still be
      // detached before the memory goes, or its next event would reach freed memory.
      if (self->api != nullptr && !release_vendor_object(self)) {
        report_teardown_failure(dealloc_context_);
      }
      Py_SET_REFCNT(object, Py_REFCNT(object) - 1);
      if (Py_REFCNT(object) != 0) {
        // Something kept a new reference (an exception holding the object, say): freeing
        // the memory now would leave that reference dangling, so the object lives on, a
        // released shell, until its new owners let it go. A subclass's deallocation
        // gives up its reference to the type once this returns; the object still needs it.
        if (Py_TYPE(object)->tp_flags & Py_TPFLAGS_HEAPTYPE) {
          Py_INCREF(Py_TYPE(object));
        }
        return;
      }
    }
    if (self->api == nullptr) {
      // Otherwise the vendor may still hold the bridge, which stays detached for good.
      delete self->bridge;
    }
    objects_.erase(object);
    if (free_members_ != nullptr) {
      free_members_(self);
    }
    delete self->calls;
    Py_TYPE(object)->tp_free(object);
  }

  const char *dealloc_context_;
  Construct construct_;
  FreeMembers free_members_;
  std::unordered_set<PyObject *> objects_;
};

// The dotted name of a method of the half's class, for the reports no caller hears.
template <class Half>
std::string method_context(const char *method) {
  return std::string(module_name<Half>()) + "." + Half::kClass + "." + method;
}

// Every object of the half's class.
template <class Half>
LiveObjects<ApiObject<Half>> &live_objects() {
  static const std::string context = method_context<Half>("__dealloc__");
  static LiveObjects<ApiObject<Half>> objects(context.c_str(), Half::construct, Half::free_members);
  return objects;
}

template <class Half>
bool release_object(PyObject *self) {
  return release_vendor_object(as_object<Half>(self));
}

// Where the bridges of the half's objects deliver.
template <class Half>
const DeliveryTarget &delivery_target() {
  static const std::string context = method_context<Half>("Release");
  static const DeliveryTarget target{release_object<Half>, context.c_str(), Half::methods};
  return target;
}

// The vendor object made by `create(flow directory)` in the object's flow directory, and a new
// bridge registered with it; false with an error set.
template <class Half, class Create>
bool attach_vendor_object(ApiObject<Half> *self, Create &&create) {
  PyObject *object = reinterpret_cast<PyObject *>(self);
  PyRef folder(PyUnicode_FromFormat("%s.con", Half::kSide));
  PyRef path = folder ? vendor_flow_directory(object, folder.get()) : PyRef();
  const char *text = path ? lent_text(path.get()) : nullptr;
  if (text == nullptr) {
    return false;
  }
  typename Half::Api *api = nullptr;
  if (!call_vendor([&] { api = create(text); })) {
    return false;
  }
  self->api = api;
  if (api == nullptr) {
    PyErr_Format(PyExc_Exception, "Error:Fail to new %sApi instance.", Half::kVendor);
    return false;
  }
  auto *bridge = new (std::nothrow) typename Half::Bridge(object, delivery_target<Half>());
  if (bridge == nullptr) {
    PyErr_Format(PyExc_Exception, "Error:Fail to new %sSpi instance.", Half::kVendor);
    return false;
  }
  self->bridge = bridge;
  self->spi = bridge;
  return call_vendor([&] { api->RegisterSpi(bridge); });
}
