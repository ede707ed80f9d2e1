// Reading a caption file into the program's state and copying the texts to
// the places of the core that repeat them (the column titles of both grids).
// The report takes its heading words from the caption table whenever it is
// built, so it follows without a copy.
#pragma once

#include <string>

#include "app/startup.h"

namespace tralvin {

// The column titles of both grids from the current captions; column 3 and 4
// of the stock grid as the best-dimension mode sets them.
void RefreshCaption(StartupState& state);

// Every item of the key list from the file (missing keys keep their texts),
// then RefreshCaption. A file that does not exist changes nothing.
void ReadCaptionFile(StartupState& state, const std::string& fileName);

}  // namespace tralvin
