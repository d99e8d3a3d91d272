// Where an event becomes a method call: the bridge functions look up the trader's handler,
// turn each vendor record into a dict with its record class, and call the handler. A failure
// at any step, a C++ exception included, is reported as unraisable and the vendor never hears
// of it.
#include "CTraderAPI.h"

#include "exception_boundary.h"
#include "exit_handoff.h"
#include "python_support.h"
#include "record_methods.h"
#include "trader_methods.h"

namespace {

// What one event needs by name; made once, on the event's first delivery.
struct EventNames {
  EventNames(const char *event, const char *record, const char *context)
      : handler(PyUnicode_InternFromString(event)),
        record_class(record ? PyUnicode_InternFromString(record) : nullptr),
        context(context) {}
  PyObject *handler;
  PyObject *record_class;
  const char *context;
};

// The record methods' C++ interface, imported on first use (base_field, which the extension's
// record module imports, has loaded it by then); null with an error set if it cannot be.
const RecordMethodsApi *record_methods() {
  static const RecordMethodsApi *api = nullptr;
  if (api == nullptr) {
    api = static_cast<const RecordMethodsApi *>(PyCapsule_Import(RECORD_METHODS_CAPSULE, 0));
  }
  return api;
}

// A new dict of the record's fields: <record_class>.from_address(address).<method>(), the
// class looked up now; a null record gives an empty dict and no lookup. A record class with
// the stock methods has its dict made straight from the vendor's memory, as those methods
// would make it, without a record object in between. Either way no record object outlives
// this call, so no handler ever holds a view of memory the vendor reuses.
PyRef record_dict(PyObject *record_class, const void *record, PyObject *method, bool decode_text) {
  if (record == nullptr) {
    return PyRef(PyDict_New());
  }
  PyRef cls = lookup_global(record_class);
  const RecordMethodsApi *api = cls ? record_methods() : nullptr;
  if (api == nullptr) {
    return {};
  }
  PyRef direct(api->dict_at(cls.get(), record, decode_text));
  if (direct || PyErr_Occurred()) {
    return direct;
  }
  PyRef from_address = get_attribute(cls.get(), QV_NAME("from_address"));
  PyRef address = from_address ? PyRef(PyLong_FromVoidPtr(const_cast<void *>(record))) : PyRef();
  PyRef view = address ? call_object(from_address.get(), {address.get()}) : PyRef();
  return view ? call_method(view.get(), method, {}) : PyRef();
}

PyRef info_dict(const CThostFtdcRspInfoField *info) {
  return record_dict(QV_NAME("RspInfoField"), info, QV_NAME("to_str_dict"), true);
}

PyRef data_dict(const EventNames &names, const void *record) {
  return record_dict(names.record_class, record, QV_NAME("to_dict"), false);
}

// A handler asked the program to exit. Exiting on the vendor's thread would finalize the
// interpreter under the main thread's feet (and hang a main thread waiting in Join), so the
// trader is released here, which ends such a wait, and the request is raised again in the
// main thread, which exits as if it had asked itself.
void exit_through_main_thread(PyObject *self) {
  PyObject *type, *value, *traceback;
  PyErr_Fetch(&type, &value, &traceback);
  PyErr_NormalizeException(&type, &value, &traceback);
  Py_XDECREF(type);
  Py_XDECREF(traceback);
  // Handed over first, so that a main thread whose Join the release ends finds it waiting.
  PyRef exit(value);
  if (exit) {
    hand_exit_to_main_thread(exit.get());
  }
  if (!release_vendor_object(as_trader(self))) {
    report_unraisable("Quorvan.CTP.TraderApiBase.TraderApiBase.Release");
  }
}

void finish(PyObject *self, const EventNames &names, PyRef result) {
  if (result) {
    return;
  }
  if (PyErr_ExceptionMatches(PyExc_SystemExit)) {
    exit_through_main_thread(self);
  } else {
    report_unraisable(names.context);
  }
}

PyObject *flag(bool value) { return value ? Py_True : Py_False; }

void deliver_front_connected(PyObject *self, const EventNames &names) {
  PyRef handler = get_attribute(self, names.handler);
  finish(self, names, handler ? call_object(handler.get(), {}) : PyRef());
}

void deliver_int(PyObject *self, const EventNames &names, int number) {
  PyRef handler = get_attribute(self, names.handler);
  PyRef value = handler ? PyRef(PyLong_FromLong(number)) : PyRef();
  finish(self, names, value ? call_object(handler.get(), {value.get()}) : PyRef());
}

void deliver_rsp_error(PyObject *self, const EventNames &names, const CThostFtdcRspInfoField *info,
                       int request_id, bool is_last) {
  PyRef handler = get_attribute(self, names.handler);
  PyRef info_value = handler ? info_dict(info) : PyRef();
  PyRef id = info_value ? PyRef(PyLong_FromLong(request_id)) : PyRef();
  finish(self, names,
         id ? call_object(handler.get(), {info_value.get(), id.get(), flag(is_last)}) : PyRef());
}

void deliver_rsp(PyObject *self, const EventNames &names, const void *record,
                 const CThostFtdcRspInfoField *info, int request_id, bool is_last) {
  PyRef handler = get_attribute(self, names.handler);
  PyRef data = handler ? data_dict(names, record) : PyRef();
  PyRef info_value = data ? info_dict(info) : PyRef();
  PyRef id = info_value ? PyRef(PyLong_FromLong(request_id)) : PyRef();
  finish(self, names,
         id ? call_object(handler.get(), {data.get(), info_value.get(), id.get(), flag(is_last)})
            : PyRef());
}

void deliver_err_rtn(PyObject *self, const EventNames &names, const void *record,
                     const CThostFtdcRspInfoField *info) {
  PyRef handler = get_attribute(self, names.handler);
  PyRef data = handler ? data_dict(names, record) : PyRef();
  PyRef info_value = data ? info_dict(info) : PyRef();
  finish(self, names,
         info_value ? call_object(handler.get(), {data.get(), info_value.get()}) : PyRef());
}

void deliver_rtn(PyObject *self, const EventNames &names, const void *record) {
  PyRef handler = get_attribute(self, names.handler);
  PyRef data = handler ? data_dict(names, record) : PyRef();
  finish(self, names, data ? call_object(handler.get(), {data.get()}) : PyRef());
}

}  // namespace

