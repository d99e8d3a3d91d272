// The rows of a CSV file of recorded ticks, read fast for a replay. The reader takes only the
// rows it is certain of: a line of printable ASCII without quotes, split on commas, each cell
// it reads in the one plain form it knows. Any other row it declines, and the Python reader,
// which reads the file on from that row, gives the ticks or the message the user sees. A row
// taken here gives exactly the tick the Python reader gives for it.
#ifndef SIMTRADER_REPLAY_TICK_FILE_H
#define SIMTRADER_REPLAY_TICK_FILE_H

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace simtrader {

// One row of a tick file as the replay plays it.
struct TickRow {
  std::string instrument;  // the instrument_id cell, as given
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, microsecond = 0;
  double last = 0;
  double bid = 0, ask = 0;  // the first levels: 0 for an empty side
  int bid_volume = 0, ask_volume = 0;
  // The exchange's figures for the day: empty where the file has no column or an empty cell.
  std::optional<int> volume;
  std::optional<double> turnover, open_interest;
  // Only when the header names a column of the levels behind the first: each side's levels,
  // best first (the first level only when its price is above 0, then the filled ones).
  bool has_depth = false;
  std::vector<std::pair<double, int>> bids, asks;
};

class TickFile {
 public:
  // A line ends at \n, \r\n or \r, as an editor numbers lines; the lines of the header (which
  // the Python reader has read and checked, perhaps over several lines) are skipped. `header`
  // holds its cells as the csv module gave them. Throws std::runtime_error naming `path` when
  // the file cannot be opened. `block_size` is what one read asks of the file.
  TickFile(const std::string &path, const std::vector<std::string> &header, long long header_lines,
           std::size_t block_size = std::size_t{1} << 20);
  // The same over a descriptor of the file, which the reader then owns and closes: the very
  // file the Python reader has open, whatever has become of its path since.
  TickFile(int fd, const std::vector<std::string> &header, long long header_lines,
           std::size_t block_size = std::size_t{1} << 20);
  ~TickFile();
  TickFile(const TickFile &) = delete;
  TickFile &operator=(const TickFile &) = delete;

  enum class Read { Row, End, Decline };
  // The next row, filled into `row`; End after the last; Decline for a row this reader does
  // not take, which the Python reader then reads from offset(), numbering it line(). A reader
  // that declined declines from then on.
  Read Next(TickRow &row);

  // Declines the row last returned after all, its time or its market being refused: the
  // Python reader reads the file on from that row.
  void DeclineLast() {
    declined_ = true;
    lines_read_ = line_ - 1;
  }

  long long line() const { return line_; }      // 1-based, of the row last returned or declined
  long long offset() const { return offset_; }  // the byte where that row begins
  long long lines_read() const { return lines_read_; }  // the lines taken, the header's too

 private:
  // The columns a row's cells are read from: their indexes, kAbsent where the header lacks one.
  struct LevelColumns {
    int price, volume;
  };
  struct Columns {
    int time, instrument, last, bid, ask, bid_volume, ask_volume;
    int volume, turnover, open_interest;
    LevelColumns depth[2][4];  // bids then asks, their levels 2 to 5
  };
  enum class Scan { Line, End, Unsure };

  static int OpenForReading(const std::string &path);
  void MapHeader(const std::vector<std::string> &header);
  void SkipHeader(long long lines);
  bool Fill();
  Scan ScanLine(std::size_t &length, std::size_t &ending);
  Scan Finish(std::size_t cells, std::size_t length);
  bool ParseRow(const char *line, TickRow &row) const;
  Read Decline();

  int fd_ = -1;
  std::size_t block_size_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0, end_ = 0;  // the buffered bytes not yet taken
  long long buffer_offset_ = 0;      // where in the file buffer_ begins
  bool at_end_ = false, failed_ = false;
  int column_count_ = 0;
  bool header_usable_ = false, has_depth_ = false;
  Columns columns_{};
  // Where each cell of the line being read begins, from its start, then one past its end.
  std::vector<std::size_t> cell_starts_;
  bool declined_ = false;
  long long line_ = 0, offset_ = 0, lines_read_ = 0;
};

}  // namespace simtrader

#endif  // SIMTRADER_REPLAY_TICK_FILE_H
