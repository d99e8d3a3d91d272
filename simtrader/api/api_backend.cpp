#include "api/api_backend.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace simtrader {

namespace {

// Lets a control call wait for work it posted to the backend's thread. The task holds a
// Signal; if the task is dropped unrun (the object was released first), destroying the
// Signal tells the waiter so, instead of leaving it waiting forever.
class Completion {
 public:
  class Signal {
   public:
    Signal(std::shared_ptr<Completion> completion, std::string dropped_message)
        : completion_(std::move(completion)), dropped_message_(std::move(dropped_message)) {}
    ~Signal() { completion_->Finish(std::move(dropped_message_)); }
    Signal(const Signal &) = delete;
    Signal &operator=(const Signal &) = delete;

    void Finish(std::string error) { completion_->Finish(std::move(error)); }

   private:
    std::shared_ptr<Completion> completion_;
    std::string dropped_message_;
  };

  // Returns the error the work ended with, empty when it succeeded.
  std::string Wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    finished_changed_.wait(lock, [this] { return finished_; });
    return error_;
  }

 private:
  // Only the first outcome counts: the Signal's destructor reports "dropped" only for a task
  // that never finished.
  void Finish(std::string error) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (finished_) return;
      finished_ = true;
      error_ = std::move(error);
    }
    finished_changed_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable finished_changed_;
  bool finished_ = false;
  std::string error_;
};

// Every object Init has started, counted for the replays that borrow them.
std::atomic<unsigned long long> started_objects{0};

// The vendor's reason for a connection that failed or dropped: a failed network read.
constexpr int kNetworkReadFailure = 0x1001;
// How long the vendor's library waits before it tries an unreachable front again.
constexpr std::chrono::seconds kConnectRetryInterval{1};

// Only `tcp://host:port` names a front the vendor's library can reach: anything else (a
// doubled scheme, an empty host, a port that is not a number) never connects, so a typo in
// an address shows as a front that keeps failing, as it would against a real broker.
bool Reachable(std::string_view address) {
  constexpr std::string_view scheme = "tcp://";
  if (address.substr(0, scheme.size()) != scheme) return false;
  address.remove_prefix(scheme.size());
  const std::size_t colon = address.rfind(':');
  if (colon == std::string_view::npos || colon == 0) return false;
  const std::string_view host = address.substr(0, colon), port = address.substr(colon + 1);
  if (host.find_first_of(":/ \t\r\n") != std::string_view::npos) return false;
  if (port.empty() || port.size() > 5) return false;
  unsigned number = 0;
  for (char digit : port) {
    if (digit < '0' || digit > '9') return false;
    number = number * 10 + static_cast<unsigned>(digit - '0');
  }
  return number >= 1 && number <= 65535;
}

void FormatLocalDate(char (&text)[9]) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  if (std::strftime(text, sizeof text, "%Y%m%d", &local) == 0) text[0] = '\0';
}

}  // namespace

std::string QuotedFlowPath(const std::string &flow_path) { return "'" + flow_path + "'"; }

template <typename Work>
bool ApiBackend::Post(Work work, Delay delay) {
  // Tasks run on the backend's thread, which holds a reference to the backend, so `this`
  // outlives every task that runs.
  auto task = [this, work = std::move(work)]() mutable { RunReporting(work); };
  return queue_->Post(std::move(task), delay);
}

template <typename Work>
void ApiBackend::RunReporting(Work &work) {
  try {
    work();
  } catch (const std::exception &error) {
    ReportFailure(error.what());
  } catch (...) {
    ReportFailure("an exception that is not a std::exception");
  }
}

// Holds the queue, not the backend: work posted after the backend is gone finds the queue
// closed. The backend pointer is followed only by work running on the backend's thread,
// which holds a reference to the backend.
class ApiBackend::Mailbox final : public ApiMailbox {
 public:
  Mailbox(std::shared_ptr<TaskQueue> queue, ApiBackend *backend)
      : queue_(std::move(queue)), backend_(backend) {}

