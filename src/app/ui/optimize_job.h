// "Start Optimize" and the job behind it: the window's tables, settings and
// types are copied on the main thread, the core job runs on a worker thread,
// its progress reaches the progress bar through queued calls, and the
// after-run handler (ThreadDone) shows the report or the failure. A "Stop"
// button beside the progress bar ends the search early with the best plan
// found so far; closing the window cancels a running job without waiting for
// its searches to finish.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "app/job.h"
#include "app/job_done.h"
#include "app/startup.h"
#include "results/report_state.h"

class QAbstractButton;
class QAction;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class QWidget;

namespace tralvin::ui {

class OptimizeJob : public QObject {
  Q_OBJECT

 public:
  // `window` is the main window: the job's warnings are shown over it, its
  // task-bar entry is flashed and its pages receive the focus of a failure.
  // `progressBar` is the window's ProgressBar1; without one the job makes its
  // own in its progress panel.
  OptimizeJob(StartupState& state, ReportState& report, QWidget* window,
              QProgressBar* progressBar = nullptr);
  ~OptimizeJob() override;

  // The "Stop" button and the elapsed time (and the progress bar when the job
  // made its own), in one row. Hidden while no job runs. A widget placed on a
  // tool bar is shown and hidden through its action, named by the widget's
  // property "toolBarAction" (so is the window's progress bar).
  QWidget* ProgressPanel() const { return panel_; }
  QProgressBar* ProgressBar() const { return progressBar_; }

  // How a failing grid cell is shown (its page, the grid focused, the cell
  // current); by default the item view named after the grid.
  void SetGridFocus(std::function<void(const GridFailure&)> focus) {
    gridFocus_ = std::move(focus);
  }

  // The controls that start a job; disabled while one runs.
  void AddStartControl(QAbstractButton* button);
  void AddStartControl(QAction* action);

  bool Running() const { return running_; }
  // The status text of the last job ("... stopped ..." when stopped).
  const QString& LastStatus() const { return lastStatus_; }
  // The after-run result of the last job: its failure text or its report items.
  const JobDone& LastDone() const { return lastDone_; }

 public slots:
  // Starts a job unless one is running.
  void StartOptimizeClick();
  // Ends the running search early; the job then finishes with the best plan so far.
  void Stop();
  // Cancels a running job and waits for its thread (the window is closing);
  // the job's outcome is dropped.
  void Shutdown();

 signals:
  // A job started: the report is emptied and "Update All" enabled again.
  void jobStarted();
  // A job ended with a plan; the report state holds it. The window shows the Report page.
  void reportReady();
  // A job ended, with or without a plan: cells the job filled in or settings
  // it corrected may have changed.
  void jobFinished(bool succeeded);
  void statusMessage(const QString& text);

 private:
  void ThreadDone(std::shared_ptr<JobOutcome> outcome);
  void PostProgress(int position);
  void ShowProgress();
  void HideProgress();
  void UpdateElapsed();
  void SetStartEnabled(bool enabled);

  StartupState& state_;
  ReportState& report_;
  QPointer<QWidget> window_;

  QWidget* panel_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  QPushButton* buttonStop_ = nullptr;
  QLabel* labelElapsed_ = nullptr;
  QTimer* elapsedTimer_ = nullptr;
  QList<QPointer<QAbstractButton>> startButtons_;
  QList<QPointer<QAction>> startActions_;
  std::function<void(const GridFailure&)> gridFocus_;

  bool running_ = false;
  bool cursorSet_ = false;
  JobInput snapshot_;
  std::thread worker_;
  std::atomic<bool> cancel_{false};
  std::atomic<bool> stop_{false};
  std::atomic<int> position_{0};
  std::atomic<bool> progressPosted_{false};
  QElapsedTimer elapsed_;
  QString lastStatus_;
  JobDone lastDone_;
};

// Plays "ok.wav" or "error.wav" of the start folder when the file is there.
// Without a sound library this is the system's short beep.
void PlayJobSound(const std::string& startFolder, bool ok);

}  // namespace tralvin::ui
