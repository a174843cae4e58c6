#include "import/SgfMerge.h"

#include <utility>
#include <vector>

#include "core/Message.h"
#include "import/ImportBatch.h"

namespace vxlo {

namespace {

// Nodes merged between two questions whether to stop.
constexpr int kNodesPerStep = 256;

class TSgfMerger {
public:
    TSgfMerger(TNavigation& nav, const TSgfCollection& sgf, ISgfComments* comments,
               IPositionMarkup* markup, IProgress* progress)
        : nav_(nav), sgf_(sgf), comments_(comments), markup_(markup), progress_(progress) {}

    TSgfMergeResult Run() {
        const int root = sgf_.GameRoot(0);
        namesInComments_ = sgf_.Node(root).Has(kSgfColorNamesProperty);
        if (SgfBoardSize(sgf_.Node(root)) != kBoardSize) {
            result_.wrongSize = true;
            return result_;
        }
        // Explicit stack: one frame per node whose children are being merged.
        struct TFrame {
            int nextChild;
            int takeBack;    // moves played to get here (a tenuki put before a move: two)
            int lastColor;   // of the file's last move on the way here, 0 before the first
        };
        std::vector<TFrame> stack;
        const auto push = [&](const TStep& step) {
            if (step.firstChild >= 0 || step.takeBack > 0) {
                stack.push_back({step.firstChild, step.takeBack, step.lastColor});
            }
        };
        push(Process(root, 0));
        std::int64_t nodes = 1;
        while (!stack.empty()) {
            const int n = stack.back().nextChild;
            if (n < 0) {
                const int takeBack = stack.back().takeBack;
                stack.pop_back();
                for (int k = 0; k < takeBack; ++k) nav_.MaeNoTe();
                continue;
            }
            stack.back().nextChild = sgf_.Node(n).NextSibling;
            push(Process(n, stack.back().lastColor));
            if (++nodes % kNodesPerStep == 0 && StopAsked(progress_, nodes, sgf_.NodeCount())) {
                // Each node merged is whole; the lines not reached are left.
                result_.cancelled = true;
                nav_.ResetToRoot();
                return result_;
            }
        }
        return result_;
    }

private:
    struct TStep {
        int firstChild = -1;  // the children to merge below, -1 for none
        int takeBack = 0;
        int lastColor = 0;
    };

    // The record of the current position: 0 at the root.
    int CurrentKey() const { return nav_.Path().LastRecNo(); }

    void ApplyNotes(int key, const TSgfNode& node) {
        if (markup_) {
            const TMarkupList list = SgfNodeMarkup(sgf_, node);
            if (!list.empty() && !markup_->HasMarkup(key)) {
                markup_->PutMarkup(key, list);
                ++result_.markupAdded;
            }
        }
        if (!comments_) return;
        const std::string* value = node.Value("C");
        if (!value) return;
        const std::string text = UsersComment(node, *value);
        if (text.empty() || comments_->HasComment(key)) return;
        comments_->PutComment(key, text);
        ++result_.commentsAdded;
    }

    // The comment without the colour's name that our export put first.
    std::string UsersComment(const TSgfNode& node, const std::string& text) const {
        if (!namesInComments_) return text;
        const std::string* color = node.Value(kSgfColorProperty);
        if (!color || color->size() != 1 || (*color)[0] < '1' || (*color)[0] > '4') return text;
        const std::size_t end = text.find('\n');
        const std::string first = text.substr(0, end);
        if (first.size() < 2 || first.front() != '[' || first.back() != ']') return text;
        return end == std::string::npos ? std::string() : text.substr(end + 1);
    }

    void ApplyColor(TPoint p, const TSgfNode& node) {
        const std::string* value = node.Value(kSgfColorProperty);
        if (!value || value->size() != 1 || (*value)[0] < '1' || (*value)[0] > '4') return;
        const int color = (*value)[0] - '0';
        TLjsk& dict = nav_.Dictionary();
        for (int i = 0; i < dict.Count(); ++i) {
            if (dict.GetMoveXY(i) != p) continue;
            // A colour already given in the dictionary stays.
            if (dict.GetRecord(i).Color != 0) return;
            for (int k = 0; k < color; ++k) dict.CycleColor(p.x, p.y);
            ++result_.colorsSet;
            return;
        }
    }

    // Makes p a candidate of the current position; false (counted) when the
    // list is full.
    bool Add(TPoint p) {
        const TMoveEntry entry = nav_.EnterMove(p.x, p.y, EEntryStep::AddOnly);
        if (!entry.Entered()) {  // 30 candidates already, or the path's 400 moves
            ++result_.leftLimits;
            return false;
        }
        if (entry.added) {
            ++result_.movesAdded;
            if (IsTenuki(p.x, p.y)) ++result_.tenukiAdded;
        }
        return true;
    }

