#include <cerrno>
#include <filesystem>
#include <memory>
#include <optional>

#include "cli/Json.h"
#include "cli/commands/Commands.h"
#include "core/VxloError.h"
#include "dictionary/MoveText.h"
#include "dictionary/RecordFile.h"
#include "dictionary/Tejun.h"
#include "engine/EngineProcess.h"
#include "settings/EngineSettings.h"
#include "companion/EngineReviewStore.h"
#include "companion/ReviewRun.h"

namespace vxlo {

const char* const kReviewUsage =
    "  vxlo-tool review [--visits N] [--depth D] [--engine COMMAND] [--json] DICTIONARY [MOVE...]\n"
    "      the analysis engine's figures for the position after the MOVEs and\n"
    "      the lines below it to depth D (default 0: the position alone), kept\n"
    "      beside the dictionary; positions reviewed with N visits or more are\n"
    "      passed over, so a stopped review goes on where it was. The engine\n"
    "      and N (default 200) come from [Engine] of VXLO.INI when not given\n";

namespace {

struct TReviewOptions {
    std::optional<std::string> visits;
    std::optional<std::string> depth;
    std::optional<std::string> engine;
    bool json = false;
    std::vector<std::string> operands;
};

int Count(const std::string& name, const std::string& text, int low, int high) {
    try {
        const int n = StrToInt(text);
        if (n >= low && n <= high) return n;
    } catch (const EConvertError&) {
    }
    throw EUsage(name + " needs a number from " + std::to_string(low) + " to " + std::to_string(high));
}

std::vector<TPoint> ParseLine(const std::vector<std::string>& texts) {
    std::vector<TPoint> line;
    for (std::size_t i = 1; i < texts.size(); ++i) {
        const std::optional<TPoint> move = ParseMove(texts[i]);
        if (!move) throw EUsage("a move is x,y or pass: " + texts[i]);
        line.push_back(*move);
    }
    return line;
}

std::vector<std::string> EngineCommand(const std::optional<std::string>& given, const std::string& fromIni) {
    std::vector<std::string> command;
    try {
        command = SplitCommandLine(given.value_or(fromIni));
    } catch (const EVxloError& e) {
        throw EUsage("--engine: " + e.Message().Text());
    }
    if (command.empty()) throw EUsage("no engine: give --engine COMMAND or Command in [Engine] of VXLO.INI");
    return command;
}

void Review(const TReviewOptions& o, TToolContext& c) {
    const int visits = o.visits ? Count("--visits", *o.visits, 1, kMaxEngineVisits) : 0;
    const int depth = o.depth ? Count("--depth", *o.depth, 0, kMaxPathMoves) : 0;
    if (o.operands.empty()) throw EUsage("review needs DICTIONARY");
    const TEngineIniSettings ini =
        c.settingsPath.empty() ? TEngineIniSettings{} : ReadEngineSettings(TIniFile(c.settingsPath));
    const std::vector<std::string> command = EngineCommand(o.engine, ini.command);
    const std::vector<TPoint> line = ParseLine(o.operands);
    const std::string& dictionary = o.operands[0];
    // A writer of the store: the dictionary's exclusive lock, and never a new dictionary.
    std::error_code ec;
    if (!std::filesystem::exists(dictionary, ec)) throw EInOutError(ENOENT, dictionary);
    TRecordFile file(dictionary, TRecordFile::Mode::ReadWriteCreate);
    const int start = FindLine(file, line);
    const std::vector<TReviewPosition> all = PositionsBelow(file, start, line, depth);

    TEngineSettings settings;
    settings.command = command;
    settings.visits = o.visits ? visits : ini.visits;
    settings.rules = ini.rules;
    settings.komi = ini.komi;
    // Readers make no file: only a review with something to store does.
    const TCompanion companion = OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite);
    TEngineReviewStore store(companion);
    std::vector<TReviewPosition> todo;
    for (const TReviewPosition& p : all) {
        if (!ReviewedEnough(store.Get(p.rec), p, settings.visits)) todo.push_back(p);
    }
    const int skipped = static_cast<int>(all.size() - todo.size());
    TEngineClient client(settings);
    TReviewRun run(client, store, std::move(todo), IdentityOf(command));
    try {
        while (run.Step()) c.err << "reviewed " << run.Done() << " of " << run.Total() << " positions" << std::endl;
    } catch (const EVxloError&) {
        c.err << "kept before the error: " << run.Stored() << " positions reviewed" << std::endl;
        throw;
    }
    file.Close();
    if (o.json) {
        TJson answer;
        answer["positions"] = all.size();
        answer["reviewed"] = run.Stored();
        answer["skipped"] = skipped;
        answer["visits"] = settings.visits;
        answer["engine"] = JoinCommandLine(command);
        c.out << JsonText(answer) << '\n';
    } else {
        c.out << "positions " << all.size() << ": reviewed " << run.Stored() << ", skipped " << skipped
              << " (reviewed before with " << settings.visits << " visits or more)\n";
    }
}

}  // namespace

TCommandRun SetUpReview(CLI::App& command) {
    auto o = std::make_shared<TReviewOptions>();
    command.add_option("--visits", o->visits, "the engine's visits a position");
    command.add_option("--depth", o->depth, "the moves below the position reviewed too");
    command.add_option("--engine", o->engine, "the engine's command line");
    command.add_flag("--json", o->json, "answer in JSON");
    AddOperands(command, o->operands);
    return [o](TToolContext& c) {
        Review(*o, c);
        return 0;
    };
}

}  // namespace vxlo
