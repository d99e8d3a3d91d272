#include "sim_test_support.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <utility>

namespace simtest {

bool Eventually(const std::function<bool()> &condition) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

std::string UniqueFlowPath(const std::string &con) {
  static std::atomic<int> counter{0};
  const testing::TestInfo *test = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = test != nullptr ? std::string(test->test_suite_name()) + "." + test->name()
                                     : std::string("outside-a-test");
  return "simtrader-test-" + std::to_string(getpid()) + "/" + name + "-" +
         std::to_string(counter++) + "/" + con;
}

std::vector<Received> EventRecorder::received() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return received_;
}

std::vector<std::string> EventRecorder::event_names() const {
  std::vector<std::string> names;
  for (const Received &event : received()) names.push_back(event.event);
  return names;
}

bool EventRecorder::WaitForCount(std::size_t count) {
  std::unique_lock<std::mutex> lock(mutex_);
  return WaitUntil(changed_, lock, [&] { return received_.size() >= count; });
}

bool EventRecorder::WaitForEvent(const std::string &event) {
  std::unique_lock<std::mutex> lock(mutex_);
  return WaitUntil(changed_, lock, [&] {
    for (const Received &received : received_) {
      if (received.event == event) return true;
    }
    return false;
  });
}

bool EventRecorder::WaitForEvents(const std::string &event, std::size_t count) {
  std::unique_lock<std::mutex> lock(mutex_);
  return WaitUntil(changed_, lock, [&] {
    std::size_t seen = 0;
    for (const Received &received : received_) seen += received.event == event;
    return seen >= count;
  });
}

std::vector<Received> EventRecorder::Named(const std::string &event) const {
  std::vector<Received> named;
  for (const Received &received : received()) {
    if (received.event == event) named.push_back(received);
  }
  return named;
}

void EventRecorder::Note(const char *event, const void *record, std::size_t size,
                         const CThostFtdcRspInfoField *rsp_info, int number, bool is_last) {
  Received received{event, std::this_thread::get_id(), std::nullopt, std::nullopt, number, is_last};
  if (record != nullptr) received.record.emplace(static_cast<const char *>(record), size);
  if (rsp_info != nullptr) received.error_id = rsp_info->ErrorID;
  std::function<void(const Received &)> hook;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    received_.push_back(received);
    hook = hook_;
  }
  changed_.notify_all();
  if (hook) hook(received);
}

void EventRecorder::SetHook(std::function<void(const Received &)> hook) {
  std::lock_guard<std::mutex> lock(mutex_);
  hook_ = std::move(hook);
}

RecordingRequests::RecordingRequests() {
  class Handler : public simtrader::Connection {
   public:
    explicit Handler(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}
    void Handle(const simtrader::Request &request) override {
      {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->handled.push_back({request.operation, std::string(request.record),
                                    request.request_id, std::this_thread::get_id()});
      }
      shared_->changed.notify_all();
    }
    // It answers nothing, so that tests see every request as sent; the vendor's limits would
    // hold back all queries after the first.
    simtrader::FlowLimits flow_limits() const override { return simtrader::FlowLimits::None(); }

   private:
    std::shared_ptr<Shared> shared_;
  };
  simtrader::SetConnectionFactory([shared = shared_](const simtrader::ConnectionContext &) {
    return std::make_unique<Handler>(shared);
  });
}

RecordingRequests::~RecordingRequests() { simtrader::SetConnectionFactory(nullptr); }

std::vector<RecordingRequests::Handled> RecordingRequests::handled() const {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  return shared_->handled;
}

bool RecordingRequests::WaitForCount(std::size_t count) {
  std::unique_lock<std::mutex> lock(shared_->mutex);
  return WaitUntil(shared_->changed, lock, [&] { return shared_->handled.size() >= count; });
}

SimApi::SimApi()
    : flow_path_(UniqueFlowPath()),
      api_(CThostFtdcTraderApi::CreateFtdcTraderApi(flow_path_.c_str())) {
  if (api_ == nullptr) throw std::runtime_error("the factory returned null");
  api_->RegisterSpi(&spi_);
}

SimApi::~SimApi() { Release(); }

void SimApi::Start() {
  api_->Init();
  if (!spi_.WaitForEvent("OnFrontConnected")) ADD_FAILURE() << "no OnFrontConnected";
}

void SimApi::Release() {
  if (api_ == nullptr) return;
  api_->RegisterSpi(nullptr);
  api_->Release();
  api_ = nullptr;
}

std::string UniqueFront() {
  static std::atomic<int> counter{0};
  return "tcp://simtrader-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++) +
         ":1";
}

SimMdApi::SimMdApi(const std::string &front)
    : flow_path_(UniqueFlowPath("md.con/")),
      api_(CThostFtdcMdApi::CreateFtdcMdApi(flow_path_.c_str())) {
  if (api_ == nullptr) throw std::runtime_error("the factory returned null");
  api_->RegisterSpi(&spi_);
  if (!front.empty()) {
    std::string address = front;
    api_->RegisterFront(address.data());
  }
}

SimMdApi::~SimMdApi() { Release(); }

