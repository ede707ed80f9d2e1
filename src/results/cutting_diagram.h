// The cutting diagrams of a finished plan: every pattern as one bar drawn to a common
// scale, its pieces as segments in the report's order, the blade cuts and the leftover.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/drawing.h"
#include "results/job_plan.h"

namespace tralvin {

// One stretch of a bar, in the plan's length units (scaled integers) from the bar's start.
struct DiagramSegment {
  enum class Kind { Piece, Kerf, Leftover };
  Kind kind = Kind::Piece;
  int64_t start = 0;
  int64_t length = 0;
  int pieceKind = -1;      // pieces: position of the piece in the job's piece list
  std::string label;       // pieces: the piece label
  std::string lengthText;  // pieces and leftover: the length as number text
};

// One pattern of the plan, as its diagram shows it.
struct PatternDiagram {
  int number = 0;  // the report's pattern number
  std::string stockLabel;
  std::string materialType;
  std::string lengthText;  // bar length as the report shows it
  int64_t length = 0;      // bar length
  int bars = 0;
  int64_t leftover = 0;
  bool reusable = false;  // the leftover reaches the minimum offcut length
  std::vector<DiagramSegment> segments;

  // "[3]  A-6000  6000 mm  × 2 bars"
  std::string Heading(const std::string& measure) const;
};

// The diagrams of every pattern the report lists, in its order. A leftover is
// reusable when it reaches `minOffcutLength` (at least one unit), the rule by
// which the table update keeps offcuts as stock.
std::vector<PatternDiagram> BuildPatternDiagrams(const JobPlan& plan, int32_t minOffcutLength);

// Sizes of the drawn diagrams, in drawing units (`unitsPerInch` of them per inch).
struct DiagramStyle {
  double width = 960;  // the longest bar and the margins fill this
  double margin = 12;
  double headingHeight = 20;
  double barHeight = 44;
  double spacing = 16;  // below each bar
  double fontSize = 8;  // points
  double unitsPerInch = 96;
  std::string fontName = "DejaVu Sans Mono";

  double BlockHeight() const { return headingHeight + barHeight + spacing; }
  // Width of `count` characters of the fixed-pitch font.
  double TextWidth(size_t count) const;
  double LineHeight() const { return fontSize * unitsPerInch / 72.0 * 1.25; }
};

// Drawing units per length unit: the longest bar of `diagrams` fills the width
// between the margins, so lengths compare across patterns.
double CommonScale(const std::vector<PatternDiagram>& diagrams, const DiagramStyle& style);

// Appends the drawing of one pattern with its top at `top`.
void AppendPatternDrawing(DrawingPage& page, const PatternDiagram& diagram,
                          const std::string& measure, double top, double scale,
                          const DiagramStyle& style);

// The diagrams `first` … `first + count - 1` one below the other on one page.
DrawingPage DrawPatternDiagrams(const std::vector<PatternDiagram>& diagrams,
                                const std::string& measure, size_t first, size_t count,
                                double scale, const DiagramStyle& style);

// The diagrams on pages of `pageWidth` × `pageHeight` drawing units (the printable
// area), as many whole bars as fit on each page; the bars keep one scale over all pages.
std::vector<DrawingPage> DiagramPages(const std::vector<PatternDiagram>& diagrams,
                                      const std::string& measure, double pageWidth,
                                      double pageHeight, double unitsPerInch);

// The text a segment of `width` drawing units shows, as lines from the top: the
// label and the length where both fit, else the length alone, shortened to its
// whole part when needed, else nothing. Text never reaches past the segment.
std::vector<std::string> FitSegmentText(const std::string& label, const std::string& lengthText,
                                        double width, double height, const DiagramStyle& style);

// All diagrams as one SVG document: a group per pattern (class "pattern"), a rect
// per piece (class "piece"), per blade cut ("kerf") and for the leftover.
std::string DiagramsSvgText(const std::vector<PatternDiagram>& diagrams, const std::string& measure,
                            const DiagramStyle& style = {});

}  // namespace tralvin
