#include <memory>

#include "cli/CornerCommands.h"
#include "cli/GamesCommand.h"
#include "cli/commands/Commands.h"

namespace vxlo {

const char* const kStatsUsage =
    "  vxlo-tool stats [--json] [FILTER...] DICTIONARY [MOVE...]\n"
    "      the position after the MOVEs (x,y or pass) and its candidates with\n"
    "      their game counts, wins by colour and games by year; with filters,\n"
    "      counted over the kept games they let through\n";

TCommandRun SetUpStats(CLI::App& command) {
    struct TOptions {
        bool json = false;
        TFilterOptions filter;
        std::vector<std::string> operands;
    };
    auto o = std::make_shared<TOptions>();
    command.add_flag("--json", o->json, "answer in JSON");
    AddFilterOptions(command, o->filter);
    AddOperands(command, o->operands);
    return [o](TToolContext& c) {
        const TGameFilter filter = o->filter.Filter();
        if (o->operands.empty()) throw EUsage("stats needs DICTIONARY");
        PrintStats(c.nav, o->operands[0], {o->operands.begin() + 1, o->operands.end()}, filter, o->json, c.out);
        return 0;
    };
}

}  // namespace vxlo
