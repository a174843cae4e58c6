#include "cli/LargeBench.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

#include "cli/BenchCorpus.h"
#include "cli/BenchTree.h"
#include "dictionary/Check.h"
#include "dictionary/RecordFile.h"
#include "import/SgfExport.h"

namespace vxlo {

namespace {

using Clock = std::chrono::steady_clock;
constexpr unsigned kSeed = 20261209;
constexpr int kSteps = 200000;
constexpr int kStepsPerWalk = 400;   // then back to the empty board for another walk

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

double Percentile(std::vector<double>& values, double fraction) {
    const auto at = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at), values.end());
    return values[at];
}

}  // namespace

void MakeLargeDictionary(int records, const std::string& path) {
    TBenchWorld w;
    w.nav.OpenStore(std::make_unique<TMemoryRecordStore>());
    std::mt19937 rng(kSeed);
    GrowJosekiTree(w.nav, records, rng, {});
    WriteStoreToFile(w.nav.Dictionary().Store(), path);
}

void BenchLargeDictionary(const std::string& path, TBenchReport& report) {
    {
        TBenchWorld w;
        const auto start = Clock::now();
        w.nav.OpenFile(path);
        report.Figure("large dictionary: open: ms", Seconds(start) * 1e3, "large dictionary: open: %.2f ms (%lld records)",
                      Seconds(start) * 1e3, static_cast<long long>(w.nav.Dictionary().Store().RecordCount()));

        // Random walks in one-move mode, each step timed on its own: follow a
        // candidate drawn at random, or take a move back now and then and
        // always at the end of a line.
        w.nav.SetProgressMode(EProgressMode::OneMove);
        std::mt19937 rng(kSeed);
        std::vector<double> micros;
        micros.reserve(kSteps);
        for (int step = 0; step < kSteps; ++step) {
            if (step % kStepsPerWalk == 0) w.nav.ResetToRoot();
            TLjsk& dict = w.nav.Dictionary();
            const int depth = w.nav.Path().Count();
            const bool back = depth > 0 && (dict.Count() == 0 || rng() % 4 == 0);
            TPoint move{};
            if (!back) move = dict.GetMoveXY(static_cast<int>(rng() % static_cast<unsigned>(std::max(dict.Count(), 1))));
            const auto before = Clock::now();
            if (back) {
                w.nav.MaeNoTe();
            } else {
                w.nav.Deside(move.x, move.y);
            }
            micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - before).count());
        }
        report.Figure("large dictionary: step median: us", Percentile(micros, 0.5), "large dictionary: step median: %.2f us",
                      Percentile(micros, 0.5));
        report.Figure("large dictionary: step p99: us", Percentile(micros, 0.99), "large dictionary: step p99: %.2f us",
                      Percentile(micros, 0.99));
        w.nav.CloseFile();
    }
    {
        TRecordFile file(path, TRecordFile::Mode::ReadShared);
        const auto start = Clock::now();
        const TCheckReport checked = CheckDictionary(file);
        report.Figure("large dictionary: check: s", Seconds(start), "large dictionary: check: %.2f s (%lld moves, %s)",
                      Seconds(start), static_cast<long long>(checked.reachable), checked.Sound() ? "sound" : "NOT SOUND");
    }
    // What browsing and checking need; exporting holds the SGF text whole.
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const double mb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    report.Figure("large dictionary: peak memory: MB", mb, "large dictionary: peak memory: %.0f MB", mb);
    {
        const std::string sgf = path + ".sgf";
        TRecordFile file(path, TRecordFile::Mode::ReadShared);
        const auto start = Clock::now();
        const TSgfExportResult exported = ExportSgf(file, sgf, nullptr);
        const double s = Seconds(start);
        std::error_code ignored;
        const auto bytes = std::filesystem::file_size(sgf, ignored);
        std::filesystem::remove(sgf, ignored);
        report.Figure("large dictionary: export: s", s, "large dictionary: export: %.2f s (%d moves, %lld bytes)", s,
                      exported.nodes, static_cast<long long>(bytes));
    }
    ::getrusage(RUSAGE_SELF, &usage);
    const double withExport = static_cast<double>(usage.ru_maxrss) / 1024.0;
    report.Figure("large dictionary: peak memory with export: MB", withExport,
                  "large dictionary: peak memory with export: %.0f MB", withExport);
}

}  // namespace vxlo
