// The work list of an API object's thread: tasks run one at a time, in the order they fall
// due, on the thread that calls Run.
#ifndef SIMTRADER_API_TASK_QUEUE_H
#define SIMTRADER_API_TASK_QUEUE_H

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

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

  // Waits until no task is running. For a queue lent to another thread, the end of the task
  // that thread is running; never call it from a task of this queue.
  void WaitNotRunning();

  // Waits until no task is due or running (a delayed task counts once it falls due), or the
  // queue is closed; false if `deadline` passes first. `started` is set to how many tasks Run
  // has begun, so that a caller watching several queues can tell whether one ran anything
  // between two of its looks.
  bool WaitIdle(Clock::time_point deadline, unsigned long long &started);

  // Lends the queue to the calling thread, which then runs its tasks with RunHere until it
  // calls Return: the thread in Run takes none meanwhile. A fast replay plays every object of
  // a front on its own thread this way, with no handoff per tick. Waits until `deadline` for
  // the task in progress to end (kBusy after it), lending nothing when the queue is closed
  // or lent already. Never call it from a task of this queue, which would wait for itself.
  enum class Lending { kLent, kBusy, kLentElsewhere, kClosed };
  Lending Lend(Clock::time_point deadline);
  // Gives the queue back to the thread in Run. Another thread than the borrower may return it
  // (when the borrower stopped borrowing without saying so): it waits for the borrower's task
  // in progress to end.
  void Return();
  // On the borrowing thread: runs the tasks due now, and those they post, until none is due
  // or the queue is closed; true if it ran any. A task that throws ends it with its exception.
  bool RunHere();
  // Whether the queue is lent to the calling thread.
  bool LentHere() const {
    return borrower_.load(std::memory_order_relaxed) == std::this_thread::get_id();
  }
  // Whether the calling thread, the borrower, is inside one of the queue's tasks.
  bool RunningHere() const;
  // Whether the calling thread is inside a task of any queue lent to it.
  static bool InLentTask();
  // How many tasks have begun, on whichever thread.
  unsigned long long started() const;

 private:
  // Runs one task taken from ready_, with mutex_ held by `lock` before and after.
  void RunTask(std::unique_lock<std::mutex> &lock);
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
  // The thread the queue is lent to; none while Run's thread takes the tasks. Written under
  // mutex_; read without it only to ask whether the reader is the borrower.
  std::atomic<std::thread::id> borrower_{};
};

}  // namespace simtrader

#endif
