#include "broker_test_support.h"

#include <gtest/gtest.h>

#include <utility>

#include "broker/reference/configuration.h"
#include "broker/record_text.h"
#include "broker/store.h"

namespace simtest {

using simtrader::SetText;
using simtrader::TextOf;

std::shared_ptr<simtrader::Broker> MakeBroker(const std::string &config_text) {
  simtrader::BrokerConfig config;
  simtrader::ApplyConfigText(config, config_text);
  return std::make_shared<simtrader::Broker>(config, simtrader::MakeMemoryStore());
}

std::shared_ptr<simtrader::Broker> MakeBroker(const std::string &config_text,
                                              std::unique_ptr<simtrader::BrokerStore> store) {
  simtrader::BrokerConfig config;
  simtrader::ApplyConfigText(config, config_text);
  return std::make_shared<simtrader::Broker>(config, std::move(store));
}

std::optional<int> BrokerEvent::error_id() const {
  if (!args.rsp_info) return std::nullopt;
  return args.rsp_info->ErrorID;
}

std::string BrokerEvent::error_message() const {
  return args.rsp_info ? TextOf(args.rsp_info->ErrorMsg) : "";
}

bool InlineMailbox::Post(Work work) {
  if (released_) return false;
  work(*this);
  return true;
}

std::vector<BrokerEvent> InlineMailbox::Take() { return std::exchange(events_, {}); }

void InlineMailbox::Raise(int event, simtrader::EventArgs &args) {
  events_.push_back({simtrader::GetEvent(event).name, args});
}

std::vector<BrokerEvent> Named(const std::vector<BrokerEvent> &events, const std::string &name) {
  std::vector<BrokerEvent> named;
  for (const BrokerEvent &event : events) {
    if (event.name == name) named.push_back(event);
  }
  return named;
}

std::vector<std::string> Names(const std::vector<BrokerEvent> &events) {
  std::vector<std::string> names;
  for (const BrokerEvent &event : events) names.push_back(event.name);
  return names;
}

BrokerClient::BrokerClient(std::shared_ptr<simtrader::Broker> broker, THOST_TE_RESUME_TYPE resume)
    : BrokerClient(std::move(broker), simtrader::FlowSubscription{resume, nullptr},
                   simtrader::FlowSubscription{}) {}

BrokerClient::BrokerClient(std::shared_ptr<simtrader::Broker> broker,
                           simtrader::FlowSubscription private_flow,
                           simtrader::FlowSubscription public_flow)
    : broker_(std::move(broker)),
      link_(std::make_shared<simtrader::ClientLink>(mailbox_, std::move(private_flow),
                                                    std::move(public_flow))) {}

BrokerClient::~BrokerClient() { broker_->Disconnect(*link_); }

int BrokerClient::Authenticate(const std::string &user, const std::string &app_id,
                               const std::string &auth_code) {
  CThostFtdcReqAuthenticateField request{};
  SetText(request.BrokerID, "9999");
  SetText(request.UserID, user);
  SetText(request.AppID, app_id);
  SetText(request.AuthCode, auth_code);
  broker_->Authenticate(link_, request, next_request_id_++);
  const std::vector<BrokerEvent> events = Take();
  EXPECT_EQ(Names(events), std::vector<std::string>{"OnRspAuthenticate"});
  return events.empty() ? -1 : events.back().error_id().value_or(-1);
}

int BrokerClient::Login(const std::string &investor, const std::string &password) {
  CThostFtdcReqUserLoginField request{};
  SetText(request.BrokerID, "9999");
  SetText(request.UserID, investor);
  SetText(request.Password, password);
  broker_->Login(link_, request, next_request_id_++);
  const std::vector<BrokerEvent> responses = Named(Take(), "OnRspUserLogin");
  EXPECT_EQ(responses.size(), 1u);
  if (responses.empty()) return -1;
  if (responses.back().has_record()) {
    session_id_ = responses.back().As<CThostFtdcRspUserLoginField>().SessionID;
  }
  return responses.back().error_id().value_or(-1);
}

CThostFtdcRspUserLoginField BrokerClient::LogIn(const std::string &investor,
                                                const std::string &password) {
  EXPECT_EQ(Authenticate(investor), 0);
  CThostFtdcReqUserLoginField request{};
  SetText(request.BrokerID, "9999");
  SetText(request.UserID, investor);
  SetText(request.Password, password);
  broker_->Login(link_, request, next_request_id_++);
  const std::vector<BrokerEvent> logins = Named(Take(), "OnRspUserLogin");
  EXPECT_EQ(logins.size(), 1u);
  EXPECT_EQ(logins.at(0).error_id(), 0);
  const auto response = logins.at(0).As<CThostFtdcRspUserLoginField>();
  session_id_ = response.SessionID;
  broker_->ConfirmSettlement(link_, CThostFtdcSettlementInfoConfirmField{}, next_request_id_++);
  const std::vector<BrokerEvent> confirmations = Take();
  EXPECT_EQ(Names(confirmations), std::vector<std::string>{"OnRspSettlementInfoConfirm"});
  return response;
}

CThostFtdcInputOrderField BrokerClient::Order(const std::string &instrument, char direction,
                                              char offset, double price, int volume,
                                              const std::string &exchange) {
  CThostFtdcInputOrderField order{};
  SetText(order.BrokerID, "9999");
  SetText(order.InstrumentID, instrument);
  SetText(order.ExchangeID, exchange);
  SetText(order.OrderRef, std::to_string(next_order_ref_++));
  order.OrderPriceType = THOST_FTDC_OPT_LimitPrice;
  order.Direction = direction;
  order.CombOffsetFlag[0] = offset;
  order.CombHedgeFlag[0] = THOST_FTDC_HF_Speculation;
  order.LimitPrice = price;
  order.VolumeTotalOriginal = volume;
  order.TimeCondition = THOST_FTDC_TC_GFD;
  order.VolumeCondition = THOST_FTDC_VC_AV;
  order.MinVolume = 1;
  order.ContingentCondition = THOST_FTDC_CC_Immediately;
  order.ForceCloseReason = THOST_FTDC_FCC_NotForceClose;
  Send(order);
  return order;
}

void BrokerClient::Send(const CThostFtdcInputOrderField &order) {
  broker_->InsertOrder(link_, order, next_request_id_++);
}

void BrokerClient::CancelByRef(const std::string &order_ref) {
  CThostFtdcInputOrderActionField action{};
  SetText(action.OrderRef, order_ref);
  action.FrontID = simtrader::Broker::kFrontID;
  action.SessionID = session_id_;
  action.ActionFlag = THOST_FTDC_AF_Delete;
  broker_->ActOnOrder(link_, action, next_request_id_++);
}

void BrokerClient::CancelBySysID(const std::string &exchange, const std::string &order_sys_id) {
  CThostFtdcInputOrderActionField action{};
  SetText(action.ExchangeID, exchange);
  SetText(action.OrderSysID, order_sys_id);
  action.ActionFlag = THOST_FTDC_AF_Delete;
  broker_->ActOnOrder(link_, action, next_request_id_++);
}

template <typename Record>
std::vector<Record> BrokerClient::Records(const std::vector<BrokerEvent> &events) {
  std::vector<Record> records;
  for (std::size_t index = 0; index < events.size(); ++index) {
    EXPECT_EQ(events[index].args.is_last, index + 1 == events.size());
    if (events[index].has_record()) records.push_back(events[index].As<Record>());
  }
  return records;
}

CThostFtdcTradingAccountField BrokerClient::Account() {
  broker_->QueryTradingAccount(link_, CThostFtdcQryTradingAccountField{}, next_request_id_++);
  const std::vector<CThostFtdcTradingAccountField> records =
      Records<CThostFtdcTradingAccountField>(Named(Take(), "OnRspQryTradingAccount"));
  EXPECT_EQ(records.size(), 1u);
  return records.empty() ? CThostFtdcTradingAccountField{} : records.front();
}

std::vector<CThostFtdcInvestorPositionField> BrokerClient::Positions() {
  broker_->QueryPositions(link_, CThostFtdcQryInvestorPositionField{}, next_request_id_++);
  return Records<CThostFtdcInvestorPositionField>(Named(Take(), "OnRspQryInvestorPosition"));
}

}  // namespace simtest
