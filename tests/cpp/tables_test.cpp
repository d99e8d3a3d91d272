// The interface tables leave each macro a layer does not define empty, so that a layer takes
// the rows it wants and nothing else.
#include <gtest/gtest.h>

#include "operation.h"

// A layer that defines none of a table's macros gets nothing from it.
#include "events.def"
#include "md_events.def"
#include "md_requests.def"
#include "requests.def"

namespace {

using simtrader::RequestKind;

// Only REQUEST defined: the user-system-info rows vanish.
constexpr int kQueries = 0
#define REQUEST(Name, Record, Param, Answer, Kind) +(RequestKind::Kind == RequestKind::Query)
#include "requests.def"
    ;

// Only SUBSCRIPTION defined: the market-data requests vanish.
constexpr int kSubscriptions = 0
#define SUBSCRIPTION(Name, Answer) +1
#include "md_requests.def"
    ;

TEST(Tables, ALayerTakesOnlyTheRowsOfTheMacrosItDefines) {
  EXPECT_EQ(kQueries, 64);
  EXPECT_EQ(kSubscriptions, 4);
}

}  // namespace
