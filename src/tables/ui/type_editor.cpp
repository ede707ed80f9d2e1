// The shared in-cell material type editor.
#include "tables/ui/type_editor.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace tralvin::ui {

TypeEditor::TypeEditor(MaterialTypeLists& lists, QWidget* parent)
    : QObject(parent), lists_(lists), combo_(new QComboBox(parent)) {
  combo_->setObjectName("ComboBoxTypeSelect");
  combo_->setEditable(true);
  combo_->setInsertPolicy(QComboBox::NoInsert);
  combo_->setMaxVisibleItems(20);
  combo_->hide();
  combo_->installEventFilter(this);
  combo_->lineEdit()->installEventFilter(this);
  tralvin::PutTypeIntoList(dropDown_, lists_.MaterialTypes);
  ShowItems();
}

void TypeEditor::ShowItems() {
  combo_->blockSignals(true);
  combo_->clear();
  for (const std::string& item : dropDown_.Items()) combo_->addItem(QString::fromStdString(item));
  combo_->setCurrentIndex(dropDown_.ItemIndex());
  combo_->setEditText(QString::fromStdString(dropDown_.Text()));
  combo_->blockSignals(false);
}

void TypeEditor::PutTypeIntoList(const std::vector<std::string>& source) {
  tralvin::PutTypeIntoList(dropDown_, source);
  ShowItems();
}

void TypeEditor::Begin(QWidget* viewport, const QRect& cellRect, const std::string& cellText,
                       std::function<void(const std::string&)> written,
                       std::function<void()> enter) {
  if (active_) Leave();
  BeginTypeEdit(dropDown_, cellText);
  ShowItems();
  // The combo box stays a child of its first parent and is placed over the
  // cell, so it never belongs to one grid.
  QWidget* host = combo_->parentWidget();
  const QPoint topLeft = host->mapFromGlobal(viewport->mapToGlobal(cellRect.topLeft()));
  combo_->setFont(viewport->font());
  combo_->setGeometry(topLeft.x(), topLeft.y(), cellRect.width(),
                      std::max(cellRect.height(), combo_->sizeHint().height()));
  written_ = std::move(written);
  enter_ = std::move(enter);
  active_ = true;
  combo_->show();
  combo_->raise();
  combo_->setFocus(Qt::OtherFocusReason);
}

void TypeEditor::Leave() {
  if (!active_) return;
  active_ = false;
  dropDown_.SetText(combo_->currentText().toStdString());
  combo_->hide();
  const std::string text = OnLostTypeFocus(dropDown_, lists_);
  ShowItems();
  if (written_) written_(text);
}

void TypeEditor::Abandon() {
  active_ = false;
  written_ = {};
  enter_ = {};
  combo_->hide();
}

bool TypeEditor::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && active_) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      if (combo_->view()->isVisible()) return false;  // choosing from the open list
      const std::function<void()> enter = enter_;
      Leave();
      if (enter) enter();
      return true;
    }
  }
  if (event->type() == QEvent::FocusOut && active_ && watched == combo_) {
    auto* focus = static_cast<QFocusEvent*>(event);
    if (focus->reason() != Qt::PopupFocusReason && !combo_->view()->isVisible()) Leave();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tralvin::ui
