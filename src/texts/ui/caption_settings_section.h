// The interface-text part of the Settings page: the "Custom Captions" check
// box with the caption editing group it shows, and the "Select Language"
// button with its language window. The host connects captionsChanged to its
// refresh of the interface.
#pragma once

#include <QString>
#include <QWidget>
#include <string>

#include "texts/caption_table.h"

class QCheckBox;
class QPushButton;

namespace tralvin::ui {

class CaptionEditGroup;
class TFormSelectLanguage;

class CaptionSettingsSection : public QWidget {
  Q_OBJECT

 public:
  CaptionSettingsSection(CaptionTable& captions, const std::string& startFolder,
                         QWidget* parent = nullptr);

  CaptionEditGroup* EditGroup() const { return group_; }
  TFormSelectLanguage* LanguageForm() const { return form_; }

 public slots:
  // One language selection; emits captionsChanged when a language was chosen.
  void btnSelectLanguageClick();

 signals:
  void captionsChanged();

 private:
  CaptionTable& captions_;
  std::string startFolder_;
  CaptionEditGroup* group_ = nullptr;
  TFormSelectLanguage* form_ = nullptr;
};

}  // namespace tralvin::ui
