// The search for the best stock length of a material type whose only stock
// record may be cut to any length between its length and its maximum length.
#pragma once

#include <cstdint>
#include <vector>

#include "optimizer/optimize2d.h"

namespace tralvin {

// Total length of all pieces at their maximum quantity plus one blade width
// per piece, in exact integers (halves of the area quotient to even).
int64_t BestDimensionDemand(const TPanels& parts, int32_t bladeWidth);

// The candidate lengths for the driver's single stock record: the demand
// alone when it lies within the record's bounds, else the lengths the pattern
// generator proposes (this adds the blade width to the driver's lists).
std::vector<int32_t> BestDimensionCandidates(TOptimize2d& driver);

// Switches cost optimisation off, runs the driver once per candidate and
// leaves the best plan, its stock list and the nominal pieces in the driver,
// ready for the final run that produces the type's plan. When no candidate
// gives a plan the stock list is left empty, so that final run fails.
void SearchBestDimension(TOptimize2d& driver);

}  // namespace tralvin
