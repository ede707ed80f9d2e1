// Whole runs of the driver: stock priority, shortage, stages, determinism,
// the time limit and cancellation, and plan properties on random instances.
// GCC 12 reports false -Wrestrict positives on short string assignments
// inlined from <string> (GCC bug 105329).
#pragma GCC diagnostic ignored "-Wrestrict"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <random>
#include <vector>

#include "optimizer/optimize2d.h"

namespace tralvin {
namespace {

struct Piece {
  int32_t length;
  int32_t max;
  int32_t min;
};

struct Stock {
  std::string label;
  int32_t length;
  int32_t qty;
  int32_t priority = 0;
  int32_t cost = 1000;
};

void Fill(TOptimize2d& opt, const std::vector<Stock>& stocks, const std::vector<Piece>& pieces) {
  for (const Stock& s : stocks) {
    ASSERT_EQ(opt.AddSheet(s.label, std::to_string(s.length), "1", "", "", s.length, 0, 1000, s.qty,
                           s.priority, s.cost),
              "");
  }
  int k = 0;
  for (const Piece& p : pieces) {
    ASSERT_EQ(opt.AddPart("P" + std::to_string(k++), std::to_string(p.length), "1", "note",
                          p.length, 1000, false, p.max, p.min),
              "");
  }
}

std::map<std::string, int64_t> BarsByStock(const TOptimize2d& opt) {
  std::map<std::string, int64_t> bars;
  for (const TPacket& p : opt.best_result.schemes) bars[p.p_lab] += p.p_number;
  return bars;
}

// Checks the plan against the input: every required quantity cut, no maximum
// exceeded, no bar over-filled, remaining stocks consistent, enough bars.
void ExpectSoundPlan(const TOptimize2d& opt, int32_t blade) {
  ASSERT_FALSE(opt.best_result.Empty());
  std::map<std::string, int64_t> produced;
  double used_length = 0;  // bars' usable length, blade included
  for (const TPacket& p : opt.best_result.schemes) {
    ASSERT_GE(p.p_number, 1);
    int64_t sum = 0;
    for (const T2DStock& e : p.numbers.Items()) {
      sum += int64_t{e.p_number} * e.p_cx;
      produced[e.p_lab] += int64_t{e.p_number} * p.p_number;
    }
    const T2DStock* stock = nullptr;
    for (const T2DStock& s : opt.sheets.Items()) {
      if (s.p_lab == p.p_lab) stock = &s;
    }
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(p.p_cx, stock->p_cx + blade);
    EXPECT_LE(sum, int64_t{stock->p_cx} + blade) << "bar over-filled";
    used_length += static_cast<double>(p.p_cx) * p.p_number;
  }
  double needed = 0;
  for (int i = 0; i < opt.parts.Count(); ++i) {
    const T2DStock& part = opt.parts[i];
    EXPECT_GE(produced[part.p_lab], opt.MinParts[i].p_number) << part.p_lab;
    EXPECT_LE(produced[part.p_lab], part.p_number) << part.p_lab;
    needed += static_cast<double>(opt.MinParts[i].p_number) * (part.p_cx + blade);
  }
  EXPECT_GE(used_length, needed);  // at least the continuous bound
  const auto bars = BarsByStock(opt);
  ASSERT_EQ(opt.m_rest_sheets.Count(), opt.sheets.Count());
  for (int s = 0; s < opt.sheets.Count(); ++s) {
    const auto it = bars.find(opt.sheets[s].p_lab);
    const int64_t used = it == bars.end() ? 0 : it->second;
    EXPECT_EQ(opt.m_rest_sheets[s].p_number, opt.sheets[s].p_number - used);
  }
}

TEST(RunPlans, WorkedExampleCutsExactly) {
  TOptimize2d opt;
  opt.params.blade_width = 5;
  Fill(opt, {{"BAR", 6000, 10}}, {{2500, 4, 4}, {990, 2, 2}});
  ASSERT_EQ(opt.Run(), "");
  ExpectSoundPlan(opt, 5);
  EXPECT_EQ(BarsByStock(opt)["BAR"], 2);
  EXPECT_NEAR(opt.best_result.GetURate(5), 100.0, 1e-9);
  // Entries carry the display texts of their piece kinds again.
  EXPECT_EQ(opt.best_result[0].numbers[0].disp_Comment, "note");
  EXPECT_EQ(opt.best_result[0].numbers[0].p_cx, 2505);
  EXPECT_EQ(opt.sheets[0].p_cx, 6000);  // nominal again after the run
}

TEST(RunPlans, LowerPriorityValueIsUsedFirst) {
  TOptimize2d opt;
  // The priority-1 stock is listed first and is cheaper; it still waits.
  Fill(opt, {{"LATE", 6000, 10, 1, 1}, {"FIRST", 6000, 2, 0, 5000}}, {{2000, 9, 9}});
  ASSERT_EQ(opt.Run(), "");
  ExpectSoundPlan(opt, 0);
  auto bars = BarsByStock(opt);
  EXPECT_EQ(bars["FIRST"], 2);
  EXPECT_EQ(bars["LATE"], 1);
}

TEST(RunPlans, ShortageShowsAsNegativeRest) {
  TOptimize2d opt;
  Fill(opt, {{"ONE", 6000, 1}}, {{5000, 3, 3}});
  ASSERT_EQ(opt.Run(), "");
  ExpectSoundPlan(opt, 0);
  EXPECT_EQ(BarsByStock(opt)["ONE"], 3);
  EXPECT_EQ(opt.m_rest_sheets[0].p_number, -2);
}

TEST(RunPlans, OneBarDemandStopsEarly) {
  TOptimize2d opt;
  Fill(opt, {{"S", 6000, 5}}, {{1500, 2, 2}, {1000, 3, 3}});
  int fills = 0, steps = 0;
  opt.params.progress = [&](TProgressKind k) {
    if (k == TProgressKind::Fill) ++fills;
    if (k == TProgressKind::Step) ++steps;
  };
  ASSERT_EQ(opt.Run(), "");
  ASSERT_EQ(opt.best_result.Count(), 1);
  EXPECT_EQ(opt.best_result[0].p_number, 1);
  EXPECT_EQ(fills, 1);
  // 4 preparation steps, then per search one cut and one end of pass.
  EXPECT_EQ(steps, 4 + 3 * 2);
}

std::vector<Piece> ManyKinds(int n) {
  std::vector<Piece> pieces;
  for (int i = 0; i < n; ++i) pieces.push_back({500 + 37 * i, 2, 2});
  return pieces;
}

TEST(RunStages, ThirtyTwoKindsAreOneStage) {
  TOptimize2d opt;
  Fill(opt, {{"S", 6000, 100}}, ManyKinds(32));
  int fills = 0;
  opt.params.progress = [&](TProgressKind k) { fills += k == TProgressKind::Fill; };
  ASSERT_EQ(opt.Run(), "");
  EXPECT_TRUE(opt.SingleStageRun);
  EXPECT_EQ(fills, 1);
  ExpectSoundPlan(opt, 0);
}

TEST(RunStages, ThirtyThreeKindsRunInStagesWithImprovementPasses) {
  TOptimize2d opt;
  opt.params.blade_width = 3;
  Fill(opt, {{"S", 6000, 100}}, ManyKinds(33));
  int fills = 0;
  opt.params.progress = [&](TProgressKind k) { fills += k == TProgressKind::Fill; };
  ASSERT_EQ(opt.Run(), "");
  EXPECT_FALSE(opt.SingleStageRun);
  // At least one partial stage, then three complete ones (R = 2, 1, 0).
  EXPECT_GE(fills, 4);
  ExpectSoundPlan(opt, 3);
}

TEST(RunStages, RequiredBelowMaximumKeepsKindActive) {
  TOptimize2d opt;
  Fill(opt, {{"S", 10000, 50}}, {{1000, 10, 6}, {900, 10, 10}});
  ASSERT_EQ(opt.Run(), "");
  ExpectSoundPlan(opt, 0);
}

TEST(RunDeterminism, SameInputSamePlan) {
  std::vector<Piece> pieces;
  std::mt19937 rng(5);
  for (int i = 0; i < 45; ++i) {
    const int32_t q = 1 + static_cast<int32_t>(rng() % 4);
    pieces.push_back({static_cast<int32_t>(300 + rng() % 2500), q, q});
  }
  auto plan = [&]() {
    TOptimize2d opt;
    opt.params.blade_width = 4;
    opt.OptimizerRandomState = 479;
    Fill(opt, {{"A", 6000, 40, 0, 800}, {"B", 4000, 40, 0, 600}}, pieces);
    EXPECT_EQ(opt.Run(), "");
    std::vector<std::vector<int32_t>> out;
    for (const TPacket& p : opt.best_result.schemes) {
      std::vector<int32_t> row{p.p_id, p.p_number};
      for (const T2DStock& e : p.numbers.Items()) row.push_back(e.p_number);
      out.push_back(row);
    }
    return out;
  };
  EXPECT_EQ(plan(), plan());
}

TEST(RunLimits, TimeLimitEndsTheSearchWithAPlan) {
  TOptimize2d opt;
  double now = 0;
  opt.params.clock = [&now]() { return now += 100.0; };
  opt.params.speed = 20;
  Fill(opt, {{"S", 6000, 100}}, ManyKinds(20));
  ASSERT_EQ(opt.Run(), "");
  EXPECT_TRUE(opt.TimeLimitReached);
  ExpectSoundPlan(opt, 0);
}

TEST(RunLimits, CancelledRunReturnsQuickly) {
  TOptimize2d opt;
  std::atomic<bool> cancel{true};
  opt.params.cancel = &cancel;
  Fill(opt, {{"S", 6000, 100}}, ManyKinds(40));
  EXPECT_EQ(opt.Run(), opt.params.texts.MSG_CANT_GET_RESULT);
}

TEST(RunLimits, ManySimilarKindsStillGetAPlan) {
  // Seventy kinds of almost equal length, four per bar: at the fastest speed
  // every regenerated pool reaches only the longest kinds left, so no pass
  // gets through the first stage within the bound on regenerated pools.
  std::vector<Piece> pieces;
  for (int i = 0; i < 70; ++i) pieces.push_back({240 - i, 6, 6});
  TOptimize2d opt;
  Fill(opt, {{"S", 1000, 5000}}, pieces);
  ASSERT_EQ(opt.Run(), "");
  ExpectSoundPlan(opt, 0);
}

TEST(RunProperties, RandomInstancesGiveSoundPlans) {
  std::mt19937 rng(20261209);
  for (int round = 0; round < 25; ++round) {
    const int32_t blade = static_cast<int32_t>(rng() % 4) * 3;
    std::vector<Stock> stocks;
    const int nstocks = 1 + static_cast<int>(rng() % 3);
    int32_t longest = 0;
    for (int s = 0; s < nstocks; ++s) {
      const int32_t len = 2000 + static_cast<int32_t>(rng() % 10000);
      longest = std::max(longest, len);
      stocks.push_back({"S" + std::to_string(s), len, static_cast<int32_t>(rng() % 30),
                        static_cast<int32_t>(rng() % 2), 100 + static_cast<int32_t>(rng() % 900)});
    }
    std::vector<Piece> pieces;
    const int nkinds = round == 24 ? 36 : 1 + static_cast<int>(rng() % 12);
    for (int k = 0; k < nkinds; ++k) {
      const int32_t len = 100 + static_cast<int32_t>(rng() % static_cast<uint32_t>(longest - 100));
      const int32_t max = 1 + static_cast<int32_t>(rng() % 9);
      const int32_t min = static_cast<int32_t>(rng() % static_cast<uint32_t>(max + 1));
      pieces.push_back({len, max, min});
    }
    TOptimize2d opt;
    opt.params.blade_width = blade;
    opt.params.speed = static_cast<int32_t>(rng() % 3);
    opt.params.cost_optimize = rng() % 3 == 0;
    opt.params.bundle_optimize = rng() % 4 == 0;
    Fill(opt, stocks, pieces);
    const std::string msg = opt.Run();
    ASSERT_EQ(msg, "") << "round " << round;
    SCOPED_TRACE(round);
    ExpectSoundPlan(opt, blade);
  }
}

}  // namespace
}  // namespace tralvin
