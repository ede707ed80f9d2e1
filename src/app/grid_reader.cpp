// Row-by-row validation of the two grids into optimiser records.
#include "app/grid_reader.h"

#include <string>

#include "base/pubfunc.h"
#include "texts/caption_table.h"
#include "texts/message_text.h"

namespace tralvin {

namespace {

// The outcome of converting one cell: the value, or the conversion error's
// text (empty when the value converted but lies out of range).
struct CellValue {
  bool ok = false;
  int32_t value = 0;
  std::string detail;
};

CellValue Length(const TPubFunc& pubFunc, const std::string& text, bool fraction) {
  CellValue v;
  try {
    v.value = pubFunc.ExtStrToInt(fraction ? FractionText(text) : text);
    v.ok = true;
  } catch (const ConversionError& e) {
    v.detail = e.what();
  }
  return v;
}

CellValue Integer(const std::string& text) {
  CellValue v;
  try {
    v.value = StrToInt(text);
    v.ok = true;
  } catch (const ConversionError& e) {
    v.detail = e.what();
  }
  return v;
}

// The range test keeps the detail of a failed conversion, and has none of its own.
bool Valid(CellValue& v, bool inRange) {
  if (v.ok && !inRange) v.ok = false;
  return v.ok;
}

// A row takes part when its label, length or quantity cell holds any text.
bool RowIsUsed(const StringGrid& grid, int row, int labelCol, int lengthCol, int qtyCol) {
  return !grid.Cell(labelCol, row).empty() || !grid.Cell(lengthCol, row).empty() ||
         !grid.Cell(qtyCol, row).empty();
}

class SheetFailures {
 public:
  explicit SheetFailures(const CaptionTable& captions) : captions_(captions) {}
  GridFailure operator()(int col, int row, const char* key, const char* builtIn,
                         const std::string& detail) const {
    return {
        GridKind::Sheets, {col, row}, MessageText(captions_, key, builtIn) + "[" + detail + "]"};
  }

 private:
  const CaptionTable& captions_;
};

class PartFailures {
 public:
  explicit PartFailures(const CaptionTable& captions) : captions_(captions) {}
  GridFailure operator()(int col, int row, const char* key, const char* builtIn,
                         const std::string& detail) const {
    return {GridKind::Parts, {col, row}, "[" + detail + "]" + MessageText(captions_, key, builtIn)};
  }

