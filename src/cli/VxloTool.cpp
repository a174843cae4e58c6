#include "cli/VxloTool.h"
#include "cli/FindCommands.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>

#include "cli/CornerCommands.h"
#include "cli/GamesCommand.h"
#include "cli/ReviewCommand.h"
#include "core/VxloError.h"
#include "dictionary/RecordFile.h"
#include "dictionary/Check.h"
#include "import/FolderWalk.h"
#include "import/CornerSequence.h"
#include "import/Marge.h"
#include "import/ReadInput.h"
#include "import/SgfCommentStore.h"
#include "companion/MarkupStore.h"
#include "import/SgfExport.h"
#include "import/SgfImport.h"
#include "import/SgfMerge.h"
#include "navigation/Navigation.h"
#include "practice/PracticeStore.h"
#include "practice/PracticeTree.h"

namespace vxlo {

namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  vxlo-tool import [--limit N] [--recursive] [--mask PATTERN] [--progress] DICTIONARY PATH...\n"
    "      a file is imported up to N moves (default 400); a folder is walked:\n"
    "      every file matching PATTERN (default *.IG1), or with --recursive every\n"
    "      file of its tree; N empty or 0 means 400; --progress prints\n"
    "      \"imported PATH\" on standard output as each file is done\n"
    "  vxlo-tool import --corners [--limit N] [--recursive] DICTIONARY PATH...\n"
    "      every corner's opening sequence of every game (IG1 and SGF files and\n"
    "      folders), brought to the upper-right corner, up to N moves each\n"
    "      (default 30), with the games' counts, results and years; each game\n"
    "      is kept once: a game whose moves are kept already adds nothing\n"
    "  vxlo-tool clear-evidence DICTIONARY\n"
    "      removes every game count and kept game of the dictionary\n"
    "  vxlo-tool merge [--v1] DICTIONARY SOURCE\n"
    "      merges a dictionary file (--v1: of the version-1 format)\n"
    "  vxlo-tool merge --sgf DICTIONARY FILE\n"
    "      merges every variation of the first game of an SGF file, with its\n"
    "      comments (kept where a position has none yet) and label colours\n"
    "  vxlo-tool export-sgf [--force] [--engine-comments] DICTIONARY FILE\n"
    "      writes the whole tree as one SGF game, with labels and comments\n"
    "      (--engine-comments: and the engine's figures of a review);\n"
    "      never over the dictionary or its comment store, and over an existing\n"
    "      file that is not SGF only with --force\n"
    "  vxlo-tool check [--repair] DICTIONARY\n"
    "      reads the whole tree and lists what is wrong, with record numbers;\n"
    "      exit status 0 when sound, 1 when not; --repair unlinks every tenuki\n"
    "      that follows a tenuki and has nothing below it, with its counts\n"
    "  vxlo-tool practice-status [--white] [--json] DICTIONARY\n"
    "      positions of the whole tree where Black (--white: White) answers,\n"
    "      how many are due today, practised so far, and their lapses\n"
    "  vxlo-tool dump DICTIONARY\n"
    "      one line per record: N X Y Color Aux Next More\n";
// After the commands of finding, which only read.
constexpr const char* kUsageEnd =
    "import and merge create DICTIONARY when missing and, like clear-evidence,\n"
    "review and check --repair, refuse it while another program holds it; the\n"
    "other commands only read it (and its comment store), beside other readers.\n"
    "exit status: 0 done, 1 failed (the message names the file), 2 usage\n";


class TUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    return text;
}

class TLineMessages final : public IMessageSink {
public:
    TLineMessages(std::ostream& err, const ITranslator* translator) : err_(err), translator_(translator) {}
    void ShowMessage(const TMessage& message) override { err_ << OneLine(message.Text(translator_)) << '\n'; }
private:
    std::ostream& err_;
    const ITranslator* translator_;
};

struct TParsed {
    std::string command;
    std::optional<int> limit;
    bool recursive = false;
    bool v1 = false;
    bool sgf = false;
    bool progress = false;
    bool corners = false;
    bool json = false;
    bool white = false;
    bool force = false;
    bool repair = false;
    bool engineComments = false;
    std::string mask = "*.IG1";
    std::vector<std::string> operands;
};

// The switches each command takes, and what they set.
struct TSwitch {
    const char* command;
    const char* name;
    bool TParsed::*field;
};
constexpr TSwitch kSwitches[] = {
    {"import", "--recursive", &TParsed::recursive}, {"import", "--corners", &TParsed::corners},
    {"import", "--progress", &TParsed::progress},   {"merge", "--v1", &TParsed::v1},
    {"merge", "--sgf", &TParsed::sgf},
    {"practice-status", "--json", &TParsed::json},  {"practice-status", "--white", &TParsed::white},
    {"export-sgf", "--force", &TParsed::force},      {"check", "--repair", &TParsed::repair},
    {"export-sgf", "--engine-comments", &TParsed::engineComments},
};

