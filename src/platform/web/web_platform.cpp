// WebPlatform's canvas, the page's own window states, the cursor and the browser's
// services: new tabs, the clocks.
#include "platform/web/web_platform.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

// Rectangle r of a picture whose rows are `stride` pixels long, as the bytes R, G, B, A
// that the page's ImageData takes. Alpha is the picture's own, or opaque.
// `to` holds RgbaBytes(r).
void ToRgba(const std::uint32_t* pixels, int stride, const Rect& r, bool keepAlpha,
            std::uint8_t* to) {
    for (int y = r.y; y < r.y + r.h; ++y) {
        const std::uint32_t* from = pixels + static_cast<std::size_t>(y) * stride + r.x;
        for (int x = 0; x < r.w; ++x, to += 4) {
            const std::uint32_t p = from[x];
            to[0] = static_cast<std::uint8_t>(p >> 16);
            to[1] = static_cast<std::uint8_t>(p >> 8);
            to[2] = static_cast<std::uint8_t>(p);
            to[3] = keepAlpha ? static_cast<std::uint8_t>(p >> 24) : 255;
        }
    }
}

std::size_t RgbaBytes(const Rect& r) { return static_cast<std::size_t>(r.w) * r.h * 4; }

// clang-format off
EM_JS(void, PutPixels, (const std::uint8_t* rgba, int x, int y, int w, int h), {
    const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, w * h * 4);
    Module.frothContext.putImageData(new ImageData(pixels, w, h), x, y);
    const screen = Module.frothScreen;
    if (screen) {
        screen.context.drawImage(Module.frothContext.canvas, x, y, w, h,
                                 x * screen.k, y * screen.k, w * screen.k, h * screen.k);
    }
    if (!Module.frothShown) {
        // The first frame is in place: the page shows the game.
        Module.frothShown = true;
        performance.mark("frothwick-first-frame");
        document.body.classList.add("running");
    }
});

EM_JS(void, OpenCanvas, (int w, int h), {
    const canvas = document.getElementById("frame");
    canvas.width = w;
    canvas.height = h;
    Module.frothContext = canvas.getContext("2d", {alpha: false});
});

// The room the page gives the game, CSS pixels.
EM_JS(double, RoomWidth, (), { return document.getElementById("stage").clientWidth; });
EM_JS(double, RoomHeight, (), { return document.getElementById("stage").clientHeight; });

// The frame shown k times its size in the canvas #screen, pixel for pixel, and that
// canvas shown w × h CSS pixels, smoothly scaled by the browser. From now on every
// frame is drawn there too (PutPixels).
EM_JS(void, ShowOnScreen, (int k, double w, double h), {
    const frame = document.getElementById("frame");
    const screen = document.getElementById("screen");
    if (screen.width !== frame.width * k) {
        screen.width = frame.width * k;
        screen.height = frame.height * k;
    }
    screen.style.width = w + "px";
    screen.style.height = h + "px";
    const context = screen.getContext("2d", {alpha: false});
    context.imageSmoothingEnabled = false;
    context.drawImage(frame, 0, 0, screen.width, screen.height);
    Module.frothScreen = {context, k};
    document.body.classList.add("filled");
});

// A picture made into a PNG data address (for the cursor).
EM_JS(char*, PictureAddress, (const std::uint8_t* rgba, int w, int h, int scale), {
    const picture = document.createElement("canvas");
    picture.width = w;
    picture.height = h;
    picture.getContext("2d").putImageData(
        new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, w * h * 4), w, h), 0, 0);
    const scaled = document.createElement("canvas");
    scaled.width = w * scale;
    scaled.height = h * scale;
    const context = scaled.getContext("2d");
    context.imageSmoothingEnabled = false;
    context.drawImage(picture, 0, 0, w * scale, h * scale);
    const address = scaled.toDataURL("image/png");
    const size = lengthBytesUTF8(address) + 1;
    const text = _malloc(size);
    stringToUTF8(address, text, size);
    return text;
});

