#include "broker/reference/reference_data.h"

#include <map>
#include <set>

#include "broker/record_text.h"

namespace simtrader {

namespace {

bool Matches(const std::string &filter, const std::string &value) {
  return filter.empty() || filter == value;
}

// A session asks for its own investor only: another's filter matches nothing.
bool ForOwner(const std::string &investor_filter, const RecordOwner &owner) {
  return Matches(investor_filter, owner.investor);
}

// The exchanges' names as their records carry them: GB18030.
std::string ExchangeName(const std::string &exchange) {
  static const std::map<std::string, std::string> names = {
      {"SHFE", "\xc9\xcf\xba\xa3\xc6\xda\xbb\xf5\xbd\xbb\xd2\xd7\xcb\xf9"},
      {"INE", "\xc9\xcf\xba\xa3\xb9\xfa\xbc\xca\xc4\xdc\xd4\xb4\xbd\xbb\xd2\xd7\xd6\xd0\xd0\xc4"},
      {"DCE", "\xb4\xf3\xc1\xac\xc9\xcc\xc6\xb7\xbd\xbb\xd2\xd7\xcb\xf9"},
      {"CZCE", "\xd6\xa3\xd6\xdd\xc9\xcc\xc6\xb7\xbd\xbb\xd2\xd7\xcb\xf9"},
      {"CFFEX", "\xd6\xd0\xb9\xfa\xbd\xf0\xc8\xda\xc6\xda\xbb\xf5\xbd\xbb\xd2\xd7\xcb\xf9"},
      {"GFEX", "\xb9\xe3\xd6\xdd\xc6\xda\xbb\xf5\xbd\xbb\xd2\xd7\xcb\xf9"},
  };
  auto name = names.find(exchange);
  return name != names.end() ? name->second : exchange;
}

std::set<std::string> ExchangesOf(const Catalogue &catalogue) {
  std::set<std::string> exchanges;
  for (const auto &[id, listing] : catalogue) exchanges.insert(listing.instrument.exchange);
  return exchanges;
}

// The instruments a rate query names: by id, and by exchange where the query has one.
template <typename Query>
std::vector<const Instrument *> RatedInstruments(const Catalogue &catalogue, const Query &query,
                                                 const std::string &exchange_filter) {
  std::vector<const Instrument *> rated;
  for (const auto &[id, listing] : catalogue) {
    if (Matches(TextOf(query.InstrumentID), id) &&
        Matches(exchange_filter, listing.instrument.exchange)) {
      rated.push_back(&listing.instrument);
    }
  }
  return rated;
}

template <typename Record>
void SetRateOwner(Record &record, const Instrument &instrument, const RecordOwner &owner) {
  record.InvestorRange = THOST_FTDC_IR_Single;
  SetText(record.BrokerID, owner.broker_id);
  SetText(record.InvestorID, owner.investor);
  SetText(record.ExchangeID, instrument.exchange);
  SetText(record.InstrumentID, instrument.id);
}

}  // namespace

std::vector<CThostFtdcExchangeField> ExchangeRecords(const Catalogue &catalogue,
                                                     const CThostFtdcQryExchangeField &query) {
  std::vector<CThostFtdcExchangeField> records;
  for (const std::string &exchange : ExchangesOf(catalogue)) {
    if (!Matches(TextOf(query.ExchangeID), exchange)) continue;
    CThostFtdcExchangeField &record = records.emplace_back();
    record = CThostFtdcExchangeField{};
    SetText(record.ExchangeID, exchange);
    SetText(record.ExchangeName, ExchangeName(exchange));
    record.ExchangeProperty = THOST_FTDC_EXP_Normal;
  }
  return records;
}

std::vector<CThostFtdcProductField> ProductRecords(const Catalogue &catalogue,
                                                   const CThostFtdcQryProductField &query) {
  std::vector<CThostFtdcProductField> records;
  if (query.ProductClass != '\0' && query.ProductClass != THOST_FTDC_PC_Futures) return records;
  std::set<std::string> seen;
  for (const auto &[id, listing] : catalogue) {
    const Instrument &instrument = listing.instrument;
    if (!Matches(TextOf(query.ExchangeID), instrument.exchange) ||
        !Matches(TextOf(query.ProductID), instrument.product) ||
        !seen.insert(instrument.exchange + "." + instrument.product).second) {
      continue;
    }
    // The product's record carries what its instruments' records do.
    const CThostFtdcInstrumentField listed = InstrumentRecord(instrument);
    CThostFtdcProductField &record = records.emplace_back();
    record = CThostFtdcProductField{};
    SetText(record.ProductID, instrument.product);
    SetText(record.ProductName, instrument.product);
    SetText(record.ExchangeID, instrument.exchange);
    SetText(record.ExchangeProductID, instrument.product);
    record.ProductClass = THOST_FTDC_PC_Futures;
    record.VolumeMultiple = listed.VolumeMultiple;
    record.PriceTick = listed.PriceTick;
    record.MaxMarketOrderVolume = listed.MaxMarketOrderVolume;
    record.MinMarketOrderVolume = listed.MinMarketOrderVolume;
    record.MaxLimitOrderVolume = listed.MaxLimitOrderVolume;
    record.MinLimitOrderVolume = listed.MinLimitOrderVolume;
    record.PositionType = listed.PositionType;
    record.PositionDateType = listed.PositionDateType;
    record.CloseDealType = THOST_FTDC_CDT_Normal;
    SetText(record.TradeCurrencyID, "CNY");
    record.MortgageFundUseRange = THOST_FTDC_MFUR_None;
    record.UnderlyingMultiple = listed.UnderlyingMultiple;
  }
  return records;
}

std::vector<CThostFtdcInstrumentCommissionRateField> CommissionRateRecords(
    const Catalogue &catalogue, const CThostFtdcQryInstrumentCommissionRateField &query,
    const RecordOwner &owner) {
  std::vector<CThostFtdcInstrumentCommissionRateField> records;
  if (!ForOwner(TextOf(query.InvestorID), owner)) return records;
  for (const Instrument *instrument :
       RatedInstruments(catalogue, query, TextOf(query.ExchangeID))) {
    CThostFtdcInstrumentCommissionRateField &record = records.emplace_back();
    record = CThostFtdcInstrumentCommissionRateField{};
    SetRateOwner(record, *instrument, owner);
    record.OpenRatioByMoney = instrument->open_fee.by_money;
    record.OpenRatioByVolume = instrument->open_fee.by_volume;
    record.CloseRatioByMoney = instrument->close_fee.by_money;
    record.CloseRatioByVolume = instrument->close_fee.by_volume;
    record.CloseTodayRatioByMoney = instrument->close_today_fee.by_money;
    record.CloseTodayRatioByVolume = instrument->close_today_fee.by_volume;
    record.BizType = THOST_FTDC_BZTP_Future;
  }
  return records;
}

std::vector<CThostFtdcInstrumentMarginRateField> MarginRateRecords(
    const Catalogue &catalogue, const CThostFtdcQryInstrumentMarginRateField &query,
    const RecordOwner &owner) {
  std::vector<CThostFtdcInstrumentMarginRateField> records;
  // Speculation is the only hedge flag the broker takes.
  const bool speculation = query.HedgeFlag == '\0' || query.HedgeFlag == THOST_FTDC_HF_Speculation;
  if (!ForOwner(TextOf(query.InvestorID), owner) || !speculation) return records;
  for (const Instrument *instrument :
       RatedInstruments(catalogue, query, TextOf(query.ExchangeID))) {
    CThostFtdcInstrumentMarginRateField &record = records.emplace_back();
    record = CThostFtdcInstrumentMarginRateField{};
    SetRateOwner(record, *instrument, owner);
    record.HedgeFlag = THOST_FTDC_HF_Speculation;
    record.LongMarginRatioByMoney = instrument->long_margin_ratio;
    record.ShortMarginRatioByMoney = instrument->short_margin_ratio;
  }
  return records;
}

std::vector<CThostFtdcInstrumentOrderCommRateField> OrderCommRateRecords(
    const Catalogue &catalogue, const CThostFtdcQryInstrumentOrderCommRateField &query,
    const RecordOwner &owner) {
  std::vector<CThostFtdcInstrumentOrderCommRateField> records;
  if (!ForOwner(TextOf(query.InvestorID), owner)) return records;
  for (const Instrument *instrument : RatedInstruments(catalogue, query, "")) {
    CThostFtdcInstrumentOrderCommRateField &record = records.emplace_back();
    record = CThostFtdcInstrumentOrderCommRateField{};
    SetRateOwner(record, *instrument, owner);
    record.HedgeFlag = THOST_FTDC_HF_Speculation;
  }
  return records;
}

std::vector<CThostFtdcInvestorField> InvestorRecords(const CThostFtdcQryInvestorField &query,
                                                     const RecordOwner &owner) {
  std::vector<CThostFtdcInvestorField> records;
  if (!ForOwner(TextOf(query.InvestorID), owner)) return records;
  CThostFtdcInvestorField &record = records.emplace_back();
  record = CThostFtdcInvestorField{};
  SetText(record.InvestorID, owner.investor);
  SetText(record.BrokerID, owner.broker_id);
  SetText(record.InvestorGroupID, owner.investor);
  SetText(record.InvestorName, owner.investor);
  record.IdentifiedCardType = THOST_FTDC_ICT_IDCard;
  record.IsActive = 1;
  return records;
}

std::vector<CThostFtdcTradingCodeField> TradingCodeRecords(
    const Catalogue &catalogue, const CThostFtdcQryTradingCodeField &query,
    const RecordOwner &owner) {
  std::vector<CThostFtdcTradingCodeField> records;
  const bool speculation =
      query.ClientIDType == '\0' || query.ClientIDType == THOST_FTDC_CIDT_Speculation;
  if (!ForOwner(TextOf(query.InvestorID), owner) || !speculation ||
      !Matches(TextOf(query.ClientID), owner.investor)) {
    return records;
  }
  for (const std::string &exchange : ExchangesOf(catalogue)) {
    if (!Matches(TextOf(query.ExchangeID), exchange)) continue;
    CThostFtdcTradingCodeField &record = records.emplace_back();
    record = CThostFtdcTradingCodeField{};
    SetText(record.InvestorID, owner.investor);
    SetText(record.BrokerID, owner.broker_id);
    SetText(record.ExchangeID, exchange);
    SetText(record.ClientID, owner.investor);
    record.IsActive = 1;
    record.ClientIDType = THOST_FTDC_CIDT_Speculation;
    record.BizType = THOST_FTDC_BZTP_Future;
  }
  return records;
}

}  // namespace simtrader
