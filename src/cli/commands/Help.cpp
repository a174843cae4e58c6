#include "cli/commands/Commands.h"

namespace vxlo {

const char* const kHelpUsage =
    "  vxlo-tool help, vxlo-tool --help, vxlo-tool COMMAND --help\n"
    "      this text, or a command's part of it\n";

TCommandRun SetUpHelp(CLI::App&) {
    return [](TToolContext& c) {
        c.out << UsageText();
        return 0;
    };
}

}  // namespace vxlo
