// Writing the report's HTML page.
#include "results/html_page.h"

#include "base/safe_file.h"

namespace tralvin {

std::string HtmlCellText(std::string_view item) {
  std::string out;
  out.reserve(item.size());
  for (char c : item) {
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
      case ' ':
        out += "&nbsp;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string HtmlPageText(const std::vector<std::string>& listItems) {
  std::string page = "\xEF\xBB\xBF";
  auto line = [&page](std::string_view text) {
    page.append(text);
    page.append("\r\n");
  };
  line("<html>");
  line("<body>");
  line("<center><font face=monospace>");
  line("<p>&nbsp;</p>");
  line("<table width=80% border=1>");
  for (const std::string& item : listItems) {
    line("<tr><td>");
    line(HtmlCellText(item));
    line("</td></tr>");
  }
  line("</table>");
  line("<p>&nbsp;</p>");
  line("</font></center>");
  line("</body>");
  line("</html>");
  return page;
}

void WriteHtmlPage(const std::string& fileName, const std::vector<std::string>& listItems) {
  WriteFileAtomically(fileName, HtmlPageText(listItems));
}

}  // namespace tralvin
