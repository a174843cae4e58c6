// vxlo-bench: speed of bulk import, merge and navigation on a generated corpus
// of game records. Prints one figure per line.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "board/Goban.h"
#include "cli/JosekiTreeGenerator.h"
#include "cli/FindBench.h"
#include "dictionary/RecordFile.h"
#include "cli/BenchTree.h"
#include "cli/CornerCommands.h"
#include "import/FolderWalk.h"
#include "import/CornerSequence.h"
#include "import/SgfReader.h"
#include "import/Marge.h"
#include "import/SgfCommentStore.h"
#include "import/SgfExport.h"
#include "import/SgfMerge.h"
#include "mainwindow/Navigation.h"
#include "records/MarkupStore.h"
#include "practice/PracticeSession.h"

namespace {

using namespace vxlo;
using Clock = std::chrono::steady_clock;

constexpr int kDefaultGames = 10000;
constexpr int kMovesPerGame = 60;
constexpr int kOpeningDepth = 14;   // moves drawn from a shared, skewed book
constexpr unsigned kSeed = 20240611;
constexpr int kFindRecords = 1000000;

class THistory final : public IMoveHistory {
public:
    int Count() const override { return static_cast<int>(moves.size()); }
    void GetMove(int n, int& x, int& y) const override {
        x = moves[static_cast<std::size_t>(n - 1)].x;
        y = moves[static_cast<std::size_t>(n - 1)].y;
    }
    int GetCaptureCount(int n) const override { return static_cast<int>(captures[static_cast<std::size_t>(n - 1)].size()); }
    void GetCapture(int n, int k, int& x, int& y) const override {
        const TPoint p = captures[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(k - 1)];
        x = p.x;
        y = p.y;
    }
    std::vector<TPoint> moves;
    std::vector<std::vector<TPoint>> captures;
};

class TNoPainter final : public IStonePainter {
public:
    void DrawStone(int, int, int) override {}
    void DrawStoneNumber(int, int, int, int) override {}
};

class TQuiet final : public IMessageSink {
public:
    void ShowMessage(const TMessage&) override {}
};

// A game whose first moves follow a book: at each position the k-th book
// move (k skewed towards 0) is a fixed function of the position's history,
// so games share openings the way real records do.
std::vector<TPoint> Game(std::mt19937& rng) {
    THistory history;
    TNoPainter painter;
    TGoban board(history, painter);
    std::geometric_distribution<int> bookChoice(0.55);
    std::uint64_t prefix = 1469598103934665603ull;
    auto play = [&](int x, int y) {
        if (board.TestMove(board.GetTurn(), x, y) != EMoveResult::Ok) return false;
        board.PlayMove(x, y);
        std::vector<TPoint> taken;
        for (int k = 1; k <= board.CapturedCount(); ++k) taken.push_back(board.Captured(k));
        history.moves.push_back({x, y});
        history.captures.push_back(std::move(taken));
        return true;
    };
    while (static_cast<int>(history.moves.size()) < kMovesPerGame) {
        const bool book = static_cast<int>(history.moves.size()) < kOpeningDepth;
        bool played = false;
        const int choice = book ? std::min(bookChoice(rng), 4) : 0;
        for (int attempt = 0; attempt < 400 && !played; ++attempt) {
            int x = 0, y = 0;
            if (book) {
                std::mt19937 bookRng(static_cast<unsigned>(prefix ^ (prefix >> 32)) + 977u * static_cast<unsigned>(choice) +
                                     31u * static_cast<unsigned>(attempt));
                x = 3 + static_cast<int>(bookRng() % 15);
                y = 3 + static_cast<int>(bookRng() % 15);
            } else {
                x = 1 + static_cast<int>(rng() % 19);
                y = 1 + static_cast<int>(rng() % 19);
            }
            played = play(x, y);
            if (played) prefix = (prefix ^ static_cast<std::uint64_t>(x * 32 + y)) * 1099511628211ull;
        }
        if (!played) break;
    }
    return history.moves;
}

std::string Ig1(const std::vector<TPoint>& moves) {
    std::string text = "INT 1\r\nMOV\r\n";
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const TPoint p = moves[i];
        text += static_cast<char>(p.x <= 8 ? 'A' + p.x - 1 : 'A' + p.x);
        text += static_cast<char>('0' + p.y / 10);
        text += static_cast<char>('0' + p.y % 10);
        text += (i % 10 == 9) ? "\r\n" : " ";
    }
    return text + "\r\n";
}

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

