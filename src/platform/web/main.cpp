// Frothwick in the browser: the same program on the page's canvas.
#include <cstdio>
#include <stdexcept>

#include "app/frm_main.h"
#include "layout/geometry.h"
#include "platform/web/browser_pictures.h"
#include "platform/web/web_platform.h"

int main() {
    {
        // A finger steers the can on the playfield, inside its frame lines.
        constexpr platform::SwipeArea kPlayfield{
            {layout::kFrameLeft, layout::kFrameTop, layout::kFrameRight - layout::kFrameLeft,
             layout::kFrameBottom - layout::kFrameTop},
            layout::kColumnPitch};
        platform::WebPlatform web(kPlayfield);
        try {
            platform::DecodeBrowserPictures();
            PlayUntilClosed(web);
        } catch (const std::exception& failure) {
            std::fprintf(stderr, "Frothwick: cannot start: %s\n", failure.what());
        }
    }
    platform::WebPlatform::ShowClosed();
    return 0;
}
