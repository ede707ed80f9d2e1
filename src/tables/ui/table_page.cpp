// The Stocks and Pieces tabs: grid, totals, file name box and buttons.
#include "tables/ui/table_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "app/ui/file_dialog.h"
#include "app/ui/message_box.h"
#include "base/pubfunc.h"
#include "tables/best_dimension.h"
#include "tables/grid_clipboard.h"
#include "tables/grid_editing.h"
#include "tables/grid_totals.h"
#include "tables/table_files.h"
#include "tables/table_load.h"
#include "tables/ui/string_grid_model.h"
#include "tables/ui/type_editor.h"

namespace tralvin::ui {

namespace {

// Enter in a cell editor commits the text, closes the editor and moves on.
class EnterDelegate : public QStyledItemDelegate {
 public:
  explicit EnterDelegate(TablePage* page) : QStyledItemDelegate(page), page_(page) {}

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      auto* editor = qobject_cast<QWidget*>(object);
      if (editor && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        page_->EnterPressed();
        return true;
      }
    }
    return QStyledItemDelegate::eventFilter(object, event);
  }

 private:
  TablePage* page_;
};

QString Q(const std::string& text) { return QString::fromStdString(text); }

const TPubFunc& Pub() {
  static const TPubFunc pub;
  return pub;
}

}  // namespace

TablePage::TablePage(GridKind kind, StartupState& state, TableSortState& sort,
                     TypeEditor& typeEditor, QWidget* parent)
    : QWidget(parent), kind_(kind), state_(state), sort_(sort), typeEditor_(typeEditor) {
  setObjectName(kind == GridKind::Sheets ? "TablePageSheets" : "TablePageParts");
  Build();
  ShowFileName();
}

StringGrid& TablePage::Grid() { return kind_ == GridKind::Sheets ? state_.sheets : state_.parts; }

std::string& TablePage::FileNameField() {
  return kind_ == GridKind::Sheets ? state_.settings.EditSheetsFileName
                                   : state_.settings.EditPartsFileName;
}

std::string TablePage::FileName() const {
  return kind_ == GridKind::Sheets ? state_.settings.EditSheetsFileName
                                   : state_.settings.EditPartsFileName;
}

const char* TablePage::FolderKey() const {
  return kind_ == GridKind::Sheets ? "DIR_SHEETS" : "DIR_PARTS";
}

QString TablePage::Caption(const char* control) const {
  return Q(state_.captions.ControlCaption(control));
}

