// Safe file replacement: content, permissions, links, and failures that leave
// the old file and no temporary file behind.
#include "base/safe_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "common/test_files.h"

namespace tralvin {
namespace {

namespace fs = std::filesystem;

class SafeFileTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return scratch_.File(name); }
  size_t EntryCount() const {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }
  testing_files::ScratchFolder scratch_{"tralvin_file"};
  std::string dir_ = scratch_.Path();
};

// While the scope lives, writing past `bytes` in any file fails with EFBIG
// (the signal that would end the process is ignored).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, previous_);
  }

 private:
  rlimit old_{};
  void (*previous_)(int) = nullptr;
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

// Writes: the in-place path and long names.

TEST_F(SafeFileTest, AFailedInPlaceWriteKeepsTheOldBytesAndGivesTheCause) {
  testing_files::UnprivilegedScope unprivileged(dir_);
  if (!unprivileged.Active()) GTEST_SKIP() << "cannot act as an unprivileged user";
  const std::string path = Path("table.stk");
  const std::string old = "[SHEET1]\r\nLABEL=old\r\n";
  WriteFileAtomically(path, old);
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  std::error_code code;
  {
    FileSizeLimit limit(64);
    try {
      WriteFileAtomically(path, std::string(4096, 'n'));
    } catch (const FileWriteError& e) {
      code = e.Code();
    }
  }
  // A shorter text overwrites in place and shrinks the file.
  WriteFileAtomically(path, "short");
  std::string shortBytes;
  ASSERT_TRUE(ReadFileBytes(path, shortBytes));
  WriteFileAtomically(path, old);
  fs::permissions(dir_, fs::perms::owner_all);
  EXPECT_EQ(code, std::errc::file_too_large) << code.message();
  EXPECT_EQ(shortBytes, "short");
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes, old);
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(SafeFileTest, ANameNearTheSystemLimitStillHasATemporaryName) {
  const std::string path = Path(std::string(250, 'n') + ".json");
  WriteFileAtomically(path, "first");
  WriteFileAtomically(path, "second");
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes, "second");
  EXPECT_EQ(EntryCount(), 1u);
}

// Streams: written in order, never replaced.

TEST_F(SafeFileTest, AStandardStreamRedirectedToAFileAppendsToIt) {
  const std::string log = Path("run.log");
  testing_files::WriteText(log, "earlier line\n");
  const int fd = ::open(log.c_str(), O_WRONLY | O_APPEND);
  ASSERT_GE(fd, 0);
  EXPECT_TRUE(IsStreamTarget("/dev/fd/" + std::to_string(fd)));
  WriteFileAtomically("/dev/fd/" + std::to_string(fd), "first\n");
  WriteFileAtomically("/proc/self/fd/" + std::to_string(fd), "second\n");
  ::close(fd);
  EXPECT_EQ(testing_files::ReadText(log), "earlier line\nfirst\nsecond\n");
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(SafeFileTest, DevicesAndPipesAreWrittenAsStreams) {
  EXPECT_TRUE(IsStreamTarget("/dev/null"));
  EXPECT_FALSE(IsStreamTarget(Path("plain.txt")));
  EXPECT_NO_THROW(WriteFileAtomically("/dev/null", "gone"));
  try {
    WriteFileAtomically("/dev/full", "no room");
    ADD_FAILURE() << "wrote to a full device";
  } catch (const FileWriteError& e) {
    EXPECT_EQ(e.Code(), std::errc::no_space_on_device) << e.Code().message();
  }
  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  WriteFileAtomically("/dev/fd/" + std::to_string(pipeFds[1]), "through the pipe");
  ::close(pipeFds[1]);
  char buf[64] = {};
  EXPECT_EQ(::read(pipeFds[0], buf, sizeof buf - 1), 16);
  ::close(pipeFds[0]);
  EXPECT_STREQ(buf, "through the pipe");

  // A named pipe without a reader fails at once instead of waiting.
  const std::string fifo = Path("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  try {
    WriteFileAtomically(fifo, "nobody reads");
    ADD_FAILURE() << "wrote to a pipe without a reader";
  } catch (const FileWriteError& e) {
    EXPECT_EQ(e.Code(), std::errc::no_such_device_or_address) << e.Code().message();
  }
}

// Inputs: only regular files within the size limit are read.

TEST_F(SafeFileTest, PipesAndOversizedFilesAreRefusedUnread) {
  const std::string fifo = Path("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string bytes = "stale";
  EXPECT_EQ(ReadRegularFile(fifo, bytes), FileReadStatus::NotRegular);  // no wait for a writer
  EXPECT_EQ(bytes, "");
  EXPECT_EQ(FileReadRefusal(fifo, FileReadStatus::NotRegular),
            "Cannot read file \"" + fifo + "\". Not a regular file");

  const std::string big = Path("big.stk");
  testing_files::WriteText(big, "");
  ASSERT_EQ(::truncate(big.c_str(), static_cast<off_t>(kMaxReadFileBytes) + 1), 0);
  EXPECT_EQ(ReadRegularFile(big, bytes), FileReadStatus::TooLarge);
  EXPECT_EQ(FileReadRefusal(big, FileReadStatus::TooLarge),
            "Cannot read file \"" + big + "\". The file is larger than the limit of 64 MiB");
  EXPECT_EQ(ReadRegularFile(Path("missing"), bytes), FileReadStatus::Missing);
  EXPECT_EQ(FileReadRefusal(Path("missing"), FileReadStatus::Missing), "");
}

}  // namespace
}  // namespace tralvin
