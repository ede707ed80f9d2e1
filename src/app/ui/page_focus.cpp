// Bringing a control's page to the front and focusing it.
#include "app/ui/page_focus.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QTabWidget>

namespace tralvin::ui {

void BringPageToFront(QWidget* widget) {
  for (QWidget* child = widget; child != nullptr; child = child->parentWidget()) {
    QWidget* parent = child->parentWidget();
    if (parent == nullptr) break;
    // A tab page's parent is the tab widget's internal stack.
    if (auto* tabs = qobject_cast<QTabWidget*>(parent->parentWidget())) {
      const int index = tabs->indexOf(child);
      if (index >= 0) tabs->setCurrentIndex(index);
    }
  }
}

QString SettingsFieldName(SettingsField field) {
  switch (field) {
    case SettingsField::EditMinOffcutSize:
      return "EditMinOffcutSize";
    case SettingsField::EditBladeWidth:
      return "EditBladeWidth";
    case SettingsField::EditHeightEdige:
      return "EditHeightEdige";
    case SettingsField::EditWidthEdge:
      return "EditWidthEdge";
    case SettingsField::EditMinOffcutLength1:
      return "EditMinOffcutLength1";
    case SettingsField::EditMinOffcutLength2:
      return "EditMinOffcutLength2";
    case SettingsField::None:
      break;
  }
  return {};
}

bool FocusSettingsField(QWidget* window, SettingsField field) {
  const QString name = SettingsFieldName(field);
  if (window == nullptr || name.isEmpty()) return false;
  auto* edit = window->findChild<QLineEdit*>(name);
  if (edit == nullptr) {
    // The hidden edits have no control; their page is still the Settings page.
    if (auto* page = window->findChild<QWidget*>("TabSheetSetup")) BringPageToFront(page);
    return false;
  }
  BringPageToFront(edit);
  edit->setFocus(Qt::OtherFocusReason);
  edit->selectAll();
  return true;
}

bool FocusGridCell(QWidget* window, const GridFailure& failure) {
  if (window == nullptr) return false;
  const bool sheets = failure.grid == GridKind::Sheets;
  if (auto* page = window->findChild<QWidget*>(sheets ? "TabSheetSheets" : "TabSheetParts")) {
    BringPageToFront(page);
  }
  auto* grid =
      window->findChild<QAbstractItemView*>(sheets ? "StringGridSheets" : "StringGridParts");
  if (grid == nullptr || grid->model() == nullptr) return false;
  BringPageToFront(grid);
  // A grid whose model leaves out the title row says so with the property
  // "gridRowOffset" (1); otherwise model rows are grid rows.
  const int offset = grid->property("gridRowOffset").toInt();
  const QModelIndex index = grid->model()->index(failure.cell.row - offset, failure.cell.col);
  grid->setFocus(Qt::OtherFocusReason);
  grid->setCurrentIndex(index);
  grid->scrollTo(index);
  return true;
}

}  // namespace tralvin::ui
