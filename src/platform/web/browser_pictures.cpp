// The browser's own image decoder for the pictures the page's build leaves to it.
#include "platform/web/browser_pictures.h"

#include <emscripten.h>

#include <stdexcept>
#include <string>

namespace platform {
namespace {

// clang-format off
// Decodes the picture at the page's address `path` into w × h words 0xAARRGGBB at
// `argb`, alpha cut at half as the build cuts it; 0 when the picture cannot be had or
// has another size. An image element rather than fetch: it loads from a file: page too.
EM_ASYNC_JS(int, DecodePicture, (const char* path, int w, int h, std::uint32_t* argb), {
    try {
        const image = new Image();
        image.src = UTF8ToString(path);
        await image.decode();
        if (image.naturalWidth !== w || image.naturalHeight !== h) return 0;
        const canvas = document.createElement("canvas");
        canvas.width = w;
        canvas.height = h;
        const context = canvas.getContext("2d", {willReadFrequently: true});
        context.drawImage(image, 0, 0);
        const rgba = context.getImageData(0, 0, w, h).data;
        const words = HEAPU32.subarray(argb >> 2, (argb >> 2) + w * h);
        for (let i = 0, j = 0; i < words.length; i++, j += 4) {
            const alpha = rgba[j + 3] >= 128 ? 0xff000000 : 0;
            words[i] = (alpha | rgba[j] << 16 | rgba[j + 1] << 8 | rgba[j + 2]) >>> 0;
        }
        return 1;
    } catch (e) {
        return 0;
    }
});
// clang-format on

}  // namespace

void DecodeBrowserPictures() {
    for (std::size_t i = 0; i < kBrowserPictureCount; ++i) {
        const BrowserPicture& picture = kBrowserPictures[i];
        if (!DecodePicture(picture.file, picture.width, picture.height, picture.argb))
            throw std::runtime_error(std::string("cannot decode ") + picture.file);
    }
}

}  // namespace platform