bool TParsed::*SwitchField(const std::string& command, const std::string& name) {
    if (IsFindCommand(command) && name == "--json") return &TParsed::json;
    for (const TSwitch& s : kSwitches) {
        if (command == s.command && name == s.name) return s.field;
    }
    return nullptr;
}

TParsed Parse(const std::vector<std::string>& args, const ITranslator* translator) {
    TParsed parsed;
    if (args.empty()) throw TUsageError("no command");
    parsed.command = args[0];
    bool optionsEnd = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnd || a.size() < 2 || a.compare(0, 2, "--") != 0) {
            parsed.operands.push_back(a);
            continue;
        }
        auto value = [&](const std::string& name) -> std::optional<std::string> {
            if (a == name) {
                if (i + 1 >= args.size()) throw TUsageError(name + " needs a value");
                return args[++i];
            }
            if (a.compare(0, name.size() + 1, name + "=") == 0) return a.substr(name.size() + 1);
            return std::nullopt;
        };
        if (a == "--") {
            optionsEnd = true;
        } else if (const auto field = SwitchField(parsed.command, a)) {
            parsed.*field = true;
        } else if (parsed.command != "import" && parsed.command != "corner") {
            throw TUsageError("unknown option " + a);
        } else if (const auto limit = value("--limit")) {
            try {
                parsed.limit = StrToInt(*limit);
            } catch (const EConvertError& e) {
                throw TUsageError(e.Message().Text(translator));
            }
        } else if (parsed.command != "import") {
            throw TUsageError("unknown option " + a);
        } else if (const auto mask = value("--mask")) {
            parsed.mask = *mask;
        } else {
            throw TUsageError("unknown option " + a);
        }
    }
    return parsed;
}

bool Importable(const std::string& file) { return HasIg1Extension(file) || HasSgfExtension(file); }

TFolderWalkOptions WalkOptions(const TParsed& p, const std::string& folder) {
    TFolderWalkOptions options;
    options.folder = folder;
    options.mask = p.mask;
    options.subfolders = p.recursive;
    options.moveLimit = BulkMoveLimit(p.limit ? std::to_string(*p.limit) : "");
    return options;
}

// 0 when every named input was imported, 1 when files of a walk failed (the
// summary names them on err). A named input that does not exist or holds no
// importable file is an error that ends the command.
int Import(TNavigation& nav, const TParsed& p, std::ostream& out, std::ostream& err,
           const ITranslator* translator) {
    if (p.operands.size() < 2) throw TUsageError("import needs DICTIONARY and PATH");
    if (p.corners) {
        const int limit = p.limit.value_or(kDefaultCornerLimit);
        if (limit < 1) throw TUsageError("--limit must be at least 1");
        return ImportCorners(nav, p.operands[0], {p.operands.begin() + 1, p.operands.end()}, limit,
                             p.recursive, out, err, translator);
    }
    for (std::size_t i = 1; i < p.operands.size(); ++i) {
        // Checked before anything is imported, so a typo costs no half import.
        const std::string& path = p.operands[i];
        std::error_code ec;
        const auto status = std::filesystem::status(path, ec);
        if (status.type() == std::filesystem::file_type::not_found) throw EInOutError(ENOENT, path);
        if (!std::filesystem::is_directory(status)) {
            if (!Importable(path)) throw EFileRefused(kNotImportableText, path);
            // A malformed SGF file named alone fails here, before a new
            // dictionary is made for it.
            if (HasSgfExtension(path)) static_cast<void>(ReadSgfFile(path));
            continue;
        }
        const std::vector<std::string> files = CollectWalkFiles(WalkOptions(p, path));
        if (std::none_of(files.begin(), files.end(), Importable)) throw EFileRefused(kNoImportableFileText, path);
    }
    nav.OpenFile(p.operands[0]);
    // Each line is written once its file's records are all in the dictionary,
    // so a script (or a test killing the tool) knows what is safely done.
    auto done = [&](const std::string& path) {
        if (p.progress && !path.empty()) out << "imported " << path << std::endl;
    };
    TFolderWalkResult failed;
    for (std::size_t i = 1; i < p.operands.size(); ++i) {
        const std::string& path = p.operands[i];
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec)) {
            const TFolderWalkOptions options = WalkOptions(p, path);
            TFolderWalk walk(nav);
            std::string previous;
            walk.SetProgress([&](int, int, const std::string& current) {
                done(previous);
                previous = current;
            });
            TFolderWalkResult result = walk.Run(options);
            for (TWalkFailure& f : result.failures) failed.failures.push_back(std::move(f));
        } else {
            ReadInput(nav, path, p.limit.value_or(kMaxPathMoves));
            done(path);
        }
    }
    nav.CloseFile();
    if (failed.failures.empty()) return 0;
    err << WalkFailureSummary(failed).Text(translator) << '\n';
    return 1;
}

