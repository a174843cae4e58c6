#include "gui/board/MarkupPainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <algorithm>

#include "gui/mainwindow/QtText.h"

namespace vxlo {

void PaintMarkup(QPainter& p, const TBoardRenderer& renderer, const TGoban& board, const TMarkupList& list,
                 bool labelsShown) {
    const int s = renderer.CellSize();
    if (s <= 0 || list.empty()) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor colour = QColor::fromRgb(kMarkupRgb);
    QFont font = renderer.TextFont();
    font.setPixelSize(s - 9);
    font.setBold(true);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias));
    p.setFont(font);
    QFont small = font;
    small.setPixelSize(std::max(6, s / 3));
    for (const TMarkup& m : list) {
        if (m.x < 1 || m.x > board.GetSize() || m.y < 1 || m.y > board.GetSize()) continue;
        const TPoint cell = board.BoardToDisplay(m.x, m.y);
        int left = renderer.BoardLeft() + (cell.x - 1) * s;
        int top = renderer.BoardTop() + (cell.y - 1) * s - TBoardRenderer::kToolPanelHeight;
        int size = s;
        // A candidate's kana keeps the middle of its point: the mark goes
        // small into the upper right corner, where no label reaches.
        const bool beside = labelsShown && board.PointState(m.x, m.y) == Candidate;
        if (beside) {
            size = std::max(6, s * 2 / 5);
            left += s - size;
            p.setFont(small);
        } else {
            p.setFont(font);
        }
        const int inset = beside ? 1 : s / 5;
        const QRect box(left + inset, top + inset, size - 2 * inset, size - 2 * inset);
        p.setPen(QPen(colour, beside ? 1 : 2));
        p.setBrush(Qt::NoBrush);
        switch (m.kind) {
        case EMarkupKind::Triangle: {
            const QPolygon triangle({QPoint(box.center().x(), box.top()), QPoint(box.left(), box.bottom()),
                                     QPoint(box.right(), box.bottom())});
            p.drawPolygon(triangle);
            break;
        }
        case EMarkupKind::Square:
            p.drawRect(box);
            break;
        case EMarkupKind::Circle:
            p.drawEllipse(box);
            break;
        case EMarkupKind::Cross:
            p.drawLine(box.topLeft(), box.bottomRight());
            p.drawLine(box.topRight(), box.bottomLeft());
            break;
        case EMarkupKind::Label: {
            // A white box under the letters: legible on black, white and the
            // board, and unlike the bare kana of the candidates.
            const QRect plate = beside ? QRect(left, top, size, size) : QRect(left + 2, top + 3, s - 4, s - 6);
            p.setPen(QPen(colour, 1));
            p.setBrush(QColor::fromRgb(kMarkupBoxRgb));
            p.drawRect(plate.adjusted(0, 0, -1, -1));
            p.setPen(colour);
            p.drawText(plate, Qt::AlignCenter, ToQt(m.label));
            break;
        }
        }
    }
    p.restore();
}

}  // namespace vxlo
