// The window opens what every companion feature left beside a dictionary,
// practises it twice and searches it, with comments on and off, and never
// shows an error box.
#include <gtest/gtest.h>

#include <QStringList>
#include <cstdlib>
#include <fstream>

#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/mainwindow/WindowParts.h"
#include "gui/mainwindow/UserMessages.h"
#include "practice/PracticeRun.h"
#include "support/CompanionFeatures.h"
#include "support/TempDir.h"

namespace vxlo::testing {
namespace {

std::string Errors(const TRecordedMessages& messages) {
    std::string text;
    for (const auto& entry : messages.entries)
        if (entry.error) text += entry.text.toStdString() + "\n";
    return text;
}

TEST(CompanionWindowTest, EveryStoreAFeatureLeftOpensAndPractisesWithoutAnErrorBox) {
    for (const TCompanionFeature& feature : Features()) {
        if (!feature.createsStore) continue;
        for (const bool comments : {false, true}) {
            TTempDir dir;
            std::filesystem::create_directories(dir / "config");
            std::ofstream(dir / "config/VXLO.INI") << (comments ? "[Mode]\nDB=1\n" : "[Mode]\nDB=0\n");
            ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
            const std::string dictionary = dir / "d.jsk";
            std::ofstream(dictionary, std::ios::binary) << std::string(12, '\0');
            ASSERT_EQ(feature.run(dictionary), "") << feature.name;
            const std::string what = std::string(feature.name) + (comments ? ", comments on" : ", comments off");
            // Twice: the second practice meets the schedules of the first.
            for (int round = 0; round < 2; ++round) {
                TRecordedMessages messages;
                TSDIAppForm window(&messages);
                window.show();
                window.Parts().practice->OpenFromArguments({"vxlo", "--practice", PathToQt(dictionary)});
                EXPECT_TRUE(window.FileOpen()) << what;
                EXPECT_NE(window.Practice(), nullptr) << what;
                window.Parts().find->SearchCommentsFor("joseki");
                EXPECT_EQ(Errors(messages), "") << what << ", round " << round;
            }
            ::unsetenv("XDG_CONFIG_HOME");
        }
    }
}

}  // namespace
}  // namespace vxlo::testing
