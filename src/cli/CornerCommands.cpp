#include "cli/CornerCommands.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>

#include "cli/Json.h"
#include "cli/ReviewCommand.h"
#include "core/VxloError.h"
#include "dictionary/MoveText.h"
#include "dictionary/RecordFile.h"
#include "import/CornerImport.h"
#include "companion/GameExplorer.h"

namespace vxlo {

namespace {

constexpr const char* kUnknownMoveText = QT_TRANSLATE_NOOP("vxlo", "辞書にない手です：%1");
constexpr const char* kClearText = QT_TRANSLATE_NOOP("vxlo", "対局数を保存できません");
constexpr const char* kNoGamesBehind =
    "the counts have no games behind them: they were imported before games were kept";

std::optional<TPoint> ParseMove(const std::string& text) {
    if (text == "pass") return TPoint{0, 0};
    const auto comma = text.find(',');
    if (comma == std::string::npos) return std::nullopt;
    try {
        const int x = StrToInt(text.substr(0, comma));
        const int y = StrToInt(text.substr(comma + 1));
        if (x < 1 || x > kBoardSize || y < 1 || y > kBoardSize) return std::nullopt;
        return TPoint{x, y};
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

}  // namespace

int ImportCorners(TNavigation& nav, const std::string& dictionary,
                  const std::vector<std::string>& paths, int limit, bool recursive,
                  std::ostream& out, std::ostream& err, const ITranslator* translator, EGameKeeping games) {
    const std::vector<std::string> files = CornerGameFiles(paths, recursive);
    nav.OpenFile(dictionary);
    TEvidenceStore evidence(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite));
    // A store that cannot take the counts stops the import before its first move.
    evidence.PrepareWrite();
    TCornerImporter importer(nav, &evidence, limit, games);
    try {
        importer.ImportFiles(files);
    } catch (const EVxloError&) {
        // The batches before the failure are in the file with their counts.
        err << "kept before the error: " << CornerSummaryText(importer.Summary()) << '\n';
        throw;
    }
    nav.CloseFile();
    out << CornerSummaryText(importer.Summary()) << '\n';
    if (importer.Summary().failures.empty()) return 0;
    err << WalkFailureSummary(importer.Summary().failures).Text(translator) << '\n';
    return 1;
}

int OpenAtPosition(TNavigation& nav, const std::string& dictionary, const std::vector<std::string>& moves) {
    // Read only, beside other readers: moves are only followed, never added.
    nav.OpenStore(std::make_unique<TRecordFile>(dictionary, TRecordFile::Mode::ReadShared));
    TOneMoveScope oneMove(nav);
    for (const std::string& text : moves) {
        const std::optional<TPoint> move = ParseMove(text);
        if (!move || nav.Dictionary().FindRecNo(move->x, move->y) < 0 || !nav.Deside(move->x, move->y))
            throw EFileRefused(TMessage(kUnknownMoveText).Arg(text), dictionary);
    }
    return nav.CurrentRecord();
}

namespace {

void AddCounts(TJson& j, const TEvidence& e) {
    j["games"] = e.games;
    j["starter_wins"] = e.starterWins;
    j["starter_losses"] = e.starterLosses;
    j["first_year"] = e.firstYear;
    j["last_year"] = e.lastYear;
}

// The answer before games were kept, byte for byte.
void PrintEvidenceOnly(TNavigation& nav, TEvidenceStore& evidence, const std::optional<TStoredReview>& review,
                       bool json, std::ostream& out) {
    const TLjsk& list = nav.Dictionary();
    const int position = nav.CurrentRecord();
    const std::optional<TEvidence> here = evidence.Get(position);
    const bool orphans = evidence.Any();
    if (!json) {
        out << "record " << position << ": " << (here ? here->games : 0) << " games\n";
        for (int i = 0; i < list.Count(); ++i) {
            const TPoint p = list.GetMoveXY(i);
            const TEvidence e = evidence.Get(list.RecNoAt(i)).value_or(TEvidence{});
            out << (i < kLabelCount ? CandidateLabel(i) : "-") << ' ' << FormatMove(p) << " record "
                << list.RecNoAt(i) << ": " << e.games << " games, starter won " << e.starterWins << " lost "
                << e.starterLosses << ", years " << e.firstYear << "-" << e.lastYear << '\n';
        }
        if (orphans) out << kNoGamesBehind << '\n';
        return;
    }
    TJson answer;
    answer["record"] = position;
    answer["games"] = here ? here->games : 0;
    if (orphans) answer["games_kept"] = false;
    AddPositionReview(answer, review);
    TJson candidates = TJson::array();
    for (int i = 0; i < list.Count(); ++i) {
        const TPoint p = list.GetMoveXY(i);
        const int rec = list.RecNoAt(i);
        const TEvidence e = evidence.Get(rec).value_or(TEvidence{});
        TJson c;
        c["x"] = p.x;
        c["y"] = p.y;
        c["label"] = i < kLabelCount ? CandidateLabel(i) : "";
        c["record"] = rec;
        AddCounts(c, e);
        AddCandidateReview(c, review, p);
        candidates.push_back(std::move(c));
    }
    answer["candidates"] = std::move(candidates);
    out << JsonText(answer) << '\n';
}

// The figures of one record: the evidence's without a filter, the selected
// games' with one; the games' real colours and years in either case.
struct TFigures {
    TEvidence evidence;
    TPassCounts games;
};

TFigures FiguresOf(TEvidenceStore& evidence, const std::vector<TGamePass>& passes, const TGameSelection& selection,
                   bool filtered, int rec) {
    TFigures f;
    f.games = CountPasses(passes, selection);
    const TPassCounts& c = f.games;
    f.evidence = filtered ? TEvidence{c.games, c.starterWins, c.starterLosses, c.firstYear, c.lastYear}
                          : evidence.Get(rec).value_or(TEvidence{});
    return f;
}


void AddColoursAndYears(TJson& j, const TFigures& f) {
    j["black_wins"] = f.games.blackWins;
    j["white_wins"] = f.games.whiteWins;
    TJson years = TJson::object();
    for (const auto& [year, n] : f.games.byYear) years[std::to_string(year)] = n;
    j["by_year"] = years;
}

}  // namespace

void PrintStats(TNavigation& nav, const std::string& dictionary, const std::vector<std::string>& moves,
                const TGameFilter& filter, bool json, std::ostream& out) {
    const int position = OpenAtPosition(nav, dictionary, moves);
    const TCompanion companion = OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadOnly);
    TEvidenceStore evidence(companion);
    TGameStore games(companion);
    TEngineReviewStore reviews(companion);
    const std::optional<TStoredReview> review = reviews.Get(position);
    if (!filter.Any() && !games.Any()) {
        PrintEvidenceOnly(nav, evidence, review, json, out);
        nav.CloseFile();
        return;
    }
    // Every sequence counted at the empty board has its pass there when the
    // games behind the counts are all kept.
    const std::optional<TEvidence> root = evidence.Get(0);
    const bool kept = games.Any() && games.PassCountAt(0) == (root ? root->games : 0);
    const TLjsk& list = nav.Dictionary();
    // A candidate's passes pass the position too: its games are all the
    // figures need.
    const std::vector<TGamePass> passes = games.PassesAt(position);
    const TGameSelection selection(games, filter, passes);
    const TFigures here = FiguresOf(evidence, passes, selection, filter.Any(), position);
    TJson answer;
    answer["record"] = position;
    answer["games"] = here.evidence.games;
    answer["games_kept"] = kept;
    AddColoursAndYears(answer, here);
    AddPositionReview(answer, review);
    TJson candidates = TJson::array();
    std::ostringstream text;
    text << "record " << position << ": " << here.evidence.games << " games\n";
    for (int i = 0; i < list.Count(); ++i) {
        const TPoint p = list.GetMoveXY(i);
        const int rec = list.RecNoAt(i);
        const std::string label(i < kLabelCount ? CandidateLabel(i) : "");
        const TFigures f = FiguresOf(evidence, games.PassesAt(rec), selection, filter.Any(), rec);
        TJson c;
        c["x"] = p.x;
        c["y"] = p.y;
        c["label"] = label;
        c["record"] = rec;
        AddCounts(c, f.evidence);
        AddColoursAndYears(c, f);
        AddCandidateReview(c, review, p);
        candidates.push_back(c);
        text << (label.empty() ? "-" : label) << ' ' << FormatMove(p) << " record " << rec << ": "
             << f.evidence.games << " games, starter won " << f.evidence.starterWins << " lost "
             << f.evidence.starterLosses << ", years " << f.evidence.firstYear << "-" << f.evidence.lastYear
             << ", black won " << f.games.blackWins << ", white won " << f.games.whiteWins << '\n';
    }
    if (!kept) text << kNoGamesBehind << '\n';
    answer["candidates"] = candidates;
    nav.CloseFile();
    if (json) {
        out << JsonCompact(answer) << '\n';
        return;
    }
    out << text.str();
}

void ClearEvidence(const std::string& dictionary, std::ostream& out) {
    // A writer: the dictionary's exclusive lock keeps it from the counts of
    // an import or the window in progress, and no new dictionary is made.
    std::error_code ec;
    if (!std::filesystem::exists(dictionary, ec)) throw EInOutError(ENOENT, dictionary);
    TRecordFile lock(dictionary, TRecordFile::Mode::ReadWriteCreate);
    if (!TCompanionDatabase::ExistsFor(dictionary)) {
        out << "no evidence\n";
        return;
    }
    const TCompanion companion = OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite);
    TEvidenceStore evidence(companion);
    TGameStore games(companion);
    TCompanionTransaction transaction(*companion, kClearText);
    evidence.Clear();
    games.Clear();
    transaction.Commit();
    out << "evidence cleared\n";
}

void RemoveEvidenceOf(const std::string& dictionary, const std::vector<std::int64_t>& records) {
    if (records.empty()) return;
    // Nothing is made for a dictionary without counts: Remove only deletes.
    TEvidenceStore evidence(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite));
    evidence.Remove(records);
}

}  // namespace vxlo
