// Stock table files (".stk": section OPTIONS with ISBESTDIMENSION, records
// SHEET1, SHEET2 ...) and piece table files (".dst": records PART1, PART2 ...).
// Cell texts go in and out unchanged. Records are numbered from 1 without
// gaps; a reader stops at the first missing number and never takes more than
// 10000 records. Each file is read into memory once.
#pragma once

#include <optional>
#include <string>

#include "tables/string_grid.h"

namespace tralvin {

inline constexpr int kMaxTableRecords = 10000;

// What the window does after loading a file: set BestDimensionMode and
// CheckBoxBestDimension from `bestDimensionMode` and apply the Best Dimension
// switch (stocks only), show `fileName` in EditSheetsFileName /
// EditPartsFileName, and recompute the totals.
struct TableReadResult {
  int records = 0;
  bool bestDimensionMode = false;  // always false for piece files
  std::string fileName;
};

// Replaces the table by the file's records: the grid ends with records + 2
// rows. A missing or unreadable file reads as no records (mode off).
TableReadResult ReadSheetsFile(StringGrid& sheets, const std::string& sFileName);
TableReadResult ReadPartsFile(StringGrid& parts, const std::string& sFileName);

// A save either replaces the whole file or leaves the old file as it was.
// On failure `message` holds the error text ("Unable to write to <file>") for
// the window's warning box. `showFileName` is set when the window must show
// that name (bChangeEditFilename set and the save succeeded).
struct TableSaveResult {
  bool ok = true;
  std::string message;
  int records = 0;
  std::optional<std::string> showFileName;
};

// Stock rows with text in the label, length or quantity cell are written;
// piece rows with text in the label, length or maximum quantity cell.
TableSaveResult SaveSheetsFile(const StringGrid& sheets, bool bestDimensionMode,
                               const std::string& sFileName, bool bChangeEditFilename);
TableSaveResult SavePartsFile(const StringGrid& parts, const std::string& sFileName,
                              bool bChangeEditFilename);

// Merges the file's records into the table (see table_merge.h); the mode and
// the file name shown do not change. When ok, the window recomputes the
// totals. When a quantity to add is not an integer, the append stops: ok is
// false, `message` names the bad text, and the records merged before stay.
struct TableAppendResult {
  bool ok = true;
  std::string message;
  int records = 0;  // records merged
};

TableAppendResult AppendSheetsFile(StringGrid& sheets, const std::string& sFileName);
TableAppendResult AppendPartsFile(StringGrid& parts, const std::string& sFileName);

}  // namespace tralvin
