// Parsing, editing and writing back the text of INI-style files.
#include "base/ini_document.h"

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

}  // namespace

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument doc;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    std::string_view line = text.substr(pos, end == text.npos ? text.npos : end - pos);
    if (end == text.npos) {
      pos = text.size();
    } else {
      pos = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    std::string trimmed = Trim(line);
    if (!trimmed.empty() && trimmed[0] == '[') {
      size_t close = trimmed.find(']');
      std::string name = Trim(
          std::string_view(trimmed).substr(1, close == trimmed.npos ? trimmed.npos : close - 1));
      doc.AddSection(std::move(name), std::string(line));
    } else if (doc.sections_.empty()) {
      doc.preamble_.emplace_back(line);
    } else {
      AddLine(doc.sections_.back(), std::string(line));
    }
  }
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
  for (auto& blank : section.trailing) section.lines.push_back(Line{std::move(blank), {}});
  section.trailing.clear();
  size_t eq = text.find('=');
  std::string key;
  if (trimmed[0] != ';' && eq != text.npos) key = Fold(std::string_view(text).substr(0, eq));
  InsertKeyLine(section, std::move(key), std::move(text));
}

void IniDocument::InsertKeyLine(Section& section, std::string key, std::string text) {
  if (!key.empty()) section.keys.emplace(key, section.lines.size());
  section.lines.push_back(Line{std::move(text), std::move(key)});
}

std::string IniDocument::Serialize() const {
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
  const Section* s = FindSection(section);
  if (s == nullptr) return false;
  auto it = s->keys.find(Fold(key));
  if (it == s->keys.end()) return false;
  const std::string& text = s->lines[it->second].text;
  value = Trim(std::string_view(text).substr(text.find('=') + 1));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return true;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
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
  if (index_.empty()) return false;
  sections_.clear();
  index_.clear();
  return modified_ = true;
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  for (size_t i = 0; i < sections_.size(); ++i) {
    const Section& s = sections_[i];
    if (!s.erased && index_.at(s.folded).front() == i) names.push_back(s.name);
  }
  return names;
}

bool IniDocument::SectionHasKeys(std::string_view section) const {
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
