// Number text: scaled lengths to text and back, fractions, integers, decimals.
#include "base/pubfunc.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tralvin {
namespace {

TEST(ExtStrToInt, RoundsHalfToEvenAtFourDecimalsThenAtTheScale) {
  TPubFunc f;
  EXPECT_EQ(f.ExtStrToInt("12.3456"), 12346);
  EXPECT_EQ(f.ExtStrToInt("0.0005"), 0);
  EXPECT_EQ(f.ExtStrToInt("0.0015"), 2);
  EXPECT_EQ(f.ExtStrToInt("0.0025"), 2);
  EXPECT_EQ(f.ExtStrToInt("-0.0015"), -2);
  EXPECT_EQ(f.ExtStrToInt("-2"), -2000);
  EXPECT_EQ(f.ExtStrToInt("12.5"), 12500);
  // The fifth decimal rounds first: 0.00045 -> 0.0004 (even) -> 0, 0.00055 -> 0.0006 -> 1.
  EXPECT_EQ(f.ExtStrToInt("0.00045"), 0);
  EXPECT_EQ(f.ExtStrToInt("0.00055"), 1);
  EXPECT_EQ(f.ExtStrToInt("0.000451"), 0);
  EXPECT_EQ(f.ExtStrToInt("0.00155"), 2);
}

TEST(ExtStrToInt, AcceptsBlanksSignsShortFormsAndExponents) {
  TPubFunc f;
  EXPECT_EQ(f.ExtStrToInt(""), 0);
  EXPECT_EQ(f.ExtStrToInt("   "), 0);
  EXPECT_EQ(f.ExtStrToInt(" \t 7 \t"), 7000);
  EXPECT_EQ(f.ExtStrToInt("+3"), 3000);
  EXPECT_EQ(f.ExtStrToInt(".5"), 500);
  EXPECT_EQ(f.ExtStrToInt("5."), 5000);
  EXPECT_EQ(f.ExtStrToInt("1e3"), 1000000);
  EXPECT_EQ(f.ExtStrToInt("1.5E-2"), 15);
  EXPECT_EQ(f.ExtStrToInt("25e-1"), 2500);
  EXPECT_EQ(f.ExtStrToInt("0000012"), 12000);
  EXPECT_EQ(f.ExtStrToInt("-0"), 0);
  EXPECT_EQ(f.ExtStrToInt("1e-999999999999"), 0);
}

TEST(ExtStrToInt, RejectsWhatIsNotADecimalNumberWithTheTextInTheMessage) {
  TPubFunc f;
  for (const char* bad : {"abc", "12,5", "1 2", ".", "-", "1e", "1e+", "--1", "1.2.3", "0x10",
                          "12mm", "+ 1", "1e5x"}) {
    EXPECT_THROW(f.ExtStrToInt(bad), ConversionError) << bad;
  }
  try {
    f.ExtStrToInt("12,5");
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'12,5' is not a valid floating point value");
  }
}

TEST(ExtStrToInt, KeepsTheResultInsideThe32BitRange) {
  TPubFunc f;
  EXPECT_EQ(f.ExtStrToInt("2147483.647"), 2147483647);
  EXPECT_EQ(f.ExtStrToInt("-2147483.647"), -2147483647);
  EXPECT_THROW(f.ExtStrToInt("2147483.648"), ConversionError);
  EXPECT_THROW(f.ExtStrToInt("-2147483.648"), ConversionError);
  EXPECT_THROW(f.ExtStrToInt("1e300"), ConversionError);
  EXPECT_THROW(f.ExtStrToInt("99999999999999999999999"), ConversionError);
  f.setDecimal(0);
  EXPECT_EQ(f.ExtStrToInt("2147483647"), 2147483647);
  EXPECT_THROW(f.ExtStrToInt("2147483648"), ConversionError);
}

TEST(TPubFunc, DecimalPropertyMapsToTheScale) {
  TPubFunc f;
  EXPECT_EQ(f.scale(), 1000);
  EXPECT_EQ(f.decimal(), 3);
  const int32_t scales[] = {1, 10, 100, 1000};
  for (int d = 0; d <= 3; ++d) {
    f.setDecimal(d);
    EXPECT_EQ(f.scale(), scales[d]);
    EXPECT_EQ(f.decimal(), d);
  }
  f.setDecimal(5);
  EXPECT_EQ(f.scale(), -1);
  EXPECT_EQ(f.decimal(), -1);
  f.setDecimal(1);
  EXPECT_EQ(f.ExtStrToInt("12.34"), 123);
  EXPECT_EQ(f.ExtStrToInt("12.35"), 124);
  EXPECT_EQ(f.IntToExtStr(123), "12.3");
}

TEST(IntToExtStr, WritesTheShortestText) {
  TPubFunc f;
  EXPECT_EQ(f.IntToExtStr(12345), "12.345");
  EXPECT_EQ(f.IntToExtStr(12000), "12");
  EXPECT_EQ(f.IntToExtStr(500), "0.5");
  EXPECT_EQ(f.IntToExtStr(-1500), "-1.5");
  EXPECT_EQ(f.IntToExtStr(1), "0.001");
  EXPECT_EQ(f.IntToExtStr(-1), "-0.001");
  EXPECT_EQ(f.IntToExtStr(0), "0");
  EXPECT_EQ(f.IntToExtStr(1234567), "1234.567");
  EXPECT_EQ(f.IntToExtStr(INT64_MAX), "9223372036854775.807");
  EXPECT_EQ(f.IntToExtStr(INT64_MIN), "-9223372036854775.808");
}

TEST(IntToExtStr, ReadsBackToTheSameValue) {
  TPubFunc f;
  for (int32_t v : {0, 1, -1, 999, 1001, 123456789, -2147483647, 2147483647, 6000000}) {
    EXPECT_EQ(f.ExtStrToInt(f.IntToExtStr(v)), v) << v;
  }
}

TEST(IntToExtStr3, DividesARealByTheScaleAndRoundsToFourDecimals) {
  TPubFunc f;
  EXPECT_EQ(f.IntToExtStr3(12345.0), "12.345");
  EXPECT_EQ(f.IntToExtStr3(1234.56), "1.2346");
  EXPECT_EQ(f.IntToExtStr3(0.05), "0");       // 0.00005: a tie, to even
  EXPECT_EQ(f.IntToExtStr3(0.15), "0.0002");  // 0.00015: a tie, to even
  EXPECT_EQ(f.IntToExtStr3(-2500.0), "-2.5");
  EXPECT_EQ(f.IntToExtStr3(1e30), "1E27");
}

TEST(FractionText, NormalisesWholeNumbersWithFractions) {
  EXPECT_EQ(FractionText("12 3/4"), "12.75");
  EXPECT_EQ(FractionText("3/4"), "0.75");
  EXPECT_EQ(FractionText(" 7 "), "7");
  EXPECT_EQ(FractionText("12.5"), "12.5");
  EXPECT_EQ(FractionText("12 3"), "");
  EXPECT_EQ(FractionText("1/2 3"), "");
  EXPECT_EQ(FractionText("1/0"), "[]");
  EXPECT_EQ(FractionText("1 2/3/4"), "['3/4' is not a valid integer value]");
  EXPECT_EQ(FractionText("-1 1/2"), "-0.5");
  EXPECT_EQ(FractionText("1/3"), "0.333333333333333");
  EXPECT_EQ(FractionText("12  3/4"), "12.75");  // leading blanks of a part are allowed
  EXPECT_EQ(FractionText("x 1/2"), "['x' is not a valid integer value]");
  EXPECT_EQ(FractionText(""), "");
}

TEST(FractionText, FeedsExtStrToInt) {
  TPubFunc f;
  EXPECT_EQ(f.ExtStrToInt(FractionText("12 3/4")), 12750);
  EXPECT_EQ(f.ExtStrToInt(FractionText("12 3")), 0);
  try {
    f.ExtStrToInt(FractionText("1/0"));
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'[]' is not a valid floating point value");
  }
}

TEST(StrToInt, ReadsDecimalAndHexIntegers) {
  EXPECT_EQ(StrToInt("42"), 42);
  EXPECT_EQ(StrToInt("  -7"), -7);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("$1F"), 31);
  EXPECT_EQ(StrToInt("0x1f"), 31);
  EXPECT_EQ(StrToInt("0X10"), 16);
  EXPECT_EQ(StrToInt("-$10"), -16);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(StrToInt("$7FFFFFFF"), 2147483647);
}

