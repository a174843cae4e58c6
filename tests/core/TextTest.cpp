#include <gtest/gtest.h>

#include <string>

#include "core/Text.h"

namespace vxlo {
namespace {

TEST(Utf8Check, TellsUtf8FromShiftJis) {
    EXPECT_TRUE(IsValidUtf8("入力 abc"));
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_FALSE(IsValidUtf8("\x93\xfc\x97\xcd"));
    EXPECT_FALSE(IsValidUtf8("\xC0\x80"));          // overlong
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));      // overlong, three bytes
    EXPECT_FALSE(IsValidUtf8("\xE5\x85"));          // cut short
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // a surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
    EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));   // U+10FFFF itself
}

// An independent model of well-formed UTF-8: decode by the bit patterns,
// then judge the code point. Every one- and two-byte string and a seeded
// sample of longer ones must agree with it.
bool ModelValid(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned c = static_cast<unsigned char>(s[i]);
        const int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (len == 0 || i + static_cast<std::size_t>(len) > s.size()) return false;
        unsigned cp = len == 1 ? c : c & (0x7F >> len);
        for (int k = 1; k < len; ++k) {
            const unsigned cc = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((cc >> 6) != 2) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        const unsigned minimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < minimum[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += static_cast<std::size_t>(len);
    }
    return true;
}

TEST(Utf8Check, AgreesWithAnIndependentModel) {
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const std::string s{static_cast<char>(a), static_cast<char>(b)};
            ASSERT_EQ(IsValidUtf8(s), ModelValid(s)) << a << " " << b;
        }
    }
    unsigned seed = 12345;
    int valid = 0;
    for (int n = 0; n < 200000; ++n) {
        std::string s;
        for (int k = 0; k < 4; ++k) {
            seed = seed * 1103515245u + 12345u;
            // Mostly lead and continuation bytes, where the rules are.
            const unsigned r = (seed >> 16) & 0xFF;
            s += static_cast<char>(r < 0x40 ? 0x80 + r : r < 0x60 ? 0xE0 + (r & 0x1F) : r);
        }
        ASSERT_EQ(IsValidUtf8(s), ModelValid(s));
        valid += ModelValid(s) ? 1 : 0;
    }
    EXPECT_GT(valid, 1000);  // the valid side is exercised too
}

TEST(Utf8Check, SanitisingReplacesEachBadByteAndKeepsTheRest) {
    EXPECT_EQ(SanitiseUtf8("a\xFF" "b"), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(SanitiseUtf8("入\xE5\x85"), "入\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(SanitiseUtf8("入力"), "入力");
}

TEST(CharsetDecoding, ShiftJisFromWindows) {
    EXPECT_EQ(DecodeShiftJis("\x93\xfc\x97\xcd"), "入力");
    EXPECT_EQ(DecodeShiftJis("\xb6\xde"), "ｶﾞ");
    EXPECT_EQ(DecodeShiftJis("\x93"), "");  // a character cut off
}

TEST(CharsetDecoding, LenientDecodingMarksOnlyTheBadBytes) {
    const auto sjis = TCharsetDecoder::Open("CP932");
    ASSERT_TRUE(sjis);
    EXPECT_EQ(sjis->Decode("\x93\xfc" "a\x93"), "入a\xEF\xBF\xBD");
    EXPECT_FALSE(sjis->DecodeStrict("\x93\xfc" "a\x93"));
    EXPECT_EQ(sjis->DecodeStrict("\x93\xfc"), "入");
    const auto latin = TCharsetDecoder::Open("ISO-8859-1");
    ASSERT_TRUE(latin);
    EXPECT_EQ(latin->Decode("Jos\xE9"), "José");
    EXPECT_FALSE(TCharsetDecoder::Open("NO-SUCH-CHARSET"));
}

TEST(CharsetDecoding, LabelsAsFilesWriteThem) {
    EXPECT_EQ(CanonicalCharsetName(" sjis "), "CP932");
    EXPECT_EQ(CanonicalCharsetName("Shift_JIS"), "CP932");
    EXPECT_EQ(CanonicalCharsetName("utf8"), "UTF-8");
    EXPECT_EQ(CanonicalCharsetName("gb2312"), "GB18030");
    EXPECT_EQ(CanonicalCharsetName("Big5"), "BIG5");
    EXPECT_EQ(CanonicalCharsetName("latin1"), "ISO-8859-1");
    EXPECT_EQ(CanonicalCharsetName("euc-jp"), "EUC-JP");
}

}  // namespace
}  // namespace vxlo
