// The report's printf-style formatter: padding that never cuts and counts
// characters, fixed decimals with ".", and the utilisation text.
#include "results/report_format.h"

#include <gtest/gtest.h>

#include <clocale>

namespace tralvin {
namespace {

TEST(FormatLine, PadsButNeverCuts) {
  EXPECT_EQ(FormatLine("%-20s|", {"P1"}), "P1                  |");
  EXPECT_EQ(FormatLine("%-5s|", {"LongerThanFive"}), "LongerThanFive|");
  EXPECT_EQ(FormatLine("%-10d|%d", {int64_t{-12}, int64_t{7}}), "-12       |7");
  EXPECT_EQ(FormatLine("%s %s: %d", {"used", "Qty.", int64_t{12}}), "used Qty.: 12");
  EXPECT_EQ(FormatLine("100%%", {}), "100%");
  // Widths count code points: "Eiche" with an umlaut pads like five letters.
  EXPECT_EQ(FormatLine("%-7s|", {"\xC3\x84sche"}), "\xC3\x84sche  |");
}

TEST(FormatLine, FixedThreeDecimalsWhateverTheLocale) {
  EXPECT_EQ(FormatLine("%-40s: %10.3f", {"total price", 12.5}),
            "total price                             :     12.500");
  EXPECT_EQ(FormatLine("%10.3f", {1234567.25}), "1234567.250");
  EXPECT_EQ(FormatLine("%10.3f", {2.0625}), "     2.062");
  EXPECT_EQ(FormatLine("%10.3f", {0.0}), "     0.000");
  const char* old = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  EXPECT_EQ(FormatLine("%10.3f", {1.7}), "     1.700");
  if (old != nullptr) std::setlocale(LC_NUMERIC, "C");
}

TEST(UtilizationText, TwoDecimalsHalfEvenShortestForm) {
  EXPECT_EQ(UtilizationText(87.5), "87.5");
  EXPECT_EQ(UtilizationText(100.0), "100");
  EXPECT_EQ(UtilizationText(5010.0 / 6005.0 * 100.0), "83.43");
  EXPECT_EQ(UtilizationText(0.0), "0");
}

}  // namespace
}  // namespace tralvin
