// Order entry: insert_order builds a limit order good for the day from the account's
// attributes and sends it with ReqOrderInsert; the four helpers fill in direction and offset,
// the closing ones choosing close-today or close-yesterday on the two exchanges that tell them
// apart.
#include "trader_methods.h"

#include "docstring.h"
#include "order_reference.h"
#include "record_builder.h"

// Order entry issues the references; a cancellation takes its action reference from the same
// counter.
PyRef next_order_ref(PyObject *self) {
  PyRef current = get_attribute(self, QV_NAME("order_ref"));
  PyRef one(PyLong_FromLong(1));
  PyRef next = current && one ? PyRef(PyNumber_Add(current.get(), one.get())) : PyRef();
  if (!next || PyObject_SetAttr(self, QV_NAME("order_ref"), next.get()) < 0) {
    return {};
  }
  return next;
}

namespace {

const char *const kInsertNames[] = {"exchange_id", "instrument_id", "order_price",
                                    "order_vol",   "direction",     "offset_flag"};
const Parameters kInsertOrder{"insert_order", kInsertNames, 6, 6};
const char *const kOpenNames[] = {"exchange_id", "instrument_id", "order_price", "order_vol"};
const Parameters kBuyOpen{"buy_open", kOpenNames, 4, 4};
const Parameters kSellOpen{"sell_open", kOpenNames, 4, 4};
const char *const kCloseNames[] = {"exchange_id", "instrument_id", "order_price", "order_vol",
                                   "is_today"};
const Parameters kBuyClose{"buy_close", kCloseNames, 4, 5};
const Parameters kSellClose{"sell_close", kCloseNames, 4, 5};

PyRef send_order(PyObject *self, PyObject *const *order) {
  static const auto request = QV_TRADER_REQUEST(ReqOrderInsert);
  PyObject *const exchange_id = order[0], *const instrument_id = order[1];
  PyRef order_ref = next_order_ref(self);
  if (!order_ref) {
    return {};
  }
  PyRef result = RecordBuilder(QV_NAME("InputOrderField"))
                     .add_attribute("BrokerID", self, QV_NAME("broker_id"))
                     .add_attribute("InvestorID", self, QV_NAME("investor_id"))
                     .add_bytes("ExchangeID", exchange_id)
                     .add_bytes("InstrumentID", instrument_id)
                     .add_attribute("UserID", self, QV_NAME("investor_id"))
                     .add_global("OrderPriceType", QV_NAME("OrderPriceType_LimitPrice"))
                     .add("Direction", PyRef::borrowed(order[4]))
                     .add("CombOffsetFlag", PyRef::borrowed(order[5]))
                     .add_global("CombHedgeFlag", QV_NAME("HedgeFlag_Speculation"))
                     .add("LimitPrice", PyRef::borrowed(order[2]))
                     .add("VolumeTotalOriginal", PyRef::borrowed(order[3]))
                     .add_global("TimeCondition", QV_NAME("TimeCondition_GFD"))
                     .add_global("VolumeCondition", QV_NAME("VolumeCondition_AV"))
                     .add("MinVolume", PyRef(PyLong_FromLong(1)))
                     .add_global("ContingentCondition", QV_NAME("ContingentCondition_Immediately"))
                     .add("StopPrice", PyRef(PyLong_FromLong(0)))
                     .add_global("ForceCloseReason", QV_NAME("ForceCloseReason_NotForceClose"))
                     .add("IsAutoSuspend", PyRef(PyLong_FromLong(0)))
                     .add_bytes("OrderRef", order_ref.get())
                     .send(self, request);
  return result;
}

// self.insert_order(exchange_id, instrument_id, order_price, order_vol, <direction>, <offset>)
PyObject *place(PyObject *self, PyObject *const *values, PyObject *direction, PyRef offset,
                const char *method) {
  PyRef side = lookup_global(direction);
  PyRef insert = side && offset ? get_attribute(self, QV_NAME("insert_order")) : PyRef();
  if (!insert) {
    return method_failed(method);
  }
  static const PyMethodDef *const own_insert = trader_method_entry("insert_order");
  PyObject *const order[] = {values[0], values[1], values[2], values[3], side.get(), offset.get()};
  PyObject *result =
      is_own_method(insert.get(), self, own_insert)
          ? call_own_method(own_insert, self, order, 6)
          : call_object(insert.get(), {order[0], order[1], order[2], order[3], order[4], order[5]})
                .release();
  return result ? result : method_failed(method);
}

PyObject *open_position(PyObject *self, PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames,
                        const Parameters &parameters, PyObject *direction) {
  PyObject *values[4];
  if (!bind_arguments(parameters, args, nargs, kwnames, values)) {
    return method_failed(parameters.function);
  }
  return place(self, values, direction, lookup_global(QV_NAME("OffsetFlag_Open")),
               parameters.function);
}

// SHFE and INE keep today's and yesterday's positions apart; elsewhere a close is a close.
// The exchange id is told by the bytes the order carries, so that "SHFE" and b"SHFE" close
// the same position.
PyRef close_flag(PyObject *exchange_id, PyObject *is_today) {
  PyRef exchange_bytes = to_bytes(exchange_id);
  if (!exchange_bytes) {
    return {};
  }
  for (const char *exchange : {"SHFE", "INE"}) {
    PyRef name(PyBytes_FromString(exchange));
    const int equal = name ? PyObject_RichCompareBool(exchange_bytes.get(), name.get(), Py_EQ) : -1;
    if (equal < 0) {
      return {};
    }
    if (equal) {
      const int today = is_today ? PyObject_IsTrue(is_today) : 1;
      if (today < 0) {
        return {};
      }
      return lookup_global(today ? QV_NAME("OffsetFlag_CloseToday")
                                 : QV_NAME("OffsetFlag_CloseYesterday"));
    }
  }
  return lookup_global(QV_NAME("OffsetFlag_Close"));
}

PyObject *close_position(PyObject *self, PyObject *const *args, Py_ssize_t nargs, PyObject *kwnames,
                         const Parameters &parameters, PyObject *direction) {
  PyObject *values[5];
  if (!bind_arguments(parameters, args, nargs, kwnames, values)) {
    return method_failed(parameters.function);
  }
  return place(self, values, direction, close_flag(values[0], values[4]), parameters.function);
}

}  // namespace

