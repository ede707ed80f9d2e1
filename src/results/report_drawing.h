// The printed report with its cutting diagrams as drawing pages, for a PDF written
// without a window: the report's text pages, then the diagrams broken between bars.
#pragma once

#include <string>
#include <vector>

#include "base/drawing.h"
#include "results/cutting_diagram.h"

namespace tralvin {

struct ReportPageSetup {
  double width = 595, height = 842;  // A4 in points
  double margin = 36;                // half an inch all round
  double unitsPerInch = 72;
  double fontSize = 8;  // points, of the fixed-pitch report font
};

// The report lines (list-box items) headed by the title lines on each page, with
// "Page n of m" at the foot, followed by the diagrams of `diagrams`.
std::vector<DrawingPage> ReportDrawingPages(const std::vector<std::string>& items,
                                            const std::vector<std::string>& titleLines,
                                            const std::vector<PatternDiagram>& diagrams,
                                            const std::string& measure,
                                            const ReportPageSetup& setup = {});

}  // namespace tralvin
