// Text decoding of file contents into UTF-8.
#include "base/text_decode.h"

#include <cstdint>

namespace tralvin {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Length of the well-formed UTF-8 sequence at text[i], or 0 when there is none.
size_t Utf8SequenceLength(std::string_view text, size_t i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char b0 = byte(i);
  if (b0 < 0x80) return 1;
  size_t length;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    if (b0 == 0xE0) low = 0xA0;   // overlong
    if (b0 == 0xED) high = 0x9F;  // surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    if (b0 == 0xF0) low = 0x90;   // overlong
    if (b0 == 0xF4) high = 0x8F;  // beyond U+10FFFF
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  if (byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (size_t k = 2; k < length; ++k) {
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  }
  return length;
}

std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size());
  auto unit = [&](size_t k) -> char32_t {
    auto b0 = static_cast<unsigned char>(bytes[k]);
    auto b1 = static_cast<unsigned char>(bytes[k + 1]);
    return bigEndian ? (char32_t{b0} << 8 | b1) : (char32_t{b1} << 8 | b0);
  };
  size_t i = 0;
  while (i + 1 < bytes.size()) {
    char32_t u = unit(i);
    i += 2;
    if (u >= 0xD800 && u <= 0xDBFF) {
      if (i + 1 < bytes.size()) {
        char32_t u2 = unit(i);
        if (u2 >= 0xDC00 && u2 <= 0xDFFF) {
          i += 2;
          AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (u2 - 0xDC00));
          continue;
        }
      }
      AppendUtf8(out, kReplacement);
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      AppendUtf8(out, kReplacement);
    } else {
      AppendUtf8(out, u);
    }
  }
  if (i < bytes.size()) AppendUtf8(out, kReplacement);  // an odd byte at the end
  return out;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Windows-1252 code points of the bytes 0x80..0x9F; the five bytes the code
// page leaves undefined map to the control code of the same value.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string ReplaceInvalidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    size_t length = Utf8SequenceLength(text, i);
    if (length == 0) {
      AppendUtf8(out, kReplacement);
      ++i;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  return out;
}

bool IsValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    size_t length = Utf8SequenceLength(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string DecodeText(std::string_view bytes, TextEncoding* encoding) {
  auto starts = [&](std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; };
  TextEncoding found = TextEncoding::Utf8;
  std::string out;
  if (starts("\xEF\xBB\xBF")) {
    found = TextEncoding::Utf8Bom;
    bytes.remove_prefix(3);
  } else if (starts("\xFF\xFE")) {
    found = TextEncoding::Utf16LE;
    out = DecodeUtf16(bytes.substr(2), false);
  } else if (starts("\xFE\xFF")) {
    found = TextEncoding::Utf16BE;
    out = DecodeUtf16(bytes.substr(2), true);
  }
  if (encoding != nullptr) *encoding = found;
  if (found == TextEncoding::Utf16LE || found == TextEncoding::Utf16BE) return out;

  if (IsValidUtf8(bytes)) return std::string(bytes);
  out.reserve(bytes.size() + bytes.size() / 4);
  for (size_t i = 0; i < bytes.size();) {
    size_t length = Utf8SequenceLength(bytes, i);
    if (length > 0) {
      out.append(bytes.substr(i, length));
      i += length;
      continue;
    }
    auto b = static_cast<unsigned char>(bytes[i++]);
    AppendUtf8(out, b >= 0x80 && b <= 0x9F ? char32_t{kCp1252High[b - 0x80]} : char32_t{b});
  }
  return out;
}

}  // namespace tralvin
