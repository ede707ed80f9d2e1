// Label printing as drawing commands.
#include "labels/label_layout.h"

#include <cmath>
#include <cstdint>

#include "tables/string_grid.h"

namespace tralvin {

namespace {

int64_t Trunc(double v) { return static_cast<int64_t>(std::trunc(v)); }

// The value of data column `col` in row `row`, empty for a column that is not there.
std::string FieldValue(const StringGrid& data, int col, int row) {
  if (col < 0 || col >= data.ColCount()) return {};
  return data.Cell(col, row);
}

// A title band's data field: the first one when none is selected (and there is one).
int SelectFirstWhenNone(int& index, const StringGrid& data) {
  if (index < 0 && data.ColCount() > 0) index = 0;
  return index;
}

}  // namespace

std::vector<LabelPlacement> PrintLabelFromTo(const SheetValues& sheet, int nFromRow, int nToRow) {
  std::vector<LabelPlacement> placed;
  if (nFromRow <= 0 || nToRow < nFromRow || sheet.rows <= 0 || sheet.columns <= 0) return placed;
  int next = nFromRow;
  for (int page = 0; next <= nToRow; ++page) {
    for (int a = 0; a < sheet.rows && next <= nToRow; ++a) {
      for (int c = 0; c < sheet.columns && next <= nToRow; ++c) {
        if (page == 0 &&
            (a < sheet.fromRow - 1 || (a == sheet.fromRow - 1 && c < sheet.fromCol - 1)))
          continue;
        placed.push_back({page, sheet.lengthMarge + c * (sheet.labelLength + sheet.horizontalGap),
                          sheet.widthMarge + a * (sheet.labelWidth + sheet.verticalGap), next});
        ++next;
      }
    }
  }
  return placed;
}

void printLabels(LabelDesign& design, const SheetValues& sheet, const StringGrid& data,
                 double roffsetx, double roffsety, double rLength, double rWidth, int nIndex,
                 double pixelsPerInch, const LabelFont& font, std::vector<DrawCommand>& out) {
  const double d = pixelsPerInch;
  const int64_t f = font.height;
  auto text = [&](int64_t x, int64_t y, std::string s) {
    DrawText t;
    t.x = static_cast<double>(x);
    t.y = static_cast<double>(y);
    t.text = std::move(s);
    t.fontName = font.name;
    t.fontSize = static_cast<double>(f) * 72.0 / d;  // f device pixels, in points
    t.fixedPitch = true;
    out.push_back(std::move(t));
  };
  auto line = [&](int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    out.push_back(DrawLine{static_cast<double>(x1), static_cast<double>(y1),
                           static_cast<double>(x2), static_cast<double>(y2)});
  };

  int64_t x0 = Trunc(d * roffsetx), y0 = Trunc(d * roffsety);
  const int64_t W = Trunc(d * rLength), H = Trunc(d * rWidth);
  line(x0, y0, x0, y0 + H);
  line(x0, y0 + H, x0 + W, y0 + H);
  line(x0 + W, y0 + H, x0 + W, y0);
  line(x0 + W, y0, x0, y0);

  const int64_t T = design.CheckBoxTopTitle ? Trunc(d * sheet.topTitleWidth) : 0;
  const int64_t L = design.CheckBoxLeftTitle ? Trunc(d * sheet.leftTitleLength) : 0;
  const int top = SelectFirstWhenNone(design.ComboBoxTopTitleData, data);
  const int left = SelectFirstWhenNone(design.ComboBoxLeftTitleData, data);

  if (design.CheckBoxTopTitle) {
    text(x0 + 3, y0 + (T / 2) - (f / 2),
         design.EditTopTitleCaption + FieldValue(data, top, nIndex));
    y0 += T;
  }
  if (design.CheckBoxLeftTitle) {
    text(x0 + 3, y0 + ((H - T) / 2) - (f / 2),
         design.EditLeftTitleCaption + FieldValue(data, left, nIndex));
    x0 += L;
  }

  const int rows = design.ScrollBarLabelRowCount, cols = design.ScrollBarLabelColCount;
  const int64_t h = Trunc(static_cast<double>(H - T) / rows);
  double S = 0;
  for (int c = 1; c <= cols; ++c) S += design.colWidths.at(c);
  // A layout without width (only possible from a hand-edited scheme) gets
  // columns of no width instead of a division by zero.
  const double q = S > 0 ? static_cast<double>(W - L) / S : 0.0;
  int64_t y = y0;
  for (int r = 1; r <= rows; ++r) {
    int64_t x = x0;
    for (int c = 1; c <= cols; ++c) {
      const std::string& cell = design.Cell(r, c);
      std::string value = cell;
      for (int k = 0; k < data.ColCount(); ++k) {
        if (data.Cell(k, 0) == cell) {
          value = data.Cell(k, nIndex);
          break;
        }
      }
      text(x + 3, y + (h / 2) - (f / 2), std::move(value));
      x += Trunc(design.colWidths.at(c) * q);
    }
    y += h;
  }
}

std::vector<DrawingPage> LabelPages(LabelDesign& design, const SheetValues& sheet,
                                    const StringGrid& data, int nFromRow, int nToRow,
                                    const PrintableArea& area, const LabelFont& font) {
  std::vector<DrawingPage> pages;
  for (const LabelPlacement& p : PrintLabelFromTo(sheet, nFromRow, nToRow)) {
    while (static_cast<int>(pages.size()) <= p.page) {
      pages.push_back({area.widthPixels, area.heightPixels, area.pixelsPerInch, {}});
    }
    printLabels(design, sheet, data, p.x, p.y, sheet.labelLength, sheet.labelWidth, p.dataRow,
                area.pixelsPerInch, font, pages[p.page].commands);
  }
  return pages;
}

}  // namespace tralvin
