// The report's printf-style formatter and its number texts.
#include "results/report_format.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "base/pubfunc.h"

namespace tralvin {

namespace {

size_t CodePoints(std::string_view text) {
  size_t n = 0;
  for (char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  }
  return n;
}

void AppendPadded(std::string& out, std::string_view text, size_t width, bool leftAlign) {
  const size_t len = CodePoints(text);
  const size_t pad = len < width ? width - len : 0;
  if (!leftAlign) out.append(pad, ' ');
  out.append(text);
  if (leftAlign) out.append(pad, ' ');
}

std::string FixedText(double value, int precision) {
  char buf[400];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, precision);
  if (res.ec != std::errc()) return "nan";
  return std::string(buf, res.ptr);
}

}  // namespace

std::string FormatLine(std::string_view format, std::initializer_list<FormatArg> args) {
  std::string out;
  auto arg = args.begin();
  size_t i = 0;
  while (i < format.size()) {
    const char c = format[i++];
    if (c != '%') {
      out += c;
      continue;
    }
    if (i < format.size() && format[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    bool leftAlign = false;
    if (i < format.size() && format[i] == '-') {
      leftAlign = true;
      ++i;
    }
    size_t width = 0;
    while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
      width = width * 10 + static_cast<size_t>(format[i++] - '0');
    }
    int precision = -1;
    if (i < format.size() && format[i] == '.') {
      ++i;
      precision = 0;
      while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
        precision = precision * 10 + (format[i++] - '0');
      }
    }
    if (i >= format.size()) break;
    const char conv = format[i++];
    if (arg == args.end()) continue;
    const FormatArg& a = *arg++;
    std::string text;
    if (conv == 's' && std::holds_alternative<std::string_view>(a)) {
      AppendPadded(out, std::get<std::string_view>(a), width, leftAlign);
      continue;
    }
    if (conv == 'd' && std::holds_alternative<int64_t>(a)) {
      text = std::to_string(std::get<int64_t>(a));
    } else if (conv == 'f' && std::holds_alternative<double>(a)) {
      text = FixedText(std::get<double>(a), precision < 0 ? 6 : precision);
    } else {
      continue;
    }
    AppendPadded(out, text, width, leftAlign);
  }
  return out;
}

std::string UtilizationText(double percent) {
  // nearbyint rounds halves to even in the default rounding mode.
  const double rounded = std::nearbyint(percent * 100.0) / 100.0;
  return FloatToStr(rounded);
}

}  // namespace tralvin
