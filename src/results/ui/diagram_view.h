// The cutting diagrams of the Report page: a scrolling list of bars that paints only
// the patterns in view, selects a pattern by click and zooms with Ctrl+wheel.
#pragma once

#include <QAbstractScrollArea>
#include <vector>

#include "results/cutting_diagram.h"

namespace tralvin::ui {

class DiagramView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit DiagramView(QWidget* parent = nullptr);

  // Shows the diagrams of a new plan (none for an empty plan).
  void SetDiagrams(std::vector<PatternDiagram> diagrams, std::string measure);
  const std::vector<PatternDiagram>& Diagrams() const { return diagrams_; }

  // The selected pattern's report number, or 0.
  int SelectedPattern() const { return selected_; }
  // Selects the pattern with this report number and scrolls it into view.
  void SelectPattern(int number);

  double Zoom() const { return zoom_; }
  void SetZoom(double zoom);

  // The report number of the pattern drawn at `y` of the viewport, or 0.
  int PatternAt(int y) const;
  // How many patterns the last paint drew (for tests of large plans).
  int LastPaintedCount() const { return lastPainted_; }

 signals:
  // The user clicked a pattern.
  void patternClicked(int number);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  DiagramStyle Style() const;
  void UpdateScrollBars();

  std::vector<PatternDiagram> diagrams_;
  std::string measure_;
  int selected_ = 0;
  double zoom_ = 1.0;
  int lastPainted_ = 0;
};

}  // namespace tralvin::ui
