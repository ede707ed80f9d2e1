// The Print Label buttons of the main window open the label window with the
// table's labels and remember the scheme per table; the window's picture.
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include "app/ui/current_printer.h"
#include "app/ui/main_window.h"
#include "app/ui/message_box.h"
#include "labels/ui/print_label_form.h"
#include "labels/ui/print_label_screenshot.h"
#include "tables/table_grids.h"
#include "tables/ui/table_page.h"

using namespace tralvin;
using namespace tralvin::ui;

class TestLabelButtons : public QObject {
  Q_OBJECT

 private slots:
  void buttonsOpenTheWindowAndRememberTheScheme() {
    QTemporaryDir dir;
    StartupState state(dir.path().toStdString());
    state.sheets = MakeSheetsGrid(state.captions, false, "mm");
    state.sheets.SetRow(1, {"S1", "", "6000", "2", "", "", ""});
    state.parts = MakePartsGrid(state.captions);
    state.parts.SetRow(1, {"P1", "", "200", "2", "", ""});
    TSDIAppForm window(std::move(state));
    window.State().parts.SetCell(2, 1, "abc");
    auto* sheetsButton = window.findChild<QPushButton*>("ButtonPrintSheetLabel");
    auto* partsButton = window.findChild<QPushButton*>("ButtonPrintPartLabel");
    QVERIFY(sheetsButton && partsButton);
    QCOMPARE(sheetsButton->text(), QString("print label"));
    auto* form = window.findChild<TFormPrintLabel*>("TFormPrintLabel");
    QVERIFY(form);
    QCOMPARE(&form->Printer(), &CurrentPrinter());

    int rows = -1;
    QTimer::singleShot(0, [&] {
      rows = form->findChild<QTableWidget*>("StringGridLabelData")->rowCount();
      form->findChild<QComboBox*>("ComboBoxLabelSchemes")->setCurrentIndex(3);
      form->reject();
    });
    sheetsButton->click();
    QCOMPARE(rows, 2);
    QCOMPARE(window.State().settings.SheetsLabelPrintIndex, 3);
    QCOMPARE(window.State().settings.PartsLabelPrintIndex, 0);

    // A table that fails its check: the warning, the failing cell, no label window.
    MessageRecorder boxes;
    partsButton->click();
    QCOMPARE(boxes.Texts().size(), 1);
    QVERIFY(boxes.Texts().front().contains("abc"));
    QCOMPARE(window.PartsPage()->CurrentCell(), (GridCell{2, 1}));
    QVERIFY(!form->isVisible());

    // Best-dimension mode disables the stock labels.
    window.State().bestDimensionMode = true;
    window.SheetsPage()->ApplyBestDimension();
    QVERIFY(!sheetsButton->isEnabled());
  }

  void pictureOfTheWindowWithAPreview() {
    QTemporaryDir dir;
    const QString folder = qEnvironmentVariableIsSet("TRALVIN_SCREENSHOT_DIR")
                               ? qEnvironmentVariable("TRALVIN_SCREENSHOT_DIR")
                               : dir.path();
    const QString file = WritePrintLabelScreenshot(folder);
    QVERIFY(!file.isEmpty());
    const QImage image(file);
    QVERIFY(image.width() >= 900);
  }
};

QTEST_MAIN(TestLabelButtons)
#include "test_label_buttons.moc"
