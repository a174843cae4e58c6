#pragma once
// The tool's commands for finding one's way in a dictionary: path, search
// and find, each with a plain and a --json answer.
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace vxlo {

extern const char* const kFindUsage;

// Wrong operands: the tool prints the text with its usage and exits with 2.
class EFindUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool IsFindCommand(const std::string& command);

// Runs path, search or find on operands (options taken off). File and
// lookup errors propagate as EVxloError.
void RunFindCommand(const std::string& command, const std::vector<std::string>& operands, bool json,
                    std::ostream& out);

}  // namespace vxlo
