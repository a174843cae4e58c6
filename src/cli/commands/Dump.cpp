#include <memory>

#include "cli/commands/Commands.h"
#include "dictionary/RecordFile.h"

namespace vxlo {

const char* const kDumpUsage =
    "  vxlo-tool dump DICTIONARY\n"
    "      one line per record: N X Y Color Aux Next More\n";

TCommandRun SetUpDump(CLI::App& command) {
    auto operands = std::make_shared<std::vector<std::string>>();
    AddOperands(command, *operands);
    return [operands](TToolContext& c) {
        if (operands->size() != 1) throw EUsage("dump needs DICTIONARY");
        TRecordFile file((*operands)[0], TRecordFile::Mode::ReadShared);
        const std::int64_t count = file.RecordCount();
        for (std::int64_t n = 0; n < count; ++n) {
            const TJskRecord r = DecodeRecord(file.Read(n));
            c.out << n << ' ' << int{r.X} << ' ' << int{r.Y} << ' ' << int{r.Color} << ' ' << int{r.Aux} << ' '
                  << r.Next << ' ' << r.More;
            // Record 0 is the placeholder; any other (0, 0) is a tenuki move.
            if (n > 0 && IsTenuki(r.X, r.Y)) c.out << " tenuki";
            c.out << '\n';
        }
        return 0;
    };
}

}  // namespace vxlo
