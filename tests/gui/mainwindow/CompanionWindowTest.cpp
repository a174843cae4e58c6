// The window opens what every companion feature left beside a dictionary,
// practises it twice and searches it, with comments on and off, and never
// shows an error box.
#include <gtest/gtest.h>

#include <QStringList>
#include <filesystem>
#include <fstream>
#include <string>

#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/mainwindow/WindowParts.h"
#include "gui/mainwindow/UserMessages.h"
#include "gui/WindowFixture.h"
#include "practice/PracticeRun.h"
#include "support/CompanionFeatures.h"

namespace vxlo::testing {
namespace {

class CompanionWindowTest : public TWindowTest {
protected:
    std::string Errors() const {
        std::string text;
        for (const QString& error : ErrorTexts()) text += error.toStdString() + "\n";
        return text;
    }
};

TEST_F(CompanionWindowTest, EveryStoreAFeatureLeftOpensAndPractisesWithoutAnErrorBox) {
    int n = 0;
    for (const TCompanionFeature& feature : Features()) {
        if (!feature.createsStore) continue;
        for (const bool comments : {false, true}) {
            // A folder of its own for each: nothing left by the one before.
            const std::filesystem::path dir = dir_.Path() / std::to_string(++n);
            UseSettingsFolder(dir / "config");
            PutIni(comments ? "[Mode]\nDB=1\n" : "[Mode]\nDB=0\n");
            const std::string dictionary = dir / "d.jsk";
            std::ofstream(dictionary, std::ios::binary) << std::string(12, '\0');
            ASSERT_EQ(feature.run(dictionary), "") << feature.name;
            const std::string what = std::string(feature.name) + (comments ? ", comments on" : ", comments off");
            // Twice: the second practice meets the schedules of the first.
            for (int round = 0; round < 2; ++round) {
                messages_.entries.clear();
                TSDIAppForm& window = Start();
                window.Parts().practice->OpenFromArguments({"vxlo", "--practice", PathToQt(dictionary)});
                EXPECT_TRUE(window.FileOpen()) << what;
                EXPECT_NE(window.Practice(), nullptr) << what;
                window.Parts().find->SearchCommentsFor("joseki");
                EXPECT_EQ(Errors(), "") << what << ", round " << round;
                window_.reset();  // closed before the next start, as by the user
            }
        }
    }
}

}  // namespace
}  // namespace vxlo::testing
