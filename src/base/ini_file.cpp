// INI-style files on the disk: TIniFile reads through a small shared cache of
// parsed files (checked against the file's status on every operation, so a
// change by anyone is seen) and writes by replacing the whole file safely.
#include "base/ini_file.h"

#include <sys/stat.h>

#include <cmath>
#include <ctime>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "base/ini_document.h"
#include "base/pubfunc.h"
#include "base/safe_file.h"
#include "base/text_decode.h"

namespace tralvin {

namespace {

// What identifies one state of a file on the disk.
struct FileStamp {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};
  timespec changed{};

  bool operator==(const FileStamp& o) const {
    return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
           modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
           changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec;
  }
};

FileStamp StampOf(const std::string& fileName) {
  FileStamp stamp;
  struct stat st;
  if (::stat(fileName.c_str(), &st) != 0) return stamp;
  stamp.exists = true;
  stamp.device = st.st_dev;
  stamp.inode = st.st_ino;
  stamp.size = st.st_size;
  stamp.modified = st.st_mtim;
  stamp.changed = st.st_ctim;
  return stamp;
}

// The parsed file; `refused` tells that the file exists but was not read
// (too large, or not a regular file), so it must not be replaced either.
IniDocument LoadDocument(const std::string& fileName, bool& refused) {
  std::string bytes;
  const FileReadStatus status = ReadRegularFile(fileName, bytes);
  refused = status == FileReadStatus::TooLarge;
  if (status != FileReadStatus::Ok) return IniDocument();
  std::string text = DecodeText(bytes);
  bytes.clear();
  bytes.shrink_to_fit();
  return IniDocument::Parse(std::move(text));
}

// Parsed files by file name. Reading a table file asks for thousands of keys;
// parsing the file once instead of once per key is what makes that fast.
class DocumentCache {
 public:
  static DocumentCache& Instance() {
    static DocumentCache cache;
    return cache;
  }

  std::mutex& Mutex() { return mutex_; }

  // The document as the file holds it now. Call with the mutex held.
  IniDocument& Current(const std::string& fileName) {
    auto it = entries_.find(fileName);
    if (it != entries_.end() && it->second.settled && it->second.stamp == StampOf(fileName)) {
      it->second.used = ++clock_;
      return it->second.doc;
    }
    if (it == entries_.end()) {
      if (entries_.size() >= kMaxEntries) EvictOldest();
      it = entries_.emplace(fileName, Entry()).first;
    }
    Entry& entry = it->second;
    entry.settled = Settled(fileName, entry.stamp);
    entry.doc = LoadDocument(fileName, entry.refused);
    entry.used = ++clock_;
    return entry.doc;
  }

  // True when the file's last read was refused. Call after Current().
  bool Refused(const std::string& fileName) const {
    auto it = entries_.find(fileName);
    return it != entries_.end() && it->second.refused;
  }

  // Writes the document to the file and keeps it as the file's content; on
  // failure the file's entry is dropped so the next read goes to the disk.
  void Store(const std::string& fileName, IniDocument doc) {
    try {
      WriteFileAtomically(fileName, doc.Serialize());
    } catch (const FileWriteError& e) {
      entries_.erase(fileName);
      throw IniWriteError(fileName, e.Code());
    }
    doc.ClearModified();
    Entry& entry = entries_[fileName];
    entry.settled = Settled(fileName, entry.stamp);
    entry.doc = std::move(doc);
    entry.used = ++clock_;
  }

 private:
  static constexpr size_t kMaxEntries = 16;
  static constexpr double kSettleSeconds = 0.1;

  struct Entry {
    IniDocument doc;
    FileStamp stamp;
    bool settled = false;
    bool refused = false;
    unsigned long long used = 0;
  };

  // Takes the file's stamp and tells whether it can be trusted later: file
  // times advance in clock ticks, so a file changed again within the tick of
  // its last change can keep the same stamp. A stamp only counts when its
  // times lie further from now than any tick (in the past, or in the future
  // for files from a clock that runs ahead); until then every operation reads
  // the file again.
  static bool Settled(const std::string& fileName, FileStamp& stamp) {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    stamp = StampOf(fileName);
    if (!stamp.exists) return true;
    auto age = [&](const timespec& t) {
      return std::fabs(static_cast<double>(now.tv_sec - t.tv_sec) +
                       static_cast<double>(now.tv_nsec - t.tv_nsec) * 1e-9);
    };
    return age(stamp.modified) >= kSettleSeconds && age(stamp.changed) >= kSettleSeconds;
  }

