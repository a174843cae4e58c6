#pragma once
// The real main window, headless, with the test's dictionary opened through
// its own command and every file dialog answered by the test.
#include <gtest/gtest.h>

#include <QAction>
#include <QColor>
#include <QImage>
#include <QString>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/board/BoardWidget.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/mainwindow/WindowParts.h"
#include "gui/mainwindow/UserMessages.h"
#include "import/ImportFixture.h"

namespace vxlo::testing {

class TOpenWindowTest : public TImportTest {
protected:
    void SetUp() override {
        TImportTest::SetUp();
        nav.CloseFile();  // the window opens the dictionary itself
        ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
        window = std::make_unique<TSDIAppForm>(&recorded);
        window->show();
        Choose(dictionary.string());
        Act("mnuOpen")->trigger();
        ASSERT_TRUE(window->FileOpen());
    }
    void TearDown() override {
        window.reset();
        ::unsetenv("XDG_CONFIG_HOME");
        TImportTest::TearDown();
    }
    QAction* Act(const char* name) const { return window->findChild<QAction*>(name); }
    // Pixels of the game counts' blue in the cell where board point (x, y) shows.
    int CountPixels(int x, int y) const {
        const QImage image = window->BoardArea().grab().toImage();
        const TBoardRenderer& r = window->Renderer();
        const TPoint cell = window->Navigation().Board().BoardToDisplay(x, y);
        const QRect box(r.BoardLeft() + (cell.x - 1) * r.CellSize(),
                        r.BoardTop() + (cell.y - 1) * r.CellSize() - TBoardRenderer::kToolPanelHeight,
                        r.CellSize(), r.CellSize());
        int count = 0;
        for (int py = box.top(); py <= box.bottom(); ++py)
            for (int px = box.left(); px <= box.right(); ++px)
                if (image.pixelColor(px, py) == QColor(0, 0, 160)) ++count;
        return count;
    }
    // The next file dialog answers path (nothing when empty) and records its filter.
    void Choose(const std::string& path) {
        window->Parts().files->SetFileChooser([this, path](const QString& filter) -> std::optional<QString> {
            filters.push_back(filter);
            if (path.empty()) return std::nullopt;
            return PathToQt(path);
        });
    }

    TRecordedMessages recorded;
    std::unique_ptr<TSDIAppForm> window;
    std::vector<QString> filters;
};

}  // namespace vxlo::testing
