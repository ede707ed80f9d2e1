// printf-style line formatting for the report: "%-20s", "%-10d", "%s", "%d",
// "%10.3f" and "%%". Widths pad and never cut; a text's width counts code
// points, so columns line up for non-ASCII labels; "." is always the decimal
// mark, whatever the process locale.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace tralvin {

using FormatArg = std::variant<std::string_view, int64_t, double>;

// Formats `format` with the arguments in order. A conversion whose argument is
// missing or of another kind writes nothing for that conversion.
std::string FormatLine(std::string_view format, std::initializer_list<FormatArg> args);

// A percentage rounded to two decimals (halves to even), written in the
// shortest general form: 87.5, 100, 33.33.
std::string UtilizationText(double percent);

}  // namespace tralvin
