// The simulated broker's sessions: authentication and login, the answer every request gets,
// the private flow, and the configuration brokers are made from.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "connection/broker_directory.h"
#include "connection/broker_connection.h"
#include "broker/reference/configuration.h"
#include "broker/record_text.h"
#include "broker/vendor_errors.h"
#include "broker_test_support.h"
#include "operation.h"
#include "sim_test_support.h"

namespace {

using simtest::BrokerClient;
using simtest::BrokerEvent;
using simtest::MakeBroker;
using simtest::Named;
using simtest::Names;
using simtrader::Operation;
using simtrader::TextOf;
namespace errors = simtrader::vendor_error;

std::string UniqueFront() {
  static std::atomic<int> counter{0};
  return "tcp://broker-test-" + std::to_string(counter++) + ":1";
}

TEST(Login, AnyoneIsAcceptedAndTheFirstLoginSetsThePassword) {
  auto broker = MakeBroker();
  BrokerClient first(broker);
  ASSERT_EQ(first.Authenticate("U1", "any app", "any code"), 0);
  ASSERT_EQ(first.Login("U1", "first"), 0);

  BrokerClient impostor(broker);
  ASSERT_EQ(impostor.Authenticate("U1"), 0);
  ASSERT_EQ(impostor.Login("U1", "second"), errors::kInvalidLogin.id);

  BrokerClient again(broker);
  const CThostFtdcRspUserLoginField login = again.LogIn("U1", "first");
  EXPECT_EQ(login.FrontID, simtrader::Broker::kFrontID);
  EXPECT_GT(login.SessionID, first.session_id());
  EXPECT_EQ(TextOf(login.UserID), "U1");
  EXPECT_EQ(TextOf(login.BrokerID), "9999");
  EXPECT_EQ(TextOf(login.TradingDay), simtrader::LocalDate());
  EXPECT_EQ(TextOf(login.MaxOrderRef), "0");
}

TEST(Login, ReportsTheInvestorsHighestOrderReferenceOfTheDay) {
  auto broker = MakeBroker();
  BrokerClient trading(broker);
  trading.LogIn("U1");
  for (int order = 0; order < 3; ++order) {
    trading.Order("rb2705", THOST_FTDC_D_Buy, THOST_FTDC_OF_Open, 3100, 1);
  }
  BrokerClient later(broker);
  EXPECT_EQ(TextOf(later.LogIn("U1").MaxOrderRef), "3");
}

TEST(Login, WithoutAuthenticatingFirstIsRefused) {
  BrokerClient client(MakeBroker());
  EXPECT_EQ(client.Login("U1"), errors::kAuthenticationFailed.id);
}

TEST(Login, EndsWithALogout) {
  BrokerClient client(MakeBroker());
  client.LogIn("U1");
  client.broker().Logout(client.link(), CThostFtdcUserLogoutField{}, 5);
  EXPECT_EQ(Named(client.Take(), "OnRspUserLogout").at(0).error_id(), 0);
  client.Order("rb2705", THOST_FTDC_D_Buy, THOST_FTDC_OF_Open, 3201, 1);
  EXPECT_EQ(Named(client.Take(), "OnRspOrderInsert").at(0).error_id(), errors::kNotLoggedIn.id);
}

// Every request of the table, through the handler an API object gets.
std::vector<Operation> AllRequests() {
  return {
#define REQUEST(Name, Record, Param, ...) Operation::Name,
#include "requests.def"
  };
}

// The vendor's naming: ReqX is answered by OnRspX, and every way of logging in by
// OnRspUserLogin.
std::string ResponseName(Operation operation) {
  const std::string name = simtrader::OperationName(operation);
  if (name.rfind("ReqUserLoginWith", 0) == 0) return "OnRspUserLogin";
  return "OnRsp" + name.substr(3);
}

// A handler as an API object gets it, for a front of its own, raising into a record.
class BrokerHandler : public testing::Test {
 protected:
  void SetUp() override {
    simtrader::ConnectionContext context;
    context.front_address = UniqueFront();
    context.mailbox = mailbox_;
    handler_ = simtrader::MakeBrokerConnection(context);
    handler_->Connected();
  }