void TablePage::Build() {
  const bool sheets = kind_ == GridKind::Sheets;
  const auto name = [sheets](const char* s, const char* p) { return QString(sheets ? s : p); };
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);

  auto* fileRow = new QHBoxLayout;
  auto* fileLabel = new QLabel("File Name", this);
  fileLabel->setObjectName(name("LabelFileName_Sheets", "LabelFileName_Parts"));
  fileName_ = new QLineEdit(this);
  fileName_->setObjectName(name("EditSheetsFileName", "EditPartsFileName"));
  fileName_->setReadOnly(true);
  fileRow->addWidget(fileLabel);
  fileRow->addWidget(fileName_, 1);
  if (sheets) {
    bestDimension_ = new QCheckBox(Caption("CheckBoxBestDimension"), this);
    bestDimension_->setObjectName("CheckBoxBestDimension");
    bestDimension_->setChecked(state_.bestDimensionMode);
    connect(bestDimension_, &QCheckBox::clicked, this, &TablePage::BestDimensionClick);
    fileRow->addWidget(bestDimension_);
  }
  layout->addLayout(fileRow);

  model_ = new StringGridModel(Grid(), this);
  view_ = new QTableView(this);
  view_->setObjectName(name("StringGridSheets", "StringGridParts"));
  view_->setToolTip("Click Cell and Type Data, or Double Click Cell and Edit it");
  view_->setModel(model_);
  view_->setItemDelegate(new EnterDelegate(this));
  view_->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                         QAbstractItemView::EditKeyPressed);
  view_->setSortingEnabled(false);
  view_->horizontalHeader()->setSectionsClickable(true);
  view_->horizontalHeader()->setHighlightSections(false);
  view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 8);
  view_->installEventFilter(this);
  const int* widths = sheets ? state_.settings.SheetsGridColWidths.data()
                             : state_.settings.PartsGridColWidths.data();
  for (int c = 0; c < Grid().ColCount(); ++c) {
    // The option file's default of 64 pixels cuts most titles; start wide
    // enough for the title.
    const int title = view_->horizontalHeader()->fontMetrics().horizontalAdvance(
                          QString::fromStdString(Grid().Cell(c, 0))) +
                      24;
    view_->setColumnWidth(c, widths[c] == 64 ? std::max(112, title) : widths[c]);
  }
  view_->horizontalHeader()->setStretchLastSection(true);
  connect(view_->horizontalHeader(), &QHeaderView::sectionPressed, this, &TablePage::SortByColumn);
  connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) OnCurrentChanged({current.column(), current.row() + 1});
          });
  layout->addWidget(view_, 1);

  totals_ = new QWidget(this);
  totals_->setObjectName(name("PanelTotalsSheets", "PanelTotalsParts"));
  auto* totalsRow = new QHBoxLayout(totals_);
  totalsRow->setContentsMargins(0, 0, 0, 0);
  const auto addTotal = [this, totalsRow](const QString& labelName, const QString& caption,
                                          const QString& editName) {
    auto* label = new QLabel(caption, totals_);
    label->setObjectName(labelName);
    auto* edit = new QLineEdit(totals_);
    edit->setObjectName(editName);
    edit->setReadOnly(true);
    totalsRow->addWidget(label);
    totalsRow->addWidget(edit, 1);
    return edit;
  };
  totalLength_ =
      addTotal(name("LabelTotalArea_Sheets", "LabelTotalArea_Parts"),
               Caption("LabelTotalArea_Sheets"), name("EditTotalSheetsArea", "EditTotalPartsArea"));
  totalNumber_ = addTotal(name("LabelQty_Sheets", "LabelQty_Parts"), Caption("LabelQty_Sheets"),
                          name("EditTotalSheetsNumber", "EditTotalPartsNumber"));
  if (sheets) {
    totalCost_ = addTotal("LabelCost_Sheets", Caption("LabelCost_Sheets"), "EditTotalSheetsCost");
  }
  layout->addWidget(totals_);

  buttons_ = new QHBoxLayout;
  const auto addButton = [this](const QString& objectName, const char* captionOf,
                                const QString& fallback, void (TablePage::*handler)()) {
    const std::string caption = state_.captions.ControlCaption(captionOf);
    auto* button = new QPushButton(caption.empty() ? fallback : Q(caption), this);
    button->setObjectName(objectName);
    const CaptionEntry* entry = nullptr;
    for (const CaptionEntry& e : state_.captions.Entries()) {
      if (e.control == captionOf) entry = &e;
    }
    if (entry) button->setToolTip(Q(entry->hint));
    connect(button, &QPushButton::clicked, this, handler);
    buttons_->addWidget(button);
    return button;
  };
  addButton(name("SheetsOpen", "PartsOpen"), "SheetsOpen", "Load", &TablePage::OpenClick);
  save_ = addButton(name("SheetsSave", "PartsSave"), "SheetsSave", "Save", &TablePage::SaveClick);
  addButton(name("SheetsSaveas", "PartsSaveas"), "SheetsSaveas", "Save As...",
            &TablePage::SaveasClick);
  addButton(name("ButtonAppendSheetsFromFile", "ButtonAppendPartsFromFile"),
            "ButtonAppendSheetsFromFile", "Append", &TablePage::AppendClick);
  addButton(name("SheetsDelete", "PartsDelete"), "SheetsDelete", "Delete This Record",
            &TablePage::DeleteClick);
  addButton(name("SheetsDeleteAll", "PartsDeleteAll"), "SheetsDeleteAll", "Delete All Records",
            &TablePage::DeleteAllClick);
  QPushButton* empty = addButton(name("ButtonSheetsDeleteEmpty", "ButtonPartsDeleteEmpty"), "",
                                 "Delete Empty", &TablePage::DeleteEmptyClick);
  empty->setToolTip(sheets ? "Remove all panels quantity is zero"
                           : "Remove all parts quantity is zero");
  buttons_->addStretch(1);
  layout->addLayout(buttons_);

  if (sheets) {
    priority_ = new QComboBox(view_->viewport());
    priority_->setObjectName("ComboBoxPriority");
    for (int i = 0; i <= 9; ++i) priority_->addItem(QString::number(i));
    priority_->hide();
    priority_->installEventFilter(this);
  }
}

void TablePage::Refresh() {
  const GridCell current = CurrentCell();
  model_->Refresh();
  if (current.row >= 1) {
    restoring_ = true;
    SetCurrentCell({current.col, std::min(current.row, Grid().RowCount() - 1)});
    restoring_ = false;
  }
  ShowFileName();
}

GridCell TablePage::CurrentCell() const {
  const QModelIndex index = view_->currentIndex();
  if (!index.isValid()) return lastCell_.row >= 1 ? lastCell_ : GridCell{0, 1};
  return {index.column(), index.row() + 1};
}

