// File types, dialog filters and size limits of importing and exporting the
// stock and piece tables. The filters use the "text(pattern)|pattern" form the
// other table dialogs use; the dialog prefixes them with its caption text.
#pragma once

#include <cstddef>

namespace tralvin {

// Comma-separated text, import and export.
inline constexpr const char* kCsvFilter = "(*.csv)|*.csv";
inline constexpr const char* kCsvDefaultExt = "csv";

// Workbooks: both formats are read, only the XML format is written.
inline constexpr const char* kWorkbookImportFilter = "(*.xlsx;*.xls)|*.xlsx;*.xls";
inline constexpr const char* kWorkbookImportDefaultExt = "xlsx";
inline constexpr const char* kWorkbookExportFilter = "(*.xlsx)|*.xlsx";
inline constexpr const char* kWorkbookExportDefaultExt = "xlsx";

// Sheet names of exported workbooks.
inline constexpr const char* kStockSheetName = "panels";
inline constexpr const char* kPieceSheetName = "parts";

// The preview of the import window.
inline constexpr int kImportColumns = 11;
inline constexpr int kImportInitialRows = 500;
inline constexpr int kRowGrowth = 10;
// Longest cell taken from a text line, in characters.
inline constexpr std::size_t kMaxCellChars = 9999;

// Workbook reading: worksheet rows 1..kWorkbookMaxRows are looked at, and the
// read stops after kWorkbookMaxEmptyRows empty rows in a row.
inline constexpr int kWorkbookMaxRows = 10000;
inline constexpr int kWorkbookMaxEmptyRows = 21;

// Bounds that keep a huge or hostile file from exhausting memory. Text files
// hold at most as many lines as a table file holds records.
inline constexpr int kTextImportMaxLines = 10000;
inline constexpr std::size_t kImportMaxFileBytes = std::size_t{256} << 20;
// Largest uncompressed part read from a workbook archive.
inline constexpr std::size_t kWorkbookMaxPartBytes = std::size_t{64} << 20;

// Notice shown when a text file has more lines than are read.
inline constexpr const char* kTextImportLineLimitNotice = "Only the first 10000 lines were read";
// Failure detail when a file is larger than kImportMaxFileBytes.
inline constexpr const char* kImportFileTooLarge = "The file is too large to import";

}  // namespace tralvin
