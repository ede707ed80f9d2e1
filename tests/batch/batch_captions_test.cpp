// The batch runner reads "default.cap" of its start folder: renamed heading
// words show in the report, a bundled language gives a whole report in that
// language, and the padded columns still line up (widths in code points).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "base/ini_file.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The text as code points, so that offsets count characters as the report's
// padding does.
std::u32string CodePoints(const std::string& s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const int n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t cp = n == 1 ? c : c & (0x3F >> (n - 1));
    for (int k = 1; k < n && i + k < s.size(); ++k) cp = (cp << 6) | (s[i + k] & 0x3F);
    out.push_back(cp);
    i += static_cast<size_t>(n);
  }
  return out;
}

class BatchCaptionsTest : public testing::Test {
 protected:
  void SetUp() override {
    work_ =
        fs::temp_directory_path() / ("tralvin_batch_captions_" + std::to_string(getpid()) + "_" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(work_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(work_, ec);
  }
  int Run() {
    const std::string data = std::string(TRALVIN_TEST_DATA_DIR) + "/batch_failures/";
    const std::string cmd = "cd '" + work_.string() + "' && '" + TRALVIN_BATCH_PROGRAM +
                            "' '-stock:" + data + "stocks.csv' '-piece:" + data +
                            "pieces.csv' >out.txt 2>err.txt";
    const int status = std::system(cmd.c_str());
    out_ = ReadAll(work_ / "out.txt");
    err_ = ReadAll(work_ / "err.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // The first line that starts with `start` after the line `after` (from the
  // top when `after` is empty), or "".
  std::string LineStarting(const std::string& start, const std::string& after = "") const {
    bool searching = after.empty();
    for (const std::string& line : Lines(out_)) {
      if (searching && line.rfind(start, 0) == 0) return line;
      if (line == after) searching = true;
    }
    return "";
  }
  fs::path work_;
  std::string out_, err_;
};

TEST_F(BatchCaptionsTest, DefaultCaptionFileRenamesAReportHeading) {
  std::ofstream(work_ / "default.cap", std::ios::binary)
      << "[CAPTION]\r\nStock Utilization Caption=Yield\r\nTotal Cost=Cost of the bars\r\n";
  ASSERT_EQ(Run(), 0) << err_;
  EXPECT_NE(out_.find("Yield                                   : "), std::string::npos) << out_;
  EXPECT_NE(out_.find("Cost of the bars                        : "), std::string::npos);
  EXPECT_EQ(out_.find("Utilization"), std::string::npos);
  // The batch runner only reads the caption file.
  EXPECT_EQ(ReadAll(work_ / "default.cap"),
            "[CAPTION]\r\nStock Utilization Caption=Yield\r\nTotal Cost=Cost of the bars\r\n");
}

// A bundled language as default.cap: every heading word of the report is the
// translated one, and every heading starts at its column.
TEST_F(BatchCaptionsTest, BundledLanguagesGiveAlignedReports) {
  const fs::path bundled = fs::path(TRALVIN_SOURCE_DIR) / "share" / "captions";
  for (const char* language : {"German", "French", "Spanish", "Italian", "Polish", "Chinese"}) {
    SCOPED_TRACE(language);
    fs::copy_file(bundled / (std::string(language) + ".cap"), work_ / "default.cap",
                  fs::copy_options::overwrite_existing);
    const tralvin::TIniFile cap((work_ / "default.cap").string());
    auto text = [&cap](const char* key) { return cap.ReadString("CAPTION", key, "?"); };
    ASSERT_EQ(Run(), 0) << err_;

    // The stock and piece headings, each word at the offset of its column.
    struct Heading {
      std::string section;
      std::vector<const char*> keys;
      std::vector<size_t> offsets;
    };
    const std::vector<Heading> headings = {
        {text("Tab Stocks") + ":",
         {"Stock Label Caption", "Material Type Caption", "Stock Length Caption",
          "Stock Cost Caption", "Stock Qty Caption", "Stock USED Caption", "Stock REST Caption",
          "Stock Priority", "Comment Caption"},
         {0, 20, 40, 50, 60, 70, 80, 90, 102}},
        {text("Tab Pieces") + ":",
         {"Part Label Caption", "Material Type Caption", "Part Length Caption", "Part Qty Caption",
          "Max Pieces Qty", "Used Pieces Qty", "Comment Caption"},
         {0, 20, 40, 50, 60, 70, 82}},
    };
    for (const auto& [section, keys, offsets] : headings) {
      const std::string line = LineStarting(text(keys.front()) + " ", section);
      ASSERT_FALSE(line.empty()) << keys.front() << "\n" << out_;
      const std::u32string cps = CodePoints(line);
      for (size_t i = 0; i < keys.size(); ++i) {
        const std::u32string word = CodePoints(text(keys[i]));
        EXPECT_EQ(cps.substr(offsets[i], word.size()), word) << keys[i] << " in " << line;
        if (offsets[i] > 0) {
          EXPECT_EQ(cps[offsets[i] - 1], U' ') << keys[i] << " in " << line;
        }
      }
    }
    // The data rows use the same offsets: the stock's length and the piece's count.
    EXPECT_EQ(CodePoints(LineStarting("S1 ")).substr(40, 5), U"6000 ");
    EXPECT_EQ(CodePoints(LineStarting("P1 ")).substr(40, 5), U"1000 ");
    EXPECT_EQ(CodePoints(LineStarting("S1 ")).substr(70, 2), U"1 ");  // bars used

    for (const char* key : {"Cost Optimize Caption", "Measure Caption", "Blade Width Caption"}) {
      const std::u32string line = CodePoints(LineStarting(text(key)));
      ASSERT_GE(line.size(), 27u) << key;
      EXPECT_EQ(line.substr(25, 2), U": ") << key;
    }
    for (const char* key : {"Stock Utilization Caption", "Total Cost"}) {
      const std::u32string line = CodePoints(LineStarting(text(key)));
      ASSERT_GE(line.size(), 42u) << key;
      EXPECT_EQ(line.substr(40, 2), U": ") << key;
    }
    EXPECT_EQ(CodePoints(LineStarting(text("Left Caption"))).substr(10, 3), U" : ");
    EXPECT_FALSE(LineStarting(text("Tab Stocks") + ":").empty());
    EXPECT_FALSE(LineStarting(text("Tab Pieces") + ":").empty());
    EXPECT_FALSE(LineStarting(text("Layout Caption")).empty());
    EXPECT_FALSE(
        LineStarting(text("Stock USED Caption") + " " + text("Total Qty Caption") + ": 1").empty());
    // No English heading word is left.
    for (const char* english : {"Layouts", "Utilization", "total price", "surplus", "Stocks Type",
                                "Blade Width", "Cost Optimize", "scraps", "quantity"}) {
      EXPECT_EQ(out_.find(english), std::string::npos) << english;
    }
  }
}

}  // namespace
