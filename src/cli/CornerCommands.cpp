#include "cli/CornerCommands.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <optional>

#include "cli/Json.h"
#include "cli/ReviewCommand.h"
#include "core/VxloError.h"
#include "dictionary/RecordFile.h"
#include "import/CornerImport.h"

namespace vxlo {

namespace {

constexpr const char* kUnknownMoveText = QT_TRANSLATE_NOOP("vxlo", "辞書にない手です：%1");

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

void PrintEvidenceFields(const std::optional<TEvidence>& e, std::ostream& out) {
    const TEvidence none;
    const TEvidence& v = e ? *e : none;
    out << "\"games\": " << v.games << ", \"starter_wins\": " << v.starterWins
        << ", \"starter_losses\": " << v.starterLosses << ", \"first_year\": " << v.firstYear
        << ", \"last_year\": " << v.lastYear;
}

}  // namespace

int ImportCorners(TNavigation& nav, const std::string& dictionary,
                  const std::vector<std::string>& paths, int limit, bool recursive,
                  std::ostream& out, std::ostream& err, const ITranslator* translator) {
    const std::vector<std::string> files = CornerGameFiles(paths, recursive);
    nav.OpenFile(dictionary);
    TEvidenceStore evidence(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite));
    // A store that cannot take the counts stops the import before its first move.
    evidence.PrepareWrite();
    TCornerImporter importer(nav, &evidence, limit);
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

void PrintStats(TNavigation& nav, const std::string& dictionary,
                const std::vector<std::string>& moves, std::ostream& out) {
    // Read only, beside other readers: moves are only followed, never added.
    nav.OpenStore(std::make_unique<TRecordFile>(dictionary, TRecordFile::Mode::ReadShared));
    TOneMoveScope oneMove(nav);
    for (const std::string& text : moves) {
        const std::optional<TPoint> move = ParseMove(text);
        if (!move || nav.Dictionary().FindRecNo(move->x, move->y) < 0 || !nav.Deside(move->x, move->y))
            throw EFileRefused(TMessage(kUnknownMoveText).Arg(text), dictionary);
    }
    const TCompanion companion = OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadOnly);
    TEvidenceStore evidence(companion);
    TEngineReviewStore reviews(companion);
    auto evidenceOf = [&](int rec) { return evidence.Get(rec); };
    const TLjsk& list = nav.Dictionary();
    const int position = nav.CurrentRecord();
    const std::optional<TEvidence> here = evidenceOf(position);
    const std::optional<TStoredReview> review = reviews.Get(position);
    out << "{\"record\": " << position << ", \"games\": " << (here ? here->games : 0)
        << PositionReviewJson(review) << ", \"candidates\": [";
    for (int i = 0; i < list.Count(); ++i) {
        const TPoint p = list.GetMoveXY(i);
        const int rec = list.RecNoAt(i);
        out << (i ? ", " : "") << "{\"x\": " << p.x << ", \"y\": " << p.y << ", \"label\": "
            << JsonString(i < kLabelCount ? CandidateLabel(i) : "") << ", \"record\": " << rec << ", ";
        PrintEvidenceFields(evidenceOf(rec), out);
        out << CandidateReviewJson(review, p) << '}';
    }
    out << "]}\n";
    nav.CloseFile();
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
    TEvidenceStore evidence(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite));
    evidence.Clear();
    out << "evidence cleared\n";
}

void RemoveEvidenceOf(const std::string& dictionary, const std::vector<std::int64_t>& records) {
    if (records.empty()) return;
    // Nothing is made for a dictionary without counts: Remove only deletes.
    TEvidenceStore evidence(OpenCompanion(dictionary, TCompanionDatabase::EAccess::ReadWrite));
    evidence.Remove(records);
}

}  // namespace vxlo
