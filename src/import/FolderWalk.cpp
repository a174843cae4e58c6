#include "import/FolderWalk.h"

#include <cctype>
#include <dirent.h>
#include <set>
#include <sys/stat.h>
#include <utility>

#include "core/VxloError.h"
#include "import/ReadInput.h"
#include "import/SgfReader.h"

namespace vxlo {

namespace {

char Fold(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

class TCollector {
public:
    explicit TCollector(const TFolderWalkOptions& options) : options_(options) {}

    std::vector<std::string> Run() {
        std::string folder = options_.folder.empty() ? "." : options_.folder;
        if (folder.back() != '/') folder += '/';
        struct stat st {};
        if (::stat(folder.c_str(), &st) == 0) visited_.insert({st.st_dev, st.st_ino});
        Walk(folder);
        return std::move(files_);
    }

private:
    // The folder path ends in "/". Recursion depth is bounded by the length
    // of a path, and no folder stays open while its subfolders are walked.
    void Walk(const std::string& folder) {
        for (const TFolderEntry& entry : ListFolder(folder)) {
            if (!Takes(entry.name) && !(options_.subfolders && entry.folder)) continue;
            if (entry.folder) {
                if (options_.subfolders && entry.name[0] != '.' && visited_.insert({entry.device, entry.inode}).second)
                    Walk(folder + entry.name + "/");
            } else {
                files_.push_back(folder + entry.name);
            }
        }
    }

    bool Takes(const std::string& name) const {
        if (options_.gameRecords) return IsGameRecord(name);
        return options_.subfolders || MatchesMask(name, options_.mask);
    }

    const TFolderWalkOptions& options_;
    std::set<std::pair<unsigned long long, unsigned long long>> visited_;
    std::vector<std::string> files_;
};

}  // namespace

std::vector<TFolderEntry> ListFolder(const std::string& folder) {
    std::vector<TFolderEntry> entries;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return entries;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        struct stat st {};
        // A dangling link or an entry gone meanwhile is no file to read;
        // devices and FIFOs are left out: reading one could block forever.
        if (::stat((prefix + name).c_str(), &st) != 0) continue;
        if (!S_ISDIR(st.st_mode) && !S_ISREG(st.st_mode)) continue;
        entries.push_back({name, S_ISDIR(st.st_mode), static_cast<unsigned long long>(st.st_dev),
                           static_cast<unsigned long long>(st.st_ino)});
    }
    ::closedir(dir);
    return entries;
}

int BulkMoveLimit(const std::string& text) {
    int limit = text.empty() ? 0 : StrToInt(text);
    if (limit == 0 || limit > kMaxPathMoves) limit = kMaxPathMoves;
    return limit;
}

bool MatchesMask(const std::string& name, const std::string& mask) {
    if (mask == "*.*" || mask == "*") return true;
    // Greedy match with one backtrack point: the last "*" seen.
    std::size_t n = 0, m = 0;
    std::size_t starMask = std::string::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && (mask[m] == '?' || Fold(mask[m]) == Fold(name[n]))) {
            ++n;
            ++m;
        } else if (starMask != std::string::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

std::vector<std::string> CollectWalkFiles(const TFolderWalkOptions& options) {
    return TCollector(options).Run();
}

TMessage WalkFailureSummary(const std::vector<TWalkFailure>& failures) {
    if (failures.empty()) return {};
    TMessage text(QT_TRANSLATE_NOOP("vxlo", "取り込めなかったファイル: %1"));
    text.Arg(failures.size());
    for (const TWalkFailure& f : failures) {
        text.Then(TMessage::Literal("\n" + f.file + ": ")).Then(f.reason);
    }
    return text;
}

TMessage WalkCancelledSummary(const TFolderWalkResult& result) {
    return CancelledSummary(TMessage(QT_TRANSLATE_NOOP("vxlo", "取り込んだファイル: %1 / %2"))
                                .Arg(result.filesDone)
                                .Arg(result.filesFound));
}

TFolderWalkResult TFolderWalk::Run(const TFolderWalkOptions& options) {
    const std::vector<std::string> files = CollectWalkFiles(options);
    TFolderWalkResult result;
    result.filesFound = static_cast<int>(files.size());
    for (const std::string& file : files) {
        if (StopAsked(progress_, result.filesDone, result.filesFound, file)) {
            result.cancelled = true;
            break;
        }
        try {
            ReadInput(nav_, file, options.moveLimit);
        } catch (const ESgfError& error) {
            // Read whole before anything changed: the dictionary has none of it.
            result.failures.push_back({file, error.Message()});
        }
        ++result.filesDone;
    }
    if (!result.cancelled) StopAsked(progress_, result.filesDone, result.filesFound);
    return result;
}

}  // namespace vxlo
