// Near-optimal method: the knapsack against brute force, optimal bar counts
// on small instances, valid plans on random tables with stock limits,
// priorities, maxima and a blade, determinism, shortage and the lower bound.
#include "optimizer/near_optimal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "optimizer/bounded_knapsack.h"
#include "optimizer/cutting_lp.h"
#include "optimizer/optimize2d.h"

namespace tralvin {
namespace {

double BruteKnapsack(const std::vector<KnapsackItem>& items, int64_t cap, size_t k = 0) {
  if (k == items.size()) return 0;
  double best = 0;
  for (int32_t m = 0; m <= items[k].bound && m * items[k].weight <= cap; ++m) {
    best = std::max(best, m * std::max(0.0, items[k].profit) +
                              BruteKnapsack(items, cap - m * items[k].weight, k + 1));
  }
  return best;
}

TEST(BoundedKnapsack, TableAndBranchAndBoundMatchBruteForce) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    const bool large = round % 2 == 1;  // large capacities take the branch and bound
    const int64_t unit = large ? 1'000'003 : 1000;
    std::vector<KnapsackItem> items;
    const int n = 1 + static_cast<int>(rng() % 5);
    for (int i = 0; i < n; ++i) {
      items.push_back({static_cast<int64_t>(1 + rng() % 9) * unit + static_cast<int64_t>(rng() % 7),
                       static_cast<double>(rng() % 100) / 7.0 - 1.0,
                       static_cast<int32_t>(rng() % 4)});
    }
    const int64_t cap = static_cast<int64_t>(5 + rng() % 20) * unit;
    const KnapsackResult r = SolveBoundedKnapsack(items, cap);
    EXPECT_NEAR(r.value, BruteKnapsack(items, cap), 1e-9) << "round " << round;
    int64_t used = 0;
    double value = 0;
    for (size_t i = 0; i < items.size(); ++i) {
      EXPECT_LE(r.counts[i], items[i].bound);
      EXPECT_GE(r.counts[i], 0);
      used += r.counts[i] * items[i].weight;
      value += r.counts[i] * items[i].profit;
    }
    EXPECT_LE(used, cap);
    EXPECT_NEAR(value, r.value, 1e-9);
    EXPECT_TRUE(r.proven);
    // The further choices of a table fit, keep their bounds and say their value.
    for (const auto& [extra_value, counts] : r.extra) {
      int64_t extra_used = 0;
      double v = 0;
      for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_GE(counts[i], 0);
        EXPECT_LE(counts[i], items[i].bound);
        extra_used += counts[i] * items[i].weight;
        v += counts[i] * items[i].profit;
      }
      EXPECT_LE(extra_used, cap);
      EXPECT_NEAR(v, extra_value, 1e-9);
      EXPECT_LT(extra_value, r.value);
    }
    // The quick search never claims more than the optimum and its choice fits.
    const KnapsackResult quick = SolveBoundedKnapsack(items, cap, 50, false);
    EXPECT_LE(quick.value, r.value + 1e-9);
    int64_t quick_used = 0;
    for (size_t i = 0; i < items.size(); ++i) {
      EXPECT_LE(quick.counts[i], items[i].bound);
      quick_used += quick.counts[i] * items[i].weight;
    }
    EXPECT_LE(quick_used, cap);
  }
}

