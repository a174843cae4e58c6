// A stand-in for the analysis engine, speaking its protocol with the fixed
// figures of FakeEngineModel.h. Arguments make it misbehave:
//   --view black|white|side  report figures from that view (default side)
//   --fail-start             complain on standard error and exit 1 at once
//   --die-after N            exit when the Nth query has been read
//   --hang-after N           never answer again after N answers
//   --delay-ms M             wait M ms before each answer
//   --reverse N              gather N queries (or what came within 100 ms),
//                            answer them last first
//   --garbage-after N LINE   write LINE in place of answer N+1
//   --error-on MOVE          refuse queries whose last move is MOVE
//   --stderr-bytes N         write N bytes on standard error before each answer
//   --warnings               a warning before each answer
//   --during-search          a partial answer with wrong figures before each
#include <nlohmann/json.hpp>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <thread>
#include <vector>

#include "engine/FakeEngineModel.h"

namespace {

using nlohmann::json;
using namespace vxlo::fake;

struct TOptions {
    std::string view = "side";
    long dieAfter = -1;
    long hangAfter = -1;
    long delayMs = 0;
    std::size_t reverse = 1;
    long garbageAfter = -1;
    std::string garbage;
    std::string errorOn;
    long stderrBytes = 0;
    bool warnings = false;
    bool duringSearch = false;
};

void Put(const std::string& line) {
    std::string out = line + "\n";
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, out.data() + done, out.size() - done);
        if (n <= 0) std::exit(4);
        done += static_cast<std::size_t>(n);
    }
}

void HangForever() {
    for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
}

// Figures of the side to move turned into the reported view.
double Seen(const TOptions& o, bool blackToMove, double sideValue, bool chance) {
    const bool flip = (o.view == "black" && !blackToMove) || (o.view == "white" && blackToMove);
    if (!flip) return sideValue;
    return chance ? 1.0 - sideValue : -sideValue;
}

json Answer(const TOptions& o, const json& query) {
    std::vector<std::string> moves;
    std::string last = "B";
    for (const json& m : query.at("moves")) {
        last = m.at(0).get<std::string>();
        moves.push_back(m.at(1).get<std::string>());
    }
    bool blackToMove = moves.empty() ? query.value("initialPlayer", std::string("B")) == "B" : last == "W";
    const double komi = query.value("komi", 6.5);
    const int maxVisits = query.value("maxVisits", 100);
    const double lead = SideLead(moves, blackToMove, komi);
    std::vector<std::string> avoid;
    for (const json& rule : query.value("avoidMoves", json::array())) {
        if (rule.at("player") != (blackToMove ? "B" : "W") || rule.value("untilDepth", 0) < 1) continue;
        for (const json& m : rule.at("moves")) avoid.push_back(m.get<std::string>());
    }
    json infos = json::array();
    if (maxVisits > 1) {
        struct TMove { std::string name; double lead; };
        std::vector<TMove> searched;
        for (const std::string& m : SearchedMoves(moves, avoid)) {
            std::vector<std::string> after = moves;
            after.push_back(m);
            searched.push_back({m, -SideLead(after, !blackToMove, komi)});
        }
        std::stable_sort(searched.begin(), searched.end(), [](const TMove& a, const TMove& b) { return a.lead > b.lead; });
        for (std::size_t i = 0; i < searched.size(); ++i) {
            infos.push_back({{"move", searched[i].name}, {"order", i}, {"visits", MoveVisits(maxVisits)},
                             {"scoreLead", Seen(o, blackToMove, searched[i].lead, false)},
                             {"scoreMean", Seen(o, blackToMove, searched[i].lead, false)},
                             {"winrate", Seen(o, blackToMove, Chance(searched[i].lead), true)},
                             {"prior", 0.1}, {"lcb", 0.5}, {"utility", 0.1}, {"pv", json::array({searched[i].name})}});
        }
    }
    return {{"id", query.at("id")}, {"isDuringSearch", false}, {"turnNumber", moves.size()}, {"moveInfos", infos},
            {"rootInfo", {{"currentPlayer", blackToMove ? "B" : "W"}, {"visits", maxVisits},
                          {"scoreLead", Seen(o, blackToMove, lead, false)},
                          {"winrate", Seen(o, blackToMove, Chance(lead), true)}, {"utility", 0.0},
                          {"thisHash", "0"}, {"symHash", "0"}}}};
}

}  // namespace

