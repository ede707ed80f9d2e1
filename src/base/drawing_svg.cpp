// Drawing commands as SVG elements, for outputs written without a painter.
#include "base/drawing_svg.h"

#include <cstdio>

namespace tralvin {

namespace {

std::string Num(double v) { return SvgNumber(v); }

}  // namespace

std::string SvgNumber(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.3f", v);
  std::string s(buf);
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

namespace {

std::string Color(const DrawColor& c) {
  if (c.a == 0) return "none";
  char buf[16];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r, c.g, c.b);
  return buf;
}

std::string ClassAttribute(const std::string& tag) {
  return tag.empty() ? std::string() : " class=\"" + XmlEscaped(tag) + "\"";
}

struct Element {
  std::string operator()(const DrawRect& r) const {
    std::string fill = Color(r.fill);
    std::string out = "<rect" + ClassAttribute(r.tag) + " x=\"" + Num(r.x) + "\" y=\"" + Num(r.y) +
                      "\" width=\"" + Num(r.width) + "\" height=\"" + Num(r.height) + "\" fill=\"" +
                      fill + "\" stroke=\"" + Color(r.stroke) + "\" stroke-width=\"" +
                      Num(r.strokeWidth) + "\"/>";
    if (r.pattern == DrawPattern::Hatched) {
      // The hatch lies over the fill colour.
      out += "<rect x=\"" + Num(r.x) + "\" y=\"" + Num(r.y) + "\" width=\"" + Num(r.width) +
             "\" height=\"" + Num(r.height) + "\" fill=\"url(#hatch)\" stroke=\"none\"/>";
    }
    return out;
  }
  std::string operator()(const DrawLine& l) const {
    return "<line x1=\"" + Num(l.x1) + "\" y1=\"" + Num(l.y1) + "\" x2=\"" + Num(l.x2) +
           "\" y2=\"" + Num(l.y2) + "\" stroke=\"" + Color(l.color) + "\" stroke-width=\"" +
           Num(l.width) + "\"/>";
  }
  std::string operator()(const DrawText& t) const {
    const double size = t.fontSize * 96.0 / 72.0;  // points in CSS pixels
    double x = t.x;
    std::string anchor = "start";
    if (t.clipWidth > 0 && t.align == DrawAlign::Center) {
      x += t.clipWidth / 2;
      anchor = "middle";
    } else if (t.clipWidth > 0 && t.align == DrawAlign::Right) {
      x += t.clipWidth;
      anchor = "end";
    }
    return "<text" + ClassAttribute(t.tag) + " x=\"" + Num(x) + "\" y=\"" + Num(t.y + size) +
           "\" font-family=\"" + XmlEscaped(t.fontName.empty() ? "monospace" : t.fontName) +
           ", monospace\" font-size=\"" + Num(size) + "\"" +
           (t.bold ? " font-weight=\"bold\"" : "") + " text-anchor=\"" + anchor + "\" fill=\"" +
           Color(t.color) + "\">" + XmlEscaped(t.text) + "</text>";
  }
};

}  // namespace

std::string SvgElement(const DrawCommand& command) { return std::visit(Element{}, command); }

std::string SvgHatchDefs() {
  return "<defs><pattern id=\"hatch\" patternUnits=\"userSpaceOnUse\" width=\"6\" height=\"6\">"
         "<path d=\"M0,6 L6,0\" stroke=\"#000000\" stroke-opacity=\"0.35\" "
         "stroke-width=\"0.6\"/></pattern></defs>";
}

std::string XmlEscaped(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        // Control characters are not allowed in XML 1.0 text.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') {
          out += "\xEF\xBF\xBD";
        } else {
          out += c;
        }
    }
  }
  return out;
}

}  // namespace tralvin