TEST(BoundedKnapsack, BranchAndBoundFindsTheBestAboveTheThresholdAndFurtherMaximalChoices) {
  std::mt19937 rng(11);
  int checked = 0;
  for (int round = 0; round < 150; ++round) {
    // Capacities beyond the table: the branch and bound decides.
    const int64_t unit = 1'000'003;
    std::vector<KnapsackItem> items;
    const int n = 1 + static_cast<int>(rng() % 6);
    for (int i = 0; i < n; ++i) {
      items.push_back({static_cast<int64_t>(1 + rng() % 9) * unit + static_cast<int64_t>(rng() % 7),
                       static_cast<double>(rng() % 100) / 7.0 - 1.0,
                       static_cast<int32_t>(1 + rng() % 3)});
    }
    const int64_t cap = static_cast<int64_t>(5 + rng() % 20) * unit + 1 + rng() % 5;
    int64_t g = cap;
    for (const KnapsackItem& it : items) g = std::gcd(g, it.weight);
    if (cap / g <= kKnapsackTableWidth) continue;  // the table's choices differ in kind
    ++checked;
    const double best = BruteKnapsack(items, cap);
    const double min_value = round % 3 == 0 ? 0.0 : best * (0.5 + 0.1 * (round % 5));

    const KnapsackResult r = SolveBoundedKnapsack(items, cap, 2'000'000, true, min_value);
    EXPECT_TRUE(r.proven);
    EXPECT_GE(r.upper, best - 1e-9) << "round " << round;
    // The best when it is worth more than the threshold, else nothing.
    EXPECT_NEAR(r.value, best > min_value + 1e-9 ? best : 0.0, 1e-9) << "round " << round;
    std::vector<std::pair<double, std::vector<int32_t>>> got;
    if (r.value > 0) got.push_back({r.value, r.counts});
    got.insert(got.end(), r.extra.begin(), r.extra.end());
    EXPECT_LE(r.extra.size(), static_cast<size_t>(kKnapsackExtra));
    for (size_t k = 0; k < got.size(); ++k) {
      // Each fits, says its value, beats the threshold, comes in order, is
      // maximal and differs from the others.
      int64_t used = 0;
      double v = 0;
      for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_GE(got[k].second[i], 0);
        EXPECT_LE(got[k].second[i], items[i].bound);
        used += got[k].second[i] * items[i].weight;
        v += got[k].second[i] * items[i].profit;
      }
      EXPECT_LE(used, cap);
      EXPECT_NEAR(v, got[k].first, 1e-9);
      EXPECT_GT(got[k].first, min_value);
      if (k > 0) {
        EXPECT_LE(got[k].first, got[k - 1].first + 1e-12);
      }
      for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].profit > 0 && got[k].second[i] < items[i].bound) {
          EXPECT_GT(items[i].weight, cap - used) << "round " << round;
        }
      }
      for (size_t e = 0; e < k; ++e) EXPECT_NE(got[e].second, got[k].second);
    }
    // The quick search: its bound still holds every choice.
    const KnapsackResult quick = SolveBoundedKnapsack(items, cap, 20, false, min_value);
    EXPECT_GE(quick.upper, best - 1e-9);
  }
  EXPECT_GT(checked, 50);
}

TEST(CuttingLp, EarlyEndsAndDroppedPatternsKeepTheLpOptimum) {
  std::mt19937 rng(5);
  bool offered = false;  // some LP needs pricing and offers a lower bound
  for (int round = 0; round < 30; ++round) {
    std::vector<LpPiece> pieces;
    const int n = 3 + static_cast<int>(rng() % 20);
    for (int i = 0; i < n; ++i) {
      const int32_t q = 1 + static_cast<int32_t>(rng() % 6);
      pieces.push_back({static_cast<int64_t>(50 + rng() % 400) * 997, q, q});
    }
    const std::vector<LpStock> stocks{{1000 * 997, 1000, 1.0, 3.0}};
    CuttingLp full(pieces, stocks);
    ASSERT_TRUE(full.Solve());
    ASSERT_TRUE(full.proven());
    const double optimum = full.objective();
    // Every lower bound offered on the way stays below the optimum, every
    // objective above it.
    CuttingLp early(pieces, stocks);
    ASSERT_TRUE(early.Solve(true, [&](double lower, double upper) {
      EXPECT_LE(lower, optimum + 1e-7) << "round " << round;
      EXPECT_GE(upper, optimum - 1e-7) << "round " << round;
      offered = offered || lower > 0;
      return false;
    }));
    EXPECT_NEAR(early.objective(), optimum, 1e-7);
    // Residuals solved again and again, with patterns dropped and a basis
    // restored on the way, stay proven and sound.
    std::vector<int32_t> req, max, qty{1000};
    for (const LpPiece& p : pieces) {
      req.push_back(p.required);
      max.push_back(p.maximum);
    }
    const LpBasis start = early.SaveBasis();
    for (int step = 0; step < 6; ++step) {
      const size_t i = rng() % pieces.size();
      if (req[i] > 0) --req[i], --max[i];
      early.SetResidual(req, max, qty);
      if (step == 3) early.RestoreBasis(start);
      ASSERT_TRUE(early.Solve());
      EXPECT_TRUE(early.proven());
      // The earlier patterns may still hold more of a piece than it has left,
      // so the residual LP may lie below a fresh one, never below the length.
      std::vector<LpPiece> rest = pieces;
      double length = 0;
      for (size_t k = 0; k < rest.size(); ++k) {
        rest[k].required = rest[k].maximum = req[k];
        length += static_cast<double>(req[k]) * static_cast<double>(rest[k].width);
      }
      CuttingLp fresh(rest, stocks);
      ASSERT_TRUE(fresh.Solve());
      EXPECT_LE(early.objective(), fresh.objective() + 1e-6) << "round " << round;
      EXPECT_GE(early.objective(), length / static_cast<double>(stocks[0].width) - 1e-6);
    }
  }
  EXPECT_TRUE(offered);
}

