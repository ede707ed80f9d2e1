// Import and export of the stock and piece tables as the main window runs
// them: the Import and Export buttons of both table pages, and a file
// dropped onto a page. Owns the import window and the export file-type
// window (each created once and reused) and works on the program state.
#pragma once

#include <QObject>
#include <QString>

#include "tables/export_result.h"
#include "tables/import_transfer.h"
#include "tables/table_grids.h"

class QWidget;

namespace tralvin {
struct StartupState;
}

namespace tralvin::ui {

class TFormImportData;
class TFormExportFileTypeSelect;
class TablePage;

class TableImportExport : public QObject {
  Q_OBJECT

 public:
  // `window` is the parent of both dialogs and of the messages.
  TableImportExport(StartupState& state, QWidget* window);

  TFormImportData& ImportForm() { return *importForm_; }
  TFormExportFileTypeSelect& ExportForm() { return *exportForm_; }

  // ButtonImportSheetsClick / ButtonImportPartsClick: opens the import window
  // for the table (modal, returns at once); with `fileName` that file is read
  // into the preview first. When the window closes, TableImported follows.
  void ImportInto(GridKind kind, const QString& fileName = {});
  // ButtonSheetsExportExcelClick / ButtonPartsExportExcelClick: opens the
  // file-type window (modal, returns at once); then the save dialog and the
  // writer. The stock table is not exported in best-dimension mode.
  void ExportFrom(GridKind kind);
  // Lets `page` open the import window for `kind` with a dropped file.
  void AcceptDrops(QWidget* page, GridKind kind);
  // Puts the Import and Export buttons (ButtonImportSheets and
  // ButtonSheetsExportExcel, or ButtonImportParts and ButtonPartsExportExcel)
  // into the page's button bar, lets the page take dropped files, and
  // redraws the page with its totals after an import into its table.
  void AddToPage(TablePage& page);

 signals:
  // The table's cells changed: the page redraws its grid, recomputes its
  // totals and shows the file name from the settings (EditSheetsFileName /
  // EditPartsFileName), which the import has set already.
  void TableImported(tralvin::GridKind kind);
  // After an export was written or refused (the refusal has been shown).
  void TableExported(tralvin::GridKind kind, const tralvin::ExportResult& result);

 private:
  void OnImported(GridKind kind, const ImportOutcome& outcome);
  void OnExportChosen();
  StringGrid& Table(GridKind kind);

  StartupState& state_;
  QWidget* window_;
  TFormImportData* importForm_;
  TFormExportFileTypeSelect* exportForm_;
  GridKind exportKind_ = GridKind::Sheets;
};

}  // namespace tralvin::ui
