// The fast reader of tick files: what the rows it takes hold, how it numbers lines and finds
// rows whatever the line ends and the reads, and the rows it leaves to the Python reader.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <ostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "replay/tick_file.h"

namespace {

using simtrader::TickFile;
using simtrader::TickRow;
using Read = TickFile::Read;
using Levels = std::vector<std::pair<double, int>>;

const std::vector<std::string> kColumns = {"time", "instrument_id", "last",      "bid",
                                           "ask",  "bid_volume",    "ask_volume"};
const std::string kPlain = "2024-01-02 09:30:00,IF2401,3200,3199.8,3200.2,5,6";

class TempFile {
 public:
  explicit TempFile(const std::string &text) : path_(testing::TempDir() + "ticks_XXXXXX") {
    int fd = mkstemp(path_.data());
    if (fd < 0 || write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
      throw std::runtime_error("cannot write " + path_);
    }
    close(fd);
  }
  ~TempFile() { unlink(path_.c_str()); }
  const std::string &path() const { return path_; }

 private:
  std::string path_;
};

std::string Join(const std::vector<std::string> &cells) {
  std::string line;
  for (const std::string &cell : cells) line += (line.empty() ? "" : ",") + cell;
  return line;
}

// The one row of a file of `header` (one line) and `line`, as the reader takes it.
std::optional<TickRow> ReadOne(const std::vector<std::string> &header, const std::string &line) {
  TempFile file(Join(header) + "\n" + line + "\n");
  TickFile ticks(file.path(), header, 1);
  TickRow row;
  if (ticks.Next(row) != Read::Row) return std::nullopt;
  EXPECT_EQ(ticks.Next(row), Read::End);
  return row;
}

TEST(TickFile, ReadsEveryCellOfARow) {
  std::vector<std::string> header = kColumns;
  header.insert(header.begin() + 2, "note");
  for (const char *figure : {"volume", "turnover", "open_interest"}) header.push_back(figure);
  auto row = ReadOne(header,
                     "2024-02-29T23:59:58.25,IF2403,any \\ text!,3512.,.5,3512.6,007,"
                     "2147483647,104520,36789012345.5,123456");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->instrument, "IF2403");
  EXPECT_EQ(std::make_tuple(row->year, row->month, row->day, row->hour, row->minute, row->second,
                            row->microsecond),
            std::make_tuple(2024, 2, 29, 23, 59, 58, 250000));
  EXPECT_EQ(std::make_tuple(row->last, row->bid, row->ask, row->bid_volume, row->ask_volume),
            std::make_tuple(3512.0, 0.5, 3512.6, 7, 2147483647));
  EXPECT_EQ(row->volume, 104520);
  EXPECT_EQ(row->turnover, 36789012345.5);
  EXPECT_EQ(row->open_interest, 123456.0);
  EXPECT_FALSE(row->has_depth);
  EXPECT_TRUE(row->bids.empty() && row->asks.empty());
}

class Fraction : public testing::TestWithParam<std::pair<const char *, int>> {};

