// STUB (lead's placeholder until the tickfile branch lands)
#ifndef SIMTRADER_REPLAY_TICK_FILE_H
#define SIMTRADER_REPLAY_TICK_FILE_H
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>
namespace simtrader {
struct TickRow {
  std::string instrument;
  int year, month, day, hour, minute, second, microsecond;
  double last;
  double bid, ask;
  int bid_volume, ask_volume;
  std::optional<int> volume;
  std::optional<double> turnover, open_interest;
  bool has_depth = false;
  std::vector<std::pair<double, int>> bids, asks;
};
class TickFile {
 public:
  TickFile(const std::string &path, const std::vector<std::string> &, long long header_lines) : line_(header_lines + 1) {
    FILE *f = fopen(path.c_str(), "rb"); long long lines = 0; int c, prev = 0; long long at = 0;
    while (lines < header_lines && (c = fgetc(f)) != EOF) { ++at; if (c == '\n' && prev != '\r') ++lines; else if (c == '\n') {} else if (c=='\r') ++lines; prev = c; if (lines==header_lines && c=='\r') { int d = fgetc(f); if (d=='\n') ++at; break; } }
    offset_ = at; fclose(f); }
  enum class Read { Row, End, Decline };
  Read Next(TickRow &) { return Read::Decline; }
  void DeclineLast() {}
  long long line() const { return line_; }
  long long offset() const { return offset_; }
  long long line_, offset_;
  long long lines_read() const { return 1; }
};
}
#endif
