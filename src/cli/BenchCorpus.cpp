#include "cli/BenchCorpus.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fstream>

#include "core/VxloError.h"

namespace vxlo {

namespace {

constexpr int kOpeningDepth = 14;   // moves drawn from a shared, skewed book

class THistory final : public IMoveHistory {
public:
    int Count() const override { return static_cast<int>(moves.size()); }
    void GetMove(int n, int& x, int& y) const override {
        x = moves[static_cast<std::size_t>(n - 1)].x;
        y = moves[static_cast<std::size_t>(n - 1)].y;
    }
    int GetCaptureCount(int n) const override { return static_cast<int>(captures[static_cast<std::size_t>(n - 1)].size()); }
    void GetCapture(int n, int k, int& x, int& y) const override {
        const TPoint p = captures[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(k - 1)];
        x = p.x;
        y = p.y;
    }
    std::vector<TPoint> moves;
    std::vector<std::vector<TPoint>> captures;
};

class TNoPainter final : public IStonePainter {
public:
    void DrawStone(int, int, int) override {}
    void DrawStoneNumber(int, int, int, int) override {}
};

}  // namespace

// A game whose first moves follow a book: at each position the k-th book
// move (k skewed towards 0) is a fixed function of the position's history,
// so games share openings the way real records do.
std::vector<TPoint> BenchGame(std::mt19937& rng) {
    THistory history;
    TNoPainter painter;
    TGoban board(history, painter);
    std::geometric_distribution<int> bookChoice(0.55);
    std::uint64_t prefix = 1469598103934665603ull;
    auto play = [&](int x, int y) {
        if (board.TestMove(board.GetTurn(), x, y) != EMoveResult::Ok) return false;
        board.PlayMove(x, y);
        std::vector<TPoint> taken;
        for (int k = 1; k <= board.CapturedCount(); ++k) taken.push_back(board.Captured(k));
        history.moves.push_back({x, y});
        history.captures.push_back(std::move(taken));
        return true;
    };
    while (static_cast<int>(history.moves.size()) < kBenchMovesPerGame) {
        const bool book = static_cast<int>(history.moves.size()) < kOpeningDepth;
        bool played = false;
        const int choice = book ? std::min(bookChoice(rng), 4) : 0;
        for (int attempt = 0; attempt < 400 && !played; ++attempt) {
            int x = 0, y = 0;
            if (book) {
                std::mt19937 bookRng(static_cast<unsigned>(prefix ^ (prefix >> 32)) + 977u * static_cast<unsigned>(choice) +
                                     31u * static_cast<unsigned>(attempt));
                x = 3 + static_cast<int>(bookRng() % 15);
                y = 3 + static_cast<int>(bookRng() % 15);
            } else {
                x = 1 + static_cast<int>(rng() % 19);
                y = 1 + static_cast<int>(rng() % 19);
            }
            played = play(x, y);
            if (played) prefix = (prefix ^ static_cast<std::uint64_t>(x * 32 + y)) * 1099511628211ull;
        }
        if (!played) break;
    }
    return history.moves;
}

std::string BenchIg1(const std::vector<TPoint>& moves) {
    std::string text = "INT 1\r\nMOV\r\n";
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const TPoint p = moves[i];
        text += static_cast<char>(p.x <= 8 ? 'A' + p.x - 1 : 'A' + p.x);
        text += static_cast<char>('0' + p.y / 10);
        text += static_cast<char>('0' + p.y % 10);
        text += (i % 10 == 9) ? "\r\n" : " ";
    }
    return text + "\r\n";
}

void WriteStoreToFile(IRecordStore& store, const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::vector<TRecordBytes> slice;
    for (std::int64_t first = 0; first < store.RecordCount(); first += 1 << 20) {
        slice.resize(static_cast<std::size_t>(std::min<std::int64_t>(1 << 20, store.RecordCount() - first)));
        store.ReadRange(first, slice);
        out.write(reinterpret_cast<const char*>(slice.data()), static_cast<std::streamsize>(slice.size() * kRecordSize));
    }
    out.close();
    if (!out) throw EInOutError(EIO, path);
}

}  // namespace vxlo