  void EvictOldest() {
    auto oldest = entries_.begin();
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->second.used < oldest->second.used) oldest = it;
    }
    if (oldest != entries_.end()) entries_.erase(oldest);
  }

  std::mutex mutex_;
  std::unordered_map<std::string, Entry> entries_;
  unsigned long long clock_ = 0;
};

// Applies `change` to the file's document and writes the file when it changed.
template <typename Change>
void ModifyFile(const std::string& fileName, Change change) {
  DocumentCache& cache = DocumentCache::Instance();
  std::lock_guard lock(cache.Mutex());
  IniDocument& doc = cache.Current(fileName);
  if (cache.Refused(fileName)) {
    throw IniWriteError(fileName, std::make_error_code(std::errc::file_too_large));
  }
  if (change(doc)) cache.Store(fileName, std::move(doc));
}

// Answers `read` from the open batch, or else from the file as it is now.
template <typename Read>
auto ReadDocument(const IniDocument* batch, const std::string& fileName, Read read) {
  if (batch != nullptr) return read(*batch);
  DocumentCache& cache = DocumentCache::Instance();
  std::lock_guard lock(cache.Mutex());
  return read(static_cast<const IniDocument&>(cache.Current(fileName)));
}

}  // namespace

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

TIniFile::~TIniFile() = default;

std::string TIniFile::ReadString(std::string_view section, std::string_view key,
                                 std::string_view defaultValue) const {
  std::string value;
  bool found = ReadDocument(batch_.get(), fileName_,
                            [&](const IniDocument& doc) { return doc.Find(section, key, value); });
  return found ? value : std::string(defaultValue);
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  if (!IniDocument::IsStorableSection(section) || !IniDocument::IsStorableKey(key)) {
    throw IniWriteError(fileName_, std::make_error_code(std::errc::invalid_argument));
  }
  if (batch_) {
    batch_->Set(section, key, value);
    return;
  }
  ModifyFile(fileName_, [&](IniDocument& doc) { return doc.Set(section, key, value); });
}

int32_t TIniFile::ReadInteger(std::string_view section, std::string_view key,
                              int32_t defaultValue) const {
  int32_t value;
  return TryStrToInt(ReadString(section, key, ""), value) ? value : defaultValue;
}

void TIniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::vector<std::string> TIniFile::ReadSections() const {
  return ReadDocument(batch_.get(), fileName_,
                      [](const IniDocument& doc) { return doc.SectionNames(); });
}

bool TIniFile::SectionExists(std::string_view section) const {
  return ReadDocument(batch_.get(), fileName_,
                      [&](const IniDocument& doc) { return doc.SectionHasKeys(section); });
}

void TIniFile::EraseSection(std::string_view section) {
  if (batch_) {
    batch_->EraseSection(section);
    return;
  }
  ModifyFile(fileName_, [&](IniDocument& doc) { return doc.EraseSection(section); });
}

void TIniFile::EraseAll() {
  // One change and one write for the whole file, the same end state as
  // erasing the sections one by one.
  if (batch_) {
    batch_->EraseAll();
    return;
  }
  ModifyFile(fileName_, [](IniDocument& doc) { return doc.EraseAll(); });
}

void TIniFile::BeginUpdate() {
  if (batch_) return;
  DocumentCache& cache = DocumentCache::Instance();
  std::lock_guard lock(cache.Mutex());
  batch_ = std::make_unique<IniDocument>(cache.Current(fileName_));
  batch_->ClearModified();
}

void TIniFile::Commit() {
  if (!batch_) return;
  // The batch ends here whether or not the write succeeds, so that later
  // writes never stay in memory unnoticed.
  std::unique_ptr<IniDocument> doc = std::move(batch_);
  if (!doc->Modified()) return;
  DocumentCache& cache = DocumentCache::Instance();
  std::lock_guard lock(cache.Mutex());
  cache.Current(fileName_);
  if (cache.Refused(fileName_)) {
    throw IniWriteError(fileName_, std::make_error_code(std::errc::file_too_large));
  }
  cache.Store(fileName_, std::move(*doc));
}

void TIniFile::Discard() { batch_.reset(); }

void EraseIniFile(const std::string& fileName) { TIniFile(fileName).EraseAll(); }

}  // namespace tralvin
