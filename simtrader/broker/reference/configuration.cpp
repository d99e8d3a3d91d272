#include "broker/reference/configuration.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <set>
#include <stdexcept>
#include <utility>

#include "broker/reference/trading_calendar.h"

namespace simtrader {

namespace {

std::invalid_argument ConfigError(int line, const std::string &what) {
  return std::invalid_argument("configuration line " + std::to_string(line) + ": " + what);
}

int HexDigit(char digit) {
  if (digit >= '0' && digit <= '9') return digit - '0';
  if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
  if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
  return -1;
}

std::string PercentDecoded(std::string_view text, int line) {
  std::string decoded;
  for (std::size_t index = 0; index < text.size(); ++index) {
    if (text[index] != '%') {
      decoded += text[index];
      continue;
    }
    const bool complete = index + 2 < text.size();
    const int high = complete ? HexDigit(text[index + 1]) : -1;
    const int low = complete ? HexDigit(text[index + 2]) : -1;
    if (high < 0 || low < 0) throw ConfigError(line, "a '%' not followed by two hex digits");
    decoded += static_cast<char>(high * 16 + low);
    index += 2;
  }
  return decoded;
}

// One line's fields, handed out as the entry asks for them; a field nobody asked for is
// reported, since a misspelt key would otherwise be ignored.
class Entry {
 public:
  Entry(std::string kind, int line) : kind_(std::move(kind)), line_(line) {}

  void Add(const std::string &key, std::string value) {
    if (!fields_.emplace(key, std::move(value)).second) {
      throw Error(key, "given twice");
    }
  }

  const std::string &kind() const { return kind_; }
  int line() const { return line_; }
  bool Has(const std::string &key) const { return fields_.count(key) != 0; }

  std::optional<std::string> Text(const std::string &key) {
    auto field = fields_.find(key);
    if (field == fields_.end()) return std::nullopt;
    used_.insert(key);
    return field->second;
  }

  std::string RequiredText(const std::string &key) {
    std::optional<std::string> text = Text(key);
    if (!text || text->empty()) throw Error(key, "is required");
    return *text;
  }

  std::optional<double> Number(const std::string &key) {
    std::optional<std::string> text = Text(key);
    if (!text) return std::nullopt;
    char *end = nullptr;
    errno = 0;
    const double number = std::strtod(text->c_str(), &end);
    if (text->empty() || *end != '\0' || errno != 0 || !std::isfinite(number)) {
      throw Error(key, "'" + *text + "' is not a finite number");
    }
    return number;
  }

  std::optional<int> Integer(const std::string &key) {
    std::optional<std::string> text = Text(key);
    if (!text) return std::nullopt;
    char *end = nullptr;
    errno = 0;
    const long long number = std::strtoll(text->c_str(), &end, 10);
    if (text->empty() || *end != '\0' || errno != 0 || number < INT_MIN || number > INT_MAX) {
      throw Error(key, "'" + *text + "' is not an integer that fits a C int");
    }
    return static_cast<int>(number);
  }

  void RejectUnused() const {
    for (const auto &[key, value] : fields_) {
      if (used_.count(key) == 0) throw Error(key, "is not a field of " + kind_);
    }
  }

  std::invalid_argument Error(const std::string &key, const std::string &what) const {
    return ConfigError(line_, kind_ + " " + key + " " + what);
  }

