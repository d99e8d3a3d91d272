#include "broker/instruments.h"

#include <algorithm>
#include <cfloat>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>
#include <stdexcept>
#include <utility>

#include "broker/record_text.h"
#include "broker/reference/trading_calendar.h"

namespace simtrader {

namespace {

// The vendor's mark for a price that has no value yet (a settlement before the close).
constexpr double kNoPrice = DBL_MAX;

// Where a depth market data record carries each level of the book.
using DepthRecord = CThostFtdcDepthMarketDataField;
struct LevelFields {
  TThostFtdcPriceType DepthRecord::*price;
  TThostFtdcVolumeType DepthRecord::*volume;
};
constexpr LevelFields kBidFields[kDepth] = {{&DepthRecord::BidPrice1, &DepthRecord::BidVolume1},
                                            {&DepthRecord::BidPrice2, &DepthRecord::BidVolume2},
                                            {&DepthRecord::BidPrice3, &DepthRecord::BidVolume3},
                                            {&DepthRecord::BidPrice4, &DepthRecord::BidVolume4},
                                            {&DepthRecord::BidPrice5, &DepthRecord::BidVolume5}};
constexpr LevelFields kAskFields[kDepth] = {{&DepthRecord::AskPrice1, &DepthRecord::AskVolume1},
                                            {&DepthRecord::AskPrice2, &DepthRecord::AskVolume2},
                                            {&DepthRecord::AskPrice3, &DepthRecord::AskVolume3},
                                            {&DepthRecord::AskPrice4, &DepthRecord::AskVolume4},
                                            {&DepthRecord::AskPrice5, &DepthRecord::AskVolume5}};

struct DefaultListing {
  const char *id;
  const char *exchange;
  const char *product;
  const char *name;  // GB18030
  double price_tick;
  int volume_multiple;
  double margin_ratio;
  FeeRate open_fee;
  FeeRate close_fee;
  FeeRate close_today_fee;
  int delivery_year;
  int delivery_month;
  double last;
  double limit_ratio;
  int max_limit_order_volume;
  int max_market_order_volume;
};

// Contract months a few months out from the end of 2026; prices of that time; the volume caps
// of one order that each exchange sets for the product, limit then market. CZCE ids carry
// three digits of the delivery month. Split string literals keep a digit from extending the
// hexadecimal escape before it.
const DefaultListing kDefaultListings[] = {
    {"rb2705",
     "SHFE",
     "rb",
     "\xc2\xdd\xce\xc6\xb8\xd6"
     "2705",  // 螺纹钢2705
     1,
     10,
     0.10,
     {0.0001, 0},
     {0.0001, 0},
     {0.0001, 0},
     2027,
     5,
     3200,
     0.07,
     500,
     30},
    {"cu2702",
     "SHFE",
     "cu",
     "\xbb\xa6\xcd\xad"
     "2702",  // 沪铜2702
     10,
     5,
     0.10,
     {0.00005, 0},
     {0.00005, 0},
     {0.0001, 0},
     2027,
     2,
     78000,
     0.07,
     500,
     30},
    {"au2706",
     "SHFE",
     "au",
     "\xbb\xa6\xbd\xf0"
     "2706",  // 沪金2706
     0.02,
     1000,
     0.12,
     {0, 10},
     {0, 10},
     {0, 0},
     2027,
     6,
     850,
     0.07,
     500,
     30},
    {"sc2702",
     "INE",
     "sc",
     "\xd4\xad\xd3\xcd"
     "2702",  // 原油2702
     0.1,
     1000,
     0.15,
     {0, 20},
     {0, 20},
     {0, 0},
     2027,
     2,
     520,
     0.08,
     500,
     30},
    {"m2705",
     "DCE",
     "m",
     "\xb6\xb9\xc6\xc9"
     "2705",  // 豆粕2705
     1,
     10,
     0.10,
     {0, 1.5},
     {0, 1.5},
     {0, 1.5},
     2027,
     5,
     2900,
     0.06,
     1000,
     1000},
    {"i2705",
     "DCE",
     "i",
     "\xcc\xfa\xbf\xf3\xca\xaf"
     "2705",  // 铁矿石2705
     0.5,
     100,
     0.13,
     {0.0001, 0},
     {0.0001, 0},
     {0.0001, 0},
     2027,
     5,
     780,
     0.11,
     1000,
     1000},
    {"SR705",
     "CZCE",
     "SR",
     "\xb0\xd7\xcc\xc7"
     "705",  // 白糖705
     1,
     10,
     0.09,
     {0, 3},
     {0, 3},
     {0, 0},
     2027,
     5,
     5600,
     0.06,
     1000,
     200},
    {"TA705",
     "CZCE",
     "TA",
     "PTA705",
     2,
     5,
     0.08,
     {0, 3},
     {0, 3},
     {0, 0},
     2027,
     5,
     4700,
     0.06,
     1000,
     200},
    // 沪深300股指2703
    {"IF2703",
     "CFFEX",
     "IF",
     "\xbb\xa6\xc9\xee"
     "300"
     "\xb9\xc9\xd6\xb8"
     "2703",
     0.2,
     300,
     0.12,
     {0.000023, 0},
     {0.000023, 0},
     {0.00023, 0},
     2027,
     3,
     3900,
     0.1,
     20,
     10},
    // 中证500股指2703
    {"IC2703",
     "CFFEX",
     "IC",
     "\xd6\xd0\xd6\xa4"
     "500"
     "\xb9\xc9\xd6\xb8"
     "2703",
     0.2,
     200,
     0.14,
     {0.000023, 0},
     {0.000023, 0},
     {0.00023, 0},
     2027,
     3,
     6000,
     0.1,
     20,
     10},
    {"si2705",
     "GFEX",
     "si",
     "\xb9\xa4\xd2\xb5\xb9\xe8"
     "2705",  // 工业硅2705
     5,
     5,
     0.12,
     {0.0001, 0},
     {0.0001, 0},
     {0, 0},
     2027,
     5,
     9000,
     0.09,
     1000,
     1000},
    {"lc2705",
     "GFEX",
     "lc",
     "\xcc\xbc\xcb\xe1\xef\xae"
     "2705",  // 碳酸锂2705
     50,
     1,
     0.15,
     {0.0002, 0},
     {0.0002, 0},
     {0, 0},
     2027,
     5,
     75000,
     0.09,
     1000,
     1000},
};

std::invalid_argument ListingError(const Instrument &instrument, const std::string &what) {
  return std::invalid_argument("instrument '" + instrument.id + "': " + what);
}

// What a level's price or volume is called, as the replay's columns and set_market call them:
// "bid" and "bid_volume" for the first, "bid2" and "bid_volume2" for the second.
std::string LevelName(const char *field, int level) {
  return level == 0 ? field : field + std::to_string(level + 1);
}

// The price of the field's level (LevelName), named only in the error: every move checks
// a dozen prices.
void CheckPrice(const Instrument &instrument, const char *field, double price, int level = 0) {
  if (!std::isfinite(price) || price < 0) {
    throw ListingError(instrument, LevelName(field, level) + " must be a finite price, at least 0");
  }
  if (!instrument.OnTick(price)) {
    char text[96];
    std::snprintf(text, sizeof text, "%.10g is not a multiple of the price tick %.10g", price,
                  instrument.price_tick);
    throw ListingError(instrument, LevelName(field, level) + " " + text);
  }
}

std::string PriceText(double price) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", price);
  return text;
}

// A side's levels are each on the tick with lots that are not negative, and the levels it has
// come first, each strictly worse than the one before: a bid below the bid above it, an ask
// above the ask below it.
void CheckSide(const Instrument &instrument, const Levels &side, bool bids) {
  const char *price_field = bids ? "bid" : "ask";
  const char *volume_field = bids ? "bid_volume" : "ask_volume";
  for (int level = 0; level < kDepth; ++level) {
    // A level behind the first without a price is none; a gap shows at the level after it.
    if (level > 0 && side[level].price == 0) continue;
    CheckPrice(instrument, price_field, side[level].price, level);
    if (side[level].volume < 0) {
      throw ListingError(instrument, LevelName(volume_field, level) + " must not be negative");
    }
    if (level == 0) continue;
    const double better = side[level - 1].price;
    if (better == 0) {
      throw ListingError(instrument, LevelName(price_field, level) + " follows an empty " +
                                         LevelName(price_field, level - 1) +
                                         ": the levels a side has come first");
    }
    if (bids ? side[level].price >= better : side[level].price <= better) {
      throw ListingError(instrument,
                         LevelName(price_field, level) + " " + PriceText(side[level].price) +
                             " is not " + (bids ? "below " : "above ") +
                             LevelName(price_field, level - 1) + " " + PriceText(better) + ": " +
                             (bids ? "bids fall" : "asks rise") + " strictly level by level");
    }
  }
}

void CheckMarket(const Instrument &instrument, const Market &market) {
  CheckSide(instrument, market.bids, true);
  CheckSide(instrument, market.asks, false);
  CheckPrice(instrument, "last", market.last);
  CheckPrice(instrument, "pre_settlement_price", market.pre_settlement);
  CheckPrice(instrument, "upper_limit", market.upper_limit);
  CheckPrice(instrument, "lower_limit", market.lower_limit);
  if (market.volume < 0) throw ListingError(instrument, "volume must not be negative");
  for (const auto &[name, figure] :
       {std::pair{"turnover", market.turnover}, {"open_interest", market.open_interest}}) {
    if (!(std::isfinite(figure) && figure >= 0)) {
      throw ListingError(instrument, std::string(name) + " must be a finite figure, at least 0");
    }
  }
  if (!(market.lower_limit > 0 && market.lower_limit < market.upper_limit)) {
    throw ListingError(instrument, "the lower_limit must be positive and below the upper_limit");
  }
  // The exchange trades and quotes nothing outside the day's limits; an empty level has no
  // price to check.
  auto outside = [&](double price) {
    return price > 0 && (price < market.lower_limit || price > market.upper_limit);
  };
  auto outside_error = [&](const char *field, int level, double price) {
    return ListingError(instrument, LevelName(field, level) + " " + PriceText(price) +
                                        " is outside the daily limits " +
                                        PriceText(market.lower_limit) + " to " +
                                        PriceText(market.upper_limit));
  };
  for (int level = 0; level < kDepth; ++level) {
    const double bid = market.bids[level].price, ask = market.asks[level].price;
    if (outside(bid)) throw outside_error("bid", level, bid);
    if (outside(ask)) throw outside_error("ask", level, ask);
  }
  if (outside(market.last)) throw outside_error("last", 0, market.last);
  // A bid at or above the ask would have traded: no exchange shows such a book.
  const double bid = market.bids[0].price;
  const double ask = market.asks[0].price;
  if (bid > 0 && ask > 0 && bid >= ask) {
    throw ListingError(instrument, "the bid must be below the ask");
  }
}

// One side of the market after a move (see MarketUpdate).
void MoveSide(const Instrument &instrument, Levels &side, bool bids,
              const std::optional<double> &price, const std::optional<int> &volume,
              const std::optional<std::vector<Level>> &levels) {
  const char *price_field = bids ? "bid" : "ask";
  const char *levels_field = bids ? "bids" : "asks";
  if (!levels) {
    if (price) side = Levels{Level{*price, side[0].volume}};
    if (volume) side[0].volume = *volume;
    return;
  }
  if (levels->size() > static_cast<std::size_t>(kDepth)) {
    throw ListingError(instrument, std::string(levels_field) + " gives " +
                                       std::to_string(levels->size()) + " levels: a side shows " +
                                       std::to_string(kDepth) + " at most");
  }
  const Level first = levels->empty() ? Level{} : levels->front();
  if ((price && *price != first.price) || (volume && *volume != first.volume)) {
    throw ListingError(instrument, std::string(price_field) + " and " + price_field +
                                       "_volume, given with " + levels_field +
                                       ", must be its first level");
  }
  side = Levels{};
  for (std::size_t level = 0; level < levels->size(); ++level) {
    // A level of 0 would be none: the list would say a level is there that is not.
    if (!((*levels)[level].price > 0)) {
      throw ListingError(instrument, LevelName(price_field, static_cast<int>(level)) + " " +
                                         PriceText((*levels)[level].price) + " of " + levels_field +
                                         " is not a positive price");
    }
    side[level] = (*levels)[level];
  }
}

std::string DateText(int year, int month, int day) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", year, month, day);
  return text;
}