struct TWorld {
    TNullView view;
    TQuiet messages;
    TNullCommentStore comments;
    TNullMenuState menus;
    TNavigation nav{view, messages, comments, menus};
};

// Corner import of `games` generated games (ten per imported game of the
// other figures) written as SGF collections of 1,000 games with results and
// dates, into a file dictionary with its evidence.
void BenchCornerImport(const std::filesystem::path& root, int games) {
    const std::filesystem::path folder = root / "corner-games";
    std::filesystem::create_directories(folder);
    std::mt19937 rng(kSeed + 1);
    constexpr int kGamesPerFile = 1000;
    for (int first = 0; first < games; first += kGamesPerFile) {
        std::ofstream out(folder / ("c" + std::to_string(first / kGamesPerFile) + ".sgf"), std::ios::binary);
        for (int g = first; g < std::min(games, first + kGamesPerFile); ++g) {
            out << "(;GM[1]SZ[19]RE[" << (rng() % 2 ? "B+R" : "W+R") << "]DT[" << 1950 + rng() % 70 << "]";
            const std::vector<TPoint> moves = Game(rng);
            for (std::size_t i = 0; i < moves.size(); ++i)
                out << (i % 2 ? ";W[" : ";B[") << EncodeSgfPoint(moves[i]) << ']';
            out << ")\n";
        }
    }
    TWorld w;
    std::ostringstream summary;
    const auto start = Clock::now();
    ImportCorners(w.nav, (root / "corners.jsk").string(), {folder.string()}, kDefaultCornerLimit, false, summary);
    const double s = Seconds(start);
    std::printf("corner import, file dictionary: %.0f games/s\n", games / s);
    std::printf("corner import, file dictionary: %.2f s for %d games (%s)\n", s, games,
                summary.str().substr(0, summary.str().size() - 1).c_str());
}

}  // namespace

