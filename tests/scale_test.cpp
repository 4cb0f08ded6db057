// Window scaling on large screens: which scale is chosen, and how window pixels map
// back to game pixels.
#include <gtest/gtest.h>

#include "platform/scale.h"

namespace {

using platform::ChooseScale;
using platform::ToLogical;

TEST(Scale, LargestWholeScaleWithRoomToSpare) {
    EXPECT_EQ(ChooseScale(1024, 768, 599, 436, nullptr), 1);
    EXPECT_EQ(ChooseScale(1366, 738, 599, 436, nullptr), 1);  // 872 high would not fit
    EXPECT_EQ(ChooseScale(1920, 1050, 599, 436, nullptr), 2);
    EXPECT_EQ(ChooseScale(2560, 1400, 599, 436, nullptr), 2);  // 1308 would leave too little
    EXPECT_EQ(ChooseScale(3840, 2100, 599, 436, nullptr), 4);
    EXPECT_EQ(ChooseScale(7680, 4320, 599, 436, nullptr), 4);  // never more than 4
    EXPECT_EQ(ChooseScale(500, 400, 599, 436, nullptr), 1);    // a tiny screen still gets the game
}

TEST(Scale, EnvironmentDecidesWhenValid) {
    for (const char* k : {"1", "2", "3", "4"})
        EXPECT_EQ(ChooseScale(1024, 768, 599, 436, k), k[0] - '0');
    for (const char* bad : {"", "0", "5", "2x", "-1", " 2", "two"})
        EXPECT_EQ(ChooseScale(1920, 1050, 599, 436, bad), 2) << '"' << bad << '"';
}

TEST(Scale, WindowPixelsMapBackExactlyAtEveryScale) {
    for (int k = 1; k <= 4; ++k) {
        for (int logical : {0, 1, 13, 470, 501, 598}) {
            for (int within = 0; within < k; ++within)
                EXPECT_EQ(ToLogical(logical * k + within, k), logical);
        }
        EXPECT_EQ(ToLogical(-1, k), -1);  // left of the window stays outside it
    }
}

}  // namespace
