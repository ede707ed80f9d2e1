// The known and the selected material types, the types file that stores them,
// and the rule that decides whether a type of the stock table is optimised.
#pragma once

#include <string>
#include <vector>

namespace tralvin {

struct MaterialTypeLists {
  // Every known type, in list order; duplicates are allowed.
  std::vector<std::string> MaterialTypes;
  // The known types that take part in optimisation.
  std::vector<std::string> SelectedTypes;
};

// Most entries a types file is read with; a larger "NUMBER" is taken as this.
inline constexpr int kMaxTypesInFile = 100000;

// Empties both lists and fills them from the types file. A missing or
// unreadable file gives two empty lists.
void ReadTypesFile(const std::string& fileName, MaterialTypeLists& lists);

// Rewrites the file as a whole: every section is erased, then "HEAD" and one
// "TYPE"+i section per entry of MaterialTypes are written. Throws
// IniWriteError when the file cannot be written; the old file then stays.
void WriteTypesFile(const std::string& fileName, const MaterialTypeLists& lists);

// True when stocks and pieces of the type are optimised: the type is selected,
// or it has never been registered. Exact, case-sensitive comparison.
bool TypeTakesPart(const MaterialTypeLists& lists, const std::string& type);

}  // namespace tralvin
