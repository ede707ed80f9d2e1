// Benchmark of the INI layer: writes a 10,000-record stock table file (70,001
// keys) in one batch into a temporary folder, then reads every key back.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "base/ini_file.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main() {
  namespace fs = std::filesystem;
  const fs::path folder =
      fs::temp_directory_path() / ("tralvin-bench-ini-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const std::string file = (folder / "bench.stk").string();
  const int records = 10000;

  auto start = std::chrono::steady_clock::now();
  {
    tralvin::TIniFile ini(file);
    ini.BeginUpdate();
    ini.WriteString("OPTIONS", "ISBESTDIMENSION", "0");
    for (int i = 1; i <= records; ++i) {
      const std::string section = "SHEET" + std::to_string(i);
      ini.WriteString(section, "LABEL", "S" + std::to_string(i));
      ini.WriteString(section, "TYPE", "steel");
      ini.WriteString(section, "LENGTH", std::to_string(1000 + i % 5000));
      ini.WriteString(section, "QTY", std::to_string(1 + i % 9));
      ini.WriteString(section, "COST", "12.5");
      ini.WriteString(section, "PRIORITY", "0");
      ini.WriteString(section, "COMMENT", "bench");
    }
    ini.Commit();
  }
  const double written = Seconds(start);

  start = std::chrono::steady_clock::now();
  size_t chars = 0;
  {
    // Bulk readers open a batch: the file is parsed once and every key is
    // answered from memory, as the table file reader does.
    tralvin::TIniFile ini(file);
    ini.BeginUpdate();
    chars += ini.ReadString("OPTIONS", "ISBESTDIMENSION", "").size();
    for (int i = 1; i <= records; ++i) {
      const std::string section = "SHEET" + std::to_string(i);
      for (const char* key : {"LABEL", "TYPE", "LENGTH", "QTY", "COST", "PRIORITY", "COMMENT"})
        chars += ini.ReadString(section, key, "").size();
    }
    ini.Discard();
  }
  const double read = Seconds(start);
  fs::remove_all(folder);

  std::printf("ini: %d records, %d keys: write %.3f s, read %.3f s, total %.3f s (%zu chars)\n",
              records, records * 7 + 1, written, read, written + read, chars);
  return 0;
}