void Merge(TNavigation& nav, const TParsed& p, std::ostream& out, const ITranslator* translator) {
    if (p.operands.size() != 2) throw TUsageError("merge needs DICTIONARY and SOURCE");
    // The source is read or checked before anything is opened, so a merge
    // that fails leaves no new dictionary or store behind.
    const std::string& source = p.operands[1];
    if (p.sgf) {
        const TSgfCollection sgf = ReadSgfFile(source);
        if (SgfBoardSize(sgf.Node(sgf.GameRoot(0))) != kBoardSize) {
            TSgfMergeResult refused;
            refused.wrongSize = true;
            out << OneLine(SgfMergeSummary(refused).Text(translator)) << '\n';
            return;
        }
        nav.OpenFile(p.operands[0]);
        // The comments are committed before the merge returns; the markup
        // is written after them, in a transaction of its own.
        const TCompanion companion = OpenCompanion(p.operands[0], TCompanionDatabase::EAccess::ReadWrite);
        TMarkupStore markup(companion);
        TSgfCommentStore comments(companion);
        const TSgfMergeResult result = MergeSgf(nav, sgf, &comments, &markup);
        markup.Flush();
        const std::string summary = SgfMergeSummary(result).Text(translator);
        nav.CloseFile();
        out << OneLine(summary) << '\n';
        return;
    }
    std::error_code ec;
    const auto status = std::filesystem::status(source, ec);
    if (status.type() == std::filesystem::file_type::not_found) throw EInOutError(ENOENT, source);
    if (std::filesystem::is_directory(status)) throw EInOutError(EISDIR, source);
    nav.OpenFile(p.operands[0]);
    Marge(nav, source, p.v1 ? EMergeFormat::Ver1 : EMergeFormat::Ver4);
    nav.CloseFile();
}

void ExportSgfCommand(const TParsed& p, std::ostream& out) {
    if (p.operands.size() != 2) throw TUsageError("export-sgf needs DICTIONARY and FILE");
    // Read only, beside other readers; a writer excludes it.
    TRecordFile dictionary(p.operands[0], TRecordFile::Mode::ReadShared);
    const TCompanion companion = OpenCompanion(p.operands[0], TCompanionDatabase::EAccess::ReadOnly);
    TSgfCommentStore comments(companion, TSgfCommentStore::EAccess::ReadOnly);
    TMarkupStore markup(companion);
    TEngineReviewStore reviews(companion);
    std::optional<TEngineSgfComments> withEngine;
    if (p.engineComments) withEngine.emplace(&comments, reviews, dictionary);
    ISgfComments* const texts = withEngine ? static_cast<ISgfComments*>(&*withEngine) : &comments;
    const TSgfExportResult r = ExportSgf(dictionary, p.operands[1], texts, &markup,
                                         p.force ? EExportOverwrite::Force : EExportOverwrite::OnlySgf);
    out << r.nodes << " moves written";
    if (r.tenuki > 0) out << " (" << r.tenuki << " tenuki)";
    if (r.skippedPoints + r.skippedLoops + r.brokenLinks > 0) {
        out << "; left out: " << r.skippedPoints << " off the board, " << r.skippedLoops
            << " reached twice, " << r.brokenLinks << " links past the end";
    }
    out << '\n';
}

// 0 when the tree is sound, 1 when it is not.
int Check(const TParsed& p, std::ostream& out) {
    if (p.operands.size() != 1) throw TUsageError("check needs DICTIONARY");
    const std::string& dictionary = p.operands[0];
    if (p.repair) {
        // A repair writes: the exclusive lock, and never a new file.
        std::error_code ec;
        if (!std::filesystem::exists(dictionary, ec)) throw EInOutError(ENOENT, dictionary);
        TRecordFile file(dictionary, TRecordFile::Mode::ReadWriteCreate);
        const std::vector<std::int64_t> unlinked = RepairTenukiAfterTenuki(file, CheckDictionary(file));
        RemoveEvidenceOf(dictionary, unlinked);
        for (const std::int64_t rec : unlinked) out << "record " << rec << ": unlinked\n";
        file.Close();
    }
    TRecordFile file(dictionary, TRecordFile::Mode::ReadShared);
    const TCheckReport report = CheckDictionary(file);
    for (const TCheckFinding& finding : report.findings) out << finding.text << '\n';
    out << report.records << " records, " << report.reachable << " reachable, " << report.unreachable
        << " unreachable, " << report.findings.size() << " problems\n";
    return report.Sound() ? 0 : 1;
}

