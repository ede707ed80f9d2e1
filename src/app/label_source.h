// The label data of the stock or piece table: the grid read and validated as
// for a job, then one data row per unit of quantity (pieces: the maximum
// quantity), and the label scheme remembered for each table.
#pragma once

#include <optional>
#include <string>

#include "labels/label_data.h"
#include "tables/string_grid.h"
#include "tables/table_grids.h"

namespace tralvin {

class CaptionTable;
class SettingsModel;

enum class LabelTable { Stocks, Pieces };

struct LabelSource {
  std::optional<GridFailure> failure;  // the grid's failure; then no data
  StringGrid data;                     // row 0 the headings
};

// Reads `grid` (the stock grid in best-dimension mode when `bestDimensionMode`)
// and builds the label data with the project title of `settings`.
LabelSource ReadLabelSource(LabelTable table, StringGrid& grid, bool bestDimensionMode,
                            const SettingsModel& settings, const CaptionTable& captions,
                            const DateTimeTexts& now = CurrentDateTimeTexts);

// The remembered scheme item (0 .. 8) of a table.
int& RememberedLabelScheme(SettingsModel& settings, LabelTable table);

// The option file that holds the label schemes: StartFolder + "/default.opt".
std::string LabelSchemeFile(const SettingsModel& settings);

}  // namespace tralvin
