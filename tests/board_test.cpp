// Start-up, the playfield's geometry and frame, dealing boards, drawing them and
// finding cells.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "harness.h"

namespace {

constexpr std::uint32_t kFrameRed = 0xFF0000;

TEST(StartUp, IdleStateAfterLoading) {
    test::Game g;
    FrmMain& f = g.form();
    EXPECT_EQ(f.CellWidth, 32);
    EXPECT_EQ(f.CellHeight, 20);
    EXPECT_EQ(f.Lives, 3);
    EXPECT_EQ(f.FallStep, 5);
    EXPECT_EQ(f.TickDelay, 0);
    EXPECT_TRUE(f.GameOver);
    EXPECT_FALSE(f.CanFalling);
    EXPECT_EQ(f.Score, 0);
    for (int r = 0; r <= 16; ++r)
        for (int c = 0; c <= 12; ++c) ASSERT_EQ(f.Board[r][c], 0);
    EXPECT_EQ(f.Caption(), "Frothwick");
    EXPECT_EQ(g.platform.Caption(), "Frothwick");
    EXPECT_EQ(g.platform.FrameWidth(), 599);
    EXPECT_EQ(g.platform.FrameHeight(), 436);
}

TEST(StartUp, GeometryAndFittedFrame) {
    test::Game g;
    FrmMain& f = g.form();
    EXPECT_EQ(f.ColumnX[0], 17);
    EXPECT_EQ(f.ColumnX[11], 369);
    EXPECT_EQ(f.RowY[0], 80);
    EXPECT_EQ(f.RowY[15], 380);
    EXPECT_EQ(f.lineRight.X1, 6030);
    EXPECT_EQ(f.lineBottom.Y1, 6015);
    EXPECT_EQ(f.lineLeft.X1, 200);
    EXPECT_EQ(f.lineTop.Y1, 1080);
    EXPECT_EQ(f.lineLeft.Y2, f.lineBottom.Y2);
    EXPECT_EQ(f.lineTop.X1, f.lineLeft.X1);
    EXPECT_EQ(f.lineTop.X2, f.lineRight.X2);
    // On screen: the red frame at x 13 and 402, y 72 and 401, with one blank pixel
    // between the last column/row and the right/bottom lines.
    for (int y = 72; y <= 401; y += 7) {
        EXPECT_EQ(g.Pixel(13, y), kFrameRed) << y;
        EXPECT_EQ(g.Pixel(402, y), kFrameRed) << y;
    }
    for (int x = 13; x <= 402; x += 7) {
        EXPECT_EQ(g.Pixel(x, 72), kFrameRed) << x;
        EXPECT_EQ(g.Pixel(x, 401), kFrameRed) << x;
    }
    EXPECT_NE(g.Pixel(401, 200), kFrameRed);
    EXPECT_NE(g.Pixel(200, 400), kFrameRed);
}

TEST(StartUp, GridFollowsTheLeftAndTopLinesWherePlaced) {
    test::Game g;
    FrmMain& f = g.form();
    f.lineLeft.X1 = 150;
    f.lineTop.Y1 = 300;
    f.InitializeBoard();
    EXPECT_EQ(f.ColumnX[0], 14);
    EXPECT_EQ(f.ColumnX[11], 366);
    EXPECT_EQ(f.RowY[0], 28);
    EXPECT_EQ(f.RowY[15], 328);
}

TEST(StartUp, LeftoverTraceFileIsDeletedButNotAFolder) {
    test::TempDir dir;
    {
        std::ofstream(dir.Path() + "/Frothwick.txt") << "old trace";
        platform::HeadlessPlatform headless;
        headless.SetProgramDir(dir.Path());
        FrmMain form(headless);
        form.Form_Load();
        EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/Frothwick.txt"));
    }
    std::filesystem::create_directory(dir.Path() + "/Frothwick.txt");
    platform::HeadlessPlatform headless;
    headless.SetProgramDir(dir.Path());
    FrmMain form(headless);
    form.Form_Load();
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() + "/Frothwick.txt"));
}

TEST(StartUp, IdleScreenShowsPanelDigitsMugsAndEmptyCells) {
    test::Game g;
    FrmMain& f = g.form();
    const auto& a = f.assets;
    EXPECT_TRUE(g.FrameShows(a.Image("logo.gif"), 74, 16));
    EXPECT_TRUE(g.FrameShows(a.Image("new.gif"), 470, 176));
    EXPECT_TRUE(g.FrameShows(a.Image("quit.gif"), 504, 244));
    // Neighbouring digits overlap by one pixel: the left one lies on top.
    forms::Image zero = a.Image("digit0.gif");
    EXPECT_TRUE(g.FrameShows(zero, 430, 60));
    for (int y = 0; y < zero.height; ++y) zero.pixels[static_cast<std::size_t>(y) * zero.width] = 0;
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(g.FrameShows(zero, 556 - 21 * i, 60)) << i;
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(g.FrameShows(a.Image("mug_full.gif"), 458 + 33 * i, 355)) << i;
    EXPECT_FALSE(f.pctAction.Visible);
    for (int r = 0; r <= 15; ++r)
        for (int c = 0; c <= 11; ++c)
            ASSERT_TRUE(g.FrameShows(a.Image("empty_cell.gif"), 17 + 32 * c, 80 + 20 * r)) << r << "," << c;
    // The focus holder is painted black.
    EXPECT_EQ(g.Pixel(456, 328), 0x000000u);
    EXPECT_EQ(g.Pixel(556, 347), 0x000000u);
}

