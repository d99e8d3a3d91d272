// The C control interface (control.h): name checks, argument conversion and the mapping of
// failures to codes; the work itself is the registry's and the API objects' backends'.
#include "control.h"

#include <chrono>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>

#include <unistd.h>
#include <vector>

#include "connection/broker_directory.h"
#include "call_log.h"
#include "delivery_wait.h"
#include "event_shapes.h"
#include "event_table.h"
#include "flow/fault_plan.h"
#include "operation.h"
#include "registry.h"
#include "replay_host.h"
#include "replay/tick_file.h"
#include "api/api_backend.h"

struct quorvan_sim_calls {
  std::vector<simtrader::Call> calls;
};

struct quorvan_sim_host {
  simtrader::ReplayHost host;
};

struct quorvan_sim_tick_file {
  simtrader::TickFile file;
};

namespace simtrader {

namespace {

thread_local std::string last_error;

// A refusal with the code it is reported under.
struct ControlError {
  int code;
  std::string message;
};

// Runs one control call: no exception crosses into the C caller.
template <typename Body>
int Guarded(Body body) {
  try {
    body();
    return QUORVAN_SIM_OK;
  } catch (const ControlError &error) {
    last_error = error.message;
    return error.code;
  } catch (const NoSuchTrader &error) {
    last_error = error.what();
    return QUORVAN_SIM_NO_SUCH_TRADER;
  } catch (const NotDelivered &error) {
    last_error = error.what();
    return QUORVAN_SIM_NOT_DELIVERED;
  } catch (const BrokerBusy &error) {
    last_error = error.what();
    return QUORVAN_SIM_BROKER_BUSY;
  } catch (const std::invalid_argument &error) {
    last_error = error.what();
    return QUORVAN_SIM_BAD_ARGUMENT;
  } catch (const std::exception &error) {
    last_error = error.what();
    return QUORVAN_SIM_INTERNAL;
  } catch (...) {
    last_error = "an exception that is not a std::exception";
    return QUORVAN_SIM_INTERNAL;
  }
}

std::string Text(const char *text) { return text != nullptr ? text : ""; }

// A flow directory or front address, absent when the caller passed none.
std::optional<std::string> FlowScope(const char *flow_path) {
  if (flow_path == nullptr) return std::nullopt;
  return std::string(flow_path);
}

Operation RequireOperation(const char *name) {
  if (std::optional<Operation> operation = FindOperation(Text(name))) return *operation;
  throw ControlError{QUORVAN_SIM_BAD_NAME, "unknown operation '" + Text(name) +
                                               "' of CThostFtdcTraderApi or CThostFtdcMdApi"};
}

ApiKind RequireKind(int kind) {
  if (kind == QUORVAN_SIM_TRADER) return ApiKind::Trader;
  if (kind == QUORVAN_SIM_MARKET_DATA) return ApiKind::MarketData;
  throw ControlError{QUORVAN_SIM_BAD_ARGUMENT,
                     "unknown kind of API object " + std::to_string(kind)};
}

int RequireEvent(ApiKind kind, const char *name) {
  const EventTable &events = EventsOf(kind);
  if (std::optional<int> event = events.Find(Text(name))) return *event;
  throw ControlError{QUORVAN_SIM_BAD_NAME,
                     "unknown event '" + Text(name) + "' of " + events.spi_class()};
}

// The static functions have no flow directory; every other operation is an object's, and
// one of the kind of object last created with the directory, if any was.
void RequireScope(const std::optional<std::string> &flow_path, Operation operation) {
  if (flow_path && operation == Operation::GetApiVersion) {
    throw ControlError{QUORVAN_SIM_BAD_ARGUMENT,
                       "GetApiVersion is static: arm it without a trader"};
  }
  if (!flow_path && !IsStatic(operation)) {
    throw ControlError{QUORVAN_SIM_BAD_ARGUMENT,
                       std::string(OperationName(operation)) +
                           " is an operation of an API object: name its trader"};
  }
  if (!flow_path) return;
  const std::optional<ApiKind> kind = Registry::Instance().KindOf(*flow_path);
  if (kind && !IsOperationOf(operation, *kind)) {
    throw ControlError{QUORVAN_SIM_BAD_ARGUMENT,
                       std::string(OperationName(operation)) + " is not an operation of " +
                           ApiClassName(*kind) + ", the class of the API object created with " +
                           QuotedFlowPath(*flow_path)};
  }
}

EventArgs CopyEventArgs(const EventInfo &event, const void *record, const void *rsp_info,
                        int number, int is_last) {
  EventArgs args;
  if ((event.kinds & EVENT_KIND_RECORD) && record != nullptr) {
    const auto *bytes = static_cast<const unsigned char *>(record);
    args.record.assign(bytes, bytes + event.record_size);
  }
  if ((event.kinds & EVENT_KIND_RSP_INFO) && rsp_info != nullptr) {
    args.rsp_info.emplace();
    std::memcpy(&*args.rsp_info, rsp_info, sizeof(CThostFtdcRspInfoField));
  }
  args.number = number;
  args.is_last = is_last != 0;
  return args;
}

std::optional<ApiBackend::Delay> ReconnectDelay(double seconds) {
  if (std::isnan(seconds)) {
    throw ControlError{QUORVAN_SIM_BAD_ARGUMENT, "the reconnection delay is not a number"};
  }
  if (seconds < 0) return std::nullopt;
  // Beyond a year the conversion to clock ticks could overflow; nobody waits that long.
  constexpr double kLongestDelay = 365.0 * 24 * 3600;
  if (seconds > kLongestDelay) {
    throw ControlError{QUORVAN_SIM_BAD_ARGUMENT,
                       "the reconnection delay exceeds a year: pass a negative delay to stay "
                       "disconnected"};
  }
  return std::chrono::duration_cast<ApiBackend::Delay>(std::chrono::duration<double>(seconds));
}

// The deadline `seconds` from now; none for a negative count, or one beyond a year, which no
// caller waits for and which could overflow the clock.
std::optional<TaskQueue::Clock::time_point> Deadline(double seconds) {
  if (std::isnan(seconds)) {
    throw ControlError{QUORVAN_SIM_BAD_ARGUMENT, "the timeout is not a number"};
  }
  constexpr double kLongestWait = 365.0 * 24 * 3600;
  if (seconds < 0 || seconds > kLongestWait) return std::nullopt;
  return TaskQueue::Clock::now() + std::chrono::duration_cast<TaskQueue::Clock::duration>(
                                       std::chrono::duration<double>(seconds));
}

// A side's levels as set_market_depth passes them: `count` prices and volumes, none for a
// negative count.
std::optional<std::vector<Level>> LevelsOf(const char *side, const double *prices,
                                           const int *volumes, int count) {
  if (count < 0) return std::nullopt;
  if (count > 0 && (prices == nullptr || volumes == nullptr)) {
    throw ControlError{QUORVAN_SIM_BAD_ARGUMENT,
                       std::string("the ") + side + " levels' prices or volumes are missing"};
  }
  std::vector<Level> levels;
  levels.reserve(count);
  for (int level = 0; level < count; ++level)
    levels.push_back(Level{prices[level], volumes[level]});
  return levels;
}

void RequireMarketRecord(const void *record, size_t size) {
  if (record == nullptr || size != sizeof(CThostFtdcDepthMarketDataField)) {
    throw ControlError{QUORVAN_SIM_BAD_ARGUMENT,
                       "the record must be a CThostFtdcDepthMarketDataField of " +
                           std::to_string(sizeof(CThostFtdcDepthMarketDataField)) + " bytes"};
  }
}

// The argument kinds are CallArg's alternatives, in order.
static_assert(
    std::is_same_v<std::variant_alternative_t<QUORVAN_SIM_ARG_NONE, CallArg>, std::monostate>);
static_assert(std::is_same_v<std::variant_alternative_t<QUORVAN_SIM_ARG_BOOL, CallArg>, bool>);
static_assert(std::is_same_v<std::variant_alternative_t<QUORVAN_SIM_ARG_INT, CallArg>, long long>);
static_assert(
    std::is_same_v<std::variant_alternative_t<QUORVAN_SIM_ARG_BYTES, CallArg>, std::string>);
static_assert(
    std::is_same_v<std::variant_alternative_t<QUORVAN_SIM_ARG_TEXTS, CallArg>, CallTexts>);

const Call *CallAt(const quorvan_sim_calls *calls, std::size_t call) {
  if (calls == nullptr || call >= calls->calls.size()) return nullptr;
  return &calls->calls[call];
}

const CallArg *ArgAt(const quorvan_sim_calls *calls, std::size_t call, std::size_t arg) {
  const Call *entry = CallAt(calls, call);
  if (entry == nullptr || arg >= entry->args.size()) return nullptr;
  return &entry->args[arg];
}

}  // namespace

}  // namespace simtrader

