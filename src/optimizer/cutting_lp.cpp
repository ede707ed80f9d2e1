// Column generation over Clp: the model keeps its basis between solves, so
// new columns and changed bounds are re-optimised from the previous basis.
#include "optimizer/cutting_lp.h"

#include <ClpSimplex.hpp>
#include <CoinMessageHandler.hpp>
#include <algorithm>
#include <cmath>
#include <map>

#include "optimizer/bounded_knapsack.h"

namespace tralvin {

struct CuttingLp::Impl {
  ClpSimplex model;
  bool solved_once = false;
};

CuttingLp::CuttingLp(std::vector<LpPiece> pieces, std::vector<LpStock> stocks, LpLimits limits)
    : pieces_(std::move(pieces)),
      stocks_(std::move(stocks)),
      limits_(limits),
      impl_(std::make_unique<Impl>()) {
  ClpSimplex& m = impl_->model;
  m.setLogLevel(0);
  // Piece counts and bar objectives near 1 need no scaling.
  m.scaling(0);
  m.messageHandler()->setLogLevel(0);
  const int n = static_cast<int>(pieces_.size());
  const int s = static_cast<int>(stocks_.size());
  std::vector<double> row_lo, row_up;
  for (const LpPiece& p : pieces_) {
    row_lo.push_back(p.required);
    row_up.push_back(p.maximum);
    maximum_.push_back(p.maximum);
  }
  for (const LpStock& st : stocks_) {
    row_lo.push_back(-COIN_DBL_MAX);
    row_up.push_back(st.quantity);
  }
  // Columns 0 .. s-1: bars of each stock beyond its quantity.
  std::vector<int> starts(static_cast<size_t>(s) + 1);
  std::vector<int> rows;
  std::vector<double> elems, col_lo(static_cast<size_t>(s), 0.0),
      col_up(static_cast<size_t>(s), COIN_DBL_MAX), obj;
  for (int j = 0; j < s; ++j) {
    starts[static_cast<size_t>(j)] = j;
    rows.push_back(n + j);
    elems.push_back(-1.0);
    obj.push_back(stocks_[static_cast<size_t>(j)].overflow);
  }
  starts[static_cast<size_t>(s)] = s;
  m.loadProblem(s, n + s, starts.data(), rows.data(), elems.data(), col_lo.data(), col_up.data(),
                obj.data(), row_lo.data(), row_up.data());
  m.setOptimizationDirection(1.0);
  // A start: one pattern per piece and stock that holds it, as many pieces as fit.
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < s; ++j) {
      const int64_t fit =
          stocks_[static_cast<size_t>(j)].width / pieces_[static_cast<size_t>(i)].width;
      const int32_t k = static_cast<int32_t>(
          std::min<int64_t>(fit, std::max(1, pieces_[static_cast<size_t>(i)].maximum)));
      if (k <= 0) continue;
      LpPattern p{j, std::vector<int32_t>(static_cast<size_t>(n), 0)};
      p.counts[static_cast<size_t>(i)] = k;
      AddPattern(p, stocks_[static_cast<size_t>(j)].objective);
      if (k > 1) {
        // One piece a bar keeps every residual demand within its maxima
        // coverable by the patterns that are never dropped.
        p.counts[static_cast<size_t>(i)] = 1;
        AddPattern(p, stocks_[static_cast<size_t>(j)].objective);
      }
    }
  }
  kept_ = patterns_.size();
  bool uniform = true;
  for (const LpStock& st : stocks_) uniform = uniform && st.objective == stocks_[0].objective;
  // Only when every bar has the same objective: with bars of different
  // values a first-fit plan is far from a good one.
  if (uniform) AddFirstFitPatterns();
}

