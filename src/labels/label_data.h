// The label data table: eight field headings in row 0 and one row per unit
// of quantity of the stock or piece records; sorting by a column and removal
// of duplicate rows.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tables/string_grid.h"

namespace tralvin {

class CaptionTable;
class TPanels;

inline constexpr int kLabelDataColumns = 8;
inline constexpr int kLabelDisplayedColumns = 5;  // columns 0 .. 4 are shown

// The current date (short form) and time (long form) as texts.
using DateTimeTexts = std::function<std::pair<std::string, std::string>()>;
std::pair<std::string, std::string> CurrentDateTimeTexts();

// The eight headings from the caption table: label, material type, length,
// comment, layouts, date, time, project title.
std::vector<std::string> LabelFieldHeadings(const CaptionTable& captions);

// Row 0: the headings; then for every record in list order `number` rows of
// label, MatType, disp_XSize + " X " + disp_YSize, disp_Comment, "", date,
// time and the project title. Date and time are taken for each row.
StringGrid LabelDataRows(const TPanels& records, const std::vector<std::string>& headings,
                         const std::string& projectTitle,
                         const DateTimeTexts& now = CurrentDateTimeTexts);

// The remembered sort of the data table: last column and descending flag.
struct LabelSortState {
  int column = 0;
  bool descending = false;
};

// A press on heading `col`: the same column again toggles the order, another
// column sorts ascending; then a bubble sort of rows 1 .. last by ordinal text.
void SortLabelData(StringGrid& data, int col, LabelSortState& state);

// Empties the displayed cells of every row that repeats an earlier row's
// displayed cells (trimmed), sorts by trimmed label descending and drops the
// rows from the first one with an empty label.
void DistinctLabelData(StringGrid& data);

}  // namespace tralvin
