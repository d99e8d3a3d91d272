#include "vendor_requests.h"

namespace {

// The size of the object's memory, which ctypes exports through the buffer protocol.
Py_ssize_t memory_size(PyObject *record) {
  Py_buffer view;
  if (PyObject_GetBuffer(record, &view, PyBUF_SIMPLE) < 0) {
    return -1;
  }
  const Py_ssize_t size = view.len;
  PyBuffer_Release(&view);
  return size;
}

}  // namespace

bool record_address(const char *method, PyObject *record, size_t vendor_size,
                    PyObject *record_class, size_t *address) {
  PyRef ctypes = lookup_global(QV_NAME("ctypes"));
  if (!ctypes) {
    return false;
  }
  PyRef result = call_method(ctypes.get(), QV_NAME("addressof"), {record});
  if (!result || !convert_address(result.get(), address)) {
    return false;
  }
  PyRef expected = lookup_global(record_class);
  const int is_record = expected ? PyObject_IsInstance(record, expected.get()) : -1;
  if (is_record < 0) {
    return false;
  }
  const Py_ssize_t size = memory_size(record);
  if (size < 0) {
    PyErr_Clear();
  }
  if (!is_record || size < 0 || static_cast<size_t>(size) < vendor_size) {
    PyErr_Format(PyExc_TypeError,
                 "%s() needs a record of class %U (%zu bytes); got %.200s with %zd bytes", method,
                 record_class, vendor_size, Py_TYPE(record)->tp_name,
                 size < 0 ? Py_ssize_t(0) : size);
    return false;
  }
  return true;
}
