// INI-style files: the option file, the table files, the types file, the
// caption files and the import mapping file. Sections and keys match without
// regard to ASCII letter case; reads never fail; writes that the system refuses
// throw IniWriteError and never pass as success; a rewritten file is replaced
// through a temporary file and a rename, so it is never left half-written.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/safe_file.h"

namespace tralvin {

// what() is "Unable to write to <file name>"; Code() is the system's reason
// (invalid_argument for a key or section name that cannot be stored, and
// file_too_large for a file too large to read and so to rewrite).
class IniWriteError : public FileWriteError {
 public:
  using FileWriteError::FileWriteError;
};

class IniDocument;

class TIniFile {
 public:
  explicit TIniFile(std::string fileName);
  ~TIniFile();
  TIniFile(const TIniFile&) = delete;
  TIniFile& operator=(const TIniFile&) = delete;

  const std::string& FileName() const { return fileName_; }

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
  void WriteBool(std::string_view section, std::string_view key, bool value);
  std::vector<std::string> ReadSections() const;
  bool SectionExists(std::string_view section) const;
  void EraseSection(std::string_view section);
  // Removes every section (ReadSections, then EraseSection for each name).
  void EraseAll();

  // Batch: between BeginUpdate and Commit, writes are kept in memory and the
  // file is written once by Commit (which throws IniWriteError on failure).
  // Without a batch every write goes to the disk at once. Reads inside a batch
  // see the pending writes. Destroying the object with an open batch discards it.
  // Commit ends the batch also when it throws; a batch without changes writes nothing.
  void BeginUpdate();
  void Commit();
  void Discard();
  bool InBatch() const { return batch_ != nullptr; }

 private:
  std::string fileName_;
  std::unique_ptr<IniDocument> batch_;
};

// Removes every section of the file (a no-op when the file does not exist).
void EraseIniFile(const std::string& fileName);

}  // namespace tralvin
