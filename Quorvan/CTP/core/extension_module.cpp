#include "extension_module.h"
#include "record_builder.h"

namespace {

bool bind_global(PyObject *globals, const char *name, PyObject *value) {
  return value != nullptr && PyDict_SetItemString(globals, name, value) == 0;
}

PyRef import(PyObject *globals, const char *name, std::initializer_list<const char *> from,
             int level) {
  PyRef module_name(PyUnicode_FromString(name));
  PyRef fromlist(PyTuple_New(static_cast<Py_ssize_t>(from.size())));
  if (!module_name || !fromlist) {
    return {};
  }
  Py_ssize_t i = 0;
  for (const char *item : from) {
    PyObject *text = PyUnicode_FromString(item);
    if (text == nullptr) {
      return {};
    }
    PyTuple_SET_ITEM(fromlist.get(), i++, text);
  }
  return PyRef(PyImport_ImportModuleLevelObject(module_name.get(), globals, nullptr,
                                                from.size() ? fromlist.get() : nullptr, level));
}

bool import_from(PyObject *globals, PyObject *module, const char *name) {
  PyRef value(PyObject_GetAttrString(module, name));
  if (!value) {
    if (PyErr_ExceptionMatches(PyExc_AttributeError)) {
      PyErr_Format(PyExc_ImportError, "cannot import name %s", name);
    }
    return false;
  }
  return bind_global(globals, name, value.get());
}

// from module import *: the names of __all__, or every public name of the module.
bool import_star(PyObject *globals, PyObject *module) {
  PyRef names(PyObject_GetAttrString(module, "__all__"));
  if (!names) {
    if (!PyErr_ExceptionMatches(PyExc_AttributeError)) {
      return false;
    }
    PyErr_Clear();
    PyObject *dict = PyModule_GetDict(module);
    if (dict == nullptr) {
      return false;
    }
    names.reset(PyDict_Keys(dict));
    if (!names) {
      return false;
    }
    PyObject *key;
    for (Py_ssize_t i = 0; i < PyList_GET_SIZE(names.get()); ++i) {
      key = PyList_GET_ITEM(names.get(), i);
      if (PyUnicode_Check(key) && PyUnicode_READ_CHAR(key, 0) != '_') {
        PyObject *value = PyDict_GetItemWithError(dict, key);
        if (value == nullptr || PyDict_SetItem(globals, key, value) < 0) {
          return false;
        }
      }
    }
    return true;
  }
  PyRef iterator(PyObject_GetIter(names.get()));
  if (!iterator) {
    return false;
  }
  while (PyRef name{PyIter_Next(iterator.get())}) {
    PyRef value(PyObject_GetAttr(module, name.get()));
    if (!value || PyDict_SetItem(globals, name.get(), value.get()) < 0) {
      return false;
    }
  }
  return !PyErr_Occurred();
}

}  // namespace

bool run_module_statements(PyObject *globals) {
  PyRef os = import(globals, "os", {}, 0);
  if (!bind_global(globals, "os", os.get())) {
    return false;
  }
  PyRef ctypes = import(globals, "ctypes", {}, 0);
  if (!bind_global(globals, "ctypes", ctypes.get())) {
    return false;
  }
  PyRef datetime = import(globals, "datetime", {"datetime"}, 0);
  if (!datetime || !import_from(globals, datetime.get(), "datetime")) {
    return false;
  }
  PyRef records = import(globals, "ApiStruct", {"*"}, 1);
  if (!records || !import_star(globals, records.get())) {
    return false;
  }
  PyRef constants = import(globals, "ApiConst", {"*"}, 1);
  if (!constants || !import_star(globals, constants.get())) {
    return false;
  }
  PyRef base_field = import(globals, "utils.base_field", {"to_bytes", "to_str"}, 2);
  if (!base_field || !import_from(globals, base_field.get(), "to_bytes") ||
      !import_from(globals, base_field.get(), "to_str")) {
    return false;
  }
  remember_package_globals(globals);
  return true;
}

bool install_methods(PyTypeObject *type, PyMethodDef *methods, PyMethodDef *get_api_version) {
  PyObject *dict = type->tp_dict;
  for (PyMethodDef *def = methods; def->ml_name != nullptr; ++def) {
    PyRef method;
    if (def->ml_meth == nullptr) {
      // Never bound: the function gets the class as its first argument and ignores it.
      PyRef function(
          PyCFunction_NewEx(get_api_version, reinterpret_cast<PyObject *>(type), nullptr));
      method.reset(function ? PyStaticMethod_New(function.get()) : nullptr);
    } else {
      method.reset(PyDescr_NewMethod(type, def));
    }
    if (!method || PyDict_SetItemString(dict, def->ml_name, method.get()) < 0) {
      return false;
    }
  }
  PyType_Modified(type);
  return true;
}

int execute_single_module(SingleModule &single, PyObject *module) {
  if (single.executed) {
    return 0;
  }
  bool executed = false;
  try {
    executed = single.execute(module);
  } catch (...) {
    raise_thrown();
  }
  if (!executed) {
    // A later import starts afresh with a new module.
    Py_CLEAR(single.module);
    return -1;
  }
  single.executed = true;
  return 0;
}

PyObject *create_single_module(SingleModule &single, PyObject *module_spec) {
  if (single.module != nullptr) {
    return Py_NewRef(single.module);
  }
  PyRef name(PyObject_GetAttrString(module_spec, "name"));
  if (!name) {
    return nullptr;
  }
  single.module = PyModule_NewObject(name.get());
  return Py_XNewRef(single.module);
}
