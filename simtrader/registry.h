// The API objects by the flow directory they were created with: how a control call finds an
// object, its call log, and the faults armed for it.
#ifndef SIMTRADER_REGISTRY_H
#define SIMTRADER_REGISTRY_H

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "call_log.h"
#include "flow/fault_plan.h"
#include "api/api_backend.h"

namespace simtrader {

// No API object (or, for a call log, none ever) with the flow directory a control call named.
class NoSuchTrader : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Whether the object talks to the broker of that front: a trader registered with it, a
// market-data object registered with a front that publishes that broker's markets.
bool Serves(const ApiBackend &backend, const std::string &front);

class Registry {
 public:
  // The one registry of the process. It is never destroyed, so a thread that ends during the
  // process's exit can still reach it.
  static Registry &Instance();

  // A new backend of that kind for flow_path. Its call log, which keeps the last KeepCalls
  // calls, replaces the one kept for the directory; the faults armed for the directory carry
  // over to it.
  std::shared_ptr<ApiBackend> CreateBackend(ApiKind kind, const std::string &flow_path);

  // What the kind's factory makes for `flow_path` (null taken as ""): a new backend, or null
  // when a failure was armed for the factory, without a flow directory (whatever the
  // directory) or with this one; an armed exception is thrown.
  std::shared_ptr<ApiBackend> CreateFromFactory(ApiKind kind, const char *flow_path);

  // The kind of the object last created with flow_path; nullopt when none was.
  std::optional<ApiKind> KindOf(const std::string &flow_path);

  // How many calls the logs of backends created from now on keep.
  void KeepCalls(std::size_t count);

  // The most recent unreleased backend created with flow_path; throws NoSuchTrader.
  std::shared_ptr<ApiBackend> FindLive(const std::string &flow_path);

  // Every backend that Init started and that is not released yet.
  std::vector<std::shared_ptr<ApiBackend>> Running();

  // The most recent backend of each flow directory if it is connected to that front.
  std::vector<std::shared_ptr<ApiBackend>> ConnectedBackends(const std::string &front);

  // The call log of the most recent backend created with flow_path, released or not; throws
  // NoSuchTrader.
  std::shared_ptr<CallLog> FindLog(const std::string &flow_path);

  // The faults for calls on objects with that flow directory; with nullopt, the faults for the
  // static functions called without one.
  std::shared_ptr<FaultPlan> Faults(const std::optional<std::string> &flow_path);

 private:
  struct FlowDirectory {
    ApiKind kind = ApiKind::Trader;
    std::shared_ptr<CallLog> log;
    std::weak_ptr<ApiBackend> backend;
    std::shared_ptr<FaultPlan> faults = std::make_shared<FaultPlan>();
  };

  // The directory of an object created with flow_path; throws NoSuchTrader. Needs mutex_.
  FlowDirectory &Created(const std::string &flow_path);

  // The newest backend of each flow directory, where `wanted` holds for it.
  std::vector<std::shared_ptr<ApiBackend>> NewestWhere(
      const std::function<bool(ApiBackend &)> &wanted);

  // Guards directories_ and kept_calls_.
  std::mutex mutex_;
  std::map<std::string, FlowDirectory> directories_;
  std::size_t kept_calls_ = 100000;
  const std::shared_ptr<FaultPlan> static_faults_ = std::make_shared<FaultPlan>();
};

}  // namespace simtrader

#endif
