#pragma once
// What the games explorer asks of the kept games, without a window: the
// filter as typed, the current position's candidates counted over the games
// it lets through, their games a page at a time, and the replay of one game
// for the viewer. The selection is made again only when the filter changes,
// so that following a click costs the passes of one position.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "dictionary/Fjsk.h"
#include "companion/GameExplorer.h"

namespace vxlo {

// The four filter fields as the user typed them.
struct TFilterText {
    std::string from, to, player, event;
};

// A year field that is not a year is left out of the filter and marked, so
// that a half-typed "19" filters nothing rather than everything.
struct TParsedFilter {
    TGameFilter filter;
    bool fromValid = true, toValid = true;
};
TParsedFilter ParseFilterText(const TFilterText& text);

struct TExplorerCandidate {
    TPoint move;        // {0, 0}: tenuki
    std::string label;  // the kana, empty past the 30th
    int record = 0;
    TPassCounts counts;
    double share = 0;   // of the candidates' games, 0..1
};

struct TExplorerPosition {
    int record = 0;
    TPassCounts counts;
    std::vector<TExplorerCandidate> candidates;  // most games first, chain order among equal counts
};

// Pages of pageSize (at least 1): how many for total (at least one, empty
// or not), and page clamped into them.
long long PageCount(long long total, long long pageSize);
long long ClampPage(long long page, long long total, long long pageSize);

class TExplorerQuery {
public:
    explicit TExplorerQuery(TCompanion db);
    // Whether the dictionary keeps any game (read once).
    bool Any();
    // A new selection only when the filter differs from the last one.
    void SetFilter(const TGameFilter& filter);
    const TGameFilter& Filter() const { return filter_; }
    // The position of record whose candidate list is list.
    TExplorerPosition Position(const TLjsk& list, int record);
    TGamePage Games(int record, long long page, long long pageSize, TGameOrder order = {});
    std::optional<TKeptGame> Game(std::int64_t id) { return store_.Game(id); }

private:
    TGameSelection& Selection();

    TGameStore store_;
    std::optional<bool> any_;
    TGameFilter filter_;
    std::optional<TGameSelection> selection_;
};

// A move of a game with its real colour; {color, 0, 0} is a pass.
struct TReplayMove {
    int color = 0;
    int x = 0, y = 0;
};

// The whole board after the first n moves (clamped to the game), captures
// taken as the rules take them; a move onto a stone is passed over, as an
// illegal move in a record must not stop the viewer.
using TBoardStones = std::array<int, kBoardSize * kBoardSize>;  // [(y - 1) * 19 + x - 1]
TBoardStones StonesAfter(const std::vector<TReplayMove>& moves, int n);

// The move the viewer opens at: where the game reached the position.
int ShownMove(const TGamePass& pass, std::size_t gameMoves);

// The corner's square of ten lines each way, as the corner import numbers
// corners (0 (1,1) 1 (19,1) 2 (1,19) 3 (19,19)).
struct TSquare {
    int left, top, right, bottom;
};
TSquare CornerSquare(int corner);

}  // namespace vxlo
