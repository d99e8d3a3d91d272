// The market's clock of a broker: what its records are stamped with.
#ifndef SIMTRADER_BROKER_MARKET_CLOCK_H
#define SIMTRADER_BROKER_MARKET_CLOCK_H

#include <optional>

#include "broker/instruments.h"

namespace simtrader {

// The exchange's time of the last market move that gave one, or the local clock while none
// has (or since a move that gave none). Each time is taken as it comes: a replay of an earlier
// file turns the clock back, as the records it makes should show.
class MarketClock {
 public:
  void Set(const std::optional<MarketTime> &time) { given_ = time; }
  MarketTime Now() const { return given_ ? *given_ : LocalMarketTime(); }
  // Whether the time is the market's own rather than the local clock's.
  bool given() const { return given_.has_value(); }

 private:
  std::optional<MarketTime> given_;
};

}  // namespace simtrader

#endif