// The tick nearest `price` on the side of it that stays within a limit.
double TickAtOrBelow(const Instrument &instrument, double price) {
  return std::floor(price / instrument.price_tick + 1e-9) * instrument.price_tick;
}

double TickAtOrAbove(const Instrument &instrument, double price) {
  return std::ceil(price / instrument.price_tick - 1e-9) * instrument.price_tick;
}

bool AllDigits(const std::string &text, std::size_t from, std::size_t count) {
  for (std::size_t index = from; index < from + count; ++index) {
    if (index >= text.size() || text[index] < '0' || text[index] > '9') return false;
  }
  return true;
}

// The number two digits at `at` write; AllDigits has checked them.
int TwoDigits(const std::string &text, std::size_t at) {
  return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

void CheckTime(const Instrument &instrument, const MarketTime &time) {
  const std::string &day = time.action_day;
  const std::string &clock = time.update_time;
  // A real date: the market's clock places it in a trading day.
  const bool day_valid = IsDate(day);
  const bool clock_valid = clock.size() == 8 && AllDigits(clock, 0, 2) && clock[2] == ':' &&
                           AllDigits(clock, 3, 2) && clock[5] == ':' && AllDigits(clock, 6, 2) &&
                           TwoDigits(clock, 0) < 24 && TwoDigits(clock, 3) < 60 &&
                           TwoDigits(clock, 6) < 61;
  if (!day_valid || !clock_valid || time.update_millisec < 0 || time.update_millisec > 999) {
    throw ListingError(instrument,
                       "the time of a move is a day YYYYMMDD, a time HH:MM:SS and "
                       "0 to 999 milliseconds, not '" +
                           day + " " + clock + "' and " + std::to_string(time.update_millisec));
  }
}

}  // namespace

