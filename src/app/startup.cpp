// The start-up steps that read the default files and act on the switches.
#include "app/startup.h"

#include "app/option_file.h"
#include "app/refresh_caption.h"
#include "base/pubfunc.h"
#include "base/safe_file.h"
#include "tables/best_dimension.h"
#include "tables/table_files.h"
#include "tables/table_grids.h"
#include "tables/text_table_import.h"

namespace tralvin {

namespace {

// Notes a file that exists but will not be read; the readers then see it as missing.
void CheckInput(StartupState& s, const std::string& fileName) {
  const std::string refusal = FileReadRefusal(fileName, CheckRegularFile(fileName));
  if (!refusal.empty()) s.refusedInputs.push_back(refusal);
}

void ReadOptions(StartupState& s, const std::string& fileName) {
  CheckInput(s, fileName);
  const TPubFunc pub;
  const int typeItems = static_cast<int>(s.types.MaterialTypes.size());
  for (const SettingsMessage& m :
       ReadOptionFile(s.settings, fileName, typeItems, pub, s.captions)) {
    if (!m.ok) s.warnings.push_back(m.text);
  }
}

void LoadSheets(StartupState& s, const std::string& fileName) {
  CheckInput(s, fileName);
  TableReadResult r = ReadSheetsFile(s.sheets, fileName);
  s.bestDimensionMode = r.bestDimensionMode;
  SwitchBestDimension(s.sheets, s.bestDimensionMode, s.captions, s.settings.EditMeasure);
  s.settings.EditSheetsFileName = r.fileName;
}

void LoadParts(StartupState& s, const std::string& fileName) {
  CheckInput(s, fileName);
  TableReadResult r = ReadPartsFile(s.parts, fileName);
  s.settings.EditPartsFileName = r.fileName;
}

void ApplySwitches(StartupState& s, const std::vector<std::string>& params) {
  s.switches = ReadSwitches(params);
  const CommandLineSwitches& sw = s.switches;
  if (!sw.stockText.empty()) {
    ImportResult r = ReadSheetsTXTFile(s.sheets, sw.stockText, s.captions);
    if (!r.message.empty()) s.warnings.push_back(r.message);
    if (r.ok) s.settings.EditSheetsFileName = sw.stockText;
  }
  if (!sw.pieceText.empty()) {
    ImportResult r = ReadPartsTXTFile(s.parts, sw.pieceText, s.captions);
    if (!r.message.empty()) s.warnings.push_back(r.message);
    if (r.ok) s.settings.EditPartsFileName = sw.pieceText;
  }
  if (!sw.stockFile.empty()) LoadSheets(s, sw.stockFile);
  if (!sw.pieceFile.empty()) LoadParts(s, sw.pieceFile);
  if (!sw.optionFile.empty()) ReadOptions(s, sw.optionFile);
  if (!sw.measure.empty()) s.settings.EditMeasure = sw.measure;
  s.AutoRun = sw.autoRun;
  s.HideMode = sw.hideMode;
}

}  // namespace

std::string StartFolderFile(const std::string& startFolder, const std::string& name) {
  return startFolder + "/" + name;
}

StartupState RunStartupSteps(const std::string& startFolder,
                             const std::vector<std::string>& params) {
  StartupState s(startFolder);
  s.sheets = MakeSheetsGrid(s.captions, false, s.settings.EditMeasure);
  s.parts = MakePartsGrid(s.captions);
  CheckInput(s, StartFolderFile(startFolder, "default.typ"));
  ReadTypesFile(StartFolderFile(startFolder, "default.typ"), s.types);
  ReadOptions(s, StartFolderFile(startFolder, "default.opt"));
  CheckInput(s, StartFolderFile(startFolder, "default.cap"));
  ReadCaptionFile(s, StartFolderFile(startFolder, "default.cap"));
  LoadSheets(s, s.settings.SheetsFileKey.empty() ? StartFolderFile(startFolder, "default.stk")
                                                 : s.settings.SheetsFileKey);
  LoadParts(s, s.settings.PartsFileKey.empty() ? StartFolderFile(startFolder, "default.dst")
                                               : s.settings.PartsFileKey);
  if (!params.empty()) ApplySwitches(s, params);
  return s;
}

}  // namespace tralvin
