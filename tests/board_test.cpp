// Start-up, the playfield's geometry and frame, dealing boards, drawing them and
// finding cells.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <tuple>
#include <utility>

#include "harness.h"

namespace {

using namespace game;

constexpr std::uint32_t kFrameRed = 0xFF0000;
using XY = std::pair<int, int>;
using StartUp = test::GameTest;
using FindCell = test::GameTest;
using NewBoard = test::GameTest;
using DrawBoard = test::GameTest;

TEST_F(StartUp, IdleStateGeometryFrameAndScreen) {
    EXPECT_EQ((std::array<int, 4>{f.CellWidth, f.CellHeight, f.Lives, f.FallStep}),
              (std::array<int, 4>{32, 20, kLives, kStartFallStep}));
    EXPECT_TRUE(f.TickDelay == 0 && f.GameOver && !f.pctAction.Visible);
    EXPECT_EQ(g.BoardText(), test::BoardText({}));
    EXPECT_EQ(f.Caption(), "Frothwick");
    EXPECT_EQ(g.platform.FrameWidth(), 599);
    EXPECT_EQ(g.platform.FrameHeight(), 436);
    EXPECT_EQ(f.lineRight.X1, 6030);
    EXPECT_EQ(f.lineBottom.Y1, 6015);
    EXPECT_EQ(f.lineLeft.Y2, f.lineBottom.Y2);
    EXPECT_EQ(f.lineTop.X2, f.lineRight.X2);
    // On screen: the red frame at x 13 and 402, y 72 and 401, with one blank pixel
    // between the last column/row and the right/bottom lines.
    for (int i = 0; i <= 329; i += 7)
        for (const auto& [x, y] :
             {XY{13, 72 + i}, XY{402, 72 + i}, XY{13 + i, 72}, XY{13 + i, 401}})
            EXPECT_EQ(g.Pixel(x, y), kFrameRed) << x << "," << y;
    EXPECT_NE(g.Pixel(401, 200), kFrameRed);
    EXPECT_NE(g.Pixel(200, 400), kFrameRed);
    const auto& a = f.assets;
    EXPECT_TRUE(g.FrameShows(a.Image("logo.gif"), 74, 16));
    EXPECT_TRUE(g.FrameShows(a.Image("new.gif"), 470, 176));
    EXPECT_TRUE(g.FrameShows(a.Image("quit.gif"), 504, 244));
    // Neighbouring digits overlap by one pixel: the left one lies on top.
    forms::Image zero = a.Image("digit0.gif");
    EXPECT_TRUE(g.FrameShows(zero, 430, 60));
    for (int y = 0; y < zero.height; ++y) zero.pixels[static_cast<std::size_t>(y) * zero.width] = 0;
    for (int i = 0; i < kScoreDigits - 1; ++i)
        EXPECT_TRUE(g.FrameShows(zero, 556 - 21 * i, 60)) << i;
    for (int i = 0; i < kLives; ++i)
        EXPECT_TRUE(g.FrameShows(a.Image("mug_full.gif"), 458 + 33 * i, 355)) << i;
    for (int r = 0; r <= kFloorRow; ++r)
        for (int c = 0; c <= kLastColumn; ++c)
            ASSERT_TRUE(
                g.FrameShows(a.Image("empty_cell.gif"), 17 + kColumnPitch * c, 80 + kRowPitch * r))
                << r << "," << c;
    // The focus holder is painted black.
    EXPECT_EQ(g.Pixel(456, 328), 0x000000u);
    EXPECT_EQ(g.Pixel(556, 347), 0x000000u);
    // The grid follows the left and top lines wherever they are placed.
    for (const auto& [left, top, x0, xLast, y0, yFloor] :
         {std::array<int, 6>{200, 1080, 17, 369, 80, 380},
          std::array<int, 6>{150, 300, 14, 366, 28, 328}}) {
        f.lineLeft.X1 = left;
        f.lineTop.Y1 = top;
        f.InitializeBoard();
        EXPECT_EQ((std::array<int, 4>{f.ColumnX[0], f.ColumnX[kLastColumn], f.RowY[0],
                                      f.RowY[kFloorRow]}),
                  (std::array<int, 4>{x0, xLast, y0, yFloor}));
    }
}

TEST_F(StartUp, LeftoverTraceFileIsDeletedButNotAFolder) {
    test::TempDir dir;
    for (const bool folder : {false, true}) {
        const std::string trace = dir.Path() + "/Frothwick.txt";
        if (folder)
            std::filesystem::create_directory(trace);
        else
            std::ofstream(trace) << "old trace";
        platform::HeadlessPlatform headless;
        headless.SetProgramDir(dir.Path());
        FrmMain form(headless);
        form.Form_Load();
        EXPECT_EQ(std::filesystem::exists(trace), folder);
    }
}

TEST_F(StartUp, TheDiceFollowTheWallClockNotTheTimeSinceStart) {
    auto firstDraws = [](std::uint64_t wallClockNs) {
        platform::HeadlessPlatform headless;  // the same virtual clock every time
        headless.SetWallClockStart(wallClockNs);
        FrmMain form(headless);
        form.Form_Load();
        return std::array<float, 3>{form.Rnd(), form.Rnd(), form.Rnd()};
    };
    EXPECT_EQ(firstDraws(1'800'000'000'000'000'000), firstDraws(1'800'000'000'000'000'000));
    EXPECT_NE(firstDraws(1'800'000'000'000'000'000), firstDraws(1'800'000'001'000'000'000));
}

TEST_F(FindCell, AnswersTheRowTheCanIsMovingInto) {
    struct Case {
        std::int32_t x, y;
        std::int16_t row, column;
        bool found;
    };
    for (const Case& c :
         {Case{f.ColumnX[4], f.RowY[3], 3, 4, true}, Case{f.ColumnX[4], f.RowY[3] + 1, 4, 4, true},
          Case{f.ColumnX[4], f.RowY[3] - 1, 3, 4, true},
          Case{f.ColumnX[0], f.RowY[0] - 20, 0, 0, true},
          Case{f.ColumnX[0], f.RowY[0] - 21, kNotFoundRow, 0, true},  // the column alone is enough
          Case{f.ColumnX[kLastColumn] + 1, f.RowY[kFloorRow] + 1, kNotFoundRow, kNotFoundColumn,
               false}}) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        std::int16_t row = -1, column = -1;
        bool found = !c.found;
        f.FindCell(c.x, c.y, row, column, found);
        EXPECT_EQ((std::tuple{row, column, found}), (std::tuple{c.row, c.column, c.found}));
    }
}

