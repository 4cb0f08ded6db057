// The real front end: one SDL2 window drawn through its window surface, SDL2_mixer
// for sounds.
//
// Only the video subsystem stays up. The audio device is opened when a sound starts
// and closed once it has finished, because an open device wakes the process many
// times a second even in silence; both happen on a sound thread, never on the game's.
// Joysticks are never initialised: with them up, SDL's event wait turns into polling.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/platform.h"

// SDL types are only named here, never defined, so that nothing outside
// src/platform needs the SDL headers.
struct SDL_Window;
struct SDL_Cursor;
struct SDL_Surface;
union SDL_Event;

namespace platform {

class SoundThread;

// What the system's own window move may take: the game's test, in logical pixels.
struct SdlDragArea {
    std::function<bool(int x, int y)> draggable;
    int scale = 1;
};

class SdlPlatform : public Platform {
public:
    // Initialises SDL's video subsystem. Throws std::runtime_error, saying what is
    // missing, when that fails or finds no display to show a window on.
    SdlPlatform();
    ~SdlPlatform() override;
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

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
    void ShowNotice(const std::string& text) override;

    std::string ProgramDir() override;

private:
    // Video (video.cpp).
    void CopyToSurface(SDL_Surface* surface, const std::uint32_t* frame, int w, int h,
                       const Rect& r);
    // Shows a frame that is already at the window's own size.
    void PresentPhysical(const std::uint32_t* frame, int w, int h,
                         const std::vector<Rect>& changed);
    // Enlarges rectangle r of the logical frame into scaled_, each pixel a scale_ × scale_ block.
    void ScaleInto(const std::uint32_t* frame, int w, const Rect& r);
    // After a move onto another display: takes the scale that suits it, resizing the
    // window and its cursor. True when the scale changed; the whole frame must then be
    // presented again.
    bool FitToDisplay(int display);

    // Input (input.cpp).
    // Turns an SDL event into a game event; false when the game does not see it.
    bool Translate(const SDL_Event& in, Event& out);
    // Makes the hand cursor from its picture at the window's scale.
    void MakeHandCursor();
    // Hands the drag area to the window, when there is one.
    void ApplyDragArea();
    // True when a close request (the window's, or SIGTERM's) waits in the queue; leaves
    // it there for the game.
    bool CloseRequested();

    // Sound (sound.cpp).
    // Ends the sound thread without waiting for the device; false when the thread was
    // still busy with it and was left to finish on its own (SDL must then stay up).
    bool ShutdownSound();

    // A surface viewing the image's pixels (no copy): valid while the image lives.
    static SDL_Surface* WrapImage(const Image& image);

    SDL_Window* window_ = nullptr;
    bool shown_ = false;
    bool fullCopyNext_ = true;     // the window surface was (or may have been) recreated
    bool fullUpdateNext_ = false;  // the screen lost the window's pixels (first show, expose)
    SDL_Surface* lastSurface_ = nullptr;
    std::string caption_;
    SDL_Surface* pendingIcon_ = nullptr;  // icon given before the window exists

    bool havePending_ = false;  // one translated event taken out of SDL by WaitEvent
    Event pending_;

    int logicalW_ = 0, logicalH_ = 0;    // the window's size in game pixels
    int scale_ = 1;                      // window pixels per game pixel
    std::vector<std::uint32_t> scaled_;  // the frame at window size, when scale_ > 1

    Image handImage_;
    int handHotX_ = 0, handHotY_ = 0;
    SDL_Cursor* handCursor_ = nullptr;
    Cursor cursor_ = Cursor::Default;

    SdlDragArea dragArea_;

    std::shared_ptr<SoundThread> sound_;  // started by the first sound
};

}  // namespace platform
