#include <gtest/gtest.h>

#include "controls/ColorPickerNav.h"

namespace {
const ColorPickerGrid kBoth = {40, 8, true, true};
const ColorPickerGrid kNone = {40, 8, false, false};
const ColorPickerGrid kDefaultOnly = {40, 8, true, false};
const ColorPickerGrid kCustomOnly = {40, 8, false, true};
}  // namespace

TEST(ColorPickerNav, RightAndLeftFollowTheCycle)
{
    EXPECT_EQ(PICK_CUSTOM, PickerStepRight(kBoth, 39));
    EXPECT_EQ(PICK_DEFAULT, PickerStepRight(kBoth, PICK_CUSTOM));
    EXPECT_EQ(0, PickerStepRight(kBoth, PICK_DEFAULT));
    EXPECT_EQ(PICK_DEFAULT, PickerStepLeft(kBoth, 0));
    EXPECT_EQ(PICK_CUSTOM, PickerStepLeft(kBoth, PICK_DEFAULT));
    EXPECT_EQ(39, PickerStepLeft(kBoth, PICK_CUSTOM));
    EXPECT_EQ(0, PickerStepRight(kNone, 39));
    EXPECT_EQ(39, PickerStepLeft(kNone, 0));
    EXPECT_EQ(PICK_DEFAULT, PickerStepRight(kDefaultOnly, 39));
    EXPECT_EQ(PICK_CUSTOM, PickerStepLeft(kCustomOnly, 0));
    EXPECT_EQ(PICK_DEFAULT, PickerStepRight(kBoth, PICK_NONE));
    EXPECT_EQ(0, PickerStepRight(kNone, PICK_NONE));
    EXPECT_EQ(39, PickerStepLeft(kNone, PICK_NONE));
}

TEST(ColorPickerNav, DownAndUp)
{
    EXPECT_EQ(0, PickerStepDown(kBoth, PICK_DEFAULT));
    EXPECT_EQ(11, PickerStepDown(kBoth, 3));
    EXPECT_EQ(PICK_CUSTOM, PickerStepDown(kBoth, 35));
    EXPECT_EQ(PICK_DEFAULT, PickerStepDown(kDefaultOnly, 35));
    EXPECT_EQ(0, PickerStepDown(kNone, 35));
    EXPECT_EQ(PICK_DEFAULT, PickerStepDown(kBoth, PICK_CUSTOM));
    EXPECT_EQ(0, PickerStepDown(kCustomOnly, PICK_CUSTOM));

    EXPECT_EQ(3, PickerStepUp(kBoth, 11));
    EXPECT_EQ(PICK_DEFAULT, PickerStepUp(kBoth, 3));
    EXPECT_EQ(PICK_CUSTOM, PickerStepUp(kCustomOnly, 3));
    EXPECT_EQ(39, PickerStepUp(kNone, 3));
    EXPECT_EQ(PICK_CUSTOM, PickerStepUp(kBoth, PICK_DEFAULT));
    EXPECT_EQ(39, PickerStepUp(kDefaultOnly, PICK_DEFAULT));
    EXPECT_EQ(39, PickerStepUp(kBoth, PICK_CUSTOM));
}
