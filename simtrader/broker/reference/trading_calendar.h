// Trading days, as the vendor's records carry them ("YYYYMMDD"). The exchanges trade on
// weekdays; the simulation keeps no holiday calendar, so every weekday is a trading day.
#ifndef SIMTRADER_BROKER_REFERENCE_TRADING_CALENDAR_H
#define SIMTRADER_BROKER_REFERENCE_TRADING_CALENDAR_H

#include <string>

namespace simtrader {

// Whether `day` is a date written YYYYMMDD that falls on a weekday.
bool IsTradingDay(const std::string &day);

// The weekday after `day`, which must be a trading day.
std::string NextTradingDay(const std::string &day);

}  // namespace simtrader

#endif
