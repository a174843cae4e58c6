// The board as drawn: geometry from the window size, pixel probes on the
// canvas, and the widget that shows it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QRawFont>
#include <memory>
#include <string>
#include <vector>

#include "gui/board/BoardRenderer.h"
#include "gui/board/BoardWidget.h"

namespace vxlo {
namespace {


class TRecordingMessages final : public IMessageSink {
public:
    void ShowMessage(const TMessage& message) override { texts.push_back(message.Text()); }
    std::vector<std::string> texts;
};

constexpr std::uint32_t kBan = 0x008080;
constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kLime = 0x00FF00;
constexpr std::uint32_t kGreen = 0x008000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kBlack = 0x000000;

QRgb Rgb(std::uint32_t bgr) { return ColorFromBgr(bgr).rgb(); }

}  // namespace

// Failures name the first differing pixel rather than dumping bytes.
void PrintTo(const QImage& image, std::ostream* os) {
    *os << "QImage " << image.width() << "x" << image.height();
}

namespace {

// The main window as far as the board goes: the renderer is built before
// the navigation that it reads and that draws through it.
struct TBoard {
    TBoardRenderer renderer{nav};
    TRecordingMessages messages;
    TNullCommentStore comments;
    TNullMenuState menus;
    TNavigation nav{renderer, messages, comments, menus};
    int changes = 0;

