// The artwork as the build stored it in the program: decoded from the files in
// assets/ by a build step (tools/artwork_pixels.cpp).
#pragma once

#include <cstddef>
#include <cstdint>

namespace layout {

// One picture: either a palette of up to 256 colours with a byte per pixel, or, for
// pictures with more colours, a 0xAARRGGBB word per pixel. A transparent pixel is 0,
// every other has alpha 255.
struct EmbeddedPicture {
    const char* name;  // the file's name in assets/
    int width;
    int height;
    const std::uint32_t* palette;  // null when argb is used
    const std::uint8_t* indices;
    const std::uint32_t* argb;  // null when palette is used
};

extern const EmbeddedPicture kEmbeddedPictures[];
extern const std::size_t kEmbeddedPictureCount;

}  // namespace layout
