// The game's artwork, built into the program and decoded once at start-up.
#pragma once

#include <map>
#include <string>

#include "forms/picture.h"

namespace layout {

class Assets {
public:
    // Decodes every image built into the program.
    Assets();
    // The decoded image of an asset file, by its file name ("background.gif").
    // Throws std::out_of_range for a name that was not built in.
    const forms::Image& Image(const std::string& name) const;
    // A new picture object of that image (each call gives its own handle).
    forms::StdPicture Picture(const std::string& name) const;

private:
    std::map<std::string, forms::Image> images_;
};

}  // namespace layout
