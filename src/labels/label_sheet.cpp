// Reading the label sheet from the design.
#include "labels/label_sheet.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "base/pubfunc.h"
#include "texts/caption_table.h"

namespace tralvin {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string FloatError(std::string_view text) {
  return "'" + std::string(text) + "' is not a valid floating point value";
}

// The warning of a failed field: "[" + conversion error (empty when the value
// converted but is out of range) + "]" + MSG_INVALID_DATA.
SheetReading Failure(LabelField field, const std::string& detail, const CaptionTable& captions) {
  SheetReading r;
  r.focus = field;
  r.message = "[" + detail + "]" + captions.Text("MSG_INVALID_DATA");
  return r;
}

}  // namespace

double UnitFactor(int measureIndex) {
  if (measureIndex == 0) return 1.0;
  if (measureIndex == 1) return kInchPerMillimetre;
  return 0.0;
}

double StrToFloat(std::string_view text) {
  size_t i = 0, n = text.size();
  while (i < n && IsBlank(text[i])) ++i;
  while (n > i && IsBlank(text[n - 1])) --n;
  const std::string_view body = text.substr(i, n - i);
  size_t p = 0;
  if (p < body.size() && (body[p] == '+' || body[p] == '-')) ++p;
  size_t digits = 0;
  while (p < body.size() && std::isdigit(static_cast<unsigned char>(body[p]))) ++p, ++digits;
  if (p < body.size() && body[p] == '.') {
    ++p;
    while (p < body.size() && std::isdigit(static_cast<unsigned char>(body[p]))) ++p, ++digits;
  }
  if (digits == 0) throw ConversionError(FloatError(text));
  if (p < body.size() && (body[p] == 'e' || body[p] == 'E')) {
    ++p;
    if (p < body.size() && (body[p] == '+' || body[p] == '-')) ++p;
    size_t expDigits = 0;
    while (p < body.size() && std::isdigit(static_cast<unsigned char>(body[p]))) ++p, ++expDigits;
    if (expDigits == 0) throw ConversionError(FloatError(text));
  }
  if (p != body.size()) throw ConversionError(FloatError(text));
  const std::string copy(body);
  const double value = std::strtod(copy.c_str(), nullptr);
  if (!std::isfinite(value)) throw ConversionError(FloatError(text));
  return value;
}

SheetReading ReadPrintLabelOption(LabelDesign& d, const PrintableArea& area,
                                  const CaptionTable& captions) {
  SheetValues v;
  v.factor = UnitFactor(d.ComboBoxMeasure);

  struct Blank {
    std::string* text;
    const char* value;
  };
  for (const Blank& b : {Blank{&d.EditLabelColNumber, "3"}, Blank{&d.EditLabelRowNumber, "10"},
                         Blank{&d.EditLabelHorizontalGap, "0"}, Blank{&d.EditLabelVerticalGap, "0"},
                         Blank{&d.EditLengthMarge, "0"}, Blank{&d.EditWidthMarge, "0"},
                         Blank{&d.EditTopTitleWidth, "0.3"}, Blank{&d.EditLeftTitleLength, "1"}}) {
    if (Trim(*b.text).empty()) *b.text = b.value;
  }

  struct Count {
    LabelField field;
    const std::string* text;
    int* value;
  };
  for (const Count& c : {Count{LabelField::EditLabelColNumber, &d.EditLabelColNumber, &v.columns},
                         Count{LabelField::EditLabelRowNumber, &d.EditLabelRowNumber, &v.rows}}) {
    try {
      *c.value = StrToInt(*c.text);
    } catch (const ConversionError& e) {
      return Failure(c.field, e.what(), captions);
    }
    if (*c.value <= 0) return Failure(c.field, "", captions);
  }

  struct Measure {
    LabelField field;
    const std::string* text;
    double* value;
  };
  for (const Measure& m :
       {Measure{LabelField::EditLabelHorizontalGap, &d.EditLabelHorizontalGap, &v.horizontalGap},
        Measure{LabelField::EditLabelVerticalGap, &d.EditLabelVerticalGap, &v.verticalGap},
        Measure{LabelField::EditLengthMarge, &d.EditLengthMarge, &v.lengthMarge},
        Measure{LabelField::EditWidthMarge, &d.EditWidthMarge, &v.widthMarge},
        Measure{LabelField::EditTopTitleWidth, &d.EditTopTitleWidth, &v.topTitleWidth},
        Measure{LabelField::EditLeftTitleLength, &d.EditLeftTitleLength, &v.leftTitleLength}}) {
    try {
      *m.value = StrToFloat(*m.text) * v.factor;
    } catch (const ConversionError& e) {
      return Failure(m.field, e.what(), captions);
    }
    if (!(*m.value >= 0)) return Failure(m.field, "", captions);
  }

  const double ppi = area.pixelsPerInch;
  v.labelLength =
      (area.widthPixels / ppi - 2 * v.lengthMarge - (v.columns - 1) * v.horizontalGap) / v.columns;
  v.labelWidth =
      (area.heightPixels / ppi - 2 * v.widthMarge - (v.rows - 1) * v.verticalGap) / v.rows;
  SheetReading r;
  r.ok = true;
  r.values = v;
  return r;
}

SheetReading ReadPrintOptions(LabelDesign& d, const PrintableArea& area,
                              const CaptionTable& captions) {
  SheetReading r = ReadPrintLabelOption(d, area, captions);
  if (!r.ok) return r;
  struct Start {
    LabelField field;
    const std::string* text;
    int limit;
    int* value;
  };
  for (const Start& s : {Start{LabelField::EditPrintLabelFromRow, &d.EditPrintLabelFromRow,
                               r.values.rows, &r.values.fromRow},
                         Start{LabelField::EditPrintLabelFromCol, &d.EditPrintLabelFromCol,
                               r.values.columns, &r.values.fromCol}}) {
    try {
      *s.value = StrToInt(*s.text);
    } catch (const ConversionError& e) {
      return Failure(s.field, e.what(), captions);
    }
    if (*s.value < 1 || *s.value > s.limit) return Failure(s.field, "", captions);
  }
  return r;
}

}  // namespace tralvin
