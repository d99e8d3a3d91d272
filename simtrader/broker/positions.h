// An investor's positions: lots opened and closed by fills, what may still be closed, and
// the position and position-detail records the vendor reports them in.
//
// Positions are marked to market daily, as the exchanges settle them: a lot opened today is
// marked against its open price, a lot held from an earlier day against yesterday's
// settlement (its basis). Position profit is the last price against the basis, close profit
// the trade price against the basis; margin is charged on the basis.
#ifndef SIMTRADER_BROKER_POSITIONS_H
#define SIMTRADER_BROKER_POSITIONS_H

#include <map>
#include <string>
#include <vector>

#include "ThostFtdcUserApiStruct.h"
#include "broker/instruments.h"
#include "broker/store.h"

namespace simtrader {

// Which lots a close takes: SHFE and INE close today's lots with close-today and yesterday's
// with close-yesterday or a plain close; elsewhere every close takes the oldest lots first.
enum class CloseScope { Today, Yesterday, OldestFirst };
CloseScope CloseScopeOf(const Instrument &instrument, char offset_flag);

// Per lot: the lot's position profit against the last price (none without a last price).
double PositionProfit(const Instrument &instrument, Side side, const Lot &lot, double last);
double LotMargin(const Instrument &instrument, Side side, const Lot &lot);

class Holdings {
 public:
  explicit Holdings(std::vector<PositionLeg> legs) : legs_(std::move(legs)) {}

  const std::vector<PositionLeg> &legs() const { return legs_; }

  // The open volume of one side of an instrument that a close of that scope may take.
  int Held(const std::string &instrument, Side side, CloseScope scope) const;

  void OpenToday(const Instrument &instrument, Side side, const Lot &lot, double commission);
  // Lots held from an earlier day, with which an account starts.
  void AddFromYesterday(const std::string &instrument, Side side, const Lot &lot);
  // Takes `volume` lots of that scope at `price`, which must be held, realising their close
  // profit and charging the commission of each lot taken (the close-today rate for today's).
  // Returns the commission.
  double Close(const Instrument &instrument, Side side, CloseScope scope, double price, int volume);

  // The day's settlement: every lot is marked at its instrument's settlement price, which
  // becomes its basis, today's lots join yesterday's, and the day's totals start afresh.
  void Settle(const std::map<std::string, double> &settlement_prices);

 private:
  PositionLeg *Find(const std::string &instrument, Side side, bool today);
  const PositionLeg *Find(const std::string &instrument, Side side, bool today) const;
  PositionLeg &Leg(const std::string &instrument, Side side, bool today);
  double TakeLots(const Instrument &instrument, PositionLeg &leg, double price, int volume);

  std::vector<PositionLeg> legs_;
};

// What share of its margin each position and each resting opening order is charged. Most
// exchanges margin both sides of a hedged position. One whose instruments declare
// MaxMarginSideAlgorithm (CFFEX) margins each product's long and short positions on the larger
// side only (the long side where they are equal): the other side's lots are charged nothing,
// and opening orders freeze only what they would add to the larger side, shared among them in
// proportion to their own margin.
class MarginCharges {
 public:
  // `resting` are the investor's resting orders.
  MarginCharges(const Holdings &holdings, const std::vector<CThostFtdcOrderField> &resting,
                const Catalogue &catalogue);

  // 1 or 0: the share of the margin of a side's lots that is charged.
  double HeldShare(const Instrument &instrument, Side side) const;
  // From 0 to 1: the share of a resting opening order's margin that is frozen.
  double FrozenShare(const Instrument &instrument) const;

 private:
  // A product at an exchange that margins the larger side, by its margins on each side.
  struct Product {
    double held[2] = {0, 0};    // of the lots, by Side
    double frozen[2] = {0, 0};  // of the opening orders, by Side
  };
  const Product *Find(const Instrument &instrument) const;

  std::map<std::string, Product> products_;
};

// Whose records these are.
struct RecordOwner {
  std::string broker_id;
  std::string investor;
  std::string trading_day;
};

// One record per instrument and side; on SHFE and INE separate records for today's and
// yesterday's lots. `resting` are the investor's resting orders: what they hold back shows
// as frozen.
std::vector<CThostFtdcInvestorPositionField> PositionRecords(
    const Holdings &holdings, const std::vector<CThostFtdcOrderField> &resting,
    const Catalogue &catalogue, const RecordOwner &owner);

// One record per open lot.
std::vector<CThostFtdcInvestorPositionDetailField> PositionDetailRecords(const Holdings &holdings,
                                                                         const Catalogue &catalogue,
                                                                         const RecordOwner &owner);

}  // namespace simtrader

#endif
