// The browser's own image decoders for the page's pictures.
#include "platform/web/browser_pictures.h"

#include <emscripten.h>

#include <stdexcept>
#include <string>

namespace platform {
namespace {

// clang-format off
// Decodes the image at the page's address `path` and keeps its pixels for
// CopyPicture; 0 when it cannot be had. An image element rather than fetch: it loads
// from a file: page too. Nothing here converts colours, so the pixels are the file's.
EM_ASYNC_JS(int, DecodeImage, (const char* path), {
    try {
        const image = new Image();
        image.src = UTF8ToString(path);
        await image.decode();
        const canvas = document.createElement("canvas");
        canvas.width = image.naturalWidth;
        canvas.height = image.naturalHeight;
        const context = canvas.getContext("2d", {willReadFrequently: true});
        context.drawImage(image, 0, 0);
        Module.frothImage = context.getImageData(0, 0, canvas.width, canvas.height);
        return 1;
    } catch (e) {
        return 0;
    }
});

// Copies the w × h pixels at x, y of the image DecodeImage kept into `argb` as
// 0xAARRGGBB words: a pixel of alpha under half is transparent, 0, as the build
// stores one; 0 when the image has no such rectangle.
EM_JS(int, CopyPicture, (int x, int y, int w, int h, std::uint32_t* argb), {
    const image = Module.frothImage;
    if (x + w > image.width || y + h > image.height) return 0;
    const rgba = image.data;
    const words = HEAPU32.subarray(argb >> 2, (argb >> 2) + w * h);
    for (let row = 0, i = 0; row < h; row++) {
        for (let j = ((y + row) * image.width + x) * 4, end = j + w * 4; j < end; j += 4, i++) {
            words[i] = rgba[j + 3] >= 128
                ? (0xff000000 | rgba[j] << 16 | rgba[j + 1] << 8 | rgba[j + 2]) >>> 0 : 0;
        }
    }
    return 1;
});

EM_JS(void, ForgetImage, (), { Module.frothImage = null; });
// clang-format on

}  // namespace

void DecodeBrowserPictures() {
    // The file DecodeImage holds: the build lists the pictures of each file together.
    std::string decoded;
    for (std::size_t i = 0; i < kBrowserPictureCount; ++i) {
        const BrowserPicture& picture = kBrowserPictures[i];
        if (decoded != picture.file) {
            if (!DecodeImage(picture.file))
                throw std::runtime_error(std::string("cannot decode ") + picture.file);
            decoded = picture.file;
        }
        if (!CopyPicture(picture.x, picture.y, picture.width, picture.height, picture.argb))
            throw std::runtime_error(std::string("no room for a picture in ") + picture.file);
    }
    ForgetImage();
}

}  // namespace platform