MarketTime LocalMarketTime() {
  const auto now = std::chrono::system_clock::now();
  const auto millisec =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  char day[16];
  char clock[16];
  std::strftime(day, sizeof day, "%Y%m%d", &local);
  std::strftime(clock, sizeof clock, "%H:%M:%S", &local);
  return MarketTime{day, clock, static_cast<int>(millisec)};
}

bool Instrument::SeparatesTodayFromYesterday() const {
  return exchange == "SHFE" || exchange == "INE";
}

bool Instrument::OnTick(double price) const {
  const double ticks = price / price_tick;
  // Every market move checks a dozen prices, and std::round is a library call. Below 2^52 the
  // integer conversion finds the same nearest integer wherever it is within one half; where
  // it is not, at a tie, the price is far off the tick either way.
  if (std::fabs(ticks) < 0x1p52) {
    const auto nearest = static_cast<long long>(ticks + (ticks < 0 ? -0.5 : 0.5));
    return std::fabs(ticks - static_cast<double>(nearest)) < 1e-6;
  }
  return std::fabs(ticks - std::round(ticks)) < 1e-6;
}

double Instrument::Value(double price, int volume) const {
  return price * volume * volume_multiple;
}

double Instrument::Margin(Side side, double price, int volume) const {
  return Value(price, volume) * (side == Side::Long ? long_margin_ratio : short_margin_ratio);
}

