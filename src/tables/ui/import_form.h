// The import window TFormImportData: a file read into the editable preview,
// the worksheet list, the eleven mapping boxes above the preview columns and
// "Copy to database" / "Append to database" / cancel. It draws the core's
// ImportModel and leaves every decision (reading, mapping check, Copy,
// Append, mapping file) to it.
#pragma once

#include <QDialog>
#include <array>

#include "tables/import_file_kind.h"
#include "tables/import_model.h"
#include "tables/import_transfer.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QWidget;

namespace tralvin {
class CaptionTable;
class SettingsModel;
}  // namespace tralvin

namespace tralvin::ui {

class PreviewGridModel;

class TFormImportData : public QDialog {
  Q_OBJECT

 public:
  // Created once and reused: the preview keeps its rows between openings.
  // `settings` holds the remembered folders and StartFolder.
  TFormImportData(const CaptionTable& captions, SettingsModel& settings, QWidget* parent = nullptr);

  ImportModel& Model() { return model_; }
  const ImportTarget& Target() const { return target_; }

  // Opening an import into `target`: the window's caption and hint, the
  // button captions, the mapping boxes and their selection from the mapping
  // file; then shows the window (modal, returns at once). When the window
  // closes, Copy or Append runs as confirmed and Imported is emitted.
  void OpenFor(const ImportTarget& target, const QString& caption, const QString& hint);

  // Reads a file into the preview with the reader its name calls for
  // (`fallback` when the name tells none). A failure is shown with the
  // reason; returns whether the file was read.
  bool ReadFile(const QString& fileName, ImportFileKind fallback);
  bool ReadCSVFile_utf8(const QString& sFileName);
  bool ReadExcelFile(const QString& sFileName, int m_excel_sheet_index);
  void ClearImportGrid();

 signals:
  // After the window closed: the outcome of Copy/Append (tableChanged false
  // when nothing was imported). A failure has already been shown.
  void Imported(tralvin::GridKind kind, const tralvin::ImportOutcome& outcome);

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildControls();
  void ButtonImportTXTClick();
  void ButtonImportEXCELClick();
  void ComboBoxSheetNameChange(int index);
  void Confirm(bool append);
  void ButtonCancelClick();
  void Finish();
  void FillMappingBoxes();
  void FillSheetNames(int selected);
  void PlaceMappingBoxes();

  const CaptionTable& captions_;
  SettingsModel& settings_;
  ImportModel model_;
  ImportTarget target_;

  PreviewGridModel* previewModel_ = nullptr;
  QPushButton* buttonImportTXT_ = nullptr;
  QPushButton* buttonImportEXCEL_ = nullptr;
  QPushButton* buttonImportXML_ = nullptr;
  QLabel* lblSelectEXCELSheet_ = nullptr;
  QComboBox* comboBoxSheetName_ = nullptr;
  QLabel* lblSelectFieldFromEXCEL_ = nullptr;
  QWidget* mappingStrip_ = nullptr;
  std::array<QComboBox*, kMappingBoxCount> mappingBoxes_{};
  QTableView* stringGridImportData_ = nullptr;
  QPushButton* buttonOK_ = nullptr;
  QPushButton* buttonAppend_ = nullptr;
  QPushButton* buttonCancel_ = nullptr;
};

}  // namespace tralvin::ui
