// What a market-data object subscribes to: subscribe and unsubscribe, which remember the ids
// and send them in batches when logged in; the vendor's four subscription operations, which
// send at once and remember too; and the renewal of everything remembered after each login,
// so that no subscription is lost to a reconnection.
#include "md_methods.h"

#include <algorithm>

#include "docstring.h"
#include "record_builder.h"
#include "login_chain.h"

namespace {

// The ids one call to the vendor carries when subscribe, unsubscribe or a login's renewal
// send many: the vendor takes an array of any length, but each call is one message to the
// front, which a message of thousands of ids would hold up.
constexpr std::size_t kBatchSize = 100;

// The most bytes of an instrument id: the vendor's TThostFtdcInstrumentIDType keeps a NUL.
constexpr std::size_t kInstrumentRoom = sizeof(TThostFtdcInstrumentIDType) - 1;

using SubscriptionCall = int (CThostFtdcMdApi::*)(char *[], int);

// One id as the vendor's bytes; TypeError, ValueError or the encoding's error otherwise.
bool instrument_id(const char *method, PyObject *item, std::string *out) {
  PyRef bytes;
  if (PyUnicode_Check(item)) {
    bytes = to_bytes(item);
    if (!bytes) {
      return false;
    }
  } else if (PyBytes_Check(item)) {
    bytes = PyRef::borrowed(item);
  } else {
    PyErr_Format(PyExc_TypeError, "%s() takes instrument ids as str or bytes, not %.200s", method,
                 Py_TYPE(item)->tp_name);
    return false;
  }
  char *data;
  Py_ssize_t length;
  if (PyBytes_AsStringAndSize(bytes.get(), &data, &length) < 0) {
    return false;
  }
  const std::string id(data, static_cast<std::size_t>(length));
  if (id.empty() || id.size() > kInstrumentRoom || id.find('\0') != std::string::npos) {
    PyErr_Format(PyExc_ValueError,
                 "%s() takes instrument ids of 1 to %zu bytes without NUL, the vendor's field; "
                 "got %R",
                 method, kInstrumentRoom, item);
    return false;
  }
  *out = id;
  return true;
}

// Every id of `instruments`, each once in the order given, all checked before the caller
// sends any. A str or bytes on its own is refused rather than taken letter by letter.
bool instrument_ids(const char *method, PyObject *instruments, std::vector<std::string> *out) {
  if (PyUnicode_Check(instruments) || PyBytes_Check(instruments) ||
      PyByteArray_Check(instruments)) {
    PyErr_Format(PyExc_TypeError,
                 "%s() takes an iterable of instrument ids, not a single %.200s: put it in a "
                 "list",
                 method, Py_TYPE(instruments)->tp_name);
    return false;
  }
  PyRef iterator(PyObject_GetIter(instruments));
  if (!iterator) {
    if (PyErr_ExceptionMatches(PyExc_TypeError)) {
      PyErr_Format(PyExc_TypeError, "%s() takes an iterable of instrument ids, not %.200s", method,
                   Py_TYPE(instruments)->tp_name);
    }
    return false;
  }
  SubscriptionSet seen;
  while (PyRef item{PyIter_Next(iterator.get())}) {
    std::string id;
    if (!instrument_id(method, item.get(), &id)) {
      return false;
    }
    seen.add(id);
  }
  if (PyErr_Occurred()) {
    return false;
  }
  *out = seen.instruments();
  return true;
}

// Sends `ids` through `call`, `batch` at a time, with the lock released. *result is the
// vendor's first non-zero result (the batches after it are not sent), 0 when every batch
// went or there was nothing to send, -1 when the vendor object is gone. False with the
// vendor's exception set.
bool send_in_batches(MdObject *self, SubscriptionCall call, const std::vector<std::string> &ids,
                     std::size_t batch, int *result) {
  *result = 0;
  if (ids.empty()) {
    // A call for no instrument would ask the front for nothing.
    return true;
  }
  std::vector<char *> pointers;
  pointers.reserve(ids.size());
  for (const std::string &id : ids) {
    pointers.push_back(const_cast<char *>(id.c_str()));
  }
  std::size_t sent = 0;
  do {
    const std::size_t count = std::min(batch, pointers.size() - sent);
    bool no_api;
    if (!call_vendor_unlocked(self, &no_api, [&](CThostFtdcMdApi *api) {
          *result = (api->*call)(pointers.data() + sent, static_cast<int>(count));
        })) {
      return false;
    }
    if (no_api) {
      *result = -1;
    }
    sent += count;
  } while (*result == 0 && sent < pointers.size());
  return true;
}

// status == 0: logged in, so a subscription goes now rather than at the next login.
int logged_in(PyObject *self) {
  PyRef status = get_attribute(self, QV_NAME("status"));
  PyRef zero(PyLong_FromLong(0));
  return status && zero ? PyObject_RichCompareBool(status.get(), zero.get(), Py_EQ) : -1;
}

enum class Change { kAdd, kRemove };

void remember(SubscriptionSet *set, const std::vector<std::string> &ids, Change change) {
  for (const std::string &id : ids) {
    if (change == Change::kAdd) {
      set->add(id);
    } else {
      set->remove(id);
    }
  }
}

// subscribe and unsubscribe: remembered at once, sent in batches when logged in.
PyObject *change_market_data(PyObject *self, PyObject *const *args, Py_ssize_t nargs,
                             PyObject *kwnames, const char *method, Change change,
                             SubscriptionCall call) {
  std::vector<std::string> ids;
  if (!check_one_argument(method, nargs, kwnames) || !instrument_ids(method, args[0], &ids)) {
    return method_failed(method);
  }
  MdObject *md = as_md(self);
  remember(md->members.market_data, ids, change);
  const int now = logged_in(self);
  if (now < 0) {
    return method_failed(method);
  }
  int result = 0;
  if (now && !send_in_batches(md, call, ids, kBatchSize, &result)) {
    return method_failed(method);
  }
  return PyLong_FromLong(result);
}

// The vendor's own operations: every id in one call, sent now whatever the status, and
// remembered, so that a login renews what they subscribed too.
PyObject *vendor_subscription(PyObject *self, PyObject *const *args, Py_ssize_t nargs,
                              PyObject *kwnames, const char *method, SubscriptionSet *set,
                              Change change, SubscriptionCall call) {
  std::vector<std::string> ids;
  if (!check_one_argument(method, nargs, kwnames) || !instrument_ids(method, args[0], &ids)) {
    return method_failed(method);
  }
  remember(set, ids, change);
  int result = 0;
  if (!send_in_batches(as_md(self), call, ids, ids.size(), &result)) {
    return method_failed(method);
  }
  return PyLong_FromLong(result);
}

// Sends a remembered set again; a refusal is logged, since no caller hears of it.
bool renew(PyObject *self, const SubscriptionSet &set, SubscriptionCall call, const char *name) {
  int result = 0;
  if (!send_in_batches(as_md(self), call, set.instruments(), kBatchSize, &result)) {
    return false;
  }
  if (result == 0) {
    return true;
  }
  PyRef label = make_str(name);
  PyRef failure =
      labelled("Error:Fail to subscribe again, result ", PyRef(PyLong_FromLong(result)).get());
  return log_items(self, {label.get(), failure.get()});
}

}  // namespace

