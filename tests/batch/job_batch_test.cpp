// The batch runner in-process on the golden cases: each folder under
// tests/data/report_* holds a stock file, a piece file, an option file (and
// maybe a types file read from the start folder) and the expected report.
#include "batch/job_batch.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <pugixml.hpp>
#include <sstream>

#include "common/test_files.h"

namespace tralvin {
namespace {

std::string CaseDir(const std::string& name) {
  return std::string(TRALVIN_TEST_DATA_DIR) + "/" + name;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct BatchRun {
  int status;
  std::string out;
  std::string err;
};

BatchRun RunCase(const std::string& name, std::vector<std::string> extra = {}) {
  const std::string dir = CaseDir(name);
  std::vector<std::string> params{"-stk:" + dir + "/stocks.stk", "-dst:" + dir + "/pieces.dst",
                                  "-option:" + dir + "/options.opt"};
  params.insert(params.end(), extra.begin(), extra.end());
  std::ostringstream out, err;
  const int status = RunBatch(params, dir, {out, err, false});
  return {status, out.str(), err.str()};
}

class GoldenReport : public testing::TestWithParam<const char*> {};

TEST_P(GoldenReport, MatchesTheExpectedReport) {
  const BatchRun run = RunCase(GetParam());
  EXPECT_EQ(run.status, kBatchOk) << run.err;
  EXPECT_EQ(run.out, ReadAll(CaseDir(GetParam()) + "/expected_report.txt"));
}

// report_two_types: Oak selected, Pine deselected by the types file (skipped
// without a note), Birch unknown to it (optimised); blade 3, cost optimisation.
// report_best_dimension: the single candidate is the demand 9000; type B has
// two records and gets the one-record note.
// report_many_pieces: 40 piece kinds (partial stages), "Stocks List" off.
// report_failed_type: an edge trim makes type X's run fail (its note), type Z
// has no pieces to cut (its note), type Y is planned.
INSTANTIATE_TEST_SUITE_P(Cases, GoldenReport,
                         testing::Values("report_two_types", "report_best_dimension",
                                         "report_many_pieces", "report_failed_type"));

TEST(BatchRunner, WritesThePlanAsJson) {
  testing_files::ScratchFolder scratch("tralvin_plan");
  const std::string file = scratch.File("plan.json");
  const BatchRun run = RunCase("report_two_types", {"-json:" + file});
  ASSERT_EQ(run.status, kBatchOk) << run.err;
  EXPECT_EQ(run.out, ReadAll(CaseDir("report_two_types") + "/expected_report.txt"));
  const auto doc = nlohmann::json::parse(ReadAll(file));
  EXPECT_EQ(doc["measure"], "mm");
  EXPECT_DOUBLE_EQ(doc["totalCost"].get<double>(), 17.0);
  ASSERT_EQ(doc["patterns"].size(), 2u);
  const auto& oak = doc["patterns"][1];
  EXPECT_EQ(oak["stock"], "O6");
  EXPECT_EQ(oak["materialType"], "Oak");
  EXPECT_DOUBLE_EQ(oak["length"].get<double>(), 6000.0);
  EXPECT_EQ(oak["bars"], 1);
  EXPECT_DOUBLE_EQ(oak["leftover"].get<double>(), 1.0);
  ASSERT_EQ(oak["pieces"].size(), 2u);
  EXPECT_EQ(oak["pieces"][0]["label"], "P1");
  EXPECT_EQ(oak["pieces"][0]["perBar"], 2);
  EXPECT_DOUBLE_EQ(oak["pieces"][0]["length"].get<double>(), 2500.0);
  ASSERT_EQ(doc["stocks"].size(), 2u);
  EXPECT_EQ(doc["stocks"][0]["used"], 1);
  EXPECT_EQ(doc["stocks"][0]["left"], 4);
  // Pieces in job order: the Oak pieces longest first, then Birch.
  ASSERT_EQ(doc["pieces"].size(), 3u);
  EXPECT_EQ(doc["pieces"][0]["label"], "P1");
  EXPECT_EQ(doc["pieces"][0]["required"], 2);
  EXPECT_EQ(doc["pieces"][0]["maximum"], 2);
  EXPECT_EQ(doc["pieces"][0]["produced"], 2);
  EXPECT_EQ(doc["pieces"][2]["label"], "B1");
}

TEST(BatchRunner, JsonOnStandardOutputIsOneDocument) {
  const BatchRun alone = RunCase("report_two_types", {"-json:-"});
  ASSERT_EQ(alone.status, kBatchOk) << alone.err;
  EXPECT_EQ(nlohmann::json::parse(alone.out)["patterns"].size(), 2u);

  // The report joins it only when asked for.
  const BatchRun both = RunCase("report_two_types", {"-json:-", "-report:-"});
  ASSERT_EQ(both.status, kBatchOk) << both.err;
  EXPECT_TRUE(both.out.starts_with(ReadAll(CaseDir("report_two_types") + "/expected_report.txt")));
}

TEST(BatchRunner, MethodSwitchOverridesTheOptionFile) {
  // The option file leaves the standard search; -method:near plans with the
  // near-optimal method, in any letter case, and says so in the JSON.
  const BatchRun standard = RunCase("report_two_types", {"-json:-"});
  ASSERT_EQ(standard.status, kBatchOk) << standard.err;
  const auto std_doc = nlohmann::json::parse(standard.out);
  EXPECT_EQ(std_doc["method"], "standard");
  const BatchRun near = RunCase("report_two_types", {"-json:-", "-method:NEAR"});
  ASSERT_EQ(near.status, kBatchOk) << near.err;
  const auto near_doc = nlohmann::json::parse(near.out);
  EXPECT_EQ(near_doc["method"], "near");
  // Both cover the same pieces; the bound is the same for either method and
  // the near-optimal plan is never further from it.
  ASSERT_EQ(near_doc["pieces"].size(), std_doc["pieces"].size());
  for (size_t i = 0; i < near_doc["pieces"].size(); ++i) {
    EXPECT_EQ(near_doc["pieces"][i]["produced"], std_doc["pieces"][i]["produced"]);
  }
  ASSERT_FALSE(near_doc["lowerBound"].is_null());
  EXPECT_EQ(near_doc["lowerBound"], std_doc["lowerBound"]);
  EXPECT_LE(near_doc["totalCost"].get<double>(), std_doc["totalCost"].get<double>());
  EXPECT_LE(near_doc["gap"].get<double>(), std_doc["gap"].get<double>());
  const BatchRun back = RunCase("report_two_types", {"-json:-", "-method:standard"});
  ASSERT_EQ(back.status, kBatchOk) << back.err;
  EXPECT_EQ(nlohmann::json::parse(back.out)["method"], "standard");

  const BatchRun bad = RunCase("report_two_types", {"-method:fast"});
  EXPECT_EQ(bad.status, kBatchBadUsage);
  EXPECT_NE(bad.err.find("unknown method: fast"), std::string::npos) << bad.err;
  EXPECT_NE(bad.err.find("usage: tralvin1d-batch"), std::string::npos) << bad.err;
}

TEST(BatchRunner, SaysWhenANamedTableFileIsMissing) {
  const std::string dir = CaseDir("report_two_types");
  std::ostringstream out, err;
  const int status = RunBatch({"-stk:" + dir + "/stocks.stk", "-dst:" + dir + "/no-such.dst",
                               "-option:" + dir + "/options.opt"},
                              dir, {out, err, false});
  EXPECT_NE(status, kBatchOk);
  EXPECT_NE(
      err.str().find("table file not found, loaded as an empty table: " + dir + "/no-such.dst"),
      std::string::npos)
      << err.str();
  EXPECT_EQ(err.str().find("stocks.stk"), std::string::npos) << err.str();
}

TEST(BatchRunner, WritesTheCuttingDiagramsAsSvg) {
  testing_files::ScratchFolder scratch("tralvin_diagrams");
  const std::string svgFile = scratch.File("diagrams.svg");
  const BatchRun run = RunCase("report_many_pieces", {"-svg:" + svgFile, "-json:-"});
  ASSERT_EQ(run.status, kBatchOk) << run.err;
  const auto plan = nlohmann::json::parse(run.out);
  pugi::xml_document svg;
  ASSERT_TRUE(svg.load_file(svgFile.c_str())) << "the SVG is not well-formed XML";
  const auto groups = svg.select_nodes("/svg/g[@class='pattern']");
  ASSERT_EQ(groups.size(), plan["patterns"].size());
  size_t k = 0;
  for (const auto& group : groups) {
    const auto& pattern = plan["patterns"][k++];
    EXPECT_EQ(std::string(group.node().attribute("id").value()),
              "pattern-" + std::to_string(pattern["number"].get<int>()));
    int pieces = 0;
    for (const auto& piece : pattern["pieces"]) pieces += piece["perBar"].get<int>();
    EXPECT_EQ(static_cast<int>(group.node().select_nodes("rect[@class='piece']").size()), pieces);
  }
}

TEST(BatchRunner, WritesTheReportWithDiagramsAsPdf) {
  if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "pdftotext (poppler-utils) is not installed; scripts/install-deps installs it";
  }
  testing_files::ScratchFolder folder;
  const std::string pdf = folder.File("plan.pdf");
  const BatchRun run = RunCase("report_two_types", {"-pdf:" + pdf, "-json:-"});
  ASSERT_EQ(run.status, kBatchOk) << run.err;
  ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + pdf + ".txt'").c_str()), 0);
  const std::string text = ReadAll(pdf + ".txt");
  const auto plan = nlohmann::json::parse(run.out);
  for (const auto& pattern : plan["patterns"]) {
    // pdftotext spreads the heading's words by their position on the page.
    const std::string heading = "[" + std::to_string(pattern["number"].get<int>()) + "]   " +
                                pattern["stock"].get<std::string>() + "   ";
    EXPECT_NE(text.find(heading), std::string::npos) << heading << " is not in\n" << text;
  }
  EXPECT_NE(text.find("Page 1 of"), std::string::npos);
}

