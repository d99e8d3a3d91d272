// The do-nothing handlers of every event the login chain does not handle itself: they accept
// the event's arguments as the bridge passes them and return None, for a subclass to override.
#include <array>

#include "event_shapes.h"
#include "trader_methods.h"

namespace {

PyObject *accept_one(const char *name, Py_ssize_t nargs, PyObject *kwnames) {
  if (!check_one_argument(name, nargs, kwnames)) {
    return method_failed(name);
  }
  Py_RETURN_NONE;
}

PyObject *accept(const Parameters &parameters, PyObject *const *args, Py_ssize_t nargs,
                 PyObject *kwnames) {
  PyObject *values[4];
  if (!bind_arguments(parameters, args, nargs, kwnames, values)) {
    return method_failed(parameters.function);
  }
  Py_RETURN_NONE;
}

}  // namespace

// A handler of one parameter takes it by position only, as a built-in function of one
// argument does; the others bind by position or by name, as the bridge may pass them.
#define QV_HANDLER_Session(Shape, Name, Param)
#define QV_HANDLER_Default(Shape, Name, Param)                                 \
  QV_METHOD(method_##Name) {                                                   \
    (void)self;                                                                \
    static const std::array<const char *, EVENT_PARAMETER_COUNT(Shape)> names{ \
        {EVENT_PARAMETER_NAMES(Shape, Param)}};                                \
    constexpr Py_ssize_t count = EVENT_PARAMETER_COUNT(Shape);                 \
    static const Parameters parameters{#Name, names.data(), count, count};     \
    return count == 1 ? accept_one(#Name, nargs, kwnames)                      \
                      : accept(parameters, args, nargs, kwnames);              \
  }
#define EVENT(Shape, Name, Record, Param, Handler, ...) QV_HANDLER_##Handler(Shape, Name, Param)
#include "events.def"