// The page's icon from w × h pixels of 4 bytes red, green, blue, alpha. Encoded out of
// the way of the game's start: the tab shows it when it is ready.
EM_JS(void, SetPageIcon, (const std::uint8_t* rgba, int w, int h), {
    const picture = document.createElement("canvas");
    picture.width = w;
    picture.height = h;
    picture.getContext("2d").putImageData(
        new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, w * h * 4), w, h), 0, 0);
    picture.toBlob(png => {
        let link = document.querySelector("link[rel=icon]");
        if (!link) {
            link = document.createElement("link");
            link.rel = "icon";
            document.head.appendChild(link);
        }
        link.href = URL.createObjectURL(png);
    });
});

EM_JS(void, SetCanvasCursor, (const char* css), {
    document.getElementById("frame").style.cursor = UTF8ToString(css);
});

EM_JS(void, ShowState, (const char* state), {
    document.body.classList.add(UTF8ToString(state));
});

EM_JS(void, OpenTab, (const char* url), {
    window.open(UTF8ToString(url), "_blank", "noopener");
});

// A bar over the top of the page, read out by screen readers, until its button is
// pressed; a later notice takes its place.
EM_JS(void, ShowPageNotice, (const char* text), {
    let notice = document.getElementById("notice");
    if (!notice) {
        notice = document.createElement("div");
        notice.id = "notice";
        notice.setAttribute("role", "alert");
        notice.style.cssText = "position:fixed;left:0;right:0;top:0;z-index:10;display:flex;" +
            "gap:1em;align-items:center;justify-content:center;padding:0.6em 1em;" +
            "background:#fff3c4;color:#222;font:16px sans-serif;white-space:pre-line;";
        const message = document.createElement("span");
        const close = document.createElement("button");
        close.textContent = "OK";
        close.addEventListener("click", () => notice.remove());
        notice.append(message, close);
        document.body.append(notice);
    }
    notice.firstChild.textContent = UTF8ToString(text);
});

EM_JS(double, DateNowMs, (), { return Date.now(); });
// clang-format on

// The picture's pixels as bytes red, green, blue, alpha; none when it has none.
std::vector<std::uint8_t> PictureRgba(const Image& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() < static_cast<std::size_t>(image.width) * image.height)
        return {};
    const Rect whole{0, 0, image.width, image.height};
    std::vector<std::uint8_t> rgba(RgbaBytes(whole));
    ToRgba(image.pixels.data(), image.width, whole, true, rgba.data());
    return rgba;
}

// A picture as a data address, at `scale` device pixels per picture pixel.
std::string Address(const Image& image, int scale) {
    const std::vector<std::uint8_t> rgba = PictureRgba(image);
    if (rgba.empty()) return {};
    char* text = PictureAddress(rgba.data(), image.width, image.height, scale);
    std::string address(text);
    std::free(text);
    return address;
}

}  // namespace

void WebPlatform::OpenWindow(const std::string& caption, int w, int h) {
    if (width_ > 0) return;
    width_ = w;
    height_ = h;
    OpenCanvas(w, h);
    SetCaption(caption);
    FitToPage();
}

// On a touch screen the frame fills its room. Elsewhere it is shown at the largest
// whole scale that fits, in device pixels, so that every game pixel is a sharp square
// of them; at least 1.
void WebPlatform::FitToPage() {
    if (width_ <= 0) return;
    const double ratio = emscripten_get_device_pixel_ratio();
    double cssScale = 0;  // CSS pixels per game pixel
    if (touchScreen_) {
        cssScale = FillRoom(RoomWidth(), RoomHeight(), ratio);
    } else {
        const int deviceW = static_cast<int>(RoomWidth() * ratio);
        const int deviceH = static_cast<int>(RoomHeight() * ratio);
        const int scale = std::max(1, std::min(deviceW / width_, deviceH / height_));
        cssScale = scale / ratio;
        emscripten_set_element_css_size("#frame", width_ * cssScale, height_ * cssScale);
    }
    framePerCss_ = 1 / cssScale;
    // A cursor's picture is measured in the page's pixels, not the screen's.
    const int cursorScale = std::max(1, static_cast<int>(cssScale + 0.5));
    if (cursorScale == cursorScale_) return;
    cursorScale_ = cursorScale;
    MakeHandCursor();
}

