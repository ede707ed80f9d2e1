// What a finished job hands back to the window's own tables and settings: the
// cells its grid reading filled in and the parameters its settings reader
// derived. The window stays editable during a job, so only values the user has
// not changed since the job's snapshot are taken over.
#pragma once

#include "app/settings.h"
#include "tables/string_grid.h"

namespace tralvin {

// Every cell that differs between `before` (the snapshot) and `after` (the
// job's grid) is written into `live` when `live` still holds the snapshot's
// text there. Rows beyond `live` are ignored.
void KeepFilledCells(StringGrid& live, const StringGrid& before, const StringGrid& after);

// The settings reader's parameters of `after` go into `live`; a parameter whose
// edit the user changed during the job (`live` differs from `before`) keeps
// the value the immediate handler gave it. The printer font size field takes
// the reader's correction ("8") unless it was edited meanwhile.
void KeepReaderSettings(SettingsModel& live, const SettingsModel& before,
                        const SettingsModel& after);

}  // namespace tralvin
