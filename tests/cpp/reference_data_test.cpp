// The reference data queries: each answers from the catalogue, by its filters, for the
// logged-in investor only.
#include "broker/reference/reference_data.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "broker/record_text.h"

namespace {

using simtrader::Catalogue;
using simtrader::RecordOwner;
using simtrader::SetText;
using simtrader::TextOf;

const RecordOwner kOwner{"9999", "U1", "20270101"};

// How many records a query answers, given a filter on what it names (an instrument, an
// exchange or an investor) and the investor it asks for.
struct ReferenceCase {
  const char *name;
  std::function<std::size_t(const Catalogue &, const std::string &filter,
                            const std::string &investor)>
      count;
  std::string filter;
  std::size_t all;       // with no filter, over the default catalogue
  std::size_t filtered;  // with the filter
  bool per_investor;     // another investor's query answers nothing
};

class ReferenceQuery : public testing::TestWithParam<ReferenceCase> {};

TEST_P(ReferenceQuery, AnswersByItsFiltersForItsOwnInvestorOnly) {
  const Catalogue catalogue = simtrader::DefaultCatalogue();
  const ReferenceCase &query = GetParam();
  EXPECT_EQ(query.count(catalogue, "", ""), query.all);
  EXPECT_EQ(query.count(catalogue, query.filter, ""), query.filtered);
  EXPECT_EQ(query.count(catalogue, "nothing", ""), 0u);
  EXPECT_EQ(query.count(catalogue, "", "U2"), query.per_investor ? 0u : query.all);
  EXPECT_EQ(query.count(catalogue, "", "U1"), query.all);
}

template <typename Query>
Query WithInvestor(const std::string &investor) {
  Query query{};
  SetText(query.InvestorID, investor);
  return query;
}

INSTANTIATE_TEST_SUITE_P(
    Queries, ReferenceQuery,
    testing::Values(
        ReferenceCase{
            "Exchange",
            [](const Catalogue &catalogue, const std::string &filter, const std::string &) {
              CThostFtdcQryExchangeField query{};
              SetText(query.ExchangeID, filter);
              return simtrader::ExchangeRecords(catalogue, query).size();
            },
            "SHFE", 6, 1, false},
        ReferenceCase{
            "Product",
            [](const Catalogue &catalogue, const std::string &filter, const std::string &) {
              CThostFtdcQryProductField query{};
              SetText(query.ExchangeID, filter);
              return simtrader::ProductRecords(catalogue, query).size();
            },
            "SHFE", 12, 3, false},
        ReferenceCase{
            "CommissionRate",
            [](const Catalogue &catalogue, const std::string &filter, const std::string &investor) {
              auto query = WithInvestor<CThostFtdcQryInstrumentCommissionRateField>(investor);
              SetText(query.InstrumentID, filter);
              return simtrader::CommissionRateRecords(catalogue, query, kOwner).size();
            },
            "rb2705", 12, 1, true},
        ReferenceCase{
            "MarginRate",
            [](const Catalogue &catalogue, const std::string &filter, const std::string &investor) {
              auto query = WithInvestor<CThostFtdcQryInstrumentMarginRateField>(investor);
              SetText(query.ExchangeID, filter);
              return simtrader::MarginRateRecords(catalogue, query, kOwner).size();
            },
            "DCE", 12, 2, true},
        ReferenceCase{
            "OrderCommRate",
            [](const Catalogue &catalogue, const std::string &filter, const std::string &investor) {
              auto query = WithInvestor<CThostFtdcQryInstrumentOrderCommRateField>(investor);
              SetText(query.InstrumentID, filter);
              return simtrader::OrderCommRateRecords(catalogue, query, kOwner).size();
            },
            "IF2703", 12, 1, true},
        ReferenceCase{
            "Investor",
            [](const Catalogue &, const std::string &filter, const std::string &investor) {
              auto query =
                  WithInvestor<CThostFtdcQryInvestorField>(investor.empty() ? filter : investor);
              return simtrader::InvestorRecords(query, kOwner).size();
            },
            "U1", 1, 1, true},
        ReferenceCase{
            "TradingCode",
            [](const Catalogue &catalogue, const std::string &filter, const std::string &investor) {
              auto query = WithInvestor<CThostFtdcQryTradingCodeField>(investor);
              SetText(query.ExchangeID, filter);
              return simtrader::TradingCodeRecords(catalogue, query, kOwner).size();
            },
            "CFFEX", 6, 1, true}),
    [](const testing::TestParamInfo<ReferenceCase> &info) { return info.param.name; });

TEST(ReferenceRecords, CarryTheInstrumentsRates) {
  Catalogue catalogue = simtrader::DefaultCatalogue();
  simtrader::Instrument &rebar = catalogue.at("rb2705").instrument;
  rebar.open_fee = {0.0002, 1.5};
  rebar.close_today_fee = {0.0003, 0};
  rebar.short_margin_ratio = 0.13;

  CThostFtdcQryInstrumentCommissionRateField fees{};
  SetText(fees.InstrumentID, "rb2705");
  const auto commission = simtrader::CommissionRateRecords(catalogue, fees, kOwner).at(0);
  EXPECT_EQ(commission.OpenRatioByMoney, 0.0002);
  EXPECT_EQ(commission.OpenRatioByVolume, 1.5);
  EXPECT_EQ(commission.CloseTodayRatioByMoney, 0.0003);
  EXPECT_EQ(TextOf(commission.ExchangeID), "SHFE");
  EXPECT_EQ(TextOf(commission.InvestorID), "U1");

  CThostFtdcQryInstrumentMarginRateField margins{};
  SetText(margins.InstrumentID, "rb2705");
  const auto margin = simtrader::MarginRateRecords(catalogue, margins, kOwner).at(0);
  EXPECT_EQ(margin.LongMarginRatioByMoney, rebar.long_margin_ratio);
  EXPECT_EQ(margin.ShortMarginRatioByMoney, 0.13);
  EXPECT_EQ(margin.HedgeFlag, THOST_FTDC_HF_Speculation);
  // The broker takes speculation only: a hedger's rates are none.
  margins.HedgeFlag = THOST_FTDC_HF_Hedge;
  EXPECT_TRUE(simtrader::MarginRateRecords(catalogue, margins, kOwner).empty());

  CThostFtdcQryProductField products{};
  SetText(products.ProductID, "rb");
  const auto product = simtrader::ProductRecords(catalogue, products).at(0);
  EXPECT_EQ(product.VolumeMultiple, rebar.volume_multiple);
  EXPECT_EQ(product.PriceTick, rebar.price_tick);
  EXPECT_EQ(product.PositionDateType, THOST_FTDC_PDT_UseHistory);
}

}  // namespace
