/* The simulated trader library's control interface: what Quorvan.sim wraps with ctypes and
 * what tests outside the package call. An API object, a trader's or a market-data one, is
 * named by the flow directory it was created with, exactly as passed to CreateFtdcTraderApi
 * or CreateFtdcMdApi.
 *
 * Every function returning int returns QUORVAN_SIM_OK or one of the negative codes below;
 * quorvan_sim_last_error() then describes the failure of the calling thread's last call. */
#ifndef QUORVAN_SIM_CONTROL_H
#define QUORVAN_SIM_CONTROL_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

#define QUORVAN_SIM_API __attribute__((visibility("default")))

enum {
  QUORVAN_SIM_OK = 0,
  QUORVAN_SIM_NO_SUCH_TRADER = -1, /* no API object with that flow directory (or released) */
  QUORVAN_SIM_BAD_NAME = -2,       /* unknown operation, event or exception kind */
  QUORVAN_SIM_BAD_ARGUMENT = -3,   /* a name or value the operation does not take */
  QUORVAN_SIM_NOT_DELIVERED = -4,  /* released first, never started, or a callback threw */
  QUORVAN_SIM_INTERNAL = -5,       /* the library itself failed (out of memory) */
  QUORVAN_SIM_BROKER_BUSY = -6,    /* the broker has connected API objects, or a replay them */
  QUORVAN_SIM_TIMED_OUT = -7       /* what the call waits for did not happen in time */
};

/* The kinds of a logged call's arguments. */
enum {
  QUORVAN_SIM_ARG_NONE = 0, /* a null pointer */
  QUORVAN_SIM_ARG_BOOL = 1,
  QUORVAN_SIM_ARG_INT = 2,
  QUORVAN_SIM_ARG_BYTES = 3, /* text or a record's bytes */
  QUORVAN_SIM_ARG_TEXTS = 4  /* a list of texts (a subscription's instrument ids) */
};

/* The kinds of API object. */
enum {
  QUORVAN_SIM_TRADER = 0,     /* CThostFtdcTraderApi */
  QUORVAN_SIM_MARKET_DATA = 1 /* CThostFtdcMdApi */
};

QUORVAN_SIM_API const char *quorvan_sim_last_error(void);

/* An event of events.def by name: the class of its record ("OrderField"; "" without a
 * record), the vendor record's size (0 without one) and the callback's parameters in order,
 * each as kind:name with the kinds record, rsp_info, int and bool ("record:pOrder
 * rsp_info:pRspInfo int:nRequestID bool:bIsLast"; "" for none). */
QUORVAN_SIM_API int quorvan_sim_event_info(const char *event, const char **record_class,
                                           size_t *record_size, const char **parameters);

/* The same for an event of either kind of API object (md_events.def for
 * QUORVAN_SIM_MARKET_DATA). */
QUORVAN_SIM_API int quorvan_sim_kind_event_info(int kind, const char *event,
                                                const char **record_class, size_t *record_size,
                                                const char **parameters);

/* The kind of the API object last created with that flow directory, released or not, into
 * `kind`; QUORVAN_SIM_NO_SUCH_TRADER when none was. */
QUORVAN_SIM_API int quorvan_sim_api_kind(const char *flow_path, int *kind);

QUORVAN_SIM_API size_t quorvan_sim_rsp_info_size(void);

/* What libthostmduserapi_se.so's static functions of CThostFtdcMdApi forward to: a new
 * market-data object (a CThostFtdcMdApi *), or null when a failure was armed for
 * CreateFtdcMdApi; and the library's version. */
QUORVAN_SIM_API void *quorvan_sim_create_md_api(const char *flow_path, int udp, int multicast);
QUORVAN_SIM_API const char *quorvan_sim_md_api_version(void);

/* The next call of `operation` (a request, RegisterUserSystemInfo or SubmitUserSystemInfo of
 * a trader; a subscription or request of a market-data object) on the object with that flow
 * directory returns `result` and sends nothing. With a null flow directory, only
 * "CreateFtdcTraderApi" or "CreateFtdcMdApi": the next factory call returns null. An
 * operation of the other kind of API object than the one last created with the directory is
 * QUORVAN_SIM_BAD_ARGUMENT. */
QUORVAN_SIM_API int quorvan_sim_fail_next(const char *flow_path, const char *operation, int result);

/* The next call of `operation` throws the std:: exception named by `kind` (carrying
 * `message` where that type takes one), or, for "unknown", something that is not a
 * std::exception. A null flow directory arms the static functions (GetApiVersion: the next
 * call of either class's). Operations are checked against the kind as fail_next does. */
