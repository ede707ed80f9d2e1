// INI-style files: matching, values as read back, batches, erasing, foreign
// files and refused writes.
#include "base/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/test_files.h"

namespace tralvin {
namespace {

class IniFileTest : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all);
  }
  std::string Path(const std::string& name) const { return scratch_.File(name); }
  testing_files::ScratchFolder scratch_{"tralvin_ini"};
  std::string dir_ = scratch_.Path();
  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  static void Put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
};

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
  TIniFile ini(Path("none.ini"));
  EXPECT_EQ(ini.ReadString("A", "k", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadInteger("A", "k", 7), 7);
  EXPECT_TRUE(ini.ReadBool("A", "k", true));
  EXPECT_TRUE(ini.ReadSections().empty());
  EXPECT_FALSE(ini.SectionExists("A"));
  ini.EraseSection("A");
  ini.EraseAll();
  EXPECT_FALSE(std::filesystem::exists(Path("none.ini")));  // erasing creates nothing
}

TEST_F(IniFileTest, WritesCreateTheFileAndMatchIgnoringCase) {
  TIniFile ini(Path("a.ini"));
  ini.WriteString("Option", "MixedKey", "v1");
  ini.WriteString("OPTION", "other", "v2");
  EXPECT_EQ(ini.ReadString("OPTION", "MIXEDKEY", ""), "v1");
  EXPECT_EQ(ini.ReadString("option", "Other", ""), "v2");
  ini.WriteString("option", "MIXEDKEY", "v3");  // replaced in place, spelling kept
  EXPECT_EQ(Contents(Path("a.ini")), "[Option]\r\nMixedKey=v3\r\nother=v2\r\n");
  EXPECT_EQ(TIniFile(Path("a.ini")).ReadString("Option", "mixedkey", ""), "v3");
}

TEST_F(IniFileTest, ValuesLoseSurroundingBlanksAndOnePairOfQuotes) {
  TIniFile ini(Path("v.ini"));
  ini.WriteString("S", "trail", "abc ");
  ini.WriteString("S", "lead", "  abc");
  ini.WriteString("S", "quoted", "\"two words\"");
  ini.WriteString("S", "twice", "\"\"x\"\"");
  ini.WriteString("S", "single", "'x'");
  ini.WriteString("S", "inner", "a \"b\" c");
  EXPECT_EQ(ini.ReadString("S", "trail", "?"), "abc");
  EXPECT_EQ(ini.ReadString("S", "lead", "?"), "abc");
  EXPECT_EQ(ini.ReadString("S", "quoted", "?"), "two words");
  EXPECT_EQ(ini.ReadString("S", "twice", "?"), "\"x\"");
  EXPECT_EQ(ini.ReadString("S", "single", "?"), "'x'");
  EXPECT_EQ(ini.ReadString("S", "inner", "?"), "a \"b\" c");
  ini.WriteString("S", "empty", "");
  EXPECT_EQ(ini.ReadString("S", "empty", "?"), "");  // present but empty is not the default
}

TEST_F(IniFileTest, LongAndUnicodeValuesReadBackWhole) {
  TIniFile ini(Path("u.ini"));
  std::string longValue(5000, 'x');
  ini.WriteString("S", "long", longValue);
  ini.WriteString("S", "label", "Eiche 20×40 – Größe");
  ini.WriteString("S", "Add Material Type Caption", "hinzufügen");
  TIniFile again(Path("u.ini"));
  EXPECT_EQ(again.ReadString("S", "long", ""), longValue);
  EXPECT_EQ(again.ReadString("S", "label", ""), "Eiche 20×40 – Größe");
  EXPECT_EQ(again.ReadString("s", "add material type caption", ""), "hinzufügen");
}

