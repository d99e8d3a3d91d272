#include "broker/record_text.h"

#include <cstdio>
#include <ctime>

namespace simtrader {

namespace {

std::string FormatLocal(std::time_t when, const char *format) {
  std::tm local{};
  localtime_r(&when, &local);
  char text[16];
  if (std::strftime(text, sizeof text, format, &local) == 0) return "";
  return text;
}

}  // namespace

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string ExchangeNumber(long long number) {
  char text[32];
  std::snprintf(text, sizeof text, "%12lld", number);
  return text;
}

std::string LocalDate(int days_back) {
  return FormatLocal(std::time(nullptr) - static_cast<std::time_t>(days_back) * 24 * 3600,
                     "%Y%m%d");
}

std::string LocalTime() { return FormatLocal(std::time(nullptr), "%H:%M:%S"); }

}  // namespace simtrader
