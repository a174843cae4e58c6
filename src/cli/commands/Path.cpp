#include <memory>

#include "cli/FindCommands.h"
#include "cli/commands/Commands.h"

namespace vxlo {

const char* const kPathUsage =
    "  vxlo-tool path [--json] DICTIONARY RECORD\n"
    "      the moves from the empty board to RECORD\n";

TCommandRun SetUpPath(CLI::App& command) {
    const std::shared_ptr<TJsonOperands> o = AddJsonAndOperands(command);
    return [o](TToolContext& c) {
        if (o->operands.size() != 2) throw EUsage("path needs DICTIONARY and RECORD");
        const int record = IntegerValue(o->operands[1], c.translator);
        const std::vector<TPoint> moves = IndexOf(o->operands[0], TTreeIndex::EContent::Links).MovesTo(record);
        if (o->json) {
            TJson answer;
            answer["record"] = record;
            answer["moves"] = JsonMoves(moves);
            c.out << JsonText(answer) << '\n';
        } else {
            c.out << record << ": " << PlainMoves(moves) << '\n';
        }
        return 0;
    };
}

}  // namespace vxlo
