// The browser's own image decoders for the page's pictures.
#include "platform/web/browser_pictures.h"

#include <emscripten.h>

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {
namespace {

// clang-format off
// Waits for the page to decode the image at its address `path` (index.html's
// takePicture, which starts on the pictures it preloads before the program has
// arrived) and keeps it for TakePixels; its width, or 0 when it cannot be had.
EM_ASYNC_JS(int, DecodeImage, (const char* path), {
    try {
        Module.frothImage = await takePicture(UTF8ToString(path));
        return Module.frothImage.width;
    } catch (e) {
        return 0;
    }
});

EM_JS(int, ImageHeight, (), { return Module.frothImage.height; });

// Copies the kept image's pixels, 4 bytes red, green, blue, alpha each, to `rgba`,
// and forgets the image.
EM_JS(void, TakePixels, (std::uint8_t* rgba), {
    HEAPU8.set(Module.frothImage.data, rgba);
    Module.frothImage = null;
});
// clang-format on

// A decoded file: width × height pixels, 4 bytes red, green, blue, alpha each.
struct Rgba {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes;
};

Rgba Decode(const char* file) {
    Rgba image;
    image.width = DecodeImage(file);
    if (image.width == 0) throw std::runtime_error(std::string("cannot decode ") + file);
    image.height = ImageHeight();
    image.bytes.resize(static_cast<std::size_t>(image.width) * image.height * 4);
    TakePixels(image.bytes.data());
    return image;
}

// Fills the picture's room from its rectangle of the file, as words 0xAARRGGBB: a
// pixel of alpha under half is transparent, 0, as the build stores one.
void CopyPicture(const Rgba& image, const BrowserPicture& picture) {
    if (picture.x + picture.width > image.width || picture.y + picture.height > image.height)
        throw std::runtime_error(std::string("no room for a picture in ") + picture.file);
    std::uint32_t* to = picture.argb;
    for (int y = picture.y; y < picture.y + picture.height; ++y) {
        const std::uint8_t* from =
            image.bytes.data() + (static_cast<std::size_t>(y) * image.width + picture.x) * 4;
        for (int x = 0; x < picture.width; ++x, from += 4) {
            *to++ = from[3] >= 128 ? 0xFF000000u | std::uint32_t{from[0]} << 16 |
                                         std::uint32_t{from[1]} << 8 | from[2]
                                   : 0;
        }
    }
}

}  // namespace

void DecodeBrowserPictures() {
    // The build lists the pictures of each file together: each file is decoded once.
    Rgba image;
    std::string decoded;
    for (std::size_t i = 0; i < kBrowserPictureCount; ++i) {
        const BrowserPicture& picture = kBrowserPictures[i];
        if (decoded != picture.file) {
            image = Decode(picture.file);
            decoded = picture.file;
        }
        CopyPicture(image, picture);
    }
}

}  // namespace platform
