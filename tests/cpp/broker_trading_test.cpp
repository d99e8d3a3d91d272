// The simulated broker's matching and bookkeeping: how orders fill, rest, are refused and
// cancelled, and how positions and money follow every fill.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "broker/record_text.h"
#include "broker/vendor_errors.h"
#include "broker_test_support.h"

namespace {

using simtest::BrokerClient;
using simtest::BrokerEvent;
using simtest::kCent;
using simtest::MakeBroker;
using simtest::Named;
using simtest::Names;
using simtrader::MarketUpdate;
using simtrader::TextOf;

constexpr char kBuy = THOST_FTDC_D_Buy;
constexpr char kSell = THOST_FTDC_D_Sell;
constexpr char kOpen = THOST_FTDC_OF_Open;
constexpr char kClose = THOST_FTDC_OF_Close;
constexpr char kCloseToday = THOST_FTDC_OF_CloseToday;
constexpr char kCloseYesterday = THOST_FTDC_OF_CloseYesterday;

// rb2705 (SHFE, tick 1, x10, margin 10%, commission 0.01% of value) is quoted 3200 / 3201.
constexpr double kRebarBid = 3200;
constexpr double kRebarAsk = 3201;

MarketUpdate Quote(double bid, double ask, std::optional<double> last = std::nullopt) {
  MarketUpdate update;
  update.bid = bid;
  update.ask = ask;
  update.last = last;
  return update;
}

std::vector<char> Statuses(const std::vector<BrokerEvent> &events) {
  std::vector<char> statuses;
  for (const BrokerEvent &event : Named(events, "OnRtnOrder")) {
    statuses.push_back(event.As<CThostFtdcOrderField>().OrderStatus);
  }
  return statuses;
}

CThostFtdcOrderField LastOrder(const std::vector<BrokerEvent> &events) {
  return Named(events, "OnRtnOrder").back().As<CThostFtdcOrderField>();
}

struct CrossingCase {
  const char *name;
  char direction;
  double limit;
  double fill;
};

class Crossing : public testing::TestWithParam<CrossingCase> {};

TEST_P(Crossing, FillsAtTheQuotedSideWithTheVendorsSequence) {
  BrokerClient client(MakeBroker());
  client.LogIn("U1");
  client.Order("rb2705", GetParam().direction, kOpen, GetParam().limit, 2);
  const std::vector<BrokerEvent> events = client.Take();
  ASSERT_EQ(Names(events),
            (std::vector<std::string>{"OnRtnOrder", "OnRtnOrder", "OnRtnOrder", "OnRtnTrade"}));
  const std::vector<BrokerEvent> orders = Named(events, "OnRtnOrder");
  const auto submitted = orders[0].As<CThostFtdcOrderField>();
  const auto queueing = orders[1].As<CThostFtdcOrderField>();
  const auto traded = orders[2].As<CThostFtdcOrderField>();
  EXPECT_EQ(submitted.OrderStatus, THOST_FTDC_OST_Unknown);
  EXPECT_EQ(submitted.OrderSubmitStatus, THOST_FTDC_OSS_InsertSubmitted);
  EXPECT_EQ(TextOf(submitted.StatusMsg), simtrader::status_text::kSubmitted);
  EXPECT_EQ(TextOf(submitted.OrderSysID), "");
  EXPECT_EQ(queueing.OrderStatus, THOST_FTDC_OST_NoTradeQueueing);
  EXPECT_EQ(TextOf(queueing.StatusMsg), simtrader::status_text::kQueueing);
  // Exchanges pad their numbers to the right.
  EXPECT_EQ(TextOf(queueing.OrderSysID).size(), 12u);
  EXPECT_EQ(TextOf(queueing.OrderSysID).find_first_not_of(' '), 11u);
  EXPECT_EQ(traded.OrderStatus, THOST_FTDC_OST_AllTraded);
  EXPECT_EQ(TextOf(traded.StatusMsg), simtrader::status_text::kAllTraded);
  EXPECT_EQ(traded.VolumeTraded, 2);
  EXPECT_EQ(traded.VolumeTotal, 0);
  for (const auto &order : {submitted, queueing, traded}) {
    EXPECT_EQ(TextOf(order.OrderRef), "1");
    EXPECT_EQ(TextOf(order.ExchangeID), "SHFE");
    EXPECT_EQ(order.FrontID, simtrader::Broker::kFrontID);
    EXPECT_EQ(order.SessionID, client.session_id());
    EXPECT_EQ(order.LimitPrice, GetParam().limit);
  }
  const auto trade = events.back().As<CThostFtdcTradeField>();
  EXPECT_EQ(trade.Price, GetParam().fill);
  EXPECT_EQ(trade.Volume, 2);
  EXPECT_EQ(trade.Direction, GetParam().direction);
  EXPECT_EQ(trade.OffsetFlag, kOpen);
  EXPECT_EQ(TextOf(trade.OrderSysID), TextOf(traded.OrderSysID));
  EXPECT_EQ(TextOf(trade.OrderRef), "1");
}

INSTANTIATE_TEST_SUITE_P(
    Broker, Crossing,
    testing::Values(CrossingCase{"BuyAtTheAsk", kBuy, kRebarAsk, kRebarAsk},
                    CrossingCase{"BuyAboveTheAsk", kBuy, kRebarAsk + 50, kRebarAsk},
                    CrossingCase{"SellAtTheBid", kSell, kRebarBid, kRebarBid},
                    CrossingCase{"SellBelowTheBid", kSell, kRebarBid - 50, kRebarBid}),
    [](const testing::TestParamInfo<CrossingCase> &info) { return info.param.name; });

TEST(Resting, AnOrderThatDoesNotCrossRestsUntilAMarketDoesAndIsTheMaker) {
  BrokerClient client(MakeBroker());
  client.LogIn("U1");
  client.Order("rb2705", kBuy, kOpen, 3150, 1);
  EXPECT_EQ(Statuses(client.Take()),
            (std::vector<char>{THOST_FTDC_OST_Unknown, THOST_FTDC_OST_NoTradeQueueing}));

  client.broker().SetMarket("rb2705", Quote(3150, 3152));
  EXPECT_TRUE(client.Take().empty());
  client.broker().SetMarket("rb2705", Quote(3148, 3149));
  const std::vector<BrokerEvent> events = client.Take();
  EXPECT_EQ(Statuses(events), std::vector<char>{THOST_FTDC_OST_AllTraded});
  // A resting bid is the maker: it trades at its own price, not at the ask that crossed it.
  EXPECT_EQ(Named(events, "OnRtnTrade").at(0).As<CThostFtdcTradeField>().Price, 3150);
}

TEST(Resting, AnImmediateOrderThatDoesNotCrossIsCancelled) {
  BrokerClient client(MakeBroker());
  client.LogIn("U1");
  CThostFtdcInputOrderField order = client.Order("rb2705", kBuy, kOpen, 3100, 1);
  client.Take();
  order.TimeCondition = THOST_FTDC_TC_IOC;
  simtrader::SetText(order.OrderRef, "7");
  client.Send(order);
  EXPECT_EQ(Statuses(client.Take()),
            (std::vector<char>{THOST_FTDC_OST_Unknown, THOST_FTDC_OST_NoTradeQueueing,
                               THOST_FTDC_OST_Canceled}));
}

// An account U1 holding rebar from yesterday (2 long at 3150) and soybean meal (1 long).
constexpr char kHoldingYesterday[] =
    "account investor=U1\n"
    "position investor=U1 instrument_id=rb2705 direction=long volume=2 price=3150\n"
    "position investor=U1 instrument_id=m2705 direction=long volume=1\n";

struct RefusalCase {
  const char *name;
  const char *config;
  std::function<void(BrokerClient &)> before;  // runs after login and confirmation
  std::function<CThostFtdcInputOrderField(BrokerClient &)> order;
  simtrader::VendorError error;
};

class Refusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, IsAnsweredAndPublishedWithTheVendorsErrorAndNoOrder) {
  BrokerClient client(MakeBroker(GetParam().config));
  client.LogIn("U1");
  if (GetParam().before) GetParam().before(client);
  client.Take();
  const CThostFtdcInputOrderField order = GetParam().order(client);
  const std::vector<BrokerEvent> events = client.Take();
  ASSERT_EQ(Names(events), (std::vector<std::string>{"OnRspOrderInsert", "OnErrRtnOrderInsert"}));
  for (const BrokerEvent &event : events) {
    EXPECT_EQ(event.error_id(), GetParam().error.id);
    EXPECT_EQ(event.error_message(), GetParam().error.message);
    EXPECT_EQ(TextOf(event.As<CThostFtdcInputOrderField>().OrderRef), TextOf(order.OrderRef));
  }
  EXPECT_TRUE(events[0].args.is_last);
}