double Instrument::Commission(Fee fee, double price, int volume) const {
  const FeeRate &rate = fee == Fee::Open    ? open_fee
                        : fee == Fee::Close ? close_fee
                                            : close_today_fee;
  return Value(price, volume) * rate.by_money + volume * rate.by_volume;
}

Market MovedMarket(const Listing &listing, const MarketUpdate &update) {
  Market market = listing.market;
  const Instrument &instrument = listing.instrument;
  MoveSide(instrument, market.bids, true, update.bid, update.bid_volume, update.bids);
  MoveSide(instrument, market.asks, false, update.ask, update.ask_volume, update.asks);
  if (update.last) market.last = *update.last;
  if (update.upper_limit) market.upper_limit = *update.upper_limit;
  if (update.lower_limit) market.lower_limit = *update.lower_limit;
  if (update.volume) market.volume = *update.volume;
  if (update.turnover) market.turnover = *update.turnover;
  if (update.open_interest) market.open_interest = *update.open_interest;
  if (update.last && *update.last > 0) {
    if (market.open == 0) market.open = market.high = market.low = *update.last;
    market.high = std::max(market.high, *update.last);
    market.low = std::min(market.low, *update.last);
  }
  std::optional<MarketTime> local;
  const MarketTime &time = update.time ? *update.time : local.emplace(LocalMarketTime());
  CheckTime(listing.instrument, time);
  market.action_day = time.action_day;
  market.update_time = time.update_time;
  market.update_millisec = time.update_millisec;
  CheckMarket(listing.instrument, market);
  return market;
}

