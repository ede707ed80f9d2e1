// The Report page after a job: PDF export through the Export button (pages
// and text checked with poppler's tools when installed), the HTML page,
// printing, "Update All" once, "Stocks List", and the commands without a plan.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include "app/ui/current_printer.h"
#include "app/ui/file_dialog.h"
#include "app/ui/message_box.h"
#include "app/update_settings.h"
#include "common/job_window_harness.h"
#include "results/cut_pattern.h"
#include "results/html_page.h"
#include "results/ui/diagram_view.h"
#include "results/ui/report_printing.h"

using namespace tralvin;
using namespace tralvin::testing_ui;

namespace {

std::vector<std::string> CaseParams(const std::string& name) {
  const std::string dir = std::string(TRALVIN_TEST_DATA_DIR) + "/" + name + "/";
  return {"-stk:" + dir + "stocks.stk", "-dst:" + dir + "pieces.dst",
          "-option:" + dir + "options.opt"};
}

bool RunJob(JobWindow& window) {
  QTest::mouseClick(window.startButton, Qt::LeftButton);
  return QTest::qWaitFor([&window]() { return !window.job->Running(); }, 120000);
}

QString Simplified(const QString& text) { return text.simplified(); }

QString Run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(60000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

// Save dialogs answer with `file`; the shell's "open" is recorded.
struct FakeDialogs {
  QString file;
  QString folderOffered;
  QStringList opened;
  bool printAnswer = true;
  FakeDialogs() {
    ui::SetFileDialogAnswerer([this](const ui::FileDialogRequest& request) {
      folderOffered = request.folder;
      return file;
    });
    ui::ReportPage::Dialogs d;
    d.print = [this](QWidget*) { return printAnswer; };
    d.open = [this](const QString& f) { opened << f; };
    ui::ReportPage::SetDialogs(d);
  }
  ~FakeDialogs() {
    ui::ReportPage::ResetDialogs();
    ui::SetFileDialogAnswerer({});
  }
};

}  // namespace

class TestReportPage : public QObject {
  Q_OBJECT

 private slots:
  void pdfExportHasEveryLineOnNumberedPages() {
    QTemporaryDir folder;
    JobWindow window(folder.path(), CaseParams("report_many_pieces"));
    window.state.settings.EditPrinterFontSize = "10";
    window.state.settings.EditPrinterFontName = "DejaVu Sans Mono";
    QVERIFY(RunJob(window));
    QVERIFY(window.report.plan.HasPlan());
    FakeDialogs dialogs;
    dialogs.file = folder.path() + "/plans/report.pdf";
    QDir(folder.path()).mkdir("plans");
    ui::MessageRecorder boxes;
    auto* exportButton = window.findChild<QPushButton*>("ButtonExportReport");
    QVERIFY(exportButton->menu() != nullptr);
    exportButton->menu()->findChild<QAction*>("ActionExportPdf")->trigger();
    QVERIFY2(boxes.Texts().isEmpty(), qPrintable(boxes.Texts().join("; ")));
    QVERIFY(QFile::exists(dialogs.file));
    QCOMPARE(QString::fromStdString(window.state.settings.Folder("DIR_REPORT")),
             folder.path() + "/plans");

    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdfinfo.isEmpty() || pdftotext.isEmpty()) {
      QSKIP(
          "pdfinfo/pdftotext (poppler-utils) not installed: the PDF's pages and text are not "
          "checked");
    }
    const QRegularExpressionMatch pagesLine =
        QRegularExpression("Pages:\\s+(\\d+)").match(Run(pdfinfo, {dialogs.file}));
    QVERIFY(pagesLine.hasMatch());
    const int pages = pagesLine.captured(1).toInt();
    // 300 lines at 10 points do not fit on one sheet.
    QVERIFY2(pages > 1, qPrintable(QString::number(pages)));

