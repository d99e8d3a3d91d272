// The settlement statement a broker writes for each account at the end of a trading day, in
// the vendor's usual tabular form (account summary, the day's trades, the positions carried
// over), and the SettlementInfo records that carry it to ReqQrySettlementInfo.
#ifndef SIMTRADER_BROKER_REFERENCE_SETTLEMENT_H
#define SIMTRADER_BROKER_REFERENCE_SETTLEMENT_H

#include <map>
#include <string>
#include <vector>

#include "ThostFtdcUserApiStruct.h"
#include "broker/funds.h"
#include "broker/instruments.h"
#include "broker/positions.h"

namespace simtrader {

struct StatementOfDay {
  std::string investor;
  std::string trading_day;
  Funds funds;  // at the settlement prices, after the day's orders were cancelled
  std::vector<CThostFtdcTradeField> trades;
  Holdings holdings{{}};  // as the day ended, before they were rolled
  std::map<std::string, double> settlement_prices;
};

// GB18030 text, lines ended by "\r\n" as the vendor's.
std::string StatementText(const StatementOfDay &day, const Catalogue &catalogue);

// The statement in Content chunks of at most the field's size less its NUL, numbered from 1,
// each cut at a character boundary so that every chunk is text of its own.
std::vector<CThostFtdcSettlementInfoField> SettlementInfoRecords(const std::string &text,
                                                                 const RecordOwner &owner);

}  // namespace simtrader

#endif
