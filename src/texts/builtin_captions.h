// The built-in contents of the caption table: the key list with its group
// headings and every entry with its kind, control and built-in texts.
#pragma once

#include <string>
#include <vector>

#include "texts/caption_table.h"

namespace tralvin {

struct BuiltInCaptionData {
  std::vector<std::string> key_list;  // group headings and listed keys, in list order
  std::vector<CaptionEntry> entries;  // listed entries in list order, then the unlisted ones
};

// Built once on first use; never changes afterwards.
const BuiltInCaptionData& GetBuiltInCaptionData();

}  // namespace tralvin