    const QString text = Run(pdftotext, {"-layout", dialogs.file, "-"});
    const QStringList pageTexts = text.split('\f', Qt::SkipEmptyParts);
    QCOMPARE(pageTexts.size(), pages);
    for (int i = 0; i < pages; ++i) {
      QVERIFY2(pageTexts[i].contains(QString("Page %1 of %2").arg(i + 1).arg(pages)),
               qPrintable(QString::number(i)));
      // Title lines head the report's pages and the diagram pages after them;
      // pdftotext spaces words by their place on the page, so compare words.
      QVERIFY(Simplified(pageTexts[i])
                  .contains(Simplified(
                      QString::fromStdString(window.report.report.ReportTitleLines[0]))));
    }
    // Every report line, in order (blanks compared without their spacing).
    const QStringList textLines = text.split(QRegularExpression("[\n\f]"));
    int at = 0;
    for (const std::string& item : window.report.listItems) {
      const QString want = Simplified(QString::fromStdString(item));
      if (want.isEmpty()) continue;
      while (at < textLines.size() && Simplified(textLines[at]) != want) ++at;
      QVERIFY2(at < textLines.size(), qPrintable("missing from the PDF: " + want));
      ++at;
    }
  }

  // The diagrams below the list show the plan's patterns; a click on a bar
  // selects its pattern's lines, a line selects its pattern's bar.
  void diagramsFollowTheReport() {
    QTemporaryDir folder;
    JobWindow window(folder.path(), SampleParams());
    QVERIFY(RunJob(window));
    auto* view = window.findChild<ui::DiagramView*>("DiagramView");
    QVERIFY(view != nullptr);
    QVERIFY(!view->Diagrams().empty());
    auto* list = window.findChild<QListWidget*>("ListBoxReport");
    const int last = view->Diagrams().back().number;
    emit view->patternClicked(last);
    const QList<QListWidgetItem*> selected = list->selectedItems();
    QVERIFY(selected.size() >= 3);
    QCOMPARE(list->item(list->currentRow())->text(), QString("[%1]").arg(last));

    const int first = view->Diagrams().front().number;
    const int row =
        static_cast<int>(std::find(window.report.listItems.begin(), window.report.listItems.end(),
                                   "[" + std::to_string(first) + "]") -
                         window.report.listItems.begin());
    list->setCurrentRow(row + 2);
    QCOMPARE(view->SelectedPattern(), first);
    list->setCurrentRow(1);  // a settings line belongs to no pattern
    QCOMPARE(view->SelectedPattern(), first);
  }

