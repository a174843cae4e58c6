#include "cli/ReviewCommand.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "cli/Json.h"
#include "core/VxloError.h"
#include "dictionary/MoveText.h"
#include "dictionary/Tejun.h"
#include "engine/EngineMoves.h"
#include "engine/EngineProcess.h"
#include "settings/EngineSettings.h"
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

class TReviewUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TReviewOptions {
    std::optional<int> visits;
    int depth = 0;
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
    throw TReviewUsage(name + " needs a number from " + std::to_string(low) + " to " + std::to_string(high));
}

TReviewOptions Parse(const std::vector<std::string>& args) {
    TReviewOptions o;
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnd || a.size() < 2 || a.compare(0, 2, "--") != 0) {
            o.operands.push_back(a);
            continue;
        }
        const auto value = [&](const std::string& name) -> std::optional<std::string> {
            if (a == name) {
                if (i + 1 >= args.size()) throw TReviewUsage(name + " needs a value");
                return args[++i];
            }
            if (a.compare(0, name.size() + 1, name + "=") == 0) return a.substr(name.size() + 1);
            return std::nullopt;
        };
        if (a == "--") {
            optionsEnd = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (const auto v = value("--visits")) {
            o.visits = Count("--visits", *v, 1, kMaxEngineVisits);
        } else if (const auto d = value("--depth")) {
            o.depth = Count("--depth", *d, 0, kMaxPathMoves);
        } else if (const auto e = value("--engine")) {
            o.engine = *e;
        } else {
            throw TReviewUsage("unknown option " + a);
        }
    }
    if (o.operands.empty()) throw TReviewUsage("review needs DICTIONARY");
    return o;
}

std::vector<TPoint> ParseLine(const std::vector<std::string>& texts) {
    std::vector<TPoint> line;
    for (std::size_t i = 1; i < texts.size(); ++i) {
        const std::optional<TPoint> move = ParseMove(texts[i]);
        if (!move) throw TReviewUsage("a move is x,y or pass: " + texts[i]);
        line.push_back(*move);
    }
    return line;
}

void Review(const TReviewOptions& o, const std::string& settingsPath, std::ostream& out, std::ostream& err) {
    const TEngineIniSettings ini = settingsPath.empty() ? TEngineIniSettings{} : ReadEngineSettings(TIniFile(settingsPath));
    const std::string commandText = o.engine.value_or(ini.command);
    std::vector<std::string> command;
    try {
        command = SplitCommandLine(commandText);
    } catch (const EVxloError& e) {
        throw TReviewUsage("--engine: " + e.Message().Text());
    }
    if (command.empty()) throw TReviewUsage("no engine: give --engine COMMAND or Command in [Engine] of VXLO.INI");
    const std::vector<TPoint> line = ParseLine(o.operands);
    const std::string& dictionary = o.operands[0];
    // A writer of the store: the dictionary's exclusive lock, and never a new dictionary.
    std::error_code ec;
    if (!std::filesystem::exists(dictionary, ec)) throw EInOutError(ENOENT, dictionary);
    TRecordFile file(dictionary, TRecordFile::Mode::ReadWriteCreate);
    const int start = FindLine(file, line);
    const std::vector<TReviewPosition> all = PositionsBelow(file, start, line, o.depth);

    TEngineSettings settings;
    settings.command = command;
    settings.visits = o.visits.value_or(ini.visits);
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
        while (run.Step()) err << "reviewed " << run.Done() << " of " << run.Total() << " positions" << std::endl;
    } catch (const EVxloError&) {
        err << "kept before the error: " << run.Stored() << " positions reviewed" << std::endl;
        throw;
    }
    file.Close();
    if (o.json) {
        out << "{\"positions\": " << all.size() << ", \"reviewed\": " << run.Stored() << ", \"skipped\": " << skipped
            << ", \"visits\": " << settings.visits << ", \"engine\": " << JsonString(JoinCommandLine(command))
            << "}\n";
    } else {
        out << "positions " << all.size() << ": reviewed " << run.Stored() << ", skipped " << skipped
            << " (reviewed before with " << settings.visits << " visits or more)\n";
    }
}

std::string Figure(double value) {
    char text[32];
    const double rounded = std::round(value * 1e4) / 1e4;
    std::snprintf(text, sizeof text, "%.6g", rounded == 0 ? 0.0 : rounded);
    return text;
}

std::string FigureJson(const TStoredMoveFigure& f) {
    return "{\"x\": " + std::to_string(f.move.x) + ", \"y\": " + std::to_string(f.move.y) +
           ", \"points_lost\": " + Figure(f.pointsLost) + ", \"engine_visits\": " + std::to_string(f.visits) + "}";
}

