// The job on a worker thread, its progress and its after-run handler.
#include "app/ui/optimize_job.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "app/job_done.h"
#include "app/job_writeback.h"
#include "app/ui/message_box.h"
#include "app/ui/page_focus.h"

namespace tralvin::ui {

namespace {

QString ElapsedText(qint64 ms) {
  const qint64 s = ms / 1000;
  return QString("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QChar('0'));
}

// Shows or hides a widget; one on a tool bar through its action.
void SetShown(QWidget* widget, bool shown) {
  if (auto* action = qobject_cast<QAction*>(widget->property("toolBarAction").value<QObject*>())) {
    action->setVisible(shown);
  } else {
    widget->setVisible(shown);
  }
}

}  // namespace

void PlayJobSound(const std::string& startFolder, bool ok) {
  const QString file = QString::fromStdString(startFolder) + (ok ? "/ok.wav" : "/error.wav");
  if (QFileInfo(file).isFile()) QApplication::beep();
}

OptimizeJob::OptimizeJob(StartupState& state, ReportState& report, QWidget* window,
                         QProgressBar* progressBar)
    : QObject(window), state_(state), report_(report), window_(window), progressBar_(progressBar) {
  panel_ = new QWidget(window);
  panel_->setObjectName("JobProgressPanel");
  auto* row = new QHBoxLayout(panel_);
  row->setContentsMargins(6, 0, 0, 0);
  row->setSpacing(8);
  const bool ownBar = progressBar_ == nullptr;
  if (ownBar) {
    progressBar_ = new QProgressBar(panel_);
    progressBar_->setObjectName("ProgressBar1");
    progressBar_->setRange(0, kJobProgressMax);
    progressBar_->setTextVisible(false);
    progressBar_->setMinimumWidth(200);
  }
  buttonStop_ = new QPushButton("Stop", panel_);
  buttonStop_->setObjectName("ButtonStopOptimize");
  buttonStop_->setToolTip("End the search now and keep the best plan found so far");
  labelElapsed_ = new QLabel(panel_);
  labelElapsed_->setObjectName("LabelElapsed");
  if (ownBar) row->addWidget(progressBar_, 1);
  row->addWidget(labelElapsed_);
  row->addWidget(buttonStop_);
  panel_->hide();
  gridFocus_ = [this](const GridFailure& failure) { FocusGridCell(window_, failure); };
  connect(buttonStop_, &QPushButton::clicked, this, &OptimizeJob::Stop);

  elapsedTimer_ = new QTimer(this);
  elapsedTimer_->setInterval(200);
  connect(elapsedTimer_, &QTimer::timeout, this, &OptimizeJob::UpdateElapsed);
}

OptimizeJob::~OptimizeJob() {
  cancel_ = true;
  if (worker_.joinable()) worker_.join();
  if (cursorSet_) QApplication::restoreOverrideCursor();
}

void OptimizeJob::AddStartControl(QAbstractButton* button) { startButtons_.append(button); }
void OptimizeJob::AddStartControl(QAction* action) { startActions_.append(action); }

void OptimizeJob::SetStartEnabled(bool enabled) {
  for (const auto& b : startButtons_) {
    if (b) b->setEnabled(enabled);
  }
  for (const auto& a : startActions_) {
    if (a) a->setEnabled(enabled);
  }
}

void OptimizeJob::StartOptimizeClick() {
  if (running_) return;
  running_ = true;

  // The snapshot: everything the job reads, copied while the window waits.
  snapshot_.settings = state_.settings;
  snapshot_.sheets = state_.sheets;
  snapshot_.parts = state_.parts;
  snapshot_.bestDimensionMode = state_.bestDimensionMode;
  snapshot_.types = state_.types;
  snapshot_.captions = state_.captions;
  // A record of the job's input; a dump that cannot be written does not stop the job.
  const std::vector<std::string> dumpFailures = WriteJobDumpFiles(snapshot_);

  report_.plan = JobPlan{};
  report_.report.Clear();
  report_.listItems.clear();
  report_.stopped = false;
  report_.update.JobStarted();
  emit jobStarted();

  QApplication::setOverrideCursor(Qt::BusyCursor);
  cursorSet_ = true;
  SetStartEnabled(false);
  cancel_ = false;
  stop_ = false;
  position_ = 0;
  progressPosted_ = false;
  ShowProgress();
  elapsed_.start();
  UpdateElapsed();
  elapsedTimer_->start();
  lastStatus_ = dumpFailures.empty() ? QString("Optimizing...")
                                     : QString::fromStdString(dumpFailures.front());
  emit statusMessage(lastStatus_);

  if (state_.HideMode) {
    // Without a window the job runs on the calling thread.
    auto outcome = std::make_shared<JobOutcome>(RunJob(
        snapshot_, [this](int p) { progressBar_->setValue(p); }, &cancel_, &stop_));
    ThreadDone(std::move(outcome));
    return;
  }
  worker_ = std::thread([this, input = snapshot_]() mutable {
    auto outcome = std::make_shared<JobOutcome>(RunJob(
        std::move(input), [this](int p) { PostProgress(p); }, &cancel_, &stop_));
    // Back on the main thread; dropped when this object is gone.
    QMetaObject::invokeMethod(
        this, [this, outcome]() { ThreadDone(outcome); }, Qt::QueuedConnection);
  });
}

// Called on the worker: the newest position is kept, and one queued call at a
// time carries it to the bar, so a fast search cannot flood the event queue.
void OptimizeJob::PostProgress(int position) {
  position_.store(position, std::memory_order_relaxed);
  if (progressPosted_.exchange(true)) return;
  QMetaObject::invokeMethod(
      this,
      [this]() {
        progressPosted_ = false;
        progressBar_->setValue(position_.load(std::memory_order_relaxed));
      },
      Qt::QueuedConnection);
}

void OptimizeJob::ShowProgress() {
  progressBar_->setValue(0);
  buttonStop_->setEnabled(true);
  SetShown(progressBar_, true);
  SetShown(panel_, true);
}

void OptimizeJob::HideProgress() {
  SetShown(panel_, false);
  if (progressBar_->parentWidget() != panel_) SetShown(progressBar_, false);
}

void OptimizeJob::UpdateElapsed() {
  labelElapsed_->setText(ElapsedText(elapsed_.isValid() ? elapsed_.elapsed() : 0));
}

void OptimizeJob::Stop() {
  if (!running_) return;
  stop_ = true;
  buttonStop_->setEnabled(false);
  lastStatus_ = "Stopping: finishing the current search...";
  emit statusMessage(lastStatus_);
}

void OptimizeJob::Shutdown() {
  cancel_ = true;
  if (worker_.joinable()) worker_.join();
}

void OptimizeJob::ThreadDone(std::shared_ptr<JobOutcome> outcome) {
  if (worker_.joinable()) worker_.join();
  elapsedTimer_->stop();
  UpdateElapsed();
  const QString took = ElapsedText(elapsed_.elapsed());
  running_ = false;
  if (cursorSet_) {
    QApplication::restoreOverrideCursor();
    cursorSet_ = false;
  }
  SetStartEnabled(true);
  if (cancel_) {
    HideProgress();
    return;
  }
  if (window_) QApplication::alert(window_, 0);

  // Cells and settings the job's readers filled in stay, unless edited meanwhile.
  KeepFilledCells(state_.sheets, snapshot_.sheets, outcome->sheets);
  KeepFilledCells(state_.parts, snapshot_.parts, outcome->parts);
  KeepReaderSettings(state_.settings, snapshot_.settings, outcome->settings);

  report_.report.StocksList = state_.settings.chkReportAllPanels;
  JobDone done = tralvin::ThreadDone(*outcome, report_.report, state_.captions);
  lastDone_ = done;
  PlayJobSound(state_.settings.StartFolder(), !done.failed);
  if (done.failed) {
    HideProgress();
    if (outcome->settingsFocus != SettingsField::None) {
      FocusSettingsField(window_, outcome->settingsFocus);
    } else if (outcome->gridFailure) {
      gridFocus_(*outcome->gridFailure);
    }
    lastStatus_ = "The job ended without a plan (" + took + ")";
    emit statusMessage(lastStatus_);
    emit jobFinished(false);
    ShowWarning(window_, QString::fromStdString(done.warning));
    // The box took the focus; give it back to the failing field or cell.
    if (outcome->settingsFocus != SettingsField::None) {
      FocusSettingsField(window_, outcome->settingsFocus);
    } else if (outcome->gridFailure) {
      gridFocus_(*outcome->gridFailure);
    }
    return;
  }
  report_.plan = std::move(outcome->plan);
  report_.listItems = std::move(done.listItems);
  report_.stopped = outcome->stopped;
  progressBar_->setValue(kJobProgressMax);
  HideProgress();
  lastStatus_ = outcome->stopped
                    ? "Stopped after " + took + ": the report shows the best plan found until then"
                    : "Optimized in " + took;
  emit statusMessage(lastStatus_);
  emit jobFinished(true);
  emit reportReady();
}

}  // namespace tralvin::ui
