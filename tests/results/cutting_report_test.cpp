// The cutting report built from a hand-made plan: which rows are listed, the
// orders, the pattern blocks with their numbering, the assembled settings
// and totals, and the "Stocks List" handler.
#include "results/cutting_report.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "texts/caption_table.h"

namespace tralvin {
namespace {

T2DStock Record(std::string label, std::string type, int32_t cx, int32_t number,
                std::string text = "") {
  T2DStock r;
  r.p_lab = std::move(label);
  r.MatType = std::move(type);
  r.p_cx = cx;
  r.p_cy = 1000;
  r.p_number = number;
  r.p_cost = 1000;
  r.disp_XSize = text.empty() ? std::to_string(cx / 1000) : std::move(text);
  return r;
}

// A pattern on `stock` (blade 0) cut `bars` times; `counts` per entry of `pieces`.
TPacket Pattern(const T2DStock& stock, int32_t bars, const TPanels& pieces,
                std::vector<int32_t> counts) {
  TPacket p(pieces);
  p.p_lab = stock.p_lab;
  p.MatType = stock.MatType;
  p.p_cx = stock.p_cx;
  p.p_cy = 1000;
  p.p_number = bars;
  p.p_cost = stock.p_cost;
  p.disp_XSize = stock.disp_XSize;
  for (size_t i = 0; i < counts.size(); ++i) {
    p.numbers[static_cast<int>(i)].p_number = counts[i];
    p.numbers[static_cast<int>(i)].MatType = stock.MatType;
  }
  p.rFastUtil = p.UtRateShape();
  return p;
}

ReportClock FixedClock() {
  return [] { return ReportDateTime{"2026-12-09", "10:30:00"}; };
}

// Stocks: S1 (A, 6000 x 3), S2 (A, 4000 x 5, unused), S3 (B, 5000 x 2).
// Pieces: in job order b, B (type A), and Q (type B) which is never produced.
struct PlanFixture : testing::Test {
  void SetUp() override {
    T2DStock s1 = Record("S1", "A", 6000000, 3);
    s1.p_cost = 12500;
    plan.sheets.AddPanel(s1);
    plan.sheets.AddPanel(Record("S2", "A", 4000000, 5));
    plan.sheets.AddPanel(Record("S3-with-a-rather-long-label", "B", 5000000, 2));
    TPanels piecesA;
    piecesA.AddPanel(Record("b", "A", 2500000, 0));
    piecesA.AddPanel(Record("B", "A", 1000000, 0));
    TPanels piecesB;
    piecesB.AddPanel(Record("Q", "B", 4000000, 0));
    for (const T2DStock& p : {piecesA[0], piecesA[1], piecesB[0]}) {
      T2DStock max = p, req = p;
      max.p_number = 5;
      req.p_number = p.p_lab == "b" ? 2 : 1;
      plan.parts.AddPanel(max);
      plan.MinParts.AddPanel(req);
    }
    // Plan order as the job leaves it; the report reorders it.
    plan.best_result.schemes.push_back(Pattern(plan.sheets[2], 1, piecesB, {0}));  // B, empty bar
    plan.best_result.schemes.push_back(Pattern(plan.sheets[0], 1, piecesA, {1, 3}));  // 5500
    plan.best_result.schemes.push_back(Pattern(plan.sheets[0], 0, piecesA, {1, 0}));  // no bars
    plan.best_result.schemes.push_back(Pattern(plan.sheets[0], 2, piecesA, {2, 1}));  // 6000
    plan.measure = "mm";
    plan.bladeWidthText = "3";
    plan.costOptimize = true;
  }

  std::vector<std::string> Build() {
    report.BuildAll(plan, captions, "Project X", FixedClock());
    return report.ListItems();
  }

