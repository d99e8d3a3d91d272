// A replay played on one thread: the thread playing it borrows the work of every API object of
// its front, so that a tick, the fills it makes, the handlers' requests and their answers all
// run there, one at a time and in a fixed order, with no handoff between threads per tick.
#ifndef SIMTRADER_REPLAY_HOST_H
#define SIMTRADER_REPLAY_HOST_H

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "api/api_backend.h"
#include "replay/tick_file.h"

namespace simtrader {

// Where a tick file's play stopped.
struct FilePlay {
  enum class Status { More, End, Declined };
  Status status = Status::More;
  long long ticks = 0;  // played by this call
  // The time of the last tick played: year, month, day, hour, minute, second, microsecond.
  int last_time[7] = {};
};

class ReplayHost {
 public:
  // Borrows the work of every running API object of `front` (every running one, with none).
  // Throws WaitOnOwnThread on the thread of one of them. Borrows nothing when one is lent to
  // another thread already, a replay of the same front being under way: hosting() says so.
  explicit ReplayHost(const std::optional<std::string> &front);
  // Gives every object's work back to its own thread.
  ~ReplayHost();
  ReplayHost(const ReplayHost &) = delete;
  ReplayHost &operator=(const ReplayHost &) = delete;

  // False when another replay's thread holds the objects' work, and this host holds none.
  bool hosting() const { return !lent_elsewhere_; }
  const std::optional<std::string> &front() const { return front_; }
  // The instrument of the last tick PlayFile played.
  const std::string &last_instrument() const { return last_instrument_; }

  // Runs what the borrowed objects have due until none has anything: traders first, so that
  // a tick's fills reach their handlers before the tick reaches the market-data objects, then
  // again while a handler's request brought more.
  void Deliver();

  // Delivers what is due, then plays the file's next rows, up to `most` ticks, each moving its
  // instrument's market as a replayed tick does and delivered before the next. Stops before a row
  // the file declines, a time going back, or a market the broker refuses: Declined, with that row
  // unplayed, for the caller's own reader to take up.
  FilePlay PlayFile(TickFile &file, long long most);

 private:
  const std::optional<std::string> front_;
  std::vector<std::shared_ptr<ApiBackend>> backends_;
  bool lent_elsewhere_ = false;
  TickRow row_;
  bool played_any_ = false;
  int previous_[7] = {};  // the time of the last tick played
  std::string last_instrument_;
};

}  // namespace simtrader

#endif
