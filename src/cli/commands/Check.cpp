#include <cerrno>
#include <filesystem>
#include <memory>

#include "cli/CornerCommands.h"
#include "cli/commands/Commands.h"
#include "core/VxloError.h"
#include "dictionary/Check.h"
#include "dictionary/RecordFile.h"

namespace vxlo {

const char* const kCheckUsage =
    "  vxlo-tool check [--repair] DICTIONARY\n"
    "      reads the whole tree and lists what is wrong, with record numbers;\n"
    "      exit status 0 when sound, 1 when not (notes, such as a position of more\n"
    "      than 30 continuations, are not problems); --repair unlinks every tenuki\n"
    "      that follows a tenuki and has nothing below it, with its counts\n";

namespace {

void Repair(const std::string& dictionary, std::ostream& out) {
    // A repair writes: the exclusive lock, and never a new file.
    std::error_code ec;
    if (!std::filesystem::exists(dictionary, ec)) throw EInOutError(ENOENT, dictionary);
    TRecordFile file(dictionary, TRecordFile::Mode::ReadWriteCreate);
    const std::vector<std::int64_t> unlinked = RepairTenukiAfterTenuki(file, CheckDictionary(file));
    RemoveEvidenceOf(dictionary, unlinked);
    for (const std::int64_t rec : unlinked) out << "record " << rec << ": unlinked\n";
    file.Close();
}

// 0 when the tree is sound, 1 when it is not.
int Check(const std::string& dictionary, std::ostream& out) {
    TRecordFile file(dictionary, TRecordFile::Mode::ReadShared);
    const TCheckReport report = CheckDictionary(file);
    for (const TCheckFinding& finding : report.findings) out << finding.text << '\n';
    for (const TCheckFinding& note : report.notes) out << note.text << '\n';
    out << report.records << " records, " << report.reachable << " reachable, " << report.unreachable
        << " unreachable, " << report.findings.size() << " problems";
    if (!report.notes.empty()) out << ", " << report.notes.size() << " notes";
    out << '\n';
    return report.Sound() ? 0 : 1;
}

}  // namespace

TCommandRun SetUpCheck(CLI::App& command) {
    struct TOptions {
        bool repair = false;
        std::vector<std::string> operands;
    };
    auto o = std::make_shared<TOptions>();
    command.add_flag("--repair", o->repair, "unlink every tenuki after a tenuki with nothing below it");
    AddOperands(command, o->operands);
    return [o](TToolContext& c) {
        if (o->operands.size() != 1) throw EUsage("check needs DICTIONARY");
        if (o->repair) Repair(o->operands[0], c.out);
        return Check(o->operands[0], c.out);
    };
}

}  // namespace vxlo
