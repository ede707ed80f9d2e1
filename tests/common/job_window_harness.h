// A stand-in for the main window in the tests of the Settings page, the job
// and the Report page: the page control with the four pages, the Settings and
// Report pages on theirs, a piece grid view, the "Start Optimize" tool button
// and the job's progress panel, over a start-up state read from a folder.
#pragma once

#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "app/startup.h"
#include "app/ui/optimize_job.h"
#include "app/ui/settings_page.h"
#include "results/report_state.h"
#include "results/ui/report_page.h"

namespace tralvin::testing_ui {

inline void WriteFile(const QString& name, const std::string& text) {
  QFile f(name);
  f.open(QIODevice::WriteOnly | QIODevice::Truncate);
  f.write(text.data(), static_cast<qint64>(text.size()));
}

class JobWindow : public QWidget {
 public:
  // `params` are command-line parameters read as at start-up from `folder`.
  JobWindow(const QString& folder, const std::vector<std::string>& params)
      : state(RunStartupSteps(folder.toStdString(), params)) {
    setObjectName("SDIAppForm");
    auto* layout = new QVBoxLayout(this);
    startButton = new QToolButton(this);
    startButton->setObjectName("StartOptimize");
    startButton->setText("Start Optimize");
    layout->addWidget(startButton);
    pages = new QTabWidget(this);
    pages->setObjectName("AllPageControl");
    layout->addWidget(pages, 1);
    auto page = [this](const char* name, const char* caption) {
      auto* w = new QWidget;
      w->setObjectName(name);
      new QVBoxLayout(w);
      pages->addTab(w, caption);
      return w;
    };
    sheetsTab = page("TabSheetSheets", "Stocks");
    partsTab = page("TabSheetParts", "Pieces");
    reportTab = page("TabSheetReport", "Report");
    setupTab = page("TabSheetSetup", "Settings");
    partsGrid = new QTableWidget(state.parts.RowCount(), state.parts.ColCount(), partsTab);
    partsGrid->setObjectName("StringGridParts");
    partsTab->layout()->addWidget(partsGrid);
    settingsPage = new SettingsPageT(state.settings, state.captions, setupTab);
    setupTab->layout()->addWidget(settingsPage);
    reportPage = new ReportPageT(report, state, reportTab);
    reportTab->layout()->addWidget(reportPage);
    job = new ui::OptimizeJob(state, report, this);
    layout->addWidget(job->ProgressPanel());
    job->AddStartControl(startButton);
    QObject::connect(startButton, &QToolButton::clicked, job, &ui::OptimizeJob::StartOptimizeClick);
    QObject::connect(job, &ui::OptimizeJob::jobStarted, reportPage, &ui::ReportPage::Refresh);
    QObject::connect(job, &ui::OptimizeJob::reportReady, reportPage, [this]() {
      reportPage->Refresh();
      pages->setCurrentWidget(reportTab);
    });
    resize(1000, 700);
  }

  using SettingsPageT = ui::SettingsPage;
  using ReportPageT = ui::ReportPage;

  StartupState state;
  ReportState report;
  QToolButton* startButton = nullptr;
  QTabWidget* pages = nullptr;
  QWidget *sheetsTab = nullptr, *partsTab = nullptr, *reportTab = nullptr, *setupTab = nullptr;
  QTableWidget* partsGrid = nullptr;
  ui::SettingsPage* settingsPage = nullptr;
  ui::ReportPage* reportPage = nullptr;
  ui::OptimizeJob* job = nullptr;
};

// The bundled sample tables and options as start-up parameters.
inline std::vector<std::string> SampleParams() {
  const std::string samples = std::string(TRALVIN_SOURCE_DIR) + "/samples/";
  return {"-stk:" + samples + "sample.stk", "-dst:" + samples + "sample.dst",
          "-option:" + samples + "sample.opt"};
}

// A long search: 60 piece kinds of one material at the slowest speed, written
// into `folder` as big.stk, big.dst and big.opt; returns the parameters.
inline std::vector<std::string> WriteLongInstance(const QString& folder) {
  std::string stk = "[OPTIONS]\r\nISBESTDIMENSION=0\r\n";
  stk += "[SHEET1]\r\nLABEL=S6000\r\nTYPE=Steel\r\nLENGTH=6000\r\nQTY=400\r\nCOST=10\r\n";
  stk += "[SHEET2]\r\nLABEL=S5000\r\nTYPE=Steel\r\nLENGTH=5000\r\nQTY=300\r\nCOST=10\r\n";
  std::string dst;
  uint32_t seed = 7;
  for (int i = 0; i < 60; ++i) {
    seed = seed * 1103515245u + 12345u;
    const int length = 300 + static_cast<int>((seed >> 8) % 2100);
    const int qty = 2 + static_cast<int>((seed >> 4) % 19);
    const std::string n = std::to_string(i + 1);
    dst += "[PART" + n + "]\r\nLABEL=P" + n + "\r\nTYPE=Steel\r\nLENGTH=" + std::to_string(length) +
           "\r\nQTY=" + std::to_string(qty) + "\r\nMAXQTY=" + std::to_string(qty) + "\r\n";
  }
  WriteFile(folder + "/big.stk", stk);
  WriteFile(folder + "/big.dst", dst);
  WriteFile(folder + "/big.opt",
            "[OPTION]\r\nMEASURE=mm\r\nBLADE_WIDTH=3\r\nCOST_OPTIMIZE=F\r\n"
            "TRACK_OPTIMIZE_SPEED=20\r\n");
  const std::string f = folder.toStdString();
  return {"-stk:" + f + "/big.stk", "-dst:" + f + "/big.dst", "-option:" + f + "/big.opt"};
}

}  // namespace tralvin::testing_ui
