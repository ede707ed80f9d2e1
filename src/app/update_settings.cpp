// The settings the table update after cutting reads, taken from the settings model.
#include "app/update_settings.h"

#include "app/settings.h"

namespace tralvin {

UpdateSettings UpdateSettingsOf(const SettingsModel& settings, bool bestDimensionMode) {
  return {settings.EditMinOffcutLength1, settings.LabeledEditOffcutsPrefix, bestDimensionMode};
}

}  // namespace tralvin
