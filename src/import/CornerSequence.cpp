#include "import/CornerSequence.h"

#include <algorithm>
#include <array>

#include "board/PositionHash.h"

namespace vxlo {

namespace {

constexpr int kCornerCount = 4;
constexpr int kMirror = 20;  // x → 20 − x mirrors a 19-line board

bool IsLeft(ECorner corner) { return corner == ECorner::UpperLeft || corner == ECorner::LowerLeft; }
bool IsUpper(ECorner corner) { return corner == ECorner::UpperLeft || corner == ECorner::UpperRight; }

// One corner while the game is read.
struct TCornerState {
    enum class EPhase { Waiting, Open, Closed };
    EPhase phase = EPhase::Waiting;
    int lastColor = Empty;
    int movesOutside = 0;
    TCornerSequence sequence;
};

void Add(TCornerState& state, TPoint point, int moveNumber, int limit) {
    state.sequence.moves.push_back(point);
    state.sequence.moveNumbers.push_back(moveNumber);
    if (static_cast<int>(state.sequence.moves.size()) >= limit)
        state.phase = TCornerState::EPhase::Closed;
}

TPoint Mirrored(TPoint p, bool mirrorX, bool mirrorY, bool reflect) {
    if (mirrorX) p.x = kMirror - p.x;
    if (mirrorY) p.y = kMirror - p.y;
    if (reflect) p = {kMirror - p.y, kMirror - p.x};
    return p;
}

// The one symmetry that moves a point with eight distinct images as the
// normalisation does moves every point.
int SymmetryOf(bool mirrorX, bool mirrorY, bool reflect) {
    const TPoint probe{1, 2};
    const TPoint image = Mirrored(probe, mirrorX, mirrorY, reflect);
    for (int s = 0; s < kSymmetries; ++s)
        if (Transform(s, probe) == image) return s;
    return 0;
}

void Normalise(TCornerSequence& sequence) {
    const bool mirrorX = IsLeft(sequence.corner);
    const bool mirrorY = !IsUpper(sequence.corner);
    for (TPoint& p : sequence.moves) {
        if (p.x == 0) continue;  // tenuki
        p = Mirrored(p, mirrorX, mirrorY, false);
    }
    const auto offDiagonal = std::find_if(sequence.moves.begin(), sequence.moves.end(),
        [](TPoint p) { return p.x != 0 && kMirror - p.x != p.y; });
    const bool reflect = offDiagonal != sequence.moves.end() && kMirror - offDiagonal->x >= offDiagonal->y;
    sequence.symmetry = SymmetryOf(mirrorX, mirrorY, reflect);
    if (!reflect) return;
    for (TPoint& p : sequence.moves)
        if (p.x != 0) p = Mirrored(p, false, false, true);
}

}  // namespace

bool InCornerSquare(ECorner corner, int x, int y) {
    const bool column = IsLeft(corner) ? (x >= 1 && x <= 10) : (x >= 10 && x <= kBoardSize);
    const bool row = IsUpper(corner) ? (y >= 1 && y <= 10) : (y >= 10 && y <= kBoardSize);
    return column && row;
}

std::vector<TCornerSequence> ExtractCornerSequences(const std::vector<TGameMove>& game, int limit) {
    limit = std::max(limit, 1);
    std::array<TCornerState, kCornerCount> corners;
    for (int c = 0; c < kCornerCount; ++c) corners[c].sequence.corner = static_cast<ECorner>(c);

    for (int i = 0; i < static_cast<int>(game.size()); ++i) {
        const TGameMove& move = game[i];
        for (TCornerState& state : corners) {
            if (state.phase == TCornerState::EPhase::Closed) continue;
            if (!InCornerSquare(state.sequence.corner, move.x, move.y)) {
                if (state.phase == TCornerState::EPhase::Open &&
                    ++state.movesOutside >= kCornerQuietMoves)
                    state.phase = TCornerState::EPhase::Closed;
                continue;
            }
            if (state.phase == TCornerState::EPhase::Waiting) {
                state.phase = TCornerState::EPhase::Open;
                state.sequence.firstMoveIndex = i;
                state.sequence.starter = move.color;
            } else if (move.color == state.lastColor) {
                Add(state, {0, 0}, state.sequence.moveNumbers.back(), limit);
                if (state.phase == TCornerState::EPhase::Closed) continue;
            }
            state.lastColor = move.color;
            state.movesOutside = 0;
            Add(state, {move.x, move.y}, i + 1, limit);
        }
    }

    std::vector<TCornerSequence> sequences;
    for (TCornerState& state : corners) {
        if (state.sequence.moves.empty()) continue;
        Normalise(state.sequence);
        sequences.push_back(std::move(state.sequence));
    }
    std::stable_sort(sequences.begin(), sequences.end(),
        [](const TCornerSequence& a, const TCornerSequence& b) {
            return a.firstMoveIndex < b.firstMoveIndex;
        });
    return sequences;
}

}  // namespace vxlo
