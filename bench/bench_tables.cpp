// Times the table operations on a 10,000-row stock table: load the file, sort
// by length, recompute the totals, save, and append the file onto itself.
// The instances folder given as the first argument is not used.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "base/pubfunc.h"
#include "tables/grid_sort.h"
#include "tables/grid_totals.h"
#include "tables/table_files.h"
#include "tables/table_grids.h"
#include "texts/caption_table.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A stock table of `rows` distinct records with random lengths.
tralvin::StringGrid MakeTable(int rows) {
  std::mt19937 rng(20240601);
  tralvin::StringGrid grid(tralvin::kSheetColCount, rows + 1);
  for (int r = 1; r <= rows; ++r) {
    grid.SetRow(r, {"S" + std::to_string(r), r % 3 ? "steel" : "alu",
                    std::to_string(1000 + rng() % 11000) + "." + std::to_string(rng() % 10),
                    std::to_string(rng() % 50), std::to_string(rng() % 100) + ".25",
                    std::to_string(rng() % 10), "bench row"});
  }
  return grid;
}

}  // namespace

int main() {
  namespace fs = std::filesystem;
  const int kRows = tralvin::kMaxTableRecords;
  const fs::path dir = fs::temp_directory_path() / "tralvin_bench_tables";
  fs::create_directories(dir);
  const std::string source = (dir / "source.stk").string();
  const std::string target = (dir / "sorted.stk").string();

  tralvin::CaptionTable captions;
  tralvin::TPubFunc pubFunc;
  if (!tralvin::SaveSheetsFile(MakeTable(kRows), false, source, false).ok) {
    std::fprintf(stderr, "cannot write %s\n", source.c_str());
    return 1;
  }

  tralvin::StringGrid grid(tralvin::kSheetColCount, tralvin::kInitialGridRows);
  auto start = Clock::now();
  const tralvin::TableReadResult read = tralvin::ReadSheetsFile(grid, source);
  const double loadMs = MillisecondsSince(start);

  tralvin::TableSortState state;
  start = Clock::now();
  const bool sorted = !tralvin::SortSheetsByColumn(grid, tralvin::kSheetColLength, state, pubFunc);
  const double sortMs = MillisecondsSince(start);

  start = Clock::now();
  const bool totalled = tralvin::TotalOfSheets(grid, captions, pubFunc).totals.has_value();
  const double totalsMs = MillisecondsSince(start);

  start = Clock::now();
  const tralvin::TableSaveResult saved = tralvin::SaveSheetsFile(grid, false, target, false);
  const double saveMs = MillisecondsSince(start);

  start = Clock::now();
  const tralvin::TableAppendResult appended = tralvin::AppendSheetsFile(grid, source);
  const double appendMs = MillisecondsSince(start);

  std::printf("stock table of %d rows (records read: %d)\n", kRows, read.records);
  std::printf("  load              %8.1f ms\n", loadMs);
  std::printf("  sort by length    %8.1f ms%s\n", sortMs, sorted ? "" : " (failed)");
  std::printf("  totals            %8.1f ms%s\n", totalsMs, totalled ? "" : " (failed)");
  std::printf("  save              %8.1f ms%s\n", saveMs, saved.ok ? "" : " (failed)");
  std::printf("  append (merge)    %8.1f ms (%d records)\n", appendMs, appended.records);
  fs::remove_all(dir);
  return read.records == kRows && sorted && totalled && saved.ok && appended.ok ? 0 : 1;
}
