#pragma once
// Seeded random legal games, written as IG1 text.
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "board/Goban.h"

namespace vxlo::testing {

// Enough history for the board's ko test, without the path's 400-move cap.
class TUnboundedHistory final : public IMoveHistory {
public:
    int Count() const override { return static_cast<int>(moves.size()); }
    void GetMove(int n, int& x, int& y) const override {
        x = moves.at(static_cast<std::size_t>(n - 1)).x;
        y = moves.at(static_cast<std::size_t>(n - 1)).y;
    }
    int GetCaptureCount(int n) const override {
        return static_cast<int>(captures.at(static_cast<std::size_t>(n - 1)).size());
    }
    void GetCapture(int n, int k, int& x, int& y) const override {
        const TPoint p = captures.at(static_cast<std::size_t>(n - 1)).at(static_cast<std::size_t>(k - 1));
        x = p.x;
        y = p.y;
    }
    std::vector<TPoint> moves;
    std::vector<std::vector<TPoint>> captures;
};

class TQuietPainter final : public IStonePainter {
public:
    void DrawStone(int, int, int) override {}
    void DrawStoneNumber(int, int, int, int) override {}
};

inline std::vector<TPoint> RandomGame(unsigned seed, int length) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> coord(1, kBoardSize);
    TUnboundedHistory history;
    TQuietPainter painter;
    TGoban board(history, painter);
    while (static_cast<int>(history.moves.size()) < length) {
        bool played = false;
        for (int attempt = 0; attempt < 2000 && !played; ++attempt) {
            const int x = coord(rng), y = coord(rng);
            if (board.TestMove(board.GetTurn(), x, y) != EMoveResult::Ok) continue;
            board.PlayMove(x, y);
            std::vector<TPoint> taken;
            for (int k = 1; k <= board.CapturedCount(); ++k) taken.push_back(board.Captured(k));
            history.moves.push_back({x, y});
            history.captures.push_back(taken);
            played = true;
        }
        if (!played) break;
    }
    return history.moves;
}

// "D04" for the point (4, 4); the lettering skips I.
inline std::string Ig1Token(TPoint p) {
    char text[8];
    std::snprintf(text, sizeof text, "%c%02d", static_cast<char>(p.x <= 8 ? 'A' + p.x - 1 : 'A' + p.x), p.y);
    return text;
}

inline std::string Ig1Text(const std::vector<TPoint>& moves) {
    std::string text = "INT 1\r\nMOV\r\n";
    for (std::size_t i = 0; i < moves.size(); ++i) {
        text += Ig1Token(moves[i]);
        text += (i % 10 == 9) ? "\r\n" : " ";
    }
    return text + "\r\n";
}

}  // namespace vxlo::testing
