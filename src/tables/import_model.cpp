// The import window's model: mapping boxes, mapping check, mapping file.
#include "tables/import_model.h"

#include "base/ini_file.h"
#include "tables/csv_import.h"
#include "texts/caption_table.h"

namespace tralvin {

std::string MappingKey(int box) {
  const int number = box + 1;
  return std::string("FIELD") + (number < 10 ? "0" : "") + std::to_string(number);
}

std::string MappingBox::Text() const {
  if (itemIndex < 0 || itemIndex >= static_cast<int>(items.size())) return {};
  return items[static_cast<std::size_t>(itemIndex)];
}

ImportModel::ImportModel() : preview_(kImportColumns, kImportInitialRows) {}

void ImportModel::ClearImportGrid() {
  for (int r = 0; r < preview_.RowCount(); ++r) preview_.ClearRow(r);
}

void ImportModel::PrepareMappingBoxes(bool forStocks, const StringGrid& table,
                                      const CaptionTable& captions) {
  importForStocks_ = forStocks;
  ignoreText_ = captions.Text("Ignore Caption");
  for (auto& box : boxes_) {
    box.items.clear();
    box.items.push_back(ignoreText_);
    for (int c = 0; c < table.ColCount(); ++c) box.items.push_back(table.Cell(c, 0));
    box.itemIndex = 0;
  }
}

void ImportModel::SetItemIndex(int box, int index) {
  MappingBox& target = boxes_.at(box);
  target.itemIndex = index >= 0 && index < static_cast<int>(target.items.size()) ? index : 0;
}

const char* ImportModel::MappingSection() const {
  return importForStocks_ ? kSheetFieldsSection : kPartFieldsSection;
}

void ImportModel::LoadMapping(const TIniFile& mapping) {
  for (int k = 0; k < kMappingBoxCount; ++k) {
    SetItemIndex(k, mapping.ReadInteger(MappingSection(), MappingKey(k), 0));
  }
}

void ImportModel::SaveMapping(TIniFile& mapping) const {
  mapping.BeginUpdate();
  for (int k = 0; k < kMappingBoxCount; ++k) {
    mapping.WriteInteger(MappingSection(), MappingKey(k), boxes_[k].itemIndex);
  }
  mapping.Commit();
}

MappingCheck ImportModel::UpdateToStrList(const CaptionTable& captions) {
  importFieldList_.clear();
  for (const auto& box : boxes_) importFieldList_.push_back(box.Text());
  for (int i = 0; i < kMappingBoxCount; ++i) {
    if (importFieldList_[i] == ignoreText_) continue;
    for (int j = i + 1; j < kMappingBoxCount; ++j) {
      if (importFieldList_[i] == importFieldList_[j]) {
        return {false, captions.Text("MSG_SAME_FIELD_ERROR"), j + 1};
      }
    }
  }
  return {};
}

void ImportModel::Activate() {
  bIsOK_ = false;
  bIsAppend_ = false;
}

void ImportModel::Cancel() { Activate(); }

MappingCheck ImportModel::Confirm(bool& flag, const CaptionTable& captions) {
  flag = true;
  MappingCheck check = UpdateToStrList(captions);
  if (!check.ok) flag = false;
  return check;
}

MappingCheck ImportModel::ConfirmCopy(const CaptionTable& captions) {
  return Confirm(bIsOK_, captions);
}

MappingCheck ImportModel::ConfirmAppend(const CaptionTable& captions) {
  return Confirm(bIsAppend_, captions);
}

ImportResult ImportModel::ReadCSVFile_utf8(const std::string& sFileName) {
  ImportResult result = tralvin::ReadCSVFile_utf8(sFileName, preview_);
  // A file that cannot be read leaves the preview as it was, so the name of
  // the file the preview came from stays too; otherwise a following Copy
  // would name the table after a file it does not hold.
  if (result.ok) importFileName_ = sFileName;
  return result;
}

WorkbookImportResult ImportModel::ReadExcelFile(const std::string& sFileName,
                                                int m_excel_sheet_index,
                                                const CaptionTable& captions) {
  importFileName_ = sFileName;
  return tralvin::ReadExcelFile(sFileName, m_excel_sheet_index, preview_, sheetNames_, captions);
}

}  // namespace tralvin
