// Text decoding: turns the bytes of a text file into UTF-8, whatever form the
// file was saved in (UTF-8 with or without byte-order mark, UTF-16 with a
// byte-order mark, or the Western 8-bit code page of older files).
#pragma once

#include <string>
#include <string_view>

namespace tralvin {

enum class TextEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE };

// The bytes as UTF-8 text, without byte-order mark. A UTF-16 text needs its
// byte-order mark; broken UTF-16 units become U+FFFD. Otherwise every valid
// UTF-8 sequence is kept as it is and every other byte is read as Windows-1252,
// so decoding never fails and plain UTF-8 or ASCII passes unchanged.
// `encoding`, when given, receives the form that was recognised.
std::string DecodeText(std::string_view bytes, TextEncoding* encoding = nullptr);

// True when the text is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(std::string_view text);

// The text with every byte that does not start a well-formed UTF-8 sequence
// (stray continuation bytes, overlong forms, surrogates, values past U+10FFFF,
// truncated sequences) replaced by U+FFFD, so imported cells are always valid.
std::string ReplaceInvalidUtf8(std::string_view text);

// Appends the UTF-8 form of a code point (U+FFFD for one that cannot be encoded).
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace tralvin
