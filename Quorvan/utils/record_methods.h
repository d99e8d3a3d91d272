// What Quorvan.utils._record_methods offers other extension modules, through the capsule
// RECORD_METHODS_CAPSULE: the event path turns vendor memory into a dict without making a
// record object first.
#pragma once

#include "python_compat.h"

#define RECORD_METHODS_CAPSULE "Quorvan.utils._record_methods._C_API"

struct RecordMethodsApi {
  // A new dict equal to cls.from_address(address).to_dict() (to_str_dict() when
  // decode_text), made straight from the memory. Returns null with no error set when cls is
  // not a record class that uses the stock from_address and to_dict (or to_str_dict), so the
  // caller goes through the class's own methods; null with an error set on failure.
  PyObject *(*dict_at)(PyObject *cls, const void *address, bool decode_text);
};
