// Fuzz target: any bytes as a comma-separated import file and as a plain text
// table. Reading never fails, every cell is well-formed UTF-8 within the cell
// limit, and the row counts follow the growth rules.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/text_decode.h"
#include "tables/csv_import.h"
#include "tables/csv_line.h"
#include "tables/import_file_types.h"
#include "tables/text_table_import.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckCells(const tralvin::StringGrid& grid) {
  for (int r = 0; r < grid.RowCount(); ++r) {
    for (int c = 0; c < grid.ColCount(); ++c) {
      const std::string& cell = grid.Cell(c, r);
      Check(tralvin::IsValidUtf8(cell));
      Check(tralvin::LimitChars(cell, tralvin::kMaxCellChars).size() == cell.size());
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  tralvin::StringGrid preview(tralvin::kImportColumns, tralvin::kImportInitialRows);
  const tralvin::ImportResult csv = tralvin::ReadCsvText(bytes, preview);
  Check(csv.ok);
  Check(preview.RowCount() >= tralvin::kImportInitialRows);
  Check(preview.RowCount() % tralvin::kRowGrowth == 0);
  Check(preview.ColCount() == tralvin::kImportColumns);
  CheckCells(preview);

  tralvin::StringGrid table(7, 3);
  const tralvin::ImportResult txt = tralvin::ReadTextTable(bytes, table);
  Check(txt.ok);
  Check(table.RowCount() >= 2 && table.RowCount() <= tralvin::kTextImportMaxLines + 1);
  CheckCells(table);
  return 0;
}
