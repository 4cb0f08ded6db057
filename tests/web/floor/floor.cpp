// The least a page built like Frothwick's can do to show a first frame: one frame of the
// game's size put on the canvas, marked as the game marks its own. The browser tests
// time Frothwick's first frame against this one's, in the same run.
#include <emscripten.h>

#include <cstdint>
#include <vector>

namespace {

// clang-format off
EM_JS(void, PutFrame, (const std::uint8_t* rgba, int w, int h), {
    const canvas = document.getElementById("frame");
    canvas.width = w;
    canvas.height = h;
    const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, w * h * 4);
    canvas.getContext("2d", {alpha: false}).putImageData(new ImageData(pixels, w, h), 0, 0);
    performance.mark("frothwick-first-frame");
});
// clang-format on

}  // namespace

int main() {
    constexpr int kWidth = 599, kHeight = 436;  // pixels, as the game's window
    constexpr std::uint8_t kPanel[] = {0x3a, 0x24, 0x14, 0xff};
    std::vector<std::uint8_t> frame(kWidth * kHeight * 4);
    for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = kPanel[i % 4];
    PutFrame(frame.data(), kWidth, kHeight);
    return 0;
}
