#include "cli/FindCommands.h"

#include "cli/commands/Command.h"
#include "dictionary/MoveText.h"
#include "dictionary/RecordFile.h"

namespace vxlo {

TJson JsonMoves(const std::vector<TPoint>& moves) {
    TJson json = TJson::array();
    for (const TPoint p : moves) json.push_back(FormatMove(p));
    return json;
}

std::string PlainMoves(const std::vector<TPoint>& moves) {
    std::string text;
    for (const TPoint p : moves) text += (text.empty() ? "" : " ") + FormatMove(p);
    return text.empty() ? "(empty board)" : text;
}

TTreeIndex IndexOf(const std::string& dictionary, TTreeIndex::EContent content) {
    TRecordFile file(dictionary, TRecordFile::Mode::ReadOnly);
    return TTreeIndex::Build(file, {}, content);
}

std::vector<TPoint> MovesOperands(const std::vector<std::string>& operands, std::size_t first) {
    std::vector<TPoint> moves;
    for (std::size_t i = first; i < operands.size(); ++i) {
        const auto move = ParseMove(operands[i]);
        if (!move) throw EUsage("not a move: " + operands[i] + " (x,y with 1..19, or pass)");
        moves.push_back(*move);
    }
    return moves;
}

}  // namespace vxlo
