// emit: every event of events.def and md_events.def raised on the object's own thread with
// the arguments its shape takes, `count` times, returning after the last callback.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "event_table.h"
#include "sim_test_support.h"

namespace {

using simtest::Received;
using simtest::SimApi;
using simtrader::EventInfo;

// What each shape's vendor signature takes, from the header comment of events.def: the
// oracle the delivered arguments are checked against.
struct ShapeTakes {
  bool record;
  bool rsp_info;
  bool number;
  bool is_last;
};

ShapeTakes Takes(simtrader::ApiKind kind, int event) {
  static const std::string kTraderShapes[] = {
#define EVENT(Shape, Name, Record, Param, Handler) #Shape,
#include "events.def"
  };
  static const std::string kMdShapes[] = {
#define EVENT(Shape, Name, Record, Param, Handler) #Shape,
#include "md_events.def"
  };
  static const std::map<std::string, ShapeTakes> kTakes{
      {"FrontConnected", {false, false, false, false}}, {"IntArg", {false, false, true, false}},
      {"RspError", {false, true, true, true}},          {"Rsp", {true, true, true, true}},
      {"ErrRtn", {true, true, false, false}},           {"Rtn", {true, false, false, false}},
  };
  return kTakes.at(kind == simtrader::ApiKind::Trader ? kTraderShapes[event] : kMdShapes[event]);
}

// An event of either kind of API object's table.
struct KindEvent {
  simtrader::ApiKind kind;
  int event;
};

std::vector<KindEvent> AllEvents() {
  std::vector<KindEvent> events;
  for (simtrader::ApiKind kind : {simtrader::ApiKind::Trader, simtrader::ApiKind::MarketData}) {
    for (int event = 0; event < simtrader::EventsOf(kind).count(); ++event) {
      events.push_back({kind, event});
    }
  }
  return events;
}

class EveryEvent : public testing::TestWithParam<KindEvent> {
 protected:
  simtrader::ApiKind kind() const { return GetParam().kind; }
  int event() const { return GetParam().event; }
  const EventInfo &info() const { return simtrader::EventsOf(kind()).Get(event()); }
};

TEST_P(EveryEvent, EmitDeliversItsArgumentsOnTheObjectsThread) {
  const bool trader = kind() == simtrader::ApiKind::Trader;
  const char *record_class = nullptr;
  std::size_t record_size = 0;
  const char *parameters = nullptr;
  ASSERT_EQ(quorvan_sim_kind_event_info(trader ? QUORVAN_SIM_TRADER : QUORVAN_SIM_MARKET_DATA,
                                        info().name, &record_class, &record_size, &parameters),
            QUORVAN_SIM_OK);
  EXPECT_EQ(record_size, info().record_size);
  const ShapeTakes takes = Takes(kind(), event());
  EXPECT_EQ(*record_class != '\0', takes.record);

  std::optional<SimApi> trader_api;
  std::optional<simtest::SimMdApi> md_api;
  simtest::EventRecorder *spi;
  std::string flow_path;
  if (trader) {
    trader_api.emplace();
    trader_api->Start();
    spi = &trader_api->spi();
    flow_path = trader_api->flow_path();
  } else {
    md_api.emplace();
    md_api->Start();
    spi = &md_api->spi();
    flow_path = md_api->flow_path();
  }
  std::string record(record_size, '\0');
  for (std::size_t index = 0; index < record.size(); ++index) {
    record[index] = static_cast<char>(index * 5 + event());
  }
  CThostFtdcRspInfoField rsp_info{};
  rsp_info.ErrorID = 100 + event();

  ASSERT_EQ(quorvan_sim_emit(flow_path.c_str(), info().name, record.data(), &rsp_info,
                             7000 + event(), 1, 2),
            QUORVAN_SIM_OK)
      << quorvan_sim_last_error();
  ASSERT_EQ(quorvan_sim_emit(flow_path.c_str(), info().name, nullptr, nullptr, 0, 0, 1),
            QUORVAN_SIM_OK)
      << quorvan_sim_last_error();

  // Both emits have returned, so all their callbacks have too.
  const std::vector<Received> received = spi->received();
  ASSERT_EQ(received.size(), 4u);
  const std::thread::id object_thread = received[0].thread;
  EXPECT_NE(object_thread, std::this_thread::get_id());
  for (std::size_t index = 1; index < received.size(); ++index) {
    const Received &delivered = received[index];
    const bool given = index < 3;
    SCOPED_TRACE(given ? "with arguments" : "with null pointers");
    EXPECT_EQ(delivered.event, info().name);
    EXPECT_EQ(delivered.thread, object_thread);
    EXPECT_EQ(delivered.record,
              takes.record && given ? std::optional<std::string>(record) : std::nullopt);
    EXPECT_EQ(delivered.error_id,
              takes.rsp_info && given ? std::optional<int>(100 + event()) : std::nullopt);
    EXPECT_EQ(delivered.number, takes.number && given ? 7000 + event() : 0);
    EXPECT_EQ(delivered.is_last, takes.is_last && given);
  }
}

INSTANTIATE_TEST_SUITE_P(EventsTable, EveryEvent, testing::ValuesIn(AllEvents()),
                         [](const testing::TestParamInfo<KindEvent> &info) {
                           const simtrader::ApiKind kind = info.param.kind;
                           return std::string(kind == simtrader::ApiKind::Trader ? ""
                                                                                 : "MarketData_") +
                                  simtrader::EventsOf(kind).Get(info.param.event).name;
                         });

TEST(Emit, FromInsideACallbackDeliversInline) {
  SimApi api;
  api.Start();
  std::vector<std::string> seen_inside;
  api.spi().SetHook([&](const Received &event) {
    if (event.event != "OnRtnOrder") return;
    EXPECT_EQ(quorvan_sim_emit(api.flow_path().c_str(), "OnRtnTrade", nullptr, nullptr, 0, 0, 3),
              QUORVAN_SIM_OK);
    seen_inside = api.spi().event_names();
  });
  ASSERT_EQ(quorvan_sim_emit(api.flow_path().c_str(), "OnRtnOrder", nullptr, nullptr, 0, 0, 1),
            QUORVAN_SIM_OK);
  const std::vector<std::string> expected{"OnFrontConnected", "OnRtnOrder", "OnRtnTrade",
                                          "OnRtnTrade", "OnRtnTrade"};
  EXPECT_EQ(seen_inside, expected);
}

TEST(Emit, WithoutAHandlerRaisesToNobody) {
  SimApi api;
  api.Start();
  api->RegisterSpi(nullptr);
  EXPECT_EQ(quorvan_sim_emit(api.flow_path().c_str(), "OnRtnOrder", nullptr, nullptr, 0, 0, 5),
            QUORVAN_SIM_OK);
  EXPECT_EQ(api.spi().event_names(), std::vector<std::string>{"OnFrontConnected"});
}

TEST(Emit, ReleasedByItsOwnCallbackStopsDelivering) {
  SimApi api;
  api.Start();
  api.spi().SetHook([&](const Received &event) {
    if (event.event == "OnRtnOrder") api.Release();
  });
  EXPECT_EQ(quorvan_sim_emit(api.flow_path().c_str(), "OnRtnOrder", nullptr, nullptr, 0, 0, 5),
            QUORVAN_SIM_NOT_DELIVERED);
  EXPECT_NE(std::string(quorvan_sim_last_error()).find("after 1 of 5"), std::string::npos)
      << quorvan_sim_last_error();
  EXPECT_EQ(api.spi().event_names(), (std::vector<std::string>{"OnFrontConnected", "OnRtnOrder"}));
}

TEST(Emit, NeedsAStartedObjectNotYetReleased) {
  SimApi unstarted;
  EXPECT_EQ(
      quorvan_sim_emit(unstarted.flow_path().c_str(), "OnRtnOrder", nullptr, nullptr, 0, 0, 1),
      QUORVAN_SIM_NOT_DELIVERED);
  EXPECT_NE(std::string(quorvan_sim_last_error()).find("Init"), std::string::npos);

  SimApi released;
  released.Start();
  const std::string flow_path = released.flow_path();
  released.Release();
  EXPECT_EQ(quorvan_sim_emit(flow_path.c_str(), "OnRtnOrder", nullptr, nullptr, 0, 0, 1),
            QUORVAN_SIM_NO_SUCH_TRADER);
  EXPECT_NE(std::string(quorvan_sim_last_error()).find("released"), std::string::npos);
}

}  // namespace
