#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <optional>

#include "cli/CornerCommands.h"
#include "cli/commands/Commands.h"
#include "core/VxloError.h"
#include "import/FolderWalk.h"
#include "import/ReadInput.h"
#include "import/SgfImport.h"
#include "import/SgfReader.h"

namespace vxlo {

const char* const kImportUsage =
    "  vxlo-tool import [--limit N] [--recursive] [--mask PATTERN] [--progress] DICTIONARY PATH...\n"
    "      a file is imported up to N moves (default 400); a folder is walked:\n"
    "      every file matching PATTERN (default *.IG1), or with --recursive every\n"
    "      file of its tree; N empty or 0 means 400; --progress prints\n"
    "      \"imported PATH\" on standard output as each file is done\n"
    "  vxlo-tool import --corners [--limit N] [--recursive] DICTIONARY PATH...\n"
    "      every corner's opening sequence of every game (IG1 and SGF files and\n"
    "      folders), brought to the upper-right corner, up to N moves each\n"
    "      (default 30), with the games' counts, results and years; each game\n"
    "      is kept once: a game whose moves are kept already adds nothing\n";

namespace {

struct TImportOptions {
    std::optional<std::string> limitText;
    std::optional<int> limit;
    bool recursive = false;
    bool corners = false;
    bool progress = false;
    std::string mask = "*.IG1";
    std::vector<std::string> operands;
};

TFolderWalkOptions WalkOptions(const TImportOptions& o, const std::string& folder) {
    TFolderWalkOptions options;
    options.folder = folder;
    options.mask = o.mask;
    options.subfolders = o.recursive;
    options.moveLimit = BulkMoveLimit(o.limit ? std::to_string(*o.limit) : "");
    return options;
}

// Every named input is checked before anything is imported, so a typo costs
// no half import and a malformed SGF file named alone makes no dictionary.
void CheckInputs(const TImportOptions& o) {
    for (std::size_t i = 1; i < o.operands.size(); ++i) {
        const std::string& path = o.operands[i];
        std::error_code ec;
        const auto status = std::filesystem::status(path, ec);
        if (status.type() == std::filesystem::file_type::not_found) throw EInOutError(ENOENT, path);
        if (!std::filesystem::is_directory(status)) {
            if (!IsGameRecord(path)) throw EFileRefused(kNotImportableText, path);
            if (HasSgfExtension(path)) static_cast<void>(ReadSgfFile(path));
            continue;
        }
        const std::vector<std::string> files = CollectWalkFiles(WalkOptions(o, path));
        if (std::none_of(files.begin(), files.end(), [](const std::string& f) { return IsGameRecord(f); }))
            throw EFileRefused(kNoImportableFileText, path);
    }
}

// 0 when every named input was imported, 1 when files of a walk failed (the
// summary names them on err).
int Import(const TImportOptions& o, TToolContext& c) {
    TNavigation& nav = c.nav;
    CheckInputs(o);
    nav.OpenFile(o.operands[0]);
    // Each line is written once its file's records are all in the dictionary,
    // so a script (or a test killing the tool) knows what is safely done.
    auto done = [&](const std::string& path) {
        if (o.progress && !path.empty()) c.out << "imported " << path << std::endl;
    };
    TFolderWalkResult failed;
    for (std::size_t i = 1; i < o.operands.size(); ++i) {
        const std::string& path = o.operands[i];
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec)) {
            TFolderWalk walk(nav);
            std::string previous;
            TProgressFunction progress([&](const TProgressStep& step) {
                done(previous);
                previous = step.what;
                return false;
            });
            walk.SetProgress(&progress);
            TFolderWalkResult result = walk.Run(WalkOptions(o, path));
            for (TWalkFailure& f : result.failures) failed.failures.push_back(std::move(f));
        } else {
            ReadInput(nav, path, o.limit.value_or(kMaxPathMoves));
            done(path);
        }
    }
    nav.CloseFile();
    if (failed.failures.empty()) return 0;
    c.err << WalkFailureSummary(failed).Text(c.translator) << '\n';
    return 1;
}

}  // namespace

TCommandRun SetUpImport(CLI::App& command) {
    auto o = std::make_shared<TImportOptions>();
    command.add_option("--limit", o->limitText, "up to N moves a file (a sequence with --corners)");
    command.add_flag("--recursive", o->recursive, "walk the folders' whole trees");
    command.add_flag("--corners", o->corners, "import every corner's opening sequence with its games");
    command.add_flag("--progress", o->progress, "print \"imported PATH\" as each file is done");
    command.add_option("--mask", o->mask, "the files of a folder that are imported");
    AddOperands(command, o->operands);
    return [o](TToolContext& c) {
        if (o->limitText) o->limit = IntegerValue(*o->limitText, c.translator);
        if (o->operands.size() < 2) throw EUsage("import needs DICTIONARY and PATH");
        if (!o->corners) return Import(*o, c);
        const int limit = o->limit.value_or(kDefaultCornerLimit);
        if (limit < 1) throw EUsage("--limit must be at least 1");
        return ImportCorners(c.nav, o->operands[0], {o->operands.begin() + 1, o->operands.end()}, limit,
                             o->recursive, c.out, c.err, c.translator);
    };
}

}  // namespace vxlo
