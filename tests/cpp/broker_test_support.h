// Driving a simulated broker without threads: a client whose events are raised into a record
// the moment the broker posts them, and vendor records built as the extension builds them.
#ifndef BROKER_TEST_SUPPORT_H
#define BROKER_TEST_SUPPORT_H

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ThostFtdcTraderApi.h"
#include "broker/broker.h"
#include "broker/client_link.h"
#include "api/connection.h"

namespace simtest {

// A broker made from the built-in configuration with `config_text` applied.
std::shared_ptr<simtrader::Broker> MakeBroker(const std::string &config_text = "");
// The same, keeping its state in `store`.
std::shared_ptr<simtrader::Broker> MakeBroker(const std::string &config_text,
                                              std::unique_ptr<simtrader::BrokerStore> store);

struct BrokerEvent {
  std::string name;
  simtrader::EventArgs args;

  bool has_record() const { return !args.record.empty(); }
  template <typename Record>
  Record As() const {
    Record record{};
    std::memcpy(&record, args.record.data(), std::min(args.record.size(), sizeof record));
    return record;
  }
  std::optional<int> error_id() const;
  std::string error_message() const;  // GB18030, as sent
};

// Runs posted work at once on the poster's thread, recording the events it raises.
class InlineMailbox final : public simtrader::ApiMailbox, private simtrader::EventRaiser {
 public:
  bool Post(Work work) override;
  bool released() const override { return released_; }
  void Release() { released_ = true; }
  std::vector<BrokerEvent> Take();
  // Records the events raised through it too, as a line that drops raises what it held.
  simtrader::EventRaiser &raiser() { return *this; }

 private:
  void Raise(int event, simtrader::EventArgs &args) override;

  bool released_ = false;
  std::vector<BrokerEvent> events_;
};

// One connection to a broker.
class BrokerClient {
 public:
  explicit BrokerClient(std::shared_ptr<simtrader::Broker> broker,
                        THOST_TE_RESUME_TYPE resume = THOST_TERT_QUICK);
  BrokerClient(std::shared_ptr<simtrader::Broker> broker, simtrader::FlowSubscription private_flow,
               simtrader::FlowSubscription public_flow);
  ~BrokerClient();

  simtrader::Broker &broker() { return *broker_; }
  const simtrader::Broker::Link &link() const { return link_; }
  InlineMailbox &mailbox() { return *mailbox_; }
  // The events since the last Take.
  std::vector<BrokerEvent> Take() { return mailbox_->Take(); }

  // Each returns the ErrorID of its response.
  int Authenticate(const std::string &user, const std::string &app_id = "app",
                   const std::string &auth_code = "code");
  int Login(const std::string &investor, const std::string &password = "pw");
  // Authenticates, logs in and confirms the settlement, expecting each to succeed; returns
  // the login response.
  CThostFtdcRspUserLoginField LogIn(const std::string &investor,
                                    const std::string &password = "pw");

  // Sends an order as the extension's insert_order does, its reference the next of the
  // client's counter.
  CThostFtdcInputOrderField Order(const std::string &instrument, char direction, char offset,
                                  double price, int volume, const std::string &exchange = "");
  void Send(const CThostFtdcInputOrderField &order);
  // Cancels by reference within this client's session.
  void CancelByRef(const std::string &order_ref);
  void CancelBySysID(const std::string &exchange, const std::string &order_sys_id);

  // Query answers; the events queued before them are dropped.
  CThostFtdcTradingAccountField Account();
  std::vector<CThostFtdcInvestorPositionField> Positions();

  int session_id() const { return session_id_; }

 private:
  template <typename Record>
  std::vector<Record> Records(const std::vector<BrokerEvent> &events);

  std::shared_ptr<simtrader::Broker> broker_;
  std::shared_ptr<InlineMailbox> mailbox_ = std::make_shared<InlineMailbox>();
  simtrader::Broker::Link link_;
  int next_order_ref_ = 1;
  int next_request_id_ = 1;
  int session_id_ = 0;
};

// The events of `events` named `name`.
std::vector<BrokerEvent> Named(const std::vector<BrokerEvent> &events, const std::string &name);
std::vector<std::string> Names(const std::vector<BrokerEvent> &events);

// Prices and money compare to the cent.
inline constexpr double kCent = 0.005;

}  // namespace simtest

#endif
