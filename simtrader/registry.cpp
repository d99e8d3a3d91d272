#include "registry.h"

#include <utility>

#include "connection/broker_connection.h"
#include "connection/broker_directory.h"

namespace simtrader {

namespace {

// Every API object talks to the simulated broker of its front, unless a test installed a
// connection of its own; asked when Init starts the object.
std::unique_ptr<Connection> Connect(const ConnectionContext &context) {
  if (ConnectionFactory installed = InstalledConnectionFactory()) return installed(context);
  return MakeBrokerConnection(context);
}

}  // namespace

bool Serves(const ApiBackend &backend, const std::string &front) {
  const std::string registered = backend.front_address();
  if (backend.kind() == ApiKind::Trader) return registered == front;
  return BrokerDirectory::Instance().PublishedFront(registered) == front;
}

Registry &Registry::Instance() {
  static Registry *const registry = new Registry;
  return *registry;
}

std::shared_ptr<ApiBackend> Registry::CreateBackend(ApiKind kind, const std::string &flow_path) {
  std::lock_guard<std::mutex> lock(mutex_);
  FlowDirectory &directory = directories_[flow_path];
  directory.kind = kind;
  directory.log = std::make_shared<CallLog>(kept_calls_);
  auto backend =
      std::make_shared<ApiBackend>(kind, flow_path, directory.log, directory.faults, Connect);
  directory.backend = backend;
  return backend;
}

std::shared_ptr<ApiBackend> Registry::CreateFromFactory(ApiKind kind, const char *flow_path) {
  const std::string path = flow_path != nullptr ? flow_path : "";
  const Operation factory =
      kind == ApiKind::Trader ? Operation::CreateFtdcTraderApi : Operation::CreateFtdcMdApi;
  const std::optional<std::string> scopes[] = {std::nullopt, path};
  for (const std::optional<std::string> &scope : scopes) {
    if (std::optional<Fault> fault = Faults(scope)->Take(factory)) {
      fault->Apply();
      return nullptr;
    }
  }
  // No flow files are written: the directory may be missing or read-only, and the
  // simulated broker keeps its state elsewhere.
  return CreateBackend(kind, path);
}

std::optional<ApiKind> Registry::KindOf(const std::string &flow_path) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto directory = directories_.find(flow_path);
  if (directory == directories_.end() || !directory->second.log) return std::nullopt;
  return directory->second.kind;
}

void Registry::KeepCalls(std::size_t count) {
  std::lock_guard<std::mutex> lock(mutex_);
  kept_calls_ = count;
}

std::shared_ptr<ApiBackend> Registry::FindLive(const std::string &flow_path) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::shared_ptr<ApiBackend> backend = Created(flow_path).backend.lock();
  if (!backend || backend->released()) {
    throw NoSuchTrader("the API object created with the flow directory " +
                       QuotedFlowPath(flow_path) + " has been released");
  }
  return backend;
}

std::vector<std::shared_ptr<ApiBackend>> Registry::NewestWhere(
    const std::function<bool(ApiBackend &)> &wanted) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::shared_ptr<ApiBackend>> backends;
  for (const auto &[flow_path, directory] : directories_) {
    std::shared_ptr<ApiBackend> backend = directory.backend.lock();
    if (backend && wanted(*backend)) backends.push_back(std::move(backend));
  }
  return backends;
}

std::vector<std::shared_ptr<ApiBackend>> Registry::Running() {
  return NewestWhere([](ApiBackend &backend) { return backend.running(); });
}

std::vector<std::shared_ptr<ApiBackend>> Registry::ConnectedBackends(const std::string &front) {
  return NewestWhere(
      [&](ApiBackend &backend) { return Serves(backend, front) && backend.LineUp(); });
}

std::shared_ptr<CallLog> Registry::FindLog(const std::string &flow_path) {
  std::lock_guard<std::mutex> lock(mutex_);
  return Created(flow_path).log;
}

std::shared_ptr<FaultPlan> Registry::Faults(const std::optional<std::string> &flow_path) {
  if (!flow_path) return static_faults_;
  std::lock_guard<std::mutex> lock(mutex_);
  return directories_[*flow_path].faults;
}

Registry::FlowDirectory &Registry::Created(const std::string &flow_path) {
  auto directory = directories_.find(flow_path);
  // A directory known only from arming faults has had no object created with it.
  if (directory == directories_.end() || !directory->second.log) {
    throw NoSuchTrader("no API object was created with the flow directory " +
                       QuotedFlowPath(flow_path));
  }
  return directory->second;
}

}  // namespace simtrader