  bool Post(Work work) override {
    waiting_.fetch_add(1, std::memory_order_relaxed);
    if (queue_->Post(
            [backend = backend_, work = std::move(work)] { backend->RaiseFromBroker(work); })) {
      return true;
    }
    waiting_.fetch_sub(1, std::memory_order_relaxed);
    return false;
  }

  bool released() const override { return queue_->closed(); }

  // Posted and not yet run to its end.
  std::size_t waiting() const { return waiting_.load(std::memory_order_relaxed); }
  void Ran() { waiting_.fetch_sub(1, std::memory_order_relaxed); }

 private:
  const std::shared_ptr<TaskQueue> queue_;
  ApiBackend *const backend_;
  std::atomic<std::size_t> waiting_{0};
};

ApiBackend::ApiBackend(ApiKind kind, std::string flow_path, std::shared_ptr<CallLog> log,
                       std::shared_ptr<FaultPlan> faults, ConnectionFactory connect)
    : kind_(kind),
      events_(EventsOf(kind)),
      flow_path_(std::move(flow_path)),
      log_(std::move(log)),
      faults_(std::move(faults)),
      connect_(std::move(connect)),
      mailbox_(std::make_shared<Mailbox>(queue_, this)) {
  FormatLocalDate(trading_day_);
}

// Work still queued in a mailbox's hands must never run once the backend is gone.
ApiBackend::~ApiBackend() { queue_->Close(); }

std::optional<int> ApiBackend::Receive(Operation operation, std::initializer_list<ArgView> args) {
  log_->Append(operation, args);
  return ApplyArmedFault(operation);
}

std::optional<int> ApiBackend::ApplyArmedFault(Operation operation) {
  if (std::optional<Fault> fault = faults_->Take(operation)) return fault->Apply();
  return std::nullopt;
}

void ApiBackend::RegisterFront(const char *address) {
  if (address == nullptr) return;
  std::lock_guard<std::mutex> lock(state_mutex_);
  // The vendor picks one of several registered fronts; the first is as good as any and
  // keeps a run repeatable.
  if (front_address_.empty()) front_address_ = address;
}

std::string ApiBackend::front_address() const {
  std::lock_guard<std::mutex> lock(state_mutex_);
  return front_address_;
}

bool ApiBackend::running() const {
  std::lock_guard<std::mutex> lock(state_mutex_);
  return started_ && !released_;
}

bool ApiBackend::WaitIdle(TaskQueue::Clock::time_point deadline, unsigned long long &started) {
  return queue_->WaitIdle(deadline, started);
}

void ApiBackend::SubscribePrivateTopic(THOST_TE_RESUME_TYPE type) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  private_resume_type_ = type;
}

void ApiBackend::SubscribePublicTopic(THOST_TE_RESUME_TYPE type) {
  std::lock_guard<std::mutex> lock(state_mutex_);
  public_resume_type_ = type;
}

void ApiBackend::Init() {
  ConnectionContext context;
  {
    std::lock_guard<std::mutex> lock(state_mutex_);
    if (started_) return;
    started_ = true;
    finished_ = false;
    context.front_address = front_address_;
    context.private_resume_type = private_resume_type_;
    context.public_resume_type = public_resume_type_;
  }
  context.kind = kind_;
  context.flow_path = flow_path_;
  context.mailbox = mailbox_;
  // Requests queued before Init are handled once the thread runs, so the connection must exist
  // before it starts.
  connection_ = connect_(context);
  query_flow_.SetLimits(connection_->flow_limits());
  Post([this] { Connect(); });
  // A callback may release the object, which detaches worker_: the thread waits for this lock
  // before it runs anything, so worker_ is set by then.
  std::lock_guard<std::mutex> lock(state_mutex_);
  worker_ = std::thread([self = shared_from_this()] { self->RunWorker(); });
  started_objects.fetch_add(1, std::memory_order_release);
}

void ApiBackend::RunWorker() {
  { std::lock_guard<std::mutex> lock(state_mutex_); }
  worker_id_.store(std::this_thread::get_id());
  queue_->Run();
  // Thread ids are reused: a later thread must not pass for this one.
  worker_id_.store(std::thread::id());
  {
    std::lock_guard<std::mutex> lock(state_mutex_);
    finished_ = true;
  }
  state_changed_.notify_all();
}

