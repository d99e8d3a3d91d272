// The work list of an API object's thread: it runs every post of every thread in that
// thread's order without losing a wake-up, runs a delayed task once due, and drops on Close
// what has not run.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "sim_test_support.h"
#include "api/task_queue.h"

namespace {

using simtrader::TaskQueue;
using namespace std::chrono_literals;

// What a test's tasks record, read once as many have run as it waits for.
class Journal {
 public:
  void Note(std::string entry) {
    std::lock_guard<std::mutex> lock(mutex_);
    entries_.push_back(std::move(entry));
    changed_.notify_all();
  }

  // The entries once there are `count`; what there is after simtest::kPatience.
  std::vector<std::string> WaitFor(std::size_t count) {
    std::unique_lock<std::mutex> lock(mutex_);
    simtest::WaitUntil(changed_, lock, [&] { return entries_.size() >= count; });
    return entries_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> entries_;
};

// Runs the queue on a thread of its own until the test ends.
class Runner {
 public:
  explicit Runner(TaskQueue &queue) : queue_(queue), thread_([&queue] { queue.Run(); }) {}
  ~Runner() {
    queue_.Close();
    thread_.join();
  }

 private:
  TaskQueue &queue_;
  std::thread thread_;
};

TEST(TaskQueue, RunsThePostsOfManyThreadsEachInItsOrder) {
  constexpr int kThreads = 4;
  constexpr int kPerThread = 20000;
  TaskQueue queue;
  Journal journal;
  std::vector<int> next_of_thread(kThreads, 0);  // touched by the tasks only
  Runner runner(queue);
  std::vector<std::thread> posters;
  for (int poster = 0; poster < kThreads; ++poster) {
    posters.emplace_back([&, poster] {
      for (int index = 0; index < kPerThread; ++index) {
        queue.Post([&, poster, index] {
          if (next_of_thread[poster]++ != index) journal.Note("out of order");
          if (index == kPerThread - 1) journal.Note("done");
        });
        // Pauses let the queue run dry, so that posts find its thread running, asleep and
        // falling asleep: a lost wake-up leaves a post unrun.
        if (index % 64 == 0) std::this_thread::yield();
      }
    });
  }
  for (std::thread &poster : posters) poster.join();
  EXPECT_EQ(journal.WaitFor(kThreads), std::vector<std::string>(kThreads, "done"));
}

TEST(TaskQueue, RunsDelayedTasksOnceDueInTheOrderTheyFallDue) {
  TaskQueue queue;
  Journal journal;
  queue.Post([&] { journal.Note("an hour"); }, 1h);
  Runner runner(queue);
  queue.Post([&] { journal.Note("now"); });
  ASSERT_EQ(journal.WaitFor(1), std::vector<std::string>{"now"});
  // The thread runs dry and sleeps until the hour is up, which a shorter delay must cut short.
  // Only the chance of catching a queue that oversleeps depends on the thread being asleep
  // by now.
  for (int turn = 0; turn < 1000; ++turn) std::this_thread::yield();
  const TaskQueue::Clock::time_point posted = TaskQueue::Clock::now();
  queue.Post(
      [&] { journal.Note(TaskQueue::Clock::now() - posted >= 30ms ? "30 ms" : "30 ms too soon"); },
      30ms);
  queue.Post([&] { journal.Note("10 ms"); }, 10ms);
  EXPECT_EQ(journal.WaitFor(3), (std::vector<std::string>{"now", "10 ms", "30 ms"}));
}

TEST(TaskQueue, CloseFromATaskDropsTheTasksThatHaveNotRun) {
  TaskQueue queue;
  auto sentinel = std::make_shared<int>(0);
  std::weak_ptr<int> watched = sentinel;
  // Close from the first task must stop the second, queued behind it.
  bool second_ran = false;
  ASSERT_TRUE(queue.Post([&] { queue.Close(); }));
  ASSERT_TRUE(queue.Post([&, held = std::move(sentinel)] { second_ran = true; }));
  queue.Run();
  EXPECT_FALSE(second_ran);
  // Destroying the task is what tells a waiter that it will never run.
  EXPECT_TRUE(watched.expired());
}

TEST(TaskQueue, CloseDropsPendingTasksAndRefusesNewOnes) {
  TaskQueue queue;
  auto sentinel = std::make_shared<int>(0);
  std::weak_ptr<int> watched = sentinel;
  ASSERT_TRUE(queue.Post([held = std::move(sentinel)] { ++*held; }, 1h));
  std::thread runner([&] { queue.Run(); });
  queue.Close();
  runner.join();
  EXPECT_TRUE(watched.expired());
  EXPECT_FALSE(queue.Post([] {}));
}

}  // namespace

namespace {

TEST(TaskQueue, ALentQueueRunsOnTheBorrowerOnlyUntilReturned) {
  TaskQueue queue;
  Journal journal;
  std::thread::id worker;
  Runner runner(queue);
  queue.Post([&] {
    worker = std::this_thread::get_id();
    journal.Note("before");
  });
  ASSERT_EQ(journal.WaitFor(1).size(), 1u);
  const auto forever = TaskQueue::Clock::time_point::max();
  ASSERT_EQ(queue.Lend(forever), TaskQueue::Lending::kLent);
  EXPECT_EQ(queue.Lend(forever), TaskQueue::Lending::kLentElsewhere);  // lent once at a time
  std::vector<std::thread::id> ran_on;
  for (int task = 0; task < 3; ++task) {
    queue.Post([&] {
      ran_on.push_back(std::this_thread::get_id());
      // A task's own posts run within the same RunHere.
      if (ran_on.size() == 1) queue.Post([&] { ran_on.push_back(std::this_thread::get_id()); });
    });
  }
  EXPECT_TRUE(queue.RunHere());
  EXPECT_EQ(ran_on, std::vector<std::thread::id>(4, std::this_thread::get_id()));
  EXPECT_FALSE(queue.RunHere());
  queue.Return();
  std::thread::id after;
  queue.Post([&] {
    after = std::this_thread::get_id();
    journal.Note("after");
  });
  ASSERT_EQ(journal.WaitFor(2).size(), 2u);
  EXPECT_EQ(after, worker);
}

}  // namespace
