// Running totals of the stock and piece grids.
#include "tables/grid_totals.h"

#include <cstdint>
#include <limits>
#include <string>

#include "base/pubfunc.h"
#include "texts/caption_table.h"

namespace tralvin {

namespace {

// Wide enough for any sum of 32-bit by 32-bit products over any row count.
__extension__ typedef __int128 WideSum;

// A counted row's value that failed: the cell and the text in the brackets.
struct CellError {
  int col;
  std::string detail;
};

// Length cell: fractions allowed, at least 1.
int32_t LengthOf(const std::string& cell, int col, const TPubFunc& pubFunc) {
  int32_t value = 0;
  try {
    value = pubFunc.ExtStrToInt(FractionText(cell));
  } catch (const ConversionError& e) {
    throw CellError{col, e.what()};
  }
  if (value < 1) throw CellError{col, ""};
  return value;
}

// Quantity cell: an integer, at least 0.
int32_t QuantityOf(const std::string& cell, int col) {
  int32_t value = 0;
  try {
    value = StrToInt(cell);
  } catch (const ConversionError& e) {
    throw CellError{col, e.what()};
  }
  if (value < 0) throw CellError{col, ""};
  return value;
}

// Cost cell: scaled text without fractions, at least 0.
int32_t CostOf(const std::string& cell, int col, const TPubFunc& pubFunc) {
  int32_t value = 0;
  try {
    value = pubFunc.ExtStrToInt(cell);
  } catch (const ConversionError& e) {
    throw CellError{col, e.what()};
  }
  if (value < 0) throw CellError{col, ""};
  return value;
}

// Total length in user units: the sum of length x quantity in thousandths / 1000.
std::string LengthText(WideSum lengthSum) {
  return FloatToStr(static_cast<double>(lengthSum) / 1000.0);
}

std::string IntegerText(WideSum sum) {
  const WideSum max = std::numeric_limits<int64_t>::max();
  return std::to_string(static_cast<int64_t>(sum > max ? max : sum));
}

GridFailure FailureOf(GridKind kind, int row, const CellError& error, const std::string& message) {
  return GridFailure{kind, GridCell{error.col, row}, "[" + error.detail + "]" + message};
}

}  // namespace

SheetsTotalsResult TotalOfSheets(StringGrid& sheets, const CaptionTable& captions,
                                 const TPubFunc& pubFunc) {
  WideSum lengthSum = 0;
  WideSum costSum = 0;
  WideSum qtySum = 0;
  for (int r = 1; r < sheets.RowCount(); ++r) {
    if (sheets.Cell(kSheetColLength, r).empty() || sheets.Cell(kSheetColQty, r).empty()) continue;
    try {
      const int32_t length = LengthOf(sheets.Cell(kSheetColLength, r), kSheetColLength, pubFunc);
      const int32_t qty = QuantityOf(sheets.Cell(kSheetColQty, r), kSheetColQty);
      if (sheets.Cell(kSheetColCost, r).empty()) sheets.SetCell(kSheetColCost, r, "0");
      const int32_t cost = CostOf(sheets.Cell(kSheetColCost, r), kSheetColCost, pubFunc);
      lengthSum += static_cast<WideSum>(length) * qty;
      costSum += static_cast<WideSum>(cost) * qty;
      qtySum += qty;
    } catch (const CellError& error) {
      const char* key = error.col == kSheetColLength ? "MSG_STOCK_LENGTH_FORMAT_INVALID"
                        : error.col == kSheetColQty  ? "MSG_STOCK_QTY_FORMAT_INVALID"
                                                     : "MSG_STOCK_COST_FORMAT_INVALID";
      return {std::nullopt, FailureOf(GridKind::Sheets, r, error, captions.Text(key))};
    }
  }
  const WideSum maxCost = std::numeric_limits<int64_t>::max();
  SheetsTotals totals;
  totals.totalLength = LengthText(lengthSum);
  totals.totalNumber = IntegerText(qtySum);
  totals.totalCost =
      pubFunc.IntToExtStr(static_cast<int64_t>(costSum > maxCost ? maxCost : costSum));
  return {totals, std::nullopt};
}

PartsTotalsResult TotalOfParts(const StringGrid& parts, const CaptionTable& captions,
                               const TPubFunc& pubFunc) {
  WideSum lengthSum = 0;
  WideSum qtySum = 0;
  for (int r = 1; r < parts.RowCount(); ++r) {
    if (parts.Cell(kPartColLength, r).empty() || parts.Cell(kPartColQty, r).empty()) continue;
    try {
      const int32_t length = LengthOf(parts.Cell(kPartColLength, r), kPartColLength, pubFunc);
      const int32_t qty = QuantityOf(parts.Cell(kPartColQty, r), kPartColQty);
      lengthSum += static_cast<WideSum>(length) * qty;
      qtySum += qty;
    } catch (const CellError& error) {
      const char* key = error.col == kPartColLength ? "MSG_PIECE_LENGTH_FORMAT_INVALID"
                                                    : "MSG_PIECE_QTY_FORMAT_INVALID";
      return {std::nullopt, FailureOf(GridKind::Parts, r, error, captions.Text(key))};
    }
  }
  PartsTotals totals;
  totals.totalLength = LengthText(lengthSum);
  totals.totalNumber = IntegerText(qtySum);
  return {totals, std::nullopt};
}

}  // namespace tralvin