void SubscriptionSet::add(const std::string &instrument) {
  if (members_.insert(instrument).second) {
    ordered_.push_back(instrument);
  }
}

void SubscriptionSet::remove(const std::string &instrument) {
  if (members_.erase(instrument) != 0) {
    ordered_.erase(std::find(ordered_.begin(), ordered_.end(), instrument));
  }
}

bool renew_subscriptions(PyObject *self) {
  MdObject *md = as_md(self);
  // Copies: a handler run by the vendor during a send may change what is remembered.
  const SubscriptionSet market_data = *md->members.market_data;
  const SubscriptionSet for_quote = *md->members.for_quote;
  return renew(self, market_data, &CThostFtdcMdApi::SubscribeMarketData, "SubscribeMarketData") &&
         renew(self, for_quote, &CThostFtdcMdApi::SubscribeForQuoteRsp, "SubscribeForQuoteRsp");
}

const char kSubscribeDoc[] = QV_DOC(
    QV_DOC_LINE("subscribe(instruments) -> int") QV_DOC_LINE("") QV_DOC_LINE(
        "Subscribes to the market data of each instrument id of the iterable (str, encoded")
        QV_DOC_LINE("as the vendor's text, or bytes). Every id is checked before anything is sent:")
            QV_DOC_LINE("TypeError for a non-iterable, a lone str or bytes, or an id of another "
                        "type;") QV_DOC_LINE("ValueError for an empty id, one over 80 bytes or one "
                                             "holding a NUL; the encoding's")
                QV_DOC_LINE("error for text that does not encode. The ids are remembered in order, "
                            "each once,")
                    QV_DOC_LINE("and every login subscribes again to all of them. When logged in "
                                "(status 0) they are")
                        QV_DOC_LINE(
                            "sent at once, 100 to a call of SubscribeMarketData; otherwise the "
                            "next login sends") QV_DOC_LINE("them.") QV_DOC_LINE("")
                            QV_DOC_LINE(
                                "Returns 0 when every batch was sent, or when nothing was to "
                                "be sent now (not")
                                QV_DOC_LINE("logged in, or no ids); otherwise the first non-zero "
                                            "result of SubscribeMarketData,")
                                    QV_DOC_LINE("the later batches unsent. The ids stay remembered "
                                                "either way."));

