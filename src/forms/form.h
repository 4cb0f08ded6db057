// A window: its client surface, its controls, event dispatch and frame composition.
//
// The game draws onto the client surface (hDC) with rectangle copies; the controls
// lie above it in the order they were added. A frame is composed as the client
// surface, then the visible controls, then the tooltip, and handed to the platform
// only where something changed. All event handling happens inside DoEvents, which
// any handler may call again (the game loop runs inside a click handler).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/controls.h"
#include "platform/platform.h"

namespace forms {

// Thrown by End: the program ends at once, wherever it stood. Caught only by main
// (and by test drivers).
struct ProgramEnd {};
[[noreturn]] void End();

class Form {
public:
    Form(platform::Platform& platform, int widthPixels, int heightPixels);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form() = default;

    platform::Platform& Platform() { return platform_; }

    // Window size in twips, as the game reads it.
    double Width() const { return ToTwips(frame_.Width()); }
    double Height() const { return ToTwips(frame_.Height()); }

    // The client surface the game draws on.
    Surface* hDC() { return &client_; }
    // The picture that fills the client area underneath everything drawn.
    void SetBackground(const StdPicture& picture);
    // How tooltips look: the small font they are written with (glyphs for ' '..'~' side
    // by side, each cellWidth pixels wide, grey levels from white paper to black ink)
    // and the colours of their paper, ink and edge.
    struct TooltipLook {
        StdPicture font;
        int cellWidth = 0;
        Color paper = 0, ink = 0, edge = 0;
    };
    void SetTooltipLook(TooltipLook look);

    void SetCaption(const std::string& caption);
    int BorderStyle = 1;  // 0 none; the window is always shown borderless
    // 0 normal, 1 minimised. Setting 1 minimises the window.
    int WindowState() const { return windowState_; }
    void SetWindowState(int state);
    // 0 default pointer; the hand shows over the controls that ask for it.
    void SetMousePointer(int pointer);

    // Adds a control on top of those added before.
    void Add(Control& control);

    // Opens the window and paints it for the first time.
    void Show();
    // Repaints the whole window now: the background, then Form_Paint, then presents.
    // Does nothing before Show.
    void Refresh();
    // Marks part of the window as changed.
    void Invalidate(const Rect& r);
    // Composes the changed parts and hands them to the platform.
    void Present();

    // Handles every pending event once, then presents. Handlers may nest.
    void DoEvents();
    // Sleeps until an event is pending or deadline (ms) is reached, waking early only
    // for the window's own timing (a tooltip that is due).
    void WaitForEvent(std::uint64_t deadline);
    // Runs the window until the program ends.
    [[noreturn]] void Run();

    // Runs Form_Unload; ending the program is up to it.
    void Unload();

    // Called by controls when one of their properties changed.
    void ControlChanged(Control& control, const Rect& before, const Rect& after);

    // The topmost visible control that takes a press at (x, y), or nullptr.
    Control* ControlAt(int x, int y) const;

    // Tooltip shown now (empty when none).
    const std::string& TooltipText() const { return tooltipText_; }

    // How long the pointer must rest on a control before its tooltip shows.
    static constexpr std::uint64_t kTooltipDelayMs = 500;

protected:
    // Event handlers; the defaults do nothing.
    virtual void Form_Paint() {}
    virtual void Form_KeyDown(int keyCode, int shift) { (void)keyCode, (void)shift; }
    virtual void Form_MouseDown(int button, int shift, int x, int y) {
        (void)button, (void)shift, (void)x, (void)y;
    }
    virtual void Form_Resize() {}
    virtual void Form_GotFocus() {}
    virtual void Form_Hidden() {}
    virtual void Form_Unload(int& cancel) { (void)cancel; }

private:
    void Dispatch(const platform::Event& event);
    void MouseDown(const platform::Event& event);
    void MouseUp(const platform::Event& event);
    void MouseMove(int x, int y);
    void UpdatePointer();
    void ShowTooltipIfDue();
    void HideTooltip();
    void DrawTooltip(Surface& frame, const Rect& clip) const;
    void Compose(const Rect& r);

    platform::Platform& platform_;
    Surface client_;
    Surface frame_;
    Surface background_;              // the background picture at window size, copied in by Refresh
    std::vector<Control*> controls_;  // bottom first
    std::vector<Rect> changed_;
    bool shown_ = false;
    std::string caption_;
    int windowState_ = 0;

    // Pointer and tooltip.
    int pointerX_ = -1, pointerY_ = -1;
    Control* pressed_ = nullptr;
    Control* hover_ = nullptr;
    std::uint64_t hoverSince_ = 0;
    bool tooltipDone_ = false;  // shown or dismissed for this hover
    std::string tooltipText_;
    Rect tooltipRect_{};
    TooltipLook tooltip_;
    platform::Cursor cursor_ = platform::Cursor::Default;
};

}  // namespace forms
