// The texts that repeat others: controls of the Pieces page that repeat the
// Stocks page, and buttons and labels that take a text entry instead of a
// caption entry of their own. Both the window and the batch runner derive
// them from the caption table.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "texts/caption_table.h"

namespace tralvin {

// One control's derived texts. `caption` and `hint` are set when the table
// gives them; `source` names a control whose own caption and hint are to be
// repeated as they are shown (a control the table has no entry for).
struct DerivedControlText {
  std::string control;
  std::string source;
  std::optional<std::string> caption;
  std::optional<std::string> hint;
};

// In the order they are applied, after the controls' own entries: the Pieces
// page repeats first, then the buttons and labels taking text entries. The
// caption of CheckBoxBestDimension is among the latter, so its own entry
// only sets its hint.
std::vector<DerivedControlText> DerivedControlTexts(const CaptionTable& table);

}  // namespace tralvin
