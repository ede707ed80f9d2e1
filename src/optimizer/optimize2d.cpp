// TOptimize2d: input of stocks and pieces with their checks, the optimiser's
// own random numbers, the preparation steps of a stage, the weight families
// and the comparison of two plans.
#include "optimizer/optimize2d.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace tralvin {

namespace {

// A length and the blade width are added when the patterns are prepared
// (GenAllRealXY); the sum must stay a 32-bit length.
bool FitsWithBlade(int32_t length, int32_t blade) {
  return int64_t{length} + blade <= std::numeric_limits<int32_t>::max();
}

constexpr const char* kBladeTooLarge = "the blade width is too large";

std::string TooLongWithBlade(const std::string& label, const char* field) {
  return "\"" + label + "\" " + field + " plus the blade width is too large";
}

}  // namespace

int32_t OptimizerRandom(int64_t& state, int32_t n) {
  state = state * 214013 + 2531011;
  const int64_t r = (state / 65536) % 32768;
  state = state % 65536;
  if (n <= 0) return 0;
  return static_cast<int32_t>(r % n);
}

void TOptimize2d::RemoveAll() {
  all_seeds.RemoveAll();
  all_schemes.Clear(0);
  best_result.RemoveAll();
  MinParts.RemoveAll();
  parts.RemoveAll();
  sheets.RemoveAll();
  m_rest_sheets.RemoveAll();
}

std::string TOptimize2d::AddPart(const std::string& m_label, const std::string& m_disp_X,
                                 const std::string& /*m_disp_Y*/, const std::string& m_disp_comment,
                                 int32_t m_cx, int32_t m_cy, bool /*b_rotate*/, int32_t m_number,
                                 int32_t m_min_number, PANEL_SHAPE m_shape) {
  const TOptimizerTexts& t = params.texts;
  if (m_label.empty()) return t.MSG_PIECE_LABEL_CANT_BE_EMPTY;
  if (m_cx <= 0) return t.MSG_PIECE_LENGTH_FORMAT_INVALID;
  if (m_cy <= 0) return t.MSG_PART_WIDTH_FORMAT_INVALID;
  if (m_number < 0) return t.MSG_PIECE_QTY_FORMAT_INVALID;
  const int32_t blade = params.blade_width;
  if (!FitsWithBlade(m_cx, blade)) return TooLongWithBlade(m_label, "piece length");
  if (!FitsWithBlade(1000, blade)) return kBladeTooLarge;
  for (const T2DStock& p : parts.Items()) {
    if (p.p_lab == m_label) return t.MSG_LABEL_ISNT_UNIQUE;
  }
  T2DStock piece;
  piece.p_lab = m_label;
  piece.p_cx = m_cx;
  piece.p_cy = 1000;
  piece.p_can_rotate = false;
  piece.p_number = m_number;
  piece.p_shape = m_shape;
  piece.p_offset = TPoint{0, 0};
  piece.disp_XSize = m_disp_X;
  piece.disp_YSize.assign(1, '1');
  piece.disp_Comment = m_disp_comment;
  piece.owner = PANEL_OWNER::owPart;

  int pos = parts.Count();
  for (int i = 0; i < parts.Count(); ++i) {
    if (parts[i].area() < piece.area()) {
      pos = i;
      break;
    }
  }
  parts.InsertPanel(pos, piece);
  piece.p_number = m_min_number;
  MinParts.InsertPanel(pos, piece);
  return {};
}

