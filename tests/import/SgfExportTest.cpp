#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "import/SgfExport.h"
#include "import/SgfMerge.h"
#include "ImportFixture.h"
#include "SgfTreeDump.h"

namespace vxlo::testing {
namespace {

using SgfExportTest = TImportTest;

TJskRecord Rec(int x, int y, int next = 0, int more = 0, int color = 0, int aux = 100) {
    return TJskRecord{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(color),
                      static_cast<std::uint8_t>(aux), next, more};
}

TMemoryRecordStore StoreOf(const std::vector<TJskRecord>& records) {
    TMemoryRecordStore store;
    for (std::size_t i = 0; i < records.size(); ++i) store.Write(static_cast<std::int64_t>(i), EncodeRecord(records[i]));
    return store;
}

TEST(SgfExport, ExactTextOfASmallTree) {
    // pd (red) with replies qc and pc; dd with the single reply cc.
    auto store = StoreOf({TJskRecord{}, Rec(16, 4, 3, 2, 1), Rec(4, 4, 5), Rec(17, 3, 0, 4), Rec(16, 3),
                          Rec(3, 3)});
    TMemorySgfComments comments;
    comments.PutComment(0, "joseki [basic]");
    comments.PutComment(3, "a\\b");
    comments.PutComment(5, "");
    TSgfExportResult result;
    EXPECT_EQ(SgfExportText(store, &comments, &result),
              "(;GM[1]FF[4]CA[UTF-8]SZ[19]AP[vxlo:5.0]ST[2]LB[pd:い][dd:ろ]C[joseki [basic\\]]\n"
              "(;B[pd]VXC[1]LB[qc:い][pc:ろ]\n"
              "(;W[qc]C[a\\\\b])\n"
              "(;W[pc]))\n"
              "(;B[dd]LB[cc:い];W[cc]))\n");
    EXPECT_EQ(result.nodes, 5);

    TMemoryRecordStore empty;
    EXPECT_EQ(SgfExportText(empty, nullptr), "(;GM[1]FF[4]CA[UTF-8]SZ[19]AP[vxlo:5.0]ST[2])\n");
}

TEST(SgfExport, DamagedTreesEndAndTheRootRoleIsHonoured) {
    // qc's Next points back at pd (a loop); a record off the board; a More
    // past the end of the file.
    auto damaged = StoreOf({TJskRecord{}, Rec(16, 4, 2, 3), Rec(17, 3, 1), Rec(25, 4, 0, 4), Rec(4, 4, 0, 9)});
    TSgfExportResult result;
    const std::string text = SgfExportText(damaged, nullptr, &result);
    EXPECT_EQ(result.nodes, 3);
    EXPECT_EQ(result.skippedLoops, 1);
    EXPECT_EQ(result.skippedPoints, 1);
    EXPECT_EQ(result.brokenLinks, 1);
    EXPECT_EQ(ParseSgf(text, "x").NodeCount(), 4);

    // Record 0 with the root role: the root chain starts at its Next.
    auto rooted = StoreOf({Rec(0, 0, 2, 0, 0, 1), Rec(16, 4), Rec(4, 4)});
    EXPECT_EQ(SgfExportText(rooted, nullptr),
              "(;GM[1]FF[4]CA[UTF-8]SZ[19]AP[vxlo:5.0]ST[2]LB[dd:い];B[dd])\n");
}

// A random dictionary grown through the navigation: moves added, followed and
// taken back, label colours stepped, comments written at the positions.
// Now and then tenuki instead of a point, and markup of every kind.
void GrowRandomTree(TNavigation& nav, TMemorySgfComments& comments, unsigned seed, int steps,
                    IPositionMarkup* markup = nullptr) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> coord(1, kBoardSize);
    nav.SetProgressMode(EProgressMode::OneMove);
    for (int step = 0; step < steps; ++step) {
        const unsigned action = rng() % 20;
        TLjsk& dict = nav.Dictionary();
        if (action < 8) {
            int x = coord(rng), y = coord(rng);
            if (rng() % 8 == 0) x = y = 0;
            if (nav.Board().PointState(x, y) == Empty &&
                nav.Board().TestMove(nav.Board().GetTurn(), x, y) == EMoveResult::Ok)
                nav.Deside(x, y);
        } else if (action < 15 && dict.Count() > 0) {
            const TPoint p = dict.GetMoveXY(static_cast<int>(rng() % static_cast<unsigned>(dict.Count())));
            nav.Deside(p.x, p.y);
        } else if (action < 17) {
            nav.MaeNoTe();
        } else if (action < 19 && dict.Count() > 0) {
            const TPoint p = dict.GetMoveXY(static_cast<int>(rng() % static_cast<unsigned>(dict.Count())));
            dict.CycleColor(p.x, p.y);
        } else {
            comments.PutComment(nav.Path().LastRecNo(), "手 " + std::to_string(step) + " [注] \\ 終");
            if (!markup) continue;
            TMarkupList list;
            for (EMarkupKind kind : kAllMarkupKinds) {
                const int x = coord(rng), y = coord(rng);
                const bool taken = std::any_of(list.begin(), list.end(),
                                               [&](const TMarkup& m) { return m.x == x && m.y == y; });
                if (rng() % 2 == 0 && !taken) {
                    list.push_back({kind, x, y, kind == EMarkupKind::Label ? "a]" + std::to_string(step) : ""});
                }
            }
            markup->PutMarkup(nav.Path().LastRecNo(), list);
        }
    }
}

TEST_F(SgfExportTest, RoundTripGivesTheSameTree) {
    TMemorySgfComments comments;
    TMemoryMarkup markup;
    GrowRandomTree(nav, comments, 21, 4000, &markup);
    IRecordStore& source = nav.Dictionary().Store();
    ASSERT_GT(source.RecordCount(), 500);
    ASSERT_GT(markup.All().size(), 50u);
    const std::string expected = TreeDump(source, comments, &markup);
    const std::string file = (dir / "tree.sgf").string();
    const TSgfExportResult exported = ExportSgf(source, file, &comments, &markup);
    EXPECT_EQ(exported.nodes, source.RecordCount() - 1);
    EXPECT_GT(exported.tenuki, 20);
    const std::string firstText = FileBytes(file);
    nav.CloseFile();

    const auto copy = dir / "copy.jsk";
    nav.OpenFile(copy.string());
    TMemorySgfComments merged;
    TMemoryMarkup mergedMarkup;
    const TSgfMergeResult r = MergeSgfFile(nav, file, &merged, &mergedMarkup);
    EXPECT_EQ(r.LeftOut(), 0);
    EXPECT_EQ(r.tenukiAdded, exported.tenuki);
    EXPECT_EQ(TreeDump(nav.Dictionary().Store(), merged, &mergedMarkup), expected);
    EXPECT_TRUE(messages.shown.empty());

    // The copy exports to the same text (record numbers differ, the tree not).
    const std::string second = (dir / "second.sgf").string();
    ExportSgf(nav.Dictionary().Store(), second, &merged, &mergedMarkup);
    EXPECT_EQ(FileBytes(second), firstText);
}

// The file is written in pieces as the text grows; it is the same text as
// the one made whole, also across many pieces.
TEST_F(SgfExportTest, AFileOfManyPiecesIsTheWholeText) {
    TMemorySgfComments comments;
    TMemoryMarkup markup;
    GrowRandomTree(nav, comments, 5, 20000, &markup);
    IRecordStore& source = nav.Dictionary().Store();
    // Long comments make a text of several pieces from a tree of a few thousand moves.
    for (std::int64_t rec = 1; rec < source.RecordCount(); rec += 2) {
        comments.PutComment(static_cast<int>(rec), std::string(4000 + rec % 13, static_cast<char>('a' + rec % 26)) + "]\\");
    }
    TSgfExportResult whole;
    const std::string expected = SgfExportText(source, &comments, &whole, &markup);
    ASSERT_GT(expected.size(), 3u << 20);
    const std::string file = (dir / "large.sgf").string();
    const TSgfExportResult written = ExportSgf(source, file, &comments, &markup);
    EXPECT_EQ(FileBytes(file), expected);
    EXPECT_EQ(written.nodes, whole.nodes);
    EXPECT_EQ(written.tenuki, whole.tenuki);
}

TEST(SgfExport, TenukiIsAPassOfTheSideToMoveAndMarkupSitsOnItsPosition) {
    // pd, then White tenuki (green) with Black's reply qc; dd beside pd.
    auto store = StoreOf({TJskRecord{}, Rec(16, 4, 3, 2), Rec(4, 4), Rec(0, 0, 4, 5, 4), Rec(17, 3),
                          Rec(16, 3)});
    TMemoryMarkup markup;
    markup.PutMarkup(0, {{EMarkupKind::Label, 16, 4, "a"}, {EMarkupKind::Triangle, 3, 3, ""}});
    markup.PutMarkup(3, {{EMarkupKind::Square, 17, 3, ""}, {EMarkupKind::Circle, 1, 1, ""},
                         {EMarkupKind::Cross, 19, 19, ""}, {EMarkupKind::Cross, 2, 2, ""}});
    TSgfExportResult result;
    const std::string text = SgfExportText(store, nullptr, &result, &markup);
    // The markup letter on pd replaces its kana; the tenuki has no label.
    EXPECT_EQ(text,
              "(;GM[1]FF[4]CA[UTF-8]SZ[19]AP[vxlo:5.0]ST[2]LB[pd:a][dd:ろ]TR[cc]\n"
              "(;B[pd]LB[pc:ろ]\n"
              "(;W[]VXC[4]LB[qc:い]SQ[qc]CR[aa]MA[ss][bb];B[qc])\n"
              "(;W[pc]))\n"
              "(;B[dd]))\n");
    EXPECT_EQ(result.tenuki, 1);
    EXPECT_EQ(result.skippedPoints, 0);
}

TEST_F(SgfExportTest, WritesThroughATemporaryFileAndNeverOverTheDictionary) {
    nav.Deside(16, 4);
    nav.Deside(16, 4);
    nav.Deside(17, 3);
    IRecordStore& store = nav.Dictionary().Store();
    const std::string target = (dir / "out.sgf").string();
    WriteBytes(target, "(;GM[1]C[old contents])");
    ExportSgf(store, target, nullptr);
    EXPECT_EQ(FileBytes(target), SgfExportText(store, nullptr));
    // A file that is no SGF text only by force.
    WriteBytes(target, "old contents");
    EXPECT_THROW(ExportSgf(store, target, nullptr), EFileRefused);
    EXPECT_EQ(FileBytes(target), "old contents");
    ExportSgf(store, target, nullptr, nullptr, EExportOverwrite::Force);
    EXPECT_EQ(FileBytes(target), SgfExportText(store, nullptr));

    // A folder in the way: the export fails and leaves no temporary file.
    std::filesystem::create_directories(dir / "taken.sgf" / "inside");
    EXPECT_THROW(ExportSgf(store, (dir / "taken.sgf").string(), nullptr), EInOutError);
    EXPECT_TRUE(std::filesystem::exists(dir / "taken.sgf" / "inside"));

    const std::string before = FileBytes(dictionary);
    EXPECT_THROW(ExportSgf(store, dictionary.string(), nullptr), EFileRefused);
    EXPECT_EQ(FileBytes(dictionary), before);

    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"out.sgf", "taken.sgf", "test.jsk"}));
}

}  // namespace
}  // namespace vxlo::testing

