// Caption files and the four modes of one key-list item.
#include "texts/caption_file.h"

#include "base/ini_file.h"

namespace tralvin {

namespace {

// A value that would not read back as written (blanks or tabs at either end
// are trimmed on reading, and one enclosing pair of double quotes is removed)
// is written inside double quotes, which the reader removes again.
std::string StorableValue(const std::string& value) {
  if (value.empty()) return value;
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
  if (blank(value.front()) || blank(value.back()) || quoted) return '"' + value + '"';
  return value;
}

bool HasCaption(CaptionKind kind) { return kind != CaptionKind::ToolButton; }
bool HasHint(CaptionKind kind) {
  return kind != CaptionKind::Text && kind != CaptionKind::MenuItem;
}

void FileToTable(CaptionTable& table, const CaptionEntry& entry, const TIniFile& file) {
  if (HasCaption(entry.kind)) {
    table.SetText(entry.key, file.ReadString(kCaptionSection, entry.key, entry.caption));
  }
  if (HasHint(entry.kind)) {
    table.SetHint(entry.key, file.ReadString(kHintSection, entry.key, entry.hint));
  }
}

void TableToFile(const CaptionEntry& entry, TIniFile& file) {
  if (HasCaption(entry.kind)) {
    file.WriteString(kCaptionSection, entry.key, StorableValue(entry.caption));
  }
  if (HasHint(entry.kind)) file.WriteString(kHintSection, entry.key, StorableValue(entry.hint));
}

void EditsToTable(CaptionTable& table, const CaptionEntry& entry, const CaptionEditBoxes& edits) {
  switch (entry.kind) {
    case CaptionKind::Text:
    case CaptionKind::MenuItem:
      // A menu item shows the hint box but has no hint: the box is ignored.
      table.SetText(entry.key, edits.EditModifyCaption);
      break;
    case CaptionKind::ToolButton:
      table.SetHint(entry.key, edits.EditModifyHint);
      break;
    default:
      table.SetText(entry.key, edits.EditModifyCaption);
      table.SetHint(entry.key, edits.EditModifyHint);
      break;
  }
}

void TableToEdits(const CaptionEntry& entry, CaptionEditBoxes& edits) {
  switch (entry.kind) {
    case CaptionKind::Text:
      edits.EditModifyCaption = entry.caption;
      edits.hintVisible = false;
      break;
    case CaptionKind::MenuItem:
      edits.EditModifyCaption = entry.caption;
      break;
    case CaptionKind::ToolButton:
      edits.EditModifyHint = entry.hint;
      edits.captionVisible = false;
      break;
    default:
      edits.EditModifyCaption = entry.caption;
      edits.EditModifyHint = entry.hint;
      break;
  }
}

// The entry named by item `m_index` of the key list; null for an index
// outside the list, a group heading or a key the table does not hold.
const CaptionEntry* EntryAt(const CaptionTable& table, int m_index) {
  const auto& items = CaptionTable::KeyList();
  if (m_index < 0 || m_index >= static_cast<int>(items.size())) return nullptr;
  const std::string& key = items[static_cast<size_t>(m_index)];
  if (CaptionTable::IsGroupHeading(key)) return nullptr;
  return table.Find(key);
}

int ItemCount() { return static_cast<int>(CaptionTable::KeyList().size()); }

}  // namespace

void SetCaptionIndex(CaptionTable& table, int m_index, CaptionSet mode, TIniFile* file,
                     CaptionEditBoxes* edits) {
  const CaptionEntry* found = EntryAt(table, m_index);
  if (found == nullptr) return;
  const CaptionEntry entry = *found;  // a copy: the table changes below
  switch (mode) {
    case CaptionSet::csFile2Cap:
      if (file != nullptr) FileToTable(table, entry, *file);
      break;
    case CaptionSet::csCap2File:
      if (file != nullptr) TableToFile(entry, *file);
      break;
    case CaptionSet::csEdit2Cap:
      if (edits != nullptr) EditsToTable(table, entry, *edits);
      break;
    case CaptionSet::csCap2Edit:
      if (edits != nullptr) TableToEdits(entry, *edits);
      break;
  }
}

void LoadCaptionFile(CaptionTable& table, const std::string& fileName) {
  TIniFile file(fileName);
  for (int i = 0; i < ItemCount(); ++i) {
    SetCaptionIndex(table, i, CaptionSet::csFile2Cap, &file, nullptr);
  }
}

void SaveCaptionFile(const CaptionTable& table, const std::string& fileName) {
  TIniFile file(fileName);
  file.BeginUpdate();
  for (int i = 0; i < ItemCount(); ++i) {
    if (const CaptionEntry* entry = EntryAt(table, i)) TableToFile(*entry, file);
  }
  file.Commit();
}

CaptionEditBoxes ChooseCaptionItem(const CaptionTable& table, int m_index) {
  CaptionEditBoxes edits;
  if (const CaptionEntry* entry = EntryAt(table, m_index)) TableToEdits(*entry, edits);
  return edits;
}

int CaptionItemIndex(std::string_view item) {
  const auto& items = CaptionTable::KeyList();
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == item) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace tralvin
