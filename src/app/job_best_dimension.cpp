// Best-dimension search: try each candidate stock length, keep the best plan.
#include "app/job_best_dimension.h"

#include <array>

namespace tralvin {

namespace {

// a / b for b > 0, rounded to the nearest integer with ties to even.
int64_t DivideHalfEven(int64_t a, int64_t b) {
  int64_t q = a / b;
  int64_t r = a % b;
  if (r < 0) {
    r += b;
    --q;
  }
  if (2 * r > b || (2 * r == b && (q % 2 != 0))) ++q;
  return q;
}

}  // namespace

int64_t BestDimensionDemand(const TPanels& parts, int32_t bladeWidth) {
  int64_t count = 0;
  int64_t area = 0;
  for (const T2DStock& p : parts.Items()) {
    count += p.p_number;
    area += static_cast<int64_t>(p.p_cx) * p.p_cy * p.p_number;
  }
  return count * bladeWidth + DivideHalfEven(area, 1000);
}

std::vector<int32_t> BestDimensionCandidates(TOptimize2d& driver) {
  const T2DStock& r = driver.sheets[0];
  const int32_t lower = r.p_cx;
  const int32_t upper = r.p_max_cx;
  const int64_t demand = BestDimensionDemand(driver.parts, driver.params.blade_width);
  if (lower <= demand && demand <= upper) return {static_cast<int32_t>(demand)};
  driver.GenAllRealXY();
  std::array<int32_t, 10> found{};
  const int n = TSeeds::FindTheBestPanelDimension(driver.parts, lower, upper, found);
  return std::vector<int32_t>(found.begin(), found.begin() + n);
}

void SearchBestDimension(TOptimize2d& driver) {
  driver.params.cost_optimize = false;
  const TPanels sheets = driver.sheets;
  const TPanels parts = driver.parts;
  const TPanels minParts = driver.MinParts;
  const std::vector<int32_t> candidates = BestDimensionCandidates(driver);
  driver.sheets[0].p_number = 0;

  const int32_t blade = driver.params.blade_width;
  TSchemes bestPlan;
  TPanels bestSheets;
  for (int32_t c : candidates) {
    driver.sheets = sheets;
    driver.parts = parts;
    driver.MinParts = minParts;
    driver.sheets[0].p_cx = c;
    driver.Run();
    if (driver.best_result.GetURate(blade) > bestPlan.GetURate(blade)) {
      bestSheets = driver.sheets;
      bestPlan = driver.best_result;
    }
  }
  driver.best_result = bestPlan;
  driver.sheets = bestSheets;
  // The final run starts from the nominal pieces, whatever the last candidate left.
  driver.parts = parts;
  driver.MinParts = minParts;
  if (!driver.sheets.Empty()) {
    const int32_t length = driver.sheets[0].p_cx;
    for (TPacket& p : driver.best_result.schemes) p.p_cx = length;
  }
}

}  // namespace tralvin
