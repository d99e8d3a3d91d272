// The fast reader of tick files: what the rows it takes hold, how it numbers lines whatever the
// line ends and the reads, and the rows it leaves to the Python reader.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
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
using Cells = std::vector<std::pair<std::string, std::string>>;  // column name, cell
using Levels = std::vector<std::pair<double, int>>;

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

// Cells from a line of names and a line of cells, split on commas.
Cells Of(const std::string &names, const std::string &cells) {
  Cells row;
  for (std::size_t name = 0, cell = 0; name <= names.size() && cell <= cells.size();) {
    std::size_t name_end = std::min(names.find(',', name), names.size());
    std::size_t cell_end = std::min(cells.find(',', cell), cells.size());
    row.emplace_back(names.substr(name, name_end - name), cells.substr(cell, cell_end - cell));
    name = name_end + 1;
    cell = cell_end + 1;
  }
  return row;
}

const Cells kRow = Of("time,instrument_id,last,bid,ask,bid_volume,ask_volume",
                      "2024-01-02 09:30:00,IF2401,3200,3199.8,3200.2,5,6");

// The header's names (first) or the row's cells, joined as a line.
std::string Line(const Cells &cells, bool names = false) {
  std::string line;
  for (const auto &[name, cell] : cells) line += (line.empty() ? "" : ",") + (names ? name : cell);
  return line;
}

std::vector<std::string> Header(const Cells &cells) {
  std::vector<std::string> header;
  for (const auto &cell : cells) header.push_back(cell.first);
  return header;
}

// `cells` with those named in `changes` replaced, the others added.
Cells Changed(Cells cells, const Cells &changes) {
  for (const auto &change : changes) {
    auto found = std::find_if(cells.begin(), cells.end(),
                              [&](const auto &cell) { return cell.first == change.first; });
    found != cells.end() ? void(found->second = change.second) : cells.push_back(change);
  }
  return cells;
}

Cells With(const std::string &names, const std::string &cells) {
  return Changed(kRow, Of(names, cells));
}

// The one row of a file of a header line and `cells`, if the reader takes it.
std::optional<TickRow> ReadOne(const Cells &cells) {
  TempFile file(Line(cells, true) + "\n" + Line(cells) + "\n");
  TickFile ticks(file.path(), Header(cells), 1);
  TickRow row;
  if (ticks.Next(row) != Read::Row) return std::nullopt;
  EXPECT_EQ(ticks.Next(row), Read::End);
  return row;
}

TEST(TickFile, ReadsEveryCellOfARow) {
  auto row = ReadOne(With("time,note,last,bid,bid_volume,ask_volume,volume,turnover,open_interest",
                          "2024-02-29T23:59:58.25,any \\ text!,3512.,.5,007,2147483647,104520,"
                          "36789012345.5,123456"));
  ASSERT_TRUE(row);
  EXPECT_EQ(std::make_tuple(row->instrument, row->year, row->month, row->day, row->hour,
                            row->minute, row->second, row->microsecond),
            std::make_tuple("IF2401", 2024, 2, 29, 23, 59, 58, 250000));
  EXPECT_EQ(std::make_tuple(row->last, row->bid, row->ask, row->bid_volume, row->ask_volume),
            std::make_tuple(3512.0, 0.5, 3200.2, 7, 2147483647));
  EXPECT_EQ(std::make_tuple(row->volume, row->turnover, row->open_interest),
            std::make_tuple(104520, 36789012345.5, 123456.0));
  EXPECT_FALSE(row->has_depth);
}

TEST(TickFile, FiguresEmptyOrWithoutColumnAreNone) {
  for (auto row : {ReadOne(With("volume,turnover,open_interest", ",,")), ReadOne(kRow)}) {
    ASSERT_TRUE(row);
    EXPECT_FALSE(row->volume || row->turnover || row->open_interest);
  }
}

class Fraction : public testing::TestWithParam<std::pair<const char *, int>> {};

TEST_P(Fraction, CountsWholeMicroseconds) {
  auto row = ReadOne(With("time", std::string("2024-01-02 09:30:05") + GetParam().first));
  ASSERT_TRUE(row);
  EXPECT_EQ(std::make_pair(row->second, row->microsecond), std::make_pair(5, GetParam().second));
}

INSTANTIATE_TEST_SUITE_P(TickFile, Fraction,
                         testing::Values(std::make_pair("", 0), std::make_pair(".5", 500000),
                                         std::make_pair(".1234567", 123456),
                                         std::make_pair(".000001", 1),
                                         std::make_pair(".999999999", 999999)));

// Some depth columns only: the absent ones count as empty cells.
class Depth : public testing::TestWithParam<std::tuple<Cells, Levels, Levels>> {};

