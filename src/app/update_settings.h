// The settings the table update after cutting reads, taken from the settings model.
#pragma once

#include "results/update_after_cutting.h"

namespace tralvin {

class SettingsModel;

// The settings as the Settings page holds them now; `bestDimensionMode` is the
// stock table's current mode.
UpdateSettings UpdateSettingsOf(const SettingsModel& settings, bool bestDimensionMode);

}  // namespace tralvin
