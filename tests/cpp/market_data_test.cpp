// The simulated market-data front, driven through CThostFtdcMdApi with a recording handler:
// the session, subscriptions and the markets they bring, the connection owning them, the
// front a configuration names, and the control interface on market-data objects.
#include <gtest/gtest.h>

#include <atomic>
#include <cfloat>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "sim_test_support.h"

namespace {

using simtest::Received;
using simtest::RecordOf;
using simtest::SimMdApi;
using simtrader::Operation;

constexpr int kNotLoginYet = 6;

std::string TextOf(const char *field, std::size_t size) {
  return std::string(field, strnlen(field, size));
}
#define SIMTEST_TEXT(field) TextOf(field, sizeof field)

CThostFtdcDepthMarketDataField Market(const std::string &front, const std::string &instrument) {
  CThostFtdcDepthMarketDataField record{};
  EXPECT_EQ(quorvan_sim_market(front.c_str(), instrument.c_str(), &record, sizeof record),
            QUORVAN_SIM_OK)
      << quorvan_sim_last_error();
  return record;
}

int MoveLast(const std::string &front, const char *instrument, double bid, double ask,
             double last) {
  return quorvan_sim_set_market(front.c_str(), instrument, &bid, &ask, &last, nullptr, nullptr,
                                nullptr, nullptr);
}

void WaitDelivered(const std::string &front) {
  ASSERT_EQ(quorvan_sim_wait_delivered(front.c_str(), 60), QUORVAN_SIM_OK)
      << quorvan_sim_last_error();
}

std::vector<std::string> TickInstruments(const SimMdApi &api_const) {
  auto &api = const_cast<SimMdApi &>(api_const);
  std::vector<std::string> ids;
  for (const Received &tick : api.spi().Named("OnRtnDepthMarketData")) {
    ids.push_back(SIMTEST_TEXT(RecordOf<CThostFtdcDepthMarketDataField>(tick).InstrumentID));
  }
  return ids;
}

// Every field the broker quotes, as the front sends it and as quorvan_sim_market reads it;
// the time of each is its own.
void ExpectSameMarket(const CThostFtdcDepthMarketDataField &sent,
                      const CThostFtdcDepthMarketDataField &quoted) {
  EXPECT_EQ(SIMTEST_TEXT(sent.TradingDay), SIMTEST_TEXT(quoted.TradingDay));
  EXPECT_EQ(SIMTEST_TEXT(sent.InstrumentID), SIMTEST_TEXT(quoted.InstrumentID));
  EXPECT_EQ(SIMTEST_TEXT(sent.ExchangeID), SIMTEST_TEXT(quoted.ExchangeID));
  EXPECT_EQ(SIMTEST_TEXT(sent.ExchangeInstID), SIMTEST_TEXT(quoted.ExchangeInstID));
  EXPECT_EQ(sent.LastPrice, quoted.LastPrice);
  EXPECT_EQ(sent.BidPrice1, quoted.BidPrice1);
  EXPECT_EQ(sent.BidVolume1, quoted.BidVolume1);
  EXPECT_EQ(sent.AskPrice1, quoted.AskPrice1);
  EXPECT_EQ(sent.AskVolume1, quoted.AskVolume1);
  EXPECT_EQ(sent.Volume, quoted.Volume);
  EXPECT_EQ(sent.Turnover, quoted.Turnover);
  EXPECT_EQ(sent.OpenInterest, quoted.OpenInterest);
  EXPECT_EQ(sent.UpperLimitPrice, quoted.UpperLimitPrice);
  EXPECT_EQ(sent.LowerLimitPrice, quoted.LowerLimitPrice);
  EXPECT_EQ(sent.PreSettlementPrice, quoted.PreSettlementPrice);
  EXPECT_EQ(sent.OpenPrice, quoted.OpenPrice);
  EXPECT_EQ(sent.HighestPrice, quoted.HighestPrice);
  EXPECT_EQ(sent.LowestPrice, quoted.LowestPrice);
}

// A market-data object of a fresh front, connected and logged in.
struct LoggedIn {
  std::string front = simtest::UniqueFront();
  SimMdApi api{front};
  CThostFtdcRspUserLoginField login{};

