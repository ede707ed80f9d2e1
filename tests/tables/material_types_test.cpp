// Material types: the types file, the job's type filter, the drop-down's order
// and registering typed types, and the setup window's operations.
#include "tables/material_types.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/ini_file.h"
#include "common/test_files.h"
#include "tables/material_types_dropdown.h"
#include "tables/material_types_setup.h"

namespace tralvin {
namespace {

using Strings = std::vector<std::string>;

class TypesFileTest : public ::testing::Test {
 protected:
  void Write(const std::string& text) { testing_files::WriteText(file, text); }

  testing_files::ScratchFolder scratch_{"tralvin_types"};
  std::filesystem::path dir_ = scratch_.Path();
  std::string file = scratch_.File("default.typ");
};

TEST_F(TypesFileTest, RoundTripKeepsOrderAndSelection) {
  MaterialTypeLists lists{{"Oak", "Pine", "Oak"}, {"Oak"}};
  WriteTypesFile(file, lists);
  TIniFile ini(file);
  EXPECT_EQ(ini.ReadString("HEAD", "NUMBER", ""), "3");
  EXPECT_EQ(ini.ReadString("TYPE0", "STRING", ""), "Oak");
  EXPECT_EQ(ini.ReadString("TYPE0", "CHECK", ""), "1");
  EXPECT_EQ(ini.ReadString("TYPE1", "CHECK", ""), "0");
  EXPECT_EQ(ini.ReadString("TYPE2", "CHECK", ""), "1");

  MaterialTypeLists back{{"old"}, {"old"}};
  ReadTypesFile(file, back);
  EXPECT_EQ(back.MaterialTypes, (Strings{"Oak", "Pine", "Oak"}));
  EXPECT_EQ(back.SelectedTypes, (Strings{"Oak", "Oak"}));
}

TEST_F(TypesFileTest, MissingKeysAndFile) {
  Write("[HEAD]\nNUMBER=3\n[TYPE0]\nSTRING=Ash\n[TYPE1]\nCHECK=0\n");
  MaterialTypeLists lists;
  ReadTypesFile(file, lists);
  EXPECT_EQ(lists.MaterialTypes, (Strings{"Ash", "NOSTR", "NOSTR"}));
  EXPECT_EQ(lists.SelectedTypes, (Strings{"Ash", "NOSTR"}));

  ReadTypesFile((dir_ / "missing.typ").string(), lists);
  EXPECT_TRUE(lists.MaterialTypes.empty());
  EXPECT_TRUE(lists.SelectedTypes.empty());
}

TEST_F(TypesFileTest, AnAbsurdCountIsCapped) {
  Write("[HEAD]\nNUMBER=2000000000\n[TYPE0]\nSTRING=Ash\n");
  MaterialTypeLists lists;
  ReadTypesFile(file, lists);
  ASSERT_EQ(lists.MaterialTypes.size(), static_cast<size_t>(kMaxTypesInFile));
  EXPECT_EQ(lists.MaterialTypes[0], "Ash");
}

TEST_F(TypesFileTest, SavingErasesEverySectionFirst) {
  Write("[HEAD]\nNUMBER=3\nEXTRA=1\n[TYPE0]\nSTRING=a\n[TYPE2]\nSTRING=c\n[NOTES]\nX=1\n");
  WriteTypesFile(file, {{"Birch"}, {}});
  TIniFile ini(file);
  EXPECT_EQ(ini.ReadSections(), (Strings{"HEAD", "TYPE0"}));
  EXPECT_EQ(ini.ReadString("HEAD", "EXTRA", "none"), "none");
  EXPECT_EQ(ini.ReadString("TYPE0", "STRING", ""), "Birch");
}

TEST(MaterialTypes, FilterOfTheJob) {
  const MaterialTypeLists lists{{"Oak", "Pine"}, {"Oak"}};
  EXPECT_TRUE(TypeTakesPart(lists, "Oak"));
  EXPECT_FALSE(TypeTakesPart(lists, "Pine"));
  EXPECT_TRUE(TypeTakesPart(lists, "Birch"));
  EXPECT_TRUE(TypeTakesPart(lists, "oak"));  // never registered
  EXPECT_TRUE(TypeTakesPart({}, "Pine"));
}

TEST(TypeDropDown, ItemsAreSortedWithoutRegardToCase) {
  TypeDropDown d;
  PutTypeIntoList(d, {"Pine", "oak", "Ash", "ash", "Éclat", "Zebra"});
  EXPECT_EQ(d.Items(), (Strings{"Ash", "ash", "oak", "Pine", "Zebra", "Éclat"}));
  EXPECT_EQ(d.ItemIndex(), 0);
  EXPECT_EQ(d.Text(), "Ash");
  PutTypeIntoList(d, {});
  EXPECT_EQ(d.ItemIndex(), -1);
}

TEST(TypeDropDown, LeavingRegistersANewTrimmedTypeOnce) {
  TypeDropDown d;
  PutTypeIntoList(d, {"Oak", "Pine"});
  MaterialTypeLists lists{{"Oak", "Pine"}, {"Oak"}};

  BeginTypeEdit(d, "  oak ");
  EXPECT_EQ(d.ItemIndex(), -1);
  EXPECT_EQ(d.Text(), "oak");
  EXPECT_EQ(OnLostTypeFocus(d, lists), "oak");
  EXPECT_EQ(d.Items(), (Strings{"oak", "Oak", "Pine"}));
  EXPECT_EQ(lists.SelectedTypes, (Strings{"Oak", "oak"}));
  EXPECT_EQ(lists.MaterialTypes, (Strings{"Oak", "Pine"}));

  d.SetText("Pine ");
  EXPECT_EQ(OnLostTypeFocus(d, lists), "Pine");
  d.SetText("");
  OnLostTypeFocus(d, lists);
  d.SetText("   ");
  OnLostTypeFocus(d, lists);
  EXPECT_EQ(d.Items(), (Strings{"", "oak", "Oak", "Pine"}));
  EXPECT_EQ(lists.SelectedTypes, (Strings{"Oak", "oak", ""}));
}

TEST(TypeSetupWindow, OpeningShowsTheDropDownItemsChecked) {
  TypeDropDown d;
  PutTypeIntoList(d, {"Pine", "oak", "Ash"});
  d.Insert(0, "Teak");  // typed into a grid
  MaterialTypeLists lists{{"Pine", "oak", "Ash"}, {"Ash", "Teak"}};
  BeginTypeSetup(d, lists);
  EXPECT_EQ(lists.MaterialTypes, (Strings{"Teak", "Ash", "oak", "Pine"}));

  TypeSetupWindow w;
  w.EditTypeString = "left over";
  w.onenter(lists);
  EXPECT_EQ(w.EditTypeString, "");
  ASSERT_EQ(w.Entries().size(), 4u);
  EXPECT_TRUE(w.Entries()[0].checked);
  EXPECT_TRUE(w.Entries()[1].checked);
  EXPECT_FALSE(w.Entries()[2].checked);
  EXPECT_EQ(w.ItemIndex(), 0);
}

TEST(TypeSetupWindow, EditingOperations) {
  TypeSetupWindow w;
  w.onenter({});
  EXPECT_EQ(w.ItemIndex(), -1);
  w.EditTypeString = "Oak";
  w.ButtonModifyGlassTypeClick();  // nothing selected
  w.ButtonDeleteGlassTypeClick();
  EXPECT_TRUE(w.Entries().empty());

  w.ButtonAddGlassTypeClick();
  w.ButtonAddGlassTypeClick();  // duplicates are accepted
  w.EditTypeString = "";
  w.ButtonAddGlassTypeClick();  // empty names are refused
  ASSERT_EQ(w.EntryTexts(), (Strings{"Oak", "Oak"}));
  EXPECT_FALSE(w.Entries()[0].checked);

  w.SetItemIndex(1);
  w.ButtonModifyGlassTypeClick();  // empty field: refused
  w.EditTypeString = "Elm";
  w.ButtonModifyGlassTypeClick();
  EXPECT_EQ(w.EntryTexts(), (Strings{"Oak", "Elm"}));

  w.SetChecked(1, true);
  MaterialTypeLists lists;
  w.ButtonCloseTypeSetupClick(lists);
  EXPECT_EQ(lists.MaterialTypes, (Strings{"Oak", "Elm"}));
  EXPECT_EQ(lists.SelectedTypes, (Strings{"Elm"}));

  w.SetItemIndex(0);
  w.ButtonDeleteGlassTypeClick();
  EXPECT_EQ(w.EntryTexts(), (Strings{"Elm"}));
  EXPECT_EQ(w.ItemIndex(), -1);
  w.ButtonRemoveAllGlassTypeClick();
  EXPECT_TRUE(w.Entries().empty());
}

TEST_F(TypesFileTest, SaveWritesTheListInDisplayedOrder) {
  Write(
      "[HEAD]\nNUMBER=3\n[TYPE0]\nSTRING=Pine\n[TYPE1]\nSTRING=oak\nCHECK=0\n"
      "[TYPE2]\nSTRING=Ash\n");
  MaterialTypeLists lists;
  ReadTypesFile(file, lists);
  TypeDropDown d;
  PutTypeIntoList(d, lists.MaterialTypes);
  EXPECT_EQ(d.Items(), (Strings{"Ash", "oak", "Pine"}));

  BeginTypeSetup(d, lists);
  TypeSetupWindow w;
  w.onenter(lists);
  w.ButtonSaveTypeListClick(lists, file);
  PutTypeIntoList(d, w.EntryTexts());

  MaterialTypeLists back;
  ReadTypesFile(file, back);
  EXPECT_EQ(back.MaterialTypes, (Strings{"Ash", "oak", "Pine"}));
  EXPECT_EQ(back.SelectedTypes, (Strings{"Ash", "Pine"}));
}

}  // namespace
}  // namespace tralvin
