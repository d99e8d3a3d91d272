// How a record object's memory reaches the vendor.
#pragma once

#include "python_support.h"

// ctypes.addressof(record), with ctypes looked up now. A record whose memory is smaller than
// the vendor record it is handed to as is refused with TypeError naming `record_class`: the
// vendor reads sizeof(vendor record) bytes and would read past its end.
bool record_address(const char *method, PyObject *record, size_t vendor_size,
                    const char *record_class, size_t *address);
