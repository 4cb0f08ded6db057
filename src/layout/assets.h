// The game's artwork, built into the program and decoded once at start-up.
#pragma once

#include <map>
#include <string>

#include "forms/picture.h"

namespace layout {

class Assets {
public:
    // Decodes every image built into the program. Safe to run on another thread
    // while the window system starts up.
    Assets();
    // A new picture object of an asset file ("background.gif"), with its own handle and
    // pixels. The first picture of a file takes the image decoded at start-up; later
    // ones decode it again. Throws std::out_of_range for a name that was not built in.
    forms::StdPicture Picture(const std::string& name);
    // The image of an asset file, decoded anew (for comparing with what is shown).
    forms::Image Image(const std::string& name) const;

private:
    std::map<std::string, forms::Image> decoded_;  // not yet handed to a picture
};

}  // namespace layout
