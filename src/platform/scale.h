// Whole-number scaling of the window for large screens.
//
// The game always works in its own logical pixels; on a screen with room to spare the
// window is shown at a whole multiple of that size, each logical pixel as a k × k
// block, and pointer positions are mapped back.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <string>

namespace platform {

constexpr int kMaxScale = 4;

// The largest whole scale at which a w × h window fits the usable screen area with at
// least a tenth of it to spare, 1 to kMaxScale. A valid FROTHWICK_SCALE ("1".."4")
// decides instead; anything else in it is ignored.
inline int ChooseScale(int usableW, int usableH, int w, int h, const char* requested) {
    if (requested) {
        const std::string text(requested);
        if (text.size() == 1 && text[0] >= '1' && text[0] <= '0' + kMaxScale) return text[0] - '0';
    }
    int scale = 1;
    for (int k = 2; k <= kMaxScale; ++k)
        if (w * k * 10 <= usableW * 9 && h * k * 10 <= usableH * 9) scale = k;
    return scale;
}

// A window pixel at the given scale to the logical pixel it shows.
constexpr int ToLogical(int physical, int scale) {
    return physical >= 0 ? physical / scale : -((-physical + scale - 1) / scale);
}

}  // namespace platform
