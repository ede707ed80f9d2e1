// The option file: one section "OPTION" holding the Settings page, the window
// position, the grid column widths, the last table files and the remembered
// folders. Other sections (the label schemes) are never touched.
#pragma once

#include <string>
#include <vector>

#include "app/settings.h"

namespace tralvin {

class TPubFunc;
class CaptionTable;

inline constexpr const char* kOptionSection = "OPTION";
inline constexpr const char* kOptionFileExtension = ".opt";

// Reads the option file at the full path given into the model: every key, a
// missing file or key (and an "int"/"bool" value that is not an integer)
// taking its default. Then the immediate parameters follow their controls as
// their handlers would; a minimum offcut length or width that does not
// convert leaves its parameter unchanged and its warning in the result, for
// the window to show. `typeItemCount` is the number of items of the type
// drop-down: "MATERIAL_TYPE" outside 0 .. count-1 becomes 0.
std::vector<SettingsMessage> ReadOptionFile(SettingsModel& settings, const std::string& fileName,
                                            int typeItemCount, const TPubFunc& pubFunc,
                                            const CaptionTable& captions);

// StartFolder + "/" + baseName + ".opt".
std::string OptionFilePath(const SettingsModel& settings, const std::string& baseName);

// Writes every key of the section, in file order, into
// OptionFilePath(baseName); earlier values are overwritten key by key and
// nothing is erased. Throws IniWriteError when the file cannot be written
// (the file then keeps its old content).
void WriteOptionFile(const SettingsModel& settings, const std::string& baseName);

}  // namespace tralvin
