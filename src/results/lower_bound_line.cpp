// The lower-bound line of the Report page.
#include "results/lower_bound_line.h"

#include <cstdio>

namespace tralvin {

std::string LowerBoundLine(const JobPlan& plan) {
  if (!plan.hasLowerBound || !plan.HasPlan()) return {};
  char buf[160];
  switch (plan.lowerBoundKind) {
    case BoundKind::Bars:
      std::snprintf(buf, sizeof buf, "Lower bound: %.0f bars, plan %.0f bars, gap %.2f %%",
                    plan.lowerBound, plan.planValue, plan.gap);
      break;
    case BoundKind::Cost:
      std::snprintf(buf, sizeof buf, "Lower bound: cost %.2f, plan %.2f, gap %.2f %%",
                    plan.lowerBound, plan.planValue, plan.gap);
      break;
    case BoundKind::Length:
      std::snprintf(buf, sizeof buf, "Lower bound: length %.3f %s, plan %.3f, gap %.2f %%",
                    plan.lowerBound, plan.measure.c_str(), plan.planValue, plan.gap);
      break;
  }
  return buf;
}

}  // namespace tralvin
