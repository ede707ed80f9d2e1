// The main window opens with the product name as its title and its four pages.
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtTest>

#include "app/ui/main_window.h"

class TestMainWindow : public QObject {
  Q_OBJECT

 private slots:
  void titleIsProductName() {
    tralvin::ui::TSDIAppForm window;
    window.show();
    QVERIFY(window.windowTitle().startsWith(QString("Tralvin 1D")));
    QVERIFY(window.findChild<QWidget*>("AllPageControl") != nullptr);
  }

  void fourPagesInOrder() {
    tralvin::ui::TSDIAppForm window;
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
  }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
