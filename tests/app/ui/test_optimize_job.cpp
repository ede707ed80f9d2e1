// "Start Optimize" in a window: the report of the sample tables equals the
// batch runner's, a long job keeps the window alive and moves its progress
// bar, Stop gives a valid plan, and failures take the user to the bad field
// or cell with the warning.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "app/ui/main_window.h"
#include "app/ui/message_box.h"
#include "common/job_window_harness.h"
#include "tables/ui/table_page.h"

using namespace tralvin;
using namespace tralvin::testing_ui;

namespace {

QStringList ListItems(QWidget* window) {
  auto* list = window->findChild<QListWidget*>("ListBoxReport");
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
  return items;
}

// The batch runner's report lines for the same files.
QStringList BatchReport(const QString& folder, const std::vector<std::string>& params) {
  QProcess batch;
  batch.setWorkingDirectory(folder);
  QStringList args;
  for (const std::string& p : params) args << QString::fromStdString(p);
  args << "-report:" + folder + "/batch.txt";
  batch.start(TRALVIN_BATCH_PROGRAM, args);
  if (!batch.waitForFinished(120000) || batch.exitCode() != 0) return {"batch runner failed"};
  QFile file(folder + "/batch.txt");
  file.open(QIODevice::ReadOnly);
  QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  return lines;
}

}  // namespace

class TestOptimizeJob : public QObject {
  Q_OBJECT

 private slots:
  void sampleReportEqualsBatchRunner() {
    QTemporaryDir folder;
    JobWindow window(folder.path(), SampleParams());
    window.show();
    ui::MessageRecorder boxes;
    QTest::mouseClick(window.startButton, Qt::LeftButton);
    QVERIFY(window.job->Running());
    QVERIFY(!window.startButton->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!window.job->Running(), 120000);
    QVERIFY2(boxes.Texts().isEmpty(), qPrintable(boxes.Texts().join("; ")));
    QVERIFY(window.startButton->isEnabled());
    QCOMPARE(window.pages->currentWidget(), window.reportTab);
    QVERIFY(!window.job->ProgressPanel()->isVisible());
    // The job's input was written beside the start files.
    QVERIFY(QFile::exists(folder.path() + "/dump.sht"));
    QVERIFY(QFile::exists(folder.path() + "/dump.opt"));

    QCOMPARE(ListItems(&window), BatchReport(folder.path(), SampleParams()));
    QVERIFY(window.job->LastStatus().startsWith("Optimized"));
  }

  // The same through the program's main window and its tool button.
  void mainWindowToolButtonShowsTheReport() {
    QTemporaryDir folder;
    ui::TSDIAppForm window(RunStartupSteps(folder.path().toStdString(), SampleParams()));
    window.show();
    ui::MessageRecorder boxes;
    QSignalSpy finished(&window, &ui::TSDIAppForm::jobFinished);
    auto* start = window.findChild<QToolButton*>("StartOptimize");
    QVERIFY(start != nullptr);
    QTest::mouseClick(start, Qt::LeftButton);
    QVERIFY(window.Job()->Running());
    QVERIFY(!window.StartOptimizeAction()->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!window.Job()->Running(), 120000);
    QVERIFY2(boxes.Texts().isEmpty(), qPrintable(boxes.Texts().join("; ")));
    QCOMPARE(window.PageControl()->currentWidget(), window.Page("TabSheetReport"));
    QCOMPARE(ListItems(&window), BatchReport(folder.path(), SampleParams()));
    QVERIFY(window.StartOptimizeAction()->isEnabled());
    QVERIFY(window.statusBar()->currentMessage().startsWith("Optimized"));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.front().front().toBool(), false);
    QCOMPARE(window.LastJobDone().listItems.size(), window.Results().listItems.size());

