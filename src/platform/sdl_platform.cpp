#include "platform/sdl_platform.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <type_traits>

#include <SDL.h>
#include <SDL_mixer.h>

#include "platform/scale.h"

namespace platform {
namespace {

// Mix_ChannelFinished takes no user data, so the finished callback reaches the
// platform through these. Written on the main thread while no sound plays.
std::atomic<SDL_sem*> g_soundEnded{nullptr};
std::atomic<Uint32> g_soundEventType{0};

// Runs on the mixer's audio thread (or inside Mix_HaltChannel on the caller's thread).
// Mixer calls are not allowed here; the main thread closes the device when it sees
// the event.
void OnChannelFinished(int /*channel*/) {
    if (SDL_sem* sem = g_soundEnded.load()) {
        SDL_SemPost(sem);
    }
    SDL_Event e;
    SDL_zero(e);
    e.type = g_soundEventType.load();
    if (e.type != 0) {
        SDL_PushEvent(&e);
    }
}

SDL_HitTestResult HitTest(SDL_Window* /*window*/, const SDL_Point* area, void* data) {
    const auto* drag = static_cast<const SdlDragArea*>(data);
    if (drag->draggable &&
        drag->draggable(ToLogical(area->x, drag->scale), ToLogical(area->y, drag->scale))) {
        return SDL_HITTEST_DRAGGABLE;
    }
    return SDL_HITTEST_NORMAL;
}

// A surface viewing the image's pixels (no copy): valid while the image lives.
SDL_Surface* WrapImage(const Image& image) {
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() <
            static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height)) {
        return nullptr;
    }
    return SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(image.pixels.data()),
                                              image.width, image.height, 32, image.width * 4,
                                              SDL_PIXELFORMAT_ARGB8888);
}

int KeyCode(SDL_Keycode sym) {
    if (sym >= SDLK_a && sym <= SDLK_z) {
        return 'A' + (sym - SDLK_a);
    }
    if (sym >= SDLK_0 && sym <= SDLK_9) {
        return '0' + (sym - SDLK_0);
    }
    if (sym >= SDLK_F1 && sym <= SDLK_F12) {
        return 112 + (sym - SDLK_F1);
    }
    if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9) {
        return 97 + (sym - SDLK_KP_1);
    }
    switch (sym) {
        case SDLK_BACKSPACE:
            return 8;
        case SDLK_TAB:
            return 9;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return 13;
        case SDLK_ESCAPE:
            return 27;
        case SDLK_SPACE:
            return 32;
        case SDLK_LEFT:
            return 37;
        case SDLK_UP:
            return 38;
        case SDLK_RIGHT:
            return 39;
        case SDLK_DOWN:
            return 40;
        case SDLK_KP_0:
            return 96;
        case SDLK_KP_MULTIPLY:
            return 106;
        case SDLK_KP_PLUS:
            return 107;
        case SDLK_KP_MINUS:
            return 109;
        case SDLK_KP_PERIOD:
            return 110;
        case SDLK_KP_DIVIDE:
            return 111;
        default:
            return 0;
    }
}

int ButtonCode(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT:
            return 1;
        case SDL_BUTTON_RIGHT:
            return 2;
        case SDL_BUTTON_MIDDLE:
            return 4;
        default:
            return 0;
    }
}