  LoggedIn() {
    api.Start();
    login = api.LogIn();
  }
};

TEST(MarketData, AnyIdentityLogsInToTheBrokersTradingDay) {
  LoggedIn session;
  EXPECT_EQ(session.api.spi().Named("OnRspUserLogin").back().error_id, 0);
  EXPECT_EQ(SIMTEST_TEXT(session.login.TradingDay),
            SIMTEST_TEXT(Market(session.front, "rb2705").TradingDay));
  EXPECT_EQ(SIMTEST_TEXT(session.login.UserID), "");
  EXPECT_EQ(session.login.FrontID, 1);
  EXPECT_GT(session.login.SessionID, 0);
  EXPECT_NE(SIMTEST_TEXT(session.login.LoginTime), "");
  EXPECT_EQ(std::string(session.api->GetTradingDay()), SIMTEST_TEXT(session.login.TradingDay));
}

TEST(MarketData, ASubscriptionIsAnsweredPerInstrumentThenBringsTheListedMarkets) {
  LoggedIn session;
  ASSERT_EQ(session.api.Subscribe({"rb2705", "nosuch", "cu2702", "rb2705"}), 0);
  ASSERT_TRUE(session.api.spi().WaitForEvents("OnRtnDepthMarketData", 2));
  WaitDelivered(session.front);

  const std::vector<Received> answers = session.api.spi().Named("OnRspSubMarketData");
  ASSERT_EQ(answers.size(), 4u);
  const char *expected[] = {"rb2705", "nosuch", "cu2702", "rb2705"};
  for (std::size_t index = 0; index < answers.size(); ++index) {
    EXPECT_EQ(
        SIMTEST_TEXT(RecordOf<CThostFtdcSpecificInstrumentField>(answers[index]).InstrumentID),
        expected[index]);
    EXPECT_EQ(answers[index].error_id, 0);
    EXPECT_EQ(answers[index].is_last, index + 1 == answers.size());
  }
  // The answers come first, then one market for each listed instrument.
  const std::vector<std::string> names = session.api.spi().event_names();
  EXPECT_EQ(names.back(), "OnRtnDepthMarketData");
  EXPECT_EQ(TickInstruments(session.api), (std::vector<std::string>{"rb2705", "cu2702"}));
  const auto snapshot = RecordOf<CThostFtdcDepthMarketDataField>(
      session.api.spi().Named("OnRtnDepthMarketData").front());
  ExpectSameMarket(snapshot, Market(session.front, "rb2705"));
}

TEST(MarketData, EveryMoveReachesEachSubscriberWithTheWholeRecord) {
  LoggedIn first;
  SimMdApi second(first.front);
  second.Start();
  second.LogIn();
  ASSERT_EQ(first.api.Subscribe({"rb2705"}), 0);
  ASSERT_EQ(second.Subscribe({"rb2705"}), 0);
  WaitDelivered(first.front);

  ASSERT_EQ(MoveLast(first.front, "rb2705", 3204, 3206, 3205), QUORVAN_SIM_OK);
  WaitDelivered(first.front);
  for (SimMdApi *api : {&first.api, &second}) {
    const std::vector<Received> ticks = api->spi().Named("OnRtnDepthMarketData");
    ASSERT_EQ(ticks.size(), 2u);
    const auto tick = RecordOf<CThostFtdcDepthMarketDataField>(ticks.back());
    EXPECT_EQ(tick.LastPrice, 3205);
    EXPECT_EQ(tick.BidPrice1, 3204);
    EXPECT_EQ(tick.AskPrice1, 3206);
    EXPECT_GT(tick.BidVolume1, 0);
    EXPECT_GT(tick.UpperLimitPrice, tick.LowerLimitPrice);
    EXPECT_GT(tick.PreSettlementPrice, 0);
    EXPECT_EQ(SIMTEST_TEXT(tick.ExchangeID), "SHFE");
    EXPECT_EQ(SIMTEST_TEXT(tick.ActionDay).size(), 8u);
    EXPECT_EQ(SIMTEST_TEXT(tick.UpdateTime).size(), 8u);
    ExpectSameMarket(tick, Market(first.front, "rb2705"));
  }
}

TEST(MarketData, AMoveCarriesTheExchangesFiguresAndItsOwnTime) {
  LoggedIn session;
  ASSERT_EQ(session.api.Subscribe({"SR705"}), 0);
  WaitDelivered(session.front);
  const double last = 5610, turnover = 5610.0 * 10 * 40, open_interest = 1200;
  const int volume = 40;
  ASSERT_EQ(quorvan_sim_set_market_at(session.front.c_str(), "SR705", nullptr, nullptr, &last,
                                      nullptr, nullptr, nullptr, nullptr, &volume, &turnover,
                                      &open_interest, "20261207", "21:05:09", 500),
            QUORVAN_SIM_OK)
      << quorvan_sim_last_error();
  // A time that is none moves nothing.
  const double other = 5620;
  EXPECT_EQ(quorvan_sim_set_market_at(session.front.c_str(), "SR705", nullptr, nullptr, &other,
                                      nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                      "20261207", "25:00:00", 0),
            QUORVAN_SIM_BAD_ARGUMENT);
  WaitDelivered(session.front);
  const auto tick = RecordOf<CThostFtdcDepthMarketDataField>(
      session.api.spi().Named("OnRtnDepthMarketData").back());
  EXPECT_EQ(SIMTEST_TEXT(tick.ActionDay), "20261207");
  EXPECT_EQ(SIMTEST_TEXT(tick.UpdateTime), "21:05:09");
  EXPECT_EQ(tick.UpdateMillisec, 500);
  EXPECT_EQ(tick.LastPrice, last);
  EXPECT_EQ(tick.Volume, volume);
  EXPECT_EQ(tick.Turnover, turnover);
  EXPECT_EQ(tick.OpenInterest, open_interest);
  // CZCE quotes the average price per unit: the turnover over volume and multiple.
  EXPECT_DOUBLE_EQ(tick.AveragePrice, last);
  EXPECT_EQ(tick.OpenPrice, last);
  ExpectSameMarket(tick, Market(session.front, "SR705"));
  EXPECT_EQ(session.api.spi().Named("OnRtnDepthMarketData").size(), 2u);
}

TEST(MarketData, SettlingDropsTheLineAndTheNewDayStartsItsFiguresAfresh) {
  LoggedIn session;
  ASSERT_EQ(MoveLast(session.front, "rb2705", 3204, 3206, 3205), QUORVAN_SIM_OK);
  ASSERT_EQ(session.api.Subscribe({"rb2705"}), 0);
  ASSERT_TRUE(session.api.spi().WaitForEvent("OnRtnDepthMarketData"));
  ASSERT_EQ(quorvan_sim_settle(session.front.c_str(), nullptr, nullptr, 0), QUORVAN_SIM_OK)
      << quorvan_sim_last_error();
  ASSERT_TRUE(session.api.spi().WaitForEvents("OnFrontConnected", 2));
  const CThostFtdcRspUserLoginField login = session.api.LogIn();
  EXPECT_NE(SIMTEST_TEXT(login.TradingDay), SIMTEST_TEXT(session.login.TradingDay));
  const CThostFtdcDepthMarketDataField market = Market(session.front, "rb2705");
  EXPECT_EQ(market.PreSettlementPrice, 3205);
  EXPECT_EQ(market.OpenPrice, DBL_MAX);
  EXPECT_EQ(SIMTEST_TEXT(market.TradingDay), SIMTEST_TEXT(login.TradingDay));
}

TEST(MarketData, BeforeLoginEachInstrumentIsRefusedAndNoMarketFollows) {
  const std::string front = simtest::UniqueFront();
  SimMdApi api(front);
  api.Start();
  ASSERT_EQ(api.Subscribe({"rb2705", "cu2702"}), 0);
  ASSERT_TRUE(api.spi().WaitForEvents("OnRspSubMarketData", 2));
  for (const Received &answer : api.spi().Named("OnRspSubMarketData")) {
    EXPECT_EQ(answer.error_id, kNotLoginYet);
  }
  ASSERT_EQ(MoveLast(front, "rb2705", 3204, 3206, 3205), QUORVAN_SIM_OK);
  WaitDelivered(front);
  EXPECT_TRUE(api.spi().Named("OnRtnDepthMarketData").empty());
}

// Ends what a subscription brings, one way or another; a market still subscribed then shows
// that the moves went out.
struct Ending {
  const char *name;
  void (*end)(LoggedIn &session);
};

const Ending kEndings[] = {
    {"Unsubscribe",
     [](LoggedIn &session) {
       ASSERT_EQ(session.api.Subscribe({"rb2705"}, Operation::UnSubscribeMarketData), 0);
       ASSERT_TRUE(session.api.spi().WaitForEvent("OnRspUnSubMarketData"));
       EXPECT_EQ(session.api.spi().Named("OnRspUnSubMarketData").back().error_id, 0);
     }},
    {"Logout",
     [](LoggedIn &session) {
       CThostFtdcUserLogoutField logout{};
       ASSERT_EQ(session.api->ReqUserLogout(&logout, 7), 0);
       ASSERT_TRUE(session.api.spi().WaitForEvent("OnRspUserLogout"));
       EXPECT_EQ(session.api.spi().Named("OnRspUserLogout").back().error_id, 0);
       session.api.LogIn();
     }},
    {"Disconnect",
     [](LoggedIn &session) {
       ASSERT_EQ(quorvan_sim_disconnect(session.api.flow_path().c_str(), 0x1001, 0),
                 QUORVAN_SIM_OK);
       ASSERT_TRUE(session.api.spi().WaitForEvents("OnFrontConnected", 2));
       session.api.LogIn();
     }},
};

class SubscriptionEnd : public testing::TestWithParam<Ending> {};

TEST_P(SubscriptionEnd, NoMoreMovesArrive) {
  LoggedIn session;
  ASSERT_EQ(session.api.Subscribe({"rb2705"}), 0);
  ASSERT_TRUE(session.api.spi().WaitForEvent("OnRtnDepthMarketData"));
  GetParam().end(session);
  ASSERT_EQ(session.api.Subscribe({"cu2702"}), 0);
  WaitDelivered(session.front);
  ASSERT_EQ(MoveLast(session.front, "rb2705", 3204, 3206, 3205), QUORVAN_SIM_OK);
  ASSERT_EQ(MoveLast(session.front, "cu2702", 78010, 78020, 78010), QUORVAN_SIM_OK);
  WaitDelivered(session.front);
  EXPECT_EQ(TickInstruments(session.api), (std::vector<std::string>{"rb2705", "cu2702", "cu2702"}));
}

INSTANTIATE_TEST_SUITE_P(Endings, SubscriptionEnd, testing::ValuesIn(kEndings),
                         [](const testing::TestParamInfo<Ending> &info) {
                           return std::string(info.param.name);
                         });

TEST(MarketData, AConfiguredMarketDataFrontPublishesItsBrokersMarkets) {
  const std::string front = simtest::UniqueFront();
  const std::string md_front = simtest::UniqueFront();
  std::string entry = "md_front address=";
  for (char c : md_front) {
    char escaped[4];
    std::snprintf(escaped, sizeof escaped, "%%%02X", static_cast<unsigned char>(c));
    entry += escaped;
  }
  ASSERT_EQ(quorvan_sim_configure(front.c_str(), entry.c_str(), 0), QUORVAN_SIM_OK)
      << quorvan_sim_last_error();
  EXPECT_EQ(std::string(quorvan_sim_published_front(md_front.c_str())), front);
  // One market-data front publishes one broker; the defaults name none.
  EXPECT_EQ(quorvan_sim_configure(simtest::UniqueFront().c_str(), entry.c_str(), 0),
            QUORVAN_SIM_BAD_ARGUMENT);
  EXPECT_EQ(quorvan_sim_configure(nullptr, entry.c_str(), 0), QUORVAN_SIM_BAD_ARGUMENT);

  SimMdApi api(md_front);
  api.Start();
  api.LogIn();
  ASSERT_EQ(api.Subscribe({"rb2705"}), 0);
  ASSERT_TRUE(api.spi().WaitForEvent("OnRtnDepthMarketData"));
  ASSERT_EQ(MoveLast(front, "rb2705", 3190, 3192, 3191), QUORVAN_SIM_OK);
  // Waiting on the broker's front covers the objects of the market-data front it names.
  WaitDelivered(front);
  const std::vector<Received> ticks = api.spi().Named("OnRtnDepthMarketData");
  ASSERT_EQ(ticks.size(), 2u);
  EXPECT_EQ(RecordOf<CThostFtdcDepthMarketDataField>(ticks.back()).LastPrice, 3191);
}

TEST(MarketData, ForQuoteAndMulticastRequestsAreAnswered) {
  LoggedIn session;
  ASSERT_EQ(session.api.Subscribe({"rb2705", "cu2702"}, Operation::SubscribeForQuoteRsp), 0);
  ASSERT_EQ(session.api.Subscribe({"rb2705"}, Operation::UnSubscribeForQuoteRsp), 0);
  CThostFtdcQryMulticastInstrumentField query{};
  ASSERT_EQ(session.api->ReqQryMulticastInstrument(&query, 9), 0);
  ASSERT_TRUE(session.api.spi().WaitForEvent("OnRspQryMulticastInstrument"));
  EXPECT_EQ(session.api.spi().Named("OnRspSubForQuoteRsp").size(), 2u);
  EXPECT_EQ(session.api.spi().Named("OnRspUnSubForQuoteRsp").size(), 1u);
  const Received multicast = session.api.spi().Named("OnRspQryMulticastInstrument").back();
  EXPECT_FALSE(multicast.record);
  EXPECT_EQ(multicast.number, 9);
  EXPECT_TRUE(multicast.is_last);
  EXPECT_TRUE(session.api.spi().Named("OnRtnDepthMarketData").empty());
}

TEST(MarketData, WhatTheVendorCannotReadIsRefusedAndLogged) {
  LoggedIn session;
  char id[] = "rb2705";
  char *with_null[] = {id, nullptr};
  EXPECT_EQ(session.api->SubscribeMarketData(nullptr, 1), -1);
  EXPECT_EQ(session.api->SubscribeMarketData(with_null, 2), -1);
  EXPECT_EQ(session.api->UnSubscribeMarketData(with_null, -1), -1);
  EXPECT_EQ(session.api->ReqUserLogin(nullptr, 3), -1);
  WaitDelivered(session.front);
  EXPECT_TRUE(session.api.spi().Named("OnRspSubMarketData").empty());
  EXPECT_TRUE(session.api.spi().Named("OnRspUnSubMarketData").empty());

  const std::vector<simtest::LoggedCall> calls = *simtest::LoggedCalls(session.api.flow_path());
  ASSERT_GE(calls.size(), 4u);
  const simtest::LoggedCall *logged = &calls[calls.size() - 4];
  EXPECT_EQ(logged[0].operation, "SubscribeMarketData");
  EXPECT_EQ(logged[0].args, (std::vector<simtrader::CallArg>{std::monostate{}, 1LL}));
  EXPECT_EQ(logged[1].args, (std::vector<simtrader::CallArg>{
                                simtrader::CallTexts{std::string("rb2705"), std::nullopt}, 2LL}));
  EXPECT_EQ(logged[2].args, (std::vector<simtrader::CallArg>{simtrader::CallTexts{}, -1LL}));

  // While the line is down nothing is sent.
  ASSERT_EQ(quorvan_sim_disconnect(session.api.flow_path().c_str(), 0x1001, -1), QUORVAN_SIM_OK);
  EXPECT_EQ(session.api.Subscribe({"rb2705"}), -1);
  CThostFtdcReqUserLoginField login{};
  EXPECT_EQ(session.api->ReqUserLogin(&login, 4), -1);
}

TEST(MarketData, AnIdLongerThanTheVendorsFieldIsCutAsTheVendorCopiesIt) {
  LoggedIn session;
  const std::string long_id(100, 'x');
  ASSERT_EQ(session.api.Subscribe({long_id}), 0);
  ASSERT_TRUE(session.api.spi().WaitForEvent("OnRspSubMarketData"));
  const auto answer = RecordOf<CThostFtdcSpecificInstrumentField>(
      session.api.spi().Named("OnRspSubMarketData").back());
  EXPECT_EQ(SIMTEST_TEXT(answer.InstrumentID), long_id.substr(0, sizeof answer.InstrumentID - 1));
  // The log keeps what the caller passed.
  const simtest::LoggedCall call = simtest::LoggedCalls(session.api.flow_path())->back();
  EXPECT_EQ(call.args[0], simtrader::CallArg(simtrader::CallTexts{long_id}));
}

TEST(MarketDataControl, TheCallLogListsTheSessionAsTheVendorsOperationsTookIt) {
  LoggedIn session;
  ASSERT_EQ(session.api.Subscribe({"rb2705", "cu2702"}), 0);
  const std::vector<simtest::LoggedCall> calls = *simtest::LoggedCalls(session.api.flow_path());
  std::vector<std::string> names;
  for (const simtest::LoggedCall &call : calls) names.push_back(call.operation);
  EXPECT_EQ(names, (std::vector<std::string>{"RegisterSpi", "RegisterFront", "Init", "ReqUserLogin",
                                             "SubscribeMarketData"}));
  EXPECT_EQ(calls[1].args[0], simtrader::CallArg(session.front));
  EXPECT_EQ(std::get<std::string>(calls[3].args[0]).size(), sizeof(CThostFtdcReqUserLoginField));
  EXPECT_EQ(calls[3].args[1], simtrader::CallArg(1LL));
  EXPECT_EQ(calls[4].args,
            (std::vector<simtrader::CallArg>{
                simtrader::CallTexts{std::string("rb2705"), std::string("cu2702")}, 2LL}));
  int kind = -1;
  ASSERT_EQ(quorvan_sim_api_kind(session.api.flow_path().c_str(), &kind), QUORVAN_SIM_OK);
  EXPECT_EQ(kind, QUORVAN_SIM_MARKET_DATA);
}

TEST(MarketDataControl, EmitRaisesTheMarketDataEventsOnlyAndDisconnectDropsTheLine) {
  LoggedIn session;
  const char *flow = session.api.flow_path().c_str();
  CThostFtdcDepthMarketDataField tick{};
  std::strcpy(tick.InstrumentID, "emitted");
  ASSERT_EQ(quorvan_sim_emit(flow, "OnRtnDepthMarketData", &tick, nullptr, 0, 0, 3),
            QUORVAN_SIM_OK);
  EXPECT_EQ(TickInstruments(session.api),
            (std::vector<std::string>{"emitted", "emitted", "emitted"}));
  // A trader event is no event of CThostFtdcMdSpi, and the other way round.
  EXPECT_EQ(quorvan_sim_emit(flow, "OnRtnOrder", nullptr, nullptr, 0, 0, 1), QUORVAN_SIM_BAD_NAME);
  simtest::SimApi trader;
  trader.Start();
  EXPECT_EQ(quorvan_sim_emit(trader.flow_path().c_str(), "OnRtnDepthMarketData", nullptr, nullptr,
                             0, 0, 1),
            QUORVAN_SIM_BAD_NAME);

  ASSERT_EQ(quorvan_sim_disconnect(flow, 0x2003, -1), QUORVAN_SIM_OK);
  const Received dropped = session.api.spi().Named("OnFrontDisconnected").back();
  EXPECT_EQ(dropped.number, 0x2003);
}

TEST(MarketDataControl, FaultsArmOnlyTheMarketDataOperations) {
  LoggedIn session;
  const char *flow = session.api.flow_path().c_str();
  ASSERT_EQ(quorvan_sim_fail_next(flow, "SubscribeMarketData", -3), QUORVAN_SIM_OK);
  EXPECT_EQ(session.api.Subscribe({"rb2705"}), -3);
  EXPECT_EQ(quorvan_sim_fail_next(flow, "ReqOrderInsert", -1), QUORVAN_SIM_BAD_ARGUMENT);
  EXPECT_EQ(quorvan_sim_throw_next(flow, "SubscribePrivateTopic", "runtime_error", ""),
            QUORVAN_SIM_BAD_ARGUMENT);
  EXPECT_EQ(quorvan_sim_fail_next(flow, "Init", -1), QUORVAN_SIM_BAD_ARGUMENT);

  ASSERT_EQ(quorvan_sim_fail_next(nullptr, "CreateFtdcMdApi", 0), QUORVAN_SIM_OK);
  EXPECT_EQ(CThostFtdcMdApi::CreateFtdcMdApi("unused"), nullptr);
  ASSERT_EQ(quorvan_sim_throw_next(nullptr, "CreateFtdcMdApi", "bad_alloc", "no room"),
            QUORVAN_SIM_OK);
  EXPECT_THROW(CThostFtdcMdApi::CreateFtdcMdApi("unused"), std::bad_alloc);
  ASSERT_EQ(quorvan_sim_throw_next(nullptr, "GetApiVersion", "range_error", "v"), QUORVAN_SIM_OK);
  EXPECT_THROW(CThostFtdcMdApi::GetApiVersion(), std::range_error);
  EXPECT_STREQ(CThostFtdcMdApi::GetApiVersion(), CThostFtdcTraderApi::GetApiVersion());
}

std::vector<Operation> MarketDataObjectOperations() {
  std::vector<Operation> operations;
  for (int index = 0; index < simtrader::kOperationCount; ++index) {
    const auto operation = static_cast<Operation>(index);
    if (simtrader::IsOperationOf(operation, simtrader::ApiKind::MarketData) &&
        !simtrader::IsStatic(operation)) {
      operations.push_back(operation);
    }
  }
  return operations;
}

void CallMarketDataOperation(CThostFtdcMdApi &api, Operation operation) {
  char address[] = "tcp://127.0.0.1:1";
  char id[] = "rb2705";
  char *ids[] = {id};
  CThostFtdcFensUserInfoField fens{};
  CThostFtdcReqUserLoginField login{};
  CThostFtdcUserLogoutField logout{};
  CThostFtdcQryMulticastInstrumentField query{};
  switch (operation) {
    case Operation::Release:
      return api.Release();
    case Operation::Init:
      return api.Init();
    case Operation::Join:
      api.Join();
      return;
    case Operation::GetTradingDay:
      api.GetTradingDay();
      return;
    case Operation::RegisterFront:
      return api.RegisterFront(address);
    case Operation::RegisterNameServer:
      return api.RegisterNameServer(address);
    case Operation::RegisterFensUserInfo:
      return api.RegisterFensUserInfo(&fens);
    case Operation::RegisterSpi:
      return api.RegisterSpi(nullptr);
    case Operation::ReqUserLogin:
      api.ReqUserLogin(&login, 1);
      return;
    case Operation::ReqUserLogout:
      api.ReqUserLogout(&logout, 1);
      return;
    case Operation::ReqQryMulticastInstrument:
      api.ReqQryMulticastInstrument(&query, 1);
      return;
#define SUBSCRIPTION(Name, ...) \
  case Operation::Name:         \
    api.Name(ids, 1);           \
    return;
#include "md_requests.def"
    default:
      ADD_FAILURE() << simtrader::OperationName(operation) << " is no market-data operation";
  }
}

class EveryMarketDataOperation : public testing::TestWithParam<Operation> {};

TEST_P(EveryMarketDataOperation, ThrowsWhenArmedAndIsStillLogged) {
  SimMdApi api;
  const char *name = simtrader::OperationName(GetParam());
  ASSERT_EQ(quorvan_sim_throw_next(api.flow_path().c_str(), name, "invalid_argument", name),
            QUORVAN_SIM_OK);
  try {
    CallMarketDataOperation(*api, GetParam());
    ADD_FAILURE() << name << " did not throw";
  } catch (const std::invalid_argument &error) {
    EXPECT_STREQ(error.what(), name);
  }
  EXPECT_EQ(simtest::LoggedOperations(api.flow_path()).back(), name);
}

INSTANTIATE_TEST_SUITE_P(OperationsTable, EveryMarketDataOperation,
                         testing::ValuesIn(MarketDataObjectOperations()),
                         [](const testing::TestParamInfo<Operation> &info) {
                           return std::string(simtrader::OperationName(info.param));
                         });

// Release from another thread, and from inside a tick's callback, while a thread keeps
// moving the market: the object goes without a callback running on a freed handler.
class ReleaseUnderTicks : public testing::TestWithParam<bool> {};

TEST_P(ReleaseUnderTicks, EndsTheFloodCleanly) {
  const bool from_callback = GetParam();
  LoggedIn session;
  ASSERT_EQ(session.api.Subscribe({"rb2705"}), 0);
  std::atomic<bool> stop{false};
  std::thread mover([&] {
    for (int step = 0; !stop.load(); ++step) {
      const double last = 3200 + step % 10;
      MoveLast(session.front, "rb2705", last, last + 1, last);
    }
  });
  ASSERT_TRUE(session.api.spi().WaitForEvents("OnRtnDepthMarketData", 50));
  if (from_callback) {
    std::atomic<bool> released{false};
    CThostFtdcMdApi *api = &*session.api;
    session.api.spi().SetHook([&](const Received &event) {
      if (event.event == "OnRtnDepthMarketData" && !released.exchange(true)) api->Release();
    });
    session.api.ForgetReleased();
    ASSERT_TRUE(simtest::Eventually([&] { return released.load(); }));
  } else {
    session.api.Release();
  }
  const std::size_t after = session.api.spi().received().size();
  WaitDelivered(session.front);
  stop = true;
  mover.join();
  EXPECT_EQ(session.api.spi().received().size(), after);
}

INSTANTIATE_TEST_SUITE_P(Threads, ReleaseUnderTicks, testing::Bool(),
                         [](const testing::TestParamInfo<bool> &info) {
                           return std::string(info.param ? "FromTheCallback" : "FromAnotherThread");
                         });

}  // namespace