TEST_P(Depth, ListsEachSidesLevelsBestFirst) {
  auto row = ReadOne(std::get<0>(GetParam()));
  ASSERT_TRUE(row);
  EXPECT_TRUE(row->has_depth);
  EXPECT_EQ(std::make_pair(row->bids, row->asks),
            std::make_pair(std::get<1>(GetParam()), std::get<2>(GetParam())));
}

INSTANTIATE_TEST_SUITE_P(
    TickFile, Depth,
    testing::Values(std::make_tuple(With("bid2,bid_volume2,bid3,bid_volume3,ask2,ask_volume2",
                                         "3199.6,4,3199.4,3,3200.4,8"),
                                    Levels{{3199.8, 5}, {3199.6, 4}, {3199.4, 3}},
                                    Levels{{3200.2, 6}, {3200.4, 8}}),
                    std::make_tuple(With("bid2,bid_volume2,ask2,ask_volume2", "3199.6,4,,"),
                                    Levels{{3199.8, 5}, {3199.6, 4}}, Levels{{3200.2, 6}}),
                    std::make_tuple(With("bid,bid_volume,bid2,bid_volume2", "0,0,,"), Levels{},
                                    Levels{{3200.2, 6}}),
                    std::make_tuple(With("bid2,bid_volume2,ask2,ask_volume2", "0,0,0,x"),
                                    Levels{{3199.8, 5}}, Levels{{3200.2, 6}})));

// A header over two lines (a quoted cell holding a line end), rows between blank lines, in
// every line end, with or without one after the last row, read in blocks of any size.
class LineEnds : public testing::TestWithParam<std::tuple<const char *, std::size_t, bool>> {};

TEST_P(LineEnds, NumberRowsAsAnEditorNumbersLines) {
  const auto [eol, block, final_end] = GetParam();
  std::vector<std::string> header = Header(kRow);
  header.push_back(std::string("a") + eol + "note");
  const std::string head = Line(kRow, true) + ",\"" + header.back() + "\"" + eol;
  const std::string first = Line(kRow) + ",x", second = Line(With("last", "3201")) + ",y";
  TempFile file(head + first + eol + eol + eol + second + (final_end ? eol : ""));
  TickFile ticks(file.path(), header, 2, block);
  TickRow row;
  ASSERT_EQ(ticks.Next(row), Read::Row);
  EXPECT_EQ(std::make_tuple(ticks.line(), ticks.offset(), row.last),
            std::make_tuple(3LL, static_cast<long long>(head.size()), 3200.0));
  ASSERT_EQ(ticks.Next(row), Read::Row);
  const std::size_t offset = head.size() + first.size() + 3 * std::string(eol).size();
  EXPECT_EQ(std::make_tuple(ticks.line(), ticks.offset(), row.last),
            std::make_tuple(6LL, static_cast<long long>(offset), 3201.0));
  EXPECT_EQ(ticks.Next(row), Read::End);
  EXPECT_EQ(ticks.lines_read(), 6);
}

INSTANTIATE_TEST_SUITE_P(TickFile, LineEnds,
                         testing::Combine(testing::Values("\n", "\r\n", "\r"),
                                          testing::Values(1, 2, 3, std::size_t{1} << 20),
                                          testing::Bool()));

// Each row declined as the fourth line of a file, after a row taken and a blank line: the
// cells changed in a row with figures, depth and a note, or (a "line" cell) a whole line.
const Cells kFullRow = With("volume,turnover,open_interest,bid2,bid_volume2,bid3,bid_volume3,note",
                            "100,320000.5,7000,3199.6,3,,,free text");

class Declines : public testing::TestWithParam<Cells> {};

TEST_P(Declines, LeavesTheRowToPython) {
  const Cells &changes = GetParam();
  const std::string declined =
      changes[0].first == "line" ? changes[0].second : Line(Changed(kFullRow, changes));
  const std::string head = Line(kFullRow, true) + "\n" + Line(kFullRow) + "\n\n";
  TempFile file(head + declined + "\n" + Line(kFullRow) + "\n");
  TickFile ticks(file.path(), Header(kFullRow), 1);
  TickRow row;
  ASSERT_EQ(ticks.Next(row), Read::Row);
  for (int again = 0; again < 2; ++again) {
    ASSERT_EQ(ticks.Next(row), Read::Decline);
    EXPECT_EQ(std::make_tuple(ticks.line(), ticks.offset(), ticks.lines_read()),
              std::make_tuple(4LL, static_cast<long long>(head.size()), 3LL));
  }
}

