#include "practice/PracticeRun.h"

#include "board/Goban.h"

namespace vxlo {

TPracticeRun::TPracticeRun(TNavigation& nav, IBoardView& view, const std::string& dictionaryPath,
                           TPracticeSettings settings, const IEvidence& evidence,
                           const IPracticeClock& clock, std::uint64_t seed)
    : store_(dictionaryPath, TPracticeStore::Mode::ReadWrite),
      tree_(nav.Dictionary().Store()),
      board_(nav, view),
      session_(tree_, store_, board_, evidence, clock, settings, nav.CurrentRecord(),
               nav.Board().GetTurn(), seed) {
    session_.NextLine();
}

void TPracticeRun::Click(int x, int y) {
    switch (session_.State()) {
    case EPracticeState::UserToAnswer:
    case EPracticeState::ShowingAnswers:
        session_.Answer(session_.RecordAt(x, y));
        break;
    case EPracticeState::LineEnded:
    case EPracticeState::NothingDue:
        session_.NextLine();
        break;
    }
}

void TPracticeRun::Redraw() {
    if (session_.State() == EPracticeState::ShowingAnswers) board_.ShowAnswers(session_.CorrectAnswers());
}

std::string TPracticeRun::StatusText() const {
    const TPracticeCounts c = session_.Counts();
    std::string text = "練習 " + std::string(session_.UserColor() == White ? "白" : "黒") +
                       "  今日 " + std::to_string(c.answered) + "問  ミス " +
                       std::to_string(c.misses) + "  期限 " + std::to_string(c.due) + "局面  ";
    switch (session_.State()) {
    case EPracticeState::UserToAnswer:
        text += "次の一手は？";
        break;
    case EPracticeState::ShowingAnswers:
        text += "正解のどれかを打ってください";
        break;
    case EPracticeState::LineEnded:
        text += c.lineMisses == 0 ? "手順終了：ミスなし"
                                  : "手順終了：ミス" + std::to_string(c.lineMisses);
        text += "（クリックで次の手順）";
        break;
    case EPracticeState::NothingDue:
        text += "期限の来た局面はありません";
        break;
    }
    return text;
}

}  // namespace vxlo