TEST_F(IniFileTest, LineBreaksInAValueCannotBreakTheFile) {
  TIniFile ini(Path("n.ini"));
  ini.WriteString("S", "note", "one\r\ntwo\nthree\r[X]\r\nk=v");
  ini.WriteString("S", "after", "ok");
  TIniFile again(Path("n.ini"));
  EXPECT_EQ(again.ReadString("S", "note", ""), "one two three [X] k=v");
  EXPECT_EQ(again.ReadString("S", "after", ""), "ok");
  EXPECT_EQ(again.ReadSections(), std::vector<std::string>{"S"});
}

TEST_F(IniFileTest, NamesThatCannotBeStoredAreRefused) {
  TIniFile ini(Path("r.ini"));
  EXPECT_THROW(ini.WriteString("S", "a=b", "v"), IniWriteError);
  EXPECT_THROW(ini.WriteString("S", "", "v"), IniWriteError);
  EXPECT_THROW(ini.WriteString("S", "a\nb", "v"), IniWriteError);
  EXPECT_THROW(ini.WriteString("S", ";k", "v"), IniWriteError);
  EXPECT_THROW(ini.WriteString("A]B", "k", "v"), IniWriteError);
  EXPECT_FALSE(std::filesystem::exists(Path("r.ini")));
}

TEST_F(IniFileTest, IntegersAndBooleans) {
  TIniFile ini(Path("i.ini"));
  ini.WriteInteger("S", "n", -42);
  ini.WriteBool("S", "on", true);
  ini.WriteBool("S", "off", false);
  ini.WriteString("S", "two", "2");
  ini.WriteString("S", "word", "yes");
  ini.WriteString("S", "hex", "0x1A");
  ini.WriteString("S", "padded", "  12  ");
  ini.WriteString("S", "real", "1.5");
  EXPECT_EQ(Contents(Path("i.ini")).substr(0, 28), "[S]\r\nn=-42\r\non=1\r\noff=0\r\ntwo");
  EXPECT_EQ(ini.ReadInteger("S", "n", 0), -42);
  EXPECT_EQ(ini.ReadInteger("S", "hex", 0), 26);
  EXPECT_EQ(ini.ReadInteger("S", "padded", 0), 12);
  EXPECT_EQ(ini.ReadInteger("S", "word", 5), 5);
  EXPECT_EQ(ini.ReadInteger("S", "real", 5), 5);
  EXPECT_TRUE(ini.ReadBool("S", "on", false));
  EXPECT_FALSE(ini.ReadBool("S", "off", true));
  EXPECT_TRUE(ini.ReadBool("S", "two", false));
  EXPECT_TRUE(ini.ReadBool("S", "word", true));
  EXPECT_FALSE(ini.ReadBool("S", "word", false));
}

TEST_F(IniFileTest, SectionsEraseAndExistence) {
  TIniFile ini(Path("s.ini"));
  ini.WriteString("SHEET1", "LABEL", "a");
  ini.WriteString("SHEET2", "LABEL", "b");
  ini.WriteString("OPTIONS", "X", "1");
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"SHEET1", "SHEET2", "OPTIONS"}));
  EXPECT_TRUE(ini.SectionExists("sheet2"));
  ini.EraseSection("sheet2");
  EXPECT_FALSE(ini.SectionExists("SHEET2"));
  EXPECT_EQ(ini.ReadString("SHEET2", "LABEL", "gone"), "gone");
  EXPECT_EQ(Contents(Path("s.ini")), "[SHEET1]\r\nLABEL=a\r\n[OPTIONS]\r\nX=1\r\n");
  EraseIniFile(Path("s.ini"));
  EXPECT_TRUE(ini.ReadSections().empty());
  EXPECT_EQ(Contents(Path("s.ini")), "");
}

