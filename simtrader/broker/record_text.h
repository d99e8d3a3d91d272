// Text in the vendor's fixed-size record fields, and the clock as records show it.
#ifndef SIMTRADER_BROKER_RECORD_TEXT_H
#define SIMTRADER_BROKER_RECORD_TEXT_H

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace simtrader {

// Writes the whole field: the text, cut to leave room for the NUL the vendor relies on, then
// NULs, so that no byte of an earlier value stays behind.
template <std::size_t N>
void SetText(char (&field)[N], std::string_view text) {
  const std::size_t size = std::min(text.size(), N - 1);
  std::memcpy(field, text.data(), size);
  std::memset(field + size, 0, N - size);
}

// A field's text up to its NUL. A client may fill a field to the brim without one, so the
// field's size bounds the read.
template <std::size_t N>
std::string TextOf(const char (&field)[N]) {
  return std::string(field, strnlen(field, N));
}

// Without the spaces around it: exchanges pad their numbers, clients often strip them.
std::string_view Trimmed(std::string_view text);

// A number as exchanges write their order and trade numbers: right-aligned in 12 characters
// ("       12345").
std::string ExchangeNumber(long long number);

// The local date as "YYYYMMDD" (the day before, with days_back 1) and time as "HH:MM:SS".
std::string LocalDate(int days_back = 0);
std::string LocalTime();

}  // namespace simtrader

#endif
