// The line above the report's list box that says how good the plan is: the
// job's lower bound and the plan's gap to it.
#pragma once

#include <string>

#include "results/job_plan.h"

namespace tralvin {

// For example "Lower bound: 56 bars, plan 57 bars, gap 1.79 %"; empty when
// the job has no bound (best-dimension mode or a failed job).
std::string LowerBoundLine(const JobPlan& plan);

}  // namespace tralvin
