// Number text: the scaled-integer conversions of TPubFunc, the fraction
// normaliser, and the integer, decimal and trimming helpers around them.
#include "base/pubfunc.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace tralvin {

namespace {

// 128-bit arithmetic keeps the scaled products exact whatever the 64-bit input.
__extension__ using Int128 = __int128;

constexpr int64_t kFourDecimals = 10000;
constexpr int32_t kMaxScaled = std::numeric_limits<int32_t>::max();
// Any four-decimal value beyond this gives a scaled result far outside 32 bits
// at every scale, so it can be rejected before the multiplication.
constexpr int64_t kMaxFourDecimalValue = 1000000000000000;  // 1E15

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// n / d rounded to the nearest integer, ties to even; d != 0.
Int128 RoundDivHalfEven(Int128 n, Int128 d) {
  Int128 q = n / d;
  Int128 r = n % d;
  if (r == 0) return q;
  Int128 absR = r < 0 ? -r : r;
  Int128 absD = d < 0 ? -d : d;
  Int128 step = ((n < 0) != (d < 0)) ? -1 : 1;
  if (2 * absR > absD || (2 * absR == absD && q % 2 != 0)) q += step;
  return q;
}

std::string Int128ToText(Int128 value) {
  if (value == 0) return "0";
  bool negative = value < 0;
  std::string digits;
  while (value != 0) {
    int digit = static_cast<int>(value % 10);
    digits.insert(digits.begin(), static_cast<char>('0' + (digit < 0 ? -digit : digit)));
    value /= 10;
  }
  return negative ? "-" + digits : digits;
}

// A value held in ten-thousandths, written in its shortest decimal form.
std::string FourDecimalText(Int128 v4) {
  bool negative = v4 < 0;
  Int128 magnitude = negative ? -v4 : v4;
  std::string text = Int128ToText(magnitude / kFourDecimals);
  int fraction = static_cast<int>(magnitude % kFourDecimals);
  if (fraction != 0) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04d", fraction);
    std::string digits(buf);
    while (digits.back() == '0') digits.pop_back();
    text += '.';
    text += digits;
  }
  return negative ? "-" + text : text;
}

std::string FloatError(std::string_view text) {
  return "'" + std::string(text) + "' is not a valid floating point value";
}

// Parses a decimal text (sign, digits, optional point and fraction, optional
// exponent, blanks around) and rounds it half to even to ten-thousandths.
// Returns false for text that is not such a number, and for values whose
// ten-thousandths exceed kMaxFourDecimalValue.
bool ParseFourDecimals(std::string_view text, int64_t& v4) {
  size_t i = 0;
  size_t end = text.size();
  while (i < end && IsBlank(text[i])) ++i;
  while (end > i && IsBlank(text[end - 1])) --end;
  bool negative = false;
  if (i < end && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::string mantissa;
  int64_t fractionDigits = 0;
  while (i < end && IsDigit(text[i])) mantissa += text[i++];
  bool anyDigit = !mantissa.empty();
  if (i < end && text[i] == '.') {
    ++i;
    while (i < end && IsDigit(text[i])) {
      mantissa += text[i++];
      ++fractionDigits;
      anyDigit = true;
    }
  }
  if (!anyDigit) return false;
  int64_t exponent = 0;
  if (i < end && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool expNegative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
      expNegative = text[i] == '-';
      ++i;
    }
    if (i == end || !IsDigit(text[i])) return false;
    while (i < end && IsDigit(text[i])) {
      // Saturate: any exponent this large already decides the outcome.
      if (exponent < 1000000000) exponent = exponent * 10 + (text[i] - '0');
      ++i;
    }
    if (expNegative) exponent = -exponent;
  }
  if (i != end) return false;

  size_t firstNonZero = mantissa.find_first_not_of('0');
  if (firstNonZero == std::string::npos) {
    v4 = 0;
    return true;
  }
  mantissa.erase(0, firstNonZero);
  // value = mantissa * 10^(exponent - fractionDigits); want it * 10^4.
  int64_t shift = exponent - fractionDigits + 4;
  int64_t length = static_cast<int64_t>(mantissa.size());
  int64_t integerDigits = length + shift;
  if (integerDigits > 16) return false;
  int64_t result = 0;
  if (shift >= 0) {
    for (char c : mantissa) result = result * 10 + (c - '0');
    for (int64_t k = 0; k < shift; ++k) result *= 10;
  } else {
    for (int64_t k = 0; k < integerDigits; ++k) result = result * 10 + (mantissa[k] - '0');
    // Round on the dropped digits: the first decides unless it is a 5 with
    // nothing after it, which is the tie.
    if (integerDigits >= 0) {
      char first = mantissa[integerDigits];
      bool restNonZero = mantissa.find_first_not_of('0', integerDigits + 1) != std::string::npos;
      if (first > '5' || (first == '5' && (restNonZero || result % 2 != 0))) ++result;
    }
  }
  if (result > kMaxFourDecimalValue) return false;
  v4 = negative ? -result : result;
  return true;
}

