#include <memory>

#include "cli/FindCommands.h"
#include "cli/commands/Commands.h"
#include "import/CornerMatch.h"

namespace vxlo {

const char* const kFindUsage =
    "  vxlo-tool find [--json] DICTIONARY MOVE...\n"
    "      the positions equal to the one after MOVEs (x,y or pass) from the\n"
    "      empty board, in any orientation and either colour, exact ones first\n";

TCommandRun SetUpFind(CLI::App& command) {
    const std::shared_ptr<TJsonOperands> o = AddJsonAndOperands(command);
    return [o](TToolContext& c) {
        if (o->operands.empty()) throw EUsage("find needs DICTIONARY");
        const TPositionHash position = PositionAfter(MovesOperands(o->operands, 1));
        const TTreeIndex index = IndexOf(o->operands[0], TTreeIndex::EContent::LinksAndPositions);
        TJson rows = TJson::array();
        for (const TPositionMatch& m : index.FindPosition(position)) {
            const std::vector<TPoint> path = index.MovesTo(m.record);
            if (!o->json) {
                c.out << m.record << ": " << PlainMoves(path);
                if (!m.Exact())
                    c.out << " (symmetry " << m.symmetry << (m.coloursExchanged ? ", colours exchanged" : "") << ")";
                c.out << '\n';
                continue;
            }
            TJson row;
            row["record"] = m.record;
            row["moves"] = JsonMoves(path);
            row["symmetry"] = m.symmetry;
            row["colours_exchanged"] = m.coloursExchanged;
            rows.push_back(std::move(row));
        }
        if (o->json) c.out << JsonRows(rows) << '\n';
        return 0;
    };
}

}  // namespace vxlo
