// One API object's state and its own thread, for either kind of API object. The object
// handed to the caller (api_object.h) is a thin shell of this, freed by Release: the backend
// outlives it for as long as its thread or a control call still needs it, which is what lets
// Release run on the backend's own thread.
#ifndef SIMTRADER_API_API_BACKEND_H
#define SIMTRADER_API_API_BACKEND_H

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "ThostFtdcTraderApi.h"
#include "call_log.h"
#include "event_table.h"
#include "flow/fault_plan.h"
#include "flow/flow_limits.h"
#include "api/connection.h"
#include "api/task_queue.h"

namespace simtrader {

// A flow directory as messages quote it.
std::string QuotedFlowPath(const std::string &flow_path);

// A control call (emit, disconnect) whose events could not all be raised: the object was
// released first, its thread was never started, or a callback threw.
class NotDelivered : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ApiBackend : public std::enable_shared_from_this<ApiBackend>, private EventRaiser {
 public:
  using Delay = TaskQueue::Clock::duration;

  // As many events from the broker waiting for the object's thread as it lets pile up: with
  // that many waiting it hands the broker no further request until the handler has caught up,
  // as a line that is not read stops carrying requests. A request's answers are never cut
  // short, so at most this many plus the answers of one request wait.
  static constexpr std::size_t kEventsWaitingBound = 10000;
  // As many accepted requests as wait to be handed to the broker: one more returns -2, as the
  // vendor's library refuses a request while too many are unprocessed, limits lifted or not.
  static constexpr std::size_t kUnhandledRequestsBound = 100000;
  // As many accepted requests as the connection is given together: enough for a store's commit
  // to be shared by many, few enough that the first of them is answered soon.
  static constexpr std::size_t kBatchedRequestsBound = 64;

  // `connect` makes the object's connection when Init starts it.
  ApiBackend(ApiKind kind, std::string flow_path, std::shared_ptr<CallLog> log,
             std::shared_ptr<FaultPlan> faults, ConnectionFactory connect);
  ~ApiBackend();

  ApiBackend(const ApiBackend &) = delete;
  ApiBackend &operator=(const ApiBackend &) = delete;

  const std::string &flow_path() const { return flow_path_; }
  ApiKind kind() const { return kind_; }
  const EventTable &events() const { return events_; }

  // Logs a call the object received, then applies the fault armed for it: throws the armed
  // exception, or returns the result an armed failure reports instead of doing the work.
  std::optional<int> Receive(Operation operation, std::initializer_list<ArgView> args);

  // The vendor operations, each called after Receive.
  void RegisterFront(const char *address);
  void SubscribePrivateTopic(THOST_TE_RESUME_TYPE type);
  void SubscribePublicTopic(THOST_TE_RESUME_TYPE type);
  void Init();
  void Release();
  int Join();
  // The local date until a login answers, then the login's TradingDay, as the vendor's
  // library reports it. The text stays valid until the calling thread asks again.
  const char *trading_day() const;
  // `spi` is a handler of the kind's class: CThostFtdcTraderSpi or CThostFtdcMdSpi.
  void SetSpi(void *spi);
  // Logs a request the object received and applies the fault armed for it, as Receive does;
  // otherwise queues a copy of it for the connection. -1 for a null record, which is refused
  // unread, and while the connection is down, as the vendor's library refuses to send then;
  // -2 or -3 for a query the front's flow limits hold back (flow_limits.h), and -2 for any
  // request while kUnhandledRequestsBound requests wait to be handed on. A request that
  // returned 0 reaches the connection, in order, even if the line drops next, unless the object
  // is released first.
  int Submit(Operation operation, const void *record, std::size_t size,
             std::optional<int> request_id);
  // Logs a subscription (the ids, then the count) and applies the armed fault, as Submit
  // does; otherwise queues the ids, each cut to the vendor's instrument id field as the
  // vendor's library copies it, for the connection (SubscribedIds reads them back). -1 for a
  // null array, a null id or a negative count, which the vendor's library cannot read, and
  // while the connection is down.
  int SubmitInstruments(Operation operation, char *ids[], int count);

  bool released() const;
  // The first address RegisterFront received: the front whose broker the object talks to.
  std::string front_address() const;
  // Whether the object's thread has been started by Init and not yet released.
  bool running() const;
  // Whether the caller is the object's own thread, which must not wait for itself: the one
  // Init started, or the thread the object is lent to.
  bool OnWorkerThread() const;

  // The object's work lent to the calling thread, as a fast replay takes it (TaskQueue::Lend):
  // its events are raised, and its requests handled, on the borrower's thread while it calls
  // RunHere. kClosed for an object not running.
  TaskQueue::Lending Lend(TaskQueue::Clock::time_point deadline);
  // How many objects Init has started in the process so far: a replay borrows those that
  // start during it as well.
  static unsigned long long StartedCount();
  void Return() { queue_->Return(); }
  bool RunHere() { return queue_->RunHere(); }
  bool LentHere() const { return queue_->LentHere(); }
  unsigned long long TasksStarted() const { return queue_->started(); }

