// The pictures of the page's build that the browser decodes: those of more colours
// than a palette holds, whose files are many times smaller than their pixels. The
// build (tools/artwork_pixels.cpp --browser) keeps room for their pixels in the
// program and lists them here; DecodeBrowserPictures fills them in before the game
// reads any picture.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

struct BrowserPicture {
    const char* file;  // its name in the page's folder, beside index.html
    int width;
    int height;
    std::uint32_t* argb;  // width × height words, 0xAARRGGBB, to be filled in
};

extern const BrowserPicture kBrowserPictures[];
extern const std::size_t kBrowserPictureCount;

// Fetches and decodes every picture of kBrowserPictures into its room, suspending the
// program meanwhile; throws std::runtime_error when one cannot be had.
void DecodeBrowserPictures();

}  // namespace platform