const char kUnsubscribeDoc[] = QV_DOC(
    QV_DOC_LINE("unsubscribe(instruments) -> int") QV_DOC_LINE("") QV_DOC_LINE(
        "Ends the market data of each instrument id of the iterable, checked as subscribe")
        QV_DOC_LINE(
            "checks them, before anything is sent. The ids are forgotten, so no later login")
            QV_DOC_LINE(
                "subscribes to them again; when logged in (status 0) they are sent at once, 100 to")
                QV_DOC_LINE("a call of UnSubscribeMarketData.") QV_DOC_LINE("") QV_DOC_LINE(
                    "Returns 0 when every batch was sent, or when nothing was to be sent now (not")
                    QV_DOC_LINE("logged in, or no ids); otherwise the first non-zero result of")
                        QV_DOC_LINE("UnSubscribeMarketData, the later batches unsent."));

QV_METHOD(method_subscribe) {
  return change_market_data(self, args, nargs, kwnames, "subscribe", Change::kAdd,
                            &CThostFtdcMdApi::SubscribeMarketData);
}

QV_METHOD(method_unsubscribe) {
  return change_market_data(self, args, nargs, kwnames, "unsubscribe", Change::kRemove,
                            &CThostFtdcMdApi::UnSubscribeMarketData);
}

QV_METHOD(method_SubscribeMarketData) {
  return vendor_subscription(self, args, nargs, kwnames, "SubscribeMarketData",
                             as_md(self)->members.market_data, Change::kAdd,
                             &CThostFtdcMdApi::SubscribeMarketData);
}

QV_METHOD(method_UnSubscribeMarketData) {
  return vendor_subscription(self, args, nargs, kwnames, "UnSubscribeMarketData",
                             as_md(self)->members.market_data, Change::kRemove,
                             &CThostFtdcMdApi::UnSubscribeMarketData);
}

QV_METHOD(method_SubscribeForQuoteRsp) {
  return vendor_subscription(self, args, nargs, kwnames, "SubscribeForQuoteRsp",
                             as_md(self)->members.for_quote, Change::kAdd,
                             &CThostFtdcMdApi::SubscribeForQuoteRsp);
}

QV_METHOD(method_UnSubscribeForQuoteRsp) {
  return vendor_subscription(self, args, nargs, kwnames, "UnSubscribeForQuoteRsp",
                             as_md(self)->members.for_quote, Change::kRemove,
                             &CThostFtdcMdApi::UnSubscribeForQuoteRsp);
}