    // Plays the candidate p; false (counted) when the path is full.
    bool Follow(TPoint p) {
        if (nav_.EnterMove(p.x, p.y).Entered()) return true;
        ++result_.leftLimits;
        return false;
    }

    // True when a move on a point lies below node n within room moves,
    // through passes and nodes without a move.
    bool MoveBelow(int n, int room) const {
        std::vector<std::pair<int, int>> stack;  // node, room left
        for (int c = sgf_.Node(n).FirstChild; c >= 0; c = sgf_.Node(c).NextSibling) stack.push_back({c, room});
        while (!stack.empty()) {
            const auto [at, left] = stack.back();
            stack.pop_back();
            const TSgfNode& node = sgf_.Node(at);
            if (HasSgfSetup(node)) continue;
            const TSgfMove move = SgfMoveOf(node);
            if (move.kind == TSgfMove::Kind::Invalid) continue;
            const int below = move.kind == TSgfMove::Kind::None ? left : left - 1;
            if (below < 0) continue;
            if (move.kind == TSgfMove::Kind::Point) return true;
            for (int c = node.FirstChild; c >= 0; c = sgf_.Node(c).NextSibling) stack.push_back({c, below});
        }
        return false;
    }

    // lastColor: the colour of the file's move before this node, 0 for none.
    TStep Process(int n, int lastColor) {
        const TSgfNode& node = sgf_.Node(n);
        if (HasSgfSetup(node)) {
            ++result_.leftSetup;
            return {};
        }
        const TSgfMove move = SgfMoveOf(node);
        const bool hasChildren = node.FirstChild >= 0;
        TPoint p = kTenuki;
        switch (move.kind) {
        case TSgfMove::Kind::None:
            ApplyNotes(CurrentKey(), node);
            return {hasChildren ? node.FirstChild : -1, 0, lastColor};
        case TSgfMove::Kind::Invalid:
            ++result_.leftIllegal;
            return {};
        case TSgfMove::Kind::Pass:
            break;
        case TSgfMove::Kind::Point:
            p = move.point;
            break;
        }
        TGoban& board = nav_.Board();
        const TTejun& path = nav_.Path();
        const bool tenukiBefore = move.color == lastColor;
        // Nothing is entered of a move the path has no room for, not even the
        // tenuki in front of it.
        const int room = kMaxPathMoves - path.Count() - (tenukiBefore ? 1 : 0);
        if (room < 1) {
            ++result_.leftLimits;
            return {};
        }
        // A tenuki right after a tenuki means something only with the move
        // below it: one whose move below the path has no room for is left
        // out at the limit, so the limit never leaves such a line behind.
        const bool afterTenuki = tenukiBefore || (path.Count() > 0 && IsTenuki(path.GetMove(path.Count()).x,
                                                                               path.GetMove(path.Count()).y));
        if (move.kind == TSgfMove::Kind::Pass && afterTenuki && !MoveBelow(n, room - 1) &&
            MoveBelow(n, 2 * kMaxPathMoves)) {
            ++result_.leftLimits;
            return {};
        }
        int played = 0;
        // The side that has just moved moves again: the other side played
        // elsewhere in between. The file's own order decides, so a file that
        // starts with White is read as it always was.
        if (tenukiBefore) {
            if (!Add(kTenuki) || !Follow(kTenuki)) return {};
            played = 1;
        }
        const int state = board.PointState(p.x, p.y);
        // Tested here rather than left to EnterMove: a refused move ends its
        // variation quietly and is counted for the one closing message.
        if ((state != Empty && state != Candidate) ||
            board.TestMove(board.GetTurn(), p.x, p.y) != EMoveResult::Ok) {
            ++result_.leftIllegal;
            return {-1, played, 0};
        }
        if (!Add(p)) return {-1, played, 0};
        ApplyColor(p, node);
        ApplyNotes(nav_.Dictionary().FindRecNo(p.x, p.y), node);
        if (!hasChildren || !Follow(p)) return {-1, played, 0};
        return {node.FirstChild, played + 1, move.color};
    }

