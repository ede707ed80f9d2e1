// The in-memory form of an INI-style file: sections of "key=value" lines,
// parsed from text and written back with every line it did not change kept as
// it was (comments, blank lines, lines it does not understand).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tralvin {

class IniDocument {
 public:
  // Parses UTF-8 text. Lines end at CR LF, LF or CR. A line whose first
  // non-blank character is "[" starts a section; inside a section a line with
  // "=" holds a key; lines starting with ";" are comments.
  // A document as parsed keeps the text and a small index of its sections and
  // keys (a few bytes per line), shared between copies; the editable form of
  // every line is built only when the document is first changed.
  static IniDocument Parse(std::string_view text);
  static IniDocument Parse(std::string&& text);
  // The text of the document as UTF-8 without a byte-order mark, every line
  // ended by CR LF, so that the files can be exchanged with Windows users.
  std::string Serialize() const;

  // The value of the first key of that name in the first section of that name,
  // without surrounding blanks and one enclosing pair of double quotes;
  // false when the section or the key is missing.
  bool Find(std::string_view section, std::string_view key, std::string& value) const;
  // Replaces the value of the key in place, or adds the key after the last
  // key line of the section, or adds the section at the end. Line breaks in
  // the value become blanks so that the value stays on its line. Returns true
  // when the document changed. The caller checks the names with IsStorableKey
  // and IsStorableSection first.
  bool Set(std::string_view section, std::string_view key, std::string_view value);
  // Removes every section of that name with all its lines; true when one existed.
  bool EraseSection(std::string_view section);
  // Removes every section; true when there was one.
  bool EraseAll();

  // The names of all sections in file order, each name once (first spelling).
  std::vector<std::string> SectionNames() const;
  // True when the first section of that name holds at least one key.
  bool SectionHasKeys(std::string_view section) const;

  // True once Set, EraseSection or EraseAll changed the document.
  bool Modified() const { return modified_; }
  void ClearModified() { modified_ = false; }

  // Names that read back as written: a key must not be empty after trimming,
  // contain "=" or a line break, or start with "[" or ";"; a section name must
  // not contain "]" or a line break.
  static bool IsStorableKey(std::string_view key);
  static bool IsStorableSection(std::string_view section);

 private:
  // The parsed text and its index, read-only.
  struct Compact;

  struct Line {
    std::string text;  // the line as stored
  };
  struct Section {
    std::string header;  // the header line as stored
    std::string name;    // as spelled in the header, trimmed
    std::string folded;  // the name in lower case, for matching
    std::vector<Line> lines;
    std::vector<std::string> trailing;             // blank lines after the last other line
    std::unordered_map<std::string, size_t> keys;  // folded key -> first line holding it
    bool erased = false;
  };

  static IniDocument ParseEditable(std::string_view text);
  // Turns the parsed form into the editable one before a change.
  void MakeEditable();
  const Section* FindSection(std::string_view section) const;
  void AddSection(std::string name, std::string header);
  static void AddLine(Section& section, std::string text);
  static void InsertKeyLine(Section& section, std::string key, std::string text);

  std::shared_ptr<const Compact> compact_;  // set while the document is as parsed
  std::vector<std::string> preamble_;       // lines before the first section
  std::vector<Section> sections_;
  // folded name -> every live section of that name, in file order
  std::unordered_map<std::string, std::vector<size_t>> index_;
  bool modified_ = false;
};

}  // namespace tralvin
