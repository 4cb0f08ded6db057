// Build step: decodes the artwork (GIF and JPEG files) and writes it as C++ source,
// so that the program starts with its pictures ready instead of loading an image
// library and decoding them at every start.
//
// Usage: artwork_pixels OUTPUT.cpp [--browser] FILE...
// Each picture is stored as a palette of up to 256 colours and one byte per pixel,
// or, when it has more colours, as one 0xAARRGGBB word per pixel. Alpha is 0 where
// the picture is transparent and 255 everywhere else.
// --browser (the page's build): a picture of more colours is many times larger as
// words than as its file, so the program only keeps room for it, listed in
// kBrowserPictures, and the page's own image decoder fills it in at start
// (src/platform/web/browser_pictures.h).
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

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

// Reads src (and dst, its ARGB copy) into a picture. Both must be locked.
Picture ReadPixels(const SDL_Surface* src, const SDL_Surface* dst) {
    // The transparent colour of a GIF arrives as a colour key, which the conversion to
    // ARGB does not reliably turn into alpha: the key is matched against the raw
    // source pixels instead.
    Uint32 key = 0;
    const bool hasKey = SDL_GetColorKey(const_cast<SDL_Surface*>(src), &key) == 0;
    const bool srcAlpha = HasAlphaChannel(src);
    Picture picture;
    picture.width = dst->w;
    picture.height = dst->h;
    picture.pixels.resize(static_cast<std::size_t>(dst->w) * static_cast<std::size_t>(dst->h));
    for (int y = 0; y < dst->h; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(dst->pixels) + static_cast<std::ptrdiff_t>(y) * dst->pitch);
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
            picture.pixels[static_cast<std::size_t>(y) * dst->w + x] =
                opaque ? (0xFF000000u | rgb) : rgb;
        }
    }
    return picture;
}

// Decodes an image file; a picture of width 0 when it cannot be decoded.
Picture Decode(const std::string& path) {
    Picture picture;
    SDL_Surface* src = IMG_Load(path.c_str());
    if (src == nullptr) {
        return picture;
    }
    SDL_Surface* dst = SDL_ConvertSurfaceFormat(src, SDL_PIXELFORMAT_ARGB8888, 0);
    if (dst != nullptr && SDL_LockSurface(src) == 0) {
        if (SDL_LockSurface(dst) == 0) {
            picture = ReadPixels(src, dst);
            SDL_UnlockSurface(dst);
        }
        SDL_UnlockSurface(src);
    }
    SDL_FreeSurface(dst);
    SDL_FreeSurface(src);
    return picture;
}

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Writes the values as a C++ array initialiser body, a few per line.
template <typename T>
void WriteValues(std::ostream& out, const std::vector<T>& values) {
    int column = 0;
    for (const T value : values) {
        out << "0x" << std::hex << static_cast<std::uint32_t>(value) << std::dec << ',';
        if (++column == 16) {
            out << '\n';
            column = 0;
        }
    }
}

// Writes the arrays of picture number n; returns its table row. A picture of more
// colours than a palette holds gets an empty array instead when `browser` is given,
// with its row of kBrowserPictures added to `browser`.
std::string WritePicture(std::ostream& out, int n, const std::string& name, const Picture& picture,
                         std::string* browser) {
    std::map<std::uint32_t, std::uint8_t> index;
    for (const std::uint32_t p : picture.pixels) {
        if (index.size() > 256) break;
        index.emplace(p, 0);
    }
    std::ostringstream row;
    row << "    {\"" << name << "\", " << picture.width << ", " << picture.height << ", ";
    if (index.size() <= 256) {
        std::vector<std::uint32_t> palette;
        for (auto& [colour, slot] : index) {
            slot = static_cast<std::uint8_t>(palette.size());
            palette.push_back(colour);
        }
        std::vector<std::uint8_t> indices;
        indices.reserve(picture.pixels.size());
        for (const std::uint32_t p : picture.pixels) indices.push_back(index[p]);
        out << "const std::uint32_t palette" << n << "[] = {\n";
        WriteValues(out, palette);
        out << "};\nconst std::uint8_t indices" << n << "[] = {\n";
        WriteValues(out, indices);
        out << "};\n";
        row << "palette" << n << ", indices" << n << ", nullptr},\n";
    } else if (browser != nullptr) {
        out << "std::uint32_t argb" << n << "[" << picture.pixels.size() << "];\n";
        row << "nullptr, nullptr, argb" << n << "},\n";
        *browser += "    {\"" + name + "\", " + std::to_string(picture.width) + ", " +
                    std::to_string(picture.height) + ", layout::argb" + std::to_string(n) + "},\n";
    } else {
        out << "const std::uint32_t argb" << n << "[] = {\n";
        WriteValues(out, picture.pixels);
        out << "};\n";
        row << "nullptr, nullptr, argb" << n << "},\n";
    }
    return row.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.cpp [--browser] FILE...\n", argv[0]);
        return 2;
    }
    const bool forBrowser = argc > 2 && std::string(argv[2]) == "--browser";
    const int first = forBrowser ? 3 : 2;
    std::ostringstream out;
    out << "// Generated at build time from the artwork in assets/. Do not edit.\n"
           "#include \"layout/embedded_artwork.h\"\n"
        << (forBrowser ? "#include \"platform/web/browser_pictures.h\"\n" : "")
        << "\nnamespace layout {\nnamespace {\n";
    std::string table, browser;
    for (int i = first; i < argc; ++i) {
        const Picture picture = Decode(argv[i]);
        if (picture.width <= 0) {
            std::fprintf(stderr, "%s: cannot decode %s: %s\n", argv[0], argv[i], SDL_GetError());
            return 1;
        }
        table += WritePicture(out, i - first, BaseName(argv[i]), picture,
                              forBrowser ? &browser : nullptr);
    }
    out << "}  // namespace\n\nextern const EmbeddedPicture kEmbeddedPictures[] = {\n"
        << table << "};\nextern const std::size_t kEmbeddedPictureCount = " << argc - first
        << ";\n\n}  // namespace layout\n";
    if (forBrowser) {
        out << "\nnamespace platform {\n\nextern const BrowserPicture kBrowserPictures[] = {\n"
            << browser << "};\nextern const std::size_t kBrowserPictureCount = "
            << std::count(browser.begin(), browser.end(), '\n')
            << ";\n\n}  // namespace platform\n";
    }
    std::ofstream file(argv[1]);
    file << out.str();
    return file.good() ? 0 : 1;
}
