#pragma once
// The navigation under test with its recording fakes, and lines that reach
// far without a ko of their own.
#include <gtest/gtest.h>

#include <random>

#include "navigation/Navigation.h"
#include "reliability/Consistency.h"
#include "reliability/FaultInjection.h"
#include "support/FileBytes.h"
#include "support/RecordingFakes.h"
#include "support/TempDir.h"

namespace vxlo::testing {


using TLine = std::vector<TPoint>;
constexpr auto Left = EMouseButton::Left;
constexpr auto Right = EMouseButton::Right;

// Three kos side by side: six captures, one in each ko and in turn, bring
// the position back, so a legal line can be as long as needed.
inline TLine EndlessLine(int length) {
    const TLine black = {{3, 2}, {2, 3}, {3, 4}, {9, 2}, {8, 3}, {9, 4}, {10, 3}, {15, 2}, {14, 3}, {15, 4}, {10, 16}};
    const TLine white = {{4, 2}, {5, 3}, {4, 4}, {3, 3}, {10, 2}, {11, 3}, {10, 4}, {16, 2}, {17, 3}, {16, 4}, {15, 3}};
    const TLine cycle = {{4, 3}, {9, 3}, {16, 3}, {3, 3}, {10, 3}, {15, 3}};
    TLine line;
    for (std::size_t i = 0; i < black.size(); ++i) {
        line.push_back(black[i]);
        line.push_back(white[i]);
    }
    for (std::size_t i = 0; line.size() < static_cast<std::size_t>(length); ++i) line.push_back(cycle[i % 6]);
    line.resize(static_cast<std::size_t>(length));
    return line;
}

// Full-width rows of stones, Black on rows 4, 8, 12, 16 and White on rows
// 6, 10, 14, 18: every move legal, nothing ever captured.
inline TLine RowsLine(int length) {
    TLine line;
    for (int i = 0; i < length; ++i) {
        const int pair = i / 2;
        const int row = (i % 2 == 0 ? 4 : 6) + 4 * (pair / 19);
        line.push_back({1 + pair % 19, row});
    }
    return line;
}

class Navigation : public ::testing::Test {
protected:
    void SetUp() override { Open(); }

    void Open() { nav.OpenFile(file); }
    void Reopen() {
        nav.CloseFile();
        Open();
    }
    // Enters a line from the root in one-move mode, as the importers do, and
    // goes back to the root.
    void Record(const TLine& line) {
        nav.ToFirst();
        {
            TOneMoveScope oneMove(nav);
            for (const TPoint& p : line) {
                ASSERT_TRUE(nav.Deside(p.x, p.y)) << p.x << "," << p.y;
                ASSERT_TRUE(nav.Deside(p.x, p.y)) << p.x << "," << p.y;
            }
        }
        nav.ToFirst();
        rig.view.ClearLog();
        rig.messages.shown.clear();
        rig.comments.calls.clear();
    }
    // Plays known moves one at a time.
    void Walk(const TLine& line) {
        TOneMoveScope oneMove(nav);
        for (const TPoint& p : line) ASSERT_TRUE(nav.Deside(p.x, p.y));
    }
    // A click on the display cell of a board point (default orientation).
    void Click(int x, int y, EMouseButton button = Left) { nav.MouseDown(button, x, y); }
    void ExpectSound() {
        rig.ExpectScreenMatches();
        ExpectConsistent(nav, false);
    }
    TBytes Bytes() const { return ReadFileBytes(file); }
    std::vector<TPoint> Candidates() const {
        std::vector<TPoint> points;
        for (int i = 0; i < nav.Dictionary().Count(); ++i) points.push_back(nav.Dictionary().GetMoveXY(i));
        return points;
    }
    std::vector<int> NumbersAlong(const TLine& line) const {
        std::vector<int> numbers;
        for (const TPoint& p : line) numbers.push_back(nav.Board().GetNumber(p.x, p.y));
        return numbers;
    }

    TTempDir dir;
    std::string file = dir.File("nav.jsk");
    TNavigationRig rig;
    TNavigation& nav = rig.nav;
};

// --- Entering and following moves ---------------------------------------

}  // namespace vxlo::testing
