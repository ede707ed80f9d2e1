// Writing the plan as JSON.
#include "results/plan_json.h"

#include <nlohmann/json.hpp>

#include "results/cut_pattern.h"

namespace tralvin {

namespace {

double Units(int64_t scaled) { return static_cast<double>(scaled) / 1000.0; }

int32_t CountAt(const TPanels& counts, int i) {
  return i < counts.Count() ? counts[i].p_number : 0;
}

}  // namespace

std::string PlanJsonText(const JobPlan& plan, const CuttingReport& report) {
  using nlohmann::ordered_json;
  ordered_json patterns = ordered_json::array();
  const std::vector<CutPattern> cut = CutPatternsOf(plan);
  for (size_t k = 0; k < cut.size(); ++k) {
    const CutPattern& p = cut[k];
    if (p.bars == 0) continue;
    ordered_json pieces = ordered_json::array();
    for (const CutPiece& e : p.pieces) {
      if (e.perBar == 0) continue;
      pieces.push_back({{"label", e.label}, {"length", Units(e.length)}, {"perBar", e.perBar}});
    }
    patterns.push_back({{"number", k + 1},
                        {"stock", p.label},
                        {"materialType", p.matType},
                        {"length", Units(p.length)},
                        {"bars", p.bars},
                        {"pieces", pieces},
                        {"leftover", Units(p.left)}});
  }
  ordered_json stocks = ordered_json::array();
  for (int i = 0; i < plan.sheets.Count(); ++i) {
    const T2DStock& s = plan.sheets[i];
    const int32_t used = CountAt(report.UsedStockCounts, i);
    stocks.push_back({{"label", s.p_lab},
                      {"materialType", s.MatType},
                      {"length", Units(s.p_cx)},
                      {"available", s.p_number},
                      {"used", used},
                      {"left", static_cast<int64_t>(s.p_number) - used}});
  }
  ordered_json pieces = ordered_json::array();
  for (int i = 0; i < plan.parts.Count(); ++i) {
    const T2DStock& p = plan.parts[i];
    pieces.push_back({{"label", p.p_lab},
                      {"materialType", p.MatType},
                      {"length", Units(p.p_cx)},
                      {"required", CountAt(plan.MinParts, i)},
                      {"maximum", p.p_number},
                      {"produced", CountAt(report.UsedPieceCounts, i)}});
  }
  ordered_json doc = {
      {"measure", plan.measure},
      {"bladeWidth", Units(plan.bladeWidth)},
      {"costOptimize", plan.costOptimize},
      {"bestDimension", plan.bestDimensionMode},
      {"utilization", plan.best_result.GetURate(plan.bladeWidth)},
      {"totalCost",
       plan.best_result.GetTotalCost(plan.bestDimensionMode, plan.bladeWidth) / 1000.0},
      {"method", plan.optimizeMethod == 1 ? "near" : "standard"},
      {"lowerBound", plan.hasLowerBound ? ordered_json(plan.lowerBound) : ordered_json(nullptr)},
      {"gap", plan.hasLowerBound ? ordered_json(plan.gap) : ordered_json(nullptr)},
      {"notes", plan.notes},
      {"patterns", patterns},
      {"stocks", stocks},
      {"pieces", pieces},
  };
  // Labels and texts come from files and the command line unchecked: an
  // invalid UTF-8 sequence becomes U+FFFD rather than failing the output.
  return doc.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace tralvin
