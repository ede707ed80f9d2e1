// Copy and Append of the import window, and the mapping file around them.
#include "tables/import_transfer.h"

#include "base/ini_file.h"
#include "tables/table_files.h"

namespace tralvin {

namespace {

const char* TableExtension(GridKind kind) { return kind == GridKind::Sheets ? ".stk" : ".dst"; }

}  // namespace

std::string MappingFilePath(const std::string& startFolder) {
  return startFolder + "/" + kMappingFileName;
}

std::string TemporaryTablePath(const std::string& startFolder, GridKind kind) {
  return startFolder + "/tmp" + TableExtension(kind);
}

void CopyPreviewToTable(const StringGrid& preview, const std::vector<std::string>& fieldList,
                        std::string_view ignoreText, StringGrid& table) {
  table.ClearData();
  const int n = preview.RowCount();
  table.SetRowCount(n + 1);
  for (int i = 0; i < static_cast<int>(fieldList.size()) && i < preview.ColCount(); ++i) {
    if (fieldList[i] == ignoreText) continue;
    for (int c = 0; c < table.ColCount(); ++c) {
      if (fieldList[i] != table.Cell(c, 0)) continue;
      for (int r = 0; r < n; ++r) table.SetCell(c, r + 1, preview.Cell(i, r));
    }
  }
}

void BeginImport(ImportModel& model, const ImportTarget& target, const CaptionTable& captions) {
  model.PrepareMappingBoxes(target.kind == GridKind::Sheets, *target.table, captions);
  const TIniFile mapping(MappingFilePath(target.startFolder));
  model.LoadMapping(mapping);
}

ImportOutcome ImportCopy(const ImportModel& model, const ImportTarget& target) {
  CopyPreviewToTable(model.Preview(), model.ImportFieldList(), model.IgnoreText(), *target.table);
  ImportOutcome outcome;
  outcome.tableChanged = true;
  outcome.fileNameText = model.ImportFileName() + TableExtension(target.kind);
  return outcome;
}

ImportOutcome ImportAppend(const ImportModel& model, const ImportTarget& target) {
  ImportOutcome outcome;
  const std::string temp = TemporaryTablePath(target.startFolder, target.kind);
  const TableSaveResult saved =
      target.kind == GridKind::Sheets
          ? SaveSheetsFile(*target.table, target.bestDimensionMode, temp, false)
          : SavePartsFile(*target.table, temp, false);
  if (!saved.ok) {
    outcome.message = saved.message;
    return outcome;
  }
  CopyPreviewToTable(model.Preview(), model.ImportFieldList(), model.IgnoreText(), *target.table);
  outcome.tableChanged = true;
  const TableAppendResult appended = target.kind == GridKind::Sheets
                                         ? AppendSheetsFile(*target.table, temp)
                                         : AppendPartsFile(*target.table, temp);
  if (!appended.ok) outcome.message = appended.message;
  return outcome;
}

ImportOutcome FinishImport(const ImportModel& model, const ImportTarget& target) {
  ImportOutcome outcome;
  if (model.IsOK()) {
    outcome = ImportCopy(model, target);
  } else if (model.IsAppend()) {
    outcome = ImportAppend(model, target);
  }
  if (!outcome.tableChanged) return outcome;
  try {
    TIniFile mapping(MappingFilePath(target.startFolder));
    model.SaveMapping(mapping);
  } catch (const IniWriteError& e) {
    if (outcome.message.empty()) outcome.message = WriteFailureText(e);
  }
  return outcome;
}

}  // namespace tralvin
