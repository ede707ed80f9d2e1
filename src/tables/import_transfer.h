// Moving the import preview into the stock or piece table: opening an import
// (mapping boxes and mapping file), Copy (replace the table's rows), Append
// (imported rows first, then the former rows merged back from "tmp.stk" /
// "tmp.dst"), and remembering the mapping afterwards.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tables/import_model.h"
#include "tables/string_grid.h"
#include "tables/table_grids.h"

namespace tralvin {

class CaptionTable;

// Empties the table's data rows, then for every position i whose text in
// fieldList is not the ignore text and equals the row-0 title of table
// column c, copies preview column i, rows 0 ... n - 1, to table column c,
// rows 1 ... n (n = preview row count). The table ends with n + 1 rows.
void CopyPreviewToTable(const StringGrid& preview, const std::vector<std::string>& fieldList,
                        std::string_view ignoreText, StringGrid& table);

// Where the import runs: the table, its kind, and the program state it needs.
struct ImportTarget {
  GridKind kind = GridKind::Sheets;
  StringGrid* table = nullptr;
  bool bestDimensionMode = false;  // stored with the temporary stock file
  std::string startFolder;         // no trailing separator
};

// Steps 1 to 3 of opening an import: prepares the model for the table and
// selects the boxes from the mapping file "default" in StartFolder.
void BeginImport(ImportModel& model, const ImportTarget& target, const CaptionTable& captions);

// What the window does after an import: when `tableChanged`, recompute the
// totals of the table; when `fileNameText` is set, show it in the table's
// file name box; when `message` is not empty, show it in a warning box.
struct ImportOutcome {
  bool tableChanged = false;
  std::optional<std::string> fileNameText;
  std::string message;
};

// Copy: the table gets the preview; the file name box shows ImportFileName
// followed by ".stk" or ".dst". The table is not saved.
ImportOutcome ImportCopy(const ImportModel& model, const ImportTarget& target);

// Append: saves the table to "tmp.stk" / "tmp.dst" in StartFolder, copies the
// preview into it as Copy does, then merges the temporary file back in. The
// file name box keeps its text. When the temporary file cannot be written the
// table is left untouched and the failure is reported.
ImportOutcome ImportAppend(const ImportModel& model, const ImportTarget& target);

// Steps 4 and 5 after the window closed: Copy when the model's copy flag is
// set, Append when its append flag is set, else nothing; after either has
// changed the table, the box selections are written back to the mapping file.
ImportOutcome FinishImport(const ImportModel& model, const ImportTarget& target);

// The mapping file of StartFolder.
std::string MappingFilePath(const std::string& startFolder);
// The temporary table file of an Append.
std::string TemporaryTablePath(const std::string& startFolder, GridKind kind);

}  // namespace tralvin
