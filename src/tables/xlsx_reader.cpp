// .xlsx reading: relationships, workbook, shared strings and worksheet XML.
// Elements and attributes are matched by their local names, so any namespace
// prefix a producer chooses is accepted.
#include "tables/xlsx_reader.h"

#include <charconv>
#include <cstring>
#include <map>
#include <pugixml.hpp>

#include "base/text_decode.h"
#include "tables/import_file_types.h"
#include "tables/import_number_text.h"
#include "tables/xlsx_archive.h"

namespace tralvin {

namespace {

std::string_view LocalName(const char* name) {
  const char* colon = std::strrchr(name, ':');
  return colon != nullptr ? std::string_view(colon + 1) : std::string_view(name);
}

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

pugi::xml_node Child(pugi::xml_node node, std::string_view local) {
  for (pugi::xml_node child : node.children()) {
    if (child.type() == pugi::node_element && LocalName(child.name()) == local) return child;
  }
  return {};
}

pugi::xml_attribute Attribute(pugi::xml_node node, std::string_view local) {
  for (pugi::xml_attribute attr : node.attributes()) {
    if (LocalName(attr.name()) == local) return attr;
  }
  return {};
}

// The relationship id of a <sheet>: the prefixed "id" attribute (r:id).
std::string RelationshipId(pugi::xml_node sheet) {
  for (pugi::xml_attribute attr : sheet.attributes()) {
    if (std::strchr(attr.name(), ':') != nullptr && LocalName(attr.name()) == "id") {
      return attr.value();
    }
  }
  return {};
}

// All character data directly inside the node.
std::string NodeText(pugi::xml_node node) {
  std::string text;
  for (pugi::xml_node child : node.children()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
      text += child.value();
    }
  }
  return text;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Workbook strings write characters XML cannot hold as "_xHHHH_".
std::string DecodeEscapes(const std::string& text) {
  if (text.find("_x") == std::string::npos) return text;
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '_' && i + 6 < text.size() && text[i + 1] == 'x' && text[i + 6] == '_') {
      int code = 0;
      bool hex = true;
      for (std::size_t k = i + 2; k < i + 6; ++k) {
        const int v = HexValue(text[k]);
        if (v < 0) hex = false;
        code = code * 16 + (v < 0 ? 0 : v);
      }
      if (hex) {
        AppendUtf8(out, static_cast<char32_t>(code));
        i += 7;
        continue;
      }
    }
    out.push_back(text[i]);
    ++i;
  }
  return out;
}

// The text of a string item (<si> or <is>): its <t>, or the <t> of its runs.
std::string StringItemText(pugi::xml_node item) {
  std::string text;
  for (pugi::xml_node child : item.children()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view name = LocalName(child.name());
    if (name == "t") {
      text += NodeText(child);
    } else if (name == "r") {
      text += NodeText(Child(child, "t"));
    }
  }
  return ReplaceInvalidUtf8(DecodeEscapes(text));
}

class XmlPart {
 public:
  XmlPart(const XlsxArchive& archive, const std::string& name, bool required) {
    std::optional<std::string> bytes = archive.Read(name, kWorkbookMaxPartBytes);
    if (!bytes) {
      if (required) throw WorkbookError("missing part: " + name);
      return;
    }
    buffer_ = std::move(*bytes);
    const pugi::xml_parse_result parsed = doc_.load_buffer_inplace(
        buffer_.data(), buffer_.size(), pugi::parse_default | pugi::parse_ws_pcdata);
    if (!parsed) throw WorkbookError("malformed part: " + name);
    present_ = true;
  }
  bool Present() const { return present_; }
  pugi::xml_node Root() const { return doc_.document_element(); }

 private:
  std::string buffer_;  // parsed in place: must outlive doc_
  pugi::xml_document doc_;
  bool present_ = false;
};

std::string FolderOf(const std::string& partName) {
  const std::size_t slash = partName.rfind('/');
  return slash == std::string::npos ? std::string() : partName.substr(0, slash + 1);
}

std::string RelsNameOf(const std::string& partName) {
  const std::size_t slash = partName.rfind('/');
  const std::string file = slash == std::string::npos ? partName : partName.substr(slash + 1);
  return FolderOf(partName) + "_rels/" + file + ".rels";
}

struct Relationship {
  std::string type;
  std::string target;
};

// Internal relationships of a part, by id, with their targets resolved.
std::map<std::string, Relationship> ReadRelationships(const XlsxArchive& archive,
                                                      const std::string& partName) {
  std::map<std::string, Relationship> rels;
  const XmlPart part(archive, RelsNameOf(partName), false);
  if (!part.Present()) return rels;
  for (pugi::xml_node rel : part.Root().children()) {
    if (rel.type() != pugi::node_element || LocalName(rel.name()) != "Relationship") continue;
    if (std::string_view(Attribute(rel, "TargetMode").value()) == "External") continue;
    rels.emplace(
        Attribute(rel, "Id").value(),
        Relationship{Attribute(rel, "Type").value(),
                     ResolvePartName(FolderOf(partName), Attribute(rel, "Target").value())});
  }
  return rels;
}

std::string WorkbookPartName(const XlsxArchive& archive) {
  const XmlPart root(archive, "_rels/.rels", false);
  if (root.Present()) {
    for (pugi::xml_node rel : root.Root().children()) {
      if (rel.type() == pugi::node_element && LocalName(rel.name()) == "Relationship" &&
          EndsWith(Attribute(rel, "Type").value(), "/officeDocument")) {
        return ResolvePartName("", Attribute(rel, "Target").value());
      }
    }
  }
  return "xl/workbook.xml";
}

