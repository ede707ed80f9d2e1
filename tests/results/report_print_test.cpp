// Printed report pages: every line once and in order, the title on every page,
// numbering, and pages too small for the frame.
#include "results/report_print.h"

#include <gtest/gtest.h>

namespace tralvin {
namespace {

std::vector<std::string> Lines(int n) {
  std::vector<std::string> lines;
  for (int i = 0; i < n; ++i) lines.push_back("line " + std::to_string(i));
  return lines;
}

TEST(ReportPrint, PagesHoldEveryLineOnceWithTitleAndNumber) {
  const std::vector<std::string> title = {"    01/02/26   10:00:00", "Workshop"};
  // 12 lines per page: 3 header lines, 2 footer lines, 7 report lines.
  auto pages = PaginateReport(Lines(15), title, 12);
  ASSERT_EQ(pages.size(), 3u);
  std::vector<std::string> all;
  for (const auto& page : pages) {
    EXPECT_EQ(page.header, (std::vector<std::string>{title[0], title[1], ""}));
    EXPECT_LE(page.header.size() + page.lines.size() + 2, 12u);
    all.insert(all.end(), page.lines.begin(), page.lines.end());
  }
  EXPECT_EQ(all, Lines(15));
  EXPECT_EQ(pages[0].lines.size(), 7u);
  EXPECT_EQ(pages[2].lines.size(), 1u);
  EXPECT_EQ(pages[0].footer, "Page 1 of 3");
  EXPECT_EQ(pages[2].footer, "Page 3 of 3");

  // Exactly full pages leave no empty page behind.
  EXPECT_EQ(PaginateReport(Lines(14), title, 12).size(), 2u);
}

TEST(ReportPrint, TinyPagesAndNoLines) {
  auto pages = PaginateReport(Lines(3), {"a", "b"}, 2);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[1].lines, std::vector<std::string>{"line 1"});
  EXPECT_TRUE(PaginateReport({}, {"a", "b"}, 40).empty());
}

}  // namespace
}  // namespace tralvin
