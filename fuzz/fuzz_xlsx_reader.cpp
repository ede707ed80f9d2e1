// Fuzz target: the .xlsx reader. Input starting with "PK" is taken as a whole
// workbook archive; any other input is cut at its first NUL into a worksheet
// part and a shared-strings part, packed into a workbook around them, so the
// XML reading is reached without valid checksums. Either way the read ends
// with a result (never a crash or a hang) and everything read is well-formed
// UTF-8 within the preview's limits.
#include <zip.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_decode.h"
#include "tables/import_file_types.h"
#include "tables/import_workbook.h"
#include "texts/caption_table.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

constexpr const char* kRootRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
constexpr const char* kWorkbook =
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
constexpr const char* kWorkbookRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>";

bool Add(zip_t* archive, const char* name, std::string_view bytes) {
  zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
  if (source == nullptr) return false;
  if (zip_file_add(archive, name, source, ZIP_FL_OVERWRITE) < 0) {
    zip_source_free(source);
    return false;
  }
  return true;
}

// A stored (uncompressed) workbook archive around the two parts.
std::string Pack(std::string_view sheet, std::string_view strings) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_error_fini(&error);
  Check(buffer != nullptr);
  zip_source_keep(buffer);
  zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, nullptr);
  Check(archive != nullptr);
  Check(Add(archive, "_rels/.rels", kRootRels) && Add(archive, "xl/workbook.xml", kWorkbook) &&
        Add(archive, "xl/_rels/workbook.xml.rels", kWorkbookRels) &&
        Add(archive, "xl/worksheets/sheet1.xml", sheet) &&
        Add(archive, "xl/sharedStrings.xml", strings));
  Check(zip_close(archive) == 0);
  std::string bytes;
  zip_stat_t stat;
  Check(zip_source_open(buffer) == 0);
  Check(zip_source_stat(buffer, &stat) == 0);
  bytes.resize(stat.size);
  Check(zip_source_read(buffer, bytes.data(), bytes.size()) ==
        static_cast<zip_int64_t>(bytes.size()));
  zip_source_close(buffer);
  zip_source_free(buffer);
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const tralvin::CaptionTable captions;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string packed;
  std::string_view workbook = input;
  if (input.substr(0, 2) != "PK") {
    const std::size_t nul = input.find('\0');
    const std::string_view sheet = input.substr(0, nul);
    const std::string_view strings =
        nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);
    packed = Pack(sheet, strings);
    workbook = packed;
  }
  tralvin::StringGrid preview(tralvin::kImportColumns, tralvin::kImportInitialRows);
  std::vector<std::string> names;
  const tralvin::WorkbookImportResult result =
      tralvin::ReadExcelBytes(workbook, 0, preview, names, captions);
  for (const auto& name : names) Check(tralvin::IsValidUtf8(name));
  if (!result.ok) return 0;
  Check(preview.RowCount() >= 1 && preview.RowCount() <= tralvin::kWorkbookMaxRows + 1);
  for (int r = 0; r < preview.RowCount(); ++r) {
    for (int c = 0; c < preview.ColCount(); ++c) Check(tralvin::IsValidUtf8(preview.Cell(c, r)));
  }
  return 0;
}
