// The material type editor of the type columns (ComboBoxTypeSelect): a sorted
// drop-down with an editable text, filled from the known types; leaving it
// registers a type typed into a cell that it does not know yet.
#pragma once

#include <string>
#include <vector>

#include "tables/material_types.h"

namespace tralvin {

class TypeDropDown {
 public:
  const std::vector<std::string>& Items() const { return items_; }
  // -1 when no item is selected.
  int ItemIndex() const { return itemIndex_; }
  // An index outside the items selects none; selecting an item sets the text to it.
  void SetItemIndex(int index);

  const std::string& Text() const { return text_; }
  void SetText(std::string text) { text_ = std::move(text); }

  void Clear();
  // Sorted in: alphabetical without regard to ASCII letter case, after any
  // item that compares equal.
  void Add(std::string item);
  // Placed at the given position (clamped to the list), ignoring the order.
  void Insert(int index, std::string item);

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
  std::string text_;
};

// Ordering of the drop-down: byte order after folding ASCII letters to lower case.
bool TypeItemLess(const std::string& a, const std::string& b);

// Refills the items from `source`, each sorted in, then selects the first
// item (none when empty).
void PutTypeIntoList(TypeDropDown& dropDown, const std::vector<std::string>& source);

// Shown over a type cell: no item selected, the trimmed cell text as its text.
void BeginTypeEdit(TypeDropDown& dropDown, const std::string& cellText);

// Leaving the editor: when no item, trimmed, equals the trimmed text, that
// text becomes the first item and is appended to SelectedTypes. Returns the
// trimmed text, which the caller writes into the edited cell.
std::string OnLostTypeFocus(TypeDropDown& dropDown, MaterialTypeLists& lists);

}  // namespace tralvin
