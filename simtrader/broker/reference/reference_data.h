// The broker's reference data, as the queries a strategy makes at start report it: the
// exchanges and products it lists, an investor's commission, margin and order-fee rates, the
// investor and its trading codes at each exchange. All of it follows from the catalogue; a
// query names what it wants by filters, an empty filter passing everything.
#ifndef SIMTRADER_BROKER_REFERENCE_REFERENCE_DATA_H
#define SIMTRADER_BROKER_REFERENCE_REFERENCE_DATA_H

#include <string>
#include <vector>

#include "ThostFtdcUserApiStruct.h"
#include "broker/instruments.h"
#include "broker/positions.h"

namespace simtrader {

std::vector<CThostFtdcExchangeField> ExchangeRecords(const Catalogue &catalogue,
                                                     const CThostFtdcQryExchangeField &query);
std::vector<CThostFtdcProductField> ProductRecords(const Catalogue &catalogue,
                                                   const CThostFtdcQryProductField &query);
std::vector<CThostFtdcInstrumentCommissionRateField> CommissionRateRecords(
    const Catalogue &catalogue, const CThostFtdcQryInstrumentCommissionRateField &query,
    const RecordOwner &owner);
std::vector<CThostFtdcInstrumentMarginRateField> MarginRateRecords(
    const Catalogue &catalogue, const CThostFtdcQryInstrumentMarginRateField &query,
    const RecordOwner &owner);
// The simulated exchanges charge nothing for placing or cancelling an order.
std::vector<CThostFtdcInstrumentOrderCommRateField> OrderCommRateRecords(
    const Catalogue &catalogue, const CThostFtdcQryInstrumentOrderCommRateField &query,
    const RecordOwner &owner);
std::vector<CThostFtdcInvestorField> InvestorRecords(const CThostFtdcQryInvestorField &query,
                                                     const RecordOwner &owner);
// One speculation client code at each exchange the broker lists: the investor's own id.
std::vector<CThostFtdcTradingCodeField> TradingCodeRecords(
    const Catalogue &catalogue, const CThostFtdcQryTradingCodeField &query,
    const RecordOwner &owner);

}  // namespace simtrader

#endif
