// cancel_order: the delete action for an order named both by its reference within a front and
// session (those of the current login unless given) and by its exchange order number.
#include "trader_methods.h"

#include "docstring.h"
#include "order_reference.h"
#include "record_builder.h"

namespace {

const char *const kCancelNames[] = {"exchange_id", "instrument_id", "order_ref",
                                    "order_sysid", "front_id",      "session_id"};
const Parameters kCancelOrder{"cancel_order", kCancelNames, 3, 6};

// The argument, or self.<attribute> when the argument equals 0.
PyRef argument_or_login(PyObject *self, PyObject *argument, PyObject *attribute) {
  if (argument == nullptr) {
    return get_attribute(self, attribute);
  }
  PyRef zero(PyLong_FromLong(0));
  const int is_zero = zero ? PyObject_RichCompareBool(argument, zero.get(), Py_EQ) : -1;
  if (is_zero < 0) {
    return {};
  }
  return is_zero ? get_attribute(self, attribute) : PyRef::borrowed(argument);
}

}  // namespace

const char kCancelOrderDoc[] = QV_DOC(
    QV_DOC_LINE("撤单请求。将撤单结构体参数传递给父类方法ReqOrderAction执行。")
        QV_DOC_LINE(":param exchange_id:交易所ID") QV_DOC_LINE(":param instrument_id:合约ID")
            QV_DOC_LINE(":param order_ref:报单引用，用来标识订单来源。根据该标识撤单。")
                QV_DOC_LINE(":param order_sysid:系统ID，当录入成功时，可在回报/通知中获取该字段。")
                    QV_DOC_LINE(":return:"));

QV_METHOD(method_cancel_order) {
  PyObject *values[6];
  if (!bind_arguments(kCancelOrder, args, nargs, kwnames, values)) {
    return method_failed("cancel_order");
  }
  PyRef empty_sysid(values[3] ? nullptr : PyBytes_FromString(""));
  PyObject *const order_sysid = values[3] ? values[3] : empty_sysid.get();
  PyRef action_ref = order_sysid ? next_order_ref(self) : PyRef();
  if (!action_ref) {
    return method_failed("cancel_order");
  }
  static const auto request = QV_TRADER_REQUEST(ReqOrderAction);
  PyRef result =
      RecordBuilder(QV_NAME("InputOrderActionField"))
          .add_attribute("BrokerID", self, QV_NAME("broker_id"))
          .add_attribute("InvestorID", self, QV_NAME("investor_id"))
          .add("OrderActionRef", std::move(action_ref))
          .add_bytes("OrderRef", values[2])
          .add_computed("FrontID",
                        [&] { return argument_or_login(self, values[4], QV_NAME("front_id")); })
          .add_computed("SessionID",
                        [&] { return argument_or_login(self, values[5], QV_NAME("session_id")); })
          .add_bytes("ExchangeID", values[0])
          .add_bytes("OrderSysID", order_sysid)
          .add_global("ActionFlag", QV_NAME("ActionFlag_Delete"))
          .add_attribute("UserID", self, QV_NAME("investor_id"))
          .add_bytes("InstrumentID", values[1])
          .send(self, request);
  return result ? result.release() : method_failed("cancel_order");
}
