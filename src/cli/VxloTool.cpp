#include "cli/VxloTool.h"

#include <algorithm>
#include <memory>

#include <CLI/CLI.hpp>

#include "cli/commands/Command.h"
#include "core/VxloError.h"

namespace vxlo {

namespace {

class TLineMessages final : public IMessageSink {
public:
    TLineMessages(std::ostream& err, const ITranslator* translator) : err_(err), translator_(translator) {}
    void ShowMessage(const TMessage& message) override { err_ << OneLine(message.Text(translator_)) << '\n'; }

private:
    std::ostream& err_;
    const ITranslator* translator_;
};

// The command CLI11 parsed; none before a command was named.
const TCommandRow* Chosen(CLI::App& app) {
    const std::vector<CLI::App*> chosen = app.get_subcommands();
    if (chosen.empty()) return nullptr;
    for (const TCommandRow& row : CommandTable()) {
        if (chosen.front()->get_name() == row.name) return &row;
    }
    return nullptr;
}

// The first line of what a command does, as CLI11 describes it.
std::string Summary(const TCommandRow& row) {
    const std::string usage = row.usage;
    const std::size_t second = usage.find('\n');
    const std::size_t end = usage.find('\n', second + 1);
    std::string line = usage.substr(second + 1, end - second - 1);
    return line.substr(std::min(line.find_first_not_of(' '), line.size()));
}

}  // namespace

int RunVxloTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const ITranslator* translator, const std::string& settingsPath) {
    CLI::App app("the joseki dictionary without its window", "vxlo-tool");
    app.require_subcommand(1);
    // The usage is the table's text, for the tool and for each command.
    app.formatter_fn([](const CLI::App*, const std::string&, CLI::AppFormatMode) { return UsageText(); });
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    std::vector<std::pair<CLI::App*, TCommandRun>> runs;
    for (const TCommandRow& row : CommandTable()) {
        CLI::App* command = app.add_subcommand(row.name, Summary(row));
        command->formatter_fn(
            [&row](const CLI::App*, const std::string&, CLI::AppFormatMode) { return UsageText(&row); });
        runs.emplace_back(command, row.setUp(*command));
    }
    const bool known = args.empty() || args[0].rfind("-", 0) == 0 ||
                       std::any_of(CommandTable().begin(), CommandTable().end(),
                                   [&](const TCommandRow& row) { return args[0] == row.name; });
    if (!known) {
        err << "vxlo-tool: unknown command " << args[0] << '\n' << UsageText();
        return 2;
    }
    // CLI11 takes the arguments last first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return 0;
    } catch (const CLI::ParseError& e) {
        err << "vxlo-tool: " << e.what() << '\n' << UsageText(Chosen(app));
        return 2;
    }
    TNullView view;
    TLineMessages messages(err, translator);
    TNullCommentStore comments;
    TNullMenuState menus;
    TNavigation nav(view, messages, comments, menus);
    TToolContext context{nav, out, err, translator, settingsPath};
    try {
        for (auto& [command, run] : runs) {
            if (!command->parsed()) continue;
            const int status = run(context);
            out.flush();
            return status;
        }
        return 2;
    } catch (const EUsage& e) {
        err << "vxlo-tool: " << e.what() << '\n' << UsageText(Chosen(app));
        return 2;
    } catch (const std::exception& e) {
        err << OneLine(ErrorDisplayText(e, translator)) << '\n';
        return 1;
    }
}

}  // namespace vxlo
