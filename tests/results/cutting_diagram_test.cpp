// Cutting diagrams: the geometry of each bar (pieces, blade cuts and leftover fill
// it exactly), the reusable rule, text that always fits its segment, the common
// scale, and the SVG form.
#include "results/cutting_diagram.h"

#include <gtest/gtest.h>

#include <numeric>

namespace tralvin {
namespace {

using Kind = DiagramSegment::Kind;

// A record as the job leaves it: the blade is part of every stored length.
T2DStock Record(std::string label, int32_t length, int32_t blade, int32_t number = 0) {
  T2DStock r;
  r.p_lab = std::move(label);
  r.MatType = "A";
  r.p_cx = length + blade;
  r.p_cy = 1000;
  r.p_number = number;
  r.disp_XSize = std::to_string(length / 1000);
  return r;
}

struct PlanBuilder {
  JobPlan plan;
  TPanels pieces;

  explicit PlanBuilder(int32_t blade, std::vector<std::pair<std::string, int32_t>> kinds) {
    plan.bladeWidth = blade;
    plan.measure = "mm";
    for (const auto& [label, length] : kinds) {
      pieces.AddPanel(Record(label, length, blade));
      plan.parts.AddPanel(Record(label, length, blade, 10));
    }
  }
  // A pattern on a bar of `length` cut `bars` times; `counts` per piece kind.
  PlanBuilder& Pattern(int32_t length, int32_t bars, std::vector<int32_t> counts) {
    const T2DStock stock = Record("S" + std::to_string(length / 1000), length, plan.bladeWidth);
    TPacket p(pieces);
    p.p_lab = stock.p_lab;
    p.MatType = "A";
    p.p_cx = stock.p_cx;
    p.p_cy = 1000;
    p.p_number = bars;
    p.disp_XSize = stock.disp_XSize;
    for (size_t i = 0; i < counts.size(); ++i) {
      p.numbers[static_cast<int>(i)].p_number = counts[i];
      p.numbers[static_cast<int>(i)].MatType = "A";
    }
    plan.best_result.schemes.push_back(p);
    return *this;
  }
};

int64_t CoveredLength(const PatternDiagram& d) {
  int64_t end = 0;
  for (const DiagramSegment& s : d.segments) {
    EXPECT_EQ(s.start, end) << "segments of pattern " << d.number << " leave a gap or overlap";
    end = s.start + s.length;
  }
  return end;
}

std::vector<Kind> Kinds(const PatternDiagram& d) {
  std::vector<Kind> kinds;
  for (const DiagramSegment& s : d.segments) kinds.push_back(s.kind);
  return kinds;
}

TEST(CuttingDiagram, PiecesCutsAndLeftoverFillEachBarExactly) {
  // Blade 3: b 2500 ×1 and B 1000 ×3 on 6000 leave 488 after a cut behind the
  // last piece; 3997 + 2000 fill 6000 with one cut and no leftover; 5998 on
  // 6000 leaves less than a blade, which the cut takes.
  PlanBuilder b(3000,
                {{"b", 2500000}, {"B", 1000000}, {"C", 3997000}, {"D", 2000000}, {"E", 5998000}});
  b.Pattern(6000000, 2, {1, 3, 0, 0, 0})
      .Pattern(6000000, 1, {0, 0, 1, 1, 0})
      .Pattern(6000000, 1, {0, 0, 0, 0, 1})
      .Pattern(6000000, 0, {1, 0, 0, 0, 0});  // no bars: not listed
  const auto diagrams = BuildPatternDiagrams(b.plan, 0);
  ASSERT_EQ(diagrams.size(), 3u);
  for (const PatternDiagram& d : diagrams) EXPECT_EQ(CoveredLength(d), 6000000);

  // Pieces come in the report's order: the later entries of the list first.
  const PatternDiagram& first = diagrams[0];
  EXPECT_EQ(first.number, 1);
  EXPECT_EQ(first.bars, 2);
  EXPECT_EQ(Kinds(first),
            (std::vector<Kind>{Kind::Piece, Kind::Kerf, Kind::Piece, Kind::Kerf, Kind::Piece,
                               Kind::Kerf, Kind::Piece, Kind::Kerf, Kind::Leftover}));
  EXPECT_EQ(first.segments[0].label, "B");
  EXPECT_EQ(first.segments[6].label, "b");
  EXPECT_EQ(first.segments[6].pieceKind, 0);
  EXPECT_EQ(first.leftover, 488000);
  EXPECT_EQ(first.segments.back().lengthText, "488");

  EXPECT_EQ(Kinds(diagrams[1]), (std::vector<Kind>{Kind::Piece, Kind::Kerf, Kind::Piece}));
  EXPECT_EQ(diagrams[1].leftover, 0);
  EXPECT_EQ(Kinds(diagrams[2]), (std::vector<Kind>{Kind::Piece, Kind::Kerf}));
  EXPECT_EQ(diagrams[2].segments[1].length, 2000);
  EXPECT_EQ(diagrams[2].number, 3);
  EXPECT_EQ(diagrams[2].Heading("mm"), "[3]  S6000  6000 mm  \xC3\x97 1 bar");
  EXPECT_EQ(first.Heading(""), "[1]  S6000  6000  \xC3\x97 2 bars");
}

TEST(CuttingDiagram, LeftoverIsReusableFromTheMinimumOffcutLengthOn) {
  PlanBuilder b(0, {{"P", 4000000}});
  b.Pattern(5000000, 1, {1});  // leftover 1000
  EXPECT_TRUE(BuildPatternDiagrams(b.plan, 1000000)[0].reusable);
  EXPECT_FALSE(BuildPatternDiagrams(b.plan, 1000001)[0].reusable);
  // No minimum: any leftover of at least one unit is reusable.
  EXPECT_TRUE(BuildPatternDiagrams(b.plan, 0)[0].reusable);
}

TEST(CuttingDiagram, SegmentTextDropsTheLabelThenShortensTheLengthAndNeverOverflows) {
  const DiagramStyle style;
  const double twoLines = style.LineHeight() * 2;
  EXPECT_EQ(FitSegmentText("Rail", "1650.5", 200, twoLines, style),
            (std::vector<std::string>{"Rail", "1650.5"}));
  EXPECT_EQ(FitSegmentText("A-very-long-label", "1650.5", 60, twoLines, style),
            (std::vector<std::string>{"1650.5"}));
  const double fourChars = style.TextWidth(4) + 4;
  EXPECT_EQ(FitSegmentText("Rail", "1650.5", fourChars, twoLines, style),
            (std::vector<std::string>{"1650"}));
  EXPECT_TRUE(FitSegmentText("Rail", "1650.5", 5, twoLines, style).empty());
  // One line of room: the length alone.
  EXPECT_EQ(FitSegmentText("Rail", "1650", 200, style.LineHeight(), style),
            (std::vector<std::string>{"1650"}));
  for (double width = 0; width < 120; width += 0.5) {
    for (const std::string& line : FitSegmentText("Label-Ä", "12345.678", width, twoLines, style)) {
      EXPECT_LE(style.TextWidth(line.size()) + 4, width + 1e-9) << line << " in " << width;
    }
  }
}

TEST(CuttingDiagram, EveryBarIsDrawnToOneScale) {
  PlanBuilder b(0, {{"P", 1000000}});
  b.Pattern(6000000, 1, {5}).Pattern(3000000, 1, {2});
  const auto diagrams = BuildPatternDiagrams(b.plan, 0);
  const DiagramStyle style;
  const double scale = CommonScale(diagrams, style);
  EXPECT_DOUBLE_EQ(scale * 6000000, style.width - 2 * style.margin);
  const DrawingPage page = DrawPatternDiagrams(diagrams, "mm", 0, 2, scale, style);
  std::vector<double> bars;
  for (const DrawCommand& c : page.commands) {
    if (const auto* r = std::get_if<DrawRect>(&c); r != nullptr && r->tag == "bar") {
      bars.push_back(r->width);
    }
  }
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_DOUBLE_EQ(bars[1] * 2, bars[0]);
  EXPECT_DOUBLE_EQ(page.height, 2 * style.BlockHeight());
  // Drawing a window of the list draws only those patterns.
  EXPECT_EQ(DrawPatternDiagrams(diagrams, "mm", 1, 5, scale, style).height, style.BlockHeight());
}

TEST(CuttingDiagram, PagesBreakBetweenBars) {
  PlanBuilder b(0, {{"P", 1000000}});
  for (int i = 0; i < 7; ++i) b.Pattern(6000000, 1, {i % 6 + 1});
  const auto diagrams = BuildPatternDiagrams(b.plan, 0);
  // 300 units per inch; a block is 80 px at 96 per inch, so 250 units: 3 per page.
  const auto pages = DiagramPages(diagrams, "mm", 2400, 800, 300);
  ASSERT_EQ(pages.size(), 3u);
  size_t bars = 0;
  for (const DrawingPage& page : pages) {
    for (const DrawCommand& c : page.commands) {
      const auto* r = std::get_if<DrawRect>(&c);
      if (r == nullptr || r->tag != "bar") continue;
      ++bars;
      EXPECT_LE(r->y + r->height, page.height) << "a bar runs over the page's end";
    }
  }
  EXPECT_EQ(bars, 7u);
}

TEST(CuttingDiagram, SvgHasAGroupPerPatternAndARectPerPiece) {
  PlanBuilder b(3000, {{"<A&B>", 1000000}});
  b.Pattern(6000000, 1, {5}).Pattern(3000000, 2, {2});
  const std::string svg = DiagramsSvgText(BuildPatternDiagrams(b.plan, 0), "mm");
  const auto count = [&svg](const std::string& what) {
    size_t n = 0;
    for (size_t at = svg.find(what); at != std::string::npos; at = svg.find(what, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("<g class=\"pattern\""), 2u);
  EXPECT_EQ(count("class=\"piece\""), 7u);
  EXPECT_EQ(count("class=\"kerf\""), 7u);
  EXPECT_EQ(svg.find("<A&B>"), std::string::npos);
  EXPECT_NE(svg.find("&lt;A&amp;B&gt;"), std::string::npos);
}

}  // namespace
}  // namespace tralvin
