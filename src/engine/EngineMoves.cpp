#include "engine/EngineMoves.h"

#include "core/VxloError.h"
#include "dictionary/MoveText.h"
#include "dictionary/TreeIndex.h"

namespace vxlo {

namespace {

constexpr const char* kEmptyBoardText = QT_TRANSLATE_NOOP("vxlo", "空の盤");
constexpr std::string_view kColumns = "ABCDEFGHJKLMNOPQRST";

}  // namespace

std::string EngineMoveName(TPoint p) {
    if (IsTenuki(p.x, p.y)) return "pass";
    if (p.x < 1 || p.x > kBoardSize || p.y < 1 || p.y > kBoardSize) throw ERangeError();
    return kColumns[static_cast<std::size_t>(p.x - 1)] + std::to_string(kBoardSize + 1 - p.y);
}

std::optional<TPoint> ParseEngineMove(std::string_view name) {
    if (name.size() == 4) {
        std::string lower;
        for (const char c : name) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if (lower == "pass") return kTenuki;
    }
    if (name.size() < 2 || name.size() > 3) return std::nullopt;
    const char letter = static_cast<char>(name[0] >= 'a' && name[0] <= 'z' ? name[0] - 'a' + 'A' : name[0]);
    const std::size_t column = kColumns.find(letter);
    if (column == std::string_view::npos) return std::nullopt;
    int row = 0;
    for (const char c : name.substr(1)) {
        if (c < '0' || c > '9') return std::nullopt;
        row = row * 10 + (c - '0');
    }
    if (name[1] == '0' || row < 1 || row > kBoardSize) return std::nullopt;
    return TPoint{static_cast<int>(column) + 1, kBoardSize + 1 - row};
}

std::vector<std::pair<std::string, std::string>> EngineMoves(const std::vector<TPoint>& line) {
    // Refuses a line that cannot be played before the engine sees it, with
    // the same words as every other replay of a line.
    (void)PositionAfter(line);
    std::vector<std::pair<std::string, std::string>> moves;
    moves.reserve(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) moves.emplace_back(i % 2 == 0 ? "B" : "W", EngineMoveName(line[i]));
    return moves;
}

int SideToMoveAfter(const std::vector<TPoint>& line) { return line.size() % 2 == 0 ? Black : White; }

TMessage PositionText(const std::vector<TPoint>& line) {
    if (line.empty()) return TMessage(kEmptyBoardText);
    std::string text;
    for (const TPoint p : line) {
        if (!text.empty()) text += ' ';
        text += FormatMove(p);
    }
    return TMessage::Literal(text);
}

}  // namespace vxlo
