#include "replay/tick_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <stdexcept>
#include <string_view>
#include <system_error>

namespace simtrader {

namespace {

constexpr int kAbsent = -1;

// The Python reader reads a line with readline(1 << 20) and refuses one that fills the limit
// without its line end; a \r\n cut by the limit would even split into two lines there. A
// line whose text and both ending characters fit is safe from both.
constexpr std::size_t kLongestLine = (std::size_t{1} << 20) - 2;
// The csv module's default field_size_limit: a longer cell is an error there.
constexpr std::size_t kLongestCell = 131072;
// int() of a longer digit string may fail on the interpreter's digit limit, which cannot be
// set below this.
constexpr std::size_t kLongestCount = 640;

enum ByteClass : unsigned char { kText, kComma, kCarriageReturn, kLineFeed, kUnsure };

// Printable ASCII but the quote, which the csv module would read as the start of a quoted
// cell; a NUL, a tab and any byte of a multibyte character are left to the Python reader.
constexpr std::array<unsigned char, 256> kByteClasses = [] {
  std::array<unsigned char, 256> classes{};
  for (int byte = 0; byte < 256; ++byte) {
    classes[byte] = byte >= 0x20 && byte <= 0x7E && byte != '"' ? kText : kUnsure;
  }
  classes[','] = kComma;
  classes['\r'] = kCarriageReturn;
  classes['\n'] = kLineFeed;
  return classes;
}();

constexpr std::uint64_t kEveryByte = 0x0101010101010101;
constexpr std::uint64_t kHighBits = kEveryByte * 0x80, kLowBits = kEveryByte * 0x7F;

// The high bit of each zero byte of `word`; exact, as no sum carries into the next byte.
std::uint64_t ZeroBytes(std::uint64_t word) {
  return ~(((word & kLowBits) + kLowBits) | word) & kHighBits;
}

// The high bit of each byte of `word` that is not kText: below 0x20, 0x7F and above, a comma
// or a quote. Plain text goes eight bytes at a step.
std::uint64_t SpecialBytes(std::uint64_t word) {
  const std::uint64_t low = word & kLowBits;
  const std::uint64_t control = ~(low + kEveryByte * (0x80 - 0x20)) & kHighBits;
  const std::uint64_t high = ((low + kEveryByte) | word) & kHighBits;
  return control | high | ZeroBytes(word ^ (kEveryByte * ',')) |
         ZeroBytes(word ^ (kEveryByte * '"'));
}

// Eight bytes of text, the first in the low byte, so that the lowest flag is the first.
std::uint64_t LoadWord(const char *text) {
  std::uint64_t word;
  std::memcpy(&word, text, sizeof word);
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
  word = __builtin_bswap64(word);
#endif
  return word;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(std::string_view text) {
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

// The number `count` digits at `text` write; false at a character that is not a digit.
bool ReadDigits(const char *text, std::size_t count, int &value) {
  value = 0;
  for (std::size_t index = 0; index < count; ++index) {
    const unsigned digit = static_cast<unsigned char>(text[index]) - unsigned{'0'};
    if (digit > 9) return false;
    value = value * 10 + static_cast<int>(digit);
  }
  return true;
}

// Powers of ten a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A price as digits with perhaps a point and more digits: the one form in which Python's
// float() and std::from_chars agree, both correctly rounded. A number too large or too small
// for a double is left to the Python reader.
bool ParsePrice(std::string_view cell, double &price) {
  const char *at = cell.data(), *const end = at + cell.size();
  // Wraps past 19 digits, when only the slow path reads the number.
  std::uint64_t digits = 0;
  auto read_digits = [&] {
    const char *from = at;
    for (; at != end && IsDigit(*at); ++at) digits = digits * 10 + static_cast<unsigned>(*at - '0');
    return static_cast<std::size_t>(at - from);
  };
  const std::size_t whole = read_digits();
  std::size_t decimals = 0;
  if (at != end && *at == '.') {
    ++at;
    decimals = read_digits();
  }
  if (at != end || whole + decimals == 0) return false;
  // Both terms exact, their quotient is correctly rounded: the value from_chars would give.
  if (whole + decimals <= 19 && digits <= std::uint64_t{1} << 53 &&
      decimals < std::size(kExactPowersOfTen)) {
    price = static_cast<double>(digits) / kExactPowersOfTen[decimals];
    return true;
  }
  auto [parsed_to, error] = std::from_chars(cell.data(), end, price);
  return error == std::errc() && parsed_to == end;
}

// A count of lots as plain digits, as the library's int holds it.
bool ParseLots(std::string_view cell, int &lots) {
  if (cell.empty() || cell.size() > kLongestCount || !AllDigits(cell)) return false;
  long long value = 0;
  for (char c : cell) {
    value = value * 10 + (c - '0');
    if (value > INT_MAX) return false;
  }
  lots = static_cast<int>(value);
  return true;
}

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// YYYY-MM-DD, T or a space, HH:MM:SS, then perhaps a point and 1 to 9 digits of a second, of
// which the microseconds count; a date the calendar has and a time of the day. (A comma before
// the fraction, which Python takes too, would have split the cell.)
bool ParseTime(std::string_view cell, TickRow &row) {
  constexpr std::size_t kWhole = 19;  // the length without a fraction
  if (cell.size() < kWhole || cell.size() == kWhole + 1 || cell.size() > kWhole + 10) {
    return false;
  }
  const char *text = cell.data();
  // Read as it is checked: a row declined leaves what it set to no one.
  if (!(ReadDigits(text, 4, row.year) && text[4] == '-' && ReadDigits(text + 5, 2, row.month) &&
        text[7] == '-' && ReadDigits(text + 8, 2, row.day) &&
        (text[10] == 'T' || text[10] == ' ') && ReadDigits(text + 11, 2, row.hour) &&
        text[13] == ':' && ReadDigits(text + 14, 2, row.minute) && text[16] == ':' &&
        ReadDigits(text + 17, 2, row.second))) {
    return false;
  }
  std::string_view fraction;
  if (cell.size() > kWhole) {
    if (text[kWhole] != '.') return false;
    fraction = cell.substr(kWhole + 1);
    if (!AllDigits(fraction)) return false;
  }
  row.microsecond = 0;
  for (std::size_t index = 0; index < 6; ++index) {
    row.microsecond = row.microsecond * 10 + (index < fraction.size() ? fraction[index] - '0' : 0);
  }
  return row.year >= 1 && row.month >= 1 && row.month <= 12 && row.day >= 1 &&
         row.day <= DaysInMonth(row.year, row.month) && row.hour <= 23 && row.minute <= 59 &&
         row.second <= 59;
}

// The exchange's figures: an empty cell (or no column) is one the recording does not have.
template <typename Number, typename Parse>
bool ParseFigure(std::string_view cell, std::optional<Number> &figure, Parse parse) {
  figure.reset();
  if (cell.empty()) return true;
  Number value;
  if (!parse(cell, value)) return false;
  figure = value;
  return true;
}

}  // namespace

TickFile::TickFile(const std::string &path, const std::vector<std::string> &header,
                   long long header_lines, std::size_t block_size)
    : TickFile(OpenForReading(path), header, header_lines, block_size) {}

TickFile::TickFile(int fd, const std::vector<std::string> &header, long long header_lines,
                   std::size_t block_size)
    : fd_(fd), block_size_(block_size == 0 ? 1 : block_size) {
  // Room for the longest line this reader takes, its line end and one more read.
  buffer_.resize(kLongestLine + 2 + block_size_);
  MapHeader(header);
  SkipHeader(header_lines);
}

TickFile::~TickFile() { ::close(fd_); }

void TickFile::MapHeader(const std::vector<std::string> &header) {
  columns_ = Columns{};
  struct Named {
    std::string name;
    int *column;
    bool required;
  };
  std::vector<Named> named = {
      {"time", &columns_.time, true},
      {"instrument_id", &columns_.instrument, true},
      {"last", &columns_.last, true},
      {"bid", &columns_.bid, true},
      {"ask", &columns_.ask, true},
      {"bid_volume", &columns_.bid_volume, true},
      {"ask_volume", &columns_.ask_volume, true},
      {"volume", &columns_.volume, false},
      {"turnover", &columns_.turnover, false},
      {"open_interest", &columns_.open_interest, false},
  };
  const std::size_t depth_from = named.size();
  static constexpr const char *kSides[] = {"bid", "ask"};
  for (int side = 0; side < 2; ++side) {
    for (int level = 0; level < 4; ++level) {
      std::string number = std::to_string(level + 2);
      LevelColumns &columns = columns_.depth[side][level];
      named.push_back({kSides[side] + number, &columns.price, false});
      named.push_back({kSides[side] + std::string("_volume") + number, &columns.volume, false});
    }
  }
  for (Named &column : named) *column.column = kAbsent;
  column_count_ = static_cast<int>(header.size());
  cell_starts_.assign(header.size() + 1, 0);
  // A header the Python reader refuses (a column missing, or named twice) never reaches a
  // replay; should one come here, every row is left to the Python reader.
  header_usable_ = true;
  for (int index = 0; index < column_count_; ++index) {
    for (Named &column : named) {
      if (header[index] != column.name) continue;
      if (*column.column != kAbsent) header_usable_ = false;
      *column.column = index;
    }
  }
  has_depth_ = false;
  for (std::size_t index = 0; index < named.size(); ++index) {
    if (named[index].required && *named[index].column == kAbsent) header_usable_ = false;
    if (index >= depth_from && *named[index].column != kAbsent) has_depth_ = true;
  }
}

// Compacts the bytes not yet taken to the front of the buffer and reads one block after
// them; false at the end of the file or on an error.
int TickFile::OpenForReading(const std::string &path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    throw std::runtime_error("cannot open the tick file " + path + ": " + std::strerror(errno));
  }
  return fd;
}

bool TickFile::Fill() {
  if (at_end_ || failed_) return false;
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    buffer_offset_ += static_cast<long long>(begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  std::size_t room = std::min(block_size_, buffer_.size() - end_);
  for (;;) {
    // At its own offset: the descriptor may be shared with the Python reader of the file.
    ssize_t count =
        ::pread(fd_, buffer_.data() + end_, room, buffer_offset_ + static_cast<long long>(end_));
    if (count > 0) {
      end_ += static_cast<std::size_t>(count);
      return true;
    }
    if (count == 0) {
      at_end_ = true;
      return false;
    }
    if (errno != EINTR) {
      failed_ = true;
      return false;
    }
  }
}

void TickFile::SkipHeader(long long lines) {
  bool partial = false;  // whether bytes of the line being skipped were dropped already
  while (lines_read_ < lines) {
    std::size_t at = begin_;
    // A header line may be longer than the buffer: what is scanned is dropped as it goes.
    while (at < end_ && buffer_[at] != '\n' && buffer_[at] != '\r') ++at;
    if (at == end_) {
      partial = partial || at > begin_;
      begin_ = end_;
      if (!Fill()) {
        if (partial) ++lines_read_;  // the file ends in the header's last, unended line
        return;
      }
      continue;
    }
    if (buffer_[at] == '\r' && at + 1 == end_) {  // a \n may follow in the next block
      begin_ = at;
      Fill();
      at = begin_;
    }
    begin_ = at + 1 + (buffer_[at] == '\r' && at + 1 < end_ && buffer_[at + 1] == '\n');
    ++lines_read_;
    partial = false;
  }
}

// Finds the end of the line at begin_, checking its bytes and noting where its cells begin on
// the way; Unsure as soon as the line is one this reader does not take.
TickFile::Scan TickFile::ScanLine(std::size_t &length, std::size_t &ending) {
  const std::size_t columns = static_cast<std::size_t>(column_count_);
  std::size_t cells = 1;  // cell_starts_[0] is 0
  std::size_t at = 0;
  for (;;) {
    const char *line = buffer_.data() + begin_;
    const std::size_t scan_to = std::min(end_ - begin_, kLongestLine + 1);
    while (at < scan_to) {
      // Eight bytes at a step, their commas noted without leaving the word.
      if (at + 8 <= scan_to) {
        std::uint64_t special = SpecialBytes(LoadWord(line + at));
        for (; special != 0; special &= special - 1) {
          const std::size_t comma = at + static_cast<std::size_t>(__builtin_ctzll(special)) / 8;
          if (line[comma] != ',') break;
          if (cells == columns || comma - cell_starts_[cells - 1] > kLongestCell) {
            return Scan::Unsure;
          }
          cell_starts_[cells++] = comma + 1;
        }
        if (special == 0) {
          at += 8;
          continue;
        }
        at += static_cast<std::size_t>(__builtin_ctzll(special)) / 8;
      }
      switch (kByteClasses[static_cast<unsigned char>(line[at])]) {
        case kText:
          ++at;
          continue;
        case kComma:
          if (cells == columns || at - cell_starts_[cells - 1] > kLongestCell) return Scan::Unsure;
          cell_starts_[cells++] = ++at;
          continue;
        case kLineFeed:
          ending = 1;
          break;
        case kCarriageReturn:
          if (begin_ + at + 1 == end_) {
            Fill();
            if (failed_) return Scan::Unsure;
            line = buffer_.data() + begin_;
          }
          ending = begin_ + at + 1 < end_ && line[at + 1] == '\n' ? 2 : 1;
          break;
        default:
          return Scan::Unsure;
      }
      length = at;
      return Finish(cells, length);
    }
    if (at > kLongestLine) return Scan::Unsure;
    if (!Fill()) {
      if (failed_) return Scan::Unsure;
      length = at;
      ending = 0;
      return at == 0 ? Scan::End : Finish(cells, length);
    }
  }
}

// The line's last cell ends where the line does; a line of another count of cells is not a row.
TickFile::Scan TickFile::Finish(std::size_t cells, std::size_t length) {
  if (length == 0) return Scan::Line;  // a blank line, no row at all
  if (cells != static_cast<std::size_t>(column_count_) ||
      length - cell_starts_[cells - 1] > kLongestCell) {
    return Scan::Unsure;
  }
  cell_starts_[cells] = length + 1;  // as if a comma followed
  return Scan::Line;
}

bool TickFile::ParseRow(const char *line, TickRow &row) const {
  auto cell = [&](int column) -> std::string_view {
    if (column == kAbsent) return {};
    return {line + cell_starts_[column], cell_starts_[column + 1] - 1 - cell_starts_[column]};
  };
  std::string_view instrument = cell(columns_.instrument);
  if (instrument.empty()) return false;
  for (char c : instrument) {
    if (c == ' ') return false;
  }
  if (!ParseTime(cell(columns_.time), row) || !ParsePrice(cell(columns_.last), row.last) ||
      !ParsePrice(cell(columns_.bid), row.bid) || !ParsePrice(cell(columns_.ask), row.ask) ||
      !ParseLots(cell(columns_.bid_volume), row.bid_volume) ||
      !ParseLots(cell(columns_.ask_volume), row.ask_volume) ||
      !ParseFigure(cell(columns_.volume), row.volume, ParseLots) ||
      !ParseFigure(cell(columns_.turnover), row.turnover, ParsePrice) ||
      !ParseFigure(cell(columns_.open_interest), row.open_interest, ParsePrice)) {
    return false;
  }
  row.has_depth = has_depth_;
  row.bids.clear();
  row.asks.clear();
  if (has_depth_) {
    const std::pair<double, int> firsts[] = {{row.bid, row.bid_volume}, {row.ask, row.ask_volume}};
    std::vector<std::pair<double, int>> *sides[] = {&row.bids, &row.asks};
    for (int side = 0; side < 2; ++side) {
      std::vector<std::pair<double, int>> &levels = *sides[side];
      bool gap = !(firsts[side].first > 0);
      if (!gap) levels.push_back(firsts[side]);
      for (const LevelColumns &columns : columns_.depth[side]) {
        std::string_view price_cell = cell(columns.price), volume_cell = cell(columns.volume);
        if (price_cell.empty() != volume_cell.empty()) return false;
        if (price_cell.empty()) {
          gap = true;
          continue;
        }
        double price;
        int lots;
        if (!ParsePrice(price_cell, price)) return false;
        // A level priced 0 is none, whatever its lots (recorders write "0,0" for an empty
        // level); one after a gap is for the Python reader to judge.
        if (!(price > 0)) {
          gap = true;
          continue;
        }
        if (gap || !ParseLots(volume_cell, lots)) return false;
        levels.emplace_back(price, lots);
      }
    }
  }
  row.instrument.assign(instrument.data(), instrument.size());
  return true;
}

TickFile::Read TickFile::Decline() {
  declined_ = true;
  line_ = lines_read_ + 1;
  offset_ = buffer_offset_ + static_cast<long long>(begin_);
  return Read::Decline;
}

TickFile::Read TickFile::Next(TickRow &row) {
  if (declined_) return Read::Decline;
  if (!header_usable_) return Decline();
  for (;;) {
    std::size_t length = 0, ending = 0;
    Scan scan = ScanLine(length, ending);
    if (scan == Scan::Unsure) return Decline();
    if (scan == Scan::End) {
      offset_ = buffer_offset_ + static_cast<long long>(begin_);
      return Read::End;
    }
    if (length == 0) {  // a blank line, which the csv module reads as no row
      begin_ += ending;
      ++lines_read_;
      continue;
    }
    if (!ParseRow(buffer_.data() + begin_, row)) return Decline();
    line_ = lines_read_ + 1;
    offset_ = buffer_offset_ + static_cast<long long>(begin_);
    begin_ += length + ending;
    ++lines_read_;
    return Read::Row;
  }
}

}  // namespace simtrader
