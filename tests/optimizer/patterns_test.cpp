// Patterns and plans: utilisation, remainder and waste of a pattern, pattern
// finishing, merging bars into a plan, plan measures and plan order.
// GCC 12 reports false -Wrestrict positives on short string assignments
// inlined from <string> (GCC bug 105329).
#pragma GCC diagnostic ignored "-Wrestrict"

#include <gtest/gtest.h>

#include <vector>

#include "optimizer/schemes.h"

namespace tralvin {
namespace {

constexpr int32_t kBlade = 5;

// Piece kinds of nominal 2500 and 990 inside a run (blade added).
TPanels Kinds() {
  TPanels k;
  T2DStock a;
  a.p_lab = "A";
  a.p_cx = 2505;
  a.p_cy = 1005;
  a.p_id = 0;
  k.AddPanel(a);
  T2DStock b = a;
  b.p_lab = "B";
  b.p_cx = 995;
  b.p_id = 1;
  k.AddPanel(b);
  return k;
}

TPacket Bar(const std::string& stock, int32_t nominal, int32_t a, int32_t b, int32_t bars = 1) {
  TPacket p(Kinds());
  p.p_lab = stock;
  p.p_cx = nominal + kBlade;
  p.p_cy = 1000 + kBlade;
  p.p_number = bars;
  p.numbers[0].p_number = a;
  p.numbers[1].p_number = b;
  return p;
}

TEST(Pattern, FullBarAndRemainder) {
  // 2 x 2500 + 990 on 6000 with blade 5: used 6005 = cx.
  const TPacket full = Bar("S", 6000, 2, 1);
  EXPECT_DOUBLE_EQ(full.UtRate(kBlade), 100.0);
  EXPECT_EQ(full.GetLeft(kBlade), 0);
  EXPECT_DOUBLE_EQ(full.UtRateShape(), 100.0);
  // 2 x 2500: used 5010, remainder 995 - blade = 990.
  const TPacket part = Bar("S", 6000, 2, 0);
  EXPECT_DOUBLE_EQ(part.UtRate(kBlade), 5010.0 / 6005.0 * 100.0);
  EXPECT_EQ(part.GetLeft(kBlade), 990);
  EXPECT_DOUBLE_EQ(part.UtRateShape(), 5010.0 * 1005.0 / (1005.0 * 6005.0) * 100.0);
  // Nothing cut.
  EXPECT_DOUBLE_EQ(Bar("S", 6000, 0, 0).UtRate(kBlade), 0.0);
  // A remainder within the blade width counts as full use.
  EXPECT_DOUBLE_EQ(Bar("S", 6003, 2, 1).UtRate(kBlade), 100.0);
  EXPECT_EQ(Bar("S", 6003, 2, 1).GetLeft(kBlade), 0);
}

TEST(Pattern, FinishingNamesTheWholeBarOnce) {
  TPacket p = Bar("S", 6000, 2, 0);
  p.FinishPattern(kBlade);
  ASSERT_EQ(p.used_parts.Count(), 1);
  EXPECT_EQ(p.used_parts[0].p_lab, "Scrap_1");
  EXPECT_EQ(p.used_parts[0].p_cx, 6005);
  EXPECT_EQ(p.used_parts[0].p_cy, 1005);
  p.FinishPattern(kBlade);
  EXPECT_EQ(p.used_parts.Count(), 1);

  TPacket tiny = Bar("S", 0, 0, 0);  // a bar not longer than the blade width
  tiny.FinishPattern(kBlade);
  ASSERT_EQ(tiny.used_parts.Count(), 1);
  EXPECT_EQ(tiny.used_parts[0].p_lab, "ZEROOFFCUT_1");
}

TEST(Plan, AddToResultMergesOnlyIdenticalPatterns) {
  TSchemes plan;
  plan.AddToResult(Bar("S", 6000, 2, 1, 0));
  EXPECT_TRUE(plan.Empty());
  plan.AddToResult(Bar("S", 6000, 2, 1, 2));
  plan.AddToResult(Bar("S", 6000, 2, 1, 3));
  ASSERT_EQ(plan.Count(), 1);
  EXPECT_EQ(plan[0].p_number, 5);
  plan.AddToResult(Bar("T", 6000, 2, 1, 1));  // same counts, other stock
  EXPECT_EQ(plan.Count(), 2);

  // Patterns of different stages: entry lists differ. {A:2} must not absorb
  // {A:2, B:1}, nor the other way round.
  TPacket only_a(Bar("S", 6000, 2, 0, 1));
  only_a.numbers.Delete(1);
  TSchemes mixed;
  mixed.AddToResult(only_a);
  mixed.AddToResult(Bar("S", 6000, 2, 1, 1));
  EXPECT_EQ(mixed.Count(), 2);
  mixed.AddToResult(Bar("S", 6000, 2, 0, 4));  // B count 0: same pieces as {A:2}
  EXPECT_EQ(mixed.Count(), 2);
  EXPECT_EQ(mixed[0].p_number, 5);
}

TEST(Plan, AddAllToResultMergesAsOneAtATime) {
  // Patterns merging into the plan, into each other, into the first of two
  // equal patterns, and new ones: the plan as AddToResult builds it in turn.
  TPacket only_a(Bar("S", 6000, 2, 0, 1));
  only_a.numbers.Delete(1);
  TSchemes start;
  start.AddToResult(Bar("S", 6000, 2, 1, 2));
  start.AddToResult(Bar("T", 6000, 2, 1, 1));
  start.schemes.push_back(Bar("S", 6000, 2, 1, 7));  // an equal pattern after the first
  const std::vector<TPacket> added = {Bar("S", 6000, 2, 1, 3), Bar("U", 6000, 1, 1, 1),
                                      Bar("U", 6000, 1, 1, 2), only_a,
                                      Bar("S", 6000, 2, 0, 4), Bar("T", 6000, 0, 3, 0),
                                      Bar("T", 6000, 0, 3, 5), Bar("S", 6000, 1, 1, 1)};
  TSchemes one_by_one = start;
  for (const TPacket& p : added) one_by_one.AddToResult(p);
  TSchemes all = start;
  all.AddAllToResult(added);
  ASSERT_EQ(all.Count(), one_by_one.Count());
  for (int k = 0; k < all.Count(); ++k) {
    EXPECT_EQ(all[k].p_lab, one_by_one[k].p_lab) << k;
    EXPECT_EQ(all[k].p_number, one_by_one[k].p_number) << k;
    EXPECT_EQ(all[k].numbers.Count(), one_by_one[k].numbers.Count()) << k;
  }
  EXPECT_EQ(all[0].p_number, 5);
  EXPECT_EQ(all[2].p_number, 7);
}

TEST(Plan, Measures) {
  EXPECT_DOUBLE_EQ(TSchemes().GetURate(kBlade), 0.0);
  TSchemes part;
  part.AddToResult(Bar("S", 6000, 2, 0));
  EXPECT_NEAR(part.GetURate(kBlade), 5010.0 / 6005.0 * 100.0, 1e-9);
  TSchemes full;
  full.AddToResult(Bar("S", 6000, 2, 1));
  EXPECT_NEAR(full.GetURate(kBlade), 100.0, 1e-9);

  TSchemes two;
  TPacket a = Bar("S", 6000, 2, 1, 3);
  a.p_cost = 2000;
  two.AddToResult(a);
  EXPECT_DOUBLE_EQ(two.GetTotalSheetArea(kBlade), 3 * 6000.0 * 1000.0);
  EXPECT_DOUBLE_EQ(two.GetTotalCost(false, kBlade), 6000.0);
  // Best dimension mode: a price per display unit of length.
  EXPECT_DOUBLE_EQ(two.GetTotalCost(true, kBlade), 2000.0 * 6.0 * 3);
}

TEST(Plan, SortUtilizationOrder) {
  TSchemes plan;
  TPacket b_low = Bar("S", 6000, 1, 0);
  b_low.MatType = "B";
  TPacket a_low = Bar("S", 6000, 1, 0);
  a_low.MatType = "A";
  TPacket a_high = Bar("S", 6000, 2, 1);
  a_high.MatType = "A";
  TPacket a_other = Bar("R", 6000, 1, 1);
  a_other.MatType = "A";
  plan.schemes = {b_low, a_low, a_high, a_other};
  plan.SortUtilization();
  ASSERT_EQ(plan.Count(), 4);
  EXPECT_EQ(plan[0].MatType, "A");
  EXPECT_EQ(plan[0].p_lab, "R");
  EXPECT_EQ(plan[1].numbers[1].p_number, 1);  // A/S at 100 % before A/S lower
  EXPECT_EQ(plan[2].numbers[1].p_number, 0);
  EXPECT_EQ(plan[3].MatType, "B");
  EXPECT_DOUBLE_EQ(plan[1].rFastUtil, 100.0);

  // Equal keys keep their order.
  TSchemes same;
  TPacket x = Bar("S", 6000, 1, 0);
  x.p_cost = 7;
  TPacket y = Bar("S", 6000, 1, 0);
  y.p_cost = 8;
  same.schemes = {x, y};
  same.SortUtilization();
  EXPECT_EQ(same[0].p_cost, 7);
}

}  // namespace
}  // namespace tralvin
