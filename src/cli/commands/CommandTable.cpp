#include "cli/commands/Command.h"

#include "cli/commands/Commands.h"
#include "core/VxloError.h"

namespace vxlo {

namespace {

// After every command.
constexpr const char* kUsageEnd =
    "import and merge create DICTIONARY when missing and, like clear-evidence,\n"
    "review and check --repair, refuse it while another program holds it; the\n"
    "other commands only read it (and its comment store), beside other readers.\n"
    "exit status: 0 done, 1 failed (the message names the file), 2 usage\n";

}  // namespace

const std::vector<TCommandRow>& CommandTable() {
    static const std::vector<TCommandRow> table = {
        {"import", kImportUsage, SetUpImport},
        {"clear-evidence", kClearEvidenceUsage, SetUpClearEvidence},
        {"merge", kMergeUsage, SetUpMerge},
        {"export-sgf", kExportSgfUsage, SetUpExportSgf},
        {"check", kCheckUsage, SetUpCheck},
        {"practice-status", kPracticeStatusUsage, SetUpPracticeStatus},
        {"dump", kDumpUsage, SetUpDump},
        {"review", kReviewUsage, SetUpReview},
        {"stats", kStatsUsage, SetUpStats},
        {"games", kGamesUsage, SetUpGames},
        {"path", kPathUsage, SetUpPath},
        {"search", kSearchUsage, SetUpSearch},
        {"find", kFindUsage, SetUpFind},
        {"corner", kCornerUsage, SetUpCorner},
        {"help", kHelpUsage, SetUpHelp},
    };
    return table;
}

std::string UsageText(const TCommandRow* command) {
    std::string text = "usage:\n";
    if (command) return text + command->usage;
    for (const TCommandRow& row : CommandTable()) text += row.usage;
    return text + kUsageEnd;
}

void AddOperands(CLI::App& command, std::vector<std::string>& operands) {
    command.add_option("operands", operands, "DICTIONARY and what the command reads");
}

std::shared_ptr<TJsonOperands> AddJsonAndOperands(CLI::App& command) {
    auto o = std::make_shared<TJsonOperands>();
    command.add_flag("--json", o->json, "answer in JSON");
    AddOperands(command, o->operands);
    return o;
}

std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    return text;
}

int IntegerValue(const std::string& text, const ITranslator* translator) {
    try {
        return StrToInt(text);
    } catch (const EConvertError& e) {
        throw EUsage(e.Message().Text(translator));
    }
}

}  // namespace vxlo
