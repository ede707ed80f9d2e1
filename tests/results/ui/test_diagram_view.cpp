// The diagram view: a large plan paints only what is in view, a click selects its
// pattern, Ctrl+wheel zooms.
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include "results/ui/diagram_view.h"

using tralvin::DiagramSegment;
using tralvin::PatternDiagram;
using tralvin::ui::DiagramView;

namespace {

std::vector<PatternDiagram> ManyPatterns(int count) {
  std::vector<PatternDiagram> diagrams;
  for (int n = 1; n <= count; ++n) {
    PatternDiagram d;
    d.number = n;
    d.stockLabel = "S";
    d.lengthText = "6000";
    d.length = 6000000;
    d.bars = 1;
    d.segments.push_back({DiagramSegment::Kind::Piece, 0, 2500000, n % 7, "P", "2500"});
    d.segments.push_back({DiagramSegment::Kind::Kerf, 2500000, 3000, -1, {}, {}});
    d.segments.push_back({DiagramSegment::Kind::Leftover, 2503000, 3497000, -1, {}, "3497"});
    d.leftover = 3497000;
    d.reusable = true;
    diagrams.push_back(d);
  }
  return diagrams;
}

}  // namespace

class TestDiagramView : public QObject {
  Q_OBJECT

 private slots:
  void largePlanPaintsOnlyTheVisiblePatterns() {
    DiagramView view;
    view.resize(800, 400);
    view.SetDiagrams(ManyPatterns(500), "mm");
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.viewport()->repaint();
    QVERIFY(view.LastPaintedCount() > 0);
    QVERIFY(view.LastPaintedCount() < 20);
    QScrollBar* bar = view.verticalScrollBar();
    bar->setValue(bar->maximum());
    view.viewport()->repaint();
    QVERIFY(view.LastPaintedCount() > 0);
    QCOMPARE(view.PatternAt(view.viewport()->height() - 5), 500);
  }

  void clickSelectsThePatternAndWheelZooms() {
    DiagramView view;
    view.resize(800, 400);
    view.SetDiagrams(ManyPatterns(30), "mm");
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy clicked(&view, &DiagramView::patternClicked);
    const int second = view.PatternAt(0) + 1;
    int y = 0;
    while (view.PatternAt(y) != second) ++y;
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(100, y + 10));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toInt(), second);
    QCOMPARE(view.SelectedPattern(), second);

    // Selecting from the report scrolls a far pattern into view.
    view.SelectPattern(25);
    view.viewport()->repaint();
    bool shown = false;
    for (int at = 0; at < view.viewport()->height(); ++at)
      shown = shown || view.PatternAt(at) == 25;
    QVERIFY(shown);

    const double before = view.Zoom();
    QWheelEvent wheel(QPointF(50, 50), view.viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, 240), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &wheel);
    QVERIFY(view.Zoom() > before);
  }
};

QTEST_MAIN(TestDiagramView)
#include "test_diagram_view.moc"
