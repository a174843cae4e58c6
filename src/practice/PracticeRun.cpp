#include "practice/PracticeRun.h"

#include "board/Goban.h"

namespace vxlo {

TPracticeRun::TPracticeRun(TNavigation& nav, IBoardView& view, TCompanion companion,
                           TPracticeSettings settings, const IEvidence& evidence,
                           const IPracticeClock& clock, std::uint64_t seed)
    : store_(std::move(companion)),
      tree_(nav.Dictionary().Store()),
      board_(nav, view),
      session_(tree_, store_, board_, evidence, clock, settings, nav.CurrentRecord(),
               nav.Board().GetTurn(), seed) {
    session_.NextLine();
}

void TPracticeRun::Click(int x, int y) {
    switch (session_.State()) {
    case EPracticeState::UserToAnswer:
    case EPracticeState::ShowingAnswers: {
        const int rec = session_.RecordAt(x, y);
        lastColor_ = -1;
        for (const TPracticeMove& m : tree_.Continuations(session_.CurrentRecord()))
            if (m.rec == rec) lastColor_ = m.color;
        lastAnswer_ = session_.Answer(rec);
        break;
    }
    case EPracticeState::LineEnded:
    case EPracticeState::NothingDue:
        lastAnswer_ = EAnswer::Ignored;
        session_.NextLine();
        break;
    }
}

void TPracticeRun::Redraw() {
    if (session_.State() == EPracticeState::ShowingAnswers) board_.ShowAnswers(session_.CorrectAnswers());
}

TMessage TPracticeRun::StatusText() const {
    const TPracticeCounts c = session_.Counts();
    // One template per colour: the colour is part of the sentence.
    TMessage text(session_.UserColor() == White
                      ? QT_TRANSLATE_NOOP("vxlo", "練習 白  今日 %1問  ミス %2  期限 %3局面  ")
                      : QT_TRANSLATE_NOOP("vxlo", "練習 黒  今日 %1問  ミス %2  期限 %3局面  "));
    text.Arg(c.answered).Arg(c.misses).Arg(c.due);
    // The colour's name says what the move played is in this dictionary.
    if (lastAnswer_ == EAnswer::Correct) {
        text.Then(TMessage(QT_TRANSLATE_NOOP("vxlo", "正解（%1）  ")).Arg(names_.Name(lastColor_)));
    } else if (lastAnswer_ == EAnswer::Miss && lastColor_ >= 0) {
        text.Then(TMessage(QT_TRANSLATE_NOOP("vxlo", "ミス（%1）  ")).Arg(names_.Name(lastColor_)));
    }
    switch (session_.State()) {
    case EPracticeState::UserToAnswer:
        text.Then(QT_TRANSLATE_NOOP("vxlo", "次の一手は？"));
        break;
    case EPracticeState::ShowingAnswers:
        text.Then(QT_TRANSLATE_NOOP("vxlo", "正解のどれかを打ってください"));
        break;
    case EPracticeState::LineEnded:
        if (c.lineMisses == 0) {
            text.Then(QT_TRANSLATE_NOOP("vxlo", "手順終了：ミスなし"));
        } else {
            text.Then(TMessage(QT_TRANSLATE_NOOP("vxlo", "手順終了：ミス%1")).Arg(c.lineMisses));
        }
        text.Then(QT_TRANSLATE_NOOP("vxlo", "（クリックで次の手順）"));
        break;
    case EPracticeState::NothingDue:
        text.Then(QT_TRANSLATE_NOOP("vxlo", "期限の来た局面はありません"));
        break;
    }
    return text;
}

}  // namespace vxlo
