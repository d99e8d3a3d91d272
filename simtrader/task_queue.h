// The work list of an API object's thread: tasks run one at a time, in the order they fall
// due, on the thread that calls Run.
#ifndef SIMTRADER_TASK_QUEUE_H
#define SIMTRADER_TASK_QUEUE_H

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <vector>

#include "spin_lock.h"
#include "task.h"

namespace simtrader {

class TaskQueue {
 public:
  using Clock = std::chrono::steady_clock;

  // Returns false, dropping the task, once the queue is closed. Never waits for the thread
  // that runs the tasks.
  bool Post(Task task, Clock::duration delay = Clock::duration::zero());

  // Runs tasks until Close; returns after the task in progress when it is closed. A task
  // that throws ends Run with its exception.
  void Run();

  // Drops every pending task (destroying it, which is how a waiter learns that its task will
  // never run) and makes Run return.
  void Close();

  bool closed() const { return closed_.load(); }

 private:
  // Moves the delayed tasks that have fallen due behind the ready ones. Needs lock_.
  void ReleaseDueTasks();
  // Waits for a post, Close, or the next delayed task to fall due.
  void Sleep();
  void Wake();

  // Guards the task lists, which each side holds for a few instructions only.
  SpinLock lock_;
  // Tasks due now, in the order posted: nearly every task. Run swaps the whole list for an
  // empty one and runs it outside the lock, so a burst of posts costs the thread one wake-up,
  // and both lists keep their storage, so posting allocates nothing once they have grown.
  std::vector<Task> ready_;
  // Tasks posted with a delay (a reconnection): rare, so an ordered map will do. Tasks with
  // equal due times keep the order they were posted in.
  std::multimap<Clock::time_point, Task> delayed_;
  // Set under lock_, so that a post is either refused or dropped by Close.
  std::atomic<bool> closed_{false};

  // Whether Run is asleep or about to be. Only the post that finds it so wakes it: waking a
  // running thread would cost the poster a system call for nothing.
  std::atomic<bool> sleeping_{false};
  std::mutex sleep_mutex_;
  std::condition_variable wake_;
};

}  // namespace simtrader

#endif