std::string TOptimize2d::AddSheet(const std::string& m_label, const std::string& m_disp_X,
                                  const std::string& /*m_disp_Y*/,
                                  const std::string& m_disp_comment,
                                  const std::string& /*m_disp_heatnumber*/, int32_t m_cx,
                                  int32_t m_max_cx, int32_t m_cy, int32_t m_number,
                                  int32_t m_priority, int32_t m_cost, PANEL_OWNER m_owner) {
  const TOptimizerTexts& t = params.texts;
  if (m_label.empty()) return t.MSG_STOCK_LABEL_CANT_BE_EMPTY;
  if (m_cx <= 0) return t.MSG_STOCK_LENGTH_FORMAT_INVALID;
  if (m_cy <= 0) return t.MSG_SHEET_WIDTH_FORMAT_INVALID;
  if (params.best_dimension) {
    if (m_cx >= m_max_cx) return t.MSG_PIECE_LENGTH_FORMAT_INVALID;
  } else if (m_number < 0) {
    return t.MSG_STOCK_QTY_FORMAT_INVALID;
  }
  if (m_cost < 0) return t.MSG_STOCK_COST_FORMAT_INVALID;
  const int32_t blade = params.blade_width;
  if (!FitsWithBlade(m_cx, blade)) return TooLongWithBlade(m_label, "stock length");
  if (params.best_dimension && !FitsWithBlade(m_max_cx, blade))
    return TooLongWithBlade(m_label, "maximum stock length");
  if (!FitsWithBlade(1000, blade)) return kBladeTooLarge;
  for (const T2DStock& s : sheets.Items()) {
    if (s.p_lab == m_label) {
      std::string msg(1, '"');
      msg.append(m_label).append("\" ").append(t.MSG_LABEL_ISNT_UNIQUE);
      return msg;
    }
  }
  T2DStock stock;
  stock.p_lab = m_label;
  stock.p_cx = m_cx;
  stock.p_max_cx = m_max_cx;
  stock.p_cy = 1000;
  stock.p_number = m_number;
  stock.p_offset = TPoint{0, 0};
  stock.p_cost = m_cost;
  stock.disp_XSize = m_disp_X;
  stock.disp_YSize.assign(1, '1');
  stock.disp_Comment = m_disp_comment;
  stock.owner = m_owner;
  stock.Priority = m_priority;
  stock.p_id = sheets.Count();
  sheets.AddPanel(stock);
  return {};
}

void TOptimize2d::SortPartsByArea() {
  // Stable exchange order by area descending; MinParts moves along.
  const int n = parts.Count();
  std::vector<int> order(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) order[static_cast<size_t>(i)] = i;
  std::stable_sort(order.begin(), order.end(),
                   [this](int a, int b) { return parts[a].area() > parts[b].area(); });
  TPanels sorted_parts;
  TPanels sorted_min;
  for (int i : order) {
    sorted_parts.AddPanel(parts[i]);
    if (i < MinParts.Count()) sorted_min.AddPanel(MinParts[i]);
  }
  parts = std::move(sorted_parts);
  MinParts = std::move(sorted_min);
  for (int i = 0; i < parts.Count(); ++i) parts[i].p_id = i;
  for (int i = 0; i < MinParts.Count(); ++i) MinParts[i].p_id = i;
}

std::string TOptimize2d::GenAllPartsId() {
  SortPartsByArea();
  if (parts.GetTotalNumber() == 0) return params.texts.MSG_PIECE_DATA_IS_EMPTY;
  return {};
}

std::string TOptimize2d::GenAllRealXY() {
  const int32_t blade = params.blade_width;
  // AddSheet and AddPart refuse lengths that do not fit with the blade; a
  // list changed since is checked here, before anything is added.
  for (const TPanels* list : {&parts, &sheets}) {
    for (const T2DStock& p : list->Items()) {
      if (!FitsWithBlade(p.p_cy, blade)) return kBladeTooLarge;
      if (!FitsWithBlade(p.p_cx, blade)) {
        return TooLongWithBlade(p.p_lab,
                                p.owner == PANEL_OWNER::owPart ? "piece length" : "stock length");
      }
    }
  }
  for (T2DStock& p : parts.Items()) {
    p.p_cx += blade;
    p.p_cy += blade;
  }
  for (T2DStock& s : sheets.Items()) {
    s.p_cx += blade;
    s.p_cy += blade;
  }
  return {};
}

std::string TOptimize2d::NormalAvailable() {
  const int32_t blade = params.blade_width;
  for (const T2DStock& p : parts.Items()) {
    if (p.p_number <= 0) continue;
    const int32_t side = std::max(p.real_cx(blade), p.real_cy(blade));
    bool fits = false;
    for (const T2DStock& s : sheets.Items()) {
      if (std::max(s.real_cx(blade), s.real_cy(blade)) >= side) {
        fits = true;
        break;
      }
    }
    if (!fits) {
      std::string msg("Part[label=");
      msg.append(p.p_lab).append("] is too large.");
      return msg;
    }
  }
  return {};
}

std::string TOptimize2d::GenAllSeeds() {
  all_seeds.RemoveAll();
  if (sheets.Empty()) return "no Sheet";
  all_seeds.parts = parts;
  all_seeds.sheets = sheets;
  int32_t max_x = sheets[0].p_cx;
  int32_t max_y = sheets[0].p_cy;
  for (const T2DStock& s : sheets.Items()) {
    max_x = std::max(max_x, s.p_cx);
    max_y = std::max(max_y, s.p_cy);
  }
  all_seeds.SetMaxX(max_x);
  all_seeds.SetMaxY(max_y);
  return {};
}