    explicit TBoard(int width = 340, int height = 375) {
        renderer.onChanged = [this] { ++changes; };
        renderer.Resize(width, height);
        renderer.SetPaintEnabled(true);
    }
    void OpenEmpty() { nav.OpenStore(std::make_unique<TMemoryRecordStore>()); }
    // Adds the move, then plays it.
    void Play(int x, int y) {
        ASSERT_TRUE(nav.Deside(x, y));
        ASSERT_TRUE(nav.Deside(x, y));
    }
    QRgb Px(int clientX, int clientY) const {
        const QPoint at(clientX, clientY - TBoardRenderer::kToolPanelHeight);
        if (!renderer.Canvas().valid(at)) {
            ADD_FAILURE() << "client pixel " << clientX << "," << clientY << " is off the canvas";
            return 0;
        }
        return renderer.Canvas().pixel(at);
    }
    int Left(int column) const { return renderer.BoardLeft() + (column - 1) * renderer.CellSize(); }
    int Top(int row) const { return renderer.BoardTop() + (row - 1) * renderer.CellSize(); }
    // Pixels of colour bgr in display cell (column, row).
    int CountInCell(int column, int row, std::uint32_t bgr) const {
        int n = 0;
        for (int y = Top(row); y < Top(row) + renderer.CellSize(); ++y) {
            for (int x = Left(column); x < Left(column) + renderer.CellSize(); ++x) {
                if (Px(x, y) == Rgb(bgr)) ++n;
            }
        }
        return n;
    }
    // The cell, with its one-pixel rim to the right and below unless the
    // neighbours there may differ.
    QImage Cell(int column, int row, bool rim = true) const {
        const int size = renderer.CellSize() + (rim ? 1 : 0);
        return renderer.Canvas().copy(Left(column), Top(row) - TBoardRenderer::kToolPanelHeight,
                                      size, size);
    }
};

TEST(BoardRendererGeometry, FromTheClientSize) {
    TBoard board(340, 375);
    const TBoardRenderer& r = board.renderer;
    EXPECT_EQ(r.CellSize(), 17);
    EXPECT_EQ(r.HalfCell(), 8);
    EXPECT_EQ(r.BoardPixels(), 323);
    EXPECT_EQ(r.BoardLeft(), 8);
    EXPECT_EQ(r.BoardTop(), 30);
    EXPECT_EQ(r.Canvas().size(), QSize(340, 323));
    const struct {
        int width, height, cell, left, top;
    } cases[] = {
        {474, 474 + 52, 21, 37, 29 + 37},  // square areas of side m: 474, 475, 300, 398, 399
        {475, 475 + 52, 25, 1, 30},
        {300, 300 + 52, 17, 1, 30},        // the board runs past the window
        {398, 398 + 52, 17, 37, 29 + 37},
        {399, 399 + 52, 21, 1, 30},
        {1000, 474 + 52, 21, 300, 29 + 37},  // the smaller side decides
        {600, 375, 17, 138, 30},             // centred while wider than the board
        {327, 375, 17, 2, 30},
        {323, 375, 17, 1, 30},               // else stuck to x = 1
        {340, 500, 17, 8, 29 + 62},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        board.renderer.Resize(c.width, c.height);
        EXPECT_EQ(r.CellSize(), c.cell);
        EXPECT_EQ(r.HalfCell(), c.cell / 2);
        EXPECT_EQ(r.BoardPixels(), 19 * c.cell);
        EXPECT_EQ(r.BoardLeft(), c.left);
        EXPECT_EQ(r.BoardTop(), c.top);
    }
}

TEST(BoardRendererGeometry, HitTestCoversExactlyTheCells) {
    TBoard board;
    const TBoardRenderer& r = board.renderer;
    const int left = r.BoardLeft(), top = r.BoardTop(), size = r.BoardPixels();
    EXPECT_EQ(r.HitTest(left, top), (TPoint{1, 1}));
    EXPECT_EQ(r.HitTest(left + 16, top + 16), (TPoint{1, 1}));
    EXPECT_EQ(r.HitTest(left + 17, top + 16), (TPoint{2, 1}));
    EXPECT_EQ(r.HitTest(left + 17 * 9 + 8, top + 17 * 3), (TPoint{10, 4}));
    EXPECT_EQ(r.HitTest(left + size - 1, top + size - 1), (TPoint{19, 19}));
    EXPECT_EQ(r.HitTest(left + size, top + 40), (TPoint{}));
    EXPECT_EQ(r.HitTest(left + 40, top + size), (TPoint{}));
    EXPECT_EQ(r.HitTest(left - 1, top + 40), (TPoint{}));
    EXPECT_EQ(r.HitTest(left - 5, top + 40), (TPoint{}));
    EXPECT_EQ(r.HitTest(left + 40, top - 1), (TPoint{}));
    EXPECT_EQ(r.HitTest(-1000, -1000), (TPoint{}));
}

TEST(BoardRendererPixels, EmptyBoardSquareLinesAndStarPoints) {
    TBoard board;
    const TBoardRenderer& r = board.renderer;
    const int left = r.BoardLeft(), top = r.BoardTop(), size = r.BoardPixels();
    // The square is one pixel larger than the board, the window around it.
    EXPECT_EQ(board.Px(left, top), Rgb(kBan));
    EXPECT_EQ(board.Px(left + size, top + 40), Rgb(kBan));
    EXPECT_EQ(board.Px(left + size + 1, top + 40), Rgb(TBoardRenderer::kWindowColor));
    EXPECT_EQ(board.Px(left - 1, top + 40), Rgb(TBoardRenderer::kWindowColor));
    // First vertical line from the first to the last intersection, inclusive.
    const int x = left + 8, y0 = top + 8, y1 = top + 8 + 18 * 17;
    EXPECT_EQ(board.Px(x, y0), Rgb(kBlack));
    EXPECT_EQ(board.Px(x, y1), Rgb(kBlack));
    EXPECT_EQ(board.Px(x, y0 - 1), Rgb(kBan));
    EXPECT_EQ(board.Px(x, y1 + 1), Rgb(kBan));
    EXPECT_EQ(board.Px(x + 1, y0 + 3), Rgb(kBan));
    EXPECT_EQ(board.Px(x - 1, y0 + 3), Rgb(kBan));
    // Every star point is a 3x3 square on its intersection.
    for (int row : {4, 10, 16}) {
        for (int column : {4, 10, 16}) {
            const int cx = board.Left(column) + 8, cy = board.Top(row) + 8;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) EXPECT_EQ(board.Px(cx + dx, cy + dy), Rgb(kBlack));
            }
            EXPECT_EQ(board.Px(cx - 2, cy - 1), Rgb(kBan));
            EXPECT_EQ(board.Px(cx + 2, cy + 1), Rgb(kBan));
        }
    }
    EXPECT_EQ(board.Px(board.Left(3) + 7, board.Top(3) + 7), Rgb(kBan));  // not a star point
}

