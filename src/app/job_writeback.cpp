// Taking a finished job's filled-in cells and read settings into the window's state.
#include "app/job_writeback.h"

#include <algorithm>

namespace tralvin {

void KeepFilledCells(StringGrid& live, const StringGrid& before, const StringGrid& after) {
  const int rows = std::min({live.RowCount(), before.RowCount(), after.RowCount()});
  const int cols = std::min({live.ColCount(), before.ColCount(), after.ColCount()});
  for (int row = 0; row < rows; ++row) {
    for (int col = 0; col < cols; ++col) {
      const std::string& was = before.Cell(col, row);
      const std::string& now = after.Cell(col, row);
      if (was != now && live.Cell(col, row) == was) live.SetCell(col, row, now);
    }
  }
}

void KeepReaderSettings(SettingsModel& live, const SettingsModel& before,
                        const SettingsModel& after) {
  JobParameters& to = live.params;
  const JobParameters& from = after.params;
  to.Guillotine = from.Guillotine;
  to.CostOptimize = from.CostOptimize;
  to.Decimals = from.Decimals;
  to.MinOffcutSize = from.MinOffcutSize;
  to.BladeWidth = from.BladeWidth;
  to.BladeWidthText = from.BladeWidthText;
  to.LengthEdge = from.LengthEdge;
  to.WidthEdge = from.WidthEdge;
  to.Colors = from.Colors;
  to.Measure = from.Measure;
  if (live.EditMinOffcutLength1 == before.EditMinOffcutLength1) to.ScrapLen1 = from.ScrapLen1;
  if (live.EditMinOffcutLength2 == before.EditMinOffcutLength2) to.ScrapLen2 = from.ScrapLen2;
  if (live.ComboBoxBothOrEither == before.ComboBoxBothOrEither)
    to.OffcutLenRotatable = from.OffcutLenRotatable;
  if (live.EditPrinterFontSize == before.EditPrinterFontSize &&
      live.EditPrinterFontName == before.EditPrinterFontName) {
    live.EditPrinterFontSize = after.EditPrinterFontSize;
    to.PrinterFontSize = from.PrinterFontSize;
    to.PrinterFontName = from.PrinterFontName;
  }
}

}  // namespace tralvin
