// Pictures of the import and export windows over a small sample table.
#include "tables/ui/import_export_screenshots.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>

#include "app/startup.h"
#include "tables/export_xlsx.h"
#include "tables/table_grids.h"
#include "tables/ui/export_form.h"
#include "tables/ui/import_form.h"
#include "tables/ui/table_import_export.h"

namespace tralvin::ui {

namespace {

StringGrid SampleStocks(const CaptionTable& captions) {
  StringGrid sheets = MakeSheetsGrid(captions, false, "mm");
  sheets.SetRow(1, {"Bar 40x40", "steel", "6000", "12", "18.5", "1", "rack A"});
  sheets.SetRow(2, {"Bar 40x40", "steel", "3000", "4", "9.9", "2", "offcuts"});
  sheets.SetRow(3, {"Tube 25", "alu", "6500", "20", "11", "1", ""});
  sheets.SetRow(4, {"Batten", "pine", "4200", "35", "3.2", "1", "dry store"});
  sheets.SetRow(5, {"Batten", "pine", "2400", "10", "1.9", "3", ""});
  return sheets;
}

bool Save(QWidget& widget, const QString& file) {
  QApplication::processEvents();
  return widget.grab().save(file);
}

}  // namespace

QStringList SaveImportExportScreenshots(const QString& folder) {
  QStringList written;
  QDir().mkpath(folder);
  QTemporaryDir scratch;
  StartupState state(scratch.path().toStdString());
  state.sheets = MakeSheetsGrid(state.captions, false, "mm");
  state.parts = MakePartsGrid(state.captions);
  const QString book = scratch.filePath("stock list.xlsx");
  WriteSheetsExcelFile(SampleStocks(state.captions), book.toStdString(), false);

  QWidget window;
  TableImportExport io(state, &window);
  TFormImportData& importForm = io.ImportForm();
  io.ImportInto(GridKind::Sheets, book);
  for (int k = 0; k < kSheetColCount; ++k) {
    importForm.findChild<QComboBox*>(QString("ComboBox%1").arg(k + 1))->setCurrentIndex(k + 1);
  }
  const QString importPng = QDir(folder).filePath("import_window.png");
  if (Save(importForm, importPng)) written << importPng;
  importForm.reject();

  io.ExportFrom(GridKind::Sheets);
  const QString exportPng = QDir(folder).filePath("export_window.png");
  if (Save(io.ExportForm(), exportPng)) written << exportPng;
  io.ExportForm().reject();
  return written;
}

}  // namespace tralvin::ui