// Near black: the outline where it runs along a pixel row or column.
bool Dark(QRgb c) { return qRed(c) < 80 && qGreen(c) < 80 && qBlue(c) < 80; }

TEST(BoardRendererPixels, StoneIsARoundSmoothDiscWithAClosedOutline) {
    for (int height : {375, 474 + 52, 475 + 52}) {
        TBoard board(height - 52, height);
        board.renderer.SetColors(kBan, kRed, kLime);
        board.OpenEmpty();
        board.Play(3, 3);
        const int cell = board.renderer.CellSize(), half = board.renderer.HalfCell();
        const int left = board.Left(3), top = board.Top(3);
        SCOPED_TRACE(cell);
        EXPECT_EQ(board.Px(left + half, top + half), Rgb(kRed));
        EXPECT_EQ(board.Px(left + half, top + 2), Rgb(kRed));  // the line under it is gone
        EXPECT_TRUE(Dark(board.Px(left, top + half)));
        EXPECT_TRUE(Dark(board.Px(left + cell - 1, top + half)));
        EXPECT_TRUE(Dark(board.Px(left + half, top)));
        EXPECT_TRUE(Dark(board.Px(left + half, top + cell - 1)));
        EXPECT_EQ(board.Px(left, top), Rgb(kBan));
        EXPECT_EQ(board.Px(left + cell - 1, top + cell - 1), Rgb(kBan));
        // Smoothed: on the diagonal, between the corner's board colour and
        // the fill, the edge has pixels of neither colour nor of the outline.
        int between = 0;
        for (int d = 0; d < half; ++d) {
            const QRgb c = board.Px(left + d, top + d);
            if (c != Rgb(kRed) && c != Rgb(kBan) && c != Rgb(kBlack)) ++between;
        }
        EXPECT_GE(between, 1);
        for (int dy = 0; dy < cell; ++dy) {
            for (int dx = 0; dx < cell; ++dx) {
                const QRgb c = board.Px(left + dx, top + dy);
                if (c != Rgb(kRed)) continue;
                // The fill never touches the board colour.
                ASSERT_NE(board.Px(left + dx + 1, top + dy), Rgb(kBan));
                ASSERT_NE(board.Px(left + dx - 1, top + dy), Rgb(kBan));
                ASSERT_NE(board.Px(left + dx, top + dy + 1), Rgb(kBan));
                ASSERT_NE(board.Px(left + dx, top + dy - 1), Rgb(kBan));
                // Round: the fill is symmetric under both mirrors and the diagonal.
                ASSERT_EQ(board.Px(left + cell - 1 - dx, top + dy), Rgb(kRed));
                ASSERT_EQ(board.Px(left + dx, top + cell - 1 - dy), Rgb(kRed));
                ASSERT_EQ(board.Px(left + dy, top + dx), Rgb(kRed));
            }
        }
        // The second player's stone in the white-stone colour.
        board.Play(5, 3);
        EXPECT_EQ(board.Px(board.Left(5) + half, board.Top(3) + half), Rgb(kLime));
    }
}

// Plays (3,3) then (4,3) as a two-move run from the root, so that they are
// numbered 1 and 2.
void PlayNumberedRun(TBoard& board) {
    board.OpenEmpty();
    board.Play(3, 3);
    board.Play(4, 3);
    board.nav.ToFirst();
    ASSERT_TRUE(board.nav.Deside(3, 3));
    ASSERT_EQ(board.nav.Board().GetNumber(3, 3), 1);
    ASSERT_EQ(board.nav.Board().GetNumber(4, 3), 2);
}

