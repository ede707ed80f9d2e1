// Reading command-line switches: case-blind tags, first match, the empty
// parameter that ends the search, the 255-character cut and the yes flags.
#include "app/switches.h"

#include <gtest/gtest.h>

namespace tralvin {
namespace {

TEST(GetParaValue, MatchesTagsWithoutCaseAndKeepsTheValue) {
  const std::vector<std::string> params{"-STK:Data/Bars.stk", "-dst:a.dst", "-Dst:b.dst"};
  EXPECT_EQ(GetParaValue(params, "-stk:"), "Data/Bars.stk");
  EXPECT_EQ(GetParaValue(params, "-dst:"), "a.dst");  // the first one counts
  EXPECT_EQ(GetParaValue(params, "-option:"), "");
  EXPECT_EQ(GetParaValue({"-stk:"}, "-stk:"), "");
  // Non-ASCII parameters are compared byte-wise after ASCII lower-casing.
  EXPECT_EQ(GetParaValue({"-Measure:Zoll\xC3\xA4"}, "-measure:"), "Zoll\xC3\xA4");
}

TEST(GetParaValue, EmptyParameterStopsAndOnlyHundredAreRead) {
  EXPECT_EQ(GetParaValue({"-stk:a", "", "-dst:b"}, "-dst:"), "");
  std::vector<std::string> many(100, "x");
  many.push_back("-stk:late");
  EXPECT_EQ(GetParaValue(many, "-stk:"), "");
  many[99] = "-stk:last";
  EXPECT_EQ(GetParaValue(many, "-stk:"), "last");
}

TEST(GetParaValue, CutsTo255Characters) {
  const std::string longName(300, 'n');
  EXPECT_EQ(GetParaValue({"-stk:" + longName}, "-stk:"), std::string(255, 'n'));
  // Counted in characters: a two-byte letter is never split.
  std::string umlauts;
  for (int i = 0; i < 300; ++i) umlauts += "\xC3\xBC";
  EXPECT_EQ(GetParaValue({"-stk:" + umlauts}, "-stk:"), umlauts.substr(0, 510));
}

TEST(ReadSwitches, YesFlagsAndAcceptedExtras) {
  CommandLineSwitches s =
      ReadSwitches({"-auto:YES", "-hide:y", "-ex_stock:out.txt", "-stock:s.txt"});
  EXPECT_TRUE(s.autoRun);
  EXPECT_FALSE(s.hideMode);
  EXPECT_TRUE(s.updateFlag);
  EXPECT_EQ(s.exStockFile, "out.txt");
  EXPECT_EQ(s.exPieceFile, "ExPart.txt");
  EXPECT_EQ(s.stockText, "s.txt");
  EXPECT_EQ(s.stockFile, "");
  EXPECT_TRUE(ReadSwitches({"-hide:Yes"}).hideMode);
  EXPECT_FALSE(ReadSwitches({"-auto:yess"}).autoRun);
}

}  // namespace
}  // namespace tralvin
