// The files built into the program: the build writes their bytes and this table
// (cmake/embed_assets.cmake); Assets looks them up by file name.
#pragma once

#include <cstddef>

namespace layout {

struct EmbeddedFile {
    const char* name;  // file name in assets/, such as "background.gif"
    const unsigned char* data;
    std::size_t size;
};
extern const EmbeddedFile kEmbeddedFiles[];
extern const std::size_t kEmbeddedFileCount;

}  // namespace layout
