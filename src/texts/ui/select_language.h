// The language window: a list of 27 languages with OK and Cancel; its result
// SelectedLanguage is the chosen item's text or empty. Also the Settings
// page's "Select Language" action that runs it and applies the language.
#pragma once

#include <QDialog>
#include <QString>
#include <string>

#include "texts/caption_table.h"

class QListWidget;
class QPushButton;

namespace tralvin::ui {

class TFormSelectLanguage : public QDialog {
  Q_OBJECT

 public:
  explicit TFormSelectLanguage(QWidget* parent = nullptr);

  QString SelectedLanguage;

 public slots:
  void btnOKClick();
  void btnCancelClick();

 private:
  QListWidget* list_ = nullptr;
};

// One language selection (btnSelectLanguageClick): empties SelectedLanguage,
// shows the form modally; on a language, loads its caption file (from
// `startFolder`, else the bundled ones) and writes every text to
// <startFolder>/default.cap. True when a language was chosen, so the caller
// refreshes the interface. A default.cap that cannot be written is reported
// in a warning box; the texts are still applied.
bool btnSelectLanguageClick(TFormSelectLanguage& form, CaptionTable& captions,
                            const std::string& startFolder, QWidget* parent);

}  // namespace tralvin::ui
