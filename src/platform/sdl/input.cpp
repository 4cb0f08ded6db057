// Input: translating events, waiting for them, the cursor and moving the window.
#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <cstring>

#include <SDL.h>

#include "platform/scale.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/virtual_keys.h"

namespace platform {
namespace {

SDL_HitTestResult HitTest(SDL_Window* /*window*/, const SDL_Point* area, void* data) {
    const auto* drag = static_cast<const SdlDragArea*>(data);
    if (drag->draggable &&
        drag->draggable(ToLogical(area->x, drag->scale), ToLogical(area->y, drag->scale))) {
        return SDL_HITTEST_DRAGGABLE;
    }
    return SDL_HITTEST_NORMAL;
}

int KeyCode(SDL_Keycode sym) {
    if (sym >= SDLK_a && sym <= SDLK_z) {
        return 'A' + (sym - SDLK_a);
    }
    if (sym >= SDLK_0 && sym <= SDLK_9) {
        return '0' + (sym - SDLK_0);
    }
    if (sym >= SDLK_F1 && sym <= SDLK_F12) {
        return kKeyF1 + (sym - SDLK_F1);
    }
    if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9) {
        return kKeyNumpad0 + 1 + (sym - SDLK_KP_1);
    }
    switch (sym) {
        case SDLK_BACKSPACE:
            return kKeyBackspace;
        case SDLK_TAB:
            return kKeyTab;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return kKeyEnter;
        case SDLK_ESCAPE:
            return kKeyEscape;
        case SDLK_SPACE:
            return kKeySpace;
        case SDLK_LEFT:
            return kKeyLeft;
        case SDLK_UP:
            return kKeyUp;
        case SDLK_RIGHT:
            return kKeyRight;
        case SDLK_DOWN:
            return kKeyDown;
        case SDLK_KP_0:
            return kKeyNumpad0;
        case SDLK_KP_MULTIPLY:
            return kKeyMultiply;
        case SDLK_KP_PLUS:
            return kKeyAdd;
        case SDLK_KP_MINUS:
            return kKeySubtract;
        case SDLK_KP_PERIOD:
            return kKeyDecimal;
        case SDLK_KP_DIVIDE:
            return kKeyDivide;
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

constexpr int kDragWakeMs = 50;  // fallback wake-up of the drag loop should events stop coming

}  // namespace

bool SdlPlatform::Translate(const SDL_Event& in, Event& out) {
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
                case SDL_WINDOWEVENT_DISPLAY_CHANGED:
                    // Dragged onto a screen that suits another scale: the game paints
                    // its whole window again, at that one.
                    out.type = EventType::Expose;
                    return FitToDisplay(in.window.data1);
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

bool SdlPlatform::CloseRequested() {
    if (havePending_ && pending_.type == EventType::Close) return true;
    SDL_PumpEvents();  // also turns a pending SIGTERM into SDL_QUIT
    std::array<SDL_Event, 64> queued;
    if (SDL_PeepEvents(queued.data(), 1, SDL_PEEKEVENT, SDL_QUIT, SDL_QUIT) > 0) return true;
    const int n = SDL_PeepEvents(queued.data(), static_cast<int>(queued.size()), SDL_PEEKEVENT,
                                 SDL_WINDOWEVENT, SDL_WINDOWEVENT);
    return std::any_of(queued.begin(), queued.begin() + std::max(n, 0),
                       [](const SDL_Event& e) { return e.window.event == SDL_WINDOWEVENT_CLOSE; });
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

// On X11 every drag is the game's own move loop (DragWindow), which follows the
// pointer exactly, holds the game, and starts no move once the button is up. A
// Wayland window cannot place itself: there the left button's drag is the system's.
// So it is on Windows, the way its programs are moved: the background answers as a
// caption, and the system's move loop runs inside SDL's event pump, holding the game.
void SdlPlatform::ApplyDragArea() {
    if (window_ == nullptr) {
        return;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (dragArea_.draggable && (driver == nullptr || std::strcmp(driver, "x11") != 0)) {
        SDL_SetWindowHitTest(window_, HitTest, &dragArea_);
    } else {
        SDL_SetWindowHitTest(window_, nullptr, nullptr);
    }
}

void SdlPlatform::SetDragArea(std::function<bool(int x, int y)> draggable) {
    dragArea_.draggable = std::move(draggable);
    ApplyDragArea();
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

}  // namespace platform
