// The main window opens with the product name as its title.
#include <QtTest>

#include "app/ui/main_window.h"

class TestMainWindow : public QObject {
  Q_OBJECT

 private slots:
  void titleIsProductName() {
    tralvin::ui::TSDIAppForm window;
    window.show();
    QCOMPARE(window.windowTitle(), QString("Tralvin 1D"));
    QVERIFY(window.findChild<QWidget*>("AllPageControl") != nullptr);
  }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
