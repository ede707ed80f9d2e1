// Merging stock and piece records into the grids.
#include "tables/table_merge.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "base/pubfunc.h"

namespace tralvin {

namespace {

// Label, type and length, trimmed and joined with a separator no cell text
// can hold after trimming ends (a NUL byte).
std::string MergeKey(const std::string& label, std::string_view type, const std::string& length) {
  std::string key = label;
  key += '\0';
  key += Trim(type);
  key += '\0';
  key += length;
  return key;
}

std::string SumText(std::string_view a, std::string_view b) {
  // Both are 32-bit; the sum is written in full rather than wrapped.
  return std::to_string(static_cast<int64_t>(StrToInt(a)) + StrToInt(b));
}

}  // namespace

TableMerger::TableMerger(StringGrid& grid) : grid_(grid) {
  for (int r = 1; r < grid_.RowCount(); ++r) Index(r);
}

void TableMerger::Index(int row) {
  // The label and length columns are 0 and 2 in both grids.
  std::string label = Trim(grid_.Cell(kSheetColLabel, row));
  std::string length = Trim(grid_.Cell(kSheetColLength, row));
  if (label.empty() || length.empty()) return;
  firstRowOfKey_.emplace(MergeKey(label, grid_.Cell(kSheetColType, row), length), row);
}

int TableMerger::FindMatch(const std::string& key) const {
  auto it = firstRowOfKey_.find(key);
  return it == firstRowOfKey_.end() ? -1 : it->second;
}

int TableMerger::TakeEmptyRow() {
  while (nextEmptyCandidate_ < grid_.RowCount() &&
         !(Trim(grid_.Cell(kSheetColLabel, nextEmptyCandidate_)).empty() &&
           Trim(grid_.Cell(kSheetColLength, nextEmptyCandidate_)).empty())) {
    ++nextEmptyCandidate_;
  }
  if (nextEmptyCandidate_ >= grid_.RowCount()) {
    // The first of the added rows; never the title row.
    nextEmptyCandidate_ = std::max(grid_.RowCount(), 1);
    grid_.SetRowCount(nextEmptyCandidate_ + kGridGrowRows);
  }
  return nextEmptyCandidate_;
}

void TableMerger::MergeSheet(std::string_view label, std::string_view type, std::string_view length,
                             std::string_view qty, std::string_view cost, std::string_view priority,
                             std::string_view comment) {
  const std::string trimmedLabel = Trim(label);
  const std::string trimmedLength = Trim(length);
  if (!trimmedLabel.empty() && !trimmedLength.empty()) {
    const int row = FindMatch(MergeKey(trimmedLabel, type, trimmedLength));
    if (row > 0) {
      grid_.SetCell(kSheetColQty, row, SumText(grid_.Cell(kSheetColQty, row), qty));
      return;
    }
  }
  const int row = TakeEmptyRow();
  grid_.SetCell(kSheetColLabel, row, std::string(label));
  grid_.SetCell(kSheetColType, row, std::string(type));
  grid_.SetCell(kSheetColLength, row, std::string(length));
  grid_.SetCell(kSheetColQty, row, std::string(qty));
  grid_.SetCell(kSheetColCost, row, std::string(cost));
  grid_.SetCell(kSheetColPriority, row, std::string(priority));
  grid_.SetCell(kSheetColComment, row, std::string(comment));
  Index(row);
}

void TableMerger::MergePart(std::string_view label, std::string_view type, std::string_view length,
                            std::string_view qty, std::string_view maxQty,
                            std::string_view comment) {
  const std::string trimmedLabel = Trim(label);
  const std::string trimmedLength = Trim(length);
  if (!trimmedLabel.empty() && !trimmedLength.empty()) {
    const int row = FindMatch(MergeKey(trimmedLabel, type, trimmedLength));
    if (row > 0) {
      // Both sums are converted before either cell changes.
      std::string newQty = SumText(grid_.Cell(kPartColQty, row), qty);
      std::string newMaxQty = SumText(grid_.Cell(kPartColMaxQty, row), maxQty);
      grid_.SetCell(kPartColQty, row, std::move(newQty));
      grid_.SetCell(kPartColMaxQty, row, std::move(newMaxQty));
      return;
    }
  }
  const int row = TakeEmptyRow();
  grid_.SetCell(kPartColLabel, row, std::string(label));
  grid_.SetCell(kPartColType, row, std::string(type));
  grid_.SetCell(kPartColLength, row, std::string(length));
  grid_.SetCell(kPartColQty, row, std::string(qty));
  grid_.SetCell(kPartColMaxQty, row, std::string(maxQty));
  grid_.SetCell(kPartColComment, row, std::string(comment));
  Index(row);
}

bool AppendToSheetsGrid(StringGrid& sheets, std::string_view sAppLabel, std::string_view sAppType,
                        std::string_view sAppLength, std::string_view /*sAppWidth*/,
                        std::string_view sAppQty, std::string_view sAppCost,
                        std::string_view sAppPriority, std::string_view sAppComment) {
  TableMerger merger(sheets);
  merger.MergeSheet(sAppLabel, sAppType, sAppLength, sAppQty, sAppCost, sAppPriority, sAppComment);
  return true;
}

bool AppendToParttsGrid(StringGrid& parts, std::string_view sAppLabel, std::string_view sAppType,
                        std::string_view sAppLength, std::string_view /*sAppWidth*/,
                        std::string_view sAppQty, std::string_view sAppMaxQty,
                        std::string_view /*sAppShape*/, std::string_view /*sAppRotate*/,
                        std::string_view sAppComment) {
  TableMerger merger(parts);
  merger.MergePart(sAppLabel, sAppType, sAppLength, sAppQty, sAppMaxQty, sAppComment);
  return true;
}

}  // namespace tralvin
