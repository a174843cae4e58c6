#include <memory>
#include <optional>

#include "cli/ReviewCommand.h"
#include "cli/commands/Commands.h"
#include "dictionary/RecordFile.h"
#include "import/SgfCommentStore.h"
#include "import/SgfExport.h"
#include "companion/MarkupStore.h"
#include "settings/LabelNames.h"

namespace vxlo {

const char* const kExportSgfUsage =
    "  vxlo-tool export-sgf [--force] [--engine-comments] DICTIONARY FILE\n"
    "      writes the whole tree as one SGF game, with labels and comments\n"
    "      (a coloured move's comment opens with its colour's name, as set in\n"
    "      the settings file);\n"
    "      (--engine-comments: and the engine's figures of a review);\n"
    "      never over the dictionary or its comment store, and over an existing\n"
    "      file that is not SGF only with --force\n";

namespace {

struct TExportOptions {
    bool force = false;
    bool engineComments = false;
    std::vector<std::string> operands;
};

// The names the window shows, from the settings file the window writes.
TSgfColorNames ColorNames(const TToolContext& c) {
    const TLabelNames names = c.settingsPath.empty() ? TLabelNames{} : ReadLabelNames(TIniFile(c.settingsPath));
    return names.Texts(c.translator);
}

void ExportSgfFile(const TExportOptions& o, const TSgfColorNames& colorNames, std::ostream& out) {
    // Read only, beside other readers; a writer excludes it.
    TRecordFile dictionary(o.operands[0], TRecordFile::Mode::ReadShared);
    const TCompanion companion = OpenCompanion(o.operands[0], TCompanionDatabase::EAccess::ReadOnly);
    TSgfCommentStore comments(companion, TSgfCommentStore::EAccess::ReadOnly);
    TMarkupStore markup(companion);
    TEngineReviewStore reviews(companion);
    std::optional<TEngineSgfComments> withEngine;
    if (o.engineComments) withEngine.emplace(&comments, reviews, dictionary);
    ISgfComments* const texts = withEngine ? static_cast<ISgfComments*>(&*withEngine) : &comments;
    const TSgfExportResult r = ExportSgf(dictionary, o.operands[1], texts, &markup,
                                         o.force ? EExportOverwrite::Force : EExportOverwrite::OnlySgf, nullptr,
                                         &colorNames);
    out << r.nodes << " moves written";
    if (r.tenuki > 0) out << " (" << r.tenuki << " tenuki)";
    if (r.skippedPoints + r.skippedLoops + r.brokenLinks > 0) {
        out << "; left out: " << r.skippedPoints << " off the board, " << r.skippedLoops << " reached twice, "
            << r.brokenLinks << " links past the end";
    }
    out << '\n';
}

}  // namespace

TCommandRun SetUpExportSgf(CLI::App& command) {
    auto o = std::make_shared<TExportOptions>();
    command.add_flag("--force", o->force, "write over an existing file that is not SGF");
    command.add_flag("--engine-comments", o->engineComments, "add the engine's figures of a review");
    AddOperands(command, o->operands);
    return [o](TToolContext& c) {
        if (o->operands.size() != 2) throw EUsage("export-sgf needs DICTIONARY and FILE");
        ExportSgfFile(*o, ColorNames(c), c.out);
        return 0;
    };
}

}  // namespace vxlo
