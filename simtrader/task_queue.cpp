#include "task_queue.h"

#include <utility>

namespace simtrader {

bool TaskQueue::Post(Task task, Clock::duration delay) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_) return false;
    tasks_.emplace(Clock::now() + delay, std::move(task));
  }
  wake_.notify_one();
  return true;
}

void TaskQueue::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!closed_) {
    if (tasks_.empty()) {
      wake_.wait(lock);
      continue;
    }
    auto next = tasks_.begin();
    if (next->first > Clock::now()) {
      wake_.wait_until(lock, next->first);
      continue;
    }
    Task task = std::move(next->second);
    tasks_.erase(next);
    lock.unlock();
    task();
    task = nullptr;
    lock.lock();
  }
}

void TaskQueue::Close() {
  std::multimap<Clock::time_point, Task> dropped;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
    dropped.swap(tasks_);
  }
  wake_.notify_all();
}

bool TaskQueue::closed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return closed_;
}

}  // namespace simtrader
