#pragma once
// The real main window, headless, with the test's dictionary opened through
// its own command and every file dialog answered by the test.
#include <gtest/gtest.h>

#include <memory>

#include "gui/WindowFixture.h"
#include "import/ImportFixture.h"

namespace vxlo::testing {

class TOpenWindowTest : public TImportTest, protected TWindowHarness {
protected:
    void SetUp() override {
        TImportTest::SetUp();
        nav.CloseFile();  // the window opens the dictionary itself
        UseSettingsFolder(dir / "config");
        Start();
        Open(dictionary.string());
        ASSERT_TRUE(window->FileOpen());
    }
    void TearDown() override {
        EndWindow();
        TImportTest::TearDown();
    }

    // The names these tests have always used for the window and its messages.
    std::unique_ptr<TSDIAppForm>& window = window_;
    vxlo::TRecordedMessages& recorded = messages_;
};

}  // namespace vxlo::testing
