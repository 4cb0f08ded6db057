// Build step: decodes the artwork (GIF and JPEG files) and writes it as C++ source,
// so that the program starts with its pictures ready instead of loading an image
// library and decoding them at every start.
//
// Usage: artwork_pixels OUTPUT.cpp [--browser SHEET_DIR] FILE...
// Each picture is stored as a palette of up to 256 colours and one byte per pixel,
// or, when it has more colours, as one 0xAARRGGBB word per pixel. A transparent pixel
// is 0; every other pixel has alpha 255.
// --browser (the page's build): the page downloads its program before it can draw,
// and an image file the browser decodes is smaller on the wire than its pixels in the
// program. So the program only keeps room for each picture, listed in
// kBrowserPictures, and the page fills it in at start
// (src/platform/web/browser_pictures.h): a photograph from its own file, every other
// picture from a lossless sheet, written as SHEET_DIR/NAME.png and served as NAME.webp.
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

// Where a picture sits in the page's sheet, in pixels.
struct Place {
    int x = 0;
    int y = 0;
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
                opaque ? (0xFF000000u | rgb) : 0;
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

// The picture's colours in order and each pixel's place among them, or an empty
// palette when it has more colours than a byte can index.
struct Indexed {
    std::vector<std::uint32_t> palette;
    std::vector<std::uint8_t> indices;
};

Indexed Index(const Picture& picture) {
    std::map<std::uint32_t, std::uint8_t> index;
    for (const std::uint32_t p : picture.pixels) {
        if (index.size() > 256) return {};
        index.emplace(p, 0);
    }
    Indexed indexed;
    for (auto& [colour, slot] : index) {
        slot = static_cast<std::uint8_t>(indexed.palette.size());
        indexed.palette.push_back(colour);
    }
    indexed.indices.reserve(picture.pixels.size());
    for (const std::uint32_t p : picture.pixels) indexed.indices.push_back(index[p]);
    return indexed;
}

// Writes the arrays of picture number n; returns its kEmbeddedPictures row.
std::string WritePicture(std::ostream& out, int n, const std::string& name, const Picture& picture) {
    std::ostringstream row;
    row << "    {\"" << name << "\", " << picture.width << ", " << picture.height << ", ";
    const Indexed indexed = Index(picture);
    if (!indexed.palette.empty()) {
        out << "const std::uint32_t palette" << n << "[] = {\n";
        WriteValues(out, indexed.palette);
        out << "};\nconst std::uint8_t indices" << n << "[] = {\n";
        WriteValues(out, indexed.indices);
        out << "};\n";
        row << "palette" << n << ", indices" << n << ", nullptr},\n";
    } else {
        out << "const std::uint32_t argb" << n << "[] = {\n";
        WriteValues(out, picture.pixels);
        out << "};\n";
        row << "nullptr, nullptr, argb" << n << "},\n";
    }
    return row.str();
}

// Places the pictures on a sheet in shelves, tallest first, each shelf as wide as the
// widest picture; sets the sheet's size.
std::vector<Place> PackSheet(const std::vector<Picture>& pictures, int* width, int* height) {
    std::vector<std::size_t> order(pictures.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&pictures](std::size_t a, std::size_t b) {
        return pictures[a].height > pictures[b].height;
    });
    *width = 0;
    for (const Picture& picture : pictures) *width = std::max(*width, picture.width);
    std::vector<Place> places(pictures.size());
    int x = 0, y = 0, shelf = 0;
    for (const std::size_t i : order) {
        if (x + pictures[i].width > *width) {
            x = 0;
            y += shelf;
            shelf = 0;
        }
        places[i] = {x, y};
        x += pictures[i].width;
        shelf = std::max(shelf, pictures[i].height);
    }
    *height = y + shelf;
    return places;
}

// Writes the sheet as a PNG file; false when it cannot.
bool SaveSheet(const std::string& path, const std::vector<Picture>& pictures,
               const std::vector<Place>& places, int width, int height) {
    SDL_Surface* sheet = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (sheet == nullptr) return false;
    SDL_FillRect(sheet, nullptr, 0);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        for (int y = 0; y < pictures[i].height; ++y) {
            auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(sheet->pixels) +
                                                  static_cast<std::ptrdiff_t>(places[i].y + y) * sheet->pitch);
            const auto from = pictures[i].pixels.begin() + static_cast<std::ptrdiff_t>(y) * pictures[i].width;
            std::copy(from, from + pictures[i].width, row + places[i].x);
        }
    }
    const bool saved = IMG_SavePNG(sheet, path.c_str()) == 0;
    SDL_FreeSurface(sheet);
    return saved;
}

