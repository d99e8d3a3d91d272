// The floor of the round-trip bench: the order flow of bench_round_trip.py driven by a C++
// client of the simulated library whose callbacks do nothing but say that the awaited event
// came. It logs in as the Python trader does, then sends one order at a time (alternately
// opening and closing one lot, so the account never runs out of money) and times each from
// the start of its making to its OnRtnTrade, as the bench times buy_open.
//
// round_trip_client <front> <flow directory>
// then reads order counts from its standard input, one a line: for each it sends that many
// orders and prints their round trips in microseconds on one line. The bench takes turns with
// it this way, so that both sides see the same load of a shared machine. It logs out at the
// end of its input.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include "ThostFtdcTraderApi.h"
#include "control.h"

namespace {

constexpr char kBroker[] = "9999";
constexpr char kInvestor[] = "BENCH01";
constexpr char kPassword[] = "p";
constexpr char kInstrument[] = "rb2705";
constexpr char kExchange[] = "SHFE";
constexpr double kBid = 3200.0, kAsk = 3201.0;

using Clock = std::chrono::steady_clock;

// Counts the events a step waits for; every callback the flow needs only bumps a counter.
class Spi final : public CThostFtdcTraderSpi {
 public:
  enum Event { kConnected, kAuthenticated, kLoggedIn, kConfirmed, kTraded, kEvents };

  void OnFrontConnected() override { bump(kConnected, Clock::now()); }
  void OnRspAuthenticate(CThostFtdcRspAuthenticateField *, CThostFtdcRspInfoField *info, int,
                         bool) override {
    check(info, "ReqAuthenticate");
    bump(kAuthenticated, Clock::now());
  }
  void OnRspUserLogin(CThostFtdcRspUserLoginField *, CThostFtdcRspInfoField *info, int,
                      bool) override {
    check(info, "ReqUserLogin");
    bump(kLoggedIn, Clock::now());
  }
  void OnRspSettlementInfoConfirm(CThostFtdcSettlementInfoConfirmField *,
                                  CThostFtdcRspInfoField *info, int, bool) override {
    check(info, "ReqSettlementInfoConfirm");
    bump(kConfirmed, Clock::now());
  }
  void OnRtnTrade(CThostFtdcTradeField *) override { bump(kTraded, Clock::now()); }

