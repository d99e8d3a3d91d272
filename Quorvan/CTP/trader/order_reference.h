// The order reference counter shared by order entry, where it is defined, and cancellation.
#pragma once

#include "python_support.h"

// Adds 1 to self.order_ref and returns the new value. Callers use this value rather than a
// later read of the attribute, so two threads placing or cancelling at once never send the
// same reference.
PyRef next_order_ref(PyObject *self);
