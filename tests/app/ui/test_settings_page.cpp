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

#include "app/option_file.h"
#include "app/ui/message_box.h"
#include "app/ui/settings_page.h"
#include "base/pubfunc.h"
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

}  // namespace

class TestSettingsPage : public QObject {
  Q_OBJECT

 private slots:
  void init() { ui::SettingsPage::SetFontChooser({}); }

  void everyVisibleControlRoundTripsThroughTheOptionFile() {
    QTemporaryDir folder;
    CaptionTable captions;
    SettingsModel settings(folder.path().toStdString());
    ui::SettingsPage page(settings, captions);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    const QMap<QString, QString> before = Controls(&page);
    QCOMPARE(before.size(), 11);  // 7 edits, 2 check boxes, the method, the speed

    auto retype = [&page](const char* name, const QString& text) {
      auto* edit = page.findChild<QLineEdit*>(name);
      QVERIFY(edit != nullptr);
      edit->selectAll();
      QTest::keyClicks(edit, text);
    };
    retype("EditMeasure", "mm");
    retype("EditBladeWidth", "2.5");
    retype("EditMinOffcutLength1", "350");
    retype("LabeledEditOffcutsPrefix", "OC-");
    retype("EditPrintTitle", "Hall 3, line 2");
    auto* speed = page.findChild<QSlider*>("TrackBarSpeed");
    speed->setFocus();
    for (int i = 0; i < 7; ++i) QTest::keyClick(speed, Qt::Key_Right);
    QTest::mouseClick(page.findChild<QCheckBox*>("CheckBoxCostOptimize"), Qt::LeftButton);
    QTest::mouseClick(page.findChild<QCheckBox*>("chkBundleOptimize"), Qt::LeftButton);
    auto* method = page.findChild<QComboBox*>("ComboBoxOptimizeMethod");
    method->setFocus();
    QTest::keyClick(method, Qt::Key_Down);
    ui::SettingsPage::SetFontChooser([](const QFont&, QWidget*) {
      QFont font("DejaVu Sans Mono");
      font.setPointSize(11);
      return std::optional<QFont>(font);
    });
    QTest::mouseClick(page.findChild<QPushButton*>("ButtonFontSetup"), Qt::LeftButton);

    const QMap<QString, QString> changed = Controls(&page);
    for (auto it = before.begin(); it != before.end(); ++it) {
      QVERIFY2(changed[it.key()] != it.value(), qPrintable(it.key()));
    }
    // The immediate parameters follow at once.
    QCOMPARE(settings.params.Speed, 7);
    QCOMPARE(settings.params.BundleOptimize, true);
    QCOMPARE(settings.params.ScrapLen1, 350000);
    QCOMPARE(settings.params.OptimizeMethod, 1);
    QCOMPARE(settings.params.PrinterFontSize, 11);

    // Shutdown writes the option file; a new window reads it at start-up.
    WriteOptionFile(settings, "default");
    SettingsModel again(folder.path().toStdString());
    TPubFunc pub;
    ReadOptionFile(again, OptionFilePath(again, "default"), 1, pub, captions);
    ui::SettingsPage second(again, captions);
    QCOMPARE(Controls(&second), changed);
    QCOMPARE(again.params.Speed, 7);
    QCOMPARE(again.params.ScrapLen1, 350000);
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