// A fraction of a scale shown as it is (each game pixel as many device pixels as fall to
// it) makes rows and columns of doubled pixels here and there; shown smoothly, every
// edge blurs. So the frame is first enlarged pixel for pixel by the whole scale just
// above (k) and then shrunk smoothly by the browser: each game pixel is a sharp, even
// square whose edges are soft by at most one device pixel.
double WebPlatform::FillRoom(double roomW, double roomH, double ratio) {
    double scale = std::min(roomW / width_, roomH / height_);
    if (!(scale > 0)) scale = 1;  // a page with no room yet
    const int k = std::max(1, static_cast<int>(std::ceil(scale * ratio - 1e-6)));
    ShowOnScreen(k, width_ * scale, height_ * scale);
    return scale;
}

void WebPlatform::SetCaption(const std::string& caption) {
    if (!caption.empty()) emscripten_set_window_title(caption.c_str());
}

void WebPlatform::SetIcon(const Image& icon) {
    const std::vector<std::uint8_t> rgba = PictureRgba(icon);
    if (!rgba.empty()) SetPageIcon(rgba.data(), icon.width, icon.height);
}

// A page cannot be minimised: the game folds into a bar that restores it when clicked.
void WebPlatform::Minimize() {
    ShowState("minimised");
    Event minimised;
    minimised.type = EventType::Minimized;
    Queue(minimised);
}

void WebPlatform::ShowClosed() { ShowState("closed"); }

void WebPlatform::Present(const std::uint32_t* frame, int w, int h,
                          const std::vector<Rect>& changed) {
    if (frame == nullptr || w != width_ || h != height_) return;
    for (const Rect& r : changed.empty() ? std::vector<Rect>{Rect{0, 0, w, h}} : changed) {
        const int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
        const int x1 = std::min(r.x + r.w, w), y1 = std::min(r.y + r.h, h);
        if (x1 <= x0 || y1 <= y0) continue;
        const Rect clipped{x0, y0, x1 - x0, y1 - y0};
        if (RgbaBytes(clipped) > rgbaSize_) {
            // Not cleared: the first frame comes sooner without a megabyte of zeros.
            rgbaSize_ = RgbaBytes(clipped);
            rgba_.reset(new std::uint8_t[rgbaSize_]);
        }
        ToRgba(frame, w, clipped, false, rgba_.get());
        PutPixels(rgba_.get(), clipped.x, clipped.y, clipped.w, clipped.h);
    }
}

std::uint64_t WebPlatform::NowMs() { return static_cast<std::uint64_t>(emscripten_get_now()); }

std::uint64_t WebPlatform::WallClockNs() {
    return static_cast<std::uint64_t>(DateNowMs()) * 1'000'000;
}

void WebPlatform::SetHandCursor(const Image& image, int hotX, int hotY) {
    handImage_ = image;
    handHotX_ = hotX;
    handHotY_ = hotY;
    MakeHandCursor();
}

// The cursor is drawn at the frame's scale, so that it points at the same spot of a
// scaled frame as of a plain one; browsers without picture cursors show their pointer.
void WebPlatform::MakeHandCursor() {
    const std::string address = Address(handImage_, cursorScale_);
    if (address.empty()) return;
    handCss_ = "url(" + address + ") " + std::to_string(handHotX_ * cursorScale_) + " " +
               std::to_string(handHotY_ * cursorScale_) + ", pointer";
    if (cursor_ == Cursor::Hand) SetCanvasCursor(handCss_.c_str());
}

void WebPlatform::SetCursor(Cursor cursor) {
    cursor_ = cursor;
    SetCanvasCursor(cursor != Cursor::Hand ? "default"
                    : handCss_.empty()     ? "pointer"
                                           : handCss_.c_str());
}

void WebPlatform::OpenUrl(const std::string& url) { OpenTab(url.c_str()); }

void WebPlatform::ShowNotice(const std::string& text) { ShowPageNotice(text.c_str()); }

// The page's own folder: the sounds lie beside it.
std::string WebPlatform::ProgramDir() { return "."; }

}  // namespace platform