// The bars of a first-fit-decreasing plan of the required pieces, for every
// stock length: a start near a good plan saves the many pricing rounds that
// would lead there from one kind of piece per bar.
void CuttingLp::AddFirstFitPatterns() {
  const size_t n = pieces_.size();
  std::vector<size_t> order(n);
  for (size_t i = 0; i < n; ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return pieces_[a].width > pieces_[b].width; });
  std::vector<int64_t> seen;
  for (size_t j = 0; j < stocks_.size(); ++j) {
    const int64_t cap = stocks_[j].width;
    if (std::find(seen.begin(), seen.end(), cap) != seen.end()) continue;
    seen.push_back(cap);
    std::vector<int64_t> room;
    std::vector<std::vector<int32_t>> bars;
    for (size_t i : order) {
      const int64_t w = pieces_[i].width;
      if (w > cap) continue;
      for (int32_t left = pieces_[i].required; left > 0; --left) {
        size_t b = 0;
        while (b < room.size() && room[b] < w) ++b;
        if (b == room.size()) {
          room.push_back(cap);
          bars.emplace_back(n, 0);
        }
        room[b] -= w;
        ++bars[b][i];
      }
    }
    std::sort(bars.begin(), bars.end());
    bars.erase(std::unique(bars.begin(), bars.end()), bars.end());
    for (std::vector<int32_t>& counts : bars) {
      AddPattern({static_cast<int>(j), std::move(counts)}, stocks_[j].objective);
    }
  }
}

CuttingLp::~CuttingLp() = default;

void CuttingLp::AddPattern(const LpPattern& pattern, double objective) {
  std::vector<int> rows;
  std::vector<double> elems;
  for (size_t i = 0; i < pattern.counts.size(); ++i) {
    if (pattern.counts[i] == 0) continue;
    rows.push_back(static_cast<int>(i));
    elems.push_back(pattern.counts[i]);
  }
  rows.push_back(static_cast<int>(pieces_.size()) + pattern.stock);
  elems.push_back(1.0);
  impl_->model.addColumn(static_cast<int>(rows.size()), rows.data(), elems.data(), 0.0,
                         COIN_DBL_MAX, objective);
  patterns_.push_back(pattern);
  forbidden_.push_back(false);
  idle_.push_back(0);
  changed_ = true;
  ids_.push_back(next_id_++);
}

void CuttingLp::Forbid(int pattern, bool forbidden) {
  forbidden_[static_cast<size_t>(pattern)] = forbidden;
  impl_->model.setColumnUpper(static_cast<int>(stocks_.size()) + pattern,
                              forbidden ? 0.0 : COIN_DBL_MAX);
}

void CuttingLp::SetResidual(const std::vector<int32_t>& required,
                            const std::vector<int32_t>& maximum,
                            const std::vector<int32_t>& quantity) {
  ClpSimplex& m = impl_->model;
  const int n = static_cast<int>(pieces_.size());
  for (int i = 0; i < n; ++i) {
    m.setRowLower(i, required[static_cast<size_t>(i)]);
    m.setRowUpper(i, maximum[static_cast<size_t>(i)]);
    maximum_[static_cast<size_t>(i)] = maximum[static_cast<size_t>(i)];
  }
  for (size_t j = 0; j < stocks_.size(); ++j) {
    m.setRowUpper(n + static_cast<int>(j), std::max(0, quantity[j]));
  }
}

void CuttingLp::SetOverflowObjective(int stock, double value) {
  impl_->model.setObjectiveCoefficient(stock, value);
  changed_ = true;
  stocks_[static_cast<size_t>(stock)].overflow = value;
}

double CuttingLp::PatternValue(int p) const {
  return impl_->model.primalColumnSolution()[static_cast<int>(stocks_.size()) + p];
}

double CuttingLp::OverflowValue(int stock) const {
  return impl_->model.primalColumnSolution()[stock];
}

namespace {

// Least improvement of a reduced cost that counts.
double Tolerance(double objective) { return 1e-9 * std::max(1.0, objective); }

}  // namespace

