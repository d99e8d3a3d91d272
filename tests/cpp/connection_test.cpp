// An API object's connection: made by the factory the object was created with, when Init
// starts it, from what the object was told before.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "api/api_backend.h"
#include "api/connection.h"

namespace {

class Silent final : public simtrader::Connection {
 public:
  void Handle(const simtrader::Request &) override {}
};

TEST(Connection, InitMakesItFromTheKindFlowDirectoryFirstFrontAndResumeTypes) {
  std::optional<simtrader::ConnectionContext> made;
  auto backend = std::make_shared<simtrader::ApiBackend>(
      simtrader::ApiKind::MarketData, "flow/", std::make_shared<simtrader::CallLog>(10),
      std::make_shared<simtrader::FaultPlan>(),
      [&made](const simtrader::ConnectionContext &context) {
        made = context;
        return std::make_unique<Silent>();
      });
  backend->RegisterFront("tcp://127.0.0.1:1");
  backend->RegisterFront("tcp://127.0.0.1:2");
  backend->SubscribePrivateTopic(THOST_TERT_RESTART);
  backend->SubscribePublicTopic(THOST_TERT_NONE);
  EXPECT_FALSE(made);
  backend->Init();
  backend->Release();
  ASSERT_TRUE(made);
  EXPECT_EQ(made->kind, simtrader::ApiKind::MarketData);
  EXPECT_EQ(made->flow_path, "flow/");
  EXPECT_EQ(made->front_address, "tcp://127.0.0.1:1");
  EXPECT_EQ(made->private_resume_type, THOST_TERT_RESTART);
  EXPECT_EQ(made->public_resume_type, THOST_TERT_NONE);
  EXPECT_TRUE(made->mailbox);
}

}  // namespace
