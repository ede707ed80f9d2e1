// .xls reading through libfreexl.
#include "tables/xls_reader.h"

#include <freexl.h>

#include <algorithm>

#include "base/text_decode.h"
#include "tables/import_number_text.h"

namespace tralvin {

namespace {

class FreeXlHandle {
 public:
  explicit FreeXlHandle(const std::string& fileName) {
    const int rc = freexl_open(fileName.c_str(), &handle_);
    if (rc != FREEXL_OK) throw WorkbookError("cannot open workbook (" + std::to_string(rc) + ")");
  }
  ~FreeXlHandle() {
    if (handle_ != nullptr) freexl_close(handle_);
  }
  FreeXlHandle(const FreeXlHandle&) = delete;
  FreeXlHandle& operator=(const FreeXlHandle&) = delete;
  const void* get() const { return handle_; }

 private:
  const void* handle_ = nullptr;
};

unsigned int Info(const FreeXlHandle& xls, unsigned short what) {
  unsigned int value = 0;
  if (freexl_get_info(xls.get(), what, &value) != FREEXL_OK) {
    throw WorkbookError("unreadable workbook");
  }
  return value;
}

std::string ValueText(const FreeXL_CellValue& value) {
  switch (value.type) {
    case FREEXL_CELL_INT:
      return std::to_string(value.value.int_value);
    case FREEXL_CELL_DOUBLE:
      return WorkbookNumberText(value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
      return value.value.text_value != nullptr ? ReplaceInvalidUtf8(value.value.text_value)
                                               : std::string();
    default:
      return {};
  }
}

}  // namespace

void ReadXlsWorkbook(const std::string& fileName, int sheetIndex, int maxRows, int maxCols,
                     WorkbookSheetData& data) {
  data = {};
  const FreeXlHandle xls(fileName);
  if (Info(xls, FREEXL_BIFF_PASSWORD) == FREEXL_BIFF_OBFUSCATED) {
    throw WorkbookError("password-protected workbook");
  }
  const unsigned int sheets = Info(xls, FREEXL_BIFF_SHEET_COUNT);
  for (unsigned int i = 0; i < sheets && i <= 0xFFFF; ++i) {
    const char* name = nullptr;
    if (freexl_get_worksheet_name(xls.get(), static_cast<unsigned short>(i), &name) != FREEXL_OK) {
      throw WorkbookError("unreadable sheet name");
    }
    data.sheetNames.push_back(name != nullptr ? ReplaceInvalidUtf8(name) : std::string());
  }
  if (sheetIndex < 0 || static_cast<std::size_t>(sheetIndex) >= data.sheetNames.size()) {
    throw WorkbookError("no worksheet " + std::to_string(sheetIndex + 1));
  }
  if (freexl_select_active_worksheet(xls.get(), static_cast<unsigned short>(sheetIndex)) !=
      FREEXL_OK) {
    throw WorkbookError("unreadable worksheet");
  }
  unsigned int rows = 0;
  unsigned short cols = 0;
  if (freexl_worksheet_dimensions(xls.get(), &rows, &cols) != FREEXL_OK) {
    throw WorkbookError("unreadable worksheet");
  }
  const unsigned int lastRow = std::min(rows, static_cast<unsigned int>(std::max(maxRows, 0)));
  const unsigned short lastCol =
      static_cast<unsigned short>(std::min(static_cast<int>(cols), std::max(maxCols, 0)));
  for (unsigned int r = 0; r < lastRow; ++r) {
    for (unsigned short c = 0; c < lastCol; ++c) {
      FreeXL_CellValue value;
      if (freexl_get_cell_value(xls.get(), r, c, &value) != FREEXL_OK) {
        throw WorkbookError("unreadable cell");
      }
      PutWorkbookCell(data, r + 1LL, c + 1LL, maxRows, maxCols, ValueText(value));
    }
  }
}

}  // namespace tralvin
