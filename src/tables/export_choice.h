// The export of a table from its export button: the file-type window
// (TFormExportFileTypeSelect) as a model, the file dialogs' settings of
// import and export, and running the chosen writer.
#pragma once

#include <string>

#include "tables/export_result.h"
#include "tables/string_grid.h"
#include "tables/table_grids.h"

namespace tralvin {

class CaptionTable;

inline constexpr const char* kExportTxtButtonCaption = "CSV";
inline constexpr const char* kExportExcelButtonCaption = "EXCEL";

// The file-type window: created once, so the check box keeps its state from
// one export to the next (off at start). Activating the window clears the
// choice, so closing it by its frame exports nothing.
class ExportChoice {
 public:
  void Activate() {
    bIsTXTfile_ = false;
    bIsEXCELfile_ = false;
  }
  void ChooseTxtFile() {
    bIsTXTfile_ = true;
    bIsEXCELfile_ = false;
  }
  void ChooseExcelFile() {
    bIsEXCELfile_ = true;
    bIsTXTfile_ = false;
  }
  bool IsTxtFile() const { return bIsTXTfile_; }
  bool IsExcelFile() const { return bIsEXCELfile_; }
  bool IncludeColumnTitles() const { return includeTitles_; }
  void SetIncludeColumnTitles(bool on) { includeTitles_ = on; }
  // The check box caption, set before every showing.
  static std::string CheckBoxCaption(const CaptionTable& captions);

 private:
  bool bIsTXTfile_ = false;
  bool bIsEXCELfile_ = false;
  bool includeTitles_ = false;
};

// Settings of an open or save dialog: filter ("caption text" + pattern),
// title, default extension (without dot) and the option-file key of the
// remembered folder. The file name starts empty.
struct FileDialogSettings {
  std::string filter;
  std::string title;
  std::string defaultExt;
  std::string folderKey;
};

// The open dialog of the import window for a comma-separated file or a workbook.
FileDialogSettings ImportDialogSettings(bool forStocks, bool workbook,
                                        const CaptionTable& captions);
// The save dialog of an export: titled by MSG_OPEN_FILE_TITLE for stocks and
// by MSG_SAVE_AS_FILE_TITLE for pieces.
FileDialogSettings ExportDialogSettings(GridKind kind, bool workbook, const CaptionTable& captions);

// Writes the table with the writer the choice names (text or workbook).
ExportResult RunExport(GridKind kind, const StringGrid& table, const std::string& fileName,
                       bool workbook, bool bIncludeTitle);

}  // namespace tralvin
