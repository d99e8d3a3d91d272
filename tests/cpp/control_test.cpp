// The call log across objects, fault arming through the C interface, and disconnect.
#include <gtest/gtest.h>

#include <functional>
#include <ios>
#include <new>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

#include "sim_test_support.h"

namespace {

using simtest::Received;
using simtest::SimApi;
using simtrader::Operation;

TEST(CallLog, OutlivesReleaseUntilTheDirectoryIsReused) {
  std::string flow_path;
  {
    SimApi first;
    flow_path = first.flow_path();
    first->Init();
  }
  EXPECT_EQ(simtest::LoggedOperations(flow_path),
            (std::vector<std::string>{"RegisterSpi", "Init", "RegisterSpi", "Release"}));

  CThostFtdcTraderApi *second = CThostFtdcTraderApi::CreateFtdcTraderApi(flow_path.c_str());
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(simtest::LoggedOperations(flow_path).empty());
  second->Release();
  EXPECT_EQ(simtest::LoggedOperations(flow_path), std::vector<std::string>{"Release"});
}

// Every operation of an API object, by name, with harmless arguments.
void CallObjectOperation(CThostFtdcTraderApi &api, Operation operation) {
  char address[] = "tcp://127.0.0.1:1";
  CThostFtdcFensUserInfoField fens{};
  switch (operation) {
    case Operation::Release:
      api.Release();
      return;
    case Operation::Init:
      api.Init();
      return;
    case Operation::Join:
      api.Join();
      return;
    case Operation::GetTradingDay:
      api.GetTradingDay();
      return;
    case Operation::RegisterFront:
      api.RegisterFront(address);
      return;
    case Operation::RegisterNameServer:
      api.RegisterNameServer(address);
      return;
    case Operation::RegisterFensUserInfo:
      api.RegisterFensUserInfo(&fens);
      return;
    case Operation::RegisterSpi:
      api.RegisterSpi(nullptr);
      return;
    case Operation::SubscribePrivateTopic:
      api.SubscribePrivateTopic(THOST_TERT_QUICK);
      return;
    case Operation::SubscribePublicTopic:
      api.SubscribePublicTopic(THOST_TERT_QUICK);
      return;
    default: {
      std::vector<double> record(simtest::RequestRecordSize(operation) / sizeof(double) + 1);
      simtest::CallRequest(api, operation, record.data(), 1);
    }
  }
}

std::vector<Operation> ObjectOperations() {
  std::vector<Operation> operations;
  for (int index = 0; index < simtrader::kOperationCount; ++index) {
    const auto operation = static_cast<Operation>(index);
    if (simtrader::IsOperationOf(operation, simtrader::ApiKind::Trader) &&
        !simtrader::IsStatic(operation)) {
      operations.push_back(operation);
    }
  }
  return operations;
}

class EveryObjectOperation : public testing::TestWithParam<Operation> {};

TEST_P(EveryObjectOperation, ThrowsWhenArmedAndIsStillLogged) {
  SimApi api;
  const char *name = simtrader::OperationName(GetParam());
  ASSERT_EQ(quorvan_sim_throw_next(api.flow_path().c_str(), name, "runtime_error", name),
            QUORVAN_SIM_OK);
  try {
    CallObjectOperation(*api, GetParam());
    ADD_FAILURE() << name << " did not throw";
  } catch (const std::runtime_error &error) {
    EXPECT_STREQ(error.what(), name);
  }
  EXPECT_EQ(simtest::LoggedOperations(api.flow_path()).back(), name);
}

INSTANTIATE_TEST_SUITE_P(OperationsTable, EveryObjectOperation,
                         testing::ValuesIn(ObjectOperations()),
                         [](const testing::TestParamInfo<Operation> &info) {
                           return std::string(simtrader::OperationName(info.param));
                         });

struct ThrowKindRow {
  const char *kind;
  // Whether the exception is of the type the kind names and carries the armed message.
  std::function<bool(const std::function<void()> &)> throws_it;
};

template <typename Exception>
bool Throws(const std::function<void()> &call) {
  try {
    call();
  } catch (const Exception &error) {
    return std::string(error.what()).find("armed text") != std::string::npos;
  } catch (...) {
  }
  return false;
}

bool ThrowsNonStandard(const std::function<void()> &call) {
  try {
    call();
  } catch (const std::exception &) {
    return false;
  } catch (...) {
    return true;
  }
  return false;
}

const ThrowKindRow kThrowKinds[] = {
    {"bad_alloc", Throws<std::bad_alloc>},
    {"bad_cast", Throws<std::bad_cast>},
    {"bad_typeid", Throws<std::bad_typeid>},
    {"domain_error", Throws<std::domain_error>},
    {"invalid_argument", Throws<std::invalid_argument>},
    {"ios_base_failure", Throws<std::ios_base::failure>},
    {"out_of_range", Throws<std::out_of_range>},
    {"overflow_error", Throws<std::overflow_error>},
    {"range_error", Throws<std::range_error>},
    {"underflow_error", Throws<std::underflow_error>},
    {"runtime_error", Throws<std::runtime_error>},
    {"logic_error", Throws<std::logic_error>},
    {"unknown", ThrowsNonStandard},
};

class EveryThrowKind : public testing::TestWithParam<ThrowKindRow> {};

TEST_P(EveryThrowKind, ThrowsTheNamedException) {
  SimApi api;
  ASSERT_EQ(
      quorvan_sim_throw_next(api.flow_path().c_str(), "ReqQryOrder", GetParam().kind, "armed text"),
      QUORVAN_SIM_OK);
  CThostFtdcQryOrderField query{};
  EXPECT_TRUE(GetParam().throws_it([&] { api->ReqQryOrder(&query, 1); }));
  EXPECT_EQ(api->ReqQryOrder(&query, 2), 0);
}

INSTANTIATE_TEST_SUITE_P(KindsTable, EveryThrowKind, testing::ValuesIn(kThrowKinds),
                         [](const testing::TestParamInfo<ThrowKindRow> &info) {
                           return std::string(info.param.kind);
                         });

TEST(Faults, ArmedBeforeTheObjectExistsApplyToTheNextCreatedWithThatDirectory) {
  const std::string flow_path = simtest::UniqueFlowPath();
  ASSERT_EQ(quorvan_sim_fail_next(flow_path.c_str(), "ReqOrderInsert", -2), QUORVAN_SIM_OK);
  ASSERT_EQ(quorvan_sim_throw_next(flow_path.c_str(), "Init", "logic_error", "no start"),
            QUORVAN_SIM_OK);
  CThostFtdcTraderApi *api = CThostFtdcTraderApi::CreateFtdcTraderApi(flow_path.c_str());
  ASSERT_NE(api, nullptr);
  CThostFtdcInputOrderField order{};
  EXPECT_EQ(api->ReqOrderInsert(&order, 1), -2);
  EXPECT_EQ(api->ReqOrderInsert(&order, 2), 0);
  EXPECT_THROW(api->Init(), std::logic_error);
  api->Release();
}

TEST(Disconnect, RaisesDisconnectedThenReconnects) {
  SimApi api;
  api.Start();
  ASSERT_EQ(quorvan_sim_disconnect(api.flow_path().c_str(), 0x1001, 0.0), QUORVAN_SIM_OK);
  // OnFrontDisconnected has returned by now; OnFrontConnected follows on the thread, maybe
  // already.
  std::vector<Received> received = api.spi().received();
  ASSERT_GE(received.size(), 2u);
  EXPECT_EQ(received[1].event, "OnFrontDisconnected");
  EXPECT_EQ(received[1].number, 0x1001);
  ASSERT_TRUE(api.spi().WaitForCount(3));
  EXPECT_EQ(api.spi().received()[2].event, "OnFrontConnected");
}

TEST(Disconnect, ALaterDisconnectCancelsAnEarlierReconnection) {
  SimApi api;
  api.Start();
  // Both disconnects run inline on the object's thread, so the first one's reconnection
  // (due at once) cannot run before the second disconnect has been made.
  api.spi().SetHook([&](const Received &event) {
    if (event.event != "OnRtnOrder") return;
    EXPECT_EQ(quorvan_sim_disconnect(api.flow_path().c_str(), 1, 0.0), QUORVAN_SIM_OK);
    EXPECT_EQ(quorvan_sim_disconnect(api.flow_path().c_str(), 2, -1.0), QUORVAN_SIM_OK);
  });
  ASSERT_EQ(quorvan_sim_emit(api.flow_path().c_str(), "OnRtnOrder", nullptr, nullptr, 0, 0, 1),
            QUORVAN_SIM_OK);
  // Posted after the cancelled reconnection fell due, so it runs after it.
  ASSERT_EQ(quorvan_sim_emit(api.flow_path().c_str(), "OnRtnTrade", nullptr, nullptr, 0, 0, 1),
            QUORVAN_SIM_OK);
  EXPECT_EQ(api.spi().event_names(),
            (std::vector<std::string>{"OnFrontConnected", "OnRtnOrder", "OnFrontDisconnected",
                                      "OnFrontDisconnected", "OnRtnTrade"}));
}

}  // namespace