  // Waits until `event` has come `count` times; the time of its last coming.
  Clock::time_point wait(Event event, long count) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!changed_.wait_for(lock, std::chrono::seconds(60),
                           [&] { return counts_[event] >= count; })) {
      std::fprintf(stderr, "round_trip_client: event %d came %ld of %ld times\n", event,
                   counts_[event], count);
      std::exit(1);
    }
    return last_[event];
  }

 private:
  void bump(Event event, Clock::time_point at) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++counts_[event];
    last_[event] = at;
    changed_.notify_all();
  }

  static void check(CThostFtdcRspInfoField *info, const char *step) {
    if (info != nullptr && info->ErrorID != 0) {
      std::fprintf(stderr, "round_trip_client: %s failed with %d\n", step, info->ErrorID);
      std::exit(1);
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  long counts_[kEvents] = {};
  Clock::time_point last_[kEvents];
};

template <size_t N>
void copy_text(char (&field)[N], const char *text) {
  std::snprintf(field, N, "%s", text);
}

CThostFtdcInputOrderField order(long index) {
  CThostFtdcInputOrderField order{};
  copy_text(order.BrokerID, kBroker);
  copy_text(order.InvestorID, kInvestor);
  copy_text(order.UserID, kInvestor);
  copy_text(order.ExchangeID, kExchange);
  copy_text(order.InstrumentID, kInstrument);
  copy_text(order.OrderRef, std::to_string(index + 1).c_str());
  const bool open = index % 2 == 0;
  order.Direction = open ? THOST_FTDC_D_Buy : THOST_FTDC_D_Sell;
  order.CombOffsetFlag[0] = open ? THOST_FTDC_OF_Open : THOST_FTDC_OF_CloseToday;
  order.CombHedgeFlag[0] = THOST_FTDC_HF_Speculation;
  order.OrderPriceType = THOST_FTDC_OPT_LimitPrice;
  order.LimitPrice = open ? kAsk : kBid;
  order.VolumeTotalOriginal = 1;
  order.TimeCondition = THOST_FTDC_TC_GFD;
  order.VolumeCondition = THOST_FTDC_VC_AV;
  order.MinVolume = 1;
  order.ContingentCondition = THOST_FTDC_CC_Immediately;
  order.ForceCloseReason = THOST_FTDC_FCC_NotForceClose;
  return order;
}

void require(bool ok, const char *what) {
  if (!ok) {
    std::fprintf(stderr, "round_trip_client: %s failed: %s\n", what, quorvan_sim_last_error());
    std::exit(1);
  }
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: round_trip_client <front> <flow directory>\n");
    return 2;
  }
  std::string front = argv[1];
  const std::string flow = std::string(argv[2]) + "/";

  const std::string account = std::string("account investor=") + kInvestor +
                              " password=" + kPassword + " balance=1000000000";
  require(quorvan_sim_configure(front.c_str(), account.c_str(), 0) == QUORVAN_SIM_OK, "configure");
  require(quorvan_sim_set_market(front.c_str(), kInstrument, &kBid, &kAsk, nullptr, nullptr,
                                 nullptr, nullptr, nullptr) == QUORVAN_SIM_OK,
          "set_market");

  Spi spi;
  CThostFtdcTraderApi *api = CThostFtdcTraderApi::CreateFtdcTraderApi(flow.c_str());
  api->RegisterSpi(&spi);
  api->RegisterFront(&front[0]);
  api->SubscribePrivateTopic(THOST_TERT_QUICK);
  api->SubscribePublicTopic(THOST_TERT_QUICK);
  api->Init();
  spi.wait(Spi::kConnected, 1);

  CThostFtdcReqAuthenticateField authenticate{};
  copy_text(authenticate.BrokerID, kBroker);
  copy_text(authenticate.UserID, kInvestor);
  copy_text(authenticate.AppID, "a");
  copy_text(authenticate.AuthCode, "c");
  require(api->ReqAuthenticate(&authenticate, 1) == 0, "ReqAuthenticate");
  spi.wait(Spi::kAuthenticated, 1);
  CThostFtdcReqUserLoginField login{};
  copy_text(login.BrokerID, kBroker);
  copy_text(login.UserID, kInvestor);
  copy_text(login.Password, kPassword);
  require(api->ReqUserLogin(&login, 2) == 0, "ReqUserLogin");
  spi.wait(Spi::kLoggedIn, 1);
  CThostFtdcSettlementInfoConfirmField confirm{};
  copy_text(confirm.BrokerID, kBroker);
  copy_text(confirm.InvestorID, kInvestor);
  require(api->ReqSettlementInfoConfirm(&confirm, 3) == 0, "ReqSettlementInfoConfirm");
  spi.wait(Spi::kConfirmed, 1);

  long sent = 0;
  long orders;
  while (std::scanf("%ld", &orders) == 1) {
    for (long index = sent; index < sent + orders; ++index) {
      const Clock::time_point started = Clock::now();
      CThostFtdcInputOrderField request = order(index);
      require(api->ReqOrderInsert(&request, static_cast<int>(index + 4)) == 0, "ReqOrderInsert");
      const Clock::time_point filled = spi.wait(Spi::kTraded, index + 1);
      std::printf(" %.3f", std::chrono::duration<double, std::micro>(filled - started).count());
    }
    sent += orders;
    std::printf("\n");
    std::fflush(stdout);
  }
  api->RegisterSpi(nullptr);
  api->Release();
  return 0;
}
