// One table tab of the main window: the stock grid (StringGridSheets) or the
// piece grid (StringGridParts) with its totals, its file name box and its
// buttons Load, Save, Save As..., Append, Delete This Record, Delete All
// Records and Delete Empty (and, for stocks, the Best Dimension switch and
// the priority editor). Every operation is the core's; the page binds the
// core grid to a view and acts on what the operations return.
#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "app/startup.h"
#include "tables/grid_sort.h"
#include "tables/table_grids.h"

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tralvin::ui {

class StringGridModel;
class TypeEditor;

class TablePage : public QWidget {
  Q_OBJECT

 public:
  // `state` holds the grid, the settings (file names, folders, Measure), the
  // captions and the best-dimension mode; `sort` the window's sort state;
  // `typeEditor` the type drop-down shared by both pages.
  TablePage(GridKind kind, StartupState& state, TableSortState& sort, TypeEditor& typeEditor,
            QWidget* parent = nullptr);

  GridKind Kind() const { return kind_; }
  StringGrid& Grid();
  QTableView* View() const { return view_; }
  StringGridModel* Model() const { return model_; }
  // The row of buttons below the grid; other windows add their buttons here
  // (Import, Export, Print Label).
  QHBoxLayout* ButtonBar() const { return buttons_; }

  // Call after the grid changed outside this page (import, update after
  // cutting, a job that filled in cells): the view, titles and file name.
  void Refresh();
  GridCell CurrentCell() const;
  // Makes the cell current (runs the current-cell handling when it moved).
  void SetCurrentCell(GridCell cell);

  // --- Handlers ---
  void EnterPressed();     // TotalSheetsData / TotalPartsData
  bool RecomputeTotals();  // TotalOfSheets / TotalOfParts; false after a failure
  // The totals shown, or the failure returned for the caller to show.
  std::optional<GridFailure> ComputeTotals();
  void ShowFailure(const GridFailure& failure);  // tab shown, cell selected, warning
  // The tab shown, the grid focused and the cell made current, without a box.
  void SelectFailureCell(GridCell cell);
  // Ends any edit in progress (cell editor, type or priority drop-down), so
  // the grid holds what the user typed.
  void FinishEditing();
  void DeleteClick();             // SheetsDeleteClick / PartsDeleteClick
  void DeleteAllClick();          // SheetsDeleteAllClick / PartsDeleteAllClick
  void DeleteEmptyClick();        // ButtonSheetsDeleteEmptyClick / ButtonPartsDeleteEmptyClick
  void SortByColumn(int column);  // onsheetsGridMousedown / onpartsGridMousedown
  void OpenClick();               // SheetsOpenClick / PartsOpenClick
  void SaveClick();               // SheetsSaveClick / PartsSaveClick
  void SaveasClick();             // SheetsSaveasClick / PartsSaveasClick
  void AppendClick();  // ButtonAppendSheetsFromFileClick / ButtonAppendPartsFromFileClick
  void BestDimensionClick(bool checked);  // CheckBoxBestDimensionClick (stocks)
  void ApplyBestDimension();              // SwitchBestDimension (stocks)

  // --- Table files (the file name is shown when the operation says so) ---
  void ReadFile(const std::string& fileName);  // ReadSheetsFile / ReadPartsFile
  // SaveSheetsFile / SavePartsFile; a refused write is reported in a warning.
  bool SaveFile(const std::string& fileName, bool bChangeEditFilename);
  void AppendFile(const std::string& fileName);  // AppendSheetsFile / AppendPartsFile

  // Clipboard: the selected block as tab-separated text; a paste at the
  // current cell.
  void CopySelection();
  void Paste();

  // The file name shown (EditSheetsFileName / EditPartsFileName).
  std::string FileName() const;

 signals:
  void fileNameChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build();
  void OnCurrentChanged(GridCell cell);
  void ShowPriorityEditor(GridCell cell, int item);
  void LeavePriorityEditor();
  void ShowFileName();
  void ShowOwnTab();
  void ChosenFolderRemembered(const QString& file);
  std::string& FileNameField();
  const char* FolderKey() const;
  QString Caption(const char* control) const;

  GridKind kind_;
  StartupState& state_;
  TableSortState& sort_;
  TypeEditor& typeEditor_;
  StringGridModel* model_ = nullptr;
  QTableView* view_ = nullptr;
  QHBoxLayout* buttons_ = nullptr;
  QLineEdit* fileName_ = nullptr;
  QLineEdit* totalLength_ = nullptr;
  QLineEdit* totalNumber_ = nullptr;
  QLineEdit* totalCost_ = nullptr;
  QWidget* totals_ = nullptr;
  QPushButton* save_ = nullptr;
  QCheckBox* bestDimension_ = nullptr;
  QComboBox* priority_ = nullptr;
  GridCell priorityCell_;
  GridCell lastCell_{-1, -1};
  bool restoring_ = false;
};

}  // namespace tralvin::ui