 private:
  std::string kind_;
  int line_;
  std::map<std::string, std::string> fields_;
  std::set<std::string> used_;
};

std::vector<Entry> ParseEntries(std::string_view text) {
  std::vector<Entry> entries;
  int line_number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++line_number;
    std::vector<std::string_view> words;
    for (std::size_t start = 0; start < line.size();) {
      const std::size_t stop = std::min(line.find(' ', start), line.size());
      if (stop > start) words.push_back(line.substr(start, stop - start));
      start = stop + 1;
    }
    if (words.empty()) continue;
    Entry entry(std::string(words[0]), line_number);
    for (std::size_t index = 1; index < words.size(); ++index) {
      const std::size_t equals = words[index].find('=');
      if (equals == std::string_view::npos) {
        throw ConfigError(line_number, "'" + std::string(words[index]) + "' is not key=value");
      }
      entry.Add(std::string(words[index].substr(0, equals)),
                PercentDecoded(words[index].substr(equals + 1), line_number));
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

// The instrument fields a configuration may set, by key.
struct NumberField {
  const char *key;
  std::function<double &(Listing &)> field;
};
struct IntegerField {
  const char *key;
  std::function<int &(Listing &)> field;
};

const NumberField kNumberFields[] = {
    {"price_tick", [](Listing &l) -> double & { return l.instrument.price_tick; }},
    {"long_margin_ratio", [](Listing &l) -> double & { return l.instrument.long_margin_ratio; }},
    {"short_margin_ratio", [](Listing &l) -> double & { return l.instrument.short_margin_ratio; }},
    {"open_ratio_by_money", [](Listing &l) -> double & { return l.instrument.open_fee.by_money; }},
    {"open_ratio_by_volume",
     [](Listing &l) -> double & { return l.instrument.open_fee.by_volume; }},
    {"close_ratio_by_money",
     [](Listing &l) -> double & { return l.instrument.close_fee.by_money; }},
    {"close_ratio_by_volume",
     [](Listing &l) -> double & { return l.instrument.close_fee.by_volume; }},
    {"close_today_ratio_by_money",
     [](Listing &l) -> double & { return l.instrument.close_today_fee.by_money; }},
    {"close_today_ratio_by_volume",
     [](Listing &l) -> double & { return l.instrument.close_today_fee.by_volume; }},
    {"bid", [](Listing &l) -> double & { return l.market.bids[0].price; }},
    {"ask", [](Listing &l) -> double & { return l.market.asks[0].price; }},
    {"last", [](Listing &l) -> double & { return l.market.last; }},
    {"pre_settlement_price", [](Listing &l) -> double & { return l.market.pre_settlement; }},
    {"upper_limit", [](Listing &l) -> double & { return l.market.upper_limit; }},
    {"lower_limit", [](Listing &l) -> double & { return l.market.lower_limit; }},
};

const IntegerField kIntegerFields[] = {
    {"volume_multiple", [](Listing &l) -> int & { return l.instrument.volume_multiple; }},
    {"delivery_year", [](Listing &l) -> int & { return l.instrument.delivery_year; }},
    {"delivery_month", [](Listing &l) -> int & { return l.instrument.delivery_month; }},
    {"bid_volume", [](Listing &l) -> int & { return l.market.bids[0].volume; }},
    {"ask_volume", [](Listing &l) -> int & { return l.market.asks[0].volume; }},
    {"max_limit_order_volume",
     [](Listing &l) -> int & { return l.instrument.max_limit_order_volume; }},
    {"max_market_order_volume",
     [](Listing &l) -> int & { return l.instrument.max_market_order_volume; }},
};

// What a newly listed instrument has unless its entry says otherwise.
constexpr double kNewMarginRatio = 0.10;

Listing NewListing(Entry &entry, const std::string &id) {
  for (const char *key : {"exchange_id", "price_tick", "volume_multiple"}) {
    if (!entry.Has(key)) throw entry.Error(key, "is required for a new instrument");
  }
  if (!entry.Has("last") && !entry.Has("bid") && !entry.Has("ask")) {
    throw entry.Error("last", "(or bid or ask) is required for a new instrument");
  }
  Listing listing;
  listing.instrument.id = id;
  std::size_t letters = 0;
  while (letters < id.size() && std::isalpha(static_cast<unsigned char>(id[letters]))) {
    ++letters;
  }
  listing.instrument.product = id.substr(0, letters);
  listing.instrument.name = id;
  listing.instrument.long_margin_ratio = kNewMarginRatio;
  listing.instrument.short_margin_ratio = kNewMarginRatio;
  listing.market.bids[0].volume = kDefaultDepth;
  listing.market.asks[0].volume = kDefaultDepth;
  return listing;
}

// A new instrument's market filled in from the prices its entry gave: one tick wide around
// them, settled yesterday at the last price.
void CompleteNewMarket(Entry &entry, Listing &listing) {
  Market &market = listing.market;
  const double tick = listing.instrument.price_tick;
  double &bid = market.bids[0].price;
  double &ask = market.asks[0].price;
  if (!entry.Has("last")) market.last = entry.Has("bid") ? bid : ask;
  if (!entry.Has("bid")) bid = entry.Has("ask") ? ask - tick : market.last;
  if (!entry.Has("ask")) ask = bid + tick;
  if (!entry.Has("pre_settlement_price")) market.pre_settlement = market.last;
}

void ApplyInstrument(BrokerConfig &config, Entry &entry) {
  const std::string id = entry.RequiredText("instrument_id");
  auto listed = config.catalogue.find(id);
  const bool is_new = listed == config.catalogue.end();
  Listing listing = is_new ? NewListing(entry, id) : listed->second;
  if (auto exchange = entry.Text("exchange_id")) listing.instrument.exchange = *exchange;
  if (auto product = entry.Text("product_id")) listing.instrument.product = *product;
  if (auto name = entry.Text("instrument_name")) listing.instrument.name = *name;
  for (const NumberField &field : kNumberFields) {
    if (auto number = entry.Number(field.key)) field.field(listing) = *number;
  }
  for (const IntegerField &field : kIntegerFields) {
    if (auto number = entry.Integer(field.key)) field.field(listing) = *number;
  }
  entry.RejectUnused();
  // A first level given anew stands alone, as set_market's does.
  for (const auto &[key, side] :
       {std::pair{"bid", &listing.market.bids}, {"ask", &listing.market.asks}}) {
    if (entry.Has(key)) std::fill(side->begin() + 1, side->end(), Level{});
  }
  if (is_new) CompleteNewMarket(entry, listing);
  // Limits not given follow a new settlement or tick; a listing's own stay until then.
  if (is_new || entry.Has("pre_settlement_price") || entry.Has("price_tick")) {
    const double settlement = listing.market.pre_settlement;
    if (!entry.Has("upper_limit")) {
      listing.market.upper_limit = UpperLimitOf(listing.instrument, settlement);
    }
    if (!entry.Has("lower_limit")) {
      listing.market.lower_limit = LowerLimitOf(listing.instrument, settlement);
    }
  }
  try {
    CheckListing(listing);
  } catch (const std::invalid_argument &error) {
    throw ConfigError(entry.line(), error.what());
  }
  config.catalogue[id] = std::move(listing);
}

void ApplyAccount(BrokerConfig &config, Entry &entry) {
  AccountConfig account;
  account.investor = entry.RequiredText("investor");
  account.password = entry.Text("password").value_or("");
  account.app_id = entry.Text("app_id").value_or("");
  account.auth_code = entry.Text("auth_code").value_or("");
  account.balance = entry.Number("balance").value_or(kDefaultBalance);
  entry.RejectUnused();
  if (account.balance < 0) throw entry.Error("balance", "must not be negative");
  config.accounts[account.investor] = std::move(account);
}

void ApplyPosition(BrokerConfig &config, Entry &entry) {
  const std::string investor = entry.RequiredText("investor");
  DeclaredPosition position;
  position.instrument = entry.RequiredText("instrument_id");
  const std::string direction = entry.RequiredText("direction");
  position.volume = entry.Integer("volume").value_or(0);
  position.price = entry.Number("price");
  entry.RejectUnused();
  auto account = config.accounts.find(investor);
  if (account == config.accounts.end()) {
    throw entry.Error("investor", "'" + investor + "' is not a declared account");
  }
  if (direction != "long" && direction != "short") {
    throw entry.Error("direction", "must be long or short, not '" + direction + "'");
  }
  position.side = direction == "long" ? Side::Long : Side::Short;
  if (position.volume <= 0) throw entry.Error("volume", "must be positive");
  auto listing = config.catalogue.find(position.instrument);
  if (listing == config.catalogue.end()) {
    throw entry.Error("instrument_id", "'" + position.instrument + "' is not listed");
  }
  const Instrument &instrument = listing->second.instrument;
  if (position.price && !(*position.price > 0 && instrument.OnTick(*position.price))) {
    throw entry.Error("price", "must be a positive price on the instrument's tick");
  }
  account->second.positions.push_back(position);
}

void ApplyLimits(BrokerConfig &config, Entry &entry) {
  for (const FlowLimitField &field : kFlowLimitFields) {
    const std::optional<std::string> text = entry.Text(field.key);
    if (!text) continue;
    if (*text == "none") {
      config.limits.*field.limit = std::nullopt;
      continue;
    }
    const std::optional<int> count = entry.Integer(field.key);
    if (*count <= 0) throw entry.Error(field.key, "must be a positive count or none");
    config.limits.*field.limit = count;
  }
  entry.RejectUnused();
}

// A switch of an exchange entry, given as 1 or 0; `meaning` says what each means.
std::optional<bool> Switch(Entry &entry, const std::string &key, const std::string &meaning) {
  const std::optional<int> value = entry.Integer(key);
  if (!value) return std::nullopt;
  if (*value != 0 && *value != 1) throw entry.Error(key, "must be " + meaning);
  return *value == 1;
}

void ApplyExchange(BrokerConfig &config, Entry &entry) {
  const std::string id = entry.RequiredText("exchange_id");
  ExchangeRules rules = config.exchanges.count(id) != 0 ? config.exchanges[id] : RulesOf(id);
  if (auto market_orders = Switch(entry, "market_orders", "1 (accepted) or 0 (refused)")) {
    rules.market_orders = *market_orders;
  }
  if (auto max_margin_side =
          Switch(entry, "max_margin_side", "1 (the larger side only) or 0 (both sides)")) {
    rules.max_margin_side = *max_margin_side;
  }
  entry.RejectUnused();
  config.exchanges[id] = rules;
}

void ApplyStore(BrokerConfig &config, Entry &entry) {
  const std::string path = entry.Text("path").value_or("");
  config.store_path = path.empty() ? std::nullopt : std::optional<std::string>(path);
  entry.RejectUnused();
}

void ApplyCalendar(BrokerConfig &config, Entry &entry) {
  if (!entry.Has("trading_day") && !entry.Has("holidays")) {
    throw entry.Error("trading_day", "or holidays is required");
  }
  if (std::optional<std::string> listed = entry.Text("holidays")) {
    Holidays holidays;
    std::size_t from = 0;
    while (from < listed->size()) {
      std::size_t comma = listed->find(',', from);
      if (comma == std::string::npos) comma = listed->size();
      const std::string day = listed->substr(from, comma - from);
      if (!IsDate(day)) {
        throw entry.Error("holidays", "'" + day + "' is not a date written YYYYMMDD");
      }
      holidays.insert(day);
      from = comma + 1;
    }
    config.holidays = std::move(holidays);
  }
  if (entry.Has("trading_day")) {
    const std::string day = entry.RequiredText("trading_day");
    // Checked against the holidays in force, those of this entry included.
    if (!IsTradingDay(day, config.holidays)) {
      throw entry.Error("trading_day",
                        "'" + day +
                            "' is not a trading day (a weekday not a holiday) written "
                            "YYYYMMDD");
    }
    config.trading_day = day;
  }
  entry.RejectUnused();
}

void ApplyMarketDataFront(BrokerConfig &config, Entry &entry) {
  config.md_front = entry.RequiredText("address");
  entry.RejectUnused();
}

void ApplyTradingHours(BrokerConfig &config, Entry &entry) {
  if (const std::optional<std::string> hours = entry.Text("hours")) {
    if (*hours == "exchange") {
      config.trading_hours = ExchangeTradingHours();
    } else if (*hours == "none") {
      config.trading_hours = std::nullopt;
    } else {
      throw entry.Error("hours", "must be exchange or none, not '" + *hours + "'");
    }
  }
  if (const std::optional<std::string> product = entry.Text("product_id")) {
    const bool listed = std::any_of(
        config.catalogue.begin(), config.catalogue.end(),
        [&](const auto &listing) { return listing.second.instrument.product == *product; });
    if (!listed) {
      throw entry.Error("product_id",
                        "'" + *product + "' is not the product of a listed instrument");
    }
    const std::string text = entry.RequiredText("sessions");
    ProductHours sessions;
    try {
      sessions = ParseSessions(text);
    } catch (const std::invalid_argument &error) {
      throw entry.Error("sessions", "of '" + *product + "': " + error.what());
    }
    if (!config.trading_hours) config.trading_hours = ExchangeTradingHours();
    (*config.trading_hours)[*product] = sessions;
  }
  entry.RejectUnused();
}

}  // namespace

ExchangeRules RulesOf(const std::string &exchange) {
  ExchangeRules rules;
  rules.market_orders =
      exchange == "DCE" || exchange == "CZCE" || exchange == "CFFEX" || exchange == "GFEX";
  rules.max_margin_side = MarginsLargerSideByDefault(exchange);
  return rules;
}

ExchangeRulebook DefaultExchangeRules() {
  ExchangeRulebook rules;
  for (const char *exchange : {"SHFE", "INE", "DCE", "CZCE", "CFFEX", "GFEX"}) {
    rules[exchange] = RulesOf(exchange);
  }
  return rules;
}

void ApplyConfigText(BrokerConfig &config, std::string_view text) {
  BrokerConfig changed = config;
  for (Entry &entry : ParseEntries(text)) {
    if (entry.kind() == "instrument") {
      ApplyInstrument(changed, entry);
    } else if (entry.kind() == "account") {
      ApplyAccount(changed, entry);
    } else if (entry.kind() == "position") {
      ApplyPosition(changed, entry);
    } else if (entry.kind() == "limits") {
      ApplyLimits(changed, entry);
    } else if (entry.kind() == "exchange") {
      ApplyExchange(changed, entry);
    } else if (entry.kind() == "store") {
      ApplyStore(changed, entry);
    } else if (entry.kind() == "calendar") {
      ApplyCalendar(changed, entry);
    } else if (entry.kind() == "md_front") {
      ApplyMarketDataFront(changed, entry);
    } else if (entry.kind() == "trading_hours") {
      ApplyTradingHours(changed, entry);
    } else {
      throw ConfigError(entry.line(), "unknown entry '" + entry.kind() +
                                          "' (instrument, account, position, limits, exchange, "
                                          "store, calendar, md_front or trading_hours)");
    }
  }
  // Each instrument margins as its exchange does, whichever entry came first.
  for (auto &[id, listing] : changed.catalogue) {
    Instrument &instrument = listing.instrument;
    auto rules = changed.exchanges.find(instrument.exchange);
    instrument.max_margin_side = rules != changed.exchanges.end()
                                     ? rules->second.max_margin_side
                                     : RulesOf(instrument.exchange).max_margin_side;
  }
  config = std::move(changed);
}

}  // namespace simtrader