TEST_F(NewBoard, ObstacleStacksOfOneThreeOrFourOnTheFloorOnlyOneDrawPerColumnAndOneMorePerStack) {
    int empty = 0, stacks = 0;
    const int boards = 4000;
    const char* const shapes[] = {"...S", ".TMB", "TMMB"};  // by the stack's draw: 1, 3 or 4 high
    for (int n = 0; n < boards; ++n) {
        f.Rnd.Seed(1000 + n);
        game::Random replay = f.Rnd;
        std::string rows[4] = {"............", "............", "............", "............"};
        for (int c = 0; c <= kLastColumn; ++c) {
            if (replay.Pick(kObstacleOdds) != 1) continue;
            const char* shape =
                shapes[static_cast<int>(static_cast<double>(replay()) * kObstacleHeights)];
            for (int r = 0; r < 4; ++r) rows[r][c] = shape[r];
            ++stacks;
        }
        f.NewBoard();
        ASSERT_EQ(g.BoardText(), test::BoardText({rows[0].c_str(), rows[1].c_str(), rows[2].c_str(),
                                                  rows[3].c_str()}))
            << n;
        ASSERT_EQ(f.Rnd(), replay());  // both generators are at the same point
        // Nothing in the hidden row and column; no roll frame anywhere.
        for (int i = 0; i <= kNotFoundRow; ++i)
            ASSERT_EQ(
                f.Board[i][kNotFoundColumn] + f.Board[kNotFoundRow][std::min(i, kNotFoundColumn)],
                kEmptyCell);
        for (int r = kFloorRow - 3; r <= kFloorRow; ++r)
            for (int c = 0; c <= kLastColumn; ++c) ASSERT_EQ(f.BoardFrame[r][c], 0);
        empty += rows[3] == "............";
    }
    // 0.95^12 of boards are empty (54 %); 0.6 stacks a board on average.
    EXPECT_NEAR(static_cast<double>(empty) / boards, 0.54, 0.03);
    EXPECT_NEAR(static_cast<double>(stacks) / boards, 0.6, 0.05);
}

TEST_F(DrawBoard, RepaintPaintsEveryCellFromItsSprite) {
    // Every can kind and frame, and every obstacle piece, somewhere on the board.
    for (int i = 0; i < kCanSprites; ++i) {
        const int r = i / kVisibleColumns, c = i % kVisibleColumns;
        f.Board[r][c] = static_cast<std::int16_t>(i / kRollFrames + 1);
        f.BoardFrame[r][c] = static_cast<std::int16_t>(i % kRollFrames);
    }
    for (int n = 0; n < kObstaclePieces; ++n)
        f.Board[kFloorRow][n] = static_cast<std::int16_t>(kObstacleTop + n);
    g.Send(g.Now() + 5, platform::EventType::Expose);  // a repaint draws from the board
    g.Run();
    const auto& a = f.assets;
    const char* obstacles[] = {"obstacle_top.gif", "obstacle_middle.gif", "obstacle_bottom.gif",
                               "obstacle_single.gif"};
    for (int r = 0; r <= kFloorRow; ++r)
        for (int c = 0; c <= kLastColumn; ++c) {
            const int code = f.Board[r][c];
            const std::string sprite = code >= kObstacleTop ? obstacles[code - kObstacleTop]
                                       : code == kEmptyCell
                                           ? "empty_cell.gif"
                                           : "can_" + std::to_string(code - 1) + "_" +
                                                 std::to_string(f.BoardFrame[r][c]) + ".gif";
            ASSERT_TRUE(g.FrameShows(a.Image(sprite), f.ColumnX[c], f.RowY[r])) << r << "," << c;
        }
    // The last kind in its last frame is the last holder.
    const int last = kCanSprites - 1;
    EXPECT_TRUE(g.FrameShows(a.Image("can_" + std::to_string(kCanKinds - 1) + "_" +
                                     std::to_string(kRollFrames - 1) + ".gif"),
                             f.ColumnX[last % kVisibleColumns], f.RowY[last / kVisibleColumns]));
}

}  // namespace
