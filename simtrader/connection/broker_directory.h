// The simulated brokers of the process, one per front address and shared by every API object
// registered with that front, the configuration each new one starts from, and the
// market-data fronts that publish their markets.
#ifndef SIMTRADER_CONNECTION_BROKER_DIRECTORY_H
#define SIMTRADER_CONNECTION_BROKER_DIRECTORY_H

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "broker/broker.h"
#include "broker/reference/configuration.h"
#include "broker/instruments.h"

namespace simtrader {

// A configuration that would pull a broker from under the API objects connected to it.
class BrokerBusy : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class BrokerDirectory {
 public:
  // Never destroyed, so that a thread ending during the process's exit can still reach it.
  static BrokerDirectory &Instance();

  // The front's broker, made from the configuration brokers start from if it has none yet.
  std::shared_ptr<Broker> ForFront(const std::string &front);

  // The broker whose markets the market-data front publishes: that of the front a
  // configuration named it for (BrokerConfig::md_front), or else of its own address.
  std::shared_ptr<Broker> ForMarketDataFront(const std::string &md_front);
  // The address of that broker's front.
  std::string PublishedFront(const std::string &md_front);

  // Applies a configuration text (configuration.h) for the front, whose broker is replaced by
  // a fresh one built from it (accounts, positions, orders and trades start anew); with no
  // front, to the configuration brokers made from now on start from. The text applies to
  // the current configuration, or with `reset` to the built-in one. Throws BrokerBusy when the
  // front's broker has API objects connected, std::invalid_argument for a faulty text or a
  // market-data front already named for another front.
  void Configure(const std::optional<std::string> &front, std::string_view text, bool reset);

  // Moves an instrument's market at the front's broker, or with no front at every broker and
  // in the configuration brokers start from. All or nothing: throws std::invalid_argument,
  // moving nothing, when no broker lists the instrument or a market would be invalid.
  void SetMarket(const std::optional<std::string> &front, const std::string &instrument,
                 const MarketUpdate &update);

  // The instrument's market at the front's broker (made if the front has none yet) as a
  // depth market data record, or with no front in the configuration brokers start from,
  // of today. Throws std::invalid_argument when it is not listed there.
  CThostFtdcDepthMarketDataField MarketRecord(const std::optional<std::string> &front,
                                              const std::string &instrument);

  // Ends the trading day of the front's broker (Broker::Settle). Throws std::invalid_argument
  // for a front without a broker, or as Broker::Settle does.
  void Settle(const std::string &front, const std::map<std::string, double> &settlement_prices);

 private:
  // Valid while the mutex is held.
  const std::shared_ptr<Broker> &ForFrontLocked(const std::string &front);

  // Held while a broker is made, replaced or moved; a broker's own mutex is taken after it.
  std::mutex mutex_;
  BrokerConfig defaults_;
  std::map<std::string, std::shared_ptr<Broker>> brokers_;
  // The market-data fronts configurations named, each with the front it publishes.
  std::map<std::string, std::string> published_fronts_;
};

}  // namespace simtrader

#endif
