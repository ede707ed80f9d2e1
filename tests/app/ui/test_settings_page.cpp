// The Settings page: every visible control changed by the user survives the
// option file written at shutdown and read by a new window; the immediate
// check of the minimum offcut length; the "Font" button.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include "app/startup.h"
#include "app/ui/main_window.h"
#include "app/ui/message_box.h"
#include "app/ui/settings_page.h"
#include "app/ui/small_windows.h"
#include "texts/caption_table.h"

using namespace tralvin;

namespace {

// What the page's visible controls show, by object name.
QMap<QString, QString> Controls(QWidget* page) {
  QMap<QString, QString> shown;
  for (auto* edit : page->findChildren<QLineEdit*>()) shown[edit->objectName()] = edit->text();
  for (auto* check : page->findChildren<QCheckBox*>())
    shown[check->objectName()] = check->isChecked() ? "checked" : "clear";
  for (auto* combo : page->findChildren<QComboBox*>())
    shown[combo->objectName()] = combo->currentText();
  for (auto* slider : page->findChildren<QSlider*>())
    shown[slider->objectName()] = QString::number(slider->value());
  return shown;
}

// A click on the box itself (a check box may be wider than its text).
void ClickBox(QCheckBox* box) {
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

}  // namespace

class TestSettingsPage : public QObject {
  Q_OBJECT

 private slots:
  void init() { ui::SettingsPage::SetFontChooser({}); }

  // In the program's window: the user changes every visible control, closing
  // the window writes the option file, a new window reads it back.
  void everyVisibleControlRoundTripsThroughTheOptionFile() {
    QTemporaryDir folder;
    const std::string start = folder.path().toStdString();
    ui::TFormSaveSelectGrids::SetAnswerer([](ui::TFormSaveSelectGrids& dialog) {
      dialog.CheckBoxSaveSheets->setChecked(false);
      dialog.CheckBoxSaveParts->setChecked(false);
    });
    QMap<QString, QString> changed;
    {
      ui::TSDIAppForm window(RunStartupSteps(start, {}));
      window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&window));
      window.PageControl()->setCurrentWidget(window.Page("TabSheetSetup"));
      QWidget* page = window.Settings();
      const QMap<QString, QString> before = Controls(page);
      QCOMPARE(before.size(), 11);  // 7 edits, 2 check boxes, the method, the speed

      auto retype = [page](const char* name, const QString& text) {
        auto* edit = page->findChild<QLineEdit*>(name);
        QVERIFY(edit != nullptr);
        edit->selectAll();
        QTest::keyClicks(edit, text);
      };
      retype("EditMeasure", "mm");
      retype("EditBladeWidth", "2.5");
      retype("EditMinOffcutLength1", "350");
      retype("LabeledEditOffcutsPrefix", "OC-");
      retype("EditPrintTitle", "Hall 3, line 2");
      auto* speed = page->findChild<QSlider*>("TrackBarSpeed");
      speed->setFocus();
      for (int i = 0; i < 7; ++i) QTest::keyClick(speed, Qt::Key_Right);
      ClickBox(page->findChild<QCheckBox*>("CheckBoxCostOptimize"));
      ClickBox(page->findChild<QCheckBox*>("chkBundleOptimize"));
      auto* method = page->findChild<QComboBox*>("ComboBoxOptimizeMethod");
      method->setFocus();
      QTest::keyClick(method, Qt::Key_Down);
      ui::SettingsPage::SetFontChooser([](const QFont&, QWidget*) {
        QFont font("DejaVu Sans Mono");
        font.setPointSize(11);
        return std::optional<QFont>(font);
      });
      QTest::mouseClick(page->findChild<QPushButton*>("ButtonFontSetup"), Qt::LeftButton);

