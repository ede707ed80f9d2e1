// The workbook import of the import window.
#include "tables/import_workbook.h"

#include <cstdio>
#include <memory>

#include "base/pubfunc.h"
#include "tables/import_file_read.h"
#include "tables/import_file_types.h"
#include "tables/xls_reader.h"
#include "tables/xlsx_reader.h"
#include "texts/caption_table.h"

namespace tralvin {

namespace {

constexpr std::string_view kZipSignature = "PK\x03\x04";
constexpr std::string_view kCompoundFileSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

void ClearCells(StringGrid& grid) {
  for (int r = 0; r < grid.RowCount(); ++r) grid.ClearRow(r);
}

bool RowHasData(const std::vector<std::string>& row) {
  for (const auto& cell : row) {
    if (!Trim(cell).empty()) return true;
  }
  return false;
}

WorkbookImportResult Failure(const CaptionTable& captions, std::string detail) {
  WorkbookImportResult result;
  result.ok = false;
  result.message = captions.Text("MSG_NEED_EXCEL");
  result.detail = std::move(detail);
  return result;
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// The first bytes of the file (fewer when it is shorter) and its size.
bool ReadHead(const std::string& fileName, std::string& head, long& size) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
  if (!file) return false;
  char buffer[8];
  head.assign(buffer, std::fread(buffer, 1, sizeof buffer, file.get()));
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return false;
  size = std::ftell(file.get());
  return size >= 0 && !std::ferror(file.get());
}

// Runs one reader; the sheet names are kept also when the worksheet fails.
template <typename Reader>
WorkbookImportResult Import(Reader read, StringGrid& preview, std::vector<std::string>& sheetNames,
                            const CaptionTable& captions) {
  WorkbookSheetData data;
  try {
    read(data);
  } catch (const WorkbookError& e) {
    sheetNames = data.sheetNames;
    return Failure(captions, e.what());
  }
  sheetNames = data.sheetNames;
  FillPreviewFromWorkbook(data, preview);
  return {};
}

}  // namespace

void FillPreviewFromWorkbook(const WorkbookSheetData& data, StringGrid& preview) {
  ClearCells(preview);
  const int rowsGiven = static_cast<int>(data.rows.size());
  int lastDataRow = 0;  // worksheet row number
  int emptyInARow = 0;
  for (int r = 1; r <= kWorkbookMaxRows && emptyInARow < kWorkbookMaxEmptyRows; ++r) {
    if (r > rowsGiven) {
      ++emptyInARow;
      continue;
    }
    const auto& cells = data.rows[r - 1];
    if (r > preview.RowCount()) preview.SetRowCount(r);
    for (int c = 0; c < kImportColumns && c < static_cast<int>(cells.size()); ++c) {
      preview.SetCell(c, r - 1, cells[c]);
    }
    if (RowHasData(cells)) {
      lastDataRow = r;
      emptyInARow = 0;
    } else {
      ++emptyInARow;
    }
  }
  preview.SetRowCount(lastDataRow + 1);
}

WorkbookImportResult ReadExcelBytes(std::string_view bytes, int m_excel_sheet_index,
                                    StringGrid& preview, std::vector<std::string>& sheetNames,
                                    const CaptionTable& captions) {
  sheetNames.clear();
  ClearCells(preview);
  return Import(
      [&](WorkbookSheetData& data) {
        ReadXlsxWorkbook(bytes, m_excel_sheet_index, kWorkbookMaxRows, kImportColumns, data);
      },
      preview, sheetNames, captions);
}

WorkbookImportResult ReadExcelFile(const std::string& sFileName, int m_excel_sheet_index,
                                   StringGrid& preview, std::vector<std::string>& sheetNames,
                                   const CaptionTable& captions) {
  sheetNames.clear();
  ClearCells(preview);
  if (const std::string error = CheckImportFile(sFileName); !error.empty()) {
    return Failure(captions, error);
  }
  std::string head;
  long size = 0;
  if (!ReadHead(sFileName, head, size)) return Failure(captions, "cannot read " + sFileName);
  if (static_cast<unsigned long>(size) > kImportMaxFileBytes) {
    return Failure(captions, kImportFileTooLarge);
  }
  if (head.substr(0, kCompoundFileSignature.size()) == kCompoundFileSignature) {
    return Import(
        [&](WorkbookSheetData& data) {
          ReadXlsWorkbook(sFileName, m_excel_sheet_index, kWorkbookMaxRows, kImportColumns, data);
        },
        preview, sheetNames, captions);
  }
  if (head.substr(0, kZipSignature.size()) != kZipSignature) {
    return Failure(captions, "not a workbook");
  }
  std::string bytes;
  if (std::string error = ReadImportFile(sFileName, bytes); !error.empty()) {
    return Failure(captions, std::move(error));
  }
  return ReadExcelBytes(bytes, m_excel_sheet_index, preview, sheetNames, captions);
}

}  // namespace tralvin
