// The page's pictures, decoded by the browser: the program downloads before it can
// draw, and an image file is smaller on the wire than its pixels in the program and
// is decoded by the browser's own code. The build (tools/artwork_pixels.cpp
// --browser) keeps room for every picture in the program and lists here where in
// which file each is found: the photographs in their own files, the rest on lossless
// WebP sheets. DecodeBrowserPictures fills them in before the game reads any.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

struct BrowserPicture {
    const char* file;  // its name in the page's folder, beside index.html
    int x;             // where in the file the picture starts, in pixels
    int y;
    int width;
    int height;
    std::uint32_t* argb;  // width × height words, 0xAARRGGBB, to be filled in
};

extern const BrowserPicture kBrowserPictures[];
extern const std::size_t kBrowserPictureCount;

// Fetches and decodes each file of kBrowserPictures once and copies every picture
// into its room, suspending the program meanwhile; throws std::runtime_error when one
// cannot be had.
void DecodeBrowserPictures();

}  // namespace platform