const char kInsertOrderDoc[] = QV_DOC(
    QV_DOC_LINE("录入报单请求。将订单结构体参数传递给父类方法ReqOrderInsert执行。")
        QV_DOC_LINE(":param exchange_id:交易所ID。") QV_DOC_LINE(":param instrument_id:合约ID。")
            QV_DOC_LINE(":param order_price:报单价格。") QV_DOC_LINE(":param order_vol:报单手数。")
                QV_DOC_LINE(":param direction:买卖方向。") QV_DOC_LINE("(‘买 : 0’,)")
                    QV_DOC_LINE("(‘卖 : 1’,)")
                        QV_DOC_LINE(":param offset_flag:开平标志，只有SHFE和INE区分平今、平昨。")
                            QV_DOC_LINE("(‘开仓 : 0’,)") QV_DOC_LINE("(‘平仓 : 1’,)")
                                QV_DOC_LINE("(‘强平 : 2’,)") QV_DOC_LINE("(‘平今 : 3’,)")
                                    QV_DOC_LINE("(‘平昨 : 4’,)") QV_DOC_LINE("(‘强减 : 5’,)")
                                        QV_DOC_LINE("(‘本地强平 : 6’,)") QV_DOC_LINE(":return:"));

const char kBuyOpenDoc[] =
    QV_DOC(QV_DOC_LINE("买开仓。与卖平仓为一组对应交易。") QV_DOC_LINE(":param exchange_id: 交易所")
               QV_DOC_LINE(":param instrument_id: 合约") QV_DOC_LINE(":param order_price: 价格")
                   QV_DOC_LINE(":param order_vol: 数量") QV_DOC_LINE(":return:"));

#define QV_OPEN_PARAMETER_LINES        \
  QV_DOC_LINE(":param exchange_id:")   \
  QV_DOC_LINE(":param instrument_id:") \
  QV_DOC_LINE(":param order_price:")   \
  QV_DOC_LINE(":param order_vol:")

const char kSellOpenDoc[] = QV_DOC(QV_DOC_LINE("卖开仓。与买平仓为一组对应交易。")
                                       QV_OPEN_PARAMETER_LINES QV_DOC_LINE(":return:"));

const char kBuyCloseDoc[] =
    QV_DOC(QV_DOC_LINE("买平仓。与卖开仓为一组对应交易。SHFE与INE区分平今与平昨。")
               QV_OPEN_PARAMETER_LINES QV_DOC_LINE(":param is_today:") QV_DOC_LINE(":return:"));

const char kSellCloseDoc[] =
    QV_DOC(QV_DOC_LINE("卖平仓。与买开仓为一组对应交易。SHFE与INE区分平今与平昨。")
               QV_OPEN_PARAMETER_LINES QV_DOC_LINE(":param is_today:") QV_DOC_LINE(":return:"));

QV_METHOD(method_insert_order) {
  PyObject *values[6];
  if (!bind_arguments(kInsertOrder, args, nargs, kwnames, values)) {
    return method_failed("insert_order");
  }
  PyRef result = send_order(self, values);
  return result ? result.release() : method_failed("insert_order");
}

QV_METHOD(method_buy_open) {
  return open_position(self, args, nargs, kwnames, kBuyOpen, QV_NAME("Direction_Buy"));
}

QV_METHOD(method_sell_open) {
  return open_position(self, args, nargs, kwnames, kSellOpen, QV_NAME("Direction_Sell"));
}

QV_METHOD(method_buy_close) {
  return close_position(self, args, nargs, kwnames, kBuyClose, QV_NAME("Direction_Buy"));
}

QV_METHOD(method_sell_close) {
  return close_position(self, args, nargs, kwnames, kSellClose, QV_NAME("Direction_Sell"));
}