void SimMdApi::Start() {
  api_->Init();
  if (!spi_.WaitForEvent("OnFrontConnected")) ADD_FAILURE() << "no OnFrontConnected";
}

CThostFtdcRspUserLoginField SimMdApi::LogIn() {
  const std::size_t answered = spi_.Named("OnRspUserLogin").size();
  CThostFtdcReqUserLoginField login{};
  EXPECT_EQ(api_->ReqUserLogin(&login, 1), 0);
  if (!spi_.WaitForEvents("OnRspUserLogin", answered + 1)) {
    ADD_FAILURE() << "no OnRspUserLogin";
    return {};
  }
  return RecordOf<CThostFtdcRspUserLoginField>(spi_.Named("OnRspUserLogin").back());
}

int SimMdApi::Subscribe(const std::vector<std::string> &ids, simtrader::Operation operation) {
  std::vector<std::string> texts = ids;
  std::vector<char *> pointers;
  for (std::string &text : texts) pointers.push_back(text.data());
  const int count = static_cast<int>(pointers.size());
  switch (operation) {
#define SUBSCRIPTION(Name, ...)    \
  case simtrader::Operation::Name: \
    return api_->Name(pointers.data(), count);
#include "md_requests.def"
    default:
      ADD_FAILURE() << simtrader::OperationName(operation) << " is not a subscription";
      return -1;
  }
}

void SimMdApi::Release() {
  if (api_ == nullptr) return;
  api_->RegisterSpi(nullptr);
  api_->Release();
  api_ = nullptr;
}

int CallRequest(CThostFtdcTraderApi &api, simtrader::Operation operation, void *record,
                int request_id) {
  switch (operation) {
#define REQUEST(Name, Record, Param, ...) \
  case simtrader::Operation::Name:        \
    return api.Name(static_cast<CThostFtdc##Record##Field *>(record), request_id);
#define USER_SYSTEM_INFO(Name)     \
  case simtrader::Operation::Name: \
    return api.Name(static_cast<CThostFtdcUserSystemInfoField *>(record));
#include "requests.def"
    default:
      ADD_FAILURE() << simtrader::OperationName(operation) << " is not a request";
      return -1;
  }
}

std::size_t RequestRecordSize(simtrader::Operation operation) {
  switch (operation) {
#define REQUEST(Name, Record, Param, ...) \
  case simtrader::Operation::Name:        \
    return sizeof(CThostFtdc##Record##Field);
#define USER_SYSTEM_INFO(Name)     \
  case simtrader::Operation::Name: \
    return sizeof(CThostFtdcUserSystemInfoField);
#include "requests.def"
    default:
      ADD_FAILURE() << simtrader::OperationName(operation) << " is not a request";
      return 0;
  }
}

std::optional<std::vector<LoggedCall>> LoggedCalls(const std::string &flow_path) {
  quorvan_sim_calls *calls = quorvan_sim_calls_open(flow_path.c_str());
  if (calls == nullptr) return std::nullopt;
  std::vector<LoggedCall> logged;
  for (std::size_t call = 0; call < quorvan_sim_calls_count(calls); ++call) {
    LoggedCall entry{quorvan_sim_call_operation(calls, call), {}};
    for (std::size_t arg = 0; arg < quorvan_sim_call_arg_count(calls, call); ++arg) {
      switch (quorvan_sim_call_arg_kind(calls, call, arg)) {
        case QUORVAN_SIM_ARG_NONE:
          entry.args.emplace_back(std::monostate{});
          break;
        case QUORVAN_SIM_ARG_BOOL:
          entry.args.emplace_back(quorvan_sim_call_arg_int(calls, call, arg) != 0);
          break;
        case QUORVAN_SIM_ARG_INT:
          entry.args.emplace_back(quorvan_sim_call_arg_int(calls, call, arg));
          break;
        case QUORVAN_SIM_ARG_TEXTS: {
          simtrader::CallTexts texts;
          for (std::size_t text = 0; text < quorvan_sim_call_arg_text_count(calls, call, arg);
               ++text) {
            std::size_t size = 0;
            const void *bytes = quorvan_sim_call_arg_text(calls, call, arg, text, &size);
            texts.push_back(bytes != nullptr ? std::optional<std::string>(std::string(
                                                   static_cast<const char *>(bytes), size))
                                             : std::nullopt);
          }
          entry.args.emplace_back(std::move(texts));
          break;
        }
        case QUORVAN_SIM_ARG_BYTES: {
          std::size_t size = 0;
          const void *bytes = quorvan_sim_call_arg_bytes(calls, call, arg, &size);
          entry.args.emplace_back(std::string(static_cast<const char *>(bytes), size));
          break;
        }
        default:
          ADD_FAILURE() << "argument " << arg << " of call " << call << " has no kind";
      }
    }
    logged.push_back(std::move(entry));
  }
  quorvan_sim_calls_close(calls);
  return logged;
}

std::vector<std::string> LoggedOperations(const std::string &flow_path) {
  std::vector<std::string> names;
  for (const LoggedCall &call : LoggedCalls(flow_path).value_or(std::vector<LoggedCall>{})) {
    names.push_back(call.operation);
  }
  return names;
}

}  // namespace simtest
