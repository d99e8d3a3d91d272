// The call log: every kind of argument comes back as it was given, bytes copied during the
// call, and a log keeps only its last calls, oldest dropped first, whatever its capacity.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "call_log.h"
#include "operation.h"

namespace {

using simtrader::Call;
using simtrader::CallArg;
using simtrader::CallLog;
using simtrader::Operation;

TEST(CallLog, KeepsEachKindOfArgumentAsGivenWithItsBytesCopied) {
  CallLog log(10);
  std::string record(392, '\0');
  record[7] = 'x';
  log.Append(Operation::ReqOrderInsert, {std::string_view(record), 41LL});
  record[7] = 'y';
  log.Append(Operation::RegisterSpi, {false});
  log.Append(Operation::RegisterFront, {simtrader::TextArg(nullptr)});
  log.Append(Operation::RegisterNameServer, {simtrader::TextArg("tcp://h:1")});
  log.Append(Operation::Release, {});

  std::string logged_record(392, '\0');
  logged_record[7] = 'x';
  const std::vector<Call> calls = log.Snapshot();
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls[0].operation, Operation::ReqOrderInsert);
  EXPECT_EQ(calls[0].args, (std::vector<CallArg>{logged_record, 41LL}));
  EXPECT_EQ(calls[1].args, std::vector<CallArg>{false});
  EXPECT_EQ(calls[2].args, std::vector<CallArg>{std::monostate{}});
  EXPECT_EQ(calls[3].args, std::vector<CallArg>{std::string("tcp://h:1")});
  EXPECT_EQ(calls[4].operation, Operation::Release);
  EXPECT_TRUE(calls[4].args.empty());
}

class CallLogCapacity : public testing::TestWithParam<std::size_t> {};

TEST_P(CallLogCapacity, KeepsTheLastCallsInOrder) {
  const std::size_t capacity = GetParam();
  constexpr long long kCalls = 1000;
  CallLog log(capacity);
  for (long long call = 0; call < kCalls; ++call) {
    log.Append(Operation::ReqQryOrder, {std::string_view("q"), call});
  }
  const std::vector<Call> calls = log.Snapshot();
  const std::size_t kept = std::min<std::size_t>(capacity, kCalls);
  ASSERT_EQ(calls.size(), kept);
  for (std::size_t index = 0; index < kept; ++index) {
    EXPECT_EQ(std::get<long long>(calls[index].args[1]),
              kCalls - static_cast<long long>(kept) + static_cast<long long>(index));
  }
}

INSTANTIATE_TEST_SUITE_P(Capacities, CallLogCapacity, testing::Values(0, 1, 7, 1000, 5000));

}  // namespace
