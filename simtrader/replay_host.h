// A replay played on one thread: the thread playing it borrows the work of every API object of
// its front, so that a tick, the fills it makes, the handlers' requests and their answers all
// run there, one at a time and in a fixed order, with no handoff between threads per tick.
#ifndef SIMTRADER_REPLAY_HOST_H
#define SIMTRADER_REPLAY_HOST_H

#include <memory>
#include <optional>
#include <stdexcept>
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

// The objects' work is held elsewhere: another replay of the front plays.
class FrontHeldElsewhere : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A callback of one of the objects did not end by the deadline the host was given.
class CallbackInProgress : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ReplayHost {
 public:
  using Deadline = TaskQueue::Clock::time_point;

  // Borrows the work of every running API object of `front` (every running one, with none).
  // Throws WaitOnOwnThread on the thread of one of them, FrontHeldElsewhere when another
  // thread holds one already (a replay of the same front plays), CallbackInProgress when the
  // callback one of them is running has not returned by `deadline`; borrowing nothing then.
  ReplayHost(const std::optional<std::string> &front, Deadline deadline);
  // Gives every object's work back to its own thread.
  ~ReplayHost();
  ReplayHost(const ReplayHost &) = delete;
  ReplayHost &operator=(const ReplayHost &) = delete;

  const std::optional<std::string> &front() const { return front_; }
  // The instrument of the last tick PlayFile played.
  const std::string &last_instrument() const { return last_instrument_; }

  // Runs what the borrowed objects have due until none has anything: traders first, so that
  // a tick's fills reach their handlers before the tick reaches the market-data objects, then
  // again while a handler's request brought more. Objects of the front started since are
  // borrowed first.
  void Deliver();

  // Gives the objects' work back to their own threads until the next Deliver borrows it again:
  // for a while the replay's thread delivers nothing (it waits in the user's code).
  void Release();

  // Delivers what is due, then plays the file's next rows, up to `most` ticks, each moving its
  // instrument's market as a replayed tick does and delivered before the next, and none once
  // `*stop` is set (by another thread, or by a handler). Stops before a row the file declines,
  // a time going back, or a market the broker refuses: Declined, with that row unplayed, for
  // the caller's own reader to take up.
  FilePlay PlayFile(TickFile &file, long long most, const int *stop);

 private:
  // Borrows the front's objects that run and are not borrowed yet; those still in a callback
  // at `deadline` are left for the next time, or throw CallbackInProgress with `throws`.
  void BorrowRunning(Deadline deadline, bool throws);
  void ReturnAll();

  const std::optional<std::string> front_;
  std::vector<std::shared_ptr<ApiBackend>> backends_;
  // ApiBackend::StartedCount when the objects were last looked for.
  unsigned long long started_seen_ = 0;
  // Released, and not all borrowed again yet.
  bool released_ = false;
  TickRow row_;
  bool played_any_ = false;
  int previous_[7] = {};  // the time of the last tick played
  std::string last_instrument_;
};

}  // namespace simtrader

#endif
