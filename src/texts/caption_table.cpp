// The caption table: lookup and replacement of entry texts by key, starting
// from the built-in texts.
#include "texts/caption_table.h"

#include <utility>

#include "texts/builtin_captions.h"

namespace tralvin {
namespace {

bool HasHint(CaptionKind kind) {
  return kind != CaptionKind::Text && kind != CaptionKind::MenuItem;
}

}  // namespace

CaptionTable::CaptionTable() : entries_(GetBuiltInCaptionData().entries) {}

const std::vector<std::string>& CaptionTable::KeyList() { return GetBuiltInCaptionData().key_list; }

bool CaptionTable::IsGroupHeading(std::string_view item) {
  // Group headings of the key list begin with a row of dashes; no key does.
  return item.substr(0, 2) == "--";
}

const CaptionEntry* CaptionTable::Find(std::string_view key) const {
  for (const CaptionEntry& entry : entries_) {
    if (entry.key == key) return &entry;
  }
  return nullptr;
}

CaptionEntry* CaptionTable::FindMutable(std::string_view key) {
  return const_cast<CaptionEntry*>(std::as_const(*this).Find(key));
}

std::string CaptionTable::Text(std::string_view key) const {
  const CaptionEntry* entry = Find(key);
  if (entry == nullptr) return "";
  return entry->kind == CaptionKind::ToolButton ? entry->hint : entry->caption;
}

std::string CaptionTable::Hint(std::string_view key) const {
  const CaptionEntry* entry = Find(key);
  return entry == nullptr ? "" : entry->hint;
}

std::string CaptionTable::ControlCaption(std::string_view control) const {
  if (control.empty()) return "";
  for (const CaptionEntry& entry : entries_) {
    if (entry.control == control) return entry.caption;
  }
  return "";
}

bool CaptionTable::SetText(std::string_view key, std::string text) {
  CaptionEntry* entry = FindMutable(key);
  if (entry == nullptr) return false;
  (entry->kind == CaptionKind::ToolButton ? entry->hint : entry->caption) = std::move(text);
  return true;
}

bool CaptionTable::SetHint(std::string_view key, std::string hint) {
  CaptionEntry* entry = FindMutable(key);
  if (entry == nullptr || !HasHint(entry->kind)) return false;
  entry->hint = std::move(hint);
  return true;
}

const CaptionTable& BuiltInCaptions() {
  static const CaptionTable table;
  return table;
}

}  // namespace tralvin
