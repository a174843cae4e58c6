#include "import/CornerMatch.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "board/PositionHash.h"
#include "core/VxloError.h"
#include "dictionary/MoveText.h"
#include "dictionary/Tejun.h"
#include "import/SgfReader.h"

namespace vxlo {

namespace {

constexpr int kCorners = 4;
constexpr int kCornerLines = 10;
constexpr const char* kNoGameText = QT_TRANSLATE_NOOP("vxlo", "棋譜として読めません");

class TSilentPainter final : public IStonePainter {
public:
    void DrawStone(int, int, int) override {}
    void DrawStoneNumber(int, int, int, int) override {}
};

std::vector<TPoint> SgfMainLine(const TSgfCollection& sgf) {
    const std::string& sourceName = sgf.FileName();
    if (sgf.GameCount() == 0) throw EFileRefused(kNoGameText, sourceName);
    const int root = sgf.GameRoot(0);
    if (SgfBoardSize(sgf.Node(root)) != kBoardSize || HasSgfSetup(sgf.Node(root))) {
        throw EFileRefused(kNoGameText, sourceName);
    }
    std::vector<TPoint> moves;
    for (int n = root; n >= 0; n = sgf.Node(n).FirstChild) {
        const TSgfMove move = SgfMoveOf(sgf.Node(n));
        if (move.kind == TSgfMove::Kind::None) continue;
        if (move.kind != TSgfMove::Kind::Point) break;
        moves.push_back(move.point);
    }
    return moves;
}

}  // namespace

std::vector<TPoint> ParseGameMoves(const std::string& text, const std::string& sourceName) {
    if (text.find("(;") != std::string::npos || text.find("( ;") != std::string::npos) {
        return SgfMainLine(ParseSgf(text, sourceName));
    }
    std::vector<TPoint> moves;
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        const auto move = ParseMove(word);
        if (!move) throw EFileRefused(WithReason(kNoGameText, word), sourceName);
        if (IsTenuki(move->x, move->y)) break;
        moves.push_back(*move);
    }
    return moves;
}

std::vector<TPoint> ReadGameFile(const std::string& path) { return SgfMainLine(ReadSgfFile(path)); }

bool InCorner(int corner, int x, int y) {
    const bool right = (corner & 1) != 0;
    const bool bottom = (corner & 2) != 0;
    const bool inX = right ? x > kBoardSize - kCornerLines : x <= kCornerLines;
    const bool inY = bottom ? y > kBoardSize - kCornerLines : y <= kCornerLines;
    return inX && inY;
}

std::vector<TCornerMatch> FindCorners(const TTreeIndex& index, const std::vector<TPoint>& moves,
                                      int upTo) {
    TSilentPainter painter;
    TTejun path;
    TGoban board(path, painter);
    std::map<int, TCornerMatch> best;  // by record
    auto better = [&](const TCornerMatch& a, const TCornerMatch& b) {
        if (a.stones != b.stones) return a.stones > b.stones;
        if (a.moveNumber != b.moveNumber) return a.moveNumber > b.moveNumber;
        if (a.match.Exact() != b.match.Exact()) return a.match.Exact();
        const int da = index.Depth(a.match.record), db = index.Depth(b.match.record);
        if (da != db) return da < db;
        return a.match.record < b.match.record;
    };
    const int last = std::min<int>(upTo, static_cast<int>(moves.size()));
    for (int n = 1; n <= last && n <= kMaxPathMoves; ++n) {
        const TPoint p = moves[static_cast<std::size_t>(n - 1)];
        if (board.PlayMove(p.x, p.y) != EMoveResult::Ok) break;
        path.Push(p.x, p.y, 0, 0, board);
        for (int corner = 0; corner < kCorners; ++corner) {
            TPositionHash stones;
            int count = 0;
            for (int x = 1; x <= kBoardSize; ++x) {
                for (int y = 1; y <= kBoardSize; ++y) {
                    const int stone = board.GetStone(x, y);
                    if ((stone == Black || stone == White) && InCorner(corner, x, y)) {
                        stones.Toggle(stone, x, y);
                        ++count;
                    }
                }
            }
            if (count == 0) continue;
            for (const TPositionMatch& m : index.FindStones(stones)) {
                const TCornerMatch found{m, corner, count, n};
                auto it = best.find(m.record);
                if (it == best.end()) {
                    best.emplace(m.record, found);
                } else if (better(found, it->second)) {
                    it->second = found;
                }
            }
        }
    }
    std::vector<TCornerMatch> result;
    for (const auto& [record, match] : best) result.push_back(match);
    std::sort(result.begin(), result.end(), better);
    return result;
}

}  // namespace vxlo
