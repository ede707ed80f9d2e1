// Caption files: the four modes of one item, loading and saving over the key
// list, the edit boxes of the caption editor, the derived control texts and
// the languages.
#include "texts/caption_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "base/ini_file.h"
#include "common/test_files.h"
#include "texts/caption_refresh.h"
#include "texts/language.h"

namespace tralvin {
namespace {

using testing_files::ReadText;
using testing_files::ScratchFolder;
using testing_files::WriteText;

int Index(const char* key) { return CaptionItemIndex(key); }

// Every entry's caption and hint, to compare whole tables.
std::vector<std::pair<std::string, std::string>> Texts(const CaptionTable& table) {
  std::vector<std::pair<std::string, std::string>> out;
  for (const CaptionEntry& e : table.Entries()) out.emplace_back(e.caption, e.hint);
  return out;
}

TEST(CaptionFile, OnlyTheRenamedEntryChanges) {
  ScratchFolder dir;
  WriteText(dir.File("one.cap"), "[CAPTION]\nTab Report=Bericht\n");
  CaptionTable table;
  LoadCaptionFile(table, dir.File("one.cap"));
  CaptionTable expected;
  expected.SetText("Tab Report", "Bericht");
  EXPECT_EQ(Texts(table), Texts(expected));
  EXPECT_EQ(table.ControlCaption("TabSheetReport"), "Bericht");
}

TEST(CaptionFile, ReadingFollowsKindAndKeepsMissingKeys) {
  ScratchFolder dir;
  WriteText(dir.File("t.cap"),
            "[CAPTION]\nMenu File=&Datei\nLoad File Button=\nStart Optimize Button=Start\n"
            "MSG_SAME_FIELD_ERROR=x\n[HINT]\nMenu File=not a hint\nTRUE Caption=ja\n"
            "Start Optimize Button=Optimierung starten\nSave File Button=Sichern\n"
            "----------MENU------------------=x\n");
  CaptionTable table;
  LoadCaptionFile(table, dir.File("t.cap"));
  EXPECT_EQ(table.Text("Menu File"), "&Datei");
  EXPECT_EQ(table.Hint("Menu File"), "");  // menu items have no hint
  // An empty value empties the text; the hint, missing, stays.
  EXPECT_EQ(table.Text("Load File Button"), "");
  EXPECT_EQ(table.Hint("Load File Button"), "Load a table file and replace all existing data");
  // A tool button takes its hint only; a text entry its caption only.
  EXPECT_EQ(table.Text("Start Optimize Button"), "Optimierung starten");
  EXPECT_EQ(table.Find("Start Optimize Button")->caption, "");
  EXPECT_EQ(table.Text("TRUE Caption"), "yes");
  EXPECT_EQ(table.Text("Save File Button"), "Save");
  EXPECT_EQ(table.Hint("Save File Button"), "Sichern");
  // Keys outside the key list keep their built-in texts.
  EXPECT_EQ(table.Text("MSG_SAME_FIELD_ERROR"), "same field error");
}

TEST(CaptionFile, MenuHintAloneChangesNothingAndMissingFileNeither) {
  ScratchFolder dir;
  WriteText(dir.File("h.cap"), "[HINT]\nMenu File=Opens the file menu\n");
  CaptionTable table;
  LoadCaptionFile(table, dir.File("h.cap"));
  EXPECT_EQ(Texts(table), Texts(CaptionTable()));
  LoadCaptionFile(table, dir.File("missing.cap"));
  EXPECT_EQ(Texts(table), Texts(CaptionTable()));
}

TEST(CaptionFile, SaveWritesEveryCaptionAndEveryHintInKeyListOrder) {
  ScratchFolder dir;
  CaptionTable table;
  table.SetText("MSG_STOCK_LENGTH_FORMAT_INVALID", "Länge ungültig");
  SaveCaptionFile(table, dir.File("all.cap"));
  const std::string text = ReadText(dir.File("all.cap"));
  // Count the lines of each section and check their order.
  std::vector<std::string> captionKeys, hintKeys;
  std::string section;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    ASSERT_NE(end, std::string::npos) << "every line ends with CR LF";
    const std::string line = text.substr(start, end - start);
    start = end + 2;
    if (line.starts_with("[")) {
      section = line;
      continue;
    }
    const std::string key = line.substr(0, line.find('='));
    (section == "[CAPTION]" ? captionKeys : hintKeys).push_back(key);
  }
  std::vector<std::string> wantCaptions, wantHints;
  for (const std::string& item : CaptionTable::KeyList()) {
    const CaptionEntry* e = table.Find(item);
    if (e == nullptr) continue;
    if (e->kind != CaptionKind::ToolButton) wantCaptions.push_back(item);
    if (e->kind != CaptionKind::Text && e->kind != CaptionKind::MenuItem) wantHints.push_back(item);
  }
  EXPECT_EQ(captionKeys, wantCaptions);
  EXPECT_EQ(hintKeys, wantHints);  // empty hints included
  EXPECT_EQ(wantCaptions.size(), 131u);
  EXPECT_EQ(wantHints.size(), 45u);
  EXPECT_NE(text.find("Order Optimize Caption=\r\n"), std::string::npos);
  EXPECT_NE(text.find("MSG_STOCK_LENGTH_FORMAT_INVALID=Länge ungültig\r\n"), std::string::npos);

