#include "broker/reference/trading_hours.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <utility>

#include "broker/reference/trading_calendar.h"

namespace simtrader {

namespace {

constexpr int kMinutesADay = 24 * 60;
// The clock time a trading day begins at.
constexpr int kTradingDayBegins = kNightSessionFromHour * 60;
// Until 03:00 (nine hours in) the trading day is the night of its evening, which trades if
// the evening's date is a trading day; from then on it is its own date's day. No exchange's
// night session runs this late.
constexpr int kDayPartBegins = 9 * 60;
constexpr int kAuctionOrderingMinutes = 4;
constexpr int kAuctionMatchMinutes = 1;

// The minutes into the trading day of a clock time.
constexpr int IntoTradingDay(int hour, int minute) {
  return (hour * 60 + minute - kTradingDayBegins + kMinutesADay) % kMinutesADay;
}

constexpr SessionSpan Span(int open_hour, int open_minute, int close_hour, int close_minute) {
  return SessionSpan{IntoTradingDay(open_hour, open_minute),
                     IntoTradingDay(close_hour, close_minute)};
}

// The commodity exchanges' day session with its two breaks.
const SessionSpan kCommodityDay[] = {Span(9, 0, 10, 15), Span(10, 30, 11, 30), Span(13, 30, 15, 0)};

ProductHours Commodity(std::vector<SessionSpan> night) {
  ProductHours hours;
  hours.sessions = std::move(night);
  hours.sessions.insert(hours.sessions.end(), std::begin(kCommodityDay), std::end(kCommodityDay));
  hours.opening_auction = true;
  return hours;
}

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
long long DaysFromCivil(int year, int month, int day) {
  year -= month <= 2;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const int year_of_era = static_cast<int>(year - era * 400);
  const int day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

std::string CivilFromDays(long long days) {
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const int day_of_era = static_cast<int>(days - era * 146097);
  const int year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const int day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const int shifted_month = (5 * day_of_year + 2) / 153;
  const int day = day_of_year - (153 * shifted_month + 2) / 5 + 1;
  const int month = shifted_month < 10 ? shifted_month + 3 : shifted_month - 9;
  const long long year = year_of_era + era * 400 + (month <= 2);
  char text[64];
  std::snprintf(text, sizeof text, "%04lld%02d%02d", year, month, day);
  return text;
}

int Digits(const std::string &text, std::size_t at, std::size_t count) {
  int value = 0;
  for (std::size_t index = at; index < at + count; ++index) {
    if (index >= text.size() || text[index] < '0' || text[index] > '9') return -1;
    value = value * 10 + (text[index] - '0');
  }
  return value;
}

// The minute of a market time, since 1970-01-01 00:00 exchange time; -1 for one that is not.
long long MinuteOf(const MarketTime &time) {
  const int year = Digits(time.action_day, 0, 4);
  const int month = Digits(time.action_day, 4, 2);
  const int day = Digits(time.action_day, 6, 2);
  const int hour = Digits(time.update_time, 0, 2);
  const int minute = Digits(time.update_time, 3, 2);
  if (year < 0 || month < 1 || day < 1 || hour < 0 || minute < 0) return -1;
  return DaysFromCivil(year, month, day) * kMinutesADay + hour * 60 + minute;
}

std::string ClockText(long long minute) {
  const int of_day = static_cast<int>(((minute % kMinutesADay) + kMinutesADay) % kMinutesADay);
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:00", of_day / 60, of_day % 60);
  return text;
}

std::invalid_argument SessionError(const std::string &part, const std::string &what) {
  return std::invalid_argument("the session '" + part + "' " + what);
}

// "HH:MM" as minutes into the trading day.
int ParseClock(const std::string &text, const std::string &session) {
  const int hour = Digits(text, 0, 2);
  const int minute = Digits(text, 3, 2);
  if (text.size() != 5 || text[2] != ':' || hour < 0 || hour > 23 || minute < 0 || minute > 59) {
    throw SessionError(session, "has '" + text + "', which is not a time HH:MM");
  }
  return IntoTradingDay(hour, minute);
}

}  // namespace

TradingHours ExchangeTradingHours() {
  const std::vector<SessionSpan> to_23_00{Span(21, 0, 23, 0)};
  const std::vector<SessionSpan> to_01_00{Span(21, 0, 1, 0)};
  const std::vector<SessionSpan> to_02_30{Span(21, 0, 2, 30)};
  TradingHours hours;
  for (const char *product : {"rb", "m", "i", "SR", "TA"}) hours[product] = Commodity(to_23_00);
  hours["cu"] = Commodity(to_01_00);
  for (const char *product : {"au", "sc"}) hours[product] = Commodity(to_02_30);
  for (const char *product : {"si", "lc"}) hours[product] = Commodity({});
  ProductHours index_futures;
  index_futures.sessions = {Span(9, 30, 11, 30), Span(13, 0, 15, 0)};
  index_futures.opening_auction = true;
  for (const char *product : {"IF", "IC"}) hours[product] = index_futures;
  return hours;
}

ProductHours ParseSessions(const std::string &text) {
  ProductHours hours;
  std::size_t at = 0;
  while (at <= text.size()) {
    std::size_t end = text.find(',', at);
    if (end == std::string::npos) end = text.size();
    const std::string part = text.substr(at, end - at);
    const std::size_t dash = part.find('-');
    if (dash == std::string::npos) throw SessionError(part, "is not written HH:MM-HH:MM");
    SessionSpan span{ParseClock(part.substr(0, dash), part),
                     ParseClock(part.substr(dash + 1), part)};
    // A session up to 18:00 ends with its trading day.
    if (span.close == 0) span.close = kMinutesADay;
    if (span.close <= span.open) {
      throw SessionError(part, "is empty or crosses 18:00, where a trading day begins");
    }
    hours.sessions.push_back(span);
    at = end + 1;
  }
  std::sort(hours.sessions.begin(), hours.sessions.end(),
            [](const SessionSpan &a, const SessionSpan &b) { return a.open < b.open; });
  for (std::size_t index = 1; index < hours.sessions.size(); ++index) {
    if (hours.sessions[index].open < hours.sessions[index - 1].close) {
      throw std::invalid_argument("the sessions '" + text + "' overlap");
    }
  }
  return hours;
}

SessionBoard::SessionBoard(TradingHours hours, Holidays holidays)
    : hours_(std::move(hours)), holidays_(std::move(holidays)) {
  for (const auto &[id, product_hours] : hours_) {
    Product &product = products_[id];
    product.starts.emplace_back(0, THOST_FTDC_IS_BeforeTrading);
    const std::vector<SessionSpan> &sessions = product_hours.sessions;
    if (sessions.empty()) continue;
    if (product_hours.opening_auction) {
      const int open = sessions.front().open;
      product.starts.emplace_back(open - kAuctionOrderingMinutes - kAuctionMatchMinutes,
                                  THOST_FTDC_IS_AuctionOrdering);
      product.starts.emplace_back(open - kAuctionMatchMinutes, THOST_FTDC_IS_AuctionMatch);
    }
    for (std::size_t index = 0; index < sessions.size(); ++index) {
      product.starts.emplace_back(sessions[index].open, THOST_FTDC_IS_Continous);
      const bool last = index + 1 == sessions.size();
      product.starts.emplace_back(sessions[index].close,
                                  last ? THOST_FTDC_IS_Closed : THOST_FTDC_IS_NoTrading);
    }
  }
}

SessionBoard::Stretch SessionBoard::StretchAt(const Product &product, long long minute) const {
  const int into_day =
      static_cast<int>(((minute - kTradingDayBegins) % kMinutesADay + kMinutesADay) % kMinutesADay);
  const long long day_begins = minute - into_day;
  // The night belongs to the evening's date, the rest to the day's own.
  const bool night = into_day < kDayPartBegins;
  const int part_from = night ? 0 : kDayPartBegins;
  const int part_until = night ? kDayPartBegins : kMinutesADay;
  const std::string date =
      CivilFromDays((night ? day_begins : day_begins + kMinutesADay) / kMinutesADay);
  const bool trades = IsTradingDay(date, holidays_) &&
                      (!night || NextTradingDay(date, holidays_) == NextTradingDay(date));
  Stretch stretch;
  if (!trades) {
    stretch.status = THOST_FTDC_IS_Closed;
    stretch.from = day_begins + part_from;
    stretch.until = day_begins + part_until;
    return stretch;
  }
  std::size_t index = 0;
  while (index + 1 < product.starts.size() && product.starts[index + 1].first <= into_day) ++index;
  const int until =
      index + 1 < product.starts.size() ? product.starts[index + 1].first : kMinutesADay;
  stretch.status = product.starts[index].second;
  stretch.from = day_begins + std::max(product.starts[index].first, part_from);
  stretch.until = day_begins + std::min(until, part_until);
  return stretch;
}

std::vector<SessionBoard::Change> SessionBoard::MoveTo(const MarketTime &now) {
  std::vector<Change> changes;
  const long long minute = MinuteOf(now);
  if (minute < 0 || (minute >= from_ && minute < until_)) return changes;
  from_ = minute - kMinutesADay;
  until_ = minute + kMinutesADay;
  for (auto &[id, product] : products_) {
    if (!product.known || minute < product.now.from || minute >= product.now.until) {
      const Stretch stretch = StretchAt(product, minute);
      if (!product.known || stretch.status != product.now.status) {
        changes.push_back(Change{id, stretch.status, ClockText(stretch.from)});
      }
      product.now = stretch;
      product.known = true;
    }
    from_ = std::max(from_, product.now.from);
    until_ = std::min(until_, product.now.until);
  }
  return changes;
}

void SessionBoard::Forget() {
  for (auto &[id, product] : products_) product.known = false;
  from_ = until_ = 0;
}

TThostFtdcInstrumentStatusType SessionBoard::StatusOf(const std::string &product) const {
  auto found = products_.find(product);
  return found == products_.end() ? THOST_FTDC_IS_Continous : found->second.now.status;
}

}  // namespace simtrader
