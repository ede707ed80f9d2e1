// Taking the cut plan off the tables and adding its leftovers as stocks.
#include "results/update_after_cutting.h"

#include <cmath>

#include "base/pubfunc.h"
#include "texts/caption_table.h"
#include "texts/message_text.h"

namespace tralvin {

namespace {

// Stock grid columns.
constexpr int kStockLabel = 0, kStockType = 1, kStockLength = 2, kStockQty = 3, kStockCost = 4,
              kStockPriority = 5, kStockComment = 6;
// Piece grid columns.
constexpr int kPieceLabel = 0, kPieceType = 1, kPieceQty = 3, kPieceMaxQty = 4;

constexpr int kRowsAddedWhenFull = 10;

bool RowMatches(const StringGrid& grid, int row, int labelCol, int typeCol,
                const std::string& label, const std::string& matType) {
  return Trim(grid.Cell(labelCol, row)) == label && Trim(grid.Cell(typeCol, row)) == matType;
}

void AddToIntegerCell(StringGrid& grid, int col, int row, int64_t delta, bool notBelowZero) {
  int64_t value = static_cast<int64_t>(StrToInt(grid.Cell(col, row))) + delta;
  if (notBelowZero && value < 0) value = 0;
  grid.SetCell(col, row, std::to_string(value));
}

// The cost of a leftover: the bar's cost scaled to the leftover's length,
// rounded half to even.
double LeftoverCost(const CutPattern& p) {
  if (p.length <= 0) return 0;
  const double scaled =
      static_cast<double>(p.cost) * static_cast<double>(p.left) / static_cast<double>(p.length);
  return std::nearbyint(scaled);
}

int FirstRowWithEmptyLabel(StringGrid& sheets) {
  for (int row = 1; row < sheets.RowCount(); ++row) {
    if (Trim(sheets.Cell(kStockLabel, row)).empty()) return row;
  }
  const int first = sheets.RowCount();
  sheets.SetRowCount(first + kRowsAddedWhenFull);
  sheets.SetCell(kStockComment, first, "");
  return first;
}

}  // namespace

void TakeOffUsedBars(StringGrid& sheets, const std::vector<CutPattern>& plan,
                     bool bestDimensionMode) {
  if (bestDimensionMode) return;
  for (const CutPattern& p : plan) {
    for (int row = 1; row < sheets.RowCount(); ++row) {
      if (RowMatches(sheets, row, kStockLabel, kStockType, p.label, p.matType)) {
        AddToIntegerCell(sheets, kStockQty, row, -static_cast<int64_t>(p.bars), false);
      }
    }
  }
}

void TakeOffProducedPieces(StringGrid& parts, const std::vector<CutPattern>& plan) {
  for (const CutPattern& p : plan) {
    for (const CutPiece& e : p.pieces) {
      if (e.perBar == 0) continue;
      const int64_t produced = static_cast<int64_t>(e.perBar) * p.bars;
      for (int row = 1; row < parts.RowCount(); ++row) {
        if (!RowMatches(parts, row, kPieceLabel, kPieceType, e.label, p.matType)) continue;
        AddToIntegerCell(parts, kPieceMaxQty, row, -produced, false);
        AddToIntegerCell(parts, kPieceQty, row, -produced, true);
      }
    }
  }
}

void AddLeftoversToSheets(StringGrid& sheets, const std::vector<CutPattern>& plan,
                          int32_t minLength, const std::string& prefix, bool bestDimensionMode) {
  if (bestDimensionMode) return;
  if (minLength == 0) minLength = 1;
  const TPubFunc pub;
  const std::string widthText = pub.IntToExtStr(1000);
  for (const CutPattern& p : plan) {
    if (p.left < minLength) continue;
    const std::string lengthText = pub.IntToExtStr(p.left);
    const std::string label = prefix + lengthText + "_" + widthText;
    int found = -1;
    for (int row = 1; row < sheets.RowCount() && found < 0; ++row) {
      if (RowMatches(sheets, row, kStockLabel, kStockType, label, p.matType)) found = row;
    }
    if (found >= 0) {
      AddToIntegerCell(sheets, kStockQty, found, p.bars, false);
      continue;
    }
    const int row = FirstRowWithEmptyLabel(sheets);
    sheets.SetCell(kStockLabel, row, label);
    sheets.SetCell(kStockType, row, p.matType);
    sheets.SetCell(kStockLength, row, lengthText);
    sheets.SetCell(kStockQty, row, std::to_string(p.bars));
    sheets.SetCell(kStockCost, row, pub.IntToExtStr3(LeftoverCost(p)));
    sheets.SetCell(kStockPriority, row, "0");
    sheets.SetCell(kStockComment, row, sheets.Cell(kStockComment, row) + " " + p.label);
  }
}

UpdateOutcome UpdateAll(StringGrid& sheets, StringGrid& parts, const std::vector<CutPattern>& plan,
                        const UpdateSettings& settings, const CaptionTable& captions) {
  UpdateOutcome out;
  if (plan.empty()) {
    out.status = UpdateStatus::NoPlan;
    out.message = MessageText(captions, "MSG_LAYOUT_IS_EMPTY",
                              "Layout list is empty, please click optimize button in Toolsbar");
    return out;
  }
  try {
    TakeOffUsedBars(sheets, plan, settings.bestDimensionMode);
    TakeOffProducedPieces(parts, plan);
    int32_t minLength = 0;
    try {
      minLength = TPubFunc().ExtStrToInt(settings.minOffcutLengthText);
      if (minLength < 0) throw ConversionError("");
    } catch (const ConversionError& e) {
      out.status = UpdateStatus::InvalidMinLength;
      out.message = "[" + std::string(e.what()) + "]" +
                    MessageText(captions, "MSG_MIN_SCRAP_LENGTH_FORMAT_INVALID", kFieldInvalidText);
      out.disableButton = true;
      return out;
    }
    AddLeftoversToSheets(sheets, plan, minLength, settings.offcutPrefix,
                         settings.bestDimensionMode);
  } catch (const ConversionError& e) {
    out.status = UpdateStatus::BadCell;
    out.message = e.what();
    return out;
  }
  out.disableButton = true;
  return out;
}

}  // namespace tralvin
