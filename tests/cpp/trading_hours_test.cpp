// The exchanges' hours at the simulated broker: which orders each phase of a product's
// trading day takes, what waits through breaks and auctions, and the instrument statuses the
// public flow carries as the market's clock moves.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "broker/vendor_errors.h"
#include "broker_test_support.h"

namespace {

using simtest::BrokerClient;
using simtest::BrokerEvent;
using simtest::MakeBroker;
using simtest::Named;
using simtrader::MarketTime;
using simtrader::MarketUpdate;
using simtrader::TextOf;

constexpr char kBuy = THOST_FTDC_D_Buy;
constexpr char kSell = THOST_FTDC_D_Sell;
constexpr char kOpen = THOST_FTDC_OF_Open;
// 20261207 is a Monday; Monday 20261221 a holiday.
constexpr char kHours[] =
    "trading_hours hours=exchange\ncalendar trading_day=20261207 holidays=20261221";

MarketUpdate At(const std::string &day, const std::string &time) {
  MarketUpdate update;
  update.time = MarketTime{day, time, 0};
  return update;
}

MarketUpdate QuoteAt(const std::string &day, const std::string &time, double bid, double ask) {
  MarketUpdate update = At(day, time);
  update.bid = bid;
  update.ask = ask;
  update.last = ask;
  return update;
}

int Trades(const std::vector<BrokerEvent> &events) {
  return static_cast<int>(Named(events, "OnRtnTrade").size());
}

struct HourCase {
  const char *name;
  const char *instrument;
  const char *day;
  const char *time;
  bool taken;
};

class OrdersByTheClock : public testing::TestWithParam<HourCase> {};

TEST_P(OrdersByTheClock, AreTakenOnlyWhileTheExchangeTakesThem) {
  const HourCase &hour = GetParam();
  BrokerClient client(MakeBroker(kHours));
  client.LogIn("U1");
  client.broker().SetMarket(hour.instrument, At(hour.day, hour.time));
  client.Take();
  const simtrader::Listing listing = *client.broker().Listed(hour.instrument);
  // Below the market: a taken order rests.
  client.Order(hour.instrument, kBuy, kOpen,
               listing.market.bids[0].price - 10 * listing.instrument.price_tick, 1);
  const std::vector<BrokerEvent> events = client.Take();
  const std::vector<BrokerEvent> refusals = Named(events, "OnRspOrderInsert");
  if (hour.taken) {
    EXPECT_TRUE(refusals.empty());
    ASSERT_FALSE(Named(events, "OnRtnOrder").empty());
    EXPECT_EQ(Named(events, "OnRtnOrder").back().As<CThostFtdcOrderField>().OrderStatus,
              THOST_FTDC_OST_NoTradeQueueing);
  } else {
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_EQ(refusals[0].error_id(), simtrader::vendor_error::kInstrumentNotTrading.id);
    EXPECT_EQ(Named(events, "OnErrRtnOrderInsert").size(), 1u);
    EXPECT_TRUE(Named(events, "OnRtnOrder").empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    TradingHours, OrdersByTheClock,
    testing::Values(
        HourCase{"RebarInTheLunchBreakIsRefused", "rb2705", "20261207", "12:00:00", false},
        HourCase{"RebarAtTheMorningBreakIsRefused", "rb2705", "20261207", "10:15:00", false},
        HourCase{"RebarInTheSessionsLastMinuteIsTaken", "rb2705", "20261207", "10:14:59", true},
        HourCase{"RebarAfterTheCloseIsRefused", "rb2705", "20261207", "15:00:00", false},
        HourCase{"RebarBeforeTheDayOpenHasNoAuction", "rb2705", "20261207", "08:57:00", false},
        HourCase{"IndexFutureInTheLunchBreakIsRefused", "IF2703", "20261207", "12:30:00", false},
        HourCase{"IndexFutureInItsAuctionIsTaken", "IF2703", "20261207", "09:26:00", true},
        HourCase{"IndexFutureInItsAuctionMatchIsRefused", "IF2703", "20261207", "09:29:10", false},
        HourCase{"SiliconWithoutANightSessionIsRefusedAtNight", "si2705", "20261207", "21:30:00",
                 false},
        HourCase{"SiliconInItsDayAuctionIsTaken", "si2705", "20261207", "08:56:00", true},
        HourCase{"CopperAfterMidnightIsTaken", "cu2702", "20261208", "00:30:00", true},
        HourCase{"CopperAtOneIsRefused", "cu2702", "20261208", "01:00:00", false},
        HourCase{"RebarAfterMidnightIsRefused", "rb2705", "20261208", "00:30:00", false},
        HourCase{"GoldBeforeHalfPastTwoIsTaken", "au2706", "20261208", "02:29:00", true},
        HourCase{"CopperInTheSmallHoursOfSaturdayIsTaken", "cu2702", "20261212", "00:30:00", true},
        HourCase{"CopperOnSaturdayMorningIsRefused", "cu2702", "20261212", "09:30:00", false},
        HourCase{"RebarOnSundayNightIsRefused", "rb2705", "20261213", "21:30:00", false},
        HourCase{"RebarOnFridayNightIsTaken", "rb2705", "20261204", "21:30:00", true},
        HourCase{"RebarOnTheNightBeforeAHolidayIsRefused", "rb2705", "20261218", "21:30:00", false},
        HourCase{"RebarOnAHolidayIsRefused", "rb2705", "20261221", "10:00:00", false}),
    [](const testing::TestParamInfo<HourCase> &info) { return std::string(info.param.name); });

struct AuctionCase {
  const char *instrument;
  const char *ordering;
  const char *match;
  const char *open;
};

class OpeningAuction : public testing::TestWithParam<AuctionCase> {};

TEST_P(OpeningAuction, TakesOrdersThatMatchOnlyOnceContinuousTradingOpens) {
  const AuctionCase &auction = GetParam();
  BrokerClient client(MakeBroker(kHours));
  client.LogIn("U1");
  const simtrader::Listing listing = *client.broker().Listed(auction.instrument);
  const double bid = listing.market.bids[0].price;
  const double ask = listing.market.asks[0].price;
  client.broker().SetMarket(auction.instrument, QuoteAt("20261207", auction.ordering, bid, ask));
  client.Take();
  // At the ask, which would fill at once in continuous trading.
  client.Order(auction.instrument, kBuy, kOpen, ask, 1);
  std::vector<BrokerEvent> events = client.Take();
  EXPECT_TRUE(Named(events, "OnRspOrderInsert").empty());
  EXPECT_EQ(Trades(events), 0);
  client.broker().SetMarket(auction.instrument, QuoteAt("20261207", auction.match, bid, ask));
  EXPECT_EQ(Trades(client.Take()), 0);
  client.broker().SetMarket(auction.instrument, QuoteAt("20261207", auction.open, bid, ask));
  events = client.Take();
  ASSERT_EQ(Trades(events), 1);
  EXPECT_DOUBLE_EQ(Named(events, "OnRtnTrade")[0].As<CThostFtdcTradeField>().Price, ask);
}

INSTANTIATE_TEST_SUITE_P(TradingHours, OpeningAuction,
                         testing::Values(AuctionCase{"IF2703", "09:25:00", "09:29:30", "09:30:00"},
                                         AuctionCase{"rb2705", "20:56:00", "20:59:00", "21:00:00"},
                                         AuctionCase{"si2705", "08:58:59", "08:59:59",
                                                     "09:00:01"}));

TEST(TradingHours, RestingAndConditionalOrdersWaitThroughABreak) {
  BrokerClient client(MakeBroker(kHours));
  client.LogIn("U1");
  client.broker().SetMarket("rb2705", QuoteAt("20261207", "10:00:00", 3200, 3201));
  client.Order("rb2705", kBuy, kOpen, 3190, 1);
  CThostFtdcInputOrderField stop = client.Order("rb2705", kSell, kOpen, 3190, 1);
  stop.ContingentCondition = THOST_FTDC_CC_Touch;
  stop.StopPrice = 3190;
  simtrader::SetText(stop.OrderRef, "50");
  client.Send(stop);
  client.Take();

  // The market reaches both in the break, and neither moves; nor may the resting order be
  // cancelled while the exchange takes no orders.
  client.broker().SetMarket("rb2705", QuoteAt("20261207", "10:20:00", 3189, 3190));
  client.CancelByRef("1");
  std::vector<BrokerEvent> events = client.Take();
  EXPECT_EQ(Trades(events), 0);
  EXPECT_TRUE(Named(events, "OnRtnOrder").empty());
  ASSERT_EQ(Named(events, "OnRspOrderAction").size(), 1u);
  EXPECT_EQ(Named(events, "OnRspOrderAction")[0].error_id(),
            simtrader::vendor_error::kInstrumentNotTrading.id);

  client.broker().SetMarket("rb2705", QuoteAt("20261207", "10:30:00", 3189, 3190));
  events = client.Take();
  EXPECT_EQ(Trades(events), 1);
  bool triggered = false;
  for (const BrokerEvent &event : Named(events, "OnRtnOrder")) {
    const auto order = event.As<CThostFtdcOrderField>();
    triggered |= TextOf(order.OrderRef) == "50" && order.OrderStatus != THOST_FTDC_OST_NotTouched;
  }
  EXPECT_TRUE(triggered);
}

// Price then time priority holds across a break: when continuous trading opens, whichever
// instrument's tick moved the clock there, an order that waited meets the market first.
TEST(TradingHours, AnOrderThatWaitedThroughABreakTradesBeforeOneSentAfterIt) {
  BrokerClient client(MakeBroker(kHours));
  client.LogIn("U1");
  client.broker().SetMarket("rb2705", QuoteAt("20261207", "10:00:00", 3199, 3201));
  client.Order("rb2705", kBuy, kOpen, 3200, 5);
  client.Take();
  MarketUpdate gap = QuoteAt("20261207", "10:20:00", 3189, 3190);
  gap.ask_volume = 5;
  client.broker().SetMarket("rb2705", gap);
  EXPECT_EQ(Trades(client.Take()), 0);

  client.broker().SetMarket("cu2702", At("20261207", "10:30:00"));
  std::vector<BrokerEvent> events = client.Take();
  ASSERT_EQ(Trades(events), 1);
  const auto trade = Named(events, "OnRtnTrade")[0].As<CThostFtdcTradeField>();
  EXPECT_EQ(trade.Volume, 5);
  EXPECT_DOUBLE_EQ(trade.Price, 3200);
  client.Order("rb2705", kBuy, kOpen, 3195, 5);
  EXPECT_EQ(Trades(client.Take()), 0);
}

TEST(TradingHours, StatusesFollowTheClockAcrossEachBoundary) {
  BrokerClient client(MakeBroker(kHours));
  client.LogIn("U1");
  const std::vector<std::pair<MarketTime, std::vector<std::pair<char, std::string>>>> steps = {
      {{"20261207", "20:56:10"}, {{THOST_FTDC_IS_AuctionOrdering, "20:55:00"}}},
      {{"20261207", "20:58:00"}, {}},
      {{"20261207", "20:59:00"}, {{THOST_FTDC_IS_AuctionMatch, "20:59:00"}}},
      {{"20261207", "21:00:00"}, {{THOST_FTDC_IS_Continous, "21:00:00"}}},
      {{"20261207", "23:00:00"}, {{THOST_FTDC_IS_NoTrading, "23:00:00"}}},
      {{"20261208", "09:00:00"}, {{THOST_FTDC_IS_Continous, "09:00:00"}}},
      {{"20261208", "10:15:00"}, {{THOST_FTDC_IS_NoTrading, "10:15:00"}}},
      // A jump over several boundaries reports where it lands.
      {{"20261208", "15:30:00"}, {{THOST_FTDC_IS_Closed, "15:00:00"}}},
  };
  client.broker().SetMarket("rb2705", At("20261207", "20:00:00"));
  client.Take();
  for (const auto &[time, expected] : steps) {
    MarketUpdate update;
    update.time = time;
    client.broker().SetMarket("rb2705", update);
    std::vector<std::pair<char, std::string>> statuses;
    for (const BrokerEvent &event : Named(client.Take(), "OnRtnInstrumentStatus")) {
      const auto status = event.As<CThostFtdcInstrumentStatusField>();
      if (TextOf(status.InstrumentID) != "rb2705") continue;
      EXPECT_EQ(TextOf(status.ExchangeID), "SHFE");
      statuses.emplace_back(status.InstrumentStatus, TextOf(status.EnterTime));
    }
    EXPECT_EQ(statuses, expected) << time.action_day << " " << time.update_time;
  }
}

TEST(TradingHours, AlwaysOpenWithoutHours) {
  BrokerClient client(MakeBroker("calendar trading_day=20261207"));
  client.LogIn("U1");
  client.broker().SetMarket("rb2705", QuoteAt("20261207", "12:00:00", 3200, 3201));
  client.Take();
  client.Order("rb2705", kBuy, kOpen, 3201, 1);
  EXPECT_EQ(Trades(client.Take()), 1);
}

}  // namespace
