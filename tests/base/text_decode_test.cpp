// Text decoding: byte-order marks, UTF-16, and the 8-bit fallback byte by byte.
#include "base/text_decode.h"

#include <gtest/gtest.h>

#include <string>

namespace tralvin {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

TEST(DecodeText, PassesUtf8ThroughAndDropsItsByteOrderMark) {
  TextEncoding enc;
  EXPECT_EQ(DecodeText("plain", &enc), "plain");
  EXPECT_EQ(enc, TextEncoding::Utf8);
  EXPECT_EQ(DecodeText("\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F"
                       "e \xF0\x9F\x94\xA7",
                       &enc),
            "Größe 🔧");
  EXPECT_EQ(enc, TextEncoding::Utf8Bom);
  EXPECT_EQ(DecodeText(""), "");
  EXPECT_EQ(DecodeText(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(DecodeText, ReadsUtf16WithEitherByteOrder) {
  TextEncoding enc;
  // "aü€😀" in UTF-16LE and UTF-16BE, the last as a surrogate pair.
  std::string le = Bytes({0xFF, 0xFE, 'a', 0, 0xFC, 0, 0xAC, 0x20, 0x3D, 0xD8, 0x00, 0xDE});
  EXPECT_EQ(DecodeText(le, &enc), "aü€😀");
  EXPECT_EQ(enc, TextEncoding::Utf16LE);
  std::string be = Bytes({0xFE, 0xFF, 0, 'a', 0, 0xFC, 0x20, 0xAC, 0xD8, 0x3D, 0xDE, 0x00});
  EXPECT_EQ(DecodeText(be, &enc), "aü€😀");
  EXPECT_EQ(enc, TextEncoding::Utf16BE);
  // A lone high surrogate, a lone low surrogate and an odd last byte.
  std::string broken = Bytes({0xFF, 0xFE, 0x3D, 0xD8, 'x', 0, 0x00, 0xDC, 'y'});
  EXPECT_EQ(DecodeText(broken), "\xEF\xBF\xBDx\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(DecodeText, ReadsOtherBytesAsWindows1252) {
  EXPECT_EQ(DecodeText("Gr\xF6\xDF"
                       "e"),
            "Größe");
  EXPECT_EQ(DecodeText("\x80\x8A\x9F\x81"), "€ŠŸ\xC2\x81");
  // Valid UTF-8 sequences stay; the stray bytes around them are decoded.
  EXPECT_EQ(DecodeText("\xE4 \xC3\xA4 \xC3"), "ä ä Ã");
  // Overlong forms, surrogates and truncated sequences are not UTF-8.
  EXPECT_EQ(DecodeText("\xC0\xAF"), "À¯");
  EXPECT_EQ(DecodeText("\xED\xA0\x80"), "í\xC2\xA0€");
}

TEST(IsValidUtf8, RejectsMalformedSequences) {
  EXPECT_TRUE(IsValidUtf8("aä€😀"));
  EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));   // U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));      // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xB0\x80"));      // surrogate
  EXPECT_FALSE(IsValidUtf8("\xE2\x82"));          // truncated
  EXPECT_FALSE(IsValidUtf8("\x80"));              // lone continuation
}

}  // namespace
}  // namespace tralvin
