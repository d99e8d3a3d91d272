// The work list of an API object's thread: tasks run one at a time, in the order they fall
// due, on the thread that calls Run.
#ifndef SIMTRADER_TASK_QUEUE_H
#define SIMTRADER_TASK_QUEUE_H

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>

namespace simtrader {

class TaskQueue {
 public:
  using Clock = std::chrono::steady_clock;
  using Task = std::function<void()>;

  // Returns false, dropping the task, once the queue is closed.
  bool Post(Task task, Clock::duration delay = Clock::duration::zero());

  // Runs tasks until Close; returns after the task in progress when it is closed.
  void Run();

  // Drops every pending task (destroying it, which is how a waiter learns that its task will
  // never run) and makes Run return.
  void Close();

  bool closed() const;

 private:
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  // Tasks with equal due times keep the order they were posted in.
  std::multimap<Clock::time_point, Task> tasks_;
  bool closed_ = false;
};

}  // namespace simtrader

#endif