bool CuttingLp::Price(int64_t node_limit, bool use_table) {
  const ClpSimplex& m = impl_->model;
  const double* dual = m.dualRowSolution();
  const int n = static_cast<int>(pieces_.size());
  std::vector<KnapsackItem> items(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    items[static_cast<size_t>(i)] = {pieces_[static_cast<size_t>(i)].width, dual[i],
                                     maximum_[static_cast<size_t>(i)]};
  }
  // One knapsack per distinct stock length, looking only for patterns that
  // improve the LP for at least one stock of that length.
  std::map<int64_t, double> need;
  for (size_t j = 0; j < stocks_.size(); ++j) {
    const LpStock& st = stocks_[j];
    const double v = st.objective - dual[n + static_cast<int>(j)] + Tolerance(st.objective);
    auto [it, fresh] = need.emplace(st.width, v);
    if (!fresh) it->second = std::min(it->second, v);
  }
  std::map<int64_t, KnapsackResult> by_width;
  bool added = false;
  double best_upper = 0;
  for (size_t j = 0; j < stocks_.size(); ++j) {
    const LpStock& st = stocks_[j];
    auto it = by_width.find(st.width);
    if (it == by_width.end()) {
      it = by_width
               .emplace(st.width, SolveBoundedKnapsack(items, st.width, node_limit, use_table,
                                                       need[st.width]))
               .first;
    }
    best_upper = std::max(best_upper, it->second.upper);
    const KnapsackResult& k = it->second;
    if (!k.proven) proven_ = false;
    const double reduced = st.objective - dual[n + static_cast<int>(j)] - k.value;
    bool offered_before = false;
    for (size_t p = 0; p < patterns_.size() && !offered_before; ++p) {
      offered_before = forbidden_[p] && patterns_[p].stock == static_cast<int>(j) &&
                       patterns_[p].counts == k.counts;
    }
    const bool improves = reduced < -Tolerance(st.objective);
    if (offered_before && improves) proven_ = false;
    if (!offered_before && improves) {
      AddPattern({static_cast<int>(j), k.counts}, st.objective);
      added = true;
      // Further improving choices of an exact table come at no extra search.
      for (const auto& [value, counts] : k.extra) {
        if (st.objective - dual[n + static_cast<int>(j)] - value < -Tolerance(st.objective)) {
          AddPattern({static_cast<int>(j), counts}, st.objective);
        }
      }
    }
  }
  // Every stock at one objective c and none held to its quantity: the duals
  // scaled by c / (most a pattern is worth) stay feasible for every pattern,
  // so the LP objective times that factor bounds the LP optimum from below.
  lower_ = -COIN_DBL_MAX;
  bool uniform = true;
  for (size_t j = 0; j < stocks_.size() && uniform; ++j) {
    uniform = stocks_[j].objective == stocks_[0].objective &&
              std::abs(dual[n + static_cast<int>(j)]) <= 1e-9;
  }
  if (uniform && !stocks_.empty()) {
    const double c = stocks_[0].objective;
    lower_ = m.objectiveValue() * (best_upper > c ? c / best_upper : 1.0);
  }
  return added;
}

void CuttingLp::Purge() {
  ClpSimplex& m = impl_->model;
  if (!impl_->solved_once) return;
  const int s = static_cast<int>(stocks_.size());
  const double* reduced = m.dualColumnSolution();
  const double* value = m.primalColumnSolution();
  std::vector<int> drop;
  for (size_t p = 0; p < patterns_.size(); ++p) {
    const int col = s + static_cast<int>(p);
    const bool idle = p >= kept_ && !forbidden_[p] && m.getColumnStatus(col) != ClpSimplex::basic &&
                      value[col] <= 1e-9 &&
                      reduced[col] > kPurgeReducedCost *
                                         stocks_[static_cast<size_t>(patterns_[p].stock)].objective;
    idle_[p] = idle ? idle_[p] + 1 : 0;
  }
  const size_t floor = 2 * (pieces_.size() + stocks_.size()) + 50;
  if (patterns_.size() <= floor) return;
  for (size_t p = 0; p < patterns_.size(); ++p) {
    if (idle_[p] >= kPurgeRounds) drop.push_back(s + static_cast<int>(p));
  }
  if (drop.empty()) return;
  m.deleteColumns(static_cast<int>(drop.size()), drop.data());
  changed_ = true;
  size_t out = 0;
  for (size_t p = 0, d = 0; p < patterns_.size(); ++p) {
    if (d < drop.size() && drop[d] == s + static_cast<int>(p)) {
      ++d;
      continue;
    }
    if (out != p) patterns_[out] = std::move(patterns_[p]);
    forbidden_[out] = forbidden_[p];
    idle_[out] = idle_[p];
    ids_[out] = ids_[p];
    ++out;
  }
  patterns_.resize(out);
  forbidden_.resize(out);
  idle_.resize(out);
  ids_.resize(out);
}

