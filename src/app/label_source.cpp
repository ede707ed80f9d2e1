// The label data of the stock or piece table.
#include "app/label_source.h"

#include "app/grid_reader.h"
#include "app/settings.h"
#include "base/pubfunc.h"
#include "optimizer/panels.h"

namespace tralvin {

LabelSource ReadLabelSource(LabelTable table, StringGrid& grid, bool bestDimensionMode,
                            const SettingsModel& settings, const CaptionTable& captions,
                            const DateTimeTexts& now) {
  const TPubFunc pubFunc;
  TPanels records, required;
  LabelSource source;
  source.failure = table == LabelTable::Stocks
                       ? ReadSheetsGrid(grid, bestDimensionMode, pubFunc, captions, records)
                       : ReadPartsGrid(grid, pubFunc, captions, records, required);
  if (source.failure) return source;
  source.data = LabelDataRows(records, LabelFieldHeadings(captions), settings.EditPrintTitle, now);
  return source;
}

int& RememberedLabelScheme(SettingsModel& settings, LabelTable table) {
  return table == LabelTable::Stocks ? settings.SheetsLabelPrintIndex
                                     : settings.PartsLabelPrintIndex;
}

std::string LabelSchemeFile(const SettingsModel& settings) {
  return settings.StartFolder() + "/default.opt";
}

}  // namespace tralvin
