// The null front end: no display, no sound card, virtual time.
//
// Tests script input at virtual times; whenever the game waits, the clock jumps
// straight to the next scripted event or the wait's deadline, so a whole game runs
// in milliseconds. Sounds, opened addresses, notices and window actions are recorded, and
// the last presented frame can be read back pixel by pixel.
#pragma once

#include <deque>
#include <functional>
#include <stdexcept>

#include "platform/platform.h"

namespace platform {

// Thrown out of WaitEvent when the game would wait forever with nothing scripted:
// the scripted session is over.
struct ScriptEnded : std::runtime_error {
    ScriptEnded() : std::runtime_error("headless script ended") {}
};

class HeadlessPlatform : public Platform {
public:
    struct PlayedSound {
        std::string path;
        bool synchronous;
        std::uint64_t at;  // ms
    };

    explicit HeadlessPlatform(std::uint64_t startMs = 1'000'000);

    // --- scripting (tests) ---
    // Each At* queues an event that becomes pending at the given absolute time (ms).
    void At(std::uint64_t ms, const Event& event);
    void KeyAt(std::uint64_t ms, int key);
    void ClickAt(std::uint64_t ms, int x, int y, int button = 1);  // down and up at once
    // Runs a check (or any test action) when the clock reaches ms, between two events.
    void CallAt(std::uint64_t ms, std::function<void()> action);
    // How long a synchronous sound holds the program (ms).
    void SetSyncSoundLength(std::uint64_t ms) { syncSoundMs_ = ms; }
    // Runs when a sound starts, before a synchronous one holds the clock.
    std::function<void(const PlayedSound&)> onSound;
    // Ends the session (ScriptEnded) once the clock would pass ms, even while the game
    // still has something to wait for (a paused game waits for ever).
    void StopAt(std::uint64_t ms) { stopAt_ = ms; }

    // --- observation (tests) ---
    const std::vector<std::uint32_t>& Frame() const { return frame_; }
    std::uint32_t PixelAt(int x, int y) const;  // 0x00RRGGBB of the last presented frame
    int FrameWidth() const { return frameW_; }
    int FrameHeight() const { return frameH_; }
    int PresentCount() const { return presents_; }
    const std::vector<PlayedSound>& Sounds() const { return sounds_; }
    const std::vector<std::string>& Urls() const { return urls_; }
    const std::vector<std::string>& Notices() const { return notices_; }
    int MinimizeCount() const { return minimizes_; }
    bool Typing() const { return typing_; }  // between ExpectTyping(true) and (false)
    int DragCount() const { return drags_; }
    Cursor CurrentCursor() const { return cursor_; }
    // The hand cursor's picture and hot spot, as the game made it.
    struct HandCursor {
        Image image;
        int hotX = 0, hotY = 0;
    };
    const HandCursor& Hand() const { return hand_; }
    const std::function<bool(int, int)>& DragArea() const { return dragArea_; }
    void SetProgramDir(std::string dir) { programDir_ = std::move(dir); }
    // The wall clock's reading when the virtual clock stood at 0 (ns since 1970).
    void SetWallClockStart(std::uint64_t ns) { wallStartNs_ = ns; }

    // --- Platform ---
    void OpenWindow(const std::string& caption, int w, int h) override;
    void SetCaption(const std::string&) override {}
    void SetIcon(const Image&) override {}
    void Minimize() override;
    void Present(const std::uint32_t* frame, int w, int h,
                 const std::vector<Rect>& changed) override;
    bool PollEvent(Event& event) override;
    void WaitEvent(std::uint64_t deadline) override;
    std::uint64_t NowMs() override { return now_; }
    std::uint64_t WallClockNs() override { return wallStartNs_ + now_ * 1'000'000; }
    void SetHandCursor(const Image& image, int hotX, int hotY) override {
        hand_ = {image, hotX, hotY};
    }
    void SetCursor(Cursor cursor) override { cursor_ = cursor; }
    void SetDragArea(std::function<bool(int, int)> draggable) override {
        dragArea_ = std::move(draggable);
    }
    void DragWindow(int) override { ++drags_; }
    void PlaySound(const std::string& path, bool synchronous) override;
    void OpenUrl(const std::string& url) override { urls_.push_back(url); }
    void ShowNotice(const std::string& text) override { notices_.push_back(text); }
    void ExpectTyping(bool typing) override { typing_ = typing; }
    std::string ProgramDir() override { return programDir_; }

private:
    struct Scripted {
        std::uint64_t at;
        Event event;
        std::function<void()> action;  // set for CallAt entries
    };
    void Insert(Scripted item);
    bool RunDueActions();

    std::uint64_t now_;
    std::uint64_t syncSoundMs_ = 2500;
    std::uint64_t stopAt_ = kForever;
    std::uint64_t wallStartNs_ = 1'800'000'000'000'000'000;  // early 2027
    std::deque<Scripted> script_;  // sorted by time, stable for equal times
    std::vector<std::uint32_t> frame_;
    int frameW_ = 0, frameH_ = 0, presents_ = 0;
    std::vector<PlayedSound> sounds_;
    std::vector<std::string> urls_;
    std::vector<std::string> notices_;
    std::string programDir_ = ".";
    int minimizes_ = 0, drags_ = 0;
    bool typing_ = false;
    Cursor cursor_ = Cursor::Default;
    HandCursor hand_;
    std::function<bool(int, int)> dragArea_;
};

}  // namespace platform