QUORVAN_SIM_API int quorvan_sim_throw_next(const char *flow_path, const char *operation,
                                           const char *kind, const char *message);

/* The object's thread raises `event` (an event of its kind's handler class: a trader event
 * on a market-data object is QUORVAN_SIM_BAD_NAME, and the other way round) `count` times
 * with these arguments, read as the event's
 * shape takes them: `record` (sizeof the vendor record, or null), `rsp_info` (null or a
 * CThostFtdcRspInfoField), `number` (nRequestID, nReason or nTimeLapse) and `is_last`.
 * The records are copied before delivery. Returns once the last callback has returned; on the
 * object's own thread it delivers inline. */
QUORVAN_SIM_API int quorvan_sim_emit(const char *flow_path, const char *event, const void *record,
                                     const void *rsp_info, int number, int is_last,
                                     long long count);

/* The object's connection drops: requests it accepted before reach the broker, and what the
 * broker sent is raised, then OnFrontDisconnected(reason), returning once that callback has
 * returned; requests return -1 until, after `reconnect_after` seconds, the connection is back
 * and OnFrontConnected is raised. A negative delay leaves the connection down. */
QUORVAN_SIM_API int quorvan_sim_disconnect(const char *flow_path, int reason,
                                           double reconnect_after);

/* The simulated broker of a front address (as RegisterFront receives it, "tcp://host:port"),
 * shared by every API object registered with that front.
 *
 * Applies a configuration text (simtrader/broker/configuration.h: instrument, account and
 * position entries) to the front's broker, which is replaced by a fresh one; with a null
 * front, to the configuration that brokers made from now on start from. With `reset` the
 * text applies to the built-in configuration (no accounts, the default instruments) instead
 * of the current one. QUORVAN_SIM_BROKER_BUSY while the front's broker has API objects
 * connected, QUORVAN_SIM_BAD_ARGUMENT for a faulty text. */
QUORVAN_SIM_API int quorvan_sim_configure(const char *front, const char *text, int reset);

/* The address of the front whose broker the market-data front `md_front` publishes: the
 * front a configuration named it for (configure's md_front entry), or else `md_front`
 * itself. Valid until the calling thread's next call of this function. */
QUORVAN_SIM_API const char *quorvan_sim_published_front(const char *md_front);

/* Moves an instrument's market at the front's broker (made if the front has none yet), or
 * with a null front at every broker and in the configuration brokers start from; a null
 * value keeps what the market has, and a new bid (ask) makes that side one level deep
 * (quorvan_sim_set_market_depth). Resting orders the new market crosses are filled and held
 * orders a new last price triggers are sent, their events posted to their API objects' threads
 * before this returns. QUORVAN_SIM_BAD_ARGUMENT,
 * moving nothing, for an instrument no broker lists or an invalid market. */
QUORVAN_SIM_API int quorvan_sim_set_market(const char *front, const char *instrument,
                                           const double *bid, const double *ask, const double *last,
                                           const int *bid_volume, const int *ask_volume,
                                           const double *upper_limit, const double *lower_limit);

/* quorvan_sim_set_market with the exchange's figures for the day (the volume traded, the
 * turnover and the open interest; a null value keeps what the market has) and the time of
 * the move: `action_day` YYYYMMDD, `update_time` HH:MM:SS and `update_millisec` 0 to 999,
 * as a replayed tick carries them; a null `action_day` stamps the move with the local clock,
 * as quorvan_sim_set_market does. The market-data objects subscribed to the instrument
 * receive the moved market, as quorvan_sim_market reads it, before this returns. */
QUORVAN_SIM_API int quorvan_sim_set_market_at(const char *front, const char *instrument,
                                              const double *bid, const double *ask,
                                              const double *last, const int *bid_volume,
                                              const int *ask_volume, const double *upper_limit,
                                              const double *lower_limit, const int *volume,
                                              const double *turnover, const double *open_interest,
                                              const char *action_day, const char *update_time,
                                              int update_millisec);

/* quorvan_sim_set_market_at with the levels of book: `bid_levels` bids, highest first, the
 * price of each in `bid_prices` and its lots in `bid_volumes` (0 levels: an empty side), and
 * likewise the asks, lowest first. A negative count keeps the side as `bid` and `bid_volume`
 * (`ask`, `ask_volume`) move it: a new bid makes the side one level deep, a bid_volume alone
 * changes the first level's lots. Given with levels, `bid` and `bid_volume` may only repeat
 * the first. QUORVAN_SIM_BAD_ARGUMENT, moving nothing, for more than five levels a side,
 * levels out of order (bids must fall and asks rise strictly, the best bid below the best
 * ask), a level's price off the tick, not positive or outside the daily limits, or a
 * negative volume. */