TEST(StrToInt, RejectsEverythingElse) {
  int32_t v = 99;
  for (const char* bad : {"", " ", "4 ", "4.0", "1e3", "abc", "2147483648", "-2147483649", "$",
                          "0x", "$G", "$FFFFFFFF", "- 4", "12a", "99999999999999999999"}) {
    EXPECT_FALSE(TryStrToInt(bad, v)) << bad;
    EXPECT_THROW(StrToInt(bad), ConversionError) << bad;
  }
  EXPECT_EQ(v, 99);
  try {
    StrToInt("4 ");
    FAIL();
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'4 ' is not a valid integer value");
  }
}

TEST(FloatToStr, UsesFifteenDigitsAndSwitchesToExponentForm) {
  EXPECT_EQ(FloatToStr(0.0), "0");
  EXPECT_EQ(FloatToStr(12.75), "12.75");
  EXPECT_EQ(FloatToStr(-0.5), "-0.5");
  EXPECT_EQ(FloatToStr(100.0), "100");
  EXPECT_EQ(FloatToStr(2.0 / 3.0), "0.666666666666667");
  EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
  EXPECT_EQ(FloatToStr(1e-5), "0.00001");
  EXPECT_EQ(FloatToStr(1e-6), "1E-6");
  EXPECT_EQ(FloatToStr(1.5e-7), "1.5E-7");
  EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
  EXPECT_EQ(FloatToStr(1e15), "1E15");
  EXPECT_EQ(FloatToStr(999999999999999.9), "1E15");
  EXPECT_EQ(FloatToStr(-2.5e20), "-2.5E20");
}

TEST(Trim, RemovesBlanksAndTabsOnly) {
  EXPECT_EQ(Trim(" \t a b \t "), "a b");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("\na\r"), "\na\r");
}

}  // namespace
}  // namespace tralvin