  JobPlan plan;
  CaptionTable captions;
  CuttingReport report;
};

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(PlanFixture, StockSectionListsUsedRowsOnly) {
  Build();
  const std::vector<std::string> expected{
      "Name                Stocks Type         Length    Price     Quantity  used      surplus   "
      "priority    note",
      " ",
      "S1                  A                   6000      12.5      3         3         0         0 "
      "          ",
      "S3-with-a-rather-long-labelB                   5000      1         2         1         1 "
      "        0           "};
  EXPECT_EQ(report.StockSectionLines, expected);
  EXPECT_EQ(report.UsedStockTotal, 4);
}

TEST_F(PlanFixture, PieceSectionInOrdinalOrderWithEveryPiece) {
  Build();
  ASSERT_EQ(report.PieceSectionLines.size(), 5u);
  EXPECT_EQ(report.PieceSectionLines[2],
            "B                   A                   1000      1         5         5          ");
  EXPECT_EQ(report.PieceSectionLines[3],
            "b                   A                   2500      2         5         5          ");
  EXPECT_EQ(report.PieceSectionLines[4],
            "Q                   B                   4000      1         5         0          ");
  // The tallies stay in the job's order.
  EXPECT_EQ(report.UsedPieceCounts[0].p_lab, "b");
  EXPECT_EQ(report.UsedPieceCounts[0].p_number, 5);
}

TEST_F(PlanFixture, PatternsOrderedByTypeLabelThenUtilisation) {
  Build();
  const auto& p = plan.best_result.schemes;
  ASSERT_EQ(p.size(), 4u);
  EXPECT_EQ(p[0].p_number, 2);  // A S1 100 %
  EXPECT_EQ(p[1].p_number, 1);  // A S1 91.7 %
  EXPECT_EQ(p[2].p_number, 0);  // A S1 41.7 %
  EXPECT_EQ(p[3].MatType, "B");

  const std::vector<std::string> first{
      " ",
      "[1]",
      std::string(77, '-'),
      "S1                  A                   6000      2           ",
      "          B                   1000 X 1",
      "          b                   2500 X 2",
      "scraps     : 0",
      " "};
  const auto& lines = report.PatternSectionLines;
  EXPECT_TRUE(std::equal(first.begin(), first.end(), lines.begin()));
  // The pattern without bars is skipped, but keeps its number.
  EXPECT_TRUE(Has(lines, "[2]"));
  EXPECT_FALSE(Has(lines, "[3]"));
  EXPECT_TRUE(Has(lines, "[4]"));
  // A bar with nothing cut lists no pieces: the leftover follows the stock line.
  const auto b = std::find(lines.begin(), lines.end(), "[4]");
  ASSERT_GE(lines.end() - b, 4);
  EXPECT_EQ(*(b + 3), "scraps     : 5000");
}

TEST_F(PlanFixture, AssembledReport) {
  const std::vector<std::string> items = Build();
  ASSERT_GE(items.size(), 10u);
  EXPECT_EQ(items[0], " ");
  EXPECT_EQ(items[1], " ");
  EXPECT_EQ(items[2], "Cost Optimize            : yes");
  EXPECT_EQ(items[3], "Measure                  : mm");
  EXPECT_EQ(items[4], "Blade Width              : 3mm");
  EXPECT_EQ(items[5], " ");
  EXPECT_EQ(items[6], " ");  // no notes
  EXPECT_EQ(items[7], "Stocks:");
  EXPECT_TRUE(Has(items, "used Qty.: 4"));
  EXPECT_TRUE(Has(items, "Pieces:"));
  EXPECT_TRUE(Has(items, "Layouts"));
  // 2 x 12.5 + 1 x 12.5 + 0 x 12.5 + 1 x 1
  EXPECT_EQ(items.back(), "total price                             :     38.500");
  EXPECT_EQ(report.ReportTitleLines,
            (std::vector<std::string>{"    2026-12-09   10:30:00", "Project X"}));

  plan.notes = {"------>  note"};
  report.AssembleReport(plan, captions, "", FixedClock());
  EXPECT_EQ(report.ReportLines[5], "------>  note");
}

TEST_F(PlanFixture, StocksListToggleRebuildsOnlyTheStockSection) {
  Build();
  const auto pieces = report.PieceSectionLines;
  ASSERT_TRUE(report.StocksListClicked(false, plan, captions, "", FixedClock()));
  EXPECT_EQ(report.StockSectionLines, std::vector<std::string>{" "});
  EXPECT_EQ(report.UsedStockTotal, 4);
  EXPECT_TRUE(Has(report.ReportLines, "used Qty.: 4"));
  EXPECT_EQ(report.PieceSectionLines, pieces);

  JobPlan none;
  CuttingReport empty;
  EXPECT_FALSE(empty.StocksListClicked(false, none, captions, "", FixedClock()));
  EXPECT_FALSE(empty.StocksList);
  EXPECT_TRUE(empty.ReportLines.empty());
}

TEST_F(PlanFixture, BestDimensionShowsTheChosenLength) {
  plan.bestDimensionMode = true;
  plan.sheets[0].disp_XSize = "typed";
  for (TPacket& p : plan.best_result.schemes) p.disp_XSize = "typed";
  Build();
  EXPECT_EQ(report.StockSectionLines[2].substr(40, 10), "6000      ");
  EXPECT_EQ(report.PatternSectionLines[3].substr(40, 10), "6000      ");
}

}  // namespace
}  // namespace tralvin