void ApiBackend::Release() {
  queue_->Close();
  {
    std::lock_guard<std::mutex> lock(state_mutex_);
    released_ = true;
  }
  state_changed_.notify_all();
  // On its own thread (inside a callback) the backend cannot join itself: the thread finishes
  // the callback, finds the queue closed and ends, dropping the last reference to the backend.
  if (OnWorkerThread()) {
    worker_.detach();
    return;
  }
  if (worker_.joinable()) worker_.join();
  // Lent to a replay's thread, the object's callback may be running there instead.
  queue_->WaitNotRunning();
}

int ApiBackend::Join() {
  // A Join made inside a callback cannot wait for its own thread to end.
  const bool on_worker = OnWorkerThread();
  std::unique_lock<std::mutex> lock(state_mutex_);
  state_changed_.wait(lock, [&] { return released_ && (finished_ || on_worker); });
  return 0;
}

bool ApiBackend::released() const {
  std::lock_guard<std::mutex> lock(state_mutex_);
  return released_;
}

bool ApiBackend::LineUp() {
  {
    std::lock_guard<std::mutex> lock(state_mutex_);
    if (!started_ || released_) return false;
  }
  std::lock_guard<std::mutex> lock(line_mutex_);
  return !line_down_;
}

void ApiBackend::SetSpi(void *spi) {
  std::unique_lock<std::mutex> lock(spi_mutex_);
  spi_ = spi;
  const unsigned long long generation = ++spi_generation_;
  // On the backend's own thread the callback in progress is the caller's: waiting for it
  // would wait for ourselves.
  if (OnWorkerThread()) return;
  callback_finished_.wait(
      lock, [&] { return callback_depth_ == 0 || callback_generation_ >= generation; });
}

int ApiBackend::Submit(Operation operation, const void *record, std::size_t size,
                       std::optional<int> request_id) {
  const ArgView logged_record = RecordArg(record, size);
  if (request_id) {
    log_->Append(operation, {logged_record, static_cast<long long>(*request_id)});
  } else {
    log_->Append(operation, {logged_record});
  }
  if (std::optional<int> result = ApplyArmedFault(operation)) return *result;
  // Nothing to send: a null record is refused rather than read.
  if (record == nullptr) return -1;
  return Accept(operation, std::string(static_cast<const char *>(record), size), request_id);
}

int ApiBackend::SubmitInstruments(Operation operation, char *ids[], int count) {
  const std::size_t readable = ids != nullptr && count > 0 ? static_cast<std::size_t>(count) : 0;
  log_->Append(operation, {TextsArg(ids, readable), static_cast<long long>(count)});
  if (std::optional<int> result = ApplyArmedFault(operation)) return *result;
  if (ids == nullptr || count < 0) return -1;
  std::string packed;
  packed.reserve(readable * sizeof(TThostFtdcInstrumentIDType));
  for (std::size_t index = 0; index < readable; ++index) {
    if (ids[index] == nullptr) return -1;
    TThostFtdcInstrumentIDType id{};
    std::strncpy(id, ids[index], sizeof id - 1);
    packed.append(id, sizeof id);
  }
  return Accept(operation, std::move(packed), std::nullopt);
}

int ApiBackend::Accept(Operation operation, std::string payload, std::optional<int> request_id) {
  std::lock_guard<std::mutex> lock(line_mutex_);
  if (line_down_) return -1;
  if (accepted_.size() >= kUnhandledRequestsBound) return QueryFlow::kTooManyInFlight;
  if (request_id && PacesQueries()) {
    if (const int held_back = query_flow_.Admit(operation, *request_id)) return held_back;
  }
  // A request is never answered on the caller's thread: it may be the backend's own thread,
  // inside a callback, and an answer there would nest one callback inside another.
  accepted_.push_back(Request{operation, std::move(payload), request_id});
  if (!Post([this] { HandleNextAccepted(); })) {
    accepted_.pop_back();
    return -1;
  }
  return 0;
}

