// Number text: conversion between the scaled 32-bit integers that hold every
// length and cost (thousandths of the user's unit) and the texts users type
// and read; also the integer and decimal texts the rest of the program uses.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tralvin {

// A text that does not convert. what() is the detail text that messages show
// inside "[" "]", e.g. "'abc' is not a valid floating point value".
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TPubFunc {
 public:
  TPubFunc() = default;

  // Number of decimals the scale represents. Writing 0..3 gives the scales
  // 1, 10, 100, 1000; any other value gives the unusable scale -1.
  int decimal() const;
  void setDecimal(int decimals);
  int32_t scale() const { return p_decimal; }

  // Text to scaled integer; empty or blank text is 0. Throws ConversionError.
  int32_t ExtStrToInt(std::string_view sSrc) const;
  // Scaled integer to its shortest text ("12.345", "12", "-1.5").
  std::string IntToExtStr(int64_t nSrc) const;
  // A scaled length held as a real number, written like IntToExtStr.
  std::string IntToExtStr3(double nSrc) const;

 private:
  int32_t p_decimal = 1000;
};

// Accepts "12 3/4" style texts in front of ExtStrToInt; never throws.
std::string FractionText(std::string_view text);

// Integer text as quantities, priorities and INI integers are read: leading
// blanks, optional sign, decimal digits or "$"/"0x"/"0X" hex digits, nothing
// after, 32-bit range. Throws ConversionError("'TEXT' is not a valid integer value").
int32_t StrToInt(std::string_view text);
// The same, returning false instead of throwing.
bool TryStrToInt(std::string_view text, int32_t& value);

// Decimal text of a double: up to 15 significant digits, no trailing zeros,
// fixed notation from 1E-5 up to 15 integer digits, else exponent form ("1E-6").
std::string FloatToStr(double value);

// Blanks and tabs removed from both ends.
std::string Trim(std::string_view text);

}  // namespace tralvin
