#include "layout/assets.h"

#include <cstddef>
#include <stdexcept>

#include "layout/embedded_files.h"

namespace layout {

namespace {

const EmbeddedFile& Find(const std::string& name) {
    for (std::size_t i = 0; i < kEmbeddedFileCount; ++i)
        if (name == kEmbeddedFiles[i].name) return kEmbeddedFiles[i];
    throw std::out_of_range("no built-in asset " + name);
}

forms::Image Decode(const EmbeddedFile& file) {
    return platform::DecodeImage(file.data, file.size);
}

}  // namespace

Assets::Assets() {
    for (std::size_t i = 0; i < kEmbeddedFileCount; ++i)
        decoded_.emplace(kEmbeddedFiles[i].name, Decode(kEmbeddedFiles[i]));
}

forms::StdPicture Assets::Picture(const std::string& name) {
    const auto it = decoded_.find(name);
    if (it == decoded_.end()) return forms::LoadPicture(Image(name));
    auto picture = std::make_shared<const forms::Image>(std::move(it->second));
    decoded_.erase(it);
    return picture;
}

forms::Image Assets::Image(const std::string& name) const { return Decode(Find(name)); }

}  // namespace layout