int main(int argc, char** argv) {
    TOptions o;
    std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const auto next = [&]() -> std::string { return i + 1 < args.size() ? args[++i] : std::string(); };
        if (args[i] == "--view") o.view = next();
        else if (args[i] == "--fail-start") {
            std::fprintf(stderr, "loading...\nError: could not load the model file\n");
            return 1;
        } else if (args[i] == "--die-after") o.dieAfter = std::atol(next().c_str());
        else if (args[i] == "--hang-after") o.hangAfter = std::atol(next().c_str());
        else if (args[i] == "--delay-ms") o.delayMs = std::atol(next().c_str());
        else if (args[i] == "--reverse") o.reverse = static_cast<std::size_t>(std::atol(next().c_str()));
        else if (args[i] == "--garbage-after") {
            o.garbageAfter = std::atol(next().c_str());
            o.garbage = next();
        } else if (args[i] == "--error-on") o.errorOn = next();
        else if (args[i] == "--stderr-bytes") o.stderrBytes = std::atol(next().c_str());
        else if (args[i] == "--warnings") o.warnings = true;
        else if (args[i] == "--during-search") o.duringSearch = true;
        else {
            std::fprintf(stderr, "fake engine: unknown argument %s\n", args[i].c_str());
            return 2;
        }
    }
    std::string input;
    std::deque<json> queue;
    long read = 0;
    long answered = 0;
    bool open = true;
    const auto answerAll = [&]() {
        while (!queue.empty()) {
            const bool lastFirst = o.reverse > 1;
            const json query = lastFirst ? queue.back() : queue.front();
            if (lastFirst) {
                queue.pop_back();
            } else {
                queue.pop_front();
            }
            if (o.hangAfter >= 0 && answered >= o.hangAfter) HangForever();
            if (o.delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(o.delayMs));
            if (o.stderrBytes > 0) {
                const std::string noise(static_cast<std::size_t>(o.stderrBytes), 'x');
                if (::write(STDERR_FILENO, noise.data(), noise.size()) < 0) return;
            }
            if (o.garbageAfter >= 0 && answered == o.garbageAfter) {
                Put(o.garbage);
                ++answered;
                continue;
            }
            const std::string id = query.value("id", std::string());
            const json& moves = query.at("moves");
            if (!o.errorOn.empty() && !moves.empty() && moves.back().at(1) == o.errorOn) {
                Put(json{{"error", "Illegal move " + std::to_string(moves.size()) + ": " + o.errorOn},
                         {"field", "moves"}, {"id", id}}.dump());
                ++answered;
                continue;
            }
            if (o.warnings) Put(json{{"warning", "an unused field"}, {"field", "x"}, {"id", id}}.dump());
            json answer = Answer(o, query);
            if (o.duringSearch) {
                json partial = answer;
                partial["isDuringSearch"] = true;
                partial["rootInfo"]["scoreLead"] = 999.0;
                Put(partial.dump());
            }
            Put(answer.dump());
            ++answered;
        }
    };
    while (open || !queue.empty()) {
        pollfd fd{STDIN_FILENO, POLLIN, 0};
        const int ready = open ? ::poll(&fd, 1, queue.empty() ? -1 : 100) : 0;
        if (ready > 0) {
            char chunk[65536];
            const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
            if (n <= 0) {
                open = false;
            } else {
                input.append(chunk, static_cast<std::size_t>(n));
            }
            std::size_t newline;
            while ((newline = input.find('\n')) != std::string::npos) {
                const std::string line = input.substr(0, newline);
                input.erase(0, newline + 1);
                if (++read == o.dieAfter) {
                    std::fprintf(stderr, "fake engine: dying at query %ld\n", read);
                    return 3;
                }
                queue.push_back(json::parse(line));
            }
            if (queue.size() < o.reverse && open) continue;
        }
        answerAll();
    }
    if (o.hangAfter >= 0) HangForever();
    return 0;
}
