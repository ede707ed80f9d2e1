// The printed form of the report, as pages of text lines: the two title lines
// (date and time, project name) and a blank line head every page, the report
// lines follow in order, and a page number closes the page.
#pragma once

#include <string>
#include <vector>

namespace tralvin {

struct PrintedReportPage {
  std::vector<std::string> header;  // the title lines, then one blank line
  std::vector<std::string> lines;   // the report lines of this page
  std::string footer;               // "Page n of m"
};

// Splits `items` (the list-box lines) into pages of at most `linesPerPage`
// text lines each, counting the header and a blank line plus the footer.
// A page always holds at least one report line, however small the page.
// No items give no pages.
std::vector<PrintedReportPage> PaginateReport(const std::vector<std::string>& items,
                                              const std::vector<std::string>& titleLines,
                                              int linesPerPage);

}  // namespace tralvin
