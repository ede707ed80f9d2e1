// Safe file replacement: content, permissions, links, and failures that leave
// the old file and no temporary file behind.
#include "base/safe_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "common/test_files.h"

namespace tralvin {
namespace {

namespace fs = std::filesystem;

class SafeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tralvin_file_XXXXXX").string();
    dir_ = mkdtemp(pattern.data());
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  size_t EntryCount() const {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }
  std::string dir_;
};

TEST_F(SafeFileTest, WritesReplacesAndReadsBack) {
  const std::string path = Path("out.txt");
  std::string bytes;
  EXPECT_FALSE(ReadFileBytes(path, bytes));
  WriteFileAtomically(path, std::string("first\0line", 10));
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes, std::string("first\0line", 10));
  std::string big(3 << 20, 'x');
  WriteFileAtomically(path, big);
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes, big);
  WriteFileAtomically(path, "");
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes, "");
  EXPECT_EQ(EntryCount(), 1u);               // no temporary file stays behind
  EXPECT_FALSE(ReadFileBytes(dir_, bytes));  // a folder is not a file
}

TEST_F(SafeFileTest, KeepsPermissionsAndFollowsLinks) {
  const std::string path = Path("kept.txt");
  WriteFileAtomically(path, "a");
  chmod(path.c_str(), 0640);
  WriteFileAtomically(path, "b");
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);

  fs::create_symlink(path, Path("link.txt"));
  WriteFileAtomically(Path("link.txt"), "through the link");
  EXPECT_TRUE(fs::is_symlink(Path("link.txt")));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes, "through the link");
}

TEST_F(SafeFileTest, FailuresNameTheFileAndLeaveNothingBehind) {
  fs::create_directory(Path("sub"));
  try {
    WriteFileAtomically(Path("sub"), "x");
    FAIL() << "wrote over a folder";
  } catch (const FileWriteError& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + Path("sub"));
    EXPECT_EQ(e.FileName(), Path("sub"));
  }
  try {
    WriteFileAtomically(Path("missing/x.txt"), "x");
    FAIL() << "wrote into a missing folder";
  } catch (const FileWriteError& e) {
    EXPECT_EQ(e.Code(), std::errc::no_such_file_or_directory);
  }
  EXPECT_THROW(WriteFileAtomically("", "x"), FileWriteError);
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(SafeFileTest, AWritableFileInAReadOnlyFolderIsRewrittenInPlace) {
  testing_files::UnprivilegedScope unprivileged(dir_);
  if (!unprivileged.Active()) GTEST_SKIP() << "cannot act as an unprivileged user";
  const std::string path = Path("shared.txt");
  WriteFileAtomically(path, "old");
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  WriteFileAtomically(path, "new");
  chmod(path.c_str(), 0444);
  EXPECT_THROW(WriteFileAtomically(path, "refused"), FileWriteError);
  fs::permissions(dir_, fs::perms::owner_all);
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes, "new");
}

}  // namespace
}  // namespace tralvin