TEST(BoardRendererPixels, NumbersFollowValueAndWhiteFirstOnly) {
    TBoard board;
    board.renderer.SetColors(kBan, kGreen, kLime);
    PlayNumberedRun(board);
    EXPECT_GT(board.CountInCell(3, 3, kWhite), 0);
    EXPECT_EQ(board.CountInCell(3, 3, kBlue), 0);
    EXPECT_GT(board.CountInCell(4, 3, kBlue), 0);
    EXPECT_EQ(board.CountInCell(4, 3, kWhite), 0);

    board.nav.ToggleWhiteFirst();
    // The first player's stone in the white-stone colour, its number blue.
    EXPECT_EQ(board.Px(board.Left(3) + 8, board.Top(3) + 14), Rgb(kLime));
    EXPECT_EQ(board.Px(board.Left(4) + 8, board.Top(3) + 14), Rgb(kGreen));
    EXPECT_GT(board.CountInCell(3, 3, kBlue), 0);
    EXPECT_EQ(board.CountInCell(3, 3, kWhite), 0);
    EXPECT_GT(board.CountInCell(4, 3, kWhite), 0);
    EXPECT_EQ(board.CountInCell(4, 3, kBlue), 0);
}

TEST(BoardRendererPixels, LabelsInTheColourOfTheirCode) {
    TBoard board;
    ASSERT_TRUE(QRawFont::fromFont(board.renderer.TextFont()).supportsCharacter(QChar(u'い')));
    board.OpenEmpty();
    const struct {
        int code;
        std::uint32_t color;
    } cases[] = {{0, kBlack}, {1, kRed}, {2, kBlue}, {3, 0x00FFFF}, {4, kGreen}, {7, kBlack}};
    int column = 2;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        board.renderer.DrawLabel("い", column, 7, c.code);
        // The lines are cleared under the label; what is not board colour is text.
        const int cell = board.renderer.CellSize();
        int text = 0, outline = 0;
        const bool outlined = c.code == 2 || c.code == 4;  // dark on the olive board
        for (int y = board.Top(7); y < board.Top(7) + cell - 1; ++y) {
            for (int x = board.Left(column); x < board.Left(column) + cell - 1; ++x) {
                const QRgb px = board.Px(x, y);
                if (px == Rgb(kBan)) continue;
                if (outlined && px == Rgb(kLabelOutlineColor)) {
                    ++outline;
                    continue;
                }
                EXPECT_EQ(px, Rgb(c.color)) << x << "," << y;
                ++text;
            }
        }
        EXPECT_GT(text, 10);
        EXPECT_EQ(outline > 10, outlined) << outline;
        column += 3;
    }
}

TEST(BoardRendererPixels, CandidateLabelsFollowTheRecordsAndTheLabelMode) {
    TBoard board;
    board.OpenEmpty();
    const QImage empty = board.Cell(12, 3);
    ASSERT_TRUE(board.nav.Deside(12, 3));
    EXPECT_GT(board.CountInCell(12, 3, kBlack), 0);
    EXPECT_NE(board.Cell(12, 3), empty);
    // Right clicks in recording mode step the colour code.
    board.nav.SetInputMode(EInputMode::Record);
    board.nav.RightClickAt(12, 3);
    EXPECT_GT(board.CountInCell(12, 3, kRed), 0);
    board.renderer.Resize(340, 375);
    EXPECT_GT(board.CountInCell(12, 3, kRed), 0);
    // Hidden labels stay hidden through repaints; the candidate still plays.
    board.nav.SetLabelMode(ELabelMode::Hidden);
    EXPECT_EQ(board.Cell(12, 3), empty);
    board.renderer.Resize(340, 375);
    board.nav.Orient(EOrientation::MirrorUpDown);
    board.nav.Orient(EOrientation::MirrorUpDown);
    EXPECT_EQ(board.Cell(12, 3), empty);
    ASSERT_TRUE(board.nav.Deside(12, 3));
    EXPECT_EQ(board.nav.Board().GetStone(12, 3), Black);
}

