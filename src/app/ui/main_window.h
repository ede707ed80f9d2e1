// The main window of the program (TSDIAppForm): menu, tool bar and the pages
// Stocks, Pieces, Report and Settings. It holds the program's state as the
// core's StartupState, binds it to the widgets and holds no business logic.
#pragma once

#include <QMainWindow>
#include <string>
#include <vector>

#include "app/job_done.h"
#include "app/startup.h"
#include "results/report_state.h"
#include "tables/grid_sort.h"

class QAction;
class QProgressBar;
class QTabWidget;

namespace tralvin::ui {

class OptimizeJob;
class ReportPage;
class SettingsPage;
class TablePage;
class TypeEditor;

class TSDIAppForm : public QMainWindow {
  Q_OBJECT

 public:
  // A window over an empty state: StartFolder is the current folder, both
  // grids have 501 rows with their titles, no file is read.
  explicit TSDIAppForm(QWidget* parent = nullptr);
  // A window over the state the start-up steps produced (RunStartupSteps).
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

  // The table pages (grid, totals, buttons; ButtonBar() takes more buttons).
  TablePage* SheetsPage() const { return sheetsPage_; }
  TablePage* PartsPage() const { return partsPage_; }
  TablePage* TablePageOf(GridKind kind) const;
  // The type drop-down ComboBoxTypeSelect shared by both grids.
  TypeEditor& Types() { return *typeEditor_; }
  TableSortState& SortState() { return sort_; }
  // ProgressBar1 on the tool bar (range 0 .. kJobProgressMax, hidden) and the
  // tool button "Start Optimize".
  QProgressBar* ProgressBar() const { return progress_; }
  QAction* StartOptimizeAction() const { return startOptimize_; }
  // The Settings page, the job runner behind "Start Optimize" and the Report
  // page with the last job's plan (main_window_job.cpp).
  SettingsPage* Settings() const { return settingsPage_; }
  OptimizeJob* Job() const { return job_; }
  ReportPage* ReportView() const { return reportPage_; }
  ReportState& Results() { return results_; }

  // After the grids or the file names changed outside the table pages
  // (import, a job, the update after cutting): views, totals' titles, title.
  void RefreshTables();
  // A failure of a grid cell: its tab shown, the cell selected, the warning.
  void ShowGridFailure(const GridFailure& failure);
  // The warnings the start-up readers left, each in a warning box.
  void ShowStartupWarnings();
  // Start-up steps 12 and 13: with AutoRun a job starts as "Start Optimize"
  // does (synchronously in HideMode); then the Stocks page is made current.
  void FinishStartup();

  // Runs a whole job on the calling thread, as HideMode does: dump files,
  // job, after-run handling (warning box, or the Report page). Returns the
  // after-run result.
  JobDone RunJobSynchronously();
  const JobDone& LastJobDone() const { return lastJobDone_; }

  // The shutdown steps: types file, the save dialog and the chosen tables,
  // the option file. Run by closing the window; refused writes are reported.
  void Shutdown();

 public slots:
  // The tool button "Start Optimize". Emits startOptimizeRequested when a
  // job runner is connected to it (and HideMode is off); otherwise runs the
  // job synchronously.
  virtual void StartOptimizeClick();
  // The Settings page's "Timber Type Setup": opens TFormSetupTypeString.
  void ButtonTypeSetupClick();
  void HelpAbout1Execute();
  void PrintSetup1Click();
  void Contents1Click();
  void Homepage1Click();
  void NeedHelp1Click();

 signals:
  void startOptimizeRequested();
  // A job ended, on the worker or synchronously (failed or with its report
  // items in LastJobDone()).
  void jobFinished(bool failed);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildPages();
  void BuildMenuAndToolBar();
  void BuildSettingsJobAndReport();
  void UpdateTitle();
  void UpdateEditActions();
  void Report(const QString& text);
  TablePage* CurrentTablePage() const;

  StartupState state_;
  TableSortState sort_;
  JobDone lastJobDone_;
  QTabWidget* pages_ = nullptr;
  TypeEditor* typeEditor_ = nullptr;
  TablePage* sheetsPage_ = nullptr;
  TablePage* partsPage_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QAction* startOptimize_ = nullptr;
  QAction* cut_ = nullptr;
  QAction* copy_ = nullptr;
  QAction* paste_ = nullptr;
  bool shutDown_ = false;
  ReportState results_;
  SettingsPage* settingsPage_ = nullptr;
  OptimizeJob* job_ = nullptr;
  ReportPage* reportPage_ = nullptr;
};

}  // namespace tralvin::ui
