// The report as an HTML page: one table row per list-box item, spaces as
// "&nbsp;" under a monospace font so that the columns line up in a browser.
// The page is UTF-8 with a byte-order mark, and report text is escaped so a
// label such as "<b>" shows as text rather than becoming markup.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tralvin {

// One item's text as it goes into its cell: "&", "<", ">" and '"' escaped,
// then every space written as "&nbsp;".
std::string HtmlCellText(std::string_view item);

// The whole page, lines ended by CR LF, beginning with the UTF-8 byte-order mark.
std::string HtmlPageText(const std::vector<std::string>& listItems);

// Writes the page to `fileName`, replacing it. Throws FileWriteError (app/safe_file.h)
// when the file cannot be written; the file is then left as it was.
void WriteHtmlPage(const std::string& fileName, const std::vector<std::string>& listItems);

}  // namespace tralvin
