// The flow limits as the API object and the broker apply them, on a clock the tests set, and
// as a configuration text sets them.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "broker/reference/configuration.h"
#include "event_table.h"
#include "flow/flow_limits.h"

namespace {

using simtrader::EventId;
using simtrader::FlowClock;
using simtrader::FlowLimits;
using simtrader::Operation;
using simtrader::QueryFlow;
using std::chrono::milliseconds;

const FlowClock::time_point kStart{};

int Event(EventId event) { return static_cast<int>(event); }

struct WindowCase {
  const char *name;
  std::optional<int> limit;
  std::vector<int> at_ms;     // when each event comes, from the start
  std::vector<bool> counted;  // whether each is taken
};

class Window : public testing::TestWithParam<WindowCase> {};

TEST_P(Window, TakesAtMostTheLimitInAnySecond) {
  simtrader::RateWindow window(GetParam().limit);
  for (std::size_t index = 0; index < GetParam().at_ms.size(); ++index) {
    EXPECT_EQ(window.TryCount(kStart + milliseconds(GetParam().at_ms[index])),
              GetParam().counted[index])
        << "event " << index << " at " << GetParam().at_ms[index] << " ms";
  }
}

INSTANTIATE_TEST_SUITE_P(
    FlowLimits, Window,
    testing::Values(
        WindowCase{"OneASecondFreesAWholeSecondAfterTheLast",
                   1,
                   {0, 1, 999, 1000, 1500, 2001},
                   {true, false, false, true, false, true}},
        // A window that slides: three close together at 900-999 ms, then at 1000 ms only
        // the one at 0 has left the second.
        WindowCase{"ThreeASecondSlide",
                   3,
                   {0, 900, 950, 999, 1000, 1001, 1901},
                   {true, true, true, false, true, false, true}},
        WindowCase{"RefusedEventsDoNotCount", 1, {0, 500, 700, 1000}, {true, false, false, true}},
        WindowCase{"NoLimitTakesEverything", std::nullopt, {0, 0, 0, 0}, {true, true, true, true}}),
    [](const testing::TestParamInfo<WindowCase> &info) { return info.param.name; });

TEST(QueryFlow, HoldsBackAQueryWhileOneIsUnansweredThenBeyondTheRate) {
  QueryFlow flow;  // the vendor's: one a second, one unanswered
  EXPECT_EQ(flow.Admit(Operation::ReqQryOrder, 7, kStart), 0);
  // Unanswered and within the second: waiting for the answer comes first.
  EXPECT_EQ(flow.Admit(Operation::ReqQryTrade, 8, kStart + milliseconds(1)),
            QueryFlow::kTooManyInFlight);
  // Orders and the other requests are not queries.
  EXPECT_EQ(flow.Admit(Operation::ReqOrderInsert, 9, kStart + milliseconds(1)), 0);
  EXPECT_EQ(flow.Admit(Operation::ReqSettlementInfoConfirm, 9, kStart + milliseconds(1)), 0);
  // Neither another query's answer, a wrong id nor a response that is not the last ends it.
  flow.Raised(Event(EventId::OnRspQryTrade), 7, true);
  flow.Raised(Event(EventId::OnRspQryOrder), 6, true);
  flow.Raised(Event(EventId::OnRspQryOrder), 7, false);
  EXPECT_EQ(flow.Admit(Operation::ReqQryOrder, 8, kStart + milliseconds(2)),
            QueryFlow::kTooManyInFlight);
  flow.Raised(Event(EventId::OnRspQryOrder), 7, true);
  EXPECT_EQ(flow.Admit(Operation::ReqQryOrder, 8, kStart + milliseconds(3)),
            QueryFlow::kTooManyPerSecond);
  EXPECT_EQ(flow.Admit(Operation::ReqQryOrder, 8, kStart + milliseconds(1000)), 0);
}

TEST(QueryFlow, AnErrorResponseOrADroppedLineEndsAnUnansweredQuery) {
  QueryFlow flow(FlowLimits{std::nullopt, 2, std::nullopt});
  EXPECT_EQ(flow.Admit(Operation::ReqQryOrder, 1, kStart), 0);
  EXPECT_EQ(flow.Admit(Operation::ReqQryInstrument, 2, kStart), 0);
  EXPECT_EQ(flow.Admit(Operation::ReqQryTrade, 3, kStart), QueryFlow::kTooManyInFlight);
  flow.Raised(Event(EventId::OnRspError), 2, true);
  EXPECT_EQ(flow.Admit(Operation::ReqQryTrade, 3, kStart), 0);
  EXPECT_EQ(flow.Admit(Operation::ReqQryTrade, 4, kStart), QueryFlow::kTooManyInFlight);
  flow.ConnectionLost();
  EXPECT_EQ(flow.Admit(Operation::ReqQryTrade, 4, kStart), 0);
  EXPECT_EQ(flow.Admit(Operation::ReqQryTrade, 5, kStart), 0);
}

TEST(QueryFlow, QueriesSentBeforeNewLimitsCountAgainstThem) {
  QueryFlow flow;  // what an object applies before Init learns its front's limits
  EXPECT_EQ(flow.Admit(Operation::ReqQryOrder, 1, kStart), 0);
  flow.SetLimits(FlowLimits{2, std::nullopt, std::nullopt});
  EXPECT_EQ(flow.Admit(Operation::ReqQryOrder, 2, kStart + milliseconds(1)), 0);
  EXPECT_EQ(flow.Admit(Operation::ReqQryOrder, 3, kStart + milliseconds(2)),
            QueryFlow::kTooManyPerSecond);
  flow.SetLimits(FlowLimits::None());
  for (int id = 4; id < 100; ++id) EXPECT_EQ(flow.Admit(Operation::ReqQryOrder, id, kStart), 0);
}

TEST(FlowLimitsConfig, SetsTheNamedLimitsAndLiftsThoseGivenNone) {
  simtrader::BrokerConfig config;
  EXPECT_EQ(config.limits.queries_per_second, 1);
  EXPECT_EQ(config.limits.queries_in_flight, 1);
  EXPECT_EQ(config.limits.orders_per_second, std::nullopt);
  simtrader::ApplyConfigText(config, "limits orders_per_second=6 queries_in_flight=none");
  EXPECT_EQ(config.limits.queries_per_second, 1);
  EXPECT_EQ(config.limits.queries_in_flight, std::nullopt);
  EXPECT_EQ(config.limits.orders_per_second, 6);
}

class BadLimits : public testing::TestWithParam<const char *> {};

TEST_P(BadLimits, AreRefusedChangingNothing) {
  simtrader::BrokerConfig config;
  EXPECT_THROW(
      simtrader::ApplyConfigText(config, std::string("limits queries_per_second=5\n") + GetParam()),
      std::invalid_argument);
  EXPECT_EQ(config.limits.queries_per_second, 1);
}

INSTANTIATE_TEST_SUITE_P(
    FlowLimits, BadLimits,
    testing::Values("limits queries_per_second=0", "limits queries_in_flight=-1",
                    "limits orders_per_second=2.5", "limits orders_per_second=None",
                    "limits orders_per_second=99999999999", "limits orders_per_minute=1"));

}  // namespace
