#include <memory>

#include "cli/CornerCommands.h"
#include "cli/commands/Commands.h"

namespace vxlo {

const char* const kClearEvidenceUsage =
    "  vxlo-tool clear-evidence DICTIONARY\n"
    "      removes every game count and kept game of the dictionary\n";

TCommandRun SetUpClearEvidence(CLI::App& command) {
    auto operands = std::make_shared<std::vector<std::string>>();
    AddOperands(command, *operands);
    return [operands](TToolContext& c) {
        if (operands->size() != 1) throw EUsage("clear-evidence needs DICTIONARY");
        ClearEvidence((*operands)[0], c.out);
        return 0;
    };
}

}  // namespace vxlo