  template <typename Record>
  std::vector<BrokerEvent> Send(Operation operation, const Record &record, int request_id) {
    return Send(operation, std::string(reinterpret_cast<const char *>(&record), sizeof record),
                request_id);
  }

  // The record zero-filled beyond the bytes given.
  std::vector<BrokerEvent> Send(Operation operation, std::string record, int request_id) {
    record.resize(simtest::RequestRecordSize(operation));
    handler_->Handle(simtrader::Request{operation, record, request_id});
    return mailbox_->Take();
  }

  void LogIn() {
    CThostFtdcReqUserLoginField login{};
    simtrader::SetText(login.UserID, "U1");
    Send(Operation::ReqAuthenticate, "", 1);
    Send(Operation::ReqUserLogin, login, 2);
    Send(Operation::ReqSettlementInfoConfirm, "", 3);
  }

  std::shared_ptr<simtest::InlineMailbox> mailbox_ = std::make_shared<simtest::InlineMailbox>();
  std::unique_ptr<simtrader::Connection> handler_;
};

class EveryBrokerRequest : public BrokerHandler, public testing::WithParamInterface<Operation> {
 protected:
  std::string Name() const { return simtrader::OperationName(GetParam()); }
};

// The requests but the ways of logging in.
class EveryGuardedRequest : public EveryBrokerRequest {};

TEST_P(EveryGuardedRequest, BeforeLoginIsAnsweredNotLoggedIn) {
  const std::vector<BrokerEvent> events = Send(GetParam(), "", 17);
  ASSERT_EQ(Names(events), std::vector<std::string>{ResponseName(GetParam())});
  EXPECT_EQ(events[0].error_id(), errors::kNotLoggedIn.id);
  EXPECT_EQ(events[0].error_message(), errors::kNotLoggedIn.message);
  EXPECT_EQ(events[0].args.number, 17);
  EXPECT_TRUE(events[0].args.is_last);
  // The refusal carries a record, so that it can be tied to its request.
  EXPECT_EQ(events[0].args.record.size(),
            simtrader::GetEvent(*simtrader::FindEvent(ResponseName(GetParam()))).record_size);
}

TEST_P(EveryBrokerRequest, AfterLoginIsAnsweredByItsResponseTheLastFlagged) {
  LogIn();
  const std::vector<BrokerEvent> responses =
      Named(Send(GetParam(), "", 23), ResponseName(GetParam()));
  ASSERT_FALSE(responses.empty());
  if (Name().rfind("ReqQry", 0) != 0) {
    EXPECT_EQ(responses.size(), 1u);
  }
  for (std::size_t index = 0; index < responses.size(); ++index) {
    EXPECT_EQ(responses[index].args.number, 23);
    EXPECT_EQ(responses[index].args.is_last, index + 1 == responses.size());
  }
}

std::string RequestName(const testing::TestParamInfo<Operation> &info) {
  return simtrader::OperationName(info.param);
}

INSTANTIATE_TEST_SUITE_P(Broker, EveryBrokerRequest, testing::ValuesIn(AllRequests()), RequestName);

std::vector<Operation> GuardedRequests() {
  std::vector<Operation> guarded = AllRequests();
  guarded.erase(std::remove_if(guarded.begin(), guarded.end(),
                               [](Operation operation) {
                                 return operation == Operation::ReqAuthenticate ||
                                        ResponseName(operation) == "OnRspUserLogin";
                               }),
                guarded.end());
  return guarded;
}

INSTANTIATE_TEST_SUITE_P(Broker, EveryGuardedRequest, testing::ValuesIn(GuardedRequests()),
                         RequestName);

TEST_F(BrokerHandler, RefusesARequestItDoesNotServeAsUnsupportedWithItsRecord) {
  LogIn();
  CThostFtdcParkedOrderField parked{};
  simtrader::SetText(parked.InstrumentID, "rb2705");
  const std::vector<BrokerEvent> events = Send(Operation::ReqParkedOrderInsert, parked, 4);
  ASSERT_EQ(Names(events), std::vector<std::string>{"OnRspParkedOrderInsert"});
  EXPECT_EQ(events[0].error_id(), errors::kUnsupported.id);
  EXPECT_EQ(TextOf(events[0].As<CThostFtdcParkedOrderField>().InstrumentID), "rb2705");
}

// While the line is down the API object hands nothing on (it refuses the request), so the
// connection is only asked again once the line is back.
TEST_F(BrokerHandler, LogsInAfreshAfterTheLineWentDown) {
  LogIn();
  handler_->Disconnected(mailbox_->raiser());
  handler_->Connected();
  const std::vector<BrokerEvent> events = Send(Operation::ReqQryOrder, "", 5);
  ASSERT_EQ(Names(events), std::vector<std::string>{"OnRspQryOrder"});
  EXPECT_EQ(events[0].error_id(), errors::kNotLoggedIn.id);
}

TEST(PrivateFlow, ReachesEverySessionOfTheInvestorThatSubscribedOnly) {
  auto broker = MakeBroker();
  BrokerClient trader(broker);
  BrokerClient colleague(broker);
  BrokerClient unsubscribed(broker, THOST_TERT_NONE);
  BrokerClient stranger(broker);
  trader.LogIn("U1");
  colleague.LogIn("U1");
  unsubscribed.LogIn("U1");
  stranger.LogIn("U2");
  trader.Order("rb2705", THOST_FTDC_D_Buy, THOST_FTDC_OF_Open, 3201, 1);
  const std::vector<std::string> flow{"OnRtnOrder", "OnRtnOrder", "OnRtnOrder", "OnRtnTrade"};
  EXPECT_EQ(Names(trader.Take()), flow);
  EXPECT_EQ(Names(colleague.Take()), flow);
  EXPECT_TRUE(unsubscribed.Take().empty());
  EXPECT_TRUE(stranger.Take().empty());

  // Subscribing from the start brings the day's flow again after the login.
  BrokerClient restarting(broker, THOST_TERT_RESTART);
  restarting.Authenticate("U1");
  restarting.broker().Login(
      restarting.link(),
      [] {
        CThostFtdcReqUserLoginField login{};
        simtrader::SetText(login.UserID, "U1");
        simtrader::SetText(login.Password, "pw");
        return login;
      }(),
      9);
  std::vector<std::string> replayed{"OnRspUserLogin"};
  replayed.insert(replayed.end(), flow.begin(), flow.end());
  EXPECT_EQ(Names(restarting.Take()), replayed);
}

TEST(PrivateFlow, StopsAtAReleasedObject) {
  auto broker = MakeBroker();
  BrokerClient trader(broker);
  trader.LogIn("U1");
  trader.Order("rb2705", THOST_FTDC_D_Buy, THOST_FTDC_OF_Open, 3100, 1);
  trader.Take();
  trader.mailbox().Release();
  simtrader::MarketUpdate update;
  update.bid = 3099;
  update.ask = 3100;
  broker->SetMarket("rb2705", update);
  EXPECT_TRUE(trader.Take().empty());
  EXPECT_FALSE(broker->HasConnections());
}

struct ConfigRefusal {
  const char *name;
  const char *text;
  const char *message;
};

class ConfigText : public testing::TestWithParam<ConfigRefusal> {};

TEST_P(ConfigText, IsRefusedWholeWithAMessageNamingTheFault) {
  simtrader::BrokerConfig config;
  const std::string text = std::string("account investor=U0\n") + GetParam().text;
  try {
    simtrader::ApplyConfigText(config, text);
    FAIL() << "accepted";
  } catch (const std::invalid_argument &error) {
    EXPECT_NE(std::string(error.what()).find(GetParam().message), std::string::npos)
        << error.what();
    EXPECT_NE(std::string(error.what()).find("line 2"), std::string::npos) << error.what();
  }
  EXPECT_TRUE(config.accounts.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Broker, ConfigText,
    testing::Values(
        ConfigRefusal{"NotANumber", "instrument instrument_id=rb2705 price_tick=abc",
                      "price_tick 'abc' is not a finite number"},
        ConfigRefusal{"NotFinite", "instrument instrument_id=rb2705 last=nan",
                      "last 'nan' is not a finite number"},
        ConfigRefusal{"UnknownKey", "instrument instrument_id=rb2705 colour=red",
                      "colour is not a field of instrument"},
        ConfigRefusal{"NewWithoutMultiple",
                      "instrument instrument_id=xx01 exchange_id=SHFE price_tick=1 last=5",
                      "volume_multiple is required for a new instrument"},
        ConfigRefusal{"NewWithoutPrice",
                      "instrument instrument_id=xx01 exchange_id=SHFE price_tick=1 "
                      "volume_multiple=1",
                      "(or bid or ask) is required"},
        ConfigRefusal{"CrossedMarket", "instrument instrument_id=rb2705 bid=3300",
                      "the bid must be below the ask"},
        ConfigRefusal{"PriceOffTheTick", "instrument instrument_id=rb2705 last=3200.5",
                      "is not a multiple of the price tick"},
        ConfigRefusal{"NoTick", "instrument instrument_id=rb2705 price_tick=0",
                      "price_tick must be a positive number"},
        ConfigRefusal{"LastAboveTheLimit", "instrument instrument_id=rb2705 last=3425",
                      "last 3425 is outside the daily limits 2976 to 3424"},
        ConfigRefusal{"LimitsCrossed",
                      "instrument instrument_id=rb2705 upper_limit=3000 lower_limit=3100",
                      "the lower_limit must be positive and below the upper_limit"},
        ConfigRefusal{"ExchangeWithoutId", "exchange market_orders=1", "exchange_id is required"},
        ConfigRefusal{"ExchangeSwitchNotABool", "exchange exchange_id=SHFE market_orders=yes",
                      "market_orders 'yes' is not an integer"},
        ConfigRefusal{"ExchangeUnknownKey", "exchange exchange_id=SHFE fok=1",
                      "fok is not a field of exchange"},
        ConfigRefusal{"MarginSideNotASwitch", "exchange exchange_id=CFFEX max_margin_side=2",
                      "max_margin_side must be 1 (the larger side only) or 0 (both sides)"},
        ConfigRefusal{"NoVolumeCap", "instrument instrument_id=rb2705 max_limit_order_volume=0",
                      "max_limit_order_volume and max_market_order_volume must be positive"},
        ConfigRefusal{"AccountWithoutInvestor", "account password=x", "investor is required"},
        ConfigRefusal{"NegativeBalance", "account investor=U1 balance=-1",
                      "balance must not be negative"},
        ConfigRefusal{"PositionOfNoAccount",
                      "position investor=U9 instrument_id=rb2705 direction=long volume=1",
                      "'U9' is not a declared account"},
        ConfigRefusal{"PositionWithoutDirection",
                      "position investor=U0 instrument_id=rb2705 direction=up volume=1",
                      "must be long or short"},
        ConfigRefusal{"PositionInNothingListed",
                      "position investor=U0 instrument_id=zz1 direction=long volume=1",
                      "'zz1' is not listed"},
        ConfigRefusal{"UnknownEntry", "bogus x=1", "unknown entry 'bogus'"},
        ConfigRefusal{"BrokenEscape", "account investor=U1 password=a%2",
                      "'%' not followed by two hex digits"},
        ConfigRefusal{"RepeatedKey", "account investor=U1 investor=U2", "given twice"},
        ConfigRefusal{"NotKeyValue", "account investor", "is not key=value"}),
    [](const testing::TestParamInfo<ConfigRefusal> &info) { return info.param.name; });

TEST(ConfigText, ListsANewInstrumentWithAMarketAroundItsPriceAndChangesAListedOne) {
  simtrader::BrokerConfig config;
  simtrader::ApplyConfigText(
      config,
      "instrument instrument_id=ag2706 exchange_id=SHFE price_tick=1 volume_multiple=15 "
      "last=7000\n"
      "instrument instrument_id=rb2705 long_margin_ratio=0.2\n"
      "account investor=U1 password=two%20words%25");
  const simtrader::Listing &silver = config.catalogue.at("ag2706");
  EXPECT_EQ(silver.instrument.product, "ag");
  EXPECT_EQ(silver.market.bids[0].price, 7000);
  EXPECT_EQ(silver.market.asks[0].price, 7001);
  EXPECT_EQ(silver.market.pre_settlement, 7000);
  const simtrader::Listing &rebar = config.catalogue.at("rb2705");
  EXPECT_EQ(rebar.instrument.long_margin_ratio, 0.2);
  EXPECT_EQ(rebar.instrument.short_margin_ratio, 0.10);
  EXPECT_EQ(rebar.market.asks[0].price, 3201);
  EXPECT_EQ(config.accounts.at("U1").password, "two words%");
}

TEST(Directory, AFrontsBrokerIsReconfiguredOnlyWithoutConnections) {
  const std::string front = UniqueFront();
  auto &directory = simtrader::BrokerDirectory::Instance();
  auto original = directory.ForFront(front);
  {
    BrokerClient client(original);
    client.LogIn("U1");
    EXPECT_EQ(quorvan_sim_configure(front.c_str(), "account investor=U1", 0),
              QUORVAN_SIM_BROKER_BUSY);
    EXPECT_NE(std::string(quorvan_sim_last_error()).find(front), std::string::npos);
  }
  ASSERT_EQ(quorvan_sim_configure(front.c_str(), "account investor=U1 password=x", 0),
            QUORVAN_SIM_OK);
  auto configured = directory.ForFront(front);
  EXPECT_NE(configured, original);
  BrokerClient client(configured);
  EXPECT_EQ(client.Authenticate("U2"), errors::kAuthenticationFailed.id);
}

TEST(Directory, AMarketMovesAtOneFrontOrEverywhereAndNeverHalfway) {
  const std::string front = UniqueFront();
  const std::string other = UniqueFront();
  auto &directory = simtrader::BrokerDirectory::Instance();
  ASSERT_EQ(quorvan_sim_configure(
                front.c_str(), "instrument instrument_id=rb2705 price_tick=2 bid=3200 ask=3202", 0),
            QUORVAN_SIM_OK);
  directory.ForFront(other);
  const double bid = 3250;
  const double ask = 3251;
  EXPECT_EQ(quorvan_sim_set_market(other.c_str(), "rb2705", &bid, &ask, nullptr, nullptr, nullptr,
                                   nullptr, nullptr),
            QUORVAN_SIM_OK);
  EXPECT_EQ(directory.ForFront(other)->Listed("rb2705")->market.asks[0].price, 3251);
  EXPECT_EQ(directory.ForFront(front)->Listed("rb2705")->market.asks[0].price, 3202);

  // 3251 is off the tick of 2 at the first front: nothing moves anywhere.
  EXPECT_EQ(quorvan_sim_set_market(nullptr, "rb2705", &bid, &ask, nullptr, nullptr, nullptr,
                                   nullptr, nullptr),
            QUORVAN_SIM_BAD_ARGUMENT);
  EXPECT_EQ(directory.ForFront(other)->Listed("rb2705")->market.bids[0].price, 3250);
  EXPECT_EQ(directory.ForFront(front)->Listed("rb2705")->market.bids[0].price, 3200);
  EXPECT_EQ(quorvan_sim_set_market(nullptr, "rb1999", &bid, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, nullptr),
            QUORVAN_SIM_BAD_ARGUMENT);

  // Everywhere means the brokers made later too.
  const double last = 3300;
  ASSERT_EQ(quorvan_sim_set_market(nullptr, "rb2705", nullptr, nullptr, &last, nullptr, nullptr,
                                   nullptr, nullptr),
            QUORVAN_SIM_OK);
  EXPECT_EQ(directory.ForFront(front)->Listed("rb2705")->market.last, 3300);
  EXPECT_EQ(directory.ForFront(UniqueFront())->Listed("rb2705")->market.last, 3300);
  ASSERT_EQ(quorvan_sim_configure(nullptr, "", 1), QUORVAN_SIM_OK);
  EXPECT_EQ(directory.ForFront(UniqueFront())->Listed("rb2705")->market.last, 3200);
}

}  // namespace
