// write_log: one line per logged step or event on standard output, stamped with the local
// time, the investor and the side (".td" for the trader, ".md" for market data). A subclass that
// defines its own write_log receives every line instead.
#pragma once

#include "python_support.h"

PyObject *write_log(const char *side, PyObject *self, PyObject *const *args, Py_ssize_t nargs,
                    PyObject *kwnames);
