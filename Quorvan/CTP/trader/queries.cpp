// The account and instrument queries: each builds its query record and sends it with the
// matching request method; the answers arrive later at the OnRspQry... handlers.
#include "trader_methods.h"

#include "docstring.h"
#include "record_builder.h"

namespace {

// The four queries of the trader's own orders, trades, positions and position details.
template <class Request>
PyObject *query_own(PyObject *self, Py_ssize_t nargs, PyObject *kwnames, const char *method,
                    PyObject *record_class, const Request &request) {
  if (!check_no_arguments(method, nargs, kwnames)) {
    return method_failed(method);
  }
  PyRef result = RecordBuilder(record_class)
                     .add_attribute("BrokerID", self, QV_NAME("broker_id"))
                     .add_attribute("InvestorID", self, QV_NAME("investor_id"))
                     .send(self, request);
  return result ? result.release() : method_failed(method);
}

const char *const kInstrumentNames[] = {"instrument_id", "exchange_id", "product_id"};
const Parameters kQueryInstrument{"query_instrument", kInstrumentNames, 0, 3};

}  // namespace

#define QV_QUERY_DOC(text) QV_DOC(QV_DOC_LINE(text) QV_DOC_LINE(":return:"))
const char kQueryOrderDoc[] = QV_QUERY_DOC("查询订单。");
const char kQueryTradeDoc[] = QV_QUERY_DOC("查询成交。");
const char kQueryPositionDoc[] = QV_QUERY_DOC("查询持仓。");
const char kQueryPositionDetailDoc[] = QV_QUERY_DOC("查询持仓明细。");
const char kQueryTradingAccountDoc[] = QV_QUERY_DOC("查询资金。");

QV_METHOD(method_query_order) {
  (void)args;
  static const auto request = QV_TRADER_REQUEST(ReqQryOrder);
  return query_own(self, nargs, kwnames, "query_order", QV_NAME("QryOrderField"), request);
}

QV_METHOD(method_query_trade) {
  (void)args;
  static const auto request = QV_TRADER_REQUEST(ReqQryTrade);
  return query_own(self, nargs, kwnames, "query_trade", QV_NAME("QryTradeField"), request);
}

QV_METHOD(method_query_position) {
  (void)args;
  static const auto request = QV_TRADER_REQUEST(ReqQryInvestorPosition);
  return query_own(self, nargs, kwnames, "query_position", QV_NAME("QryInvestorPositionField"),
                   request);
}

QV_METHOD(method_query_position_detail) {
  (void)args;
  static const auto request = QV_TRADER_REQUEST(ReqQryInvestorPositionDetail);
  return query_own(self, nargs, kwnames, "query_position_detail",
                   QV_NAME("QryInvestorPositionDetailField"), request);
}

QV_METHOD(method_query_trading_account) {
  (void)args;
  if (!check_no_arguments("query_trading_account", nargs, kwnames)) {
    return method_failed("query_trading_account");
  }
  static const auto request = QV_TRADER_REQUEST(ReqQryTradingAccount);
  PyRef result = RecordBuilder(QV_NAME("QryTradingAccountField"))
                     .add_attribute("BrokerID", self, QV_NAME("broker_id"))
                     .add_attribute("AccountID", self, QV_NAME("investor_id"))
                     .add("CurrencyID", PyRef(PyBytes_FromString("CNY")))
                     .add_global("BizType", QV_NAME("BizType_Future"))
                     .send(self, request);
  return result ? result.release() : method_failed("query_trading_account");
}

QV_METHOD(method_query_instrument) {
  PyObject *values[3];
  if (!bind_arguments(kQueryInstrument, args, nargs, kwnames, values)) {
    return method_failed("query_instrument");
  }
  PyRef empty(PyBytes_FromString(""));
  for (PyObject *&value : values) {
    value = value ? value : empty.get();
  }
  static const auto request = QV_TRADER_REQUEST(ReqQryInstrument);
  PyRef result = RecordBuilder(QV_NAME("QryInstrumentField"))
                     .add_bytes("InstrumentID", values[0])
                     .add_bytes("ExchangeID", values[1])
                     .add_bytes("ProductID", values[2])
                     .send(self, request);
  return result ? result.release() : method_failed("query_instrument");
}
