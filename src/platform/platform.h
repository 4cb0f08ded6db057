// The seam between the game and the machine it runs on.
//
// Everything the game needs from the outside world goes through one Platform:
// a window that shows finished frames, input events, a millisecond clock, a
// wait that sleeps, sounds, a browser and the program's folder. Each backend is a
// folder beside this header: sdl/ (the real window, on Linux and Windows), web/ (the
// browser's canvas) and headless/ (virtual time and scripted input for tests). Files
// go through the file service (files.h), whose backend the build picks by system:
// posix/, win/ or web/. Only those folders include SDL, emscripten or a header of the
// operating system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace platform {

// A decoded picture: width × height pixels, row-major, 0xAARRGGBB.
// Alpha is 0 where the picture is transparent and 255 everywhere else.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

enum class EventType {
    KeyDown,    // key = virtual-key code (platform/virtual_keys.h)
    MouseDown,  // button 1 left, 2 right, 4 middle; x, y in window pixels
    MouseUp,
    MouseMove,
    Close,   // the system asks the window to close
    Expose,  // the window's contents were lost and must be repainted
    Minimized,
    Restored,
    FocusGained,
    Hidden,  // the window is out of sight while open: a browser page in a background tab
};

struct Event {
    EventType type = EventType::Expose;
    int key = 0;
    int button = 0;
    int x = 0, y = 0;
};

// Deadline meaning "no deadline: sleep until an event arrives".
inline constexpr std::uint64_t kForever = std::numeric_limits<std::uint64_t>::max();

enum class Cursor { Default, Hand };

class Platform {
public:
    virtual ~Platform() = default;

    // Creates the window, centred and borderless, w × h pixels. Called once at start-up,
    // before the first Present. The window is shown by the first Present.
    virtual void OpenWindow(const std::string& caption, int w, int h) = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetIcon(const Image& icon) = 0;
    virtual void Minimize() = 0;

    // Shows a finished frame (w × h, 0xAARRGGBB, alpha ignored). Only the listed
    // rectangles changed since the previous frame; an empty list means all of it.
    virtual void Present(const std::uint32_t* frame, int w, int h,
                         const std::vector<Rect>& changed) = 0;

    // Takes the next pending event without waiting; false when there is none.
    virtual bool PollEvent(Event& event) = 0;
    // Sleeps until an event is pending or the clock reaches deadline (ms on NowMs's clock).
    virtual void WaitEvent(std::uint64_t deadline) = 0;
    // Monotonic milliseconds; never wraps.
    virtual std::uint64_t NowMs() = 0;
    // The system's wall clock (ns since 1970): what the game seeds its dice from, so
    // that every run deals differently. NowMs starts near 0 at every start.
    virtual std::uint64_t WallClockNs() = 0;

    // The hand cursor is made once from a picture with its hot spot; SetCursor switches.
    virtual void SetHandCursor(const Image& image, int hotX, int hotY) = 0;
    virtual void SetCursor(Cursor cursor) = 0;

    // Which window points the window may be dragged by. Where the platform cannot move
    // its window itself (Wayland), the system's move loop takes the left button there.
    virtual void SetDragArea(std::function<bool(int x, int y)> draggable) = 0;
    // Moves the window with the pointer until the given button is released; returns after
    // the move, or at once when the button is already up. Used for every press the
    // system's move does not take.
    virtual void DragWindow(int button) = 0;

    // Plays a WAV file. A new sound replaces the one playing. Synchronous returns when the
    // sound has ended, or stops it when a close request arrives (the request stays for
    // PollEvent); asynchronous returns at once. A missing file or device plays nothing.
    virtual void PlaySound(const std::string& path, bool synchronous) = 0;
    virtual void OpenUrl(const std::string& url) = 0;
    // Tells the player something that needs no answer but must not pass unseen, such as
    // a save that failed: the desktop shows a message box and returns when the player
    // closes it; the page shows a notice and returns at once. The game goes on after.
    virtual void ShowNotice(const std::string& text) = 0;

    // The game takes typed letters from now on (a name for the high-score board), or no
    // longer. A backend whose keys may come from an on-screen keyboard shows one meanwhile;
    // a real keyboard's keys arrive as KeyDown events either way, so others do nothing.
    virtual void ExpectTyping(bool typing) { (void)typing; }

    // The folder that holds the real executable (symlinks resolved), without a trailing '/'.
    virtual std::string ProgramDir() = 0;
};

}  // namespace platform