using namespace simtrader;

extern "C" {

const char *quorvan_sim_last_error(void) { return last_error.c_str(); }

int quorvan_sim_event_info(const char *event, const char **record_class, size_t *record_size,
                           const char **parameters) {
  return quorvan_sim_kind_event_info(QUORVAN_SIM_TRADER, event, record_class, record_size,
                                     parameters);
}

int quorvan_sim_kind_event_info(int kind, const char *event, const char **record_class,
                                size_t *record_size, const char **parameters) {
  return Guarded([&] {
    const ApiKind api_kind = RequireKind(kind);
    const EventInfo &info = EventsOf(api_kind).Get(RequireEvent(api_kind, event));
    if (record_class != nullptr) *record_class = info.record_class;
    if (record_size != nullptr) *record_size = info.record_size;
    if (parameters != nullptr) *parameters = info.parameters;
  });
}

int quorvan_sim_api_kind(const char *flow_path, int *kind) {
  return Guarded([&] {
    const std::optional<ApiKind> found = Registry::Instance().KindOf(Text(flow_path));
    if (!found) {
      throw NoSuchTrader("no API object was created with the flow directory " +
                         QuotedFlowPath(Text(flow_path)));
    }
    if (kind != nullptr) {
      *kind = *found == ApiKind::Trader ? QUORVAN_SIM_TRADER : QUORVAN_SIM_MARKET_DATA;
    }
  });
}

size_t quorvan_sim_rsp_info_size(void) { return sizeof(CThostFtdcRspInfoField); }

int quorvan_sim_fail_next(const char *flow_path, const char *operation, int result) {
  return Guarded([&] {
    const Operation armed = RequireOperation(operation);
    const std::optional<std::string> scope = FlowScope(flow_path);
    if (!CanFail(armed)) {
      throw ControlError{QUORVAN_SIM_BAD_ARGUMENT,
                         std::string(OperationName(armed)) +
                             " returns no result to fail with: fail_next arms the requests, "
                             "RegisterUserSystemInfo, SubmitUserSystemInfo, the subscriptions, "
                             "CreateFtdcTraderApi and CreateFtdcMdApi (use throw_next for the "
                             "others)"};
    }
    RequireScope(scope, armed);
    Registry::Instance().Faults(scope)->Arm(armed, Fault::Failing(result));
  });
}

int quorvan_sim_throw_next(const char *flow_path, const char *operation, const char *kind,
                           const char *message) {
  return Guarded([&] {
    const Operation armed = RequireOperation(operation);
    const std::optional<ThrowKind> thrown = FindThrowKind(Text(kind));
    if (!thrown) {
      throw ControlError{QUORVAN_SIM_BAD_NAME, "unknown exception kind '" + Text(kind) + "'"};
    }
    const std::optional<std::string> scope = FlowScope(flow_path);
    RequireScope(scope, armed);
    Registry::Instance().Faults(scope)->Arm(armed, Fault::Throwing(*thrown, Text(message)));
  });
}

int quorvan_sim_emit(const char *flow_path, const char *event, const void *record,
                     const void *rsp_info, int number, int is_last, long long count) {
  return Guarded([&] {
    // A name of neither table is refused before the object is looked for.
    if (!EventsOf(ApiKind::Trader).Find(Text(event))) RequireEvent(ApiKind::MarketData, event);
    if (count < 0) {
      throw ControlError{QUORVAN_SIM_BAD_ARGUMENT, "the count of deliveries is negative"};
    }
    std::shared_ptr<ApiBackend> backend = Registry::Instance().FindLive(Text(flow_path));
    const int raised = RequireEvent(backend->kind(), event);
    backend->Emit(raised,
                  CopyEventArgs(backend->events().Get(raised), record, rsp_info, number, is_last),
                  count);
  });
}

int quorvan_sim_disconnect(const char *flow_path, int reason, double reconnect_after) {
  return Guarded([&] {
    const std::optional<ApiBackend::Delay> delay = ReconnectDelay(reconnect_after);
    Registry::Instance().FindLive(Text(flow_path))->Disconnect(reason, delay);
  });
}

int quorvan_sim_configure(const char *front, const char *text, int reset) {
  return Guarded(
      [&] { BrokerDirectory::Instance().Configure(FlowScope(front), Text(text), reset != 0); });
}

const char *quorvan_sim_published_front(const char *md_front) {
  thread_local std::string published;
  published = BrokerDirectory::Instance().PublishedFront(Text(md_front));
  return published.c_str();
}

int quorvan_sim_set_market(const char *front, const char *instrument, const double *bid,
                           const double *ask, const double *last, const int *bid_volume,
                           const int *ask_volume, const double *upper_limit,
                           const double *lower_limit) {
  return quorvan_sim_set_market_at(front, instrument, bid, ask, last, bid_volume, ask_volume,
                                   upper_limit, lower_limit, nullptr, nullptr, nullptr, nullptr,
                                   nullptr, 0);
}

int quorvan_sim_set_market_at(const char *front, const char *instrument, const double *bid,
                              const double *ask, const double *last, const int *bid_volume,
                              const int *ask_volume, const double *upper_limit,
                              const double *lower_limit, const int *volume, const double *turnover,
                              const double *open_interest, const char *action_day,
                              const char *update_time, int update_millisec) {
  return quorvan_sim_set_market_depth(front, instrument, bid, ask, last, bid_volume, ask_volume,
                                      upper_limit, lower_limit, volume, turnover, open_interest,
                                      action_day, update_time, update_millisec, nullptr, nullptr,
                                      -1, nullptr, nullptr, -1);
}

int quorvan_sim_set_market_depth(const char *front, const char *instrument, const double *bid,
                                 const double *ask, const double *last, const int *bid_volume,
                                 const int *ask_volume, const double *upper_limit,
                                 const double *lower_limit, const int *volume,
                                 const double *turnover, const double *open_interest,
                                 const char *action_day, const char *update_time,
                                 int update_millisec, const double *bid_prices,
                                 const int *bid_volumes, int bid_levels, const double *ask_prices,
                                 const int *ask_volumes, int ask_levels) {
  return Guarded([&] {
    MarketUpdate update;
    auto take = [](auto &field, const auto *value) {
      if (value != nullptr) field = *value;
    };
    take(update.bid, bid);
    take(update.ask, ask);
    take(update.last, last);
    take(update.bid_volume, bid_volume);
    take(update.ask_volume, ask_volume);
    take(update.upper_limit, upper_limit);
    take(update.lower_limit, lower_limit);
    take(update.volume, volume);
    take(update.turnover, turnover);
    take(update.open_interest, open_interest);
    if (action_day != nullptr) {
      update.time = MarketTime{action_day, Text(update_time), update_millisec};
    }
    update.bids = LevelsOf("bid", bid_prices, bid_volumes, bid_levels);
    update.asks = LevelsOf("ask", ask_prices, ask_volumes, ask_levels);
    BrokerDirectory::Instance().SetMarket(FlowScope(front), Text(instrument), update);
  });
}

int quorvan_sim_market(const char *front, const char *instrument, void *record, size_t size) {
  return Guarded([&] {
    RequireMarketRecord(record, size);
    const CThostFtdcDepthMarketDataField market =
        BrokerDirectory::Instance().MarketRecord(FlowScope(front), Text(instrument));
    std::memcpy(record, &market, sizeof market);
  });
}

int quorvan_sim_wait_delivered(const char *front, double timeout) {
  return Guarded([&] {
    const std::optional<TaskQueue::Clock::time_point> deadline = Deadline(timeout);
    if (!WaitDelivered(FlowScope(front), deadline.value_or(TaskQueue::Clock::time_point::max()))) {
      throw ControlError{QUORVAN_SIM_TIMED_OUT,
                         "the API objects had not delivered everything posted to them after " +
                             std::to_string(timeout) + " seconds"};
    }
  });
}

int quorvan_sim_host_begin(const char *front, double timeout, quorvan_sim_host **host) {
  return Guarded([&] {
    if (host == nullptr) throw ControlError{QUORVAN_SIM_BAD_ARGUMENT, "no place for the host"};
    *host = nullptr;
    const ReplayHost::Deadline deadline = Deadline(timeout).value_or(ReplayHost::Deadline::max());
    try {
      *host = new quorvan_sim_host{ReplayHost(FlowScope(front), deadline)};
    } catch (const WaitOnOwnThread &error) {
      throw ControlError{QUORVAN_SIM_BAD_ARGUMENT, error.what()};
    } catch (const FrontHeldElsewhere &error) {
      throw ControlError{QUORVAN_SIM_BROKER_BUSY, error.what()};
    } catch (const CallbackInProgress &error) {
      throw ControlError{QUORVAN_SIM_TIMED_OUT, error.what()};
    }
  });
}

int quorvan_sim_host_deliver(quorvan_sim_host *host) {
  return Guarded([&] {
    if (host == nullptr) throw ControlError{QUORVAN_SIM_BAD_ARGUMENT, "no host"};
    host->host.Deliver();
  });
}

int quorvan_sim_host_release(quorvan_sim_host *host) {
  return Guarded([&] {
    if (host == nullptr) throw ControlError{QUORVAN_SIM_BAD_ARGUMENT, "no host"};
    host->host.Release();
  });
}

void quorvan_sim_host_end(quorvan_sim_host *host) { delete host; }

int quorvan_sim_tick_file_open(int fd, const char *const *header, size_t columns,
                               long long header_lines, quorvan_sim_tick_file **file) {
  return Guarded([&] {
    if (fd < 0 || file == nullptr || (header == nullptr && columns > 0)) {
      if (fd >= 0) ::close(fd);
      throw ControlError{QUORVAN_SIM_BAD_ARGUMENT, "no file, header or place for the file"};
    }
    std::vector<std::string> names(header, header + columns);
    *file = new quorvan_sim_tick_file{TickFile(fd, names, header_lines)};
  });
}

void quorvan_sim_tick_file_close(quorvan_sim_tick_file *file) { delete file; }

int quorvan_sim_host_play_file(quorvan_sim_host *host, quorvan_sim_tick_file *file, long long most,
                               const int *stop, long long *played, void *record, size_t size) {
  return Guarded([&] {
    if (host == nullptr || file == nullptr || played == nullptr) {
      throw ControlError{QUORVAN_SIM_BAD_ARGUMENT, "no host, file or place for the outcome"};
    }
    if (record != nullptr) RequireMarketRecord(record, size);
    static const int kGoOn = 0;
    const FilePlay play = host->host.PlayFile(file->file, most, stop != nullptr ? stop : &kGoOn);
    played[0] = play.status == FilePlay::Status::More  ? QUORVAN_SIM_PLAY_MORE
                : play.status == FilePlay::Status::End ? QUORVAN_SIM_PLAY_END
                                                       : QUORVAN_SIM_PLAY_DECLINED;
    played[1] = play.ticks;
    played[2] = file->file.lines_read();
    played[3] = file->file.line();
    played[4] = file->file.offset();
    for (int part = 0; part < 7; ++part) played[5 + part] = play.last_time[part];
    if (record != nullptr && play.ticks > 0) {
      const CThostFtdcDepthMarketDataField market = BrokerDirectory::Instance().MarketRecord(
          host->host.front(), host->host.last_instrument());
      std::memcpy(record, &market, sizeof market);
    }
  });
}

int quorvan_sim_settle(const char *front, const char *const *instruments, const double *prices,
                       size_t count) {
  return Guarded([&] {
    std::map<std::string, double> settlement_prices;
    for (size_t index = 0; index < count; ++index) {
      settlement_prices[Text(instruments[index])] = prices[index];
    }
    BrokerDirectory::Instance().Settle(Text(front), settlement_prices);
    // The front closes for the night: every connection drops and comes back to the new day.
    constexpr int kNetworkReadFailure = 0x1001;
    const ApiBackend::Delay reopen = std::chrono::milliseconds(100);
    for (const std::shared_ptr<ApiBackend> &backend :
         Registry::Instance().ConnectedBackends(Text(front))) {
      try {
        backend->Disconnect(kNetworkReadFailure, reopen);
      } catch (const NotDelivered &) {
        // Released meanwhile: it has no connection left to drop.
      }
    }
  });
}

int quorvan_sim_keep_calls(size_t count) {
  return Guarded([&] { Registry::Instance().KeepCalls(count); });
}

quorvan_sim_calls *quorvan_sim_calls_open(const char *flow_path) {
  quorvan_sim_calls *snapshot = nullptr;
  Guarded([&] {
    std::shared_ptr<CallLog> log = Registry::Instance().FindLog(Text(flow_path));
    snapshot = new quorvan_sim_calls{log->Snapshot()};
  });
  return snapshot;
}

size_t quorvan_sim_calls_count(const quorvan_sim_calls *calls) {
  return calls != nullptr ? calls->calls.size() : 0;
}

const char *quorvan_sim_call_operation(const quorvan_sim_calls *calls, size_t call) {
  const Call *entry = CallAt(calls, call);
  return entry != nullptr ? OperationName(entry->operation) : nullptr;
}

size_t quorvan_sim_call_arg_count(const quorvan_sim_calls *calls, size_t call) {
  const Call *entry = CallAt(calls, call);
  return entry != nullptr ? entry->args.size() : 0;
}

int quorvan_sim_call_arg_kind(const quorvan_sim_calls *calls, size_t call, size_t arg) {
  const CallArg *value = ArgAt(calls, call, arg);
  if (value == nullptr) return QUORVAN_SIM_BAD_ARGUMENT;
  return static_cast<int>(value->index());
}

long long quorvan_sim_call_arg_int(const quorvan_sim_calls *calls, size_t call, size_t arg) {
  const CallArg *value = ArgAt(calls, call, arg);
  if (value == nullptr) return 0;
  if (const bool *flag = std::get_if<bool>(value)) return *flag;
  if (const long long *number = std::get_if<long long>(value)) return *number;
  return 0;
}

const void *quorvan_sim_call_arg_bytes(const quorvan_sim_calls *calls, size_t call, size_t arg,
                                       size_t *size) {
  const CallArg *value = ArgAt(calls, call, arg);
  const std::string *bytes = value != nullptr ? std::get_if<std::string>(value) : nullptr;
  if (size != nullptr) *size = bytes != nullptr ? bytes->size() : 0;
  return bytes != nullptr ? bytes->data() : nullptr;
}

size_t quorvan_sim_call_arg_text_count(const quorvan_sim_calls *calls, size_t call, size_t arg) {
  const CallArg *value = ArgAt(calls, call, arg);
  const CallTexts *texts = value != nullptr ? std::get_if<CallTexts>(value) : nullptr;
  return texts != nullptr ? texts->size() : 0;
}

const void *quorvan_sim_call_arg_text(const quorvan_sim_calls *calls, size_t call, size_t arg,
                                      size_t text, size_t *size) {
  const CallArg *value = ArgAt(calls, call, arg);
  const CallTexts *texts = value != nullptr ? std::get_if<CallTexts>(value) : nullptr;
  const std::optional<std::string> *entry =
      texts != nullptr && text < texts->size() ? &(*texts)[text] : nullptr;
  const std::string *bytes = entry != nullptr && *entry ? &**entry : nullptr;
  if (size != nullptr) *size = bytes != nullptr ? bytes->size() : 0;
  return bytes != nullptr ? bytes->data() : nullptr;
}

void quorvan_sim_calls_close(quorvan_sim_calls *calls) { delete calls; }

}  // extern "C"
