// The export file-type window.
#include "tables/ui/export_form.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "texts/caption_table.h"

namespace tralvin::ui {

TFormExportFileTypeSelect::TFormExportFileTypeSelect(QWidget* parent) : QDialog(parent) {
  setObjectName("FormExportFileTypeSelect");
  buttonExportTXTFile_ = new QPushButton(kExportTxtButtonCaption, this);
  buttonExportTXTFile_->setObjectName("ButtonExportTXTFile");
  buttonExportEXCELFile_ = new QPushButton(kExportExcelButtonCaption, this);
  buttonExportEXCELFile_->setObjectName("ButtonExportEXCELFile");
  for (QPushButton* button : {buttonExportTXTFile_, buttonExportEXCELFile_}) {
    button->setAutoDefault(false);
    button->setMinimumSize(120, 48);
  }
  checkBoxExportColumnTitle_ = new QCheckBox(this);
  checkBoxExportColumnTitle_->setObjectName("CheckBoxExportColumnTitle");
  checkBoxExportColumnTitle_->setChecked(choice_.IncludeColumnTitles());

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(buttonExportTXTFile_);
  buttons->addWidget(buttonExportEXCELFile_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(checkBoxExportColumnTitle_);

  connect(buttonExportTXTFile_, &QPushButton::clicked, this, [this] {
    choice_.ChooseTxtFile();
    accept();
  });
  connect(buttonExportEXCELFile_, &QPushButton::clicked, this, [this] {
    choice_.ChooseExcelFile();
    accept();
  });
  connect(checkBoxExportColumnTitle_, &QCheckBox::toggled, this,
          [this](bool on) { choice_.SetIncludeColumnTitles(on); });
}

void TFormExportFileTypeSelect::Prepare(const QString& caption, const CaptionTable& captions) {
  setWindowTitle(caption);
  checkBoxExportColumnTitle_->setText(
      QString::fromStdString(ExportChoice::CheckBoxCaption(captions)));
  checkBoxExportColumnTitle_->setChecked(choice_.IncludeColumnTitles());
  adjustSize();
}

void TFormExportFileTypeSelect::showEvent(QShowEvent* event) {
  choice_.Activate();
  QDialog::showEvent(event);
}

}  // namespace tralvin::ui
