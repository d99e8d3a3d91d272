#include "flow/flow_mark.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace simtrader {

namespace {

const char *FileName(FlowTopic topic) {
  return topic == FlowTopic::Private ? "Private.con" : "Public.con";
}

// "YYYYMMDD number", padded to a fixed width so that each write replaces the whole.
constexpr int kMarkWidth = 32;

}  // namespace

FlowMark::FlowMark(const std::string &flow_path, FlowTopic topic)
    : path_(flow_path + FileName(topic)) {
  fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) {
    std::fprintf(stderr, "simtrader: cannot keep the flow mark '%s': %s\n", path_.c_str(),
                 std::strerror(errno));
  }
}

FlowMark::~FlowMark() {
  if (fd_ >= 0) ::close(fd_);
}

long long FlowMark::Received(const std::string &trading_day) const {
  if (fd_ < 0) return 0;
  char text[kMarkWidth + 1] = {};
  if (::pread(fd_, text, kMarkWidth, 0) != kMarkWidth) return 0;
  char day[9] = {};
  long long number = 0;
  if (std::sscanf(text, "%8s %lld", day, &number) != 2 || trading_day != day || number < 0) {
    return 0;
  }
  return number;
}

void FlowMark::Delivered(const std::string &trading_day, long long number) {
  if (fd_ < 0) return;
  char text[kMarkWidth + 1];
  std::snprintf(text, sizeof text, "%-8.8s %-22lld\n", trading_day.c_str(), number);
  if (::pwrite(fd_, text, kMarkWidth, 0) != kMarkWidth) {
    std::fprintf(stderr, "simtrader: cannot write the flow mark '%s': %s\n", path_.c_str(),
                 std::strerror(errno));
  }
}

}  // namespace simtrader
