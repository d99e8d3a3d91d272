// An API object's connection: where its thread hands on each request it received, and the
// seam behind which a simulated broker answers them (connection/broker_connection.h). The
// API object keeps whether the line is up; its connection is told when it comes up and
// goes down.
#ifndef SIMTRADER_API_CONNECTION_H
#define SIMTRADER_API_CONNECTION_H

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ThostFtdcTraderApi.h"
#include "event_table.h"
#include "flow/flow_limits.h"
#include "operation.h"

namespace simtrader {

struct Request {
  Operation operation;
  // A copy of the vendor record's bytes, taken during the call: the caller's record is its
  // own again once the call returns. A subscription's instrument ids, each in a field of
  // TThostFtdcInstrumentIDType (SubscribedIds).
  std::string record;
  // Absent for the two user-system-info operations and the subscriptions.
  std::optional<int> request_id;
};

// The instrument ids a subscription carries.
std::vector<std::string> SubscribedIds(const Request &request);

// Raises events on an API object's own thread; handed to work running there.
class EventRaiser {
 public:
  virtual void Raise(int event, EventArgs &args) = 0;

 protected:
  ~EventRaiser() = default;
};

// Work for an API object's thread, posted from any thread. A mailbox may be held after the
// object is released, so that whoever answers it later need not know: work posted then is
// dropped.
class ApiMailbox {
 public:
  using Work = std::function<void(EventRaiser &)>;

  virtual ~ApiMailbox() = default;
  // Queues the work behind whatever the thread has queued already; false, dropping it, once
  // the object is released.
  virtual bool Post(Work work) = 0;
  virtual bool released() const = 0;
};

// What an API object knows when Init makes its connection.
struct ConnectionContext {
  ApiKind kind = ApiKind::Trader;
  std::string flow_path;
  std::string front_address;  // the first address RegisterFront received; empty without one
  THOST_TE_RESUME_TYPE private_resume_type = THOST_TERT_QUICK;
  THOST_TE_RESUME_TYPE public_resume_type = THOST_TERT_QUICK;
  std::shared_ptr<ApiMailbox> mailbox;
};

// Called on the API object's own thread. Requests sent before Init reach it before the
// line first comes up.
class Connection {
 public:
  virtual ~Connection() = default;
  // One request at a time, in the order received.
  virtual void Handle(const Request &request) = 0;
  // Where the requests of a batch come from, in order: nullopt when no more may join it.
  // `events_held` counts what the connection holds back of the batch's answers until it ends,
  // which the API object counts as waiting for its thread.
  using NextRequest = std::function<std::optional<Request>(std::size_t events_held)>;
  // The requests that were waiting together: handled in turn, unless the connection makes them
  // one piece of work (the broker commits them together).
  virtual void HandleBatch(const NextRequest &next) {
    while (std::optional<Request> request = next(0)) Handle(*request);
  }
  // The connection came up, just before OnFrontConnected is raised.
  virtual void Connected() {}
  // The connection dropped, just before OnFrontDisconnected is raised. What the other end sent
  // before the drop and is not raised yet is raised now through `raiser`, ahead of the
  // disconnection, as a line delivers what it received before it went down.
  virtual void Disconnected(EventRaiser &raiser) { static_cast<void>(raiser); }
  // Raises now, through `raiser`, what the other end sent and is not raised yet: the line is
  // dropping, and the requests it had accepted are being handed on one by one ahead of the
  // disconnection.
  virtual void RaiseReceived(EventRaiser &raiser) { static_cast<void>(raiser); }
  // The query limits the API object applies, as its front is configured: the vendor's
  // unless the connection says otherwise. Asked once, when Init has made it.
  virtual FlowLimits flow_limits() const { return FlowLimits(); }
};

using ConnectionFactory =
    std::function<std::unique_ptr<Connection>(const ConnectionContext &context)>;

// Installs the factory for API objects started from now on, in place of their connection to
// the simulated broker (registry.h); an empty one restores the broker.
void SetConnectionFactory(ConnectionFactory factory);

// The factory a test installed; empty when none is.
ConnectionFactory InstalledConnectionFactory();

}  // namespace simtrader

#endif
