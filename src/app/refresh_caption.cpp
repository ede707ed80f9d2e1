// Caption file reading and the refresh of the grid titles.
#include "app/refresh_caption.h"

#include "tables/table_grids.h"
#include "texts/caption_file.h"

namespace tralvin {

void RefreshCaption(StartupState& state) {
  ApplySheetsTitles(state.sheets, state.captions, state.bestDimensionMode,
                    state.settings.EditMeasure);
  ApplyPartsTitles(state.parts, state.captions);
}

void ReadCaptionFile(StartupState& state, const std::string& fileName) {
  LoadCaptionFile(state.captions, fileName);
  RefreshCaption(state);
}

}  // namespace tralvin
