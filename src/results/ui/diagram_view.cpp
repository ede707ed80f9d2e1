// The cutting diagrams of the Report page: paints only the patterns in view.
#include "results/ui/diagram_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "render/drawing_painter.h"

namespace tralvin::ui {

namespace {

constexpr double kMinZoom = 0.5;
constexpr double kMaxZoom = 4.0;
constexpr double kZoomStep = 1.15;  // per wheel notch

}  // namespace

DiagramView::DiagramView(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName("DiagramView");
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  setToolTip(tr("Click a bar to find its pattern in the report; Ctrl+wheel zooms"));
}

void DiagramView::SetDiagrams(std::vector<PatternDiagram> diagrams, std::string measure) {
  diagrams_ = std::move(diagrams);
  measure_ = std::move(measure);
  selected_ = 0;
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  UpdateScrollBars();
  viewport()->update();
}

DiagramStyle DiagramView::Style() const {
  DiagramStyle style;
  // The diagrams fill the view's width at zoom 1 and grow with the zoom; the
  // screen's resolution makes the drawing units pixels.
  style.unitsPerInch = viewport()->logicalDpiX();
  const double fontScale = style.unitsPerInch / 96.0;
  style.width = std::max(400.0, viewport()->width() * zoom_);
  style.headingHeight *= zoom_ * fontScale;
  style.barHeight *= zoom_ * fontScale;
  style.spacing *= zoom_ * fontScale;
  style.fontSize *= std::sqrt(zoom_);
  return style;
}

void DiagramView::UpdateScrollBars() {
  const DiagramStyle style = Style();
  const int total = static_cast<int>(std::ceil(style.BlockHeight() * diagrams_.size()));
  verticalScrollBar()->setPageStep(viewport()->height());
  verticalScrollBar()->setSingleStep(static_cast<int>(style.BlockHeight() / 2));
  verticalScrollBar()->setRange(0, std::max(0, total - viewport()->height()));
  horizontalScrollBar()->setPageStep(viewport()->width());
  horizontalScrollBar()->setRange(0,
                                  std::max(0, static_cast<int>(style.width) - viewport()->width()));
}

void DiagramView::SetZoom(double zoom) {
  const double clamped = std::clamp(zoom, kMinZoom, kMaxZoom);
  if (clamped == zoom_) return;
  // Keep the pattern at the top of the view where it is.
  const double oldBlock = Style().BlockHeight();
  const double topIndex = verticalScrollBar()->value() / oldBlock;
  zoom_ = clamped;
  UpdateScrollBars();
  verticalScrollBar()->setValue(static_cast<int>(topIndex * Style().BlockHeight()));
  viewport()->update();
}

int DiagramView::PatternAt(int y) const {
  const double block = Style().BlockHeight();
  const double at = verticalScrollBar()->value() + y;
  if (at < 0 || block <= 0) return 0;
  const auto index = static_cast<size_t>(at / block);
  return index < diagrams_.size() ? diagrams_[index].number : 0;
}

void DiagramView::SelectPattern(int number) {
  selected_ = 0;
  for (size_t i = 0; i < diagrams_.size(); ++i) {
    if (diagrams_[i].number != number) continue;
    selected_ = number;
    const double block = Style().BlockHeight();
    const int top = static_cast<int>(block * i);
    QScrollBar* bar = verticalScrollBar();
    if (top < bar->value() || top + block > bar->value() + viewport()->height()) bar->setValue(top);
    break;
  }
  viewport()->update();
}

void DiagramView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  lastPainted_ = 0;
  if (diagrams_.empty()) return;
  const DiagramStyle style = Style();
  const double block = style.BlockHeight();
  const int scrollY = verticalScrollBar()->value();
  const int scrollX = horizontalScrollBar()->value();
  const auto first = static_cast<size_t>(std::max(0.0, scrollY / block));
  const auto count = static_cast<size_t>(viewport()->height() / block) + 2;
  const double scale = CommonScale(diagrams_, style);
  for (size_t i = first; i < std::min(diagrams_.size(), first + count); ++i) {
    const double top = block * i - scrollY;
    if (diagrams_[i].number == selected_) {
      painter.fillRect(QRectF(0, top, viewport()->width(), block - style.spacing / 2),
                       palette().color(QPalette::Highlight).lighter(170));
    }
  }
  const DrawingPage page = DrawPatternDiagrams(diagrams_, measure_, first, count, scale, style);
  render::PaintDrawing(painter, page, QPointF(-scrollX, block * first - scrollY));
  lastPainted_ = static_cast<int>(std::min(diagrams_.size(), first + count) - first);
}

void DiagramView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void DiagramView::mousePressEvent(QMouseEvent* event) {
  const int number = PatternAt(static_cast<int>(event->position().y()));
  if (number == 0) return;
  SelectPattern(number);
  emit patternClicked(number);
}

void DiagramView::wheelEvent(QWheelEvent* event) {
  if (event->modifiers() & Qt::ControlModifier) {
    const double notches = event->angleDelta().y() / 120.0;
    SetZoom(zoom_ * std::pow(kZoomStep, notches));
    event->accept();
    return;
  }
  QAbstractScrollArea::wheelEvent(event);
}

}  // namespace tralvin::ui
