// Records and lists: defaults and copying of T2DStock, the positional
// quantity arithmetic of TPanels and its scores and weight adjustments.
// GCC 12 reports false -Wrestrict positives on short string assignments
// inlined from <string> (GCC bug 105329).
#pragma GCC diagnostic ignored "-Wrestrict"

#include <gtest/gtest.h>

#include <climits>

#include "optimizer/panels.h"

namespace tralvin {
namespace {

TPanels Counts(std::initializer_list<int32_t> values) {
  TPanels list;
  int id = 0;
  for (int32_t v : values) {
    T2DStock r;
    r.p_id = id++;
    r.p_cx = 1000;
    r.p_cy = 1000;
    r.p_number = v;
    list.AddPanel(r);
  }
  return list;
}

TEST(StockRecord, DefaultsAndCopy) {
  T2DStock r;
  EXPECT_EQ(r.p_id, -1);
  EXPECT_EQ(r.p_cost, 1);
  EXPECT_DOUBLE_EQ(r.p_utli, 1.0);
  EXPECT_TRUE(r.p_can_rotate);
  EXPECT_EQ(r.owner, PANEL_OWNER::owNone);

  T2DStock src;
  src.p_lab = "A";
  src.p_cx = 1200;
  src.disp_SlotNO = "slot-src";
  src.MatType = "steel";
  src.Priority = 3;
  T2DStock dst;
  dst.disp_SlotNO = "slot-dst";
  dst.Copy(src);
  EXPECT_EQ(dst.p_lab, "A");
  EXPECT_EQ(dst.MatType, "steel");
  EXPECT_EQ(dst.Priority, 3);
  EXPECT_EQ(dst.disp_SlotNO, "slot-dst");  // never copied
  T2DStock made(src);
  EXPECT_EQ(made.disp_SlotNO, "");
  EXPECT_EQ(made.p_cx, 1200);
}

TEST(StockRecord, RealLengthAndArea) {
  T2DStock piece;
  piece.p_cx = 1205;  // inside a run: nominal 1200 plus blade 5
  piece.p_cy = 1005;
  EXPECT_EQ(piece.real_cx(5), 1200);
  T2DStock grid;
  grid.p_cx = 1200;
  EXPECT_EQ(grid.real_cx(5), 1195);
  // A 6 m bar in internal units: the area is far beyond 32 bits.
  T2DStock bar;
  bar.p_cx = 6000000;
  bar.p_cy = 1000;
  EXPECT_DOUBLE_EQ(bar.area(), 6.0e9);
  bar.SetNegativeNumber(-2);
  EXPECT_EQ(bar.number(), -2);
}

TEST(PanelsList, EmptyListTests) {
  TPanels empty;
  EXPECT_TRUE(empty.IsZero());
  EXPECT_TRUE(empty.IsEqual(Counts({1, 2})));
  EXPECT_FALSE(empty.IsOverflow(Counts({1, 2})));
  EXPECT_EQ(empty.DividPanels(TPanels()), 99999999);
}

TEST(PanelsList, PositionalArithmetic) {
  TPanels left = Counts({5, 7, 0});
  left.Minus(Counts({2, 0, 0}));
  EXPECT_EQ(left[0].p_number, 3);
  left.Plus(Counts({1, 1, 1}));
  EXPECT_EQ(left[0].p_number, 4);
  EXPECT_EQ(left[2].p_number, 1);
  EXPECT_EQ(left.GetTotalNumber(), 13);
  EXPECT_TRUE(Counts({1, 9}).IsOverflow(Counts({1, 8})));
  EXPECT_FALSE(Counts({1, 8}).IsOverflow(Counts({1, 8})));
  EXPECT_TRUE(Counts({0, -1}).IsZero());
  EXPECT_FALSE(Counts({0, 1}).IsZero());
  // (7, 9) divided by counts (2, 0): the zero count is passed over.
  EXPECT_EQ(Counts({7, 9}).DividPanels(Counts({2, 0})), 3);
  EXPECT_EQ(Counts({7, 9}).DividPanels(Counts({0, 0})), 99999999);
}

TEST(PanelsList, IsEqualXMatchesByLabelAndType) {
  TPanels a = Counts({2, 1});
  a[0].p_lab = "x";
  a[1].p_lab = "y";
  TPanels b = Counts({1, 2, 0});
  b[0].p_lab = "y";
  b[1].p_lab = "x";
  b[2].p_lab = "z";
  EXPECT_TRUE(a.IsEqualX(b));  // order does not matter, z is not examined
  b[1].MatType = "other";
  EXPECT_FALSE(a.IsEqualX(b));  // x has no partner of the same type
}

TEST(PanelsScores, CloseRate) {
  // total 10, left 4, req 6, s 2, w 3: produced 6 >= 6, term 2*3*4/11/1.
  TPanels s = Counts({2});
  EXPECT_DOUBLE_EQ(s.GetCloseRate(Counts({4}), Counts({10}), Counts({3}), Counts({6}), 0.0),
                   24.0 / 11.0);
  // produced below the requirement: no second division.
  EXPECT_DOUBLE_EQ(s.GetCloseRate(Counts({4}), Counts({10}), Counts({3}), Counts({7}), 0.0),
                   24.0 / 11.0);
  // produced 8, req 6: divided by 3.
  EXPECT_DOUBLE_EQ(s.GetCloseRate(Counts({2}), Counts({10}), Counts({3}), Counts({6}), 0.0),
                   12.0 / 11.0 / 3.0);
  // One count above what is left: exactly -1 whatever the other terms.
  TPanels two = Counts({1, 5});
  EXPECT_EQ(
      two.GetCloseRate(Counts({100, 4}), Counts({100, 10}), Counts({50, 3}), Counts({0, 0}), 0.0),
      -1.0);
}

TEST(PanelsScores, WeightAdjustmentsRoundHalfToEven) {
  // avg = 16 div 4 = 4; count 2, weight 5: Round(1.5 * 5) = Round(7.5) = 8.
  TPanels w = Counts({5, 10});
  w.MinusSquare(Counts({2, 1}), Counts({4, 4, 4, 4}), TPanels(), 0.0);
  EXPECT_EQ(w[0].p_number, 8);
  EXPECT_EQ(w[1].p_number, 12);  // Round(1.25 * 10) = Round(12.5) = 12
  // Weights above 9,999,999 stay; a product past 32 bits is clamped.
  TPanels big = Counts({10000000, 9999999});
  big.MinusSquare(Counts({4000, 4000}), Counts({1, 1}), TPanels(), 0.0);
  EXPECT_EQ(big[0].p_number, 10000000);
  EXPECT_EQ(big[1].p_number, INT32_MAX);
  // PlusSquare divides by the plain total: Round((1 - 1/4) * 10) = Round(7.5) = 8.
  TPanels p = Counts({10, 3});
  p.PlusSquare(Counts({1, 2}), Counts({2, 2}), TPanels(), 0.0);
  EXPECT_EQ(p[0].p_number, 8);
  EXPECT_EQ(p[1].p_number, 2);  // Round(0.5 * 3) = Round(1.5) = 2
}

}  // namespace
}  // namespace tralvin
