// Drawing commands as SVG elements, for outputs written without a painter.
#pragma once

#include <string>

#include "base/drawing.h"

namespace tralvin {

// One command as an SVG element in the drawing's own units; a rect or text with a
// tag carries it as its class. Hatched rects refer to the pattern SvgHatchDefs() defines.
std::string SvgElement(const DrawCommand& command);

// The <defs> with the hatch pattern used by hatched rects.
std::string SvgHatchDefs();

// A number with at most three decimals and no trailing zeros, whatever the locale.
std::string SvgNumber(double value);

// `text` with the five XML special characters escaped.
std::string XmlEscaped(const std::string& text);

}  // namespace tralvin
