#include "broker/reference/settlement.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <stdexcept>
#include <utility>

#include "broker/record_text.h"

namespace simtrader {

namespace {

// The statement is composed in UTF-8 here and handed out in GB18030, as the vendor's is.
std::string Gb18030Of(const std::string &utf8) {
  iconv_t converter = iconv_open("GB18030", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    throw std::runtime_error("this system's iconv does not convert UTF-8 to GB18030");
  }
  std::string converted(utf8.size() * 2 + 4, '\0');
  char *in = const_cast<char *>(utf8.data());
  std::size_t in_left = utf8.size();
  char *out = converted.data();
  std::size_t out_left = converted.size();
  const std::size_t result = iconv(converter, &in, &in_left, &out, &out_left);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1)) {
    throw std::runtime_error("a settlement statement is not convertible to GB18030");
  }
  converted.resize(converted.size() - out_left);
  return converted;
}

// GB18030 gives a Chinese character two columns and two bytes (four for the rarest), so
// padding by bytes lines the columns up as the vendor's statements do.
std::string Cell(const std::string &utf8, std::size_t width, bool right = false) {
  std::string text = Gb18030Of(utf8);
  if (text.size() >= width) return text;
  const std::string padding(width - text.size(), ' ');
  return right ? padding + text : text + padding;
}

std::string Money(double amount) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", amount);
  return text;
}

std::string Price(double price) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", price);
  return text;
}

constexpr const char kLineEnd[] = "\r\n";
const std::string kRule = std::string(110, '-') + kLineEnd;

// Two label-value pairs a line, as the vendor sets out the account summary.
std::string SummaryLine(const std::string &left_label, double left, const std::string &right_label,
                        double right) {
  return Cell(left_label, 30) + Cell(Money(left), 22, true) + "   " + Cell(right_label, 30) +
         Cell(Money(right), 22, true) + kLineEnd;
}

std::string Row(const std::vector<std::pair<std::string, std::size_t>> &cells) {
  std::string row = "|";
  for (const auto &[text, width] : cells) row += Cell(text, width) + "|";
  return row + kLineEnd;
}

const char *DirectionText(char direction) {
  return direction == THOST_FTDC_D_Buy ? "买 Buy" : "卖 Sell";
}

const char *OffsetText(char offset) {
  switch (offset) {
    case THOST_FTDC_OF_Open:
      return "开 Open";
    case THOST_FTDC_OF_CloseToday:
      return "平今 Close Today";
    case THOST_FTDC_OF_CloseYesterday:
      return "平昨 Close Yesterday";
    default:
      return "平 Close";
  }
}

std::string SummarySection(const Funds &funds) {
  const double risk = funds.balance != 0 ? funds.margin / funds.balance * 100 : 0;
  std::string text = Gb18030Of("资金状况  币种：人民币  Account Summary  Currency：CNY") + kLineEnd;
  text += kRule;
  text += SummaryLine("期初结存 Balance b/f：", funds.pre_balance, "期末结存 Balance c/f：",
                      funds.balance);
  text += SummaryLine("出 入 金 Deposit/Withdrawal：", funds.deposit - funds.withdraw,
                      "客户权益 Client Equity：", funds.balance);
  text += SummaryLine("平仓盈亏 Realized P/L：", funds.close_profit, "保证金占用 Margin Occupied：",
                      funds.margin);
  text += SummaryLine("持仓盯市盈亏 MTM P/L：", funds.position_profit, "可用资金 Fund Avail.：",
                      funds.available);
  text += SummaryLine("手 续 费 Commission：", funds.commission, "风 险 度 Risk Degree(%)：", risk);
  return text + kRule;
}

std::string TradesSection(const std::vector<CThostFtdcTradeField> &trades,
                          const Catalogue &catalogue) {
  std::string text = Gb18030Of("成交记录 Transaction Record") + kLineEnd + kRule;
  text += Row({{"成交日期 Date", 14},
               {"交易所 Exchange", 16},
               {"合约 Instrument", 16},
               {"买/卖 B/S", 10},
               {"成交价 Price", 14},
               {"手数 Lots", 10},
               {"成交额 Turnover", 16},
               {"开平 O/C", 22},
               {"成交序号 Trans.No.", 18}});
  text += kRule;
  for (const CThostFtdcTradeField &trade : trades) {
    auto listing = catalogue.find(TextOf(trade.InstrumentID));
    const double turnover = listing == catalogue.end()
                                ? 0
                                : listing->second.instrument.Value(trade.Price, trade.Volume);
    text += Row({{TextOf(trade.TradeDate), 14},
                 {TextOf(trade.ExchangeID), 16},
                 {TextOf(trade.InstrumentID), 16},
                 {DirectionText(trade.Direction), 10},
                 {Price(trade.Price), 14},
                 {std::to_string(trade.Volume), 10},
                 {Money(turnover), 16},
                 {OffsetText(trade.OffsetFlag), 22},
                 {std::string(Trimmed(TextOf(trade.TradeID))), 18}});
  }
  return text + kRule + Gb18030Of("共 " + std::to_string(trades.size()) + " 条 Total") + kLineEnd;
}

