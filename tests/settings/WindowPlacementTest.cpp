// The comment window's place without saved bounds: beside the main window,
// below it on a narrow screen, never over it while the screen has room.
#include <gtest/gtest.h>

#include <random>

#include "settings/WindowPlacement.h"

namespace vxlo {
namespace {

constexpr int kMinWidth = 360;
constexpr int kMinHeight = 240;

TEST(WindowPlacement, RightOfTheMainWindowAsTallAsIt) {
    const TScreenRect screen{0, 0, 1920, 1080};
    const TScreenRect main{100, 50, 400, 500};
    EXPECT_EQ(PlaceBesideMain(main, screen, kMinWidth, kMinHeight), (TScreenRect{500, 50, 400, 500}));
    // No room to the right: to the left.
    EXPECT_EQ(PlaceBesideMain({1500, 50, 400, 500}, screen, kMinWidth, kMinHeight),
              (TScreenRect{1100, 50, 400, 500}));
    // A narrow screen: below, as wide as the main window.
    EXPECT_EQ(PlaceBesideMain({0, 0, 700, 500}, {0, 0, 800, 900}, kMinWidth, kMinHeight),
              (TScreenRect{0, 500, 700, 250}));
    // A screen with a panel at the left: positions are the screen's.
    EXPECT_EQ(PlaceBesideMain({64, 0, 340, 420}, {64, 0, 1216, 800}, kMinWidth, kMinHeight),
              (TScreenRect{404, 0, 360, 420}));
}

// Random screens and main windows on them: whenever any side has room, the
// window is on the screen and off the main window.
TEST(WindowPlacement, NeverCoversTheMainWindowWhileTheScreenHasRoom) {
    std::mt19937 random(4);
    int beside = 0, belowOrAbove = 0, cornered = 0;
    for (int round = 0; round < 20000; ++round) {
        std::uniform_int_distribution<int> screenSide(300, 3000);
        const TScreenRect screen{std::uniform_int_distribution<int>(-2000, 2000)(random),
                                 std::uniform_int_distribution<int>(-500, 500)(random),
                                 screenSide(random), screenSide(random)};
        const int w = std::uniform_int_distribution<int>(200, screen.width)(random);
        const int h = std::uniform_int_distribution<int>(200, screen.height)(random);
        const TScreenRect main{
            screen.left + std::uniform_int_distribution<int>(0, screen.width - w)(random),
            screen.top + std::uniform_int_distribution<int>(0, screen.height - h)(random), w, h};
        const TScreenRect got = PlaceBesideMain(main, screen, kMinWidth, kMinHeight);
        SCOPED_TRACE(testing::Message() << "round " << round);
        ASSERT_GE(got.width, kMinWidth);
        ASSERT_GE(got.height, kMinHeight);
        const bool roomBeside = main.Right() + kMinWidth <= screen.Right() ||
                                main.left - kMinWidth >= screen.left;
        const bool roomAbove = main.Bottom() + kMinHeight <= screen.Bottom() ||
                               main.top - kMinHeight >= screen.top;
        if (roomBeside || (roomAbove && screen.width >= kMinWidth)) {
            ASSERT_FALSE(got.Intersects(main));
            ASSERT_TRUE(screen.Contains(got));
            (roomBeside ? beside : belowOrAbove) += 1;
        } else {
            ++cornered;
        }
    }
    // All three kinds of screen occur.
    EXPECT_GT(beside, 1000);
    EXPECT_GT(belowOrAbove, 100);
    EXPECT_GT(cornered, 100);
}

}  // namespace
}  // namespace vxlo
