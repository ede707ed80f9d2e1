// Splitting the report into printed pages.
#include "results/report_print.h"

#include <algorithm>

namespace tralvin {

std::vector<PrintedReportPage> PaginateReport(const std::vector<std::string>& items,
                                              const std::vector<std::string>& titleLines,
                                              int linesPerPage) {
  std::vector<PrintedReportPage> pages;
  if (items.empty()) return pages;
  std::vector<std::string> header = titleLines;
  header.emplace_back("");
  const int frame = static_cast<int>(header.size()) + 2;  // header, blank line, footer
  const size_t perPage = static_cast<size_t>(std::max(1, linesPerPage - frame));
  for (size_t first = 0; first < items.size(); first += perPage) {
    PrintedReportPage page;
    page.header = header;
    const size_t last = std::min(items.size(), first + perPage);
    page.lines.assign(items.begin() + static_cast<std::ptrdiff_t>(first),
                      items.begin() + static_cast<std::ptrdiff_t>(last));
    pages.push_back(std::move(page));
  }
  const std::string total = std::to_string(pages.size());
  for (size_t i = 0; i < pages.size(); ++i) {
    pages[i].footer = "Page " + std::to_string(i + 1) + " of " + total;
  }
  return pages;
}

}  // namespace tralvin
