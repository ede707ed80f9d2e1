// The Settings page's caption check box, language button and editing group.
#include "texts/ui/caption_settings_section.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "texts/ui/caption_edit_group.h"
#include "texts/ui/select_language.h"

namespace tralvin::ui {

CaptionSettingsSection::CaptionSettingsSection(CaptionTable& captions,
                                               const std::string& startFolder, QWidget* parent)
    : QWidget(parent), captions_(captions), startFolder_(startFolder) {
  setObjectName("CaptionSettingsSection");
  group_ = new CaptionEditGroup(captions, QString::fromStdString(startFolder), this);
  QCheckBox* custom = MakeCustomCaptionCheckBox(group_, this);
  auto* language = new QPushButton(QStringLiteral("Select Language"), this);
  language->setObjectName("btnSelectLanguage");
  // Created once and reused, so it keeps its selection between openings.
  form_ = new TFormSelectLanguage(this);

  auto* row = new QHBoxLayout;
  row->addWidget(custom);
  row->addWidget(language);
  row->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(row);
  layout->addWidget(group_);

  connect(language, &QPushButton::clicked, this, &CaptionSettingsSection::btnSelectLanguageClick);
  connect(group_, &CaptionEditGroup::captionsChanged, this,
          &CaptionSettingsSection::captionsChanged);
}

void CaptionSettingsSection::btnSelectLanguageClick() {
  if (tralvin::ui::btnSelectLanguageClick(*form_, captions_, startFolder_, window())) {
    emit captionsChanged();
  }
}

}  // namespace tralvin::ui
