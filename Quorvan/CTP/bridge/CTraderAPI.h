// The callback bridge: the handler object the vendor library calls on its own thread.
#pragma once

#include <Python.h>

#include <atomic>

#include "ThostFtdcTraderApi.h"

class CTraderSpi final : public CThostFtdcTraderSpi {
public:
    explicit CTraderSpi(PyObject *trader) : self(trader) {}

    // The trader object that receives the events. Borrowed: the trader owns the bridge, and
    // detaches it from the vendor before the trader's memory goes.
    PyObject *self;

    // Set by Release, under the interpreter lock, before the vendor is told to detach: an
    // event that was already waiting for the lock then finds it set and leaves the trader
    // object alone.
    std::atomic<bool> detached{false};
};
