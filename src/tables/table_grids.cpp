// Shape and column titles of the stock and piece grids.
#include "tables/table_grids.h"

#include "tables/best_dimension.h"
#include "texts/caption_table.h"

namespace tralvin {

int GridColumnCount(GridKind kind) {
  return kind == GridKind::Sheets ? kSheetColCount : kPartColCount;
}

StringGrid MakeSheetsGrid(const CaptionTable& captions, bool bestDimensionMode,
                          std::string_view measure) {
  StringGrid grid(kSheetColCount, kInitialGridRows);
  ApplySheetsTitles(grid, captions, bestDimensionMode, measure);
  return grid;
}

StringGrid MakePartsGrid(const CaptionTable& captions) {
  StringGrid grid(kPartColCount, kInitialGridRows);
  ApplyPartsTitles(grid, captions);
  return grid;
}

void ApplySheetsTitles(StringGrid& sheets, const CaptionTable& captions, bool bestDimensionMode,
                       std::string_view measure) {
  sheets.SetCell(kSheetColLabel, 0, captions.ControlCaption("LabelLayoutLabel"));
  sheets.SetCell(kSheetColType, 0, captions.ControlCaption("GroupBoxMaterialType"));
  sheets.SetCell(kSheetColLength, 0, captions.ControlCaption("LabelLayoutLength"));
  sheets.SetCell(kSheetColPriority, 0, captions.Text("Stock Priority"));
  sheets.SetCell(kSheetColComment, 0, captions.Text("Comment Caption"));
  // Columns 3 and 4 are titled by the switch, which knows the mode.
  SwitchBestDimension(sheets, bestDimensionMode, captions, measure);
}

void ApplyPartsTitles(StringGrid& parts, const CaptionTable& captions) {
  parts.SetCell(kPartColLabel, 0, captions.Text("Part Label Caption"));
  parts.SetCell(kPartColType, 0, captions.ControlCaption("GroupBoxMaterialType"));
  parts.SetCell(kPartColLength, 0, captions.Text("Part Length Caption"));
  parts.SetCell(kPartColQty, 0, captions.Text("Part Qty Caption"));
  parts.SetCell(kPartColMaxQty, 0, captions.Text("Max Pieces Qty"));
  parts.SetCell(kPartColComment, 0, captions.Text("Comment Caption"));
}

}  // namespace tralvin