TEST(BoardRendererPixels, ErasedPointLooksLikeAFreshIntersection) {
    TBoard fresh;
    TBoard board;
    board.OpenEmpty();
    // Corners, edges, star points and an inner point.
    const TPoint points[] = {{1, 1}, {19, 1}, {1, 19}, {19, 19}, {10, 1}, {1, 7},
                             {19, 12}, {8, 19}, {4, 4}, {10, 10}, {16, 4}, {7, 8}};
    for (const TPoint p : points) board.renderer.DrawStone(Black, p.x, p.y);
    for (const TPoint p : points) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        board.renderer.ErasePoint(p.x, p.y);
        EXPECT_EQ(board.Cell(p.x, p.y), fresh.Cell(p.x, p.y));
    }
    EXPECT_EQ(board.renderer.Canvas(), fresh.renderer.Canvas());
    // The corner keeps two half segments meeting at the intersection.
    const int cx = board.Left(1) + 8, cy = board.Top(1) + 8;
    EXPECT_EQ(board.Px(cx, cy), Rgb(kBlack));
    EXPECT_EQ(board.Px(cx, cy - 1), Rgb(kBan));
    EXPECT_EQ(board.Px(cx - 1, cy), Rgb(kBan));
    EXPECT_EQ(board.Px(cx, cy + 17), Rgb(kBlack));
    EXPECT_EQ(board.Px(cx + 17, cy), Rgb(kBlack));
}

// True when a full repaint would not change a pixel of the canvas.
bool MatchesFullRepaint(TBoard& board) {
    const QImage incremental = board.renderer.Canvas().copy();
    board.renderer.FullRepaint();
    return board.renderer.Canvas() == incremental;
}

TEST(BoardRendererPixels, IncrementalDrawingMatchesAFullRepaint) {
    // A tight group with a capture at move 7 (black (11,9) takes (11,10));
    // the wide number 12 has an empty point to its right.
    const TPoint line[] = {{10, 10}, {11, 10}, {11, 11}, {12, 11}, {12, 10}, {10, 11}, {11, 9},
                           {10, 12}, {9, 11},  {12, 12}, {13, 11}, {12, 13}, {10, 9}};
    for (int height : {375, 474 + 52, 475 + 52}) {
        TBoard board(height - 52, height);
        SCOPED_TRACE(board.renderer.CellSize());
        board.renderer.SetColors(kBan, kRed, kLime);
        board.OpenEmpty();
        board.nav.SetLabelMode(ELabelMode::Hidden);
        for (const TPoint p : line) board.Play(p.x, p.y);
        EXPECT_EQ(board.nav.Board().GetStone(11, 10), Empty);
        EXPECT_TRUE(MatchesFullRepaint(board));
        board.nav.ToFirst();
        EXPECT_TRUE(MatchesFullRepaint(board));
        // One to-branch advance plays and numbers all 13 moves.
        ASSERT_TRUE(board.nav.Deside(10, 10));
        ASSERT_EQ(board.nav.Board().GetNumber(10, 9), 13);
        EXPECT_TRUE(MatchesFullRepaint(board));
        // The next advance clears the numbers; two-digit ones sit beside stones.
        board.Play(9, 9);
        EXPECT_EQ(board.nav.Board().GetNumber(10, 9), 0);
        EXPECT_TRUE(MatchesFullRepaint(board));
        board.nav.SetProgressMode(EProgressMode::OneMove);
        board.nav.ToFirst();
        for (const TPoint p : line) {
            ASSERT_TRUE(board.nav.Deside(p.x, p.y));
            ASSERT_TRUE(MatchesFullRepaint(board)) << p.x << "," << p.y;
        }
        for (int i = 0; i < 13; ++i) {
            board.nav.Back();
            ASSERT_TRUE(MatchesFullRepaint(board)) << i;
        }
    }
}

