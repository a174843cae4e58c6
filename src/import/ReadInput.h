#pragma once
// Import of one IG1 game record: its moves enter the open dictionary from the
// empty board through Deside, new moves added, known ones followed.
#include <string>

#include "mainwindow/Navigation.h"

namespace vxlo {

// Resets to the root whatever the name, then reads the file when its name
// ends in "IG1" (any case). Stops after moveLimit moves (a stone already on
// the point counts), at an illegal move, or where a move can be neither
// added nor followed (a full candidate list); never past the path's 400
// moves. File errors and a row that is not an integer propagate; what was
// entered stays. Returns the moves entered.
// A name ending in ".sgf" (any case) is imported as SGF instead
// (ImportSgfGames: every game of the file, a malformed file changes nothing).
int ReadInput(TNavigation& nav, const std::string& fileName, int moveLimit);

// True when the last three characters, upper-cased, are "IG1".
bool HasIg1Extension(const std::string& fileName);

}  // namespace vxlo
