// The small windows of the frame: the start window (TComeInForm), the about
// window (TAboutBox) and the shutdown dialog that asks which tables to save
// (TFormSaveSelectGrids).
#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;

namespace tralvin::ui {

// Borderless, centred, 273 x 170 pixels; closes at the first tick of its
// one-second timer.
class TComeInForm : public QDialog {
  Q_OBJECT

 public:
  explicit TComeInForm(QWidget* parent = nullptr);
  QLabel* Label1 = nullptr;  // product name
  QLabel* Label4 = nullptr;  // "Version" + " " + the version text
  QTimer* Timer1 = nullptr;
  int m_second = 0;

  void Timer1Timer();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
};

// The about window: product name, version, notice line, web address and the
// support link, and the OK button.
class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);
  QLabel* ProductName = nullptr;
  QLabel* Version = nullptr;
  QLabel* Notice = nullptr;
  QLabel* Comments = nullptr;  // the web address; a click opens it
  QLabel* Label1 = nullptr;    // "tech support"; a click opens a new mail
  QPushButton* OKButton = nullptr;

  void CommentsClick();
  void NeedHelpClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// The shutdown dialog: which tables to save. It ends by its button or its
// close box; either way the check boxes count.
class TFormSaveSelectGrids : public QDialog {
  Q_OBJECT

 public:
  explicit TFormSaveSelectGrids(QWidget* parent = nullptr);
  QCheckBox* CheckBoxSaveSheets = nullptr;
  QCheckBox* CheckBoxSaveParts = nullptr;
  // Tables of features this edition hides: always hidden, disabled, clear.
  QCheckBox* CheckBoxSaveOffcuts = nullptr;
  QCheckBox* CheckBoxSaveHarpRackParts = nullptr;
  QCheckBox* CheckBoxSaveProfile = nullptr;
  QPushButton* ButtonSaveSelectGrids = nullptr;

  void ButtonSaveSelectGridsClick() { accept(); }

  // Shows the dialog modally, or, while a test answerer is installed, hands
  // the dialog to it instead (the answerer sets the boxes).
  void Ask();
  using Answerer = std::function<void(TFormSaveSelectGrids&)>;
  static void SetAnswerer(Answerer answerer);
};

}  // namespace tralvin::ui
