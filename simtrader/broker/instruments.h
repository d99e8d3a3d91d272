// Instruments and their markets: what the broker lists, what an instrument costs to hold and
// to trade, and the records that describe both.
#ifndef SIMTRADER_BROKER_INSTRUMENTS_H
#define SIMTRADER_BROKER_INSTRUMENTS_H

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ThostFtdcUserApiStruct.h"

namespace simtrader {

enum class Side { Long, Short };

// The three commission rates a product has: opening, closing yesterday's position, closing
// today's (which exchanges price apart, CFFEX most steeply).
enum class Fee { Open, Close, CloseToday };

struct FeeRate {
  double by_money = 0;   // a ratio of the traded value
  double by_volume = 0;  // an amount per lot
};

struct Instrument {
  std::string id;
  std::string exchange;
  std::string product;
  std::string name;  // GB18030, as the vendor's records carry it
  double price_tick = 0;
  int volume_multiple = 0;
  double long_margin_ratio = 0;
  double short_margin_ratio = 0;
  FeeRate open_fee;
  FeeRate close_fee;
  FeeRate close_today_fee;
  int delivery_year = 0;
  int delivery_month = 0;
  // The product's usual daily band, as a share of yesterday's settlement: what its limits
  // are unless set otherwise.
  double limit_ratio = 0.10;
  // The most lots one order may ask for, as the exchange sets them for the product.
  int max_limit_order_volume = 1000;
  int max_market_order_volume = 1000;
  // The exchange margins a product's long and short positions on the larger side only
  // (MaxMarginSideAlgorithm), as CFFEX does; otherwise each side is margined.
  bool max_margin_side = false;

  // SHFE and INE keep today's and yesterday's positions apart, each closed with its own flag.
  bool SeparatesTodayFromYesterday() const;
  bool OnTick(double price) const;
  // The contract value of `volume` lots at `price`.
  double Value(double price, int volume) const;
  // Margin is charged on the value by the side's ratio (before the larger side rule of
  // positions.h).
  double Margin(Side side, double price, int volume) const;
  double Commission(Fee fee, double price, int volume) const;
};

// The levels of book a side of a market shows, as the vendor's depth market data carries them.
inline constexpr int kDepth = 5;

// A price of the book and the lots quoted there. A price of 0 stands for no level: nothing
// trades against it. The volume is what the level holds: each fill against it takes its share.
struct Level {
  double price = 0;
  int volume = 0;
};

// One side of a book, best price first: the levels it has, then empty ones.
using Levels = std::array<Level, kDepth>;

struct Market {
  Levels bids;  // highest first
  Levels asks;  // lowest first
  double last = 0;
  double pre_settlement = 0;  // yesterday's settlement, the basis of yesterday's positions
  // The day's price limits: the exchange refuses an order priced outside them.
  double upper_limit = 0;
  double lower_limit = 0;
  // The exchange's figures for the day so far, as a market move reports them.
  int volume = 0;
  double turnover = 0;
  double open_interest = 0;
  // The day's first, highest and lowest last price moved to; 0 until a last price is.
  double open = 0;
  double high = 0;
  double low = 0;
  // When the market last moved, in the exchange's time; empty until it has.
  std::string action_day;   // YYYYMMDD
  std::string update_time;  // HH:MM:SS
  int update_millisec = 0;
};

// A moment as the exchange stamps a market.
struct MarketTime {
  std::string action_day;   // YYYYMMDD
  std::string update_time;  // HH:MM:SS
  int update_millisec = 0;  // 0 to 999
};

// Now, by the local clock.
MarketTime LocalMarketTime();

// What each level of a market holds unless set otherwise: deep enough that an order of a few
// lots fills whole.
inline constexpr int kDefaultDepth = 1'000'000;

struct Listing {
  Instrument instrument;
  Market market;
};

// The listings of a broker by instrument id.
using Catalogue = std::map<std::string, Listing>;

// What Quorvan.sim.set_market changes; the fields left empty keep their values.
struct MarketUpdate {
  std::optional<double> bid;
  std::optional<double> ask;
  std::optional<double> last;
  std::optional<int> bid_volume;
  std::optional<int> ask_volume;
  std::optional<double> upper_limit;
  std::optional<double> lower_limit;
  // A side's whole book, best first: up to kDepth levels, each with a positive price (none
  // for an empty side). With it, bid and bid_volume (ask and ask_volume) may only repeat its
  // first level. Without it, a new bid (ask) makes the side one level deep, its lots those
  // the first level had unless bid_volume (ask_volume) gives them; bid_volume alone changes
  // only the first level's lots.
  std::optional<std::vector<Level>> bids;
  std::optional<std::vector<Level>> asks;
  std::optional<int> volume;
  std::optional<double> turnover;
  std::optional<double> open_interest;
  // When the market moves; nullopt: now, by the local clock.
  std::optional<MarketTime> time;
};

// The market after `update`, stamped with its time, a new last price counted into the day's
// open, high and low; throws std::invalid_argument, naming the instrument, for a price off
// the tick, negative or not finite, a negative volume, a bid at or above the ask, a price
// outside the daily limits, levels out of order (bids must fall and asks rise strictly) or
// more than kDepth of them, bids (asks) whose first level is not the bid (ask) given with
// them, a negative or non-finite turnover or open interest, or a time that is not one.
Market MovedMarket(const Listing &listing, const MarketUpdate &update);

// The limits the product's band sets around yesterday's settlement, each on the tick inside
// the band.
double UpperLimitOf(const Instrument &instrument, double pre_settlement);
double LowerLimitOf(const Instrument &instrument, double pre_settlement);

// Throws std::invalid_argument for a listing the broker cannot trade: no exchange, a tick,
// multiple or volume cap that is not positive, a ratio that is negative, or an invalid market.
void CheckListing(const Listing &listing);

// SHFE rebar, copper and gold, INE crude oil, DCE soybean meal and iron ore, CZCE sugar and
// PTA, CFFEX CSI 300 and CSI 500 index futures, GFEX industrial silicon and lithium carbonate.
Catalogue DefaultCatalogue();

// Whether the exchange margins hedged positions on their larger side only unless configured
// otherwise: CFFEX.
bool MarginsLargerSideByDefault(const std::string &exchange);

CThostFtdcInstrumentField InstrumentRecord(const Instrument &instrument);
// The market as a depth market data record, complete as the vendor's market-data front sends
// it: what has no value yet holds the vendor's mark for no price.
CThostFtdcDepthMarketDataField DepthMarketDataRecord(const Listing &listing,
                                                     const std::string &trading_day);

// The market as a new trading day finds it: the day's figures, range and time start afresh.
void StartNewDay(Market &market);

// Drops the levels quoted outside the market's daily limits, those behind them moving up. A
// side left empty keeps its first level's lots for the price a later move gives it.
void DropLevelsOutsideLimits(Market &market);

}  // namespace simtrader

#endif
