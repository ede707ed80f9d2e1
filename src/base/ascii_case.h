// ASCII letter case folding: file keys, switches and type names match without
// regard to the case of A–Z, while every other byte (UTF-8 included) stays as it is.
#pragma once

#include <string>
#include <string_view>

namespace tralvin {

// `c` with A–Z turned into a–z.
constexpr char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// `text` with A–Z turned into a–z.
inline std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

}  // namespace tralvin