  void htmlExportAndPrinting() {
    QTemporaryDir folder;
    JobWindow window(folder.path(), SampleParams());
    QVERIFY(RunJob(window));
    FakeDialogs dialogs;
    dialogs.file = folder.path() + "/report.html";
    ui::MessageRecorder boxes;
    window.findChild<QAction*>("ActionExportHtml")->trigger();
    QVERIFY(boxes.Texts().isEmpty());
    QFile html(dialogs.file);
    QVERIFY(html.open(QIODevice::ReadOnly));
    QCOMPARE(html.readAll().toStdString(), HtmlPageText(window.report.listItems));
    QCOMPARE(dialogs.opened, QStringList{dialogs.file});
    QCOMPARE(QString::fromStdString(window.state.settings.Folder("DIR_EXPORT_HTML")),
             folder.path());

    // "Print" on the shared printer, here a PDF file.
    QPrinter& printer = ui::CurrentPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.path() + "/printed.pdf");
    QSignalSpy status(window.reportPage, &ui::ReportPage::statusMessage);
    QTest::mouseClick(window.findChild<QPushButton*>("ButtonPrintReport"), Qt::LeftButton);
    QVERIFY(QFileInfo(folder.path() + "/printed.pdf").size() > 0);
    QCOMPARE(status.size(), 1);
    // The report's page and a page of cutting diagrams.
    QCOMPARE(status.front().front().toString(), QString("Printed 2 page(s)"));
    // Cancel in the print dialog prints nothing.
    dialogs.printAnswer = false;
    QFile::remove(folder.path() + "/printed.pdf");
    QTest::mouseClick(window.findChild<QPushButton*>("ButtonPrintReport"), Qt::LeftButton);
    QVERIFY(!QFile::exists(folder.path() + "/printed.pdf"));
  }

  void updateAllOnceAsTheCoreUpdates() {
    QTemporaryDir folder;
    JobWindow window(folder.path(), SampleParams());
    auto* update = window.findChild<QPushButton*>("ButtonUpdate");
    QVERIFY(!update->isEnabled());  // no job yet
    QVERIFY(RunJob(window));
    QVERIFY(update->isEnabled());

    StringGrid sheets = window.state.sheets, parts = window.state.parts;
    const UpdateOutcome expected =
        UpdateAll(sheets, parts, CutPatternsOf(window.report.plan),
                  UpdateSettingsOf(window.state.settings, window.state.bestDimensionMode),
                  window.state.captions);
    QCOMPARE(expected.status, UpdateStatus::Done);
    QVERIFY(sheets.Row(1) != window.state.sheets.Row(1) ||
            parts.Row(1) != window.state.parts.Row(1));

    QSignalSpy updated(window.reportPage, &ui::ReportPage::tablesUpdated);
    ui::MessageRecorder boxes;
    QTest::mouseClick(update, Qt::LeftButton);
    QVERIFY(boxes.Texts().isEmpty());
    QCOMPARE(updated.size(), 1);
    for (int r = 0; r < sheets.RowCount(); ++r) QCOMPARE(window.state.sheets.Row(r), sheets.Row(r));
    for (int r = 0; r < parts.RowCount(); ++r) QCOMPARE(window.state.parts.Row(r), parts.Row(r));
    QVERIFY(!update->isEnabled());

    // The next job enables it again.
    QVERIFY(RunJob(window));
    QVERIFY(update->isEnabled());
  }

  void stocksListAndLowerBound() {
    QTemporaryDir folder;
    JobWindow window(folder.path(), SampleParams());
    QVERIFY(RunJob(window));
    auto* list = window.findChild<QListWidget*>("ListBoxReport");
    const int withStocks = list->count();
    auto* check = window.findChild<QCheckBox*>("chkReportAllPanels");
    QVERIFY(check->isChecked());
    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(!window.state.settings.chkReportAllPanels);
    QVERIFY(list->count() < withStocks);
    QCOMPARE(list->count(), static_cast<int>(window.report.listItems.size()));
    auto* bound = window.findChild<QLabel*>("LabelLowerBound");
    QVERIFY2(bound->text().startsWith("Lower bound"), qPrintable(bound->text()));
    QVERIFY(list->font().fixedPitch() || QFontInfo(list->font()).fixedPitch());
  }

  void commandsWithoutAPlanWarn() {
    QTemporaryDir folder;
    JobWindow window(folder.path(), SampleParams());
    FakeDialogs dialogs;
    dialogs.file = folder.path() + "/never.pdf";
    ui::MessageRecorder boxes;
    QTest::mouseClick(window.findChild<QPushButton*>("ButtonPrintReport"), Qt::LeftButton);
    window.findChild<QAction*>("ActionExportPdf")->trigger();
    window.findChild<QAction*>("ActionExportHtml")->trigger();
    QCOMPARE(boxes.Texts().size(), 3);
    for (const QString& t : boxes.Texts()) {
      QCOMPARE(t, QString("Layout list is empty, please click optimize button in Toolsbar"));
    }
    QVERIFY(!QFile::exists(dialogs.file));
    // "Stocks List" before any job only stores the flag.
    QTest::mouseClick(window.findChild<QCheckBox*>("chkReportAllPanels"), Qt::LeftButton);
    QVERIFY(!window.state.settings.chkReportAllPanels);
    QCOMPARE(window.findChild<QListWidget*>("ListBoxReport")->count(), 0);
  }

  void unwritablePdfWarns() {
    QTemporaryDir folder;
    JobWindow window(folder.path(), SampleParams());
    QVERIFY(RunJob(window));
    FakeDialogs dialogs;
    dialogs.file = folder.path() + "/no such folder/report.pdf";
    ui::MessageRecorder boxes;
    window.findChild<QAction*>("ActionExportPdf")->trigger();
    QCOMPARE(boxes.Texts().size(), 1);
    QVERIFY(boxes.Texts().front().startsWith("The file could not be written"));
  }
};

QTEST_MAIN(TestReportPage)
#include "test_report_page.moc"
