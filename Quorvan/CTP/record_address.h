// How a record object's memory reaches the vendor.
#pragma once

#include "python_support.h"

// ctypes.addressof(record), with ctypes looked up now. The record must be an instance of the
// module global `record_class` (an interned name, looked up now) or of a subclass, and hold
// at least the vendor record's size: the vendor reads sizeof(vendor record) bytes laid out
// as its record, so another class's memory, even a large enough one, would be misread.
// Refused with TypeError naming the class.
bool record_address(const char *method, PyObject *record, size_t vendor_size,
                    PyObject *record_class, size_t *address);