    TNavigation& nav_;
    const TSgfCollection& sgf_;
    ISgfComments* comments_;
    bool namesInComments_ = false;
    IPositionMarkup* markup_;
    IProgress* progress_;
    TSgfMergeResult result_;
};

}  // namespace

TMarkupList SgfNodeMarkup(const TSgfCollection& sgf, const TSgfNode& node) {
    TMarkupList list;
    for (const TSgfProperty& property : node.Properties) {
        EMarkupKind kind{};
        if (!MarkupKindOfProperty(property.Name, kind)) continue;
        for (const std::string& value : property.Values) {
            if (kind != EMarkupKind::Label) {
                std::vector<TPoint> points;
                if (!ExpandSgfPoints({value}, points)) continue;
                for (const TPoint p : points) list.push_back({kind, p.x, p.y, {}});
                continue;
            }
            TPoint p;
            if (value.size() < 3 || value[2] != ':' || !DecodeSgfPoint(value.substr(0, 2), p)) continue;
            const std::string text = value.substr(3);
            // The kana an export gives the i-th child move names a candidate,
            // which the board shows anyway.
            bool candidateLabel = false;
            int i = 0;
            for (int c = node.FirstChild; c >= 0 && i < kLabelCount; c = sgf.Node(c).NextSibling, ++i) {
                const TSgfMove child = SgfMoveOf(sgf.Node(c));
                if (child.kind == TSgfMove::Kind::Point && child.point == p && text == CandidateLabel(i)) {
                    candidateLabel = true;
                    break;
                }
            }
            if (!candidateLabel) list.push_back({kind, p.x, p.y, text});
        }
    }
    return list;
}

TSgfMergeResult MergeSgfTree(TNavigation& nav, const TSgfCollection& sgf, ISgfComments* comments,
                             IPositionMarkup* markup, IProgress* progress) {
    return TSgfMerger(nav, sgf, comments, markup, progress).Run();
}

TSgfMergeResult MergeSgfFile(TNavigation& nav, const std::string& path, ISgfComments* comments,
                             IPositionMarkup* markup, IProgress* progress) {
    if (!nav.FileOpen()) throw EVxloError(kOpenFirstText);
    return MergeSgf(nav, ReadSgfFile(path), comments, markup, progress);
}

TSgfMergeResult MergeSgf(TNavigation& nav, const TSgfCollection& sgf, ISgfComments* comments,
                         IPositionMarkup* markup, IProgress* progress) {
    if (!nav.FileOpen()) throw EVxloError(kOpenFirstText);
    if (SgfBoardSize(sgf.Node(sgf.GameRoot(0))) != kBoardSize) {
        TSgfMergeResult refused;
        refused.wrongSize = true;  // refused before the position is touched
        return refused;
    }
    TOneMoveScope oneMove(nav);
    nav.ResetToRoot();
    TImportBatch batch(nav);
    TSgfMergeResult result = MergeSgfTree(nav, sgf, comments, markup, progress);
    result.textGuessed = sgf.TextGuessed();
    // The moves are in the file before anything that names their records.
    batch.Commit();
    // The result is the report of success: no caller gets it before the
    // comments are stored.
    if (comments) comments->Commit();
    return result;
}

TMessage SgfMergeSummary(const TSgfMergeResult& r) {
    if (r.wrongSize) return QT_TRANSLATE_NOOP("vxlo", "19路盤の棋譜ではないため、マージしませんでした");
    // Each optional part is a message of its own, so a translation needs no
    // template for every combination.
    TMessage text(QT_TRANSLATE_NOOP("vxlo", "SGF をマージしました。追加した手: %1"));
    text.Arg(r.movesAdded);
    if (r.tenukiAdded > 0) text.Then(TMessage(QT_TRANSLATE_NOOP("vxlo", "（うち手抜き %1）")).Arg(r.tenukiAdded));
    if (r.commentsAdded > 0) text.Then(TMessage(QT_TRANSLATE_NOOP("vxlo", "、コメント: %1")).Arg(r.commentsAdded));
    if (r.markupAdded > 0) text.Then(TMessage(QT_TRANSLATE_NOOP("vxlo", "、マーク: %1")).Arg(r.markupAdded));
    if (r.textGuessed) {
        text.Then(TMessage::Literal("\n"))
            .Then(QT_TRANSLATE_NOOP("vxlo", "文字コードの指定がないため、コメントなどの文字は推測して読みました"));
    }
    if (r.cancelled) text = CancelledSummary(std::move(text));
    if (r.LeftOut() == 0) return text;
    TMessage parts;
    const auto part = [&](const char* what, int count) {
        if (count == 0) return;
        TMessage one = TMessage(what).Arg(count);
        if (parts.Empty()) {
            parts = std::move(one);
        } else {
            parts.Then(TMessage(QT_TRANSLATE_NOOP("vxlo", "、%1")).Arg(std::move(one)));
        }
    };
    part(QT_TRANSLATE_NOOP("vxlo", "置き石・配置 %1"), r.leftSetup);
    part(QT_TRANSLATE_NOOP("vxlo", "着手禁止 %1"), r.leftIllegal);
    part(QT_TRANSLATE_NOOP("vxlo", "候補手30・400手の上限 %1"), r.leftLimits);
    text.Then(TMessage::Literal("\n"))
        .Then(TMessage(QT_TRANSLATE_NOOP("vxlo", "取り込まなかった変化: %1（%2）")).Arg(r.LeftOut()).Arg(std::move(parts)));
    return text;
}

}  // namespace vxlo
