#include <cerrno>
#include <filesystem>
#include <memory>

#include "cli/commands/Commands.h"
#include "core/VxloError.h"
#include "import/Marge.h"
#include "import/SgfCommentStore.h"
#include "import/SgfMerge.h"
#include "import/SgfReader.h"
#include "companion/MarkupStore.h"

namespace vxlo {

const char* const kMergeUsage =
    "  vxlo-tool merge [--v1] DICTIONARY SOURCE\n"
    "      merges a dictionary file (--v1: of the version-1 format)\n"
    "  vxlo-tool merge --sgf DICTIONARY FILE\n"
    "      merges every variation of the first game of an SGF file, with its\n"
    "      comments (kept where a position has none yet) and label colours\n";

namespace {

struct TMergeOptions {
    bool v1 = false;
    bool sgf = false;
    std::vector<std::string> operands;
};

// The source is read or checked before anything is opened, so a merge that
// fails leaves no new dictionary or store behind.
void MergeSgfFile(const std::string& dictionary, const std::string& source, TToolContext& c) {
    const TSgfCollection sgf = ReadSgfFile(source);
    if (SgfBoardSize(sgf.Node(sgf.GameRoot(0))) != kBoardSize) {
        TSgfMergeResult refused;
        refused.wrongSize = true;
        c.out << OneLine(SgfMergeSummary(refused).Text(c.translator)) << '\n';
        return;
    }
    c.nav.OpenFile(dictionary);
    // The comments are committed before the merge returns; the markup is
    // written after them, in a transaction of its own.
    const TCompanion companion = OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite);
    TMarkupStore markup(companion);
    TSgfCommentStore comments(companion);
    const TSgfMergeResult result = MergeSgf(c.nav, sgf, &comments, &markup);
    markup.Flush();
    const std::string summary = SgfMergeSummary(result).Text(c.translator);
    c.nav.CloseFile();
    c.out << OneLine(summary) << '\n';
}

void MergeDictionary(const TMergeOptions& o, TToolContext& c) {
    const std::string& source = o.operands[1];
    std::error_code ec;
    const auto status = std::filesystem::status(source, ec);
    if (status.type() == std::filesystem::file_type::not_found) throw EInOutError(ENOENT, source);
    if (std::filesystem::is_directory(status)) throw EInOutError(EISDIR, source);
    c.nav.OpenFile(o.operands[0]);
    Marge(c.nav, source, o.v1 ? EMergeFormat::Ver1 : EMergeFormat::Ver4);
    c.nav.CloseFile();
}

}  // namespace

TCommandRun SetUpMerge(CLI::App& command) {
    auto o = std::make_shared<TMergeOptions>();
    command.add_flag("--v1", o->v1, "the source is of the version-1 format");
    command.add_flag("--sgf", o->sgf, "the source is an SGF file");
    AddOperands(command, o->operands);
    return [o](TToolContext& c) {
        if (o->operands.size() != 2) throw EUsage("merge needs DICTIONARY and SOURCE");
        if (o->sgf) {
            MergeSgfFile(o->operands[0], o->operands[1], c);
        } else {
            MergeDictionary(*o, c);
        }
        return 0;
    };
}

}  // namespace vxlo
