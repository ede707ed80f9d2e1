// The settings the table update after cutting reads, taken from the settings model.
#include "app/update_settings.h"

#include <algorithm>

#include "app/settings.h"
#include "base/pubfunc.h"

namespace tralvin {

UpdateSettings UpdateSettingsOf(const SettingsModel& settings, bool bestDimensionMode) {
  return {settings.EditMinOffcutLength1, settings.LabeledEditOffcutsPrefix, bestDimensionMode};
}

int32_t MinOffcutLengthOf(const SettingsModel& settings) {
  try {
    return std::max(0, TPubFunc().ExtStrToInt(settings.EditMinOffcutLength1));
  } catch (const ConversionError&) {
    return 0;
  }
}

}  // namespace tralvin
