#include "task_queue.h"

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
  }
  changed_.notify_one();
  return true;
}

void TaskQueue::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!closed_) {
    MoveDueTasks();
    if (ready_.empty()) {
      if (delayed_.empty()) {
        changed_.wait(lock);
      } else {
        changed_.wait_until(lock, delayed_.begin()->first);
      }
      continue;
    }
    Task task = std::move(ready_.front());
    ready_.pop_front();
    lock.unlock();
    task();
    // Whatever the task holds is let go before the next one runs, and outside the lock.
    task = nullptr;
    lock.lock();
  }
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
}

bool TaskQueue::closed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return closed_;
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
