// Pictures, surfaces and rectangle copies.
//
// A StdPicture is a picture object with identity: assigning one control's picture to
// another shares the object, and the game tells which image a control shows by
// comparing handles. A Surface is a block of pixels that can be drawn on (a device
// context); the main window and every picture box own one.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/platform.h"

namespace forms {

using Image = platform::Image;
using Rect = platform::Rect;

// Colours are 0x00RRGGBB.
using Color = std::uint32_t;
constexpr Color kBlack = 0x000000;
constexpr Color kRed = 0xFF0000;
// The system window background: what a button's transparent pixels show.
constexpr Color kWindowBackground = 0x3A2414;

using StdPicture = std::shared_ptr<const Image>;

// The handle the game compares; null for no picture.
inline const void* Handle(const StdPicture& picture) { return picture.get(); }

// Pixels that can be drawn on. Every change reports the changed rectangle to
// onChange (when set), so that the window knows what to show again.
class Surface {
public:
    Surface() = default;
    Surface(int width, int height, Color fill);

    int Width() const { return width_; }
    int Height() const { return height_; }
    std::uint32_t At(int x, int y) const {
        return pixels_[static_cast<std::size_t>(y) * width_ + x];
    }
    const std::uint32_t* Row(int y) const {
        return pixels_.data() + static_cast<std::size_t>(y) * width_;
    }

    void Resize(int width, int height, Color fill);
    void FillRect(Rect r, Color color);
    // Draws the picture with its top-left at (x, y) at its own size. Transparent pixels
    // show `background`.
    void DrawPicture(const Image& picture, int x, int y, Color background);
    // Copies w × h pixels from src at (sx, sy) to (x, y), clipped to both surfaces.
    void CopyFrom(const Surface& src, int sx, int sy, int x, int y, int w, int h);

    std::function<void(const Rect&)> onChange;

private:
    void Changed(const Rect& r) const {
        if (onChange) onChange(r);
    }
    // Clips r to the surface; false when nothing is left.
    bool Clip(Rect& r) const;

    int width_ = 0, height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// A device context is a surface to copy from or onto.
using hDC = Surface*;

constexpr std::uint32_t SRCCOPY = 0x00CC0020;

// The one rectangle copy the game uses: w × h pixels from source (sx, sy) to
// destination (x, y). Only SRCCOPY is supported.
void BitBlt(hDC dest, int x, int y, int w, int h, hDC source, int sx, int sy, std::uint32_t rop);

// Twips: the layout unit, kTwipsPerPixel to a pixel on this screen (the layout in
// layout/geometry.h was designed at this factor).
constexpr int kTwipsPerPixel = 15;
constexpr int TwipsPerPixelX = kTwipsPerPixel;
constexpr int TwipsPerPixelY = kTwipsPerPixel;

// Rounds to a whole number, halves to even.
long RoundHalfEven(double value);
// Whole-number division of two rounded operands, truncating: a \ b.
long IntDiv(double a, double b);
// A position or size in twips as whole pixels, to the nearest pixel.
int ToPixels(double twips);
constexpr double ToTwips(int pixels) { return pixels * double{kTwipsPerPixel}; }

}  // namespace forms
