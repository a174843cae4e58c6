#pragma once
// vxlo-tool's corner-sequence commands: import --corners, stats and
// clear-evidence. The dictionary is given open in nav.
#include <ostream>
#include <string>
#include <vector>

#include "navigation/Navigation.h"
#include "import/CornerImport.h"
#include "companion/GameStore.h"

namespace vxlo {

// Imports the games of every PATH (IG1 and SGF files; folders walked, their
// subfolders with recursive) as corner sequences with evidence; prints the
// one-line summary on out and the malformed files passed over on err. 0 when
// every file was read, 1 when some were passed over. When a write fails, err
// says what the dictionary kept before the error goes on.
// games: whether the games behind the counts are kept (off only for the
// benchmark's comparison).
int ImportCorners(TNavigation& nav, const std::string& dictionary,
                  const std::vector<std::string>& paths, int limit, bool recursive,
                  std::ostream& out, std::ostream& err, const ITranslator* translator = nullptr,
                  EGameKeeping games = EGameKeeping::Kept);

// Opens the dictionary read-only under a shared lock and follows moves
// ("x,y" or "pass"); the record reached. A move the dictionary lacks is an
// error naming the dictionary.
int OpenAtPosition(TNavigation& nav, const std::string& dictionary, const std::vector<std::string>& moves);

// The position after moves and its candidates with their evidence, as one
// JSON object (json) or a line each. Without a filter and without kept
// games the answer is the evidence alone, as before games were kept; with
// kept games each also has its wins by the games' real colours and its
// games by year, and with a filter every figure counts the games it lets
// through. Counts that have no games behind them are said so. Only reads,
// under a shared lock: it works beside other readers and on read-only files.
void PrintStats(TNavigation& nav, const std::string& dictionary, const std::vector<std::string>& moves,
                const TGameFilter& filter, bool json, std::ostream& out);

// Removes every evidence count and kept game of the dictionary, in one
// transaction under its exclusive lock;
// a dictionary that does not exist or that another program holds is an error
// naming it, and nothing is changed.
void ClearEvidence(const std::string& dictionary, std::ostream& out);

// Removes the counts of records taken out of the tree (a repair).
void RemoveEvidenceOf(const std::string& dictionary, const std::vector<std::int64_t>& records);

}  // namespace vxlo
