// The state of the import window (TFormImportData) without the window: the
// preview grid, the sheet list, the eleven mapping boxes, the confirmation
// flags and the mapping file. The window draws this model and forwards its
// events to it.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "tables/import_file_types.h"
#include "tables/import_result.h"
#include "tables/import_workbook.h"
#include "tables/string_grid.h"

namespace tralvin {

class CaptionTable;
class TIniFile;

inline constexpr int kMappingBoxCount = 11;

// Texts the window puts on its controls.
inline constexpr const char* kImportTxtButtonCaption = "Open CSV file";
inline constexpr const char* kImportExcelButtonCaption = "Open EXCEL file";
inline constexpr const char* kSelectSheetLabelCaption = "Select sheet in EXCEL";
inline constexpr const char* kSelectFieldLabelCaption = "Designate column to field of database:";
inline constexpr const char* kCopyButtonCaption = "Copy to database";
inline constexpr const char* kAppendButtonCaption = "Append to database";

// Sections of the mapping file "default" in StartFolder.
inline constexpr const char* kMappingFileName = "default";
inline constexpr const char* kSheetFieldsSection = "SHEET_FIELDS";
inline constexpr const char* kPartFieldsSection = "PART_FIELDS";

// "FIELD01" ... "FIELD11" for box 0 ... 10.
std::string MappingKey(int box);

// The outcome of UpdateToStrList: when not ok, the window shows `message` in
// a warning box and gives the focus to mapping box `focusBox` (1 ... 11).
struct MappingCheck {
  bool ok = true;
  std::string message;
  int focusBox = 0;
};

// One drop-down list: its items and the selected one (-1: none).
struct MappingBox {
  std::vector<std::string> items;
  int itemIndex = -1;
  std::string Text() const;
};

class ImportModel {
 public:
  // The preview has 11 columns and 500 rows, as at start-up.
  ImportModel();

  StringGrid& Preview() { return preview_; }
  const StringGrid& Preview() const { return preview_; }
  // Empties every preview cell; the row count stays.
  void ClearImportGrid();

  // Opening for a table: sets ImportForStocks and rebuilds the items of every
  // box: the ignore text ("Ignore Caption"), then the row-0 titles of the
  // table's columns, left to right. Every box is left on item 0.
  void PrepareMappingBoxes(bool forStocks, const StringGrid& table, const CaptionTable& captions);
  const MappingBox& Box(int box) const { return boxes_.at(box); }
  // Selects an item of box 0 ... 10; an index outside the items selects the
  // ignore item, so a stale mapping file never leaves a box without a choice.
  void SetItemIndex(int box, int index);
  // The ignore text of the current opening.
  const std::string& IgnoreText() const { return ignoreText_; }

  // The mapping section of the current table ("SHEET_FIELDS" or "PART_FIELDS").
  const char* MappingSection() const;
  // Selects in box k the integer under FIELD01 ... FIELD11 (0 when missing).
  void LoadMapping(const TIniFile& mapping);
  // Writes the selected item index of every box back under the same keys.
  void SaveMapping(TIniFile& mapping) const;

  // Puts the box texts into ImportFieldList and checks that no two boxes
  // (other than the ignore text) name the same column.
  MappingCheck UpdateToStrList(const CaptionTable& captions);
  const std::vector<std::string>& ImportFieldList() const { return importFieldList_; }

  // Events of the window. Activating it and Cancel clear both flags; the two
  // confirm buttons set their flag and run UpdateToStrList; the window closes
  // when the check is ok. A failed check clears the flag again, so closing
  // the window by its frame afterwards imports nothing.
  void Activate();
  void Cancel();
  MappingCheck ConfirmCopy(const CaptionTable& captions);
  MappingCheck ConfirmAppend(const CaptionTable& captions);
  bool IsOK() const { return bIsOK_; }
  bool IsAppend() const { return bIsAppend_; }

  // Reading files into the preview; the name becomes ImportFileName (for a
  // text file only when it was read: a failed read changes nothing).
  ImportResult ReadCSVFile_utf8(const std::string& sFileName);
  // Also refills SheetNames(); the window selects m_excel_sheet_index in it.
  WorkbookImportResult ReadExcelFile(const std::string& sFileName, int m_excel_sheet_index,
                                     const CaptionTable& captions);
  const std::vector<std::string>& SheetNames() const { return sheetNames_; }

  const std::string& ImportFileName() const { return importFileName_; }
  void SetImportFileName(std::string name) { importFileName_ = std::move(name); }
  bool ImportForStocks() const { return importForStocks_; }

 private:
  MappingCheck Confirm(bool& flag, const CaptionTable& captions);

  StringGrid preview_;
  std::array<MappingBox, kMappingBoxCount> boxes_;
  std::string ignoreText_;
  std::vector<std::string> importFieldList_;
  std::vector<std::string> sheetNames_;
  std::string importFileName_;
  bool importForStocks_ = true;
  bool bIsOK_ = false;
  bool bIsAppend_ = false;
};

}  // namespace tralvin
