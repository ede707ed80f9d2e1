// The caption editing group: its controls and handlers.
#include "texts/ui/caption_edit_group.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include "app/ui/message_box.h"
#include "base/ini_file.h"
#include "texts/language.h"

namespace tralvin::ui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// An edit box that selects its whole text when clicked (OnClickEditCaption,
// OnClickEditHint), so that a new text replaces the old one.
class SelectAllEdit : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    QLineEdit::mousePressEvent(event);
    selectAll();
  }
};

QString DefaultFileDialog(QWidget* parent, bool save, const QString& title, const QString& filter) {
  QFileDialog dialog(parent, title, QString(), filter);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix("cap");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

QPushButton* Button(const char* name, const char* text, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setObjectName(name);
  return button;
}

}  // namespace

CaptionEditGroup::CaptionEditGroup(CaptionTable& captions, QString startFolder, QWidget* parent)
    : QGroupBox(QStringLiteral("Custom ANY Language && Captions"), parent),
      captions_(captions),
      startFolder_(std::move(startFolder)),
      fileDialog_(DefaultFileDialog) {
  setObjectName("GroupBoxSetupCaption");
  combo_ = new QComboBox(this);
  combo_->setObjectName("ComboBoxInterfaceCaption");
  for (const std::string& item : CaptionTable::KeyList()) combo_->addItem(Q(item));
  combo_->setCurrentIndex(-1);
  combo_->setMaxVisibleItems(20);

  captionLabel_ = new QLabel(QStringLiteral("Caption:"), this);
  captionLabel_->setObjectName("LabelModifyCaption");
  hintLabel_ = new QLabel(QStringLiteral("Hint:"), this);
  hintLabel_->setObjectName("LabelModifyHint");
  caption_ = new SelectAllEdit(this);
  caption_->setObjectName("EditModifyCaption");
  hint_ = new SelectAllEdit(this);
  hint_->setObjectName("EditModifyHint");
  captionLabel_->setBuddy(caption_);
  hintLabel_->setBuddy(hint_);

  QPushButton* load = Button("ButtonLoadCaption", "Load Caption file", this);
  QPushButton* save = Button("ButtonSaveCaption", "Save Caption file", this);
  QPushButton* confirm = Button("ButtonConfirmCaption", "Confirm", this);
  QPushButton* setDefault = Button("ButtonSetAsDefaultCaption", "Set As Default", this);

  auto* grid = new QGridLayout(this);
  grid->addWidget(combo_, 0, 0, 1, 2);
  grid->addWidget(captionLabel_, 1, 0);
  grid->addWidget(caption_, 1, 1);
  grid->addWidget(hintLabel_, 2, 0);
  grid->addWidget(hint_, 2, 1);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {confirm, load, save, setDefault}) buttons->addWidget(b);
  buttons->addStretch(1);
  grid->addLayout(buttons, 3, 0, 1, 2);
  grid->setColumnStretch(1, 1);

  connect(combo_, &QComboBox::activated, this, &CaptionEditGroup::ComboBoxInterfaceCaptionChange);
  connect(confirm, &QPushButton::clicked, this, &CaptionEditGroup::ButtonConfirmCaptionClick);
  connect(load, &QPushButton::clicked, this, &CaptionEditGroup::ButtonLoadCaptionClick);
  connect(save, &QPushButton::clicked, this, &CaptionEditGroup::ButtonSaveCaptionClick);
  connect(setDefault, &QPushButton::clicked, this,
          &CaptionEditGroup::ButtonSetAsDefaultCaptionClick);
}

void CaptionEditGroup::ShowEdits(const CaptionEditBoxes& edits) {
  caption_->setText(Q(edits.EditModifyCaption));
  hint_->setText(Q(edits.EditModifyHint));
  caption_->setVisible(edits.captionVisible);
  captionLabel_->setVisible(edits.captionVisible);
  hint_->setVisible(edits.hintVisible);
  hintLabel_->setVisible(edits.hintVisible);
}

CaptionEditBoxes CaptionEditGroup::ReadEdits() const {
  return {caption_->text().toStdString(), hint_->text().toStdString(), !caption_->isHidden(),
          !hint_->isHidden()};
}

void CaptionEditGroup::ComboBoxInterfaceCaptionChange(int index) {
  ShowEdits(ChooseCaptionItem(captions_, index));
}

void CaptionEditGroup::ButtonConfirmCaptionClick() {
  CaptionEditBoxes edits = ReadEdits();
  SetCaptionIndex(captions_, combo_->currentIndex(), CaptionSet::csEdit2Cap, nullptr, &edits);
  emit captionsChanged();
}

void CaptionEditGroup::ButtonLoadCaptionClick() {
  const QString title = Q(captions_.Text("MSG_OPEN_FILE_TITLE"));
  const QString fileName = fileDialog_(this, false, title, title + "(*.cap)");
  if (fileName.isEmpty()) return;
  LoadCaptionFile(captions_, fileName.toStdString());
  emit captionsChanged();
}

void CaptionEditGroup::SaveTo(const QString& fileName) {
  try {
    SaveCaptionFile(captions_, fileName.toStdString());
  } catch (const IniWriteError& e) {
    ShowWarning(this, QString::fromUtf8(e.what()));
  }
}

void CaptionEditGroup::ButtonSaveCaptionClick() {
  const QString title = Q(captions_.Text("MSG_SAVE_AS_FILE_TITLE"));
  const QString fileName = fileDialog_(this, true, title, title + "(*.cap)");
  if (!fileName.isEmpty()) SaveTo(fileName);
}

void CaptionEditGroup::ButtonSetAsDefaultCaptionClick() {
  SaveTo(
      startFolder_ + "/" +
      QString::fromUtf8(kDefaultCaptionFile.data(), static_cast<int>(kDefaultCaptionFile.size())));
}

void CaptionEditGroup::CheckBoxCustomCaptionClick(bool checked) { setVisible(checked); }

QCheckBox* MakeCustomCaptionCheckBox(CaptionEditGroup* group, QWidget* parent) {
  auto* box = new QCheckBox(QStringLiteral("Custom Captions"), parent);
  box->setObjectName("CheckBoxCustomCaption");
  box->setChecked(false);
  group->setVisible(false);
  QObject::connect(box, &QCheckBox::toggled, group, &CaptionEditGroup::CheckBoxCustomCaptionClick);
  return box;
}

}  // namespace tralvin::ui
