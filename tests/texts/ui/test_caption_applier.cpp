// The caption applier: controls found by objectName take caption and hint by
// their kind, the Pieces page repeats the Stocks page, text entries label
// their buttons.
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

#include "texts/ui/caption_applier.h"

using tralvin::CaptionTable;

namespace {

template <typename T>
T* Make(QWidget* parent, const char* name, const QString& text = {}) {
  auto* w = new T(parent);
  w->setObjectName(name);
  if constexpr (std::is_base_of_v<QAbstractButton, T> || std::is_same_v<T, QLabel>) {
    w->setText(text);
  }
  return w;
}

}  // namespace

class TestCaptionApplier : public QObject {
  Q_OBJECT

 private slots:
  void controlsTakeTheirTextsByKind() {
    QMainWindow window;
    auto* tabs = new QTabWidget(&window);
    window.setCentralWidget(tabs);
    auto* stocks = new QWidget;
    stocks->setObjectName("TabSheetSheets");
    tabs->addTab(stocks, "x");
    auto* parts = new QWidget;
    parts->setObjectName("TabSheetParts");
    tabs->addTab(parts, "x");
    Make<QPushButton>(stocks, "SheetsOpen", "x");
    Make<QLabel>(stocks, "LabelFileName_Sheets", "File name");
    stocks->findChild<QLabel*>("LabelFileName_Sheets")->setToolTip("the table file");
    auto* partsOpen = Make<QPushButton>(parts, "PartsOpen", "x");
    auto* fileNameParts = Make<QLabel>(parts, "LabelFileName_Parts", "x");
    auto* importParts = Make<QPushButton>(parts, "ButtonImportParts", "x");
    auto* best = Make<QCheckBox>(stocks, "CheckBoxBestDimension", "x");
    auto* prefix = Make<QLineEdit>(stocks, "LabeledEditOffcutsPrefix");
    auto* prefixLabel = Make<QLabel>(stocks, "LabelOffcutsPrefix", "x");
    prefixLabel->setBuddy(prefix);
    auto* scrap = new QGroupBox(stocks);
    scrap->setObjectName("GroupBoxScrap");
    QMenu* file = window.menuBar()->addMenu("x");
    file->setObjectName("File1");
    QAction* exit = file->addAction("x");
    exit->setObjectName("FileExitItem");
    QAction* start = window.addToolBar("tools")->addAction("Start Optimize");
    start->setObjectName("StartOptimize");

    CaptionTable table;
    table.SetText("Tab Stocks", "Rohmaterial");
    table.SetHint("Tab Stocks", "die Stangen");
    table.SetText("Load File Button", "Laden");
    table.SetHint("Load File Button", "Tabelle laden");
    table.SetText("Import Caption", "Importieren");
    table.SetText("CAP_FIND_BEST_DIMENSION", "beste Länge suchen");
    table.SetHint("Finding Best Dimension", "sucht die Länge");
    table.SetText("Offcuts Prefix Caption", "Präfix");
    table.SetText("Menu File", "&Datei");
    table.SetText("Menu Exit", "&Beenden");
    table.SetText("Start Optimize Button", "Optimierung starten");
    tralvin::ui::ApplyCaptions(&window, table);

    QCOMPARE(tabs->tabText(0), QString("Rohmaterial"));
    QCOMPARE(tabs->tabToolTip(0), QString("die Stangen"));
    QCOMPARE(stocks->toolTip(), QString());  // the tab, not the page, takes the hint
    QCOMPARE(tabs->tabText(1), QString("Pieces"));
    QCOMPARE(stocks->findChild<QPushButton*>("SheetsOpen")->text(), QString("Laden"));
    QCOMPARE(partsOpen->text(), QString("Laden"));
    QCOMPARE(partsOpen->toolTip(), QString("Tabelle laden"));
    // A control without an entry is repeated as it is shown.
    QCOMPARE(fileNameParts->text(), QString("File name"));
    QCOMPARE(fileNameParts->toolTip(), QString("the table file"));
    QCOMPARE(importParts->text(), QString("Importieren"));
    // The check box's own entry gives only its hint.
    QCOMPARE(best->text(), QString("beste Länge suchen"));
    QCOMPARE(best->toolTip(), QString("sucht die Länge"));
    QCOMPARE(prefixLabel->text(), QString("Präfix"));
    QCOMPARE(scrap->title(), QString("Min. Length of reusable offcuts"));
    QCOMPARE(file->title(), QString("&Datei"));
    QCOMPARE(exit->text(), QString("&Beenden"));
    // A tool button takes its hint only.
    QCOMPARE(start->text(), QString("Start Optimize"));
    QCOMPARE(start->toolTip(), QString("Optimierung starten"));
  }
};

QTEST_MAIN(TestCaptionApplier)
#include "test_caption_applier.moc"
