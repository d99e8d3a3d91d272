// When each product trades at its exchange: its continuous sessions and opening call auction,
// and where a moment falls among them, as the exchanges report it in an instrument's status.
//
// Times are minutes into a trading day, which begins at 18:00 the evening before: a night
// session, and the part of it after midnight, come before the day session they trade for.
#ifndef SIMTRADER_BROKER_REFERENCE_TRADING_HOURS_H
#define SIMTRADER_BROKER_REFERENCE_TRADING_HOURS_H

#include <map>
#include <string>
#include <vector>

#include "ThostFtdcUserApiDataType.h"
#include "broker/instruments.h"
#include "broker/reference/trading_calendar.h"

namespace simtrader {

// Continuous trading from `open` to `close` (excluded), in minutes into the trading day.
struct SessionSpan {
  int open = 0;
  int close = 0;
};

struct ProductHours {
  // In the order of the trading day, apart from each other.
  std::vector<SessionSpan> sessions;
  // An opening call auction before the first session: orders are taken from five minutes
  // before its open, and matched in the last minute, which takes none.
  bool opening_auction = false;
};

// By product id.
using TradingHours = std::map<std::string, ProductHours>;

// The built-in products' hours at their exchanges.
TradingHours ExchangeTradingHours();

// Sessions written "HH:MM-HH:MM,HH:MM-HH:MM" (a session closing before it opens runs past
// midnight), without an auction; throws std::invalid_argument naming the part at fault, for
// a time that is not one, an empty session, none at all, sessions that overlap or that cross
// 18:00, where one trading day ends and the next begins.
ProductHours ParseSessions(const std::string &text);

// Where each product's trading stands as the market's clock moves. A product's status is
// worked out again only once the clock leaves the stretch its last status holds for, so that
// following the clock costs a comparison a move. Days that are not trading days are closed,
// and so is the night before a holiday, as the exchanges close it: a night trades only when
// the next trading day is the next weekday.
class SessionBoard {
 public:
  SessionBoard(TradingHours hours, Holidays holidays);

  struct Change {
    std::string product;
    TThostFtdcInstrumentStatusType status;
    std::string enter_time;  // HH:MM:SS: when the status began
  };
  // Moves to `now`, which may lie before the last moment too; the products whose status
  // changed, each with the status it has now (every product's on the first move, or after
  // Forget). A move across several boundaries reports only where it lands.
  std::vector<Change> MoveTo(const MarketTime &now);
  // Makes the next move report every product's status.
  void Forget();
  // As of the last move; continuous for a product the board has no hours for.
  TThostFtdcInstrumentStatusType StatusOf(const std::string &product) const;

  const TradingHours &hours() const { return hours_; }

 private:
  struct Stretch {
    TThostFtdcInstrumentStatusType status = THOST_FTDC_IS_BeforeTrading;
    long long from = 0;  // minutes since 1970-01-01 00:00, exchange time
    long long until = 0;
  };
  struct Product {
    // Where each status of the trading day begins, in minutes into it, the first at 0.
    std::vector<std::pair<int, TThostFtdcInstrumentStatusType>> starts;
    Stretch now;
    bool known = false;
  };
  Stretch StretchAt(const Product &product, long long minute) const;

  TradingHours hours_;
  Holidays holidays_;
  std::map<std::string, Product> products_;
  // Every product's stretch holds from `from_` until `until_`: a move within changes none.
  long long from_ = 0;
  long long until_ = 0;
};

}  // namespace simtrader

#endif