TEST_F(IniFileTest, ForeignFilesKeepTheirLinesAndFirstOccurrencesWin) {
  const std::string path = Path("f.ini");
  Put(path,
      "; made by hand\r\n"
      "[Head]\r\n"
      "  Name = \"Oak \" \r\n"
      "name=second\r\n"
      "no equals sign\r\n"
      "\r\n"
      "[ Empty ]\r\n"
      "[head]\r\n"
      "extra=in the duplicate\r\n"
      "\r\n"
      "[Tail]\r\n"
      "k=v");
  TIniFile ini(path);
  EXPECT_EQ(ini.ReadString("HEAD", "name", ""), "Oak ");
  EXPECT_EQ(ini.ReadString("HEAD", "extra", "first section only"), "first section only");
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Head", "Empty", "Tail"}));
  EXPECT_FALSE(ini.SectionExists("Empty"));  // a section exists when it holds a key
  EXPECT_TRUE(ini.SectionExists("tail"));
  ini.WriteString("Head", "new", "1");
  ini.WriteString("Tail", "k", "w");
  EXPECT_EQ(Contents(path),
            "; made by hand\r\n"
            "[Head]\r\n"
            "  Name = \"Oak \" \r\n"
            "name=second\r\n"
            "no equals sign\r\n"
            "new=1\r\n"
            "\r\n"
            "[ Empty ]\r\n"
            "[head]\r\n"
            "extra=in the duplicate\r\n"
            "\r\n"
            "[Tail]\r\n"
            "k=w\r\n");
  ini.EraseSection("HEAD");  // every occurrence goes
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Empty", "Tail"}));
  EXPECT_EQ(ini.ReadString("head", "extra", "-"), "-");
}

TEST_F(IniFileTest, ReadsFilesSavedInOtherEncodings) {
  Put(Path("bom.ini"), "\xEF\xBB\xBF[S]\nk=v\xC3\xA4\n");
  EXPECT_EQ(TIniFile(Path("bom.ini")).ReadString("S", "k", ""), "vä");
  Put(Path("cp.ini"),
      "[S]\nk=Gr\xF6\xDF"
      "e \x80\n");
  EXPECT_EQ(TIniFile(Path("cp.ini")).ReadString("S", "k", ""), "Größe €");
  std::string utf16("\xFF\xFE", 2);
  for (char c : std::string("[S]\r\nk=v\r\n")) utf16 += std::string{c, '\0'};
  Put(Path("u16.ini"), utf16);
  TIniFile wide(Path("u16.ini"));
  EXPECT_EQ(wide.ReadString("s", "K", ""), "v");
  wide.WriteString("S", "k2", "ü");  // rewritten as UTF-8
  EXPECT_EQ(Contents(Path("u16.ini")), "[S]\r\nk=v\r\nk2=ü\r\n");
  TIniFile bom(Path("bom.ini"));
  bom.WriteString("S", "k", "x");
  EXPECT_EQ(Contents(Path("bom.ini")), "[S]\r\nk=x\r\n");
}

TEST_F(IniFileTest, SeesChangesMadeThroughOtherObjectsAndOnTheDisk) {
  const std::string path = Path("c.ini");
  TIniFile reader(path);
  EXPECT_EQ(reader.ReadString("S", "k", "none"), "none");
  TIniFile(path).WriteString("S", "k", "one");
  EXPECT_EQ(reader.ReadString("S", "k", ""), "one");
  Put(path, "[S]\nk=two, a longer value\n");
  EXPECT_EQ(reader.ReadString("S", "k", ""), "two, a longer value");
  // Rewritten in place at once with the same size: same inode, size and, in
  // all likelihood, the same file time.
  Put(path, "[S]\nk=TWO, a longer value\n");
  EXPECT_EQ(reader.ReadString("S", "k", ""), "TWO, a longer value");
  std::filesystem::remove(path);
  EXPECT_EQ(reader.ReadString("S", "k", "none"), "none");
}

