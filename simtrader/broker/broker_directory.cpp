#include "broker/broker_directory.h"

#include <utility>
#include <vector>

namespace simtrader {

namespace {

std::string QuotedFront(const std::string &front) { return "'" + front + "'"; }

}  // namespace

BrokerDirectory &BrokerDirectory::Instance() {
  static BrokerDirectory *const directory = new BrokerDirectory;
  return *directory;
}

std::shared_ptr<Broker> BrokerDirectory::ForFront(const std::string &front) {
  std::lock_guard<std::mutex> lock(mutex_);
  return ForFrontLocked(front);
}

std::shared_ptr<Broker> BrokerDirectory::ForFrontLocked(const std::string &front) {
  std::shared_ptr<Broker> &broker = brokers_[front];
  if (!broker) broker = std::make_shared<Broker>(defaults_, MakeMemoryStore());
  return broker;
}

void BrokerDirectory::Configure(const std::optional<std::string> &front, std::string_view text,
                                bool reset) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!front) {
    BrokerConfig config = reset ? BrokerConfig() : defaults_;
    ApplyConfigText(config, text);
    defaults_ = std::move(config);
    return;
  }
  auto existing = brokers_.find(*front);
  const bool has_broker = existing != brokers_.end();
  if (has_broker && existing->second->HasConnections()) {
    throw BrokerBusy("the simulated broker of the front " + QuotedFront(*front) +
                     " has connected API objects: configure a front before making its "
                     "traders, or release them first");
  }
  BrokerConfig config = reset        ? BrokerConfig()
                        : has_broker ? existing->second->Configuration()
                                     : defaults_;
  ApplyConfigText(config, text);
  brokers_[*front] = std::make_shared<Broker>(config, MakeMemoryStore());
}

void BrokerDirectory::SetMarket(const std::optional<std::string> &front,
                                const std::string &instrument, const MarketUpdate &update) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::shared_ptr<Broker>> brokers;
  if (front) {
    brokers.push_back(ForFrontLocked(*front));
  } else {
    for (const auto &[address, broker] : brokers_) brokers.push_back(broker);
  }
  // Every market is checked before any moves; nothing else moves them meanwhile, since every
  // move holds this directory's mutex.
  bool listed = false;
  for (const std::shared_ptr<Broker> &broker : brokers) {
    if (std::optional<Listing> listing = broker->Listed(instrument)) {
      MovedMarket(*listing, update);
      listed = true;
    }
  }
  auto defaults = defaults_.catalogue.find(instrument);
  const bool moves_defaults = !front && defaults != defaults_.catalogue.end();
  if (moves_defaults) {
    defaults->second.market = MovedMarket(defaults->second, update);
  }
  if (!listed && !moves_defaults) {
    throw std::invalid_argument("no instrument '" + instrument + "' is listed " +
                                (front
                                     ? "at the simulated broker of the front " + QuotedFront(*front)
                                     : std::string("by any simulated broker")));
  }
  for (const std::shared_ptr<Broker> &broker : brokers) {
    if (broker->Listed(instrument)) broker->SetMarket(instrument, update);
  }
}

void BrokerDirectory::Settle(const std::string &front,
                             const std::map<std::string, double> &settlement_prices) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto broker = brokers_.find(front);
  if (broker == brokers_.end()) {
    throw std::invalid_argument("no simulated broker serves the front " + QuotedFront(front) +
                                ": nothing has traded there to settle");
  }
  broker->second->Settle(settlement_prices);
}

}  // namespace simtrader