  // Read back into a fresh table it gives the same texts, the blanks around
  // the speed bar caption included.
  CaptionTable back;
  back.SetText("Tab Report", "changed");
  LoadCaptionFile(back, dir.File("all.cap"));
  EXPECT_EQ(Texts(back), Texts(table));
  EXPECT_EQ(back.Text("Fastest to Max Utilization Speed Bar Caption"),
            " << faster  |  save more >> ");
}

TEST(CaptionFile, SaveKeepsOtherSectionsAndRefusedWriteThrows) {
  ScratchFolder dir;
  WriteText(dir.File("x.cap"), "[NOTES]\nauthor=me\n[CAPTION]\nTab Report=Old\n");
  SaveCaptionFile(CaptionTable(), dir.File("x.cap"));
  TIniFile file(dir.File("x.cap"));
  EXPECT_EQ(file.ReadString("NOTES", "author", ""), "me");
  EXPECT_EQ(file.ReadString("CAPTION", "Tab Report", ""), "Report");
  EXPECT_THROW(SaveCaptionFile(CaptionTable(), dir.File("no/such/folder/x.cap")), IniWriteError);
}

TEST(CaptionEditing, EditBoxesByKind) {
  CaptionTable table;
  CaptionEditBoxes e = ChooseCaptionItem(table, Index("Load File Button"));
  EXPECT_EQ(e.EditModifyCaption, "Load");
  EXPECT_EQ(e.EditModifyHint, "Load a table file and replace all existing data");
  EXPECT_TRUE(e.captionVisible && e.hintVisible);

  e = ChooseCaptionItem(table, Index("TRUE Caption"));
  EXPECT_EQ(e.EditModifyCaption, "yes");
  EXPECT_FALSE(e.hintVisible);

  e = ChooseCaptionItem(table, Index("Help Tool Button"));
  EXPECT_EQ(e.EditModifyHint, "Help");
  EXPECT_EQ(e.EditModifyCaption, "");
  EXPECT_FALSE(e.captionVisible);

  // A menu item shows an empty hint box; Confirm ignores what is typed there.
  e = ChooseCaptionItem(table, Index("Menu Exit"));
  EXPECT_EQ(e.EditModifyCaption, "E&xit");
  EXPECT_TRUE(e.hintVisible);
  EXPECT_EQ(e.EditModifyHint, "");
  e.EditModifyCaption = "&Beenden";
  e.EditModifyHint = "ignored";
  SetCaptionIndex(table, Index("Menu Exit"), CaptionSet::csEdit2Cap, nullptr, &e);
  EXPECT_EQ(table.Text("Menu Exit"), "&Beenden");
  EXPECT_EQ(table.Hint("Menu Exit"), "");

  // A tool button takes the hint box only.
  e = {"caption ignored", "Hilfe", true, true};
  SetCaptionIndex(table, Index("Help Tool Button"), CaptionSet::csEdit2Cap, nullptr, &e);
  EXPECT_EQ(table.Text("Help Tool Button"), "Hilfe");
  EXPECT_EQ(table.Find("Help Tool Button")->caption, "");
}

TEST(CaptionEditing, GroupHeadingChosenAndConfirmedChangesNothing) {
  CaptionTable table;
  const int heading = Index("----------TAB-------------------");
  ASSERT_GE(heading, 0);
  CaptionEditBoxes e = ChooseCaptionItem(table, heading);
  EXPECT_EQ(e.EditModifyCaption, "");
  EXPECT_EQ(e.EditModifyHint, "");
  EXPECT_TRUE(e.captionVisible && e.hintVisible);
  e.EditModifyCaption = "typed";
  e.EditModifyHint = "typed";
  SetCaptionIndex(table, heading, CaptionSet::csEdit2Cap, nullptr, &e);
  SetCaptionIndex(table, -1, CaptionSet::csEdit2Cap, nullptr, &e);
  SetCaptionIndex(table, 144, CaptionSet::csEdit2Cap, nullptr, &e);
  EXPECT_EQ(Texts(table), Texts(CaptionTable()));
}

TEST(CaptionEditing, EntriesSharingABuiltInTextStaySeparate) {
  ScratchFolder dir;
  CaptionTable table;
  CaptionEditBoxes e = ChooseCaptionItem(table, Index("MSG_STOCK_QTY_FORMAT_INVALID"));
  EXPECT_EQ(e.EditModifyCaption, "the data of field is invalid");
  e.EditModifyCaption = "Menge ungültig";
  SetCaptionIndex(table, Index("MSG_STOCK_QTY_FORMAT_INVALID"), CaptionSet::csEdit2Cap, nullptr,
                  &e);
  SaveCaptionFile(table, dir.File("s.cap"));
  CaptionTable back;
  LoadCaptionFile(back, dir.File("s.cap"));
  for (const CaptionTable* t : {&table, &back}) {
    EXPECT_EQ(t->Text("MSG_STOCK_QTY_FORMAT_INVALID"), "Menge ungültig");
    EXPECT_EQ(t->Text("MSG_STOCK_COST_FORMAT_INVALID"), "the data of field is invalid");
    EXPECT_EQ(t->Text("MSG_PIECE_QTY_FORMAT_INVALID"), "the data of field is invalid");
  }
  // "interval" is shared by two label-window words, too.
  WriteText(dir.File("g.cap"), "[CAPTION]\nsPrintLabelHoriGap=Abstand waagrecht\n");
  LoadCaptionFile(back, dir.File("g.cap"));
  EXPECT_EQ(back.Text("sPrintLabelHoriGap"), "Abstand waagrecht");
  EXPECT_EQ(back.Text("sPrintLabelVertGap"), "interval");
}

TEST(DerivedTexts, RepeatsAndTextEntriesFollowTheTable) {
  CaptionTable table;
  table.SetText("Load File Button", "Laden");
  table.SetHint("Load File Button", "Tabelle laden");
  table.SetText("Import Caption", "Import");
  table.SetText("CAP_FIND_BEST_DIMENSION", "beste Länge");
  table.SetText("Finding Best Dimension", "not shown");
  const auto derived = DerivedControlTexts(table);
  auto find = [&](const std::string& control) {
    auto it = std::find_if(derived.begin(), derived.end(),
                           [&](const DerivedControlText& d) { return d.control == control; });
    EXPECT_NE(it, derived.end()) << control;
    return it == derived.end() ? DerivedControlText{} : *it;
  };
  const DerivedControlText open = find("PartsOpen");
  EXPECT_EQ(open.caption, "Laden");
  EXPECT_EQ(open.hint, "Tabelle laden");
  // A control without an entry is repeated as it is shown.
  const DerivedControlText fileName = find("LabelFileName_Parts");
  EXPECT_EQ(fileName.source, "LabelFileName_Sheets");
  EXPECT_FALSE(fileName.caption.has_value());
  EXPECT_EQ(find("ButtonImportParts").caption, "Import");
  EXPECT_FALSE(find("ButtonImportParts").hint.has_value());
  EXPECT_EQ(find("ButtonPrintPartLabel").caption, "print label");
  EXPECT_EQ(find("CheckBoxBestDimension").caption, "beste Länge");
  EXPECT_EQ(derived.size(), 21u);
  // Pieces repeats come before the text-entry captions.
  EXPECT_EQ(derived.front().control, "LabelFileName_Parts");
  EXPECT_EQ(derived.back().control, "CheckBoxBestDimension");
}

TEST(Languages, ListAndLookupOrder) {
  EXPECT_EQ(kLanguageItems.size(), 27u);
  EXPECT_EQ(kLanguageItems.front(), "English");
  EXPECT_EQ(std::count(kLanguageItems.begin(), kLanguageItems.end(), "English"), 2);
  ScratchFolder start;
  ScratchFolder bundled("bundled");
  WriteText(bundled.File("German.cap"), "[CAPTION]\nTab Report=Bericht\n");
  const std::vector<std::string> folders = {start.File("nothing"), bundled.Path()};
  EXPECT_EQ(FindLanguageFile("German", start.Path(), folders), bundled.File("German.cap"));
  WriteText(start.File("German.cap"), "[CAPTION]\nTab Report=Auswertung\n");
  EXPECT_EQ(FindLanguageFile("German", start.Path(), folders), start.File("German.cap"));
  EXPECT_EQ(FindLanguageFile("Thai", start.Path(), folders), "");
  EXPECT_EQ(FindLanguageFile("", start.Path(), folders), "");

  CaptionTable table;
  EXPECT_EQ(ApplyLanguage(table, "German", start.Path(), folders), start.File("German.cap"));
  EXPECT_EQ(table.Text("Tab Report"), "Auswertung");
  CaptionTable fromDefault;
  LoadCaptionFile(fromDefault, start.File("default.cap"));
  EXPECT_EQ(fromDefault.Text("Tab Report"), "Auswertung");

  // A language without a file changes nothing but still writes default.cap.
  std::filesystem::remove(start.File("default.cap"));
  EXPECT_EQ(ApplyLanguage(table, "Thai", start.Path(), folders), "");
  EXPECT_EQ(table.Text("Tab Report"), "Auswertung");
  EXPECT_TRUE(std::filesystem::exists(start.File("default.cap")));
}

// The bundled languages hold every entry of the key list, caption and hint,
// a text wherever the built-in text has one; English.cap is the built-in set.
TEST(Languages, BundledFilesAreComplete) {
  const std::string folder = std::string(TRALVIN_SOURCE_DIR) + "/share/captions";
  const CaptionTable builtIn;
  for (const char* language :
       {"German", "French", "Spanish", "Italian", "Polish", "Chinese", "English"}) {
    SCOPED_TRACE(language);
    const TIniFile file(folder + "/" + language + ".cap");
    for (const std::string& item : CaptionTable::KeyList()) {
      const CaptionEntry* e = builtIn.Find(item);
      if (e == nullptr) continue;
      if (e->kind != CaptionKind::ToolButton) {
        const std::string v = file.ReadString(kCaptionSection, item, "\x01missing");
        EXPECT_NE(v, "\x01missing") << item;
        EXPECT_EQ(v.empty(), e->caption.empty()) << item;
      }
      if (e->kind != CaptionKind::Text && e->kind != CaptionKind::MenuItem) {
        const std::string v = file.ReadString(kHintSection, item, "\x01missing");
        EXPECT_NE(v, "\x01missing") << item;
        EXPECT_EQ(v.empty(), e->hint.empty()) << item;
      }
    }
  }
  ScratchFolder dir;
  SaveCaptionFile(builtIn, dir.File("English.cap"));
  EXPECT_EQ(ReadText(folder + "/English.cap"), ReadText(dir.File("English.cap")));
  CaptionTable german;
  LoadCaptionFile(german, folder + "/German.cap");
  EXPECT_EQ(german.Text("Tab Report"), "Bericht");
  EXPECT_EQ(german.Text("Fastest to Max Utilization Speed Bar Caption"),
            " << schneller  |  sparsamer >> ");
}

}  // namespace
}  // namespace tralvin
