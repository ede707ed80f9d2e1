// Making imported bytes valid UTF-8, so that every cell the core holds is
// well-formed text whatever the file contained.
#pragma once

#include <string>
#include <string_view>

namespace tralvin {

// The text with every byte that does not start a well-formed UTF-8 sequence
// (stray continuation bytes, overlong forms, surrogates, values past U+10FFFF,
// truncated sequences) replaced by U+FFFD.
std::string ReplaceInvalidUtf8(std::string_view text);

}  // namespace tralvin
