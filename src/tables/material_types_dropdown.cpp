// The type drop-down: sorted items, filling, and registering typed types.
#include "tables/material_types_dropdown.h"

#include <algorithm>

#include "base/ascii_case.h"
#include "base/pubfunc.h"

namespace tralvin {

namespace {

unsigned char FoldAscii(char c) { return static_cast<unsigned char>(AsciiLower(c)); }

}  // namespace

bool TypeItemLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return FoldAscii(x) < FoldAscii(y); });
}

void TypeDropDown::SetItemIndex(int index) {
  itemIndex_ = (index >= 0 && index < static_cast<int>(items_.size())) ? index : -1;
  // Selecting an item shows it in the edit part, as a drop-down does.
  if (itemIndex_ >= 0) text_ = items_[itemIndex_];
}

void TypeDropDown::Clear() {
  items_.clear();
  itemIndex_ = -1;
}

void TypeDropDown::Add(std::string item) {
  auto pos = std::upper_bound(items_.begin(), items_.end(), item, TypeItemLess);
  const int at = static_cast<int>(pos - items_.begin());
  items_.insert(pos, std::move(item));
  if (itemIndex_ >= at) ++itemIndex_;
}

void TypeDropDown::Insert(int index, std::string item) {
  const int at = std::clamp(index, 0, static_cast<int>(items_.size()));
  items_.insert(items_.begin() + at, std::move(item));
  if (itemIndex_ >= at) ++itemIndex_;
}

void PutTypeIntoList(TypeDropDown& dropDown, const std::vector<std::string>& source) {
  dropDown.Clear();
  for (const std::string& item : source) dropDown.Add(item);
  dropDown.SetItemIndex(0);
}

void BeginTypeEdit(TypeDropDown& dropDown, const std::string& cellText) {
  dropDown.SetItemIndex(-1);
  dropDown.SetText(Trim(cellText));
}

std::string OnLostTypeFocus(TypeDropDown& dropDown, MaterialTypeLists& lists) {
  std::string text = Trim(dropDown.Text());
  const auto& items = dropDown.Items();
  const bool known = std::any_of(items.begin(), items.end(),
                                 [&](const std::string& item) { return Trim(item) == text; });
  if (!known) {
    dropDown.Insert(0, text);
    lists.SelectedTypes.push_back(text);
  }
  return text;
}

}  // namespace tralvin
