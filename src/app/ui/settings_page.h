// The Settings page: the visible controls of the settings, each bound to its
// value in the settings model. Edits write their text into the model as it is
// typed; the controls with an immediate handler call it on every change. The
// hidden settings stay in the model and pass through the option file unseen.
#pragma once

#include <QFont>
#include <QWidget>
#include <functional>
#include <optional>

#include "app/settings.h"
#include "base/pubfunc.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QVBoxLayout;

namespace tralvin {
class CaptionTable;
}

namespace tralvin::ui {

class SettingsPage : public QWidget {
  Q_OBJECT

 public:
  SettingsPage(SettingsModel& settings, const CaptionTable& captions, QWidget* parent = nullptr);

  // Shows the model's values in the controls (after an option file was read).
  void LoadFromModel();
  // Captions and hints from the caption table (at start-up and after a refresh).
  void ApplyCaptions();

  // Where other parts of the page add their controls (material types,
  // language, caption editing), below the settings groups.
  QVBoxLayout* ExtraArea() const { return extra_; }

  // The font dialog of the "Font" button; tests replace it. Gets the preset
  // font, returns the chosen one or nothing on Cancel.
  using FontChooser = std::function<std::optional<QFont>(const QFont& preset, QWidget* parent)>;
  static void SetFontChooser(FontChooser chooser);

  // "Font": reads the size field (below 8 or not a number becomes 8), opens
  // the font dialog preset with that font and takes the chosen name and size.
  void ButtonFontSetupClick();

 signals:
  // The measure's text changed (the stock grid's titles show it).
  void measureChanged();

 private:
  void Build();
  void Connect();
  // A minimum offcut length that does not convert: the warning, on this page,
  // with the edit focused and its text selected.
  void ShowSettingsWarning(const SettingsMessage& message);

  SettingsModel& settings_;
  const CaptionTable& captions_;
  TPubFunc pubFunc_;

  QGroupBox* groupNormal_ = nullptr;
  QLabel* labelMeasure_ = nullptr;
  QLineEdit* editMeasure_ = nullptr;
  QLabel* labelSpeed_ = nullptr;
  QSlider* trackBarSpeed_ = nullptr;
  QLabel* labelBladeWidth_ = nullptr;
  QLineEdit* editBladeWidth_ = nullptr;
  QCheckBox* checkCostOptimize_ = nullptr;
  QCheckBox* checkBundleOptimize_ = nullptr;
  QLabel* labelMethod_ = nullptr;
  QComboBox* comboMethod_ = nullptr;
  QGroupBox* groupScrap_ = nullptr;
  QLabel* labelMinScrap_ = nullptr;
  QLineEdit* editMinOffcutLength1_ = nullptr;
  QLabel* labelOffcutsPrefix_ = nullptr;
  QLineEdit* editOffcutsPrefix_ = nullptr;
  QGroupBox* groupPrinter_ = nullptr;
  QLabel* labelFontName_ = nullptr;
  QLineEdit* editFontName_ = nullptr;
  QLabel* labelFontSize_ = nullptr;
  QLineEdit* editFontSize_ = nullptr;
  QPushButton* buttonFont_ = nullptr;
  QLabel* labelPrintTitle_ = nullptr;
  QLineEdit* editPrintTitle_ = nullptr;
  QVBoxLayout* extra_ = nullptr;
};

}  // namespace tralvin::ui
