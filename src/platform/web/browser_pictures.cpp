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
// takePicture, which starts on the pictures it preloads before the program has
// arrived) and keeps it for CopyPicture; its width, or 0 when it cannot be had.
EM_ASYNC_JS(int, DecodeImage, (const char* path), {
    try {
        Module.frothImage = await takePicture(UTF8ToString(path));
        return Module.frothImage.width;
    } catch (e) {
        return 0;
    }
});

EM_JS(int, ImageHeight, (), { return Module.frothImage.height; });

// Copies the w × h pixels at x, y of the kept image, 4 bytes each, to `to`.
EM_JS(void, CopyPicture, (int x, int y, int w, int h, void* to), {
    const image = Module.frothImage;
    for (let row = 0; row < h; row++) {
        const from = ((y + row) * image.width + x) * 4;
        HEAPU8.set(image.data.subarray(from, from + w * 4), to + row * w * 4);
    }
});

EM_JS(void, ForgetImage, (), { Module.frothImage = null; });
// clang-format on

// Turns pixels copied as bytes red, green, blue, alpha into words 0xAARRGGBB: a pixel
// of alpha under half is transparent, 0, as the build stores one.
void ToWords(std::uint32_t* argb, std::size_t count) {
    for (std::uint32_t* word = argb; word != argb + count; ++word) {
        const std::uint32_t abgr = *word;  // the bytes read as a word, little end first
        *word = abgr >> 31
                    ? 0xFF000000u | (abgr & 0xFF) << 16 | (abgr & 0xFF00) | (abgr >> 16 & 0xFF)
                    : 0;
    }
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
        if (picture.x + picture.width > width || picture.y + picture.height > height)
            throw std::runtime_error(std::string("no room for a picture in ") + picture.file);
        CopyPicture(picture.x, picture.y, picture.width, picture.height, picture.argb);
        ToWords(picture.argb, static_cast<std::size_t>(picture.width) * picture.height);
    }
    ForgetImage();
}

}  // namespace platform
