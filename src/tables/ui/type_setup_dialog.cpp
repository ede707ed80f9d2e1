// The material type setup window.
#include "tables/ui/type_setup_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/message_box.h"
#include "base/ini_file.h"
#include "texts/caption_table.h"

namespace tralvin::ui {

TFormSetupTypeString::TFormSetupTypeString(MaterialTypeLists& lists, std::string typesFileName,
                                           QWidget* parent)
    : QDialog(parent), lists_(lists), typesFileName_(std::move(typesFileName)) {
  setObjectName("TFormSetupTypeString");
  setWindowTitle("Timber Type Setup");
  auto* layout = new QGridLayout(this);
  label_ = new QLabel("Stocks Type", this);
  label_->setObjectName("LabelTypeString");
  name_ = new QLineEdit(this);
  name_->setObjectName("EditTypeString");
  list_ = new QListWidget(this);
  list_->setObjectName("CheckListBoxMaterialType");
  const auto makeButton = [this](const char* objectName, const char* text) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    return button;
  };
  add_ = makeButton("ButtonAddGlassType", "add");
  modify_ = makeButton("ButtonModifyGlassType", "modify");
  delete_ = makeButton("ButtonDeleteGlassType", "delete");
  removeAll_ = makeButton("ButtonRemoveAllGlassType", "remove all");
  save_ = makeButton("ButtonSaveTypeList", "save");
  save_->setDefault(true);
  close_ = makeButton("ButtonCloseTypeSetup", "confirm");
  layout->addWidget(label_, 0, 0);
  layout->addWidget(name_, 1, 0);
  layout->addWidget(list_, 2, 0, 7, 1);
  int row = 1;
  for (QPushButton* b : {add_, modify_, delete_, removeAll_, save_, close_}) {
    layout->addWidget(b, row++, 1);
  }
  layout->setRowStretch(8, 1);
  resize(380, 320);

  connect(add_, &QPushButton::clicked, this, &TFormSetupTypeString::ButtonAddGlassTypeClick);
  connect(modify_, &QPushButton::clicked, this, &TFormSetupTypeString::ButtonModifyGlassTypeClick);
  connect(delete_, &QPushButton::clicked, this, &TFormSetupTypeString::ButtonDeleteGlassTypeClick);
  connect(removeAll_, &QPushButton::clicked, this,
          &TFormSetupTypeString::ButtonRemoveAllGlassTypeClick);
  connect(save_, &QPushButton::clicked, this, &TFormSetupTypeString::ButtonSaveTypeListClick);
  connect(close_, &QPushButton::clicked, this, &TFormSetupTypeString::ButtonCloseTypeSetupClick);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!filling_) model_.SetItemIndex(row);
  });
  connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    if (!filling_) model_.SetChecked(list_->row(item), item->checkState() == Qt::Checked);
  });
}

void TFormSetupTypeString::ApplyCaptions(const CaptionTable& captions) {
  const auto q = [](const std::string& s) { return QString::fromStdString(s); };
  if (const CaptionEntry* e = captions.Find("Material Type Setup Button")) {
    setWindowTitle(q(e->caption));
    setToolTip(q(e->hint));
  }
  add_->setText(q(captions.Text("Add Material Type Caption")));
  modify_->setText(q(captions.Text("Modify Material Type Caption")));
  delete_->setText(q(captions.Text("Delete Material Type Caption")));
  removeAll_->setText(q(captions.Text("Remove All Material Type Caption")));
  save_->setText(q(captions.Text("Save Material Type Caption")));
  close_->setText(q(captions.Text("Confirm Data Caption")));
  label_->setText(q(captions.ControlCaption("GroupBoxMaterialType")));
}

void TFormSetupTypeString::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  onenter();
}

void TFormSetupTypeString::onenter() {
  model_.onenter(lists_);
  name_->clear();
  PutTypeInList();
}

void TFormSetupTypeString::PutTypeInList() {
  filling_ = true;
  list_->clear();
  for (const TypeSetupEntry& entry : model_.Entries()) {
    auto* item = new QListWidgetItem(QString::fromStdString(entry.text), list_);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
  }
  list_->setCurrentRow(model_.ItemIndex());
  filling_ = false;
}

void TFormSetupTypeString::TakeFieldText() { model_.EditTypeString = name_->text().toStdString(); }

void TFormSetupTypeString::ButtonAddGlassTypeClick() {
  TakeFieldText();
  model_.ButtonAddGlassTypeClick();
  PutTypeInList();
}

void TFormSetupTypeString::ButtonModifyGlassTypeClick() {
  TakeFieldText();
  model_.ButtonModifyGlassTypeClick();
  PutTypeInList();
}

void TFormSetupTypeString::ButtonDeleteGlassTypeClick() {
  model_.ButtonDeleteGlassTypeClick();
  PutTypeInList();
}

void TFormSetupTypeString::ButtonRemoveAllGlassTypeClick() {
  model_.ButtonRemoveAllGlassTypeClick();
  PutTypeInList();
}

void TFormSetupTypeString::ButtonSaveTypeListClick() {
  try {
    model_.ButtonSaveTypeListClick(lists_, typesFileName_);
  } catch (const IniWriteError& e) {
    // The lists were taken over; only the file is missing. Say so.
    ShowWarning(this, QString::fromUtf8(WriteFailureText(e).c_str()));
  }
  accept();
}

void TFormSetupTypeString::ButtonCloseTypeSetupClick() {
  model_.ButtonCloseTypeSetupClick(lists_);
  accept();
}

}  // namespace tralvin::ui