// Points lost as the comments show them: one decimal, a minus sign before
// a loss.
std::string LossText(double loss) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", loss);
    return std::string(text) == "0.0" ? "0.0" : "\u2212" + std::string(text);
}

}  // namespace

int RunReviewCommand(const std::vector<std::string>& args, const std::string& settingsPath, std::ostream& out,
                     std::ostream& err, const ITranslator* translator) {
    try {
        Review(Parse(args), settingsPath, out, err);
        out.flush();
        return 0;
    } catch (const TReviewUsage& e) {
        err << "vxlo-tool: " << e.what() << "\nusage:\n" << kReviewUsage;
        return 2;
    } catch (const std::exception& e) {
        std::string text = ErrorDisplayText(e, translator);
        for (char& c : text) c = c == '\n' || c == '\r' ? ' ' : c;
        err << text << '\n';
        return 1;
    }
}

std::string PositionReviewJson(const std::optional<TStoredReview>& review) {
    if (!review) return {};
    std::string text = ", \"engine_score_lead\": " + Figure(review->scoreLead) +
                       ", \"engine_winrate\": " + Figure(review->winrate) +
                       ", \"engine_visits\": " + std::to_string(review->visits) + ", \"missing\": [";
    for (std::size_t i = 0; i < review->missing.size(); ++i) text += (i ? ", " : "") + FigureJson(review->missing[i]);
    return text + "]";
}

std::string CandidateReviewJson(const std::optional<TStoredReview>& review, TPoint candidate) {
    if (!review) return {};
    for (const TStoredMoveFigure& f : review->candidates) {
        if (f.move == candidate)
            return ", \"points_lost\": " + Figure(f.pointsLost) + ", \"engine_visits\": " + std::to_string(f.visits);
    }
    return {};
}

TEngineSgfComments::TEngineSgfComments(ISgfComments* comments, TEngineReviewStore& reviews, IRecordStore& dictionary)
    : comments_(comments), reviews_(reviews) {
    nodes_.resize(static_cast<std::size_t>(std::max<std::int64_t>(1, dictionary.RecordCount())));
    nodes_[0].side = Black;
    for (const TReviewPosition& p : PositionsBelow(dictionary, 0, {}, kMaxPathMoves)) {
        for (std::size_t i = 0; i < p.candidates.size(); ++i) {
            TNode& n = nodes_[static_cast<std::size_t>(p.candidateRecs[i])];
            n.parent = p.rec;
            n.move = p.candidates[i];
            n.side = p.line.size() % 2 == 0 ? White : Black;
        }
    }
}

std::optional<std::string> TEngineSgfComments::EngineText(int rec) {
    if (rec < 0 || static_cast<std::size_t>(rec) >= nodes_.size()) return std::nullopt;
    const TNode& node = nodes_[static_cast<std::size_t>(rec)];
    std::string text;
    if (rec > 0 && node.parent >= 0) {
        if (const std::optional<TStoredReview> before = reviews_.Get(node.parent)) {
            for (const TStoredMoveFigure& f : before->candidates) {
                if (f.move == node.move)
                    text += "Engine: " + EngineMoveName(f.move) + " " + LossText(f.pointsLost) + " (" +
                            std::to_string(f.visits) + " visits)";
            }
        }
    }
    if (rec == 0 || node.parent >= 0) {
        if (const std::optional<TStoredReview> here = reviews_.Get(rec)) {
            char figures[96];
            std::snprintf(figures, sizeof figures, "%s to move, lead %+.1f, win rate %.0f%% (%d visits)",
                          node.side == Black ? "Black" : "White", here->scoreLead, here->winrate * 100, here->visits);
            if (!text.empty()) text += '\n';
            text += "Engine: " + std::string(figures);
            for (std::size_t i = 0; i < here->missing.size(); ++i) {
                text += (i ? ", " : "; missing ") + EngineMoveName(here->missing[i].move) + " " +
                        LossText(here->missing[i].pointsLost);
            }
        }
    }
    if (text.empty()) return std::nullopt;
    return text;
}

bool TEngineSgfComments::HasComment(int rec) { return GetComment(rec).has_value(); }

void TEngineSgfComments::PutComment(int rec, const std::string& text) {
    if (comments_) comments_->PutComment(rec, text);
}

std::optional<std::string> TEngineSgfComments::GetComment(int rec) {
    const std::optional<std::string> own = comments_ ? comments_->GetComment(rec) : std::nullopt;
    const std::optional<std::string> engine = EngineText(rec);
    if (!engine) return own;
    if (!own || own->empty()) return engine;
    return *own + "\n" + *engine;
}

}  // namespace vxlo
