// Reading and writing the keys of the option file.
#include "app/option_file.h"

#include <algorithm>

#include "base/ini_file.h"

namespace tralvin {

namespace {

constexpr const char* kFontSizeDefault = "72";
constexpr const char* kFontNameDefault = "MS Mincho";

// Section-bound access with the value forms of the option file.
class OptionReader {
 public:
  explicit OptionReader(const TIniFile& ini) : ini_(ini) {}
  std::string Text(const char* key, const std::string& def) const {
    return ini_.ReadString(kOptionSection, key, def);
  }
  bool Bool(const char* key, bool def) const { return ini_.ReadBool(kOptionSection, key, def); }
  int Int(const char* key, int def) const { return ini_.ReadInteger(kOptionSection, key, def); }
  // True only for the exact text "T".
  bool TF(const char* key, const char* def) const { return Text(key, def) == "T"; }

 private:
  const TIniFile& ini_;
};

class OptionWriter {
 public:
  explicit OptionWriter(TIniFile& ini) : ini_(ini) {}
  void Text(const std::string& key, const std::string& value) {
    ini_.WriteString(kOptionSection, key, value);
  }
  void Bool(const std::string& key, bool value) { ini_.WriteBool(kOptionSection, key, value); }
  void Int(const std::string& key, int value) { ini_.WriteInteger(kOptionSection, key, value); }
  void TF(const std::string& key, bool value) { Text(key, value ? "T" : "F"); }

