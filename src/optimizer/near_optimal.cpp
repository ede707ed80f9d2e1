// The near-optimal method on the driver: input as the standard search gets it
// (blade added once to every length), a column-generation LP with priorities
// as lexicographic penalties, diving to an integer plan, a first-fit-decreasing
// repair, a final check, and the driver's lists left as Run leaves them.
#include "optimizer/near_optimal.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <vector>

#include "optimizer/cutting_lp.h"

namespace tralvin {

namespace {

// Penalty factor between two priority levels: a bar of the next level costs
// this many times its length more, so a lower level is used up first wherever
// it can cover the demand.
constexpr double kPriorityFactor = 100.0;
// Dive steps before the repair takes over the pieces still required.
constexpr int kMaxDiveSteps = 2000;
// Patterns tried per dive step before the bound is given up by one bar.
constexpr int kDiveAttempts = 4;

struct PlannedBars {
  int stock = 0;
  std::vector<int32_t> counts;
  int32_t bars = 0;
};

double Pow(double base, int exponent) {
  double r = 1.0;
  for (int k = 0; k < exponent; ++k) r *= base;
  return r;
}

// Per-bar objective of every stock, scaled so that the largest is 1.
std::vector<double> StockObjectives(const TPanels& sheets, int32_t blade, BoundKind kind,
                                    double& scale) {
  std::vector<double> obj;
  scale = 0;
  for (const T2DStock& s : sheets.Items()) {
    double v = 1.0;
    if (kind == BoundKind::Cost) v = static_cast<double>(s.p_cost);
    if (kind == BoundKind::Length) v = static_cast<double>(s.p_cx - blade);
    obj.push_back(v);
    scale = std::max(scale, v);
  }
  if (scale > 0) {
    for (double& v : obj) v /= scale;
  }
  return obj;
}

std::vector<LpPiece> PiecesOf(const TPanels& parts, const TPanels& MinParts, int32_t add) {
  std::vector<LpPiece> pieces;
  for (int i = 0; i < parts.Count(); ++i) {
    const int32_t maximum = std::max(0, parts[i].p_number);
    const int32_t required = std::clamp(MinParts[i].p_number, 0, maximum);
    pieces.push_back({int64_t{parts[i].p_cx} + add, required, maximum});
  }
  return pieces;
}

// Bar lengths relative to the largest, for the priority and overflow penalties.
std::vector<double> RelativeLengths(const TPanels& sheets) {
  double longest = 1;
  for (const T2DStock& s : sheets.Items()) longest = std::max(longest, double(s.p_cx));
  std::vector<double> rel;
  for (const T2DStock& s : sheets.Items()) rel.push_back(double(s.p_cx) / longest);
  return rel;
}

// Rank of every stock's priority among the distinct priorities (0 = used first).
std::vector<int> PriorityRanks(const TPanels& sheets, int& levels) {
  std::vector<int32_t> distinct;
  for (const T2DStock& s : sheets.Items()) distinct.push_back(s.Priority);
  std::sort(distinct.begin(), distinct.end());
  distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
  levels = static_cast<int>(distinct.size());
  std::vector<int> rank;
  for (const T2DStock& s : sheets.Items()) {
    rank.push_back(static_cast<int>(std::lower_bound(distinct.begin(), distinct.end(), s.Priority) -
                                    distinct.begin()));
  }
  return rank;
}

void HeaderFromStock(TPacket& pattern, const T2DStock& stock, int32_t bars) {
  pattern.p_cx = stock.p_cx;
  pattern.p_cy = stock.p_cy;
  pattern.p_offset = TPoint{0, 0};
  pattern.p_number = bars;
  pattern.p_lab = stock.p_lab;
  pattern.p_id = stock.p_id;
  pattern.p_cost = stock.p_cost;
  pattern.disp_XSize = stock.disp_XSize;
  pattern.disp_YSize = stock.disp_YSize;
  pattern.disp_Comment = stock.disp_Comment;
  pattern.owner = stock.owner;
  pattern.Priority = stock.Priority;
}

class NearOptimalPlanner {
 public:
  NearOptimalPlanner(const TOptimize2d& driver) : d_(driver) {}