#define QV_RECORD_CLASS_FrontConnected(Record) nullptr
#define QV_RECORD_CLASS_IntArg(Record) nullptr
#define QV_RECORD_CLASS_RspError(Record) nullptr
#define QV_RECORD_CLASS_Rsp(Record) #Record "Field"
#define QV_RECORD_CLASS_ErrRtn(Record) #Record "Field"
#define QV_RECORD_CLASS_Rtn(Record) #Record "Field"

#define QV_DELIVER_FrontConnected(Param) deliver_front_connected(self, names)
#define QV_DELIVER_IntArg(Param) deliver_int(self, names, Param)
#define QV_DELIVER_RspError(Param) deliver_rsp_error(self, names, pRspInfo, nRequestID, bIsLast)
#define QV_DELIVER_Rsp(Param) deliver_rsp(self, names, Param, pRspInfo, nRequestID, bIsLast)
#define QV_DELIVER_ErrRtn(Param) deliver_err_rtn(self, names, Param, pRspInfo)
#define QV_DELIVER_Rtn(Param) deliver_rtn(self, names, Param)

#define QV_CONTEXT(Name) "Quorvan.CTP.TraderApiBase.TraderSpi_" #Name

#define EVENT(Shape, Name, Record, Param, Handler)                                             \
  void TraderSpi_##Name(PyObject *self QV_COMMA_PARAMS_##Shape(Record, Param)) noexcept {      \
    try {                                                                                      \
      static const EventNames names(#Name, QV_RECORD_CLASS_##Shape(Record), QV_CONTEXT(Name)); \
      QV_DELIVER_##Shape(Param);                                                               \
    } catch (...) {                                                                            \
      report_thrown(QV_CONTEXT(Name));                                                         \
    }                                                                                          \
  }
#include "events.def"
