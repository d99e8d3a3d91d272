// No C++ exception may cross into the interpreter, which cannot unwind through it, nor into
// the vendor's thread, which would end the process. Every entry point and every callback
// ends in one of these when one escapes its code.
#pragma once

#include "vendor_calls.h"

// Raises the C++ exception being handled as the matching Python exception.
inline void raise_thrown() noexcept { raise_vendor_exception(std::current_exception()); }

// Reports the C++ exception being handled as unraisable under `context`; the interpreter
// lock must be held.
inline void report_thrown(const char *context) noexcept {
  raise_thrown();
  report_unraisable(context);
}