double UpperLimitOf(const Instrument &instrument, double pre_settlement) {
  return TickAtOrBelow(instrument, pre_settlement * (1 + instrument.limit_ratio));
}

double LowerLimitOf(const Instrument &instrument, double pre_settlement) {
  return TickAtOrAbove(instrument, pre_settlement * (1 - instrument.limit_ratio));
}

void CheckListing(const Listing &listing) {
  const Instrument &instrument = listing.instrument;
  if (instrument.id.empty()) throw std::invalid_argument("an instrument needs an instrument_id");
  if (instrument.exchange.empty()) throw ListingError(instrument, "exchange_id is empty");
  if (!(std::isfinite(instrument.price_tick) && instrument.price_tick > 0)) {
    throw ListingError(instrument, "price_tick must be a positive number");
  }
  if (instrument.volume_multiple <= 0) {
    throw ListingError(instrument, "volume_multiple must be positive");
  }
  if (instrument.max_limit_order_volume <= 0 || instrument.max_market_order_volume <= 0) {
    throw ListingError(instrument,
                       "max_limit_order_volume and max_market_order_volume must be positive");
  }
  if (!(instrument.limit_ratio > 0 && instrument.limit_ratio < 1)) {
    throw ListingError(instrument, "limit_ratio must be above 0 and below 1");
  }
  for (double rate : {instrument.long_margin_ratio, instrument.short_margin_ratio,
                      instrument.open_fee.by_money, instrument.open_fee.by_volume,
                      instrument.close_fee.by_money, instrument.close_fee.by_volume,
                      instrument.close_today_fee.by_money, instrument.close_today_fee.by_volume}) {
    if (!(std::isfinite(rate) && rate >= 0)) {
      throw ListingError(instrument, "margin ratios and commission rates must be at least 0");
    }
  }
  CheckMarket(instrument, listing.market);
}

Catalogue DefaultCatalogue() {
  Catalogue catalogue;
  for (const DefaultListing &row : kDefaultListings) {
    Listing listing;
    Instrument &instrument = listing.instrument;
    instrument.id = row.id;
    instrument.exchange = row.exchange;
    instrument.product = row.product;
    instrument.name = row.name;
    instrument.price_tick = row.price_tick;
    instrument.volume_multiple = row.volume_multiple;
    instrument.long_margin_ratio = row.margin_ratio;
    instrument.short_margin_ratio = row.margin_ratio;
    instrument.open_fee = row.open_fee;
    instrument.close_fee = row.close_fee;
    instrument.close_today_fee = row.close_today_fee;
    instrument.delivery_year = row.delivery_year;
    instrument.delivery_month = row.delivery_month;
    instrument.limit_ratio = row.limit_ratio;
    instrument.max_limit_order_volume = row.max_limit_order_volume;
    instrument.max_market_order_volume = row.max_market_order_volume;
    instrument.max_margin_side = MarginsLargerSideByDefault(row.exchange);
    listing.market.last = row.last;
    listing.market.pre_settlement = row.last;
    listing.market.bids[0] = Level{row.last, kDefaultDepth};
    listing.market.asks[0] = Level{row.last + row.price_tick, kDefaultDepth};
    listing.market.upper_limit = UpperLimitOf(instrument, row.last);
    listing.market.lower_limit = LowerLimitOf(instrument, row.last);
    catalogue.emplace(row.id, std::move(listing));
  }
  return catalogue;
}

bool MarginsLargerSideByDefault(const std::string &exchange) { return exchange == "CFFEX"; }

