// vxlo-bench: speed of bulk import, merge and navigation on a generated corpus
// of game records, and of a large generated dictionary. One figure per line.
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "board/Goban.h"
#include "cli/BenchCorpus.h"
#include "cli/BenchReport.h"
#include "cli/BenchTree.h"
#include "cli/CornerCommands.h"
#include "cli/EngineBench.h"
#include "cli/FindBench.h"
#include "cli/GamesBench.h"
#include "cli/JosekiTreeGenerator.h"
#include "cli/LargeBench.h"
#include "dictionary/RecordFile.h"
#include "import/CornerSequence.h"
#include "import/FolderWalk.h"
#include "import/Marge.h"
#include "import/SgfCommentStore.h"
#include "import/SgfExport.h"
#include "import/SgfMerge.h"
#include "navigation/Navigation.h"
#include "practice/PracticeSession.h"
#include "companion/MarkupStore.h"

extern char** environ;

namespace {

using namespace vxlo;
using Clock = std::chrono::steady_clock;

constexpr int kDefaultGames = 10000;
constexpr unsigned kSeed = 20240611;
constexpr int kFindRecords = 1000000;

class TBenchCards final : public IPracticeCards {
public:
    std::optional<TPracticeCard> Find(int rec) const override {
        const auto found = cards.find(rec);
        if (found == cards.end()) return std::nullopt;
        return found->second;
    }
    void Put(const TPracticeCard& card) override { cards[card.rec] = card; }
    std::map<int, TPracticeCard> cards;
};

class TBenchPracticeBoard final : public IPracticeBoard {
public:
    void ReturnToStart() override {}
    void Play(const TPracticeMove&) override {}
    void ShowAnswers(const std::vector<TPracticeMove>&) override {}
};

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// The same dictionary in the version-1 layout: no placeholder record, so
// every record and link moves down by one, and 16-bit coordinates.
void WriteVer1(const std::string& ver4, const std::string& ver1) {
    TRecordFile source(ver4, TRecordFile::Mode::ReadOnly);
    std::vector<TRecordBytes> records(static_cast<std::size_t>(source.RecordCount()));
    source.ReadRange(0, records);
    std::ofstream out(ver1, std::ios::binary | std::ios::trunc);
    for (std::size_t n = 1; n < records.size(); ++n) {
        const TJskRecord r = DecodeRecord(records[n]);
        TJskRecord shifted{r.X, 0, r.Y, 0, r.Next > 0 ? r.Next - 1 : 0, r.More > 0 ? r.More - 1 : 0};
        const TRecordBytes bytes = EncodeRecord(shifted);
        out.write(reinterpret_cast<const char*>(bytes.data()), kRecordSize);
    }
}

void BenchImportAndMerge(const std::filesystem::path& root, int games, TBenchReport& report) {
    const std::filesystem::path corpus = root / "corpus";
    std::mt19937 rng(kSeed);
    long long moves = 0;
    for (int g = 0; g < games; ++g) {
        const std::filesystem::path folder = corpus / ("f" + std::to_string(g / 100));
        std::filesystem::create_directories(folder);
        const std::vector<TPoint> game = BenchGame(rng);
        moves += static_cast<long long>(game.size());
        std::ofstream(folder / ("g" + std::to_string(g) + ".IG1"), std::ios::binary) << BenchIg1(game);
    }
    TFolderWalkOptions options;
    options.folder = corpus.string();
    options.subfolders = true;
    options.moveLimit = kMaxPathMoves;

    const std::string dictionary = (root / "bench.jsk").string();
    for (const bool inMemory : {false, true}) {
        TBenchWorld w;
        if (inMemory) {
            w.nav.OpenStore(std::make_unique<TMemoryRecordStore>());
        } else {
            w.nav.OpenFile(dictionary);
        }
        const auto start = Clock::now();
        const TFolderWalkResult result = TFolderWalk(w.nav).Run(options);
        const double s = Seconds(start);
        const std::string where = inMemory ? "memory" : "file";
        report.Figure("bulk import, " + where + " dictionary: moves/s", static_cast<double>(moves) / s,
                      "bulk import, %s dictionary: %.0f moves/s", where.c_str(), static_cast<double>(moves) / s);
        report.Figure("bulk import, " + where + " dictionary: files/s", result.filesDone / s,
                      "bulk import, %s dictionary: %.0f files/s", where.c_str(), result.filesDone / s);
        if (!inMemory) {
            report.Figure("bulk import, file dictionary: s", s, "bulk import, file dictionary: %.2f s for %d files, %lld moves",
                          s, result.filesDone, moves);
            const auto records = static_cast<double>(w.nav.Dictionary().Store().RecordCount());
            report.Figure("dictionary records", records, "dictionary records: %.0f", records);
            w.nav.CloseFile();
        }
    }
    const std::string ver1 = (root / "bench-v1.jsk").string();
    WriteVer1(dictionary, ver1);
    for (const EMergeFormat format : {EMergeFormat::Ver4, EMergeFormat::Ver1}) {
        const std::string name = format == EMergeFormat::Ver1 ? "version-1 merge" : "merge";
        for (const bool inMemory : {false, true}) {
            TBenchWorld w;
            if (inMemory) {
                w.nav.OpenStore(std::make_unique<TMemoryRecordStore>());
            } else {
                w.nav.OpenFile((root / (format == EMergeFormat::Ver1 ? "merged-v1.jsk" : "merged.jsk")).string());
            }
            const auto start = Clock::now();
            const TMergeResult result = Marge(w.nav, format == EMergeFormat::Ver1 ? ver1 : dictionary, format);
            const double s = Seconds(start);
            const std::string where = inMemory ? "an empty memory dictionary" : "an empty dictionary";
            report.Figure(name + " into " + where + ": records/s", result.recordsRead / s,
                          "%s into %s: %.0f records/s", name.c_str(), where.c_str(), result.recordsRead / s);
            if (!inMemory) {
                report.Figure(name + " into an empty dictionary: s", s, "%s into an empty dictionary: %.2f s for %d records",
                              name.c_str(), s, result.recordsRead);
            }
        }
    }
    {
        TBenchWorld w;
        w.nav.OpenFile(dictionary);
        w.nav.SetProgressMode(EProgressMode::OneMove);
        const TPoint first = w.nav.Dictionary().GetMoveXY(0);
        constexpr int kSteps = 100000;
        const auto start = Clock::now();
        for (int i = 0; i < kSteps; ++i) {
            w.nav.Deside(first.x, first.y);
            w.nav.MaeNoTe();
        }
        const double s = Seconds(start);
        report.Figure("navigation step (follow and take back): us", s * 1e6 / kSteps,
                      "navigation step (follow and take back): %.2f us", s * 1e6 / kSteps);
    }
    {
        // Practice over the imported tree: the status count walks all of
        // it; each program move walks the subtrees of its candidates.
        TRecordFile file(dictionary, TRecordFile::Mode::ReadOnly);
        const TStorePracticeTree tree(file);
        TBenchCards cards;
        TBenchPracticeBoard board;
        const TNoEvidence evidence;
        const TSystemPracticeClock clock;
        auto start = Clock::now();
        const TPositionCounts counts = CountPositions(tree, cards, {}, {0, Black, Black}, clock.Today());
        report.Figure("practice status of the whole tree: s", Seconds(start),
                      "practice status of the whole tree: %.3f s for %d positions", Seconds(start), counts.total);
        TPracticeSession session(tree, cards, board, evidence, clock, {}, 0, Black, kSeed);
        constexpr int kLines = 20;
        int answers = 0;
        start = Clock::now();
        for (int line = 0; line < kLines; ++line) {
            session.NextLine();
            while (session.State() == EPracticeState::UserToAnswer) {
                session.Answer(session.CorrectAnswers().front().rec);
                ++answers;
            }
        }
        const double ms = Seconds(start) * 1e3 / std::max(answers, 1);
        report.Figure("practice: ms per answer", ms,
                      "practice: %.2f ms per answer, the program's replies and each line's due count included (%d answers)",
                      ms, answers);
    }
}

void BenchSgf(const std::filesystem::path& root, TBenchReport& report) {
    {
        constexpr int kTreeNodes = 60000;
        TBenchWorld source;
        source.nav.OpenStore(std::make_unique<TMemoryRecordStore>());
        TMemorySgfComments comments;
        std::mt19937 treeRng(kSeed);
        // A comment on every tenth position.
        GrowJosekiTree(source.nav, kTreeNodes, treeRng, [&](int rec, TPoint move) {
            if ((rec + 1) % 10 == 0)
                comments.PutComment(rec, "変化 " + std::to_string(move.x) + "-" + std::to_string(move.y));
        });
        const std::string sgf = (root / "tree.sgf").string();
        auto start = Clock::now();
        const TSgfExportResult exported = ExportSgf(source.nav.Dictionary().Store(), sgf, &comments);
        report.Figure("SGF export of a joseki tree: s", Seconds(start),
                      "SGF export of a joseki tree: %.2f s for %d moves (%lld bytes)", Seconds(start), exported.nodes,
                      static_cast<long long>(std::filesystem::file_size(sgf)));
        for (const bool inMemory : {false, true}) {
            TBenchWorld w;
            if (inMemory) {
                w.nav.OpenStore(std::make_unique<TMemoryRecordStore>());
            } else {
                w.nav.OpenFile((root / "from-sgf.jsk").string());
            }
            TMemorySgfComments merged;
            start = Clock::now();
            const TSgfMergeResult result = MergeSgfFile(w.nav, sgf, &merged);
            const std::string where = inMemory ? "memory" : "file";
            report.Figure("SGF merge of that tree into an empty " + where + " dictionary: s", Seconds(start),
                          "SGF merge of that tree into an empty %s dictionary: %.2f s for %d moves", where.c_str(),
                          Seconds(start), result.movesAdded);
        }
    }
    {
        // A tree shaped like the public joseki files, merged as
        // `vxlo-tool merge --sgf` does it: comments and markup go to the
        // database beside the dictionary, written before the clock stops.
        constexpr int kJosekiNodes = 60000;
        const TJosekiTree tree = GenerateJosekiTree(kJosekiNodes, kSeed);
        const std::string sgf = (root / "joseki.sgf").string();
        std::ofstream(sgf, std::ios::binary) << tree.sgf;
        const std::string target = (root / "joseki.jsk").string();
        TBenchWorld w;
        w.nav.OpenFile(target);
        const auto start = Clock::now();
        const TCompanion companion = OpenCompanion(target, TCompanionDatabase::EAccess::ReadWrite);
        TMarkupStore markup(companion);
        TSgfMergeResult result;
        {
            TSgfCommentStore comments(companion);
            result = MergeSgfFile(w.nav, sgf, &comments, &markup);
        }
        markup.Flush();
        report.Figure("SGF merge of a joseki tree with comments and markup into an empty file dictionary: s",
                      Seconds(start),
                      "SGF merge of a %d-node joseki tree with comments and markup into an empty file "
                      "dictionary: %.3f s (%d moves, %d tenuki, %d comments, %d positions with markup)",
                      tree.nodes, Seconds(start), result.movesAdded, result.tenukiAdded, result.commentsAdded,
                      result.markupAdded);
    }
}

// A collection shaped like professional games around a few joseki: 60
// lines of the upper-right corner (the later ones variations of earlier
// ones), two to four per game in distinct corners and orientations, their
// moves interleaved so that tenuki falls between them, one game in four a
// copy of an earlier one. Imported twice: the second time must add nothing.
void BenchCornerTenukiCorpus(const std::filesystem::path& root, int games, TBenchReport& report) {
    std::mt19937 rng(kSeed + 2);
    std::vector<std::vector<TPoint>> lines;
    for (int l = 0; l < 60; ++l) {
        std::vector<TPoint> line;
        if (l >= 20) line = lines[rng() % 20];
        line.resize(std::min<std::size_t>(line.size(), 2 + rng() % 8));
        const int length = 8 + static_cast<int>(rng() % 14);
        while (static_cast<int>(line.size()) < length) {
            // No point twice: a line whose stones are never captured is legal as it stands.
            const TPoint p{11 + static_cast<int>(rng() % 9), 1 + static_cast<int>(rng() % 9)};
            if (std::find(line.begin(), line.end(), p) == line.end()) line.push_back(p);
        }
        lines.push_back(std::move(line));
    }
    std::vector<std::string> records;
    for (int g = 0; g < games; ++g) {
        if (g > 10 && rng() % 4 == 0) {
            records.push_back(records[rng() % records.size()]);
            continue;
        }
        int corners[4] = {0, 1, 2, 3};
        std::shuffle(std::begin(corners), std::end(corners), rng);
        std::vector<std::vector<TPoint>> queues;
        for (int k = 0, placed = 2 + static_cast<int>(rng() % 3); k < placed; ++k) {
            std::vector<TPoint> q = lines[rng() % lines.size()];
            const bool flip = rng() % 2;
            for (TPoint& p : q) {
                if (flip) p = {20 - p.y, 20 - p.x};
                if (!(corners[k] & 1)) p.x = 20 - p.x;
                if (corners[k] & 2) p.y = 20 - p.y;
            }
            queues.push_back(std::move(q));
        }
        std::string sgf = "(;GM[1]SZ[19]RE[" + std::string(rng() % 2 ? "B+R" : "W+R") + "]DT[" +
                          std::to_string(1950 + rng() % 70) + "]";
        std::vector<std::size_t> next(queues.size(), 0);
        for (int move = 0;; ++move) {
            std::vector<std::size_t> open;
            for (std::size_t k = 0; k < queues.size(); ++k)
                if (next[k] < queues[k].size()) open.push_back(k);
            if (open.empty()) break;
            // Runs in one corner, then a move elsewhere: tenuki in the lines.
            const std::size_t k = open[rng() % 3 == 0 ? rng() % open.size() : 0];
            sgf += std::string(move % 2 ? ";W[" : ";B[") + EncodeSgfPoint(queues[k][next[k]++]) + "]";
        }
        records.push_back(sgf + ")\n");
    }
    const std::filesystem::path folder = root / "corner-tenuki";
    std::filesystem::create_directories(folder);
    constexpr int kGamesPerFile = 1000;
    for (int first = 0; first < games; first += kGamesPerFile) {
        std::ofstream out(folder / ("t" + std::to_string(first / kGamesPerFile) + ".sgf"), std::ios::binary);
        for (int g = first; g < std::min(games, first + kGamesPerFile); ++g) out << records[static_cast<std::size_t>(g)];
    }
    const std::string target = (root / "corner-tenuki.jsk").string();
    for (const char* pass : {"first", "again"}) {
        TBenchWorld w;
        std::ostringstream summary;
        std::ostringstream failures;
        const auto start = Clock::now();
        ImportCorners(w.nav, target, {folder.string()}, kDefaultCornerLimit, false, summary, failures);
        const double s = Seconds(start);
        const std::string label = std::string("corner import of repeated lines through tenuki, ") + pass + ": s";
        report.Figure(label, s, "corner import of repeated lines through tenuki, %s: %.2f s for %d games (%s)",
                      pass, s, games, summary.str().substr(0, summary.str().size() - 1).c_str());
    }
}

// The large dictionary is made by this program run again, so that making it
// leaves nothing in the memory that is measured.
void BenchLarge(const std::filesystem::path& root, int records, TBenchReport& report) {
    const std::string path = (root / "large.jsk").string();
    std::string count = std::to_string(records);
    std::string self = "/proc/self/exe", option = "--make-dictionary";
    std::vector<char*> argv = {self.data(), option.data(), count.data(), const_cast<char*>(path.c_str()), nullptr};
    const auto start = Clock::now();
    pid_t pid = 0;
    int status = 0;
    if (::posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv.data(), environ) != 0 ||
        ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw EFileRefused("the large dictionary could not be made", path);
    }
    report.Figure("large dictionary: made: s", Seconds(start), "large dictionary: made in %.1f s", Seconds(start));
    BenchLargeDictionary(path, report);
}

