// The Settings page as values: every control the page holds (texts of edits,
// states of check boxes, indexes of radio groups and combo boxes, positions of
// track and scroll bars), the hidden ones the option file carries, and the
// job parameters that the settings reader and the immediate handlers derive
// from them. The window shows these values and calls the handlers; nothing
// here shows a window.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tralvin {

class TPubFunc;
class CaptionTable;

// The edits a settings failure puts the focus on (always on the Settings tab).
enum class SettingsField {
  None,
  EditMinOffcutSize,
  EditBladeWidth,
  EditHeightEdige,
  EditWidthEdge,
  EditMinOffcutLength1,
  EditMinOffcutLength2,
};

// Process-wide values that the optimiser and the outputs read. Lengths are
// scaled integers (thousandths of the unit).
struct JobParameters {
  int32_t BladeWidth = 0;            // BLADE_WIDTH
  std::string BladeWidthText = "0";  // the blade width as typed; printed by the report
  int32_t MinOffcutSize = 0;         // MIN_OFFCUT_SIZE
  int32_t LengthEdge = 0;            // LENGTH_EDGE, length trim
  int32_t WidthEdge = 0;             // WIDTH_EDGE, width trim
  int32_t ScrapLen1 = 0;             // SCRAP_LEN1, minimum offcut length
  int32_t ScrapLen2 = 0;             // SCRAP_LEN2, minimum offcut width
  bool OffcutLenRotatable = true;    // OFFCUT_LEN_ROTATABLE
  bool CostOptimize = true;          // COST_OPTIMIZE
  bool FastOptimize = true;          // FAST_OPTIMIZE (a job switches it off again)
  bool Guillotine = true;            // GUILLOTINE
  bool BundleOptimize = false;       // BUNDLE_OPTIMIZE
  bool OrderOptimize = false;        // ORDER_OPTIMIZE
  int Speed = 0;                     // TRACK_OPTIMIZE_SPEED, 0 (fastest) .. 20
  int OptimizeMethod = 0;            // OPTIMIZE_METHOD: 0 standard search, 1 near-optimal
  std::string Measure = "inch";      // MEASURE, the unit's name
  bool ReportRawPanels = true;       // REPORT_RAW_PANELS, stock list in the report
  int Decimals = 3;                  // fixed
  std::array<int32_t, 4> Colors = {32768, 16776960, 8421504, 65280};  // sheet, part, edge, offcut
  int PrinterFontSize = 72;                                           // report printing font
  std::string PrinterFontName = "MS Mincho";
  int AutoPrinterFontZoom = 99;         // AUTO_PRINTER_FONT_ZOOM
  bool AutoPrinterFontScaling = false;  // label printing derives font heights; always off
};

// What the settings reader or a handler asks the window to do: on failure show
// the Settings tab, focus `focus` with its text selected, and show `text`.
struct SettingsMessage {
  bool ok = true;
  SettingsField focus = SettingsField::None;
  std::string text;
};

inline constexpr int kSpeedMin = 0, kSpeedMax = 20;
// Values of OPTIMIZE_METHOD and items of the "Method" control.
inline constexpr int kOptimizeMethodStandard = 0, kOptimizeMethodNearOptimal = 1;
inline constexpr int kZoomMin = 33, kZoomMax = 165;
inline constexpr int kSheetsGridCols = 7, kPartsGridCols = 6;

// The remembered folders of the file dialogs, by option key, in file order.
const std::vector<std::string>& FolderKeys();

class SettingsModel {
 public:
  explicit SettingsModel(std::string startFolder = ".");

  const std::string& StartFolder() const { return startFolder_; }

  // --- Visible controls ---
  std::string EditMeasure = "cm";
  int TrackBarSpeed = 0;
  int ComboBoxOptimizeMethod = 0;  // "Method": 0 "Standard", 1 "Near-optimal"
  std::string EditBladeWidth = "0";
  bool CheckBoxCostOptimize = true;
  bool chkBundleOptimize = false;
  std::string EditMinOffcutLength1 = "0";
  std::string LabeledEditOffcutsPrefix;
  std::string EditPrinterFontName = "MS Mincho";
  std::string EditPrinterFontSize = "72";
  std::string EditPrintTitle = "PROJECT NO.1";
  bool chkReportAllPanels = true;  // on the Report tab

