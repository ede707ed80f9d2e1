// The main window's Settings page, job runner and Report page: built, placed on
// their pages and connected to the tool button, the tables and the status bar.
#include <QAction>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/ui/main_window.h"
#include "app/ui/optimize_job.h"
#include "app/ui/settings_page.h"
#include "results/ui/report_page.h"
#include "tables/ui/table_page.h"

namespace tralvin::ui {

void TSDIAppForm::BuildSettingsJobAndReport() {
  settingsPage_ = new SettingsPage(state_.settings, state_.captions, Page("TabSheetSetup"));
  Page("TabSheetSetup")->layout()->addWidget(settingsPage_);
  // "Timber Type Setup" of the material types, below the settings.
  auto* typeSetup = new QPushButton(settingsPage_);
  typeSetup->setObjectName("ButtonTypeSetup");
  if (const CaptionEntry* e = state_.captions.Find("Material Type Setup Button")) {
    typeSetup->setText(QString::fromStdString(e->caption));
    typeSetup->setToolTip(QString::fromStdString(e->hint));
  }
  settingsPage_->ExtraArea()->addWidget(typeSetup, 0, Qt::AlignLeft);
  connect(typeSetup, &QPushButton::clicked, this, &TSDIAppForm::ButtonTypeSetupClick);
  connect(settingsPage_, &SettingsPage::measureChanged, this, [this] {
    sheetsPage_->ApplyBestDimension();  // the length column's title names the unit
  });

  reportPage_ = new ReportPage(results_, state_, Page("TabSheetReport"));
  Page("TabSheetReport")->layout()->addWidget(reportPage_);
  connect(reportPage_, &ReportPage::settingsChanged, settingsPage_, &SettingsPage::LoadFromModel);
  connect(reportPage_, &ReportPage::tablesUpdated, this, [this] {
    RefreshTables();
    sheetsPage_->RecomputeTotals();
  });

  // The job: Stop and the elapsed time beside the tool bar's progress bar.
  job_ = new OptimizeJob(state_, results_, this, progress_);
  job_->AddStartControl(startOptimize_);
  job_->SetGridFocus(
      [this](const GridFailure& f) { TablePageOf(f.grid)->SelectFailureCell(f.cell); });
  auto* tools = findChild<QToolBar*>("ToolBar1");
  QAction* panelAction = tools->addWidget(job_->ProgressPanel());
  job_->ProgressPanel()->setProperty("toolBarAction", QVariant::fromValue<QObject*>(panelAction));
  panelAction->setVisible(false);
  connect(this, &TSDIAppForm::startOptimizeRequested, this, [this] {
    sheetsPage_->FinishEditing();
    partsPage_->FinishEditing();
    job_->StartOptimizeClick();
  });
  connect(job_, &OptimizeJob::jobStarted, reportPage_, &ReportPage::Refresh);
  connect(job_, &OptimizeJob::jobFinished, this, [this] {
    RefreshTables();                 // cells the job filled in
    settingsPage_->LoadFromModel();  // a printer font size it corrected
    lastJobDone_ = job_->LastDone();
    emit jobFinished(lastJobDone_.failed);
  });
  connect(job_, &OptimizeJob::reportReady, this, [this] {
    reportPage_->Refresh();
    pages_->setCurrentWidget(Page("TabSheetReport"));
  });
  for (QObject* source : {static_cast<QObject*>(job_), static_cast<QObject*>(reportPage_)}) {
    connect(source, SIGNAL(statusMessage(QString)), statusBar(), SLOT(showMessage(QString)));
  }
}

}  // namespace tralvin::ui
