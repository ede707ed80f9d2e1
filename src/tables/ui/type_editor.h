// The material type editor of the type columns (ComboBoxTypeSelect): one
// editable drop-down shared by both grids and shown over the type cell being
// edited. Its items are the core's TypeDropDown; leaving it registers a type
// it did not know.
#pragma once

#include <QObject>
#include <QRect>
#include <functional>
#include <string>
#include <vector>

#include "tables/material_types.h"
#include "tables/material_types_dropdown.h"

class QComboBox;
class QWidget;

namespace tralvin::ui {

class TypeEditor : public QObject {
  Q_OBJECT

 public:
  // `lists` are the program's MaterialTypes and SelectedTypes; the combo box
  // is a hidden child of `parent`, which must contain the grids it edits.
  TypeEditor(MaterialTypeLists& lists, QWidget* parent);

  QComboBox* Combo() const { return combo_; }
  TypeDropDown& DropDown() { return dropDown_; }
  const TypeDropDown& DropDown() const { return dropDown_; }

  // PutTypeIntoList: the items become `source`, sorted in; first item selected.
  void PutTypeIntoList(const std::vector<std::string>& source);

  // Shows the editor over `cellRect` of `viewport` with the cell's trimmed
  // text, no item selected, focused. `written` receives the text to put into
  // the cell when the editor is left; `enter` runs when Enter is pressed in it
  // (after the text was written).
  void Begin(QWidget* viewport, const QRect& cellRect, const std::string& cellText,
             std::function<void(const std::string&)> written, std::function<void()> enter);
  // OnLostTypeFocus: hides the editor, registers an unknown type and writes
  // the text back. Does nothing when the editor is not shown.
  void Leave();
  bool Active() const { return active_; }
  // Hides the editor without writing anything (its grid is going away).
  void Abandon();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowItems();

  MaterialTypeLists& lists_;
  TypeDropDown dropDown_;
  QComboBox* combo_;
  bool active_ = false;
  std::function<void(const std::string&)> written_;
  std::function<void()> enter_;
};

}  // namespace tralvin::ui
