// The caption editing group of the Settings page: the key list, the caption
// and hint boxes, and the buttons that confirm an entry, load and save
// caption files and make the texts the default caption file.
#pragma once

#include <QGroupBox>
#include <QString>
#include <functional>

#include "texts/caption_file.h"
#include "texts/caption_table.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tralvin::ui {

// Asks for a caption file to open (save = false) or to save to; returns the
// chosen name or "" when cancelled. Tests replace it.
using CaptionFileDialog =
    std::function<QString(QWidget* parent, bool save, const QString& title, const QString& filter)>;

class CaptionEditGroup : public QGroupBox {
  Q_OBJECT

 public:
  // Works on `captions`; "Set As Default" writes <startFolder>/default.cap.
  CaptionEditGroup(CaptionTable& captions, QString startFolder, QWidget* parent = nullptr);

  void SetFileDialog(CaptionFileDialog dialog) { fileDialog_ = std::move(dialog); }

 public slots:
  void ComboBoxInterfaceCaptionChange(int index);
  void ButtonConfirmCaptionClick();
  void ButtonLoadCaptionClick();
  void ButtonSaveCaptionClick();
  void ButtonSetAsDefaultCaptionClick();
  // The group is shown exactly while the "Custom Captions" check box is ticked.
  void CheckBoxCustomCaptionClick(bool checked);

 signals:
  // The texts changed (Confirm, Load): the host refreshes the interface.
  void captionsChanged();

 private:
  void ShowEdits(const CaptionEditBoxes& edits);
  CaptionEditBoxes ReadEdits() const;
  void SaveTo(const QString& fileName);

  CaptionTable& captions_;
  QString startFolder_;
  CaptionFileDialog fileDialog_;
  QComboBox* combo_ = nullptr;
  QLabel* captionLabel_ = nullptr;
  QLabel* hintLabel_ = nullptr;
  QLineEdit* caption_ = nullptr;
  QLineEdit* hint_ = nullptr;
};

// The "Custom Captions" check box (CheckBoxCustomCaption), unticked, showing
// and hiding `group`, which starts hidden.
QCheckBox* MakeCustomCaptionCheckBox(CaptionEditGroup* group, QWidget* parent);

}  // namespace tralvin::ui
