// The game's artwork, built into the program.
#pragma once

#include <string>

#include "forms/picture.h"

namespace layout {

class Assets {
public:
    // A new picture object of an asset file ("background.gif"), with its own handle and
    // pixels. Throws std::out_of_range for a name that was not built in.
    forms::StdPicture Picture(const std::string& name) const;
    // The image of an asset file (for comparing with what is shown).
    forms::Image Image(const std::string& name) const;
};

}  // namespace layout
