// The numbers VXLO.INI keeps for the navigation modes, and how hand-edited
// numbers read back.
#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "navigation/NavigationModes.h"

namespace vxlo::testing {
namespace {

template <class EMode>
void ExpectStoredNumbers(EMode first, EMode second) {
    // Files written by every earlier version hold exactly these numbers.
    EXPECT_EQ(StoredMode(first), 0);
    EXPECT_EQ(StoredMode(second), 1);
    EXPECT_EQ(ModeFromStored<EMode>(StoredMode(first)), std::optional<EMode>(first));
    EXPECT_EQ(ModeFromStored<EMode>(StoredMode(second)), std::optional<EMode>(second));

    EXPECT_EQ(ModeFromStored<EMode>(-1), std::nullopt);
    // Never written by the program; the menus showed every one of them as
    // the second mode, so that is what moves and clicks now follow too.
    for (const int odd : {2, 5, -2, -3, INT_MAX, INT_MIN})
        EXPECT_EQ(ModeFromStored<EMode>(odd), std::optional<EMode>(second)) << odd;
}

TEST(NavigationModes, StoredNumbersAndOddValues) {
    ExpectStoredNumbers(EInputMode::Display, EInputMode::Record);
    ExpectStoredNumbers(EProgressMode::ToBranch, EProgressMode::OneMove);
    ExpectStoredNumbers(ELabelMode::Shown, ELabelMode::Hidden);
}

}  // namespace
}  // namespace vxlo::testing
