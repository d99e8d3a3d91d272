// The end of a broker's trading day: what the settlement cancels, marks, rolls and reports,
// and the trading days it moves through.
#include <gtest/gtest.h>

#include <iconv.h>

#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "broker/record_text.h"
#include "broker/reference/trading_calendar.h"
#include "broker/vendor_errors.h"
#include "broker_test_support.h"

namespace {

using simtest::BrokerClient;
using simtest::kCent;
using simtest::MakeBroker;
using simtest::Named;
using simtrader::TextOf;

constexpr char kBuy = THOST_FTDC_D_Buy;
constexpr char kSell = THOST_FTDC_D_Sell;
constexpr char kOpen = THOST_FTDC_OF_Open;
constexpr char kCloseToday = THOST_FTDC_OF_CloseToday;
constexpr char kCloseYesterday = THOST_FTDC_OF_CloseYesterday;

// rb2705 (SHFE, tick 1, x10, margin 10%, commission 0.01% of value) is quoted 3200 / 3201
// and settled yesterday at 3200; 2027-01-01 is a Friday.
constexpr char kFriday[] = "calendar trading_day=20270101\n";

std::vector<CThostFtdcInvestorPositionField> Held(BrokerClient &client) {
  std::vector<CThostFtdcInvestorPositionField> held;
  for (const auto &record : client.Positions()) {
    if (record.Position > 0) held.push_back(record);
  }
  return held;
}

std::vector<CThostFtdcSettlementInfoField> Statement(BrokerClient &client,
                                                     const std::string &day = "") {
  CThostFtdcQrySettlementInfoField query{};
  simtrader::SetText(query.TradingDay, day);
  client.Take();
  client.broker().QuerySettlementInfo(client.link(), query, 7);
  std::vector<CThostFtdcSettlementInfoField> records;
  for (const auto &event : Named(client.Take(), "OnRspQrySettlementInfo")) {
    if (event.has_record()) records.push_back(event.As<CThostFtdcSettlementInfoField>());
  }
  return records;
}

std::string Utf8Of(const std::string &gb18030) {
  iconv_t converter = iconv_open("UTF-8", "GB18030");
  std::string converted(gb18030.size() * 2 + 4, '\0');
  char *in = const_cast<char *>(gb18030.data());
  std::size_t in_left = gb18030.size();
  char *out = converted.data();
  std::size_t out_left = converted.size();
  const std::size_t result = iconv(converter, &in, &in_left, &out, &out_left);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1)) return "<not GB18030>";
  converted.resize(converted.size() - out_left);
  return converted;
}

TEST(Settle, CarriesTodaysLotsAsYesterdaysMarkedAtTheSettlementPrice) {
  BrokerClient client(MakeBroker(kFriday));
  client.LogIn("U1");
  client.Order("rb2705", kBuy, kOpen, 3201, 2);
  client.Order("rb2705", kSell, kCloseToday, 3200, 1);
  const double commission = client.Account().Commission;
  client.broker().Settle({{"rb2705", 3210}});

  client.LogIn("U1");
  const auto held = Held(client);
  ASSERT_EQ(held.size(), 1u);
  EXPECT_EQ(held[0].PositionDate, THOST_FTDC_PSD_History);
  EXPECT_EQ(held[0].Position, 1);
  EXPECT_EQ(held[0].YdPosition, 1);
  EXPECT_EQ(held[0].TodayPosition, 0);
  EXPECT_NEAR(held[0].UseMargin, 3210 * 10 * 0.1, kCent);

  const auto account = client.Account();
  // The day's profit on the lot carried, at the settlement price, is in the new pre-balance.
  EXPECT_NEAR(account.PreBalance, 10'000'000 - commission + (3200 - 3201) * 10 + (3210 - 3201) * 10,
              kCent);
  EXPECT_EQ(account.CloseProfit, 0);
  EXPECT_EQ(account.Commission, 0);
  EXPECT_NEAR(account.CurrMargin, 3210 * 10 * 0.1, kCent);
  // Marked against 3210 now: the market's last price is 3200.
  EXPECT_NEAR(account.PositionProfit, (3200 - 3210) * 10, kCent);
  EXPECT_EQ(TextOf(account.TradingDay), "20270104");

  // Yesterday's lot closes with close-yesterday only.
  client.Take();
  client.Order("rb2705", kSell, kCloseToday, 3200, 1);
  EXPECT_EQ(Named(client.Take(), "OnRspOrderInsert").at(0).error_id(),
            simtrader::vendor_error::kOverCloseToday.id);
  client.Order("rb2705", kSell, kCloseYesterday, 3200, 1);
  EXPECT_TRUE(Held(client).empty());
}

