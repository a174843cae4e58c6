#include "cli/FindBench.h"

#include "cli/BenchCorpus.h"
#include "cli/BenchTree.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "dictionary/RecordFile.h"
#include "dictionary/TreeIndex.h"
#include "navigation/Navigation.h"
#include "companion/CommentSearch.h"
#include "companion/CommentStore.h"

namespace vxlo {

namespace {

using Clock = std::chrono::steady_clock;
constexpr unsigned kSeed = 18;
constexpr int kCommentEvery = 10;
constexpr int kPathAsks = 10000;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// A joseki-like tree grown by a random walk of the navigation: moves in one
// corner region, lines up to 40 moves, and every tenth record commented with
// words drawn from a small vocabulary (so a word is in some hundreds of them).
void GrowTree(TNavigation& nav, int records, std::vector<std::pair<int, std::string>>& comments) {
    static const char* const kWords[] = {"定石", "三々", "星", "小目", "ハサミ", "コウ", "手抜き", "厚み", "実利", "シチョウ",
                                         "大斜", "なだれ", "joseki", "invasion", "ladder", "approach", "pincer",
                                         "thickness", "territory", "variation"};
    std::mt19937 rng(kSeed);
    GrowJosekiTree(nav, records, rng, [&](int rec, TPoint) {
        if (rec % kCommentEvery != 0) return;
        std::string text;
        for (int w = 0; w < 4; ++w) text += std::string(w ? " " : "") + kWords[(rng() >> 8) % 20] + std::to_string(rng() % 50);
        comments.push_back({rec, text});
    });
}

// The comments go in with plain SQL in one transaction, the search index
// afterwards, as for a store made before the index existed.
double WriteComments(const std::string& dictionary, const std::vector<std::pair<int, std::string>>& comments) {
    const std::string path = TCompanionDatabase::PathFor(dictionary);
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "CREATE TABLE comments (rec INTEGER PRIMARY KEY, comment TEXT); BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO comments VALUES (?1, ?2)", -1, &insert, nullptr);
    for (const auto& [rec, text] : comments) {
        sqlite3_bind_int(insert, 1, rec);
        sqlite3_bind_text(insert, 2, text.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    const auto start = Clock::now();
    OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite)->Ensure(ECompanionTable::CommentsSearch);
    return Seconds(start);
}

}  // namespace

void BenchFind(const std::filesystem::path& folder, int records, TBenchReport& report) {
    const std::string dictionary = (folder / "find.jsk").string();
    std::vector<std::pair<int, std::string>> comments;
    {
        TBenchWorld w;
        w.nav.OpenStore(std::make_unique<TMemoryRecordStore>());
        const auto start = Clock::now();
        GrowTree(w.nav, records, comments);
        report.Figure("find: generated a tree: s", Seconds(start), "find: generated a tree of %lld records in %.1f s",
                      static_cast<long long>(w.nav.Dictionary().Store().RecordCount()), Seconds(start));
        WriteStoreToFile(w.nav.Dictionary().Store(), dictionary);
    }
    const double indexed = WriteComments(dictionary, comments);
    report.Figure("find: search index added to a store: s", indexed,
                  "find: search index added to a store of %zu comments: %.2f s", comments.size(), indexed);

    auto start = Clock::now();
    TRecordFile file(dictionary, TRecordFile::Mode::ReadOnly);
    const TTreeIndex links = TTreeIndex::Build(file, {}, TTreeIndex::EContent::Links);
    report.Figure("find: tree index of the links alone: s", Seconds(start),
                  "find: tree index of the links alone (vxlo-tool path and search) built in %.3f s", Seconds(start));
    start = Clock::now();
    const TTreeIndex index = TTreeIndex::Build(file);
    report.Figure("find: tree index: s", Seconds(start), "find: tree index of %lld records (%zu positions) built in %.3f s",
                  static_cast<long long>(index.RecordCount()), index.PositionCount(), Seconds(start));

    std::mt19937 rng(kSeed);
    std::vector<int> asked;
    while (static_cast<int>(asked.size()) < kPathAsks) {
        const int rec = static_cast<int>(rng() % static_cast<unsigned>(index.RecordCount()));
        if (index.Reachable(rec)) asked.push_back(rec);
    }
    std::size_t moves = 0;
    start = Clock::now();
    for (const int rec : asked) moves += index.MovesTo(rec).size();
    report.Figure("find: path of a record: ms", Seconds(start) * 1e3 / kPathAsks,
                  "find: path of a record: %.4f ms (%.1f moves on average)", Seconds(start) * 1e3 / kPathAsks,
                  static_cast<double>(moves) / kPathAsks);

    TCommentSearch search(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite));
    for (const char* text : {"thickness1", "なだれ2", "定石", "Ladder", "absent"}) {
        start = Clock::now();
        const std::vector<TSearchResult> results = SearchComments(search, index, text);
        report.Figure(std::string("find: comment search \"") + text + "\": ms", Seconds(start) * 1e3,
                      "find: comment search \"%s\": %.1f ms, %zu results", text, Seconds(start) * 1e3, results.size());
    }

    // Positions from lines of the tree: the deepest records asked.
    double worst = 0, total = 0;
    std::size_t found = 0;
    for (int i = 0; i < 100; ++i) {
        const std::vector<TPoint> line = index.MovesTo(asked[static_cast<std::size_t>(i)]);
        start = Clock::now();
        const std::vector<TPositionMatch> matches = index.FindPosition(PositionAfter(line));
        for (const TPositionMatch& m : matches) moves += index.MovesTo(m.record).size();
        const double s = Seconds(start);
        worst = std::max(worst, s);
        total += s;
        found += matches.size();
    }
    report.Figure("find: same position: ms", total * 10,
                  "find: same position: %.3f ms on average, %.3f ms at most, %.2f records found on average", total * 10,
                  worst * 1e3, static_cast<double>(found) / 100);
}

}  // namespace vxlo
