// The cutting diagrams of a plan as one SVG document.
#include "base/drawing_svg.h"
#include "results/cutting_diagram.h"

namespace tralvin {

std::string DiagramsSvgText(const std::vector<PatternDiagram>& diagrams, const std::string& measure,
                            const DiagramStyle& style) {
  const double scale = CommonScale(diagrams, style);
  const double height = style.BlockHeight() * static_cast<double>(diagrams.size());
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  const std::string w = SvgNumber(style.width), h = SvgNumber(height);
  svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
         "\" viewBox=\"0 0 " + w + " " + h + "\">\n";
  svg += SvgHatchDefs() + "\n";
  double top = 0;
  for (const PatternDiagram& d : diagrams) {
    DrawingPage page;
    AppendPatternDrawing(page, d, measure, top, scale, style);
    svg += "<g class=\"pattern\" id=\"pattern-" + std::to_string(d.number) + "\">\n";
    for (const DrawCommand& c : page.commands) svg += "  " + SvgElement(c) + "\n";
    svg += "</g>\n";
    top += style.BlockHeight();
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace tralvin