TEST(BatchRunner, BadUsageAndHelp) {
  std::ostringstream out, err;
  EXPECT_EQ(RunBatch({"-stk:a.stk", "--verbose"}, ".", {out, err, false}), kBatchBadUsage);
  EXPECT_NE(err.str().find("usage: tralvin1d-batch"), std::string::npos);
  EXPECT_EQ(RunBatch({""}, ".", {out, err, false}), kBatchBadUsage);
  std::ostringstream help;
  EXPECT_EQ(RunBatch({"--help"}, ".", {help, err, false}), kBatchOk);
  EXPECT_NE(help.str().find("-json:FILE"), std::string::npos);
}

// Messages: what the batch runner adds on standard error.

// Runs the batch in a scratch folder with the given files written there.
BatchRun RunInFolder(const testing_files::ScratchFolder& folder,
                     const std::vector<std::pair<std::string, std::string>>& files,
                     std::vector<std::string> params, bool terminal = false) {
  for (const auto& [name, text] : files) testing_files::WriteText(folder.File(name), text);
  for (std::string& p : params) {
    const size_t colon = p.find(':');
    if (colon != std::string::npos && p.find("@") == colon + 1)
      p = p.substr(0, colon + 1) + folder.File(p.substr(colon + 2));
  }
  std::ostringstream out, err;
  const int status = RunBatch(params, folder.Path(), {out, err, false, terminal, terminal});
  return {status, out.str(), err.str()};
}