// One row per instrument held: each side's lots and average open price, and the day's mark.
std::string PositionsSection(const StatementOfDay &day, const Catalogue &catalogue) {
  struct Held {
    int volume[2] = {0, 0};
    double cost[2] = {0, 0};
    double profit = 0;
    double margin[2] = {0, 0};
  };
  std::map<std::string, Held> held;
  // Each side's margin of a product whose exchange margins its larger side only, by exchange
  // and product: the rows charge that side alone, as the account's margin does.
  std::map<std::pair<std::string, std::string>, std::array<double, 2>> larger_side_products;
  for (const PositionLeg &leg : day.holdings.legs()) {
    auto listing = catalogue.find(leg.instrument);
    if (listing == catalogue.end() || leg.Volume() == 0) continue;
    const Instrument &instrument = listing->second.instrument;
    const double settlement = day.settlement_prices.at(leg.instrument);
    Held &row = held[leg.instrument];
    const int side = leg.side == Side::Long ? 0 : 1;
    for (const Lot &lot : leg.lots) {
      row.volume[side] += lot.volume;
      row.cost[side] += lot.open_price * lot.volume;
      row.profit += PositionProfit(instrument, leg.side, lot, settlement);
      Lot settled = lot;
      settled.basis_price = settlement;
      const double margin = LotMargin(instrument, leg.side, settled);
      row.margin[side] += margin;
      if (instrument.max_margin_side) {
        larger_side_products[{instrument.exchange, instrument.product}][side] += margin;
      }
    }
  }
  std::string text = Gb18030Of("持仓汇总 Positions") + kLineEnd + kRule;
  text += Row({{"合约 Instrument", 16},
               {"买持 Long Pos.", 14},
               {"买均价 Avg Buy", 14},
               {"卖持 Short Pos.", 15},
               {"卖均价 Avg Sell", 15},
               {"昨结算 Prev. Sttl", 17},
               {"今结算 Sttl Today", 17},
               {"持仓盯市盈亏 MTM P/L", 20},
               {"保证金占用 Margin", 18}});
  text += kRule;
  for (const auto &[instrument, row] : held) {
    auto average = [&](int side) {
      return row.volume[side] == 0 ? 0.0 : row.cost[side] / row.volume[side];
    };
    double margin = row.margin[0] + row.margin[1];
    const Instrument &listed = catalogue.at(instrument).instrument;
    if (listed.max_margin_side) {
      // The long side on a tie, as the account's margin takes it.
      const auto &sides = larger_side_products.at({listed.exchange, listed.product});
      margin = row.margin[sides[0] >= sides[1] ? 0 : 1];
    }
    text += Row({{instrument, 16},
                 {std::to_string(row.volume[0]), 14},
                 {Price(average(0)), 14},
                 {std::to_string(row.volume[1]), 15},
                 {Price(average(1)), 15},
                 {Price(catalogue.at(instrument).market.pre_settlement), 17},
                 {Price(day.settlement_prices.at(instrument)), 17},
                 {Money(row.profit), 20},
                 {Money(margin), 18}});
  }
  return text + kRule;
}

// Where a chunk of at most `limit` bytes starting at `start` may end without cutting a
// character: GB18030 has one-byte (below 0x80), two-byte and four-byte characters (a second
// byte from '0' to '9').
std::size_t ChunkEnd(const std::string &text, std::size_t start, std::size_t limit) {
  std::size_t end = start;
  while (end < text.size()) {
    const auto lead = static_cast<unsigned char>(text[end]);
    std::size_t length = 1;
    if (lead >= 0x81 && end + 1 < text.size()) {
      const auto second = static_cast<unsigned char>(text[end + 1]);
      length = second >= '0' && second <= '9' ? 4 : 2;
    }
    if (end + length - start > limit) break;
    end += length;
  }
  return end;
}

}  // namespace

std::string StatementText(const StatementOfDay &day, const Catalogue &catalogue) {
  std::string text = Gb18030Of("交易结算单(盯市) Settlement Statement(MTM)") + kLineEnd;
  text += Gb18030Of("客户号 Client ID：" + day.investor + "    日期 Date：" + day.trading_day) +
          kLineEnd + kLineEnd;
  text += SummarySection(day.funds) + kLineEnd;
  text += TradesSection(day.trades, catalogue) + kLineEnd;
  text += PositionsSection(day, catalogue);
  return text;
}

std::vector<CThostFtdcSettlementInfoField> SettlementInfoRecords(const std::string &text,
                                                                 const RecordOwner &owner) {
  std::vector<CThostFtdcSettlementInfoField> records;
  constexpr std::size_t kChunk = sizeof(CThostFtdcSettlementInfoField::Content) - 1;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = ChunkEnd(text, start, kChunk);
    CThostFtdcSettlementInfoField &record = records.emplace_back();
    record = CThostFtdcSettlementInfoField{};
    SetText(record.TradingDay, owner.trading_day);
    record.SettlementID = 1;
    SetText(record.BrokerID, owner.broker_id);
    SetText(record.InvestorID, owner.investor);
    record.SequenceNo = static_cast<int>(records.size());
    SetText(record.Content, std::string_view(text).substr(start, end - start));
    SetText(record.AccountID, owner.investor);
    SetText(record.CurrencyID, "CNY");
    start = end;
  }
  return records;
}

}  // namespace simtrader