TEST_F(IniFileTest, BatchWritesOnceAtCommitAndSeesItsOwnWrites) {
  const std::string path = Path("b.ini");
  TIniFile(path).WriteString("OLD", "k", "v");
  TIniFile ini(path);
  ini.BeginUpdate();
  EXPECT_TRUE(ini.InBatch());
  ini.EraseAll();
  ini.WriteString("OPTIONS", "ISBESTDIMENSION", "0");
  for (int n = 1; n <= 3; ++n) ini.WriteString("SHEET" + std::to_string(n), "LABEL", "L");
  EXPECT_EQ(ini.ReadSections().size(), 4u);                   // pending writes are visible
  EXPECT_EQ(TIniFile(path).ReadString("OLD", "k", ""), "v");  // the disk is untouched
  ini.Commit();
  EXPECT_FALSE(ini.InBatch());
  EXPECT_EQ(Contents(path),
            "[OPTIONS]\r\nISBESTDIMENSION=0\r\n[SHEET1]\r\nLABEL=L\r\n[SHEET2]\r\nLABEL=L\r\n["
            "SHEET3]\r\nLABEL=L\r\n");
}

TEST_F(IniFileTest, DiscardedOrAbandonedBatchLeavesTheFile) {
  const std::string path = Path("d.ini");
  TIniFile(path).WriteString("S", "k", "v");
  {
    TIniFile ini(path);
    ini.BeginUpdate();
    ini.WriteString("S", "k", "changed");
    ini.Discard();
    EXPECT_EQ(ini.ReadString("S", "k", ""), "v");
    ini.BeginUpdate();
    ini.EraseAll();
  }
  EXPECT_EQ(Contents(path), "[S]\r\nk=v\r\n");
}

TEST_F(IniFileTest, RefusedWritesThrowAndLeaveTheOldContent) {
  testing_files::UnprivilegedScope unprivileged(dir_);
  if (!unprivileged.Active()) GTEST_SKIP() << "cannot act as an unprivileged user";
  const std::string path = Path("ro.ini");
  TIniFile ini(path);
  ini.WriteString("S", "k", "v");
  std::filesystem::permissions(
      dir_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  chmod(path.c_str(), 0444);
  try {
    ini.WriteString("S", "k", "new");
    FAIL() << "write passed";
  } catch (const IniWriteError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    EXPECT_EQ(e.Code(), std::errc::permission_denied);
    EXPECT_EQ(WriteFailureText(e), "Unable to write to " + path + " (Permission denied)");
  }
  EXPECT_EQ(ini.ReadString("S", "k", ""), "v");
  ini.BeginUpdate();
  ini.WriteString("S", "k2", "x");
  EXPECT_THROW(ini.Commit(), IniWriteError);
  EXPECT_FALSE(ini.InBatch());
  EXPECT_THROW(TIniFile(Path("new.ini")).WriteString("S", "k", "v"), IniWriteError);
}

TEST_F(IniFileTest, WritingWhereNoFileCanBeFails) {
  TIniFile missingFolder(Path("no/such/folder/x.ini"));
  EXPECT_THROW(missingFolder.WriteString("S", "k", "v"), IniWriteError);
  EXPECT_EQ(missingFolder.ReadString("S", "k", "d"), "d");
  std::filesystem::create_directory(Path("folder.ini"));
  TIniFile folder(Path("folder.ini"));
  folder.BeginUpdate();
  folder.WriteString("S", "k", "v");
  EXPECT_THROW(folder.Commit(), IniWriteError);
  EXPECT_TRUE(std::filesystem::is_directory(Path("folder.ini")));
}

TEST_F(IniFileTest, AFileTooLargeToReadIsNeverReplaced) {
  const std::string path = Path("huge.opt");
  Put(path, "[OPTION]\r\nMEASURE=mm\r\n");
  ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(kMaxReadFileBytes) + 1), 0);
  TIniFile ini(path);
  EXPECT_EQ(ini.ReadString("OPTION", "MEASURE", "none"), "none");
  try {
    ini.WriteString("OPTION", "MEASURE", "cm");
    FAIL() << "replaced a file it could not read";
  } catch (const IniWriteError& e) {
    EXPECT_EQ(e.Code(), std::errc::file_too_large);
  }
  ini.BeginUpdate();
  ini.WriteString("OPTION", "MEASURE", "cm");
  EXPECT_THROW(ini.Commit(), IniWriteError);
  EXPECT_EQ(std::filesystem::file_size(path), kMaxReadFileBytes + 1);
}

}  // namespace
}  // namespace tralvin
