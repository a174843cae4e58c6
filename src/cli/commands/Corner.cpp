#include <algorithm>
#include <climits>
#include <filesystem>
#include <memory>
#include <optional>

#include "cli/FindCommands.h"
#include "cli/commands/Commands.h"
#include "dictionary/MoveText.h"
#include "import/CornerMatch.h"

namespace vxlo {

const char* const kCornerUsage =
    "  vxlo-tool corner [--json] [--limit N] DICTIONARY (SGF-FILE | MOVE...)\n"
    "      the positions equal to one corner of the game (its first N moves):\n"
    "      the corner's stones in any orientation and either colour, best first\n";

namespace {

struct TCornerOptions {
    bool json = false;
    std::optional<std::string> limit;
    std::vector<std::string> operands;
};

// A game is an SGF file, or its moves are given as they are for find.
std::vector<TPoint> GameOf(const std::vector<std::string>& operands) {
    std::error_code ec;
    const bool file = operands.size() == 2 && !ParseMove(operands[1]) && std::filesystem::exists(operands[1], ec);
    std::vector<TPoint> game = file ? ReadGameFile(operands[1]) : MovesOperands(operands, 1);
    // The board cannot play a tenuki yet: a game given as moves ends there.
    const auto tenuki = std::find_if(game.begin(), game.end(), [](TPoint p) { return IsTenuki(p.x, p.y); });
    game.erase(tenuki, game.end());
    return game;
}

TJson Row(const TCornerMatch& m, const std::vector<TPoint>& path) {
    TJson row;
    row["record"] = m.match.record;
    row["moves"] = JsonMoves(path);
    row["corner"] = m.corner;
    row["stones"] = m.stones;
    row["move_number"] = m.moveNumber;
    row["symmetry"] = m.match.symmetry;
    row["colours_exchanged"] = m.match.coloursExchanged;
    return row;
}

}  // namespace

TCommandRun SetUpCorner(CLI::App& command) {
    auto o = std::make_shared<TCornerOptions>();
    command.add_flag("--json", o->json, "answer in JSON");
    command.add_option("--limit", o->limit, "the corner after the game's first N moves");
    AddOperands(command, o->operands);
    return [o](TToolContext& c) {
        const int given = o->limit ? IntegerValue(*o->limit, c.translator) : 0;
        if (o->operands.size() < 2) throw EUsage("corner needs DICTIONARY and an SGF file or moves");
        const std::vector<TPoint> game = GameOf(o->operands);
        const TTreeIndex index = IndexOf(o->operands[0], TTreeIndex::EContent::LinksAndPositions);
        const int limit = given > 0 ? given : INT_MAX;
        TJson rows = TJson::array();
        for (const TCornerMatch& m : FindCorners(index, game, limit)) {
            const std::vector<TPoint> path = index.MovesTo(m.match.record);
            if (o->json) {
                rows.push_back(Row(m, path));
            } else {
                c.out << m.match.record << ": " << PlainMoves(path) << " (corner " << m.corner << ", " << m.stones
                      << " stones after move " << m.moveNumber << ")\n";
            }
        }
        if (o->json) c.out << JsonRows(rows) << '\n';
        return 0;
    };
}

}  // namespace vxlo