struct Piece {
  int32_t length, required, maximum;
};
struct Stock {
  int32_t length, quantity, cost, priority;
};

TOptimize2d MakeDriver(const std::vector<Stock>& stocks, const std::vector<Piece>& pieces,
                       int32_t blade, bool cost) {
  TOptimize2d d;
  d.params.blade_width = blade;
  d.params.cost_optimize = cost;
  for (size_t j = 0; j < stocks.size(); ++j) {
    const Stock& s = stocks[j];
    EXPECT_EQ(d.AddSheet("S" + std::to_string(j), std::to_string(s.length), "1", "", "", s.length,
                         0, 1000, s.quantity, s.priority, s.cost),
              "");
  }
  for (size_t i = 0; i < pieces.size(); ++i) {
    const Piece& p = pieces[i];
    EXPECT_EQ(d.AddPart("P" + std::to_string(i), std::to_string(p.length), "1", "", p.length, 1000,
                        false, p.maximum, p.required),
              "");
  }
  return d;
}

// Fewest bars of length `cap` that hold all `lengths` (exhaustive search).
int ExactBars(std::vector<int32_t> lengths, int32_t cap) {
  std::sort(lengths.rbegin(), lengths.rend());
  int best = static_cast<int>(lengths.size());
  std::vector<int32_t> room;
  std::function<void(size_t)> place = [&](size_t k) {
    if (static_cast<int>(room.size()) >= best) return;
    if (k == lengths.size()) {
      best = static_cast<int>(room.size());
      return;
    }
    for (size_t b = 0; b < room.size(); ++b) {
      if (room[b] >= lengths[k]) {
        room[b] -= lengths[k];
        place(k + 1);
        room[b] += lengths[k];
      }
    }
    room.push_back(cap - lengths[k]);
    place(k + 1);
    room.pop_back();
  };
  place(0);
  return best;
}

int64_t Bars(const TSchemes& plan) {
  int64_t n = 0;
  for (const TPacket& p : plan.schemes) n += p.p_number;
  return n;
}

// The dive is a heuristic: it reaches the exact optimum on most small
// instances and is never more than one bar above it.
TEST(NearOptimal, SmallInstancesNeedTheExactOptimumOfBars) {
  std::mt19937 rng(11);
  for (int round = 0; round < 60; ++round) {
    const int32_t blade = round % 3 == 0 ? 5 : 0;
    const int32_t stock = 1000 * static_cast<int32_t>(5 + rng() % 6);
    std::vector<Piece> pieces;
    std::vector<int32_t> lengths;  // with the blade, against stock + blade
    int total = 0;
    while (total < 8) {
      const int32_t len = 100 * static_cast<int32_t>(3 + rng() % (stock / 100 - 3));
      const int32_t qty = std::min<int32_t>(1 + static_cast<int32_t>(rng() % 3), 8 - total);
      pieces.push_back({len, qty, qty});
      for (int k = 0; k < qty; ++k) lengths.push_back(len + blade);
      total += qty;
    }
    TOptimize2d d = MakeDriver({{stock, 100, 1, 0}}, pieces, blade, false);
    ASSERT_EQ(RunNearOptimal(d), "") << "round " << round;
    const int64_t exact = ExactBars(lengths, stock + blade);
    EXPECT_EQ(Bars(d.best_result), exact) << "round " << round;
  }
}

