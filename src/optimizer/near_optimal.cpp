// The near-optimal method on the driver: input as the standard search gets it
// (blade added once to every length), a column-generation LP with priorities
// as lexicographic penalties, a diving search with limited backtracking held
// to the LP bound rounded up, an exact packing of the last pieces, a
// first-fit-decreasing repair, a final check, and the driver's lists left as
// Run leaves them.
#include "optimizer/near_optimal.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <map>
#include <vector>

#include "optimizer/cutting_lp.h"
#include "optimizer/pattern_pool.h"

namespace tralvin {

namespace {

// Penalty factor between two priority levels: a bar of the next level costs
// this many times its length more, so a lower level is used up first wherever
// it can cover the demand.
constexpr double kPriorityFactor = 100.0;
// LP solves one search round may spend before the plan is finished without
// further checks; this, not the clock, decides the plan.
constexpr int kRoundSolves = 600;
// Patterns tried at one branching step, and non-first choices along one path:
// a bar count target is met by many plans, a cost target by fewer, so costs
// search wider.
constexpr int kBranchWidth = 2, kCostBranchWidth = 3;
constexpr int kDiscrepancies = 4, kCostDiscrepancies = 3;
// Search rounds with a target: the bound rounded up plus 0, 1, ... bars (or
// plus 0.5, 1, ... of the cheapest bar when the bars differ in value).
constexpr int kTargetRounds = 3;
// Exact packing of the last pieces: at most this many bars and pieces, and
// search nodes.
constexpr int kPackBars = 4;  // per choice of bars
constexpr int kPackPieces = 40;
constexpr int64_t kPackNodes = 20'000;

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

class NearOptimalPlanner {
 public:
  NearOptimalPlanner(const TOptimize2d& driver) : d_(driver) {}

  // Fills `plan` from the driver's prepared lists (blade included).
  void Plan(std::vector<PlannedBars>& plan);

 private:
  enum class Outcome { Done, Failed, OutOfWork };

  bool OutOfTime() const;
  // Objective of the bars cut.
  double Take(std::vector<PlannedBars>& plan, int stock, std::vector<int32_t> counts, int32_t bars);
  bool Acceptable(double total) const;
  // Depth-first dive on the residual problem: bars the LP takes whole are cut
  // at once, a fractional step cuts one bar of one of the largest patterns;
  // a residual LP above the target sends the search back to the last step
  // with a choice left.
  Outcome Dive(CuttingLp& lp, std::vector<PlannedBars>& plan, double used, int discrepancies);
  // The last pieces required, packed exactly into the cheapest few bars whose
  // objective stays within `budget`, by a small depth-first search; Unknown
  // when the residual is too large or the node limit ends the search.
  enum class Packing { Packed, Impossible, Unknown };
  Packing PackExactly(double budget, std::vector<PlannedBars>& plan);
  void Repair(std::vector<PlannedBars>& plan);

