// The batch runner: start-up, one job, the report and its files.
#include "batch/job_batch.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <ostream>
#include <string_view>

#include "app/job.h"
#include "app/job_done.h"
#include "app/startup.h"
#include "base/ascii_case.h"
#include "base/pubfunc.h"
#include "base/safe_file.h"
#include "results/cutting_diagram.h"
#include "results/html_page.h"
#include "results/plan_json.h"

namespace tralvin {

namespace {

// Switches of the program's command line, and those of the batch runner.
constexpr std::array<std::string_view, 11> kProgramTags = {
    "-stock:", "-piece:",  "-stk:",      "-dst:",      "-option:", "-measure:",
    "-auto:",  "-update:", "-ex_stock:", "-ex_piece:", "-hide:"};
constexpr std::array<std::string_view, 6> kBatchTags = {
    "-report:", "-html:", "-json:", "-dump:", "-method:", "-svg:"};

bool HasKnownTag(const std::string& param) {
  const std::string lower = AsciiLower(param);
  auto matches = [&lower](std::string_view tag) { return lower.starts_with(tag); };
  return std::any_of(kProgramTags.begin(), kProgramTags.end(), matches) ||
         std::any_of(kBatchTags.begin(), kBatchTags.end(), matches);
}

class TerminalProgress {
 public:
  TerminalProgress(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {}
  void Show(int position) {
    if (!enabled_) return;
    const int filled = position * kWidth / kJobProgressMax;
    if (filled == shown_) return;
    shown_ = filled;
    err_ << "\r[" << std::string(static_cast<size_t>(filled), '#')
         << std::string(static_cast<size_t>(kWidth - filled), '.') << "]" << std::flush;
    drawn_ = true;
  }
  void Clear() {
    if (drawn_) err_ << "\r" << std::string(kWidth + 2, ' ') << "\r" << std::flush;
    drawn_ = false;
  }

 private:
  static constexpr int kWidth = 40;
  std::ostream& err_;
  bool enabled_;
  bool drawn_ = false;
  int shown_ = -1;
};

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += '\n';
  }
  return text;
}

// Writes `text` to the named file, or to `out` for "" and "-". False (with
// the failure on `err`) when the file cannot be written.
bool WriteOutput(const std::string& fileName, const std::string& text, std::ostream& out,
                 std::ostream& err) {
  if (fileName.empty() || fileName == "-") {
    out << text << std::flush;
    return true;
  }
  try {
    WriteFileAtomically(fileName, text);
    return true;
  } catch (const FileWriteError& e) {
    err << e.what() << ": " << e.Code().message() << "\n";
    return false;
  }
}

// The minimum length of a reusable offcut as the settings hold it; a text that
// is no length counts as none, so every leftover above zero counts as reusable.
int32_t MinOffcutLengthOf(const SettingsModel& settings) {
  try {
    return std::max(0, TPubFunc().ExtStrToInt(settings.EditMinOffcutLength1));
  } catch (const ConversionError&) {
    return 0;
  }
}

}  // namespace

std::string BatchUsageText() {
  return "usage: tralvin1d-batch [switches]\n"
         "Loads default.typ, default.opt, default.stk and default.dst from the current folder,\n"
         "applies the switches, runs one optimisation job and writes the cutting report.\n"
         "  -stock:FILE    plain text stock table       -piece:FILE   plain text piece table\n"
         "  -stk:FILE      stock table file (.stk)      -dst:FILE     piece table file (.dst)\n"
         "  -option:FILE   option file (.opt)           -measure:TEXT unit name\n"
         "  -report:FILE   the report, UTF-8 lines (default or -: standard output)\n"
         "  -html:FILE     the report as an HTML page\n"
         "  -json:FILE     the plan as JSON (- for standard output)\n"
         "  -svg:FILE      the cutting diagrams of every pattern as one SVG picture\n"
         "  -dump:yes      write the job's input as dump.sht, dump.prt, dump.typ, dump.opt\n"
         "  -method:standard|near  planning method (overrides OPTIMIZE_METHOD of the option file)\n"
         "-auto:, -hide:, -update:, -ex_stock: and -ex_piece: are accepted and change nothing.\n"
         "Exit status: 0 plan written, 1 the job failed, 2 bad usage.\n";
}