// vxlo-bench [GAMES [FOLDER]]: the number of games (default 10000).
int main(int argc, char** argv) {
    const int games = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultGames;
    // A second argument names a folder to work in and keep afterwards, so
    // that the corpus can be fed to vxlo-tool under a profiler.
    const bool keep = argc > 2;
    std::string pattern = (std::filesystem::temp_directory_path() / "vxlo-bench-XXXXXX").string();
    if (keep) {
        pattern = argv[2];
        std::filesystem::create_directories(pattern);
    } else if (!::mkdtemp(pattern.data())) {
        return 1;
    }
    const std::filesystem::path root = pattern;
    const std::filesystem::path corpus = root / "corpus";
    try {
        std::mt19937 rng(kSeed);
        long long moves = 0;
        for (int g = 0; g < games; ++g) {
            const std::filesystem::path folder = corpus / ("f" + std::to_string(g / 100));
            std::filesystem::create_directories(folder);
            const std::vector<TPoint> game = Game(rng);
            moves += static_cast<long long>(game.size());
            std::ofstream(folder / ("g" + std::to_string(g) + ".IG1"), std::ios::binary) << Ig1(game);
        }
        TFolderWalkOptions options;
        options.folder = corpus.string();
        options.subfolders = true;
        options.moveLimit = kMaxPathMoves;

        const std::string dictionary = (root / "bench.jsk").string();
        {
            TWorld w;
            w.nav.OpenFile(dictionary);
            const auto start = Clock::now();
            const TFolderWalkResult result = TFolderWalk(w.nav).Run(options);
            const double s = Seconds(start);
            std::printf("bulk import, file dictionary: %.0f moves/s\n", static_cast<double>(moves) / s);
            std::printf("bulk import, file dictionary: %.0f files/s\n", result.filesDone / s);
            std::printf("bulk import, file dictionary: %.2f s for %d files, %lld moves\n", s, result.filesDone, moves);
            std::printf("dictionary records: %lld\n", static_cast<long long>(w.nav.Dictionary().Store().RecordCount()));
            w.nav.CloseFile();
        }
        {
            TWorld w;
            w.nav.OpenStore(std::make_unique<TMemoryRecordStore>());
            const auto start = Clock::now();
            const TFolderWalkResult result = TFolderWalk(w.nav).Run(options);
            const double s = Seconds(start);
            std::printf("bulk import, memory dictionary: %.0f moves/s\n", static_cast<double>(moves) / s);
            std::printf("bulk import, memory dictionary: %.0f files/s\n", result.filesDone / s);
        }
        {
            TWorld w;
            w.nav.OpenFile((root / "merged.jsk").string());
            const auto start = Clock::now();
            const TMergeResult result = Marge(w.nav, dictionary, EMergeFormat::Ver4);
            const double s = Seconds(start);
            std::printf("merge into an empty dictionary: %.0f records/s\n", result.recordsRead / s);
            std::printf("merge into an empty dictionary: %.2f s for %d records\n", s, result.recordsRead);
        }
        {
            TWorld w;
            w.nav.OpenFile(dictionary);
            w.nav.SetProgressMode(1);
            const TPoint first = w.nav.Dictionary().GetMoveXY(0);
            constexpr int kSteps = 100000;
            const auto start = Clock::now();
            for (int i = 0; i < kSteps; ++i) {
                w.nav.Deside(first.x, first.y);
                w.nav.MaeNoTe();
            }
            const double s = Seconds(start);
            std::printf("navigation step (follow and take back): %.2f us\n", s * 1e6 / kSteps);
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
            std::printf("practice status of the whole tree: %.3f s for %d positions\n", Seconds(start),
                        counts.total);
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
            std::printf("practice: %.2f ms per answer, the program's replies and each line's due count included (%d answers)\n",
                        Seconds(start) * 1e3 / std::max(answers, 1), answers);
        }
        {
            constexpr int kTreeNodes = 60000;
            TWorld source;
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
            std::printf("SGF export of a joseki tree: %.2f s for %d moves (%lld bytes)\n", Seconds(start),
                        exported.nodes, static_cast<long long>(std::filesystem::file_size(sgf)));
            for (const bool inMemory : {false, true}) {
                TWorld w;
                if (inMemory) {
                    w.nav.OpenStore(std::make_unique<TMemoryRecordStore>());
                } else {
                    w.nav.OpenFile((root / "from-sgf.jsk").string());
                }
                TMemorySgfComments merged;
                start = Clock::now();
                const TSgfMergeResult result = MergeSgfFile(w.nav, sgf, &merged);
                std::printf("SGF merge of that tree into an empty %s dictionary: %.2f s for %d moves\n",
                            inMemory ? "memory" : "file", Seconds(start), result.movesAdded);
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
            TWorld w;
            w.nav.OpenFile(target);
            const auto start = Clock::now();
            TMarkupStore markup(target, TMarkupStore::EOpen::CreateWhenMissing);
            TSgfMergeResult result;
            {
                TSgfCommentStore comments(target);
                result = MergeSgfFile(w.nav, sgf, &comments, &markup);
            }
            markup.Flush();
            std::printf("SGF merge of a %d-node joseki tree with comments and markup into an empty file "
                        "dictionary: %.3f s (%d moves, %d tenuki, %d comments, %d positions with markup)\n",
                        tree.nodes, Seconds(start), result.movesAdded, result.tenukiAdded,
                        result.commentsAdded, result.markupAdded);
        }
        BenchCornerImport(root, games * 10);
        BenchFind(root, kFindRecords);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        if (!keep) std::filesystem::remove_all(root);
        return 1;
    }
    if (!keep) std::filesystem::remove_all(root);
    return 0;
}
