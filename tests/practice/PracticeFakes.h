#pragma once
// Stand-ins for what a practice session talks to: a board that records what
// it is asked to show, schedules in memory, a fixed clock, game counts set by
// hand; and dictionaries spelled out record by record.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "practice/PracticeSession.h"
#include "support/FileBytes.h"

namespace vxlo::testing {

// Logs "start", "play REC", "answers REC,REC".
class TRecordingPracticeBoard final : public IPracticeBoard {
public:
    void ReturnToStart() override { log.push_back("start"); }
    void Play(const TPracticeMove& move) override { log.push_back("play " + std::to_string(move.rec)); }
    void ShowAnswers(const std::vector<TPracticeMove>& answers) override {
        std::string entry = "answers";
        for (std::size_t i = 0; i < answers.size(); ++i)
            entry += (i ? "," : " ") + std::to_string(answers[i].rec);
        log.push_back(entry);
    }
    std::vector<std::string> log;
};

class TMemoryCards final : public IPracticeCards {
public:
    std::optional<TPracticeCard> Find(int rec) const override {
        const auto found = cards.find(rec);
        if (found == cards.end()) return std::nullopt;
        return found->second;
    }
    void Put(const TPracticeCard& card) override {
        cards[card.rec] = card;
        ++writes;
    }
    std::map<int, TPracticeCard> cards;
    int writes = 0;
};

class TFixedClock final : public IPracticeClock {
public:
    explicit TFixedClock(int day) : today(day) {}
    int Today() const override { return today; }
    int today;
};

class TFakeEvidence final : public IEvidence {
public:
    std::optional<std::int64_t> GameCount(int rec) const override {
        const auto found = games.find(rec);
        if (found == games.end()) return std::nullopt;
        return found->second;
    }
    std::map<int, std::int64_t> games;
};

// A dictionary in memory, from the file's bytes.
inline std::unique_ptr<TMemoryRecordStore> MemoryDictionary(const TBytes& bytes) {
    auto store = std::make_unique<TMemoryRecordStore>();
    for (std::size_t n = 0; n * kRecordSize < bytes.size(); ++n) {
        TRecordBytes record{};
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(n * kRecordSize), kRecordSize,
                    record.begin());
        store->Write(static_cast<std::int64_t>(n), record);
    }
    return store;
}

// One line: Black 16,4 (1), White 17,3 (2), Black 17,4 (3). Black answers on
// the empty board (0) and after record 2.
inline TBytes ForcedLine() {
    return Concat({Placeholder(), MoveBytes(16, 4, 2), MoveBytes(17, 3, 3), MoveBytes(17, 4)});
}

// Black answers on the empty board, where 2 is marked red, and after either
// White reply; after 4 both answers count (6 blue, 7 black).
//   0 ─ 1 (16,4) ─┬ 3 (17,3) ─ 5 (17,4)
//     │           └ 4 (14,3) ─┬ 6 (16,6) blue
//     │                       └ 7 (13,3)
//     └ 2 (17,4) red
inline TBytes BranchingTree() {
    return Concat({Placeholder(), MoveBytes(16, 4, 3, 2), Rec(17, 4, 1, 100, 0, 0), MoveBytes(17, 3, 5, 4),
                   MoveBytes(14, 3, 6), MoveBytes(17, 4), Rec(16, 6, 2, 100, 0, 7), MoveBytes(13, 3)});
}

}  // namespace vxlo::testing
