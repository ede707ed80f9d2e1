// Reading, saving and appending stock and piece table files.
#include "tables/table_files.h"

#include <array>
#include <string>
#include <vector>

#include "base/ini_file.h"
#include "base/pubfunc.h"
#include "tables/table_grids.h"
#include "tables/table_merge.h"

namespace tralvin {

namespace {

constexpr const char* kOptionsSection = "OPTIONS";
constexpr const char* kBestDimensionKey = "ISBESTDIMENSION";

// Keys of a record in file order; the index is the grid column.
constexpr std::array<const char*, kSheetColCount> kSheetKeys = {
    "LABEL", "TYPE", "LENGTH", "QTY", "COST", "PRIORITY", "COMMENT"};
constexpr std::array<const char*, kPartColCount> kPartKeys = {"LABEL", "TYPE",   "LENGTH",
                                                              "QTY",   "MAXQTY", "COMMENT"};

// Default of a key that a record lacks.
const char* DefaultOf(std::string_view key) { return key == "PRIORITY" ? "0" : ""; }

using Record = std::vector<std::string>;

// Records prefix1, prefix2 ... up to the first missing one, at most 10000.
// `keys` are read in order with their defaults. The file is parsed once.
std::vector<Record> ReadRecords(TIniFile& ini, const std::string& prefix,
                                const std::vector<std::pair<const char*, const char*>>& keys) {
  std::vector<Record> records;
  for (int n = 1; n <= kMaxTableRecords; ++n) {
    const std::string section = prefix + std::to_string(n);
    if (!ini.SectionExists(section)) break;
    Record record;
    record.reserve(keys.size());
    for (const auto& [key, defaultValue] : keys) {
      record.push_back(ini.ReadString(section, key, defaultValue));
    }
    records.push_back(std::move(record));
  }
  return records;
}

template <size_t N>
std::vector<std::pair<const char*, const char*>> KeysWithDefaults(
    const std::array<const char*, N>& keys) {
  std::vector<std::pair<const char*, const char*>> result;
  for (const char* key : keys) result.emplace_back(key, DefaultOf(key));
  return result;
}

// Replaces the grid's data by the records: records + 2 rows.
void FillGrid(StringGrid& grid, std::vector<Record> records) {
  grid.ClearData();
  grid.SetRowCount(static_cast<int>(records.size()) + 2);
  for (size_t i = 0; i < records.size(); ++i) {
    grid.SetRow(static_cast<int>(i) + 1, std::move(records[i]));
  }
}

template <size_t N>
TableSaveResult SaveTable(const StringGrid& grid, const std::string& fileName,
                          const std::string& prefix, const std::array<const char*, N>& keys,
                          const std::array<int, 3>& testedColumns,
                          const std::optional<bool>& bestDimensionMode, bool bChangeEditFilename) {
  TableSaveResult result;
  TIniFile ini(fileName);
  try {
    ini.BeginUpdate();
    ini.EraseAll();
    if (bestDimensionMode) ini.WriteBool(kOptionsSection, kBestDimensionKey, *bestDimensionMode);
    for (int r = 1; r < grid.RowCount(); ++r) {
      bool written = false;
      for (int col : testedColumns) written = written || !grid.Cell(col, r).empty();
      if (!written) continue;
      const std::string section = prefix + std::to_string(++result.records);
      for (size_t col = 0; col < N; ++col) {
        ini.WriteString(section, keys[col], grid.Cell(static_cast<int>(col), r));
      }
    }
    ini.Commit();
  } catch (const IniWriteError& e) {
    ini.Discard();
    result.ok = false;
    result.message = WriteFailureText(e);
    result.records = 0;
    return result;
  }
  if (bChangeEditFilename) result.showFileName = fileName;
  return result;
}

}  // namespace

TableReadResult ReadSheetsFile(StringGrid& sheets, const std::string& sFileName) {
  TableReadResult result;
  result.fileName = sFileName;
  TIniFile ini(sFileName);
  ini.BeginUpdate();
  result.bestDimensionMode = ini.ReadInteger(kOptionsSection, kBestDimensionKey, 0) != 0;
  std::vector<Record> records = ReadRecords(ini, "SHEET", KeysWithDefaults(kSheetKeys));
  ini.Discard();
  result.records = static_cast<int>(records.size());
  FillGrid(sheets, std::move(records));
  return result;
}

TableReadResult ReadPartsFile(StringGrid& parts, const std::string& sFileName) {
  TableReadResult result;
  result.fileName = sFileName;
  TIniFile ini(sFileName);
  ini.BeginUpdate();
  std::vector<Record> records = ReadRecords(ini, "PART", KeysWithDefaults(kPartKeys));
  ini.Discard();
  result.records = static_cast<int>(records.size());
  FillGrid(parts, std::move(records));
  return result;
}

TableSaveResult SaveSheetsFile(const StringGrid& sheets, bool bestDimensionMode,
                               const std::string& sFileName, bool bChangeEditFilename) {
  return SaveTable(sheets, sFileName, "SHEET", kSheetKeys,
                   {kSheetColLabel, kSheetColLength, kSheetColQty}, bestDimensionMode,
                   bChangeEditFilename);
}

TableSaveResult SavePartsFile(const StringGrid& parts, const std::string& sFileName,
                              bool bChangeEditFilename) {
  return SaveTable(parts, sFileName, "PART", kPartKeys,
                   {kPartColLabel, kPartColLength, kPartColMaxQty}, std::nullopt,
                   bChangeEditFilename);
}

TableAppendResult AppendSheetsFile(StringGrid& sheets, const std::string& sFileName) {
  TIniFile ini(sFileName);
  ini.BeginUpdate();
  // WIDTH comes from files of the two-dimensional edition; it is read and not used.
  const std::vector<Record> records = ReadRecords(ini, "SHEET",
                                                  {{"LABEL", ""},
                                                   {"TYPE", ""},
                                                   {"LENGTH", ""},
                                                   {"WIDTH", ""},
                                                   {"QTY", ""},
                                                   {"COST", ""},
                                                   {"PRIORITY", "0"},
                                                   {"COMMENT", ""}});
  ini.Discard();
  TableAppendResult result;
  TableMerger merger(sheets);
  for (const Record& r : records) {
    try {
      merger.MergeSheet(r[0], r[1], r[2], r[4], r[5], r[6], r[7]);
    } catch (const ConversionError& e) {
      result.ok = false;
      result.message = e.what();
      return result;
    }
    ++result.records;
  }
  return result;
}

TableAppendResult AppendPartsFile(StringGrid& parts, const std::string& sFileName) {
  TIniFile ini(sFileName);
  ini.BeginUpdate();
  // WIDTH and ROTATE come from files of the two-dimensional edition; they are
  // read and not used.
  const std::vector<Record> records = ReadRecords(ini, "PART",
                                                  {{"LABEL", ""},
                                                   {"TYPE", ""},
                                                   {"LENGTH", ""},
                                                   {"WIDTH", ""},
                                                   {"QTY", ""},
                                                   {"MAXQTY", ""},
                                                   {"ROTATE", "R"},
                                                   {"COMMENT", ""}});
  ini.Discard();
  TableAppendResult result;
  TableMerger merger(parts);
  for (const Record& r : records) {
    try {
      merger.MergePart(r[0], r[1], r[2], r[4], r[5], r[7]);
    } catch (const ConversionError& e) {
      result.ok = false;
      result.message = e.what();
      return result;
    }
    ++result.records;
  }
  return result;
}

}  // namespace tralvin