// A picture of a palette larger than this, in pixels, gets a sheet of its own: a
// lossless file of one palette is far smaller than the same pixels on a sheet of many
// colours, and a file more costs the page little.
constexpr std::size_t kOwnSheetPixels = 65536;

// The name of the page's file that holds the picture: a photograph's own, else that
// of its sheet.
std::string FileOf(const std::string& name, const Picture& picture) {
    if (Index(picture).palette.empty()) return name;
    if (picture.pixels.size() <= kOwnSheetPixels) return "artwork.webp";
    return name.substr(0, name.rfind('.')) + ".webp";
}

// The page's build: room for every picture in the program, a kBrowserPictures row for
// each, and the sheets, written as PNG files into sheetDir to be made WebP files.
bool WriteBrowserPictures(std::ostream& out, const std::vector<std::string>& names,
                          const std::vector<Picture>& pictures, const std::string& sheetDir) {
    // The pictures of each file, so that the page decodes each file once.
    std::map<std::string, std::vector<std::size_t>> files;
    for (std::size_t i = 0; i < pictures.size(); ++i)
        files[FileOf(names[i], pictures[i])].push_back(i);
    std::string table, browser;
    for (const auto& [file, members] : files) {
        std::vector<Picture> drawn;
        for (const std::size_t i : members) drawn.push_back(pictures[i]);
        int width = 0, height = 0;
        const std::vector<Place> places = PackSheet(drawn, &width, &height);
        const bool sheet = file.ends_with(".webp");
        if (sheet && !SaveSheet(sheetDir + "/" + file.substr(0, file.size() - 5) + ".png", drawn,
                                places, width, height))
            return false;
        for (std::size_t k = 0; k < members.size(); ++k) {
            const std::size_t i = members[k];
            const std::string n = std::to_string(i);
            const std::string size =
                std::to_string(pictures[i].width) + ", " + std::to_string(pictures[i].height);
            out << "std::uint32_t argb" << n << "[" << pictures[i].pixels.size() << "];\n";
            table += "    {\"" + names[i] + "\", " + size + ", nullptr, nullptr, argb" + n + "},\n";
            browser += "    {\"" + file + "\", " + std::to_string(places[k].x) + ", " +
                       std::to_string(places[k].y) + ", " + size + ", layout::argb" + n + "},\n";
        }
    }
    out << "}  // namespace\n\nextern const EmbeddedPicture kEmbeddedPictures[] = {\n"
        << table << "};\nextern const std::size_t kEmbeddedPictureCount = " << pictures.size()
        << ";\n\n}  // namespace layout\n"
        << "\nnamespace platform {\n\nextern const BrowserPicture kBrowserPictures[] = {\n"
        << browser << "};\nextern const std::size_t kBrowserPictureCount = " << pictures.size()
        << ";\n\n}  // namespace platform\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const bool forBrowser = argc > 2 && std::string(argv[2]) == "--browser";
    const int first = forBrowser ? 4 : 2;
    if (argc < first) {
        std::fprintf(stderr, "usage: %s OUTPUT.cpp [--browser SHEET_DIR] FILE...\n",
                     argv[0]);
        return 2;
    }
    std::vector<std::string> names;
    std::vector<Picture> pictures;
    for (int i = first; i < argc; ++i) {
        pictures.push_back(Decode(argv[i]));
        names.push_back(BaseName(argv[i]));
        if (pictures.back().width <= 0) {
            std::fprintf(stderr, "%s: cannot decode %s: %s\n", argv[0], argv[i], SDL_GetError());
            return 1;
        }
    }
    std::ostringstream out;
    out << "// Generated at build time from the artwork in assets/. Do not edit.\n"
           "#include \"layout/embedded_artwork.h\"\n"
        << (forBrowser ? "#include \"platform/web/browser_pictures.h\"\n" : "")
        << "\nnamespace layout {\nnamespace {\n";
    if (forBrowser) {
        if (!WriteBrowserPictures(out, names, pictures, argv[3])) {
            std::fprintf(stderr, "%s: cannot write %s: %s\n", argv[0], argv[3], SDL_GetError());
            return 1;
        }
    } else {
        std::string table;
        for (std::size_t i = 0; i < pictures.size(); ++i)
            table += WritePicture(out, static_cast<int>(i), names[i], pictures[i]);
        out << "}  // namespace\n\nextern const EmbeddedPicture kEmbeddedPictures[] = {\n"
            << table << "};\nextern const std::size_t kEmbeddedPictureCount = " << pictures.size()
            << ";\n\n}  // namespace layout\n";
    }
    std::ofstream file(argv[1]);
    file << out.str();
    return file.good() ? 0 : 1;
}
