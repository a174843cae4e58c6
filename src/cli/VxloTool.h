#pragma once
// The command-line front end: import, merge and dump on the same core as the
// window. Messages the window would show in boxes go to err, one line each.
#include <ostream>
#include <string>
#include <vector>

#include "core/Message.h"

namespace vxlo {

// args without the program name. Exit status: 0 when the command ran to its
// end (refusals included), 1 when an error ended it, 2 for a usage error.
// The core's messages are shown in the translator's language (Japanese
// without one); the tool's own texts are English in every language.
// settingsPath: the VXLO.INI the review takes its engine from (empty: none).
int RunVxloTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const ITranslator* translator = nullptr, const std::string& settingsPath = {});

}  // namespace vxlo
