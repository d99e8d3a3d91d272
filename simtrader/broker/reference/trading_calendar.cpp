#include "broker/reference/trading_calendar.h"

#include <cstdio>
#include <ctime>

namespace simtrader {

namespace {

int TwoDigits(const std::string &text, std::size_t at) {
  return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

// The date as a calendar day at noon UTC (far from any day boundary), or false when `day`
// is not a date written YYYYMMDD.
bool ParseDayOnce(const std::string &day, std::tm &date) {
  if (day.size() != 8) return false;
  for (const char digit : day) {
    if (digit < '0' || digit > '9') return false;
  }
  date = std::tm{};
  date.tm_year = TwoDigits(day, 0) * 100 + TwoDigits(day, 2) - 1900;
  date.tm_mon = TwoDigits(day, 4) - 1;
  date.tm_mday = TwoDigits(day, 6);
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

// ParseDayOnce, remembering the last day it was asked: a replay's ticks ask the same day
// thousands of times in a row.
bool ParseDay(const std::string &day, std::tm &date) {
  thread_local std::string last_day;
  thread_local std::tm last_date{};
  thread_local bool last_valid = false;
  if (day != last_day) {
    last_valid = ParseDayOnce(day, last_date);
    last_day = day;
  }
  if (last_valid) date = last_date;
  return last_valid;
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

bool InNightSession(const MarketTime &time) {
  const int hour = time.update_time.size() >= 2 ? TwoDigits(time.update_time, 0) : 0;
  return hour >= kNightSessionFromHour;
}

std::string TradingDayOf(const MarketTime &time, const Holidays &holidays) {
  if (InNightSession(time) || !IsTradingDay(time.action_day, holidays)) {
    return NextTradingDay(time.action_day, holidays);
  }
  return time.action_day;
}

}  // namespace simtrader