  // Waits until the object's thread has nothing due: every event posted to it raised and
  // every request it accepted handled. False if `deadline` passes first. `started` is set to
  // how many tasks the thread has begun (TaskQueue::WaitIdle).
  bool WaitIdle(TaskQueue::Clock::time_point deadline, unsigned long long &started);

  // Whether the object, started and not released, has its line up (or about to come up for
  // the first time).
  bool LineUp();

  // The control operations: they run on the backend's thread (inline when called on it) and
  // return once their callbacks have returned. Both throw NotDelivered.
  void Emit(int event, EventArgs args, long long count);
  void Disconnect(int reason, std::optional<Delay> reconnect_after);

 private:
  class Mailbox;

  std::string Describe() const;
  // Queues a request whose call was logged and whose fault was applied.
  int Accept(Operation operation, std::string payload, std::optional<int> request_id);
  // The trader's library paces queries; the market-data library's has none of that kind.
  bool PacesQueries() const { return kind_ == ApiKind::Trader; }
  void RunWorker();
  std::optional<int> ApplyArmedFault(Operation operation);
  // Queues work for the backend's thread, which runs it through RunReporting.
  template <typename Work>
  bool Post(Work work, Delay delay = Delay::zero());
  // Runs work of the backend's thread; what it throws is reported, since nobody waits.
  template <typename Work>
  void RunReporting(Work &work);
  void RunOnWorker(const std::function<void()> &work);
  void ReportFailure(const char *what) const;

  // Calls the registered handler's method of the event, on the backend's thread.
  void Raise(int event, EventArgs &args) override;
  // Takes the trading day from a successful login's answer.
  void TakeTradingDay(const EventArgs &login);
  void Connect();
  // The front cannot be reached: reported as the vendor's library reports it, and tried again.
  void FailConnecting();
  // Hands the connection the accepted requests waiting, oldest first, as one batch of at most
  // kBatchedRequestsBound, unless a drop took them first; each only while fewer than
  // kEventsWaitingBound of the broker's events wait, counting those the batch holds back:
  // the rest then wait for them.
  void HandleNextAccepted();
  // Raises what the broker posted, then lets a request that waited for room go on.
  void RaiseFromBroker(const ApiMailbox::Work &work);
  void DropConnection(int reason, std::optional<Delay> reconnect_after);

  const ApiKind kind_;
  const EventTable &events_;
  const std::string flow_path_;
  const std::shared_ptr<CallLog> log_;
  const std::shared_ptr<FaultPlan> faults_;
  const ConnectionFactory connect_;
  // Guarded by state_mutex_.
  char trading_day_[9];

  // The registered handler and the callback in progress. A callback is "of" the handler
  // generation that was current when the outermost callback began; SetSpi waits only for
  // callbacks older than its own change, so a stream of callbacks cannot starve it.
  std::mutex spi_mutex_;
  std::condition_variable callback_finished_;
  void *spi_ = nullptr;
  unsigned long long spi_generation_ = 0;
  unsigned long long callback_generation_ = 0;
  int callback_depth_ = 0;

  // Lifecycle: started by Init, released by Release, finished when the thread has ended (or
  // at once, for an object whose thread never started).
  mutable std::mutex state_mutex_;
  std::condition_variable state_changed_;
  bool started_ = false;
  bool released_ = false;
  bool finished_ = true;
  // What Init hands the connection it makes.
  std::string front_address_;
  THOST_TE_RESUME_TYPE private_resume_type_ = THOST_TERT_QUICK;
  THOST_TE_RESUME_TYPE public_resume_type_ = THOST_TERT_QUICK;

  // Shared with the mailbox given to the connection, which may outlive the backend.
  const std::shared_ptr<TaskQueue> queue_ = std::make_shared<TaskQueue>();
  // Counts the broker's events waiting for the thread.
  const std::shared_ptr<Mailbox> mailbox_;
  // Made by Init before the thread starts, and used on the thread only.
  std::unique_ptr<Connection> connection_;
  // Set by Init under state_mutex_. Joined by Release, or detached by it when Release runs on
  // this thread; a backend whose object is never released is never destroyed, so the thread
  // is never left joinable.
  std::thread worker_;
  std::atomic<std::thread::id> worker_id_{};

  // Touched on the backend's thread only: a reconnection scheduled by an older disconnect
  // must not fire after a newer one.
  unsigned long long connection_epoch_ = 0;
  // Acceptance and the line's state agree under this lock: Submit accepts only while the line
  // is up, and the drop takes every request accepted before it, handing them to the connection
  // ahead of the disconnection, so that no accepted request is left behind a dropped line.
  std::mutex line_mutex_;
  // Down from a drop to the reconnection; set and cleared on the backend's thread. Guarded by
  // line_mutex_.
  bool line_down_ = false;
  // Accepted requests not yet handed to the connection, oldest first. Guarded by line_mutex_.
  std::deque<Request> accepted_;
  // Handlings of accepted requests put off while too many events waited, each to be posted
  // again as the events drain. Touched on the backend's thread only.
  std::size_t deferred_handlings_ = 0;
  // The front's query limits once Init has made the connection; the vendor's until then.
  QueryFlow query_flow_;
};

}  // namespace simtrader

#endif
