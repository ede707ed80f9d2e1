// A cutting pattern of the finished plan as the table update and the plan's
// JSON form read it: the stock it is cut from, how many bars, what one bar
// yields and the length left on it. Lengths and costs are scaled integers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "results/job_plan.h"

namespace tralvin {

struct CutPiece {
  std::string label;
  std::string displayLength;  // length as typed
  int32_t length = 0;         // nominal length
  int32_t perBar = 0;         // pieces of this kind cut from one bar
};

struct CutPattern {
  std::string label;  // stock label
  std::string matType;
  std::string displayLength;     // stock length as typed
  std::string comment;           // stock comment
  int32_t length = 0;            // nominal stock length (the chosen one in best-dimension mode)
  int32_t bars = 0;              // bars cut with this pattern
  int32_t cost = 0;              // cost of one bar (per display unit in best-dimension mode)
  int32_t left = 0;              // length left on one bar after the last cut
  double utilization = 0;        // percent, by area
  std::vector<CutPiece> pieces;  // in the plan's entry order, zero counts included
};

// The patterns of a finished plan, in plan order.
std::vector<CutPattern> CutPatternsOf(const JobPlan& plan);

}  // namespace tralvin
