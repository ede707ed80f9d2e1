// The batch runner: start-up, one job, the report and its files.
#include "batch/job_batch.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string_view>

#include "app/job.h"
#include "app/job_done.h"
#include "app/startup.h"
#include "app/update_settings.h"
#include "base/ascii_case.h"
#include "base/pubfunc.h"
#include "base/safe_file.h"
#include "batch/label_batch.h"
#include "render/drawing_pdf.h"
#include "results/cutting_diagram.h"
#include "results/html_page.h"
#include "results/plan_json.h"
#include "results/report_drawing.h"
#include "tables/table_grids.h"

namespace tralvin {

namespace {

// Switches of the program's command line, and those of the batch runner.
constexpr std::array<std::string_view, 11> kProgramTags = {
    "-stock:", "-piece:",  "-stk:",      "-dst:",      "-option:", "-measure:",
    "-auto:",  "-update:", "-ex_stock:", "-ex_piece:", "-hide:"};
constexpr std::array<std::string_view, 11> kBatchTags = {
    "-report:", "-html:",   "-json:",     "-dump:",        "-method:", "-svg:",
    "-pdf:",    "-labels:", "-labelpdf:", "-labelscheme:", "-paper:"};

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

// Failures, warnings and notes on standard error, one line each.
class Messages {
 public:
  explicit Messages(const BatchStreams& streams) : streams_(streams) {}
  void Line(const std::string& text) const {
    streams_.err << (streams_.errIsTerminal ? TerminalSafeText(text) : text) << "\n";
  }

