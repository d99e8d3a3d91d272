#include "vendor_controls.h"

#include "vendor_requests.h"

const char *lent_text(PyObject *value) {
  if (PyByteArray_Check(value)) {
    return PyByteArray_AS_STRING(value);
  }
  char *buffer;
  Py_ssize_t length;
  return PyBytes_AsStringAndSize(value, &buffer, &length) < 0 ? nullptr : buffer;
}

bool fens_user_info_address(PyObject *value, size_t *address) {
  const bool integer = PyLong_Check(value) || (Py_TYPE(value)->tp_as_number != nullptr &&
                                               Py_TYPE(value)->tp_as_number->nb_int != nullptr);
  if (integer || !PyObject_CheckBuffer(value)) {
    return convert_address(value, address);
  }
  return record_address("RegisterFensUserInfo", value, sizeof(CThostFtdcFensUserInfoField),
                        QV_NAME("FensUserInfoField"), address);
}

bool bind_api_version_call(PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames) {
  static const char *const names[] = {"cls"};
  static const Parameters parameters{"GetApiVersion", names, 1, 1};
  PyObject *cls;
  return bind_arguments(parameters, args, nargs, kwnames, &cls);
}
