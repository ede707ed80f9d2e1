// Message keys of the settings and table readers with their built-in texts,
// and the lookup that falls back to the built-in text for a key the caption
// table does not know.
#pragma once

#include <string>
#include <string_view>

#include "texts/caption_table.h"

namespace tralvin {

inline constexpr const char* kFieldInvalidText = "the data of field is invalid";
inline constexpr const char* kFieldEmptyText = "the field can not be empty";

// The current text of `key`, or `builtIn` when the table has no such entry.
inline std::string MessageText(const CaptionTable& captions, std::string_view key,
                               std::string_view builtIn) {
  if (captions.Find(key) == nullptr) return std::string(builtIn);
  return captions.Text(key);
}

}  // namespace tralvin
