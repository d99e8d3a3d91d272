#include "order_reference.h"

PyRef next_order_ref(PyObject *self) {
  PyRef current = get_attribute(self, QV_NAME("order_ref"));
  PyRef one(PyLong_FromLong(1));
  PyRef next = current && one ? PyRef(PyNumber_Add(current.get(), one.get())) : PyRef();
  if (!next || PyObject_SetAttr(self, QV_NAME("order_ref"), next.get()) < 0) {
    return {};
  }
  return next;
}
