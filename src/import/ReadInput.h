#pragma once
// Import of one IG1 game record: its moves enter the open dictionary from the
// empty board through Deside, new moves added, known ones followed.
#include <string>
#include <vector>

#include "core/Message.h"
#include "core/Progress.h"
#include "navigation/Navigation.h"

namespace vxlo {

// A named input that is no game record, and a folder that holds none.
inline constexpr const char* kNotImportableText =
    QT_TRANSLATE_NOOP("vxlo", "取り込める棋譜ファイル（IG1、SGF）ではありません");
inline constexpr const char* kNoImportableFileText =
    QT_TRANSLATE_NOOP("vxlo", "取り込める棋譜ファイルがありません");

// Resets to the root whatever the name, then reads the file when its name
// ends in "IG1" (any case). Stops after moveLimit moves (a stone already on
// the point counts), at an illegal move, or where a move can be neither
// added nor followed (a full candidate list); never past the path's 400
// moves. File errors and a row that is not an integer propagate; what was
// entered stays. Returns the moves entered.
// A name ending in ".sgf" (any case) is imported as SGF instead
// (ImportSgfGames: every game of the file, a malformed file changes nothing;
// progress is told between its games and may stop it there). An IG1 record
// is one game of at most 400 moves: too short to stop.
int ReadInput(TNavigation& nav, const std::string& fileName, int moveLimit, IProgress* progress = nullptr);

// The pair of Deside calls of every game import: adds a new move and follows
// it, or follows a known one; a stone already on the point counts as entered.
// False when the game's import ends here (illegal, a full candidate list, the
// path's 400 moves).
bool EnterGameMove(TNavigation& nav, int x, int y);

// The moves of an IG1 record in order (colours alternate from Black), at most
// the path's 400; a row that is no number raises EConvertError naming the
// file and line.
std::vector<TPoint> ReadIg1Moves(const std::string& fileName);

// True when the last three characters, upper-cased, are "IG1".
bool HasIg1Extension(const std::string& fileName);

// The one rule of what an import takes as a game record: an IG1 or SGF file,
// by the end of its name (any case).
bool IsGameRecord(const std::string& fileName);

}  // namespace vxlo
