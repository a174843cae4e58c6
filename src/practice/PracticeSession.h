#pragma once
// TPracticeSession: drilling the lines below a start position. The program
// plays one side, choosing among the dictionary's candidates (lines with a
// due position first, then by evidence, else uniformly); the user answers for
// the other. A first answer at a position grades its schedule at once; after a
// miss the correct answers are shown and one of them must be played. A line
// ends at a position without continuations, and the next one starts from the
// start again when asked.
#include <cstdint>
#include <random>
#include <vector>

#include "practice/Evidence.h"
#include "practice/PracticeSettings.h"
#include "practice/PracticeStore.h"
#include "practice/PracticeTree.h"

namespace vxlo {

// Where the session shows its moves (the main window's board, or a recording
// fake in tests).
class IPracticeBoard {
public:
    virtual ~IPracticeBoard() = default;
    // Back to the start position, where every line begins.
    virtual void ReturnToStart() = 0;
    // Plays a candidate of the current position.
    virtual void Play(const TPracticeMove& move) = 0;
    // Shows the correct answers after a miss, with their labels.
    virtual void ShowAnswers(const std::vector<TPracticeMove>& answers) = 0;
};

enum class EPracticeState {
    UserToAnswer,    // the user's turn, first try
    ShowingAnswers,  // after a miss: the user plays one of the shown answers
    LineEnded,       // no continuation; NextLine goes on
    NothingDue,      // no position below the start is due for the user's colour
};

enum class EAnswer { Correct, Miss, Ignored };

struct TPracticeCounts {
    int answered = 0;  // first answers in this session
    int misses = 0;
    int lines = 0;     // lines finished
    int due = 0;       // positions due now below the start
    int lineMisses = 0;
};

class TPracticeSession {
public:
    // startColor: the side to move at the start position (Black 1, White 2).
    TPracticeSession(const IPracticeTree& tree, IPracticeCards& cards, IPracticeBoard& board,
                     const IEvidence& evidence, const IPracticeClock& clock,
                     TPracticeSettings settings, int startRec, int startColor,
                     std::uint64_t seed);

    // From the start position, the program plays until the user must answer
    // or the line ends. NothingDue when no line has a due position left.
    void NextLine();
    // The user's answer at the current position: the record of the candidate
    // clicked, or 0 for a click anywhere else. Ignored unless an answer is
    // expected. Only the first try at a position is graded: Correct means the
    // answer was played, even after a miss.
    EAnswer Answer(int rec);
    // The candidate at board point (x, y) of the current position, 0 if none.
    int RecordAt(int x, int y) const;

    EPracticeState State() const { return state_; }
    int CurrentRecord() const { return current_; }
    int UserColor() const { return userColor_; }
    int ColorToMove() const { return toMove_; }
    // The candidates that count as correct at the current position.
    std::vector<TPracticeMove> CorrectAnswers() const;
    TPracticeCounts Counts() const;

private:
    void ContinueLine();
    TPracticeMove ChooseProgramMove(const std::vector<TPracticeMove>& moves);
    void PlayMove(const TPracticeMove& move);
    bool AnyDue(int userColor) const;
    int CountDue() const;
    void Grade(const std::optional<TPracticeCard>& stored, const TPracticeCard& graded, int today);

    const IPracticeTree& tree_;
    IPracticeCards& cards_;
    IPracticeBoard& board_;
    const IEvidence& evidence_;
    const IPracticeClock& clock_;
    TPracticeSettings settings_;
    int startRec_;
    int startColor_;
    std::mt19937_64 random_;

    EPracticeState state_ = EPracticeState::NothingDue;
    int current_ = 0;
    int toMove_ = 1;
    int userColor_ = 1;
    int lineNumber_ = 0;
    TPracticeCounts counts_;
    // The due count of the whole start subtree, taken once per line and kept
    // up to date by each grade, so an answer does not walk the tree again.
    int dueCount_ = 0;
    int dueDay_ = 0;
    bool dueKnown_ = false;
};

}  // namespace vxlo
