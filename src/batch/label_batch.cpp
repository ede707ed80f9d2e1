// The batch runner's label mode.
#include "batch/label_batch.h"

#include <ostream>

#include "app/label_source.h"
#include "app/startup.h"
#include "app/switches.h"
#include "base/ascii_case.h"
#include "base/pubfunc.h"
#include "labels/label_layout.h"
#include "labels/label_scheme.h"
#include "labels/label_sheet.h"
#include "render/drawing_pdf.h"

namespace tralvin {

namespace {

// Label pages are laid out in printer pixels of 1/72 inch, so that the label
// font size in printer pixels is the size in points that the font dialog shows.
constexpr double kLabelPixelsPerInch = 72.0;

int BadUsage(std::ostream& err, const std::string& text) {
  err << text << "\n" << BatchUsageText();
  return kBatchBadUsage;
}

}  // namespace

bool WantsLabels(const std::vector<std::string>& params) {
  for (const std::string& p : params) {
    if (AsciiLower(p).starts_with("-labels:")) return true;
  }
  return false;
}

int RunLabelBatch(const std::vector<std::string>& params, const std::string& startFolder,
                  BatchStreams streams) {
  const std::string which = AsciiLower(GetParaValue(params, "-labels:"));
  if (which != "stocks" && which != "pieces") {
    return BadUsage(streams.err, "-labels: takes stocks or pieces");
  }
  const LabelTable table = which == "stocks" ? LabelTable::Stocks : LabelTable::Pieces;
  const std::string pdfFile = GetParaValue(params, "-labelpdf:");
  if (pdfFile.empty()) return BadUsage(streams.err, "-labels: needs -labelpdf:FILE");
  const std::string paper = AsciiLower(GetParaValue(params, "-paper:"));
  if (!paper.empty() && paper != "a4" && paper != "letter") {
    return BadUsage(streams.err, "-paper: takes a4 or letter");
  }
  const std::string schemeText = GetParaValue(params, "-labelscheme:");
  int scheme = 0;
  if (!schemeText.empty() &&
      (!TryStrToInt(schemeText, scheme) || scheme < 1 || scheme > kLabelSchemeCount)) {
    return BadUsage(streams.err, "-labelscheme: takes a number from 1 to 9");
  }

  StartupState state = RunStartupSteps(startFolder, params);
  for (const std::string& w : state.warnings) streams.err << w << "\n";
  StringGrid& grid = table == LabelTable::Stocks ? state.sheets : state.parts;
  LabelSource source =
      ReadLabelSource(table, grid, state.bestDimensionMode, state.settings, state.captions);
  if (source.failure) {
    streams.err << source.failure->message << "\n";
    return kBatchJobFailed;
  }
  if (scheme == 0) scheme = RememberedLabelScheme(state.settings, table) + 1;
  // A remembered item outside the list selects no scheme: the window's own design stays.
  LabelDesign design;
  LoadLabelScheme(LabelSchemeFile(state.settings), scheme, design);

  // The whole page is printable; A4 is 210 × 297 mm, letter 8.5 × 11 inches.
  double width = paper == "letter" ? 8.5 : 210 / 25.4;
  double height = paper == "letter" ? 11.0 : 297 / 25.4;
  if (!design.portrait) std::swap(width, height);
  const PrintableArea area{width * kLabelPixelsPerInch, height * kLabelPixelsPerInch,
                           kLabelPixelsPerInch};
  const SheetReading sheet = ReadPrintOptions(design, area, state.captions);
  if (!sheet.ok) {
    streams.err << sheet.message << "\n";
    return kBatchJobFailed;
  }
  const int lastRow = source.data.RowCount() - 1;
  if (lastRow < 1) {
    streams.err << "no label to print: the table has no quantity\n";
    return kBatchJobFailed;
  }
  const std::vector<DrawingPage> pages =
      LabelPages(design, sheet.values, source.data, 1, lastRow, area,
                 {state.settings.LabelFontName, state.settings.LabelFontSize});
  render::OffscreenGuiApplication app;
  const std::string failure =
      render::WriteDrawingPdf(pdfFile, pages, state.captions.Text("sPrintLabel"));
  if (!failure.empty()) {
    streams.err << failure << "\n";
    return kBatchJobFailed;
  }
  return kBatchOk;
}

}  // namespace tralvin
