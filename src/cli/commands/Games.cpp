#include <memory>

#include "cli/GamesCommand.h"
#include "cli/commands/Commands.h"

namespace vxlo {

const char* const kGamesUsage =
    "  vxlo-tool games [--json] [FILTER...] [--limit N] [--offset K]\n"
    "                  [--sort date|black|white|event|result|move] [--reverse]\n"
    "                  [--oldest] DICTIONARY [MOVE...]\n"
    "      the kept games that reached the position, newest first (--oldest:\n"
    "      oldest first; games without a year last), N a page (default 50);\n"
    "      --sort orders the whole list before the page is cut: players, event\n"
    "      and result A to Z (any case), move lowest first, empty ones last;\n"
    "      --reverse turns the order round\n"
    "      FILTER: --from YEAR, --to YEAR (games without a year only when\n"
    "      neither is given), --player TEXT (part of either name, any case),\n"
    "      --event TEXT (part of the event, any case)\n";

TCommandRun SetUpGames(CLI::App& command) {
    struct TOptions {
        TFilterOptions filter;
        TListing listing;
        std::optional<std::string> limit;
        std::optional<std::string> offset;
        std::vector<std::string> operands;
        bool oldest = false;
        bool reversed = false;
        std::optional<std::string> sort;
    };
    auto o = std::make_shared<TOptions>();
    command.add_flag("--json", o->listing.json, "answer in JSON");
    command.add_flag("--oldest", o->oldest, "oldest first");
    command.add_option("--sort", o->sort, "date, black, white, event, result or move");
    command.add_flag("--reverse", o->reversed, "the order turned round");
    command.add_option("--limit", o->limit, "games a page (default 50)");
    command.add_option("--offset", o->offset, "games passed over before the page");
    AddFilterOptions(command, o->filter);
    AddOperands(command, o->operands);
    return [o](TToolContext& c) {
        const TGameFilter filter = o->filter.Filter();
        TListing listing = o->listing;
        if (o->limit) listing.limit = Number("--limit", *o->limit, 0);
        if (o->offset) listing.offset = Number("--offset", *o->offset, 0);
        if (o->sort) {
            const std::optional<EGameSort> by = GameSortNamed(*o->sort);
            if (!by) throw EUsage("--sort takes date, black, white, event, result or move, not " + *o->sort);
            listing.order.by = *by;
        }
        if (o->oldest && listing.order.by != EGameSort::Date) throw EUsage("--oldest orders by date only");
        listing.order.reversed = o->oldest != o->reversed;
        if (o->operands.empty()) throw EUsage("games needs DICTIONARY");
        ListKeptGames(c.nav, o->operands[0], {o->operands.begin() + 1, o->operands.end()}, filter, listing, c.out);
        return 0;
    };
}

}  // namespace vxlo