    // A bad cell: its page, the grid focused, the cell current.
    window.State().parts.SetCell(4, 3, "x");
    QTest::mouseClick(start, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window.Job()->Running(), 120000);
    QCOMPARE(boxes.Texts().size(), 1);
    QCOMPARE(window.PageControl()->currentWidget(), window.Page("TabSheetParts"));
    QCOMPARE(window.PartsPage()->CurrentCell(), (GridCell{4, 3}));
    QCOMPARE(QApplication::focusWidget(), window.PartsPage()->View());
    QVERIFY(ListItems(&window).isEmpty());
  }

  void longJobStaysResponsiveAndStopKeepsAPlan() {
    QTemporaryDir folder;
    JobWindow window(folder.path(), WriteLongInstance(folder.path()));
    window.show();
    ui::MessageRecorder boxes;
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks]() { ++ticks; });
    ticker.start(10);

    QTest::mouseClick(window.startButton, Qt::LeftButton);
    auto* bar = window.findChild<QProgressBar*>("ProgressBar1");
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->maximum(), 1024);
    QTRY_VERIFY_WITH_TIMEOUT(bar->value() > 0, 60000);
    const int first = bar->value();
    QTRY_VERIFY_WITH_TIMEOUT(bar->value() != first, 60000);
    // The window kept serving events while the worker searched.
    QTRY_VERIFY_WITH_TIMEOUT(ticks > 20, 10000);
    QVERIFY(window.job->Running());
    QVERIFY(!window.findChild<QLabel*>("LabelElapsed")->text().isEmpty());
    // The user edits a setting during the job: allowed, and not undone afterwards.
    window.findChild<QLineEdit*>("EditPrintTitle")->setText("edited while running");

    QElapsedTimer stopped;
    stopped.start();
    QTest::mouseClick(window.findChild<QPushButton*>("ButtonStopOptimize"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window.job->Running(), 60000);
    qInfo("stopped job ended %lld ms after Stop", static_cast<long long>(stopped.elapsed()));
    QVERIFY2(boxes.Texts().isEmpty(), qPrintable(boxes.Texts().join("; ")));
    QVERIFY(window.report.plan.HasPlan());
    QVERIFY(window.report.stopped);
    QVERIFY(window.job->LastStatus().startsWith("Stopped"));
    QCOMPARE(window.state.settings.EditPrintTitle, std::string("edited while running"));
    QCOMPARE(window.pages->currentWidget(), window.reportTab);

    // A valid plan: every required piece produced, no more bars than in stock.
    const CuttingReport& r = window.report.report;
    const JobPlan& plan = window.report.plan;
    QCOMPARE(r.UsedPieceCounts.Count(), plan.MinParts.Count());
    for (int i = 0; i < plan.MinParts.Count(); ++i) {
      QVERIFY2(r.UsedPieceCounts[i].p_number >= plan.MinParts[i].p_number,
               plan.MinParts[i].p_lab.c_str());
    }
    for (int i = 0; i < plan.sheets.Count(); ++i) {
      QVERIFY(r.UsedStockCounts[i].p_number <= plan.sheets[i].p_number);
    }
    const QStringList items = ListItems(&window);
    QVERIFY(items.size() > 60);
    QVERIFY(items.back().startsWith("total price"));
  }

  void badBladeWidthFocusesItsEdit() {
    QTemporaryDir folder;
    JobWindow window(folder.path(), SampleParams());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* blade = window.findChild<QLineEdit*>("EditBladeWidth");
    blade->clear();
    QTest::keyClicks(blade, "1/0");
    window.pages->setCurrentWidget(window.sheetsTab);
    ui::MessageRecorder boxes;
    QTest::mouseClick(window.startButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window.job->Running(), 60000);
    QCOMPARE(boxes.Texts(),
             QStringList{"['[]' is not a valid floating point value]blade width is invalid."});
    QCOMPARE(window.pages->currentWidget(), window.setupTab);
    QCOMPARE(QApplication::focusWidget(), blade);
    QCOMPARE(blade->selectedText(), QString("1/0"));
    QVERIFY(!window.report.plan.HasPlan());
    QVERIFY(ListItems(&window).isEmpty());
    QVERIFY(window.startButton->isEnabled());
  }

  void badCellMovesToItsPageAndCell() {
    QTemporaryDir folder;
    JobWindow window(folder.path(), SampleParams());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.state.parts.SetCell(3, 2, "many");
    ui::MessageRecorder boxes;
    QTest::mouseClick(window.startButton, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!window.job->Running(), 60000);
    QCOMPARE(boxes.Texts().size(), 1);
    QVERIFY2(boxes.Texts().front().contains("many"), qPrintable(boxes.Texts().front()));
    QCOMPARE(window.pages->currentWidget(), window.partsTab);
    QCOMPARE(window.partsGrid->currentRow(), 2);
    QCOMPARE(window.partsGrid->currentColumn(), 3);
    QCOMPARE(QApplication::focusWidget(), window.partsGrid);
  }

  void closingDuringAJobDoesNotWaitForTheSearch() {
    QTemporaryDir folder;
    QElapsedTimer timer;
    {
      JobWindow window(folder.path(), WriteLongInstance(folder.path()));
      window.show();
      QTest::mouseClick(window.startButton, Qt::LeftButton);
      QTRY_VERIFY_WITH_TIMEOUT(window.findChild<QProgressBar*>("ProgressBar1")->value() > 0, 60000);
      timer.start();
    }
    qInfo("window closed %lld ms into a running job", static_cast<long long>(timer.elapsed()));
    QVERIFY(timer.elapsed() < 15000);
  }
};

QTEST_MAIN(TestOptimizeJob)
#include "test_optimize_job.moc"
