// Paints drawing commands with Qt's painter on any paint device: screen, printer, PDF.
#pragma once

#include <QPainter>

#include "base/drawing.h"

namespace tralvin::render {

// Paints `page` with `painter`, scaling its units to the painter's device
// resolution and placing its origin at `originInDeviceUnits`.
void PaintDrawing(QPainter& painter, const DrawingPage& page,
                  QPointF originInDeviceUnits = QPointF(0, 0));

}  // namespace tralvin::render
