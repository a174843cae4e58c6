#pragma once
// The tool's commands for finding one's way in a dictionary: path, search
// find and corner, each with a plain and a --json answer.
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/Message.h"

namespace vxlo {

extern const char* const kFindUsage;

// Wrong operands: the tool prints the text with its usage and exits with 2.
class EFindUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool IsFindCommand(const std::string& command);

struct TFindOptions {
    bool json = false;
    std::optional<int> limit;  // corner: up to this move of the game
    const ITranslator* translator = nullptr;  // for the core's messages
};

// Runs path, search, find or corner on operands (options taken off). File
// and lookup errors propagate as EVxloError.
void RunFindCommand(const std::string& command, const std::vector<std::string>& operands,
                    const TFindOptions& options, std::ostream& out);

}  // namespace vxlo
