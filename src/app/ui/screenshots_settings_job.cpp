// Screenshots of the Settings page, a running job and the Report page.
#include "app/ui/screenshots_settings_job.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <functional>
#include <string>

#include "app/startup.h"
#include "app/ui/main_window.h"
#include "app/ui/optimize_job.h"

namespace tralvin::ui {

namespace {

void Write(const QString& name, const std::string& text) {
  QFile f(name);
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    f.write(text.data(), static_cast<qint64>(text.size()));
  }
}

// Stock, piece and option files of a search that runs for many seconds.
std::vector<std::string> WriteLongSearch(const QString& folder) {
  std::string stk = "[OPTIONS]\r\nISBESTDIMENSION=0\r\n";
  stk += "[SHEET1]\r\nLABEL=S6000\r\nTYPE=Steel\r\nLENGTH=6000\r\nQTY=400\r\nCOST=10\r\n";
  stk += "[SHEET2]\r\nLABEL=S5000\r\nTYPE=Steel\r\nLENGTH=5000\r\nQTY=300\r\nCOST=10\r\n";
  std::string dst;
  uint32_t seed = 7;
  for (int i = 0; i < 60; ++i) {
    seed = seed * 1103515245u + 12345u;
    const std::string n = std::to_string(i + 1);
    const std::string qty = std::to_string(2 + (seed >> 4) % 19);
    dst += "[PART" + n + "]\r\nLABEL=P" + n +
           "\r\nTYPE=Steel\r\nLENGTH=" + std::to_string(300 + (seed >> 8) % 2100) +
           "\r\nQTY=" + qty + "\r\nMAXQTY=" + qty + "\r\n";
  }
  Write(folder + "/long.stk", stk);
  Write(folder + "/long.dst", dst);
  Write(folder + "/long.opt",
        "[OPTION]\r\nMEASURE=mm\r\nBLADE_WIDTH=3\r\nCOST_OPTIMIZE=F\r\nTRACK_OPTIMIZE_SPEED=20\r\n"
        "PROJECT_TITLE=Hall 3\r\nSCRAP_LEN1=300\r\nOFFCUTS_PREFIX=OC\r\n");
  const std::string f = folder.toStdString();
  return {"-stk:" + f + "/long.stk", "-dst:" + f + "/long.dst", "-option:" + f + "/long.opt"};
}

// Serves events until `done` holds or `ms` have passed.
void WaitFor(const std::function<bool()>& done, int ms) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
}

}  // namespace

QStringList SaveSettingsJobReportScreenshots(const QString& folder) {
  QStringList written;
  QTemporaryDir start;
  TSDIAppForm window(RunStartupSteps(start.path().toStdString(), WriteLongSearch(start.path())));
  window.resize(1000, 700);
  window.show();
  auto save = [&](const QString& name) {
    WaitFor([] { return false; }, 150);
    const QString file = folder + "/" + name;
    if (window.grab().save(file)) written << file;
  };
  window.PageControl()->setCurrentWidget(window.Page("TabSheetSetup"));
  save("settings_page.png");

  window.StartOptimizeAction()->trigger();
  // A second into the job, with the bar (which starts over when full) well under way.
  QElapsedTimer running;
  running.start();
  WaitFor(
      [&] {
        const int v = window.ProgressBar()->value();
        return (running.elapsed() > 1100 && v > 300 && v < 900) || !window.Job()->Running();
      },
      60000);
  save("job_running.png");

  window.Job()->Stop();
  WaitFor([&] { return !window.Job()->Running(); }, 120000);
  save("report_page.png");
  return written;
}

}  // namespace tralvin::ui