// A case for each value of the column.
std::vector<Cells> Each(const std::string &column, const std::vector<std::string> &values) {
  std::vector<Cells> cases;
  for (const std::string &value : values) cases.push_back({{column, value}});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, Declines,
    testing::ValuesIn(Each("note", {"say \"hi\"", "a\tb", std::string("a\0b", 3), "a\x7f",
                                    "caf\xc3\xa9", "a,b", std::string(131073, 'x')})));
INSTANTIATE_TEST_SUITE_P(Lines, Declines,
                         testing::ValuesIn(Each("line",
                                                {"    ", Line(kFullRow) + ",extra", Line(kRow)})));
INSTANTIATE_TEST_SUITE_P(Spaces, Declines,
                         testing::Values(Of("last", " 3200"), Of("last", "3200 "),
                                         Of("bid_volume", " 5"), Of("instrument_id", "IF 2401"),
                                         Of("instrument_id", "")));
INSTANTIATE_TEST_SUITE_P(
    Time, Declines,
    testing::ValuesIn(Each(
        "time", {"2024-02-30 09:30:00", "2023-02-29 09:30:00", "0000-01-02 09:30:00",
                 "2024-13-02 09:30:00", "2024-01-02 24:00:00", "2024-01-02 09:60:00",
                 "2024-01-02 09:30:60", "2024-01-02 09:30:00.", "2024-01-02 09:30:00.1234567890",
                 "2024-1-02 09:30:00", "2024-01-02t09:30:00", "2024-01-02 09:30", ""})));
INSTANTIATE_TEST_SUITE_P(Prices, Declines,
                         testing::ValuesIn(Each("last",
                                                {"-1", "+1", "1e3", "inf", "nan", "1_000", ".", "",
                                                 "0x10", "1.2.3", std::string(400, '9')})));
INSTANTIATE_TEST_SUITE_P(Lots, Declines,
                         testing::ValuesIn(Each("bid_volume",
                                                {"-1", "+1", "1.0", "2147483648", "", "1_0",
                                                 std::string(641, '0') + "1"})));
// Figures, then depth: a level with one cell of two, one after a gap, one after a level
// priced 0, and bad cells.
INSTANTIATE_TEST_SUITE_P(Figures, Declines,
                         testing::Values(Of("turnover", "1e5"), Of("open_interest", "-3"),
                                         Of("volume", "x"), Of("bid_volume2", ""), Of("bid2", ""),
                                         Of("bid2,bid_volume2,bid3,bid_volume3", ",,3199.4,1"),
                                         Of("bid,bid_volume", "0,0"),
                                         Of("bid2,bid_volume2,bid3,bid_volume3", "0,0,3199.4,1"),
                                         Of("bid2", "-3199.6"), Of("bid_volume2", "x")));

// The line and a cell as long as the Python reader takes them, and one character longer.
class Lengths : public testing::TestWithParam<std::tuple<std::size_t, std::size_t, Read>> {};

TEST_P(Lengths, TakeLinesAndCellsUpToPythonsLimits) {
  const auto [line_length, cell_length, expected] = GetParam();
  Cells cells = kRow;
  std::size_t left = line_length - Line(kRow).size() - 9;
  for (int pad = 0; pad < 9; ++pad) {
    std::size_t length = pad == 0 ? cell_length : left / (9 - pad);
    cells.emplace_back("pad", std::string(length, 'x'));
    left -= length;
  }
  ASSERT_EQ(Line(cells).size(), line_length);
  TempFile file(Line(cells, true) + "\r\n" + Line(cells) + "\r\n");
  TickFile ticks(file.path(), Header(cells), 1);
  TickRow row;
  EXPECT_EQ(ticks.Next(row), expected);
}

INSTANTIATE_TEST_SUITE_P(TickFile, Lengths,
                         testing::Values(std::make_tuple(1048574, 131072, Read::Row),
                                         std::make_tuple(1048575, 131072, Read::Decline),
                                         std::make_tuple(300000, 131073, Read::Decline)));

TEST(TickFile, LeavesAHeaderPythonRefusesToPython) {
  Cells twice = kRow;
  twice.back().first = "bid_volume";  // and no ask_volume
  TempFile file(Line(twice, true) + "\n" + Line(twice) + "\n");
  TickFile ticks(file.path(), Header(twice), 1);
  TickRow row;
  EXPECT_EQ(ticks.Next(row), Read::Decline);
  EXPECT_EQ(std::make_pair(ticks.line(), ticks.offset()),
            std::make_pair(2LL, static_cast<long long>(Line(twice, true).size() + 1)));
}

TEST(TickFile, NamesAFileItCannotOpen) {
  const std::string path = testing::TempDir() + "no_such_ticks.csv";
  try {
    TickFile ticks(path, Header(kRow), 1);
    FAIL() << "opened " << path;
  } catch (const std::runtime_error &error) {
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
  }
}

}  // namespace
