// Fuzz target: any bytes as an INI-style file. Decoding and parsing never fail,
// and writing the document back and parsing it again gives the same sections
// and values; a value set through the document reads back as stored.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/ini_document.h"
#include "base/pubfunc.h"
#include "base/text_decode.h"

using tralvin::IniDocument;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

std::string ValueOf(const IniDocument& doc, const std::string& section, const std::string& key) {
  std::string value;
  return doc.Find(section, key, value) ? value : std::string("\x01missing");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string text = tralvin::DecodeText(bytes);
  Check(tralvin::IsValidUtf8(text));
  IniDocument doc = IniDocument::Parse(text);
  IniDocument again = IniDocument::Parse(doc.Serialize());
  Check(doc.SectionNames() == again.SectionNames());
  Check(again.Serialize() == doc.Serialize());

  // Use the first line of the text as section, key and value of one write.
  std::string line = text.substr(0, text.find_first_of("\r\n"));

  // The parsed form and the editable form (made by a change that changes
  // nothing) answer alike.
  IniDocument editable = doc;
  Check(!editable.EraseSection("]"));
  Check(editable.SectionNames() == doc.SectionNames());
  Check(editable.Serialize() == doc.Serialize());
  for (const std::string& name : doc.SectionNames()) {
    Check(editable.SectionHasKeys(name) == doc.SectionHasKeys(name));
  }
  const std::vector<std::string> names = doc.SectionNames();
  for (const std::string& probe : {line, line.substr(0, line.find('=')), std::string("k")}) {
    for (size_t i = 0; i < names.size() && i < 64; ++i) {
      Check(ValueOf(editable, names[i], probe) == ValueOf(doc, names[i], probe));
    }
  }
  std::string section = line.substr(0, line.size() / 3);
  std::string key = line.substr(line.size() / 3, line.size() / 3);
  std::string value = line.substr(2 * (line.size() / 3));
  if (IniDocument::IsStorableSection(section) && IniDocument::IsStorableKey(key)) {
    doc.Set(section, key, value);
    IniDocument written = IniDocument::Parse(doc.Serialize());
    std::string expected = tralvin::Trim(value);
    if (expected.size() >= 2 && expected.front() == '"' && expected.back() == '"') {
      expected = expected.substr(1, expected.size() - 2);
    }
    Check(ValueOf(written, section, key) == expected);
    Check(written.SectionHasKeys(section));
    written.EraseSection(section);
    Check(!written.SectionHasKeys(section));
  }
  return 0;
}