TEST(Settle, CancelsEveryWaitingOrderAndEndsTheDaysLogins) {
  BrokerClient client(MakeBroker(kFriday));
  client.LogIn("U1");
  client.Order("rb2705", kBuy, kOpen, 3100, 1);
  CThostFtdcInputOrderField stop = client.Order("rb2705", kBuy, kOpen, 3100, 1);
  stop.LimitPrice = 3300;
  stop.ContingentCondition = THOST_FTDC_CC_Touch;
  stop.StopPrice = 3300;
  simtrader::SetText(stop.OrderRef, "50");
  client.Send(stop);
  client.Take();
  client.broker().Settle({});

  const auto events = client.Take();
  std::vector<std::string> cancelled;
  for (const auto &event : Named(events, "OnRtnOrder")) {
    const auto order = event.As<CThostFtdcOrderField>();
    EXPECT_EQ(order.OrderStatus, THOST_FTDC_OST_Canceled);
    cancelled.push_back(TextOf(order.OrderRef));
  }
  EXPECT_EQ(cancelled, (std::vector<std::string>{"1", "2", "50"}));

  // The login ended with the day.
  client.broker().QueryOrders(client.link(), CThostFtdcQryOrderField{}, 8);
  EXPECT_EQ(Named(client.Take(), "OnRspQryOrder").at(0).error_id(),
            simtrader::vendor_error::kNotLoggedIn.id);
  // The new day has no orders yet, and nothing frozen for yesterday's.
  client.LogIn("U1");
  client.broker().QueryOrders(client.link(), CThostFtdcQryOrderField{}, 9);
  const auto answer = Named(client.Take(), "OnRspQryOrder");
  ASSERT_EQ(answer.size(), 1u);
  EXPECT_FALSE(answer[0].has_record());
  EXPECT_EQ(client.Account().FrozenMargin, 0);
}

TEST(Settle, DropsTheLevelsOutsideTheNewLimitsTheOthersMovingUp) {
  auto broker = MakeBroker(kFriday);
  simtrader::MarketUpdate update;
  update.bids = std::vector<simtrader::Level>{{3200, 1}, {3180, 2}, {3000, 3}};
  update.asks = std::vector<simtrader::Level>{{3201, 5}, {3210, 6}};
  broker->SetMarket("rb2705", update);
  // Settled at 2976, rb2705's 7% band is 2768 to 3184.
  broker->Settle({{"rb2705", 2976}});
  const simtrader::Market market = broker->Listed("rb2705")->market;
  auto quotes = [](const simtrader::Levels &side) {
    std::vector<std::pair<double, int>> pairs;
    for (const simtrader::Level &level : side) pairs.emplace_back(level.price, level.volume);
    return pairs;
  };
  EXPECT_EQ(quotes(market.bids),
            (std::vector<std::pair<double, int>>{{3180, 2}, {3000, 3}, {0, 0}, {0, 0}, {0, 0}}));
  // An emptied side keeps its first level's lots for the price a later move gives it.
  EXPECT_EQ(quotes(market.asks),
            (std::vector<std::pair<double, int>>{{0, 5}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}));
}

TEST(Settle, NeedsTheNewDayConfirmedBeforeOrders) {
  BrokerClient client(MakeBroker(kFriday));
  client.LogIn("U1");
  client.broker().Settle({});
  ASSERT_EQ(client.Authenticate("U1"), 0);
  const int error = client.Login("U1");
  ASSERT_EQ(error, 0);
  client.Take();
  client.Order("rb2705", kBuy, kOpen, 3201, 1);
  EXPECT_EQ(Named(client.Take(), "OnRspOrderInsert").at(0).error_id(),
            simtrader::vendor_error::kSettlementNotConfirmed.id);
}