const char* const kPieces =
    "[PART1]\r\nLABEL=P1\r\nTYPE=Oak\r\nLENGTH=1000\r\nQTY=1\r\n"
    "MAXQTY=1\r\n";

TEST(BatchMessages, ABadCellIsNamedByTableRecordColumnAndText) {
  testing_files::ScratchFolder folder("tralvin_batch_cell");
  const std::string stocks = "[SHEET1]\r\nLABEL=S1\r\nTYPE=Oak\r\nLENGTH=6000\r\nQTY=5\r\n";
  std::string pieces;
  for (int n = 1; n <= 7; ++n) {
    pieces += "[PART" + std::to_string(n) + "]\r\nLABEL=P" + std::to_string(n) +
              "\r\nTYPE=Oak\r\nLENGTH=" + (n == 7 ? "-5" : "100") + "\r\nQTY=1\r\n";
  }
  const BatchRun run =
      RunInFolder(folder, {{"s.stk", stocks}, {"p.dst", pieces}}, {"-stk:@s.stk", "-dst:@p.dst"});
  EXPECT_EQ(run.status, kBatchJobFailed);
  EXPECT_EQ(run.err, "[]the data of field is invalid (pieces, record 7, length: \"-5\")\n");

  // An empty table has no cell to point at.
  const BatchRun empty = RunInFolder(folder, {{"none.dst", ""}}, {"-stk:@s.stk", "-dst:@none.dst"});
  EXPECT_EQ(empty.err, "pieces list is empty\n");
}

