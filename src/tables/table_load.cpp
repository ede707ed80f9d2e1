// Load and Append of the table tabs as whole steps.
#include "tables/table_load.h"

namespace tralvin {

SheetsLoadOutcome LoadSheetsTable(StringGrid& sheets, const std::string& sFileName,
                                  const CaptionTable& captions, std::string_view measure,
                                  const TPubFunc& pubFunc) {
  SheetsLoadOutcome outcome;
  outcome.read = ReadSheetsFile(sheets, sFileName);
  outcome.view = SwitchBestDimension(sheets, outcome.read.bestDimensionMode, captions, measure);
  outcome.totals = TotalOfSheets(sheets, captions, pubFunc);
  return outcome;
}

PartsLoadOutcome LoadPartsTable(StringGrid& parts, const std::string& sFileName,
                                const CaptionTable& captions, const TPubFunc& pubFunc) {
  PartsLoadOutcome outcome;
  outcome.read = ReadPartsFile(parts, sFileName);
  outcome.totals = TotalOfParts(parts, captions, pubFunc);
  return outcome;
}

SheetsAppendOutcome AppendSheetsTable(StringGrid& sheets, const std::string& sFileName,
                                      const CaptionTable& captions, const TPubFunc& pubFunc) {
  SheetsAppendOutcome outcome;
  outcome.append = AppendSheetsFile(sheets, sFileName);
  if (outcome.append.ok) outcome.totals = TotalOfSheets(sheets, captions, pubFunc);
  return outcome;
}

PartsAppendOutcome AppendPartsTable(StringGrid& parts, const std::string& sFileName,
                                    const CaptionTable& captions, const TPubFunc& pubFunc) {
  PartsAppendOutcome outcome;
  outcome.append = AppendPartsFile(parts, sFileName);
  if (outcome.append.ok) outcome.totals = TotalOfParts(parts, captions, pubFunc);
  return outcome;
}

}  // namespace tralvin