QUORVAN_SIM_API int quorvan_sim_set_market_depth(
    const char *front, const char *instrument, const double *bid, const double *ask,
    const double *last, const int *bid_volume, const int *ask_volume, const double *upper_limit,
    const double *lower_limit, const int *volume, const double *turnover,
    const double *open_interest, const char *action_day, const char *update_time,
    int update_millisec, const double *bid_prices, const int *bid_volumes, int bid_levels,
    const double *ask_prices, const int *ask_volumes, int ask_levels);

/* Copies the instrument's market at the front's broker (made if the front has none yet), or
 * with a null front in the configuration brokers start from, into `record`, a
 * CThostFtdcDepthMarketDataField of `size` bytes, as a query of its depth market data answers
 * it. QUORVAN_SIM_BAD_ARGUMENT for an instrument not listed there or a size that is not the
 * record's. */
QUORVAN_SIM_API int quorvan_sim_market(const char *front, const char *instrument, void *record,
                                       size_t size);

/* Waits until every running API object registered with the front (every one, with a null
 * front) has delivered all that was posted to it: its events raised with their callbacks
 * returned, the requests it accepted (those the callbacks sent included) handled and their
 * answers delivered in turn. What set_market posted has then reached the handlers, and what
 * they did about it has been answered. Requests other threads send meanwhile are not waited
 * for. QUORVAN_SIM_TIMED_OUT after `timeout` seconds (a negative timeout waits as long as it
 * takes); QUORVAN_SIM_BAD_ARGUMENT on the thread of one of those objects, which would wait for
 * itself. */
QUORVAN_SIM_API int quorvan_sim_wait_delivered(const char *front, double timeout);

/* A replay played on one thread (quorvan_sim_host_begin). */
typedef struct quorvan_sim_host quorvan_sim_host;
/* A CSV file of ticks read from C (quorvan_sim_tick_file_open). */
typedef struct quorvan_sim_tick_file quorvan_sim_tick_file;

/* How quorvan_sim_host_play_file stopped. */
enum {
  QUORVAN_SIM_PLAY_MORE = 0,    /* it played as many ticks as it was asked to */
  QUORVAN_SIM_PLAY_END = 1,     /* the file has no more rows */
  QUORVAN_SIM_PLAY_DECLINED = 2 /* the next row is for the caller's own reader to play */
};

/* Lends the calling thread the work of every running API object of the front (every one, with
 * a null front), and of those started later while it holds them: until quorvan_sim_host_end,
 * their events are raised, their callbacks run and their requests are handled on this thread,
 * when it calls quorvan_sim_host_deliver, quorvan_sim_host_play_file or
 * quorvan_sim_wait_delivered, and never on their own threads. A replay played so makes no
 * handoff between threads per tick. QUORVAN_SIM_BROKER_BUSY when another thread holds one of
 * them already (a replay of the front plays), QUORVAN_SIM_TIMED_OUT when a callback one of
 * them is running has not returned after `timeout` seconds (a negative timeout waits as long
 * as it takes), QUORVAN_SIM_BAD_ARGUMENT on the thread of one of them: `*host` is null then,
 * and nothing is lent. */
QUORVAN_SIM_API int quorvan_sim_host_begin(const char *front, double timeout,
                                           quorvan_sim_host **host);

/* Runs what the host's objects have due until none has anything: their events raised (the
 * traders' before the market-data objects') and the requests their callbacks sent answered. */
QUORVAN_SIM_API int quorvan_sim_host_deliver(quorvan_sim_host *host);

/* Gives the objects' work back to their own threads until the host's next delivery, which
 * borrows it again: for a while the host's thread delivers nothing (it waits elsewhere). Any
 * thread may call it while the host's thread is not in a call of the host. */
QUORVAN_SIM_API int quorvan_sim_host_release(quorvan_sim_host *host);

/* Gives the objects' work back to their own threads and frees the host; null is ignored. */
QUORVAN_SIM_API void quorvan_sim_host_end(quorvan_sim_host *host);

/* Reads a CSV file of ticks from the descriptor `fd` (the reader's from now on, closed with
 * it, and on failure), whose header, `columns` cells (as csv.reader gives them), fills its
 * first `header_lines` lines, which are skipped. The reader reads at its own offsets, so the
 * descriptor may be a duplicate of one another reader uses. */
