// The score counter: points, the speed-up every 10,000 points, the wrap at ten
// million, and the seven digits on the panel.
#include <cstdio>
#include <string>

#include "app/frm_main.h"

using namespace game;

// Adds points and redraws all seven digits, also for 0 points. Callers: new game (0),
// a landing, a drop, and each cleared block (500). Never waits.
void FrmMain::AddScore(std::int16_t points) {
    const std::int32_t bandBefore = Score / kSpeedUpPoints;
    Score += points;
    // One step however many bands were crossed: shorter waits first, then longer falls.
    if (Score / kSpeedUpPoints != bandBefore) {
        if (TickDelay >= kShortestShortenedTick)
            TickDelay = static_cast<std::int16_t>(TickDelay - kTickShortening);
        else if (FallStep < CellHeight)
            ++FallStep;
    }

    char digits[16];
    std::snprintf(digits, sizeof digits, "%07d", static_cast<int>(Score));
    std::string text = digits;
    if (text.size() > kScoreDigits) {
        // Ten million wraps to zero and gives back a lost life.
        if (Lives < kLives) {
            ++Lives;
            pctLives[Lives - 1].Picture = frmGraphics.pctMug.Picture;
        }
        text.erase(0, 1);
        Score = 0;
    }
    for (int i = 1; i <= kScoreDigits; ++i)
        pctScore[kScoreDigits - i].Picture = frmGraphics.pctDigit[text[i - 1] - '0'].Picture;
}