 private:
  const BatchStreams& streams_;
};

// True when the file name is a terminal: the standard streams by name when
// they are terminals, and the terminal devices themselves.
bool NamesTerminal(const std::string& name, const BatchStreams& streams) {
  for (const char* out : {"/dev/stdout", "/dev/fd/1", "/proc/self/fd/1"}) {
    if (name == out) return streams.outIsTerminal;
  }
  for (const char* err : {"/dev/stderr", "/dev/fd/2", "/proc/self/fd/2"}) {
    if (name == err) return streams.errIsTerminal;
  }
  return name == "/dev/tty" || name == "/dev/console" || name.starts_with("/dev/pts/");
}

// Writes `text` to the named file, or to standard output for "" and "-".
// False (with the failure and its cause on standard error) when it cannot be
// written, standard output included (closed, or on a full disk).
bool WriteOutput(const std::string& fileName, const std::string& text,
                 const BatchStreams& streams) {
  const Messages say(streams);
  // What went to the streams before comes first, also when the file named is
  // one of them (/dev/stdout).
  streams.out.flush();
  streams.err.flush();
  if (fileName.empty() || fileName == "-") {
    errno = 0;
    streams.out << (streams.outIsTerminal ? TerminalSafeText(text) : text) << std::flush;
    if (!streams.out) {
      const int err = errno;
      say.Line("Unable to write to standard output" +
               (err != 0 ? ": " + std::string(std::strerror(err)) : std::string()));
      return false;
    }
    return true;
  }
  try {
    WriteFileAtomically(fileName, NamesTerminal(fileName, streams) ? TerminalSafeText(text) : text);
    return true;
  } catch (const FileWriteError& e) {
    say.Line(std::string(e.what()) + ": " + e.Code().message());
    return false;
  }
}

// Switches that are not read as given: past the 100th parameter, or with a
// value of more than 255 characters (which is cut).
void WarnAboutSwitches(const std::vector<std::string>& params, const Messages& say) {
  constexpr size_t kReadParams = 100;
  for (size_t i = kReadParams; i < params.size(); ++i) {
    say.Line("warning: parameter " + std::to_string(i + 1) +
             " is past the 100th and is ignored: " + params[i]);
  }
  std::vector<std::string> seen;
  for (size_t i = 0; i < std::min(params.size(), kReadParams); ++i) {
    const std::string& param = params[i];
    const size_t colon = param.find(':');
    if (colon == std::string::npos) continue;
    const std::string tag = AsciiLower(param.substr(0, colon + 1));
    if (std::find(seen.begin(), seen.end(), tag) != seen.end()) continue;
    seen.push_back(tag);
    const std::string value = GetParaValue(params, tag);
    if (value.size() < param.size() - tag.size()) {
      say.Line("warning: the value of " + tag + " is cut to 255 characters: " + value);
    }
  }
}

// Where a bad grid cell is, after the message: "(pieces, record 7, length: "-5")".
// Rows are the records of the table file or the lines of the text table.
std::string CellPlace(const JobOutcome& outcome, const JobInput& input) {
  if (!outcome.gridFailure) return {};
  const GridFailure& f = *outcome.gridFailure;
  const bool sheets = f.grid == GridKind::Sheets;
  const StringGrid& grid = sheets ? outcome.sheets : outcome.parts;
  if (f.cell.row < 1 || f.cell.row >= grid.RowCount() || f.cell.col < 0 ||
      f.cell.col >= grid.ColCount()) {
    return {};
  }
  bool rowHasText = false;
  for (int c = 0; c < grid.ColCount(); ++c)
    rowHasText = rowHasText || !grid.Cell(c, f.cell.row).empty();
  if (!rowHasText) return {};  // an empty table: there is no cell to point at
  static constexpr std::array<const char*, 7> kSheetColumns = {
      "label", "type", "length", "quantity", "cost", "priority", "comment"};
  static constexpr std::array<const char*, 6> kPartColumns = {
      "label", "type", "length", "quantity", "maximum quantity", "comment"};
  std::string column = sheets ? kSheetColumns[static_cast<size_t>(std::min(f.cell.col, 6))]
                              : kPartColumns[static_cast<size_t>(std::min(f.cell.col, 5))];
  if (sheets && input.bestDimensionMode && f.cell.col == kSheetColQty) column = "maximum length";
  return std::string(" (") + (sheets ? "stocks" : "pieces") + ", record " +
         std::to_string(f.cell.row) + ", " + column + ": \"" + grid.Cell(f.cell.col, f.cell.row) +
         "\")";
}

// Stock rows that the plan cuts more often than the table has them: the
// optimiser falls back to unlimited stock when the list is too short.
void WarnAboutShortStock(const JobPlan& plan, const CuttingReport& report, const Messages& say) {
  if (plan.bestDimensionMode) return;
  for (int i = 0; i < plan.sheets.Count() && i < report.UsedStockCounts.Count(); ++i) {
    const T2DStock& s = plan.sheets[i];
    const int32_t used = report.UsedStockCounts[i].p_number;
    if (used <= s.p_number) continue;
    say.Line("warning: the stock list is too short for the demand: \"" + s.p_lab + "\" [" +
             s.MatType + "] " + std::to_string(used) + " bars cut, " + std::to_string(s.p_number) +
             " available");
  }
}

}  // namespace

std::string TerminalSafeText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const bool c0 = (c < 0x20 && c != '\t' && c != '\n') || c == 0x7F;
    // C1 controls U+0080..U+009F are C2 80..C2 9F in UTF-8.
    const bool c1 = c == 0xC2 && i + 1 < text.size() &&
                    static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(text[i + 1]) <= 0x9F;
    if (c0 || c1) {
      out += "\xEF\xBF\xBD";
      if (c1) ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string BatchUsageText() {
  return "usage: tralvin1d-batch [switches]\n"
         "Loads default.typ, default.opt, default.cap, default.stk and default.dst from the\n"
         "current folder (default.cap: the report's heading words, e.g. a copy of\n"
         "share/captions/German.cap),\n"
         "applies the switches, runs one optimisation job and writes the cutting report.\n"
         "  -stock:FILE    plain text stock table       -piece:FILE   plain text piece table\n"
         "  -stk:FILE      stock table file (.stk)      -dst:FILE     piece table file (.dst)\n"
         "  -option:FILE   option file (.opt)           -measure:TEXT unit name\n"
         "  -report:FILE   the report, UTF-8 lines (default or -: standard output)\n"
         "  -html:FILE     the report as an HTML page\n"
         "  -json:FILE     the plan as JSON (- for standard output)\n"
         "  -svg:FILE      the cutting diagrams of every pattern as one SVG picture\n"
         "  -pdf:FILE      the printed report followed by the cutting diagrams, as a PDF (A4)\n"
         "  -dump:yes      write the job's input as dump.sht, dump.prt, dump.typ, dump.opt\n"
         "  -method:standard|near  planning method (overrides OPTIMIZE_METHOD of the option file)\n"
         "Labels instead of a job (one label per bar or piece, no optimisation):\n"
         "  -labels:stocks|pieces  the table whose labels are printed\n"
         "  -labelpdf:FILE the labels as a PDF (needed with -labels:)\n"
         "  -labelscheme:N label scheme 1 to 9 of default.opt (default: the one last used)\n"
         "  -paper:letter  letter paper instead of A4 (-paper:a4)\n"
         "-auto:, -hide:, -update:, -ex_stock: and -ex_piece: are accepted and change nothing.\n"
         "Exit status: 0 plan or labels written, 1 the job or the labels failed, 2 bad usage.\n";
}

int RunBatch(const std::vector<std::string>& params, const std::string& startFolder,
             BatchStreams streams) {
  for (const std::string& param : params) {
    if (param == "-h" || param == "--help") {
      streams.out << BatchUsageText();
      return kBatchOk;
    }
    if (!HasKnownTag(param)) {
      Messages(streams).Line("unknown parameter: " + (param.empty() ? "(empty)" : param));
      streams.err << BatchUsageText();
      return kBatchBadUsage;
    }
  }
  if (WantsLabels(params)) return RunLabelBatch(params, startFolder, streams);
  const std::string reportFile = GetParaValue(params, "-report:");
  const std::string htmlFile = GetParaValue(params, "-html:");
  const std::string jsonFile = GetParaValue(params, "-json:");
  const std::string svgFile = GetParaValue(params, "-svg:");
  const std::string pdfFile = GetParaValue(params, "-pdf:");
  const std::string dump = AsciiLower(GetParaValue(params, "-dump:"));
  const std::string method = AsciiLower(GetParaValue(params, "-method:"));
  const Messages say(streams);
  if (!method.empty() && method != "standard" && method != "near") {
    say.Line("unknown method: " + method);
    streams.err << BatchUsageText();
    return kBatchBadUsage;
  }
  WarnAboutSwitches(params, say);

  StartupState state = RunStartupSteps(startFolder, params);
  for (const std::string& w : state.warnings) say.Line(w);
  // A pipe, device or folder given as an input is never read (reading could
  // wait forever); the job does not run on what is left.
  if (!state.refusedInputs.empty()) {
    for (const std::string& r : state.refusedInputs) say.Line(r);
    return kBatchJobFailed;
  }
  // A table file named on the command line that is not there loads as an empty
  // table, as in the window; a script should still hear of it.
  for (const std::string* named : {&state.switches.stockFile, &state.switches.pieceFile}) {
    if (!named->empty() && CheckRegularFile(*named) == FileReadStatus::Missing) {
      say.Line("table file not found, loaded as an empty table: " + *named);
    }
  }
  // Likewise an option file that is not there: every setting takes its default.
  if (const std::string& option = state.switches.optionFile;
      !option.empty() && CheckRegularFile(option) == FileReadStatus::Missing) {
    say.Line("warning: option file not found, every setting falls back to its default: " + option);
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
  JobOutcome outcome = RunJob(input, [&bar](int position) { bar.Show(position); });
  bar.Clear();

  CuttingReport report;
  report.StocksList = outcome.settings.chkReportAllPanels;
  JobDone done = ThreadDone(outcome, report, state.captions);
  if (done.failed) {
    say.Line(done.warning + CellPlace(outcome, input));
    return kBatchJobFailed;
  }
  WarnAboutShortStock(outcome.plan, report, say);
  // With the JSON on standard output the report goes there only when asked for,
  // so that the output stays one JSON document.
  const bool jsonToStdout = jsonFile == "-";
  bool written = true;
  if (!(jsonToStdout && reportFile.empty())) {
    written = WriteOutput(reportFile, JoinLines(done.listItems), streams);
  }
  if (!htmlFile.empty()) {
    written = WriteOutput(htmlFile, HtmlPageText(done.listItems), streams) && written;
  }
  if (!jsonFile.empty()) {
    written = WriteOutput(jsonFile, PlanJsonText(outcome.plan, report), streams) && written;
  }
  const std::vector<PatternDiagram> diagrams =
      BuildPatternDiagrams(outcome.plan, MinOffcutLengthOf(outcome.settings));
  if (!svgFile.empty()) {
    written =
        WriteOutput(svgFile, DiagramsSvgText(diagrams, outcome.plan.measure), streams) && written;
  }
  if (!pdfFile.empty()) {
    // The printed report and its diagrams, painted without a display.
    render::OffscreenGuiApplication app;
    const std::string failure = render::WriteDrawingPdf(
        pdfFile,
        ReportDrawingPages(done.listItems, report.ReportTitleLines, diagrams, outcome.plan.measure),
        "Cutting report");
    if (!failure.empty()) {
      streams.err << failure << "\n";
      written = false;
    }
  }
  return written ? kBatchOk : kBatchJobFailed;
}

}  // namespace tralvin
