// Parts of the platform seam shared by the real and the headless backend.
// Needs no SDL subsystem to be initialised: the headless tests decode images
// without a display.
#include "platform/platform.h"

#include <climits>
#include <cstdlib>

#include <SDL.h>
#include <SDL_image.h>

namespace platform {
namespace {

// SDL2_image, and the codec libraries behind it, are loaded by the first decode rather
// than at program start: start-up decodes the artwork on its own thread, so their
// loading overlaps SDL's start-up instead of coming before it.
using LoadFunction = SDL_Surface* (*)(SDL_RWops*, int);
LoadFunction ImageLoader() {
    static const LoadFunction load = []() -> LoadFunction {
        void* library = SDL_LoadObject("libSDL2_image-2.0.so.0");
        return library ? reinterpret_cast<LoadFunction>(SDL_LoadFunction(library, "IMG_Load_RW"))
                       : nullptr;
    }();
    return load;
}

// Raw pixel value (palette index or packed colour) of the surface at x, y.
// The surface must be locked if it needs locking.
std::uint32_t RawPixel(const SDL_Surface* s, int x, int y) {
    const auto* row =
        static_cast<const Uint8*>(s->pixels) + static_cast<std::ptrdiff_t>(y) * s->pitch;
    const int bits = s->format->BitsPerPixel;
    if (bits < 8) {  // 1- or 4-bit palette indices packed into bytes
        const int perByte = 8 / bits;
        const Uint8 byte = row[x / perByte];
        const int slot = x % perByte;
        const bool msbFirst = SDL_PIXELORDER(s->format->format) == SDL_BITMAPORDER_1234;
        const int shift = msbFirst ? (perByte - 1 - slot) * bits : slot * bits;
        return (byte >> shift) & ((1u << bits) - 1u);
    }
    switch (s->format->BytesPerPixel) {
        case 1:
            return row[x];
        case 2:
            return reinterpret_cast<const Uint16*>(row)[x];
        case 3: {
            const Uint8* p = row + x * 3;
            if (SDL_BYTEORDER == SDL_BIG_ENDIAN) {
                return (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
            }
            return p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
        }
        default:
            return reinterpret_cast<const Uint32*>(row)[x];
    }
}

bool HasAlphaChannel(const SDL_Surface* s) {
    if (s->format->Amask != 0) {
        return true;
    }
    if (const SDL_Palette* pal = s->format->palette) {
        for (int i = 0; i < pal->ncolors; ++i) {
            if (pal->colors[i].a != SDL_ALPHA_OPAQUE) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

Image DecodeImage(const void* data, std::size_t size) {
    Image image;
    if (data == nullptr || size == 0 || size > static_cast<std::size_t>(INT_MAX)) {
        return image;
    }
    const LoadFunction load = ImageLoader();
    SDL_RWops* rw = load ? SDL_RWFromConstMem(data, static_cast<int>(size)) : nullptr;
    if (rw == nullptr) {
        return image;
    }
    SDL_Surface* src = load(rw, 1);
    if (src == nullptr) {
        return image;
    }
    // The transparent colour of a GIF arrives as a colour key, which the conversion
    // below does not reliably turn into alpha: the key is matched against the raw
    // source pixels instead.
    Uint32 key = 0;
    const bool hasKey = SDL_GetColorKey(src, &key) == 0;
    const bool srcAlpha = HasAlphaChannel(src);

    SDL_Surface* dst = SDL_ConvertSurfaceFormat(src, SDL_PIXELFORMAT_ARGB8888, 0);
    if (dst == nullptr || SDL_LockSurface(src) != 0) {
        SDL_FreeSurface(dst);
        SDL_FreeSurface(src);
        return image;
    }
    if (SDL_LockSurface(dst) != 0) {
        SDL_UnlockSurface(src);
        SDL_FreeSurface(dst);
        SDL_FreeSurface(src);
        return image;
    }

    image.width = dst->w;
    image.height = dst->h;
    image.pixels.resize(static_cast<std::size_t>(dst->w) * static_cast<std::size_t>(dst->h));
    for (int y = 0; y < dst->h; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(dst->pixels) + static_cast<std::ptrdiff_t>(y) * dst->pitch);
        std::uint32_t* out =
            image.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(dst->w);
        for (int x = 0; x < dst->w; ++x) {
            const std::uint32_t rgb = row[x] & 0x00FFFFFFu;
            bool opaque = true;
            if (hasKey && RawPixel(src, x, y) == key) {
                opaque = false;
            } else if (srcAlpha) {
                // Pictures with partial alpha are cut at half: the game only knows
                // see-through and solid.
                opaque = (row[x] >> 24) >= 128;
            }
            out[x] = opaque ? (0xFF000000u | rgb) : rgb;
        }
    }
    SDL_UnlockSurface(dst);
    SDL_UnlockSurface(src);
    SDL_FreeSurface(dst);
    SDL_FreeSurface(src);
    return image;
}

std::string UserConfigDir() {
    std::string dir;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && *xdg != '\0') {
        dir = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || *home == '\0') {
            return {};
        }
        dir = home;
        while (!dir.empty() && dir.back() == '/') {
            dir.pop_back();
        }
        dir += "/.config";
    }
    while (dir.size() > 1 && dir.back() == '/') {
        dir.pop_back();
    }
    return dir;
}

}  // namespace platform
