// The label window TFormPrintLabel: the label sheet, the label design, the
// nine label schemes, the label data table with sorting and Distinct, a
// preview at real size and printing through the printer. The core computes
// every label; this window shows fields and paints drawing commands.
#pragma once

#include <QDialog>
#include <QPrinter>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/drawing.h"
#include "labels/label_data.h"
#include "labels/label_design.h"
#include "labels/label_sheet.h"
#include "tables/string_grid.h"
#include "texts/caption_table.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTableWidget;

namespace tralvin {
class SettingsModel;
}  // namespace tralvin

namespace tralvin::ui {

class LabelPreview;

class TFormPrintLabel : public QDialog {
  Q_OBJECT

 public:
  // `settings` holds the label font and the start folder (option file of the
  // schemes); `printer` is the program's printer, or null for one of its own.
  TFormPrintLabel(SettingsModel& settings, QPrinter* printer = nullptr, QWidget* parent = nullptr);
  ~TFormPrintLabel() override;

  // RefreshPrintLabelCaption: the window's texts from the caption table.
  void ApplyCaptions(const CaptionTable& captions);
  // The data table: row 0 the headings (read when the window is shown), then one row per label.
  void SetLabelData(StringGrid data);
  const StringGrid& LabelData() const { return data_; }
  // The selected item of ComboBoxLabelSchemes (-1: none).
  void SelectSchemeItem(int item);
  int SchemeItem() const;

  const LabelDesign& Design() const { return design_; }
  const LabelSortState& SortState() const { return sort_; }
  QPrinter& Printer() { return *printer_; }
  // The last preview drawn (device pixels of the screen); empty while the sheet is invalid.
  const DrawingPage& PreviewPage() const { return preview_; }
  int PreviewPaintCount() const;

  // Replaceable for tests: the print dialog (true: print) and the printer setup dialog.
  std::function<bool(QPrinter&, QWidget*)> printDialog;
  std::function<bool(QPrinter&, QWidget*)> printSetupDialog;

  // The window's operations.
  bool ReadPrintLabelOption();
  bool ReadPrintOptions();
  void PrintLabelFromTo(int nFromRow, int nToRow);
  void LoadLabelScheme(const std::string& sFileName, int nIndex);
  void SaveLabelScheme(const std::string& sFileName, int nIndex);

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void onshowlabelprint();
  void onchangeLabelScheme();
  void ButtonSaveLabelSchemeClick();
  void ButtonRefreshPreviewLabelClick();
  void onclickLabelData(int row, int col);
  void onlostfocus();
  void oncolresized(int col, int oldWidth, int newWidth);
  void ScrollBarLabelRowCountChange(int position);
  void ScrollBarLabelColCountChange(int position);
  void ButtonPrintSetupClick();
  void ButtonPrintAllLabelClick();
  void ButtonPrintSelectedClick();
  void StringGridLabelDataMouseDown(int col);
  void ButtonMergeTheSameClick();
  void ButtonLabelFontSetupClick();

  // Fields <-> design.
  void ShowDesign();
  void TakeFields();
  void ShowLayoutGrid();
  void ShowData();
  PrintableArea PrinterArea() const;
  bool Warn(const SheetReading& reading, bool onceOnly);
  QLineEdit* FieldEdit(LabelField field) const;
  std::string SchemeFile() const;
  void PrintRows(int nFromRow, int nToRow);

  SettingsModel& settings_;
  CaptionTable captions_;
  std::unique_ptr<QPrinter> ownPrinter_;
  QPrinter* printer_ = nullptr;
  LabelDesign design_;
  StringGrid data_{kLabelDataColumns, 1};
  LabelSortState sort_;
  SheetValues sheet_;
  DrawingPage preview_;
  std::string lastWarning_;  // the failure warned about, until the sheet reads well again
  bool loading_ = false;
  bool distinctUsed_ = false;
  int editRow_ = -1, editCol_ = -1;

  QComboBox* ComboBoxMeasure = nullptr;
  QLineEdit *EditLabelColNumber = nullptr, *EditLabelRowNumber = nullptr;
  QLineEdit *EditLabelHorizontalGap = nullptr, *EditLabelVerticalGap = nullptr;
  QLineEdit *EditLengthMarge = nullptr, *EditWidthMarge = nullptr;
  QCheckBox* CheckBoxTopTitle = nullptr;
  QLineEdit* EditTopTitleCaption = nullptr;
  QComboBox* ComboBoxTopTitleData = nullptr;
  QLineEdit* EditTopTitleWidth = nullptr;
  QCheckBox* CheckBoxLeftTitle = nullptr;
  QLineEdit* EditLeftTitleCaption = nullptr;
  QComboBox* ComboBoxLeftTitleData = nullptr;
  QLineEdit* EditLeftTitleLength = nullptr;
  QTableWidget* StringGridLabelDataFormat = nullptr;
  QScrollBar *ScrollBarLabelColCount = nullptr, *ScrollBarLabelRowCount = nullptr;
  QComboBox* ComboBoxLabelGridData = nullptr;
  QTableWidget* StringGridLabelData = nullptr;
  QComboBox* ComboBoxLabelSchemes = nullptr;
  QPushButton* ButtonSaveLabelScheme = nullptr;
  QLineEdit *EditPrintLabelFromRow = nullptr, *EditPrintLabelFromCol = nullptr;
  QPushButton *ButtonPrintAllLabel = nullptr, *ButtonPrintSelected = nullptr;
  QPushButton *ButtonPrintSetup = nullptr, *ButtonMergeTheSame = nullptr;
  QPushButton* ButtonLabelFontSetup = nullptr;
  LabelPreview* PaintBoxPrintLabelPreview = nullptr;
  QLabel *ImagePrintPage = nullptr, *ImageLabelDetail = nullptr;
  // Caption labels, by caption entry.
  std::vector<std::pair<QLabel*, const char*>> captionLabels_;
  QLabel* LabelPreviewCaption = nullptr;
};

}  // namespace tralvin::ui
