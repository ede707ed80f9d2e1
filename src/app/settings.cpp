// The settings reader of a job and the handlers that update a job parameter
// as soon as its control changes.
#include "app/settings.h"

#include <algorithm>

#include "base/pubfunc.h"
#include "texts/caption_table.h"
#include "texts/message_text.h"

namespace tralvin {

namespace {

struct LengthEdit {
  SettingsField field;
  std::string SettingsModel::*text;
  int32_t JobParameters::*value;
  const char* key;
  const char* builtIn;
};

// The length-like edits the settings reader converts, in this order.
const LengthEdit kLengthEdits[] = {
    {SettingsField::EditMinOffcutSize, &SettingsModel::EditMinOffcutSize,
     &JobParameters::MinOffcutSize, "MSG_MIN_OFFCUT_SIZE_WIDTH_FORMAT_INVALID", kFieldInvalidText},
    {SettingsField::EditBladeWidth, &SettingsModel::EditBladeWidth, &JobParameters::BladeWidth,
     "MSG_BLADE_WIDTH_FORMAT_INVALID", "blade width is invalid."},
    {SettingsField::EditHeightEdige, &SettingsModel::EditHeightEdige, &JobParameters::LengthEdge,
     "MSG_WIDTH_EDGE_FORMAT_INVALID", kFieldInvalidText},
    {SettingsField::EditWidthEdge, &SettingsModel::EditWidthEdge, &JobParameters::WidthEdge,
     "MSG_LENGTH_EDGE_FORMAT_INVALID", kFieldInvalidText},
    {SettingsField::EditMinOffcutLength1, &SettingsModel::EditMinOffcutLength1,
     &JobParameters::ScrapLen1, "MSG_MIN_SCRAP_LENGTH_FORMAT_INVALID", kFieldInvalidText},
    {SettingsField::EditMinOffcutLength2, &SettingsModel::EditMinOffcutLength2,
     &JobParameters::ScrapLen2, "MSG_MIN_SCRAP_WIDTH_FORMAT_INVALID", kFieldInvalidText},
};

// Converts a non-negative scaled value; on failure `detail` holds the
// conversion error's text, or nothing for a negative value.
bool ConvertNonNegative(const TPubFunc& pubFunc, const std::string& text, int32_t& value,
                        std::string& detail) {
  try {
    value = pubFunc.ExtStrToInt(text);
  } catch (const ConversionError& e) {
    detail = e.what();
    return false;
  }
  detail.clear();
  return value >= 0;
}

SettingsMessage Failure(SettingsField field, const std::string& detail,
                        const std::string& message) {
  return {false, field, "[" + detail + "]" + message};
}

}  // namespace

const std::vector<std::string>& FolderKeys() {
  static const std::vector<std::string> keys = {
      "DIR_REPORT",
      "DIR_SHEETS",
      "DIR_PARTS",
      "DIR_OFFCUTS",
      "DIR_PROFILES",
      "DIR_PARTS_RACK",
      "DIR_IMPORT_DXFS",
      "DIR_IMPORT_SHEETS_TXT",
      "DIR_IMPORT_SHEETS_EXCEL",
      "DIR_IMPORT_PARTS_TXT",
      "DIR_IMPORT_PARTS_EXCEL",
      "DIR_EXPORT_SHEETS_TXT",
      "DIR_EXPORT_SHEETS_EXCEL",
      "DIR_EXPORT_PARTS_TXT",
      "DIR_EXPORT_PARTS_EXCEL",
      "DIR_EXPORT_OFFCUTS_TXT",
      "DIR_EXPORT_OFFCUTS_EXCEL",
      "DIR_EXPORT_PARTS_RACK_TXT",
      "DIR_EXPORT_PARTS_RACK_EXCEL",
      "DIR_EXPORT_HTML",
      "DIR_EXPORT_DXF",
      "DIR_EXPORT_CNC",
  };
  return keys;
}

SettingsModel::SettingsModel(std::string startFolder) : startFolder_(std::move(startFolder)) {
  for (const std::string& key : FolderKeys()) Folders[key] = startFolder_;
}

const std::string& SettingsModel::Folder(const std::string& key) const {
  auto it = Folders.find(key);
  return it == Folders.end() ? startFolder_ : it->second;
}

SettingsMessage SettingsModel::ReadOption(TPubFunc& pubFunc, const CaptionTable& captions) {
  params.Guillotine = RadioGroupCutMode != 0;
  params.FastOptimize = CheckBoxFastSpeed;
  params.CostOptimize = CheckBoxCostOptimize;

  params.Decimals = 3;
  pubFunc.setDecimal(3);

  for (const LengthEdit& edit : kLengthEdits) {
    int32_t value = 0;
    std::string detail;
    if (!ConvertNonNegative(pubFunc, FractionText(this->*edit.text), value, detail))
      return Failure(edit.field, detail, MessageText(captions, edit.key, edit.builtIn));
    params.*edit.value = value;
  }
  params.BladeWidthText = EditBladeWidth;

  params.OffcutLenRotatable = ComboBoxBothOrEither != 1;
  params.Colors = ColorBoxes;
  params.Measure = EditMeasure;
  ReadPrinterFontSize();
  return {};
}

void SettingsModel::ReadPrinterFontSize() {
  int32_t size = 0;
  if (!TryStrToInt(EditPrinterFontSize, size) || size < 8) {
    size = 8;
    EditPrinterFontSize = "8";
  }
  params.PrinterFontSize = size;
  params.PrinterFontName = EditPrinterFontName;
}

SettingsMessage SettingsModel::OnChangeMinLength(std::string text, const TPubFunc& pubFunc,
                                                 const CaptionTable& captions) {
  EditMinOffcutLength1 = std::move(text);
  int32_t value = 0;
  std::string detail;
  if (!ConvertNonNegative(pubFunc, EditMinOffcutLength1, value, detail))
    return Failure(SettingsField::EditMinOffcutLength1, detail,
                   MessageText(captions, "MSG_MIN_SCRAP_LENGTH_FORMAT_INVALID", kFieldInvalidText));
  params.ScrapLen1 = value;
  return {};
}

SettingsMessage SettingsModel::OnChangeMinWidth(std::string text, const TPubFunc& pubFunc,
                                                const CaptionTable& captions) {
  EditMinOffcutLength2 = std::move(text);
  int32_t value = 0;
  std::string detail;
  if (!ConvertNonNegative(pubFunc, EditMinOffcutLength2, value, detail))
    return Failure(SettingsField::EditMinOffcutLength2, detail,
                   MessageText(captions, "MSG_MIN_SCRAP_WIDTH_FORMAT_INVALID", kFieldInvalidText));
  params.ScrapLen2 = value;
  return {};
}

void SettingsModel::OnChangeOffcutsrotatable(int itemIndex) {
  ComboBoxBothOrEither = itemIndex;
  params.OffcutLenRotatable = itemIndex != 1;
}

void SettingsModel::RadioGroupCutModeClick(int itemIndex) {
  RadioGroupCutMode = itemIndex;
  if (itemIndex == 0) params.Guillotine = false;
  if (itemIndex == 1) params.Guillotine = true;
}

void SettingsModel::chkBundleOptimizeClick(bool checked) {
  chkBundleOptimize = checked;
  params.BundleOptimize = checked;
}

void SettingsModel::CheckBoxOrderOptimizeClick(bool checked) {
  CheckBoxOrderOptimize = checked;
  params.OrderOptimize = checked;
}

void SettingsModel::OnChangeOptimizeSpeedTrackbar(int position) {
  TrackBarSpeed = std::clamp(position, kSpeedMin, kSpeedMax);
  params.Speed = TrackBarSpeed;
}

void SettingsModel::OnChangeOptimizeMethod(int itemIndex) {
  ComboBoxOptimizeMethod =
      itemIndex == kOptimizeMethodNearOptimal ? itemIndex : kOptimizeMethodStandard;
  params.OptimizeMethod = ComboBoxOptimizeMethod;
}

void SettingsModel::chkReportAllPanelsClick(bool checked) {
  chkReportAllPanels = checked;
  params.ReportRawPanels = checked;
}

void SettingsModel::CheckBoxAutoPrinterSetupFontClick() {
  CheckBoxAutoPrinterSetupFont = false;
  FontButtonsEnabled = true;
  ZoomScrollBarEnabled = false;
  params.AutoPrinterFontScaling = false;
}

void SettingsModel::ScrollBarAutoPrinterSetupSizeChange(int position) {
  ScrollBarAutoPrinterSetupSize = std::clamp(position, kZoomMin, kZoomMax);
  params.AutoPrinterFontZoom = ScrollBarAutoPrinterSetupSize;
}

}  // namespace tralvin
