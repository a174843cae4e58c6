#include "import/SgfExport.h"

#include <cerrno>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "core/FileIo.h"
#include "core/VxloError.h"
#include "dictionary/Fjsk.h"
#include "import/SgfMerge.h"
#include "import/SgfReader.h"
#include "companion/CommentStore.h"

namespace vxlo {

namespace {

struct TKid {
    int rec;
    TJskRecord record;
};

class TExporter {
public:
    // With a sink the text goes to it in pieces as it grows, so that a huge
    // tree is never held whole; Run then returns what is left, nothing.
    using TSink = std::function<void(std::string_view)>;
    TExporter(IRecordStore& store, ISgfComments* comments, IPositionMarkup* markup,
              const TSgfColorNames* colorNames, TSink sink = {}, IProgress* progress = nullptr)
        : store_(store), comments_(comments), markup_(markup), colorNames_(colorNames), sink_(std::move(sink)),
          progress_(progress),
          count_(store.RecordCount()),
          visited_(static_cast<std::size_t>(count_), false) {}

    std::string Run() {
        out_ = "(;GM[1]FF[4]CA[UTF-8]SZ[19]AP[vxlo:5.0]ST[2]";
        if (colorNames_) out_ += std::string(kSgfColorNamesProperty) + "[1]";
        int head = count_ > 0 ? TLjsk::RootRecNoOf(store_) : 0;
        // A lone placeholder without the root role is an empty dictionary,
        // as check and the window read it.
        if (count_ == 1 && DecodeRecord(store_.Read(0)).Aux != TLjsk::kRootRoleAux) head = 0;
        std::vector<TKid> roots = ReadChain(head);
        Notes(0, 0, roots);

        struct TFrame {
            std::vector<TKid> kids;
            std::size_t next;
            int depth;
            bool Wrapped() const { return kids.size() >= 2; }
        };
        std::vector<TFrame> stack;
        stack.push_back({std::move(roots), 0, 1});
        while (!stack.empty()) {
            TFrame& frame = stack.back();
            if (frame.next == frame.kids.size()) {
                stack.pop_back();
                if (!stack.empty() && stack.back().Wrapped()) out_ += ')';
                continue;
            }
            const TKid kid = frame.kids[frame.next++];
            const int depth = frame.depth;
            if (frame.Wrapped()) out_ += "\n(";
            out_ += depth % 2 == 1 ? ";B[" : ";W[";
            if (IsTenuki(kid.record.X, kid.record.Y)) {
                ++result_.tenuki;  // a pass of the side to move
            } else {
                out_ += EncodeSgfPoint({kid.record.X, kid.record.Y});
            }
            out_ += ']';
            if (kid.record.Color >= 1 && kid.record.Color <= 4) {
                out_ += std::string(kSgfColorProperty) + "[" + std::to_string(kid.record.Color) + "]";
            }
            std::vector<TKid> kids = ReadChain(kid.record.Next);
            Notes(kid.rec, kid.record.Color, kids);
            ++result_.nodes;
            stack.push_back({std::move(kids), 0, depth + 1});  // frame is stale from here
            if (result_.nodes % kNodesPerStep == 0 && StopAsked(progress_, result_.nodes, count_)) {
                result_.cancelled = true;
                return {};
            }
            if (sink_ && out_.size() >= kPieceBytes) Pass();
        }
        out_ += ")\n";
        if (sink_) Pass();
        return std::move(out_);
    }

    const TSgfExportResult& Result() const { return result_; }

private:
    static constexpr std::size_t kPieceBytes = 1 << 20;
    // Records written between two questions whether to stop.
    static constexpr int kNodesPerStep = 1024;

    void Pass() {
        sink_(out_);
        out_.clear();
    }

    // The chain from head, each record read once: a record reached again
    // ends the chain, so no damaged file makes the export run forever.
    std::vector<TKid> ReadChain(std::int64_t head) {
        std::vector<TKid> kids;
        for (std::int64_t rec = head; rec > 0;) {
            if (rec >= count_) {
                ++result_.brokenLinks;
                break;
            }
            if (visited_[static_cast<std::size_t>(rec)]) {
                ++result_.skippedLoops;
                break;
            }
            visited_[static_cast<std::size_t>(rec)] = true;
            const TJskRecord r = DecodeRecord(store_.Read(rec));
            if ((r.X >= 1 && r.X <= kBoardSize && r.Y >= 1 && r.Y <= kBoardSize) || IsTenuki(r.X, r.Y)) {
                kids.push_back({static_cast<int>(rec), r});
            } else {
                ++result_.skippedPoints;
            }
            rec = r.More;
        }
        return kids;
    }

