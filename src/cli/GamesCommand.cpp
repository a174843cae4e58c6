#include "cli/GamesCommand.h"

#include "board/Goban.h"
#include "cli/CornerCommands.h"
#include "cli/Json.h"
#include "cli/commands/Command.h"
#include "core/VxloError.h"

namespace vxlo {

namespace {

const char* ColourName(int colour) { return colour == Black ? "black" : colour == White ? "white" : ""; }

void PrintGame(const TGameListing& g, std::ostream& out) {
    const TGameText& t = g.game.text;
    out << g.game.id << ": " << (t.date.empty() ? "-" : t.date) << ' ' << t.black;
    if (!t.blackRank.empty()) out << " (" << t.blackRank << ')';
    out << " - " << t.white;
    if (!t.whiteRank.empty()) out << " (" << t.whiteRank << ')';
    if (!t.result.empty()) out << ' ' << t.result;
    if (!t.event.empty()) out << ", " << t.event;
    out << "; corner " << g.pass.corner << " move " << g.pass.moveNumber << "; " << t.file << " #" << t.index
        << '\n';
}

TJson GameJson(const TGameListing& g) {
    const TGameText& t = g.game.text;
    TJson j;
    j["game"] = g.game.id;
    j["file"] = t.file;
    j["index"] = t.index;
    j["black"] = t.black;
    j["white"] = t.white;
    j["black_rank"] = t.blackRank;
    j["white_rank"] = t.whiteRank;
    j["date"] = t.date;
    j["year"] = g.game.year > 0 ? TJson(g.game.year) : TJson(nullptr);
    j["event"] = t.event;
    j["result"] = t.result;
    j["winner"] = ColourName(g.game.winner);
    j["corner"] = g.pass.corner;
    j["move_number"] = g.pass.moveNumber;
    j["symmetry"] = g.pass.symmetry;
    j["colours_exchanged"] = g.pass.coloursExchanged;
    return j;
}

}  // namespace

int Number(const std::string& name, const std::string& text, int least) {
    try {
        const int value = StrToInt(text);
        if (value >= least) return value;
    } catch (const EConvertError&) {
    }
    throw EUsage(name + " needs a number of at least " + std::to_string(least) + ", not " + text);
}

TGameFilter TFilterOptions::Filter() const {
    TGameFilter filter;
    if (from) filter.from = Number("--from", *from, 0);
    if (to) filter.to = Number("--to", *to, 0);
    if (player) filter.player = *player;
    if (event) filter.event = *event;
    return filter;
}

void AddFilterOptions(CLI::App& command, TFilterOptions& filter) {
    command.add_option("--from", filter.from, "games of this year or later");
    command.add_option("--to", filter.to, "games of this year or earlier");
    command.add_option("--player", filter.player, "part of either player's name, any case");
    command.add_option("--event", filter.event, "part of the event, any case");
}

void ListKeptGames(TNavigation& nav, const std::string& dictionary, const std::vector<std::string>& moves,
                   const TGameFilter& filter, const TListing& listing, std::ostream& out) {
    const int record = OpenAtPosition(nav, dictionary, moves);
    nav.CloseFile();
    TGameStore store(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadOnly));
    const std::vector<TGamePass> passes = store.PassesAt(record);
    const TGameSelection selection(store, filter, passes);
    const TGamePage page = ListGames(store, passes, selection, listing.limit, listing.offset, listing.order);
    if (!listing.json) {
        for (const TGameListing& g : page.games) PrintGame(g, out);
        return;
    }
    TJson answer;
    answer["record"] = record;
    answer["total"] = page.total;
    TJson games = TJson::array();
    for (const TGameListing& g : page.games) games.push_back(GameJson(g));
    answer["games"] = std::move(games);
    out << JsonCompact(answer) << '\n';
}

}  // namespace vxlo
