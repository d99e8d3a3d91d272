// What Quorvan.utils._record_methods offers other extension modules, through the capsule
// RECORD_METHODS_CAPSULE: the event path turns vendor memory into a dict without making a
// record object first, or leaves it unmade when nobody will read it; a request's record is
// made without a dict of keywords, or filled straight into the vendor record it will be.
#pragma once

#include "python_compat.h"

#define RECORD_METHODS_CAPSULE "Quorvan.utils._record_methods._C_API"

struct RecordMethodsApi {
  // A new dict equal to cls.from_address(address).to_dict() (to_str_dict() when
  // decode_text), made straight from the memory. Returns null with no error set when cls is
  // not a record class that uses the stock from_address and to_dict (or to_str_dict), so the
  // caller goes through the class's own methods; null with an error set on failure.
  PyObject *(*dict_at)(PyObject *cls, const void *address, bool decode_text);
  // Whether dict_at makes cls's dicts itself, running no code of the class: whether a dict
  // that nobody will read may be left unmade. Never fails.
  bool (*reads_directly)(PyObject *cls, bool decode_text);
  // A new record equal to cls(**fields), the fields being `names` (strs) paired with
  // `values`, made and filled straight in its memory. Returns null with no error set when
  // calling cls would run anything but the stock construction, so the caller calls it; null
  // with an error set on failure.
  PyObject *(*make_record)(PyObject *cls, PyObject *const *names, PyObject *const *values,
                           Py_ssize_t count);
  // Fills `memory`, `size` bytes that the caller has zeroed, as cls(**fields) fills a new
  // record's memory, with the same checks and errors, but without the record: 1 when filled,
  // -1 with an error set on failure, 0 with no error set when calling cls would run anything
  // but the stock construction or its fields reach past `size`, so the caller calls it.
  int (*fill_memory)(PyObject *cls, void *memory, size_t size, PyObject *const *names,
                     PyObject *const *values, Py_ssize_t count);
};

// The interface as another extension module reaches it, imported on first use; null with an
// error set if it cannot be. The interpreter lock must be held.
inline const RecordMethodsApi *import_record_methods() {
  static const RecordMethodsApi *api = nullptr;
  if (api == nullptr) {
    api = static_cast<const RecordMethodsApi *>(PyCapsule_Import(RECORD_METHODS_CAPSULE, 0));
  }
  return api;
}
