// The driver's input checks and preparation steps, its random numbers, the
// weight families and the comparison of two plans.
// GCC 12 reports false -Wrestrict positives on short string assignments
// inlined from <string> (GCC bug 105329).
#pragma GCC diagnostic ignored "-Wrestrict"

#include <gtest/gtest.h>

#include "optimizer/optimize2d.h"

namespace tralvin {
namespace {

TEST(DriverInput, PiecesAreOrderedLongestFirst) {
  TOptimize2d opt;
  EXPECT_EQ(opt.AddPart("a", "1", "1", "", 1000, 50, true, 4, 2), "");
  EXPECT_EQ(opt.AddPart("b", "1", "1", "", 1000, 1000, true, 5, 5), "");
  EXPECT_EQ(opt.AddPart("c", "2", "1", "", 2000, 1000, true, 6, 1), "");
  ASSERT_EQ(opt.parts.Count(), 3);
  EXPECT_EQ(opt.parts[0].p_lab, "c");
  EXPECT_EQ(opt.parts[1].p_lab, "a");
  EXPECT_EQ(opt.parts[2].p_lab, "b");
  EXPECT_EQ(opt.parts[1].p_cy, 1000);  // whatever width was given
  EXPECT_FALSE(opt.parts[1].p_can_rotate);
  EXPECT_EQ(opt.parts[1].owner, PANEL_OWNER::owPart);
  EXPECT_EQ(opt.parts[1].disp_YSize, "1");
  // The required list follows the same positions.
  EXPECT_EQ(opt.MinParts[0].p_number, 1);
  EXPECT_EQ(opt.MinParts[1].p_number, 2);
  EXPECT_EQ(opt.MinParts[2].p_number, 5);
  EXPECT_EQ(opt.parts[0].p_number, 6);
}

TEST(DriverInput, RefusedValues) {
  TOptimize2d opt;
  const TOptimizerTexts& t = opt.params.texts;
  EXPECT_EQ(opt.AddPart("", "", "", "", 10, 10, false, 1, 1), t.MSG_PIECE_LABEL_CANT_BE_EMPTY);
  EXPECT_EQ(opt.AddPart("p", "", "", "", 0, 10, false, 1, 1), t.MSG_PIECE_LENGTH_FORMAT_INVALID);
  EXPECT_EQ(opt.AddPart("p", "", "", "", 10, 0, false, 1, 1), t.MSG_PART_WIDTH_FORMAT_INVALID);
  EXPECT_EQ(opt.AddPart("p", "", "", "", 10, 10, false, -1, 0), t.MSG_PIECE_QTY_FORMAT_INVALID);
  EXPECT_EQ(opt.AddPart("p", "", "", "", 10, 10, false, 1, 1), "");
  EXPECT_EQ(opt.AddPart("p", "", "", "", 20, 10, false, 1, 1), "Name is not unique");

  EXPECT_EQ(opt.AddSheet("", "", "", "", "", 10, 0, 10, 1, 0, 1), t.MSG_STOCK_LABEL_CANT_BE_EMPTY);
  EXPECT_EQ(opt.AddSheet("s", "", "", "", "", 0, 0, 10, 1, 0, 1),
            t.MSG_STOCK_LENGTH_FORMAT_INVALID);
  EXPECT_EQ(opt.AddSheet("s", "", "", "", "", 10, 0, 0, 1, 0, 1), t.MSG_SHEET_WIDTH_FORMAT_INVALID);
  EXPECT_EQ(opt.AddSheet("s", "", "", "", "", 10, 0, 10, -1, 0, 1), t.MSG_STOCK_QTY_FORMAT_INVALID);
  EXPECT_EQ(opt.AddSheet("s", "", "", "", "", 10, 0, 10, 1, 0, -1),
            t.MSG_STOCK_COST_FORMAT_INVALID);
  EXPECT_EQ(opt.AddSheet("s", "6", "", "c", "", 10, 0, 10, 1, 2, 3), "");
  EXPECT_EQ(opt.AddSheet("s", "", "", "", "", 10, 0, 10, 1, 0, 1), "\"s\" Name is not unique");
  EXPECT_EQ(opt.AddSheet("t", "", "", "", "", 10, 0, 10, 1, 0, 1), "");
  EXPECT_EQ(opt.sheets[1].p_id, 1);
  EXPECT_EQ(opt.sheets[0].Priority, 2);
  EXPECT_EQ(opt.sheets[0].p_cost, 3);

  // Best dimension mode: the length must be below the maximum length; the
  // quantity is not checked.
  TOptimize2d best;
  best.params.best_dimension = true;
  EXPECT_EQ(best.AddSheet("s", "", "", "", "", 10, 10, 10, -1, 0, 1),
            t.MSG_PIECE_LENGTH_FORMAT_INVALID);
  EXPECT_EQ(best.AddSheet("s", "", "", "", "", 10, 11, 10, -1, 0, 1), "");
}

TEST(DriverPreparation, BladeSizeCheckAndStockList) {
  TOptimize2d opt;
  opt.params.blade_width = 5;
  opt.AddPart("long", "", "", "", 6000, 1000, false, 1, 1);
  opt.AddSheet("s5", "", "", "", "", 5000, 0, 1000, 1, 0, 1);
  EXPECT_EQ(opt.GenAllPartsId(), "");
  EXPECT_EQ(opt.GenAllRealXY(), "");
  EXPECT_EQ(opt.parts[0].p_cx, 6005);
  EXPECT_EQ(opt.parts[0].real_cx(5), 6000);
  EXPECT_EQ(opt.MinParts[0].p_cx, 6000);  // the required list keeps nominal sizes
  EXPECT_EQ(opt.NormalAvailable(), "Part[label=long] is too large.");
  opt.AddSheet("s6", "", "", "", "", 6005, 0, 1005, 0, 0, 1);  // already with blade
  EXPECT_EQ(opt.NormalAvailable(), "");

  TOptimize2d none;
  none.AddPart("p", "", "", "", 10, 10, false, 1, 1);
  EXPECT_EQ(none.GenAllSeeds(), "no Sheet");
  TOptimize2d zero;
  zero.AddPart("p", "", "", "", 10, 10, false, 0, 0);
  EXPECT_EQ(zero.GenAllPartsId(), zero.params.texts.MSG_PIECE_DATA_IS_EMPTY);
}

TEST(DriverRandom, SequenceFromTheJobStart) {
  int64_t state = 479;
  EXPECT_EQ(OptimizerRandom(state, 100), 2);  // 1602 mod 100
  EXPECT_EQ(state, 54566);
  EXPECT_EQ(OptimizerRandom(state, 100), 88);  // 14388
  EXPECT_EQ(OptimizerRandom(state, 100), 14);  // 13514
  EXPECT_EQ(OptimizerRandom(state, 32768), 6076);
  for (int i = 0; i < 70000; ++i) {
    OptimizerRandom(state, 2);
    ASSERT_GE(state, 0);
    ASSERT_LT(state, 65536);
  }
}

TEST(DriverWeights, FamiliesByGenerationType) {
  TOptimize2d opt;
  opt.AddPart("a", "", "", "", 3000, 1000, false, 10, 10);
  opt.AddPart("b", "", "", "", 1000, 1000, false, 20, 6);
  // avgArea over the required list: 2000 * 1000; avgQty = 16 div 2 = 8.
  auto weights = [&](int type) {
    TPanels w(opt.parts);
    opt.OptimizerRandomState = 479;  // draws mod 2 of this start are 0, 0, ...
    const double avg = opt.GenPowerValue(w, type);
    EXPECT_DOUBLE_EQ(avg, 2000.0 * 1000.0);
    return std::pair<int32_t, int32_t>(w[0].p_number, w[1].p_number);
  };
  EXPECT_EQ(weights(0), std::make_pair(10, 20));
  EXPECT_EQ(weights(1), std::make_pair(8, 8));
  EXPECT_EQ(weights(2), std::make_pair(12, 4));   // Round(1.5 * 8), Round(0.5 * 8)
  EXPECT_EQ(weights(3), std::make_pair(15, 10));  // Round(1.5 * 10), Round(0.5 * 20)
  EXPECT_EQ(weights(4), std::make_pair(18, 2));   // Round(2.25 * 8), Round(0.25 * 8)
  EXPECT_EQ(weights(5), std::make_pair(22, 5));   // Round(22.5) = 22, Round(0.25 * 20)
  EXPECT_EQ(weights(7), std::make_pair(51, 1));   // Round(5.0625 * 10), Round(1.25) = 1
  EXPECT_EQ(weights(11), weights(1));             // the family is the type mod 10
  // Families 8 and 9: avgQty plus a draw from 0 .. 99 (2 and 88 from 479).
  EXPECT_EQ(weights(8), std::make_pair(10, 96));
  EXPECT_EQ(weights(9), weights(8));
  // Few pieces per kind: quantities weigh 30 times more.
  opt.FewPiecesPerKind = true;
  EXPECT_EQ(weights(0), std::make_pair(300, 600));
}

TPacket OneBar(int32_t bar_cx, int32_t piece_cx, int32_t bars = 1) {
  TPanels kinds;
  T2DStock k;
  k.p_lab = "k";
  k.p_cx = piece_cx;
  k.p_cy = 1000;
  k.p_id = 0;
  kinds.AddPanel(k);
  TPacket p(kinds);
  p.p_lab = "S";
  p.p_cx = bar_cx;
  p.p_cy = 1000;
  p.p_number = bars;
  p.numbers[0].p_number = 1;
  return p;
}

TEST(DriverCompare, NearlyEqualUtilisationGoesToTheTieRule) {
  TOptimize2d opt;
  opt.SingleStageRun = true;
  TSchemes best;
  best.AddToResult(OneBar(100000, 80000));  // 80 %
  // 80.00001 %: equal for the comparison; the candidate's last bar is not
  // poorer and the pattern counts are equal, so the best plan stays.
  TSchemes higher;
  higher.AddToResult(OneBar(100000000, 80000010));
  EXPECT_GT(higher.GetURate(0), best.GetURate(0));
  EXPECT_EQ(opt.CompareResult(best, higher), 1);
  // 79.99999 %: equal too; its last bar gathers more waste, so it wins.
  TSchemes lower;
  lower.AddToResult(OneBar(100000000, 79999990));
  EXPECT_EQ(opt.CompareResult(best, lower), -1);
  // A clear difference decides by utilisation.
  TSchemes clear;
  clear.AddToResult(OneBar(100000, 90000));
  EXPECT_EQ(opt.CompareResult(best, clear), -1);
  EXPECT_EQ(opt.CompareResult(clear, best), 1);
  // Several stages: the smaller nominal area wins first.
  opt.SingleStageRun = false;
  EXPECT_EQ(opt.CompareResult(best, lower), 1);
  // Bundle optimisation: fewer patterns always win.
  opt.params.bundle_optimize = true;
  TSchemes two;
  two.AddToResult(OneBar(100000, 90000));
  TPacket other = OneBar(100000, 95000);
  other.p_lab = "T";
  two.AddToResult(other);
  ASSERT_EQ(two.Count(), 2);
  EXPECT_EQ(opt.CompareResult(two, best), -1);
}

// Arithmetic: a length plus the blade width must stay a 32-bit length.
TEST(DriverArithmetic, LengthsThatDoNotFitWithTheBladeAreRefusedByName) {
  TOptimize2d opt;
  opt.params.blade_width = 1000;
  EXPECT_EQ(opt.AddSheet("S", "", "", "", "", 2147483000, 0, 1000, 1, 0, 0),
            "\"S\" stock length plus the blade width is too large");
  EXPECT_EQ(opt.AddSheet("S", "", "", "", "", 2147482647, 0, 1000, 1, 0, 0), "");
  EXPECT_EQ(opt.AddPart("P", "", "", "", 2147483000, 1000, false, 1, 1),
            "\"P\" piece length plus the blade width is too large");
  opt.params.blade_width = 1;
  EXPECT_EQ(opt.AddSheet("T", "", "", "", "", 2147483647, 0, 1000, 1, 0, 0),
            "\"T\" stock length plus the blade width is too large");
  opt.params.best_dimension = true;
  EXPECT_EQ(opt.AddSheet("B", "", "", "", "", 6000, 2147483647, 1000, 0, 0, 0),
            "\"B\" maximum stock length plus the blade width is too large");
  opt.params.blade_width = 2147483000;
  EXPECT_EQ(opt.AddPart("Q", "", "", "", 1, 1000, false, 1, 1), "the blade width is too large");

  // A list changed after the checks is refused before anything is added.
  TOptimize2d late;
  ASSERT_EQ(late.AddSheet("S", "", "", "", "", 2147483000, 0, 1000, 1, 0, 0), "");
  late.params.blade_width = 1000;
  EXPECT_EQ(late.GenAllRealXY(), "\"S\" stock length plus the blade width is too large");
  EXPECT_EQ(late.sheets[0].p_cx, 2147483000);
}

}  // namespace
}  // namespace tralvin
