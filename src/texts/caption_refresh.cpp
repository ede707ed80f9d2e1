// The controls that repeat other texts, and the texts they take.
#include "texts/caption_refresh.h"

#include <array>
#include <utility>

namespace tralvin {

namespace {

struct Repeat {
  const char* control;
  const char* source;
};

// The Pieces page repeats the Stocks page, caption and hint.
constexpr std::array<Repeat, 9> kPiecesRepeatStocks = {{
    {"LabelFileName_Parts", "LabelFileName_Sheets"},
    {"LabelTotalArea_Parts", "LabelTotalArea_Sheets"},
    {"LabelQty_Parts", "LabelQty_Sheets"},
    {"PartsOpen", "SheetsOpen"},
    {"PartsSave", "SheetsSave"},
    {"PartsSaveas", "SheetsSaveas"},
    {"PartsDelete", "SheetsDelete"},
    {"PartsDeleteAll", "SheetsDeleteAll"},
    {"ButtonAppendPartsFromFile", "ButtonAppendSheetsFromFile"},
}};

struct TakesText {
  const char* control;
  const char* key;
};

// Controls whose caption is a text entry.
constexpr std::array<TakesText, 12> kCaptionFromText = {{
    {"ButtonImportSheets", "Import Caption"},
    {"ButtonImportParts", "Import Caption"},
    {"ButtonSheetsExportExcel", "Export Caption"},
    {"ButtonPartsExportExcel", "Export Caption"},
    {"ButtonExportReport", "Export Caption"},
    {"ButtonPrintSheetLabel", "sPrintLabel"},
    {"ButtonPrintPartLabel", "sPrintLabel"},
    {"ButtonSheetsDeleteEmpty", "sButtonDeleteEmpty"},
    {"ButtonPartsDeleteEmpty", "sButtonDeleteEmpty"},
    {"LabeledEditOffcutsPrefix", "Offcuts Prefix Caption"},
    {"LabelOptimizeSpeedTrackbar", "Fastest to Max Utilization Speed Bar Caption"},
    {"CheckBoxBestDimension", "CAP_FIND_BEST_DIMENSION"},
}};

const CaptionEntry* EntryOfControl(const CaptionTable& table, const std::string& control) {
  for (const CaptionEntry& entry : table.Entries()) {
    if (entry.control == control) return &entry;
  }
  return nullptr;
}

}  // namespace

std::vector<DerivedControlText> DerivedControlTexts(const CaptionTable& table) {
  std::vector<DerivedControlText> out;
  for (const Repeat& r : kPiecesRepeatStocks) {
    DerivedControlText d;
    d.control = r.control;
    if (const CaptionEntry* entry = EntryOfControl(table, r.source)) {
      d.caption = entry->caption;
      d.hint = entry->hint;
    } else {
      d.source = r.source;
    }
    out.push_back(std::move(d));
  }
  for (const TakesText& t : kCaptionFromText) {
    DerivedControlText d;
    d.control = t.control;
    d.caption = table.Text(t.key);
    out.push_back(std::move(d));
  }
  return out;
}

}  // namespace tralvin
