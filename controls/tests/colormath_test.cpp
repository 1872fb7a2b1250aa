#include <gtest/gtest.h>
#include <stdint.h>

#include "controls/HslColor.h"

TEST(HslColor, PlaceholderBuilds)
{
    CHslColor c;
    c.SetRGB(200, 100, 50);
    EXPECT_EQ(100, c.GetGreen());
}
