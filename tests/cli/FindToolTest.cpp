// vxlo-tool path, search and find, run in-process on generated dictionaries.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/VxloTool.h"
#include "dictionary/MoveText.h"
#include "dictionary/TreeSupport.h"
#include "import/ImportFixture.h"
#include "import/SgfCommentStore.h"

namespace vxlo::testing {
namespace {

class FindToolTest : public TImportTest {
protected:
    int Run(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        return RunVxloTool(args, out, err);
    }
    std::string Dict() const { return dictionary.string(); }
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(FindToolTest, PathReplayedFromTheRootReachesTheSameRecord) {
    std::mt19937 rng(5);
    TTreeModel model;
    for (int i = 0; i < 60; ++i) EnterLine(nav, RandomLine(rng, 1 + static_cast<int>(rng() % 8)), &model);
    for (const auto& [record, moves] : model.moves) {
        ASSERT_EQ(Run({"path", "--json", Dict(), std::to_string(record)}), 0) << err.str();
        // Parse the answer back and enter it as clicks would: the record reached is the one asked for.
        const std::string text = out.str();
        const std::string head = "{\"record\": " + std::to_string(record) + ", \"moves\": [";
        ASSERT_EQ(text.rfind(head, 0), 0u) << text;
        TLine replay;
        std::size_t at = head.size();
        while (text[at] == '"') {
            const std::size_t end = text.find('"', at + 1);
            replay.push_back(*ParseMove(text.substr(at + 1, end - at - 1)));
            at = end + 1;
            if (text.compare(at, 2, ", ") == 0) at += 2;
        }
        ASSERT_EQ(text.substr(at), "]}\n");
        nav.ResetToRoot();
        TOneMoveScope oneMove(nav);
        for (const TPoint p : replay) {
            ASSERT_EQ(nav.Board().PointState(p.x, p.y), Candidate);
            nav.Deside(p.x, p.y);
        }
        EXPECT_EQ(nav.CurrentRecord(), record);
    }
    EXPECT_EQ(Run({"path", Dict(), "0"}), 0);
    EXPECT_EQ(out.str(), "0: (empty board)\n");
}

TEST_F(FindToolTest, PathOfARecordNotReachedFailsNamingIt) {
    EnterLine(nav, {{4, 4}, {16, 16}});
    EXPECT_EQ(Run({"path", "--json", Dict(), "2"}), 0);
    EXPECT_EQ(out.str(), "{\"record\": 2, \"moves\": [\"4,4\", \"16,16\"]}\n");
    EXPECT_EQ(Run({"path", "--json", Dict(), "7"}), 1);
    EXPECT_EQ(err.str(), "record 7 is not in the dictionary.\n");
    EXPECT_EQ(Run({"path", Dict(), "seven"}), 2);
    EXPECT_EQ(Run({"path", (dir / "none.jsk").string(), "1"}), 1);
    EXPECT_NE(err.str().find("none.jsk"), std::string::npos) << err.str();
}

TEST_F(FindToolTest, SearchListsMovesAndSnippets) {
    const int a = EnterLine(nav, {{16, 4}, {17, 3}});
    const int b = EnterLine(nav, {{4, 4}});
    {
        TSgfCommentStore store(OpenCompanion(Dict(), TCompanionDatabase::EAccess::ReadWrite));
        store.PutComment(a, "小目に三々\n\"Tsuke\" joseki");
        store.PutComment(b, "Star point JOSEKI");
    }
    const std::string ra = std::to_string(a), rb = std::to_string(b);
    ASSERT_EQ(Run({"search", "--json", Dict(), "Joseki"}), 0) << err.str();
    EXPECT_EQ(out.str(),
              "[{\"record\": " + rb + ", \"moves\": [\"4,4\"], \"snippet\": \"Star point JOSEKI\"},\n"
              " {\"record\": " + ra + ", \"moves\": [\"16,4\", \"17,3\"], \"snippet\": \"小目に三々 \\\"Tsuke\\\" joseki\"}]\n");
    ASSERT_EQ(Run({"search", "--json", Dict(), "三々"}), 0);
    EXPECT_EQ(out.str(), "[{\"record\": " + ra +
                             ", \"moves\": [\"16,4\", \"17,3\"], \"snippet\": \"小目に三々 \\\"Tsuke\\\" joseki\"}]\n");
    ASSERT_EQ(Run({"search", "--json", Dict(), "nothing"}), 0);
    EXPECT_EQ(out.str(), "[]\n");
}

TEST_F(FindToolTest, FindListsEveryImageExactFirst) {
    const TLine line = {{4, 3}, {3, 5}, {6, 3}};
    const int mirrored = EnterLine(nav, Transformed(2, line));  // x -> 20 - x
    const int exact = EnterLine(nav, line);
    const int other = EnterLine(nav, {{6, 3}, {3, 5}, {4, 3}});  // same stones, another order
    ASSERT_EQ(Run({"find", "--json", Dict(), "4,3", "3,5", "6,3"}), 0) << err.str();
    EXPECT_EQ(out.str(),
              "[{\"record\": " + std::to_string(exact) +
                  ", \"moves\": [\"4,3\", \"3,5\", \"6,3\"], \"symmetry\": 0, \"colours_exchanged\": false},\n"
                  " {\"record\": " + std::to_string(other) +
                  ", \"moves\": [\"6,3\", \"3,5\", \"4,3\"], \"symmetry\": 0, \"colours_exchanged\": false},\n"
                  " {\"record\": " + std::to_string(mirrored) +
                  ", \"moves\": [\"16,3\", \"17,5\", \"14,3\"], \"symmetry\": 2, \"colours_exchanged\": false}]\n");
    EXPECT_EQ(Run({"find", "--json", Dict()}), 0);  // the empty board
    EXPECT_EQ(out.str(), "[{\"record\": 0, \"moves\": [], \"symmetry\": 0, \"colours_exchanged\": false}]\n");
    EXPECT_EQ(Run({"find", Dict(), "4,3", "20,1"}), 2);
    EXPECT_EQ(Run({"find", Dict(), "4,3", "4,3"}), 1);
    EXPECT_EQ(err.str(), "move 2 (4,3): illegal here.\n");
    // A tenuki from the empty board: the empty board, White to move, which is
    // the root with colours exchanged.
    EXPECT_EQ(Run({"find", "--json", Dict(), "PASS"}), 0);
    EXPECT_EQ(out.str(), "[{\"record\": 0, \"moves\": [], \"symmetry\": 0, \"colours_exchanged\": true}]\n");
}

TEST_F(FindToolTest, ATenukiInTheFileIsAPassInEveryMoveList) {
    nav.CloseFile();
    // 16,4, then a tenuki (a record at 0,0), then 4,4; and 3,3 beside 16,4.
    WriteBytes(dictionary, RecordBytes({TJskRecord{}, Move(16, 4, 2, 4), Move(0, 0, 3), Move(4, 4), Move(3, 3)}));
    EXPECT_EQ(Run({"path", "--json", Dict(), "3"}), 0) << err.str();
    EXPECT_EQ(out.str(), "{\"record\": 3, \"moves\": [\"16,4\", \"pass\", \"4,4\"]}\n");
    EXPECT_EQ(Run({"path", Dict(), "2"}), 0);
    EXPECT_EQ(out.str(), "2: 16,4 pass\n");
    // Positions below the tenuki are found like any other.
    EXPECT_EQ(Run({"find", "--json", Dict(), "3,3"}), 0);
    EXPECT_EQ(out.str(), "[{\"record\": 4, \"moves\": [\"3,3\"], \"symmetry\": 0, \"colours_exchanged\": false}]\n");
    EXPECT_EQ(Run({"find", "--json", Dict(), "16,4", "pass", "4,4"}), 0) << err.str();
    EXPECT_EQ(out.str(), "[{\"record\": 3, \"moves\": [\"16,4\", \"pass\", \"4,4\"], \"symmetry\": 0, "
                         "\"colours_exchanged\": false}]\n");
    nav.OpenFile(Dict());
}

TEST_F(FindToolTest, CornerFindsTheJosekiOfAGameFromMovesOrAnSgfFile) {
    const TLine joseki = {{4, 3}, {3, 5}, {6, 3}};
    const int last = EnterLine(nav, joseki);
    // Played mirrored left-right in the game, Black first elsewhere.
    const std::vector<std::string> moves = {"10,19", "16,3", "17,5", "14,3", "pass", "1,1"};
    std::vector<std::string> args = {"corner", "--json", Dict()};
    args.insert(args.end(), moves.begin(), moves.end());
    ASSERT_EQ(Run(args), 0) << err.str();
    const std::string best = "{\"record\": " + std::to_string(last) +
                             ", \"moves\": [\"4,3\", \"3,5\", \"6,3\"], \"corner\": 1, \"stones\": 3, \"move_number\": 4, "
                             "\"symmetry\": 2, \"colours_exchanged\": true}";
    EXPECT_EQ(out.str().substr(0, best.size() + 1), "[" + best) << out.str();
    const std::string sgf = (dir / "game.sgf").string();
    WriteBytes(sgf, "(;GM[1]SZ[19];B[js];W[pc];B[qe];W[nc];B[cc])");
    ASSERT_EQ(Run({"corner", "--json", "--limit", "4", Dict(), sgf}), 0) << err.str();
    EXPECT_EQ(out.str().substr(0, best.size() + 1), "[" + best);
    EXPECT_EQ(Run({"corner", "--limit", "2", Dict(), sgf}), 0);
    EXPECT_EQ(out.str().substr(0, out.str().find('\n')), std::to_string(last - 2) + ": 4,3 (corner 1, 1 stones after move 2)");
    EXPECT_EQ(Run({"corner", Dict(), (dir / "none.sgf").string()}), 2);  // neither a file nor a move
    EXPECT_EQ(Run({"corner", "--mask", "x", Dict(), sgf}), 2);
}

TEST(MoveTextTest, OneFormForPointsAndTenuki) {
    EXPECT_EQ(FormatMove(16, 4), "16,4");
    EXPECT_EQ(FormatMove(0, 0), "pass");
    EXPECT_EQ(ParseMove("pass"), (TPoint{0, 0}));
    EXPECT_EQ(ParseMove("Pass"), (TPoint{0, 0}));
    EXPECT_EQ(ParseMove("1,19"), (TPoint{1, 19}));
    for (const char* bad : {"", "0,4", "20,1", "4", "4,", ",4", "04,4", "4,4,", " 4,4", "4;4", "-1,4", "passe"}) {
        EXPECT_FALSE(ParseMove(bad)) << bad;
    }
    for (int x = 1; x <= 19; ++x) {
        for (int y = 1; y <= 19; ++y) EXPECT_EQ(ParseMove(FormatMove(x, y)), (TPoint{x, y}));
    }
}

}  // namespace
}  // namespace vxlo::testing
