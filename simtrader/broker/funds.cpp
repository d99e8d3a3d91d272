#include "broker/funds.h"

#include <algorithm>

#include "broker/orders.h"
#include "broker/record_text.h"

namespace simtrader {

Funds FundsOf(const Account &account, const Holdings &holdings,
              const std::vector<CThostFtdcOrderField> &resting, const Catalogue &catalogue) {
  Funds funds;
  funds.pre_balance = account.pre_balance;
  funds.deposit = account.deposit;
  funds.withdraw = account.withdraw;
  const MarginCharges charges(holdings, resting, catalogue);
  for (const PositionLeg &leg : holdings.legs()) {
    funds.close_profit += leg.close_profit;
    funds.commission += leg.commission;
    auto listing = catalogue.find(leg.instrument);
    if (listing == catalogue.end()) continue;
    const Instrument &instrument = listing->second.instrument;
    for (const Lot &lot : leg.lots) {
      funds.position_profit +=
          PositionProfit(instrument, leg.side, lot, listing->second.market.last);
      funds.margin +=
          LotMargin(instrument, leg.side, lot) * charges.HeldShare(instrument, leg.side);
    }
  }
  for (const CThostFtdcOrderField &order : resting) {
    auto listing = catalogue.find(TextOf(order.InstrumentID));
    if (listing == catalogue.end()) continue;
    const Instrument &instrument = listing->second.instrument;
    const OrderReserve reserve = ReserveOf(order, instrument);
    funds.frozen_margin += reserve.margin * charges.FrozenShare(instrument);
    funds.frozen_commission += reserve.commission;
  }
  funds.balance = funds.pre_balance + funds.deposit - funds.withdraw + funds.close_profit +
                  funds.position_profit - funds.commission;
  funds.available = funds.balance - funds.margin - funds.frozen_margin - funds.frozen_commission;
  funds.withdraw_quota = std::max(0.0, funds.available - std::max(0.0, funds.position_profit));
  return funds;
}

bool Affords(const Account &account, const Holdings &holdings,
             const std::vector<CThostFtdcOrderField> &resting, const CThostFtdcOrderField &order,
             const Catalogue &catalogue) {
  std::vector<CThostFtdcOrderField> with_order = resting;
  with_order.push_back(order);
  // A cent of slack keeps rounding in the sums from refusing an order that fits exactly.
  return FundsOf(account, holdings, with_order, catalogue).available + 0.01 >= 0;
}

CThostFtdcTradingAccountField TradingAccountRecord(const Funds &funds, const RecordOwner &owner) {
  CThostFtdcTradingAccountField record{};
  SetText(record.BrokerID, owner.broker_id);
  SetText(record.AccountID, owner.investor);
  SetText(record.TradingDay, owner.trading_day);
  SetText(record.CurrencyID, "CNY");
  record.BizType = THOST_FTDC_BZTP_Future;
  record.SettlementID = 1;
  record.PreBalance = funds.pre_balance;
  record.Deposit = funds.deposit;
  record.Withdraw = funds.withdraw;
  record.CloseProfit = funds.close_profit;
  record.PositionProfit = funds.position_profit;
  record.Commission = funds.commission;
  record.CurrMargin = funds.margin;
  record.ExchangeMargin = funds.margin;
  record.FrozenMargin = funds.frozen_margin;
  record.FrozenCommission = funds.frozen_commission;
  record.Balance = funds.balance;
  record.Available = funds.available;
  record.WithdrawQuota = funds.withdraw_quota;
  return record;
}

}  // namespace simtrader
