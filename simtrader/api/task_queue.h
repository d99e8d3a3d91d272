// The work list of an API object's thread: tasks run one at a time, in the order they fall
// due, on the thread that calls Run.
#ifndef SIMTRADER_API_TASK_QUEUE_H
#define SIMTRADER_API_TASK_QUEUE_H

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

namespace simtrader {

class TaskQueue {
 public:
  using Clock = std::chrono::steady_clock;
  using Task = std::function<void()>;

  // Returns false, dropping the task, once the queue is closed. Never waits for the thread
  // that runs the tasks.
  bool Post(Task task, Clock::duration delay = Clock::duration::zero());

  // Runs tasks until Close; returns after the task in progress when it is closed. A task
  // that throws ends Run with its exception.
  void Run();

  // Drops every pending task (destroying it, which is how a waiter learns that its task will
  // never run) and makes Run return.
  void Close();

  bool closed() const;

  // Waits until no task is due or running (a delayed task counts once it falls due), or the
  // queue is closed; false if `deadline` passes first. `started` is set to how many tasks Run
  // has begun, so that a caller watching several queues can tell whether one ran anything
  // between two of its looks.
  bool WaitIdle(Clock::time_point deadline, unsigned long long &started);

 private:
  // Moves the delayed tasks that have fallen due behind the ready ones. Needs mutex_.
  void MoveDueTasks();
  // Needs mutex_.
  bool Idle(Clock::time_point now) const;

  mutable std::mutex mutex_;
  // Signalled, under mutex_, by each post and by Close.
  std::condition_variable changed_;
  // Signalled, under mutex_, as each task ends and by Close.
  std::condition_variable task_ended_;
  // Tasks due now, in the order posted. Guarded by mutex_.
  std::deque<Task> ready_;
  // Tasks posted with a delay (a reconnection), by due time; equal due times keep the order
  // they were posted in. Guarded by mutex_.
  std::multimap<Clock::time_point, Task> delayed_;
  bool closed_ = false;             // guarded by mutex_
  bool running_ = false;            // a task is in progress; guarded by mutex_
  unsigned long long started_ = 0;  // guarded by mutex_
};

}  // namespace simtrader

#endif
