// The Import and Export buttons of the table pages and dropped files.
#include "tables/ui/table_import_export.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QWidget>

#include "app/startup.h"
#include "app/ui/message_box.h"
#include "tables/export_choice.h"
#include "tables/import_file_kind.h"
#include "tables/ui/export_form.h"
#include "tables/ui/file_choice.h"
#include "tables/ui/import_drop.h"
#include "tables/ui/import_form.h"
#include "tables/ui/table_page.h"

namespace tralvin::ui {

TableImportExport::TableImportExport(StartupState& state, QWidget* window)
    : QObject(window),
      state_(state),
      window_(window),
      importForm_(new TFormImportData(state.captions, state.settings, window)),
      exportForm_(new TFormExportFileTypeSelect(window)) {
  connect(importForm_, &TFormImportData::Imported, this, &TableImportExport::OnImported);
  connect(exportForm_, &QDialog::finished, this, &TableImportExport::OnExportChosen);
}

StringGrid& TableImportExport::Table(GridKind kind) {
  return kind == GridKind::Sheets ? state_.sheets : state_.parts;
}

void TableImportExport::ImportInto(GridKind kind, const QString& fileName) {
  ImportTarget target;
  target.kind = kind;
  target.table = &Table(kind);
  target.bestDimensionMode = state_.bestDimensionMode;
  target.startFolder = state_.settings.StartFolder();
  // Both import buttons carry the caption of "Import Caption".
  importForm_->OpenFor(target, QString::fromStdString(state_.captions.Text("Import Caption")),
                       QString::fromStdString(state_.captions.Hint("Import Caption")));
  if (!fileName.isEmpty()) importForm_->ReadFile(fileName, ImportFileKind::Text);
}

void TableImportExport::OnImported(GridKind kind, const ImportOutcome& outcome) {
  if (outcome.fileNameText) {
    std::string& shown = kind == GridKind::Sheets ? state_.settings.EditSheetsFileName
                                                  : state_.settings.EditPartsFileName;
    shown = *outcome.fileNameText;
  }
  if (outcome.tableChanged) emit TableImported(kind);
}

void TableImportExport::ExportFrom(GridKind kind) {
  if (kind == GridKind::Sheets && state_.bestDimensionMode) return;
  exportKind_ = kind;
  // Both tables use the caption of the stock table's export button.
  exportForm_->Prepare(QString::fromStdString(state_.captions.Text("Export Caption")),
                       state_.captions);
  exportForm_->open();
}

void TableImportExport::OnExportChosen() {
  const ExportChoice& choice = exportForm_->Choice();
  if (!choice.IsTxtFile() && !choice.IsExcelFile()) return;
  const bool workbook = choice.IsExcelFile();
  const QString name = ChooseExportFile(
      window_, ExportDialogSettings(exportKind_, workbook, state_.captions), state_.settings);
  if (name.isEmpty()) return;
  const ExportResult result = RunExport(exportKind_, Table(exportKind_), name.toStdString(),
                                        workbook, choice.IncludeColumnTitles());
  if (!result.ok) ShowWarning(window_, QString::fromStdString(result.message));
  emit TableExported(exportKind_, result);
}

void TableImportExport::AddToPage(TablePage& page) {
  const GridKind kind = page.Kind();
  const bool sheets = kind == GridKind::Sheets;
  const auto addButton = [&](const char* objectName, const char* captionKey) {
    auto* button = new QPushButton(QString::fromStdString(state_.captions.Text(captionKey)), &page);
    button->setObjectName(objectName);
    button->setToolTip(QString::fromStdString(state_.captions.Hint(captionKey)));
    // Before the stretch that closes the bar.
    QHBoxLayout* bar = page.ButtonBar();
    bar->insertWidget(bar->count() - 1, button);
    return button;
  };
  connect(addButton(sheets ? "ButtonImportSheets" : "ButtonImportParts", "Import Caption"),
          &QPushButton::clicked, this, [this, kind] { ImportInto(kind); });
  connect(
      addButton(sheets ? "ButtonSheetsExportExcel" : "ButtonPartsExportExcel", "Export Caption"),
      &QPushButton::clicked, this, [this, kind] { ExportFrom(kind); });
  AcceptDrops(&page, kind);
  connect(this, &TableImportExport::TableImported, &page, [&page, kind](GridKind changed) {
    if (changed != kind) return;
    page.Refresh();
    page.RecomputeTotals();
  });
}

void TableImportExport::AcceptDrops(QWidget* page, GridKind kind) {
  new ImportDropFilter(page, [this, kind](const QString& path) { ImportInto(kind, path); });
}

}  // namespace tralvin::ui
