#pragma once
// One row of vxlo-tool's command table and what its handler is given. Each
// command is a file of this folder: it declares its options and operands on
// its CLI11 subcommand and returns the handler that runs once they are parsed.
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "core/Message.h"
#include "navigation/Navigation.h"

namespace vxlo {

// Wrong operands or option values: the tool prints the text with the
// command's usage and exits with 2.
class EUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What a handler writes to and works with; nav has no dictionary open.
struct TToolContext {
    TNavigation& nav;
    std::ostream& out;
    std::ostream& err;
    const ITranslator* translator = nullptr;  // the core's messages in the user's language
    std::string settingsPath;                 // the VXLO.INI the review reads (empty: none)
};

// The exit status: 0 done, 1 failed. File errors propagate as exceptions.
using TCommandRun = std::function<int(TToolContext&)>;
// Declares the command's options on its subcommand; the handler reads the
// values they were parsed into.
using TCommandSetUp = TCommandRun (*)(CLI::App& command);

struct TCommandRow {
    const char* name;
    const char* usage;  // its lines of the usage text: synopsis, then what it does
    TCommandSetUp setUp;
};

// Every command, in the order the usage lists them.
const std::vector<TCommandRow>& CommandTable();

// The usage text: "usage:" and the lines of every command and the closing
// lines, or with command only that command's lines.
std::string UsageText(const TCommandRow* command = nullptr);

// The operands of a command: every argument that is not an option, in order.
void AddOperands(CLI::App& command, std::vector<std::string>& operands);

// The options of a command that takes only --json besides its operands.
struct TJsonOperands {
    bool json = false;
    std::vector<std::string> operands;
};
std::shared_ptr<TJsonOperands> AddJsonAndOperands(CLI::App& command);

// text as one line of err: a core message may hold line breaks.
std::string OneLine(std::string text);

// An integer option value by the core's rule; a bad one is a usage error in
// the translator's language.
int IntegerValue(const std::string& text, const ITranslator* translator);

}  // namespace vxlo