  const TOptimize2d& d_;
  std::vector<int32_t> req_, max_, qty_;
  std::vector<double> obj_;
  std::vector<int> rank_;
  double start_ = 0;
  bool bars_only_ = false;
  bool check_ = true;
  double target_ = 0;
  double cheapest_ = 1;  // objective of the cheapest bar
  int solves_left_ = 0;
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
double NearOptimalPlanner::Take(std::vector<PlannedBars>& plan, int stock,
                                std::vector<int32_t> counts, int32_t bars) {
  bool any = false;
  for (size_t i = 0; i < counts.size(); ++i) {
    if (bars > 0) counts[i] = std::min(counts[i], max_[i] / bars);
    any = any || counts[i] > 0;
  }
  if (!any || bars <= 0) return 0;
  for (size_t i = 0; i < counts.size(); ++i) {
    max_[i] -= counts[i] * bars;
    req_[i] = std::max(0, req_[i] - counts[i] * bars);
  }
  qty_[static_cast<size_t>(stock)] -= bars;
  plan.push_back({stock, std::move(counts), bars});
  return obj_[static_cast<size_t>(stock)] * bars;
}

bool NearOptimalPlanner::Acceptable(double total) const {
  if (!check_) return true;
  if (bars_only_) return std::ceil(total / obj_[0] - 1e-6) <= target_ + 1e-9;
  return total <= target_ + 1e-9;
}

NearOptimalPlanner::Outcome NearOptimalPlanner::Dive(CuttingLp& lp, std::vector<PlannedBars>& plan,
                                                     double used, int discrepancies) {
  for (;;) {
    if (std::all_of(req_.begin(), req_.end(), [](int32_t r) { return r == 0; })) {
      return Acceptable(used) ? Outcome::Done : Outcome::Failed;
    }
    if (OutOfTime() || solves_left_ <= 0) return Outcome::OutOfWork;
    --solves_left_;
    lp.SetResidual(req_, max_, qty_);
    // The patterns known so far often keep the target already: pricing only
    // when they do not.
    if (!lp.SolveKnownPatterns()) return Outcome::OutOfWork;
    if (!Acceptable(used + lp.objective()) && !lp.Solve(false)) return Outcome::OutOfWork;
    if (!Acceptable(used + lp.objective())) {
      // The short pricing may leave the LP above its optimum: prove it first.
      if (lp.proven()) return Outcome::Failed;
      --solves_left_;
      // Done as soon as the residual LP keeps the target, or is proven not to.
      const auto settled = [&](double lower, double upper) {
        return Acceptable(used + upper) || !Acceptable(used + lower);
      };
      if (!lp.Solve(true, settled)) return Outcome::OutOfWork;
      if (!Acceptable(used + lp.objective())) return Outcome::Failed;
    }
    {
      // Few pieces left: pack them exactly into the cheapest bars the target
      // allows (without a target: the residual LP rounded up to whole bars,
      // or plus the cheapest bar).
      double budget = lp.objective() + cheapest_;
      if (bars_only_) {
        budget = ((check_ ? target_ : std::ceil((used + lp.objective()) / obj_[0] - 1e-6)) -
                  std::round(used / obj_[0])) *
                 obj_[0];
      } else if (check_) {
        budget = target_ - used;
      }
      const Packing packed = PackExactly(budget, plan);
      if (packed == Packing::Packed) return Outcome::Done;
      if (packed == Packing::Impossible && check_) return Outcome::Failed;
    }
    // Bars the LP takes whole are cut at once: the rest of the LP solution
    // stays feasible for the residual, so its LP cannot get worse.
    const int np = static_cast<int>(lp.patterns().size());
    std::vector<std::pair<int, int32_t>> whole;
    std::vector<std::pair<double, int>> fractional;
    for (int p = 0; p < np; ++p) {
      const double v = lp.PatternValue(p);
      if (v >= 1.0 - 1e-6)
        whole.push_back({p, static_cast<int32_t>(std::floor(v + 1e-6))});
      else if (v > 1e-6)
        fractional.push_back({-v, p});
    }
    double cut = 0;
    for (const auto& [p, bars] : whole) {
      const LpPattern& pat = lp.patterns()[static_cast<size_t>(p)];
      cut += Take(plan, pat.stock, pat.counts, bars);
    }
    if (cut > 0) {
      used += cut;
      continue;
    }
    // Largest values first; ties keep the earlier pattern.
    std::sort(fractional.begin(), fractional.end());
    if (fractional.empty()) return Outcome::Done;  // only missing bars left: the repair plans them
    const auto saved_req = req_, saved_max = max_, saved_qty = qty_;
    const size_t before = plan.size();
    const int width =
        check_ ? std::min(bars_only_ ? kBranchWidth : kCostBranchWidth, discrepancies + 1) : 1;
    // The candidates are copied: the LP may drop patterns while diving.
    std::vector<LpPattern> candidates;
    for (int k = 0; k < width && k < static_cast<int>(fractional.size()); ++k) {
      candidates.push_back(
          lp.patterns()[static_cast<size_t>(fractional[static_cast<size_t>(k)].second)]);
    }
    const LpBasis basis = lp.SaveBasis();
    for (int k = 0; k < static_cast<int>(candidates.size()); ++k) {
      const LpPattern& pat = candidates[static_cast<size_t>(k)];
      const double cost = Take(plan, pat.stock, pat.counts, 1);
      if (cost <= 0) continue;
      const Outcome r = Dive(lp, plan, used + cost, discrepancies - k);
      if (r != Outcome::Failed) return r;
      plan.resize(before);
      req_ = saved_req;
      max_ = saved_max;
      qty_ = saved_qty;
      lp.RestoreBasis(basis);
    }
    return Outcome::Failed;
  }
}

void NearOptimalPlanner::Plan(std::vector<PlannedBars>& plan) {
  start_ = NowSeconds(d_.params);
  const TPanels& parts = d_.parts;
  const TPanels& sheets = d_.sheets;
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
  std::vector<int32_t> qty0;
  for (int j = 0; j < sheets.Count(); ++j) {
    const size_t u = static_cast<size_t>(j);
    const double penalty = (Pow(kPriorityFactor, rank_[u]) - 1.0) * rel[u];
    obj_[u] += penalty;
    const double overflow = obj_[u] + Pow(kPriorityFactor, levels) * rel[u];
    stocks.push_back({sheets[j].p_cx, sheets[j].p_number, obj_[u], overflow});
    qty0.push_back(sheets[j].p_number);
  }
  const std::vector<LpPiece> pieces = PiecesOf(parts, d_.MinParts, 0);
  std::vector<int32_t> req0, max0;
  for (const LpPiece& p : pieces) {
    req0.push_back(p.required);
    max0.push_back(p.maximum);
  }
  CuttingLp lp(pieces, stocks);
  // With one objective per bar for every stock (bars of one length, one
  // priority) the target is the LP bound rounded up in bars; else the LP
  // bound plus part of the cheapest bar.
  bars_only_ = true;
  double cheapest = obj_.empty() ? 1.0 : obj_[0];
  for (size_t j = 1; j < obj_.size(); ++j) {
    bars_only_ = bars_only_ && obj_[j] == obj_[0];
    cheapest = std::min(cheapest, obj_[j]);
  }
  cheapest_ = cheapest;
  lp.SetResidual(req0, max0, qty0);
  // A bar count needs the LP bound only rounded up: done once a lower bound
  // rounds up to the same number of bars.
  const auto rounded = [&](double lower, double upper) {
    return bars_only_ && std::ceil(lower / obj_[0] - 1e-6) >= std::ceil(upper / obj_[0] - 1e-6);
  };
  const bool root = lp.Solve(true, rounded);
  const double bound = lp.objective();
  Outcome outcome = Outcome::Failed;
  for (int round = 0; round < kTargetRounds && root && outcome != Outcome::Done; ++round) {
    req_ = req0;
    max_ = max0;
    qty_ = qty0;
    plan.clear();
    check_ = true;
    target_ = bars_only_ ? std::ceil(bound / obj_[0] - 1e-6) + round
                         : bound + 0.5 * (round + 1) * cheapest;
    solves_left_ = kRoundSolves;
    outcome = Dive(lp, plan, 0.0, bars_only_ ? kDiscrepancies : kCostDiscrepancies);
  }
  if (root && outcome != Outcome::Done) {
    // No round reached its target: a plain dive from the start.
    {
      req_ = req0;
      max_ = max0;
      qty_ = qty0;
      plan.clear();
    }
    check_ = false;
    solves_left_ = kRoundSolves;
    double used = 0;
    for (const PlannedBars& b : plan) used += obj_[static_cast<size_t>(b.stock)] * b.bars;
    Dive(lp, plan, used, 0);
  }
  if (!root) {
    req_ = req0;
    max_ = max0;
    qty_ = qty0;
    plan.clear();
  }
  Repair(plan);
}

NearOptimalPlanner::Packing NearOptimalPlanner::PackExactly(double budget,
                                                            std::vector<PlannedBars>& plan) {
  const TPanels& parts = d_.parts;
  const TPanels& sheets = d_.sheets;
  std::vector<std::pair<int64_t, int>> items;  // width, piece kind
  int64_t total = 0;
  for (int i = 0; i < parts.Count(); ++i) {
    for (int32_t c = 0; c < req_[static_cast<size_t>(i)]; ++c) {
      if (static_cast<int>(items.size()) >= kPackPieces) return Packing::Unknown;
      items.push_back({parts[i].p_cx, i});
      total += parts[i].p_cx;
    }
  }
  std::stable_sort(items.begin(), items.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<int64_t> suffix(items.size() + 1, 0);
  for (size_t k = items.size(); k-- > 0;) suffix[k] = suffix[k + 1] + items[k].first;
  // Every choice of at most kPackBars bars from the stocks left whose value
  // keeps the budget, cheapest first (fewer bars, then table order, on ties).
  std::vector<int> kinds;
  for (int j = 0; j < sheets.Count(); ++j) {
    if (qty_[static_cast<size_t>(j)] > 0) kinds.push_back(j);
  }
  struct Choice {
    double value;
    std::vector<int> bars;  // stock of each bar
  };
  std::vector<Choice> choices;
  std::vector<int> cur;
  bool more = false;  // the budget allows more bars than are tried
  std::function<void(size_t, double, int64_t)> choose = [&](size_t from, double value,
                                                            int64_t room) {
    if (!cur.empty() && room >= total) choices.push_back({value, cur});
    for (size_t t = from; t < kinds.size(); ++t) {
      const int j = kinds[t];
      const double v = value + obj_[static_cast<size_t>(j)];
      if (v > budget + 1e-9) continue;
      if (static_cast<int>(cur.size()) >= kPackBars) {
        more = true;
        return;
      }
      int used = 0;
      for (int b : cur) used += b == j;
      if (used >= qty_[static_cast<size_t>(j)]) continue;
      cur.push_back(j);
      choose(t, v, room + sheets[j].p_cx);
      cur.pop_back();
    }
  };
  choose(0, 0.0, 0);
  if (choices.empty()) {
    // Nothing within the budget even holds the total length.
    return kinds.empty() || more ? Packing::Unknown : Packing::Impossible;
  }
  std::stable_sort(choices.begin(), choices.end(), [](const Choice& a, const Choice& b) {
    if (a.value != b.value) return a.value < b.value - 1e-12;
    return a.bars.size() < b.bars.size();
  });
  int64_t nodes = 0;
  bool limit = false;
  for (const Choice& choice : choices) {
    const size_t nb = choice.bars.size();
    std::vector<int64_t> cap(nb), load(nb, 0);
    for (size_t b = 0; b < nb; ++b) cap[b] = sheets[choice.bars[b]].p_cx;
    std::vector<int> bin_of(items.size(), 0);
    // Identical pieces go into bins in non-decreasing order; bins of equal
    // length and load are tried once.
    std::function<bool(size_t)> place = [&](size_t k) -> bool {
      if (k == items.size()) return true;
      if (++nodes > kPackNodes) {
        limit = true;
        return false;
      }
      int64_t free = 0;
      for (size_t b = 0; b < nb; ++b) free += cap[b] - load[b];
      if (suffix[k] > free) return false;
      const size_t first =
          k > 0 && items[k - 1].first == items[k].first ? static_cast<size_t>(bin_of[k - 1]) : 0;
      for (size_t b = first; b < nb; ++b) {
        if (load[b] + items[k].first > cap[b]) continue;
        bool seen = false;
        for (size_t e = first; e < b && !seen; ++e) seen = load[e] == load[b] && cap[e] == cap[b];
        if (seen) continue;
        load[b] += items[k].first;
        bin_of[k] = static_cast<int>(b);
        if (place(k + 1)) return true;
        load[b] -= items[k].first;
        if (limit) return false;
      }
      return false;
    };
    if (!place(0)) {
      if (limit) return Packing::Unknown;
      continue;
    }
    for (size_t b = 0; b < nb; ++b) {
      std::vector<int32_t> counts(static_cast<size_t>(parts.Count()), 0);
      for (size_t k = 0; k < items.size(); ++k) {
        if (bin_of[k] == static_cast<int>(b)) ++counts[static_cast<size_t>(items[k].second)];
      }
      Take(plan, choice.bars[b], std::move(counts), 1);
    }
    return Packing::Packed;
  }
  return more ? Packing::Unknown : Packing::Impossible;
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
    SetPatternHeader(pattern, driver.sheets[b.stock], b.bars);
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
