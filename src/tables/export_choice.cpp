// Dialog settings of import and export, and the export dispatch.
#include "tables/export_choice.h"

#include "tables/export_xlsx.h"
#include "tables/import_file_types.h"
#include "tables/text_table_export.h"
#include "texts/caption_table.h"

namespace tralvin {

std::string ExportChoice::CheckBoxCaption(const CaptionTable& captions) {
  return captions.Text("Include Column Titles Caption");
}

FileDialogSettings ImportDialogSettings(bool forStocks, bool workbook,
                                        const CaptionTable& captions) {
  const std::string title = captions.Text("MSG_OPEN_FILE_TITLE");
  FileDialogSettings dialog;
  dialog.title = title;
  if (workbook) {
    dialog.filter = title + kWorkbookImportFilter;
    dialog.defaultExt = kWorkbookImportDefaultExt;
    dialog.folderKey = forStocks ? "DIR_IMPORT_SHEETS_EXCEL" : "DIR_IMPORT_PARTS_EXCEL";
  } else {
    dialog.filter = title + kCsvFilter;
    dialog.defaultExt = kCsvDefaultExt;
    dialog.folderKey = forStocks ? "DIR_IMPORT_SHEETS_TXT" : "DIR_IMPORT_PARTS_TXT";
  }
  return dialog;
}

FileDialogSettings ExportDialogSettings(GridKind kind, bool workbook,
                                        const CaptionTable& captions) {
  const bool stocks = kind == GridKind::Sheets;
  const std::string title =
      captions.Text(stocks ? "MSG_OPEN_FILE_TITLE" : "MSG_SAVE_AS_FILE_TITLE");
  FileDialogSettings dialog;
  dialog.title = title;
  if (workbook) {
    dialog.filter = title + kWorkbookExportFilter;
    dialog.defaultExt = kWorkbookExportDefaultExt;
    dialog.folderKey = stocks ? "DIR_EXPORT_SHEETS_EXCEL" : "DIR_EXPORT_PARTS_EXCEL";
  } else {
    dialog.filter = title + kCsvFilter;
    dialog.defaultExt = kCsvDefaultExt;
    dialog.folderKey = stocks ? "DIR_EXPORT_SHEETS_TXT" : "DIR_EXPORT_PARTS_TXT";
  }
  return dialog;
}

ExportResult RunExport(GridKind kind, const StringGrid& table, const std::string& fileName,
                       bool workbook, bool bIncludeTitle) {
  const bool stocks = kind == GridKind::Sheets;
  if (workbook) {
    return stocks ? WriteSheetsExcelFile(table, fileName, bIncludeTitle)
                  : WritePartsExcelFile(table, fileName, bIncludeTitle);
  }
  return stocks ? WriteSheetsTxtFile(table, fileName, bIncludeTitle)
                : WritePartsTxtFile(table, fileName, bIncludeTitle);
}

}  // namespace tralvin
