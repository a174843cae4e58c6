#pragma once
// Bulk import: every file of a folder (and, with subfolders, of its whole
// tree) handed to ReadInput, depth-first in the file system's own order.
#include <functional>
#include <string>
#include <vector>

#include "core/Message.h"
#include "core/Progress.h"
#include "navigation/Navigation.h"

namespace vxlo {

// The limit typed for a bulk import: empty or 0 means 400, above 400 is
// capped at 400, a negative limit stands. A text that is not an integer
// raises the conversion error.
int BulkMoveLimit(const std::string& text);

// Wildcard match as the folder search does it: "*" and "?", letters compared
// without case; "*.*" matches every name, with or without a dot.
bool MatchesMask(const std::string& name, const std::string& mask);

struct TFolderWalkOptions {
    std::string folder;
    std::string mask = "*.IG1";   // used only without subfolders and game records
    bool subfolders = false;
    bool gameRecords = false;     // take the game records (IsGameRecord) of every folder walked

    int moveLimit = kMaxPathMoves;
};

// A file the walk passed over, and why.
struct TWalkFailure {
    std::string file;
    TMessage reason;
};

struct TFolderWalkResult {
    int filesFound = 0;
    int filesDone = 0;
    bool cancelled = false;
    std::vector<TWalkFailure> failures;  // malformed SGF files, in walk order
};

// The one report of the files an import passed over; empty when there are none.
TMessage WalkFailureSummary(const std::vector<TWalkFailure>& failures);
inline TMessage WalkFailureSummary(const TFolderWalkResult& result) { return WalkFailureSummary(result.failures); }

// The report of a walk that was cancelled: the files it imported.
TMessage WalkCancelledSummary(const TFolderWalkResult& result);

// A folder or regular file of a folder, links followed; device and inode
// tell a folder reached twice.
struct TFolderEntry {
    std::string name;
    bool folder = false;
    unsigned long long device = 0;
    unsigned long long inode = 0;
};

// The folders and regular files of folder in the file system's order: no
// "." or "..", no devices, FIFOs or dangling links; empty when the folder
// cannot be listed.
std::vector<TFolderEntry> ListFolder(const std::string& folder);

// The files of a walk in the order they are imported, full paths.
// Folders whose name begins with "." are not entered, a folder that cannot
// be listed is skipped, a folder reached twice (a link loop) is walked once;
// only regular files are taken.
std::vector<std::string> CollectWalkFiles(const TFolderWalkOptions& options);

class TFolderWalk {
public:
    explicit TFolderWalk(TNavigation& nav) : nav_(nav) {}
    // Told before each file (filesDone of filesFound, its path), where a stop
    // asked ends the walk (result.cancelled), and once at the end with an
    // empty name. May be null.
    void SetProgress(IProgress* progress) { progress_ = progress; }

    // An illegal move ends only its file's import; a malformed SGF file is
    // counted in failures and the walk goes on with the next file; a file
    // error or a row that is not an integer ends the walk (the error
    // propagates), the files imported before keep their records.
    TFolderWalkResult Run(const TFolderWalkOptions& options);

private:
    TNavigation& nav_;
    IProgress* progress_ = nullptr;
};

}  // namespace vxlo
