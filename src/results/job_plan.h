// What a finished optimisation job leaves for the report, the table update,
// label printing and the plan's JSON form: the driver's plan and lists, the
// notes of the job and the settings the job ran with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "optimizer/near_optimal.h"
#include "optimizer/panels.h"
#include "optimizer/schemes.h"

namespace tralvin {

struct JobPlan {
  TSchemes best_result;            // the plan; empty after a failed job
  TPanels sheets;                  // stock records of every processed type, in job order
  TPanels parts;                   // piece records, `number` = maximum quantity
  TPanels MinParts;                // the same pieces, `number` = required quantity
  TPanels m_rest_sheets;           // bars left per stock (negative = missing)
  std::vector<std::string> notes;  // one line per type skipped or failed

  int32_t bladeWidth = 0;      // scaled
  std::string bladeWidthText;  // as typed
  std::string measure;         // unit name as typed
  bool costOptimize = false;   // as the job left it (off after a best-dimension search)
  bool bestDimensionMode = false;
  int optimizeMethod = 0;  // the method the job used: 0 standard search, 1 near-optimal

  // The LP lower bound of the job, summed over the planned material types:
  // bars (one stock length per type, no costs), else cost or bar length in
  // display units; `gap` is the plan's excess over it in percent.
  bool hasLowerBound = false;
  BoundKind lowerBoundKind = BoundKind::Bars;
  double lowerBound = 0;
  double planValue = 0;
  double gap = 0;

  bool HasPlan() const { return !best_result.Empty(); }
};

}  // namespace tralvin
