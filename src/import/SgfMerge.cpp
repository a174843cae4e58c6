#include "import/SgfMerge.h"

#include <vector>

namespace vxlo {

namespace {

class TSgfMerger {
public:
    TSgfMerger(TNavigation& nav, const TSgfCollection& sgf, ISgfComments* comments)
        : nav_(nav), sgf_(sgf), comments_(comments) {}

    TSgfMergeResult Run() {
        const int root = sgf_.GameRoot(0);
        if (SgfBoardSize(sgf_.Node(root)) != kBoardSize) {
            result_.wrongSize = true;
            return result_;
        }
        // Explicit stack: one frame per node whose children are being merged.
        struct TFrame {
            int nextChild;
            bool followed;  // a move was played to get here: take it back at the end
        };
        std::vector<TFrame> stack;
        const TStep first = Process(root);
        if (first.descend) stack.push_back({sgf_.Node(root).FirstChild, first.followed});
        while (!stack.empty()) {
            const int n = stack.back().nextChild;
            if (n < 0) {
                const bool followed = stack.back().followed;
                stack.pop_back();
                if (followed) nav_.MaeNoTe();
                continue;
            }
            stack.back().nextChild = sgf_.Node(n).NextSibling;
            const TStep step = Process(n);
            if (step.descend) stack.push_back({sgf_.Node(n).FirstChild, step.followed});
        }
        return result_;
    }

private:
    struct TStep {
        bool descend = false;
        bool followed = false;
    };

    // The record of the current position: 0 at the root.
    int CurrentKey() const { return nav_.Path().LastRecNo(); }

    void ApplyComment(int key, const TSgfNode& node) {
        if (!comments_) return;
        const std::string* text = node.Value("C");
        if (!text || text->empty() || comments_->HasComment(key)) return;
        comments_->PutComment(key, *text);
        ++result_.commentsAdded;
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

    TStep Process(int n) {
        const TSgfNode& node = sgf_.Node(n);
        if (HasSgfSetup(node)) {
            ++result_.leftSetup;
            return {};
        }
        const TSgfMove move = SgfMoveOf(node);
        const bool hasChildren = node.FirstChild >= 0;
        switch (move.kind) {
        case TSgfMove::Kind::None:
            ApplyComment(CurrentKey(), node);
            return {hasChildren, false};
        case TSgfMove::Kind::Pass:
            ++result_.leftPasses;
            return {};
        case TSgfMove::Kind::Invalid:
            ++result_.leftIllegal;
            return {};
        case TSgfMove::Kind::Point:
            break;
        }
        const TPoint p = move.point;
        TGoban& board = nav_.Board();
        const int state = board.PointState(p.x, p.y);
        // Tested here rather than left to Deside: a refused move ends its
        // variation quietly and is counted for the one closing message.
        if ((state != Empty && state != Candidate) ||
            board.TestMove(board.GetTurn(), p.x, p.y) != MoveOk) {
            ++result_.leftIllegal;
            return {};
        }
        if (state == Empty) {
            nav_.Deside(p.x, p.y);
            if (board.PointState(p.x, p.y) != Candidate) {  // 30 candidates already
                ++result_.leftLimits;
                return {};
            }
            ++result_.movesAdded;
        }
        ApplyColor(p, node);
        ApplyComment(nav_.Dictionary().FindRecNo(p.x, p.y), node);
        if (!hasChildren) return {};
        const int before = nav_.Path().Count();
        nav_.Deside(p.x, p.y);
        if (nav_.Path().Count() != before + 1) {  // the path is full
            ++result_.leftLimits;
            return {};
        }
        return {true, true};
    }

    TNavigation& nav_;
    const TSgfCollection& sgf_;
    ISgfComments* comments_;
    TSgfMergeResult result_;
};

}  // namespace

TSgfMergeResult MergeSgfTree(TNavigation& nav, const TSgfCollection& sgf, ISgfComments* comments) {
    return TSgfMerger(nav, sgf, comments).Run();
}

TSgfMergeResult MergeSgfFile(TNavigation& nav, const std::string& path, ISgfComments* comments) {
    if (!nav.FileOpen()) throw EVxloError(kOpenFirstText);
    const TSgfCollection sgf = ReadSgfFile(path);
    if (SgfBoardSize(sgf.Node(sgf.GameRoot(0))) != kBoardSize) {
        TSgfMergeResult refused;
        refused.wrongSize = true;  // refused before the position is touched
        return refused;
    }
    TOneMoveScope oneMove(nav);
    nav.ResetToRoot();
    TSgfMergeResult result = MergeSgfTree(nav, sgf, comments);
    result.textGuessed = sgf.TextGuessed();
    // The result is the report of success: no caller gets it before the
    // comments are stored.
    if (comments) comments->Commit();
    return result;
}

std::string SgfMergeSummary(const TSgfMergeResult& r) {
    if (r.wrongSize) return "19路盤の棋譜ではないため、マージしませんでした";
    std::string text = "SGF をマージしました。追加した手: " + std::to_string(r.movesAdded);
    if (r.commentsAdded > 0) text += "、コメント: " + std::to_string(r.commentsAdded);
    if (r.textGuessed) text += "\n文字コードの指定がないため、コメントなどの文字は推測して読みました";
    if (r.LeftOut() == 0) return text;
    text += "\n取り込まなかった変化: " + std::to_string(r.LeftOut()) + "（";
    std::string parts;
    const auto part = [&](const char* what, int count) {
        if (count == 0) return;
        if (!parts.empty()) parts += "、";
        parts += what + std::string(" ") + std::to_string(count);
    };
    part("パス", r.leftPasses);
    part("置き石・配置", r.leftSetup);
    part("着手禁止", r.leftIllegal);
    part("候補手30・400手の上限", r.leftLimits);
    return text + parts + "）";
}

}  // namespace vxlo
