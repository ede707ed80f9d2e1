// The printed report with its cutting diagrams as drawing pages.
#include "results/report_drawing.h"

#include <algorithm>

#include "results/report_print.h"

namespace tralvin {

namespace {

constexpr double kLineSpacing = 1.2;  // line height over font size

DrawText Line(double x, double y, std::string text, const ReportPageSetup& setup) {
  DrawText t;
  t.x = x;
  t.y = y;
  t.text = std::move(text);
  t.fontSize = setup.fontSize;
  t.fixedPitch = true;
  return t;
}

}  // namespace

std::vector<DrawingPage> ReportDrawingPages(const std::vector<std::string>& items,
                                            const std::vector<std::string>& titleLines,
                                            const std::vector<PatternDiagram>& diagrams,
                                            const std::string& measure,
                                            const ReportPageSetup& setup) {
  const double points = setup.unitsPerInch / 72.0;
  const double lineHeight = setup.fontSize * kLineSpacing * points;
  const double innerWidth = setup.width - 2 * setup.margin;
  const double innerHeight = setup.height - 2 * setup.margin;
  const int linesPerPage = std::max(1, static_cast<int>(innerHeight / lineHeight));
  std::vector<DrawingPage> pages;
  for (const PrintedReportPage& printed : PaginateReport(items, titleLines, linesPerPage)) {
    DrawingPage page;
    page.width = setup.width;
    page.height = setup.height;
    page.unitsPerInch = setup.unitsPerInch;
    double y = setup.margin;
    for (const auto* lines : {&printed.header, &printed.lines}) {
      for (const std::string& line : *lines) {
        page.commands.emplace_back(Line(setup.margin, y, line, setup));
        y += lineHeight;
      }
    }
    DrawText footer =
        Line(setup.margin, setup.height - setup.margin - lineHeight, printed.footer, setup);
    footer.clipWidth = innerWidth;
    footer.align = DrawAlign::Right;
    page.commands.emplace_back(std::move(footer));
    pages.push_back(std::move(page));
  }
  for (DrawingPage& page :
       DiagramPages(diagrams, measure, innerWidth, innerHeight, setup.unitsPerInch)) {
    // The diagram pages cover the printable area; move them inside the margins.
    DrawingPage placed;
    placed.width = setup.width;
    placed.height = setup.height;
    placed.unitsPerInch = setup.unitsPerInch;
    for (DrawCommand& c : page.commands) {
      std::visit(
          [&setup](auto& shape) {
            using T = std::decay_t<decltype(shape)>;
            if constexpr (std::is_same_v<T, DrawLine>) {
              shape.x1 += setup.margin, shape.x2 += setup.margin;
              shape.y1 += setup.margin, shape.y2 += setup.margin;
            } else {
              shape.x += setup.margin;
              shape.y += setup.margin;
            }
          },
          c);
      placed.commands.push_back(std::move(c));
    }
    pages.push_back(std::move(placed));
  }
  return pages;
}

}  // namespace tralvin
