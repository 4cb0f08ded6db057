#include "layout/assets.h"

#include <algorithm>
#include <stdexcept>

#include "layout/embedded_artwork.h"

namespace layout {

namespace {

const EmbeddedPicture& Find(const std::string& name) {
    for (std::size_t i = 0; i < kEmbeddedPictureCount; ++i)
        if (name == kEmbeddedPictures[i].name) return kEmbeddedPictures[i];
    throw std::out_of_range("no built-in asset " + name);
}

}  // namespace

forms::StdPicture Assets::Picture(const std::string& name) const {
    return std::make_shared<const forms::Image>(Image(name));
}

forms::Image Assets::Image(const std::string& name) const {
    const EmbeddedPicture& stored = Find(name);
    forms::Image image;
    image.width = stored.width;
    image.height = stored.height;
    const std::size_t count = static_cast<std::size_t>(stored.width) * stored.height;
    if (stored.argb != nullptr) {
        image.pixels.assign(stored.argb, stored.argb + count);
    } else {
        image.pixels.resize(count);
        std::transform(stored.indices, stored.indices + count, image.pixels.begin(),
                       [&stored](std::uint8_t i) { return stored.palette[i]; });
    }
    return image;
}

}  // namespace layout
