// The names of the label colours in the window: their defaults in each
// language, edited in their dialog and kept in VXLO.INI, in the legend of the
// lines panel, in the tool tip of a candidate, and points named as the board
// names them in the count table.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <array>
#include <memory>

#include "dictionary/Fjsk.h"
#include "gui/board/BoardWidget.h"
#include "gui/dialogs/LabelNamesDialog.h"
#include "gui/language/Catalogue.h"
#include "gui/mainwindow/EvidencePanel.h"
#include "gui/mainwindow/LabelCommands.h"
#include "gui/mainwindow/OpenWindowFixture.h"
#include "settings/IniFile.h"

namespace vxlo::testing {
namespace {

// Two games open the upper-right corner at the 4-4 point, one the lower left
// at a 3-4 point: the root's 4-4 candidate has three games.
constexpr const char* kGames =
    "(;SZ[19]RE[B+R]DT[2001];B[pd];W[qf];B[dp])"
    "(;SZ[19]RE[W+R]DT[2005];W[dp];B[cn])"
    "(;SZ[19]RE[B+R]DT[1999];B[cp])";

struct TColourCase {
    int color;
    const char* japanese;
    const char* english;
    const char* edited;  // "" leaves the field empty; the default stays
    TPoint point;        // the root's candidate with this colour
    const char* pointName;
    int games;           // of the candidate, 0 for none
};
// A name typed as the default of the language shown stays the default.
const std::array<TColourCase, 5> kCases = {{
    {0, "定石", "joseki", "", {16, 4}, "Q16", 3},
    {1, "悪手", "mistake", "ダメ]<b> x", {10, 10}, "K10", 0},
    {2, "変化", "variation", "変化", {3, 16}, "C4", 0},
    {3, "はめ手", "trick", "罠", {17, 4}, "R16", 1},
    {4, "研究", "question", "study", {4, 10}, "D10", 0},
}};

class LabelNamesWindowTest : public TOpenWindowTest {
protected:
    void SetUp() override {
        TOpenWindowTest::SetUp();
        WriteBytes(dir / "games.sgf", kGames);
        Choose((dir / "games.sgf").string());
        Act("mnuCornerInput")->trigger();
        recorded.entries.clear();
        TNavigation& nav = window->Navigation();
        nav.ToFirst();
        nav.SetInputMode(EInputMode::Record);
        for (const TColourCase& c : kCases) {
            if (Index(c.point) < 0) {
                nav.Deside(c.point.x, c.point.y);
                nav.MaeNoTe();
            }
        }
        nav.SetInputMode(EInputMode::Display);
        for (const TColourCase& c : kCases) {
            while (nav.Dictionary().GetRecord(Index(c.point)).Color != c.color)
                nav.Dictionary().CycleColor(c.point.x, c.point.y);
        }
        window->RepaintBoard();
    }
    int Index(TPoint point) const {
        const TLjsk& d = window->Navigation().Dictionary();
        for (int i = 0; i < d.Count(); ++i)
            if (d.GetMoveXY(i) == point) return i;
        return -1;
    }
    TLabelCommands& Labels() const { return *window->Parts().labels; }
    QString Legend() const { return Labels().Legend()->text(); }
    QPoint CellCentre(TPoint point) const {
        const TBoardRenderer& r = window->Renderer();
        const TPoint cell = window->Navigation().Board().BoardToDisplay(point.x, point.y);
        return {r.BoardLeft() + (cell.x - 1) * r.CellSize() + r.HalfCell(),
                r.BoardTop() + (cell.y - 1) * r.CellSize() + r.HalfCell()};
    }
    QString Tip(TPoint point) const { return Labels().ToolTipAt(CellCentre(point).x(), CellCentre(point).y()); }
    QString Expected(const TColourCase& c, const QString& name, const QString& games) const {
        const int index = Index(c.point);
        return ToQt(c.pointName) + "  " + ToQt(CandidateLabel(index)) + "  " + name + games;
    }
    void Restart() {
        window.reset();
        window = std::make_unique<TSDIAppForm>(&recorded);
        window->show();
        Choose(dictionary.string());
        Act("mnuOpen")->trigger();
    }
};

TEST_F(LabelNamesWindowTest, NamesByDefaultEditedKeptAndShownInLegendAndTips) {
    const auto check = [&](const char* stage, auto name) {
        for (const TColourCase& c : kCases) {
            SCOPED_TRACE(std::string(stage) + " colour " + std::to_string(c.color));
            EXPECT_TRUE(Legend().contains(name(c).toHtmlEscaped())) << Legend().toStdString();
            EXPECT_EQ(Tip(c.point), Expected(c, name(c), c.games ? QString("  %1局").arg(c.games) : QString()));
        }
    };
    check("default", [](const TColourCase& c) { return ToQt(c.japanese); });
    // The same names through the tool tip event the board area gets.
    QHelpEvent help(QEvent::ToolTip, CellCentre(kCases[3].point) - QPoint(0, TBoardRenderer::kToolPanelHeight),
                    window->BoardArea().mapToGlobal(CellCentre(kCases[3].point)));
    QApplication::sendEvent(&window->BoardArea(), &help);
    EXPECT_EQ(QToolTip::text(), Expected(kCases[3], ToQt("はめ手"), ToQt("  1局")));

    QTimer::singleShot(0, [&] {
        TLabelNamesDialog& dialog = Labels().Dialog();
        for (const TColourCase& c : kCases) {
            EXPECT_EQ(dialog.Field(c.color)->text(), ToQt(c.japanese));
            dialog.Field(c.color)->setText(ToQt(c.edited));
        }
        QTest::mouseClick(dialog.findChild<QPushButton*>("btnLabelNamesOK"), Qt::LeftButton);
    });
    Act("mnuLabelNames")->trigger();
    const auto edited = [](const TColourCase& c) { return ToQt(*c.edited ? c.edited : c.japanese); };
    check("edited", edited);
    const TIniFile ini(window->SettingsPath());
    for (const TColourCase& c : kCases) {
        const bool own = *c.edited && std::string(c.edited) != c.japanese;
        EXPECT_EQ(ini.ReadString("Label", "Name" + std::to_string(c.color), "?"), own ? c.edited : "");
    }

    Restart();
    check("restarted", edited);

    // In English the defaults are English; what the user typed stays.
    window.reset();
    {
        const TLanguageCatalogue english(ELanguage::English);
        ASSERT_TRUE(english.Loaded());
        Restart();
        for (const TColourCase& c : kCases) {
            SCOPED_TRACE(c.color);
            const QString name = ToQt(*c.edited && std::string(c.edited) != c.japanese ? c.edited : c.english);
            EXPECT_TRUE(Legend().contains(name.toHtmlEscaped()));
            EXPECT_TRUE(Tip(c.point).endsWith(name + (c.games ? QString("  %1 games").arg(c.games) : QString())))
                << Tip(c.point).toStdString();
        }
        window.reset();
    }
    Restart();

    // Labels hidden tell nothing.
    Act("mnuHide")->trigger();
    EXPECT_TRUE(Tip(kCases[0].point).isEmpty());
}

TEST_F(LabelNamesWindowTest, TheCountTableNamesPointsAsTheBoardDoes) {
    QTableWidget* table = window->Parts().evidence->Panel()->Table();
    ASSERT_GE(table->rowCount(), 2);
    EXPECT_EQ(table->item(0, 1)->text(), "16-4");
    Act("mnuCoordinates")->trigger();
    EXPECT_EQ(table->item(0, 1)->text(), "Q16");
    Act("mnuRight")->trigger();
    EXPECT_EQ(table->item(0, 1)->text(), window->Parts().lines->PointName({16, 4}));
    EXPECT_NE(window->Parts().lines->PointName({16, 4}), "Q16");
}

}  // namespace
}  // namespace vxlo::testing