TEST(FindCell, AnswersTheRowTheCanIsMovingInto) {
    test::Game g;
    FrmMain& f = g.form();
    std::int16_t row = -1, column = -1;
    bool found = false;
    auto find = [&](std::int32_t x, std::int32_t y) { f.FindCell(x, y, row, column, found); };
    find(f.ColumnX[4], f.RowY[3]);
    EXPECT_EQ(row, 3);
    EXPECT_EQ(column, 4);
    EXPECT_TRUE(found);
    find(f.ColumnX[4], f.RowY[3] + 1);
    EXPECT_EQ(row, 4);
    find(f.ColumnX[4], f.RowY[3] - 1);
    EXPECT_EQ(row, 3);
    find(f.ColumnX[0], f.RowY[0] - f.CellHeight);
    EXPECT_EQ(row, 0);
    find(f.ColumnX[0], f.RowY[0] - f.CellHeight - 1);
    EXPECT_EQ(row, 16);
    EXPECT_TRUE(found);  // the column alone is enough
    find(f.ColumnX[11] + 1, f.RowY[15] + 1);
    EXPECT_EQ(row, 16);
    EXPECT_EQ(column, 12);
    EXPECT_FALSE(found);
}

TEST(NewBoard, ObstacleStacksOnlyOnTheFloorAndOfThreeShapes) {
    test::Game g;
    FrmMain& f = g.form();
    int empty = 0, stacks = 0;
    const int boards = 4000;
    for (int n = 0; n < boards; ++n) {
        f.Rnd.Seed(1000 + n);
        f.NewBoard();
        bool any = false;
        for (int c = 0; c <= 12; ++c) {
            ASSERT_EQ(f.Board[16][c], 0);
            for (int r = 0; r <= 11; ++r) ASSERT_EQ(f.Board[r][c], 0);
            const std::int16_t* col[4] = {&f.Board[12][c], &f.Board[13][c], &f.Board[14][c], &f.Board[15][c]};
            const int a = *col[0], b = *col[1], cc = *col[2], d = *col[3];
            const bool none = a == 0 && b == 0 && cc == 0 && d == 0;
            const bool single = a == 0 && b == 0 && cc == 0 && d == 503;
            const bool three = a == 0 && b == 500 && cc == 501 && d == 502;
            const bool four = a == 500 && b == 501 && cc == 501 && d == 502;
            ASSERT_TRUE(none || single || three || four) << "column " << c;
            ASSERT_TRUE(c < 12 || none);
            if (!none) any = true, ++stacks;
            for (int r = 12; r <= 15; ++r) ASSERT_EQ(f.BoardFrame[r][c], 0);
        }
        if (!any) ++empty;
    }
    // 0.95^12 of boards are empty (54 %); 0.6 stacks a board on average.
    EXPECT_NEAR(static_cast<double>(empty) / boards, 0.54, 0.03);
    EXPECT_NEAR(static_cast<double>(stacks) / boards, 0.6, 0.05);
}

TEST(NewBoard, DrawsOncePerColumnAndOnceMoreForAStack) {
    test::Game g;
    FrmMain& f = g.form();
    for (std::uint64_t seed = 1; seed < 300; ++seed) {
        f.Rnd.Seed(seed);
        game::Random replay;
        replay.Seed(seed);
        std::int16_t expected[12] = {};
        for (int c = 0; c < 12; ++c) {
            if (replay.Pick(20) != 1) continue;
            const int h = static_cast<int>(static_cast<double>(replay()) * 3 + 1);
            expected[c] = h == 1 ? 503 : 502;
        }
        f.NewBoard();
        for (int c = 0; c < 12; ++c) ASSERT_EQ(f.Board[15][c], expected[c]) << seed;
        // Both generators are now at the same point.
        ASSERT_EQ(f.Rnd(), replay());
    }
}

TEST(DrawBoard, PaintsEveryCellFromItsSprite) {
    test::Game g;
    FrmMain& f = g.form();
    // Every can kind and frame, and every obstacle piece, somewhere on the board.
    for (int i = 0; i < 48; ++i) {
        const int r = i / 12, c = i % 12;
        f.Board[r][c] = static_cast<std::int16_t>(i / 8 + 1);
        f.BoardFrame[r][c] = static_cast<std::int16_t>(i % 8);
    }
    for (int n = 0; n < 4; ++n) f.Board[15][n] = static_cast<std::int16_t>(500 + n);
    f.DrawBoard();
    f.Present();
    const auto& a = f.assets;
    const char* obstacles[] = {"obstacle_top.gif", "obstacle_middle.gif", "obstacle_bottom.gif",
                               "obstacle_single.gif"};
    for (int r = 0; r <= 15; ++r)
        for (int c = 0; c <= 11; ++c) {
            const int code = f.Board[r][c];
            const std::string sprite =
                code >= 500 ? obstacles[code - 500]
                : code == 0 ? "empty_cell.gif"
                            : "can_" + std::to_string(code - 1) + "_" + std::to_string(f.BoardFrame[r][c]) + ".gif";
            ASSERT_TRUE(g.FrameShows(a.Image(sprite), f.ColumnX[c], f.RowY[r])) << r << "," << c;
        }
    // Code 6 in frame 7 is the last holder.
    EXPECT_TRUE(g.FrameShows(a.Image("can_5_7.gif"), f.ColumnX[11], f.RowY[3]));
}

TEST(DrawBoard, RepaintAfterExposeRedrawsFromTheBoard) {
    test::Game g;
    FrmMain& f = g.form();
    f.Board[7][5] = 3;
    f.BoardFrame[7][5] = 2;
    platform::Event expose;
    expose.type = platform::EventType::Expose;
    g.platform.At(g.Now() + 5, expose);
    g.Run();
    EXPECT_TRUE(g.FrameShows(f.assets.Image("can_2_2.gif"), f.ColumnX[5], f.RowY[7]));
}

}  // namespace
