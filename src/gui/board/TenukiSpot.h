#pragma once
// TTenukiSpot: the place on the tool bar where tenuki lives, since it has no
// point on the board. It shows whose turn it is (a stone of the side to move),
// the word 手抜き, the kana label of a tenuki candidate in its colour, and the
// numbers tenuki took in the last to-branch run, and the engine's points lost
// of the tenuki candidate as the board shows them beside the others. A click
// there is a click on tenuki. It reads everything from the navigation when
// it paints.
#include <QColor>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

#include "gui/board/BoardRenderer.h"
#include "navigation/Navigation.h"

namespace vxlo {

class TTenukiSpot : public QWidget {
    Q_OBJECT
public:
    TTenukiSpot(const TNavigation& nav, const TBoardRenderer& renderer, QWidget* parent);

    std::function<void(EMouseButton)> onPressed;
    // The engine's figure of the tenuki candidate, asked at each paint.
    struct TFigure {
        QString text;
        QColor colour;
    };
    std::function<std::optional<TFigure>()> reviewFigure;
    // What the spot shows of it now: nothing without a tenuki candidate.
    std::optional<TFigure> ShownFigure() const;

    // The kana of the tenuki candidate as shown ("" when none or labels are
    // hidden) and its colour code.
    QString LabelText() const;
    int LabelColor() const;
    // Where the pieces are drawn, in the widget's pixels.
    static QRect TurnRect() { return {3, 4, 17, 17}; }
    static constexpr int kWidth = 150;
    static constexpr int kHeight = 25;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int CandidateIndex() const;

    const TNavigation& nav_;
    const TBoardRenderer& renderer_;
};

}  // namespace vxlo