  // Fills `plan` from the driver's prepared lists (blade included).
  void Plan(std::vector<PlannedBars>& plan);

 private:
  bool OutOfTime() const;
  void Take(std::vector<PlannedBars>& plan, int stock, std::vector<int32_t> counts, int32_t bars);
  void Repair(std::vector<PlannedBars>& plan);

  const TOptimize2d& d_;
  std::vector<int32_t> req_, max_, qty_;
  std::vector<double> obj_;
  std::vector<int> rank_;
  double start_ = 0;
};

double NowSeconds(const TOptimizeParams& p) {
  if (p.clock) return p.clock();
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool NearOptimalPlanner::OutOfTime() const {
  const TOptimizeParams& p = d_.params;
  if (p.cancel != nullptr && p.cancel->load(std::memory_order_relaxed)) return true;
  return NowSeconds(p) - start_ > static_cast<double>(p.time_limit_seconds);
}

// Cuts `bars` bars of `counts` from `stock`, each count cut down to what may
// still be produced, and takes them off the residual demand and stock.
void NearOptimalPlanner::Take(std::vector<PlannedBars>& plan, int stock,
                              std::vector<int32_t> counts, int32_t bars) {
  bool any = false;
  for (size_t i = 0; i < counts.size(); ++i) {
    if (bars > 0) counts[i] = std::min(counts[i], max_[i] / bars);
    any = any || counts[i] > 0;
  }
  if (!any || bars <= 0) return;
  for (size_t i = 0; i < counts.size(); ++i) {
    max_[i] -= counts[i] * bars;
    req_[i] = std::max(0, req_[i] - counts[i] * bars);
  }
  qty_[static_cast<size_t>(stock)] -= bars;
  plan.push_back({stock, std::move(counts), bars});
}

void NearOptimalPlanner::Plan(std::vector<PlannedBars>& plan) {
  start_ = NowSeconds(d_.params);
  const TPanels& parts = d_.parts;
  const TPanels& sheets = d_.sheets;
  const int n = parts.Count();
  const BoundKind kind = d_.params.cost_optimize ? BoundKind::Cost : BoundKind::Length;
  double scale = 0;
  obj_ = StockObjectives(sheets, d_.params.blade_width, kind, scale);
  if (scale <= 0) {
    // Every bar is free: plan by length instead.
    obj_ = StockObjectives(sheets, d_.params.blade_width, BoundKind::Length, scale);
  }
  int levels = 1;
  rank_ = PriorityRanks(sheets, levels);
  const std::vector<double> rel = RelativeLengths(sheets);
  std::vector<LpStock> stocks;
  for (int j = 0; j < sheets.Count(); ++j) {
    const size_t u = static_cast<size_t>(j);
    const double penalty = (Pow(kPriorityFactor, rank_[u]) - 1.0) * rel[u];
    obj_[u] += penalty;
    const double overflow = obj_[u] + Pow(kPriorityFactor, levels) * rel[u];
    stocks.push_back({sheets[j].p_cx, sheets[j].p_number, obj_[u], overflow});
    qty_.push_back(sheets[j].p_number);
  }
  std::vector<LpPiece> pieces = PiecesOf(parts, d_.MinParts, 0);
  for (const LpPiece& p : pieces) {
    req_.push_back(p.required);
    max_.push_back(p.maximum);
  }
  CuttingLp lp(pieces, stocks);
  // With one objective per bar for every stock (bars of one length, one
  // priority) the plan's bar count can be held to the LP bound rounded up: a
  // step whose residual LP would exceed it is taken back and another pattern
  // tried, a few times per step.
  bool bars_only = true;
  for (size_t j = 1; j < obj_.size(); ++j) bars_only = bars_only && obj_[j] == obj_[0];
  double used = 0;  // objective of the bars planned so far
  double target = -1;
  for (int step = 0; step < kMaxDiveSteps; ++step) {
    if (std::all_of(req_.begin(), req_.end(), [](int32_t r) { return r == 0; })) break;
    if (OutOfTime()) break;
    lp.SetResidual(req_, max_, qty_);
    if (!lp.Solve()) break;
    if (target < 0) target = std::ceil(lp.objective() / obj_[0] - 1e-6);
    // Bars the LP already takes whole are cut at once (their residual LP
    // cannot be worse); only fractional steps are tried one pattern at a time.
    {
      const size_t before = plan.size();
      double whole_cost = 0;
      const int np = static_cast<int>(lp.patterns().size());
      std::vector<std::pair<int, int32_t>> whole;
      for (int p = 0; p < np; ++p) {
        const double v = lp.PatternValue(p);
        if (v >= 1.0 - 1e-6) whole.push_back({p, static_cast<int32_t>(std::floor(v + 1e-6))});
      }
      for (const auto& [p, bars] : whole) {
        const LpPattern& pat = lp.patterns()[static_cast<size_t>(p)];
        Take(plan, pat.stock, pat.counts, bars);
      }
      for (size_t k = before; k < plan.size(); ++k) {
        whole_cost += obj_[static_cast<size_t>(plan[k].stock)] * plan[k].bars;
      }
      used += whole_cost;
      if (plan.size() > before) continue;
    }
    std::vector<int> tried;
    bool taken = false;
    for (int attempt = 0; attempt < kDiveAttempts && !taken; ++attempt) {
      // The pattern with the largest value; ties go to the earlier pattern.
      int best = -1;
      double best_value = 1e-6;
      for (int p = 0; p < static_cast<int>(lp.patterns().size()); ++p) {
        const double v = lp.PatternValue(p);
        if (v > best_value + 1e-9) {
          best_value = v;
          best = p;
        }
      }
      if (best < 0) break;
      const int32_t bars =
          std::max<int32_t>(1, static_cast<int32_t>(std::floor(best_value + 1e-6)));
      const auto saved_req = req_, saved_max = max_, saved_qty = qty_;
      const size_t before = plan.size();
      const LpPattern& pat = lp.patterns()[static_cast<size_t>(best)];
      Take(plan, pat.stock, pat.counts, bars);
      if (plan.size() == before) {
        lp.Forbid(best, true);
        tried.push_back(best);
        if (!lp.Solve()) break;
        continue;
      }
      const double cost = obj_[static_cast<size_t>(plan.back().stock)] * plan.back().bars;
      bool accept = !bars_only || attempt + 1 == kDiveAttempts;
      if (!accept) {
        lp.SetResidual(req_, max_, qty_);
        accept = lp.Solve() &&
                 std::ceil((used + cost + lp.objective()) / obj_[0] - 1e-6) <= target + 1e-9;
      }
      if (accept) {
        used += cost;
        taken = true;
        break;
      }
      // Take the step back and forbid that pattern for this step.
      plan.resize(before);
      req_ = saved_req;
      max_ = saved_max;
      qty_ = saved_qty;
      lp.Forbid(best, true);
      tried.push_back(best);
      lp.SetResidual(req_, max_, qty_);
      if (!lp.Solve()) break;
    }
    for (int p : tried) lp.Forbid(p, false);
    if (!taken) {
      if (!tried.empty() && bars_only) {
        target += 1;  // no pattern keeps the bound: allow one bar more
        continue;
      }
      break;  // nothing could be cut: the repair finishes
    }
  }
  (void)n;
  Repair(plan);
}

// First fit decreasing for the pieces still required: each piece goes into the
// first repair bar with room; a new bar is of the stock that holds it with the
// lowest priority rank, bars left first, then the least objective per length.
void NearOptimalPlanner::Repair(std::vector<PlannedBars>& plan) {
  const TPanels& parts = d_.parts;
  const TPanels& sheets = d_.sheets;
  const int n = parts.Count();
  struct Bin {
    int stock;
    int64_t room;
    std::vector<int32_t> counts;
  };
  std::vector<Bin> bins;
  std::vector<int> order(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) order[static_cast<size_t>(i)] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return parts[a].p_cx > parts[b].p_cx; });
  for (int i : order) {
    const int64_t w = parts[i].p_cx;
    while (req_[static_cast<size_t>(i)] > 0) {
      Bin* target = nullptr;
      for (Bin& b : bins) {
        if (b.room >= w) {
          target = &b;
          break;
        }
      }
      if (target == nullptr) {
        int chosen = -1;
        for (int j = 0; j < sheets.Count(); ++j) {
          if (sheets[j].p_cx < w) continue;
          if (chosen < 0) {
            chosen = j;
            continue;
          }
          const size_t u = static_cast<size_t>(j), c = static_cast<size_t>(chosen);
          const bool has = qty_[u] > 0, chas = qty_[c] > 0;
          if (has != chas) {
            if (has) chosen = j;
            continue;
          }
          if (rank_[u] != rank_[c]) {
            if (rank_[u] < rank_[c]) chosen = j;
            continue;
          }
          if (obj_[u] / sheets[j].p_cx < obj_[c] / sheets[chosen].p_cx) chosen = j;
        }
        if (chosen < 0) return;  // cannot happen: every piece fits some stock
        --qty_[static_cast<size_t>(chosen)];
        bins.push_back(
            {chosen, sheets[chosen].p_cx, std::vector<int32_t>(static_cast<size_t>(n), 0)});
        target = &bins.back();
      }
      const int64_t fit = std::min<int64_t>(req_[static_cast<size_t>(i)], target->room / w);
      target->counts[static_cast<size_t>(i)] += static_cast<int32_t>(fit);
      target->room -= fit * w;
      req_[static_cast<size_t>(i)] -= static_cast<int32_t>(fit);
      max_[static_cast<size_t>(i)] -= static_cast<int32_t>(fit);
    }
  }
  for (Bin& b : bins) plan.push_back({b.stock, std::move(b.counts), 1});
}

// Checks a plan against the prepared lists: every bar holds its pieces with
// the blade, required <= produced <= maximum.
bool PlanIsValid(const std::vector<PlannedBars>& plan, const TPanels& parts,
                 const TPanels& MinParts, const TPanels& sheets) {
  std::vector<int64_t> produced(static_cast<size_t>(parts.Count()), 0);
  for (const PlannedBars& b : plan) {
    int64_t used = 0;
    for (int i = 0; i < parts.Count(); ++i) {
      const int32_t c = b.counts[static_cast<size_t>(i)];
      if (c < 0) return false;
      used += int64_t{c} * parts[i].p_cx;
      produced[static_cast<size_t>(i)] += int64_t{c} * b.bars;
    }
    if (b.bars <= 0 || used > sheets[b.stock].p_cx) return false;
  }
  for (int i = 0; i < parts.Count(); ++i) {
    const int64_t p = produced[static_cast<size_t>(i)];
    if (p < MinParts[i].p_number || p > parts[i].p_number) return false;
  }
  return true;
}

}  // namespace

