// The batch runner's label mode end to end: a PDF of the stock labels, its
// pages and texts read back with poppler's pdfinfo and pdftotext.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool HavePoppler() {
  return std::system(
             "command -v pdfinfo >/dev/null 2>&1 && command -v pdftotext >/dev/null 2>&1") == 0;
}

class LabelPdfTest : public testing::Test {
 protected:
  void SetUp() override {
    work_ =
        fs::temp_directory_path() / ("tralvin_labels_" + std::to_string(getpid()) + "_" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(work_);
    fs::create_directories(work_);
    // 31 bars: 20 of S1, 10 of S2, 1 of S3.
    Write("default.stk",
          "[SHEET1]\r\nLABEL=S1\r\nTYPE=Oak\r\nLENGTH=6000\r\nQTY=20\r\nCOMMENT=rack A\r\n"
          "[SHEET2]\r\nLABEL=S2\r\nTYPE=Pine\r\nLENGTH=4000 1/2\r\nQTY=10\r\n"
          "[SHEET3]\r\nLABEL=LAST-BAR\r\nTYPE=Oak\r\nLENGTH=3000\r\nQTY=1\r\n");
    // Scheme 4: 3 × 10 labels, a top band with the material type, body label and length.
    Write("default.opt",
          "[OPTION]\r\nPROJECT_TITLE=Order 77\r\nSHEETS_LABEL_PRINT_INDEX=3\r\n"
          "[LABEL_SCHEME_4]\r\nEditLabelColNumber=3\r\nEditLabelRowNumber=10\r\n"
          "EditWidthMarge=0.5\r\nCheckBoxTopTitle=1\r\nEditTopTitleCaption=type:\r\n"
          "ComboBoxTopTitleData=1\r\nEditTopTitleWidth=0.3\r\nScrollBarLabelRowCount=2\r\n"
          "ScrollBarLabelColCount=2\r\nStringGridLabelDataFormat_1_1=name\r\n"
          "StringGridLabelDataFormat_1_2=length\r\nStringGridLabelDataFormat_2_1=Print on title\r\n"
          "StringGridLabelDataFormat_2_2=fixed\r\n"
          "[LABEL_SCHEME_5]\r\nEditLabelColNumber=3\r\nEditLabelRowNumber=x\r\n");
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(work_, ec);
  }
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(work_ / name, std::ios::binary) << text;
  }
  int Run(const std::string& command) {
    const std::string cmd = "cd '" + work_.string() + "' && " + command + " >out.txt 2>err.txt";
    const int status = std::system(cmd.c_str());
    out_ = ReadAll(work_ / "out.txt");
    err_ = ReadAll(work_ / "err.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  int Batch(const std::string& switches) {
    return Run(
        std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR '") +
        TRALVIN_BATCH_PROGRAM + "' " + switches);
  }
  std::string PageText(int page) {
    EXPECT_EQ(Run("pdftotext -layout -f " + std::to_string(page) + " -l " + std::to_string(page) +
                  " labels.pdf -"),
              0);
    return out_;
  }
  static int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
  }

  fs::path work_;
  std::string out_, err_;
};

TEST_F(LabelPdfTest, ThirtyOneBarsOnThreeByTenGiveTwoPages) {
  if (!HavePoppler()) GTEST_SKIP() << "poppler-utils (pdfinfo, pdftotext) is not installed";
  // No display: the runner uses Qt's offscreen platform. The remembered scheme is item 3.
  ASSERT_EQ(Batch("-labels:stocks -labelpdf:labels.pdf"), 0) << err_;
  EXPECT_EQ(err_, "");
  ASSERT_EQ(Run("pdfinfo labels.pdf"), 0);
  const std::string info = out_;
  EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;
  EXPECT_NE(info.find("(A4)"), std::string::npos) << info;

  const std::string first = PageText(1);
  EXPECT_EQ(Count(first, "S1"), 20);
  EXPECT_EQ(Count(first, "S2"), 10);
  EXPECT_EQ(Count(first, "6000 X 1"), 20);
  EXPECT_EQ(Count(first, "4000 1/2 X 1"), 10);
  EXPECT_EQ(Count(first, "type:Oak"), 20);
  EXPECT_EQ(Count(first, "type:Pine"), 10);
  EXPECT_EQ(Count(first, "Order 77"), 30);
  EXPECT_EQ(Count(first, "fixed"), 30);
  EXPECT_EQ(Count(first, "LAST-BAR"), 0);
  const std::string second = PageText(2);
  EXPECT_EQ(Count(second, "LAST-BAR"), 1);
  EXPECT_EQ(Count(second, "3000 X 1"), 1);
  EXPECT_EQ(Count(second, "fixed"), 1);
  EXPECT_EQ(Count(second, "S1"), 0);

  ASSERT_EQ(Batch("-labels:stocks -labelscheme:4 -paper:letter -labelpdf:letter.pdf"), 0) << err_;
  ASSERT_EQ(Run("pdfinfo letter.pdf"), 0);
  EXPECT_NE(out_.find("(letter)"), std::string::npos) << out_;
}

TEST_F(LabelPdfTest, FailuresWriteNoFile) {
  // A bad scheme field: the window's warning text, exit 1, no file.
  EXPECT_EQ(Batch("-labels:stocks -labelscheme:5 -labelpdf:labels.pdf"), 1);
  EXPECT_EQ(err_, "['x' is not a valid integer value]invalid data\n");
  EXPECT_FALSE(fs::exists(work_ / "labels.pdf"));
  // A bad table cell: the table's failure text.
  Write("default.dst", "[PART1]\r\nLABEL=P1\r\nLENGTH=12a\r\nQTY=1\r\n");
  EXPECT_EQ(Batch("-labels:pieces -labelpdf:labels.pdf"), 1);
  EXPECT_NE(err_.find("12a"), std::string::npos) << err_;
  EXPECT_FALSE(fs::exists(work_ / "labels.pdf"));
  // Usage mistakes.
  EXPECT_EQ(Batch("-labels:offcuts -labelpdf:labels.pdf"), 2);
  EXPECT_EQ(Batch("-labels:stocks"), 2);
  EXPECT_EQ(Batch("-labels: -labelpdf:labels.pdf"), 2);
  EXPECT_EQ(Batch("-labels:stocks -labelscheme:10 -labelpdf:labels.pdf"), 2);
  EXPECT_EQ(Batch("-labels:stocks -paper:a3 -labelpdf:labels.pdf"), 2);
  EXPECT_FALSE(fs::exists(work_ / "labels.pdf"));
  // A folder that cannot be written.
  EXPECT_EQ(Batch("-labels:stocks -labelscheme:4 -labelpdf:no/such/folder.pdf"), 1);
  EXPECT_NE(err_.find("Unable to write to no/such/folder.pdf"), std::string::npos) << err_;
}

}  // namespace
