// The library's threading guarantees: requests from any thread never block, a detached
// handler hears nothing more, Release works from the callback thread, and objects come and go
// without leaks or races.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <future>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim_test_support.h"

namespace {

using simtest::Eventually;
using simtest::Received;
using simtest::RecordingRequests;
using simtest::SimApi;

bool LogContains(const std::string &flow_path, const std::string &operation, std::size_t times) {
  const std::vector<std::string> names = simtest::LoggedOperations(flow_path);
  return static_cast<std::size_t>(std::count(names.begin(), names.end(), operation)) >= times;
}

int EmitBare(const SimApi &api, const char *event, long long count = 1) {
  return quorvan_sim_emit(api.flow_path().c_str(), event, nullptr, nullptr, 0, 0, count);
}

TEST(Requests, FromManyThreadsAndFromCallbacksAreAllHandedOnInOrder) {
  constexpr int kThreads = 4;
  constexpr int kPerThread = 200;
  constexpr int kFromCallbacks = 50;
  RecordingRequests requests;
  SimApi api;
  api.Start();
  // The object's own thread joins in from inside its callbacks.
  std::atomic<int> callback_request{0};
  api.spi().SetHook([&](const Received &event) {
    if (event.event != "OnRtnOrder") return;
    CThostFtdcQryOrderField query{};
    EXPECT_EQ(api->ReqQryOrder(&query, kThreads * kPerThread + callback_request++), 0);
  });

  std::vector<std::thread> senders;
  for (int sender = 0; sender < kThreads; ++sender) {
    senders.emplace_back([&, sender] {
      for (int index = 0; index < kPerThread; ++index) {
        CThostFtdcQryOrderField query{};
        EXPECT_EQ(api->ReqQryOrder(&query, sender * kPerThread + index), 0);
      }
    });
  }
  EXPECT_EQ(EmitBare(api, "OnRtnOrder", kFromCallbacks), QUORVAN_SIM_OK);
  for (std::thread &sender : senders) sender.join();

  constexpr int kTotal = kThreads * kPerThread + kFromCallbacks;
  ASSERT_TRUE(requests.WaitForCount(kTotal));
  std::map<int, int> last_index_of_sender;
  std::vector<bool> seen(kTotal, false);
  for (const RecordingRequests::Handled &handled : requests.handled()) {
    const int id = handled.request_id.value();
    ASSERT_GE(id, 0);
    ASSERT_LT(id, kTotal);
    EXPECT_FALSE(seen[id]) << "request " << id << " handled twice";
    seen[id] = true;
    // Each sender's requests keep the order it made them in.
    const int sender = id / kPerThread;
    auto last = last_index_of_sender.find(sender);
    if (last != last_index_of_sender.end()) {
      EXPECT_LT(last->second, id);
    }
    last_index_of_sender[sender] = id;
  }
  EXPECT_TRUE(LogContains(api.flow_path(), "ReqQryOrder", kTotal));
}

TEST(Requests, FromInsideACallbackAreAnsweredOnlyAfterItReturns) {
  RecordingRequests requests;
  SimApi api;
  bool handled_inside = true;
  api.spi().SetHook([&](const Received &event) {
    if (event.event != "OnFrontConnected") return;
    CThostFtdcReqUserLoginField login{};
    EXPECT_EQ(api->ReqUserLogin(&login, 1), 0);
    handled_inside = !requests.handled().empty();
  });
  api.Start();
  ASSERT_TRUE(requests.WaitForCount(1));
  EXPECT_FALSE(handled_inside);
}

TEST(RegisterSpi, NullFromAnotherThreadWaitsForTheRunningCallback) {
  SimApi api;
  api.Start();
  std::atomic<bool> callback_finished{false};
  api.spi().SetHook([&](const Received &event) {
    if (event.event != "OnRtnOrder") return;
    // Stay inside the callback until the detaching thread is inside RegisterSpi.
    EXPECT_TRUE(Eventually([&] { return LogContains(api.flow_path(), "RegisterSpi", 2); }));
    callback_finished = true;
  });
  std::future<int> emitted =
      std::async(std::launch::async, [&] { return EmitBare(api, "OnRtnOrder"); });
  ASSERT_TRUE(api.spi().WaitForEvent("OnRtnOrder"));

  api->RegisterSpi(nullptr);
  EXPECT_TRUE(callback_finished);
  EXPECT_EQ(emitted.get(), QUORVAN_SIM_OK);

  EXPECT_EQ(EmitBare(api, "OnRtnTrade", 10), QUORVAN_SIM_OK);
  EXPECT_EQ(api.spi().event_names(), (std::vector<std::string>{"OnFrontConnected", "OnRtnOrder"}));
}

TEST(RegisterSpi, FromInsideACallbackDoesNotWaitForItself) {
  SimApi api;
  api.Start();
  api.spi().SetHook([&](const Received &event) {
    if (event.event == "OnRtnOrder") api->RegisterSpi(nullptr);
  });
  EXPECT_EQ(EmitBare(api, "OnRtnOrder", 3), QUORVAN_SIM_OK);
  EXPECT_EQ(api.spi().event_names(), (std::vector<std::string>{"OnFrontConnected", "OnRtnOrder"}));
}

TEST(Release, FromTheCallbackThreadFinishesTheCallback) {
  SimApi api;
  api.Start();
  const std::string flow_path = api.flow_path();
  std::atomic<bool> release_returned_inside{false};
  api.spi().SetHook([&](const Received &event) {
    if (event.event != "OnRtnOrder") return;
    api.Release();
    release_returned_inside = true;
  });
  EXPECT_EQ(EmitBare(api, "OnRtnOrder", 1), QUORVAN_SIM_OK);
  EXPECT_TRUE(release_returned_inside);
  EXPECT_EQ(EmitBare(api, "OnRtnOrder"), QUORVAN_SIM_NO_SUCH_TRADER);
  const std::vector<std::string> logged = simtest::LoggedOperations(flow_path);
  EXPECT_EQ(logged.back(), "Release");
}

// Gives other threads a chance to run ahead. Only the chance of catching a fault depends on
// it; a correct library passes however the threads are scheduled.
void LetOthersRun() {
  for (int turn = 0; turn < 1000; ++turn) std::this_thread::yield();
}

TEST(Release, FromAnotherThreadWaitsForTheCallbackAndAnswersWaitingEmits) {
  constexpr std::size_t kHeardBeforeRelease = 10;
  SimApi api;
  api.Start();
  const std::string flow_path = api.flow_path();
  std::atomic<bool> second_emit_begun{false};
  std::atomic<bool> callback_returned{false};
  // The stream pauses inside a callback until Release has begun, so Release meets a callback
  // in progress, more deliveries of its emit, and another emit queued behind it.
  api.spi().SetHook([&](const Received &event) {
    if (event.event != "OnRtnOrder" || api.spi().received().size() != kHeardBeforeRelease + 1) {
      return;
    }
    EXPECT_TRUE(Eventually([&] { return second_emit_begun.load(); }));
    EXPECT_TRUE(Eventually([&] { return LogContains(flow_path, "Release", 1); }));
    LetOthersRun();
    callback_returned = true;
  });
  std::future<int> streamed =
      std::async(std::launch::async, [&] { return EmitBare(api, "OnRtnOrder", 1000); });
  ASSERT_TRUE(api.spi().WaitForCount(kHeardBeforeRelease + 1));
  std::future<int> queued_behind = std::async(std::launch::async, [&] {
    second_emit_begun = true;
    return EmitBare(api, "OnRtnTrade");
  });
  ASSERT_TRUE(Eventually([&] { return second_emit_begun.load(); }));
  LetOthersRun();

  // Released without detaching the handler first: Release itself must stop the thread.
  api->Release();
  api.ForgetReleased();
  EXPECT_TRUE(callback_returned);
  EXPECT_EQ(api.spi().received().size(), kHeardBeforeRelease + 1);
  EXPECT_EQ(streamed.get(), QUORVAN_SIM_NOT_DELIVERED);
  // Whether its task was dropped from the queue or refused, the waiting emit is answered.
  ASSERT_EQ(queued_behind.wait_for(simtest::kPatience), std::future_status::ready);
  EXPECT_NE(queued_behind.get(), QUORVAN_SIM_OK);
  EXPECT_EQ(api.spi().received().size(), kHeardBeforeRelease + 1);
}

TEST(Lifecycle, ManyObjectsComeAndGo) {
  for (int round = 0; round < 60; ++round) {
    {
      SimApi never_started;
      CThostFtdcQryOrderField query{};
      EXPECT_EQ(never_started->ReqQryOrder(&query, round), 0);
    }
    {
      // Released while its thread may still be connecting.
      SimApi racing;
      racing->Init();
    }
    {
      SimApi used;
      used.Start();
      CThostFtdcInputOrderField order{};
      EXPECT_EQ(used->ReqOrderInsert(&order, round), 0);
      EXPECT_EQ(EmitBare(used, "OnRtnOrder", 3), QUORVAN_SIM_OK);
      EXPECT_EQ(quorvan_sim_disconnect(used.flow_path().c_str(), 1, 0.0), QUORVAN_SIM_OK);
    }
    {
      SimApi self_releasing;
      const std::string flow_path = self_releasing.flow_path();
      std::atomic<bool> released{false};
      self_releasing.spi().SetHook([&](const Received &event) {
        if (event.event != "OnFrontConnected") return;
        self_releasing.Release();
        released = true;
      });
      self_releasing->Init();
      EXPECT_TRUE(Eventually([&] { return released.load(); }));
    }
  }
}

}  // namespace
