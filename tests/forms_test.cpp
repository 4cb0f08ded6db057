// The window-and-controls layer: picture identity, twips, rectangle copies,
// composition, clicks and tooltips.
#include <gtest/gtest.h>

#include "forms/form.h"
#include "harness.h"

namespace {

using platform::EventType;
using Composition = test::GameTest;

TEST(BitBlt, CopiesAndClipsAtEveryEdge) {
    forms::Surface source(4, 4, 0x000000);
    source.FillRect({1, 1, 2, 2}, 0xFFFFFF);
    forms::Surface dest(5, 5, 0x0000FF);
    forms::BitBlt(&dest, -1, 3, 4, 4, &source, 0, 0, forms::SRCCOPY);
    // Source (1,1) lands at (0,4); everything else outside the destination is dropped.
    for (const auto& [x, y, color] :
         {std::tuple{0, 4, 0xFFFFFFu}, {1, 4, 0xFFFFFFu}, {2, 4, 0u}, {0, 2, 0xFFu}})
        EXPECT_EQ(dest.At(x, y) & 0xFFFFFF, color) << x << "," << y;
    forms::BitBlt(&dest, 0, 0, 10, 10, &source, 3, 3, forms::SRCCOPY);  // 1 × 1 left of the source
    EXPECT_TRUE((dest.At(0, 0) & 0xFFFFFF) == 0 && (dest.At(1, 0) & 0xFFFFFF) == 0xFF);
}

TEST_F(Composition, LeftClicksGoToTheTopmostControlAndTheBackgroundDragsTheWindow) {
    int clicks = 0;
    f.pctLogo.Click = [&] { ++clicks; };
    g.platform.ClickAt(g.Now() + 50, 100, 20);
    g.platform.ClickAt(g.Now() + 60, 100, 20, 3);  // other buttons do not click
    g.Run();
    EXPECT_EQ(clicks, 1);
    ASSERT_TRUE(g.platform.DragArea());
    EXPECT_TRUE(g.platform.DragArea()(200, 200) && !g.platform.DragArea()(480, 185));
}

TEST_F(Composition, TooltipsShowAfterHalfASecondAndGoOnLeaveOrPress) {
    const std::uint64_t t = g.Now() + 100;
    g.Send(t, EventType::MouseMove, 512, 190);  // pctScores
    g.At(t + 499, [&] { EXPECT_EQ(f.TooltipText(), ""); });
    g.At(t + 501, [&] {
        EXPECT_EQ(f.TooltipText(), "High Scores");
        const forms::Rect r = f.TooltipBounds();
        EXPECT_TRUE(r.w > 0 && r.x + r.w <= 599);
        // The box is drawn on the frame: its border in black, its inside pale.
        EXPECT_TRUE(g.Pixel(r.x, r.y + 2) == 0 && g.Pixel(r.x + 1, r.y + 1) == 0xFFFFE1u);
    });
    g.Send(t + 700, EventType::MouseMove, 300, 300);  // the playfield: no control
    g.At(t + 701, [&] { EXPECT_EQ(f.TooltipText(), ""); });
    g.Send(t + 800, EventType::MouseMove, 480, 255);  // pctAbout
    g.At(t + 1400, [&] { EXPECT_EQ(f.TooltipText(), "About"); });
    g.Send(t + 1500, EventType::MouseDown, 480, 255, 3);
    g.At(t + 1501, [&] { EXPECT_EQ(f.TooltipText(), ""); });
    g.At(t + 3000, [&] { EXPECT_EQ(f.TooltipText(), ""); });  // not again until the pointer leaves
    g.Run();
}

}  // namespace
