// The type setup window's model (TFormSetupTypeString): a name field and a
// list of types with a check box each. The window shows this state and calls
// these operations from its events; the model never shows anything itself.
#pragma once

#include <string>
#include <vector>

#include "tables/material_types.h"
#include "tables/material_types_dropdown.h"

namespace tralvin {

struct TypeSetupEntry {
  std::string text;
  bool checked = false;
};

class TypeSetupWindow {
 public:
  // The name field (EditTypeString).
  std::string EditTypeString;

  const std::vector<TypeSetupEntry>& Entries() const { return entries_; }
  std::vector<std::string> EntryTexts() const;
  // The selected entry of the list; -1 when none.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  void SetChecked(int index, bool checked);

  // Activation: empty name field; the list rebuilt from MaterialTypes, each
  // entry checked when its text is one of SelectedTypes; first entry selected.
  void onenter(const MaterialTypeLists& lists);
  // Appends the name field's text, unchecked, when it is not empty.
  void ButtonAddGlassTypeClick();
  // Replaces the selected entry's text by the name field's text, when both exist.
  void ButtonModifyGlassTypeClick();
  // Removes the selected entry; afterwards none is selected.
  void ButtonDeleteGlassTypeClick();
  void ButtonRemoveAllGlassTypeClick();
  // MaterialTypes := every entry in order; SelectedTypes := the checked ones.
  void GetTypeFromList(MaterialTypeLists& lists) const;
  // GetTypeFromList, then writes the types file; the window then closes.
  // Throws IniWriteError when the file cannot be written.
  void ButtonSaveTypeListClick(MaterialTypeLists& lists, const std::string& typesFileName) const;
  // GetTypeFromList without writing; the window then closes.
  void ButtonCloseTypeSetupClick(MaterialTypeLists& lists) const;

 private:
  std::vector<TypeSetupEntry> entries_;
  int itemIndex_ = -1;
};

// Opening the window: MaterialTypes := the drop-down's items as displayed, so
// types typed into the grids are included. The window then activates
// (onenter) and, once closed, the caller refills the drop-down from
// EntryTexts() with PutTypeIntoList.
void BeginTypeSetup(const TypeDropDown& dropDown, MaterialTypeLists& lists);

}  // namespace tralvin
