// Tests of the caption table: the key list, built-in texts, lookup rules and
// the independence of entries that share a text.
#include "texts/caption_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace tralvin {
namespace {

TEST(CaptionKeyList, HasEightHeadingsAndOneHundredThirtySixUniqueKeys) {
  const auto& items = CaptionTable::KeyList();
  ASSERT_EQ(items.size(), 144u);
  int headings = 0;
  std::set<std::string> seen;
  for (const std::string& item : items) {
    EXPECT_TRUE(seen.insert(item).second) << "duplicate item " << item;
    if (CaptionTable::IsGroupHeading(item)) {
      ++headings;
      EXPECT_EQ(BuiltInCaptions().Find(item), nullptr) << item;
    } else {
      const CaptionEntry* entry = BuiltInCaptions().Find(item);
      ASSERT_NE(entry, nullptr) << item;
      EXPECT_TRUE(entry->listed) << item;
    }
  }
  EXPECT_EQ(headings, 8);
}

TEST(CaptionKeyList, KeepsItsOrder) {
  const auto& items = CaptionTable::KeyList();
  EXPECT_EQ(items.front(), "----------MENU------------------");
  EXPECT_EQ(items[1], "Menu File");
  EXPECT_EQ(items[15], "----------TAB-------------------");
  EXPECT_EQ(items[19], "Tab Report");
  EXPECT_EQ(items[20], "----------BUTTON----------------");
  EXPECT_EQ(items[21], "Start Optimize Button");
  EXPECT_EQ(items[116], "----------PRINT LABEL---------------");
  EXPECT_EQ(items[117], "MSG_INVALID_DATA");
  EXPECT_EQ(items[93], "----------MESSAGE---------------");
  EXPECT_EQ(items[94], "MSG_STOCK_LABEL_CANT_BE_EMPTY");
  EXPECT_EQ(items.back(), "Max Length Caption");
}

TEST(CaptionEntries, KeysAndControlsAreUniqueAndKindsConsistent) {
  std::set<std::string> keys;
  std::set<std::string> controls;
  int listed = 0;
  for (const CaptionEntry& entry : BuiltInCaptions().Entries()) {
    EXPECT_TRUE(keys.insert(entry.key).second) << "duplicate key " << entry.key;
    EXPECT_FALSE(CaptionTable::IsGroupHeading(entry.key)) << entry.key;
    if (entry.listed) ++listed;
    if (entry.kind == CaptionKind::Text) {
      EXPECT_TRUE(entry.control.empty()) << entry.key;
    } else {
      EXPECT_TRUE(controls.insert(entry.control).second) << "duplicate control " << entry.control;
    }
    if (entry.kind == CaptionKind::ToolButton) {
      EXPECT_TRUE(entry.caption.empty()) << entry.key;
      EXPECT_FALSE(entry.hint.empty()) << entry.key;
    } else {
      EXPECT_FALSE(entry.caption.empty()) << entry.key;
    }
    if (entry.kind == CaptionKind::Text || entry.kind == CaptionKind::MenuItem) {
      EXPECT_TRUE(entry.hint.empty()) << entry.key;
    }
  }
  EXPECT_EQ(listed, 136);
}

TEST(CaptionTable, BuiltInTexts) {
  const CaptionTable table;
  EXPECT_EQ(table.Text("MSG_STOCK_DATA_IS_EMPTY"), "raw stock list is empty");
  EXPECT_EQ(table.Text("Tab Report"), "Report");
  EXPECT_EQ(table.ControlCaption("TabSheetReport"), "Report");
  EXPECT_EQ(table.Text("Load File Button"), "Load");
  EXPECT_EQ(table.Hint("Load File Button"), "Load a table file and replace all existing data");
  EXPECT_EQ(table.ControlCaption("GroupBoxMaterialType"), "Stocks Type");
  EXPECT_EQ(table.Text("Fastest to Max Utilization Speed Bar Caption"),
            " << faster  |  save more >> ");
  // A tool button's text is its hint.
  EXPECT_EQ(table.Text("Start Optimize Button"), "Start optimize job");
  EXPECT_EQ(table.Find("Start Optimize Button")->kind, CaptionKind::ToolButton);
}

TEST(CaptionTable, UnlistedKeysAreFoundButNotInTheKeyList) {
  const CaptionTable table;
  const auto& items = CaptionTable::KeyList();
  for (const char* key : {"MSG_SAME_FIELD_ERROR", "Include Column Titles Caption",
                          "MSG_SHEET_WIDTH_FORMAT_INVALID", "MSG_LAYOUT_IS_EMPTY"}) {
    const CaptionEntry* entry = table.Find(key);
    ASSERT_NE(entry, nullptr) << key;
    EXPECT_FALSE(entry->listed) << key;
    EXPECT_EQ(std::count(items.begin(), items.end(), key), 0) << key;
  }
  EXPECT_EQ(table.Text("MSG_SAME_FIELD_ERROR"), "same field error");
  EXPECT_EQ(table.Text("Include Column Titles Caption"), "include column titles");
  EXPECT_EQ(table.Text("MSG_PART_WIDTH_FORMAT_INVALID"), "the data of field is invalid");
  EXPECT_EQ(table.Text("MSG_BLADE_WIDTH_FORMAT_INVALID"), "blade width is invalid.");
}

TEST(CaptionTable, LookupIsExactAndCaseSensitive) {
  CaptionTable table;
  EXPECT_EQ(table.Find("tab report"), nullptr);
  EXPECT_EQ(table.Find("Tab Report "), nullptr);
  EXPECT_EQ(table.Find(""), nullptr);
  EXPECT_EQ(table.Text("TAB REPORT"), "");
  EXPECT_EQ(table.ControlCaption("tabsheetreport"), "");
  EXPECT_EQ(table.ControlCaption(""), "");
  EXPECT_FALSE(table.SetText("tab report", "x"));
  EXPECT_EQ(table.Text("Tab Report"), "Report");
}

TEST(CaptionTable, GroupHeadingMatchesNothing) {
  CaptionTable table;
  const std::string heading = CaptionTable::KeyList().front();
  EXPECT_TRUE(CaptionTable::IsGroupHeading(heading));
  EXPECT_EQ(table.Find(heading), nullptr);
  EXPECT_EQ(table.Text(heading), "");
  EXPECT_FALSE(table.SetText(heading, "x"));
  EXPECT_FALSE(table.SetHint(heading, "x"));
}

TEST(CaptionTable, SettingOneSharedTextLeavesTheOthers) {
  CaptionTable table;
  ASSERT_EQ(table.Text("MSG_STOCK_QTY_FORMAT_INVALID"), "the data of field is invalid");
  EXPECT_TRUE(table.SetText("MSG_STOCK_LENGTH_FORMAT_INVALID", "bad length"));
  EXPECT_EQ(table.Text("MSG_STOCK_LENGTH_FORMAT_INVALID"), "bad length");
  EXPECT_EQ(table.Text("MSG_STOCK_QTY_FORMAT_INVALID"), "the data of field is invalid");
  EXPECT_EQ(table.Text("MSG_PIECE_LENGTH_FORMAT_INVALID"), "the data of field is invalid");
  // The shared built-in table and fresh tables are unaffected.
  EXPECT_EQ(BuiltInCaptions().Text("MSG_STOCK_LENGTH_FORMAT_INVALID"),
            "the data of field is invalid");
  EXPECT_EQ(CaptionTable().Text("MSG_STOCK_LENGTH_FORMAT_INVALID"), "the data of field is invalid");
}

TEST(CaptionTable, SettersActByKind) {
  CaptionTable table;
  // Tool buttons: the text is the hint.
  EXPECT_TRUE(table.SetText("Help Tool Button", "Open help"));
  EXPECT_EQ(table.Hint("Help Tool Button"), "Open help");
  EXPECT_EQ(table.Find("Help Tool Button")->caption, "");
  // Controls: caption and hint change separately.
  EXPECT_TRUE(table.SetText("Tab Report", "Bericht"));
  EXPECT_TRUE(table.SetHint("Tab Report", "the plan"));
  EXPECT_EQ(table.ControlCaption("TabSheetReport"), "Bericht");
  EXPECT_EQ(table.Hint("Tab Report"), "the plan");
  EXPECT_TRUE(table.SetText("Load File Button", ""));
  EXPECT_EQ(table.Text("Load File Button"), "");
  EXPECT_EQ(table.Hint("Load File Button"), "Load a table file and replace all existing data");
  // Menu items and text entries have no hint.
  EXPECT_FALSE(table.SetHint("Menu File", "x"));
  EXPECT_FALSE(table.SetHint("TRUE Caption", "x"));
  EXPECT_EQ(table.Hint("Menu File"), "");
  EXPECT_EQ(table.Text("Menu File"), "&File");
  // Unlisted keys can still be set through the table.
  EXPECT_TRUE(table.SetText("MSG_SAME_FIELD_ERROR", "x"));
  EXPECT_EQ(table.Text("MSG_SAME_FIELD_ERROR"), "x");
}

}  // namespace
}  // namespace tralvin
