// The text of a number read from a workbook cell: the shortest decimal text
// that reads back as the same double ("6000", "12.5", "0.1"), in fixed
// notation from 1E-5 up to 15 integer digits and in exponent form ("1E-6",
// "1.5E20") beyond.
#pragma once

#include <string>

namespace tralvin {

std::string WorkbookNumberText(double value);

}  // namespace tralvin
