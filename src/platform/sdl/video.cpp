// Video: the window, presenting finished frames, and scaling them for large screens.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include <SDL.h>

#include "platform/scale.h"
#include "platform/sdl/sdl_platform.h"

namespace platform {
namespace {

// The whole scale for a w × h window on a display, from the display's usable area in
// its real pixels (on Windows too: the program declares itself aware of each screen's
// DPI, so Windows neither shrinks the area it reports nor stretches the window).
int ScaleOn(int display, int w, int h, SDL_Rect& usable) {
    usable = SDL_Rect{0, 0, w, h};
    SDL_GetDisplayUsableBounds(display, &usable);
    return ChooseScale(usable.w, usable.h, w, h, std::getenv("FROTHWICK_SCALE"));
}

}  // namespace

void SdlPlatform::OpenWindow(const std::string& caption, int w, int h) {
    if (window_ != nullptr) {
        return;
    }
    if (!caption.empty()) {
        caption_ = caption;
    }
    // On a large screen the window is shown at a whole multiple of its size.
    logicalW_ = w;
    logicalH_ = h;
    SDL_Rect usable;
    scale_ = ScaleOn(0, w, h, usable);
    dragArea_.scale = scale_;
    // Borderless from the start: changing the border of a mapped X11 window makes
    // SDL 2.26 busy-wait. Hidden until the first finished frame.
    window_ = SDL_CreateWindow(caption_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               w * scale_, h * scale_, SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
    if (window_ == nullptr) {
        throw std::runtime_error(std::string("no window (") + SDL_GetError() + ")");
    }
    if (pendingIcon_ != nullptr) {
        SDL_SetWindowIcon(window_, pendingIcon_);
        SDL_FreeSurface(pendingIcon_);
        pendingIcon_ = nullptr;
    }
    ApplyDragArea();
    MakeHandCursor();
}

bool SdlPlatform::FitToDisplay(int display) {
    SDL_Rect usable;
    const int k = ScaleOn(display, logicalW_, logicalH_, usable);
    if (window_ == nullptr || k == scale_) {
        return false;
    }
    // Around the same middle, and wholly on that display where it fits: a window that
    // shrank about its corner could end up back on the display it came from.
    int x = 0, y = 0;
    SDL_GetWindowPosition(window_, &x, &y);
    const int w = logicalW_ * k, h = logicalH_ * k;
    x = std::clamp(x + logicalW_ * scale_ / 2 - w / 2, usable.x,
                   std::max(usable.x, usable.x + usable.w - w));
    y = std::clamp(y + logicalH_ * scale_ / 2 - h / 2, usable.y,
                   std::max(usable.y, usable.y + usable.h - h));
    scale_ = k;
    dragArea_.scale = k;
    SDL_SetWindowSize(window_, w, h);
    SDL_SetWindowPosition(window_, x, y);
    MakeHandCursor();
    return true;
}

void SdlPlatform::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (window_ != nullptr) {
        SDL_SetWindowTitle(window_, caption_.c_str());
    }
}

void SdlPlatform::SetIcon(const Image& icon) {
    SDL_Surface* view = WrapImage(icon);
    if (view == nullptr) {
        return;
    }
    if (window_ != nullptr) {
        SDL_SetWindowIcon(window_, view);
    } else {
        if (pendingIcon_ != nullptr) {
            SDL_FreeSurface(pendingIcon_);
        }
        pendingIcon_ = SDL_DuplicateSurface(view);
    }
    SDL_FreeSurface(view);
}

void SdlPlatform::Minimize() {
    if (window_ != nullptr) {
        SDL_MinimizeWindow(window_);
    }
}

void SdlPlatform::CopyToSurface(SDL_Surface* surface, const std::uint32_t* frame, int w, int /*h*/,
                                const Rect& r) {
    const std::uint32_t* src = frame + static_cast<std::ptrdiff_t>(r.y) * w + r.x;
    const Uint32 format = surface->format->format;
    if (format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888) {
        auto* dst = static_cast<Uint8*>(surface->pixels) +
                    static_cast<std::ptrdiff_t>(r.y) * surface->pitch +
                    static_cast<std::ptrdiff_t>(r.x) * 4;
        const std::size_t bytes = static_cast<std::size_t>(r.w) * 4;
        for (int y = 0; y < r.h; ++y) {
            std::memcpy(dst, src, bytes);
            dst += surface->pitch;
            src += w;
        }
        return;
    }
    // Any other screen format (16-bit, BGR, palette): let SDL's blitter convert.
    SDL_Surface* view = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint32_t*>(src), r.w, r.h, 32, w * 4, SDL_PIXELFORMAT_ARGB8888);
    if (view == nullptr) {
        return;
    }
    SDL_SetSurfaceBlendMode(view, SDL_BLENDMODE_NONE);
    SDL_Rect to{r.x, r.y, r.w, r.h};
    SDL_BlitSurface(view, nullptr, surface, &to);
    SDL_FreeSurface(view);
}

