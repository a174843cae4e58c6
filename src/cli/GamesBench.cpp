#include "cli/GamesBench.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/BenchCorpus.h"
#include "cli/CornerCommands.h"
#include "cli/VxloTool.h"
#include "import/SgfReader.h"
#include "companion/CompanionDatabase.h"

namespace vxlo {

namespace {

using Clock = std::chrono::steady_clock;
constexpr unsigned kSeed = 20240611;
constexpr int kGamesPerFile = 1000;
constexpr int kQueryRuns = 7;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// Players with ranks, a few dozen events, dates over seventy years.
void WriteCorpus(const std::filesystem::path& folder, int games) {
    std::filesystem::create_directories(folder);
    std::mt19937 rng(kSeed + 1);
    const char* const surnames[] = {"Sato", "Suzuki", "Takahashi", "Tanaka", "Watanabe", "Ito", "Yamamoto",
                                    "Nakamura", "Kobayashi", "Kato", "Lee", "Park", "Kim", "Chen", "Wang"};
    const char* const events[] = {"Meijin", "Honinbo", "Kisei", "Oza", "Tengen", "Gosei", "Judan", "League"};
    for (int first = 0; first < games; first += kGamesPerFile) {
        std::ofstream out(folder / ("c" + std::to_string(first / kGamesPerFile) + ".sgf"), std::ios::binary);
        for (int g = first; g < std::min(games, first + kGamesPerFile); ++g) {
            const auto player = [&] {
                return std::string(surnames[rng() % std::size(surnames)]) + " " + std::to_string(rng() % 40);
            };
            out << "(;GM[1]SZ[19]PB[" << player() << "]PW[" << player() << "]BR[" << 1 + rng() % 9 << "p]WR["
                << 1 + rng() % 9 << "p]EV[" << events[rng() % std::size(events)] << " " << 1 + rng() % 60 << "]RE["
                << (rng() % 2 ? "B+R" : "W+R") << "]DT[" << 1950 + rng() % 70 << "-" << 1 + rng() % 12 << "]";
            const std::vector<TPoint> moves = BenchGame(rng);
            for (std::size_t i = 0; i < moves.size(); ++i)
                out << (i % 2 ? ";W[" : ";B[") << EncodeSgfPoint(moves[i]) << ']';
            out << ")\n";
        }
    }
}

double Import(const std::filesystem::path& folder, const std::string& dictionary, EGameKeeping keep,
              std::string& summary) {
    TBenchWorld w;
    std::ostringstream out;
    std::ostringstream failures;
    const auto start = Clock::now();
    ImportCorners(w.nav, dictionary, {folder.string()}, kDefaultCornerLimit, false, out, failures, nullptr, keep);
    const double s = Seconds(start);
    summary = out.str().substr(0, out.str().size() - 1);
    return s;
}

std::uintmax_t StoreSize(const std::string& dictionary) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(TCompanionDatabase::PathFor(dictionary), ec);
    return ec ? 0 : size;
}

// The median time of the tool's answer, in the process; the answer's text.
double MedianMs(const std::vector<std::string>& args, std::string& answer) {
    std::vector<double> ms;
    for (int run = 0; run < kQueryRuns; ++run) {
        std::ostringstream out;
        std::ostringstream err;
        const auto start = Clock::now();
        if (RunVxloTool(args, out, err) != 0) throw std::runtime_error(err.str());
        ms.push_back(Seconds(start) * 1000);
        answer = out.str();
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// The moves to the position reached by always taking the most played candidate.
std::vector<std::string> PopularLine(const std::string& dictionary, int depth) {
    std::vector<std::string> moves;
    for (int d = 0; d < depth; ++d) {
        std::vector<std::string> args{"stats", "--json", dictionary};
        args.insert(args.end(), moves.begin(), moves.end());
        std::string answer;
        MedianMs(args, answer);
        const nlohmann::json stats = nlohmann::json::parse(answer);
        const nlohmann::json* best = nullptr;
        for (const nlohmann::json& c : stats["candidates"])
            if (!best || c["games"].get<long long>() > (*best)["games"].get<long long>()) best = &c;
        if (!best) break;
        const int x = (*best)["x"], y = (*best)["y"];
        moves.push_back(x == 0 ? "pass" : std::to_string(x) + "," + std::to_string(y));
    }
    return moves;
}

}  // namespace

void BenchCornerImport(const std::filesystem::path& root, int games, EGameKeeping keep, TBenchReport& report) {
    const std::filesystem::path folder = root / "corner-games";
    WriteCorpus(folder, games);
    std::string summary;
    const std::string bare = (root / "corners-counts.jsk").string();
    const double off = Import(folder, bare, EGameKeeping::Off, summary);
    report.Figure("corner import without games, file dictionary: s", off,
                  "corner import without games, file dictionary: %.2f s for %d games (%s)", off, games,
                  summary.c_str());
    if (keep == EGameKeeping::Off) return;
    const std::string kept = (root / "corners.jsk").string();
    const double s = Import(folder, kept, EGameKeeping::Kept, summary);
    report.Figure("corner import, file dictionary: games/s", games / s, "corner import, file dictionary: %.0f games/s",
                  games / s);
    report.Figure("corner import, file dictionary: s", s, "corner import, file dictionary: %.2f s for %d games (%s)", s,
                  games, summary.c_str());
    report.Figure("corner import, games kept: times without", s / off,
                  "corner import, games kept: %.2f times the import without games", s / off);
    const double perGame = (static_cast<double>(StoreSize(kept)) - static_cast<double>(StoreSize(bare))) / games;
    report.Figure("kept games: bytes per game", perGame, "kept games: %.0f bytes of store per game", perGame);

    std::string answer;
    const double statsRoot = MedianMs({"stats", "--json", "--from", "1980", "--player", "sato", kept}, answer);
    report.Figure("stats with a filter, empty board: ms", statsRoot,
                  "stats --from 1980 --player sato, empty board: %.1f ms (median)", statsRoot);
    const double gamesRoot = MedianMs({"games", "--json", kept}, answer);
    report.Figure("games first page, empty board: ms", gamesRoot, "games, first page, empty board: %.1f ms (median, %lld games)",
                  gamesRoot, nlohmann::json::parse(answer)["total"].get<long long>());
    // The whole list in the order of a text column, then the first page.
    const double sortedRoot = MedianMs({"games", "--json", "--sort", "black", kept}, answer);
    report.Figure("games sorted by black, first page, empty board: ms", sortedRoot,
                  "games --sort black, first page, empty board: %.1f ms (median)", sortedRoot);
    std::vector<std::string> line = PopularLine(kept, 6);
    std::vector<std::string> args{"stats", "--json", "--from", "1980", "--player", "sato", kept};
    args.insert(args.end(), line.begin(), line.end());
    const double statsDeep = MedianMs(args, answer);
    report.Figure("stats with a filter, depth 6: ms", statsDeep,
                  "stats --from 1980 --player sato, depth 6: %.1f ms (median)", statsDeep);
    args = {"games", "--json", kept};
    args.insert(args.end(), line.begin(), line.end());
    const double gamesDeep = MedianMs(args, answer);
    report.Figure("games first page, depth 6: ms", gamesDeep, "games, first page, depth 6: %.1f ms (median, %lld games)",
                  gamesDeep, nlohmann::json::parse(answer)["total"].get<long long>());
}

}  // namespace vxlo