CThostFtdcInstrumentField InstrumentRecord(const Instrument &instrument) {
  CThostFtdcInstrumentField record{};
  SetText(record.InstrumentID, instrument.id);
  SetText(record.ExchangeID, instrument.exchange);
  SetText(record.InstrumentName, instrument.name);
  SetText(record.ExchangeInstID, instrument.id);
  SetText(record.ProductID, instrument.product);
  record.ProductClass = THOST_FTDC_PC_Futures;
  record.DeliveryYear = instrument.delivery_year;
  record.DeliveryMonth = instrument.delivery_month;
  record.MaxMarketOrderVolume = instrument.max_market_order_volume;
  record.MinMarketOrderVolume = 1;
  record.MaxLimitOrderVolume = instrument.max_limit_order_volume;
  record.MinLimitOrderVolume = 1;
  record.VolumeMultiple = instrument.volume_multiple;
  record.PriceTick = instrument.price_tick;
  // Listed a year before delivery, trading until the middle of the delivery month.
  if (instrument.delivery_year > 0) {
    const int year = instrument.delivery_year;
    const int month = instrument.delivery_month;
    SetText(record.CreateDate, DateText(year - 1, month, 15));
    SetText(record.OpenDate, DateText(year - 1, month, 15));
    SetText(record.ExpireDate, DateText(year, month, 15));
    SetText(record.StartDelivDate, DateText(year, month, 16));
    SetText(record.EndDelivDate, DateText(year, month, 20));
  }
  record.InstLifePhase = THOST_FTDC_IP_Started;
  record.IsTrading = 1;
  record.PositionType = THOST_FTDC_PT_Gross;
  record.PositionDateType = instrument.SeparatesTodayFromYesterday() ? THOST_FTDC_PDT_UseHistory
                                                                     : THOST_FTDC_PDT_NoUseHistory;
  record.LongMarginRatio = instrument.long_margin_ratio;
  record.ShortMarginRatio = instrument.short_margin_ratio;
  record.MaxMarginSideAlgorithm =
      instrument.max_margin_side ? THOST_FTDC_MMSA_YES : THOST_FTDC_MMSA_NO;
  record.UnderlyingMultiple = 1;
  return record;
}

CThostFtdcDepthMarketDataField DepthMarketDataRecord(const Listing &listing,
                                                     const std::string &trading_day) {
  const Instrument &instrument = listing.instrument;
  const Market &market = listing.market;
  CThostFtdcDepthMarketDataField record{};
  SetText(record.TradingDay, trading_day);
  // A market that has not moved today is quoted as of now.
  if (!market.action_day.empty()) {
    SetText(record.ActionDay, market.action_day);
    SetText(record.UpdateTime, market.update_time);
    record.UpdateMillisec = market.update_millisec;
  } else {
    SetText(record.ActionDay, LocalDate());
    SetText(record.UpdateTime, LocalTime());
  }
  SetText(record.ExchangeID, instrument.exchange);
  SetText(record.InstrumentID, instrument.id);
  SetText(record.ExchangeInstID, instrument.id);
  record.LastPrice = market.last;
  record.PreSettlementPrice = market.pre_settlement;
  record.PreClosePrice = market.pre_settlement;
  auto price_or_none = [](double price) { return price > 0 ? price : kNoPrice; };
  record.OpenPrice = price_or_none(market.open);
  record.HighestPrice = price_or_none(market.high);
  record.LowestPrice = price_or_none(market.low);
  record.Volume = market.volume;
  record.Turnover = market.turnover;
  record.OpenInterest = market.open_interest;
  // CZCE quotes the average price per unit, the other exchanges per lot.
  if (market.volume > 0) {
    const double per_lot = market.turnover / market.volume;
    record.AveragePrice =
        instrument.exchange == "CZCE" ? per_lot / instrument.volume_multiple : per_lot;
  }
  record.ClosePrice = kNoPrice;
  record.SettlementPrice = kNoPrice;
  record.PreDelta = 0;
  record.CurrDelta = kNoPrice;
  record.UpperLimitPrice = market.upper_limit;
  record.LowerLimitPrice = market.lower_limit;
  record.BandingUpperPrice = record.UpperLimitPrice;
  record.BandingLowerPrice = record.LowerLimitPrice;
  for (int level = 0; level < kDepth; ++level) {
    const LevelFields &bid = kBidFields[level];
    const LevelFields &ask = kAskFields[level];
    record.*bid.price = market.bids[level].price;
    record.*bid.volume = market.bids[level].volume;
    record.*ask.price = market.asks[level].price;
    record.*ask.volume = market.asks[level].volume;
  }
  return record;
}

void DropLevelsOutsideLimits(Market &market) {
  for (Levels *side : {&market.bids, &market.asks}) {
    Levels kept{};
    kept[0].volume = (*side)[0].volume;
    int count = 0;
    for (const Level &level : *side) {
      if (level.price >= market.lower_limit && level.price <= market.upper_limit) {
        kept[count++] = level;
      }
    }
    *side = kept;
  }
}

void StartNewDay(Market &market) {
  market.volume = 0;
  market.turnover = 0;
  market.open = market.high = market.low = 0;
  market.action_day.clear();
  market.update_time.clear();
  market.update_millisec = 0;
}

}  // namespace simtrader
