#include "replay_host.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "connection/broker_directory.h"
#include "delivery_wait.h"
#include "registry.h"

namespace simtrader {

namespace {

// The move a replayed row makes, as the replay's Python reader would give it: a row of a file
// with depth columns moves each side's whole book, the others its first level.
MarketUpdate UpdateOf(const TickRow &row) {
  MarketUpdate update;
  update.last = row.last;
  if (row.has_depth) {
    auto levels = [](const std::vector<std::pair<double, int>> &side) {
      std::vector<Level> levels;
      levels.reserve(side.size());
      for (const auto &[price, volume] : side) levels.push_back(Level{price, volume});
      return levels;
    };
    update.bids = levels(row.bids);
    update.asks = levels(row.asks);
  } else {
    update.bid = row.bid;
    update.ask = row.ask;
    update.bid_volume = row.bid_volume;
    update.ask_volume = row.ask_volume;
  }
  update.volume = row.volume;
  update.turnover = row.turnover;
  update.open_interest = row.open_interest;
  // Written digit by digit: a formatted print costs a good share of a tick.
  char day[] = "YYYYMMDD", clock[] = "HH:MM:SS";
  auto write = [](char *at, int number, int digits) {
    for (int digit = digits - 1; digit >= 0; --digit, number /= 10) at[digit] = '0' + number % 10;
  };
  write(day, row.year, 4);
  write(day + 4, row.month, 2);
  write(day + 6, row.day, 2);
  write(clock, row.hour, 2);
  write(clock + 3, row.minute, 2);
  write(clock + 6, row.second, 2);
  update.time = MarketTime{day, clock, row.microsecond / 1000};
  return update;
}

auto TimeOf(const int (&time)[7]) {
  return std::tie(time[0], time[1], time[2], time[3], time[4], time[5], time[6]);
}

}  // namespace

ReplayHost::ReplayHost(const std::optional<std::string> &front, Deadline deadline) : front_(front) {
  try {
    BorrowRunning(deadline, true);
  } catch (...) {
    ReturnAll();
    throw;
  }
}

ReplayHost::~ReplayHost() { ReturnAll(); }

void ReplayHost::ReturnAll() {
  // What is still due goes back to the objects' own threads with them.
  for (const std::shared_ptr<ApiBackend> &backend : backends_) backend->Return();
  backends_.clear();
}

void ReplayHost::BorrowRunning(Deadline deadline, bool throws) {
  const unsigned long long started = ApiBackend::StartedCount();
  bool all = true;
  for (std::shared_ptr<ApiBackend> &backend : Registry::Instance().Running()) {
    if (front_ && !Serves(*backend, *front_)) continue;
    if (std::find(backends_.begin(), backends_.end(), backend) != backends_.end()) continue;
    if (backend->OnWorkerThread()) {
      throw WaitOnOwnThread("cannot play a replay on the thread of the API object " +
                            QuotedFlowPath(backend->flow_path()) +
                            ", which would wait for itself: replay outside its callbacks");
    }
    switch (backend->Lend(deadline)) {
      case TaskQueue::Lending::kLent:
        backends_.push_back(std::move(backend));
        break;
      case TaskQueue::Lending::kBusy:
        if (throws) {
          throw CallbackInProgress("a callback of the API object " +
                                   QuotedFlowPath(backend->flow_path()) + " is still running");
        }
        all = false;
        break;
      case TaskQueue::Lending::kLentElsewhere:
        throw FrontHeldElsewhere("the API object " + QuotedFlowPath(backend->flow_path()) +
                                 " is held by another replay of its front, which plays on "
                                 "another thread: one replay of a front at a time");
      case TaskQueue::Lending::kClosed:
        break;  // released meanwhile
    }
  }
  // Traders first: Deliver raises their events ahead of the market-data objects'.
  std::stable_sort(backends_.begin(), backends_.end(), [](const auto &one, const auto &other) {
    return one->kind() == ApiKind::Trader && other->kind() != ApiKind::Trader;
  });
  // One still in a callback is looked for again at the next delivery.
  if (all) {
    started_seen_ = started;
    released_ = false;
  }
}

void ReplayHost::Release() {
  ReturnAll();
  released_ = true;
}

void ReplayHost::Deliver() {
  if (released_ || ApiBackend::StartedCount() != started_seen_) {
    // An object started during the replay, or given back meanwhile, its callbacks perhaps
    // running on its own thread: borrowed once they have returned, and delivered with the
    // others from then.
    BorrowRunning(TaskQueue::Clock::now() + std::chrono::milliseconds(10), false);
  }
  for (bool ran = true; ran;) {
    ran = false;
    for (const std::shared_ptr<ApiBackend> &backend : backends_) ran |= backend->RunHere();
  }
}

FilePlay ReplayHost::PlayFile(TickFile &file, long long most, const int *stop) {
  FilePlay play;
  BrokerDirectory &directory = BrokerDirectory::Instance();
  int *const last = play.last_time;
  // What the strategy sent for the tick before is answered before the next tick plays.
  Deliver();
  while (play.ticks < most && __atomic_load_n(stop, __ATOMIC_RELAXED) == 0) {
    const TickFile::Read read = file.Next(row_);
    if (read == TickFile::Read::End) {
      play.status = FilePlay::Status::End;
      return play;
    }
    if (read == TickFile::Read::Decline) {
      play.status = FilePlay::Status::Declined;
      return play;
    }
    const int time[7] = {row_.year,   row_.month,  row_.day,        row_.hour,
                         row_.minute, row_.second, row_.microsecond};
    if (played_any_ && TimeOf(time) < TimeOf(previous_)) {
      // A time going back is refused by the caller's reader, in its own words.
      file.DeclineLast();
      play.status = FilePlay::Status::Declined;
      return play;
    }
    try {
      directory.SetMarket(front_, row_.instrument, UpdateOf(row_));
    } catch (const std::invalid_argument &) {
      // Nothing moved: the caller's reader plays the row again and reports the refusal.
      file.DeclineLast();
      play.status = FilePlay::Status::Declined;
      return play;
    }
    std::copy(std::begin(time), std::end(time), previous_);
    std::copy(std::begin(time), std::end(time), last);
    last_instrument_ = row_.instrument;
    played_any_ = true;
    ++play.ticks;
    Deliver();
  }
  return play;
}

}  // namespace simtrader
