// The browser's own image decoders for the page's pictures.
#include "platform/web/browser_pictures.h"

#include <emscripten.h>

#include <cstddef>
#include <stdexcept>
#include <string>

namespace platform {
namespace {

// clang-format off
// Waits for the page to decode the image at its address `path` (index.html's
// takePicture, which starts on the pictures it knows before the program has arrived)
// and keeps it for CopyRectangle; its width, or 0 when it cannot be had.
EM_ASYNC_JS(int, DecodeImage, (const char* path), {
    try {
        Module.frothImage = await takePicture(UTF8ToString(path));
        return Module.frothImage.width;
    } catch (e) {
        return 0;
    }
});

EM_JS(int, ImageHeight, (), { return Module.frothImage.height; });

// Copies w × h pixels at (x, y) of the kept image to `argb`, row after row. The page
// hands over each pixel as the program's word, 0xAARRGGBB.
EM_JS(void, CopyRectangle, (int x, int y, int w, int h, std::uint32_t* argb), {
    const image = Module.frothImage;
    for (let row = 0; row < h; ++row) {
        const from = ((y + row) * image.width + x) * 4;
        HEAPU8.set(image.bytes.subarray(from, from + w * 4), argb + row * w * 4);
    }
});

EM_JS(void, ForgetImage, (), { Module.frothImage = null; });
// clang-format on

// Fills the picture's room from its rectangle of the kept image, which is `width` ×
// `height` pixels.
void CopyPicture(const BrowserPicture& picture, int width, int height) {
    if (picture.x + picture.width > width || picture.y + picture.height > height)
        throw std::runtime_error(std::string("no room for a picture in ") + picture.file);
    CopyRectangle(picture.x, picture.y, picture.width, picture.height, picture.argb);
}

}  // namespace

void DecodeBrowserPictures() {
    // The build lists the pictures of each file together: each file is decoded once.
    std::string decoded;
    int width = 0, height = 0;
    for (std::size_t i = 0; i < kBrowserPictureCount; ++i) {
        const BrowserPicture& picture = kBrowserPictures[i];
        if (decoded != picture.file) {
            width = DecodeImage(picture.file);
            if (width == 0) throw std::runtime_error(std::string("cannot decode ") + picture.file);
            height = ImageHeight();
            decoded = picture.file;
        }
        CopyPicture(picture, width, height);
    }
    ForgetImage();
}

}  // namespace platform