// Each accepted request posted a handling; one handling may take many, and those after it
// find nothing. A handling that took none for the bound is put off, as the one request it
// would have taken; one that took some leaves the rest to the handlings posted for them.
void ApiBackend::HandleNextAccepted() {
  std::size_t taken = 0;
  bool held_back = false;
  connection_->HandleBatch([&](std::size_t events_held) -> std::optional<Request> {
    std::lock_guard<std::mutex> lock(line_mutex_);
    if (accepted_.empty() || taken == kBatchedRequestsBound) return std::nullopt;
    if (mailbox_->waiting() + events_held >= kEventsWaitingBound) {
      held_back = true;
      return std::nullopt;
    }
    ++taken;
    Request request = std::move(accepted_.front());
    accepted_.pop_front();
    return request;
  });
  if (taken == 0 && held_back) ++deferred_handlings_;
}

void ApiBackend::RaiseFromBroker(const ApiMailbox::Work &work) {
  auto raise = [&] { work(*this); };
  RunReporting(raise);
  mailbox_->Ran();
  // One handling at a time: each may bring the events back over the bound.
  if (deferred_handlings_ == 0 || mailbox_->waiting() >= kEventsWaitingBound) return;
  --deferred_handlings_;
  Post([this] { HandleNextAccepted(); });
}

void ApiBackend::Emit(int event, EventArgs args, long long count) {
  RunOnWorker([&] {
    for (long long delivered = 0; delivered < count; ++delivered) {
      if (queue_->closed()) {
        throw NotDelivered(Describe() + " was released after " + std::to_string(delivered) +
                           " of " + std::to_string(count) + " deliveries of " +
                           events_.Get(event).name);
      }
      Raise(event, args);
    }
  });
}

void ApiBackend::Disconnect(int reason, std::optional<Delay> reconnect_after) {
  RunOnWorker([&] { DropConnection(reason, reconnect_after); });
}

std::string ApiBackend::Describe() const {
  return "the API object for " + QuotedFlowPath(flow_path_);
}

bool ApiBackend::OnWorkerThread() const {
  return worker_id_.load() == std::this_thread::get_id() || queue_->LentHere();
}

TaskQueue::Lending ApiBackend::Lend(TaskQueue::Clock::time_point deadline) {
  {
    std::lock_guard<std::mutex> lock(state_mutex_);
    if (!started_ || released_) return TaskQueue::Lending::kClosed;
  }
  return queue_->Lend(deadline);
}

unsigned long long ApiBackend::StartedCount() {
  return started_objects.load(std::memory_order_acquire);
}

void ApiBackend::ReportFailure(const char *what) const {
  // Nobody waits for this task, so the error has nowhere else to go; the thread goes on.
  std::fprintf(stderr, "simtrader: a handler on the thread of %s threw: %s\n", Describe().c_str(),
               what);
}

// `work` may refer to the caller's locals: the caller waits until the task has finished with
// it, or until the task was dropped without running.
void ApiBackend::RunOnWorker(const std::function<void()> &work) {
  const bool lent_between_tasks = queue_->LentHere() && !queue_->RunningHere();
  if (lent_between_tasks && TaskQueue::InLentTask()) {
    // Run here it would run inside the other object's callback.
    throw NotDelivered(Describe() +
                       " takes its events on this thread, which is in another object's "
                       "callback: raise them outside it");
  }
  if (OnWorkerThread() && !lent_between_tasks) {
    work();
    return;
  }
  {
    std::lock_guard<std::mutex> lock(state_mutex_);
    if (!started_) {
      throw NotDelivered(Describe() +
                         " has no thread to raise events on: Init has not been called");
    }
  }
  auto completion = std::make_shared<Completion>();
  auto signal =
      std::make_shared<Completion::Signal>(completion, Describe() + " was released first");
  Post([&work, signal] {
    try {
      work();
      signal->Finish({});
    } catch (const std::exception &error) {
      signal->Finish(error.what());
    } catch (...) {
      signal->Finish("a callback threw an exception that is not a std::exception");
    }
  });
  signal.reset();
  // Lent to this thread between its tasks: the work runs here, as one of them.
  if (lent_between_tasks) queue_->RunHere();
  const std::string error = completion->Wait();
  if (!error.empty()) throw NotDelivered(error);
}

