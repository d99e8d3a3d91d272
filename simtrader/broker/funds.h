// An investor's money, as the trading account record reports it.
//
//   balance   = pre-balance + deposit - withdraw + close profit + position profit - commission
//   available = balance - margin - frozen margin - frozen commission
//
// Close profit, position profit and margin follow the daily mark-to-market of positions.h;
// commission is what fills charged today; the frozen amounts are what resting orders hold
// back at their limit prices, released when they fill or are cancelled (where an exchange
// margins a product's larger side only, both follow MarginCharges of positions.h). Floating
// profit counts towards what may be traded but not towards what may be withdrawn.
#ifndef SIMTRADER_BROKER_FUNDS_H
#define SIMTRADER_BROKER_FUNDS_H

#include <string>
#include <vector>

#include "ThostFtdcUserApiStruct.h"
#include "broker/instruments.h"
#include "broker/positions.h"
#include "broker/store.h"

namespace simtrader {

struct Funds {
  double pre_balance = 0;
  double deposit = 0;
  double withdraw = 0;
  double close_profit = 0;
  double position_profit = 0;
  double commission = 0;
  double margin = 0;
  double frozen_margin = 0;
  double frozen_commission = 0;
  double balance = 0;
  double available = 0;
  double withdraw_quota = 0;
};

// `resting` are the investor's resting orders.
Funds FundsOf(const Account &account, const Holdings &holdings,
              const std::vector<CThostFtdcOrderField> &resting, const Catalogue &catalogue);

// Whether the account can hold back what `order` would freeze besides its `resting` orders:
// its margin (only what it adds to the larger side, where its exchange margins that side
// only) and its commission.
bool Affords(const Account &account, const Holdings &holdings,
             const std::vector<CThostFtdcOrderField> &resting, const CThostFtdcOrderField &order,
             const Catalogue &catalogue);

CThostFtdcTradingAccountField TradingAccountRecord(const Funds &funds, const RecordOwner &owner);

}  // namespace simtrader

#endif
