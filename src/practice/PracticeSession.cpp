#include "practice/PracticeSession.h"

#include <algorithm>

#include "board/Goban.h"
#include "core/VxloError.h"

namespace vxlo {

TPracticeSession::TPracticeSession(const IPracticeTree& tree, IPracticeCards& cards,
                                   IPracticeBoard& board, const IEvidence& evidence,
                                   const IPracticeClock& clock, TPracticeSettings settings,
                                   int startRec, int startColor, std::uint64_t seed)
    : tree_(tree),
      cards_(cards),
      board_(board),
      evidence_(evidence),
      clock_(clock),
      settings_(settings),
      startRec_(startRec),
      startColor_(startColor == White ? White : Black),
      random_(seed) {}

bool TPracticeSession::AnyDue(int userColor) const {
    return HasDuePosition(tree_, cards_, settings_, startRec_, startColor_, userColor,
                          clock_.Today());
}

void TPracticeSession::NextLine() {
    switch (settings_.color) {
    case EPracticeColor::Black: userColor_ = Black; break;
    case EPracticeColor::White: userColor_ = White; break;
    case EPracticeColor::Alternate: userColor_ = lineNumber_ % 2 == 0 ? Black : White; break;
    }
    // Alternating, a colour with nothing due gives its turn to the other.
    if (settings_.color == EPracticeColor::Alternate && !AnyDue(userColor_))
        userColor_ = OtherColor(userColor_);
    board_.ReturnToStart();
    dueCount_ = CountDue();
    dueDay_ = clock_.Today();
    dueKnown_ = true;
    current_ = startRec_;
    toMove_ = startColor_;
    counts_.lineMisses = 0;
    if (!AnyDue(userColor_)) {
        state_ = EPracticeState::NothingDue;
        return;
    }
    ++lineNumber_;
    ContinueLine();
}

void TPracticeSession::ContinueLine() {
    for (;;) {
        const std::vector<TPracticeMove> moves = tree_.Continuations(current_);
        if (moves.empty()) {
            state_ = EPracticeState::LineEnded;
            ++counts_.lines;
            return;
        }
        if (toMove_ == userColor_) {
            // Nothing to learn where every answer is marked wrong: the line
            // ends rather than teach a mistake.
            if (CorrectAnswers().empty()) {
                state_ = EPracticeState::LineEnded;
                ++counts_.lines;
                return;
            }
            state_ = EPracticeState::UserToAnswer;
            return;
        }
        PlayMove(ChooseProgramMove(moves));
    }
}

// Lines that still hold a due position come first; among the candidates left,
// game counts weight the choice (one added to each, so a move without games
// keeps a chance); without any counts the choice is uniform.
TPracticeMove TPracticeSession::ChooseProgramMove(const std::vector<TPracticeMove>& moves) {
    const int today = clock_.Today();
    std::vector<TPracticeMove> pool;
    for (const TPracticeMove& m : moves) {
        if (HasDuePosition(tree_, cards_, settings_, m.rec, OtherColor(toMove_), userColor_, today))
            pool.push_back(m);
    }
    if (pool.empty()) pool = moves;
    std::vector<std::int64_t> weights;
    bool anyEvidence = false;
    for (const TPracticeMove& m : pool) {
        const std::optional<std::int64_t> games = evidence_.GameCount(m.rec);
        anyEvidence = anyEvidence || games.has_value();
        weights.push_back(std::max<std::int64_t>(games.value_or(0), 0) + 1);
    }
    if (!anyEvidence) std::fill(weights.begin(), weights.end(), 1);
    std::int64_t total = 0;
    for (const std::int64_t w : weights) total += w;
    std::int64_t draw = std::uniform_int_distribution<std::int64_t>(0, total - 1)(random_);
    for (std::size_t i = 0; i < pool.size(); ++i) {
        if (draw < weights[i]) return pool[i];
        draw -= weights[i];
    }
    return pool.back();
}

void TPracticeSession::PlayMove(const TPracticeMove& move) {
    board_.Play(move);
    current_ = move.rec;
    toMove_ = OtherColor(toMove_);
}

std::vector<TPracticeMove> TPracticeSession::CorrectAnswers() const {
    std::vector<TPracticeMove> correct;
    for (const TPracticeMove& m : tree_.Continuations(current_)) {
        if (settings_.CountsAsCorrect(m.color)) correct.push_back(m);
    }
    return correct;
}

int TPracticeSession::RecordAt(int x, int y) const {
    for (const TPracticeMove& m : tree_.Continuations(current_)) {
        if (m.x == x && m.y == y) return m.rec;
    }
    return 0;
}

EAnswer TPracticeSession::Answer(int rec) {
    if (state_ != EPracticeState::UserToAnswer && state_ != EPracticeState::ShowingAnswers)
        return EAnswer::Ignored;
    const std::vector<TPracticeMove> correct = CorrectAnswers();
    const auto chosen = std::find_if(correct.begin(), correct.end(),
                                     [&](const TPracticeMove& m) { return m.rec == rec; });
    const bool firstTry = state_ == EPracticeState::UserToAnswer;
    const int today = clock_.Today();
    const std::optional<TPracticeCard> stored = cards_.Find(current_);
    TPracticeCard card = stored.value_or(TPracticeCard{current_, 0, 0, 0, today});
    if (chosen == correct.end()) {
        if (firstTry) {
            // Written before anything is shown: quitting now keeps the lapse.
            Grade(stored, GradeMiss(card, today), today);
            ++counts_.answered;
            ++counts_.misses;
            ++counts_.lineMisses;
            state_ = EPracticeState::ShowingAnswers;
        }
        board_.ShowAnswers(correct);
        return EAnswer::Miss;
    }
    if (firstTry) {
        ++counts_.answered;
        // Answering a position before it is due leaves its schedule alone:
        // an early review proves less than a late one.
        if (IsDue(stored, today)) Grade(stored, GradeCorrect(card, today), today);
    }
    PlayMove(*chosen);
    ContinueLine();
    return EAnswer::Correct;
}

void TPracticeSession::Grade(const std::optional<TPracticeCard>& stored,
                             const TPracticeCard& graded, int today) {
    cards_.Put(graded);
    if (dueKnown_ && dueDay_ == today)
        dueCount_ += (IsDue(graded, today) ? 1 : 0) - (IsDue(stored, today) ? 1 : 0);
}

int TPracticeSession::CountDue() const {
    return CountPositions(tree_, cards_, settings_, {startRec_, startColor_, userColor_},
                          clock_.Today())
        .due;
}

TPracticeCounts TPracticeSession::Counts() const {
    TPracticeCounts counts = counts_;
    // Past midnight the kept count is stale: it is taken afresh.
    counts.due = dueKnown_ && dueDay_ == clock_.Today() ? dueCount_ : CountDue();
    return counts;
}

}  // namespace vxlo
