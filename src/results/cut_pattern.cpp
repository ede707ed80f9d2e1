// The plan's patterns in the plain form the table update and the JSON use.
#include "results/cut_pattern.h"

namespace tralvin {

std::vector<CutPattern> CutPatternsOf(const JobPlan& plan) {
  const int32_t blade = plan.bladeWidth;
  std::vector<CutPattern> out;
  out.reserve(plan.best_result.schemes.size());
  for (const TPacket& p : plan.best_result.schemes) {
    CutPattern c;
    c.label = p.p_lab;
    c.matType = p.MatType;
    c.displayLength = p.disp_XSize;
    c.comment = p.disp_Comment;
    c.length = p.real_cx(blade);
    c.bars = p.p_number;
    c.cost = p.p_cost;
    c.left = p.GetLeft(blade);
    c.utilization = p.UtRateShape();
    for (const T2DStock& e : p.numbers.Items()) {
      c.pieces.push_back({e.p_lab, e.disp_XSize, e.real_cx(blade), e.p_number});
    }
    out.push_back(std::move(c));
  }
  return out;
}

}  // namespace tralvin
