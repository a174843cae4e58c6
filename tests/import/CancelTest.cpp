// Every long operation of the core, cancelled after its k-th step: it stops
// there, says so, and leaves a sound dictionary that holds part of what the
// whole run gives (or, for those whose result is whole or nothing, exactly
// what was there before).
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "companion/CompanionDatabase.h"
#include "companion/EvidenceStore.h"
#include "core/Progress.h"
#include "dictionary/TreeIndex.h"
#include "import/CornerImport.h"
#include "import/FolderWalk.h"
#include "import/Marge.h"
#include "import/ReadInput.h"
#include "import/SgfExport.h"
#include "import/SgfImport.h"
#include "import/SgfMerge.h"
#include "ImportFixture.h"
#include "reliability/Consistency.h"

namespace vxlo::testing {
namespace {

// Asks to stop at the k-th step and counts the steps it was told of.
class TStopAt final : public IProgress {
public:
    explicit TStopAt(int k) : k_(k) {}
    bool Step(const TProgressStep& step) override {
        EXPECT_GE(step.done, last_) << "done goes backwards";
        last_ = step.done;
        return ++steps == k_;
    }
    int steps = 0;

private:
    int k_;
    std::int64_t last_ = 0;
};

std::string SgfPoint(int x, int y) { return {static_cast<char>('a' + x - 1), static_cast<char>('a' + y - 1)}; }

// A tree of branches × branches × length moves: first moves on row 1, second
// moves on row 3, then a line along rows 6, 8, ... that never captures.
std::string SgfTree(int first, int second, int length) {
    std::string sgf = "(;GM[1]FF[4]SZ[19]";
    for (int i = 0; i < first; ++i) {
        sgf += "(;B[" + SgfPoint(1 + i, 1) + "]C[first " + std::to_string(i) + "]";
        for (int j = 0; j < second; ++j) {
            sgf += "(;W[" + SgfPoint(1 + j, 3) + "]";
            for (int k = 0; k < length; ++k)
                sgf += std::string(k % 2 == 0 ? ";B[" : ";W[") + SgfPoint(1 + k % 19, 6 + 2 * (k / 19)) + "]";
            sgf += ")";
        }
        sgf += ")";
    }
    return sgf + ")";
}

// games games of six moves in the upper right corner, each main line its own.
std::string SgfGames(int games) {
    std::string sgf;
    for (int g = 0; g < games; ++g) {
        sgf += "(;GM[1]SZ[19]RE[B+R]DT[2001];B[" + SgfPoint(16, 4) + "];W[" + SgfPoint(17, 3) + "];B[" +
               SgfPoint(12 + g % 7, 2 + g / 7) + "];W[" + SgfPoint(17, 6) + "];B[" + SgfPoint(4, 4) + "];W[" +
               SgfPoint(16, 16) + "])";
    }
    return sgf;
}

// A dictionary of its own in the test's folder.
struct TDictionary {
    explicit TDictionary(const std::filesystem::path& file) : path(file) { nav.OpenFile(path.string()); }
    ~TDictionary() { nav.CloseFile(); }
    std::filesystem::path path;
    TNullView view;
    TRecordingMessages messages;
    TNullCommentStore comments;
    TNullMenuState menus;
    TNavigation nav{view, messages, comments, menus};
};

enum class EKept { Part, Nothing };

struct TCase {
    const char* name;
    int stopAt;
    EKept kept;
    // Puts the inputs in dir and the dictionary's starting records in d.
    std::function<void(const std::filesystem::path& dir, TDictionary& d)> prepare;
    // Runs the operation; true when its result says it was cancelled.
    std::function<bool(const std::filesystem::path& dir, TDictionary& d, IProgress* progress)> run;
};

bool CornerRun(const std::filesystem::path& dir, TDictionary& d, IProgress* progress) {
    TEvidenceStore evidence(OpenCompanion(d.path.string(), TCompanionDatabase::EAccess::ReadWrite));
    evidence.PrepareWrite();
    TCornerImporter importer(d.nav, &evidence, kDefaultCornerLimit);
    importer.ImportFiles({(dir / "games.sgf").string(), (dir / "more.sgf").string()}, progress);
    const TCornerImportSummary& s = importer.Summary();
    // The counts stored are those of the sequences entered, no more.
    TEvidenceStore reread(OpenCompanion(d.path.string(), TCompanionDatabase::EAccess::ReadOnly));
    EXPECT_EQ(reread.Get(0).value_or(TEvidence{}).games, s.sequences);
    EXPECT_EQ(CornerSummaryMessage(s).Text().starts_with(kCancelledText), s.cancelled);
    return s.cancelled;
}

const TCase kCases[] = {
    {"plain SGF import", 4, EKept::Part,
     [](const auto& dir, TDictionary&) { WriteBytes(dir / "games.sgf", SgfGames(12)); },
     [](const auto& dir, TDictionary& d, IProgress* p) {
         return ImportSgfGames(d.nav, (dir / "games.sgf").string(), kMaxPathMoves, p).cancelled;
     }},
    {"bulk import", 3, EKept::Part,
     [](const auto& dir, TDictionary&) {
         for (int f = 0; f < 5; ++f)
             WriteBytes(dir / "walk" / ("g" + std::to_string(f) + ".IG1"),
                        "MOV\r\n" + std::string(1, static_cast<char>('C' + f)) + "03 Q16\r\n");
     },
     [](const auto& dir, TDictionary& d, IProgress* p) {
         TFolderWalk walk(d.nav);
         walk.SetProgress(p);
         TFolderWalkOptions options;
         options.folder = (dir / "walk").string();
         return walk.Run(options).cancelled;
     }},
    {"corner import within a file", 5, EKept::Part,
     [](const auto& dir, TDictionary&) {
         WriteBytes(dir / "games.sgf", SgfGames(14));
         WriteBytes(dir / "more.sgf", SgfGames(3));
     },
     CornerRun},
    {"corner import between files", 15, EKept::Part,
     [](const auto& dir, TDictionary&) {
         WriteBytes(dir / "games.sgf", SgfGames(14));
         WriteBytes(dir / "more.sgf", SgfGames(21));
     },
     CornerRun},
    {"dictionary merge", 3, EKept::Part,
     [](const auto& dir, TDictionary&) {
         TDictionary source(dir / "source.jsk");
         MergeSgf(source.nav, ParseSgf(SgfTree(4, 6, 60), "tree.sgf"), nullptr);
     },
     [](const auto& dir, TDictionary& d, IProgress* p) {
         const TMergeResult result = Marge(d.nav, (dir / "source.jsk").string(), EMergeFormat::Ver4, p);
         EXPECT_EQ(d.nav.Path().Count(), 0);
         return result.cancelled;
     }},
    {"SGF merge", 2, EKept::Part,
     [](const auto& dir, TDictionary&) { WriteBytes(dir / "tree.sgf", SgfTree(3, 5, 60)); },
     [](const auto& dir, TDictionary& d, IProgress* p) {
         const TSgfMergeResult result = MergeSgfFile(d.nav, (dir / "tree.sgf").string(), nullptr, nullptr, p);
         EXPECT_EQ(d.nav.Path().Count(), 0);
         EXPECT_EQ(SgfMergeSummary(result).Text().starts_with(kCancelledText), result.cancelled);
         return result.cancelled;
     }},
    {"SGF export", 2, EKept::Nothing,
     [](const auto& dir, TDictionary& d) {
         MergeSgf(d.nav, ParseSgf(SgfTree(3, 10, 120), "tree.sgf"), nullptr);
         WriteBytes(dir / "out.sgf", "(;GM[1]C[the old export])");
     },
     [](const auto& dir, TDictionary& d, IProgress* p) {
         const TSgfExportResult result =
             ExportSgf(d.nav.Dictionary().Store(), (dir / "out.sgf").string(), nullptr, nullptr,
                       EExportOverwrite::OnlySgf, p);
         // Cancelled, the old file stands as it was; otherwise it is replaced.
         EXPECT_EQ(FileBytes(dir / "out.sgf") == "(;GM[1]C[the old export])", result.cancelled);
         return result.cancelled;
     }},
    {"tree index", 2, EKept::Nothing,
     [](const auto&, TDictionary& d) { MergeSgf(d.nav, ParseSgf(SgfTree(6, 12, 120), "tree.sgf"), nullptr); },
     [](const auto&, TDictionary& d, IProgress* p) {
         try {
             const TTreeIndex index = TTreeIndex::Build(d.nav.Dictionary().Store(), p);
             EXPECT_GT(index.PositionCount(), 1u);
             return false;
         } catch (const ECancelled&) {
             return true;
         }
     }},
};

class CancelTest : public TImportTest {};

TEST_F(CancelTest, EveryLongOperationStopsAtTheAskedStepAndKeepsASoundPartOfItsWork) {
    for (const TCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path whole = dir / (std::string(c.name) + " whole");
        const std::filesystem::path cut = dir / (std::string(c.name) + " cut");
        std::filesystem::create_directories(whole);
        std::filesystem::create_directories(cut);
        std::set<std::string> wholeLines;
        std::int64_t wholeSteps = 0;
        {
            TDictionary d(whole / "d.jsk");
            c.prepare(whole, d);
            TStopAt never(-1);
            EXPECT_FALSE(c.run(whole, d, &never));
            wholeSteps = never.steps;
            wholeLines = ReachableLines(d.nav.Dictionary().Store());
        }
        // Enough steps that the stop falls inside the work.
        EXPECT_GT(wholeSteps, c.stopAt);
        std::set<std::string> before;
        std::string bytesBefore;
        {
            TDictionary d(cut / "d.jsk");
            c.prepare(cut, d);
            before = ReachableLines(d.nav.Dictionary().Store());
            bytesBefore = FileBytes(cut / "d.jsk");
            TStopAt stop(c.stopAt);
            EXPECT_TRUE(c.run(cut, d, &stop));
            EXPECT_EQ(stop.steps, c.stopAt) << "steps after the stop";
        }
        // Read back from the file alone.
        TRecordFile file((cut / "d.jsk").string(), TRecordFile::Mode::ReadOnly);
        ExpectSoundFile(file);
        const std::set<std::string> after = ReachableLines(file);
        if (c.kept == EKept::Nothing) {
            EXPECT_EQ(FileBytes(cut / "d.jsk"), bytesBefore);
            continue;
        }
        EXPECT_GT(after.size(), before.size()) << "nothing kept";
        EXPECT_LT(after.size(), wholeLines.size()) << "not stopped";
        for (const std::string& line : after) EXPECT_TRUE(wholeLines.contains(line)) << line;
    }
}

}  // namespace
}  // namespace vxlo::testing