bool ParseDigits(std::string_view text, size_t i, int base, bool negative, int32_t& value) {
  if (i >= text.size()) return false;
  int64_t magnitude = 0;
  const int64_t limit = negative ? int64_t{kMaxScaled} + 1 : int64_t{kMaxScaled};
  for (; i < text.size(); ++i) {
    char c = text[i];
    int digit;
    if (IsDigit(c)) {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return false;
    }
    if (digit >= base) return false;
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return false;
  }
  value = static_cast<int32_t>(negative ? -magnitude : magnitude);
  return true;
}

}  // namespace

int TPubFunc::decimal() const {
  switch (p_decimal) {
    case 1:
      return 0;
    case 10:
      return 1;
    case 100:
      return 2;
    case 1000:
      return 3;
    default:
      return -1;
  }
}

void TPubFunc::setDecimal(int decimals) {
  switch (decimals) {
    case 0:
      p_decimal = 1;
      break;
    case 1:
      p_decimal = 10;
      break;
    case 2:
      p_decimal = 100;
      break;
    case 3:
      p_decimal = 1000;
      break;
    default:
      p_decimal = -1;
      break;
  }
}

int32_t TPubFunc::ExtStrToInt(std::string_view sSrc) const {
  int64_t v4 = 0;
  if (!Trim(sSrc).empty() && !ParseFourDecimals(sSrc, v4)) throw ConversionError(FloatError(sSrc));
  Int128 scaled = RoundDivHalfEven(Int128{v4} * p_decimal, kFourDecimals);
  if (scaled > kMaxScaled || scaled < -kMaxScaled) throw ConversionError(FloatError(sSrc));
  return static_cast<int32_t>(scaled);
}

std::string TPubFunc::IntToExtStr(int64_t nSrc) const {
  return FourDecimalText(RoundDivHalfEven(Int128{nSrc} * kFourDecimals, p_decimal));
}

std::string TPubFunc::IntToExtStr3(double nSrc) const {
  double v4 = nSrc * static_cast<double>(kFourDecimals) / p_decimal;
  // Beyond 64 bits (or not a number) the value has no four-decimal form;
  // show the plain decimal text rather than a wrapped integer.
  if (!std::isfinite(v4) || std::fabs(v4) >= 9.2e18) return FloatToStr(nSrc / p_decimal);
  return FourDecimalText(static_cast<int64_t>(std::nearbyint(v4)));
}

std::string FractionText(std::string_view text) {
  std::string s = Trim(text);
  size_t blank = s.find(' ');
  size_t slash = s.find('/');
  if (slash == std::string::npos) return blank == std::string::npos ? s : std::string();
  if (blank != std::string::npos && slash < blank) return std::string();

  std::string whole = blank == std::string::npos ? "0" : s.substr(0, blank);
  std::string fraction = blank == std::string::npos ? s : s.substr(blank + 1);
  size_t fractionSlash = fraction.find('/');
  std::string numerator = fraction.substr(0, fractionSlash);
  std::string denominator = fraction.substr(fractionSlash + 1);
  int32_t w = 0;
  int32_t n = 0;
  int32_t d = 0;
  try {
    w = StrToInt(whole);
    n = StrToInt(numerator);
    d = StrToInt(denominator);
  } catch (const ConversionError& e) {
    return "[" + std::string(e.what()) + "]";
  }
  if (d == 0) return "[]";
  return FloatToStr(static_cast<double>(w) + static_cast<double>(n) / static_cast<double>(d));
}

bool TryStrToInt(std::string_view text, int32_t& value) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i < text.size() && text[i] == '$') return ParseDigits(text, i + 1, 16, negative, value);
  if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    return ParseDigits(text, i + 2, 16, negative, value);
  }
  return ParseDigits(text, i, 10, negative, value);
}

int32_t StrToInt(std::string_view text) {
  int32_t value = 0;
  if (!TryStrToInt(text, value)) {
    throw ConversionError("'" + std::string(text) + "' is not a valid integer value");
  }
  return value;
}

std::string FloatToStr(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  // 15 significant digits, rounded once by the C library.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", value);
  std::string text(buf);
  bool negative = text[0] == '-';
  if (negative) text.erase(0, 1);
  size_t e = text.find('e');
  int exponent = std::atoi(text.c_str() + e + 1);
  std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out;
  if (exponent < -5 || exponent > 14) {
    out = digits.substr(0, 1);
    if (digits.size() > 1) out += "." + digits.substr(1);
    out += "E" + std::to_string(exponent);
  } else if (exponent < 0) {
    out = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  } else {
    size_t integerDigits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
      out = digits + std::string(integerDigits - digits.size(), '0');
    } else {
      out = digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
    }
  }
  return negative ? "-" + out : out;
}

std::string Trim(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

}  // namespace tralvin
