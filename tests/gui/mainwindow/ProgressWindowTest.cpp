// A long corner import in the real window: its progress shows, Cancel stops
// it between games, the window is gone before the summary, and what was
// imported stays in the dictionary and its counts.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "companion/CompanionDatabase.h"
#include "companion/EvidenceStore.h"
#include "core/Progress.h"
#include "gui/dialogs/ProgressWindow.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/mainwindow/WindowParts.h"
#include "gui/mainwindow/UserMessages.h"
#include "import/ImportFixture.h"

namespace vxlo::testing {
namespace {

// Records each message with whether a progress window was on screen then.
class TMessagesAfterProgress final : public IUserMessages {
public:
    struct TEntry {
        bool error;
        QString text;
        bool progressShown;
    };
    void Information(const QString& text) override { entries.push_back({false, text, ProgressShown()}); }
    void Error(const QString& text) override { entries.push_back({true, text, ProgressShown()}); }
    std::vector<TEntry> entries;

private:
    static bool ProgressShown() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<TProgressWindow*>(w) && w->isVisible()) return true;
        return false;
    }
};

std::string Point(int x, int y) { return {static_cast<char>('a' + x - 1), static_cast<char>('a' + y - 1)}; }

// games distinct games in one file, each a short line in the upper right.
std::string Games(int games) {
    std::string sgf;
    for (int g = 0; g < games; ++g) {
        sgf += "(;SZ[19]RE[B+R];B[" + Point(16, 4) + "];W[" + Point(14 + g % 5, 9 + (g / 5) % 5) + "];B[" +
               Point(11 + (g / 25) % 4, 2 + g / 100) + "])";
    }
    return sgf;
}

class ProgressWindowTest : public TImportTest {
protected:
    void SetUp() override {
        TImportTest::SetUp();
        nav.CloseFile();
        ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
        window = std::make_unique<TSDIAppForm>(&messages);
        // Shown at once and handling events at every step: the test presses
        // Cancel at a step it counts, not after a time.
        window->setProperty(TProgressWindow::kDelayProperty, 0);
        window->setProperty(TProgressWindow::kPumpProperty, 0);
        window->show();
        Answer(dictionary.string());
        window->findChild<QAction*>("mnuOpen")->trigger();
        ASSERT_TRUE(window->FileOpen());
    }
    void TearDown() override {
        window.reset();
        ::unsetenv("XDG_CONFIG_HOME");
        TImportTest::TearDown();
    }
    void Answer(const std::string& path) {
        window->Parts().files->SetFileChooser([path](const QString&) -> std::optional<QString> { return PathToQt(path); });
    }
    // Runs at each pumping of the progress's events; after some, presses Cancel.
    void PressCancelAfter(int pumps) {
        QTimer::singleShot(0, window.get(), [this, pumps] {
            auto* progress = window->findChild<TProgressWindow*>("ProgressWindow");
            ASSERT_NE(progress, nullptr);
            EXPECT_TRUE(progress->isVisible());
            ++pumped;
            if (pumps > 1) {
                PressCancelAfter(pumps - 1);
                return;
            }
            auto* cancel = progress->findChild<QPushButton*>("CancelButton");
            ASSERT_NE(cancel, nullptr);
            QTest::mouseClick(cancel, Qt::LeftButton);
        });
    }

    TMessagesAfterProgress messages;
    std::unique_ptr<TSDIAppForm> window;
    int pumped = 0;
};

TEST_F(ProgressWindowTest, CancelStopsALongCornerImportAndTheSummaryComesAfterTheWindowClosed) {
    constexpr int kGames = 300;
    WriteBytes(dir / "games.sgf", Games(kGames));
    Answer((dir / "games.sgf").string());
    PressCancelAfter(8);
    window->findChild<QAction*>("mnuCornerInput")->trigger();
    EXPECT_EQ(pumped, 8);

    ASSERT_EQ(messages.entries.size(), 1u);
    const TMessagesAfterProgress::TEntry& summary = messages.entries[0];
    EXPECT_FALSE(summary.error);
    EXPECT_FALSE(summary.progressShown) << "the progress stayed behind the summary";
    EXPECT_TRUE(summary.text.startsWith(ToQt(kCancelledText))) << summary.text.toStdString();
    EXPECT_EQ(window->findChild<TProgressWindow*>(), nullptr);

    // Some games went in, not all, and their moves and counts are in the files.
    TEvidenceStore evidence(OpenCompanion(dictionary.string(), TCompanionDatabase::EAccess::ReadOnly));
    const long long games = evidence.Get(0).value_or(TEvidence{}).games;
    EXPECT_GE(games, 1);
    EXPECT_LT(games, kGames);
    EXPECT_TRUE(summary.text.contains(QString("sequences %1,").arg(games))) << summary.text.toStdString();
    EXPECT_GT(Records().size(), 2u);

    // Cancelled does not stick: the same import again runs to its end,
    // adding the games the first one left.
    messages.entries.clear();
    window->findChild<QAction*>("mnuCornerInput")->trigger();
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_FALSE(messages.entries[0].text.startsWith(ToQt(kCancelledText)));
    EXPECT_FALSE(messages.entries[0].progressShown);
    TEvidenceStore after(OpenCompanion(dictionary.string(), TCompanionDatabase::EAccess::ReadOnly));
    EXPECT_GT(after.Get(0).value_or(TEvidence{}).games, games);
}

}  // namespace
}  // namespace vxlo::testing
