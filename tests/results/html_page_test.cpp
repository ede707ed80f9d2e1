// The report's HTML page: fixed frame lines, one row per item, spaces as
// "&nbsp;", markup characters escaped, UTF-8 with a byte-order mark.
#include "results/html_page.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/test_files.h"

namespace tralvin {
namespace {

TEST(HtmlPage, LabelWithMarkupShowsAsText) {
  EXPECT_EQ(HtmlCellText("<b>&  \"x\""), "&lt;b&gt;&amp;&nbsp;&nbsp;&quot;x&quot;");
  const std::string page = HtmlPageText({" ", "<b>& 850"});
  EXPECT_EQ(page.find("<b>&"), std::string::npos);
  EXPECT_NE(page.find("\r\n&lt;b&gt;&amp;&nbsp;850\r\n"), std::string::npos);
}

TEST(HtmlPage, FrameAndRows) {
  const std::string expected =
      "\xEF\xBB\xBF<html>\r\n<body>\r\n<center><font face=monospace>\r\n<p>&nbsp;</p>\r\n"
      "<table width=80% border=1>\r\n"
      "<tr><td>\r\n&nbsp;\r\n</td></tr>\r\n"
      "<tr><td>\r\nE\xC3\xA9\r\n</td></tr>\r\n"
      "</table>\r\n<p>&nbsp;</p>\r\n</font></center>\r\n</body>\r\n</html>\r\n";
  EXPECT_EQ(HtmlPageText({" ", "E\xC3\xA9"}), expected);
}

TEST(HtmlPage, WritesTheFile) {
  testing_files::ScratchFolder scratch("tralvin_html_page");
  const std::string path = scratch.File("report.html");
  WriteHtmlPage(path, {"a b"});
  EXPECT_EQ(testing_files::ReadText(path), HtmlPageText({"a b"}));
}

}  // namespace
}  // namespace tralvin