// Counts with the label colours that count by default: the tool reads no
// settings file, so its answer does not depend on who runs it.
void PracticeStatus(const TParsed& p, std::ostream& out) {
    if (p.operands.size() != 1) throw TUsageError("practice-status needs DICTIONARY");
    // Read only, no lock: the window may be practising the same dictionary.
    TRecordFile file(p.operands[0], TRecordFile::Mode::ReadOnly);
    const TPracticeStore store(OpenCompanion(p.operands[0], TCompanionDatabase::EAccess::ReadOnly));
    const TStorePracticeTree tree(file);
    const int user = p.white ? White : Black;
    const TPositionCounts c = CountPositions(tree, store, TPracticeSettings{}, {0, Black, user},
                                             TSystemPracticeClock().Today());
    const char* color = p.white ? "white" : "black";
    if (p.json) {
        out << "{\"color\": \"" << color << "\", \"positions\": " << c.total
            << ", \"due\": " << c.due << ", \"practised\": " << c.practised
            << ", \"lapses\": " << c.lapses << "}\n";
    } else {
        out << c.total << " positions for " << color << ", " << c.due << " due, " << c.practised
            << " practised, " << c.lapses << " lapses\n";
    }
}

void Dump(const TParsed& p, std::ostream& out) {
    if (p.operands.size() != 1) throw TUsageError("dump needs DICTIONARY");
    TRecordFile file(p.operands[0], TRecordFile::Mode::ReadShared);
    const std::int64_t count = file.RecordCount();
    for (std::int64_t n = 0; n < count; ++n) {
        const TJskRecord r = DecodeRecord(file.Read(n));
        out << n << ' ' << int{r.X} << ' ' << int{r.Y} << ' ' << int{r.Color} << ' ' << int{r.Aux} << ' '
            << r.Next << ' ' << r.More;
        // Record 0 is the placeholder; any other (0, 0) is a tenuki move.
        if (n > 0 && IsTenuki(r.X, r.Y)) out << " tenuki";
        out << '\n';
    }
}

}  // namespace

int RunVxloTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const ITranslator* translator, const std::string& settingsPath) {
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        out << kUsage << kReviewUsage << kGamesUsage << kFindUsage << kUsageEnd;
        return 0;
    }
    if (!args.empty() && args[0] == "review")
        return RunReviewCommand({args.begin() + 1, args.end()}, settingsPath, out, err, translator);
    TNullView view;
    TLineMessages messages(err, translator);
    TNullCommentStore comments;
    TNullMenuState menus;
    TNavigation nav(view, messages, comments, menus);
    try {
        if (!args.empty() && IsGamesCommand(args[0])) {
            RunGamesCommand(nav, args[0], {args.begin() + 1, args.end()}, out);
            out.flush();
            return 0;
        }
        const TParsed parsed = Parse(args, translator);
        if (parsed.command == "import") {
            const int status = Import(nav, parsed, out, err, translator);
            out.flush();
            return status;
        } else if (parsed.command == "merge") {
            Merge(nav, parsed, out, translator);
        } else if (parsed.command == "export-sgf") {
            ExportSgfCommand(parsed, out);
        } else if (parsed.command == "check") {
            const int status = Check(parsed, out);
            out.flush();
            return status;
        } else if (parsed.command == "clear-evidence") {
            if (parsed.operands.size() != 1) throw TUsageError("clear-evidence needs DICTIONARY");
            ClearEvidence(parsed.operands[0], out);
        } else if (parsed.command == "practice-status") {
            PracticeStatus(parsed, out);
        } else if (parsed.command == "dump") {
            Dump(parsed, out);
        } else if (IsFindCommand(parsed.command)) {
            RunFindCommand(parsed.command, parsed.operands, {parsed.json, parsed.limit, translator}, out);
        } else {
            throw TUsageError("unknown command " + parsed.command);
        }
        out.flush();
        return 0;
    } catch (const TUsageError& e) {
        err << "vxlo-tool: " << e.what() << '\n' << kUsage << kReviewUsage << kGamesUsage << kFindUsage << kUsageEnd;
        return 2;
    } catch (const EFindUsage& e) {
        err << "vxlo-tool: " << e.what() << '\n' << kUsage << kReviewUsage << kGamesUsage << kFindUsage << kUsageEnd;
        return 2;
    } catch (const EGamesUsage& e) {
        err << "vxlo-tool: " << e.what() << '\n' << kUsage << kReviewUsage << kGamesUsage << kFindUsage << kUsageEnd;
        return 2;
    } catch (const std::exception& e) {
        err << OneLine(ErrorDisplayText(e, translator)) << '\n';
        return 1;
    }
}

}  // namespace vxlo
