#include <memory>

#include "cli/Json.h"
#include "cli/commands/Commands.h"
#include "dictionary/RecordFile.h"
#include "practice/PracticeStore.h"
#include "practice/PracticeTree.h"

namespace vxlo {

const char* const kPracticeStatusUsage =
    "  vxlo-tool practice-status [--white] [--json] DICTIONARY\n"
    "      positions of the whole tree where Black (--white: White) answers,\n"
    "      how many are due today, practised so far, and their lapses\n";

namespace {

struct TPracticeOptions {
    bool white = false;
    bool json = false;
    std::vector<std::string> operands;
};

// Counts with the label colours that count by default: the tool reads no
// settings file, so its answer does not depend on who runs it.
void PracticeStatus(const TPracticeOptions& o, std::ostream& out) {
    // Read only, no lock: the window may be practising the same dictionary.
    TRecordFile file(o.operands[0], TRecordFile::Mode::ReadOnly);
    const TPracticeStore store(OpenCompanion(o.operands[0], TCompanionDatabase::EAccess::ReadOnly));
    const TStorePracticeTree tree(file);
    const int user = o.white ? White : Black;
    const TPositionCounts c = CountPositions(tree, store, TPracticeSettings{}, {0, Black, user},
                                             TSystemPracticeClock().Today());
    const char* color = o.white ? "white" : "black";
    if (o.json) {
        TJson answer;
        answer["color"] = color;
        answer["positions"] = c.total;
        answer["due"] = c.due;
        answer["practised"] = c.practised;
        answer["lapses"] = c.lapses;
        out << JsonText(answer) << '\n';
    } else {
        out << c.total << " positions for " << color << ", " << c.due << " due, " << c.practised << " practised, "
            << c.lapses << " lapses\n";
    }
}

}  // namespace

TCommandRun SetUpPracticeStatus(CLI::App& command) {
    auto o = std::make_shared<TPracticeOptions>();
    command.add_flag("--white", o->white, "the positions where White answers");
    command.add_flag("--json", o->json, "answer in JSON");
    AddOperands(command, o->operands);
    return [o](TToolContext& c) {
        if (o->operands.size() != 1) throw EUsage("practice-status needs DICTIONARY");
        PracticeStatus(*o, c.out);
        return 0;
    };
}

}  // namespace vxlo
