// Which reader an import file goes to, told by its name: the file dialogs'
// "All supported" filter and files dropped onto a table page take both kinds.
#pragma once

#include <string_view>

namespace tralvin {

// The filter offered first by the import file dialogs.
inline constexpr const char* kAllSupportedImportFilter = "All supported (*.csv *.txt *.xlsx *.xls)";

enum class ImportFileKind { None, Text, Workbook };

// By the extension, ignoring case: ".csv" and ".txt" are comma-separated
// text, ".xlsx" and ".xls" workbooks, anything else none of them.
ImportFileKind ImportKindOfName(std::string_view fileName);

}  // namespace tralvin
