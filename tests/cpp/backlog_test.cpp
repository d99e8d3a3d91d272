// What piles up behind a slow handler: the broker's answers waiting for the object's thread
// stay bounded, also when a batch of requests holds its answers until it ends, requests
// beyond what the object holds unprocessed are refused with -2, every request that returned
// 0 is answered in full, in order, and the requests waiting together are handed on together.
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "api/api_backend.h"
#include "sim_test_support.h"

namespace {

using simtest::Received;
using simtest::SimApi;
using simtrader::ApiBackend;

// How a batch's answers leave the handler: each as it is made, or all at the batch's end,
// as the broker sends them once their commit has kept them.
enum class Answers { AsMade, AtBatchEnd };

// Answers each query with `answers` OnRspQryOrder events posted one by one, as the broker
// answers an order query, and keeps the most events it ever had waiting for the thread and
// the size of each batch it was given.
class AnsweringRequests {
 public:
  explicit AnsweringRequests(int answers, Answers sent = Answers::AsMade) {
    simtrader::SetConnectionFactory(
        [shared = shared_, answers, sent](const simtrader::ConnectionContext &context) {
          return std::make_unique<Handler>(shared, context.mailbox, answers, sent);
        });
  }
  ~AnsweringRequests() { simtrader::SetConnectionFactory(nullptr); }

  std::size_t peak_waiting() const {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->peak_waiting;
  }
  std::vector<std::size_t> batches() const {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->batches;
  }

 private:
  struct Shared {
    std::mutex mutex;
    std::size_t waiting = 0;
    std::size_t peak_waiting = 0;
    std::vector<std::size_t> batches;
  };

  class Handler : public simtrader::Connection {
   public:
    Handler(std::shared_ptr<Shared> shared, std::shared_ptr<simtrader::ApiMailbox> mailbox,
            int answers, Answers sent)
        : shared_(std::move(shared)),
          mailbox_(std::move(mailbox)),
          answers_(answers),
          sent_(sent) {}

    void HandleBatch(const NextRequest &next) override {
      std::size_t size = 0;
      while (std::optional<simtrader::Request> request = next(held_.size())) {
        ++size;
        Handle(*request);
      }
      for (simtrader::ApiMailbox::Work &work : held_) mailbox_->Post(std::move(work));
      held_.clear();
      std::lock_guard<std::mutex> lock(shared_->mutex);
      shared_->batches.push_back(size);
    }

    void Handle(const simtrader::Request &request) override {
      for (int index = 0; index < answers_; ++index) {
        {
          std::lock_guard<std::mutex> lock(shared_->mutex);
          shared_->peak_waiting = std::max(shared_->peak_waiting, ++shared_->waiting);
        }
        simtrader::EventArgs args;
        args.number = *request.request_id;
        args.is_last = index + 1 == answers_;
        simtrader::ApiMailbox::Work answer = [shared = shared_,
                                              args](simtrader::EventRaiser &raiser) mutable {
          {
            std::lock_guard<std::mutex> lock(shared->mutex);
            --shared->waiting;
          }
          raiser.Raise(static_cast<int>(simtrader::EventId::OnRspQryOrder), args);
        };
        if (sent_ == Answers::AtBatchEnd) {
          held_.push_back(std::move(answer));
        } else {
          mailbox_->Post(std::move(answer));
        }
      }
    }
    simtrader::FlowLimits flow_limits() const override { return simtrader::FlowLimits::None(); }

   private:
    const std::shared_ptr<Shared> shared_;
    const std::shared_ptr<simtrader::ApiMailbox> mailbox_;
    const int answers_;
    const Answers sent_;
    std::vector<simtrader::ApiMailbox::Work> held_;
  };

