// The window-and-controls layer: picture identity, twips, rectangle copies,
// composition, clicks, the hand cursor and tooltips.
#include <gtest/gtest.h>

#include "forms/form.h"
#include "harness.h"

namespace {

using forms::Image;
using forms::PictureBox;
using platform::EventType;
using Composition = test::GameTest;
using Pointer = test::GameTest;
using Tooltip = test::GameTest;

Image Solid(int w, int h, std::uint32_t argb) {
    Image image;
    image.width = w;
    image.height = h;
    image.pixels.assign(static_cast<std::size_t>(w) * h, argb);
    return image;
}

TEST(Twips, WholePixelsAndRounding) {
    // 2002 is 133.47 pixels; 2047.5 is 136.5 and rounds to the nearest pixel, up.
    for (const auto& [twips, pixels] :
         {std::pair{480.0, 32}, {6450.0, 430}, {2002.0, 133}, {2047.5, 137}})
        EXPECT_EQ(forms::ToPixels(twips), pixels) << twips;
    EXPECT_EQ(forms::RoundHalfEven(2.5), 2);
    EXPECT_EQ(forms::RoundHalfEven(3.5), 4);
    EXPECT_EQ(forms::IntDiv(200, 15), 13);  // truncating quotient
    EXPECT_EQ(forms::IntDiv(1080, 15), 72);
}

TEST(Pictures, AssignmentSharesTheObjectLoadingMakesANewOneAndAutoSizeTakesItsSizeInTwips) {
    const Image red = Solid(32, 20, 0xFFFF0000);
    PictureBox a, b, c;
    a.Picture = forms::LoadPicture(red);
    b.Picture = a.Picture;
    EXPECT_TRUE(a.Picture() == b.Picture());
    EXPECT_EQ(forms::Handle(a.Picture), forms::Handle(b.Picture));
    c.Picture = forms::LoadPicture(red);  // same pixels, another picture
    EXPECT_FALSE(a.Picture() == c.Picture());
    EXPECT_EQ(a.Width, 480);
    EXPECT_EQ(a.Height, 300);
    PictureBox fixed;
    fixed.AutoSize = false;
    fixed.Width = 1830;
    fixed.Picture = a.Picture;
    EXPECT_EQ(fixed.PixelWidth(), 122);
}

TEST(Pictures, TransparentPixelsShowTheBackColor) {
    Image picture = Solid(2, 1, 0xFF112233);
    picture.pixels[1] = 0;  // transparent
    PictureBox box;
    box.AutoSize = false;
    box.Width = 3 * 15;  // a pixel wider than the picture
    box.Height = 15;
    box.BackColor = 0x445566;
    box.Picture = forms::LoadPicture(picture);
    EXPECT_EQ(box.Pixels().At(0, 0) & 0xFFFFFF, 0x112233u);
    EXPECT_EQ(box.Pixels().At(1, 0) & 0xFFFFFF, 0x445566u);
    EXPECT_EQ(box.Pixels().At(2, 0) & 0xFFFFFF, 0x445566u);
}

TEST(BitBlt, CopiesAndClipsAtEveryEdge) {
    forms::Surface source(4, 4, 0x000000);
    source.FillRect({1, 1, 2, 2}, 0xFFFFFF);
    forms::Surface dest(5, 5, 0x0000FF);
    forms::BitBlt(&dest, -1, 3, 4, 4, &source, 0, 0, forms::SRCCOPY);
    // Source (1,1) lands at (0,4); everything else outside the destination is dropped.
    EXPECT_EQ(dest.At(0, 4) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(dest.At(1, 4) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(dest.At(2, 4) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(dest.At(0, 2) & 0xFFFFFF, 0x0000FFu);
    forms::BitBlt(&dest, 0, 0, 10, 10, &source, 3, 3, forms::SRCCOPY);  // 1 × 1 left of the source
    EXPECT_EQ(dest.At(0, 0) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(dest.At(1, 0) & 0xFFFFFF, 0x0000FFu);
}

TEST_F(Composition, ControlsLieAboveTheClientAndHiddenOnesVanish) {
    // The logo control covers the background; hidden, the background shows again.
    EXPECT_TRUE(g.FrameShows(f.assets.Image("logo.gif"), 74, 16));
    f.pctLogo.Visible = false;
    f.Present();
    const forms::Image& background = f.assets.Image("background.gif");
    for (int x = 74; x < 74 + 254; x += 11)
        EXPECT_EQ(g.Pixel(x, 30), background.pixels[30 * 599 + x] & 0xFFFFFF) << x;
    // Drawing on the client under a visible control does not show through it.
    f.pctLogo.Visible = true;
    forms::BitBlt(f.hDC(), 74, 16, 32, 20, f.pctBeer[0].hDC(), 0, 0, forms::SRCCOPY);
    f.Present();
    EXPECT_TRUE(g.FrameShows(f.assets.Image("logo.gif"), 74, 16));
}

TEST_F(Composition, OnlyChangedFramesArePresented) {
    const int before = g.platform.PresentCount();
    f.Present();
    f.DoEvents();
    EXPECT_EQ(g.platform.PresentCount(), before);
    f.pctNew.Visible = false;
    f.DoEvents();
    EXPECT_EQ(g.platform.PresentCount(), before + 1);
}

TEST_F(Pointer, HandOverButtonsOnlyAndClicksGoToTheTopmostControl) {
    int clicks = 0;
    f.pctLogo.Click = [&] { ++clicks; };
    const std::uint64_t t = g.Now();
    g.Send(t + 10, EventType::MouseMove, 480, 185);  // pctNew
    g.At(t + 20, [&] { EXPECT_EQ(g.platform.CurrentCursor(), platform::Cursor::Hand); });
    g.Send(t + 30, EventType::MouseMove, 100, 20);  // the logo: no hand
    g.At(t + 40, [&] { EXPECT_EQ(g.platform.CurrentCursor(), platform::Cursor::Default); });
    g.platform.ClickAt(t + 50, 100, 20);
    g.platform.ClickAt(t + 60, 100, 20, 3);  // other buttons do not click
    g.Run();
    EXPECT_EQ(clicks, 1);
    // The background is what the system may drag the window by; controls are not.
    ASSERT_TRUE(g.platform.DragArea());
    EXPECT_TRUE(g.platform.DragArea()(200, 200));
    EXPECT_FALSE(g.platform.DragArea()(480, 185));
}

TEST_F(Tooltip, ShowsAfterHalfASecondAndGoesOnLeaveOrClick) {
    const std::uint64_t t = g.Now() + 100;
    g.Send(t, EventType::MouseMove, 512, 190);  // pctScores
    g.At(t + 499, [&] { EXPECT_EQ(f.TooltipText(), ""); });
    g.At(t + 501, [&] {
        EXPECT_EQ(f.TooltipText(), "High Scores");
        const forms::Rect r = f.TooltipBounds();
        EXPECT_GT(r.w, 0);
        EXPECT_LE(r.x + r.w, 599);
        // The box is drawn on the frame: its border in black, its inside pale.
        EXPECT_EQ(g.Pixel(r.x, r.y + 2), 0x000000u);
        EXPECT_EQ(g.Pixel(r.x + 1, r.y + 1), 0xFFFFE1u);
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
