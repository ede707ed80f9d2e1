// Updating the tables after cutting: bars and pieces taken off, leftovers
// added or merged as stock rows, and what a failure leaves behind.
#include "results/update_after_cutting.h"

#include <gtest/gtest.h>

#include "texts/caption_table.h"

namespace tralvin {
namespace {

constexpr int kQty = 3, kMax = 4;

StringGrid Sheets(std::vector<std::vector<std::string>> rows, int extraRows = 2) {
  StringGrid g(7, static_cast<int>(rows.size()) + 1 + extraRows);
  for (size_t i = 0; i < rows.size(); ++i) g.SetRow(static_cast<int>(i) + 1, rows[i]);
  return g;
}

StringGrid Parts(std::vector<std::vector<std::string>> rows) {
  StringGrid g(6, static_cast<int>(rows.size()) + 2);
  for (size_t i = 0; i < rows.size(); ++i) g.SetRow(static_cast<int>(i) + 1, rows[i]);
  return g;
}

// A pattern of a 6000 bar (scaled 6,000,000) costing 12 with `left` remaining.
CutPattern Pattern(std::string label, std::string type, int bars, int32_t left,
                   std::vector<CutPiece> pieces = {}) {
  CutPattern p;
  p.label = std::move(label);
  p.matType = std::move(type);
  p.bars = bars;
  p.left = left;
  p.length = 6000000;
  p.cost = 12000;
  p.pieces = std::move(pieces);
  return p;
}

UpdateSettings Settings(std::string minLength, std::string prefix) {
  UpdateSettings s;
  s.minOffcutLengthText = std::move(minLength);
  s.offcutPrefix = std::move(prefix);
  return s;
}

TEST(TakeOffUsedBars, EveryPatternOfARowReducesItOnce) {
  StringGrid one = Sheets({{"S1", "", "6000", "10", "12", "0", ""}});
  TakeOffUsedBars(one, {Pattern("S1", "", 3, 0)}, false);
  EXPECT_EQ(one.Cell(kQty, 1), "7");

  StringGrid two = Sheets({{" S1 ", "", "6000", "10", "12", "0", ""}});
  TakeOffUsedBars(two, {Pattern("S1", "", 3, 0), Pattern("S1", "", 2, 0)}, false);
  EXPECT_EQ(two.Cell(kQty, 1), "5");

  // Not limited at 0; a renamed row keeps its quantity; best-dimension mode changes nothing.
  StringGrid g = Sheets({{"S1", "A", "6000", "1", "", "", ""}, {"S1x", "A", "6000", "4"}});
  TakeOffUsedBars(g, {Pattern("S1", "A", 3, 0), Pattern("S1", "B", 1, 0)}, false);
  EXPECT_EQ(g.Cell(kQty, 1), "-2");
  EXPECT_EQ(g.Cell(kQty, 2), "4");
  TakeOffUsedBars(g, {Pattern("S1", "A", 3, 0)}, true);
  EXPECT_EQ(g.Cell(kQty, 1), "-2");
}

TEST(TakeOffProducedPieces, QuantityStopsAtZeroMaximumDoesNot) {
  StringGrid parts = Parts({{"P1", "", "1000", "4", "6", ""}, {"P2", "", "500", "3", "3", ""}});
  // 5 pieces of P1: 1 per bar on 1 bar plus 2 per bar on 2 bars; P2 cut 0 times.
  TakeOffProducedPieces(parts, {Pattern("S1", "", 1, 0, {{"P1", "1000", 1000000, 1}}),
                                Pattern("S1", "", 2, 0, {{"P2", "", 0, 0}, {"P1", "", 0, 2}})});
  EXPECT_EQ(parts.Cell(kQty, 1), "0");
  EXPECT_EQ(parts.Cell(kMax, 1), "1");
  EXPECT_EQ(parts.Cell(kQty, 2), "3");
  EXPECT_EQ(parts.Cell(kMax, 2), "3");
}

TEST(AddLeftovers, LongEnoughLeftoversBecomeStockRows) {
  StringGrid g = Sheets({{"S1", "Oak", "6000", "10", "12", "0", "old"}});
  AddLeftoversToSheets(g, {Pattern("S1", "Oak", 2, 450000), Pattern("S1", "Oak", 3, 850000)},
                       500000, "OC", false);
  EXPECT_EQ(g.Row(2), (std::vector<std::string>{"OC850_1", "Oak", "850", "3", "1.7", "0", " S1"}));
  EXPECT_TRUE(g.RowIsEmpty(3));  // no row for the 450 leftover

  // The same leftover of the next plan adds to that row; Pine never merges with Oak.
  AddLeftoversToSheets(g, {Pattern("S1", "Oak", 4, 850000), Pattern("S1", "Pine", 1, 850000)},
                       500000, "OC", false);
  EXPECT_EQ(g.Cell(kQty, 2), "7");
  EXPECT_EQ(g.Cell(0, 3), "OC850_1");
  EXPECT_EQ(g.Cell(1, 3), "Pine");
  EXPECT_EQ(g.Cell(kQty, 3), "1");
}

TEST(AddLeftovers, PrefixMinimumAndGrowth) {
  // Empty prefix: the label starts with the length. Minimum 0 counts as 1,
  // so a leftover of 0 is dropped and one of 0.001 is kept.
  StringGrid g = Sheets({{"S1", "", "6000", "1", "12", "0", ""}}, 0);
  AddLeftoversToSheets(g, {Pattern("S1", "", 1, 0), Pattern("S1", "", 1, 1)}, 0, "", false);
  // Every row held a label: ten rows were added and the first of them used.
  ASSERT_EQ(g.RowCount(), 12);
  EXPECT_EQ(g.Cell(0, 2), "0.001_1");
  EXPECT_TRUE(g.RowIsEmpty(3));

  StringGrid b = Sheets({{"S1", "", "6000", "1", "12", "0", ""}});
  AddLeftoversToSheets(b, {Pattern("S1", "", 1, 850000)}, 1, "", true);
  EXPECT_TRUE(b.RowIsEmpty(2));
}

TEST(UpdateAll, RunsTheStepsInOrderAndUsesUpTheButton) {
  CaptionTable captions;
  StringGrid sheets = Sheets({{"S1", "", "6000", "10", "12", "0", ""}});
  StringGrid parts = Parts({{"P1", "", "5000", "3", "3", ""}});
  const std::vector<CutPattern> plan{Pattern("S1", "", 3, 850000, {{"P1", "5000", 0, 1}})};
  UpdateAllState state;
  state.JobStarted();

  UpdateOutcome done = UpdateAll(sheets, parts, plan, Settings("500", "OC"), captions);
  state.Apply(done);
  EXPECT_EQ(done.status, UpdateStatus::Done);
  EXPECT_FALSE(state.Enabled());
  EXPECT_EQ(sheets.Cell(kQty, 1), "7");
  EXPECT_EQ(parts.Cell(kQty, 1), "0");
  EXPECT_EQ(sheets.Cell(0, 2), "OC850_1");
  state.JobStarted();
  EXPECT_TRUE(state.Enabled());

  UpdateOutcome none = UpdateAll(sheets, parts, {}, Settings("0", ""), captions);
  EXPECT_EQ(none.status, UpdateStatus::NoPlan);
  EXPECT_EQ(none.message, "Layout list is empty, please click optimize button in Toolsbar");
  EXPECT_FALSE(none.disableButton);
}

TEST(UpdateAll, FailuresLeaveWhatWasDoneBefore) {
  CaptionTable captions;
  const std::vector<CutPattern> plan{Pattern("S1", "", 3, 850000, {{"P1", "5000", 0, 1}})};

  // An invalid minimum length: bars and pieces are already off, no leftover, button used up.
  StringGrid sheets = Sheets({{"S1", "", "6000", "10", "12", "0", ""}});
  StringGrid parts = Parts({{"P1", "", "5000", "3", "3", ""}});
  UpdateOutcome bad = UpdateAll(sheets, parts, plan, Settings("-1", ""), captions);
  EXPECT_EQ(bad.status, UpdateStatus::InvalidMinLength);
  EXPECT_EQ(bad.message, "[]the data of field is invalid");
  EXPECT_TRUE(bad.disableButton);
  EXPECT_EQ(sheets.Cell(kQty, 1), "7");
  EXPECT_EQ(parts.Cell(kQty, 1), "0");
  EXPECT_TRUE(sheets.RowIsEmpty(2));
  EXPECT_EQ(UpdateAll(sheets, parts, plan, Settings("x", ""), captions).message,
            "['x' is not a valid floating point value]the data of field is invalid");

  // A piece quantity that is no whole number stops the update after the stocks.
  StringGrid s2 = Sheets({{"S1", "", "6000", "10", "12", "0", ""}});
  StringGrid p2 = Parts({{"P1", "", "5000", "3", "three", ""}});
  UpdateOutcome cell = UpdateAll(s2, p2, plan, Settings("0", ""), captions);
  EXPECT_EQ(cell.status, UpdateStatus::BadCell);
  EXPECT_NE(cell.message.find("'three'"), std::string::npos);
  EXPECT_FALSE(cell.disableButton);
  EXPECT_EQ(s2.Cell(kQty, 1), "7");
  EXPECT_TRUE(s2.RowIsEmpty(2));
}

}  // namespace
}  // namespace tralvin