std::string RunNearOptimal(TOptimize2d& driver) {
  const TPanels nominal_parts(driver.parts);
  const TPanels nominal_min(driver.MinParts);
  const TPanels nominal_sheets(driver.sheets);
  driver.best_result.RemoveAll();

  std::string msg = driver.GenAllPartsId();
  if (!msg.empty()) return msg;
  const TPanels A(driver.parts);
  const TPanels C(driver.MinParts);
  const TPanels D(driver.sheets);
  driver.GenAllRealXY();
  msg = driver.NormalAvailable();
  if (!msg.empty()) return msg;
  msg = driver.GenAllSeeds();
  if (!msg.empty()) return msg;
  driver.all_seeds.RemoveAll();

  std::vector<PlannedBars> plan;
  NearOptimalPlanner(driver).Plan(plan);
  if (!PlanIsValid(plan, driver.parts, driver.MinParts, driver.sheets)) {
    // Never hand out a plan that breaks a rule: the standard search plans it.
    driver.parts = nominal_parts;
    driver.MinParts = nominal_min;
    driver.sheets = nominal_sheets;
    return driver.Run();
  }

  TSchemes result;
  for (const PlannedBars& b : plan) {
    TPacket pattern(driver.parts);
    HeaderFromStock(pattern, driver.sheets[b.stock], b.bars);
    for (int i = 0; i < driver.parts.Count(); ++i) {
      pattern.numbers[i].p_number = b.counts[static_cast<size_t>(i)];
    }
    pattern.used_parts.RemoveAll();
    pattern.available_rects.RemoveAll();
    result.AddToResult(pattern);
  }
  result.SortUtilization();
  driver.m_rest_sheets = driver.sheets;
  for (const TPacket& p : result.schemes) {
    T2DStock& rest = driver.m_rest_sheets[p.p_id];
    rest.SetNegativeNumber(rest.p_number - p.p_number);
  }
  // The finished plan carries the display texts of the pieces, as Run leaves it.
  driver.parts = A;
  driver.MinParts = C;
  driver.sheets = D;
  for (TPacket& p : result.schemes) {
    for (T2DStock& e : p.numbers.Items()) {
      for (const T2DStock& k : driver.parts.Items()) {
        if (k.p_lab == e.p_lab) {
          e.CopyExtInfo(k);
          break;
        }
      }
    }
  }
  driver.best_result = std::move(result);
  if (driver.best_result.Empty()) return driver.params.texts.MSG_CANT_GET_RESULT;
  return {};
}