// A valid order, but for the change, sent with the reference 99.
CThostFtdcInputOrderField WithField(
    BrokerClient &client, const std::function<void(CThostFtdcInputOrderField &)> &change) {
  CThostFtdcInputOrderField order{};
  simtrader::SetText(order.InstrumentID, "rb2705");
  simtrader::SetText(order.OrderRef, "99");
  order.OrderPriceType = THOST_FTDC_OPT_LimitPrice;
  order.Direction = kBuy;
  order.CombOffsetFlag[0] = kOpen;
  order.CombHedgeFlag[0] = THOST_FTDC_HF_Speculation;
  order.LimitPrice = kRebarAsk;
  order.VolumeTotalOriginal = 1;
  order.TimeCondition = THOST_FTDC_TC_GFD;
  order.VolumeCondition = THOST_FTDC_VC_AV;
  order.MinVolume = 1;
  order.ContingentCondition = THOST_FTDC_CC_Immediately;
  order.ForceCloseReason = THOST_FTDC_FCC_NotForceClose;
  change(order);
  client.Send(order);
  return order;
}

namespace errors = simtrader::vendor_error;

INSTANTIATE_TEST_SUITE_P(
    Broker, Refusal,
    testing::Values(
        RefusalCase{"UnknownInstrument", "", nullptr,
                    [](BrokerClient &c) { return c.Order("rb1999", kBuy, kOpen, 3201, 1); },
                    errors::kInstrumentNotFound},
        RefusalCase{"AnotherExchangesInstrument", "", nullptr,
                    [](BrokerClient &c) { return c.Order("rb2705", kBuy, kOpen, 3201, 1, "DCE"); },
                    errors::kInstrumentNotFound},
        RefusalCase{"NoVolume", "", nullptr,
                    [](BrokerClient &c) { return c.Order("rb2705", kBuy, kOpen, 3201, 0); },
                    errors::kBadOrderField},
        RefusalCase{"NoPrice", "", nullptr,
                    [](BrokerClient &c) { return c.Order("rb2705", kBuy, kOpen, 0, 1); },
                    errors::kBadOrderField},
        RefusalCase{"MarketOrderGoodForTheDay", "", nullptr,
                    [](BrokerClient &c) {
                      return WithField(c,
                                       [](auto &o) { o.OrderPriceType = THOST_FTDC_OPT_AnyPrice; });
                    },
                    errors::kBadOrderField},
        RefusalCase{"MarketOrderOnShfe", "", nullptr,
                    [](BrokerClient &c) {
                      return WithField(c, [](auto &o) {
                        o.OrderPriceType = THOST_FTDC_OPT_AnyPrice;
                        o.TimeCondition = THOST_FTDC_TC_IOC;
                      });
                    },
                    errors::kPriceTypeNotSupported},
        RefusalCase{"MarketOrderWhereConfiguredOff", "exchange exchange_id=DCE market_orders=0",
                    nullptr,
                    [](BrokerClient &c) {
                      return WithField(c, [](auto &o) {
                        simtrader::SetText(o.InstrumentID, "m2705");
                        o.OrderPriceType = THOST_FTDC_OPT_AnyPrice;
                        o.TimeCondition = THOST_FTDC_TC_IOC;
                      });
                    },
                    errors::kPriceTypeNotSupported},
        RefusalCase{"AllOrNothingGoodForTheDay", "", nullptr,
                    [](BrokerClient &c) {
                      return WithField(c, [](auto &o) { o.VolumeCondition = THOST_FTDC_VC_CV; });
                    },
                    errors::kBadOrderField},
        RefusalCase{"MinimumAboveTheVolume", "", nullptr,
                    [](BrokerClient &c) {
                      return WithField(c, [](auto &o) {
                        o.TimeCondition = THOST_FTDC_TC_IOC;
                        o.VolumeCondition = THOST_FTDC_VC_MV;
                        o.MinVolume = 2;
                      });
                    },
                    errors::kBadOrderField},
        RefusalCase{"HedgeFlag", "", nullptr,
                    [](BrokerClient &c) {
                      return WithField(c,
                                       [](auto &o) { o.CombHedgeFlag[0] = THOST_FTDC_HF_Hedge; });
                    },
                    errors::kBadOrderField},
        RefusalCase{
            "ForcedClose", "", nullptr,
            [](BrokerClient &c) { return WithField(c, [](auto &o) { o.UserForceClose = 1; }); },
            errors::kBadOrderField},
        RefusalCase{"ConditionOnTheBid", "", nullptr,
                    [](BrokerClient &c) {
                      return WithField(c, [](auto &o) {
                        o.ContingentCondition = THOST_FTDC_CC_BidPriceGreaterThanStopPrice;
                        o.StopPrice = 3300;
                      });
                    },
                    errors::kConditionNotSupported},
        RefusalCase{"ParkedOrder", "", nullptr,
                    [](BrokerClient &c) {
                      return WithField(
                          c, [](auto &o) { o.ContingentCondition = THOST_FTDC_CC_ParkedOrder; });
                    },
                    errors::kConditionNotSupported},
        RefusalCase{"StopPriceOffTheTick", "", nullptr,
                    [](BrokerClient &c) {
                      return WithField(c, [](auto &o) {
                        o.ContingentCondition = THOST_FTDC_CC_Touch;
                        o.StopPrice = 3300.5;
                      });
                    },
                    errors::kBadOrderField},
        RefusalCase{"GoodTillCancelled", "", nullptr,
                    [](BrokerClient &c) {
                      return WithField(c, [](auto &o) { o.TimeCondition = THOST_FTDC_TC_GTC; });
                    },
                    errors::kBadOrderField},
        RefusalCase{"InsufficientFunds", "account investor=U1 balance=6000", nullptr,
                    // Margin 3201 x 2 x 10 x 10% = 6402 exceeds the balance.
                    [](BrokerClient &c) { return c.Order("rb2705", kBuy, kOpen, 3201, 2); },
                    errors::kInsufficientMoney},
        RefusalCase{"FundsHeldByARestingOrder", "account investor=U1 balance=7000",
                    [](BrokerClient &c) { c.Order("rb2705", kBuy, kOpen, 3100, 2); },
                    [](BrokerClient &c) { return c.Order("rb2705", kBuy, kOpen, 3100, 1); },
                    errors::kInsufficientMoney},
        RefusalCase{"ClosingNothing", "", nullptr,
                    [](BrokerClient &c) { return c.Order("m2705", kSell, kClose, 2900, 1); },
                    errors::kOverClosePosition},
        RefusalCase{"ClosingTheOtherSide", kHoldingYesterday, nullptr,
                    [](BrokerClient &c) { return c.Order("m2705", kBuy, kClose, 2901, 1); },
                    errors::kOverClosePosition},
        RefusalCase{"ClosingMoreThanHeld", kHoldingYesterday, nullptr,
                    [](BrokerClient &c) { return c.Order("rb2705", kSell, kClose, 3200, 3); },
                    errors::kOverClosePosition},
        RefusalCase{"ClosingWhatARestingCloseHolds", kHoldingYesterday,
                    [](BrokerClient &c) { c.Order("m2705", kSell, kClose, 2950, 1); },
                    [](BrokerClient &c) { return c.Order("m2705", kSell, kClose, 2950, 1); },
                    errors::kOverClosePosition},
        RefusalCase{"ClosingTodayWithOnlyYesterdaysLots", kHoldingYesterday, nullptr,
                    [](BrokerClient &c) { return c.Order("rb2705", kSell, kCloseToday, 3200, 1); },
                    errors::kOverCloseToday},
        RefusalCase{
            "ClosingYesterdayWithOnlyTodaysLots", "",
            [](BrokerClient &c) { c.Order("rb2705", kBuy, kOpen, 3201, 1); },
            [](BrokerClient &c) { return c.Order("rb2705", kSell, kCloseYesterday, 3200, 1); },
            errors::kOverCloseYesterday},
        RefusalCase{"APlainCloseOnShfeTakesYesterdaysLotsOnly", "",
                    [](BrokerClient &c) { c.Order("rb2705", kBuy, kOpen, 3201, 1); },
                    [](BrokerClient &c) { return c.Order("rb2705", kSell, kClose, 3200, 1); },
                    errors::kOverCloseYesterday},
        RefusalCase{"ARepeatedReference", "", [](BrokerClient &c) { WithField(c, [](auto &) {}); },
                    [](BrokerClient &c) { return WithField(c, [](auto &) {}); },
                    errors::kDuplicateOrderRef},
        // References increase within a session: one below a reference it used is refused.
        RefusalCase{"ALowerReference", "", [](BrokerClient &c) { WithField(c, [](auto &) {}); },
                    [](BrokerClient &c) {
                      return WithField(c, [](auto &o) { simtrader::SetText(o.OrderRef, "98"); });
                    },
                    errors::kDuplicateOrderRef}),
    [](const testing::TestParamInfo<RefusalCase> &info) { return info.param.name; });