QUORVAN_SIM_API int quorvan_sim_tick_file_open(int fd, const char *const *header, size_t columns,
                                               long long header_lines,
                                               quorvan_sim_tick_file **file);

/* Closes the file; null is ignored. */
QUORVAN_SIM_API void quorvan_sim_tick_file_close(quorvan_sim_tick_file *file);

/* Delivers what the host's objects have due (quorvan_sim_host_deliver), then plays the file's
 * next rows at the host's front, at most `most` ticks: each moves its instrument's market as
 * quorvan_sim_set_market_depth does, stamped with its time, and is delivered before the next.
 * No tick plays once `*stop` is not 0, which another thread (or a handler) may set meanwhile.
 * Stops before a row it does not take: one that is not plain (quoted cells, text that is not
 * ASCII, spaces around a value), is malformed, goes back in time, or whose market the broker
 * refuses; the caller's own reader plays the file on from there. Fills `played` with 12
 * numbers: how it stopped (QUORVAN_SIM_PLAY_*), the ticks played, the lines read (the
 * header's included), the first line and the byte offset of the row it stopped before, then
 * the time of the last tick played as year, month, day, hour, minute, second and microsecond.
 * Unless `record` is null, copies the market of the last tick played there, a
 * CThostFtdcDepthMarketDataField of `size` bytes, as quorvan_sim_market reads it. */
QUORVAN_SIM_API int quorvan_sim_host_play_file(quorvan_sim_host *host, quorvan_sim_tick_file *file,
                                               long long most, const int *stop, long long *played,
                                               void *record, size_t size);

/* Ends the trading day of the front's broker: resting orders are cancelled, positions marked
 * at the settlement prices and carried to the next weekday, accounts rolled and settlement
 * statements written (simtrader/broker/broker.h, Broker::Settle). `count` instruments get
 * the settlement price given in `prices`; the others settle at their last price. Then every
 * API object connected to the front loses its connection, as quorvan_sim_disconnect does
 * with reason 0x1001, and reconnects 0.1 seconds later to the new day. Returns once each
 * OnFrontDisconnected has returned. QUORVAN_SIM_BAD_ARGUMENT, changing nothing, for a front
 * without a broker, an instrument not listed or a price off its tick or outside the day's
 * limits. */
QUORVAN_SIM_API int quorvan_sim_settle(const char *front, const char *const *instruments,
                                       const double *prices, size_t count);

/* Each API object created from now on keeps its last `count` calls in its call log (0: none).
 * Until this is called, an object keeps its last 100,000. */
QUORVAN_SIM_API int quorvan_sim_keep_calls(size_t count);

/* A snapshot of the call log of the object last created with that flow directory, released
 * or not; null (see quorvan_sim_last_error) when no object was ever created with it. */
typedef struct quorvan_sim_calls quorvan_sim_calls;

QUORVAN_SIM_API quorvan_sim_calls *quorvan_sim_calls_open(const char *flow_path);
QUORVAN_SIM_API size_t quorvan_sim_calls_count(const quorvan_sim_calls *calls);
QUORVAN_SIM_API const char *quorvan_sim_call_operation(const quorvan_sim_calls *calls, size_t call);
QUORVAN_SIM_API size_t quorvan_sim_call_arg_count(const quorvan_sim_calls *calls, size_t call);
QUORVAN_SIM_API int quorvan_sim_call_arg_kind(const quorvan_sim_calls *calls, size_t call,
                                              size_t arg);
QUORVAN_SIM_API long long quorvan_sim_call_arg_int(const quorvan_sim_calls *calls, size_t call,
                                                   size_t arg);
QUORVAN_SIM_API const void *quorvan_sim_call_arg_bytes(const quorvan_sim_calls *calls, size_t call,
                                                       size_t arg, size_t *size);
/* A QUORVAN_SIM_ARG_TEXTS argument: how many texts, and each (null for a null pointer). */
QUORVAN_SIM_API size_t quorvan_sim_call_arg_text_count(const quorvan_sim_calls *calls, size_t call,
                                                       size_t arg);
QUORVAN_SIM_API const void *quorvan_sim_call_arg_text(const quorvan_sim_calls *calls, size_t call,
                                                      size_t arg, size_t text, size_t *size);
QUORVAN_SIM_API void quorvan_sim_calls_close(quorvan_sim_calls *calls);

#ifdef __cplusplus
}
#endif

#endif
