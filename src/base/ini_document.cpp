// Parsing, editing and writing back the text of INI-style files.
#include "base/ini_document.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "base/ascii_case.h"
#include "base/pubfunc.h"

namespace tralvin {

namespace {

// Section and key names match without regard to ASCII letter case and to
// blanks around them.
std::string Fold(std::string_view name) { return AsciiLower(Trim(name)); }

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != text.npos; }

// A value on one line: every CR LF, CR or LF becomes one blank.
std::string OneLine(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    char c = value[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

bool IsBlankChar(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimView(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlankChar(text[begin])) ++begin;
  while (end > begin && IsBlankChar(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// FNV-1a of the folded name (trimmed, A-Z as a-z).
uint32_t FoldedHash(std::string_view name) {
  uint32_t h = 2166136261u;
  for (char c : TrimView(name)) {
    h ^= static_cast<unsigned char>(AsciiLower(c));
    h *= 16777619u;
  }
  return h;
}

bool SameFolded(std::string_view a, std::string_view b) {
  a = TrimView(a);
  b = TrimView(b);
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// Calls line(text) for every line of the text; lines end at CR LF, LF or CR.
template <typename OnLine>
void ForEachLine(std::string_view text, OnLine line) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    line(text.substr(pos, end == text.npos ? text.npos : end - pos), pos);
    if (end == text.npos) {
      pos = text.size();
    } else {
      pos = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
  }
}

// The section name of a header line (its first non-blank character is "[").
std::string_view HeaderName(std::string_view trimmed) {
  size_t close = trimmed.find(']');
  return TrimView(trimmed.substr(1, close == trimmed.npos ? trimmed.npos : close - 1));
}

}  // namespace

// Offsets are 32-bit: files are read only up to a limit far below 4 GiB.
struct IniDocument::Compact {
  struct Span {
    uint32_t offset = 0;
    uint32_t length = 0;
  };
  struct Key {
    uint32_t hash;  // of the folded key
    Span line;
  };
  struct Section {
    Span name;  // trimmed, as spelled
    uint32_t firstKey = 0;
    uint32_t keyCount = 0;
  };

  std::string text;
  // The key lines of each section, together, ordered by (hash, offset) within it.
  std::vector<Key> keys;
  std::vector<Section> sections;  // in file order
  // (hash of the folded name, section position), ordered.
  std::vector<std::pair<uint32_t, uint32_t>> byName;

  std::string_view View(Span s) const { return std::string_view(text).substr(s.offset, s.length); }

  // The first section of that name, or nullptr.
  const Section* Find(std::string_view name) const {
    const uint32_t h = FoldedHash(name);
    auto it = std::lower_bound(byName.begin(), byName.end(), std::make_pair(h, uint32_t{0}));
    for (; it != byName.end() && it->first == h; ++it) {
      const Section& s = sections[it->second];
      if (SameFolded(View(s.name), name)) return &s;
    }
    return nullptr;
  }

  // The first key line of that name in the section, or nullptr.
  const Key* FindKey(const Section& s, std::string_view key) const {
    const uint32_t h = FoldedHash(key);
    auto begin = keys.begin() + s.firstKey;
    auto end = begin + s.keyCount;
    auto it = std::lower_bound(begin, end, h, [](const Key& k, uint32_t v) { return k.hash < v; });
    for (; it != end && it->hash == h; ++it) {
      std::string_view line = View(it->line);
      if (SameFolded(line.substr(0, line.find('=')), key)) return &*it;
    }
    return nullptr;
  }
};

IniDocument IniDocument::Parse(std::string_view text) { return Parse(std::string(text)); }

IniDocument IniDocument::Parse(std::string&& text) {
  if (text.size() >= std::numeric_limits<uint32_t>::max()) return ParseEditable(text);
  auto c = std::make_shared<Compact>();
  c->text = std::move(text);
  const std::string_view all(c->text);
  auto span = [&](std::string_view part) {
    return Compact::Span{static_cast<uint32_t>(part.data() - all.data()),
                         static_cast<uint32_t>(part.size())};
  };
  auto closeSection = [&] {
    if (c->sections.empty()) return;
    Compact::Section& s = c->sections.back();
    s.keyCount = static_cast<uint32_t>(c->keys.size()) - s.firstKey;
    std::stable_sort(c->keys.begin() + s.firstKey, c->keys.end(),
                     [](const Compact::Key& a, const Compact::Key& b) { return a.hash < b.hash; });
  };
  // Room for every key and section line at once: growing by doubling would
  // briefly need twice the index.
  const auto count = [&all](char ch) {
    return static_cast<size_t>(std::count(all.begin(), all.end(), ch));
  };
  const size_t lines = count('\n') + count('\r') + 1;
  c->keys.reserve(std::min(count('='), lines));
  const size_t headers = std::min(count('['), lines);
  c->sections.reserve(headers);
  c->byName.reserve(headers);
  ForEachLine(all, [&](std::string_view line, size_t) {
    std::string_view trimmed = TrimView(line);
    if (!trimmed.empty() && trimmed[0] == '[') {
      closeSection();
      const auto index = static_cast<uint32_t>(c->sections.size());
      std::string_view name = HeaderName(trimmed);
      c->sections.push_back({span(name), static_cast<uint32_t>(c->keys.size()), 0});
      c->byName.emplace_back(FoldedHash(name), index);
      return;
    }
    if (c->sections.empty() || trimmed.empty() || trimmed[0] == ';') return;
    size_t eq = line.find('=');
    if (eq == line.npos || TrimView(line.substr(0, eq)).empty()) return;
    c->keys.push_back({FoldedHash(line.substr(0, eq)), span(line)});
  });
  closeSection();
  std::sort(c->byName.begin(), c->byName.end());
  IniDocument doc;
  doc.compact_ = std::move(c);
  return doc;
}

void IniDocument::MakeEditable() {
  if (!compact_) return;
  std::shared_ptr<const Compact> c = std::move(compact_);
  const bool modified = modified_;
  *this = ParseEditable(c->text);
  modified_ = modified;
}

IniDocument IniDocument::ParseEditable(std::string_view text) {
  IniDocument doc;
  ForEachLine(text, [&doc](std::string_view line, size_t) {
    std::string_view trimmed = TrimView(line);
    if (!trimmed.empty() && trimmed[0] == '[') {
      doc.AddSection(std::string(HeaderName(trimmed)), std::string(line));
    } else if (doc.sections_.empty()) {
      doc.preamble_.emplace_back(line);
    } else {
      AddLine(doc.sections_.back(), std::string(line));
    }
  });
  return doc;
}

void IniDocument::AddSection(std::string name, std::string header) {
  Section section;
  section.header = std::move(header);
  section.folded = Fold(name);
  section.name = std::move(name);
  index_[section.folded].push_back(sections_.size());
  sections_.push_back(std::move(section));
}

void IniDocument::AddLine(Section& section, std::string text) {
  std::string trimmed = Trim(text);
  if (trimmed.empty()) {
    section.trailing.push_back(std::move(text));
    return;
  }
  // Blank lines followed by another line belong to the body.
  for (auto& blank : section.trailing) section.lines.push_back(Line{std::move(blank)});
  section.trailing.clear();
  size_t eq = text.find('=');
  std::string key;
  if (trimmed[0] != ';' && eq != text.npos) key = Fold(std::string_view(text).substr(0, eq));
  InsertKeyLine(section, std::move(key), std::move(text));
}

void IniDocument::InsertKeyLine(Section& section, std::string key, std::string text) {
  if (!key.empty()) section.keys.emplace(std::move(key), section.lines.size());
  section.lines.push_back(Line{std::move(text)});
}

std::string IniDocument::Serialize() const {
  if (compact_) return ParseEditable(compact_->text).Serialize();
  std::string out;
  auto put = [&](const std::string& line) {
    out += line;
    out += "\r\n";
  };
  for (const auto& line : preamble_) put(line);
  for (const auto& section : sections_) {
    if (section.erased) continue;
    put(section.header);
    for (const auto& line : section.lines) put(line.text);
    for (const auto& line : section.trailing) put(line);
  }
  return out;
}

const IniDocument::Section* IniDocument::FindSection(std::string_view section) const {
  auto it = index_.find(Fold(section));
  return it == index_.end() ? nullptr : &sections_[it->second.front()];
}

bool IniDocument::Find(std::string_view section, std::string_view key, std::string& value) const {
  std::string_view text;
  if (compact_) {
    const Compact::Section* s = compact_->Find(section);
    const Compact::Key* k = s == nullptr ? nullptr : compact_->FindKey(*s, key);
    if (k == nullptr) return false;
    text = compact_->View(k->line);
  } else {
    const Section* s = FindSection(section);
    if (s == nullptr) return false;
    auto it = s->keys.find(Fold(key));
    if (it == s->keys.end()) return false;
    text = s->lines[it->second].text;
  }
  value = Trim(text.substr(text.find('=') + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return true;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  MakeEditable();
  auto it = index_.find(Fold(section));
  if (it == index_.end()) {
    std::string name = Trim(section);
    AddSection(name, "[" + name + "]");
    it = index_.find(Fold(section));
  }
  Section& s = sections_[it->second.front()];
  std::string folded = Fold(key);
  auto k = s.keys.find(folded);
  if (k != s.keys.end()) {
    Line& line = s.lines[k->second];
    std::string text = line.text.substr(0, line.text.find('=')) + "=" + OneLine(value);
    if (text == line.text) return false;
    line.text = std::move(text);
    return modified_ = true;
  }
  InsertKeyLine(s, std::move(folded), Trim(key) + "=" + OneLine(value));
  return modified_ = true;
}

bool IniDocument::EraseSection(std::string_view section) {
  MakeEditable();
  auto it = index_.find(Fold(section));
  if (it == index_.end()) return false;
  for (size_t i : it->second) {
    Section erased;
    erased.erased = true;
    sections_[i] = std::move(erased);
  }
  index_.erase(it);
  return modified_ = true;
}

bool IniDocument::EraseAll() {
  MakeEditable();
  if (index_.empty()) return false;
  sections_.clear();
  index_.clear();
  return modified_ = true;
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  if (compact_) {
    for (const Compact::Section& s : compact_->sections) {
      std::string_view name = compact_->View(s.name);
      if (compact_->Find(name) == &s) names.emplace_back(name);
    }
    return names;
  }
  for (size_t i = 0; i < sections_.size(); ++i) {
    const Section& s = sections_[i];
    if (!s.erased && index_.at(s.folded).front() == i) names.push_back(s.name);
  }
  return names;
}

bool IniDocument::SectionHasKeys(std::string_view section) const {
  if (compact_) {
    const Compact::Section* s = compact_->Find(section);
    return s != nullptr && s->keyCount > 0;
  }
  const Section* s = FindSection(section);
  return s != nullptr && !s->keys.empty();
}

bool IniDocument::IsStorableKey(std::string_view key) {
  std::string trimmed = Trim(key);
  return !trimmed.empty() && trimmed.find('=') == trimmed.npos && !HasLineBreak(trimmed) &&
         trimmed[0] != '[' && trimmed[0] != ';';
}

bool IniDocument::IsStorableSection(std::string_view section) {
  return section.find(']') == section.npos && !HasLineBreak(section);
}

}  // namespace tralvin