int RunBatch(const std::vector<std::string>& params, const std::string& startFolder,
             BatchStreams streams) {
  for (const std::string& param : params) {
    if (param == "-h" || param == "--help") {
      streams.out << BatchUsageText();
      return kBatchOk;
    }
    if (!HasKnownTag(param)) {
      streams.err << "unknown parameter: " << (param.empty() ? "(empty)" : param) << "\n"
                  << BatchUsageText();
      return kBatchBadUsage;
    }
  }
  const std::string reportFile = GetParaValue(params, "-report:");
  const std::string htmlFile = GetParaValue(params, "-html:");
  const std::string jsonFile = GetParaValue(params, "-json:");
  const std::string svgFile = GetParaValue(params, "-svg:");
  const std::string dump = AsciiLower(GetParaValue(params, "-dump:"));
  const std::string method = AsciiLower(GetParaValue(params, "-method:"));
  if (!method.empty() && method != "standard" && method != "near") {
    streams.err << "unknown method: " << method << "\n" << BatchUsageText();
    return kBatchBadUsage;
  }

  StartupState state = RunStartupSteps(startFolder, params);
  for (const std::string& w : state.warnings) streams.err << w << "\n";
  // A table file named on the command line that is not there loads as an empty
  // table, as in the window; a script should still hear of it.
  for (const std::string* named : {&state.switches.stockFile, &state.switches.pieceFile}) {
    std::error_code ec;
    if (!named->empty() && !std::filesystem::exists(*named, ec)) {
      streams.err << "table file not found, loaded as an empty table: " << *named << "\n";
    }
  }

  JobInput input;
  if (!method.empty()) {
    state.settings.OnChangeOptimizeMethod(method == "near" ? kOptimizeMethodNearOptimal
                                                           : kOptimizeMethodStandard);
  }
  input.settings = state.settings;
  input.sheets = state.sheets;
  input.parts = state.parts;
  input.bestDimensionMode = state.bestDimensionMode;
  input.types = state.types;
  input.captions = state.captions;
  if (dump == "yes") {
    for (const std::string& f : WriteJobDumpFiles(input)) streams.err << f << "\n";
  }

  TerminalProgress bar(streams.err, streams.progressBar);
  JobOutcome outcome = RunJob(std::move(input), [&bar](int position) { bar.Show(position); });
  bar.Clear();

  CuttingReport report;
  report.StocksList = outcome.settings.chkReportAllPanels;
  JobDone done = ThreadDone(outcome, report, state.captions);
  if (done.failed) {
    streams.err << done.warning << "\n";
    return kBatchJobFailed;
  }
  // With the JSON on standard output the report goes there only when asked for,
  // so that the output stays one JSON document.
  const bool jsonToStdout = jsonFile == "-";
  bool written = true;
  if (!(jsonToStdout && reportFile.empty())) {
    written = WriteOutput(reportFile, JoinLines(done.listItems), streams.out, streams.err);
  }
  if (!htmlFile.empty()) {
    written =
        WriteOutput(htmlFile, HtmlPageText(done.listItems), streams.out, streams.err) && written;
  }
  if (!jsonFile.empty()) {
    written = WriteOutput(jsonFile, PlanJsonText(outcome.plan, report), streams.out, streams.err) &&
              written;
  }
  if (!svgFile.empty()) {
    const std::string svg =
        DiagramsSvgText(BuildPatternDiagrams(outcome.plan, MinOffcutLengthOf(outcome.settings)),
                        outcome.plan.measure);
    written = WriteOutput(svgFile, svg, streams.out, streams.err) && written;
  }
  return written ? kBatchOk : kBatchJobFailed;
}

}  // namespace tralvin
