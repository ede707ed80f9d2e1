// Label schemes: nine label designs stored in the option file, scheme n in the
// section "LABEL_SCHEME_" + n, one key per control of the label window.
#pragma once

#include <string>

#include "labels/label_design.h"

namespace tralvin {

// "LABEL_SCHEME_" + n.
std::string LabelSchemeSection(int nIndex);

// Sets the design from scheme nIndex (1 to 9) of the file; a missing key gives
// its default. False (and nothing changed) for another number.
bool LoadLabelScheme(const std::string& sFileName, int nIndex, LabelDesign& design);

// Writes the design as scheme nIndex (1 to 9) into the file, keys in the
// window's order, in one write; other sections stay as they are. False for
// another number. Throws IniWriteError when the file cannot be written.
bool SaveLabelScheme(const std::string& sFileName, int nIndex, const LabelDesign& design);

}  // namespace tralvin
