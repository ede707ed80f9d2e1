// Reading the command-line switches.
#include "app/switches.h"

#include <algorithm>

#include "base/ascii_case.h"

namespace tralvin {

namespace {

constexpr size_t kMaxParams = 100;
constexpr size_t kMaxValueChars = 255;

// The first `count` code points of a UTF-8 text.
std::string FirstCodePoints(std::string_view text, size_t count) {
  size_t pos = 0;
  size_t seen = 0;
  while (pos < text.size() && seen < count) {
    ++pos;
    while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) ++pos;
    ++seen;
  }
  return std::string(text.substr(0, pos));
}

bool IsYes(const std::string& value) { return AsciiLower(value) == "yes"; }

}  // namespace

std::string GetParaValue(const std::vector<std::string>& params, std::string_view tag) {
  const size_t n = std::min(params.size(), kMaxParams);
  for (size_t i = 0; i < n; ++i) {
    const std::string& param = params[i];
    if (param.empty()) return {};
    if (AsciiLower(param).starts_with(tag)) {
      return FirstCodePoints(std::string_view(param).substr(tag.size()), kMaxValueChars);
    }
  }
  return {};
}

CommandLineSwitches ReadSwitches(const std::vector<std::string>& params) {
  CommandLineSwitches s;
  s.stockText = GetParaValue(params, "-stock:");
  s.pieceText = GetParaValue(params, "-piece:");
  s.stockFile = GetParaValue(params, "-stk:");
  s.pieceFile = GetParaValue(params, "-dst:");
  s.optionFile = GetParaValue(params, "-option:");
  s.measure = GetParaValue(params, "-measure:");
  s.autoRun = IsYes(GetParaValue(params, "-auto:"));
  s.updateFlag = IsYes(GetParaValue(params, "-update:"));
  if (std::string v = GetParaValue(params, "-ex_stock:"); !v.empty()) {
    s.updateFlag = true;
    s.exStockFile = v;
  }
  if (std::string v = GetParaValue(params, "-ex_piece:"); !v.empty()) {
    s.updateFlag = true;
    s.exPieceFile = v;
  }
  s.hideMode = IsYes(GetParaValue(params, "-hide:"));
  return s;
}

}  // namespace tralvin
