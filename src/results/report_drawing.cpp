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
  auto newPage = [&setup] {
    DrawingPage page;
    page.width = setup.width;
    page.height = setup.height;
    page.unitsPerInch = setup.unitsPerInch;
    return page;
  };
  auto lines = [&](DrawingPage& page, double y, const std::vector<std::string>& text) {
    for (const std::string& line : text) {
      page.commands.emplace_back(Line(setup.margin, y, line, setup));
      y += lineHeight;
    }
    return y;
  };
  for (const PrintedReportPage& printed : PaginateReport(items, titleLines, linesPerPage)) {
    DrawingPage page = newPage();
    lines(page, lines(page, setup.margin, printed.header), printed.lines);
    pages.push_back(std::move(page));
  }
  // The diagrams follow under the same title lines, inside the margins.
  std::vector<std::string> header = titleLines;
  header.emplace_back("");
  const double diagramTop = setup.margin + lineHeight * static_cast<double>(header.size());
  const double diagramHeight =
      std::max(lineHeight, setup.height - setup.margin - diagramTop - 2 * lineHeight);
  for (DrawingPage& drawn :
       DiagramPages(diagrams, measure, innerWidth, diagramHeight, setup.unitsPerInch)) {
    DrawingPage page = newPage();
    lines(page, setup.margin, header);
    for (DrawCommand& c : drawn.commands) {
      std::visit(
          [&](auto& shape) {
            using T = std::decay_t<decltype(shape)>;
            if constexpr (std::is_same_v<T, DrawLine>) {
              shape.x1 += setup.margin, shape.x2 += setup.margin;
              shape.y1 += diagramTop, shape.y2 += diagramTop;
            } else {
              shape.x += setup.margin;
              shape.y += diagramTop;
            }
          },
          c);
      page.commands.push_back(std::move(c));
    }
    pages.push_back(std::move(page));
  }
  // Every page numbered, the diagram pages on from the report's.
  for (size_t i = 0; i < pages.size(); ++i) {
    DrawText footer =
        Line(setup.margin, setup.height - setup.margin - lineHeight,
             "Page " + std::to_string(i + 1) + " of " + std::to_string(pages.size()), setup);
    footer.clipWidth = innerWidth;
    footer.align = DrawAlign::Right;
    pages[i].commands.emplace_back(std::move(footer));
  }
  return pages;
}

}  // namespace tralvin