// Playing time of a RIFF WAVE file from its header (ms), 0 when unknown. Leaves the
// stream at its start.
Uint32 WaveLengthMs(SDL_RWops* rw) {
    Uint32 result = 0;
    Uint8 head[12];
    if (SDL_RWread(rw, head, 1, sizeof head) == sizeof head && std::memcmp(head, "RIFF", 4) == 0 &&
        std::memcmp(head + 8, "WAVE", 4) == 0) {
        Uint32 byteRate = 0;
        for (int i = 0; i < 32; ++i) {  // a few chunks at most precede the samples
            Uint8 chunk[8];
            if (SDL_RWread(rw, chunk, 1, sizeof chunk) != sizeof chunk) {
                break;
            }
            const Uint32 size = chunk[4] | (Uint32{chunk[5]} << 8) | (Uint32{chunk[6]} << 16) |
                                (Uint32{chunk[7]} << 24);
            if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 12) {
                Uint8 fmt[12];
                if (SDL_RWread(rw, fmt, 1, sizeof fmt) != sizeof fmt) {
                    break;
                }
                byteRate = fmt[8] | (Uint32{fmt[9]} << 8) | (Uint32{fmt[10]} << 16) |
                           (Uint32{fmt[11]} << 24);
                SDL_RWseek(rw, static_cast<Sint64>(size - 12 + (size & 1)), RW_SEEK_CUR);
            } else if (std::memcmp(chunk, "data", 4) == 0) {
                if (byteRate > 0) {
                    result = static_cast<Uint32>(
                        std::min<std::uint64_t>(std::uint64_t{size} * 1000 / byteRate, UINT32_MAX));
                }
                break;
            } else {
                SDL_RWseek(rw, static_cast<Sint64>(size) + (size & 1), RW_SEEK_CUR);
            }
        }
    }
    SDL_RWseek(rw, 0, RW_SEEK_SET);
    return result;
}

// SDL2_mixer and the many codec libraries behind it are loaded at the first sound,
// not at start-up: a game with sound off never pays for them (about 4 MB and a few
// ms of start-up).
struct Mixer {
    int (*OpenAudio)(int, Uint16, int, int);
    void (*CloseAudio)();
    void (*ChannelFinished)(void (*)(int));
    int (*HaltChannel)(int);
    void (*FreeChunk)(Mix_Chunk*);
    Mix_Chunk* (*LoadWAV_RW)(SDL_RWops*, int);
    int (*PlayChannelTimed)(int, Mix_Chunk*, int, int);
    int (*Playing)(int);
};

// The mixer's functions, or nullptr when the library cannot be loaded.
const Mixer* LoadMixer() {
    static Mixer mixer;
    static const bool loaded = [] {
        void* library = SDL_LoadObject("libSDL2_mixer-2.0.so.0");
        if (library == nullptr) return false;
        auto find = [library](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                SDL_LoadFunction(library, name));
            return function != nullptr;
        };
        return find(mixer.OpenAudio, "Mix_OpenAudio") && find(mixer.CloseAudio, "Mix_CloseAudio") &&
               find(mixer.ChannelFinished, "Mix_ChannelFinished") &&
               find(mixer.HaltChannel, "Mix_HaltChannel") &&
               find(mixer.FreeChunk, "Mix_FreeChunk") && find(mixer.LoadWAV_RW, "Mix_LoadWAV_RW") &&
               find(mixer.PlayChannelTimed, "Mix_PlayChannelTimed") &&
               find(mixer.Playing, "Mix_Playing");
    }();
    return loaded ? &mixer : nullptr;
}

constexpr std::uint64_t kAudioRetryMs = 3000;  // after a failed device open
constexpr int kDragWakeMs = 50;  // fallback wake-up of the drag loop should events stop coming

}  // namespace

SdlPlatform::SdlPlatform() {
    // The window surface without a hidden renderer behind it: several times less
    // memory and start-up time, and the game draws its own frames anyway.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // The game decides what closing means; one Close per request, not two.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // A puzzle game in a window must not keep the screen saver away or switch off
    // the desktop's compositor.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");

    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        throw std::runtime_error(std::string("SDL video: ") + SDL_GetError());
    }
    // SDL starts text input (and an input method connection) by default; the game
    // only reads key codes.
    SDL_StopTextInput();

    soundEnded_ = SDL_CreateSemaphore(0);
    g_soundEnded.store(soundEnded_);
    const Uint32 type = SDL_RegisterEvents(1);
    g_soundEventType.store(type == static_cast<Uint32>(-1) ? 0 : type);
}

SdlPlatform::~SdlPlatform() {
    StopSound();
    CloseAudio();
    g_soundEventType.store(0);
    g_soundEnded.store(nullptr);
    if (soundEnded_ != nullptr) {
        SDL_DestroySemaphore(soundEnded_);
    }
    if (handCursor_ != nullptr) {
        SDL_FreeCursor(handCursor_);
    }
    if (pendingIcon_ != nullptr) {
        SDL_FreeSurface(pendingIcon_);
    }
    if (window_ != nullptr) {
        SDL_DestroyWindow(window_);
    }
    SDL_Quit();
}

