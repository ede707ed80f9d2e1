// Label printing as drawing commands: where each label of a print run goes on
// which page, and one label (border, title bands, body cells) in device pixels.
#pragma once

#include <string>
#include <vector>

#include "base/drawing.h"
#include "labels/label_design.h"
#include "labels/label_sheet.h"

namespace tralvin {

class StringGrid;

// One label of a print run: the page (from 0), its top-left corner in inches
// from the page's top-left corner, and the data row printed there.
struct LabelPlacement {
  int page = 0;
  double x = 0, y = 0;
  int dataRow = 0;
};

// The positions of data rows nFromRow .. nToRow, page by page, row by row,
// starting at the start position of `sheet` on the first page only. Nothing
// for nFromRow <= 0 or nToRow < nFromRow.
std::vector<LabelPlacement> PrintLabelFromTo(const SheetValues& sheet, int nFromRow, int nToRow);

// The font a label is written in; `height` is the character height in device pixels.
struct LabelFont {
  std::string name;  // empty: the renderer's fixed-pitch font
  int height = 8;
};

// Appends the commands of the label of data row `nIndex` (row 0 of `data`
// holds the headings) with its top-left corner at (roffsetx, roffsety) inches,
// rLength inches across and rWidth inches down, at `pixelsPerInch`. A title
// band without a selected field gets the first field selected in `design`.
void printLabels(LabelDesign& design, const SheetValues& sheet, const StringGrid& data,
                 double roffsetx, double roffsety, double rLength, double rWidth, int nIndex,
                 double pixelsPerInch, const LabelFont& font, std::vector<DrawCommand>& out);

// Every page of a print run of data rows nFromRow .. nToRow, in device pixels
// of `area`. `sheet` comes from a successful ReadPrintOptions.
std::vector<DrawingPage> LabelPages(LabelDesign& design, const SheetValues& sheet,
                                    const StringGrid& data, int nFromRow, int nToRow,
                                    const PrintableArea& area, const LabelFont& font);

}  // namespace tralvin