const char *ApiBackend::trading_day() const {
  thread_local char day[sizeof trading_day_];
  std::lock_guard<std::mutex> lock(state_mutex_);
  std::memcpy(day, trading_day_, sizeof day);
  return day;
}

void ApiBackend::TakeTradingDay(const EventArgs &login) {
  CThostFtdcRspUserLoginField answer{};
  if (login.record.size() != sizeof answer || (login.rsp_info && login.rsp_info->ErrorID != 0)) {
    return;
  }
  std::memcpy(&answer, login.record.data(), sizeof answer);
  const std::string day(answer.TradingDay, strnlen(answer.TradingDay, sizeof answer.TradingDay));
  if (day.size() != 8 || day.find_first_not_of("0123456789") != std::string::npos) return;
  std::lock_guard<std::mutex> lock(state_mutex_);
  std::memcpy(trading_day_, day.c_str(), sizeof trading_day_);
}

void ApiBackend::Raise(int event, EventArgs &args) {
  // Once Release has begun, whatever is still to raise is dropped.
  if (queue_->closed()) return;
  if (event == events_.rsp_user_login()) TakeTradingDay(args);
  // Counted before the callback, which may well send the next query.
  if (PacesQueries()) query_flow_.Raised(event, args.number, args.is_last);
  void *spi;
  {
    std::lock_guard<std::mutex> lock(spi_mutex_);
    spi = spi_;
    if (spi == nullptr) return;
    if (callback_depth_++ == 0) callback_generation_ = spi_generation_;
  }
  struct CallbackEnd {
    ApiBackend &backend;
    ~CallbackEnd() {
      {
        std::lock_guard<std::mutex> lock(backend.spi_mutex_);
        if (--backend.callback_depth_ != 0) return;
      }
      backend.callback_finished_.notify_all();
    }
  } callback_end{*this};
  events_.Raise(spi, event, args);
}

void ApiBackend::Connect() {
  // An object given no front at all is left to connect as before: the test scaffolding makes
  // such objects to share one broker.
  const std::string front = front_address();
  if (!front.empty() && !Reachable(front)) {
    FailConnecting();
    return;
  }
  {
    std::lock_guard<std::mutex> lock(line_mutex_);
    line_down_ = false;
  }
  connection_->Connected();
  EventArgs none;
  Raise(events_.front_connected(), none);
}

void ApiBackend::FailConnecting() {
  const unsigned long long epoch = ++connection_epoch_;
  {
    // Nothing sent before Init ever leaves: the line never came up.
    std::lock_guard<std::mutex> lock(line_mutex_);
    line_down_ = true;
    accepted_.clear();
  }
  EventArgs args;
  args.number = kNetworkReadFailure;
  Raise(events_.front_disconnected(), args);
  Post(
      [this, epoch] {
        if (epoch == connection_epoch_) Connect();
      },
      kConnectRetryInterval);
}

void ApiBackend::DropConnection(int reason, std::optional<Delay> reconnect_after) {
  const unsigned long long epoch = ++connection_epoch_;
  std::deque<Request> sent;
  {
    std::lock_guard<std::mutex> lock(line_mutex_);
    line_down_ = true;
    sent.swap(accepted_);
  }
  deferred_handlings_ = 0;
  // What was accepted went out before the line dropped: the vendor's library had written it.
  // Each request's answers are raised before the next is handed on, so that the answers of
  // many never wait at once; a Release meanwhile drops the rest.
  for (const Request &request : sent) {
    if (queue_->closed()) break;
    connection_->Handle(request);
    connection_->RaiseReceived(*this);
  }
  connection_->Disconnected(*this);
  query_flow_.ConnectionLost();
  EventArgs args;
  args.number = reason;
  Raise(events_.front_disconnected(), args);
  if (reconnect_after) {
    Post(
        [this, epoch] {
          if (epoch == connection_epoch_) Connect();
        },
        *reconnect_after);
  }
}

}  // namespace simtrader