// Checks a plan as Run leaves it: required <= produced <= maximum, every bar
// holds its pieces with the blade, the remaining stock agrees with the bars.
void ExpectValidPlan(const TOptimize2d& d, const std::vector<Stock>& stocks,
                     const std::vector<Piece>& pieces, int32_t blade, bool stock_suffices) {
  std::vector<int64_t> produced(pieces.size(), 0), used(stocks.size(), 0);
  for (const TPacket& p : d.best_result.schemes) {
    ASSERT_GE(p.p_number, 1);
    int64_t length = 0;
    for (const T2DStock& e : p.numbers.Items()) {
      const size_t i = static_cast<size_t>(std::stoi(e.p_lab.substr(1)));
      produced[i] += int64_t{e.p_number} * p.p_number;
      length += int64_t{e.p_number} * (pieces[i].length + blade);
    }
    const size_t j = static_cast<size_t>(std::stoi(p.p_lab.substr(1)));
    EXPECT_EQ(p.p_cx, stocks[j].length + blade);
    EXPECT_LE(length, stocks[j].length + blade);
    used[j] += p.p_number;
  }
  for (size_t i = 0; i < pieces.size(); ++i) {
    EXPECT_GE(produced[i], pieces[i].required) << "piece " << i;
    EXPECT_LE(produced[i], pieces[i].maximum) << "piece " << i;
  }
  ASSERT_EQ(d.m_rest_sheets.Count(), static_cast<int>(stocks.size()));
  for (size_t j = 0; j < stocks.size(); ++j) {
    EXPECT_EQ(d.m_rest_sheets[static_cast<int>(j)].p_number, stocks[j].quantity - used[j]);
    if (stock_suffices) {
      EXPECT_LE(used[j], stocks[j].quantity) << "stock " << j;
    }
  }
}

struct RandomTables {
  std::vector<Stock> stocks;
  std::vector<Piece> pieces;
  int32_t blade = 0;
};

