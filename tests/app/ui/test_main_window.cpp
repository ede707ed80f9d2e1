// The main window: its pages and frame, the shutdown steps, the type setup
// window, and the program run from the command line without a window.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

#include "app/startup.h"
#include "app/ui/main_window.h"
#include "app/ui/message_box.h"
#include "app/ui/small_windows.h"
#include "tables/table_grids.h"
#include "tables/ui/table_page.h"
#include "tables/ui/type_editor.h"
#include "tables/ui/type_setup_dialog.h"

using tralvin::StartupState;
using tralvin::ui::TFormSaveSelectGrids;
using tralvin::ui::TSDIAppForm;

namespace {

StartupState StateIn(const QString& folder) {
  StartupState s(folder.toStdString());
  s.sheets = tralvin::MakeSheetsGrid(s.captions, false, s.settings.EditMeasure);
  s.parts = tralvin::MakePartsGrid(s.captions);
  s.settings.EditSheetsFileName = (folder + "/default.stk").toStdString();
  s.settings.EditPartsFileName = (folder + "/default.dst").toStdString();
  s.sheets.SetCell(0, 1, "Bar");
  s.parts.SetCell(0, 1, "Piece");
  return s;
}

// Runs the program in `folder` on the offscreen platform.
int RunProgram(const QString& folder, const QStringList& args, QByteArray* err = nullptr) {
  QProcess process;
  process.setWorkingDirectory(folder);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  process.setProcessEnvironment(env);
  process.start(TRALVIN_PROGRAM, args);
  if (!process.waitForFinished(60000)) return -1;
  if (err) *err = process.readAllStandardError();
  return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
}

}  // namespace

