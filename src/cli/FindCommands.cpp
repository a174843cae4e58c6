#include "cli/FindCommands.h"

#include <algorithm>
#include <climits>
#include <filesystem>

#include "cli/Json.h"
#include "core/VxloError.h"
#include "dictionary/MoveText.h"
#include "dictionary/RecordFile.h"
#include "dictionary/TreeIndex.h"
#include "import/CornerMatch.h"
#include "companion/CommentSearch.h"

namespace vxlo {

const char* const kFindUsage =
    "  vxlo-tool path [--json] DICTIONARY RECORD\n"
    "      the moves from the empty board to RECORD\n"
    "  vxlo-tool search [--json] DICTIONARY TEXT\n"
    "      the positions whose comment contains TEXT (case ignored), with their\n"
    "      moves and the comment around it\n"
    "  vxlo-tool find [--json] DICTIONARY MOVE...\n"
    "      the positions equal to the one after MOVEs (x,y or pass) from the\n"
    "      empty board, in any orientation and either colour, exact ones first\n"
    "  vxlo-tool corner [--json] [--limit N] DICTIONARY (SGF-FILE | MOVE...)\n"
    "      the positions equal to one corner of the game (its first N moves):\n"
    "      the corner's stones in any orientation and either colour, best first\n";

namespace {

std::string JsonMoves(const std::vector<TPoint>& moves) {
    std::string json = "[";
    for (std::size_t i = 0; i < moves.size(); ++i) {
        if (i > 0) json += ", ";
        json += JsonString(FormatMove(moves[i]));
    }
    return json + "]";
}

std::string PlainMoves(const std::vector<TPoint>& moves) {
    std::string text;
    for (const TPoint p : moves) text += (text.empty() ? "" : " ") + FormatMove(p);
    return text.empty() ? "(empty board)" : text;
}

TTreeIndex IndexOf(const std::string& dictionary, TTreeIndex::EContent content) {
    // Read only, no lock: a dictionary open in the window can be asked too.
    TRecordFile file(dictionary, TRecordFile::Mode::ReadOnly);
    return TTreeIndex::Build(file, {}, content);
}

void Path(const std::vector<std::string>& operands, const TFindOptions& options, std::ostream& out) {
    if (operands.size() != 2) throw EFindUsage("path needs DICTIONARY and RECORD");
    int record = 0;
    try {
        record = StrToInt(operands[1]);
    } catch (const EConvertError& e) {
        throw EFindUsage(e.Message().Text(options.translator));
    }
    const TTreeIndex index = IndexOf(operands[0], TTreeIndex::EContent::Links);
    const std::vector<TPoint> moves = index.MovesTo(record);
    if (options.json) {
        out << "{\"record\": " << record << ", \"moves\": " << JsonMoves(moves) << "}\n";
    } else {
        out << record << ": " << PlainMoves(moves) << '\n';
    }
}

void Search(const std::vector<std::string>& operands, bool json, std::ostream& out) {
    if (operands.size() != 2) throw EFindUsage("search needs DICTIONARY and TEXT");
    const TTreeIndex index = IndexOf(operands[0], TTreeIndex::EContent::Links);
    // A writer's database, so that a store made before the index gets it.
    TCommentSearch search(OpenCompanion(operands[0], TCompanionDatabase::EAccess::ReadWrite));
    const std::vector<TSearchResult> results = SearchComments(search, index, operands[1]);
    if (json) out << "[";
    for (std::size_t i = 0; i < results.size(); ++i) {
        const TSearchResult& r = results[i];
        if (json) {
            out << (i > 0 ? ",\n " : "") << "{\"record\": " << r.record << ", \"moves\": " << JsonMoves(r.moves)
                << ", \"snippet\": " << JsonString(r.snippet) << "}";
        } else {
            out << r.record << ": " << PlainMoves(r.moves) << "\n    " << r.snippet << '\n';
        }
    }
    if (json) out << "]\n";
}

std::vector<TPoint> MovesOperands(const std::vector<std::string>& operands, std::size_t first) {
    std::vector<TPoint> moves;
    for (std::size_t i = first; i < operands.size(); ++i) {
        const auto move = ParseMove(operands[i]);
        if (!move) throw EFindUsage("not a move: " + operands[i] + " (x,y with 1..19, or pass)");
        moves.push_back(*move);
    }
    return moves;
}

void Find(const std::vector<std::string>& operands, bool json, std::ostream& out) {
    if (operands.empty()) throw EFindUsage("find needs DICTIONARY");
    const TPositionHash position = PositionAfter(MovesOperands(operands, 1));
    const TTreeIndex index = IndexOf(operands[0], TTreeIndex::EContent::LinksAndPositions);
    const std::vector<TPositionMatch> matches = index.FindPosition(position);
    if (json) out << "[";
    for (std::size_t i = 0; i < matches.size(); ++i) {
        const TPositionMatch& m = matches[i];
        const std::vector<TPoint> path = index.MovesTo(m.record);
        if (json) {
            out << (i > 0 ? ",\n " : "") << "{\"record\": " << m.record << ", \"moves\": " << JsonMoves(path)
                << ", \"symmetry\": " << m.symmetry
                << ", \"colours_exchanged\": " << (m.coloursExchanged ? "true" : "false") << "}";
        } else {
            out << m.record << ": " << PlainMoves(path);
            if (!m.Exact()) {
                out << " (symmetry " << m.symmetry << (m.coloursExchanged ? ", colours exchanged" : "") << ")";
            }
            out << '\n';
        }
    }
    if (json) out << "]\n";
}

void Corner(const std::vector<std::string>& operands, const TFindOptions& options, std::ostream& out) {
    if (operands.size() < 2) throw EFindUsage("corner needs DICTIONARY and an SGF file or moves");
    std::error_code ec;
    // A game is an SGF file, or its moves are given as they are for find.
    const bool file = operands.size() == 2 && !ParseMove(operands[1]) && std::filesystem::exists(operands[1], ec);
    std::vector<TPoint> game = file ? ReadGameFile(operands[1]) : MovesOperands(operands, 1);
    // The board cannot play a tenuki yet: a game given as moves ends there.
    const auto tenuki = std::find_if(game.begin(), game.end(), [](TPoint p) { return IsTenuki(p.x, p.y); });
    game.erase(tenuki, game.end());
    const TTreeIndex index = IndexOf(operands[0], TTreeIndex::EContent::LinksAndPositions);
    const int limit = options.limit && *options.limit > 0 ? *options.limit : INT_MAX;
    const std::vector<TCornerMatch> matches = FindCorners(index, game, limit);
    if (options.json) out << "[";
    for (std::size_t i = 0; i < matches.size(); ++i) {
        const TCornerMatch& m = matches[i];
        const std::vector<TPoint> path = index.MovesTo(m.match.record);
        if (options.json) {
            out << (i > 0 ? ",\n " : "") << "{\"record\": " << m.match.record << ", \"moves\": " << JsonMoves(path)
                << ", \"corner\": " << m.corner << ", \"stones\": " << m.stones << ", \"move_number\": " << m.moveNumber
                << ", \"symmetry\": " << m.match.symmetry
                << ", \"colours_exchanged\": " << (m.match.coloursExchanged ? "true" : "false") << "}";
        } else {
            out << m.match.record << ": " << PlainMoves(path) << " (corner " << m.corner << ", " << m.stones
                << " stones after move " << m.moveNumber << ")\n";
        }
    }
    if (options.json) out << "]\n";
}

}  // namespace

bool IsFindCommand(const std::string& command) {
    return command == "path" || command == "search" || command == "find" || command == "corner";
}

void RunFindCommand(const std::string& command, const std::vector<std::string>& operands,
                    const TFindOptions& options, std::ostream& out) {
    if (command == "path") Path(operands, options, out);
    if (command == "search") Search(operands, options.json, out);
    if (command == "find") Find(operands, options.json, out);
    if (command == "corner") Corner(operands, options, out);
}

}  // namespace vxlo
