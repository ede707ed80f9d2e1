// The plan of a finished job as JSON, for other programs: the patterns in
// report order, the use of every stock row, the production of every piece,
// utilisation, total cost and the job's notes. Lengths and costs are numbers
// in display units.
#pragma once

#include <string>

#include "results/cutting_report.h"
#include "results/job_plan.h"

namespace tralvin {

// `report` must have been built from `plan` (its tallies are read).
std::string PlanJsonText(const JobPlan& plan, const CuttingReport& report);

}  // namespace tralvin
