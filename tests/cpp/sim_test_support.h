// What the simulated library's suites share: a callback handler that records every event, a
// request handler that records every request, and waiting on a condition without sleeping.
#ifndef SIM_TEST_SUPPORT_H
#define SIM_TEST_SUPPORT_H

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ThostFtdcMdApi.h"
#include "ThostFtdcTraderApi.h"
#include "call_log.h"
#include "control.h"
#include "event_shapes.h"
#include "operation.h"
#include "api/connection.h"

namespace simtest {

// Long enough for a loaded, sanitized machine; a correct run never comes near it.
inline constexpr std::chrono::seconds kPatience{60};

// Waits on `changed` under `lock` until `ready()` holds; false after kPatience.
template <typename Ready>
bool WaitUntil(std::condition_variable &changed, std::unique_lock<std::mutex> &lock, Ready ready) {
  return changed.wait_for(lock, kPatience, ready);
}

// Polls `condition` until it holds, for what offers no notification (the call log); false
// after kPatience.
bool Eventually(const std::function<bool()> &condition);

// A flow directory no other test uses, ending in `con`; the library writes nothing there.
std::string UniqueFlowPath(const std::string &con = "td.con/");

struct Received {
  std::string event;
  std::thread::id thread;
  std::optional<std::string> record;  // the record's bytes; nullopt for a null pointer
  std::optional<int> error_id;        // pRspInfo->ErrorID; nullopt for a null pointer
  int number = 0;                     // nRequestID, nReason or nTimeLapse
  bool is_last = false;
};

// Records the events a handler class receives.
class EventRecorder {
 public:
  // `hook` runs on the callback's thread after each event is recorded: a test acts inside a
  // callback through it.
  void SetHook(std::function<void(const Received &)> hook);

  std::vector<Received> received() const;
  std::vector<std::string> event_names() const;
  // Waits until at least `count` events have arrived.
  bool WaitForCount(std::size_t count);
  bool WaitForEvent(const std::string &event);
  // Waits until `count` events named `event` have arrived.
  bool WaitForEvents(const std::string &event, std::size_t count);
  // The events named `event` so far.
  std::vector<Received> Named(const std::string &event) const;

 protected:
  void Note(const char *event, const void *record, std::size_t size,
            const CThostFtdcRspInfoField *rsp_info, int number, bool is_last);

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Received> received_;
  std::function<void(const Received &)> hook_;
};

#define SIMTEST_TAKE_RECORD(Record, Param) \
  record = Param;                          \
  size = sizeof(CThostFtdc##Record##Field);
#define SIMTEST_TAKE_INT(Record, Param) number = Param;
#define SIMTEST_TAKE_RSP_INFO(Record, Param) rsp_info = pRspInfo;
#define SIMTEST_TAKE_REQUEST_ID(Record, Param) number = nRequestID;
#define SIMTEST_TAKE_IS_LAST(Record, Param) is_last = bIsLast;
#define SIMTEST_TAKE(Kind, Record, Param) SIMTEST_TAKE_##Kind(Record, Param)
#define SIMTEST_RECORDING_EVENT(Shape, Name, Record, Param, Handler) \
  void Name(EVENT_PARAMETERS(Shape, Record, Param)) override {       \
    const void *record = nullptr;                                    \
    std::size_t size = 0;                                            \
    const CThostFtdcRspInfoField *rsp_info = nullptr;                \
    int number = 0;                                                  \
    bool is_last = false;                                            \
    EVENT_SHAPE_##Shape(SIMTEST_TAKE, Record, Param)                 \
        Note(#Name, record, size, rsp_info, number, is_last);        \
  }

// Overrides all 138 events (expanded from events.def) and records each call.
class RecordingSpi : public CThostFtdcTraderSpi, public EventRecorder {
 public:
#define EVENT SIMTEST_RECORDING_EVENT
#include "events.def"
};

// Overrides all 13 market-data events (expanded from md_events.def) and records each call.
class RecordingMdSpi : public CThostFtdcMdSpi, public EventRecorder {
 public:
#define EVENT SIMTEST_RECORDING_EVENT
#include "md_events.def"
};

// Installed as the request handler of every API object created while it lives; it lifts the
// flow limits.
class RecordingRequests {
 public:
  // A request as handled, its record copied: the library keeps the bytes only as long as the
  // object that received it.
  struct Handled {
    simtrader::Operation operation;
    std::string record;
    std::optional<int> request_id;
    std::thread::id thread;
  };

  RecordingRequests();
  ~RecordingRequests();

  std::vector<Handled> handled() const;
  bool WaitForCount(std::size_t count);

 private:
  struct Shared {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Handled> handled;
  };
  std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
};

// An API object created for a fresh flow directory with a RecordingSpi registered; released
// at the end of the test unless the test released it.
class SimApi {
 public:
  SimApi();
  ~SimApi();

  CThostFtdcTraderApi &operator*() const { return *api_; }
  CThostFtdcTraderApi *operator->() const { return api_; }
  const std::string &flow_path() const { return flow_path_; }
  RecordingSpi &spi() { return spi_; }

  // Init, then wait for OnFrontConnected.
  void Start();
  void Release();
  // For a test whose callback released the object itself.
  void ForgetReleased() { api_ = nullptr; }

 private:
  std::string flow_path_;
  RecordingSpi spi_;
  CThostFtdcTraderApi *api_;
};

// A market-data object created for a fresh flow directory (ending "md.con/") through the
// market-data library's factory, with a RecordingMdSpi registered and `front` registered
// when given; released at the end of the test unless the test released it.
class SimMdApi {
 public:
  explicit SimMdApi(const std::string &front = "");
  ~SimMdApi();

  CThostFtdcMdApi &operator*() const { return *api_; }
  CThostFtdcMdApi *operator->() const { return api_; }
  const std::string &flow_path() const { return flow_path_; }
  RecordingMdSpi &spi() { return spi_; }

  // Init, then wait for OnFrontConnected.
  void Start();
  // ReqUserLogin with an empty identity, then wait for its answer; the answer.
  CThostFtdcRspUserLoginField LogIn();
  // SubscribeMarketData (or another subscription) of `ids`; its result.
  int Subscribe(const std::vector<std::string> &ids,
                simtrader::Operation operation = simtrader::Operation::SubscribeMarketData);
  void Release();
  void ForgetReleased() { api_ = nullptr; }

 private:
  std::string flow_path_;
  RecordingMdSpi spi_;
  CThostFtdcMdApi *api_;
};

// A front address no other test uses, so that its broker is fresh.
std::string UniqueFront();

// A record of `Record` from an event's bytes.
template <typename Record>
Record RecordOf(const Received &event) {
  Record record{};
  if (event.record)
    std::memcpy(&record, event.record->data(), std::min(event.record->size(), sizeof record));
  return record;
}

// A request through its vendor operation (expanded from requests.def); a user-system-info
// operation ignores `request_id`.
int CallRequest(CThostFtdcTraderApi &api, simtrader::Operation operation, void *record,
                int request_id);
std::size_t RequestRecordSize(simtrader::Operation operation);

// One entry of a call log, read back through the C control interface.
struct LoggedCall {
  std::string operation;
  std::vector<simtrader::CallArg> args;
};

// The call log of `flow_path`; nullopt when the control interface finds none.
std::optional<std::vector<LoggedCall>> LoggedCalls(const std::string &flow_path);
std::vector<std::string> LoggedOperations(const std::string &flow_path);

}  // namespace simtest

#endif