    // Labels of the candidates and the position's markup, then its comment.
    // Markup goes as it was merged, kind by kind; a candidate whose point
    // carries a markup letter gives up its kana (one label per point).
    void Notes(int rec, int color, const std::vector<TKid>& kids) {
        TMarkupList markup;
        // A row edited by hand onto no board point is left out, not written.
        for (TMarkup& m : markup_ ? markup_->GetMarkup(rec) : TMarkupList{}) {
            if (m.x >= 1 && m.x <= kBoardSize && m.y >= 1 && m.y <= kBoardSize) markup.push_back(std::move(m));
        }
        std::string labels;
        for (const TMarkup& m : markup) {
            if (m.kind != EMarkupKind::Label) continue;
            labels += '[' + EncodeSgfPoint({m.x, m.y}) + ':' + EscapeSgfText(m.label) + ']';
        }
        // The board shows no label past the 30th candidate either.
        for (std::size_t i = 0; i < kids.size() && i < static_cast<std::size_t>(kLabelCount); ++i) {
            const TPoint p{kids[i].record.X, kids[i].record.Y};
            if (IsTenuki(p.x, p.y)) continue;  // a pass has no point to label
            bool taken = false;
            for (const TMarkup& m : markup) {
                taken = taken || (m.kind == EMarkupKind::Label && TPoint{m.x, m.y} == p);
            }
            if (taken) continue;
            labels += '[' + EncodeSgfPoint(p) + ':' + std::string(CandidateLabel(static_cast<int>(i))) + ']';
        }
        if (!labels.empty()) out_ += "LB" + labels;
        for (EMarkupKind kind : kAllMarkupKinds) {
            if (kind == EMarkupKind::Label) continue;
            std::string points;
            for (const TMarkup& m : markup) {
                if (m.kind == kind) points += '[' + EncodeSgfPoint({m.x, m.y}) + ']';
            }
            if (!points.empty()) out_ += std::string(SgfMarkupProperty(kind)) + points;
        }
        std::optional<std::string> text = comments_ ? comments_->GetComment(rec) : std::nullopt;
        if (text && text->empty()) text.reset();
        if (colorNames_ && color >= 1 && color <= 4) text = WithColorName(text, (*colorNames_)[static_cast<std::size_t>(color)]);
        if (text) out_ += "C[" + EscapeSgfText(*text) + "]";
    }

    // A comment that already opens with the name (the user wrote it) stays
    // as it is rather than say it twice; the merge leaves such a comment
    // alone too, as its first line is not in brackets.
    static std::optional<std::string> WithColorName(const std::optional<std::string>& text, const std::string& name) {
        if (name.empty()) return text;
        if (!text) return "[" + name + "]";
        const std::string first = text->substr(0, text->find('\n'));
        if (first == name) return text;
        return "[" + name + "]\n" + *text;
    }

    IRecordStore& store_;
    ISgfComments* comments_;
    IPositionMarkup* markup_;
    const TSgfColorNames* colorNames_;
    TSink sink_;
    IProgress* progress_;
    std::int64_t count_;
    std::vector<bool> visited_;
    std::string out_;
    TSgfExportResult result_;
};

}  // namespace

std::string SgfExportText(IRecordStore& store, ISgfComments* comments, TSgfExportResult* result,
                          IPositionMarkup* markup, const TSgfColorNames* colorNames) {
    TExporter exporter(store, comments, markup, colorNames);
    std::string text = exporter.Run();
    if (result) *result = exporter.Result();
    return text;
}

namespace {

// The same file, through a link or by another spelling of its path; a file
// that does not exist yet is compared by its resolved name.
bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec)) return true;
    const std::filesystem::path ra = std::filesystem::weakly_canonical(a, ec);
    if (ec) return false;
    const std::filesystem::path rb = std::filesystem::weakly_canonical(b, ec);
    return !ec && ra == rb;
}

// An existing file that the SGF reader does not take is somebody else's data.
bool IsReplaceableText(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return true;
    try {
        const std::optional<std::string> bytes =
            ReadWholeFileIfExists(path, kMaxSgfFileBytes, kSgfTooLargeText);
        if (!bytes || bytes->empty()) return true;
        ParseSgf(*bytes, path);
        return true;
    } catch (const EFileRefused&) {
        // Malformed or too large; a folder or a FIFO is the replace's error.
        return false;
    }
}

}  // namespace

TSgfExportResult ExportSgf(IRecordStore& store, const std::string& path, ISgfComments* comments,
                           IPositionMarkup* markup, EExportOverwrite overwrite, IProgress* progress,
                           const TSgfColorNames* colorNames) {
    if (path.empty()) throw EInOutError(ENOENT, path);
    if (SameFile(store.Name(), path)) throw EFileRefused(QT_TRANSLATE_NOOP("vxlo", "書き出し先が定石ファイルそのものです"), path);
    const std::string commentStore = TCompanionDatabase::PathFor(store.Name());
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
        if (SameFile(commentStore + suffix, path)) {
            throw EFileRefused(QT_TRANSLATE_NOOP("vxlo", "書き出し先が定石ファイルのコメントファイルです"), path);
        }
    }
    if (overwrite == EExportOverwrite::OnlySgf && !IsReplaceableText(path)) {
        throw EFileRefused(QT_TRANSLATE_NOOP("vxlo", "書き出し先は SGF ファイルではないため、上書きしません"), path);
    }
    TFileReplacement replacement(path);
    TExporter exporter(store, comments, markup, colorNames,
                       [&replacement](std::string_view piece) { replacement.Write(piece); }, progress);
    exporter.Run();
    // Cancelled: the replacement goes away unrenamed, so the old file stands.
    if (!exporter.Result().cancelled) replacement.Commit();
    return exporter.Result();
}

}  // namespace vxlo
