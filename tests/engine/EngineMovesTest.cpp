// The engine's names of dictionary points, and the command line of the engine.
#include <gtest/gtest.h>

#include "core/VxloError.h"
#include "engine/EngineMoves.h"
#include "engine/EngineProcess.h"

namespace vxlo::testing {
namespace {

TEST(EngineMoves, NamesFollowTheBoardsLettersAndRowsFromTheBottom) {
    struct TCase { TPoint point; const char* name; };
    const TCase cases[] = {
        {{1, 19}, "A1"},  {{1, 1}, "A19"},  {{19, 19}, "T1"}, {{19, 1}, "T19"}, {{16, 4}, "Q16"},
        {{8, 10}, "H10"}, {{9, 10}, "J10"}, {{4, 16}, "D4"},  {{10, 10}, "K10"}, {{0, 0}, "pass"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(EngineMoveName(c.point), c.name) << c.point.x << "," << c.point.y;
        EXPECT_EQ(ParseEngineMove(c.name), c.point) << c.name;
    }
}

TEST(EngineMoves, EveryPointRoundTripsAndNoOtherNameIsTaken) {
    // Column letters counted independently: the alphabet without I.
    std::string letters;
    for (char c = 'A'; c <= 'T'; ++c) {
        if (c != 'I') letters += c;
    }
    for (int x = 1; x <= 19; ++x) {
        for (int y = 1; y <= 19; ++y) {
            const std::string name = std::string(1, letters[static_cast<std::size_t>(x - 1)]) + std::to_string(20 - y);
            ASSERT_EQ(EngineMoveName({x, y}), name);
            ASSERT_EQ(ParseEngineMove(name), (TPoint{x, y}));
            std::string lower = name;
            lower[0] = static_cast<char>(lower[0] - 'A' + 'a');
            ASSERT_EQ(ParseEngineMove(lower), (TPoint{x, y}));
        }
    }
    for (const char* bad : {"", "I5", "U1", "A0", "A20", "A05", "Q", "16", "Q16 ", "Q1a", "(0,13)", "passx", "Z99"})
        EXPECT_FALSE(ParseEngineMove(bad)) << bad;
    EXPECT_EQ(ParseEngineMove("PASS"), kTenuki);
    EXPECT_THROW(EngineMoveName({20, 1}), ERangeError);
    EXPECT_THROW(EngineMoveName({0, 5}), ERangeError);
}

TEST(EngineMoves, ALineAlternatesFromBlackWithTenukiAsThePassOfTheSideToMove) {
    const auto moves = EngineMoves({{16, 4}, {0, 0}, {17, 3}, {16, 3}});
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"B", "Q16"}, {"W", "pass"}, {"B", "R17"}, {"W", "Q17"}};
    EXPECT_EQ(moves, expected);
    EXPECT_EQ(SideToMoveAfter({}), Black);
    EXPECT_EQ(SideToMoveAfter({{16, 4}}), White);
    EXPECT_EQ(PositionText({{16, 4}, {0, 0}}).Text(), "16,4 pass");
    EXPECT_THROW(EngineMoves({{16, 4}, {16, 4}}), EVxloError);  // occupied
    EXPECT_THROW(EngineMoves({{16, 20}}), EVxloError);
}

TEST(EngineCommandLine, SplitsAsAShellSplitsPlainWords) {
    struct TCase { const char* text; std::vector<std::string> words; };
    const TCase cases[] = {
        {"katago analysis -config a.cfg", {"katago", "analysis", "-config", "a.cfg"}},
        {"  katago\t analysis  ", {"katago", "analysis"}},
        {"'/opt/my engines/katago' -model \"net 1.bin.gz\"", {"/opt/my engines/katago", "-model", "net 1.bin.gz"}},
        {"a\\ b c", {"a b", "c"}},
        {"\"say \\\"hi\\\" \\\\ \\n\"", {"say \"hi\" \\ \\n"}},
        {"x'y'\"z\"", {"xyz"}},
        {"''", {""}},
        {"", {}},
        {"$HOME/*.cfg", {"$HOME/*.cfg"}},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(SplitCommandLine(c.text), c.words) << c.text;
        EXPECT_EQ(SplitCommandLine(JoinCommandLine(c.words)), c.words) << c.text;
    }
    EXPECT_THROW(SplitCommandLine("katago 'analysis"), EVxloError);
    EXPECT_THROW(SplitCommandLine("katago \"analysis"), EVxloError);
}

}  // namespace
}  // namespace vxlo::testing
