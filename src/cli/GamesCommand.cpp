#include "cli/GamesCommand.h"

#include <nlohmann/json.hpp>

#include <optional>

#include "board/Goban.h"
#include "cli/CornerCommands.h"
#include "core/VxloError.h"
#include "companion/GameExplorer.h"

namespace vxlo {

const char* const kGamesUsage =
    "  vxlo-tool stats [--json] [FILTER...] DICTIONARY [MOVE...]\n"
    "      the position after the MOVEs (x,y or pass) and its candidates with\n"
    "      their game counts, wins by colour and games by year; with filters,\n"
    "      counted over the kept games they let through\n"
    "  vxlo-tool games [--json] [FILTER...] [--limit N] [--offset K] [--oldest]\n"
    "                  DICTIONARY [MOVE...]\n"
    "      the kept games that reached the position, newest first (--oldest:\n"
    "      oldest first; games without a year last), N a page (default 50)\n"
    "      FILTER: --from YEAR, --to YEAR (games without a year only when\n"
    "      neither is given), --player TEXT (part of either name, any case),\n"
    "      --event TEXT (part of the event, any case)\n";

namespace {

constexpr long long kDefaultPage = 50;

struct TGamesOptions {
    bool json = false;
    bool oldest = false;
    long long limit = kDefaultPage;
    long long offset = 0;
    TGameFilter filter;
    std::vector<std::string> operands;
};

int Number(const std::string& name, const std::string& text, int least) {
    try {
        const int value = StrToInt(text);
        if (value >= least) return value;
    } catch (const EConvertError&) {
    }
    throw EGamesUsage(name + " needs a number of at least " + std::to_string(least) + ", not " + text);
}

TGamesOptions ParseOptions(const std::string& command, const std::vector<std::string>& args) {
    TGamesOptions o;
    const bool games = command == "games";
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnd || a.size() < 2 || a.compare(0, 2, "--") != 0) {
            o.operands.push_back(a);
            continue;
        }
        // --name VALUE or --name=VALUE.
        const auto value = [&](const char* name) -> std::optional<std::string> {
            const std::string n = name;
            if (a == n) {
                if (i + 1 >= args.size()) throw EGamesUsage(n + " needs a value");
                return args[++i];
            }
            if (a.compare(0, n.size() + 1, n + "=") == 0) return a.substr(n.size() + 1);
            return std::nullopt;
        };
        if (a == "--") {
            optionsEnd = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (games && a == "--oldest") {
            o.oldest = true;
        } else if (const auto from = value("--from")) {
            o.filter.from = Number("--from", *from, 0);
        } else if (const auto to = value("--to")) {
            o.filter.to = Number("--to", *to, 0);
        } else if (const auto player = value("--player")) {
            o.filter.player = *player;
        } else if (const auto event = value("--event")) {
            o.filter.event = *event;
        } else if (const auto limit = games ? value("--limit") : std::nullopt) {
            o.limit = Number("--limit", *limit, 0);
        } else if (const auto offset = games ? value("--offset") : std::nullopt) {
            o.offset = Number("--offset", *offset, 0);
        } else {
            throw EGamesUsage("unknown option " + a);
        }
    }
    if (o.operands.empty()) throw EGamesUsage(command + " needs DICTIONARY");
    return o;
}

const char* ColourName(int colour) { return colour == Black ? "black" : colour == White ? "white" : ""; }

void Games(TNavigation& nav, const TGamesOptions& o, std::ostream& out) {
    const std::string& dictionary = o.operands[0];
    const int record = OpenAtPosition(nav, dictionary, {o.operands.begin() + 1, o.operands.end()});
    nav.CloseFile();
    TGameStore store(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadOnly));
    const TGameSelection selection(store, o.filter);
    const TGamePage page = ListGames(store, store.PassesAt(record), selection, o.limit, o.offset, o.oldest);
    if (!o.json) {
        for (const TGameListing& g : page.games) {
            const TGameText& t = g.game.text;
            out << g.game.id << ": " << (t.date.empty() ? "-" : t.date) << ' ' << t.black;
            if (!t.blackRank.empty()) out << " (" << t.blackRank << ')';
            out << " - " << t.white;
            if (!t.whiteRank.empty()) out << " (" << t.whiteRank << ')';
            if (!t.result.empty()) out << ' ' << t.result;
            if (!t.event.empty()) out << ", " << t.event;
            out << "; corner " << g.pass.corner << " move " << g.pass.moveNumber << "; " << t.file << " #"
                << t.index << '\n';
        }
        return;
    }
    nlohmann::ordered_json answer;
    answer["record"] = record;
    answer["total"] = page.total;
    nlohmann::ordered_json games = nlohmann::ordered_json::array();
    for (const TGameListing& g : page.games) {
        const TGameText& t = g.game.text;
        nlohmann::ordered_json j;
        j["game"] = g.game.id;
        j["file"] = t.file;
        j["index"] = t.index;
        j["black"] = t.black;
        j["white"] = t.white;
        j["black_rank"] = t.blackRank;
        j["white_rank"] = t.whiteRank;
        j["date"] = t.date;
        if (g.game.year > 0) {
            j["year"] = g.game.year;
        } else {
            j["year"] = nullptr;
        }
        j["event"] = t.event;
        j["result"] = t.result;
        j["winner"] = ColourName(g.game.winner);
        j["corner"] = g.pass.corner;
        j["move_number"] = g.pass.moveNumber;
        j["symmetry"] = g.pass.symmetry;
        j["colours_exchanged"] = g.pass.coloursExchanged;
        games.push_back(std::move(j));
    }
    answer["games"] = std::move(games);
    out << answer.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

}  // namespace

bool IsGamesCommand(const std::string& command) { return command == "games" || command == "stats"; }

void RunGamesCommand(TNavigation& nav, const std::string& command, const std::vector<std::string>& args,
                     std::ostream& out) {
    const TGamesOptions o = ParseOptions(command, args);
    if (command == "games") {
        Games(nav, o, out);
    } else {
        PrintStats(nav, o.operands[0], {o.operands.begin() + 1, o.operands.end()}, o.filter, o.json, out);
    }
}

}  // namespace vxlo