  // --- Hidden controls whose values pass through the option file ---
  bool CheckBoxFastSpeed = true;
  bool CheckBoxOrderOptimize = false;
  int RadioGroupCutMode = 1;  // 0 "Nested", 1 "Guillotine", -1 none
  std::string EditDecimal = "3";
  std::string EditMinOffcutSize = "0";
  std::string EditHeightEdige = "0";
  std::string EditWidthEdge = "0";
  std::string EditMinOffcutLength2 = "0";
  int ComboBoxBothOrEither = 0;  // 0 "Rotatable", 1 "Non-rotatable"
  std::array<int32_t, 4> ColorBoxes = {32768, 16776960, 8421504,
                                       65280};  // sheet, part, edge, offcut
  bool CheckBoxZAxis = true;
  std::string EditDrillDepth = "-0.02";
  std::string EditSafetyHeigth = "0.02";
  std::string EditPrinterFontSizeLabel = "72", EditPrinterFontNameLabel = "MS Mincho";
  std::string EditPrinterFontSizeDim = "72", EditPrinterFontNameDim = "MS Mincho";
  std::string EditPrinterFontSizePosition = "72", EditPrinterFontNamePosition = "MS Mincho";
  std::string EditPrinterFontSizeCutSeq = "72", EditPrinterFontNameCutSeq = "MS Mincho";
  bool CheckBoxAutoPrinterSetupFont = false;
  int ScrollBarAutoPrinterSetupSize = 99;
  bool CheckBoxDisableOffcutsRack = true;
  bool CheckBoxDisablePartsRack = true;
  // Hidden layout view and layout printing.
  bool PartsInLayout = false;
  bool PrintingComment = true;
  int LayoutsOrderStyle = 0;
  bool LayoutsShowLabel = true, LayoutsShowPosition = true, LayoutsShowDimension = true,
       LayoutsShowOffcut = true;
  std::string LayoutsPrintCol = "1", LayoutsPrintRow = "1";
  bool LayoutsPrintParts = false;

  // --- Enabled states the handlers set ---
  bool FontButtonsEnabled = true;     // "Font", "Label", "Dimension", "(left, top)", "Cut Sequence"
  bool ZoomScrollBarEnabled = false;  // ScrollBarAutoPrinterSetupSize
  bool CncEditsEnabled() const { return CheckBoxZAxis; }  // EditDrillDepth, EditSafetyHeigth

  // --- Plain values of the main window ---
  int MaterialTypeIndex = 0;                          // selected item of the type drop-down
  std::string SheetsFileKey, PartsFileKey;            // "SHEETS_FILE"/"PARTS_FILE" as read
  std::string EditSheetsFileName, EditPartsFileName;  // names shown; written back
  std::string ProfilesFile, OffcutsRackFile, PartsRackFile;
  int SheetsLabelPrintIndex = 0, PartsLabelPrintIndex = 0, ProfilesLabelPrintIndex = 0,
      OffcutsRackLabelPrintIndex = 0, PartsRackLabelPrintIndex = 0, LayoutsLabelPrintIndex = 0;
  std::map<std::string, std::string> Folders;  // DIR_* key -> folder; all StartFolder at first
  int AppLeft = 0, AppTop = 0;
  int AppWinStyle =
      0;  // non-zero: maximised (written 1 when the window is not in the normal state)
  std::array<int, kSheetsGridCols> SheetsGridColWidths{64, 64, 64, 64, 64, 64, 64};
  std::array<int, kPartsGridCols> PartsGridColWidths{64, 64, 64, 64, 64, 64};
  bool AutoSavePanel = true, AutoSavePart = true;
  bool AutoSaveOffcut = true, AutoSavePartRack = true, AutoSaveProfile = true;
  int LabelFontSize = 8;
  std::string LabelFontName = "MS Mincho";

  // --- Job parameters ---
  JobParameters params;

  // The folder remembered under `key` (StartFolder for an unknown key).
  const std::string& Folder(const std::string& key) const;
  void SetFolder(const std::string& key, std::string folder) { Folders[key] = std::move(folder); }

  // The settings reader of a job: cut mode, fast and cost flags, decimals 3,
  // then the six length edits converted in order; the first that fails stops
  // with the field to focus and the text for LastErrorText. On success also
  // the rotatable flag, colours, Measure and the printer font.
  SettingsMessage ReadOption(TPubFunc& pubFunc, const CaptionTable& captions);

  // Printer font: a size that is not an integer or is below 8 becomes 8, and
  // the field shows "8".
  void ReadPrinterFontSize();

  // --- Immediate handlers (the control's new value as argument) ---
  // The parameter takes ExtStrToInt of the text when that is at least 0;
  // otherwise it keeps its value and the result carries the warning.
  SettingsMessage OnChangeMinLength(std::string text, const TPubFunc& pubFunc,
                                    const CaptionTable& captions);
  SettingsMessage OnChangeMinWidth(std::string text, const TPubFunc& pubFunc,
                                   const CaptionTable& captions);
  void OnChangeOffcutsrotatable(int itemIndex);
  void RadioGroupCutModeClick(int itemIndex);
  void chkBundleOptimizeClick(bool checked);
  void CheckBoxOrderOptimizeClick(bool checked);
  void OnChangeOptimizeSpeedTrackbar(int position);
  // The planning method; an index other than 0 or 1 selects the standard search.
  void OnChangeOptimizeMethod(int itemIndex);
  void chkReportAllPanelsClick(bool checked);
  // "Scale Size": clears itself, enables the font buttons, disables the zoom
  // scroll bar and switches automatic font scaling off.
  void CheckBoxAutoPrinterSetupFontClick();
  void ScrollBarAutoPrinterSetupSizeChange(int position);

 private:
  std::string startFolder_;
};

}  // namespace tralvin
