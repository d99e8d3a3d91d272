// How far an API object has received one of its flows, kept in a file under its flow
// directory as the vendor's library keeps its own: the trading day and the number of the last
// event delivered, so that a login resuming the flow, in this process or a later one, asks
// for what follows.
#ifndef SIMTRADER_FLOW_FLOW_MARK_H
#define SIMTRADER_FLOW_FLOW_MARK_H

#include <string>

namespace simtrader {

enum class FlowTopic { Private, Public };

class FlowMark {
 public:
  // The file for the topic under `flow_path` (a directory path ending in '/', or a prefix, as
  // the vendor takes it). A file that cannot be made is reported once on stderr, and the
  // mark then reads as nothing received.
  FlowMark(const std::string &flow_path, FlowTopic topic);
  ~FlowMark();
  FlowMark(const FlowMark &) = delete;
  FlowMark &operator=(const FlowMark &) = delete;

  // The last number delivered on `trading_day`; 0 when none was, or the file is of another day.
  long long Received(const std::string &trading_day) const;
  // Written in place before returning, so a process killed after a callback returned does not
  // receive the event again.
  void Delivered(const std::string &trading_day, long long number);

 private:
  const std::string path_;
  int fd_ = -1;
};

}  // namespace simtrader

#endif
