// The default handlers of the events the login chain does not handle itself: a tick goes to
// md_queue, every other event is logged through write_log as the login chain logs its
// answers ("<event>", pRspInfo, "RequestID:..", "IsLast:..", record). A subclass overrides
// them.
#include <array>

#include "event_shapes.h"
#include "md_methods.h"
#include "login_chain.h"

namespace {

// Binds the event's arguments as the bridge passes them: a handler of one parameter takes it
// by position only, as a built-in function of one argument does; the others by position or
// by name.
bool bind_event(const Parameters &parameters, PyObject *const *args, Py_ssize_t nargs,
                PyObject *kwnames, PyObject **values) {
  if (parameters.n_max != 1) {
    return bind_arguments(parameters, args, nargs, kwnames, values);
  }
  if (!check_one_argument(parameters.function, nargs, kwnames)) {
    return false;
  }
  values[0] = args[0];
  return true;
}

// The log item of one argument: records and the response information as they are, numbers
// labelled with their parameter's name ("TimeLapse:" for nTimeLapse).
PyRef log_item(unsigned kind, const char *name, PyObject *value) {
  switch (kind) {
    case EVENT_KIND_INT:
      return labelled((std::string(name[0] == 'n' ? name + 1 : name) + ":").c_str(), value);
    case EVENT_KIND_REQUEST_ID:
      return labelled("RequestID:", value);
    case EVENT_KIND_IS_LAST:
      return labelled("IsLast:", value);
    default:
      return PyRef::borrowed(value);
  }
}

PyObject *log_event(const Parameters &parameters, const unsigned *kinds, PyObject *self,
                    PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames) {
  PyObject *values[4];
  if (!bind_event(parameters, args, nargs, kwnames, values)) {
    return method_failed(parameters.function);
  }
  PyRef items[5] = {make_str(parameters.function)};
  std::size_t count = 1;
  PyRef record;
  for (Py_ssize_t i = 0; i < parameters.n_max; ++i) {
    PyRef item = log_item(kinds[i], parameters.names[i], values[i]);
    if (!item) {
      return method_failed(parameters.function);
    }
    // The record goes last, as in the login chain's lines.
    if (kinds[i] == EVENT_KIND_RECORD) {
      record = std::move(item);
    } else {
      items[count++] = std::move(item);
    }
  }
  if (record) {
    items[count++] = std::move(record);
  }
  PyRef arguments(PyTuple_New(static_cast<Py_ssize_t>(count)));
  if (!arguments || !items[0]) {
    return method_failed(parameters.function);
  }
  for (std::size_t i = 0; i < count; ++i) {
    PyTuple_SET_ITEM(arguments.get(), static_cast<Py_ssize_t>(i), items[i].release());
  }
  PyRef write_log = get_attribute(self, QV_NAME("write_log"));
  PyRef result =
      write_log ? PyRef(PyObject_Call(write_log.get(), arguments.get(), nullptr)) : PyRef();
  return done(bool(result), parameters.function);
}

// The tick's dict to md_queue.put, looked up at each tick; nothing without a queue.
PyObject *hand_tick_to_queue(const Parameters &parameters, PyObject *self, PyObject *const *args,
                             Py_ssize_t nargs, PyObject *kwnames) {
  PyObject *tick;
  if (!bind_event(parameters, args, nargs, kwnames, &tick)) {
    return method_failed(parameters.function);
  }
  PyRef md_queue = get_attribute(self, QV_NAME("md_queue"));
  if (!md_queue) {
    return method_failed(parameters.function);
  }
  if (md_queue.get() != Py_None && !call_method(md_queue.get(), QV_NAME("put"), {tick})) {
    return method_failed(parameters.function);
  }
  Py_RETURN_NONE;
}

}  // namespace

#define QV_SLOT_KIND(Kind, Record, Param) EVENT_KIND_##Kind,
#define QV_EVENT_PARAMETERS(Shape, Name, Param)                              \
  static const std::array<const char *, EVENT_PARAMETER_COUNT(Shape)> names{ \
      {EVENT_PARAMETER_NAMES(Shape, Param)}};                                \
  static const std::array<unsigned, EVENT_PARAMETER_COUNT(Shape)> kinds{     \
      {EVENT_SHAPE_##Shape(QV_SLOT_KIND, , )}};                              \
  constexpr Py_ssize_t count = EVENT_PARAMETER_COUNT(Shape);                 \
  static const Parameters parameters{#Name, names.data(), count, count};     \
  (void)kinds;

#define QV_HANDLER_Session(Shape, Name, Param)
#define QV_HANDLER_Log(Shape, Name, Param)                                  \
  QV_METHOD(method_##Name) {                                                \
    QV_EVENT_PARAMETERS(Shape, Name, Param)                                 \
    return log_event(parameters, kinds.data(), self, args, nargs, kwnames); \
  }
#define QV_HANDLER_Tick(Shape, Name, Param)                            \
  QV_METHOD(method_##Name) {                                           \
    QV_EVENT_PARAMETERS(Shape, Name, Param)                            \
    return hand_tick_to_queue(parameters, self, args, nargs, kwnames); \
  }
#define EVENT(Shape, Name, Record, Param, Handler, ...) QV_HANDLER_##Handler(Shape, Name, Param)
#include "md_events.def"
