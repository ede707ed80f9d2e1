// The language window and the selection it runs.
#include "texts/ui/select_language.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/ui/message_box.h"
#include "base/ini_file.h"
#include "texts/language.h"

namespace tralvin::ui {

TFormSelectLanguage::TFormSelectLanguage(QWidget* parent) : QDialog(parent) {
  setObjectName("FormSelectLanguage");
  setWindowTitle(QStringLiteral("FormSelectLanguage"));
  setModal(true);
  list_ = new QListWidget(this);
  list_->setObjectName("lstSelectLanguage");
  for (std::string_view item : kLanguageItems) {
    list_->addItem(QString::fromUtf8(item.data(), static_cast<int>(item.size())));
  }
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName("btnOK");
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName("btnCancel");

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
  resize(260, 380);

  connect(ok, &QPushButton::clicked, this, &TFormSelectLanguage::btnOKClick);
  connect(cancel, &QPushButton::clicked, this, &TFormSelectLanguage::btnCancelClick);
  // A double click on a language accepts it, as OK does.
  connect(list_, &QListWidget::itemDoubleClicked, this, &TFormSelectLanguage::btnOKClick);
}

void TFormSelectLanguage::btnOKClick() {
  const int row = list_->currentRow();
  const bool selected = row >= 0 && row < list_->count() && list_->currentItem()->isSelected();
  SelectedLanguage = selected ? list_->item(row)->text() : QString();
  accept();
}

void TFormSelectLanguage::btnCancelClick() {
  SelectedLanguage.clear();
  reject();
}

bool btnSelectLanguageClick(TFormSelectLanguage& form, CaptionTable& captions,
                            const std::string& startFolder, QWidget* parent) {
  form.SelectedLanguage.clear();
  form.exec();  // closing by the frame leaves SelectedLanguage empty
  if (form.SelectedLanguage.isEmpty()) return false;
  const auto folders = BundledCaptionFolders(QCoreApplication::applicationDirPath().toStdString());
  try {
    ApplyLanguage(captions, form.SelectedLanguage.toStdString(), startFolder, folders);
  } catch (const IniWriteError& e) {
    ShowWarning(parent, QString::fromUtf8(e.what()));
  }
  return true;
}

}  // namespace tralvin::ui