#ifdef VXLO_FAKE_ENGINE
constexpr const char* kFakeEngine = VXLO_FAKE_ENGINE;
#else
constexpr const char* kFakeEngine = "";
#endif

int Usage() {
    std::fprintf(stderr,
                 "usage: vxlo-bench [--json] [--no-games] [GAMES [FOLDER]]\n"
                 "       vxlo-bench [--json] --records N\n"
                 "       vxlo-bench [--json] [--no-games] --corner-games N\n"
                 "       vxlo-bench [--json] --engine [--no-katago]\n"
                 "  GAMES generated games for the import figures (default 10000); FOLDER is\n"
                 "  kept afterwards instead of a temporary folder. --records N: only the\n"
                 "  figures of a generated dictionary of N records. --engine: only the\n"
                 "  figures of the analysis engine's client; --no-katago leaves out the\n"
                 "  real engine's. --no-games: the corner import of 10 x GAMES games keeps\n"
                 "  only the counts, and the figures of the kept games are left out.\n"
                 "  --corner-games N: only the corner import of N generated games and the\n"
                 "  queries of its kept games (100000 and 1000000 for the stated figures).\n");
    return 2;
}

bool Count(const char* text, int& value) {
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || n < 1 || n > 100000000) return false;
    value = static_cast<int>(n);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "--make-dictionary") {
        int records = 0;
        if (!Count(args[1].c_str(), records)) return Usage();
        try {
            MakeLargeDictionary(records, args[2]);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
        return 0;
    }
    bool json = false;
    bool engineOnly = false;
    bool kataGo = true;
    EGameKeeping keepGames = EGameKeeping::Kept;
    int records = 0;
    int cornerGames = 0;
    std::vector<std::string> operands;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json = true;
        } else if (args[i] == "--engine") {
            engineOnly = true;
        } else if (args[i] == "--no-katago") {
            kataGo = false;
        } else if (args[i] == "--no-games") {
            keepGames = EGameKeeping::Off;
        } else if (args[i] == "--corner-games") {
            if (i + 1 >= args.size() || !Count(args[++i].c_str(), cornerGames)) return Usage();
        } else if (args[i] == "--records") {
            if (i + 1 >= args.size() || !Count(args[++i].c_str(), records)) return Usage();
        } else if (args[i].rfind("--", 0) == 0) {
            return Usage();
        } else {
            operands.push_back(args[i]);
        }
    }
    int games = kDefaultGames;
    if (operands.size() > 2 || (!operands.empty() && !Count(operands[0].c_str(), games))) return Usage();
    // A folder named after the games is kept afterwards, so that the corpus
    // can be fed to vxlo-tool under a profiler.
    const bool keep = operands.size() == 2;
    std::string pattern = (std::filesystem::temp_directory_path() / "vxlo-bench-XXXXXX").string();
    if (keep) {
        pattern = operands[1];
        std::filesystem::create_directories(pattern);
    } else if (!::mkdtemp(pattern.data())) {
        return 1;
    }
    const std::filesystem::path root = pattern;
    TBenchReport report(json);
    int status = 0;
    try {
        if (engineOnly) {
            BenchEngine(kFakeEngine, kataGo ? VXLO_KATAGO_DIR : "", report);
        } else if (records > 0) {
            BenchLarge(root, records, report);
        } else if (cornerGames > 0) {
            BenchCornerImport(root, cornerGames, keepGames, report);
        } else {
            BenchImportAndMerge(root, games, report);
            BenchSgf(root, report);
            BenchCornerImport(root, games * 10, keepGames, report);
            BenchCornerTenukiCorpus(root, games * 2, report);
            BenchFind(root, kFindRecords, report);
            BenchEngine(kFakeEngine, VXLO_KATAGO_DIR, report);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", ErrorDisplayText(e).c_str());
        status = 1;
    }
    report.Finish();
    if (!keep) std::filesystem::remove_all(root);
    return status;
}
