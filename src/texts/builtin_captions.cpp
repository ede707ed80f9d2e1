// The built-in caption data: the key list of the caption editor in its fixed
// order, and the built-in caption and hint of every entry. Control entries
// carry the texts their control shows before any caption file is applied.
#include "texts/builtin_captions.h"

#include <utility>

namespace tralvin {
namespace {

struct Row {
  bool heading = false;
  CaptionEntry entry;
};

Row Heading(std::string text) {
  Row row;
  row.heading = true;
  row.entry.key = std::move(text);
  return row;
}

Row Make(std::string key, CaptionKind kind, std::string control, std::string caption,
         std::string hint, bool listed = true) {
  Row row;
  row.entry.key = std::move(key);
  row.entry.kind = kind;
  row.entry.control = std::move(control);
  row.entry.caption = std::move(caption);
  row.entry.hint = std::move(hint);
  row.entry.listed = listed;
  return row;
}

Row Text(std::string key, std::string text) {
  return Make(std::move(key), CaptionKind::Text, "", std::move(text), "");
}
// A text that the program composes but that the caption editor does not offer.
Row Unlisted(std::string key, std::string text) {
  return Make(std::move(key), CaptionKind::Text, "", std::move(text), "", false);
}
Row Menu(std::string key, std::string control, std::string caption) {
  return Make(std::move(key), CaptionKind::MenuItem, std::move(control), std::move(caption), "");
}
Row Tab(std::string key, std::string control, std::string caption) {
  return Make(std::move(key), CaptionKind::TabPage, std::move(control), std::move(caption), "");
}
Row Tool(std::string key, std::string control, std::string hint) {
  return Make(std::move(key), CaptionKind::ToolButton, std::move(control), "", std::move(hint));
}
Row Button(std::string key, std::string control, std::string caption, std::string hint = "") {
  return Make(std::move(key), CaptionKind::Button, std::move(control), std::move(caption),
              std::move(hint));
}
Row Label(std::string key, std::string control, std::string caption, std::string hint = "") {
  return Make(std::move(key), CaptionKind::Label, std::move(control), std::move(caption),
              std::move(hint));
}
Row Check(std::string key, std::string control, std::string caption, std::string hint = "") {
  return Make(std::move(key), CaptionKind::CheckBox, std::move(control), std::move(caption),
              std::move(hint));
}
Row Group(std::string key, std::string control, std::string caption, std::string hint = "") {
  return Make(std::move(key), CaptionKind::GroupBox, std::move(control), std::move(caption),
              std::move(hint));
}

const char kFieldInvalid[] = "the data of field is invalid";
const char kFieldEmpty[] = "the field can not be empty";
const char kNoSolution[] = "can not get solution, please check the data.";

std::vector<Row> BuildRows() {
  return {
      Heading("----------MENU------------------"),
      Menu("Menu File", "File1", "&File"),
      Menu("Menu Print Setup", "PrintSetup1", "P&rint Setup..."),
      Menu("Menu Support", "NeedHelp1", "&Support"),
      Menu("Menu Update", "Update1", "&Update"),
      Menu("Menu Exit", "FileExitItem", "E&xit"),
      Menu("Menu Edit", "Edit1", "&Edit"),
      Menu("Menu Cut", "CutItem", "Cu&t"),
      Menu("Menu Copy", "CopyItem", "&Copy"),
      Menu("Menu Paste", "PasteItem", "&Paste"),
      Menu("Menu Help", "Help1", "&Help"),
      Menu("Menu About", "HelpAboutItem", "&About..."),
      Menu("Menu Online", "Homepage1", "&Online"),
      Menu("Menu Question", "emailsupport1", "&Question"),
      Menu("Menu Contents", "Contents1", "&Contents"),

      Heading("----------TAB-------------------"),
      Tab("Tab Stocks", "TabSheetSheets", "Stocks"),
      Tab("Tab Pieces", "TabSheetParts", "Pieces"),
      Tab("Tab Configure", "TabSheetSetup", "Settings"),
      Tab("Tab Report", "TabSheetReport", "Report"),

      Heading("----------BUTTON----------------"),
      Tool("Start Optimize Button", "StartOptimize", "Start optimize job"),
      Tool("Cut Tool Button", "ToolButton4", "Cut"),
      Tool("Copy Tool Button", "ToolButton5", "Copy"),
      Tool("Paste Tool Button", "ToolButton6", "Paste"),
      Tool("Help Tool Button", "ToolButton2", "Help"),
      Button("Load File Button", "SheetsOpen", "Load",
             "Load a table file and replace all existing data"),
      Button("Save File Button", "SheetsSave", "Save", "Save data to a file"),
      Button("Save As Button", "SheetsSaveas", "Save As...",
             "Save data to a file with a different name"),
      Button("Delete Button", "SheetsDelete", "Delete This Record", "Remove this record from list"),
      Button("Delete All Button", "SheetsDeleteAll", "Delete All Records",
             "Remove all records from list"),
      Button("Print Font Setup Button", "ButtonFontSetup", "Font"),
      Button("Print Report Button", "ButtonPrintReport", "Print", "Print Summary Report"),
      Button("Update Stocks Button", "ButtonUpdateSheets", "Update Stocks"),
      Button("Material Type Setup Button", "ButtonTypeSetup", "Timber Type Setup",
             "Add, delete or modify material type"),
      Button("Append Data File Button", "ButtonAppendSheetsFromFile", "Append",
             "Load a table file and merge its data with the existing data"),
      Button("Update All Data Button", "ButtonUpdate", "Update All"),

      Heading("----------MATERIAL--------------"),
      Label("Total Length Caption", "LabelTotalArea_Sheets", "Total Length"),
      Label("Total Qty Caption", "LabelQty_Sheets", "Qty."),
      Label("Total Cost Caption", "LabelCost_Sheets", "Cost"),
      Text("Part Label Caption", "name"),
      Text("Part Length Caption", "length"),
      Text("Part Qty Caption", "quantity"),
      Label("Stock Label Caption", "LabelLayoutLabel", "Name"),
      Label("Stock Length Caption", "LabelLayoutLength", "Length"),
      Label("Stock Qty Caption", "LabelLayoutQty", "Quantity"),
      Label("Stock Cost Caption", "LabelLayoutCost", "Price"),
      Text("Stock Priority", "priority"),
      Label("Print Font Name Caption", "LabelPrinterFontName", "Name"),
      Text("Confirm Data Caption", "confirm"),
      Text("Cancel Data Caption", "cancel"),
      Text("Add Material Type Caption", "add"),
      Text("Delete Material Type Caption", "delete"),
      Text("Modify Material Type Caption", "modify"),
      Text("Remove All Material Type Caption", "remove all"),
      Text("Save Material Type Caption", "save"),
      Text("sButtonDeleteEmpty", "delete empty lines"),
      Text("Left Caption", "scraps"),
      Tab("Layout Caption", "TabSheetLayout", "Layouts"),

      Heading("----------GLOSSARY--------------"),
      Text("Comment Caption", "note"),
      Label("Waste Length Caption", "LabelLayoutWaste", "Left"),
      Label("Stock Utilization Caption", "LabelLayoutUtilization", "Utilization"),
      Text("Usable Length Caption", "recyclable X dimension"),
      Text("TRUE Caption", "yes"),
      Text("FALSE Caption", "no"),
      Text("Stock USED Caption", "used"),
      Text("Stock REST Caption", "surplus"),
      Text("Total Cost", "total price"),
      Text("Max Pieces Qty", "maximum quantity"),
      Text("Used Pieces Qty", "used quantity"),

      Heading("----------CONFIGURE-------------"),
      Check("Cost Optimize Caption", "CheckBoxCostOptimize", "Cost Optimize",
            "Find the Minimum Cost solution"),
      Check("Order Optimize Caption", "CheckBoxOrderOptimize", "Order Optimize"),
      Label("Measure Caption", "LabelSetupMeasure", "Measure", "mm, cm, dm, m,  inch, foot, etc"),
      Label("Printer Font Size Caption", "LabelSetupPrinterFont", "Size", ">=8"),
      Label("Blade Width Caption", "LabelSetupBladeWidth", "Blade Width", "Part to part gap"),
      Group("Scrap Criteria Caption", "GroupBoxScrap", "Min. Length of reusable offcuts"),
      Label("Scrap Min. Length Caption", "LabelSetupMinScrap1", "Min. Length"),
      Group("Material Type Caption", "GroupBoxMaterialType", "Stocks Type"),
      Group("Printer Font Setup Caption", "GroupBoxSettingsPrinter", "Printer"),
      Label("Print Title Caption", "LabelPrintTitle", "Print on title",
            "Print project name on title"),
      Text("Import Caption", "import"),
      Text("Export Caption", "export"),
      Text("Ignore Caption", "======"),
      Text("Offcuts Prefix Caption", "scraps prefix"),
      Text("Fastest to Max Utilization Speed Bar Caption", " << faster  |  save more >> "),
      Check("Scale Size Caption", "CheckBoxAutoPrinterSetupFont", "Scale Size"),
      Text("CAP_FIND_BEST_DIMENSION", "find best dimension"),
      Check("Finding Best Dimension", "CheckBoxBestDimension", "Best Dimension"),
      Check("Report all raw material", "chkReportAllPanels", "Stocks List"),
      Check("Bundle Optimize", "chkBundleOptimize", "Bundle Optimize"),

      Heading("----------MESSAGE---------------"),
      Text("MSG_STOCK_LABEL_CANT_BE_EMPTY", kFieldEmpty),
      Text("MSG_STOCK_LENGTH_FORMAT_INVALID", kFieldInvalid),
      Text("MSG_STOCK_QTY_FORMAT_INVALID", kFieldInvalid),
      Text("MSG_STOCK_COST_FORMAT_INVALID", kFieldInvalid),
      Text("MSG_STOCK_PRIORITY_FORMAT_INVALID", kFieldInvalid),
      Text("MSG_PIECE_LABEL_CANT_BE_EMPTY", kFieldEmpty),
      Text("MSG_PIECE_LENGTH_FORMAT_INVALID", kFieldInvalid),
      Text("MSG_PIECE_QTY_FORMAT_INVALID", kFieldInvalid),
      Text("MSG_OPEN_FILE_TITLE", "open a file"),
      Text("MSG_SAVE_FILE_TITLE", "save to file"),
      Text("MSG_SAVE_AS_FILE_TITLE", "save as"),
      Text("MSG_STOCK_DATA_IS_EMPTY", "raw stock list is empty"),
      Text("MSG_PIECE_DATA_IS_EMPTY", "pieces list is empty"),
      Text("MSG_MIN_SCRAP_LENGTH_FORMAT_INVALID", kFieldInvalid),
      Text("MSG_CANT_READ_IMPORT_TXT_FILE", "Can not read file"),
      Text("MSG_LABEL_ISNT_UNIQUE", "Name is not unique"),
      Text("MSG_CANT_GET_RESULT", kNoSolution),
      Text("MSG_TOTAL_PIECE_LENGTH_LARGER_THAN_STOCK_LENGTH", kNoSolution),
      Text("MSG_CANT_OPEN_FILE", "File is not exist or file is being used"),
      Text("MSG_NEED_INSTALL_EXCEL", "EXCEL is not installed"),
      Text("MSG_NEED_EXCEL", "need EXCEL"),
      Text("MSG_ONE_STOCK_PER_TYPE_IN_FIND_DIMENSION",
           ". only allow one record per material type."),

      Heading("----------PRINT LABEL---------------"),
      Text("MSG_INVALID_DATA", "invalid data"),
      Text("sPrintLabelInch", "inch"),
      Text("sPrintLabelMm", "mm"),
      Text("sPrintLabel", "print label"),
      Text("sPrintLabelColumnQty", "column"),
      Text("sPrintLabelRowQty", "row"),
      Text("sPrintLabelHoriGap", "interval"),
      Text("sPrintLabelVertGap", "interval"),
      Text("sPrintLabelWidthMarge", "margin"),
      Text("sPrintLabelLengthMarge", "margin"),
      Text("sPrintLabelEnableTitle", "enable"),
      Text("sPrintLabelTopTitleWidth", "dimension"),
      Text("sPrintLabelLeftTitleLength", "dimension"),
      Text("sPrintLabelRow", "row"),
      Text("sPrintLabelCol", "column"),
      Text("sPrintLabelPrintSetup", "printer setup"),
      Text("sPrintLabelPrintAll", "print all"),
      Text("sPrintLabelPrintSelected", "print selected"),
      Text("sPrintLabelFrom", "print from"),
      Text("sPrintLabelFromRow", "row"),
      Text("sPrintLabelFromCol", "column"),
      Text("sLabelScheme", "label scheme"),
      Text("sPrintLabelPreview", "preview"),
      Text("Date Caption", "date"),
      Text("Time Caption", "time"),
      Text("Distinct Label Caption", "distinct"),
      Text("Max Length Caption", "maximum length"),

      // Recognised keys without an item in the key list: the caption editor and
      // caption files never reach them, so they keep these texts.
      Unlisted("MSG_SAME_FIELD_ERROR", "same field error"),
      Unlisted("Include Column Titles Caption", "include column titles"),
      Unlisted("MSG_LAYOUT_IS_EMPTY",
               "Layout list is empty, please click optimize button in Toolsbar"),
      Unlisted("MSG_BLADE_WIDTH_FORMAT_INVALID", "blade width is invalid."),
      Unlisted("MSG_MIN_OFFCUT_SIZE_WIDTH_FORMAT_INVALID", kFieldInvalid),
      Unlisted("MSG_WIDTH_EDGE_FORMAT_INVALID", kFieldInvalid),
      Unlisted("MSG_LENGTH_EDGE_FORMAT_INVALID", kFieldInvalid),
      Unlisted("MSG_MIN_SCRAP_WIDTH_FORMAT_INVALID", kFieldInvalid),
      Unlisted("MSG_SHEET_WIDTH_FORMAT_INVALID", kFieldInvalid),
      Unlisted("MSG_PART_WIDTH_FORMAT_INVALID", kFieldInvalid),
  };
}

BuiltInCaptionData Build() {
  BuiltInCaptionData data;
  for (Row& row : BuildRows()) {
    if (row.heading) {
      data.key_list.push_back(row.entry.key);
      continue;
    }
    if (row.entry.listed) data.key_list.push_back(row.entry.key);
    data.entries.push_back(std::move(row.entry));
  }
  return data;
}

}  // namespace

const BuiltInCaptionData& GetBuiltInCaptionData() {
  static const BuiltInCaptionData data = Build();
  return data;
}

}  // namespace tralvin
