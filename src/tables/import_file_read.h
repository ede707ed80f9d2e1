// Reading a whole import file into memory, refusing files beyond the import
// size limit so a huge file ends with a message instead of exhausting memory.
#pragma once

#include <string>

namespace tralvin {

// "" when the name is an existing regular file, else the failure text.
std::string CheckImportFile(const std::string& fileName);

// Reads the file into bytes. Returns "" on success, else the failure text,
// e.g. `Cannot open file "x.csv". No such file or directory`.
std::string ReadImportFile(const std::string& fileName, std::string& bytes);

}  // namespace tralvin