 private:
  TIniFile& ini_;
};

void ReadFonts(const OptionReader& r, SettingsModel& s) {
  s.EditPrinterFontSize = r.Text("PRINTERFONTSIZE", kFontSizeDefault);
  s.EditPrinterFontName = r.Text("PRINTERFONTNAME", kFontNameDefault);
  s.EditPrinterFontSizeLabel = r.Text("PRINTERFONTSIZELABEL", kFontSizeDefault);
  s.EditPrinterFontNameLabel = r.Text("PRINTERFONTNAMELABEL", kFontNameDefault);
  s.EditPrinterFontSizeDim = r.Text("PRINTERFONTSIZEDIM", kFontSizeDefault);
  s.EditPrinterFontNameDim = r.Text("PRINTERFONTNAMEDIM", kFontNameDefault);
  s.EditPrinterFontSizePosition = r.Text("PRINTERFONTSIZEPOSITION", kFontSizeDefault);
  s.EditPrinterFontNamePosition = r.Text("PRINTERFONTNAMEPOSITION", kFontNameDefault);
  s.EditPrinterFontSizeCutSeq = r.Text("PRINTERFONTSIZECUTSEQ", kFontSizeDefault);
  s.EditPrinterFontNameCutSeq = r.Text("PRINTERFONTNAMECUTSEQ", kFontNameDefault);
}

void WriteFonts(OptionWriter& w, const SettingsModel& s) {
  w.Text("PRINTERFONTSIZE", s.EditPrinterFontSize);
  w.Text("PRINTERFONTNAME", s.EditPrinterFontName);
  w.Text("PRINTERFONTSIZELABEL", s.EditPrinterFontSizeLabel);
  w.Text("PRINTERFONTNAMELABEL", s.EditPrinterFontNameLabel);
  w.Text("PRINTERFONTSIZEDIM", s.EditPrinterFontSizeDim);
  w.Text("PRINTERFONTNAMEDIM", s.EditPrinterFontNameDim);
  w.Text("PRINTERFONTSIZEPOSITION", s.EditPrinterFontSizePosition);
  w.Text("PRINTERFONTNAMEPOSITION", s.EditPrinterFontNamePosition);
  w.Text("PRINTERFONTSIZECUTSEQ", s.EditPrinterFontSizeCutSeq);
  w.Text("PRINTERFONTNAMECUTSEQ", s.EditPrinterFontNameCutSeq);
}

struct IntKey {
  const char* key;
  int SettingsModel::*value;
};

const IntKey kLabelPrintIndexKeys[] = {
    {"SHEETS_LABEL_PRINT_INDEX", &SettingsModel::SheetsLabelPrintIndex},
    {"PARTS_LABEL_PRINT_INDEX", &SettingsModel::PartsLabelPrintIndex},
    {"PROFILES_LABEL_PRINT_INDEX", &SettingsModel::ProfilesLabelPrintIndex},
    {"OFFCUTS_RACK_LABEL_PRINT_INDEX", &SettingsModel::OffcutsRackLabelPrintIndex},
    {"PARTS_RACK_LABEL_PRINT_INDEX", &SettingsModel::PartsRackLabelPrintIndex},
    {"LAYOUTS_LABEL_PRINT_INDEX", &SettingsModel::LayoutsLabelPrintIndex},
};

const char* const kColorKeys[] = {"SHEET_COLOR", "PART_COLOR", "EDGE_COLOR", "OFFCUT_COLOR"};
constexpr int32_t kColorDefaults[] = {32768, 16776960, 8421504, 65280};

std::string ColKey(const char* prefix, size_t i) { return prefix + std::to_string(i); }

}  // namespace

std::vector<SettingsMessage> ReadOptionFile(SettingsModel& s, const std::string& fileName,
                                            int typeItemCount, const TPubFunc& pubFunc,
                                            const CaptionTable& captions) {
  TIniFile ini(fileName);
  // Read from one in-memory copy instead of parsing the file for every key.
  ini.BeginUpdate();
  const OptionReader r(ini);
  std::vector<SettingsMessage> warnings;

  s.PartsInLayout = r.Bool("PARTS_IN_LAYOUT", false);
  s.PrintingComment = r.Bool("PRINTING_COMMENT", true);
  s.EditBladeWidth = r.Text("BLADE_WIDTH", "0");
  s.CheckBoxFastSpeed = r.TF("FAST_OPTIMIZE", "T");
  s.CheckBoxCostOptimize = r.TF("COST_OPTIMIZE", "T");
  s.RadioGroupCutModeClick(r.TF("GUILLOTINE", "T") ? 1 : 0);
  s.CheckBoxOrderOptimizeClick(r.TF("ORDER_OPTIMIZE", "F"));
  s.chkBundleOptimizeClick(r.Bool("BUNDLE_OPTIMIZE", false));
  s.EditMeasure = r.Text("MEASURE", s.params.Measure);
  ReadFonts(r, s);
  s.EditMinOffcutSize = r.Text("MIN_OFFCUT_SIZE", "0");
  s.EditHeightEdige = r.Text("LENGTH_EDGE", "0");
  s.EditWidthEdge = r.Text("WIDTH_EDGE", "0");
  // The two minimum offcut edits update their parameters as they change.
  for (SettingsMessage m : {s.OnChangeMinLength(r.Text("SCRAP_LEN1", "0"), pubFunc, captions),
                            s.OnChangeMinWidth(r.Text("SCRAP_LEN2", "0"), pubFunc, captions)})
    if (!m.ok) warnings.push_back(std::move(m));
  s.OnChangeOffcutsrotatable(r.Bool("OFFCUT_LEN_ROTATABLE", true) ? 0 : 1);
  for (size_t i = 0; i < 4; ++i) s.ColorBoxes[i] = r.Int(kColorKeys[i], kColorDefaults[i]);
  s.CheckBoxZAxis = r.Bool("Z_AXIS", true);
  s.EditDrillDepth = r.Text("DRILL_DEPTH", "-0.02");
  s.EditSafetyHeigth = r.Text("SAFETY_HEIGTH", "0.02");
  const int typeIndex = r.Int("MATERIAL_TYPE", 0);
  s.MaterialTypeIndex = (typeIndex < 0 || typeIndex >= typeItemCount) ? 0 : typeIndex;
  s.EditPrintTitle = r.Text("PROJECT_TITLE", "");
  s.SheetsFileKey = r.Text("SHEETS_FILE", "");
  s.PartsFileKey = r.Text("PARTS_FILE", "");
  s.ProfilesFile = r.Text("PROFILES_FILE", "");
  s.OffcutsRackFile = r.Text("OFFCUTS_RACK_FILE", "");
  s.PartsRackFile = r.Text("PARTS_RACK_FILE", "");
  for (const IntKey& k : kLabelPrintIndexKeys) s.*k.value = r.Int(k.key, 0);
  // The racks belong to the hidden edition: whatever is read, they stay off.
  s.CheckBoxDisableOffcutsRack = r.Bool("CheckBoxDisableOffcutsRack", true);
  s.CheckBoxDisablePartsRack = r.Bool("CheckBoxDisablePartsRack", true);
  for (const std::string& key : FolderKeys())
    s.SetFolder(key, r.Text(key.c_str(), s.StartFolder()));
  s.LabeledEditOffcutsPrefix = r.Text("OFFCUTS_PREFIX", "");
  s.AppLeft = r.Int("APP_LEFT", s.AppLeft);
  s.AppTop = r.Int("APP_TOP", s.AppTop);
  s.AppWinStyle = r.Int("APP_WIN_STYLE", 0);
  for (size_t i = 0; i < s.SheetsGridColWidths.size(); ++i)
    s.SheetsGridColWidths[i] =
        r.Int(ColKey("SHEETS_GRID_COL_", i).c_str(), s.SheetsGridColWidths[i]);
  for (size_t i = 0; i < s.PartsGridColWidths.size(); ++i)
    s.PartsGridColWidths[i] = r.Int(ColKey("PARTS_GRID_COL_", i).c_str(), s.PartsGridColWidths[i]);
  s.LayoutsOrderStyle = r.Int("LAYOUTS_ORDER_STYLE", s.LayoutsOrderStyle);
  s.LayoutsShowLabel = r.Bool("LAYOUTS_SHOW_LABEL", s.LayoutsShowLabel);
  s.LayoutsShowPosition = r.Bool("LAYOUTS_SHOW_POSITION", s.LayoutsShowPosition);
  s.LayoutsShowDimension = r.Bool("LAYOUTS_SHOW_DIMENSION", s.LayoutsShowDimension);
  s.LayoutsShowOffcut = r.Bool("LAYOUTS_SHOW_OFFCUT", s.LayoutsShowOffcut);
  s.LayoutsPrintCol = r.Text("LAYOUTS_PRINT_COL", "1");
  s.LayoutsPrintRow = r.Text("LAYOUTS_PRINT_ROW", "1");
  s.LayoutsPrintParts = r.Bool("LAYOUTS_PRINT_PARTS", false);
  s.OnChangeOptimizeSpeedTrackbar(r.Int("TRACK_OPTIMIZE_SPEED", 0));
  s.OnChangeOptimizeMethod(r.Int("OPTIMIZE_METHOD", kOptimizeMethodStandard));
  s.AutoSavePanel = r.Bool("AUTO_SAVE_PANEL", true);
  s.AutoSavePart = r.Bool("AUTO_SAVE_PART", true);
  s.AutoSaveOffcut = r.Bool("AUTO_SAVE_OFFCUT", true);
  s.AutoSavePartRack = r.Bool("AUTO_SAVE_PARTRACK", true);
  s.AutoSaveProfile = r.Bool("AUTO_SAVE_PROFILE", true);
  s.LabelFontSize = r.Int("LABEL_FONT_SIZE", 8);
  s.LabelFontName = r.Text("LABEL_FONT_NAME", kFontNameDefault);
  // "Scale Size" never stays ticked; clearing it runs its handler.
  s.CheckBoxAutoPrinterSetupFontClick();
  s.ScrollBarAutoPrinterSetupSizeChange(r.Int("AUTO_PRINTER_FONT_ZOOM", 99));
  s.chkReportAllPanelsClick(r.Bool("REPORT_RAW_PANELS", true));
  s.EditDecimal = "3";
  ini.Discard();
  return warnings;
}

std::string OptionFilePath(const SettingsModel& settings, const std::string& baseName) {
  return settings.StartFolder() + "/" + baseName + kOptionFileExtension;
}

void WriteOptionFile(const SettingsModel& s, const std::string& baseName) {
  TIniFile ini(OptionFilePath(s, baseName));
  ini.BeginUpdate();
  OptionWriter w(ini);

  w.Bool("PARTS_IN_LAYOUT", s.PartsInLayout);
  w.Bool("PRINTING_COMMENT", s.PrintingComment);
  w.Text("BLADE_WIDTH", s.EditBladeWidth);
  w.TF("FAST_OPTIMIZE", s.CheckBoxFastSpeed);
  w.TF("COST_OPTIMIZE", s.CheckBoxCostOptimize);
  if (s.RadioGroupCutMode == 0 || s.RadioGroupCutMode == 1)
    w.TF("GUILLOTINE", s.RadioGroupCutMode == 1);
  w.TF("ORDER_OPTIMIZE", s.CheckBoxOrderOptimize);
  w.Bool("BUNDLE_OPTIMIZE", s.chkBundleOptimize);
  w.Text("MEASURE", s.EditMeasure);
  WriteFonts(w, s);
  w.Text("MIN_OFFCUT_SIZE", s.EditMinOffcutSize);
  w.Text("LENGTH_EDGE", s.EditHeightEdige);
  w.Text("WIDTH_EDGE", s.EditWidthEdge);
  w.Text("SCRAP_LEN1", s.EditMinOffcutLength1);
  w.Text("SCRAP_LEN2", s.EditMinOffcutLength2);
  w.Bool("OFFCUT_LEN_ROTATABLE", s.ComboBoxBothOrEither == 0);
  for (size_t i = 0; i < 4; ++i) w.Int(kColorKeys[i], s.ColorBoxes[i]);
  w.Bool("Z_AXIS", s.CheckBoxZAxis);
  w.Text("DRILL_DEPTH", s.EditDrillDepth);
  w.Text("SAFETY_HEIGTH", s.EditSafetyHeigth);
  w.Int("MATERIAL_TYPE", s.MaterialTypeIndex);
  w.Text("PROJECT_TITLE", s.EditPrintTitle);
  w.Text("SHEETS_FILE", s.EditSheetsFileName);
  w.Text("PARTS_FILE", s.EditPartsFileName);
  w.Text("PROFILES_FILE", s.ProfilesFile);
  w.Text("OFFCUTS_RACK_FILE", s.OffcutsRackFile);
  w.Text("PARTS_RACK_FILE", s.PartsRackFile);
  for (const IntKey& k : kLabelPrintIndexKeys) w.Int(k.key, s.*k.value);
  w.Bool("CheckBoxDisableOffcutsRack", s.CheckBoxDisableOffcutsRack);
  w.Bool("CheckBoxDisablePartsRack", s.CheckBoxDisablePartsRack);
  for (const std::string& key : FolderKeys()) w.Text(key, s.Folder(key));
  w.Text("OFFCUTS_PREFIX", s.LabeledEditOffcutsPrefix);
  w.Int("APP_LEFT", s.AppLeft);
  w.Int("APP_TOP", s.AppTop);
  w.Int("APP_WIN_STYLE", s.AppWinStyle != 0 ? 1 : 0);
  for (size_t i = 0; i < s.SheetsGridColWidths.size(); ++i)
    w.Int(ColKey("SHEETS_GRID_COL_", i), s.SheetsGridColWidths[i]);
  for (size_t i = 0; i < s.PartsGridColWidths.size(); ++i)
    w.Int(ColKey("PARTS_GRID_COL_", i), s.PartsGridColWidths[i]);
  w.Int("LAYOUTS_ORDER_STYLE", s.LayoutsOrderStyle);
  w.Bool("LAYOUTS_SHOW_LABEL", s.LayoutsShowLabel);
  w.Bool("LAYOUTS_SHOW_POSITION", s.LayoutsShowPosition);
  w.Bool("LAYOUTS_SHOW_DIMENSION", s.LayoutsShowDimension);
  w.Bool("LAYOUTS_SHOW_OFFCUT", s.LayoutsShowOffcut);
  w.Text("LAYOUTS_PRINT_COL", s.LayoutsPrintCol);
  w.Text("LAYOUTS_PRINT_ROW", s.LayoutsPrintRow);
  w.Bool("LAYOUTS_PRINT_PARTS", s.LayoutsPrintParts);
  w.Int("TRACK_OPTIMIZE_SPEED", s.TrackBarSpeed);
  w.Int("OPTIMIZE_METHOD", s.ComboBoxOptimizeMethod);
  w.Bool("AUTO_SAVE_PANEL", s.AutoSavePanel);
  w.Bool("AUTO_SAVE_PART", s.AutoSavePart);
  w.Bool("AUTO_SAVE_OFFCUT", s.AutoSaveOffcut);
  w.Bool("AUTO_SAVE_PARTRACK", s.AutoSavePartRack);
  w.Bool("AUTO_SAVE_PROFILE", s.AutoSaveProfile);
  w.Int("LABEL_FONT_SIZE", s.LabelFontSize);
  w.Text("LABEL_FONT_NAME", s.LabelFontName);
  w.Bool("AUTO_SETUP_PRINTER_FONT_SIZE", s.CheckBoxAutoPrinterSetupFont);
  w.Int("AUTO_PRINTER_FONT_ZOOM", s.ScrollBarAutoPrinterSetupSize);
  w.Bool("REPORT_RAW_PANELS", s.chkReportAllPanels);
  ini.Commit();
}

}  // namespace tralvin