void TablePage::SetCurrentCell(GridCell cell) {
  const QModelIndex index = model_->index(cell.row - 1, cell.col);
  if (!index.isValid()) return;
  view_->setCurrentIndex(index);
  view_->scrollTo(index);
  if (restoring_) lastCell_ = cell;
}

void TablePage::OnCurrentChanged(GridCell cell) {
  if (restoring_ || cell == lastCell_) {
    lastCell_ = cell;
    return;
  }
  lastCell_ = cell;
  LeavePriorityEditor();
  typeEditor_.Leave();
  const CellEntered entered = OnCurrentCellChanged(Grid(), kind_, cell);
  if (entered.filledDown) {
    const QModelIndex index = model_->index(cell.row - 1, cell.col);
    emit model_->dataChanged(index, index);
  }
  if (entered.showTypeEditor) {
    const QModelIndex index = model_->index(cell.row - 1, cell.col);
    view_->scrollTo(index);
    typeEditor_.Begin(
        view_->viewport(), view_->visualRect(index), entered.typeEditorText,
        [this, cell](const std::string& text) {
          Grid().SetCell(cell.col, cell.row, text);
          const QModelIndex written = model_->index(cell.row - 1, cell.col);
          emit model_->dataChanged(written, written);
        },
        [this] {
          if (!isVisible() || CurrentCell().col != kSheetColType) return;
          view_->setFocus();
          EnterPressed();
        });
  }
  if (entered.showPriorityEditor) ShowPriorityEditor(cell, entered.priorityItem);
}

void TablePage::ShowPriorityEditor(GridCell cell, int item) {
  if (!priority_) return;
  const QModelIndex index = model_->index(cell.row - 1, cell.col);
  view_->scrollTo(index);
  const QRect rect = view_->visualRect(index);
  priority_->setGeometry(rect.left(), rect.top(), rect.width(),
                         std::max(rect.height(), priority_->sizeHint().height()));
  priority_->setCurrentIndex(item);
  priorityCell_ = cell;
  priority_->show();
  priority_->raise();
  priority_->setFocus(Qt::OtherFocusReason);
}

void TablePage::LeavePriorityEditor() {
  if (!priority_ || !priority_->isVisible()) return;
  priority_->hide();
  WritePriorityBack(Grid(), priorityCell_, priority_->currentText().toStdString());
  const QModelIndex index = model_->index(priorityCell_.row - 1, priorityCell_.col);
  emit model_->dataChanged(index, index);
}

bool TablePage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == view_) {
      if (enter) {
        EnterPressed();
        return true;
      }
      if (key->matches(QKeySequence::Copy)) {
        CopySelection();
        return true;
      }
      if (key->matches(QKeySequence::Paste)) {
        Paste();
        return true;
      }
    } else if (watched == priority_ && enter && !priority_->view()->isVisible()) {
      LeavePriorityEditor();
      view_->setFocus();
      if (isVisible() && CurrentCell().col == kSheetColPriority) EnterPressed();
      return true;
    }
  }
  if (event->type() == QEvent::FocusOut && watched == priority_) {
    auto* focus = static_cast<QFocusEvent*>(event);
    if (focus->reason() != Qt::PopupFocusReason && !priority_->view()->isVisible()) {
      LeavePriorityEditor();
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TablePage::EnterPressed() {
  LeavePriorityEditor();
  typeEditor_.Leave();
  const EnterMove move = MoveOnEnter(Grid(), kind_, CurrentCell());
  if (move.rowsAdded) model_->Refresh();
  SetCurrentCell(move.next);
  if (move.recomputeTotals) RecomputeTotals();
}

bool TablePage::RecomputeTotals() {
  const std::optional<GridFailure> failure = ComputeTotals();
  if (failure) ShowFailure(*failure);
  return !failure;
}

std::optional<GridFailure> TablePage::ComputeTotals() {
  if (kind_ == GridKind::Sheets) {
    const SheetsTotalsResult r = TotalOfSheets(state_.sheets, state_.captions, Pub());
    model_->Refresh();  // empty cost cells of counted rows now hold "0"
    if (r.failure) return r.failure;
    totalLength_->setText(Q(r.totals->totalLength));
    totalNumber_->setText(Q(r.totals->totalNumber));
    totalCost_->setText(Q(r.totals->totalCost));
    return std::nullopt;
  }
  const PartsTotalsResult r = TotalOfParts(state_.parts, state_.captions, Pub());
  if (r.failure) return r.failure;
  totalLength_->setText(Q(r.totals->totalLength));
  totalNumber_->setText(Q(r.totals->totalNumber));
  return std::nullopt;
}

void TablePage::ShowOwnTab() {
  for (QWidget* w = this; w && w->parentWidget(); w = w->parentWidget()) {
    QWidget* stack = w->parentWidget();
    if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget())) {
      if (tabs->indexOf(w) >= 0) {
        tabs->setCurrentWidget(w);
        return;
      }
    }
  }
}

