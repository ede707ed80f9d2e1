// Finding and applying a language's caption file.
#include "texts/language.h"

#include <filesystem>
#include <system_error>

#include "texts/caption_file.h"

namespace tralvin {

namespace {

bool IsFile(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

std::vector<std::string> BundledCaptionFolders(const std::string& programFolder) {
  std::vector<std::string> folders;
  if (!programFolder.empty()) {
    const std::filesystem::path up = std::filesystem::path(programFolder) / "..";
    folders.push_back((up / "share" / "tralvin1d" / "captions").lexically_normal().string());
    folders.push_back((up / "share" / "captions").lexically_normal().string());
  }
#ifdef TRALVIN_CAPTIONS_SOURCE_DIR
  folders.push_back(TRALVIN_CAPTIONS_SOURCE_DIR);
#endif
  return folders;
}

std::string FindLanguageFile(std::string_view language, const std::string& startFolder,
                             const std::vector<std::string>& bundledFolders) {
  if (language.empty()) return "";
  const std::string name = std::string(language) + ".cap";
  const std::filesystem::path own = std::filesystem::path(startFolder) / name;
  if (IsFile(own)) return own.string();
  for (const std::string& folder : bundledFolders) {
    const std::filesystem::path bundled = std::filesystem::path(folder) / name;
    if (IsFile(bundled)) return bundled.string();
  }
  return "";
}

std::string ApplyLanguage(CaptionTable& table, std::string_view language,
                          const std::string& startFolder,
                          const std::vector<std::string>& bundledFolders) {
  const std::string file = FindLanguageFile(language, startFolder, bundledFolders);
  if (!file.empty()) LoadCaptionFile(table, file);
  SaveCaptionFile(table, startFolder + "/" + std::string(kDefaultCaptionFile));
  return file;
}

}  // namespace tralvin
