// TOptimize2d::Run: the staged run. Problems of more than 32 piece kinds are
// cut in stages of at most 32 kinds, followed by two improvement passes; every
// stage prepares its candidate patterns and searches its best plan three times.
#include <algorithm>
#include <chrono>
#include <limits>
#include <vector>

#include "optimizer/optimize2d.h"

namespace tralvin {

namespace {

// Takes the pieces and bars of `pattern` off the remaining quantities `rest`
// and the stocks `stocks`, matched by label.
void SubtractPattern(const TPacket& pattern, TPanels& rest, TPanels& stocks) {
  for (const T2DStock& e : pattern.numbers.Items()) {
    for (T2DStock& k : rest.Items()) {
      if (k.p_lab == e.p_lab) {
        k.p_number -= e.p_number * pattern.p_number;
        break;
      }
    }
  }
  for (T2DStock& s : stocks.Items()) {
    if (s.p_lab == pattern.p_lab) s.p_number -= pattern.p_number;
  }
}

}  // namespace

std::string TOptimize2d::Run() {
  repaint_rng_.seed(static_cast<std::minstd_rand::result_type>(
      std::chrono::steady_clock::now().time_since_epoch().count()));
  const int32_t blade = params.blade_width;
  TimeLimitReached = false;

  // 1.-3. Largest stock, piece order, working copies.
  double max_stock_area = -9999999.0;
  for (const T2DStock& s : sheets.Items()) max_stock_area = std::max(max_stock_area, s.area());
  SortPartsByArea();
  const TPanels A(parts);
  TPanels B(parts);
  const TPanels C(MinParts);
  const TPanels D(sheets);
  TSchemes P;
  const int kinds = A.Count();

  // 4. Improvement passes and the single-stage flag.
  int R = kinds > StageSize ? 2 : 0;
  SingleStageRun = kinds <= StageSize;

  std::string result;
  std::vector<int> active;
  active.reserve(static_cast<size_t>(kinds));
  // 5. Stages.
  for (;;) {
    if (Cancelled()) break;
    best_result.RemoveAll();
    active.clear();
    for (int i = 0; i < kinds; ++i) {
      const int32_t produced = A[i].p_number - B[i].p_number;
      const bool is_active =
          C[i].p_number == A[i].p_number ? produced < C[i].p_number : produced <= C[i].p_number;
      if (is_active) active.push_back(i);
    }
    if (active.empty()) break;

    parts.RemoveAll();
    MinParts.RemoveAll();
    auto add_kind = [&](int i, int32_t required) {
      T2DStock rec(B[i]);
      rec.RemoveDispValue();
      parts.AddPanel(rec);
      rec.p_number = required;
      MinParts.AddPanel(rec);
    };
    auto still_required = [&](int i) { return C[i].p_number - (A[i].p_number - B[i].p_number); };
    const bool partial = static_cast<int>(active.size()) > StageSize;
    if (partial) {
      const int na = static_cast<int>(active.size());
      int pos = 0;
      for (; pos < na && pos < 8; ++pos) {
        const int i = active[static_cast<size_t>(pos)];
        add_kind(i, OptimizerRandom(2) == 0 ? 0 : still_required(i));
      }
      int added2 = 0;
      while (pos < na) {
        if (parts.GetTotalArea() >= 3.0 * max_stock_area && added2 >= 8) break;
        const int i = active[static_cast<size_t>(pos)];
        add_kind(i, OptimizerRandom(2) == 0 ? 0 : still_required(i));
        ++added2;
        ++pos;
      }
      const int last2 = pos - 1;
      int taken3 = 0;
      for (int q = na - 1; q > last2 && taken3 < 16; --q, ++taken3) {
        add_kind(active[static_cast<size_t>(q)], 0);
      }
    } else {
      for (int i : active) add_kind(i, still_required(i));
    }

    // d. Preparation.
    std::string msg = GenAllPartsId();
    Progress(TProgressKind::Step);
    if (!msg.empty()) {
      result = msg;
      break;
    }
    GenAllRealXY();
    Progress(TProgressKind::Step);
    msg = NormalAvailable();
    if (!msg.empty()) return msg;
    msg = GenAllSeeds();
    Progress(TProgressKind::Step);
    if (!msg.empty()) return msg;
    GenAllSchemes();
    Progress(TProgressKind::Step);

    // e. Three searches on the same best plan; a failure of any call sticks.
    ImprovementPassesPending = R > 0;
    std::string stage_msg;
    for (int way : {2, 1, 0}) {
      msg = GenBestResultClosest(way);
      if (stage_msg.empty()) stage_msg = msg;
    }
    if (!stage_msg.empty() && best_result.Empty() && !Cancelled()) {
      // No pass found any plan within the bound on regenerated pools, which
      // happens with many similar piece kinds at the fast speeds although
      // every piece fits a stock. Search the stage again without that bound
      // rather than report a feasible job as unsolvable.
      max_regenerations_ = std::numeric_limits<int>::max();
      stage_msg.clear();
      for (int way : {2, 1, 0}) {
        msg = GenBestResultClosest(way);
        if (stage_msg.empty()) stage_msg = msg;
      }
      max_regenerations_ = 22;
    }
    Progress(TProgressKind::Fill);
    if (!stage_msg.empty()) return stage_msg;

    // f. Order of the stage's plan.
    best_result.SortUtilization();

    if (!partial) {
      // g. A complete stage.
      for (const TPacket& p : best_result.schemes) P.AddToResult(p);
      if (R == 0) break;
      --R;
      P.SortUtilization();
      P.schemes.erase(P.schemes.begin() + P.Count() / 2, P.schemes.end());
      B = A;
      sheets = D;
      for (const TPacket& p : P.schemes) SubtractPattern(p, B, sheets);
    } else {
      // h. A partial stage: the stocks return to nominal sizes.
      for (const TPacket& p : best_result.schemes) {
        SubtractPattern(p, B, sheets);
        P.AddToResult(p);
      }
      for (T2DStock& s : sheets.Items()) {
        s.p_cx -= blade;
        s.p_cy -= blade;
      }
    }
  }

  // 6. Finish: the plan of all stages with the display texts of the pieces.
  parts = A;
  MinParts = C;
  sheets = D;
  best_result = std::move(P);
  for (TPacket& p : best_result.schemes) {
    for (T2DStock& e : p.numbers.Items()) {
      for (const T2DStock& k : parts.Items()) {
        if (k.p_lab == e.p_lab) {
          e.CopyExtInfo(k);
          break;
        }
      }
    }
    for (T2DStock& e : p.used_parts.Items()) {
      for (const T2DStock& k : parts.Items()) {
        if (k.p_lab == e.p_lab) {
          e.CopyExtInfo(k);
          break;
        }
      }
      ProgressStepMaybeRepaint();
    }
  }
  // An empty plan is never reported as success (no active piece kind, or the
  // run was cancelled).
  if (result.empty() && (best_result.Empty() || Cancelled())) {
    result = params.texts.MSG_CANT_GET_RESULT;
  }
  return result;
}

}  // namespace tralvin
