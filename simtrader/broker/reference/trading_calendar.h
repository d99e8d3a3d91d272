// Trading days, as the vendor's records carry them ("YYYYMMDD"), and the market's clock that
// places a broker's records in them. The exchanges trade on weekdays that are not holidays; no
// holiday list is built in: a broker skips those it is configured with.
#ifndef SIMTRADER_BROKER_REFERENCE_TRADING_CALENDAR_H
#define SIMTRADER_BROKER_REFERENCE_TRADING_CALENDAR_H

#include <optional>
#include <set>
#include <string>

#include "broker/instruments.h"

namespace simtrader {

// The days, YYYYMMDD, on which the exchanges are closed although they are weekdays.
using Holidays = std::set<std::string>;

// Whether `day` is a real date written YYYYMMDD.
bool IsDate(const std::string &day);

// Whether `day` is a date written YYYYMMDD that falls on a weekday other than a holiday.
bool IsTradingDay(const std::string &day, const Holidays &holidays = {});

// The first trading day after `day`, which must be a date.
std::string NextTradingDay(const std::string &day, const Holidays &holidays = {});

// The hour from which a market time belongs to the night session, which trades for the next
// trading day: nothing trades between the day session's close and the night's open at 21:00,
// and the trading hours begin a trading day there as well.
inline constexpr int kNightSessionFromHour = 18;

// Whether a moment of the exchange's clock is at or after kNightSessionFromHour.
bool InNightSession(const MarketTime &time);

// The trading day a moment of the exchange's clock belongs to: from 18:00 the next trading
// day (a Friday evening trades for Monday); before, the day itself, or the next trading day
// for a day the exchanges are closed (the small hours of Saturday belong to Friday's night
// session, so to Monday). `time` must carry a date.
std::string TradingDayOf(const MarketTime &time, const Holidays &holidays = {});

// The market's clock of a broker, what its records are stamped with: the exchange's time of
// the last market move that gave one, or the local clock while none has (or since a move that
// gave none). Each time is taken as it comes: a replay of an earlier file turns the clock
// back, as the records it makes should show.
class MarketClock {
 public:
  void Set(const std::optional<MarketTime> &time) { given_ = time; }
  MarketTime Now() const { return given_ ? *given_ : LocalMarketTime(); }
  // The market's own time, if it has one rather than the local clock's.
  const std::optional<MarketTime> &given_time() const { return given_; }

 private:
  std::optional<MarketTime> given_;
};

}  // namespace simtrader

#endif
