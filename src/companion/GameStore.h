#pragma once
// TGameStore: the games behind the corner counts, in the tables `games` and
// `game_passes` of the companion database. Every game the corner import
// enters is kept once, with what its record says of it, and for every
// position its corner sequences reached the pass there (GamePasses.h). A
// game whose whole main line is kept already is a duplicate and adds
// nothing. Like the counts, games and passes gather in memory and go to the
// file one transaction per Flush.
#include <climits>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "companion/CompanionDatabase.h"
#include "companion/GamePasses.h"

namespace vxlo {

// What a game record says of its game, as written (UTF-8).
struct TGameText {
    std::string file;   // absolute
    int index = 0;      // in a collection file, 0 for the first game
    std::string black, white, blackRank, whiteRank, date, event, result;
};

struct TKeptGame {
    std::int64_t id = 0;
    TGameText text;
    int year = 0;    // 0: the date gives none
    int winner = 0;  // Black, White, or Empty when unknown
    std::uint64_t lineHash = 0;  // of its main line: tells a record that changed since
};

// What counting and ordering need of a game.
struct TGameFacts {
    std::int64_t id = 0;
    int year = 0;
    int winner = 0;
    std::int64_t dateKey = 0;  // YYYYMMDD as far as the date gives it; 0 without a year
};

// Optional and combinable. A game without a year passes only when neither
// year is given; text matches a part of the name or event, ASCII letters in
// either case.
struct TGameFilter {
    std::optional<int> from, to;
    std::string player;  // black or white
    std::string event;
    bool Any() const { return from || to || !player.empty() || !event.empty(); }
};

// The order of dates: YYYYMMDD from a date beginning with the year (the
// month and day as far as they follow as "-MM-DD"), year × 10000 from a
// date with the year elsewhere, 0 without one.
std::int64_t GameDateKey(const std::string& date, int year);

class TGameStore {
public:
    // The games of the companion database; missing tables read as empty.
    explicit TGameStore(TCompanion db);

    // Makes the tables (and the file) and reads which main lines are kept,
    // so that a writer knows its duplicates; EFileRefused naming the store.
    void PrepareWrite();
    bool Prepared() const { return prepared_; }

    // Keeps a game (after PrepareWrite) and gives its id; none when a game
    // of that main line is kept already, pending ones included.
    std::optional<std::int64_t> Add(std::uint64_t lineHash, const TGameText& text, int year, int winner);
    // The game, added before in this batch, passed through rec.
    void AddPass(int rec, const TGamePass& pass);
    // It passed through the records it made, firstRec and those after it,
    // one per move number (pass.moveNumber is not used).
    void AddTail(int firstRec, const TGamePass& pass, const std::vector<int>& moveNumbers);
    // Writes the pending games and passes in one transaction (a savepoint
    // inside the caller's); EFileRefused naming the store when it fails.
    void Flush();
    std::size_t Pending() const { return pendingGames_.size(); }

    bool Any();
    // Removes every game and pass (the caller holds the transaction).
    void Clear();

    // Every pass through rec, in the order of the games.
    std::vector<TGamePass> PassesAt(int rec);
    // How many there are, without reading them out.
    long long PassCountAt(int rec);
    // The games the filter lets through, by id.
    std::vector<TGameFacts> Facts(const TGameFilter& filter);
    // The same among the given ids (ascending, each once), looked up one by one.
    std::vector<TGameFacts> Facts(const TGameFilter& filter, const std::vector<std::int64_t>& among);
    // The highest id kept, 0 without games.
    std::int64_t LastGameId();
    std::optional<TKeptGame> Game(std::int64_t id);
    // The place of every game (by id) in the order of a text column (black,
    // white, event or result), ASCII letters in either case, equal texts at
    // one place; a game whose column is empty has kNoRank. Read once until the next write.
    static constexpr std::int32_t kNoRank = INT32_MAX;
    const std::vector<std::int32_t>& TextRanks(const std::string& column);

    const std::string& Path() const { return db_->Path(); }

private:
    bool HasTables();
    std::optional<TGamePass> TailPassAt(int rec);
    // decode(firstGame, blob) for each blob of passes through rec; false
    // from it refuses the store.
    template <class Decode>
    void ForEachPassBlob(int rec, Decode decode);

    struct TPendingGame {
        std::int64_t id;
        std::uint64_t lineHash;
        TGameText text;
        int year;
        int winner;
    };

    TCompanion db_;
    bool prepared_ = false;
    bool hasTables_ = false;
    std::unordered_set<std::uint64_t> lines_;
    std::int64_t nextId_ = 1;
    std::int64_t batchFirst_ = 1;
    std::vector<TPendingGame> pendingGames_;
    std::map<int, TGamePassWriter> pendingPasses_;
    struct TPendingTail {
        int firstRec;
        TGamePass pass;
        std::vector<int> moveNumbers;
    };
    std::vector<TPendingTail> pendingTails_;
    std::map<std::string, std::vector<std::int32_t>> ranks_;
};

}  // namespace vxlo
