// Merging records into the stock and piece grids (appending a table file, or
// one record at a time). A record with a label and a length adds its
// quantities to the first row with the same trimmed label, type and length;
// any other record goes into the first row whose label and length are empty,
// and when there is none the grid grows by 10 rows.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "tables/table_grids.h"

namespace tralvin {

// Merges many records into one grid. It indexes the grid once, so merging n
// records into a table of m rows costs O(n + m) instead of O(n * m). Nothing
// else may change the grid while a merger is in use.
class TableMerger {
 public:
  // The stock and piece grids share the label (0), type (1) and length (2) columns.
  explicit TableMerger(StringGrid& grid);

  // Stock record. Throws ConversionError when a quantity to be added is not an
  // integer text; the grid is then unchanged by this record.
  void MergeSheet(std::string_view label, std::string_view type, std::string_view length,
                  std::string_view qty, std::string_view cost, std::string_view priority,
                  std::string_view comment);
  // Piece record; both the quantity and the maximum quantity are added on a
  // match. Throws ConversionError like MergeSheet.
  void MergePart(std::string_view label, std::string_view type, std::string_view length,
                 std::string_view qty, std::string_view maxQty, std::string_view comment);

 private:
  // The row that matches the trimmed key, or -1.
  int FindMatch(const std::string& key) const;
  // The first row with empty label and length, growing the grid when needed.
  int TakeEmptyRow();
  void Index(int row);

  StringGrid& grid_;
  std::unordered_map<std::string, int> firstRowOfKey_;
  int nextEmptyCandidate_ = 1;
};

// One stock record into the grid (width is not used). Result true; throws
// ConversionError when a quantity to be added is not an integer text.
bool AppendToSheetsGrid(StringGrid& sheets, std::string_view sAppLabel, std::string_view sAppType,
                        std::string_view sAppLength, std::string_view sAppWidth,
                        std::string_view sAppQty, std::string_view sAppCost,
                        std::string_view sAppPriority, std::string_view sAppComment);
// One piece record into the grid (width, shape and rotation are not used).
bool AppendToParttsGrid(StringGrid& parts, std::string_view sAppLabel, std::string_view sAppType,
                        std::string_view sAppLength, std::string_view sAppWidth,
                        std::string_view sAppQty, std::string_view sAppMaxQty,
                        std::string_view sAppShape, std::string_view sAppRotate,
                        std::string_view sAppComment);

}  // namespace tralvin
