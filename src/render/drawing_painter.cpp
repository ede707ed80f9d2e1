// Paints drawing commands with Qt's painter on any paint device: screen, printer, PDF.
#include "render/drawing_painter.h"

#include <QFont>
#include <QFontDatabase>
#include <QPaintDevice>

namespace tralvin::render {

namespace {

QColor ToQColor(const DrawColor& c) { return QColor(c.r, c.g, c.b, c.a); }

struct Paint {
  QPainter& painter;
  double unitsPerInch = 72;  // of the drawing

  void operator()(const DrawRect& r) const {
    const QRectF rect(r.x, r.y, r.width, r.height);
    if (r.fill.a != 0) {
      painter.fillRect(rect, ToQColor(r.fill));
      // A hatch is drawn in black over the fill, so that it shows in black and white.
      if (r.pattern == DrawPattern::Hatched) {
        painter.fillRect(rect, QBrush(QColor(0, 0, 0, 80), Qt::BDiagPattern));
      }
    }
    if (r.stroke.a != 0) {
      painter.setPen(QPen(ToQColor(r.stroke), r.strokeWidth));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(rect);
    }
  }

  void operator()(const DrawLine& l) const {
    painter.setPen(QPen(ToQColor(l.color), l.width));
    painter.drawLine(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2));
  }

  void operator()(const DrawText& t) const {
    QFont font(QString::fromStdString(t.fontName));
    if (t.fontName.empty()) font.setStyleHint(QFont::Monospace);
    if (t.fixedPitch) {
      // A font name that is not installed falls back to the system's fixed-pitch font.
      if (t.fontName.empty() || !QFontDatabase::hasFamily(font.family())) {
        font.setFamily(QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
      }
      font.setStyleHint(QFont::TypeWriter);
      font.setFixedPitch(true);
    }
    // The size is in points; the painter works in drawing units.
    font.setPixelSize(std::max(1, static_cast<int>(t.fontSize * PointsToUnits() + 0.5)));
    font.setBold(t.bold);
    painter.setFont(font);
    painter.setPen(ToQColor(t.color));
    const QString text = QString::fromStdString(t.text);
    if (t.clipWidth > 0 || t.clipHeight > 0) {
      const double w = t.clipWidth > 0 ? t.clipWidth : 1e9;
      const double h = t.clipHeight > 0 ? t.clipHeight : 1e9;
      const Qt::Alignment align = t.align == DrawAlign::Center  ? Qt::AlignHCenter
                                  : t.align == DrawAlign::Right ? Qt::AlignRight
                                                                : Qt::AlignLeft;
      painter.save();
      painter.setClipRect(QRectF(t.x, t.y, w, h), Qt::IntersectClip);
      painter.drawText(QRectF(t.x, t.y, w, h), static_cast<int>(align | Qt::AlignTop), text);
      painter.restore();
    } else {
      painter.drawText(QRectF(t.x, t.y, 1e9, 1e9), Qt::AlignLeft | Qt::AlignTop, text);
    }
  }

  double PointsToUnits() const { return unitsPerInch / 72.0; }
};

}  // namespace

void PaintDrawing(QPainter& painter, const DrawingPage& page, QPointF originInDeviceUnits) {
  QPaintDevice* device = painter.device();
  const double deviceDpi = device != nullptr ? device->logicalDpiX() : 96.0;
  const double scale = page.unitsPerInch > 0 ? deviceDpi / page.unitsPerInch : 1.0;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.translate(originInDeviceUnits);
  painter.scale(scale, scale);
  const Paint paint{painter, page.unitsPerInch};
  for (const DrawCommand& command : page.commands) std::visit(paint, command);
  painter.restore();
}

}  // namespace tralvin::render