RandomTables MakeRandomTables(std::mt19937& rng) {
  RandomTables t;
  t.blade = static_cast<int32_t>(rng() % 4) * 1000;
  const int kinds = 1 + static_cast<int>(rng() % 12);
  int32_t required_total = 0;
  int32_t longest_piece = 0;
  for (int i = 0; i < kinds; ++i) {
    const int32_t len = 1000 * static_cast<int32_t>(200 + rng() % 2800);
    const int32_t req = static_cast<int32_t>(rng() % 6) + (i == 0 ? 1 : 0);
    const int32_t max = req + static_cast<int32_t>(rng() % 3) + (req == 0 ? 1 : 0);
    t.pieces.push_back({len, req, max});
    required_total += req;
    longest_piece = std::max(longest_piece, len);
  }
  const int nstocks = 1 + static_cast<int>(rng() % 3);
  for (int j = 0; j < nstocks; ++j) {
    t.stocks.push_back(
        {1000 * static_cast<int32_t>(1500 + rng() % 5000), static_cast<int32_t>(rng() % 5),
         1000 * static_cast<int32_t>(5 + rng() % 40), static_cast<int32_t>(rng() % 3)});
  }
  // The last stock holds every piece alone, enough of it for one piece a bar.
  t.stocks.push_back({std::max(longest_piece, 6000'000), std::max(required_total, 1), 60'000, 2});
  return t;
}

TEST(NearOptimal, RandomTablesGiveValidIdenticalPlans) {
  std::mt19937 rng(2024);
  for (int round = 0; round < 50; ++round) {
    const RandomTables t = MakeRandomTables(rng);
    const bool cost = round % 2 == 0;
    TOptimize2d a = MakeDriver(t.stocks, t.pieces, t.blade, cost);
    ASSERT_EQ(RunNearOptimal(a), "") << "round " << round;
    ExpectValidPlan(a, t.stocks, t.pieces, t.blade, true);

    TOptimize2d b = MakeDriver(t.stocks, t.pieces, t.blade, cost);
    ASSERT_EQ(RunNearOptimal(b), "");
    ASSERT_EQ(a.best_result.Count(), b.best_result.Count()) << "round " << round;
    for (int k = 0; k < a.best_result.Count(); ++k) {
      EXPECT_EQ(a.best_result[k].p_lab, b.best_result[k].p_lab);
      EXPECT_EQ(a.best_result[k].p_number, b.best_result[k].p_number);
      EXPECT_TRUE(a.best_result[k].numbers.IsEqual(b.best_result[k].numbers));
    }
  }
}

TEST(NearOptimal, LastPiecesGoIntoTheCheapestBarsThatHoldThem) {
  // Long bars are cheaper per length, so the LP fills them; the last pieces
  // then fit a short bar, which costs less than another long one. Cheapest:
  // three long bars of 2 x 5000 and one short bar of 2 x 2500 = 354.
  const std::vector<Stock> stocks{{12000, 9, 100, 0}, {6000, 9, 54, 0}};
  const std::vector<Piece> pieces{{5000, 6, 6}, {2500, 2, 2}};
  TOptimize2d d = MakeDriver(stocks, pieces, 0, true);
  ASSERT_EQ(RunNearOptimal(d), "");
  ExpectValidPlan(d, stocks, pieces, 0, true);
  EXPECT_DOUBLE_EQ(d.best_result.GetTotalCost(false, 0), 354.0);
}

TEST(NearOptimal, LowerPriorityNumbersAreUsedFirst) {
  // Two bars of the priority-0 stock hold all pieces; the cheaper priority-1
  // stock stays untouched.
  const std::vector<Stock> stocks{{6000, 2, 100, 0}, {6000, 9, 1, 1}};
  const std::vector<Piece> pieces{{2000, 6, 6}};
  TOptimize2d d = MakeDriver(stocks, pieces, 0, true);
  ASSERT_EQ(RunNearOptimal(d), "");
  ExpectValidPlan(d, stocks, pieces, 0, true);
  EXPECT_EQ(d.m_rest_sheets[0].p_number, 0);
  EXPECT_EQ(d.m_rest_sheets[1].p_number, 9);
}

TEST(NearOptimal, ShortageEndsAsTheStandardSearchDoes) {
  // Three bars are needed, one exists: both methods plan the demand and show
  // the missing bars as a negative remainder.
  const std::vector<Stock> stocks{{6000, 1, 10, 0}};
  const std::vector<Piece> pieces{{3000, 6, 6}};
  TOptimize2d standard = MakeDriver(stocks, pieces, 0, false);
  TOptimize2d near = MakeDriver(stocks, pieces, 0, false);
  const std::string standard_msg = standard.Run();
  ASSERT_EQ(RunNearOptimal(near), standard_msg);
  ExpectValidPlan(near, stocks, pieces, 0, false);
  EXPECT_EQ(near.m_rest_sheets[0].p_number, standard.m_rest_sheets[0].p_number);
  EXPECT_EQ(near.m_rest_sheets[0].p_number, -2);
}

TEST(NearOptimal, PieceLongerThanEveryStockGivesTheStandardMessage) {
  const std::vector<Stock> stocks{{6000, 5, 10, 0}};
  const std::vector<Piece> pieces{{7000, 1, 1}};
  TOptimize2d standard = MakeDriver(stocks, pieces, 0, false);
  TOptimize2d near = MakeDriver(stocks, pieces, 0, false);
  EXPECT_EQ(RunNearOptimal(near), standard.Run());
  EXPECT_TRUE(near.best_result.Empty());
}

TEST(LowerBound, BarsCostAndLength) {
  // 3 x 50 on bars of 100: 1.5 bars by LP, 2 rounded up.
  TOptimize2d d = MakeDriver({{100'000, 10, 7000, 0}}, {{50'000, 3, 3}}, 0, false);
  PlanBound b = LowerBoundOf(d.parts, d.MinParts, d.sheets, 0, BoundKind::Bars);
  ASSERT_TRUE(b.valid);
  EXPECT_TRUE(b.proven);
  EXPECT_DOUBLE_EQ(b.value, 2.0);
  b = LowerBoundOf(d.parts, d.MinParts, d.sheets, 0, BoundKind::Cost);
  EXPECT_NEAR(b.value, 1.5 * 7000, 1e-6);
  b = LowerBoundOf(d.parts, d.MinParts, d.sheets, 0, BoundKind::Length);
  EXPECT_NEAR(b.value, 150'000, 1e-6);
  // The blade counts once per piece: 2 x (50 + 1) do not fit 100 + 1.
  b = LowerBoundOf(d.parts, d.MinParts, d.sheets, 1000, BoundKind::Bars);
  EXPECT_DOUBLE_EQ(b.value, 3.0);
  // 49 + 1 twice fits 100 + 1.
  TOptimize2d e = MakeDriver({{100'000, 10, 7000, 0}}, {{49'000, 4, 4}}, 1000, false);
  b = LowerBoundOf(e.parts, e.MinParts, e.sheets, 1000, BoundKind::Bars);
  EXPECT_DOUBLE_EQ(b.value, 2.0);
}

}  // namespace
}  // namespace tralvin