TEST(Settle, WritesTheDaysStatementInChunksOfGb18030) {
  BrokerClient client(MakeBroker(kFriday));
  client.LogIn("U1");
  // Enough trades that the statement takes several records.
  for (int round = 0; round < 12; ++round) {
    client.Order("rb2705", kBuy, kOpen, 3201, 1);
    client.Order("rb2705", kSell, kCloseToday, 3200, 1);
  }
  client.Order("rb2705", kBuy, kOpen, 3201, 3);
  EXPECT_TRUE(Statement(client).empty());
  client.broker().Settle({{"rb2705", 3205}});
  client.LogIn("U1");

  const auto records = Statement(client);
  ASSERT_GT(records.size(), 2u);
  std::string text;
  for (std::size_t index = 0; index < records.size(); ++index) {
    EXPECT_EQ(records[index].SequenceNo, static_cast<int>(index) + 1);
    EXPECT_EQ(TextOf(records[index].TradingDay), "20270101");
    EXPECT_EQ(TextOf(records[index].InvestorID), "U1");
    const std::string chunk = TextOf(records[index].Content);
    EXPECT_LE(chunk.size(), sizeof records[index].Content - 1);
    // Every chunk is whole text: no character is cut between two records.
    EXPECT_NE(Utf8Of(chunk), "<not GB18030>") << "record " << index;
    text += chunk;
  }
  const std::string statement = Utf8Of(text);
  for (const char *expected : {"交易结算单", "Client ID：U1", "20270101", "期初结存 Balance b/f：",
                               "成交记录", "持仓汇总", "rb2705", "3205.000"}) {
    EXPECT_NE(statement.find(expected), std::string::npos) << expected;
  }
  // One row per trade: 25 trades.
  EXPECT_NE(statement.find("25 条"), std::string::npos);
  EXPECT_EQ(Statement(client, "20270101").size(), records.size());
  EXPECT_TRUE(Statement(client, "20261231").empty());
}

// CFFEX margins a product's larger side only: the statement's row charges what the account
// does, not both sides.
TEST(Settle, TheStatementChargesAHedgedCffexProductOnItsLargerSide) {
  const simtrader::Listing listing = simtrader::DefaultCatalogue().at("IF2703");
  BrokerClient client(MakeBroker(kFriday));
  client.LogIn("U1");
  client.Order("IF2703", kBuy, kOpen, listing.market.asks[0].price, 2);
  client.Order("IF2703", kSell, kOpen, listing.market.bids[0].price, 1);
  client.Take();
  client.broker().Settle({{"IF2703", listing.market.bids[0].price}});
  client.LogIn("U1");
  const double margin = client.Account().CurrMargin;
  std::string text;
  for (const auto &record : Statement(client)) text += TextOf(record.Content);
  const std::string statement = Utf8Of(text);
  const std::size_t row = statement.find("IF2703", statement.find("持仓汇总"));
  ASSERT_NE(row, std::string::npos);
  std::string line = statement.substr(row, statement.find("\r\n", row) - row);
  // The row's last cell is its margin.
  line.erase(line.find_last_not_of("| ") + 1);
  EXPECT_NEAR(std::stod(line.substr(line.find_last_of('|') + 1)), margin, kCent) << line;
}

struct RefusedSettlement {
  const char *name;
  std::map<std::string, double> prices;
};

class SettleRefusal : public testing::TestWithParam<RefusedSettlement> {};

TEST_P(SettleRefusal, ChangesNothing) {
  BrokerClient client(MakeBroker(kFriday));
  client.LogIn("U1");
  client.Order("rb2705", kBuy, kOpen, 3201, 1);
  EXPECT_THROW(client.broker().Settle(GetParam().prices), std::invalid_argument);
  EXPECT_EQ(client.broker().trading_day(), "20270101");
  const auto held = Held(client);
  ASSERT_EQ(held.size(), 1u);
  EXPECT_EQ(held[0].TodayPosition, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Prices, SettleRefusal,
    testing::Values(RefusedSettlement{"NotListed", {{"rb2705", 3200}, {"xx9999", 1}}},
                    RefusedSettlement{"OffTheTick", {{"rb2705", 3200.5}}},
                    RefusedSettlement{"AboveTheLimit", {{"rb2705", 4000}}},
                    RefusedSettlement{"NotPositive", {{"rb2705", 0}}}),
    [](const testing::TestParamInfo<RefusedSettlement> &info) { return info.param.name; });

TEST(TradingCalendar, MovesToTheNextWeekday) {
  const std::map<std::string, std::string> next = {{"20270101", "20270104"},
                                                   {"20270104", "20270105"},
                                                   {"20241231", "20250101"},
                                                   {"20240228", "20240229"}};
  for (const auto &[day, after] : next) EXPECT_EQ(simtrader::NextTradingDay(day), after) << day;
  for (const char *not_a_day : {"20270102", "20270103", "2027010", "202701011", "20270230",
                                "20230229", "2027-1-1", "", "20271301"}) {
    EXPECT_FALSE(simtrader::IsTradingDay(not_a_day)) << not_a_day;
    EXPECT_THROW(MakeBroker(std::string("calendar trading_day=") + not_a_day + "\n"),
                 std::invalid_argument)
        << not_a_day;
  }
}

}  // namespace
