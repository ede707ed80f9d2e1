// Reading and writing the types file, and the job's type filter.
#include "tables/material_types.h"

#include <algorithm>

#include "base/ini_file.h"

namespace tralvin {

namespace {

bool Contains(const std::vector<std::string>& list, const std::string& text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

std::string TypeSection(size_t i) { return "TYPE" + std::to_string(i); }

}  // namespace

void ReadTypesFile(const std::string& fileName, MaterialTypeLists& lists) {
  lists.MaterialTypes.clear();
  lists.SelectedTypes.clear();
  TIniFile ini(fileName);
  // A batch keeps the file in memory, so the per-key reads below do not each
  // parse the file again.
  ini.BeginUpdate();
  const int32_t count = std::min(ini.ReadInteger("HEAD", "NUMBER", 0), kMaxTypesInFile);
  for (int32_t i = 0; i < count; ++i) {
    const std::string section = TypeSection(static_cast<size_t>(i));
    std::string name = ini.ReadString(section, "STRING", "NOSTR");
    if (ini.ReadBool(section, "CHECK", true)) lists.SelectedTypes.push_back(name);
    lists.MaterialTypes.push_back(std::move(name));
  }
  ini.Discard();
}

void WriteTypesFile(const std::string& fileName, const MaterialTypeLists& lists) {
  TIniFile ini(fileName);
  ini.BeginUpdate();
  ini.EraseAll();
  ini.WriteInteger("HEAD", "NUMBER", static_cast<int32_t>(lists.MaterialTypes.size()));
  for (size_t i = 0; i < lists.MaterialTypes.size(); ++i) {
    const std::string& name = lists.MaterialTypes[i];
    const std::string section = TypeSection(i);
    ini.WriteString(section, "STRING", name);
    ini.WriteString(section, "CHECK", Contains(lists.SelectedTypes, name) ? "1" : "0");
  }
  ini.Commit();
}

bool TypeTakesPart(const MaterialTypeLists& lists, const std::string& type) {
  if (Contains(lists.SelectedTypes, type)) return true;
  return !Contains(lists.MaterialTypes, type);
}

}  // namespace tralvin
