// The do-nothing handlers of every event the session does not handle itself: they accept the
// event's arguments as the bridge passes them and return None, for a subclass to override.
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

#define QV_NAMES_RspError(Param) "pRspInfo", "nRequestID", "bIsLast"
#define QV_NAMES_Rsp(Param) #Param, "pRspInfo", "nRequestID", "bIsLast"
#define QV_NAMES_ErrRtn(Param) #Param, "pRspInfo"

#define QV_BOUND_HANDLER(Shape, Name, Param)                                              \
  QV_METHOD(method_##Name) {                                                              \
    (void)self;                                                                           \
    static const char *const names[] = {QV_NAMES_##Shape(Param)};                         \
    static const Parameters parameters{#Name, names, std::size(names), std::size(names)}; \
    return accept(parameters, args, nargs, kwnames);                                      \
  }
#define QV_POSITIONAL_HANDLER(Name)           \
  QV_METHOD(method_##Name) {                  \
    (void)self;                               \
    (void)args;                               \
    return accept_one(#Name, nargs, kwnames); \
  }

#define QV_DEFAULT_IntArg(Name, Param) QV_POSITIONAL_HANDLER(Name)
#define QV_DEFAULT_Rtn(Name, Param) QV_POSITIONAL_HANDLER(Name)
#define QV_DEFAULT_RspError(Name, Param) QV_BOUND_HANDLER(RspError, Name, Param)
#define QV_DEFAULT_Rsp(Name, Param) QV_BOUND_HANDLER(Rsp, Name, Param)
#define QV_DEFAULT_ErrRtn(Name, Param) QV_BOUND_HANDLER(ErrRtn, Name, Param)

#define QV_HANDLER_Session(Shape, Name, Param)
#define QV_HANDLER_Default(Shape, Name, Param) QV_DEFAULT_##Shape(Name, Param)
#define EVENT(Shape, Name, Record, Param, Handler) QV_HANDLER_##Handler(Shape, Name, Param)
#include "events.def"
