// What a broker starts from, the accounts it declares and the instruments it lists, and the
// text in which Quorvan.sim.configure hands them over.
//
// The text holds one entry a line: a kind, then fields as key=value, each value
// percent-encoded (%XX for a byte; a space, '%', '=' or a line break must be encoded):
//
//   instrument instrument_id=rb2705 long_margin_ratio=0.12
//   account investor=U01 password=secret app_id=app auth_code=code balance=1000000
//   position investor=U01 instrument_id=rb2705 direction=long volume=2 price=3200
//   limits queries_per_second=1 queries_in_flight=none orders_per_second=6
//   exchange exchange_id=DCE market_orders=0 max_margin_side=1
//   store path=/var/lib/broker.db
//   calendar trading_day=20270104 holidays=20270101,20270211,20270212
//   md_front address=tcp%3A%2F%2F127.0.0.1%3A41213
//   trading_hours hours=exchange
//   trading_hours product_id=rb sessions=21:00-23:00,09:00-10:15,10:30-11:30,13:30-15:00
//
// An instrument entry naming a listed instrument changes the fields it gives; one naming a
// new instrument lists it, and must give exchange_id, price_tick, volume_multiple and a price
// (last, bid or ask). An account entry declares an investor, replacing an earlier declaration
// with its positions; a position entry gives that investor lots held from yesterday, at
// `price` (by default yesterday's settlement), which becomes their basis. An instrument's
// daily limits follow its yesterday's settlement and tick, unless the entry gives them. A limits
// entry sets the flow limits it names (flow_limits.h) to a positive count, or lifts them with
// none. An exchange entry sets what kinds of order that exchange accepts (market_orders) and
// whether it margins a product's long and short positions on the larger side only
// (max_margin_side), each 1 or 0; every instrument of the exchange follows it. A store entry keeps
// the broker's state in that SQLite file (sqlite_store.h), or with an empty path in memory. A
// calendar entry sets the trading day the broker starts in, a trading day written YYYYMMDD (a
// store that already holds a day carries on from its own), and the holidays, dates written
// YYYYMMDD separated by commas (an empty list clears them), which replace those set before. An
// md_front entry names the market-data front that publishes the broker's markets (besides the
// front's own address, which always does). A trading_hours entry with hours=exchange enforces each
// product's hours at its exchange, with hours=none lifts them (every instrument trades at any
// time); one with a product_id gives that product of a listed instrument its own sessions
// (trading_hours.h), without an auction, enforcing the exchanges' hours for the others if none
// were.
#ifndef SIMTRADER_BROKER_REFERENCE_CONFIGURATION_H
#define SIMTRADER_BROKER_REFERENCE_CONFIGURATION_H

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "broker/instruments.h"
#include "broker/reference/trading_calendar.h"
#include "broker/reference/trading_hours.h"
#include "flow/flow_limits.h"

namespace simtrader {

// What an account holds when nothing says otherwise.
inline constexpr double kDefaultBalance = 10'000'000;

struct DeclaredPosition {
  std::string instrument;
  Side side = Side::Long;
  int volume = 0;
  std::optional<double> price;
};

struct AccountConfig {
  std::string investor;
  std::string password;   // empty: the first login sets it
  std::string app_id;     // empty: any app id authenticates
  std::string auth_code;  // empty: any auth code authenticates
  double balance = kDefaultBalance;
  std::vector<DeclaredPosition> positions;
};

// What an exchange accepts beyond limit orders, and how it margins.
struct ExchangeRules {
  bool market_orders = false;
  // Long and short positions of a product are margined on the larger side only
  // (the instruments' MaxMarginSideAlgorithm).
  bool max_margin_side = false;
};

// An exchange's rules unless configured otherwise: SHFE and INE take no market order, DCE,
// CZCE, CFFEX and GFEX do; CFFEX margins the larger side only, the others both sides. An
// exchange not listed takes limit orders only and margins both sides.
ExchangeRules RulesOf(const std::string &exchange);
// By exchange id: the six exchanges' rules.
using ExchangeRulebook = std::map<std::string, ExchangeRules>;
ExchangeRulebook DefaultExchangeRules();

struct BrokerConfig {
  // With none declared, any investor may log in; with some, only those.
  std::map<std::string, AccountConfig> accounts;
  Catalogue catalogue = DefaultCatalogue();
  FlowLimits limits;
  ExchangeRulebook exchanges = DefaultExchangeRules();
  // The file the broker's state is kept in; none: memory.
  std::optional<std::string> store_path;
  // YYYYMMDD, a trading day; empty: the local date when the broker starts.
  std::string trading_day;
  // The weekdays the exchanges are closed: settle and the night session skip them.
  Holidays holidays;
  // The address of a market-data front that publishes this broker's markets.
  std::optional<std::string> md_front;
  // The hours each product trades in; none: every instrument trades at any time.
  std::optional<TradingHours> trading_hours;
};

// Applies the entries of `text` to `config` in order, all or nothing: throws
// std::invalid_argument naming the line and the field at fault, leaving `config` as it was.
void ApplyConfigText(BrokerConfig &config, std::string_view text);

}  // namespace simtrader

#endif
