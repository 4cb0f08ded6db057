#include "layout/assets.h"

#include <cstddef>

namespace layout {

struct EmbeddedFile {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};
extern const EmbeddedFile kEmbeddedFiles[];
extern const std::size_t kEmbeddedFileCount;

Assets::Assets() {
    for (std::size_t i = 0; i < kEmbeddedFileCount; ++i) {
        const EmbeddedFile& file = kEmbeddedFiles[i];
        images_.emplace(file.name, platform::DecodeImage(file.data, file.size));
    }
}

const forms::Image& Assets::Image(const std::string& name) const { return images_.at(name); }

forms::StdPicture Assets::Picture(const std::string& name) const { return forms::LoadPicture(Image(name)); }

}  // namespace layout