 private:
  const CaptionTable& captions_;
};

}  // namespace

std::optional<GridFailure> ReadSheetsGrid(StringGrid& grid, bool bestDimensionMode,
                                          const TPubFunc& pubFunc, const CaptionTable& captions,
                                          TPanels& GridStocks) {
  GridStocks.RemoveAll();
  const SheetFailures fail(captions);
  for (int row = 1; row < grid.RowCount(); ++row) {
    if (!RowIsUsed(grid, row, kSheetColLabel, kSheetColLength, kSheetColQty)) continue;

    const std::string label = Trim(grid.Cell(kSheetColLabel, row));
    if (label.empty())
      return fail(kSheetColLabel, row, "MSG_STOCK_LABEL_CANT_BE_EMPTY", kFieldEmptyText, "");

    CellValue length = Length(pubFunc, grid.Cell(kSheetColLength, row), true);
    if (!Valid(length, length.value >= 1))
      return fail(kSheetColLength, row, "MSG_STOCK_LENGTH_FORMAT_INVALID", kFieldInvalidText,
                  length.detail);

    int32_t maxLength = 0;
    int32_t quantity = 0;
    if (bestDimensionMode) {
      CellValue max = Length(pubFunc, grid.Cell(kSheetColQty, row), true);
      if (!Valid(max, max.value >= 1 && max.value > length.value))
        return fail(kSheetColQty, row, "MSG_STOCK_LENGTH_FORMAT_INVALID", kFieldInvalidText,
                    max.detail);
      maxLength = max.value;
    } else {
      CellValue qty = Integer(grid.Cell(kSheetColQty, row));
      if (!Valid(qty, qty.value >= 0))
        return fail(kSheetColQty, row, "MSG_STOCK_QTY_FORMAT_INVALID", kFieldInvalidText,
                    qty.detail);
      quantity = qty.value;
    }

    if (grid.Cell(kSheetColCost, row).empty()) grid.SetCell(kSheetColCost, row, "0");
    CellValue cost = Length(pubFunc, grid.Cell(kSheetColCost, row), false);
    if (!Valid(cost, cost.value >= 0))
      return fail(kSheetColCost, row, "MSG_STOCK_COST_FORMAT_INVALID", kFieldInvalidText,
                  cost.detail);

    if (grid.Cell(kSheetColPriority, row).empty()) grid.SetCell(kSheetColPriority, row, "0");
    CellValue priority = Integer(grid.Cell(kSheetColPriority, row));
    if (!Valid(priority, priority.value >= 0))
      return fail(kSheetColPriority, row, "MSG_STOCK_PRIORITY_FORMAT_INVALID", kFieldInvalidText,
                  priority.detail);

    T2DStock stock;
    stock.p_lab = label;
    stock.p_cx = length.value;
    stock.p_max_cx = maxLength;
    stock.p_cy = 1000;
    stock.p_number = quantity;
    stock.p_cost = cost.value;
    stock.disp_XSize = grid.Cell(kSheetColLength, row);
    stock.disp_YSize = "1";
    stock.disp_Comment = grid.Cell(kSheetColComment, row);
    stock.owner = PANEL_OWNER::owSheet;
    stock.MatType = Trim(grid.Cell(kSheetColType, row));
    stock.Priority = priority.value;
    GridStocks.AddPanel(stock);
  }
  if (GridStocks.Empty())
    return GridFailure{GridKind::Sheets,
                       {kSheetColLabel, 1},
                       MessageText(captions, "MSG_STOCK_DATA_IS_EMPTY", "raw stock list is empty")};
  return std::nullopt;
}

std::optional<GridFailure> ReadPartsGrid(StringGrid& grid, const TPubFunc& pubFunc,
                                         const CaptionTable& captions, TPanels& GridPieces,
                                         TPanels& GridPiecesRequired) {
  GridPieces.RemoveAll();
  GridPiecesRequired.RemoveAll();
  const PartFailures fail(captions);
  for (int row = 1; row < grid.RowCount(); ++row) {
    if (!RowIsUsed(grid, row, kPartColLabel, kPartColLength, kPartColQty)) continue;

    const std::string label = Trim(grid.Cell(kPartColLabel, row));
    if (label.empty())
      return fail(kPartColLabel, row, "MSG_PIECE_LABEL_CANT_BE_EMPTY", kFieldEmptyText, "");

    CellValue length = Length(pubFunc, grid.Cell(kPartColLength, row), true);
    if (!Valid(length, length.value >= 1))
      return fail(kPartColLength, row, "MSG_PIECE_LENGTH_FORMAT_INVALID", kFieldInvalidText,
                  length.detail);

    // Either quantity stands in for the other when only one is given.
    if (Trim(grid.Cell(kPartColMaxQty, row)).empty())
      grid.SetCell(kPartColMaxQty, row, grid.Cell(kPartColQty, row));
    CellValue maxQty = Integer(grid.Cell(kPartColMaxQty, row));
    if (!Valid(maxQty, maxQty.value >= 0))
      return fail(kPartColMaxQty, row, "MSG_PIECE_QTY_FORMAT_INVALID", kFieldInvalidText,
                  maxQty.detail);

    if (Trim(grid.Cell(kPartColQty, row)).empty())
      grid.SetCell(kPartColQty, row, grid.Cell(kPartColMaxQty, row));
    CellValue qty = Integer(grid.Cell(kPartColQty, row));
    if (!Valid(qty, qty.value >= 0 && qty.value <= maxQty.value))
      return fail(kPartColQty, row, "MSG_PIECE_QTY_FORMAT_INVALID", kFieldInvalidText, qty.detail);

    T2DStock piece;
    piece.p_lab = label;
    piece.p_cx = length.value;
    piece.p_cy = 1000;
    piece.p_can_rotate = true;
    piece.p_number = maxQty.value;
    piece.p_shape = PANEL_SHAPE::shRect;
    piece.disp_XSize = grid.Cell(kPartColLength, row);
    piece.disp_YSize = "1";
    piece.disp_Comment = grid.Cell(kPartColComment, row);
    piece.owner = PANEL_OWNER::owPart;
    piece.MatType = Trim(grid.Cell(kPartColType, row));
    GridPieces.AddPanel(piece);
    piece.p_number = qty.value;
    GridPiecesRequired.AddPanel(piece);
  }
  if (GridPieces.Empty())
    return GridFailure{GridKind::Parts,
                       {kPartColLabel, 1},
                       MessageText(captions, "MSG_PIECE_DATA_IS_EMPTY", "pieces list is empty")};
  return std::nullopt;
}

}  // namespace tralvin
