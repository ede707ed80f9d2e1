// Telling the import reader by the file name.
#include "tables/import_file_kind.h"

#include <gtest/gtest.h>

namespace tralvin {
namespace {

TEST(ImportFileKindTest, ExtensionDecidesIgnoringCase) {
  EXPECT_EQ(ImportKindOfName("/a/b/list.csv"), ImportFileKind::Text);
  EXPECT_EQ(ImportKindOfName("LIST.TXT"), ImportFileKind::Text);
  EXPECT_EQ(ImportKindOfName("/x/book.XlSx"), ImportFileKind::Workbook);
  EXPECT_EQ(ImportKindOfName("old.xls"), ImportFileKind::Workbook);
  // Only the last extension counts, and a dotted folder is not an extension.
  EXPECT_EQ(ImportKindOfName("book.xlsx.bak"), ImportFileKind::None);
  EXPECT_EQ(ImportKindOfName("/data.csv/list"), ImportFileKind::None);
  EXPECT_EQ(ImportKindOfName("list.stk"), ImportFileKind::None);
  EXPECT_EQ(ImportKindOfName("csv"), ImportFileKind::None);
}

}  // namespace
}  // namespace tralvin
