// Frothwick in the browser: the same program on the page's canvas.
#include <iostream>
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
            std::cerr << "Frothwick: cannot start: " << failure.what() << '\n';
        }
    }
    platform::WebPlatform::ShowClosed();
    return 0;
}
