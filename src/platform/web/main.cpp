// Frothwick in the browser: the same program on the page's canvas.
#include <iostream>
#include <stdexcept>

#include "app/frm_main.h"
#include "platform/web/browser_pictures.h"
#include "platform/web/web_platform.h"

int main() {
    {
        platform::WebPlatform web;
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
