// What the Report page shows and works on: the plan of the last job, its report
// and list-box lines, and whether "Update All" may still be used for it.
#pragma once

#include <string>
#include <vector>

#include "results/cutting_report.h"
#include "results/job_plan.h"
#include "results/update_after_cutting.h"

namespace tralvin {

struct ReportState {
  JobPlan plan;                        // empty until a job succeeds
  CuttingReport report;                // sections and lines of the last report
  std::vector<std::string> listItems;  // ListBoxReport: " ", then ReportLines
  UpdateAllState update;               // "Update All" once per job
  bool stopped = false;                // the plan came from a search stopped early
};

}  // namespace tralvin
