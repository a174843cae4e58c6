#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/SgfReader.h"
#include "support/TableTranslator.h"

namespace vxlo {
namespace {

std::string DataFile(const std::string& name) { return std::string(VXLO_TEST_DATA) + "/sgf/" + name; }

// The main line of game g as "B pd W dd ...", passes as "B -".
std::string MainLine(const TSgfCollection& sgf, int game = 0) {
    std::string line;
    for (int n = sgf.GameRoot(game); n >= 0; n = sgf.Node(n).FirstChild) {
        const TSgfMove move = SgfMoveOf(sgf.Node(n));
        if (move.kind == TSgfMove::Kind::None) continue;
        if (!line.empty()) line += ' ';
        line += move.color == Black ? "B " : "W ";
        line += move.kind == TSgfMove::Kind::Point ? EncodeSgfPoint(move.point) : "-";
    }
    return line;
}

std::string RootValue(const TSgfCollection& sgf, const char* name, int game = 0) {
    const std::string* v = sgf.Node(sgf.GameRoot(game)).Value(name);
    return v ? *v : "(none)";
}

ESgfError ErrorOf(const std::string& text) {
    try {
        ParseSgf(text, "broken.sgf");
    } catch (const ESgfError& e) {
        return e;
    }
    ADD_FAILURE() << "no error for " << text;
    return ESgfError("", "", -1);
}

TEST(SgfReader, EscapesAndSoftLineBreaks) {
    const TSgfCollection sgf = ParseSgf(
        "(;C[a \\] b \\\\ c \\x]GC[soft\\\r\nbreak\\\nand\\\n\rmore]PC[hard\nline];B[pd])", "t.sgf");
    EXPECT_EQ(RootValue(sgf, "C"), "a ] b \\ c x");
    EXPECT_EQ(RootValue(sgf, "GC"), "softbreakandmore");
    EXPECT_EQ(RootValue(sgf, "PC"), "hard\nline");
    EXPECT_EQ(EscapeSgfText("a]b\\c"), "a\\]b\\\\c");
}

TEST(SgfReader, WhitespaceTextAroundMissingSemicolonAndEmptyVariations) {
    const TSgfCollection sgf = ParseSgf(
        "\xEF\xBB\xBFheader text (not a game)\n( \n GM [1] SZ\t[19] ; B [pd] \n ; W[dd] () ( ; B[dp] ) ( B[pp] ) )"
        "\ntrailer ( with ) parentheses",
        "t.sgf");
    ASSERT_EQ(sgf.GameCount(), 1);
    EXPECT_EQ(RootValue(sgf, "SZ"), "19");
    EXPECT_EQ(MainLine(sgf), "B pd W dd B dp");
    // The two variations after W[dd], in file order; the one without ";"
    // still makes its node.
    const int white = sgf.Node(sgf.Node(sgf.GameRoot(0)).FirstChild).FirstChild;
    const int first = sgf.Node(white).FirstChild;
    const int second = sgf.Node(first).NextSibling;
    ASSERT_GE(second, 0);
    EXPECT_EQ(*sgf.Node(second).Value("B"), "pp");
    EXPECT_EQ(sgf.Node(second).NextSibling, -1);
}

TEST(SgfReader, CollectionsAndVariationTrees) {
    const TSgfCollection sgf = ReadSgfFile(DataFile("collection.sgf"));
    ASSERT_EQ(sgf.GameCount(), 4);  // the empty "()" is no game
    EXPECT_EQ(RootValue(sgf, "PB", 0), "Aoki");
    EXPECT_EQ(MainLine(sgf, 0), "B pd W dd B pq W dp");
    EXPECT_TRUE(HasSgfSetup(sgf.Node(sgf.GameRoot(1))));
    EXPECT_EQ(SgfBoardSize(sgf.Node(sgf.GameRoot(2))), 13);
    EXPECT_EQ(SgfBoardSize(sgf.Node(sgf.GameRoot(3))), 19);
    EXPECT_EQ(MainLine(sgf, 3), "B qd W dc B - W pp");

    const TSgfCollection tree = ParseSgf("(;GM[1](;B[pd](;W[dd])(;W[dp]))(;B[dd]))", "t.sgf");
    const TSgfNode& root = tree.Node(tree.GameRoot(0));
    const TSgfNode& pd = tree.Node(root.FirstChild);
    EXPECT_EQ(*pd.Value("B"), "pd");
    EXPECT_EQ(*tree.Node(pd.NextSibling).Value("B"), "dd");
    EXPECT_EQ(*tree.Node(tree.Node(pd.FirstChild).NextSibling).Value("W"), "dp");
    EXPECT_EQ(tree.Node(pd.FirstChild).Parent, root.FirstChild);
}

TEST(SgfReader, LongPropertyNamesOfFf3) {
    const TSgfCollection sgf = ReadSgfFile(DataFile("ff3_long_names.sgf"));
    EXPECT_EQ(RootValue(sgf, "FF"), "3");
    EXPECT_EQ(RootValue(sgf, "PB"), "Honinbo Shusaku");
    EXPECT_EQ(RootValue(sgf, "C"), "The ear-reddening game");
    EXPECT_EQ(MainLine(sgf), "B qd W dc B pq W oc B cp");
    EXPECT_TRUE(HasSgfSetup(ParseSgf("(;AddBlack[dd]AddWhite[pp])", "t").Node(0)));
    EXPECT_TRUE(ParseSgf("(;b[pd])", "t").Node(0).Has("B"));
}

TEST(SgfReader, PointsPassesAndCompressedLists) {
    TPoint p;
    ASSERT_TRUE(DecodeSgfPoint("pd", p));
    EXPECT_EQ(p, (TPoint{16, 4}));
    ASSERT_TRUE(DecodeSgfPoint("as", p));
    EXPECT_EQ(p, (TPoint{1, 19}));
    EXPECT_FALSE(DecodeSgfPoint("ta", p));
    EXPECT_FALSE(DecodeSgfPoint("PD", p));
    EXPECT_EQ(EncodeSgfPoint({16, 4}), "pd");

    const TSgfCollection sgf = ParseSgf("(;B[];W[tt];B[zz];W[qc]B[dd])", "t.sgf");
    const auto kind = [&](int n) { return SgfMoveOf(sgf.Node(n)).kind; };
    EXPECT_EQ(kind(0), TSgfMove::Kind::Pass);
    EXPECT_EQ(kind(1), TSgfMove::Kind::Pass);
    EXPECT_EQ(kind(2), TSgfMove::Kind::Invalid);
    EXPECT_EQ(SgfMoveOf(sgf.Node(3)).color, White);  // the first of two moves

    const TSgfCollection setup = ParseSgf("(;AB[aa:cc][pd]AW[ss:rr])", "t.sgf");
    std::vector<TPoint> black, white;
    ASSERT_TRUE(ExpandSgfPoints(setup.Node(0).Find("AB")->Values, black));
    ASSERT_TRUE(ExpandSgfPoints(setup.Node(0).Find("AW")->Values, white));
    EXPECT_EQ(black.size(), 10u);
    EXPECT_EQ(black.back(), (TPoint{16, 4}));
    EXPECT_EQ(white.size(), 4u);
    EXPECT_EQ(white.front(), (TPoint{18, 18}));
    std::vector<TPoint> bad;
    EXPECT_FALSE(ExpandSgfPoints({"aa:"}, bad));

    EXPECT_EQ(SgfBoardSize(ParseSgf("(;SZ[13:19])", "t").Node(0)), 0);
    EXPECT_EQ(SgfBoardSize(ParseSgf("(;SZ[big])", "t").Node(0)), 0);
    EXPECT_EQ(SgfBoardSize(ParseSgf("(;GM[1])", "t").Node(0)), 19);
}

TEST(SgfReader, CharacterSets) {
    // Shift_JIS without CA: 表 and ソ end in 0x5C, 望 in 0x5D.
    const TSgfCollection server = ReadSgfFile(DataFile("japanese_server.sgf"));
    EXPECT_EQ(server.Charset(), "CP932");
    EXPECT_EQ(RootValue(server, "PB"), "山田　表太郎");
    EXPECT_EQ(RootValue(server, "PW"), "ソ連一郎");
    EXPECT_EQ(RootValue(server, "GN"), "第１期希望杯");
    EXPECT_EQ(MainLine(server), "B pd W dp B qp W dc B ce W dh B fc");
    int dc = server.GameRoot(0);
    for (int i = 0; i < 4; ++i) dc = server.Node(dc).FirstChild;
    EXPECT_EQ(*server.Node(dc).Value("C"), "ソフト表示、希望の一手");

    const TSgfCollection sjis = ReadSgfFile(DataFile("sjis_with_ca.sgf"));
    EXPECT_EQ(sjis.Charset(), "CP932");
    EXPECT_EQ(RootValue(sjis, "C"), "希望と表");

    const TSgfCollection euc = ReadSgfFile(DataFile("euc_jp.sgf"));
    EXPECT_EQ(euc.Charset(), "EUC-JP");
    EXPECT_EQ(RootValue(euc, "C"), "日本語のコメント");

    const TSgfCollection latin = ReadSgfFile(DataFile("latin1.sgf"));
    EXPECT_EQ(RootValue(latin, "PB"), "José");
    EXPECT_EQ(RootValue(latin, "C"), "déjà vu");

    // UTF-8 without CA, a spelling variant of the label, an unknown label,
    // and a byte that is no UTF-8 under CA[UTF-8].
    EXPECT_EQ(RootValue(ParseSgf("(;C[碁])", "t"), "C"), "碁");
    EXPECT_EQ(RootValue(ParseSgf("(;CA[utf8]C[碁])", "t"), "C"), "碁");
    EXPECT_EQ(RootValue(ParseSgf("(;CA[X-MADE-UP]C[碁])", "t"), "C"), "碁");
    EXPECT_EQ(RootValue(ParseSgf("(;CA[UTF-8]C[a\xFF" "b])", "t"), "C"), "a\xEF\xBF\xBD" "b");
}

TEST(SgfReader, TheDamageIsOneMessageWithItsReasonInEitherLanguage) {
    const testing::TTableTranslator english(std::map<std::string, std::string>{
        {"SGF の形式が正しくありません（%1 バイト目）: %2", "The SGF file is damaged (byte %1): %2"},
        {"プロパティ %1 に値がありません", "property %1 has no value"},
        {"棋譜がありません", "no game"}});
    const ESgfError noValue = ErrorOf("(;GM[1]B ;W[pd])");
    EXPECT_STREQ(noValue.what(), "SGF の形式が正しくありません（8 バイト目）: プロパティ B に値がありません");
    EXPECT_EQ(noValue.Reason().Text(&english), "property B has no value");
    EXPECT_EQ(ErrorDisplayText(noValue, &english), "The SGF file is damaged (byte 8): property B has no value.\nbroken.sgf");
    EXPECT_EQ(ErrorDisplayText(ErrorOf("no games here"), &english), "The SGF file is damaged (byte 1): no game.\nbroken.sgf");
}

TEST(SgfReader, MalformedInputNamesFileAndPosition) {
    const ESgfError unclosed = ErrorOf("(;GM[1]C[no end");
    EXPECT_EQ(unclosed.Offset(), 8);  // the "[" that never closes
    EXPECT_EQ(unclosed.FileName(), "broken.sgf");
    EXPECT_NE(std::string(unclosed.what()).find("9 バイト目"), std::string::npos);

    EXPECT_EQ(ErrorOf("xx (;GM[1](;B[pd]").Offset(), 10);  // innermost open "("
    EXPECT_EQ(ErrorOf("(;GM[1] # ;B[pd])").Offset(), 8);
    EXPECT_EQ(ErrorOf("(;GM[1]B ;W[pd])").Offset(), 7);   // a property without value
    EXPECT_EQ(ErrorOf("(;GM[1](;B[pd])C[late])").Offset(), 15);
    EXPECT_EQ(ErrorOf("").Offset(), 0);
    EXPECT_EQ(ErrorOf("no games here").Offset(), 0);

    EXPECT_THROW(ReadSgfFile(DataFile("does-not-exist.sgf")), EInOutError);
}

TEST(SgfReader, DeepNestingNeedsNoDeepStack) {
    const int depth = 50000;
    std::string text;
    for (int i = 0; i < depth; ++i) text += "(;B[pd]";
    text += std::string(depth, ')');
    const TSgfCollection sgf = ParseSgf(text, "deep.sgf");
    EXPECT_EQ(sgf.NodeCount(), depth);
    EXPECT_EQ(sgf.Node(depth - 1).Parent, depth - 2);

    const std::string tooDeep = std::string(200000, '(');
    EXPECT_THROW(ParseSgf(tooDeep + ";" + std::string(200000, ')'), "deep.sgf"), ESgfError);
}

}  // namespace
}  // namespace vxlo