void TablePage::SelectFailureCell(GridCell cell) {
  ShowOwnTab();
  view_->setFocus(Qt::OtherFocusReason);
  SetCurrentCell(cell);
}

void TablePage::ShowFailure(const GridFailure& failure) {
  SelectFailureCell(failure.cell);
  ShowWarning(this, Q(failure.message));
}

void TablePage::FinishEditing() {
  QWidget* focus = QApplication::focusWidget();
  if (focus && view_->viewport()->isAncestorOf(focus) && focus != priority_ &&
      focus != typeEditor_.Combo() && !typeEditor_.Combo()->isAncestorOf(focus)) {
    // Leaving the cell editor commits its text.
    view_->setFocus(Qt::OtherFocusReason);
  }
  LeavePriorityEditor();
  typeEditor_.Leave();
}

void TablePage::DeleteClick() {
  const GridCell current = CurrentCell();
  DeleteThisRecord(Grid(), current.row);
  Refresh();
  RecomputeTotals();
}

void TablePage::DeleteAllClick() {
  DeleteAllRecords(Grid());
  Refresh();
  RecomputeTotals();
}

void TablePage::DeleteEmptyClick() {
  const GridCell current = CurrentCell();
  const int row = DeleteEmpty(Grid(), current.row);
  model_->Refresh();
  SetCurrentCell({current.col, row});
  RecomputeTotals();
}

void TablePage::SortByColumn(int column) {
  LeavePriorityEditor();
  typeEditor_.Leave();
  const std::optional<GridFailure> failure =
      kind_ == GridKind::Sheets ? SortSheetsByColumn(state_.sheets, column, sort_, Pub())
                                : SortPartsByColumn(state_.parts, column, sort_, Pub());
  model_->Refresh();
  if (failure) ShowFailure(*failure);
}

void TablePage::ShowFileName() {
  const QString shown = Q(FileName());
  if (fileName_->text() != shown) {
    fileName_->setText(shown);
    emit fileNameChanged();
  }
}

void TablePage::ReadFile(const std::string& fileName) {
  LeavePriorityEditor();
  typeEditor_.Leave();
  if (kind_ == GridKind::Sheets) {
    const SheetsLoadOutcome o = LoadSheetsTable(state_.sheets, fileName, state_.captions,
                                                state_.settings.EditMeasure, Pub());
    state_.bestDimensionMode = o.read.bestDimensionMode;
    FileNameField() = o.read.fileName;
    model_->Refresh();
    ApplyBestDimension();
    ShowFileName();
    if (o.totals.failure) {
      ShowFailure(*o.totals.failure);
    } else {
      totalLength_->setText(Q(o.totals.totals->totalLength));
      totalNumber_->setText(Q(o.totals.totals->totalNumber));
      totalCost_->setText(Q(o.totals.totals->totalCost));
    }
    return;
  }
  const PartsLoadOutcome o = LoadPartsTable(state_.parts, fileName, state_.captions, Pub());
  FileNameField() = o.read.fileName;
  model_->Refresh();
  ShowFileName();
  if (o.totals.failure) {
    ShowFailure(*o.totals.failure);
  } else {
    totalLength_->setText(Q(o.totals.totals->totalLength));
    totalNumber_->setText(Q(o.totals.totals->totalNumber));
  }
}

bool TablePage::SaveFile(const std::string& fileName, bool bChangeEditFilename) {
  LeavePriorityEditor();
  typeEditor_.Leave();
  const TableSaveResult r =
      kind_ == GridKind::Sheets
          ? SaveSheetsFile(state_.sheets, state_.bestDimensionMode, fileName, bChangeEditFilename)
          : SavePartsFile(state_.parts, fileName, bChangeEditFilename);
  if (!r.ok) {
    ShowWarning(this, Q(r.message));
    return false;
  }
  if (r.showFileName) {
    FileNameField() = *r.showFileName;
    ShowFileName();
  }
  return true;
}