// ---------------------------------------------------------------- window

void SdlPlatform::OpenWindow(const std::string& caption, int w, int h) {
    if (window_ != nullptr) {
        return;
    }
    if (!caption.empty()) {
        caption_ = caption;
    }
    // On a large screen the window is shown at a whole multiple of its size.
    SDL_Rect usable{0, 0, w, h};
    SDL_GetDisplayUsableBounds(0, &usable);
    scale_ = ChooseScale(usable.w, usable.h, w, h, std::getenv("FROTHWICK_SCALE"));
    dragArea_.scale = scale_;
    // Borderless from the start: changing the border of a mapped X11 window makes
    // SDL 2.26 busy-wait. Hidden until the first finished frame.
    window_ = SDL_CreateWindow(caption_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               w * scale_, h * scale_, SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
    if (window_ == nullptr) {
        throw std::runtime_error(std::string("SDL window: ") + SDL_GetError());
    }
    if (pendingIcon_ != nullptr) {
        SDL_SetWindowIcon(window_, pendingIcon_);
        SDL_FreeSurface(pendingIcon_);
        pendingIcon_ = nullptr;
    }
    if (dragArea_.draggable) {
        SDL_SetWindowHitTest(window_, HitTest, &dragArea_);
    }
    MakeHandCursor();
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

// ---------------------------------------------------------------- events

bool SdlPlatform::Translate(const SDL_Event& in, Event& out) {
    if (in.type != 0 && in.type == g_soundEventType.load()) {
        // A sound ended (or was halted). Close the device unless another sound
        // has taken over meanwhile.
        if (audioOpen_ && LoadMixer()->Playing(-1) == 0) {
            StopSound();
            CloseAudio();
        }
        return false;
    }
    out = Event{};
    switch (in.type) {
        case SDL_KEYDOWN:
            out.type = EventType::KeyDown;
            out.key = KeyCode(in.key.keysym.sym);
            return out.key != 0;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            out.type = in.type == SDL_MOUSEBUTTONDOWN ? EventType::MouseDown : EventType::MouseUp;
            out.button = ButtonCode(in.button.button);
            out.x = ToLogical(in.button.x, scale_);
            out.y = ToLogical(in.button.y, scale_);
            return out.button != 0;
        case SDL_MOUSEMOTION:
            out.type = EventType::MouseMove;
            out.x = ToLogical(in.motion.x, scale_);
            out.y = ToLogical(in.motion.y, scale_);
            return true;
        case SDL_QUIT:
            out.type = EventType::Close;
            return true;
        case SDL_WINDOWEVENT:
            switch (in.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    out.type = EventType::Close;
                    return true;
                case SDL_WINDOWEVENT_EXPOSED:
                    // The screen lost the window's pixels: the next Present sends all of them.
                    fullUpdateNext_ = true;
                    out.type = EventType::Expose;
                    return true;
                case SDL_WINDOWEVENT_MINIMIZED:
                    out.type = EventType::Minimized;
                    return true;
                case SDL_WINDOWEVENT_RESTORED:
                    out.type = EventType::Restored;
                    return true;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    out.type = EventType::FocusGained;
                    return true;
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    fullCopyNext_ = true;
                    return false;
                default:
                    return false;
            }
        default:
            return false;
    }
}

bool SdlPlatform::PollEvent(Event& event) {
    if (havePending_) {
        event = pending_;
        havePending_ = false;
        return true;
    }
    SDL_Event e;
    while (SDL_PollEvent(&e) != 0) {
        if (Translate(e, event)) {
            return true;
        }
    }
    return false;
}

void SdlPlatform::WaitEvent(std::uint64_t deadline) {
    while (!havePending_) {
        const std::uint64_t now = NowMs();
        if (now >= deadline) {
            return;
        }
        // SDL waits in whole ms from a truncated clock, so it never wakes early by
        // its own clock; the loop covers wakes for events the game does not see.
        int timeout = -1;
        if (deadline != kForever) {
            timeout = static_cast<int>(std::min<std::uint64_t>(deadline - now, INT_MAX / 2));
        }
        if (window_ == nullptr) {
            // Without a window SDL can only wait by polling every ms; sleep instead.
            // Nothing but sound notices can arrive before the window exists.
            SDL_Delay(static_cast<Uint32>(timeout < 0 ? 100 : std::min(timeout, 100)));
            Event ignored;
            SDL_Event e;
            while (SDL_PollEvent(&e) != 0) {
                if (Translate(e, ignored)) {
                    pending_ = ignored;
                    havePending_ = true;
                    return;
                }
            }
            continue;
        }
        SDL_Event e;
        if (SDL_WaitEventTimeout(&e, timeout) != 0 && Translate(e, pending_)) {
            havePending_ = true;
        }
    }
}

std::uint64_t SdlPlatform::NowMs() { return SDL_GetTicks64(); }

std::uint64_t SdlPlatform::WallClockNs() {
    const auto since1970 = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(since1970).count());
}

// ---------------------------------------------------------------- cursor and dragging

void SdlPlatform::SetHandCursor(const Image& image, int hotX, int hotY) {
    handImage_ = image;
    handHotX_ = hotX;
    handHotY_ = hotY;
    if (window_ != nullptr) {
        MakeHandCursor();
    }
}

// The cursor is drawn at the window's scale, so that it points at the same spot of a
// scaled window as of a plain one.
void SdlPlatform::MakeHandCursor() {
    if (handImage_.width <= 0) {
        return;
    }
    Image scaled = handImage_;
    if (scale_ > 1) {
        scaled.width *= scale_;
        scaled.height *= scale_;
        scaled.pixels.resize(static_cast<std::size_t>(scaled.width) * scaled.height);
        for (int y = 0; y < scaled.height; ++y)
            for (int x = 0; x < scaled.width; ++x)
                scaled.pixels[static_cast<std::size_t>(y) * scaled.width + x] =
                    handImage_.pixels[static_cast<std::size_t>(y / scale_) * handImage_.width +
                                      x / scale_];
    }
    SDL_Surface* view = WrapImage(scaled);
    if (view == nullptr) {
        return;
    }
    SDL_Cursor* made = SDL_CreateColorCursor(view, handHotX_ * scale_, handHotY_ * scale_);
    SDL_FreeSurface(view);
    if (made == nullptr) {
        return;
    }
    SDL_Cursor* old = handCursor_;
    handCursor_ = made;
    if (cursor_ == Cursor::Hand) {
        SDL_SetCursor(handCursor_);
    }
    if (old != nullptr) {
        SDL_FreeCursor(old);
    }
}

void SdlPlatform::SetCursor(Cursor cursor) {
    if (cursor == cursor_) {
        return;
    }
    cursor_ = cursor;
    if (cursor == Cursor::Hand) {
        if (handCursor_ != nullptr) {
            SDL_SetCursor(handCursor_);
        }
    } else {
        SDL_SetCursor(SDL_GetDefaultCursor());
    }
}

void SdlPlatform::SetDragArea(std::function<bool(int x, int y)> draggable) {
    dragArea_.draggable = std::move(draggable);
    if (window_ != nullptr) {
        if (dragArea_.draggable) {
            SDL_SetWindowHitTest(window_, HitTest, &dragArea_);
        } else {
            SDL_SetWindowHitTest(window_, nullptr, nullptr);
        }
    }
}

void SdlPlatform::DragWindow(int button) {
    if (window_ == nullptr) {
        return;
    }
    Uint32 mask = 0;
    switch (button) {
        case 1:
            mask = SDL_BUTTON_LMASK;
            break;
        case 2:
            mask = SDL_BUTTON_RMASK;
            break;
        case 4:
            mask = SDL_BUTTON_MMASK;
            break;
        default:
            return;
    }
    int gx0 = 0, gy0 = 0;
    if ((SDL_GetGlobalMouseState(&gx0, &gy0) & mask) == 0) {
        return;  // released already
    }
    int wx0 = 0, wy0 = 0;
    SDL_GetWindowPosition(window_, &wx0, &wy0);
    // The grab keeps pointer events coming while the pointer is outside the window.
    SDL_CaptureMouse(SDL_TRUE);

    std::vector<SDL_Event> kept;  // other events that arrive during the move, handed on afterwards
    int lastX = wx0, lastY = wy0;
    for (;;) {
        int gx = 0, gy = 0;
        const Uint32 state = SDL_GetGlobalMouseState(&gx, &gy);
        const int x = wx0 + (gx - gx0), y = wy0 + (gy - gy0);
        if (x != lastX || y != lastY) {
            SDL_SetWindowPosition(window_, x, y);
            lastX = x;
            lastY = y;
        }
        if ((state & mask) == 0) {
            break;
        }
        SDL_Event e;
        if (SDL_WaitEventTimeout(&e, kDragWakeMs) == 0) {
            continue;
        }
        do {
            const bool mouse = e.type == SDL_MOUSEMOTION || e.type == SDL_MOUSEBUTTONDOWN ||
                               e.type == SDL_MOUSEBUTTONUP;
            const bool moved = e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_MOVED;
            if (!mouse && !moved) {
                kept.push_back(e);
            }
        } while (SDL_PollEvent(&e) != 0);
    }
    SDL_CaptureMouse(SDL_FALSE);
    // The release itself may still be on its way from the server.
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_MOUSEMOTION, SDL_MOUSEBUTTONUP);
    for (SDL_Event& e : kept) {
        SDL_PushEvent(&e);
    }
}