namespace vxlo::testing {
namespace {

const TSgfColorNames kNames = {"定石", "悪手", "変化", "はめ手", "研究"};

// A coloured move's comment opens with its colour's name for programs that
// do not read VXC, the user's comment after it; a comment that already opens
// with the name is left as it is. The merge of our own export takes the name
// off again, so the comments and colours come back as they were.
TEST(SgfExport, ColourNamesOpenTheCommentsOfColouredMoves) {
    // pd red (a comment), dd yellow (none), cc blue under dd (the user's
    // comment opens with the name), qc black.
    auto store = StoreOf({TJskRecord{}, Rec(16, 4, 0, 2, 1), Rec(4, 4, 3, 4, 3), Rec(3, 3, 0, 0, 2),
                          Rec(17, 3)});
    TMemorySgfComments comments;
    comments.PutComment(1, "[x]\nmine");
    comments.PutComment(3, "変化\n本手");
    EXPECT_EQ(SgfExportText(store, &comments, nullptr, nullptr, &kNames),
              "(;GM[1]FF[4]CA[UTF-8]SZ[19]AP[vxlo:5.0]ST[2]VXN[1]LB[pd:い][dd:ろ][qc:は]\n"
              "(;B[pd]VXC[1]C[[悪手\\]\n[x\\]\nmine])\n"
              "(;B[dd]VXC[3]LB[cc:い]C[[はめ手\\]];W[cc]VXC[2]C[変化\n本手])\n"
              "(;B[qc]))\n");
}

TEST_F(SgfExportTest, ColourNamesComeOffAgainInTheRoundTrip) {
    TMemorySgfComments comments;
    GrowRandomTree(nav, comments, 33, 3000);
    IRecordStore& source = nav.Dictionary().Store();
    // Comments that look like the name line, or are the name, on every colour.
    for (std::int64_t rec = 1; rec < source.RecordCount(); rec += 3) {
        const int color = DecodeRecord(source.Read(rec)).Color;
        comments.PutComment(static_cast<int>(rec), rec % 2 == 0 ? "[" + kNames[static_cast<std::size_t>(color)] + "]\nnote"
                                                                : kNames[static_cast<std::size_t>(color)]);
    }
    const std::string expected = TreeDump(source, comments);
    const std::string file = (dir / "named.sgf").string();
    ExportSgf(source, file, &comments, nullptr, EExportOverwrite::OnlySgf, nullptr, &kNames);

    // Every coloured node's comment opens with its name or is the name.
    const TSgfCollection sgf = ParseSgf(FileBytes(file), file);
    int named = 0;
    for (int n = 0; n < sgf.NodeCount(); ++n) {
        const std::string* color = sgf.Node(n).Value(kSgfColorProperty);
        if (!color) continue;
        const std::string& name = kNames[static_cast<std::size_t>(std::stoi(*color))];
        const std::string* text = sgf.Node(n).Value("C");
        ASSERT_NE(text, nullptr);
        EXPECT_TRUE(text->rfind("[" + name + "]", 0) == 0 || text->rfind(name, 0) == 0) << *text;
        ++named;
    }
    ASSERT_GT(named, 50);
    nav.CloseFile();

    nav.OpenFile((dir / "copy.jsk").string());
    TMemorySgfComments merged;
    const TSgfMergeResult r = MergeSgfFile(nav, file, &merged);
    EXPECT_EQ(r.LeftOut(), 0);
    EXPECT_EQ(TreeDump(nav.Dictionary().Store(), merged), expected);

    // A file without VXN (another program's, or an export without names)
    // keeps a first line in brackets as the user's.
    nav.CloseFile();
    nav.OpenFile((dir / "plain.jsk").string());
    TMemorySgfComments plain;
    MergeSgf(nav, ParseSgf("(;SZ[19];B[pd]VXC[1]C[[悪手\\]\nmine])", "plain.sgf"), &plain);
    EXPECT_EQ(plain.GetComment(1).value_or(""), "[悪手]\nmine");
}

}  // namespace
}  // namespace vxlo::testing
