#include "api/task_queue.h"

#include <algorithm>
#include <utility>

namespace simtrader {

bool TaskQueue::Post(Task task, Clock::duration delay) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_) return false;
    if (delay > Clock::duration::zero()) {
      delayed_.emplace(Clock::now() + delay, std::move(task));
    } else {
      ready_.push_back(std::move(task));
    }
    // The borrower runs what it is lent when it comes to it: nobody waits to be woken.
    if (borrower_.load(std::memory_order_relaxed) != std::thread::id()) return true;
  }
  changed_.notify_one();
  return true;
}

void TaskQueue::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!closed_) {
    if (borrower_.load(std::memory_order_relaxed) != std::thread::id()) {
      changed_.wait(lock);
      continue;
    }
    MoveDueTasks();
    if (ready_.empty()) {
      if (delayed_.empty()) {
        changed_.wait(lock);
      } else {
        // A copy: the wait reads its deadline again on waking, and Close may have freed the
        // task that held it meanwhile.
        const Clock::time_point due = delayed_.begin()->first;
        changed_.wait_until(lock, due);
      }
      continue;
    }
    RunTask(lock);
  }
}

void TaskQueue::RunTask(std::unique_lock<std::mutex> &lock) {
  Task task = std::move(ready_.front());
  ready_.pop_front();
  running_ = true;
  ++started_;
  lock.unlock();
  try {
    task();
  } catch (...) {
    lock.lock();
    running_ = false;
    task_ended_.notify_all();
    throw;
  }
  // Whatever the task holds is let go before the next one runs, and outside the lock.
  task = nullptr;
  lock.lock();
  running_ = false;
  task_ended_.notify_all();
}

TaskQueue::Lending TaskQueue::Lend(Clock::time_point deadline) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (!task_ended_.wait_until(lock, deadline, [&] { return !running_ || closed_; })) {
    return Lending::kBusy;
  }
  if (closed_) return Lending::kClosed;
  if (borrower_.load(std::memory_order_relaxed) != std::thread::id()) {
    return Lending::kLentElsewhere;
  }
  borrower_.store(std::this_thread::get_id(), std::memory_order_relaxed);
  return Lending::kLent;
}

void TaskQueue::Return() {
  {
    std::unique_lock<std::mutex> lock(mutex_);
    // Another thread returns the queue only between the borrower's tasks.
    if (!LentHere()) task_ended_.wait(lock, [&] { return !running_; });
    borrower_.store(std::thread::id(), std::memory_order_relaxed);
  }
  // Run's thread takes up whatever the borrower left.
  changed_.notify_all();
}

namespace {

// How deep the calling thread is in tasks of queues lent to it.
thread_local int lent_task_depth = 0;

}  // namespace

bool TaskQueue::InLentTask() { return lent_task_depth > 0; }

bool TaskQueue::RunHere() {
  bool ran = false;
  std::unique_lock<std::mutex> lock(mutex_);
  while (!closed_ && LentHere()) {
    if (!delayed_.empty()) MoveDueTasks();
    if (ready_.empty()) break;
    struct Depth {
      Depth() { ++lent_task_depth; }
      ~Depth() { --lent_task_depth; }
    } depth;
    RunTask(lock);
    ran = true;
  }
  return ran;
}

bool TaskQueue::RunningHere() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return running_ && LentHere();
}

unsigned long long TaskQueue::started() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return started_;
}

void TaskQueue::Close() {
  std::deque<Task> dropped_ready;
  std::multimap<Clock::time_point, Task> dropped_delayed;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
    dropped_ready.swap(ready_);
    dropped_delayed.swap(delayed_);
  }
  changed_.notify_all();
  task_ended_.notify_all();
}

void TaskQueue::WaitNotRunning() {
  std::unique_lock<std::mutex> lock(mutex_);
  task_ended_.wait(lock, [&] { return !running_; });
}

bool TaskQueue::closed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return closed_;
}

bool TaskQueue::WaitIdle(Clock::time_point deadline, unsigned long long &started) {
  std::unique_lock<std::mutex> lock(mutex_);
  // A task posted meanwhile wakes Run, not this waiter, but its end wakes both.
  while (!closed_ && !Idle(Clock::now())) {
    if (Clock::now() >= deadline) return false;
    Clock::time_point wake = deadline;
    if (!running_ && ready_.empty() && !delayed_.empty())
      wake = std::min(wake, delayed_.begin()->first);
    // No deadline is the clock's end, which a timed wait could overflow converting.
    if (wake == Clock::time_point::max()) {
      task_ended_.wait(lock);
    } else {
      task_ended_.wait_until(lock, wake);
    }
  }
  started = started_;
  return true;
}

bool TaskQueue::Idle(Clock::time_point now) const {
  const bool delayed_due = !delayed_.empty() && delayed_.begin()->first <= now;
  return !running_ && ready_.empty() && !delayed_due;
}

void TaskQueue::MoveDueTasks() {
  const Clock::time_point now = Clock::now();
  auto due = delayed_.begin();
  for (; due != delayed_.end() && due->first <= now; ++due) {
    ready_.push_back(std::move(due->second));
  }
  delayed_.erase(delayed_.begin(), due);
}

}  // namespace simtrader