TEST(BoardRendererPixels, ErasedLabelsLeaveNoInk) {
    for (int height : {375, 474 + 52, 475 + 52}) {
        TBoard board(height - 52, height);
        SCOPED_TRACE(board.renderer.CellSize());
        board.OpenEmpty();
        board.Play(4, 4);
        board.Play(5, 5);
        // Candidates side by side and around the stones, every glyph used.
        int added = 0;
        for (int y = 3; y <= 7 && added < kMaxCandidates; ++y) {
            for (int x = 3; x <= 9 && added < kMaxCandidates; ++x) {
                if (board.nav.Board().PointState(x, y) != Empty) continue;
                ASSERT_TRUE(board.nav.Deside(x, y));
                ++added;
            }
        }
        ASSERT_EQ(board.nav.Dictionary().Count(), kMaxCandidates);
        board.nav.SetProgressMode(EProgressMode::OneMove);
        ASSERT_TRUE(board.nav.Deside(9, 6));  // clears every label but draws none
        ASSERT_EQ(board.nav.Dictionary().Count(), 0);
        EXPECT_TRUE(MatchesFullRepaint(board));
    }
}

TEST(BoardRendererPixels, OrientationMovesTheDrawing) {
    TBoard board;
    board.renderer.SetColors(kBan, kRed, kLime);
    board.OpenEmpty();
    board.Play(1, 1);
    board.nav.Orient(EOrientation::RotateRight);
    EXPECT_EQ(board.Px(board.Left(19) + 8, board.Top(1) + 8), Rgb(kRed));
    EXPECT_EQ(board.Px(board.Left(1) + 8, board.Top(1) + 8), Rgb(kBlack));  // bare corner
    EXPECT_EQ(board.Px(board.Left(1) + 8, board.Top(1) + 7), Rgb(kBan));
    // A click on that cell reaches board point (1,1).
    const TPoint cell = board.renderer.HitTest(board.Left(19) + 3, board.Top(1) + 3);
    EXPECT_EQ(cell, (TPoint{19, 1}));
    EXPECT_EQ(board.nav.Board().DisplayToBoard(cell.x, cell.y), (TPoint{1, 1}));
}

TEST(BoardRendererRobustness, PaintEnabledGatesAllDrawing) {
    TRecordingMessages messages;
    TNullCommentStore comments;
    TNullMenuState menus;
    TNullView view;
    TNavigation nav(view, messages, comments, menus);
    TBoardRenderer renderer(nav);
    int changes = 0;
    renderer.onChanged = [&] { ++changes; };
    renderer.Resize(340, 375);
    EXPECT_EQ(renderer.CellSize(), 0);  // no geometry before the first repaint
    EXPECT_EQ(renderer.HitTest(20, 40), (TPoint{}));
    QImage blank(340, 323, QImage::Format_RGB32);
    blank.fill(ColorFromBgr(TBoardRenderer::kWindowColor));
    EXPECT_EQ(renderer.Canvas(), blank);
    changes = 0;
    renderer.FullRepaint();
    renderer.DrawStone(Black, 3, 3);
    renderer.DrawLabel("い", 4, 4, 0);
    renderer.ErasePoint(5, 5);
    renderer.DrawStarPoint(4, 4);
    EXPECT_EQ(renderer.Canvas(), blank);
    EXPECT_EQ(changes, 0);
    renderer.SetPaintEnabled(true);
    EXPECT_EQ(renderer.CellSize(), 17);
    EXPECT_NE(renderer.Canvas(), blank);
    EXPECT_EQ(changes, 1);
    renderer.SetPaintEnabled(false);
    const QImage drawn = renderer.Canvas();
    renderer.DrawStone(Black, 3, 3);
    EXPECT_EQ(renderer.Canvas(), drawn);
}