PlanBound LowerBoundOf(const TPanels& parts, const TPanels& MinParts, const TPanels& sheets,
                       int32_t blade_width, BoundKind kind) {
  PlanBound bound;
  bound.kind = kind;
  if (parts.Empty() || sheets.Empty() || MinParts.Count() != parts.Count()) return bound;
  double scale = 0;
  std::vector<double> obj = StockObjectives(sheets, 0, kind, scale);
  if (scale <= 0) {
    bound.valid = true;
    return bound;
  }
  const std::vector<double> rel = RelativeLengths(sheets);
  std::vector<LpStock> stocks;
  for (int j = 0; j < sheets.Count(); ++j) {
    const size_t u = static_cast<size_t>(j);
    stocks.push_back({int64_t{sheets[j].p_cx} + blade_width, sheets[j].p_number, obj[u],
                      obj[u] + kPriorityFactor * (1.0 + rel[u])});
  }
  // A piece longer than every stock leaves no bound.
  for (int i = 0; i < parts.Count(); ++i) {
    bool fits = false;
    for (const T2DStock& s : sheets.Items()) fits = fits || s.p_cx >= parts[i].p_cx;
    if (!fits && parts[i].p_number > 0) return bound;
  }
  CuttingLp lp(PiecesOf(parts, MinParts, blade_width), stocks);
  if (!lp.Solve()) return bound;
  bool overflow = false;
  for (int j = 0; j < sheets.Count(); ++j) overflow = overflow || lp.OverflowValue(j) > 1e-7;
  if (overflow) {
    // The stock cannot cover the demand: missing bars count at their own value.
    for (int j = 0; j < sheets.Count(); ++j)
      lp.SetOverflowObjective(j, obj[static_cast<size_t>(j)]);
    if (!lp.Solve()) return bound;
  }
  bound.value = lp.objective() * scale;
  if (kind == BoundKind::Bars) bound.value = std::ceil(bound.value - 1e-6);
  bound.proven = lp.proven();
  bound.valid = true;
  return bound;
}

double PlanValueOf(const TSchemes& plan, int32_t blade_width, BoundKind kind) {
  double v = 0;
  for (const TPacket& p : plan.schemes) {
    if (kind == BoundKind::Bars) v += p.p_number;
    if (kind == BoundKind::Cost) v += double(p.p_cost) * p.p_number;
    if (kind == BoundKind::Length) v += double(p.real_cx(blade_width)) * p.p_number;
  }
  return v;
}

}  // namespace tralvin