void TablePage::AppendFile(const std::string& fileName) {
  LeavePriorityEditor();
  typeEditor_.Leave();
  std::string message;
  bool ok = true;
  if (kind_ == GridKind::Sheets) {
    const SheetsAppendOutcome o =
        AppendSheetsTable(state_.sheets, fileName, state_.captions, Pub());
    ok = o.append.ok;
    message = o.append.message;
  } else {
    const PartsAppendOutcome o = AppendPartsTable(state_.parts, fileName, state_.captions, Pub());
    ok = o.append.ok;
    message = o.append.message;
  }
  Refresh();
  if (!ok) {
    ShowWarning(this, Q(message));
    return;
  }
  RecomputeTotals();
}

void TablePage::ChosenFolderRemembered(const QString& file) {
  state_.settings.SetFolder(FolderKey(), QFileInfo(file).absolutePath().toStdString());
}

namespace {

FileDialogRequest TableDialog(bool save, const CaptionTable& captions, GridKind kind,
                              const std::string& folder) {
  FileDialogRequest request;
  request.save = save;
  request.title = Q(captions.Text(save ? "MSG_SAVE_AS_FILE_TITLE" : "MSG_OPEN_FILE_TITLE"));
  const QString ext = kind == GridKind::Sheets ? "stk" : "dst";
  request.filter = request.title + "(*." + ext + ")";
  request.defaultSuffix = ext;
  request.folder = Q(folder);
  return request;
}

}  // namespace

void TablePage::OpenClick() {
  const QString file = ChooseFile(
      this, TableDialog(false, state_.captions, kind_, state_.settings.Folder(FolderKey())));
  if (file.isEmpty()) return;
  ChosenFolderRemembered(file);
  ReadFile(file.toStdString());
  save_->setEnabled(true);
}

void TablePage::SaveClick() { SaveFile(FileName(), true); }

void TablePage::SaveasClick() {
  const QString file = ChooseFile(
      this, TableDialog(true, state_.captions, kind_, state_.settings.Folder(FolderKey())));
  if (file.isEmpty()) return;
  ChosenFolderRemembered(file);
  SaveFile(file.toStdString(), true);
}

void TablePage::AppendClick() {
  const QString file = ChooseFile(
      this, TableDialog(false, state_.captions, kind_, state_.settings.Folder(FolderKey())));
  if (file.isEmpty()) return;
  ChosenFolderRemembered(file);
  AppendFile(file.toStdString());
  save_->setEnabled(true);
}

void TablePage::BestDimensionClick(bool checked) {
  state_.bestDimensionMode = checked;
  ApplyBestDimension();
}

void TablePage::ApplyBestDimension() {
  if (kind_ != GridKind::Sheets) return;
  const BestDimensionView view = SwitchBestDimension(state_.sheets, state_.bestDimensionMode,
                                                     state_.captions, state_.settings.EditMeasure);
  bestDimension_->setChecked(state_.bestDimensionMode);
  model_->Refresh();
  totals_->setVisible(view.totalsVisible);
  QWidget* scope = parentWidget() ? parentWidget() : this;
  const std::pair<const char*, bool> buttons[] = {
      {"ButtonAppendSheetsFromFile", view.appendEnabled},
      {"ButtonSheetsDeleteEmpty", view.deleteEmptyEnabled},
      {"ButtonImportSheets", view.importEnabled},
      {"ButtonSheetsExportExcel", view.exportEnabled},
      {"ButtonPrintSheetLabel", view.printLabelEnabled}};
  for (const auto& [objectName, enabled] : buttons) {
    if (auto* button = scope->findChild<QWidget*>(objectName)) button->setEnabled(enabled);
  }
}

void TablePage::CopySelection() {
  const QModelIndexList selected = view_->selectionModel()->selectedIndexes();
  GridCell first = CurrentCell(), last = CurrentCell();
  if (!selected.isEmpty()) {
    first = last = {selected.first().column(), selected.first().row() + 1};
    for (const QModelIndex& index : selected) {
      first.col = std::min(first.col, index.column());
      first.row = std::min(first.row, index.row() + 1);
      last.col = std::max(last.col, index.column());
      last.row = std::max(last.row, index.row() + 1);
    }
  }
  QApplication::clipboard()->setText(Q(CopyBlock(Grid(), first, last)));
}

void TablePage::Paste() {
  LeavePriorityEditor();
  typeEditor_.Leave();
  const PastedBlock block =
      PasteBlock(Grid(), CurrentCell(), QApplication::clipboard()->text().toStdString());
  if (block.empty) return;
  model_->Refresh();
  restoring_ = true;
  SetCurrentCell(block.first);
  restoring_ = false;
  view_->selectionModel()->select(
      QItemSelection(model_->index(block.first.row - 1, block.first.col),
                     model_->index(block.last.row - 1, block.last.col)),
      QItemSelectionModel::ClearAndSelect);
  RecomputeTotals();
}

}  // namespace tralvin::ui
