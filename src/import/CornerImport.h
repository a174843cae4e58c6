#pragma once
// Import of game records as corner sequences: every corner's sequence of a
// game (see CornerSequence.h) enters the open dictionary from the empty board
// through the same move entry as every import, and the evidence store counts
// each position it passed through with the game's result and year.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Progress.h"
#include "import/CornerSequence.h"
#include "import/FolderWalk.h"
#include "navigation/Navigation.h"
#include "companion/EvidenceStore.h"
#include "companion/GameStore.h"

namespace vxlo {

// A game as the corner import needs it.
struct TCornerGame {
    std::vector<TGameMove> moves;  // the main line; a pass is {color, 0, 0}
    int winner = Empty;            // Black, White, or Empty when unknown
    int year = 0;                  // 0 when unknown
    TGameText text;                // file, index and what the record says
};

// The same for equal main lines (every move, its colour and point): how a
// game already kept is known again.
std::uint64_t MainLineHash(const std::vector<TGameMove>& moves);

struct TCornerImportSummary {
    int gamesRead = 0;
    int skippedSetup = 0;    // setup stones: the game does not start from the empty board
    int skippedSize = 0;     // a board other than 19×19
    int sequences = 0;       // corner sequences entered (each at least its first move)
    int movesAdded = 0;      // records the import appended to the dictionary
    int sequencesCut = 0;    // ended early at a move that could not be entered:
    int cutFull = 0;         //   of them at a full candidate list (or path)
    int cutIllegal = 0;      //   of them at a move illegal in the corner alone
    int duplicates = 0;      // games whose main line was kept already: they add nothing
    std::vector<TWalkFailure> failures;  // malformed files passed over, in order
    bool cancelled = false;  // stopped between two games; what came before is kept
};

// "games 12 (skipped: 1 setup, 0 size), sequences 40, moves added 310, cut 3
// (full 1, illegal 2), duplicates 2", the causes only when something was
// cut; the files passed over are reported apart (WalkFailureSummary).
std::string CornerSummaryText(const TCornerImportSummary& summary);
// The same as the window shows it: first that it was cancelled, if it was.
TMessage CornerSummaryMessage(const TCornerImportSummary& summary);

// The games of an SGF file (main lines; RE and DT read), counting skipped ones
// in the summary. Malformed files raise ESgfError naming them.
std::vector<TCornerGame> ReadSgfCornerGames(const std::string& file, TCornerImportSummary& summary);

// The games of an IG1 or SGF file (by its extension).
std::vector<TCornerGame> ReadCornerGames(const std::string& file, TCornerImportSummary& summary);

// The game records among paths: named files as given (refused, naming them,
// when missing or neither IG1 nor SGF), folders walked as every import walks
// them (CollectWalkFiles) for the game records (subfolders with recursive),
// in sorted order, so that the dictionary comes out the same on every run.
// A folder without any game record is refused too.
std::vector<std::string> CornerGameFiles(const std::vector<std::string>& paths, bool recursive);

// Whether the games behind the counts are kept (the benchmark compares).
enum class EGameKeeping { Kept, Off };

class TCornerImporter {
public:
    // evidence may be null (no counts kept, no games). The dictionary must be
    // open. With games kept, each game is kept once in the store of the
    // evidence's database with its passes, and a duplicate adds nothing.
    TCornerImporter(TNavigation& nav, TEvidenceStore* evidence, int limit,
                    EGameKeeping games = EGameKeeping::Kept);

    void ImportGame(const TCornerGame& game);
    // Writes the gathered counts and games (one transaction).
    void Flush();
    TCornerImportSummary& Summary() { return summary_; }

    // Every game of the files; counts flushed every few thousand games and at
    // the end. progress (files done of the files, the file at hand) is told
    // before each file and between its games; a stop asked there ends the
    // import after a flush, so the moves and counts of every game entered
    // are kept (summary.cancelled). A malformed SGF file is passed over and
    // listed in the summary's failures; the games before and after it keep
    // their moves and counts.
    void ImportFiles(const std::vector<std::string>& files, IProgress* progress = nullptr);

private:
    // Enters one move (tenuki as {0, 0}); false (counted as a cut) when it
    // cannot be entered.
    bool EnterMove(TPoint point);

    TNavigation& nav_;
    bool lastAdded_ = false;  // the last move entered made a new record
    TEvidenceStore* evidence_;
    std::unique_ptr<TGameStore> games_;
    int limit_;
    TCornerImportSummary summary_;
};

}  // namespace vxlo
