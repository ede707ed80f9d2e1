// Operations of the type setup window on its list and on the type lists.
#include "tables/material_types_setup.h"

#include <algorithm>

namespace tralvin {

std::vector<std::string> TypeSetupWindow::EntryTexts() const {
  std::vector<std::string> texts;
  texts.reserve(entries_.size());
  for (const auto& entry : entries_) texts.push_back(entry.text);
  return texts;
}

void TypeSetupWindow::SetItemIndex(int index) {
  itemIndex_ = (index >= 0 && index < static_cast<int>(entries_.size())) ? index : -1;
}

void TypeSetupWindow::SetChecked(int index, bool checked) {
  if (index >= 0 && index < static_cast<int>(entries_.size())) entries_[index].checked = checked;
}

void TypeSetupWindow::onenter(const MaterialTypeLists& lists) {
  EditTypeString.clear();
  entries_.clear();
  for (const std::string& name : lists.MaterialTypes) {
    const bool selected = std::find(lists.SelectedTypes.begin(), lists.SelectedTypes.end(), name) !=
                          lists.SelectedTypes.end();
    entries_.push_back({name, selected});
  }
  SetItemIndex(0);
}

void TypeSetupWindow::ButtonAddGlassTypeClick() {
  if (EditTypeString.empty()) return;
  entries_.push_back({EditTypeString, false});
}

void TypeSetupWindow::ButtonModifyGlassTypeClick() {
  if (EditTypeString.empty() || itemIndex_ < 0) return;
  entries_[itemIndex_].text = EditTypeString;
}

void TypeSetupWindow::ButtonDeleteGlassTypeClick() {
  if (itemIndex_ < 0) return;
  entries_.erase(entries_.begin() + itemIndex_);
  itemIndex_ = -1;
}

void TypeSetupWindow::ButtonRemoveAllGlassTypeClick() {
  entries_.clear();
  itemIndex_ = -1;
}

void TypeSetupWindow::GetTypeFromList(MaterialTypeLists& lists) const {
  lists.MaterialTypes.clear();
  lists.SelectedTypes.clear();
  for (const auto& entry : entries_) {
    lists.MaterialTypes.push_back(entry.text);
    if (entry.checked) lists.SelectedTypes.push_back(entry.text);
  }
}

void TypeSetupWindow::ButtonSaveTypeListClick(MaterialTypeLists& lists,
                                              const std::string& typesFileName) const {
  GetTypeFromList(lists);
  WriteTypesFile(typesFileName, lists);
}

void TypeSetupWindow::ButtonCloseTypeSetupClick(MaterialTypeLists& lists) const {
  GetTypeFromList(lists);
}

void BeginTypeSetup(const TypeDropDown& dropDown, MaterialTypeLists& lists) {
  lists.MaterialTypes = dropDown.Items();
}

}  // namespace tralvin
