#pragma once
// Recording stand-ins for what the navigation talks to: the board view (with
// a model of what the screen shows), the message sink, the comment store and
// the menu state; and TNavigationRig, a navigation wired to all of them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/CheckedArray.h"
#include "navigation/Navigation.h"

namespace vxlo::testing {

// What one point of the board shows.
struct TScreenPoint {
    int stone = 0;        // 0 none, 1 black, 2 white
    int number = 0;       // number drawn on the stone, 0 none
    std::string label;    // candidate label drawn on an empty point
    int labelColor = 0;
    friend bool operator==(const TScreenPoint&, const TScreenPoint&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const TScreenPoint& p) {
    out << "{stone " << p.stone << ", number " << p.number << ", label '" << p.label << "' colour "
        << p.labelColor << "}";
    return out;
}

// Keeps the screen as the drawing calls leave it, and a log of the calls
// ("stone 1 16,4", "number 1 3 16,4", "label い 16,4 0", "erase 16,4",
// "repaint"). With a navigation attached, FullRepaint redraws the screen from
// its state the way the renderer does.
class TRecordingView final : public IBoardView {
public:
    void Attach(TNavigation* nav) { nav_ = nav; }

    void DrawStone(int value, int x, int y) override {
        Log("stone " + std::to_string(value) + " " + Where(x, y));
        screen_.At(x, y) = TScreenPoint{value, 0, "", 0};
    }
    void DrawStoneNumber(int value, int number, int x, int y) override {
        Log("number " + std::to_string(value) + " " + std::to_string(number) + " " + Where(x, y));
        screen_.At(x, y) = TScreenPoint{value, number, "", 0};
    }
    void DrawLabel(std::string_view text, int x, int y, int colorCode) override {
        Log("label " + std::string(text) + " " + Where(x, y) + " " + std::to_string(colorCode));
        screen_.At(x, y) = TScreenPoint{0, 0, std::string(text), colorCode};
    }
    void ErasePoint(int x, int y) override {
        Log("erase " + Where(x, y));
        screen_.At(x, y) = TScreenPoint{};
    }
    void FullRepaint() override {
        Log("repaint");
        ++repaints;
        screen_.Fill(TScreenPoint{});
        if (nav_ == nullptr) return;
        const TGoban& board = nav_->Board();
        for (int y = 1; y <= 19; ++y) {
            for (int x = 1; x <= 19; ++x) {
                const int stone = board.GetStone(x, y);
                if (stone != Empty) screen_.At(x, y) = TScreenPoint{stone, board.GetNumber(x, y), "", 0};
            }
        }
        if (nav_->FileOpen() && nav_->LabelMode() == ELabelMode::Shown) {
            // Labels are part of the repaint, not new drawing calls to count.
            const std::size_t logged = log.size();
            nav_->Dictionary().DrawLabels();
            log.resize(logged);
        }
    }

    const TScreenPoint& At(int x, int y) const { return screen_.At(x, y); }
    // Log entries that start with the given prefix.
    std::vector<std::string> Calls(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& entry : log) {
            if (entry.rfind(prefix, 0) == 0) found.push_back(entry);
        }
        return found;
    }
    void ClearLog() { log.clear(); }

    std::vector<std::string> log;
    int repaints = 0;

private:
    static std::string Where(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
    void Log(std::string entry) { log.push_back(std::move(entry)); }

    TNavigation* nav_ = nullptr;
    TCheckedGrid<TScreenPoint, 0, 20> screen_;
};

class TRecordingMessages final : public IMessageSink {
public:
    void ShowMessage(const TMessage& message) override { shown.push_back(message.Text()); }
    std::vector<std::string> shown;
};

class TRecordingComments final : public ICommentStore {
public:
    struct TCall {
        std::string what;  // "save" or "locate"
        int record = 0;
        int inputMode = 0;  // save only, as VXLO.INI stores it
        friend bool operator==(const TCall&, const TCall&) = default;
    };
    void SaveComment(int currentRecord, EInputMode inputMode) override {
        calls.push_back({"save", currentRecord, StoredMode(inputMode)});
    }
    void LocateComment(int n) override { calls.push_back({"locate", n, 0}); }
    std::vector<TCall> calls;
};

inline std::ostream& operator<<(std::ostream& out, const TRecordingComments::TCall& c) {
    return out << c.what << " " << c.record << " " << c.inputMode;
}

class TRecordingMenus final : public IMenuState {
public:
    void SetDataEnabled(bool enabled) override {
        data = enabled;
        ++changes;
    }
    void SetDelete1Enabled(bool enabled) override {
        delete1 = enabled;
        ++changes;
    }
    bool data = false;
    bool delete1 = false;
    int changes = 0;
};

// A navigation on recording fakes. The view redraws from the navigation on a
// full repaint.
struct TNavigationRig {
    TRecordingView view;
    TRecordingMessages messages;
    TRecordingComments comments;
    TRecordingMenus menus;
    TNavigation nav{view, messages, comments, menus};

    TNavigationRig() { view.Attach(&nav); }

    // The screen shows exactly the board's stones with their numbers, and the
    // labels of the candidates when labels are shown (none for a 31st).
    void ExpectScreenMatches() const {
        const TGoban& board = nav.Board();
        const TLjsk& dict = nav.Dictionary();
        for (int y = 1; y <= 19; ++y) {
            for (int x = 1; x <= 19; ++x) {
                TScreenPoint expected;
                const int stone = board.GetStone(x, y);
                if (stone != Empty) {
                    expected.stone = stone;
                    expected.number = board.GetNumber(x, y);
                } else if (board.PointState(x, y) == Candidate && nav.LabelMode() == ELabelMode::Shown) {
                    // Without played counts the kana go in chain order, the
                    // unlabelled mark past them.
                    for (int i = 0; i < dict.Count(); ++i) {
                        if (dict.GetMoveXY(i) == TPoint{x, y}) {
                            expected.label = std::string(i < kLabelCount ? CandidateLabel(i) : kUnlabelledMark);
                            expected.labelColor = dict.GetRecord(i).Color;
                            break;
                        }
                    }
                }
                EXPECT_EQ(view.At(x, y), expected) << "screen at " << x << "," << y;
            }
        }
        // The tenuki spot shows only its label: tenuki leaves no stone.
        TScreenPoint tenuki;
        if (board.PointState(kTenuki.x, kTenuki.y) == Candidate && nav.LabelMode() == ELabelMode::Shown) {
            for (int i = 0; i < dict.Count(); ++i) {
                if (dict.GetMoveXY(i) == kTenuki) {
                    tenuki.label = std::string(i < kLabelCount ? CandidateLabel(i) : kUnlabelledMark);
                    tenuki.labelColor = dict.GetRecord(i).Color;
                }
            }
        }
        EXPECT_EQ(view.At(kTenuki.x, kTenuki.y), tenuki) << "screen at the tenuki spot";
    }
};

}  // namespace vxlo::testing
