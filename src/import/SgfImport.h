#pragma once
// Import of SGF game records: the main line of every game of the file enters
// the open dictionary from the empty board through the same pair of Deside
// calls as an IG1 record, new moves added, known ones followed.
#include <string>

#include "core/Progress.h"
#include "navigation/Navigation.h"

namespace vxlo {

struct TSgfImportResult {
    int games = 0;             // game trees in the file
    int gamesImported = 0;
    int skippedSetup = 0;      // AB/AW/AE in the root: not the empty board
    int skippedSize = 0;       // SZ other than 19
    int movesEntered = 0;      // all games together
    bool cancelled = false;    // stopped between two games; those before are kept
};

// True when the name ends in ".sgf" (any case).
bool HasSgfExtension(const std::string& fileName);

// Reads the whole file first (a malformed file changes nothing and raises
// ESgfError), then imports game by game with ProgressMode 1. Each game stops
// after moveLimit moves (at most the path's 400), at a pass, at a setup node,
// at a point off the board, at an illegal move, or where a move can be
// neither added nor followed (a full candidate list). The board ends where
// the last game's import ended. progress is told before each game (games
// of the file); a stop asked there ends the import with the games before.
TSgfImportResult ImportSgfGames(TNavigation& nav, const std::string& file, int moveLimit,
                                IProgress* progress = nullptr);

// ReadInput's entry for ".SGF" files.
void ReadSgfGames(TNavigation& nav, const std::string& file, int moveLimit);

}  // namespace vxlo
