#include "broker/reference/trading_calendar.h"

#include <cstdio>
#include <ctime>

namespace simtrader {

namespace {

// The date as a calendar day at noon UTC (far from any day boundary), or false when `day`
// is not a date written YYYYMMDD.
bool ParseDay(const std::string &day, std::tm &date) {
  if (day.size() != 8) return false;
  for (const char digit : day) {
    if (digit < '0' || digit > '9') return false;
  }
  date = std::tm{};
  date.tm_year = std::stoi(day.substr(0, 4)) - 1900;
  date.tm_mon = std::stoi(day.substr(4, 2)) - 1;
  date.tm_mday = std::stoi(day.substr(6, 2));
  date.tm_hour = 12;
  std::tm normalised = date;
  if (timegm(&normalised) == -1) return false;
  // timegm carries 31 February into March: a date that moved was not one.
  if (normalised.tm_year != date.tm_year || normalised.tm_mon != date.tm_mon ||
      normalised.tm_mday != date.tm_mday) {
    return false;
  }
  date = normalised;
  return true;
}

bool IsWeekday(const std::tm &date) { return date.tm_wday != 0 && date.tm_wday != 6; }

std::string Formatted(const std::tm &date) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d", date.tm_year + 1900, date.tm_mon + 1,
                date.tm_mday);
  return text;
}

}  // namespace

bool IsDate(const std::string &day) {
  std::tm date;
  return ParseDay(day, date);
}

bool IsTradingDay(const std::string &day, const Holidays &holidays) {
  std::tm date;
  return ParseDay(day, date) && IsWeekday(date) && holidays.count(day) == 0;
}

std::string NextTradingDay(const std::string &day, const Holidays &holidays) {
  std::tm date;
  ParseDay(day, date);
  std::time_t time = timegm(&date);
  do {
    time += 24 * 3600;
    gmtime_r(&time, &date);
  } while (!IsWeekday(date) || holidays.count(Formatted(date)) != 0);
  return Formatted(date);
}

std::string TradingDayOf(const MarketTime &time, const Holidays &holidays) {
  const int hour = std::stoi(time.update_time.substr(0, 2));
  if (hour >= kNightSessionFromHour || !IsTradingDay(time.action_day, holidays)) {
    return NextTradingDay(time.action_day, holidays);
  }
  return time.action_day;
}

}  // namespace simtrader
