#include "connection/broker_directory.h"

#include <iterator>
#include <utility>

#include "broker/sqlite_store.h"
#include <vector>

#include "broker/record_text.h"

namespace simtrader {

namespace {

std::string QuotedFront(const std::string &front) { return "'" + front + "'"; }

std::unique_ptr<BrokerStore> StoreOf(const BrokerConfig &config) {
  return config.store_path ? OpenSqliteStore(*config.store_path) : MakeMemoryStore();
}

}  // namespace

BrokerDirectory &BrokerDirectory::Instance() {
  static BrokerDirectory *const directory = new BrokerDirectory;
  return *directory;
}

std::shared_ptr<Broker> BrokerDirectory::ForFront(const std::string &front) {
  std::lock_guard<std::mutex> lock(mutex_);
  return ForFrontLocked(front);
}

const std::shared_ptr<Broker> &BrokerDirectory::ForFrontLocked(const std::string &front) {
  std::shared_ptr<Broker> &broker = brokers_[front];
  if (!broker) broker = std::make_shared<Broker>(defaults_, MakeMemoryStore());
  return broker;
}

std::shared_ptr<Broker> BrokerDirectory::ForMarketDataFront(const std::string &md_front) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto published = published_fronts_.find(md_front);
  return ForFrontLocked(published != published_fronts_.end() ? published->second : md_front);
}

std::string BrokerDirectory::PublishedFront(const std::string &md_front) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto published = published_fronts_.find(md_front);
  return published != published_fronts_.end() ? published->second : md_front;
}

void BrokerDirectory::Configure(const std::optional<std::string> &front, std::string_view text,
                                bool reset) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!front) {
    BrokerConfig config = reset ? BrokerConfig() : defaults_;
    ApplyConfigText(config, text);
    if (config.store_path) {
      throw std::invalid_argument("a store keeps one broker's state: configure it for a front");
    }
    if (config.md_front) {
      throw std::invalid_argument(
          "a market-data front publishes one broker's markets: configure it for a front");
    }
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
  if (config.md_front) {
    auto named = published_fronts_.find(*config.md_front);
    if (named != published_fronts_.end() && named->second != *front) {
      throw std::invalid_argument("the market-data front " + QuotedFront(*config.md_front) +
                                  " already publishes the markets of the front " +
                                  QuotedFront(named->second));
    }
  }
  // Made before the old broker is replaced, so that a store refused leaves the front as it was.
  auto broker = std::make_shared<Broker>(config, StoreOf(config));
  brokers_[*front] = std::move(broker);
  for (auto named = published_fronts_.begin(); named != published_fronts_.end();) {
    named = named->second == *front ? published_fronts_.erase(named) : std::next(named);
  }
  if (config.md_front) published_fronts_[*config.md_front] = *front;
}

void BrokerDirectory::SetMarket(const std::optional<std::string> &front,
                                const std::string &instrument, const MarketUpdate &update) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (front) {
    // One broker checks the move before it makes it (a replayed tick comes this way). The
    // directory's mutex keeps the broker in its place meanwhile.
    if (!ForFrontLocked(*front)->SetMarketIfListed(instrument, update)) {
      throw std::invalid_argument("no instrument '" + instrument +
                                  "' is listed at the simulated broker of the front " +
                                  QuotedFront(*front));
    }
    return;
  }
  // Every market is checked before any moves; nothing else moves them meanwhile, since every
  // move holds this directory's mutex.
  std::vector<std::shared_ptr<Broker>> listing;
  for (const auto &[address, broker] : brokers_) {
    if (std::optional<Listing> listed = broker->Listed(instrument)) {
      MovedMarket(*listed, update);
      listing.push_back(broker);
    }
  }
  auto defaults = defaults_.catalogue.find(instrument);
  const bool moves_defaults = defaults != defaults_.catalogue.end();
  if (moves_defaults) {
    defaults->second.market = MovedMarket(defaults->second, update);
  }
  if (listing.empty() && !moves_defaults) {
    throw std::invalid_argument("no instrument '" + instrument +
                                "' is listed by any simulated broker");
  }
  for (const std::shared_ptr<Broker> &broker : listing) broker->SetMarket(instrument, update);
}

CThostFtdcDepthMarketDataField BrokerDirectory::MarketRecord(
    const std::optional<std::string> &front, const std::string &instrument) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (front) {
    if (std::optional<CThostFtdcDepthMarketDataField> record =
            ForFrontLocked(*front)->MarketRecord(instrument)) {
      return *record;
    }
  } else if (auto defaults = defaults_.catalogue.find(instrument);
             defaults != defaults_.catalogue.end()) {
    return DepthMarketDataRecord(defaults->second, LocalDate());
  }
  throw std::invalid_argument("no instrument '" + instrument + "' is listed " +
                              (front ? "at the simulated broker of the front " + QuotedFront(*front)
                                     : std::string("in the configuration brokers start from")));
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