// ---------------------------------------------------------------- sound

bool SdlPlatform::OpenAudio() {
    if (audioOpen_) {
        return true;
    }
    // A machine without sound fails here every time; trying on every sound would
    // make the game stutter, yet a device may be plugged in later.
    const std::uint64_t now = NowMs();
    if (audioFailedAt_ != 0 && now - audioFailedAt_ < kAudioRetryMs) {
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        audioFailedAt_ = std::max<std::uint64_t>(now, 1);
        return false;
    }
    const Mixer* mixer = LoadMixer();
    if (mixer == nullptr ||
        mixer->OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        audioFailedAt_ = std::max<std::uint64_t>(now, 1);
        return false;
    }
    audioFailedAt_ = 0;
    audioOpen_ = true;
    mixer->ChannelFinished(OnChannelFinished);
    return true;
}

void SdlPlatform::CloseAudio() {
    if (!audioOpen_) {
        return;
    }
    LoadMixer()->ChannelFinished(nullptr);
    LoadMixer()->CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioOpen_ = false;
}

void SdlPlatform::StopSound() {
    if (!audioOpen_) {
        return;
    }
    LoadMixer()->HaltChannel(-1);
    if (chunk_ != nullptr) {
        LoadMixer()->FreeChunk(chunk_);
        chunk_ = nullptr;
    }
}

