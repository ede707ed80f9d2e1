// Cutting text into lines and lines into cells at commas, as the text table
// imports do: no quoting, no trimming, a bounded number of cells and a bounded
// cell length.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tralvin {

// Walks the lines of a text. A line ends at CR LF, LF or CR; a line break at
// the very end does not start another line, so "a\nb\n" has two lines.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : rest_(text) {}
  // The next line without its line break; false when the text is used up.
  bool Next(std::string_view& line);

 private:
  std::string_view rest_;
};

// The cells of one line: the text before the first comma, between commas and
// after the last comma. Only the first maxCells cells are taken; each keeps at
// most maxCellChars characters (UTF-8 code points, never cut inside one).
std::vector<std::string> SplitCommaLine(std::string_view line, int maxCells,
                                        std::size_t maxCellChars);

// The text cut to at most maxChars code points of UTF-8.
std::string_view LimitChars(std::string_view text, std::size_t maxChars);

}  // namespace tralvin
