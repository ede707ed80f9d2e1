// The near-optimal planning method: column generation over the master LP,
// then an integer plan by diving with limited backtracking (cut what the LP
// takes whole, one bar of a fractional pattern, solve the residual again,
// held to the LP bound rounded up), an exact packing of the last pieces and a
// first-fit-decreasing repair of whatever is left. Works on the driver's input
// like TOptimize2d::Run and leaves the same results: `best_result`, `parts`,
// `MinParts`, `sheets` and `m_rest_sheets`.
#pragma once

#include <string>

#include "optimizer/optimize2d.h"

namespace tralvin {

// Which planning method a job uses (option key "OPTIMIZE_METHOD").
enum class TOptimizeMethod { Standard = 0, NearOptimal = 1 };

// Plans the driver's stocks and pieces; returns a message text, empty when a
// plan was found. A plan that fails its final check is replaced by the
// standard search's plan.
std::string RunNearOptimal(TOptimize2d& driver);

// What a lower bound measures.
enum class BoundKind {
  Bars,    // bars of one stock length, without costs
  Cost,    // total cost (cost optimisation on), internal units
  Length,  // total nominal length of the bars used, internal units
};

struct PlanBound {
  BoundKind kind = BoundKind::Bars;
  double value = 0;    // the bound (bars rounded up)
  bool proven = true;  // false when a work limit ended the LP before its optimum
  bool valid = false;  // false when no bound could be computed
};

// The LP bound of a driver's input as Run leaves it (nominal lengths, the
// pieces' maxima in `parts`, requirements in `MinParts`). Stock quantities
// are honoured; when the stock cannot cover the demand the missing bars count
// at their own cost or length.
PlanBound LowerBoundOf(const TPanels& parts, const TPanels& MinParts, const TPanels& sheets,
                       int32_t blade_width, BoundKind kind);

// The value of a plan in the unit of `kind`.
double PlanValueOf(const TSchemes& plan, int32_t blade_width, BoundKind kind);

}  // namespace tralvin
