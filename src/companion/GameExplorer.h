#pragma once
// The explorer's questions over the kept games: how the games a filter lets
// through went on from a position, and which they were. Every figure counts
// passes, as the evidence counts do: a game that reached a position in two
// corners counts twice there.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "companion/GameStore.h"

namespace vxlo {

// The games a filter lets through, looked up by id.
class TGameSelection {
public:
    TGameSelection(TGameStore& store, const TGameFilter& filter);
    // Enough for these passes and any below them: when they are few of the
    // kept games only their games are looked up, so that a deep position
    // answers at once however large the collection.
    TGameSelection(TGameStore& store, const TGameFilter& filter, const std::vector<TGamePass>& passes);
    // nullptr when the game is not selected.
    const TGameFacts* Find(std::int64_t id) const;
    std::size_t Size() const { return facts_.size(); }

private:
    void Index();

    std::vector<TGameFacts> facts_;  // by id
    std::vector<std::int32_t> slot_;  // id -> index in facts_, or -1; empty: facts_ is searched
};

struct TPassCounts {
    long long games = 0;
    long long starterWins = 0, starterLosses = 0;  // as the player who started the corner fared
    long long blackWins = 0, whiteWins = 0;        // the game's real colours
    int firstYear = 0, lastYear = 0;               // 0: no dated game
    std::map<int, long long> byYear;               // games without a year left out
};

// The passes through rec of the selected games.
TPassCounts CountPasses(const std::vector<TGamePass>& passes, const TGameSelection& selection);

struct TGameListing {
    TKeptGame game;
    TGamePass pass;
};

struct TGamePage {
    long long total = 0;  // passes of selected games through the position
    std::vector<TGameListing> games;
};

// What the games are listed by. The date goes newest first, the texts (case
// of ASCII letters ignored) and the move where the game reached the
// position lowest first; reversed turns either round. Games without the
// value (no year, an empty text) come last either way; equals go newest
// first, then by game and corner.
enum class EGameSort { Date, Black, White, Event, Result, Move };
struct TGameOrder {
    EGameSort by = EGameSort::Date;
    bool reversed = false;
    friend bool operator==(const TGameOrder&, const TGameOrder&) = default;
};
// "date", "black", "white", "event", "result", "move"; none for another word.
std::optional<EGameSort> GameSortNamed(const std::string& name);

// A page of the passes through rec in that order, sorted whole before the
// page is cut.
TGamePage ListGames(TGameStore& store, const std::vector<TGamePass>& passes, const TGameSelection& selection,
                    long long limit, long long offset, TGameOrder order = {});

}  // namespace vxlo
