// The broker's market clock: the times its records carry, the trading day a night session
// trades for, and the holidays the calendar skips.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>

#include "broker/record_text.h"
#include "broker_test_support.h"

namespace {

using simtest::BrokerClient;
using simtest::MakeBroker;
using simtest::Named;
using simtrader::MarketTime;
using simtrader::TextOf;

constexpr char kBuy = THOST_FTDC_D_Buy;
constexpr char kOpen = THOST_FTDC_OF_Open;

// Moves rb2705 (quoted 3200 / 3201) at the exchange's time `day` `clock`, its quotes one tick
// lower with `lower`.
void MoveAt(simtrader::Broker &broker, const std::string &day, const std::string &clock,
            bool lower = false) {
  simtrader::MarketUpdate update;
  if (lower) {
    update.bid = 3199;
    update.ask = 3200;
  }
  update.time = MarketTime{day, clock, 500};
  broker.SetMarket("rb2705", update);
}

template <typename Record>
Record Last(const std::vector<simtest::BrokerEvent> &events, const std::string &name) {
  const auto named = Named(events, name);
  EXPECT_FALSE(named.empty()) << name;
  return named.empty() ? Record{} : named.back().As<Record>();
}

// 2027-01-04 is a Monday.
TEST(MarketClock, RecordsCarryTheTimeOfTheLastMarketMove) {
  BrokerClient client(MakeBroker("calendar trading_day=20270104\n"));
  client.LogIn("U1");
  MoveAt(client.broker(), "20270104", "10:15:30");
  client.Take();
  client.Order("rb2705", kBuy, kOpen, 3200, 1);
  auto order = Last<CThostFtdcOrderField>(client.Take(), "OnRtnOrder");
  EXPECT_EQ(TextOf(order.InsertDate), "20270104");
  EXPECT_EQ(TextOf(order.InsertTime), "10:15:30");
  EXPECT_EQ(TextOf(order.UpdateTime), "10:15:30");

  // The resting order fills on the move that crosses it, at that move's time.
  MoveAt(client.broker(), "20270104", "10:20:01", true);
  const auto events = client.Take();
  const auto trade = Last<CThostFtdcTradeField>(events, "OnRtnTrade");
  EXPECT_EQ(TextOf(trade.TradeDate), "20270104");
  EXPECT_EQ(TextOf(trade.TradeTime), "10:20:01");
  EXPECT_EQ(TextOf(Last<CThostFtdcOrderField>(events, "OnRtnOrder").UpdateTime), "10:20:01");

  client.Order("rb2705", kBuy, kOpen, 3100, 1);
  const std::string ref = TextOf(Last<CThostFtdcOrderField>(client.Take(), "OnRtnOrder").OrderRef);
  MoveAt(client.broker(), "20270104", "13:45:00");
  client.CancelByRef(ref);
  order = Last<CThostFtdcOrderField>(client.Take(), "OnRtnOrder");
  EXPECT_EQ(order.OrderStatus, THOST_FTDC_OST_Canceled);
  EXPECT_EQ(TextOf(order.CancelTime), "13:45:00");
  // Cancelling it again is refused, the refusal stamped alike.
  client.CancelByRef(ref);
  const auto action = Last<CThostFtdcOrderActionField>(client.Take(), "OnErrRtnOrderAction");
  EXPECT_EQ(TextOf(action.ActionDate), "20270104");
  EXPECT_EQ(TextOf(action.ActionTime), "13:45:00");
}

struct NightCase {
  const char *name;
  const char *config;
  const char *day;
  const char *clock;
  const char *trading_day;
};

class NightSession : public testing::TestWithParam<NightCase> {};

// A trade is dated the day it was made, and counts for the trading day its session trades
// for: from 18:00, the next one.
TEST_P(NightSession, TradesForTheNextTradingDay) {
  const NightCase &night = GetParam();
  BrokerClient client(MakeBroker(night.config));
  client.LogIn("U1");
  MoveAt(client.broker(), night.day, night.clock);
  client.Take();
  client.Order("rb2705", kBuy, kOpen, 3201, 1);
  const auto events = client.Take();
  const auto trade = Last<CThostFtdcTradeField>(events, "OnRtnTrade");
  EXPECT_EQ(TextOf(trade.TradeDate), night.day);
  EXPECT_EQ(TextOf(trade.TradingDay), night.trading_day);
  EXPECT_EQ(TextOf(Last<CThostFtdcOrderField>(events, "OnRtnOrder").TradingDay), night.trading_day);
  EXPECT_EQ(TextOf(client.broker().MarketRecord("rb2705")->TradingDay), night.trading_day);
}

INSTANTIATE_TEST_SUITE_P(
    Times, NightSession,
    testing::Values(NightCase{"DaySession", "calendar trading_day=20270104\n", "20270104",
                              "14:59:59", "20270104"},
                    NightCase{"MondayEvening", "calendar trading_day=20270104\n", "20270104",
                              "21:00:00", "20270105"},
                    NightCase{"FridayEveningForMonday", "calendar trading_day=20270108\n",
                              "20270108", "22:30:00", "20270111"},
                    NightCase{"SaturdaySmallHoursForMonday", "calendar trading_day=20270108\n",
                              "20270109", "01:30:00", "20270111"},
                    NightCase{"HolidaySkipped", "calendar trading_day=20270108 holidays=20270111\n",
                              "20270108", "21:05:00", "20270112"}),
    [](const testing::TestParamInfo<NightCase> &info) { return info.param.name; });

// Each move places the market in its own trading day, whether the day, the session or both
// changed since the move before, back in time as well.
TEST(MarketClock, TheTradingDayFollowsEveryMove) {
  BrokerClient client(MakeBroker("calendar trading_day=20270104\n"));
  struct Move {
    const char *day, *clock, *trading_day;
  };
  const Move moves[] = {{"20270104", "14:59:59", "20270104"}, {"20270104", "21:00:00", "20270105"},
                        {"20270104", "23:59:59", "20270105"}, {"20270105", "09:00:00", "20270105"},
                        {"20270106", "09:00:00", "20270106"}, {"20270108", "21:00:00", "20270111"},
                        {"20270108", "09:00:00", "20270108"}, {"20270105", "21:00:00", "20270106"}};
  for (const Move &move : moves) {
    MoveAt(client.broker(), move.day, move.clock);
    EXPECT_EQ(TextOf(client.broker().MarketRecord("rb2705")->TradingDay), move.trading_day)
        << move.day << " " << move.clock;
  }
}

// settle ends the day the broker trades in, the night's once the clock is in it, and the day
// after skips holidays as it skips weekends.
TEST(MarketClock, SettleEndsTheNightsTradingDayAndSkipsHolidays) {
  BrokerClient client(MakeBroker("calendar trading_day=20270101 holidays=20270104\n"));
  client.broker().Settle({});
  EXPECT_EQ(client.broker().trading_day(), "20270105");
  MoveAt(client.broker(), "20270105", "21:30:00");
  client.broker().Settle({});
  EXPECT_EQ(client.broker().trading_day(), "20270107");
  // A replay of an earlier file turns the clock back, never the day.
  MoveAt(client.broker(), "20270105", "09:30:00");
  client.LogIn("U1");
  client.Order("rb2705", kBuy, kOpen, 3201, 1);
  const auto trade = Last<CThostFtdcTradeField>(client.Take(), "OnRtnTrade");
  EXPECT_EQ(TextOf(trade.TradeDate), "20270105");
  EXPECT_EQ(TextOf(trade.TradingDay), "20270107");
}

TEST(MarketClock, RefusesAHolidayThatIsNotADateAndATradingDayOnAHoliday) {
  const std::pair<const char *, const char *> refused[] = {
      {"calendar holidays=20270104,20270230\n", "'20270230' is not a date"},
      {"calendar trading_day=20270104 holidays=20270104\n", "'20270104' is not a trading day"},
      {"calendar holidays=20270104\ncalendar trading_day=20270104\n", "is not a trading day"}};
  for (const auto &[text, message] : refused) {
    try {
      MakeBroker(text);
      ADD_FAILURE() << text;
    } catch (const std::invalid_argument &error) {
      EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
    }
  }
}

}  // namespace