std::vector<std::string> ReadSharedStrings(const XlsxArchive& archive, const std::string& name) {
  std::vector<std::string> strings;
  const XmlPart part(archive, name, false);
  if (!part.Present()) return strings;
  for (pugi::xml_node si : part.Root().children()) {
    if (si.type() == pugi::node_element && LocalName(si.name()) == "si") {
      strings.push_back(StringItemText(si));
    }
  }
  return strings;
}

// A positive decimal number, or -1 when the text is not one (or too large).
long long ParseIndex(std::string_view text) {
  long long value = 0;
  const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
  if (res.ec != std::errc() || res.ptr != text.data() + text.size() || value < 0) return -1;
  return value;
}

// Column and row of a cell reference like "B12"; 0 for a part that is missing.
void ParseCellReference(std::string_view ref, long long& col, long long& row) {
  col = 0;
  row = 0;
  std::size_t i = 0;
  while (i < ref.size() && i < 4 && ref[i] >= 'A' && ref[i] <= 'Z') {
    col = col * 26 + (ref[i] - 'A' + 1);
    ++i;
  }
  if (i == 0 || (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z')) {
    col = 0;
    return;
  }
  const long long parsed = ParseIndex(ref.substr(i));
  row = parsed > 0 ? parsed : 0;
}

std::string CellText(pugi::xml_node cell, const std::vector<std::string>& sharedStrings) {
  const std::string_view type = Attribute(cell, "t").value();
  if (type == "inlineStr") return StringItemText(Child(cell, "is"));
  const std::string value = NodeText(Child(cell, "v"));
  if (type == "s") {
    const long long index = ParseIndex(value);
    if (index < 0 || static_cast<std::size_t>(index) >= sharedStrings.size()) return {};
    return sharedStrings[static_cast<std::size_t>(index)];
  }
  if (type == "str" || type == "e") return ReplaceInvalidUtf8(DecodeEscapes(value));
  if (type == "b") {
    if (value == "1") return "TRUE";
    if (value == "0") return "FALSE";
    return ReplaceInvalidUtf8(value);
  }
  if (type.empty() || type == "n") {
    double number = 0;
    const char* begin = value.data();
    const char* end = begin + value.size();
    const auto res = std::from_chars(begin, end, number);
    if (!value.empty() && res.ec == std::errc() && res.ptr == end) {
      return WorkbookNumberText(number);
    }
  }
  return ReplaceInvalidUtf8(value);
}

void ReadCells(pugi::xml_node worksheet, const std::vector<std::string>& sharedStrings, int maxRows,
               int maxCols, WorkbookSheetData& data) {
  long long rowNumber = 0;
  for (pugi::xml_node row : Child(worksheet, "sheetData").children()) {
    if (row.type() != pugi::node_element || LocalName(row.name()) != "row") continue;
    const long long given = ParseIndex(Attribute(row, "r").value());
    rowNumber = given > 0 ? given : rowNumber + 1;
    if (rowNumber > maxRows) continue;
    long long colNumber = 0;
    for (pugi::xml_node cell : row.children()) {
      if (cell.type() != pugi::node_element || LocalName(cell.name()) != "c") continue;
      long long refCol = 0;
      long long refRow = 0;
      ParseCellReference(Attribute(cell, "r").value(), refCol, refRow);
      colNumber = refCol > 0 ? refCol : colNumber + 1;
      if (colNumber > maxCols) continue;
      PutWorkbookCell(data, rowNumber, colNumber, maxRows, maxCols, CellText(cell, sharedStrings));
    }
  }
}

}  // namespace

void ReadXlsxWorkbook(std::string_view bytes, int sheetIndex, int maxRows, int maxCols,
                      WorkbookSheetData& data) {
  data = {};
  const XlsxArchive archive(bytes);
  const std::string workbookName = WorkbookPartName(archive);
  const std::map<std::string, Relationship> rels = ReadRelationships(archive, workbookName);

  std::vector<std::string> sheetIds;
  {
    const XmlPart workbook(archive, workbookName, true);
    if (LocalName(workbook.Root().name()) != "workbook") throw WorkbookError("not a workbook");
    for (pugi::xml_node sheet : Child(workbook.Root(), "sheets").children()) {
      if (sheet.type() != pugi::node_element || LocalName(sheet.name()) != "sheet") continue;
      data.sheetNames.push_back(ReplaceInvalidUtf8(Attribute(sheet, "name").value()));
      sheetIds.push_back(RelationshipId(sheet));
    }
  }
  if (sheetIndex < 0 || static_cast<std::size_t>(sheetIndex) >= sheetIds.size()) {
    throw WorkbookError("no worksheet " + std::to_string(sheetIndex + 1));
  }

  std::string sheetName = "xl/worksheets/sheet" + std::to_string(sheetIndex + 1) + ".xml";
  std::string sharedName;
  for (const auto& [id, rel] : rels) {
    if (id == sheetIds[static_cast<std::size_t>(sheetIndex)]) sheetName = rel.target;
    if (EndsWith(rel.type, "/sharedStrings")) sharedName = rel.target;
  }
  const std::vector<std::string> sharedStrings =
      sharedName.empty() ? std::vector<std::string>() : ReadSharedStrings(archive, sharedName);

  const XmlPart worksheet(archive, sheetName, true);
  ReadCells(worksheet.Root(), sharedStrings, maxRows, maxCols, data);
}

}  // namespace tralvin
