// The label data table.
#include "labels/label_data.h"

#include <ctime>

#include "base/pubfunc.h"
#include "optimizer/panels.h"
#include "texts/caption_table.h"

namespace tralvin {

std::pair<std::string, std::string> CurrentDateTimeTexts() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char date[64] = {}, time[64] = {};
  std::strftime(date, sizeof date, "%x", &local);
  std::strftime(time, sizeof time, "%X", &local);
  return {date, time};
}

std::vector<std::string> LabelFieldHeadings(const CaptionTable& captions) {
  std::vector<std::string> h;
  for (const char* key :
       {"Part Label Caption", "Material Type Caption", "Part Length Caption", "Comment Caption",
        "Layout Caption", "Date Caption", "Time Caption", "Print Title Caption"}) {
    h.push_back(captions.Text(key));
  }
  return h;
}

StringGrid LabelDataRows(const TPanels& records, const std::vector<std::string>& headings,
                         const std::string& projectTitle, const DateTimeTexts& now) {
  StringGrid data(kLabelDataColumns, 1);
  for (int c = 0; c < kLabelDataColumns && c < static_cast<int>(headings.size()); ++c) {
    data.SetCell(c, 0, headings[c]);
  }
  for (int i = 0; i < records.Count(); ++i) {
    const T2DStock& r = records.Items()[static_cast<size_t>(i)];
    for (int n = 0; n < r.p_number; ++n) {
      const auto [date, time] = now();
      const int row = data.RowCount();
      data.SetRowCount(row + 1);
      data.SetRow(row, {r.p_lab, r.MatType, r.disp_XSize + " X " + r.disp_YSize, r.disp_Comment, "",
                        date, time, projectTitle});
    }
  }
  return data;
}

void SortLabelData(StringGrid& data, int col, LabelSortState& state) {
  if (col == state.column) {
    state.descending = !state.descending;
  } else {
    state.column = col;
    state.descending = false;
  }
  const int last = data.RowCount() - 1;
  for (int pass = 0; pass < last; ++pass) {
    for (int row = 1; row < last; ++row) {
      const std::string& upper = data.Cell(col, row);
      const std::string& lower = data.Cell(col, row + 1);
      if (state.descending ? upper < lower : upper > lower) data.SwapRows(row, row + 1);
    }
  }
}

void DistinctLabelData(StringGrid& data) {
  const int last = data.RowCount() - 1;
  for (int q = 1; q <= last; ++q) {
    for (int p = q + 1; p <= last; ++p) {
      bool same = true;
      for (int c = 0; c < kLabelDisplayedColumns && same; ++c) {
        same = Trim(data.Cell(c, p)) == Trim(data.Cell(c, q));
      }
      if (same) {
        for (int c = 0; c < kLabelDisplayedColumns; ++c) data.SetCell(c, p, "");
      }
    }
  }
  for (int pass = 0; pass < last; ++pass) {
    for (int row = 2; row <= last; ++row) {
      if (Trim(data.Cell(0, row)) > Trim(data.Cell(0, row - 1))) data.SwapRows(row, row - 1);
    }
  }
  int end = 1;
  while (end <= last && !Trim(data.Cell(0, end)).empty()) ++end;
  data.SetRowCount(end);
}

}  // namespace tralvin
