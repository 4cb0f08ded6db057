#include "forms/picture.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace forms {

Surface::Surface(int width, int height, Color fill) { Resize(width, height, fill); }

void Surface::Resize(int width, int height, Color fill) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<std::size_t>(width_) * height_, 0xFF000000u | fill);
    Changed({0, 0, width_, height_});
}

bool Surface::Clip(Rect& r) const {
    const int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    const int x1 = std::min(r.x + r.w, width_), y1 = std::min(r.y + r.h, height_);
    if (x1 <= x0 || y1 <= y0) return false;
    r = {x0, y0, x1 - x0, y1 - y0};
    return true;
}

void Surface::FillRect(Rect r, Color color) {
    if (!Clip(r)) return;
    for (int y = r.y; y < r.y + r.h; ++y) {
        std::uint32_t* row = pixels_.data() + static_cast<std::size_t>(y) * width_;
        std::fill(row + r.x, row + r.x + r.w, 0xFF000000u | color);
    }
    Changed(r);
}

void Surface::DrawPicture(const Image& picture, int x, int y, Color background) {
    Rect r{x, y, picture.width, picture.height};
    if (!Clip(r)) return;
    const std::uint32_t back = 0xFF000000u | background;
    for (int row = r.y; row < r.y + r.h; ++row) {
        const std::uint32_t* src =
            picture.pixels.data() + static_cast<std::size_t>(row - y) * picture.width + (r.x - x);
        std::uint32_t* dst = pixels_.data() + static_cast<std::size_t>(row) * width_ + r.x;
        for (int i = 0; i < r.w; ++i) dst[i] = (src[i] >> 24) ? (src[i] | 0xFF000000u) : back;
    }
    Changed(r);
}

void Surface::CopyFrom(const Surface& src, int sx, int sy, int x, int y, int w, int h) {
    // Clip against the source first, moving the destination along, then the destination.
    Rect s{sx, sy, w, h};
    if (!src.Clip(s)) return;
    Rect d{x + (s.x - sx), y + (s.y - sy), s.w, s.h};
    const Rect unclipped = d;
    if (!Clip(d)) return;
    s.x += d.x - unclipped.x;
    s.y += d.y - unclipped.y;
    for (int row = 0; row < d.h; ++row) {
        const std::uint32_t* from = src.Row(s.y + row) + s.x;
        std::copy(from, from + d.w,
                  pixels_.data() + static_cast<std::size_t>(d.y + row) * width_ + d.x);
    }
    Changed(d);
}

void BitBlt(hDC dest, int x, int y, int w, int h, hDC source, int sx, int sy, std::uint32_t rop) {
    if (rop != SRCCOPY) throw std::invalid_argument("BitBlt: only SRCCOPY is supported");
    if (dest && source) dest->CopyFrom(*source, sx, sy, x, y, w, h);
}

long RoundHalfEven(double value) { return std::lrint(value); }  // default rounding mode: to even

long IntDiv(double a, double b) { return RoundHalfEven(a) / RoundHalfEven(b); }

int ToPixels(double twips) { return static_cast<int>(std::lround(twips / TwipsPerPixelX)); }

}  // namespace forms
