#pragma once
// The generated game records the benchmarks import: games whose openings
// follow a shared, skewed book, as real collections do, and the quiet
// navigation they are entered with.
#include <random>
#include <string>
#include <vector>

#include "board/Goban.h"
#include "navigation/Navigation.h"

namespace vxlo {

inline constexpr int kBenchMovesPerGame = 60;

// One game of up to kBenchMovesPerGame legal moves.
std::vector<TPoint> BenchGame(std::mt19937& rng);
// The game as an IG1 record.
std::string BenchIg1(const std::vector<TPoint>& moves);

class TQuietMessages final : public IMessageSink {
public:
    void ShowMessage(const TMessage&) override {}
};

// Writes every record of store to a new file at path, a slice at a time.
void WriteStoreToFile(IRecordStore& store, const std::string& path);

// A navigation without a window, as the tool runs it.
struct TBenchWorld {
    TNullView view;
    TQuietMessages messages;
    TNullCommentStore comments;
    TNullMenuState menus;
    TNavigation nav{view, messages, comments, menus};
};

}  // namespace vxlo
