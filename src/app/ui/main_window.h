// The main window of the program: the four pages Stocks, Pieces, Report and
// Settings. It binds the core's models to widgets and holds no business logic.
#pragma once

#include <QMainWindow>

#include "app/startup.h"

class QTabWidget;

namespace tralvin::ui {

class TSDIAppForm : public QMainWindow {
  Q_OBJECT

 public:
  // A window over an empty state: StartFolder is the current folder, both
  // grids have 501 rows with their titles, no file is read.
  explicit TSDIAppForm(QWidget* parent = nullptr);
  // A window over the state the start-up steps produced.
  explicit TSDIAppForm(StartupState state, QWidget* parent = nullptr);
  ~TSDIAppForm() override;

  // The program's state: settings, grids, types, captions, switches.
  StartupState& State() { return state_; }
  const StartupState& State() const { return state_; }

  // The page of AllPageControl with the given objectName ("TabSheetSheets",
  // "TabSheetParts", "TabSheetReport", "TabSheetSetup"); nullptr when unknown.
  // Every page has a QVBoxLayout to which its widgets are added.
  QWidget* Page(const char* objectName) const;
  QTabWidget* PageControl() const { return pages_; }

 public slots:
  // The tool button "Start Optimize": starts a job.
  virtual void StartOptimizeClick();

 signals:
  // Emitted by StartOptimizeClick; the job page connects to it.
  void startOptimizeRequested();

 private:
  void BuildPages();

  StartupState state_;
  QTabWidget* pages_ = nullptr;
};

}  // namespace tralvin::ui
