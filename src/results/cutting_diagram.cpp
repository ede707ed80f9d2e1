// Cutting diagrams: the geometry of every pattern of a plan as drawing commands.
#include "results/cutting_diagram.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "base/pubfunc.h"

namespace tralvin {

namespace {

// Fill colours of the piece kinds: light enough for black text, with grey
// levels far enough apart to tell neighbours apart on a black-and-white print.
constexpr DrawColor kPalette[] = {
    {158, 197, 232, 255}, {244, 184, 107, 255}, {168, 216, 154, 255}, {232, 158, 176, 255},
    {201, 179, 230, 255}, {242, 226, 125, 255}, {143, 211, 204, 255}, {217, 184, 152, 255},
};
constexpr DrawColor kLeftoverReusable{196, 226, 196, 255};
constexpr DrawColor kLeftoverScrap{214, 214, 214, 255};
constexpr double kCharWidthEm = 0.6;  // advance of a fixed-pitch font, in ems
constexpr double kTextPadding = 2;    // drawing units kept free at both ends of a segment

std::string BarsText(int bars) {
  return "\xC3\x97 " + std::to_string(bars) + (bars == 1 ? " bar" : " bars");
}

// The whole part of a number text: "1650.5" → "1650".
std::string WholePart(const std::string& text) {
  const size_t dot = text.find('.');
  return dot == std::string::npos ? text : text.substr(0, dot);
}

size_t CodePoints(const std::string& text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

}  // namespace

std::string PatternDiagram::Heading(const std::string& measure) const {
  std::string heading = "[" + std::to_string(number) + "]  " + stockLabel + "  " + lengthText;
  if (!measure.empty()) heading += " " + measure;
  return heading + "  " + BarsText(bars);
}

std::vector<PatternDiagram> BuildPatternDiagrams(const JobPlan& plan, int32_t minOffcutLength) {
  const int32_t blade = plan.bladeWidth;
  const int64_t minLeftover = std::max<int32_t>(minOffcutLength, 1);
  const TPubFunc pub;
  std::map<std::pair<std::string, std::string>, int> kinds;
  for (int i = 0; i < plan.parts.Count(); ++i) {
    kinds.emplace(std::make_pair(plan.parts[i].p_lab, plan.parts[i].MatType), i);
  }
  std::vector<PatternDiagram> out;
  const auto& schemes = plan.best_result.schemes;
  for (size_t k = 0; k < schemes.size(); ++k) {
    const TPacket& p = schemes[k];
    if (p.p_number == 0) continue;
    PatternDiagram d;
    d.number = static_cast<int>(k + 1);
    d.stockLabel = p.p_lab;
    d.materialType = p.MatType;
    d.length = p.real_cx(blade);
    d.lengthText = plan.bestDimensionMode ? pub.IntToExtStr(p.real_cx(blade)) : p.disp_XSize;
    d.bars = p.p_number;
    d.leftover = p.GetLeft(blade);
    d.reusable = d.leftover >= minLeftover;
    // Every piece is followed by a blade cut, except the last one of a bar that
    // the pieces fill exactly; what stays after the last cut is the leftover.
    int64_t position = 0;
    const auto& entries = p.numbers.Items();
    for (auto e = entries.rbegin(); e != entries.rend(); ++e) {
      const auto kind = kinds.find({e->p_lab, e->MatType});
      for (int32_t n = 0; n < e->p_number; ++n) {
        DiagramSegment piece;
        piece.start = position;
        piece.length = e->real_cx(blade);
        piece.pieceKind = kind == kinds.end() ? -1 : kind->second;
        piece.label = e->p_lab;
        piece.lengthText = e->disp_XSize;
        position += piece.length;
        d.segments.push_back(std::move(piece));
        if (blade > 0 && position < d.length) {
          const int64_t cut = std::min<int64_t>(blade, d.length - position);
          d.segments.push_back({DiagramSegment::Kind::Kerf, position, cut, -1, {}, {}});
          position += cut;
        }
      }
    }
    if (d.leftover > 0) {
      d.segments.push_back({DiagramSegment::Kind::Leftover,
                            position,
                            d.leftover,
                            -1,
                            {},
                            pub.IntToExtStr(static_cast<int32_t>(d.leftover))});
    }
    out.push_back(std::move(d));
  }
  return out;
}

double DiagramStyle::TextWidth(size_t count) const {
  return static_cast<double>(count) * fontSize * unitsPerInch / 72.0 * kCharWidthEm;
}

double CommonScale(const std::vector<PatternDiagram>& diagrams, const DiagramStyle& style) {
  int64_t longest = 0;
  for (const PatternDiagram& d : diagrams) longest = std::max(longest, d.length);
  if (longest <= 0) return 0;
  return std::max(0.0, style.width - 2 * style.margin) / static_cast<double>(longest);
}

std::vector<std::string> FitSegmentText(const std::string& label, const std::string& lengthText,
                                        double width, double height, const DiagramStyle& style) {
  const double room = width - 2 * kTextPadding;
  const auto fits = [&](const std::string& text) {
    return !text.empty() && style.TextWidth(CodePoints(text)) <= room;
  };
  const int lines = static_cast<int>(height / style.LineHeight());
  if (lines <= 0) return {};
  if (lines >= 2 && fits(label) && fits(lengthText)) return {label, lengthText};
  if (fits(lengthText)) return {lengthText};
  if (fits(WholePart(lengthText))) return {WholePart(lengthText)};
  return {};
}

void AppendPatternDrawing(DrawingPage& page, const PatternDiagram& diagram,
                          const std::string& measure, double top, double scale,
                          const DiagramStyle& style) {
  const double left = style.margin;
  const double barTop = top + style.headingHeight;
  DrawText heading;
  heading.x = left;
  heading.y = top + 2;
  heading.text = diagram.Heading(measure);
  heading.fontName = style.fontName;
  heading.fontSize = style.fontSize + 1;
  heading.bold = true;
  heading.clipWidth = style.width - 2 * style.margin;
  heading.tag = "heading";
  page.commands.emplace_back(std::move(heading));

  const auto text = [&](double x, double width, const std::vector<std::string>& lines) {
    const double lineHeight = style.LineHeight();
    double y = barTop + (style.barHeight - lineHeight * static_cast<double>(lines.size())) / 2;
    for (const std::string& line : lines) {
      DrawText t;
      t.x = x + kTextPadding;
      t.y = y;
      t.text = line;
      t.fontName = style.fontName;
      t.fontSize = style.fontSize;
      t.clipWidth = width - 2 * kTextPadding;
      t.clipHeight = lineHeight;
      t.align = DrawAlign::Center;
      t.tag = "segment-text";
      page.commands.emplace_back(std::move(t));
      y += lineHeight;
    }
  };

  for (const DiagramSegment& s : diagram.segments) {
    const double x = left + static_cast<double>(s.start) * scale;
    const double width = static_cast<double>(s.length) * scale;
    DrawRect r;
    r.x = x;
    r.y = barTop;
    r.width = width;
    r.height = style.barHeight;
    switch (s.kind) {
      case DiagramSegment::Kind::Piece:
        r.fill = s.pieceKind < 0 ? DrawColor::White()
                                 : kPalette[static_cast<size_t>(s.pieceKind) % std::size(kPalette)];
        r.strokeWidth = 0.75;
        r.tag = "piece";
        page.commands.emplace_back(std::move(r));
        text(x, width, FitSegmentText(s.label, s.lengthText, width, style.barHeight, style));
        break;
      case DiagramSegment::Kind::Kerf:
        // A blade cut is drawn at its real scale but never thinner than one unit.
        r.width = std::max(width, 1.0);
        r.x = x + (width - r.width) / 2;
        r.fill = DrawColor::Black();
        r.stroke = DrawColor::None();
        r.tag = "kerf";
        page.commands.emplace_back(std::move(r));
        break;
      case DiagramSegment::Kind::Leftover: {
        r.fill = diagram.reusable ? kLeftoverReusable : kLeftoverScrap;
        r.pattern = DrawPattern::Hatched;
        r.strokeWidth = 0.75;
        r.tag = diagram.reusable ? "leftover reusable" : "leftover scrap";
        page.commands.emplace_back(std::move(r));
        text(x, width,
             FitSegmentText(diagram.reusable ? "reusable" : "scrap", s.lengthText, width,
                            style.barHeight, style));
        break;
      }
    }
  }
  // The outline of the whole bar on top, so that cuts and leftover sit inside it.
  DrawRect bar;
  bar.x = left;
  bar.y = barTop;
  bar.width = static_cast<double>(diagram.length) * scale;
  bar.height = style.barHeight;
  bar.strokeWidth = 1.25;
  bar.tag = "bar";
  page.commands.emplace_back(std::move(bar));
}

DrawingPage DrawPatternDiagrams(const std::vector<PatternDiagram>& diagrams,
                                const std::string& measure, size_t first, size_t count,
                                double scale, const DiagramStyle& style) {
  DrawingPage page;
  page.unitsPerInch = style.unitsPerInch;
  page.width = style.width;
  const size_t end = std::min(diagrams.size(), first + count);
  double top = 0;
  for (size_t i = first; i < end; ++i) {
    AppendPatternDrawing(page, diagrams[i], measure, top, scale, style);
    top += style.BlockHeight();
  }
  page.height = top;
  return page;
}

std::vector<DrawingPage> DiagramPages(const std::vector<PatternDiagram>& diagrams,
                                      const std::string& measure, double pageWidth,
                                      double pageHeight, double unitsPerInch) {
  DiagramStyle style;
  // The screen style is in pixels (96 per inch); the page keeps its proportions.
  const double factor = unitsPerInch / style.unitsPerInch;
  style.unitsPerInch = unitsPerInch;
  style.width = pageWidth;
  style.margin *= factor;
  style.headingHeight *= factor;
  style.barHeight *= factor;
  style.spacing *= factor;
  const double scale = CommonScale(diagrams, style);
  const auto perPage =
      static_cast<size_t>(std::max(1.0, std::floor(pageHeight / style.BlockHeight())));
  std::vector<DrawingPage> pages;
  for (size_t first = 0; first < diagrams.size(); first += perPage) {
    DrawingPage page = DrawPatternDiagrams(diagrams, measure, first, perPage, scale, style);
    page.height = pageHeight;
    pages.push_back(std::move(page));
  }
  return pages;
}

}  // namespace tralvin
