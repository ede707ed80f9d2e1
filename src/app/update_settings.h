// The settings the table update after cutting reads, taken from the settings model.
#pragma once

#include <cstdint>

#include "results/update_after_cutting.h"

namespace tralvin {

class SettingsModel;

// The settings as the Settings page holds them now; `bestDimensionMode` is the
// stock table's current mode.
UpdateSettings UpdateSettingsOf(const SettingsModel& settings, bool bestDimensionMode);

// The minimum length of a reusable offcut as the settings hold it; a text that is
// no length counts as none, so that every leftover above zero counts as reusable.
int32_t MinOffcutLengthOf(const SettingsModel& settings);

}  // namespace tralvin
