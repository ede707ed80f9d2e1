// Line and comma splitting of the text table imports.
#include "tables/csv_line.h"

namespace tralvin {

bool LineCursor::Next(std::string_view& line) {
  if (rest_.empty()) return false;
  const std::size_t end = rest_.find_first_of("\r\n");
  if (end == std::string_view::npos) {
    line = rest_;
    rest_ = {};
    return true;
  }
  line = rest_.substr(0, end);
  std::size_t skip = 1;
  if (rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n') skip = 2;
  rest_.remove_prefix(end + skip);
  return true;
}

std::string_view LimitChars(std::string_view text, std::size_t maxChars) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // Continuation bytes (10xxxxxx) belong to the character before them.
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (chars == maxChars) return text.substr(0, i);
    ++chars;
  }
  return text;
}

std::vector<std::string> SplitCommaLine(std::string_view line, int maxCells,
                                        std::size_t maxCellChars) {
  std::vector<std::string> cells;
  while (static_cast<int>(cells.size()) < maxCells) {
    const std::size_t comma = line.find(',');
    cells.emplace_back(LimitChars(line.substr(0, comma), maxCellChars));
    if (comma == std::string_view::npos) break;
    line.remove_prefix(comma + 1);
  }
  return cells;
}

}  // namespace tralvin
