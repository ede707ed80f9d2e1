// The built tralvin1d-batch end to end: exit statuses, failure texts on
// standard error, and the HTML page, through the program the build made.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "common/test_files.h"

namespace {

namespace fs = std::filesystem;

fs::path BatchProgram() { return TRALVIN_BATCH_PROGRAM; }

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

class BatchProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    program_ = BatchProgram();
    ASSERT_TRUE(fs::exists(program_)) << "tralvin1d-batch is not built at " << program_;
    scratch_ = std::make_unique<tralvin::testing_files::ScratchFolder>("tralvin_batch");
    work_ = scratch_->Path();
  }

  // Runs the program in an empty folder with the stock and piece text tables
  // of tests/data/batch_failures; returns the exit status.
  int Run(const std::string& stocks, const std::string& pieces, const std::string& extra = "") {
    const std::string data = std::string(TRALVIN_TEST_DATA_DIR) + "/batch_failures/";
    const std::string cmd = "cd " + Quote(work_.string()) + " && " + Quote(program_.string()) +
                            " " + Quote("-stock:" + data + stocks) + " " +
                            Quote("-piece:" + data + pieces) + " " + extra + " >out.txt 2>err.txt";
    const int status = std::system(cmd.c_str());
    out_ = ReadAll(work_ / "out.txt");
    err_ = ReadAll(work_ / "err.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::unique_ptr<tralvin::testing_files::ScratchFolder> scratch_;
  fs::path program_, work_;
  std::string out_, err_;
};

TEST_F(BatchProgramTest, FailureTextsGoToStandardError) {
  EXPECT_EQ(Run("empty.csv", "pieces.csv"), 1);
  EXPECT_EQ(err_, "raw stock list is empty\n");
  EXPECT_EQ(out_, "");

  EXPECT_EQ(Run("stocks.csv", "pieces_too_long.csv"), 1);
  EXPECT_EQ(err_,
            "ERROR :[P1] [Oak]7000 is longer than all raw stocks or can NOT find any raw stocks "
            "with material type : [Oak]\n");

  EXPECT_EQ(Run("stocks.csv", "pieces_same_label.csv"), 1);
  EXPECT_EQ(err_, "Name is not unique=[P1]\n");

  // Material types are case-sensitive: oak pieces find no Oak stock.
  EXPECT_EQ(Run("stocks.csv", "pieces_lower_case_type.csv"), 1);
  EXPECT_EQ(err_,
            "ERROR :[p] [oak]1000 is longer than all raw stocks or can NOT find any raw stocks "
            "with material type : [oak]\n");
}

TEST_F(BatchProgramTest, PlanReportAndNoFilesLeftBehind) {
  EXPECT_EQ(Run("stocks.csv", "pieces.csv"), 0) << err_;
  EXPECT_NE(out_.find("S1                  Oak                 6000      1"), std::string::npos);
  EXPECT_FALSE(fs::exists(work_ / "dump.opt"));
  EXPECT_FALSE(fs::exists(work_ / "default.opt"));

  EXPECT_EQ(Run("stocks.csv", "pieces.csv", "-dump:yes -report:r.txt"), 0) << err_;
  EXPECT_EQ(out_, "");
  EXPECT_NE(ReadAll(work_ / "r.txt").find("Layouts\n"), std::string::npos);
  for (const char* dump : {"dump.sht", "dump.prt", "dump.typ", "dump.opt"}) {
    EXPECT_TRUE(fs::exists(work_ / dump)) << dump;
  }

  EXPECT_EQ(Run("stocks.csv", "pieces.csv", "-bogus:1"), 2);
  EXPECT_NE(err_.find("usage:"), std::string::npos);
}

TEST_F(BatchProgramTest, HtmlPageShowsMarkupAsText) {
  EXPECT_EQ(Run("stocks_markup.csv", "pieces.csv", "-html:page.html"), 0) << err_;
  const std::string page = ReadAll(work_ / "page.html");
  EXPECT_EQ(page.rfind("\xEF\xBB\xBF<html>\r\n", 0), 0u);
  EXPECT_EQ(page.find("<b>"), std::string::npos);
  EXPECT_NE(page.find("&lt;b&gt;&amp;&nbsp;"), std::string::npos);
  EXPECT_NE(page.find("&quot;x&quot;"), std::string::npos);
}

}  // namespace
