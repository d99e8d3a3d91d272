// The broker's order book: fills in price then time order up to the volume a market offers,
// partial fills, the immediate kinds of order, the exchanges' price checks, conditional
// orders and the ways to cancel a waiting order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "broker/order_book.h"
#include "broker/record_text.h"
#include "broker/vendor_errors.h"
#include "broker_test_support.h"

namespace {

using simtest::BrokerClient;
using simtest::BrokerEvent;
using simtest::MakeBroker;
using simtest::Named;
using simtrader::MarketUpdate;
using simtrader::TextOf;

constexpr char kBuy = THOST_FTDC_D_Buy;
constexpr char kSell = THOST_FTDC_D_Sell;
constexpr char kOpen = THOST_FTDC_OF_Open;

std::vector<CThostFtdcOrderField> Orders(const std::vector<BrokerEvent> &events) {
  std::vector<CThostFtdcOrderField> orders;
  for (const BrokerEvent &event : Named(events, "OnRtnOrder")) {
    orders.push_back(event.As<CThostFtdcOrderField>());
  }
  return orders;
}

// (order reference, volume, price) of each trade.
struct Fill {
  std::string order_ref;
  int volume;
  double price;
  bool operator==(const Fill &other) const {
    return order_ref == other.order_ref && volume == other.volume && price == other.price;
  }
};
std::ostream &operator<<(std::ostream &out, const Fill &fill) {
  return out << fill.order_ref << ":" << fill.volume << "@" << fill.price;
}

std::vector<Fill> Fills(const std::vector<BrokerEvent> &events) {
  std::vector<Fill> fills;
  for (const BrokerEvent &event : Named(events, "OnRtnTrade")) {
    const auto trade = event.As<CThostFtdcTradeField>();
    fills.push_back({TextOf(trade.OrderRef), trade.Volume, trade.Price});
  }
  return fills;
}

MarketUpdate Asks(double ask, int volume) {
  MarketUpdate update;
  update.bid = ask - 1;
  update.ask = ask;
  update.ask_volume = volume;
  return update;
}

MarketUpdate Last(double last) {
  MarketUpdate update;
  update.last = last;
  return update;
}

TEST(Book, FillsInPriceThenTimeOrderAcrossTradersUpToTheVolumeOffered) {
  auto broker = MakeBroker();
  BrokerClient first(broker);
  BrokerClient second(broker);
  first.LogIn("U1");
  second.LogIn("U2");
  first.Order("rb2705", kBuy, kOpen, 3150, 2);   // U1 ref 1: lower price
  second.Order("rb2705", kBuy, kOpen, 3160, 2);  // U2 ref 1: best price, earlier
  first.Order("rb2705", kBuy, kOpen, 3160, 2);   // U1 ref 2: best price, later
  second.Order("rb2705", kBuy, kOpen, 3140, 1);  // U2 ref 2: not crossed
  first.Take();
  second.Take();

  broker->SetMarket("rb2705", Asks(3150, 5));
  const std::vector<BrokerEvent> firsts = first.Take();
  const std::vector<BrokerEvent> seconds = second.Take();
  // Each at its own price: a resting order is the maker.
  EXPECT_EQ(Fills(seconds), (std::vector<Fill>{{"1", 2, 3160}}));
  EXPECT_EQ(Fills(firsts), (std::vector<Fill>{{"2", 2, 3160}, {"1", 1, 3150}}));
  const CThostFtdcOrderField part = Orders(firsts).back();
  EXPECT_EQ(TextOf(part.OrderRef), "1");
  EXPECT_EQ(part.OrderStatus, THOST_FTDC_OST_PartTradedQueueing);
  EXPECT_EQ(part.VolumeTraded, 1);
  EXPECT_EQ(part.VolumeTotal, 1);
  EXPECT_EQ(broker->Listed("rb2705")->market.asks[0].volume, 0);
  // What rests is frozen for what is left of it only.
  EXPECT_NEAR(first.Account().FrozenMargin, 3150 * 1 * 10 * 0.10, simtest::kCent);

  // Nothing more is offered until a market brings more.
  broker->SetMarket("rb2705", Asks(3150, 0));
  EXPECT_TRUE(Fills(first.Take()).empty());
  broker->SetMarket("rb2705", Asks(3140, 10));
  EXPECT_EQ(Fills(first.Take()), (std::vector<Fill>{{"1", 1, 3150}}));
  EXPECT_EQ(Fills(second.Take()), (std::vector<Fill>{{"2", 1, 3140}}));
}

TEST(Book, AnOrderFillsWhatIsOfferedOnEntryAndRestsWithTheRest) {
  auto broker = MakeBroker();
  BrokerClient client(broker);
  client.LogIn("U1");
  broker->SetMarket("rb2705", Asks(3201, 3));
  client.Order("rb2705", kBuy, kOpen, 3201, 5);
  const std::vector<BrokerEvent> events = client.Take();
  // Each fill sends the order's new state and then its trade.
  EXPECT_EQ(simtest::Names(events),
            (std::vector<std::string>{"OnRtnOrder", "OnRtnOrder", "OnRtnOrder", "OnRtnTrade"}));
  const CThostFtdcOrderField order = Orders(events).back();
  EXPECT_EQ(order.OrderStatus, THOST_FTDC_OST_PartTradedQueueing);
  EXPECT_EQ(TextOf(order.StatusMsg), simtrader::status_text::kPartTraded);
  EXPECT_EQ((std::vector<int>{order.VolumeTraded, order.VolumeTotal}), (std::vector<int>{3, 2}));

  broker->SetMarket("rb2705", Asks(3201, 10));
  const std::vector<BrokerEvent> later = client.Take();
  EXPECT_EQ(Fills(later), (std::vector<Fill>{{"1", 2, 3201}}));
  EXPECT_EQ(Orders(later).back().OrderStatus, THOST_FTDC_OST_AllTraded);
  EXPECT_EQ(broker->Listed("rb2705")->market.asks[0].volume, 8);
}

struct KindCase {
  const char *name;
  char price_type;
  char volume_condition;
  int min_volume;
  int volume;
  int traded;  // of the 3 lots offered at 2901
  char final_status;
};

class Kind : public testing::TestWithParam<KindCase> {};

TEST_P(Kind, TradesWhatItsConditionsAllowAndCancelsTheRest) {
  const KindCase &kind = GetParam();
  auto broker = MakeBroker();
  BrokerClient client(broker);
  client.LogIn("U1");
  broker->SetMarket("m2705", Asks(2901, 3));
  CThostFtdcInputOrderField order{};
  simtrader::SetText(order.InstrumentID, "m2705");
  simtrader::SetText(order.OrderRef, "1");
  order.OrderPriceType = kind.price_type;
  order.Direction = kBuy;
  order.CombOffsetFlag[0] = kOpen;
  order.CombHedgeFlag[0] = THOST_FTDC_HF_Speculation;
  order.LimitPrice = kind.price_type == THOST_FTDC_OPT_LimitPrice ? 2905 : 0;
  order.VolumeTotalOriginal = kind.volume;
  order.TimeCondition = THOST_FTDC_TC_IOC;
  order.VolumeCondition = kind.volume_condition;
  order.MinVolume = kind.min_volume;
  order.ContingentCondition = THOST_FTDC_CC_Immediately;
  order.ForceCloseReason = THOST_FTDC_FCC_NotForceClose;
  client.Send(order);
  const std::vector<BrokerEvent> events = client.Take();
  const std::vector<Fill> expected =
      kind.traded > 0 ? std::vector<Fill>{{"1", kind.traded, 2901}} : std::vector<Fill>{};
  EXPECT_EQ(Fills(events), expected);
  const CThostFtdcOrderField last = Orders(events).back();
  EXPECT_EQ(last.OrderStatus, kind.final_status);
  EXPECT_EQ(last.VolumeTraded, kind.traded);
  EXPECT_EQ(broker->Listed("m2705")->market.asks[0].volume, 3 - kind.traded);
  // Nothing of an immediate order stays frozen.
  EXPECT_EQ(client.Account().FrozenMargin, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Broker, Kind,
    testing::Values(KindCase{"FillAndKill", THOST_FTDC_OPT_LimitPrice, THOST_FTDC_VC_AV, 1, 5, 3,
                             THOST_FTDC_OST_Canceled},
                    KindCase{"FillOrKillShort", THOST_FTDC_OPT_LimitPrice, THOST_FTDC_VC_CV, 1, 5,
                             0, THOST_FTDC_OST_Canceled},
                    KindCase{"FillOrKillWhole", THOST_FTDC_OPT_LimitPrice, THOST_FTDC_VC_CV, 1, 3,
                             3, THOST_FTDC_OST_AllTraded},
                    KindCase{"MinimumMet", THOST_FTDC_OPT_LimitPrice, THOST_FTDC_VC_MV, 3, 5, 3,
                             THOST_FTDC_OST_Canceled},
                    KindCase{"MinimumMissed", THOST_FTDC_OPT_LimitPrice, THOST_FTDC_VC_MV, 4, 5, 0,
                             THOST_FTDC_OST_Canceled},
                    KindCase{"MarketFillAndKill", THOST_FTDC_OPT_AnyPrice, THOST_FTDC_VC_AV, 1, 5,
                             3, THOST_FTDC_OST_Canceled},
                    KindCase{"MarketWhole", THOST_FTDC_OPT_AnyPrice, THOST_FTDC_VC_AV, 1, 2, 2,
                             THOST_FTDC_OST_AllTraded}),
    [](const testing::TestParamInfo<KindCase> &info) { return info.param.name; });

// Meal quoted 2896 / 2897x2, 2898x3, 2901x9.
MarketUpdate ThreeAsks() {
  MarketUpdate update;
  update.bid = 2896;
  update.asks = std::vector<simtrader::Level>{{2897, 2}, {2898, 3}, {2901, 9}};
  return update;
}

std::vector<int> AskVolumes(const simtrader::Market &market) {
  std::vector<int> volumes;
  for (const simtrader::Level &level : market.asks) volumes.push_back(level.volume);
  return volumes;
}

struct SweepCase {
  const char *name;
  char price_type;
  char time_condition;
  char volume_condition;
  double price;
  int volume;
  std::vector<Fill> fills;  // each at its level's price
  char final_status;
  std::vector<int> left;  // the lots each ask level holds after
};

class Sweep : public testing::TestWithParam<SweepCase> {};

TEST_P(Sweep, AnOrderSweepsTheLevelsItCrossesEachAtItsPrice) {
  const SweepCase &sweep = GetParam();
  auto broker = MakeBroker();
  BrokerClient client(broker);
  client.LogIn("U1");
  broker->SetMarket("m2705", ThreeAsks());
  CThostFtdcInputOrderField order = client.Order("m2705", kBuy, kOpen, sweep.price, 0);
  client.Take();
  order.OrderPriceType = sweep.price_type;
  order.TimeCondition = sweep.time_condition;
  order.VolumeCondition = sweep.volume_condition;
  order.VolumeTotalOriginal = sweep.volume;
  client.Send(order);
  const std::vector<BrokerEvent> events = client.Take();
  EXPECT_EQ(Fills(events), sweep.fills);
  EXPECT_EQ(Orders(events).back().OrderStatus, sweep.final_status);
  // Each level gave what the order took there: the next order meets only what is left.
  EXPECT_EQ(AskVolumes(broker->Listed("m2705")->market), sweep.left);
}

const std::string kRef = "1";

INSTANTIATE_TEST_SUITE_P(Broker, Sweep,
                         testing::Values(
                             // What is left of a limit order rests at its own price.
                             SweepCase{"LimitRestsTheRest",
                                       THOST_FTDC_OPT_LimitPrice,
                                       THOST_FTDC_TC_GFD,
                                       THOST_FTDC_VC_AV,
                                       2900,
                                       8,
                                       {{kRef, 2, 2897}, {kRef, 3, 2898}},
                                       THOST_FTDC_OST_PartTradedQueueing,
                                       {0, 0, 9, 0, 0}},
                             SweepCase{"FillAndKillCancelsTheRest",
                                       THOST_FTDC_OPT_LimitPrice,
                                       THOST_FTDC_TC_IOC,
                                       THOST_FTDC_VC_AV,
                                       2900,
                                       8,
                                       {{kRef, 2, 2897}, {kRef, 3, 2898}},
                                       THOST_FTDC_OST_Canceled,
                                       {0, 0, 9, 0, 0}},
                             SweepCase{"FillOrKillShortOfItsLevels",
                                       THOST_FTDC_OPT_LimitPrice,
                                       THOST_FTDC_TC_IOC,
                                       THOST_FTDC_VC_CV,
                                       2900,
                                       6,
                                       {},
                                       THOST_FTDC_OST_Canceled,
                                       {2, 3, 9, 0, 0}},
                             SweepCase{"FillOrKillWholeAcrossThreeLevels",
                                       THOST_FTDC_OPT_LimitPrice,
                                       THOST_FTDC_TC_IOC,
                                       THOST_FTDC_VC_CV,
                                       2901,
                                       6,
                                       {{kRef, 2, 2897}, {kRef, 3, 2898}, {kRef, 1, 2901}},
                                       THOST_FTDC_OST_AllTraded,
                                       {0, 0, 8, 0, 0}},
                             SweepCase{"MarketOrderTakesEveryLevel",
                                       THOST_FTDC_OPT_AnyPrice,
                                       THOST_FTDC_TC_IOC,
                                       THOST_FTDC_VC_AV,
                                       0,
                                       20,
                                       {{kRef, 2, 2897}, {kRef, 3, 2898}, {kRef, 9, 2901}},
                                       THOST_FTDC_OST_Canceled,
                                       {0, 0, 0, 0, 0}}),
                         [](const testing::TestParamInfo<SweepCase> &info) {
                           return info.param.name;
                         });

struct CheckCase {
  const char *name;
  const char *config;
  double price;
  const char *reason;
};

class ExchangeCheck : public testing::TestWithParam<CheckCase> {};

TEST_P(ExchangeCheck, RejectsTheOrderAsTheExchangeReportsItWithNothingFrozen) {
  BrokerClient client(MakeBroker(GetParam().config));
  client.LogIn("U1");
  client.Order("rb2705", kBuy, kOpen, GetParam().price, 1);
  const std::vector<BrokerEvent> events = client.Take();
  ASSERT_EQ(simtest::Names(events), (std::vector<std::string>{"OnRtnOrder", "OnRtnOrder"}));
  const CThostFtdcOrderField rejected = Orders(events).back();
  EXPECT_EQ(rejected.OrderStatus, THOST_FTDC_OST_Canceled);
  EXPECT_EQ(rejected.OrderSubmitStatus, THOST_FTDC_OSS_InsertRejected);
  EXPECT_EQ(TextOf(rejected.StatusMsg),
            std::string(simtrader::status_text::kRejected) + "SHFE:" + GetParam().reason);
  EXPECT_EQ(TextOf(rejected.OrderSysID), "");
  const CThostFtdcTradingAccountField account = client.Account();
  EXPECT_EQ(account.FrozenMargin + account.FrozenCommission + account.CurrMargin, 0);
}

namespace texts = simtrader::status_text;

// rb2705 settled at 3200 with a 7% band: limits 2976 and 3424.
INSTANTIATE_TEST_SUITE_P(
    Broker, ExchangeCheck,
    testing::Values(CheckCase{"OffTheTick", "", 3201.5, texts::kOffTick},
                    CheckCase{"AboveTheUpperLimit", "", 3425, texts::kAboveUpperLimit},
                    CheckCase{"BelowTheLowerLimit", "", 2975, texts::kBelowLowerLimit},
                    CheckCase{"AboveAConfiguredLimit",
                              "instrument instrument_id=rb2705 upper_limit=3300", 3301,
                              texts::kAboveUpperLimit},
                    CheckCase{"BelowLimitsOfANewSettlement",
                              "instrument instrument_id=rb2705 bid=3400 ask=3401 last=3400 "
                              "pre_settlement_price=3400",
                              3160, texts::kBelowLowerLimit}),
    [](const testing::TestParamInfo<CheckCase> &info) { return info.param.name; });

TEST(Book, LimitsAtTheirEdgesAreAccepted) {
  BrokerClient client(MakeBroker());
  client.LogIn("U1");
  client.Order("rb2705", kBuy, kOpen, 2976, 1);
  client.Order("rb2705", kSell, kOpen, 3424, 1);
  for (const CThostFtdcOrderField &order : Orders(client.Take())) {
    EXPECT_NE(order.OrderSubmitStatus, THOST_FTDC_OSS_InsertRejected);
  }
}

struct ConditionCase {
  const char *name;
  char condition;
  char direction;
  double stop;
  double stays;     // a last price that leaves the order held
  double triggers;  // one that sends it
};

class Condition : public testing::TestWithParam<ConditionCase> {};

// Sends a conditional order under the client's next reference (which the refused order
// built to take it does not use up).
CThostFtdcInputOrderField Conditional(BrokerClient &client, char condition, char direction,
                                      double stop, int volume = 1) {
  CThostFtdcInputOrderField order = client.Order("rb2705", direction, kOpen, 0, 0);
  client.Take();
  order.ContingentCondition = condition;
  order.StopPrice = stop;
  // Limits on the far side of the market, so that a triggered order trades at once.
  order.LimitPrice = direction == kBuy ? 3230 : 3170;
  order.VolumeTotalOriginal = volume;
  client.Send(order);
  return order;
}

TEST_P(Condition, HoldsTheOrderUntilTheLastPriceMeetsIt) {
  const ConditionCase &condition = GetParam();
  auto broker = MakeBroker();
  BrokerClient client(broker);
  client.LogIn("U1");
  const std::string ref = TextOf(
      Conditional(client, condition.condition, condition.direction, condition.stop).OrderRef);
  const std::vector<CThostFtdcOrderField> held = Orders(client.Take());
  ASSERT_EQ(held.size(), 1u);
  EXPECT_EQ(held[0].OrderStatus, THOST_FTDC_OST_NotTouched);
  EXPECT_EQ(TextOf(held[0].OrderSysID).rfind("TJBD_", 0), 0u) << TextOf(held[0].OrderSysID);
  EXPECT_EQ(client.Account().FrozenMargin, 0);

  broker->SetMarket("rb2705", Last(condition.stays));
  EXPECT_TRUE(client.Take().empty());
  broker->SetMarket("rb2705", Last(condition.triggers));
  const std::vector<BrokerEvent> events = client.Take();
  const double price = condition.direction == kBuy ? 3201 : 3200;
  EXPECT_EQ(Fills(events), (std::vector<Fill>{{ref, 1, price}}));
  const CThostFtdcOrderField traded = Orders(events).back();
  EXPECT_EQ(traded.OrderStatus, THOST_FTDC_OST_AllTraded);
  EXPECT_EQ(TextOf(traded.OrderSysID).find("TJBD_"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Broker, Condition,
    testing::Values(
        ConditionCase{"StopBuy", THOST_FTDC_CC_Touch, kBuy, 3210, 3209, 3210},
        ConditionCase{"StopSell", THOST_FTDC_CC_Touch, kSell, 3190, 3191, 3190},
        ConditionCase{"TakeProfitSell", THOST_FTDC_CC_TouchProfit, kSell, 3210, 3209, 3210},
        ConditionCase{"TakeProfitBuy", THOST_FTDC_CC_TouchProfit, kBuy, 3190, 3191, 3190},
        ConditionCase{"Above", THOST_FTDC_CC_LastPriceGreaterThanStopPrice, kBuy, 3210, 3210, 3211},
        ConditionCase{"AtOrAbove", THOST_FTDC_CC_LastPriceGreaterEqualStopPrice, kSell, 3210, 3209,
                      3210},
        ConditionCase{"Below", THOST_FTDC_CC_LastPriceLesserThanStopPrice, kBuy, 3190, 3190, 3189},
        ConditionCase{"AtOrBelow", THOST_FTDC_CC_LastPriceLesserEqualStopPrice, kSell, 3190, 3191,
                      3190}),
    [](const testing::TestParamInfo<ConditionCase> &info) { return info.param.name; });

TEST(Book, ATriggeredOrderThatCannotBeAffordedIsCancelledWithTheReason) {
  auto broker = MakeBroker("account investor=U1 balance=5000");
  BrokerClient client(broker);
  client.LogIn("U1");
  // Margin 3230 x 2 x 10 x 10% is more than the account holds, which only the trigger checks.
  Conditional(client, THOST_FTDC_CC_Touch, kBuy, 3210, 2);
  EXPECT_EQ(Orders(client.Take()).at(0).OrderStatus, THOST_FTDC_OST_NotTouched);
  broker->SetMarket("rb2705", Last(3215));
  const std::vector<BrokerEvent> events = client.Take();
  EXPECT_TRUE(Fills(events).empty());
  const CThostFtdcOrderField cancelled = Orders(events).back();
  EXPECT_EQ(cancelled.OrderStatus, THOST_FTDC_OST_Canceled);
  EXPECT_EQ(cancelled.OrderSubmitStatus, THOST_FTDC_OSS_InsertRejected);
  EXPECT_EQ(TextOf(cancelled.StatusMsg), simtrader::vendor_error::kInsufficientMoney.message);
}

TEST(Book, WaitingOrdersCancelByEitherName) {
  auto broker = MakeBroker();
  BrokerClient client(broker);
  client.LogIn("U1");
  Conditional(client, THOST_FTDC_CC_Touch, kBuy, 3210);
  const std::string held_id = TextOf(Orders(client.Take()).at(0).OrderSysID);
  broker->SetMarket("rb2705", Asks(3201, 1));
  client.Order("rb2705", kBuy, kOpen, 3201, 3);  // part traded
  const std::string part_id = TextOf(Orders(client.Take()).back().OrderSysID);

  client.CancelBySysID("SHFE", held_id);
  client.CancelBySysID("SHFE", std::string(simtrader::Trimmed(part_id)));
  const std::vector<CThostFtdcOrderField> cancelled = Orders(client.Take());
  ASSERT_EQ(cancelled.size(), 2u);
  EXPECT_EQ(cancelled[0].OrderStatus, THOST_FTDC_OST_Canceled);
  EXPECT_EQ(cancelled[1].OrderStatus, THOST_FTDC_OST_Canceled);
  EXPECT_EQ(cancelled[1].VolumeTraded, 1);
  EXPECT_EQ(client.Account().FrozenMargin, 0);
  // A cancelled conditional order never triggers.
  broker->SetMarket("rb2705", Last(3220));
  EXPECT_TRUE(client.Take().empty());

  const CThostFtdcInputOrderField stop = Conditional(client, THOST_FTDC_CC_Touch, kSell, 3100);
  client.Take();
  client.CancelByRef(TextOf(stop.OrderRef));
  EXPECT_EQ(Orders(client.Take()).at(0).OrderStatus, THOST_FTDC_OST_Canceled);
}

MarketUpdate Move(double bid, double ask, std::optional<double> last = std::nullopt,
                  std::optional<int> volume = std::nullopt) {
  MarketUpdate update;
  update.bid = bid;
  update.ask = ask;
  update.last = last;
  update.volume = volume;
  return update;
}

struct MakerCase {
  const char *name;
  char direction;
  double price;  // of 2 lots resting while rebar is quoted 3200 / 3201
  MarketUpdate move;
  int traded;  // at the resting order's price
};

class Maker : public testing::TestWithParam<MakerCase> {};

TEST_P(Maker, ARestingOrderTradesAtItsOwnPriceWhenAQuoteOrATradeReachesIt) {
  const MakerCase &maker = GetParam();
  auto broker = MakeBroker();
  BrokerClient client(broker);
  client.LogIn("U1");
  client.Order("rb2705", maker.direction, kOpen, maker.price, 2);
  client.Take();
  broker->SetMarket("rb2705", maker.move);
  const std::vector<Fill> expected =
      maker.traded > 0 ? std::vector<Fill>{{"1", maker.traded, maker.price}} : std::vector<Fill>{};
  EXPECT_EQ(Fills(client.Take()), expected);
  // The recorded market is not moved by the broker's own fills.
  EXPECT_EQ(broker->Listed("rb2705")->market.last, maker.move.last.value_or(3200));
}

INSTANTIATE_TEST_SUITE_P(
    Broker, Maker,
    testing::Values(
        // Price priority: an ask that gaps below a resting bid meets the bid first, at its price.
        MakerCase{"ABidCrossedByALowerAsk", kBuy, 3195, Move(3189, 3190), 2},
        MakerCase{"AnAskCrossedByAHigherBid", kSell, 3205, Move(3210, 3211), 2},
        // Nothing trades at 3194 while a bid rests at 3195: the trade was the bid's.
        MakerCase{"ABidATradeWentThrough", kBuy, 3195, Move(3193, 3196, 3194), 2},
        MakerCase{"ABidATradeMet", kBuy, 3195, Move(3193, 3196, 3195), 2},
        MakerCase{"AnAskATradeWentThrough", kSell, 3205, Move(3204, 3207, 3206), 2},
        MakerCase{"ABidATradeWentThroughForOneLot", kBuy, 3195, Move(3193, 3196, 3194, 1), 1},
        MakerCase{"ABidATradeStayedAbove", kBuy, 3195, Move(3194, 3197, 3196), 0},
        MakerCase{"ABidAMoveWithoutATradeLeaves", kBuy, 3195, Move(3193, 3196, 3194, 0), 0}),
    [](const testing::TestParamInfo<MakerCase> &info) { return info.param.name; });

TEST(Book, RestingOrdersTakeTheLevelsAtOrThroughTheirPriceBestFirstAtTheirOwnPrice) {
  auto broker = MakeBroker();
  BrokerClient client(broker);
  client.LogIn("U1");
  client.Order("rb2705", kBuy, kOpen, 3198, 4);  // ref 1
  client.Order("rb2705", kBuy, kOpen, 3200, 3);  // ref 2, the best bid
  client.Take();
  MarketUpdate update;
  update.bid = 3196;
  update.asks = std::vector<simtrader::Level>{{3197, 2}, {3198, 3}, {3199, 4}};
  broker->SetMarket("rb2705", update);
  // The bid at 3200 takes 2 at 3197 and 1 at 3198; the one at 3198 what is left there, and
  // 3199 is beyond it.
  EXPECT_EQ(Fills(client.Take()), (std::vector<Fill>{{"2", 3, 3200}, {"1", 2, 3198}}));
  EXPECT_EQ(AskVolumes(broker->Listed("rb2705")->market), (std::vector<int>{0, 0, 4, 0, 0}));
}

TEST(Book, TradesPrintedThroughFillBestPriceFirstUpToTheVolumeTheyTraded) {
  auto broker = MakeBroker();
  BrokerClient client(broker);
  client.LogIn("U1");
  client.Order("rb2705", kBuy, kOpen, 3190, 2);  // ref 1, earlier but lower
  client.Order("rb2705", kBuy, kOpen, 3195, 2);  // ref 2
  broker->SetMarket("rb2705", Move(3196, 3197, 3196, 100));
  client.Take();
  // The day's volume rose by 3: the bid at 3195 takes 2, the one at 3190 the last lot.
  broker->SetMarket("rb2705", Move(3188, 3197, 3189, 103));
  EXPECT_EQ(Fills(client.Take()), (std::vector<Fill>{{"2", 2, 3195}, {"1", 1, 3190}}));
}

// The book by itself: a partial fill keeps an order's place, a held order that triggers joins
// the back of the queue.
TEST(OrderBookIndex, KeepsPlacesThroughPartialFillsAndQueuesTriggeredOrdersLast) {
  simtrader::OrderBook book;
  auto order = [](int seq, double price, char status) {
    CThostFtdcOrderField record{};
    record.BrokerOrderSeq = seq;
    simtrader::SetText(record.InstrumentID, "rb2705");
    simtrader::SetText(record.InvestorID, "U1");
    record.Direction = kBuy;
    record.LimitPrice = price;
    record.VolumeTotal = 1;
    record.OrderStatus = status;
    record.ContingentCondition = THOST_FTDC_CC_LastPriceGreaterEqualStopPrice;
    record.StopPrice = 3300;
    return record;
  };
  book.Put(order(1, 3100, THOST_FTDC_OST_NoTradeQueueing));
  book.Put(order(2, 3100, THOST_FTDC_OST_NotTouched));
  book.Put(order(3, 3100, THOST_FTDC_OST_NoTradeQueueing));
  book.Put(order(1, 3100, THOST_FTDC_OST_PartTradedQueueing));
  EXPECT_EQ(book.Touched("rb2705", 3299).size(), 0u);
  EXPECT_EQ(book.Touched("rb2705", 3300).size(), 1u);
  book.Put(order(2, 3100, THOST_FTDC_OST_NoTradeQueueing));
  simtrader::Market market;
  market.asks[0].price = 3100;
  market.asks[0].volume = 10;
  std::vector<int> seqs;
  for (const auto &fill : book.Match("rb2705", kBuy, market, std::nullopt)) {
    seqs.push_back(fill.order.BrokerOrderSeq);
  }
  EXPECT_EQ(seqs, (std::vector<int>{1, 3, 2}));
  EXPECT_EQ(book.QueuedOf("U1").size(), 3u);
  book.Put(order(3, 3100, THOST_FTDC_OST_Canceled));
  EXPECT_EQ(book.QueuedCount(), 2u);
  EXPECT_EQ(book.HeldCount(), 0u);
}

}  // namespace