TEST(OrderRefs, IncreaseWithinASessionWhileANewSessionMayStartLow) {
  auto broker = MakeBroker();
  BrokerClient first(broker);
  first.LogIn("U1");
  WithField(first, [](auto &o) { simtrader::SetText(o.OrderRef, "99"); });
  BrokerClient second(broker);
  second.LogIn("U1");
  second.Take();
  WithField(second, [](auto &o) { simtrader::SetText(o.OrderRef, "5"); });
  EXPECT_EQ(Names(second.Take()).front(), "OnRtnOrder");
}

struct CapCase {
  const char *name;
  const char *config;
  const char *instrument;
  char price_type;
  int cap;
};

class VolumeCap : public testing::TestWithParam<CapCase> {};

// Each exchange caps the lots of one order, a limit and a market order apart, and reports
// the caps in the instrument's record.
TEST_P(VolumeCap, TakesAnOrderUpToTheCapAndRefusesOneLotMore) {
  const CapCase &cap = GetParam();
  auto broker = MakeBroker(cap.config);
  BrokerClient client(broker);
  client.LogIn("U1");
  client.Take();
  const simtrader::Listing listing = *broker->Listed(cap.instrument);
  const CThostFtdcInstrumentField record = simtrader::InstrumentRecord(listing.instrument);
  EXPECT_EQ(cap.price_type == THOST_FTDC_OPT_AnyPrice ? record.MaxMarketOrderVolume
                                                      : record.MaxLimitOrderVolume,
            cap.cap);
  for (const int volume : {cap.cap, cap.cap + 1}) {
    WithField(client, [&](auto &o) {
      simtrader::SetText(o.InstrumentID, cap.instrument);
      simtrader::SetText(o.OrderRef, std::to_string(volume));
      o.OrderPriceType = cap.price_type;
      o.TimeCondition = THOST_FTDC_TC_IOC;
      o.LimitPrice = listing.market.asks[0].price;
      o.VolumeTotalOriginal = volume;
    });
    const std::vector<BrokerEvent> events = client.Take();
    if (volume == cap.cap) {
      EXPECT_EQ(Names(events).front(), "OnRtnOrder");
    } else {
      ASSERT_EQ(Names(events),
                (std::vector<std::string>{"OnRspOrderInsert", "OnErrRtnOrderInsert"}));
      EXPECT_EQ(events[0].error_id(), errors::kBadOrderField.id);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Broker, VolumeCap,
    testing::Values(CapCase{"ShfeLimit", "", "rb2705", THOST_FTDC_OPT_LimitPrice, 500},
                    CapCase{"CffexLimit", "", "IF2703", THOST_FTDC_OPT_LimitPrice, 20},
                    CapCase{"CffexMarket", "", "IF2703", THOST_FTDC_OPT_AnyPrice, 10},
                    CapCase{"CzceMarket", "", "SR705", THOST_FTDC_OPT_AnyPrice, 200},
                    CapCase{"ConfiguredLimit",
                            "instrument instrument_id=m2705 max_limit_order_volume=7", "m2705",
                            THOST_FTDC_OPT_LimitPrice, 7},
                    CapCase{"ConfiguredMarket",
                            "instrument instrument_id=m2705 max_market_order_volume=3", "m2705",
                            THOST_FTDC_OPT_AnyPrice, 3}),
    [](const testing::TestParamInfo<CapCase> &info) { return info.param.name; });

struct MarginSideCase {
  const char *name;
  const char *exchange_config;
  const char *instrument;
  bool larger_side_only;
};

class MarginSide : public testing::TestWithParam<MarginSideCase> {};

// An account with money for one side's margin opens a long lot, then hedges it with a short
// one: where the exchange margins the larger side only, the hedge needs no more margin.
TEST_P(MarginSide, AHedgedProductIsMarginedAsItsExchangeDeclares) {
  const MarginSideCase &side = GetParam();
  const simtrader::Listing listing = simtrader::DefaultCatalogue().at(side.instrument);
  const simtrader::Instrument &instrument = listing.instrument;
  const double long_margin =
      instrument.Margin(simtrader::Side::Long, listing.market.asks[0].price, 1);
  const double short_margin =
      instrument.Margin(simtrader::Side::Short, listing.market.bids[0].price, 1);
  auto broker = MakeBroker(std::string(side.exchange_config) +
                           "\naccount investor=U1 balance=" + std::to_string(long_margin * 1.5));
  BrokerClient client(broker);
  client.LogIn("U1");
  EXPECT_EQ(simtrader::InstrumentRecord(broker->Listed(side.instrument)->instrument)
                .MaxMarginSideAlgorithm,
            side.larger_side_only ? THOST_FTDC_MMSA_YES : THOST_FTDC_MMSA_NO);
  client.Order(side.instrument, kBuy, kOpen, listing.market.asks[0].price, 1);
  client.Order(side.instrument, kSell, kOpen, listing.market.bids[0].price, 1);
  const std::vector<BrokerEvent> events = client.Take();
  const CThostFtdcTradingAccountField account = client.Account();
  double use_margin = 0;
  for (const CThostFtdcInvestorPositionField &record : client.Positions()) {
    use_margin += record.UseMargin;
  }
  EXPECT_NEAR(use_margin, account.CurrMargin, kCent);
  if (side.larger_side_only) {
    EXPECT_EQ(Named(events, "OnRtnTrade").size(), 2u);
    EXPECT_NEAR(account.CurrMargin, std::max(long_margin, short_margin), kCent);
  } else {
    EXPECT_EQ(Named(events, "OnRtnTrade").size(), 1u);
    ASSERT_EQ(Named(events, "OnErrRtnOrderInsert").size(), 1u);
    EXPECT_EQ(Named(events, "OnErrRtnOrderInsert")[0].error_id(), errors::kInsufficientMoney.id);
    EXPECT_NEAR(account.CurrMargin, long_margin, kCent);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Broker, MarginSide,
    testing::Values(MarginSideCase{"CffexLargerSide", "", "IF2703", true},
                    MarginSideCase{"ShfeBothSides", "", "rb2705", false},
                    MarginSideCase{"CffexConfiguredBothSides",
                                   "exchange exchange_id=CFFEX max_margin_side=0", "IF2703", false},
                    MarginSideCase{"DceConfiguredLargerSide",
                                   "exchange exchange_id=DCE max_margin_side=1", "m2705", true}),
    [](const testing::TestParamInfo<MarginSideCase> &info) { return info.param.name; });

TEST(Settlement, AnOrderBeforeItIsConfirmedIsRefused) {
  BrokerClient client(MakeBroker());
  ASSERT_EQ(client.Authenticate("U1"), 0);
  ASSERT_EQ(client.Login("U1"), 0);
  client.Order("rb2705", kBuy, kOpen, 3201, 1);
  const std::vector<BrokerEvent> events = client.Take();
  ASSERT_EQ(Names(events), (std::vector<std::string>{"OnRspOrderInsert", "OnErrRtnOrderInsert"}));
  EXPECT_EQ(events[0].error_id(), errors::kSettlementNotConfirmed.id);
}

// The position records of one instrument, by PositionDate.
std::map<char, CThostFtdcInvestorPositionField> PositionsOf(BrokerClient &client,
                                                            const std::string &instrument) {
  std::map<char, CThostFtdcInvestorPositionField> records;
  for (const CThostFtdcInvestorPositionField &record : client.Positions()) {
    if (TextOf(record.InstrumentID) == instrument) records[record.PositionDate] = record;
  }
  return records;
}

TEST(CloseRules, ShfeClosesAndReportsTodaysAndYesterdaysLotsApart) {
  BrokerClient client(MakeBroker(kHoldingYesterday));
  client.LogIn("U1");
  client.Order("rb2705", kBuy, kOpen, kRebarAsk, 1);
  auto records = PositionsOf(client, "rb2705");
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[THOST_FTDC_PSD_Today].Position, 1);
  EXPECT_EQ(records[THOST_FTDC_PSD_Today].TodayPosition, 1);
  EXPECT_EQ(records[THOST_FTDC_PSD_History].Position, 2);
  EXPECT_EQ(records[THOST_FTDC_PSD_History].YdPosition, 2);

  client.Order("rb2705", kSell, kCloseToday, kRebarBid, 1);
  client.Order("rb2705", kSell, kCloseYesterday, kRebarBid, 1);
  records = PositionsOf(client, "rb2705");
  EXPECT_EQ(records[THOST_FTDC_PSD_Today].Position, 0);
  EXPECT_EQ(records[THOST_FTDC_PSD_History].Position, 1);
  // Yesterday's position as the day began stays what it was.
  EXPECT_EQ(records[THOST_FTDC_PSD_History].YdPosition, 2);
  // Each lot is marked against its own basis: today's its open price, yesterday's the price
  // it was carried at.
  EXPECT_NEAR(records[THOST_FTDC_PSD_Today].CloseProfit, (kRebarBid - kRebarAsk) * 10, kCent);
  EXPECT_NEAR(records[THOST_FTDC_PSD_History].CloseProfit, (kRebarBid - 3150) * 10, kCent);
}

TEST(CloseRules, ElsewhereEveryCloseTakesTheOldestLotsFirst) {
  // m2705 (DCE) is quoted 2900 / 2901, x10, commission 1.5 a lot for every kind of trade.
  BrokerClient client(MakeBroker(kHoldingYesterday));
  client.LogIn("U1");
  client.Order("m2705", kBuy, kOpen, 2901, 1);
  // Close-today means nothing on DCE: the lot from yesterday goes first.
  client.Order("m2705", kSell, kCloseToday, 2900, 1);
  const auto records = PositionsOf(client, "m2705");
  ASSERT_EQ(records.size(), 1u);
  const CThostFtdcInvestorPositionField &record = records.begin()->second;
  EXPECT_EQ(record.PositionDate, THOST_FTDC_PSD_Today);
  EXPECT_EQ(record.Position, 1);
  EXPECT_EQ(record.TodayPosition, 1);
  EXPECT_EQ(record.YdPosition, 1);
  EXPECT_NEAR(record.CloseProfit, 0, kCent);  // sold at yesterday's settlement, 2900
  EXPECT_NEAR(record.Commission, 3.0, kCent);
}

TEST(Cancel, ByReferenceOrByExchangeNumberReleasesWhatTheOrderHeld) {
  BrokerClient client(MakeBroker());
  client.LogIn("U1");
  client.Order("rb2705", kBuy, kOpen, 3100, 1);
  client.Order("rb2705", kBuy, kOpen, 3100, 1);
  const std::string second_sys_id = TextOf(LastOrder(client.Take()).OrderSysID);
  const CThostFtdcTradingAccountField holding = client.Account();
  EXPECT_NEAR(holding.FrozenMargin, 2 * 3100 * 10 * 0.10, kCent);

  client.CancelByRef("1");
  CThostFtdcOrderField cancelled = LastOrder(client.Take());
  EXPECT_EQ(cancelled.OrderStatus, THOST_FTDC_OST_Canceled);
  EXPECT_EQ(TextOf(cancelled.StatusMsg), simtrader::status_text::kCanceled);
  EXPECT_EQ(TextOf(cancelled.OrderRef), "1");
  // Clients often strip the exchange's padding.
  client.CancelBySysID("SHFE", std::string(simtrader::Trimmed(second_sys_id)));
  cancelled = LastOrder(client.Take());
  EXPECT_EQ(TextOf(cancelled.OrderRef), "2");

  const CThostFtdcTradingAccountField released = client.Account();
  EXPECT_NEAR(released.FrozenMargin, 0, kCent);
  EXPECT_NEAR(released.FrozenCommission, 0, kCent);
  EXPECT_NEAR(released.Available, released.Balance, kCent);
}

struct CancelRefusalCase {
  const char *name;
  std::function<void(BrokerClient &self, BrokerClient &other)> act;
  simtrader::VendorError error;
};

class CancelRefusal : public testing::TestWithParam<CancelRefusalCase> {};

TEST_P(CancelRefusal, IsAnsweredAndPublishedWithTheVendorsError) {
  auto broker = MakeBroker();
  BrokerClient self(broker);
  BrokerClient other(broker);
  self.LogIn("U1");
  other.LogIn("U2");
  self.Order("rb2705", kBuy, kOpen, 3100, 1);   // rests: reference 1
  self.Order("rb2705", kBuy, kOpen, 3201, 1);   // trades: reference 2
  other.Order("rb2705", kBuy, kOpen, 3100, 1);  // U2's, resting: reference 1
  self.Take();
  GetParam().act(self, other);
  const std::vector<BrokerEvent> events = self.Take();
  ASSERT_EQ(Names(events), (std::vector<std::string>{"OnRspOrderAction", "OnErrRtnOrderAction"}));
  for (const BrokerEvent &event : events) {
    EXPECT_EQ(event.error_id(), GetParam().error.id);
    EXPECT_EQ(event.error_message(), GetParam().error.message);
  }
  EXPECT_EQ(events[1].As<CThostFtdcOrderActionField>().OrderActionStatus, THOST_FTDC_OAS_Rejected);
}

INSTANTIATE_TEST_SUITE_P(
    Broker, CancelRefusal,
    testing::Values(
        CancelRefusalCase{"UnknownReference", [](auto &self, auto &) { self.CancelByRef("9"); },
                          errors::kOrderNotFound},
        CancelRefusalCase{"UnknownExchangeNumber",
                          [](auto &self, auto &) { self.CancelBySysID("SHFE", "424242"); },
                          errors::kOrderNotFound},
        CancelRefusalCase{"AnotherInvestorsOrder",
                          [](auto &self, auto &other) {
                            CThostFtdcInputOrderActionField action{};
                            simtrader::SetText(action.OrderRef, "1");
                            action.FrontID = simtrader::Broker::kFrontID;
                            action.SessionID = other.session_id();
                            action.ActionFlag = THOST_FTDC_AF_Delete;
                            self.broker().ActOnOrder(self.link(), action, 1);
                          },
                          errors::kOrderNotFound},
        CancelRefusalCase{"TradedOrder", [](auto &self, auto &) { self.CancelByRef("2"); },
                          errors::kOrderFinished},
        CancelRefusalCase{"CancelledOrder",
                          [](auto &self, auto &) {
                            self.CancelByRef("1");
                            self.Take();
                            self.CancelByRef("1");
                          },
                          errors::kOrderFinished}),
    [](const testing::TestParamInfo<CancelRefusalCase> &info) { return info.param.name; });

TEST(Bookkeeping, ARoundTripChargesAndRealisesWhatTheExchangesWould) {
  BrokerClient client(MakeBroker());
  client.LogIn("U1");
  client.Order("rb2705", kBuy, kOpen, kRebarAsk, 2);
  client.broker().SetMarket("rb2705", Quote(3249, 3250, 3250));
  CThostFtdcTradingAccountField account = client.Account();
  const double open_commission = kRebarAsk * 2 * 10 * 0.0001;
  EXPECT_NEAR(account.CurrMargin, kRebarAsk * 2 * 10 * 0.10, kCent);
  EXPECT_NEAR(account.PositionProfit, (3250 - kRebarAsk) * 2 * 10, kCent);
  EXPECT_NEAR(account.Commission, open_commission, kCent);

  client.Order("rb2705", kSell, kCloseToday, 3249, 2);
  account = client.Account();
  const double close_commission = 3249 * 2 * 10 * 0.0001;
  EXPECT_NEAR(account.CloseProfit, (3249 - kRebarAsk) * 2 * 10, kCent);
  EXPECT_NEAR(account.PositionProfit, 0, kCent);
  EXPECT_NEAR(account.CurrMargin, 0, kCent);
  EXPECT_NEAR(account.Commission, open_commission + close_commission, kCent);
  EXPECT_NEAR(account.Balance,
              simtrader::kDefaultBalance + account.CloseProfit - account.Commission, kCent);
}

TEST(Bookkeeping, YesterdaysLotsAreMarkedAgainstTheirCarriedPrice) {
  BrokerClient client(MakeBroker(kHoldingYesterday));
  client.LogIn("U1");
  client.broker().SetMarket("rb2705", Quote(3179, 3180, 3180));
  const CThostFtdcTradingAccountField account = client.Account();
  // rebar 2 x (3180 - 3150) x 10; soybean meal carried at its settlement, where it still is.
  EXPECT_NEAR(account.PositionProfit, 600, kCent);
  EXPECT_NEAR(account.CurrMargin, 3150 * 2 * 10 * 0.10 + 2900 * 10 * 0.10, kCent);
}

// Any mix of orders and markets leaves the account and the positions agreeing with each other
// and with the trades that made them.
TEST(Bookkeeping, StaysConsistentThroughAnyMixOfOrdersAndMarkets) {
  BrokerClient client(MakeBroker(kHoldingYesterday));
  client.LogIn("U1");
  std::mt19937 random(20261207);
  const struct {
    const char *id;
    double mid;
    double tick;
  } instruments[] = {{"rb2705", 3200, 1}, {"m2705", 2900, 1}, {"IF2703", 3900, 0.2}};
  const char offsets[] = {kOpen, kClose, kCloseToday, kCloseYesterday};
  for (int step = 0; step < 400; ++step) {
    const auto &instrument = instruments[random() % std::size(instruments)];
    const double price = instrument.mid + instrument.tick * (static_cast<int>(random() % 21) - 10);
    if (random() % 4 == 0) {
      client.broker().SetMarket(instrument.id,
                                Quote(price, price + instrument.tick, price + instrument.tick));
    } else {
      client.Order(instrument.id, random() % 2 ? kBuy : kSell, offsets[random() % 4], price,
                   1 + static_cast<int>(random() % 3));
    }
    client.Take();
    const CThostFtdcTradingAccountField account = client.Account();
    EXPECT_NEAR(
        account.Balance,
        account.PreBalance + account.CloseProfit + account.PositionProfit - account.Commission,
        kCent);
    EXPECT_NEAR(
        account.Available,
        account.Balance - account.CurrMargin - account.FrozenMargin - account.FrozenCommission,
        kCent);
    double margin = 0;
    double position_profit = 0;
    double close_profit = 0;
    double commission = 0;
    for (const CThostFtdcInvestorPositionField &record : client.Positions()) {
      margin += record.UseMargin;
      position_profit += record.PositionProfit;
      close_profit += record.CloseProfit;
      commission += record.Commission;
      EXPECT_GE(record.Position, 0);
      // What is held is what was held and opened, less what was closed.
      EXPECT_EQ(record.Position + record.CloseVolume, record.YdPosition + record.OpenVolume)
          << "instrument " << TextOf(record.InstrumentID) << " step " << step;
    }
    ASSERT_NEAR(margin, account.CurrMargin, kCent) << "step " << step;
    ASSERT_NEAR(position_profit, account.PositionProfit, kCent) << "step " << step;
    ASSERT_NEAR(close_profit, account.CloseProfit, kCent) << "step " << step;
    ASSERT_NEAR(commission, account.Commission, kCent) << "step " << step;
  }
}

}  // namespace