  const std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
};

// Holds the object's thread inside the first OnRspQryOrder until Open.
class Gate {
 public:
  explicit Gate(SimApi &api) {
    api.spi().SetHook([this](const Received &event) {
      if (event.event != "OnRspQryOrder") return;
      std::unique_lock<std::mutex> lock(mutex_);
      entered_ = true;
      changed_.notify_all();
      EXPECT_TRUE(simtest::WaitUntil(changed_, lock, [this] { return open_; }));
    });
  }
  bool WaitEntered() {
    std::unique_lock<std::mutex> lock(mutex_);
    return simtest::WaitUntil(changed_, lock, [this] { return entered_; });
  }
  void Open() {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool entered_ = false;
  bool open_ = false;
};

// The object hears OnFrontConnected, then only answers: counting all events is cheap where
// counting one kind would scan them all at each event.
bool WaitForAnswers(SimApi &api, int answers) { return api.spi().WaitForCount(1 + answers); }

int Query(SimApi &api, int request_id) {
  CThostFtdcQryOrderField query{};
  return api->ReqQryOrder(&query, request_id);
}

// Each request's answers arrive whole and in order, the requests in the order sent.
void ExpectAnsweredInFull(SimApi &api, int requests, int answers) {
  const std::vector<Received> got = api.spi().Named("OnRspQryOrder");
  ASSERT_EQ(got.size(), static_cast<std::size_t>(requests) * answers);
  for (std::size_t index = 0; index < got.size(); ++index) {
    ASSERT_EQ(got[index].number, static_cast<int>(index / answers)) << "answer " << index;
    ASSERT_EQ(got[index].is_last, (index + 1) % answers == 0) << "answer " << index;
  }
}

class BacklogOfAnswers : public testing::TestWithParam<Answers> {};

TEST_P(BacklogOfAnswers, StaysBoundedBehindABlockedHandlerAndAllAreRaised) {
  constexpr int kAnswers = 100;
  constexpr int kRequests = 3 * ApiBackend::kEventsWaitingBound / kAnswers;
  AnsweringRequests broker(kAnswers, GetParam());
  SimApi api;
  Gate gate(api);
  api.Start();
  for (int id = 0; id < kRequests; ++id) ASSERT_EQ(Query(api, id), 0);
  ASSERT_TRUE(gate.WaitEntered());
  gate.Open();
  ASSERT_TRUE(WaitForAnswers(api, kRequests * kAnswers));
  EXPECT_LE(broker.peak_waiting(), ApiBackend::kEventsWaitingBound + kAnswers);
  ExpectAnsweredInFull(api, kRequests, kAnswers);
}

INSTANTIATE_TEST_SUITE_P(Sent, BacklogOfAnswers,
                         testing::Values(Answers::AsMade, Answers::AtBatchEnd),
                         [](const testing::TestParamInfo<Answers> &info) {
                           return info.param == Answers::AsMade ? "AsMade" : "AtBatchEnd";
                         });

// What waited behind a busy thread is handed on in batches of the most the object gives at
// once, and answered in order.
TEST(Backlog, RequestsWaitingTogetherAreHandedOnTogether) {
  constexpr int kWaiting = ApiBackend::kBatchedRequestsBound + 10;
  AnsweringRequests broker(1, Answers::AtBatchEnd);
  SimApi api;
  Gate gate(api);
  api.Start();
  ASSERT_EQ(Query(api, 0), 0);
  ASSERT_TRUE(gate.WaitEntered());
  for (int id = 1; id <= kWaiting; ++id) ASSERT_EQ(Query(api, id), 0);
  gate.Open();
  ASSERT_TRUE(WaitForAnswers(api, kWaiting + 1));
  ExpectAnsweredInFull(api, kWaiting + 1, 1);
  std::vector<std::size_t> batches = broker.batches();
  // The handlings posted for requests an earlier batch took find nothing.
  batches.erase(std::remove(batches.begin(), batches.end(), 0u), batches.end());
  EXPECT_EQ(batches, (std::vector<std::size_t>{1, ApiBackend::kBatchedRequestsBound, 10}));
}

TEST(Backlog, RequestsBeyondTheUnprocessedBoundReturnMinus2AndTheRestAreAnswered) {
  constexpr int kHeld = static_cast<int>(ApiBackend::kUnhandledRequestsBound);
  AnsweringRequests broker(1);
  SimApi api;
  Gate gate(api);
  api.Start();
  ASSERT_EQ(Query(api, 0), 0);
  ASSERT_TRUE(gate.WaitEntered());
  for (int id = 1; id <= kHeld; ++id) ASSERT_EQ(Query(api, id), 0);
  EXPECT_EQ(Query(api, kHeld + 1), -2);
  CThostFtdcInputOrderField order{};
  EXPECT_EQ(api->ReqOrderInsert(&order, kHeld + 2), -2);
  gate.Open();
  ASSERT_TRUE(WaitForAnswers(api, kHeld + 1));
  // Room again once the thread has caught up.
  EXPECT_EQ(Query(api, kHeld + 1), 0);
  ASSERT_TRUE(WaitForAnswers(api, kHeld + 2));
  ExpectAnsweredInFull(api, kHeld + 2, 1);
}

}  // namespace
