#include <memory>

#include "cli/FindCommands.h"
#include "cli/commands/Commands.h"
#include "companion/CommentSearch.h"

namespace vxlo {

const char* const kSearchUsage =
    "  vxlo-tool search [--json] DICTIONARY TEXT\n"
    "      the positions whose comment contains TEXT (case ignored), with their\n"
    "      moves and the comment around it\n";

TCommandRun SetUpSearch(CLI::App& command) {
    const std::shared_ptr<TJsonOperands> o = AddJsonAndOperands(command);
    return [o](TToolContext& c) {
        if (o->operands.size() != 2) throw EUsage("search needs DICTIONARY and TEXT");
        const TTreeIndex index = IndexOf(o->operands[0], TTreeIndex::EContent::Links);
        // A writer's database, so that a store made before the index gets it.
        TCommentSearch search(OpenCompanion(o->operands[0], TCompanionDatabase::EAccess::ReadWrite));
        TJson rows = TJson::array();
        for (const TSearchResult& r : SearchComments(search, index, o->operands[1])) {
            if (!o->json) {
                c.out << r.record << ": " << PlainMoves(r.moves) << "\n    " << r.snippet << '\n';
                continue;
            }
            TJson row;
            row["record"] = r.record;
            row["moves"] = JsonMoves(r.moves);
            row["snippet"] = r.snippet;
            rows.push_back(std::move(row));
        }
        if (o->json) c.out << JsonRows(rows) << '\n';
        return 0;
    };
}

}  // namespace vxlo