void SdlPlatform::PlaySound(const std::string& path, bool synchronous) {
    // A missing file must not cost a device open.
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (file == nullptr) {
        return;
    }
    const Uint32 waveMs = WaveLengthMs(file);
    StopSound();
    if (!OpenAudio()) {
        SDL_RWclose(file);
        return;
    }
    // Halting posts "ended"; those posts belong to the old sound.
    while (SDL_SemTryWait(soundEnded_) == 0) {}
    chunk_ = LoadMixer()->LoadWAV_RW(file, 1);
    if (chunk_ == nullptr || LoadMixer()->PlayChannelTimed(-1, chunk_, 0, -1) < 0) {
        StopSound();
        CloseAudio();
        return;
    }
    if (!synchronous) {
        return;  // the finished notice closes the device later
    }
    // Bounded by the sound's length, in case the device stalls and never finishes it.
    const Uint32 limitMs = waveMs == 0 ? 10000 : std::min<Uint32>(waveMs, 600000) + 2000;
    SDL_SemWaitTimeout(soundEnded_, limitMs);
    StopSound();
    CloseAudio();
}

// ---------------------------------------------------------------- system

void SdlPlatform::OpenUrl(const std::string& url) { SDL_OpenURL(url.c_str()); }

std::string SdlPlatform::ProgramDir() {
    std::string path;
    if (char* real = realpath("/proc/self/exe", nullptr)) {
        path = real;
        std::free(real);
        const std::size_t slash = path.rfind('/');
        return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
    }
    if (char* base = SDL_GetBasePath()) {
        path = base;
        SDL_free(base);
        while (!path.empty() && path.back() == '/') {
            path.pop_back();
        }
        return path;
    }
    return ".";
}

}  // namespace platform