TEST(BatchMessages, SilentSurprisesGetAWarningAndTheJobStillRuns) {
  testing_files::ScratchFolder folder("tralvin_batch_warn");
  const std::string stocks = "[SHEET1]\r\nLABEL=S1\r\nTYPE=Oak\r\nLENGTH=1500\r\nQTY=1\r\n";
  const std::string many = "[PART1]\r\nLABEL=P1\r\nTYPE=Oak\r\nLENGTH=1000\r\nQTY=3\r\n";
  std::vector<std::string> params{"-stk:@s.stk", "-dst:@p.dst", "-option:@missing.opt",
                                  "-measure:" + std::string(300, 'm')};
  while (params.size() < 100) params.push_back("-auto:no");
  params.push_back("-json:@late.json");
  const BatchRun run = RunInFolder(folder, {{"s.stk", stocks}, {"p.dst", many}}, params);
  EXPECT_EQ(run.status, kBatchOk) << run.err;
  EXPECT_NE(run.err.find("warning: option file not found, every setting falls back to its "
                         "default: " +
                         folder.File("missing.opt") + "\n"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("warning: parameter 101 is past the 100th and is ignored: -json:" +
                         folder.File("late.json")),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("warning: the value of -measure: is cut to 255 characters: " +
                         std::string(255, 'm') + "\n"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("warning: the stock list is too short for the demand: \"S1\" [Oak] 3 "
                         "bars cut, 1 available\n"),
            std::string::npos)
      << run.err;
  EXPECT_FALSE(std::filesystem::exists(folder.File("late.json")));
}

TEST(BatchMessages, InvalidUtf8ReachesTheJsonAsReplacementCharacters) {
  const BatchRun run = RunCase("report_two_types", {"-json:-", "-measure:m\xFF\xC3"});
  ASSERT_EQ(run.status, kBatchOk) << run.err;
  EXPECT_EQ(nlohmann::json::parse(run.out)["measure"], "m\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(BatchMessages, ControlCharactersReachATerminalAsReplacementCharacters) {
  EXPECT_EQ(TerminalSafeText("a\x1B[2Jb\tc\n\x7F\xC2\x9B\xC3\xA9"),
            "a\xEF\xBF\xBD[2Jb\tc\n\xEF\xBF\xBD\xEF\xBF\xBD\xC3\xA9");
  testing_files::ScratchFolder folder("tralvin_batch_tty");
  const std::string stocks =
      "[SHEET1]\r\nLABEL=S\x1B]0;owned\x07\r\nTYPE=Oak\r\nLENGTH=6000\r\nQTY=5\r\n";
  const std::vector<std::pair<std::string, std::string>> files{{"s.stk", stocks},
                                                               {"p.dst", kPieces}};
  const BatchRun tty = RunInFolder(folder, files, {"-stk:@s.stk", "-dst:@p.dst"}, true);
  ASSERT_EQ(tty.status, kBatchOk) << tty.err;
  EXPECT_EQ(tty.out.find('\x1B'), std::string::npos);
  EXPECT_NE(tty.out.find("S\xEF\xBF\xBD]0;owned\xEF\xBF\xBD"), std::string::npos);
  // A file keeps the bytes.
  const BatchRun file =
      RunInFolder(folder, files, {"-stk:@s.stk", "-dst:@p.dst", "-report:@r.txt"}, true);
  EXPECT_NE(testing_files::ReadText(folder.File("r.txt")).find("S\x1B]0;owned\x07"),
            std::string::npos);
}

}  // namespace
}  // namespace tralvin