LpBasis CuttingLp::SaveBasis() const {
  const ClpSimplex& m = impl_->model;
  LpBasis b;
  for (int r = 0; r < m.numberRows(); ++r) b.rows.push_back(static_cast<int>(m.getRowStatus(r)));
  for (size_t j = 0; j < stocks_.size(); ++j) {
    b.overflow.push_back(static_cast<int>(m.getColumnStatus(static_cast<int>(j))));
  }
  const int s = static_cast<int>(stocks_.size());
  for (size_t p = 0; p < patterns_.size(); ++p) {
    if (m.getColumnStatus(s + static_cast<int>(p)) == ClpSimplex::basic) b.basic.push_back(ids_[p]);
  }
  return b;
}

void CuttingLp::RestoreBasis(const LpBasis& b) {
  ClpSimplex& m = impl_->model;
  if (!impl_->solved_once || static_cast<int>(b.rows.size()) != m.numberRows()) return;
  changed_ = true;
  for (int r = 0; r < m.numberRows(); ++r) {
    m.setRowStatus(r, static_cast<ClpSimplex::Status>(b.rows[static_cast<size_t>(r)]));
  }
  for (size_t j = 0; j < stocks_.size(); ++j) {
    m.setColumnStatus(static_cast<int>(j), static_cast<ClpSimplex::Status>(b.overflow[j]));
  }
  // Patterns dropped since keep their place to a slack: the basis stays square.
  const int s = static_cast<int>(stocks_.size());
  size_t k = 0;
  int basics = 0;
  for (size_t p = 0; p < patterns_.size(); ++p) {
    while (k < b.basic.size() && b.basic[k] < ids_[p]) ++k;
    const bool basic = k < b.basic.size() && b.basic[k] == ids_[p];
    basics += basic;
    m.setColumnStatus(s + static_cast<int>(p),
                      basic ? ClpSimplex::basic : ClpSimplex::atLowerBound);
  }
  if (basics != static_cast<int>(b.basic.size())) {
    // A basic pattern was dropped: start again from the slack basis.
    for (int r = 0; r < m.numberRows(); ++r) m.setRowStatus(r, ClpSimplex::basic);
    for (int c = 0; c < m.numberColumns(); ++c) m.setColumnStatus(c, ClpSimplex::atLowerBound);
  }
}

bool CuttingLp::SolveKnownPatterns() {
  ClpSimplex& m = impl_->model;
  Purge();
  m.setMaximumIterations(limits_.simplex_iterations);
  if (impl_->solved_once) {
    // Only row bounds changed since the last solve: its factorization and
    // work areas still describe this basis.
    m.dual(0, changed_ ? 1 : 7);
  } else {
    m.primal();
    impl_->solved_once = true;
  }
  changed_ = false;
  if (m.status() != 0) {
    m.primal();
    changed_ = true;
  }
  if (m.status() != 0) return false;
  proven_ = false;
  objective_ = m.objectiveValue();
  return true;
}

bool CuttingLp::Solve(bool exact, const std::function<bool(double, double)>& settled) {
  if (!SolveKnownPatterns()) return false;
  ClpSimplex& m = impl_->model;
  proven_ = true;
  bool converged = false;
  for (int round = 0; round < limits_.max_rounds; ++round) {
    // A short search finds most improving patterns; only when it finds none
    // does the full search decide whether the LP is optimal.
    proven_ = true;
    if (!Price(limits_.quick_knapsack_nodes, false)) {
      if (proven_ || !exact) {
        converged = true;
        break;
      }
      proven_ = true;
      if (!Price(limits_.knapsack_nodes, true)) {
        converged = true;
        break;
      }
    }
    m.primal(0, 1);
    if (m.status() != 0) m.primal(0, 1);
    changed_ = false;
    if (m.status() != 0) return false;
    if (settled && settled(lower_, m.objectiveValue())) break;
  }
  if (!converged) proven_ = false;
  objective_ = m.objectiveValue();
  return true;
}

}  // namespace tralvin
