// Every request (the 95 of requests.def and the two user-system-info operations): logged with
// the caller's record, handed to the object's thread, and intercepted by an armed failure.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "operation.h"
#include "sim_test_support.h"

namespace {

using simtest::LoggedCall;
using simtest::RecordingRequests;
using simtest::SimApi;
using simtrader::CallArg;
using simtrader::Operation;

struct RequestRow {
  Operation operation;
  bool has_request_id;
};

const RequestRow kRequests[] = {
#define REQUEST(Name, Record, Param, ...) {Operation::Name, true},
#define USER_SYSTEM_INFO(Name) {Operation::Name, false},
#include "requests.def"
};

// A record whose every byte says which request and which call it belongs to, so that a mix-up
// of records or sizes shows.
std::string PatternRecord(const RequestRow &row, int call) {
  std::string bytes(simtest::RequestRecordSize(row.operation), '\0');
  for (std::size_t index = 0; index < bytes.size(); ++index) {
    bytes[index] = static_cast<char>(index * 7 + static_cast<int>(row.operation) * 13 + call);
  }
  return bytes;
}

class EveryRequest : public testing::TestWithParam<RequestRow> {
 protected:
  // Sends a pattern record through the vendor operation; returns its result.
  int Send(CThostFtdcTraderApi &api, int call, int request_id) {
    std::string bytes = PatternRecord(GetParam(), call);
    // The library reads the record where the vendor would: in the caller's memory.
    std::vector<double> aligned(bytes.size() / sizeof(double) + 1);
    std::memcpy(aligned.data(), bytes.data(), bytes.size());
    return simtest::CallRequest(api, GetParam().operation, aligned.data(), request_id);
  }

  std::vector<CallArg> ExpectedArgs(int call, int request_id) const {
    std::vector<CallArg> args{PatternRecord(GetParam(), call)};
    if (GetParam().has_request_id) args.emplace_back(static_cast<long long>(request_id));
    return args;
  }

  const char *name() const { return simtrader::OperationName(GetParam().operation); }
};

TEST_P(EveryRequest, IsLoggedThenFailedAsArmedOrHandedToTheObjectsThread) {
  RecordingRequests requests;
  SimApi api;
  ASSERT_EQ(quorvan_sim_fail_next(api.flow_path().c_str(), name(), -3), QUORVAN_SIM_OK);

  // Made before Init: the second waits in the queue for the thread; the first sends nothing.
  EXPECT_EQ(Send(*api, 1, 7), -3);
  EXPECT_EQ(Send(*api, 2, 8), 0);
  api.Start();

  ASSERT_TRUE(requests.WaitForCount(1));
  const RecordingRequests::Handled handled = requests.handled().at(0);
  EXPECT_EQ(handled.operation, GetParam().operation);
  EXPECT_EQ(handled.record, PatternRecord(GetParam(), 2));
  EXPECT_EQ(handled.request_id, GetParam().has_request_id ? std::optional<int>(8) : std::nullopt);
  EXPECT_EQ(handled.thread, api.spi().received().at(0).thread);
  EXPECT_NE(handled.thread, std::this_thread::get_id());

  const std::vector<LoggedCall> logged = simtest::LoggedCalls(api.flow_path()).value();
  ASSERT_EQ(logged.size(), 4u);  // RegisterSpi, the two requests, Init
  EXPECT_EQ(logged[1].operation, name());
  EXPECT_EQ(logged[1].args, ExpectedArgs(1, 7));
  EXPECT_EQ(logged[2].args, ExpectedArgs(2, 8));
}

INSTANTIATE_TEST_SUITE_P(RequestsTable, EveryRequest, testing::ValuesIn(kRequests),
                         [](const testing::TestParamInfo<RequestRow> &info) {
                           return std::string(simtrader::OperationName(info.param.operation));
                         });

TEST(RequestRecord, NullIsLoggedAndRefusedUnread) {
  RecordingRequests requests;
  SimApi api;
  api.Start();
  EXPECT_EQ(api->ReqOrderInsert(nullptr, 3), -1);
  CThostFtdcQryOrderField query{};
  EXPECT_EQ(api->ReqQryOrder(&query, 4), 0);

  // Requests are handled in order, so had the null one been sent it would come first.
  ASSERT_TRUE(requests.WaitForCount(1));
  EXPECT_EQ(requests.handled().at(0).operation, Operation::ReqQryOrder);
  const std::vector<LoggedCall> logged = simtest::LoggedCalls(api.flow_path()).value();
  ASSERT_GE(logged.size(), 2u);
  EXPECT_EQ(logged[logged.size() - 2].args, (std::vector<CallArg>{std::monostate{}, 3LL}));
}

}  // namespace