      changed = Controls(page);
      for (auto it = before.begin(); it != before.end(); ++it) {
        QVERIFY2(changed[it.key()] != it.value(), qPrintable(it.key()));
      }
      // The immediate parameters follow at once.
      const JobParameters& params = window.State().settings.params;
      QCOMPARE(params.Speed, 7);
      QCOMPARE(params.BundleOptimize, true);
      QCOMPARE(params.ScrapLen1, 350000);
      QCOMPARE(params.OptimizeMethod, 1);
      QCOMPARE(params.PrinterFontSize, 11);
      window.close();  // the shutdown writes default.opt
    }
    ui::TFormSaveSelectGrids::SetAnswerer({});
    QVERIFY(QFile::exists(folder.path() + "/default.opt"));

    ui::TSDIAppForm again(RunStartupSteps(start, {}));
    QCOMPARE(Controls(again.Settings()), changed);
    QCOMPARE(again.State().settings.params.Speed, 7);
    QCOMPARE(again.State().settings.params.ScrapLen1, 350000);
    QCOMPARE(again.State().settings.EditBladeWidth, std::string("2.5"));
  }

  void captionsAndHints() {
    CaptionTable captions;
    SettingsModel settings;
    ui::SettingsPage page(settings, captions);
    QCOMPARE(page.findChild<QCheckBox*>("CheckBoxCostOptimize")->text(), QString("Cost Optimize"));
    QCOMPARE(page.findChild<QCheckBox*>("CheckBoxCostOptimize")->toolTip(),
             QString("Find the Minimum Cost solution"));
    QCOMPARE(page.findChild<QLineEdit*>("EditBladeWidth")->toolTip(), QString("Part to part gap"));
    QCOMPARE(page.findChild<QLineEdit*>("EditPrinterFontSize")->toolTip(), QString(">=8"));
    QVERIFY(page.findChild<QLineEdit*>("EditPrinterFontName")->isReadOnly());
    QCOMPARE(page.findChild<QGroupBox*>("GroupBoxScrap")->title(),
             QString("Min. Length of reusable offcuts"));
    QCOMPARE(page.findChild<QComboBox*>("ComboBoxOptimizeMethod")->itemText(1),
             QString("Near-optimal"));

    captions.SetText("Blade Width Caption", "Kerf");
    page.ApplyCaptions();
    QCOMPARE(page.findChild<QLabel*>("LabelSetupBladeWidth")->text(), QString("Kerf"));
  }

  void minusInTheMinimumLengthWarnsAtOnce() {
    CaptionTable captions;
    SettingsModel settings;
    ui::SettingsPage page(settings, captions);
    page.show();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    auto* edit = page.findChild<QLineEdit*>("EditMinOffcutLength1");
    QTest::keyClicks(edit, "5");
    QCOMPARE(settings.params.ScrapLen1, 5000);
    ui::MessageRecorder boxes;
    edit->selectAll();
    QTest::keyClicks(edit, "-");
    QCOMPARE(boxes.Texts().size(), 1);
    QVERIFY(boxes.Texts().front().endsWith("]the data of field is invalid"));
    QCOMPARE(settings.params.ScrapLen1, 5000);  // kept
    QCOMPARE(QApplication::focusWidget(), edit);
    QCOMPARE(edit->selectedText(), QString("-"));
  }

  void fontButtonCorrectsTheSizeAndCancelChangesNothing() {
    CaptionTable captions;
    SettingsModel settings;
    settings.EditPrinterFontSize = "5";
    ui::SettingsPage page(settings, captions);
    QFont preset;
    ui::SettingsPage::SetFontChooser([&preset](const QFont& f, QWidget*) {
      preset = f;
      return std::optional<QFont>();
    });
    QTest::mouseClick(page.findChild<QPushButton*>("ButtonFontSetup"), Qt::LeftButton);
    QCOMPARE(preset.pointSize(), 8);
    QCOMPARE(page.findChild<QLineEdit*>("EditPrinterFontSize")->text(), QString("8"));
    QCOMPARE(page.findChild<QLineEdit*>("EditPrinterFontName")->text(), QString("MS Mincho"));
    QCOMPARE(settings.EditPrinterFontName, std::string("MS Mincho"));
  }
};

QTEST_MAIN(TestSettingsPage)
#include "test_settings_page.moc"
