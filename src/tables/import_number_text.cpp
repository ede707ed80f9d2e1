// Shortest round-trip text of workbook numbers.
#include "tables/import_number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tralvin {

std::string WorkbookNumberText(double value) {
  if (value == 0.0) return "0";  // also -0
  char buffer[64];
  if (!std::isfinite(value)) {
    const auto res = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, res.ptr);
  }
  // Shortest scientific form: [-]d[.ddd]e[+-]xx.
  const auto res =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  const std::string sci(buffer, res.ptr);
  const std::size_t ePos = sci.find('e');
  const bool negative = sci[0] == '-';
  std::string digits;
  for (std::size_t i = negative ? 1 : 0; i < ePos; ++i) {
    if (sci[i] != '.') digits += sci[i];
  }
  const int exponent = std::atoi(sci.c_str() + ePos + 1);
  const int count = static_cast<int>(digits.size());

  std::string text = negative ? "-" : "";
  if (exponent >= -5 && exponent < 15) {
    if (exponent < 0) {
      text += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (count <= exponent + 1) {
      text += digits + std::string(static_cast<std::size_t>(exponent + 1 - count), '0');
    } else {
      text += digits.substr(0, exponent + 1) + "." + digits.substr(exponent + 1);
    }
  } else {
    text += digits.substr(0, 1);
    if (count > 1) text += "." + digits.substr(1);
    text += "E" + std::to_string(exponent);
  }
  return text;
}

}  // namespace tralvin
