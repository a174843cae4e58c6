// Every writing operation, failed at every possible write (and every read of
// navigation, failed at every possible read): the error reaches the caller,
// the file stays sound, nothing reachable before is lost, and board, path and
// list agree.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "FaultInjection.h"
#include "import/Marge.h"
#include "import/ReadInput.h"
#include "Consistency.h"

namespace vxlo::testing {
namespace {

namespace fs = std::filesystem;

class TQuietMessages final : public IMessageSink {
public:
    void ShowMessage(const TMessage&) override {}
};

using TLine = std::vector<TPoint>;

// Opening book used as the starting point of every case.
const std::vector<TLine> kBook = {
    {{16, 4}, {17, 3}, {16, 3}},
    {{16, 4}, {14, 3}},
    {{4, 4}},
};

class FaultInjection : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("vxlo-faults-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        base_ = (dir_ / "base.jsk").string();
        Record(base_, kBook);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs `op` on a fresh copy for k = 1, 2, ... until it runs without a
    // fault; returns how many faulty runs there were.
    int RunEveryFault(const std::function<void(TNavigation&)>& walkTo,
                      const std::function<void(TNavigation&)>& op, bool reads,
                      const std::function<bool(const std::string&)>& mayVanish = nullptr) {
        for (int k = 1; k < 200; ++k) {
            const std::string work = (dir_ / ("work" + std::to_string(k) + ".jsk")).string();
            fs::copy_file(base_, work, fs::copy_options::overwrite_existing);
            std::set<std::string> before;
            {
                TRecordFile file(work, TRecordFile::Mode::ReadOnly);
                before = ReachableLines(file);
            }
            TNullView view;
            TQuietMessages messages;
            TNullCommentStore comments;
            TNullMenuState menus;
            TNavigation nav(view, messages, comments, menus);
            auto store = std::make_unique<TFaultyRecordStore>(
                std::make_unique<TRecordFile>(work, TRecordFile::Mode::ReadWriteCreate));
            TFaultyRecordStore* faulty = store.get();
            nav.OpenStore(std::move(store));
            nav.SetInputMode(EInputMode::Record);
            walkTo(nav);
            faulty->Arm(reads ? 0 : k, reads ? k : 0);
            bool failed = false;
            try {
                op(nav);
            } catch (const EInOutError& error) {
                failed = true;
                EXPECT_EQ(error.FileName(), work);
            }
            EXPECT_EQ(failed, faulty->Faults() > 0) << "k=" << k;
            faulty->Arm(0, 0);
            ExpectConsistent(nav, /*allowPrefix=*/reads && failed);
            nav.CloseFile();

            TRecordFile reopened(work, TRecordFile::Mode::ReadOnly);
            ExpectSoundFile(reopened);
            const std::set<std::string> after = ReachableLines(reopened);
            for (const std::string& line : before) {
                if (mayVanish && mayVanish(line)) continue;
                EXPECT_TRUE(after.count(line)) << "lost " << line << " at k=" << k;
            }
            if (!failed) return k - 1;
        }
        ADD_FAILURE() << "operation never ran through";
        return 0;
    }

    // Records the lines into a new dictionary, one move at a time.
    static void Record(const std::string& path, const std::vector<TLine>& lines) {
        TNullView view;
        TQuietMessages messages;
        TNullCommentStore comments;
        TNullMenuState menus;
        TNavigation nav(view, messages, comments, menus);
        nav.OpenFile(path);
        nav.SetProgressMode(EProgressMode::OneMove);
        for (const TLine& line : lines) {
            nav.ResetToRoot();
            for (const TPoint& p : line) {
                nav.Deside(p.x, p.y);
                nav.Deside(p.x, p.y);
            }
        }
        nav.CloseFile();
    }

    static void Play(TNavigation& nav, const TLine& line) {
        for (const TPoint& p : line) ASSERT_TRUE(nav.Deside(p.x, p.y));
    }

    fs::path dir_;
    std::string base_;
};

TEST_F(FaultInjection, AddingMovesSurvivesEveryFailedWrite) {
    const auto atRoot = [](TNavigation& nav) { nav.SetProgressMode(EProgressMode::OneMove); };
    // A third root alternative: record, then the previous sibling's link.
    EXPECT_EQ(RunEveryFault(atRoot, [](TNavigation& nav) { nav.Deside(10, 10); }, false), 2);
    // A first continuation below a leaf: record, then the parent's link.
    const auto atLeaf = [](TNavigation& nav) {
        nav.SetProgressMode(EProgressMode::OneMove);
        Play(nav, {{4, 4}});
    };
    EXPECT_EQ(RunEveryFault(atLeaf, [](TNavigation& nav) { nav.Deside(3, 3); }, false), 2);
}

TEST_F(FaultInjection, ColourStepsAndDeletesSurviveEveryFailedWrite) {
    const auto atRoot = [](TNavigation& nav) { nav.SetProgressMode(EProgressMode::OneMove); };
    EXPECT_EQ(RunEveryFault(atRoot, [](TNavigation& nav) { nav.RightClickAt(4, 4); }, false), 1);

    const auto atEnd = [](TNavigation& nav) {
        nav.SetProgressMode(EProgressMode::OneMove);
        Play(nav, {{16, 4}, {14, 3}});
    };
    const auto deleted = [](const std::string& line) { return line == "16,4 14,3"; };
    EXPECT_EQ(RunEveryFault(atEnd, [](TNavigation& nav) { nav.DeleteLast(); }, false, deleted), 1);

    // The last root alternative: the previous sibling's More is rewritten.
    const auto atFirst = [](TNavigation& nav) {
        nav.SetProgressMode(EProgressMode::OneMove);
        nav.Deside(10, 10);
        nav.Deside(10, 10);
    };
    EXPECT_EQ(RunEveryFault(atFirst, [](TNavigation& nav) { nav.DeleteLast(); }, false), 1);

    // The only continuation: the parent's Next is rewritten.
    const auto atOnly = [](TNavigation& nav) {
        nav.SetProgressMode(EProgressMode::OneMove);
        Play(nav, {{16, 4}, {17, 3}, {16, 3}});
    };
    const auto only = [](const std::string& line) { return line == "16,4 17,3 16,3"; };
    EXPECT_EQ(RunEveryFault(atOnly, [](TNavigation& nav) { nav.DeleteLast(); }, false, only), 1);
}

TEST_F(FaultInjection, NavigationSurvivesEveryFailedRead) {
    const auto atRoot = [](TNavigation& nav) { nav.SetProgressMode(EProgressMode::ToBranch); };
    // A to-branch run down the forced part of a line, and back again.
    EXPECT_EQ(RunEveryFault(atRoot, [](TNavigation& nav) { nav.Deside(4, 4); }, true), 0);
    EXPECT_GE(RunEveryFault(atRoot, [](TNavigation& nav) { nav.Deside(16, 4); nav.Deside(17, 3); }, true), 2);
    const auto deep = [](TNavigation& nav) {
        nav.SetProgressMode(EProgressMode::OneMove);
        Play(nav, {{16, 4}, {17, 3}, {16, 3}});
    };
    EXPECT_GE(RunEveryFault(deep, [](TNavigation& nav) { nav.ToFirst(); }, true), 2);
}

TEST_F(FaultInjection, ImportsAndMergesSurviveEveryFailedWriteAndRead) {
    const std::string game = (dir_ / "game.IG1").string();
    {
        std::ofstream out(game, std::ios::binary);
        // Shares (16,4) (17,3), then leaves the book: three new records.
        out << "MOV\r\nR04 R03 Q03 D16 C17\r\n";
    }
    const auto anywhere = [](TNavigation& nav) { nav.SetProgressMode(EProgressMode::OneMove); };
    const auto import = [game](TNavigation& nav) {
        TOneMoveScope oneMove(nav);
        ReadInput(nav, game, 400);
    };
    EXPECT_GE(RunEveryFault(anywhere, import, false), 4);
    EXPECT_GE(RunEveryFault(anywhere, import, true), 4);

    const std::string source = (dir_ / "source.jsk").string();
    Record(source, {{{16, 4}, {17, 3}, {17, 4}}, {{3, 3}, {4, 4}}, {{4, 4}, {3, 4}}});
    const auto merge = [source](TNavigation& nav) { Marge(nav, source, EMergeFormat::Ver4); };
    EXPECT_GE(RunEveryFault(anywhere, merge, false), 4);
    EXPECT_GE(RunEveryFault(anywhere, merge, true), 4);
}

}  // namespace
}  // namespace vxlo::testing
