// Languages: a language is a caption file named after it. Choosing one loads
// that file and makes the texts shown the default caption file "default.cap".
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "texts/caption_table.h"

namespace tralvin {

// The items of the language list, in order ("English" first and again in its
// alphabetical place).
inline constexpr std::array<std::string_view, 27> kLanguageItems = {
    "English",  "Albanian", "Arabic",   "Azerbaidzhan", "Bulgarian", "Byelorussian", "Chinese",
    "Danish",   "Dutch",    "English",  "Estonian",     "Farsi",     "French",       "German",
    "Irish",    "Italian",  "Japanese", "Lithuanian",   "Norwegian", "Polish",       "Portuguese",
    "Romanian", "Russian",  "Spanish",  "Swedish",      "Thai",      "Turkish"};

inline constexpr std::string_view kDefaultCaptionFile = "default.cap";

// The folders that hold the caption files bundled with the program, for a
// program file in `programFolder` (empty: only the source tree's folder):
// <program>/../share/tralvin1d/captions, <program>/../share/captions and the
// source tree's share/captions.
std::vector<std::string> BundledCaptionFolders(const std::string& programFolder);

// The caption file of a language: <startFolder>/<language>.cap when it exists,
// else the first bundled file of that name; "" when there is none.
std::string FindLanguageFile(std::string_view language, const std::string& startFolder,
                             const std::vector<std::string>& bundledFolders);

// Loads the language's caption file into the table (a language without a file
// changes nothing), then writes every text to <startFolder>/default.cap.
// Returns the file that was loaded ("" when none). Throws IniWriteError when
// default.cap cannot be written; the table has then already changed.
std::string ApplyLanguage(CaptionTable& table, std::string_view language,
                          const std::string& startFolder,
                          const std::vector<std::string>& bundledFolders);

}  // namespace tralvin
