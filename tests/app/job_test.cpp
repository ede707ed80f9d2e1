// The optimisation job on in-memory tables: the fit check and its message,
// the type filter, labels per type, the notes and the message when no type
// gives a plan, settings and grid failures, and what the finished plan holds.
#include "app/job.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>

#include "app/job_best_dimension.h"
#include "app/job_done.h"

namespace tralvin {
namespace {

JobInput Input(std::vector<std::vector<std::string>> stocks,
               std::vector<std::vector<std::string>> pieces) {
  JobInput in;
  in.sheets = StringGrid(7, static_cast<int>(stocks.size()) + 2);
  for (size_t i = 0; i < stocks.size(); ++i) in.sheets.SetRow(static_cast<int>(i) + 1, stocks[i]);
  in.parts = StringGrid(6, static_cast<int>(pieces.size()) + 2);
  for (size_t i = 0; i < pieces.size(); ++i) in.parts.SetRow(static_cast<int>(i) + 1, pieces[i]);
  in.settings.CheckBoxCostOptimize = false;
  return in;
}

const char* const kFitError =
    " is longer than all raw stocks or can NOT find any raw stocks with material type : [";

TEST(JobFitCheck, StockOfQuantityZeroStillFits) {
  JobOutcome out = RunJob(Input({{"S0", "Oak", "6000", "0"}, {"S1", "Oak", "3000", "5"}},
                                {{"P", "Oak", "5000", "1", "1"}}));
  EXPECT_EQ(out.LastErrorText.find("ERROR :["), std::string::npos) << out.LastErrorText;
}

TEST(JobFitCheck, DeselectedTypesPiecesAreStillChecked) {
  JobInput in = Input({{"O", "Oak", "6000", "5"}, {"Pn", "Pine", "1000", "5"}},
                      {{"P", "Oak", "1000", "1", "1"}, {"Q", "Pine", "2000", "1", "1"}});
  in.types.MaterialTypes = {"Oak", "Pine"};
  in.types.SelectedTypes = {"Oak"};
  JobOutcome out = RunJob(in);
  EXPECT_FALSE(out.Succeeded());
  EXPECT_EQ(out.LastErrorText, std::string("ERROR :[Q] [Pine]2000") + kFitError + "Pine]");

  // A piece with maximum 0 is not checked; the deselected type leaves no note.
  in.parts.SetCell(4, 2, "0");
  in.parts.SetCell(3, 2, "0");
  out = RunJob(in);
  ASSERT_TRUE(out.Succeeded()) << out.LastErrorText;
  EXPECT_TRUE(out.plan.notes.empty());
  EXPECT_EQ(out.plan.sheets.Count(), 1);
}

TEST(JobPieces, SameLabelIsFineAcrossTypesButNotWithinOne) {
  JobOutcome ok =
      RunJob(Input({{"O", "Oak", "6000", "5"}, {"Pn", "Pine", "6000", "5"}},
                   {{"P1", "Oak", "1000", "1", "1"}, {"P1", "Pine", "2000", "1", "1"}}));
  ASSERT_TRUE(ok.Succeeded()) << ok.LastErrorText;
  EXPECT_EQ(ok.plan.parts.Count(), 2);
  EXPECT_EQ(ok.plan.best_result.Count(), 2);

  JobOutcome dup = RunJob(Input({{"O", "Oak", "6000", "5"}}, {{"P1", "Oak", "1000", "1", "1"},
                                                              {"P1", "Oak", "2000", "1", "1"}}));
  EXPECT_EQ(dup.LastErrorText, "Name is not unique=[P1]");
}

TEST(JobNotes, TypesThatGiveNoPlan) {
  // X fails in the driver (the edge trim makes its stock too short), Z has no pieces.
  JobInput in =
      Input({{"X1", "X", "6000", "3"}, {"Z1", "Z", "3000", "2"}}, {{"XP", "X", "6000", "1", "1"}});
  in.settings.EditWidthEdge = "1";
  JobOutcome out = RunJob(in);
  EXPECT_FALSE(out.Succeeded());
  // The driver error belongs to X; Z, processed last, reached no run.
  EXPECT_EQ(out.LastErrorText, "can not get solution, please check the data.");

  in.sheets.SwapRows(1, 2);
  out = RunJob(in);
  EXPECT_EQ(out.LastErrorText,
            "can not get solution, please check the data.Part[label=XP] is too large.");
  EXPECT_EQ(out.plan.notes, (std::vector<std::string>{
                                "------>  Stocks Type [Z] Pieces'quantity=0",
                                "------>  Stocks Type [X] \"Part[label=XP] is too large.\""}));
}

TEST(JobInputFailures, SettingsAndGridsNameTheFieldAndKeepFilledCells) {
  JobInput in = Input({{"S1", "", "6000", "5", "", ""}}, {});
  in.settings.EditBladeWidth = "1/0";
  JobOutcome out = RunJob(in);
  EXPECT_EQ(out.LastErrorText, "['[]' is not a valid floating point value]blade width is invalid.");
  EXPECT_EQ(out.settingsFocus, SettingsField::EditBladeWidth);

  in.settings.EditBladeWidth = "0";
  out = RunJob(in);
  EXPECT_EQ(out.LastErrorText, "pieces list is empty");
  ASSERT_TRUE(out.gridFailure.has_value());
  EXPECT_EQ(out.gridFailure->grid, GridKind::Parts);
  // The stock reading filled in the empty cost and priority.
  EXPECT_EQ(out.sheets.Cell(4, 1), "0");
  EXPECT_EQ(out.sheets.Cell(5, 1), "0");
}

TEST(JobPlanResult, FinishedSortedAndRepeatable) {
  JobInput in = Input({{"S1", "Oak", "6000", "10", "2"}},
                      {{"P1", "Oak", "2500", "4", "4"}, {"P2", "Oak", "990", "2", "2"}});
  in.settings.EditBladeWidth = "5";
  int steps = 0;
  int highest = 0;
  JobOutcome out = RunJob(in, [&](int position) {
    ++steps;
    highest = std::max(highest, position);
    EXPECT_GE(position, 0);
    EXPECT_LE(position, kJobProgressMax);
  });
  ASSERT_TRUE(out.Succeeded()) << out.LastErrorText;
  EXPECT_GT(steps, 1);
  EXPECT_EQ(out.plan.bladeWidth, 5000);
  EXPECT_EQ(out.plan.bladeWidthText, "5");
  for (const TPacket& p : out.plan.best_result.schemes) {
    EXPECT_EQ(p.MatType, "Oak");
    for (const T2DStock& e : p.numbers.Items()) EXPECT_EQ(e.MatType, "Oak");
    ASSERT_EQ(p.used_parts.Count(), 1);  // the finishing's one offcut entry
    EXPECT_EQ(p.used_parts[0].p_lab, "Scrap_1");
    EXPECT_EQ(p.used_parts[0].MatType, "Oak");
  }
  EXPECT_EQ(out.plan.sheets[0].MatType, "Oak");

  // The driver's generator starts from the same state every job.
  JobOutcome again = RunJob(in);
  CuttingReport a, b;
  EXPECT_EQ(ThreadDone(out, a, in.captions).listItems, ThreadDone(again, b, in.captions).listItems);

  JobOutcome failed = RunJob(Input({}, {}));
  JobDone done = ThreadDone(failed, a, in.captions);
  EXPECT_TRUE(done.failed);
  EXPECT_EQ(done.warning, "raw stock list is empty");
}

TEST(JobBestDimension, DemandAndTheOneRecordRule) {
  TPanels parts;
  T2DStock p;
  p.p_cx = 3000000;
  p.p_cy = 1000;
  p.p_number = 2;
  parts.AddPanel(p);
  p.p_cx = 2991000;
  p.p_number = 1;
  parts.AddPanel(p);
  EXPECT_EQ(BestDimensionDemand(parts, 3000), 9000000);

  JobInput in = Input({{"T1", "B", "1000", "5000"}, {"T2", "B", "1000", "5000"}},
                      {{"Q", "B", "800", "1", "1"}});
  in.bestDimensionMode = true;
  JobOutcome out = RunJob(in);
  EXPECT_FALSE(out.Succeeded());
  EXPECT_EQ(out.LastErrorText, "can not get solution, please check the data.");
  EXPECT_EQ(out.plan.notes, std::vector<std::string>{"------>  Stocks Type [B] \". only allow one "
                                                     "record per material type.\""});
}

// Arithmetic: twice an edge trim past the largest length fails naming the
// setting instead of wrapping into an invented stock length.
TEST(JobArithmetic, AnEdgeTrimWhoseDoubleDoesNotFitFailsByName) {
  JobInput in = Input({{"S1", "Oak", "6000", "5"}}, {{"P", "Oak", "1000", "1", "1"}});
  in.settings.EditWidthEdge = "1073741.824";
  JobOutcome out = RunJob(in);
  EXPECT_FALSE(out.Succeeded());
  EXPECT_EQ(out.LastErrorText, "\"S1\" edge trim WIDTH_EDGE is too large");
  EXPECT_EQ(out.settingsFocus, SettingsField::EditWidthEdge);

  in.settings.EditWidthEdge = "0";
  in.settings.EditHeightEdige = "2000000";
  out = RunJob(in);
  EXPECT_EQ(out.LastErrorText, "\"S1\" edge trim LENGTH_EDGE is too large");

  // Just below: the trimmed length is negative and the driver refuses the stock.
  in.settings.EditHeightEdige = "0";
  in.settings.EditWidthEdge = "1073741.823";
  out = RunJob(in);
  EXPECT_FALSE(out.Succeeded());
  EXPECT_EQ(out.LastErrorText.find("edge trim"), std::string::npos) << out.LastErrorText;
}

// A long search: 60 piece kinds at the slowest speed. Stopped before it
// starts, every search ends after its first plan, as at its time limit; the
// plan still cuts every required piece from the stock there is.
TEST(JobStop, StoppedSearchKeepsAValidPlan) {
  std::vector<std::vector<std::string>> pieces;
  uint32_t seed = 7;
  for (int i = 0; i < 60; ++i) {
    seed = seed * 1103515245u + 12345u;
    const int length = 300 + static_cast<int>((seed >> 8) % 2100);
    const int qty = 2 + static_cast<int>((seed >> 4) % 19);
    pieces.push_back({"P" + std::to_string(i + 1), "Steel", std::to_string(length),
                      std::to_string(qty), std::to_string(qty)});
  }
  JobInput in = Input(
      {{"S6000", "Steel", "6000", "400", "10"}, {"S5000", "Steel", "5000", "300", "10"}}, pieces);
  in.settings.TrackBarSpeed = 20;
  in.settings.params.Speed = 20;
  in.settings.EditBladeWidth = "3";

  std::atomic<bool> stop{true};
  JobOutcome out = RunJob(in, {}, nullptr, &stop);
  ASSERT_TRUE(out.Succeeded()) << out.LastErrorText;
  EXPECT_TRUE(out.stopped);

  std::map<std::string, int64_t> produced;
  std::map<std::string, int64_t> bars;
  for (const TPacket& p : out.plan.best_result.schemes) {
    bars[p.p_lab] += p.p_number;
    for (const T2DStock& e : p.numbers.Items()) {
      produced[e.p_lab] += static_cast<int64_t>(e.p_number) * p.p_number;
    }
    EXPECT_GE(p.GetLeft(3000), 0) << p.p_lab;
  }
  for (const auto& piece : pieces) {
    EXPECT_GE(produced[piece[0]], std::stoi(piece[3])) << piece[0];
  }
  EXPECT_LE(bars["S6000"], 400);
  EXPECT_LE(bars["S5000"], 300);

  // Not stopped: the same job is not marked.
  std::atomic<bool> running{false};
  in.parts.SetRowCount(4);
  JobOutcome quick = RunJob(in, {}, nullptr, &running);
  ASSERT_TRUE(quick.Succeeded()) << quick.LastErrorText;
  EXPECT_FALSE(quick.stopped);
}

}  // namespace
}  // namespace tralvin