void SdlPlatform::ScaleInto(const std::uint32_t* frame, int w, const Rect& r) {
    const int k = scale_;
    const std::size_t physicalW = static_cast<std::size_t>(w) * k;
    for (int y = r.y; y < r.y + r.h; ++y) {
        std::uint32_t* out = scaled_.data() + static_cast<std::size_t>(y) * k * physicalW +
                             static_cast<std::size_t>(r.x) * k;
        const std::uint32_t* in = frame + static_cast<std::size_t>(y) * w + r.x;
        for (int x = 0; x < r.w; ++x) std::fill_n(out + static_cast<std::size_t>(x) * k, k, in[x]);
        for (int copy = 1; copy < k; ++copy)
            std::copy_n(out, static_cast<std::size_t>(r.w) * k, out + copy * physicalW);
    }
}

void SdlPlatform::Present(const std::uint32_t* frame, int w, int h,
                          const std::vector<Rect>& changed) {
    if (scale_ == 1 || frame == nullptr || w <= 0 || h <= 0) {
        PresentPhysical(frame, w, h, changed);
        return;
    }
    const int k = scale_;
    scaled_.resize(static_cast<std::size_t>(w) * k * h * k);
    std::vector<Rect> physical;
    for (const Rect& r : changed.empty() ? std::vector<Rect>{Rect{0, 0, w, h}} : changed) {
        const int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
        const int x1 = std::min(r.x + r.w, w), y1 = std::min(r.y + r.h, h);
        if (x1 <= x0 || y1 <= y0) continue;
        ScaleInto(frame, w, Rect{x0, y0, x1 - x0, y1 - y0});
        physical.push_back(Rect{x0 * k, y0 * k, (x1 - x0) * k, (y1 - y0) * k});
    }
    PresentPhysical(scaled_.data(), w * k, h * k, changed.empty() ? std::vector<Rect>{} : physical);
}

void SdlPlatform::PresentPhysical(const std::uint32_t* frame, int w, int h,
                                  const std::vector<Rect>& changed) {
    if (window_ == nullptr || frame == nullptr || w <= 0 || h <= 0) {
        return;
    }
    // SDL recreates the surface after a size change; a new surface starts blank and
    // needs the whole frame, not only what changed.
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (surface == nullptr) {
        return;
    }
    if (surface != lastSurface_) {
        fullCopyNext_ = true;
        lastSurface_ = surface;
    }
    const int cw = std::min(w, surface->w);
    const int ch = std::min(h, surface->h);
    const bool fullCopy = fullCopyNext_ || changed.empty();

    std::vector<SDL_Rect> rects;
    if (fullCopy) {
        rects.push_back(SDL_Rect{0, 0, cw, ch});
    } else {
        rects.reserve(changed.size());
        for (const Rect& r : changed) {
            const int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
            const int x1 = std::min(r.x + r.w, cw), y1 = std::min(r.y + r.h, ch);
            if (x1 > x0 && y1 > y0) {
                rects.push_back(SDL_Rect{x0, y0, x1 - x0, y1 - y0});
            }
        }
    }

    const bool lock = SDL_MUSTLOCK(surface);
    if (lock && SDL_LockSurface(surface) != 0) {
        return;
    }
    for (const SDL_Rect& r : rects) {
        CopyToSurface(surface, frame, w, h, Rect{r.x, r.y, r.w, r.h});
    }
    if (lock) {
        SDL_UnlockSurface(surface);
    }
    fullCopyNext_ = false;

    if (!shown_) {
        // The frame is in place before the window appears.
        SDL_ShowWindow(window_);
        shown_ = true;
        fullUpdateNext_ = true;
        if (SDL_GetWindowSurface(window_) != surface) {  // mapping resized it
            fullCopyNext_ = true;
            lastSurface_ = nullptr;
            PresentPhysical(frame, w, h, {});
            return;
        }
    }
    if (fullCopy || fullUpdateNext_) {
        SDL_UpdateWindowSurface(window_);
    } else if (!rects.empty()) {
        SDL_UpdateWindowSurfaceRects(window_, rects.data(), static_cast<int>(rects.size()));
    }
    fullUpdateNext_ = false;
}

}  // namespace platform
