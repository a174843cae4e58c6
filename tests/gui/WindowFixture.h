#pragma once
// The real main window, headless, reading and writing a settings folder of
// the test's own, with the user's ways of reaching it: actions by object
// name, the open dialog answered by the test, clicks on the board.
#include <gtest/gtest.h>

#include <QAction>
#include <QColor>
#include <QImage>
#include <QString>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "board/Goban.h"
#include "gui/board/BoardWidget.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/mainwindow/WindowParts.h"
#include "gui/mainwindow/UserMessages.h"
#include "support/TempDir.h"

namespace vxlo::testing {

// What every window test needs, apart from the folder it lives in: fixtures
// with a temp folder of another kind mix it in.
class TWindowHarness {
protected:
    // Every window started from now on keeps its settings in folder.
    void UseSettingsFolder(const std::filesystem::path& folder) {
        config_ = folder;
        ini_ = (folder / "VXLO.INI").string();
        ::setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
    }
    // The window goes before the settings folder does: it may still write there.
    void EndWindow() {
        window_.reset();
        ::unsetenv("XDG_CONFIG_HOME");
    }

    // A new window, as at a program start; the one before is gone first, so
    // the new one reads what the old one wrote.
    TSDIAppForm& Start() {
        window_.reset();
        window_ = std::make_unique<TSDIAppForm>(&messages_);
        window_->show();
        return *window_;
    }
    QAction* Act(const char* name) const {
        QAction* action = window_->findChild<QAction*>(name);
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    // The next file dialog answers path (cancelled when empty) and records its filter.
    void Choose(const std::string& path) {
        window_->Parts().files->SetFileChooser([this, path](const QString& filter) -> std::optional<QString> {
            filters.push_back(filter);
            if (path.empty()) return std::nullopt;
            return PathToQt(path);
        });
    }
    // Opens path through the menu and the open dialog, as the user does.
    void Open(const std::string& path) {
        Choose(path);
        Act("mnuOpen")->trigger();
    }

    // A click at the intersection of display cell (column, row).
    void ClickCell(int column, int row, Qt::MouseButton button = Qt::LeftButton) {
        const TBoardRenderer& r = window_->Renderer();
        const int x = r.BoardLeft() + (column - 1) * r.CellSize() + r.HalfCell();
        const int y = r.BoardTop() + (row - 1) * r.CellSize() + r.HalfCell();
        QTest::mouseClick(&window_->BoardArea(), button, {}, QPoint(x, y - TBoardRenderer::kToolPanelHeight));
    }
    // A click on board point (x, y), wherever the orientation shows it.
    void ClickPoint(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        const TPoint cell = window_->Navigation().Board().BoardToDisplay(x, y);
        ClickCell(cell.x, cell.y, button);
    }
    void ClickPoint(TPoint p, Qt::MouseButton button = Qt::LeftButton) { ClickPoint(p.x, p.y, button); }
    // Pixels of the game counts' blue in the cell where board point (x, y) shows.
    int CountPixels(int x, int y) const { return Pixels({x, y}, QColor(0, 0, 160)); }
    // Pixels of colour in the cell where board point p shows.
    int Pixels(TPoint p, const QColor& colour) const {
        const QImage image = window_->BoardArea().grab().toImage();
        const TBoardRenderer& r = window_->Renderer();
        const TPoint cell = window_->Navigation().Board().BoardToDisplay(p.x, p.y);
        const QRect box(r.BoardLeft() + (cell.x - 1) * r.CellSize(),
                        r.BoardTop() + (cell.y - 1) * r.CellSize() - TBoardRenderer::kToolPanelHeight,
                        r.CellSize(), r.CellSize());
        int count = 0;
        for (int py = box.top(); py <= box.bottom(); ++py)
            for (int px = box.left(); px <= box.right(); ++px)
                if (image.pixelColor(px, py) == colour) ++count;
        return count;
    }

    // The settings file as the window will find it at its start.
    void PutIni(const std::string& text) const {
        std::filesystem::create_directories(config_);
        std::ofstream(ini_, std::ios::binary) << text;
    }
    std::string IniText() const {
        std::ifstream in(ini_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // The texts of the error boxes shown so far, in order.
    std::vector<QString> ErrorTexts() const {
        std::vector<QString> texts;
        for (const auto& e : messages_.entries)
            if (e.error) texts.push_back(e.text);
        return texts;
    }

    std::filesystem::path config_;
    std::string ini_;
    std::vector<QString> filters;  // of every file dialog, in order
    vxlo::TRecordedMessages messages_;  // qualified: the companion tests have a core sink of this name
    std::unique_ptr<TSDIAppForm> window_;
};

// A window test in a temp folder of its own, settings in its "config".
// Start() makes the window; tests that need files first make them before.
class TWindowTest : public ::testing::Test, protected TWindowHarness {
protected:
    void SetUp() override { UseSettingsFolder(dir_.Path() / "config"); }
    void TearDown() override { EndWindow(); }

    TTempDir dir_;
};

}  // namespace vxlo::testing
