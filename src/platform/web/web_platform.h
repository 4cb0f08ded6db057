// The browser front end: the frame in a canvas of the page, input from the page's
// events, sounds through Web Audio, built with emscripten.
//
// The game's waits are real waits: the program is suspended (Asyncify) on a promise
// that a timer resolves at the deadline or the next input event resolves earlier, so
// a page with nothing to do runs no code at all. The page (web/index.html) holds the
// canvas and the small states a page shows instead of a window's: minimised, closed.
//
// On a touch screen (the page marks its body "touch") the game fills the room it has,
// a finger on the game is a pointer that clicks where it taps and steers the falling
// can where it swipes, the page's own buttons send the game's keys, and a hidden text
// field takes the phone keyboard's letters while a name is typed.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace platform {

// Where a finger steers the falling can, in frame pixels: a swipe that starts inside
// `area` sends Left or Right for every `column` pixels it travels sideways, and Down
// when it moves quickly downwards.
struct SwipeArea {
    Rect area;
    int column = 1;
};

class WebPlatform : public Platform {
public:
    // Listens to the page's keyboard, mouse, touch, focus and visibility events.
    explicit WebPlatform(const SwipeArea& swipes);
    // Stops listening: the page's events no longer reach the game.
    ~WebPlatform() override;
    WebPlatform(const WebPlatform&) = delete;
    WebPlatform& operator=(const WebPlatform&) = delete;

    void OpenWindow(const std::string& caption, int w, int h) override;
    void SetCaption(const std::string& caption) override;
    void SetIcon(const Image& icon) override;
    void Minimize() override;

    void Present(const std::uint32_t* frame, int w, int h,
                 const std::vector<Rect>& changed) override;

    bool PollEvent(Event& event) override;
    void WaitEvent(std::uint64_t deadline) override;
    std::uint64_t NowMs() override;
    std::uint64_t WallClockNs() override;

    void SetHandCursor(const Image& image, int hotX, int hotY) override;
    void SetCursor(Cursor cursor) override;

    // Nothing in a page moves; the game's background is told from its controls by it,
    // so that a tap just beside a control still hits it.
    void SetDragArea(std::function<bool(int x, int y)> draggable) override;
    void DragWindow(int button) override;

    void PlaySound(const std::string& path, bool synchronous) override;
    void OpenUrl(const std::string& url) override;
    void ShowNotice(const std::string& text) override;
    // On a touch screen the hidden text field takes the focus, which brings up the
    // phone's keyboard; its letters, Backspace and Enter reach the game as keys.
    void ExpectTyping(bool typing) override;

    std::string ProgramDir() override;

    // Shows the page's closed state: the game has ended and a click starts it again.
    static void ShowClosed();

    // Called by the page's event listeners (input.cpp, touch.cpp).
    void Queue(const Event& event);
    void ButtonsChanged(int buttons) { buttons_ = buttons; }
    // Fits the game to its room on the page again (the page's resize event).
    void FitToPage();

    // A finger on the game (touch.cpp): where it touched, moved to or lifted, in frame
    // pixels; `finger` tells fingers apart.
    enum class Touch { Start, Move, End, Cancel };
    void Touched(Touch what, long finger, int x, int y);

private:
    // The first finger on the game, followed from its touch to its lift; others are
    // ignored meanwhile.
    struct Finger {
        long id = 0;
        int startX = 0, startY = 0;  // frame pixels
        int columnX = 0;             // where the next column's travel is measured from
        bool steering = false;       // started on the playfield
        bool moved = false;          // went beyond a tap: no click at the lift
        bool dropped = false;        // has dropped the can: steers no more
        struct Place {
            std::uint64_t ms;
            int x, y;
        };
        std::deque<Place> recent;  // the last kFlickMs of its way
    };
    // Scales the frame by a fraction to fill the room (CSS pixels) on a touch screen;
    // returns the CSS pixels per game pixel.
    double FillRoom(double roomW, double roomH, double ratio);
    void Steer(int x, int y);
    // A tap as the pointer's press and release, on the nearest control within reach.
    void Tap(int x, int y);
    std::pair<int, int> NearestControl(int x, int y) const;
    void QueueKey(int key);
    // Makes the audio context at the player's first press (sound.cpp).
    void PrepareSound();
    // Turns what is typed into the page's hidden text field into keys (touch.cpp).
    void ListenToTyping();
    // Makes the hand cursor from its picture at the canvas's scale.
    void MakeHandCursor();

    int width_ = 0, height_ = 0;  // the frame, in game pixels
    int cursorScale_ = 1;         // the page's pixels per game pixel, rounded
    double framePerCss_ = 1;      // game pixels per CSS pixel
    // One changed rectangle on its way to the canvas, with room for rgbaSize_ bytes.
    std::unique_ptr<std::uint8_t[]> rgba_;
    std::size_t rgbaSize_ = 0;

    std::deque<Event> events_;
    int buttons_ = 0;  // the mouse buttons held now: 1 left, 2 right, 4 middle

    bool touchScreen_ = false;  // the page says the screen takes touches
    SwipeArea swipes_;
    std::function<bool(int x, int y)> background_;  // true where no control takes a press
    std::optional<Finger> finger_;

    Image handImage_;
    int handHotX_ = 0, handHotY_ = 0;
    std::string handCss_;  // the CSS cursor made from it
    Cursor cursor_ = Cursor::Default;
};

}  // namespace platform
