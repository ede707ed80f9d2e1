// The caption table: every interface text a user may rename or translate and
// every text the program composes, each an entry with a fixed key, a kind and
// built-in texts. Lookup by key is exact and case-sensitive.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tralvin {

enum class CaptionKind { Text, Label, Button, CheckBox, GroupBox, TabPage, MenuItem, ToolButton };

struct CaptionEntry {
  std::string key;
  CaptionKind kind = CaptionKind::Text;
  std::string control;  // object name of the control; empty for text entries
  std::string caption;  // the text, or the control's caption (empty for tool buttons)
  std::string hint;    // the control's hint (label/button/check box/group box/tab page/tool button)
  bool listed = true;  // false for keys recognised but not in the key list
};

class CaptionTable {
 public:
  // A table holding the built-in texts.
  CaptionTable();

  // The items of the key list in order: 8 group headings and 136 keys.
  static const std::vector<std::string>& KeyList();
  static bool IsGroupHeading(std::string_view item);

  // The entry of a key (listed or recognised), or nullptr; a group heading matches nothing.
  const CaptionEntry* Find(std::string_view key) const;
  // The current text of an entry: caption, or hint for a tool button; "" when unknown.
  std::string Text(std::string_view key) const;
  std::string Hint(std::string_view key) const;
  // The current caption of a control by its object name ("" when unknown).
  std::string ControlCaption(std::string_view control) const;
  // Replace the text (caption, or hint of a tool button) / the hint; false when the
  // key is unknown, and SetHint also false for text and menu entries, which have no hint.
  bool SetText(std::string_view key, std::string text);
  bool SetHint(std::string_view key, std::string hint);

  const std::vector<CaptionEntry>& Entries() const { return entries_; }

 private:
  CaptionEntry* FindMutable(std::string_view key);
  std::vector<CaptionEntry> entries_;
};

// A shared table that always holds the built-in texts (never modified).
const CaptionTable& BuiltInCaptions();

}  // namespace tralvin
