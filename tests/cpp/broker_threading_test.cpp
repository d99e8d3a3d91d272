// The simulated broker behind real API objects: its events arrive on each object's own
// thread, whichever thread caused them, and a dropped connection ends the login.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <atomic>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "broker/record_text.h"
#include "sim_test_support.h"

namespace {

using simtest::Received;
using simtest::SimApi;
using simtrader::SetText;

std::string UniqueFront() {
  static std::atomic<int> counter{0};
  return "tcp://broker-threads-" + std::to_string(counter++) + ":1";
}

// An API object of `front` that runs the client's login chain from its callbacks, each
// request sent from inside the callback before it returns, as the extension does.
class LoggedInApi {
 public:
  LoggedInApi(const std::string &front, const std::string &investor) : investor_(investor) {
    api_->RegisterFront(const_cast<char *>(front.c_str()));
    api_.spi().SetHook([this](const Received &event) { Chain(event); });
    api_->Init();
    EXPECT_TRUE(WaitForLogins(1));
  }

  CThostFtdcTraderApi *operator->() { return &*api_; }
  SimApi &api() { return api_; }
  simtest::RecordingSpi &spi() { return api_.spi(); }
  std::thread::id thread() { return spi().received().at(0).thread; }

  bool WaitForLogins(std::size_t count) {
    return simtest::Eventually([&] { return Count("OnRspSettlementInfoConfirm") >= count; });
  }

  std::size_t Count(const std::string &event) {
    std::size_t count = 0;
    for (const Received &received : spi().received()) count += received.event == event;
    return count;
  }

  int Order(double price, const char *order_ref) {
    CThostFtdcInputOrderField order{};
    SetText(order.InstrumentID, "rb2705");
    SetText(order.OrderRef, order_ref);
    order.OrderPriceType = THOST_FTDC_OPT_LimitPrice;
    order.Direction = THOST_FTDC_D_Buy;
    order.CombOffsetFlag[0] = THOST_FTDC_OF_Open;
    order.CombHedgeFlag[0] = THOST_FTDC_HF_Speculation;
    order.ForceCloseReason = THOST_FTDC_FCC_NotForceClose;
    order.LimitPrice = price;
    order.VolumeTotalOriginal = 1;
    order.TimeCondition = THOST_FTDC_TC_GFD;
    order.VolumeCondition = THOST_FTDC_VC_AV;
    order.ContingentCondition = THOST_FTDC_CC_Immediately;
    return api_->ReqOrderInsert(&order, 0);
  }

 private:
  void Chain(const Received &event) {
    if (event.event == "OnFrontConnected") {
      CThostFtdcReqAuthenticateField authenticate{};
      SetText(authenticate.UserID, investor_);
      EXPECT_EQ(api_->ReqAuthenticate(&authenticate, 0), 0);
    } else if (event.event == "OnRspAuthenticate" && event.error_id == 0) {
      CThostFtdcReqUserLoginField login{};
      SetText(login.UserID, investor_);
      SetText(login.Password, "pw");
      EXPECT_EQ(api_->ReqUserLogin(&login, 0), 0);
    } else if (event.event == "OnRspUserLogin" && event.error_id == 0) {
      CThostFtdcSettlementInfoConfirmField confirm{};
      EXPECT_EQ(api_->ReqSettlementInfoConfirm(&confirm, 0), 0);
    }
  }

