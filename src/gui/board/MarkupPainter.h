#pragma once
// Drawing of a position's board markup over the board. Markup is one colour
// that nothing else on the board uses, in outline shapes and boxed letters, so
// it is never taken for a candidate's kana and stays legible on stones and
// candidates alike.
#include <QColor>

#include "gui/board/BoardRenderer.h"
#include "companion/Markup.h"

class QPainter;

namespace vxlo {

inline constexpr QRgb kMarkupRgb = 0xFFE000E0;  // magenta
inline constexpr QRgb kMarkupBoxRgb = 0xFFFFFFFF;

// Paints list on p in the board widget's coordinates (client y minus the tool
// panel), after the geometry of the renderer's last full repaint. While
// labelsShown, a mark on a candidate is drawn small in its point's corner so
// that it never covers the candidate's label.
void PaintMarkup(QPainter& p, const TBoardRenderer& renderer, const TGoban& board, const TMarkupList& list,
                 bool labelsShown);

}  // namespace vxlo
