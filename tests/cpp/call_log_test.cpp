// The call log's storage: calls of every size, up to records larger than the log reserves at
// once, records like the one before and records nothing like it, come back whole and in
// order, and what Append returned still reads back, in any order, as the log grows.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "call_log.h"
#include "operation.h"

namespace {

using simtrader::ArgView;
using simtrader::Call;
using simtrader::CallArg;
using simtrader::CallLog;
using simtrader::Operation;

// Bytes that differ from one call to the next, zero bytes included. Some calls are all zeros,
// some sparse as a vendor record is: short runs of bytes between runs of zeros of every
// length, the last byte among them, so that runs of zeros start and end inside words.
std::string Pattern(std::size_t size, int call) {
  std::string bytes(size, '\0');
  if (call % 8 == 4) return bytes;
  const bool sparse = call % 8 == 0;
  const std::size_t period = 7 + call % 3000;
  for (std::size_t index = 0; index < size; ++index) {
    const bool kept = !sparse || index + 1 == size ||
                      (index < size / 3 && index % period < 3) ||
                      (index >= size / 2 && index < size / 2 + 5);
    if (kept) bytes[index] = static_cast<char>(index * 31 + call);
  }
  return bytes;
}

TEST(CallLog, KeepsEveryCallWholeAsItGrows) {
  // From no bytes to more than the largest chunk of storage the log takes at once.
  const std::size_t kSizes[] = {0, 1, 17, 392, 5000, 70000, std::size_t{5} << 20};
  constexpr int kCalls = 20000;
  CallLog log;
  std::vector<std::string> records;
  std::vector<const CallLog::Entry *> logged;
  for (int call = 0; call < kCalls; ++call) {
    // The large sizes now and then, the record of a request otherwise.
    const std::size_t size = call % 1000 == 0 ? kSizes[call / 1000 % std::size(kSizes)] : 392;
    if (call % 8 == 2 || call % 8 == 6) {
      // The previous order with its reference and price changed, or cut short by a few
      // bytes: the same number of words.
      std::string record = records[call - 2];
      if (record.size() > 3) record[record.size() / 3] ^= static_cast<char>(call);
      if (call % 8 == 6 && record.size() == 392) record.resize(389);
      records.push_back(record);
    } else {
      records.push_back(Pattern(size, call));
    }
    const std::string &record = records.back();
    logged.push_back(call % 2 == 0
                         ? &log.Append(Operation::ReqOrderInsert,
                                       {std::string_view(record), static_cast<long long>(call)})
                         : &log.Append(Operation::RegisterSpi, {call % 3 == 0}));
  }
  log.Append(Operation::Release, {});
  log.Append(Operation::RegisterFront, {simtrader::TextArg(nullptr)});

  const std::vector<Call> calls = log.Snapshot();
  ASSERT_EQ(calls.size(), static_cast<std::size_t>(kCalls + 2));
  for (int call = 0; call < kCalls; ++call) {
    const std::vector<CallArg> expected =
        call % 2 == 0 ? std::vector<CallArg>{records[call], static_cast<long long>(call)}
                      : std::vector<CallArg>{call % 3 == 0};
    ASSERT_EQ(calls[call].args, expected) << "call " << call;
  }
  // What Append returned reads back unchanged by what followed, read backwards too, as a
  // session reads a request whose predecessors it never handled.
  CallLog::Reader backwards;
  std::string kept = "an earlier read";
  for (int call = kCalls - 2; call >= 0; call -= 2) {
    backwards.ReadBytes(*logged[call], 0, kept);
    ASSERT_EQ(kept, records[call]) << "call " << call;
  }
  EXPECT_EQ(calls[kCalls].operation, Operation::Release);
  EXPECT_TRUE(calls[kCalls].args.empty());
  EXPECT_EQ(calls[kCalls + 1].args, std::vector<CallArg>{std::monostate{}});
}

}  // namespace