  std::string investor_;
  SimApi api_;
};

TEST(BrokerThreads, AMarketMovedFromAnotherThreadFillsOnTheObjectsThread) {
  const std::string front = UniqueFront();
  LoggedInApi trader(front, "U1");
  ASSERT_EQ(trader.Order(3100, "1"), 0);
  ASSERT_TRUE(simtest::Eventually([&] { return trader.Count("OnRtnOrder") == 2; }));

  const double bid = 3099;
  const double ask = 3100;
  ASSERT_EQ(quorvan_sim_set_market(front.c_str(), "rb2705", &bid, &ask, nullptr, nullptr, nullptr,
                                   nullptr, nullptr),
            QUORVAN_SIM_OK);
  ASSERT_TRUE(trader.spi().WaitForEvent("OnRtnTrade"));
  for (const Received &event : trader.spi().received()) {
    EXPECT_EQ(event.thread, trader.thread()) << event.event;
  }
  EXPECT_NE(trader.thread(), std::this_thread::get_id());
}

TEST(BrokerThreads, AnOrderReachesEverySessionOfTheInvestorOnItsOwnThread) {
  const std::string front = UniqueFront();
  LoggedInApi trader(front, "U1");
  LoggedInApi colleague(front, "U1");
  ASSERT_EQ(trader.Order(3201, "1"), 0);
  ASSERT_TRUE(colleague.spi().WaitForEvent("OnRtnTrade"));
  ASSERT_TRUE(trader.spi().WaitForEvent("OnRtnTrade"));
  for (const Received &event : colleague.spi().received()) {
    EXPECT_EQ(event.thread, colleague.thread()) << event.event;
  }
  EXPECT_NE(colleague.thread(), trader.thread());
}

TEST(BrokerThreads, ADisconnectionEndsTheLoginAndRequestsFailUntilTheLineIsBack) {
  LoggedInApi trader(UniqueFront(), "U1");
  const char *flow_path = trader.api().flow_path().c_str();
  ASSERT_EQ(quorvan_sim_disconnect(flow_path, 0x1001, -1.0), QUORVAN_SIM_OK);
  CThostFtdcQryOrderField query{};
  EXPECT_EQ(trader->ReqQryOrder(&query, 1), -1);

  ASSERT_EQ(quorvan_sim_disconnect(flow_path, 0x1001, 0.0), QUORVAN_SIM_OK);
  ASSERT_TRUE(trader.WaitForLogins(2));
  std::vector<int> sessions;
  for (const Received &event : trader.spi().received()) {
    if (event.event != "OnRspUserLogin") continue;
    sessions.push_back(
        reinterpret_cast<const CThostFtdcRspUserLoginField *>(event.record->data())->SessionID);
  }
  ASSERT_EQ(sessions.size(), 2u);
  EXPECT_GT(sessions[1], sessions[0]);
  EXPECT_EQ(trader->ReqQryOrder(&query, 2), 0);
}

TEST(BrokerThreads, AnOrderAcceptedAsTheLineDropsReachesTheBrokerAndIsAnsweredBeforeTheDrop) {
  LoggedInApi trader(UniqueFront(), "U1");
  const std::string flow_path = trader.api().flow_path();
  int accepted = 1;
  int refused = 1;
  // From a callback the order waits on the object's thread behind the callback, and the line
  // drops before the callback returns.
  trader.spi().SetHook([&](const Received &event) {
    if (event.event != "OnRtnInstrumentStatus") return;
    accepted = trader.Order(3100, "7");
    EXPECT_EQ(quorvan_sim_disconnect(flow_path.c_str(), 0x1001, -1.0), QUORVAN_SIM_OK);
    refused = trader.Order(3100, "8");
  });
  ASSERT_EQ(quorvan_sim_emit(flow_path.c_str(), "OnRtnInstrumentStatus", nullptr, nullptr, 0, 0, 1),
            QUORVAN_SIM_OK);
  EXPECT_EQ(accepted, 0);
  EXPECT_EQ(refused, -1);
  std::vector<std::string> names = trader.spi().event_names();
  names.erase(names.begin(),
              std::find(names.begin(), names.end(), std::string("OnRtnInstrumentStatus")));
  EXPECT_EQ(names, (std::vector<std::string>{"OnRtnInstrumentStatus", "OnRtnOrder", "OnRtnOrder",
                                             "OnFrontDisconnected"}));
}

TEST(BrokerThreads, ALineDroppingWithQueriesAcceptedAnswersThemAndAReleaseDropsTheRest) {
  constexpr int kResting = 20;
  constexpr int kQueries = 50;
  const std::string front = UniqueFront();
  ASSERT_EQ(quorvan_sim_configure(front.c_str(),
                                  "limits queries_per_second=none queries_in_flight=none", 0),
            QUORVAN_SIM_OK);
  LoggedInApi trader(front, "U1");
  for (int order = 0; order < kResting; ++order) {
    ASSERT_EQ(trader.Order(3100, std::to_string(order + 1).c_str()), 0);
  }
  ASSERT_EQ(quorvan_sim_wait_delivered(front.c_str(), 60), QUORVAN_SIM_OK);
  const std::string flow_path = trader.api().flow_path();
  // From a callback the queries wait behind it, and the line drops before it returns: the
  // drop answers them all; the handler releases the object at the third query's last answer,
  // leaving itself registered, as a C++ program may.
  trader.spi().SetHook([&](const Received &event) {
    if (event.event == "OnRtnInstrumentStatus") {
      for (int id = 1; id <= kQueries; ++id) {
        CThostFtdcQryOrderField query{};
        EXPECT_EQ(trader->ReqQryOrder(&query, id), 0);
      }
      EXPECT_EQ(quorvan_sim_disconnect(flow_path.c_str(), 0x1001, -1.0), QUORVAN_SIM_OK);
    } else if (event.event == "OnRspQryOrder" && event.number == 3 && event.is_last) {
      trader->Release();
      trader.api().ForgetReleased();
    }
  });
  quorvan_sim_emit(flow_path.c_str(), "OnRtnInstrumentStatus", nullptr, nullptr, 0, 0, 1);
  // From the emitted status on: the login's statuses came before it.
  std::vector<Received> heard = trader.spi().received();
  const auto emitted = std::find_if(heard.rbegin(), heard.rend(), [](const Received &event) {
                         return event.event == "OnRtnInstrumentStatus";
                       }).base();
  heard.erase(heard.begin(), emitted - 1);
  ASSERT_EQ(heard.size(), 1u + 3 * kResting);
  for (std::size_t index = 1; index < heard.size(); ++index) {
    EXPECT_EQ(heard[index].event, "OnRspQryOrder");
    EXPECT_EQ(heard[index].number, static_cast<int>((index - 1) / kResting + 1));
  }
}

TEST(BrokerThreads, WaitDeliveredReturnsOnceTheFillsAndWhatTheirCallbacksSentAreAnswered) {
  const std::string front = UniqueFront();
  LoggedInApi trader(front, "U1");
  LoggedInApi bystander(front, "U2");
  ASSERT_EQ(trader.Order(3100, "1"), 0);
  ASSERT_EQ(quorvan_sim_wait_delivered(front.c_str(), 60), QUORVAN_SIM_OK);
  ASSERT_EQ(trader.Count("OnRtnOrder"), 2u);

  std::promise<void> gate;
  std::shared_future<void> opened = gate.get_future().share();
  int wait_inside = QUORVAN_SIM_OK;
  // The first fill's callback is held until the test opens the gate, then buys again at the
  // ask: the second fill is an answer to what a callback sent.
  trader.spi().SetHook([&](const Received &event) {
    if (event.event != "OnRtnTrade" || trader.Count("OnRtnTrade") != 1) return;
    wait_inside = quorvan_sim_wait_delivered(front.c_str(), -1);
    opened.wait();
    EXPECT_EQ(trader.Order(3100, "2"), 0);
  });
  const double bid = 3099;
  const double ask = 3100;
  ASSERT_EQ(quorvan_sim_set_market(front.c_str(), "rb2705", &bid, &ask, nullptr, nullptr, nullptr,
                                   nullptr, nullptr),
            QUORVAN_SIM_OK);
  EXPECT_EQ(quorvan_sim_wait_delivered(front.c_str(), 0.05), QUORVAN_SIM_TIMED_OUT);
  EXPECT_EQ(quorvan_sim_wait_delivered(nullptr, 0.05), QUORVAN_SIM_TIMED_OUT);
  gate.set_value();
  ASSERT_EQ(quorvan_sim_wait_delivered(front.c_str(), 60), QUORVAN_SIM_OK);
  EXPECT_EQ(trader.Count("OnRtnTrade"), 2u);
  EXPECT_EQ(wait_inside, QUORVAN_SIM_BAD_ARGUMENT);
  EXPECT_EQ(bystander.Count("OnRtnTrade"), 0u);
}

TEST(BrokerThreads, TheMarketRecordIsWhatTheBrokerQuotes) {
  const std::string front = UniqueFront();
  const double bid = 3150;
  const double ask = 3152;
  const int bid_volume = 7;
  ASSERT_EQ(quorvan_sim_set_market(front.c_str(), "rb2705", &bid, &ask, nullptr, &bid_volume,
                                   nullptr, nullptr, nullptr),
            QUORVAN_SIM_OK);
  CThostFtdcDepthMarketDataField record{};
  ASSERT_EQ(quorvan_sim_market(front.c_str(), "rb2705", &record, sizeof record), QUORVAN_SIM_OK);
  EXPECT_EQ(std::string(record.ExchangeID), "SHFE");
  EXPECT_EQ(record.BidPrice1, bid);
  EXPECT_EQ(record.AskPrice1, ask);
  EXPECT_EQ(record.BidVolume1, bid_volume);
  EXPECT_GT(record.UpperLimitPrice, ask);
  EXPECT_LT(record.LowerLimitPrice, bid);
  EXPECT_GT(record.PreSettlementPrice, 0);

  EXPECT_EQ(quorvan_sim_market(front.c_str(), "xx9999", &record, sizeof record),
            QUORVAN_SIM_BAD_ARGUMENT);
  EXPECT_EQ(quorvan_sim_market(front.c_str(), "rb2705", &record, sizeof record - 1),
            QUORVAN_SIM_BAD_ARGUMENT);
  EXPECT_EQ(quorvan_sim_wait_delivered(front.c_str(), std::nan("")), QUORVAN_SIM_BAD_ARGUMENT);
}

}  // namespace