void TOptimize2d::GenAllSchemes() {
  all_schemes.Clear(parts.Count());
  TPatternScratch scratch;
  for (int s = 0; s < sheets.Count(); ++s) {
    AppendStockPatterns(all_schemes, parts, sheets[s], s, params.speed, scratch);
  }
}

double TOptimize2d::GenPowerValue(TPanels& pPanels, int m_GenType) {
  const int count = MinParts.Count();
  double sum_area = 0.0;
  for (const T2DStock& m : MinParts.Items()) sum_area += m.area();
  const double avgArea = count > 0 ? sum_area / static_cast<double>(count) : 0.0;
  int64_t avgQty = count > 0 ? MinParts.GetTotalNumber() / count : 0;
  if (avgQty == 0) avgQty = 1;
  const double dq = static_cast<double>(avgQty);
  const int family = m_GenType % tuning::kWeightFamilies;
  for (T2DStock& rec : pPanels.Items()) {
    int64_t n = rec.p_number;
    if (FewPiecesPerKind) n = n * tuning::kFewPiecesWeightFactor;
    const double dn = static_cast<double>(n);
    const double a = rec.area() / avgArea;
    const double a2 = a * a;
    const double a4 = a2 * a2;
    int64_t w = 0;
    switch (family) {
      case 0:
        w = n + OptimizerRandom(2);
        break;
      case 1:
        w = avgQty + OptimizerRandom(2);
        break;
      case 2:
        w = int64_t{panels_math::RoundWeight(a * dq)} + OptimizerRandom(2);
        break;
      case 3:
        w = int64_t{panels_math::RoundWeight(a * dn)} + OptimizerRandom(2);
        break;
      case 4:
        w = int64_t{panels_math::RoundWeight(a2 * dq)} + OptimizerRandom(2);
        break;
      case 5:
        w = int64_t{panels_math::RoundWeight(a2 * dn)} + OptimizerRandom(2);
        break;
      case 6:
        w = int64_t{panels_math::RoundWeight(a4 * dq)} + OptimizerRandom(2);
        break;
      case 7:
        w = int64_t{panels_math::RoundWeight(a4 * dn)} + OptimizerRandom(2);
        break;
      default:
        w = avgQty + OptimizerRandom(tuning::kWideWeightSpread);
        break;
    }
    rec.p_number = panels_math::ClampWeight(w);
  }
  return avgArea;
}

int TOptimize2d::CompareResult(const TSchemes& pSchemes1, const TSchemes& pSchemes2) const {
  const int32_t blade = params.blade_width;
  if (params.bundle_optimize && pSchemes1.Count() > pSchemes2.Count()) return -1;
  auto tie_rule = [&]() {
    if (pSchemes1.Empty() || pSchemes2.Empty()) return 1;
    const double last2 = pSchemes2.schemes.back().UtRateShape();
    const double last1 = pSchemes1.schemes.back().UtRateShape();
    if (last2 < last1) return -1;
    if (pSchemes1.Count() > pSchemes2.Count()) return -1;
    return 1;
  };
  if (params.cost_optimize) {
    const double c1 = pSchemes1.GetTotalCost(params.best_dimension, blade);
    const double c2 = pSchemes2.GetTotalCost(params.best_dimension, blade);
    const double d = std::fabs(c1 - c2);
    if (d / (c1 + tuning::kCompareCostEpsilon) < tuning::kCompareTolerance) return tie_rule();
    return c2 < c1 ? -1 : 1;
  }
  if (!SingleStageRun) {
    const double a1 = pSchemes1.GetTotalSheetArea(blade);
    const double a2 = pSchemes2.GetTotalSheetArea(blade);
    if (a2 < a1) return -1;
    if (a2 > a1) return 1;
  }
  const double u1 = pSchemes1.GetURate(blade);
  const double u2 = pSchemes2.GetURate(blade);
  const double d = std::fabs(u1 - u2) / u1;
  if (d < tuning::kCompareTolerance) return tie_rule();
  return u2 > u1 ? -1 : 1;
}

double TOptimize2d::Now() const {
  if (params.clock) return params.clock();
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool TOptimize2d::Cancelled() const {
  return params.cancel != nullptr && params.cancel->load(std::memory_order_relaxed);
}

void TOptimize2d::Progress(TProgressKind kind) const {
  if (params.progress) params.progress(kind);
}

void TOptimize2d::ProgressStepMaybeRepaint() {
  if (!params.progress) return;
  params.progress(TProgressKind::Step);
  if (repaint_rng_() % 10 == 0) params.progress(TProgressKind::Repaint);
}

}  // namespace tralvin
