// The browser front end: the frame in a canvas of the page, input from the page's
// events, sounds through Web Audio, built with emscripten.
//
// The game's waits are real waits: the program is suspended (Asyncify) on a promise
// that a timer resolves at the deadline or the next input event resolves earlier, so
// a page with nothing to do runs no code at all. The page (web/index.html) holds the
// canvas and the small states a page shows instead of a window's: minimised, closed.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

class WebPlatform : public Platform {
public:
    // Listens to the page's keyboard, mouse and focus events.
    WebPlatform();
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

    void SetDragArea(std::function<bool(int x, int y)> draggable) override;
    void DragWindow(int button) override;

    void PlaySound(const std::string& path, bool synchronous) override;
    void OpenUrl(const std::string& url) override;

    std::string ProgramDir() override;

    // Shows the page's closed state: the game has ended and a click starts it again.
    static void ShowClosed();

    // Called by the page's event listeners (input.cpp).
    void Queue(const Event& event);
    void ButtonsChanged(int buttons) { buttons_ = buttons; }
    // Scales the canvas to the page's size again.
    void FitToPage();

private:
    // Makes the audio context at the player's first press (sound.cpp).
    void PrepareSound();
    // Makes the hand cursor from its picture at the canvas's scale.
    void MakeHandCursor();

    int width_ = 0, height_ = 0;  // the frame, in game pixels
    int cursorScale_ = 1;         // the page's pixels per game pixel, rounded
    // One changed rectangle on its way to the canvas, with room for rgbaSize_ bytes.
    std::unique_ptr<std::uint8_t[]> rgba_;
    std::size_t rgbaSize_ = 0;

    std::deque<Event> events_;
    int buttons_ = 0;  // the mouse buttons held now: 1 left, 2 right, 4 middle

    Image handImage_;
    int handHotX_ = 0, handHotY_ = 0;
    std::string handCss_;  // the CSS cursor made from it
    Cursor cursor_ = Cursor::Default;
};

}  // namespace platform
