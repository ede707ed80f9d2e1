// Reading the label sheet from the design: blank fields refilled, every field
// validated in the window's order, and the label size computed from the
// printable area of the page.
#pragma once

#include <string>
#include <string_view>

#include "labels/label_design.h"

namespace tralvin {

class CaptionTable;

inline constexpr double kInchPerMillimetre = 0.03937;

// The printable area of the page in device pixels and the resolution used for
// both directions.
struct PrintableArea {
  double widthPixels = 0;
  double heightPixels = 0;
  double pixelsPerInch = 72;
};

// The sheet in inches.
struct SheetValues {
  int columns = 0, rows = 0;
  double factor = 0;  // inches per unit typed
  double horizontalGap = 0, verticalGap = 0;
  double lengthMarge = 0, widthMarge = 0;  // left-right, top-bottom
  double topTitleWidth = 0, leftTitleLength = 0;
  double labelLength = 0, labelWidth = 0;  // across, down
  int fromRow = 1, fromCol = 1;            // start position, set by ReadPrintOptions
};

// The outcome of a reading: on failure the field to focus and the warning text.
struct SheetReading {
  bool ok = false;
  SheetValues values;
  LabelField focus = LabelField::None;
  std::string message;
};

// 1 for inch, 0.03937 for millimetre, 0 while no unit is selected.
double UnitFactor(int measureIndex);

// A decimal number as the sheet fields take it: blanks, optional sign, digits
// with an optional point, optional exponent, blanks. Throws ConversionError
// ("'TEXT' is not a valid floating point value").
double StrToFloat(std::string_view text);

// Fills blank fields of `design` with their defaults, validates the sheet
// fields and computes the label size.
SheetReading ReadPrintLabelOption(LabelDesign& design, const PrintableArea& area,
                                  const CaptionTable& captions);

// ReadPrintLabelOption, then the start row (1 .. rows) and column (1 .. columns).
SheetReading ReadPrintOptions(LabelDesign& design, const PrintableArea& area,
                              const CaptionTable& captions);

}  // namespace tralvin
