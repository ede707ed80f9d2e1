// Caption files: the caption table's texts read from and written to INI-style
// files (section "CAPTION" for captions, "HINT" for hints), one key-list item
// at a time in one of four modes, and the edit boxes of the caption editor.
#pragma once

#include <string>
#include <string_view>

#include "texts/caption_table.h"

namespace tralvin {

class TIniFile;

inline constexpr std::string_view kCaptionSection = "CAPTION";
inline constexpr std::string_view kHintSection = "HINT";

enum class CaptionSet {
  csFile2Cap,  // file to interface
  csCap2File,  // interface to file
  csEdit2Cap,  // edit boxes to interface
  csCap2Edit,  // interface to edit boxes
};

// The two edit boxes of the caption editing group and whether they are shown.
struct CaptionEditBoxes {
  std::string EditModifyCaption;
  std::string EditModifyHint;
  bool captionVisible = true;
  bool hintVisible = true;
};

// One item of the key list in one mode. `file` is used by the two file modes,
// `edits` by the two edit modes; either may be null when its modes are not
// used. An index outside the list, a group heading or an item that names no
// entry does nothing. A key missing from the file keeps the current text; an
// empty value empties it.
void SetCaptionIndex(CaptionTable& table, int m_index, CaptionSet mode, TIniFile* file,
                     CaptionEditBoxes* edits);

// csFile2Cap for every item of the key list, in order. A file that does not
// exist reads as empty and changes nothing.
void LoadCaptionFile(CaptionTable& table, const std::string& fileName);

// csCap2File for every item of the key list, in order, written to the disk at
// once. Throws IniWriteError when the file cannot be written.
void SaveCaptionFile(const CaptionTable& table, const std::string& fileName);

// Choosing an entry in the key list: both boxes emptied and shown, then
// csCap2Edit for the item.
CaptionEditBoxes ChooseCaptionItem(const CaptionTable& table, int m_index);

// The position of an item in the key list, or -1.
int CaptionItemIndex(std::string_view item);

}  // namespace tralvin
