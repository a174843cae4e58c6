#pragma once
// vxlo-tool's commands over the kept games: `games`, the games behind a
// position, and `stats`, the counts of a position and its candidates, both
// with the games' filters (--from, --to, --player, --event).
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "navigation/Navigation.h"

namespace vxlo {

extern const char* const kGamesUsage;

// Wrong operands or options: the tool prints the text with its usage and
// exits with 2.
class EGamesUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool IsGamesCommand(const std::string& command);

// Runs games or stats on the arguments after the command's name. File and
// lookup errors propagate as EVxloError.
void RunGamesCommand(TNavigation& nav, const std::string& command, const std::vector<std::string>& args,
                     std::ostream& out);

}  // namespace vxlo
