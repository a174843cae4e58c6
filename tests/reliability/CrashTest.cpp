// The command-line import killed at random moments: each time the dictionary
// still opens, every link is valid, and every game the tool reported done is
// in the tree.
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "Consistency.h"
#include "import/RandomGame.h"
#include "import/SgfReader.h"
#include "companion/EvidenceStore.h"

namespace vxlo::testing {
namespace {

namespace fs = std::filesystem;

// Follows the game's moves down the tree; true when every one is there.
bool TreeHoldsLine(IRecordStore& store, const std::vector<TPoint>& moves) {
    std::int64_t head = TLjsk::RootRecNoOf(store);
    for (const TPoint& p : moves) {
        std::int64_t rec = head;
        int guard = 0;
        while (rec > 0 && rec < store.RecordCount() && guard++ <= 31) {
            const TJskRecord r = DecodeRecord(store.Read(rec));
            if (r.X == p.x && r.Y == p.y) break;
            rec = r.More;
        }
        if (rec <= 0 || rec >= store.RecordCount() || guard > 31) return false;
        head = DecodeRecord(store.Read(rec)).Next;
    }
    return true;
}

// Runs the tool with its output in a file; kills it after `delay` unless it
// ended before. Returns the lines it printed.
std::vector<std::string> RunAndKill(const std::vector<std::string>& args, std::chrono::microseconds delay,
                                    const fs::path& outFile) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fd = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(fd, 1);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 2);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + delay;
    int status = 0;
    bool ended = false;
    while (!ended && std::chrono::steady_clock::now() < deadline) {
        ended = ::waitpid(pid, &status, WNOHANG) == pid;
        if (!ended) ::usleep(200);
    }
    if (!ended) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    }
    std::vector<std::string> lines;
    std::ifstream in(outFile);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(CrashMidImport, EveryKillLeavesASoundDictionaryWithTheFinishedGames) {
    const fs::path dir = fs::temp_directory_path() / ("vxlo-crash-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "games");
    std::map<std::string, std::vector<TPoint>> games;
    // At most 20 first moves, so that no position needs more than the 30
    // candidates a position can hold.
    std::set<std::pair<int, int>> openings;
    for (unsigned seed = 1; games.size() < 300; ++seed) {
        std::vector<TPoint> moves = RandomGame(seed, 50);
        const std::pair<int, int> first{moves[0].x, moves[0].y};
        if (!openings.count(first) && openings.size() == 20) continue;
        openings.insert(first);
        const fs::path file = dir / "games" / ("game" + std::to_string(seed) + ".IG1");
        std::ofstream(file, std::ios::binary) << Ig1Text(moves);
        games[file.string()] = std::move(moves);
    }
    const std::string dictionary = (dir / "crash.jsk").string();
    // Kill within the time a whole import takes on this build and machine.
    const auto start = std::chrono::steady_clock::now();
    const auto whole = RunAndKill({VXLO_TOOL, "import", "--progress", (dir / "timing.jsk").string(),
                                   (dir / "games").string()},
                                  std::chrono::seconds(60), dir / "out.txt");
    ASSERT_EQ(whole.size(), games.size());
    const auto importTime = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    std::mt19937 rng(20261209);
    std::uniform_int_distribution<long> delayUs(0, importTime.count() * 4 / 5);
    int killedMidway = 0;
    std::set<std::string> finished;
    for (int run = 0; run < 50; ++run) {
        const auto lines = RunAndKill({VXLO_TOOL, "import", "--progress", dictionary, (dir / "games").string()},
                                      std::chrono::microseconds(delayUs(rng)), dir / "out.txt");
        if (lines.size() < games.size()) ++killedMidway;
        for (const std::string& line : lines) {
            ASSERT_EQ(line.rfind("imported ", 0), 0u) << line;
            finished.insert(line.substr(9));
        }
        // The dictionary opens, as the program opens it.
        TNullView view;
        TNullCommentStore comments;
        TNullMenuState menus;
        struct : IMessageSink {
            void ShowMessage(const TMessage&) override {}
        } messages;
        TNavigation nav(view, messages, comments, menus);
        ASSERT_NO_THROW(nav.OpenFile(dictionary)) << "run " << run;
        IRecordStore& store = nav.Dictionary().Store();
        ExpectSoundFile(store);
        for (const std::string& name : finished) {
            ASSERT_TRUE(games.count(name)) << name;
            ASSERT_TRUE(TreeHoldsLine(store, games[name])) << name << " lost after run " << run;
        }
        nav.CloseFile();
    }
    // The test means something only if some kills hit an import in progress.
    EXPECT_GT(killedMidway, 10);
    EXPECT_FALSE(finished.empty());
    if (!HasFailure()) fs::remove_all(dir);
}

// The corner import killed at random moments: the dictionary stays sound and
// every count belongs to a sequence in the tree. Counts go to the companion
// database a batch at a time, so a batch is there whole or not at all: the
// root's count equals the sum of its candidates' counts.
TEST(CrashMidImport, CornerImportLeavesCountsOnlyForEnteredSequences) {
    const fs::path dir = fs::temp_directory_path() / ("vxlo-corner-crash-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "games");
    // Enough games for several batches of counts within one import.
    for (int file = 0; file < 5; ++file) {
        std::ofstream out(dir / "games" / ("part" + std::to_string(file) + ".sgf"), std::ios::binary);
        for (unsigned g = 0; g < 1000; ++g) {
            const std::vector<TPoint> moves = RandomGame(1000 * static_cast<unsigned>(file) + g + 1, 40);
            out << "(;SZ[19]RE[" << (g % 3 ? "B+R" : "W+R") << "]";
            for (std::size_t i = 0; i < moves.size(); ++i)
                out << (i % 2 ? ";W[" : ";B[") << EncodeSgfPoint(moves[i]) << ']';
            out << ")\n";
        }
    }
    const auto start = std::chrono::steady_clock::now();
    RunAndKill({VXLO_TOOL, "import", "--corners", (dir / "timing.jsk").string(), (dir / "games").string()},
               std::chrono::seconds(120), dir / "out.txt");
    const auto importTime = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    std::mt19937 rng(20261210);
    std::uniform_int_distribution<long> delayUs(importTime.count() / 10, importTime.count() * 9 / 10);
    int withCounts = 0;
    for (int run = 0; run < 8; ++run) {
        const std::string dictionary = (dir / ("corners" + std::to_string(run) + ".jsk")).string();
        RunAndKill({VXLO_TOOL, "import", "--corners", dictionary, (dir / "games").string()},
                   std::chrono::microseconds(delayUs(rng)), dir / "out.txt");
        TRecordFile file(dictionary, TRecordFile::Mode::ReadOnly);
        ExpectSoundFile(file);
        if (!fs::exists(TCompanionDatabase::PathFor(dictionary))) continue;
        TEvidenceStore evidence(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadOnly));
        const auto root = evidence.Get(0);
        if (!root) continue;
        ++withCounts;
        long long candidates = 0;
        for (std::int64_t rec = TLjsk::RootRecNoOf(file); rec > 0;
             rec = DecodeRecord(file.Read(rec)).More) {
            if (const auto e = evidence.Get(static_cast<int>(rec))) candidates += e->games;
        }
        EXPECT_EQ(candidates, root->games) << "run " << run;
        for (std::int64_t rec = file.RecordCount(); rec < file.RecordCount() + 50; ++rec)
            EXPECT_FALSE(evidence.Get(static_cast<int>(rec)).has_value()) << "count past the file";
    }
    EXPECT_GT(withCounts, 0);
    if (!HasFailure()) fs::remove_all(dir);
}

}  // namespace
}  // namespace vxlo::testing