TEST_P(Fraction, CountsWholeMicroseconds) {
  auto row = ReadOne(kColumns, std::string("2024-01-02 09:30:05") + GetParam().first +
                                   ",IF2401,3200,3199.8,3200.2,5,6");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->second, 5);
  EXPECT_EQ(row->microsecond, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(TickFile, Fraction,
                         testing::Values(std::make_pair("", 0), std::make_pair(".5", 500000),
                                         std::make_pair(".1234567", 123456),
                                         std::make_pair(".000001", 1),
                                         std::make_pair(".999999999", 999999)));

TEST(TickFile, FiguresEmptyOrWithoutColumnAreNone) {
  std::vector<std::string> header = kColumns;
  for (const char *figure : {"volume", "turnover", "open_interest"}) header.push_back(figure);
  for (auto row : {ReadOne(header, kPlain + ",,,"), ReadOne(kColumns, kPlain)}) {
    ASSERT_TRUE(row);
    EXPECT_FALSE(row->volume || row->turnover || row->open_interest);
  }
}

struct DepthCase {
  const char *name;
  std::string firsts;  // bid, ask, bid_volume, ask_volume
  std::string depth;   // bid2, bid_volume2, bid3, bid_volume3, ask2, ask_volume2
  Levels bids, asks;
};

class Depth : public testing::TestWithParam<DepthCase> {};

// Depth columns in part: the absent ones count as empty cells.
TEST_P(Depth, ListsEachSidesLevelsBestFirst) {
  std::vector<std::string> header = kColumns;
  for (const char *name : {"bid2", "bid_volume2", "bid3", "bid_volume3", "ask2", "ask_volume2"}) {
    header.push_back(name);
  }
  auto row = ReadOne(
      header, "2024-01-02 09:30:00,IF2401,3200," + GetParam().firsts + "," + GetParam().depth);
  ASSERT_TRUE(row);
  EXPECT_TRUE(row->has_depth);
  EXPECT_EQ(row->bids, GetParam().bids);
  EXPECT_EQ(row->asks, GetParam().asks);
}

INSTANTIATE_TEST_SUITE_P(
    TickFile, Depth,
    testing::Values(DepthCase{"Full", "3199.8,3200.2,5,6", "3199.6,4,3199.4,3,3200.4,8",
                              Levels{{3199.8, 5}, {3199.6, 4}, {3199.4, 3}},
                              Levels{{3200.2, 6}, {3200.4, 8}}},
                    DepthCase{"Thin", "3199.8,3200.2,5,6", "3199.6,4,,,,",
                              Levels{{3199.8, 5}, {3199.6, 4}}, Levels{{3200.2, 6}}},
                    DepthCase{"EmptySide", "0,3200.2,0,6", ",,,,,", Levels{}, Levels{{3200.2, 6}}}),
    [](const auto &info) { return info.param.name; });

// A header over two lines (a quoted cell holding a line end), rows between blank lines, in
// every line end, with or without one after the last row, read in blocks of any size.
class LineEnds : public testing::TestWithParam<std::tuple<const char *, std::size_t, bool>> {};

TEST_P(LineEnds, NumberRowsAsAnEditorNumbersLines) {
  const auto [end, block, final_end] = GetParam();
  const std::string eol = end;
  std::vector<std::string> header = kColumns;
  header.push_back("a" + eol + "note");
  const std::string head = Join(kColumns) + ",\"a" + eol + "note\"" + eol;
  const std::string first = "2024-01-02 09:30:00,IF2401,3200,3199.8,3200.2,5,6,x";
  const std::string second = "2024-01-02 09:30:01,IF2401,3201,3199.8,3200.2,5,6,y";
  TempFile file(head + first + eol + eol + eol + second + (final_end ? eol : ""));
  TickFile ticks(file.path(), header, 2, block);
  TickRow row;
  ASSERT_EQ(ticks.Next(row), Read::Row);
  EXPECT_EQ(std::make_tuple(ticks.line(), ticks.offset(), row.last),
            std::make_tuple(3LL, static_cast<long long>(head.size()), 3200.0));
  ASSERT_EQ(ticks.Next(row), Read::Row);
  EXPECT_EQ(
      std::make_tuple(ticks.line(), ticks.offset(), row.last, row.second),
      std::make_tuple(6LL, static_cast<long long>(head.size() + first.size() + 3 * eol.size()),
                      3201.0, 1));
  EXPECT_EQ(ticks.Next(row), Read::End);
  EXPECT_EQ(ticks.lines_read(), 6);
}

INSTANTIATE_TEST_SUITE_P(TickFile, LineEnds,
                         testing::Combine(testing::Values("\n", "\r\n", "\r"),
                                          testing::Values(1, 2, 3, std::size_t{1} << 20),
                                          testing::Bool()));

// The rows declined, each as the third line of a file, after a row taken and a blank line.
const std::vector<std::string> kDeclineHeader = {
    "time",       "instrument_id", "last",   "bid",         "ask",
    "bid_volume", "ask_volume",    "volume", "turnover",    "open_interest",
    "bid2",       "bid_volume2",   "bid3",   "bid_volume3", "note"};
const std::map<std::string, std::string> kDeclineRow = {{"time", "2024-01-02 09:30:00"},
                                                        {"instrument_id", "IF2401"},
                                                        {"last", "3200"},
                                                        {"bid", "3199.8"},
                                                        {"ask", "3200.2"},
                                                        {"bid_volume", "5"},
                                                        {"ask_volume", "6"},
                                                        {"volume", "100"},
                                                        {"turnover", "320000.5"},
                                                        {"open_interest", "7000"},
                                                        {"bid2", "3199.6"},
                                                        {"bid_volume2", "3"},
                                                        {"bid3", ""},
                                                        {"bid_volume3", ""},
                                                        {"note", "free text"}};

struct DeclineCase {
  std::string line;
};

void PrintTo(const DeclineCase &decline, std::ostream *out) {
  *out << testing::PrintToString(decline.line.substr(0, 120));
}

DeclineCase With(std::map<std::string, std::string> changes) {
  std::vector<std::string> cells;
  for (const std::string &name : kDeclineHeader) {
    auto change = changes.find(name);
    cells.push_back(change != changes.end() ? change->second : kDeclineRow.at(name));
  }
  return {Join(cells)};
}

class Declines : public testing::TestWithParam<DeclineCase> {};

TEST_P(Declines, LeavesTheRowToPython) {
  const std::string taken = With({}).line;
  TempFile file(Join(kDeclineHeader) + "\n" + taken + "\n\n" + GetParam().line + "\n" + taken);
  TickFile ticks(file.path(), kDeclineHeader, 1);
  TickRow row;
  ASSERT_EQ(ticks.Next(row), Read::Row);
  const long long offset = Join(kDeclineHeader).size() + taken.size() + 3;
  for (int again = 0; again < 2; ++again) {
    ASSERT_EQ(ticks.Next(row), Read::Decline);
    EXPECT_EQ(std::make_tuple(ticks.line(), ticks.offset(), ticks.lines_read()),
              std::make_tuple(4LL, offset, 3LL));
  }
}

INSTANTIATE_TEST_SUITE_P(Bytes, Declines,
                         testing::Values(With({{"note", "say \"hi\""}}), With({{"note", "a\tb"}}),
                                         With({{"note", std::string("a\0b", 3)}}),
                                         With({{"note", "a\x7f"}}), With({{"note", "caf\xc3\xa9"}}),
                                         DeclineCase{"    "},
                                         With({{"note", std::string(131073, 'x')}})));
INSTANTIATE_TEST_SUITE_P(
    Cells, Declines,
    testing::Values(With({{"note", "a,b"}}),
                    DeclineCase{With({}).line.substr(0, With({}).line.rfind(','))},
                    With({{"last", " 3200"}}), With({{"last", "3200 "}}),
                    With({{"bid_volume", " 5"}}), With({{"instrument_id", "IF 2401"}}),
                    With({{"instrument_id", ""}})));
INSTANTIATE_TEST_SUITE_P(
    Time, Declines,
    testing::Values(
        With({{"time", "2024-02-30 09:30:00"}}), With({{"time", "2023-02-29 09:30:00"}}),
        With({{"time", "0000-01-02 09:30:00"}}), With({{"time", "2024-13-02 09:30:00"}}),
        With({{"time", "2024-01-00 09:30:00"}}), With({{"time", "2024-01-02 24:00:00"}}),
        With({{"time", "2024-01-02 09:60:00"}}), With({{"time", "2024-01-02 09:30:60"}}),
        With({{"time", "2024-01-02 09:30:00."}}),
        With({{"time", "2024-01-02 09:30:00.1234567890"}}), With({{"time", "2024-1-02 09:30:00"}}),
        With({{"time", "2024-01-02t09:30:00"}}), With({{"time", "2024-01-02  9:30:00"}}),
        With({{"time", "2024-01-02 09:30"}}), With({{"time", ""}})));
INSTANTIATE_TEST_SUITE_P(
    Numbers, Declines,
    testing::Values(With({{"last", "-1"}}), With({{"last", "+1"}}), With({{"last", "1e3"}}),
                    With({{"last", "inf"}}), With({{"last", "nan"}}), With({{"last", "1_000"}}),
                    With({{"bid", "."}}), With({{"bid", ""}}), With({{"ask", "0x10"}}),
                    With({{"ask", "1.2.3"}}), With({{"ask", std::string(400, '9')}}),
                    With({{"turnover", "1e5"}}), With({{"open_interest", "-3"}}),
                    With({{"bid_volume", "-1"}}), With({{"bid_volume", "+1"}}),
                    With({{"bid_volume", "1.0"}}), With({{"ask_volume", "2147483648"}}),
                    With({{"ask_volume", ""}}), With({{"ask_volume", "1_0"}}),
                    With({{"ask_volume", std::string(641, '0') + "1"}}), With({{"volume", "x"}})));
INSTANTIATE_TEST_SUITE_P(
    Depth, Declines,
    testing::Values(
        With({{"bid_volume2", ""}}), With({{"bid2", ""}}),
        With({{"bid2", ""}, {"bid_volume2", ""}, {"bid3", "3199.4"}, {"bid_volume3", "1"}}),
        With({{"bid", "0"}, {"bid_volume", "0"}}), With({{"bid2", "0"}}),
        With({{"bid2", "-3199.6"}}), With({{"bid_volume2", "x"}})));

// The line and the cells as long as the Python reader takes them, and one character more.
class Lengths : public testing::TestWithParam<std::tuple<std::size_t, std::size_t, Read>> {};

TEST_P(Lengths, TakeLinesAndCellsUpToPythonsLimits) {
  const auto [line_length, cell_length, expected] = GetParam();
  std::vector<std::string> header = kColumns;
  std::vector<std::string> cells = {kPlain};
  std::size_t left = line_length - kPlain.size() - 9;
  for (int pad = 0; pad < 9; ++pad) {
    header.push_back("pad");
    std::size_t length = pad == 0 ? cell_length : left / (9 - pad);
    cells.push_back(std::string(length, 'x'));
    left -= length;
  }
  ASSERT_EQ(Join(cells).size(), line_length);
  TempFile file(Join(header) + "\r\n" + Join(cells) + "\r\n");
  TickFile ticks(file.path(), header, 1);
  TickRow row;
  EXPECT_EQ(ticks.Next(row), expected);
}

INSTANTIATE_TEST_SUITE_P(TickFile, Lengths,
                         testing::Values(std::make_tuple(1048574, 131072, Read::Row),
                                         std::make_tuple(1048575, 131072, Read::Decline),
                                         std::make_tuple(300000, 131073, Read::Decline)));

TEST(TickFile, LeavesAHeaderPythonRefusesToPython) {
  std::vector<std::string> header(kColumns.begin(), kColumns.end() - 1);
  header.push_back("bid_volume");
  TempFile file(Join(header) + "\n" + kPlain + "\n");
  TickFile ticks(file.path(), header, 1);
  TickRow row;
  EXPECT_EQ(ticks.Next(row), Read::Decline);
  EXPECT_EQ(std::make_pair(ticks.line(), ticks.offset()),
            std::make_pair(2LL, static_cast<long long>(Join(header).size() + 1)));
}

TEST(TickFile, NamesAFileItCannotOpen) {
  const std::string path = testing::TempDir() + "no_such_ticks.csv";
  try {
    TickFile ticks(path, kColumns, 1);
    FAIL() << "opened " << path;
  } catch (const std::runtime_error &error) {
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
  }
}

}  // namespace