TEST(BoardRendererRobustness, PointsOffTheBoardAreIgnored) {
    TBoard board;
    const QImage before = board.renderer.Canvas();
    board.renderer.DrawStone(Black, 0, 5);
    board.renderer.DrawStone(White, 20, 20);
    board.renderer.DrawStoneNumber(Black, 3, -1, 4);
    board.renderer.DrawLabel("い", 5, 21, 1);
    board.renderer.ErasePoint(-3, 99);
    board.renderer.DrawStarPoint(0, 0);
    board.renderer.DrawStarPoint(20, 4);
    EXPECT_EQ(board.renderer.Canvas(), before);
    // A window too small for any board area.
    board.renderer.Resize(10, 20);
    EXPECT_TRUE(board.renderer.Canvas().isNull());
    board.renderer.DrawStone(Black, 3, 3);
    board.renderer.Resize(340, 375);
    EXPECT_EQ(board.renderer.Canvas(), before);
}

TEST(BoardRendererRobustness, ThirtyFirstCandidateOfALongChainHasTheUnlabelledMark) {
    auto store = std::make_unique<TMemoryRecordStore>();
    store->Write(0, EncodeRecord(TJskRecord{}));
    // 31 root records in one chain: more than entry allows, as the corner
    // import leaves them.
    for (int i = 1; i <= 31; ++i) {
        const TJskRecord record{static_cast<std::uint8_t>((i - 1) % 10 * 2 + 1),
                                static_cast<std::uint8_t>((i - 1) / 10 * 2 + 1), 0, 100, 0,
                                i < 31 ? i + 1 : 0};
        store->Write(i, EncodeRecord(record));
    }
    TBoard fresh;
    TBoard board;
    board.nav.OpenStore(std::move(store));
    ASSERT_EQ(board.nav.Dictionary().Count(), 31);
    // Entry 30 sits at (19, 5), entry 31 at (1, 7).
    EXPECT_NE(board.Cell(19, 5), fresh.Cell(19, 5));
    EXPECT_NE(board.Cell(1, 7), fresh.Cell(1, 7));
    const auto markOnly = board.Cell(1, 7);
    board.renderer.Resize(340, 375);
    EXPECT_NE(board.Cell(19, 5), fresh.Cell(19, 5));
    // The full repaint draws the same mark as the list did.
    EXPECT_EQ(board.Cell(1, 7), markOnly);
    EXPECT_EQ(board.nav.Board().PointState(1, 7), Candidate);
}

TEST(BoardWidget, ShowsTheCanvasAndReportsClientCoordinates) {
    TBoard board;
    board.renderer.SetColors(kBan, kRed, kLime);
    TBoardWidget widget(board.renderer);
    EXPECT_EQ(widget.objectName(), QStringLiteral("BoardArea"));
    widget.resize(340, 375 - 52);
    widget.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(board.renderer.CellSize(), 17);
    EXPECT_EQ(board.renderer.BoardTop(), 30);

    board.OpenEmpty();
    board.nav.SetInputMode(EInputMode::Record);
    std::vector<TPoint> presses;
    QObject::connect(&widget, &TBoardWidget::boardMousePressed,
                     [&](Qt::MouseButton button, int clientX, int clientY) {
                         EXPECT_EQ(button, Qt::LeftButton);
                         presses.push_back({clientX, clientY});
                         const TPoint cell = board.renderer.HitTest(clientX, clientY);
                         board.nav.MouseDown(EMouseButton::Left, cell.x, cell.y);
                     });
    // Two clicks in the middle of cell (5, 2): the move is added, then played.
    const QPointF at(board.Left(5) + 8, board.Top(2) + 8 - TBoardRenderer::kToolPanelHeight);
    for (int i = 0; i < 2; ++i) {
        QMouseEvent press(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&widget, &press);
    }
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[0], (TPoint{board.Left(5) + 8, board.Top(2) + 8}));
    EXPECT_EQ(board.nav.Board().GetStone(5, 2), Black);
    const QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(at.toPoint()), Rgb(kRed));
    EXPECT_EQ(shown, board.renderer.Canvas());
}

}  // namespace
}  // namespace vxlo