class TestMainWindow : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { TFormSaveSelectGrids::SetAnswerer({}); }

  void titleIsProductName() {
    TSDIAppForm window;
    window.show();
    QVERIFY(window.windowTitle().startsWith(QString("Tralvin 1D")));
    QVERIFY(window.findChild<QWidget*>("AllPageControl") != nullptr);
    QVERIFY(window.findChild<QToolButton*>("StartOptimize") != nullptr);
    QCOMPARE(window.minimumSize(), QSize(781, 575));
    window.resize(500, 400);
    QVERIFY(window.width() >= 781 && window.height() >= 575);
  }

  void fourPagesInOrder() {
    TSDIAppForm window;
    auto* pages = window.findChild<QTabWidget*>("AllPageControl");
    QVERIFY(pages != nullptr);
    QCOMPARE(pages->count(), 4);
    const char* names[] = {"TabSheetSheets", "TabSheetParts", "TabSheetReport", "TabSheetSetup"};
    const char* captions[] = {"Stocks", "Pieces", "Report", "Settings"};
    for (int i = 0; i < 4; ++i) {
      QCOMPARE(pages->widget(i)->objectName(), QString(names[i]));
      QCOMPARE(pages->tabText(i), QString(captions[i]));
      QCOMPARE(window.Page(names[i]), pages->widget(i));
      QVERIFY(qobject_cast<QVBoxLayout*>(pages->widget(i)->layout()) != nullptr);
    }
    QCOMPARE(window.Page("nothing"), nullptr);
    QCOMPARE(window.State().sheets.RowCount(), 501);
    QCOMPARE(window.State().parts.RowCount(), 501);
  }

  void startWindowClosesAtTheFirstTick() {
    tralvin::ui::TComeInForm start;
    QCOMPARE(start.size(), QSize(273, 170));
    QElapsedTimer timer;
    timer.start();
    start.exec();
    QCOMPARE(start.m_second, 1);
    QVERIFY(timer.elapsed() < 3000);
  }

  void aboutWindowTexts() {
    TSDIAppForm window;
    QString version, ok;
    QTimer::singleShot(0, [&] {
      auto* box = window.findChild<tralvin::ui::TAboutBox*>("TAboutBox");
      QVERIFY(box != nullptr);
      version = box->Version->text();
      ok = box->OKButton->text();
      QTest::mouseClick(box->OKButton, Qt::LeftButton);
    });
    window.HelpAbout1Execute();
    QCOMPARE(version, QString("version :  2012 "));
    QCOMPARE(ok, QString("confirm"));
  }

  void startOptimizeReachesAConnectedRunner() {
    TSDIAppForm window;
    int requests = 0;
    QObject::connect(&window, &TSDIAppForm::startOptimizeRequested, [&] { ++requests; });
    window.StartOptimizeAction()->trigger();
    QCOMPARE(requests, 1);
  }

  void shutdownWithBothBoxesClearedWritesNoTable() {
    QTemporaryDir dir;
    {
      TSDIAppForm window(StateIn(dir.path()));
      window.show();
      bool askedSheets = false, askedParts = false;
      TFormSaveSelectGrids::SetAnswerer([&](TFormSaveSelectGrids& d) {
        askedSheets = d.CheckBoxSaveSheets->isChecked();
        askedParts = d.CheckBoxSaveParts->isChecked();
        QCOMPARE(d.CheckBoxSaveSheets->text(), QString("Stocks"));
        QVERIFY(d.CheckBoxSaveOffcuts->isHidden());
        d.CheckBoxSaveSheets->setChecked(false);
        d.CheckBoxSaveParts->setChecked(false);
      });
      tralvin::ui::MessageRecorder boxes;
      window.close();
      QVERIFY(askedSheets && askedParts);  // the option's default: both ticked
      QVERIFY(boxes.Requests().isEmpty());
    }
    QVERIFY(!QFile::exists(dir.filePath("default.stk")));
    QVERIFY(!QFile::exists(dir.filePath("default.dst")));
    QVERIFY(QFile::exists(dir.filePath("default.typ")));
    QVERIFY(QFile::exists(dir.filePath("default.opt")));

    // The next start remembers both boxes cleared; ticking one saves that table.
    TSDIAppForm again(tralvin::RunStartupSteps(dir.path().toStdString(), {}));
    again.State().parts.SetCell(0, 1, "Piece");
    again.RefreshTables();
    bool askedSheets = true, askedParts = true;
    TFormSaveSelectGrids::SetAnswerer([&](TFormSaveSelectGrids& d) {
      askedSheets = d.CheckBoxSaveSheets->isChecked();
      askedParts = d.CheckBoxSaveParts->isChecked();
      d.CheckBoxSaveParts->setChecked(true);
    });
    again.close();
    QVERIFY(!askedSheets && !askedParts);
    QVERIFY(!QFile::exists(dir.filePath("default.stk")));
    QVERIFY(QFile::exists(dir.filePath("default.dst")));
  }

  void refusedWritesAtShutdownAreReported() {
    TSDIAppForm window(StateIn("/nonexistent-folder-for-tralvin"));
    tralvin::ui::MessageRecorder boxes;
    TFormSaveSelectGrids::SetAnswerer([](TFormSaveSelectGrids&) {});
    window.close();
    // Types file, stock table, piece table and option file.
    QCOMPARE(boxes.Requests().size(), 4);
  }

  void typeSetupWindowSavesTheCheckedTypes() {
    QTemporaryDir dir;
    TSDIAppForm window(StateIn(dir.path()));
    window.show();
    window.Types().PutTypeIntoList({"Pine", "oak", "Ash"});
    window.ButtonTypeSetupClick();
    auto* dialog = window.findChild<tralvin::ui::TFormSetupTypeString*>("TFormSetupTypeString");
    QVERIFY(dialog != nullptr && dialog->isVisible());
    auto* list = dialog->findChild<QListWidget*>("CheckListBoxMaterialType");
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(0)->text(), QString("Ash"));
    QCOMPARE(list->item(0)->checkState(), Qt::Unchecked);
    list->item(1)->setCheckState(Qt::Checked);
    QTest::keyClicks(dialog->findChild<QLineEdit*>("EditTypeString"), "Birch");
    QTest::mouseClick(dialog->findChild<QPushButton*>("ButtonAddGlassType"), Qt::LeftButton);
    QTest::mouseClick(dialog->findChild<QPushButton*>("ButtonSaveTypeList"), Qt::LeftButton);
    QTRY_VERIFY(window.findChild<tralvin::ui::TFormSetupTypeString*>() == nullptr);
    const auto& types = window.State().types;
    QCOMPARE(types.MaterialTypes, (std::vector<std::string>{"Ash", "oak", "Pine", "Birch"}));
    QCOMPARE(types.SelectedTypes, (std::vector<std::string>{"oak"}));
    QVERIFY(QFile::exists(dir.filePath("default.typ")));
    QCOMPARE(window.Types().DropDown().Items(),
             (std::vector<std::string>{"Ash", "Birch", "oak", "Pine"}));
  }

  // The tool button runs the job on the window's worker; the after-run result
  // arrives when the job ends.
  void jobFromTheToolBar() {
    QTemporaryDir dir;
    const std::string samples = std::string(TRALVIN_SOURCE_DIR) + "/samples/";
    TSDIAppForm window(tralvin::RunStartupSteps(
        dir.path().toStdString(),
        {"-stk:" + samples + "sample.stk", "-dst:" + samples + "sample.dst",
         "-option:" + samples + "sample.opt"}));
    window.show();
    tralvin::ui::MessageRecorder boxes;
    QSignalSpy finished(&window, &TSDIAppForm::jobFinished);
    window.StartOptimizeAction()->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 60000);
    QVERIFY(!window.LastJobDone().failed);
    QVERIFY(window.LastJobDone().listItems.size() > 5);
    QCOMPARE(window.PageControl()->currentWidget(), window.Page("TabSheetReport"));
    QVERIFY(QFile::exists(dir.filePath("dump.sht")));
    QVERIFY(window.StartOptimizeAction()->isEnabled());
    QVERIFY(boxes.Requests().isEmpty());

    // A length that does not convert: the warning, and the cell selected.
    window.State().parts.SetCell(2, 2, "long");
    window.RefreshTables();
    window.StartOptimizeAction()->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, 60000);
    QVERIFY(window.LastJobDone().failed);
    QCOMPARE(boxes.Requests().size(), 1);
    QCOMPARE(window.PageControl()->currentWidget(), window.Page("TabSheetParts"));
    QCOMPARE(window.PartsPage()->CurrentCell(), (tralvin::GridCell{2, 2}));
  }

  void hiddenAutomaticJobLeavesOnlyTheDumpFiles() {
    QTemporaryDir dir;
    const QString samples = QString(TRALVIN_SOURCE_DIR) + "/samples/";
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(RunProgram(dir.path(), {"-stk:" + samples + "sample.stk",
                                     "-dst:" + samples + "sample.dst", "-auto:yes", "-hide:yes"}),
             0);
    QVERIFY(timer.elapsed() < 30000);
    for (const char* dump : {"dump.sht", "dump.prt", "dump.typ", "dump.opt"}) {
      QVERIFY2(QFile::exists(dir.filePath(dump)), dump);
    }
    for (const char* name : {"default.opt", "default.typ", "default.stk", "default.dst"}) {
      QVERIFY2(!QFile::exists(dir.filePath(name)), name);
    }
    QVERIFY(QFile(dir.filePath("dump.sht")).size() > 0);
  }

  void hiddenFailingJobSaysSoWithoutWaiting() {
    // On a platform without a screen the warnings go to standard error
    // instead of boxes nobody could answer.
    QTemporaryDir dir;
    QFile bad(dir.filePath("bad.stk"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("[SHEET1]\nLABEL=A\nTYPE=S\nLENGTH=abc\nQTY=2\n");
    bad.close();
    const QString samples = QString(TRALVIN_SOURCE_DIR) + "/samples/";
    QByteArray err;
    QCOMPARE(
        RunProgram(dir.path(),
                   {"-stk:bad.stk", "-dst:" + samples + "sample.dst", "-auto:yes", "-hide:yes"},
                   &err),
        1);
    QVERIFY(err.contains("'abc' is not a valid floating point value"));
    QVERIFY(QFile::exists(dir.filePath("dump.sht")));
    QVERIFY(!QFile::exists(dir.filePath("default.opt")));
  }

  void hideAloneWritesNothing() {
    QTemporaryDir dir;
    QCOMPARE(RunProgram(dir.path(), {"-hide:YES"}), 0);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList());
  }

  void noDisplayPointsToTheBatchRunner() {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    process.setProcessEnvironment(env);
    process.start(TRALVIN_PROGRAM, {});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(process.readAllStandardError().contains("tralvin1d-batch"));
  }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
