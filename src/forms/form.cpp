#include "forms/form.h"

#include <algorithm>

namespace forms {

namespace {

constexpr int kTooltipPadding = 3;  // pixels around the text, the edge included

bool Empty(const Rect& r) { return r.w <= 0 || r.h <= 0; }

// a, b blended by t in 0..255 (0 gives a), channel by channel.
Color Blend(Color a, Color b, std::uint32_t t) {
    Color out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= ((ca * (255 - t) + cb * t + 127) / 255) << shift;
    }
    return out;
}

Rect Union(const Rect& a, const Rect& b) {
    if (Empty(a)) return b;
    if (Empty(b)) return a;
    const int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
    const int x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
    return {x0, y0, x1 - x0, y1 - y0};
}

}  // namespace

void End() { throw ProgramEnd{}; }

Form::Form(platform::Platform& platform, int widthPixels, int heightPixels)
    : platform_(platform),
      client_(widthPixels, heightPixels, kBlack),
      frame_(widthPixels, heightPixels, kBlack) {
    client_.onChange = [this](const Rect& r) { Invalidate(r); };
}

void Form::SetBackground(const StdPicture& picture) {
    background_.Resize(client_.Width(), client_.Height(), kBlack);
    if (picture) background_.DrawPicture(*picture, 0, 0, kBlack);
    client_.CopyFrom(background_, 0, 0, 0, 0, client_.Width(), client_.Height());
}

void Form::SetTooltipLook(TooltipLook look) { tooltip_ = std::move(look); }

void Form::SetCaption(const std::string& caption) {
    caption_ = caption;
    platform_.SetCaption(caption);
}

void Form::SetWindowState(int state) {
    windowState_ = state;
    if (state == 1) platform_.Minimize();
}

void Form::SetMousePointer(int pointer) {
    if (pointer == 0 && cursor_ != platform::Cursor::Default) {
        cursor_ = platform::Cursor::Default;
        platform_.SetCursor(cursor_);
    }
}

void Form::Add(Control& control) {
    controls_.push_back(&control);
    control.AttachTo(this);
}

void Form::Show() {
    platform_.OpenWindow(caption_, frame_.Width(), frame_.Height());
    platform_.SetDragArea([this](int x, int y) { return ControlAt(x, y) == nullptr; });
    shown_ = true;
    Form_Resize();  // as the window first appears
    Refresh();
}

void Form::Refresh() {
    if (!shown_) return;
    client_.CopyFrom(background_, 0, 0, 0, 0, client_.Width(), client_.Height());
    Form_Paint();
    Present();
}

void Form::Invalidate(const Rect& r) {
    const Rect clipped = Intersect(r, {0, 0, frame_.Width(), frame_.Height()});
    if (Empty(clipped)) return;
    // Merge with an overlapping or touching rectangle; a handful of rectangles per
    // frame is all the game ever makes.
    for (Rect& c : changed_) {
        const Rect grown{c.x - 1, c.y - 1, c.w + 2, c.h + 2};
        if (!Empty(Intersect(grown, clipped))) {
            c = Union(c, clipped);
            return;
        }
    }
    changed_.push_back(clipped);
}

void Form::ControlChanged(Control& control, const Rect& before, const Rect& after) {
    Invalidate(before);
    Invalidate(after);
    if (&control == hover_ && !tooltipText_.empty()) {
        // A tooltip follows its control: hidden with it, or showing its new text.
        HideTooltip();
        tooltipDone_ = false;
        hoverSince_ = platform_.NowMs() - kTooltipDelayMs;
        ShowTooltipIfDue();
    }
}

Control* Form::ControlAt(int x, int y) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if ((*it)->HitTest(x, y)) return *it;
    return nullptr;
}

void Form::Compose(const Rect& r) {
    frame_.CopyFrom(client_, r.x, r.y, r.x, r.y, r.w, r.h);
    for (const Control* c : controls_)
        if (c->Visible) c->Compose(frame_, r);
    if (!tooltipText_.empty()) DrawTooltip(frame_, r);
}

void Form::Present() {
    if (!shown_ || changed_.empty()) return;
    std::vector<Rect> changed;
    changed.swap(changed_);
    for (const Rect& r : changed) Compose(r);
    std::vector<platform::Rect> rects(changed.begin(), changed.end());
    platform_.Present(frame_.Row(0), frame_.Width(), frame_.Height(), rects);
}

void Form::DoEvents() {
    platform::Event event;
    while (platform_.PollEvent(event)) Dispatch(event);
    ShowTooltipIfDue();
    UpdatePointer();
    Present();
}

void Form::WaitForEvent(std::uint64_t deadline) {
    if (hover_ && !tooltipDone_) deadline = std::min(deadline, hoverSince_ + kTooltipDelayMs);
    platform_.WaitEvent(deadline);
}

void Form::Run() {
    for (;;) {
        DoEvents();
        WaitForEvent(platform::kForever);
    }
}

void Form::Unload() {
    int cancel = 0;
    Form_Unload(cancel);
}

void Form::Dispatch(const platform::Event& event) {
    using platform::EventType;
    switch (event.type) {
        case EventType::KeyDown:
            Form_KeyDown(event.key, 0);
            break;
        case EventType::MouseDown:
            MouseDown(event);
            break;
        case EventType::MouseUp:
            MouseUp(event);
            break;
        case EventType::MouseMove:
            MouseMove(event.x, event.y);
            break;
        case EventType::Close:
            Unload();
            break;
        case EventType::Expose:
            Invalidate({0, 0, frame_.Width(), frame_.Height()});
            Refresh();
            break;
        case EventType::Minimized:
            windowState_ = 1;
            Form_Resize();
            break;
        case EventType::Restored:
            windowState_ = 0;
            Form_Resize();
            break;
        case EventType::FocusGained:
            Form_GotFocus();
            break;
        case EventType::Hidden:
            Form_Hidden();
            break;
    }
}

// A press goes to the topmost visible control under the pointer; a left press and
// release over the same control is its click. A press on no control is the window's.
void Form::MouseDown(const platform::Event& event) {
    MouseMove(event.x, event.y);
    HideTooltip();
    tooltipDone_ = true;
    pressed_ = ControlAt(event.x, event.y);
    if (!pressed_) Form_MouseDown(event.button, 0, event.x, event.y);
}

void Form::MouseUp(const platform::Event& event) {
    MouseMove(event.x, event.y);
    Control* pressed = pressed_;
    pressed_ = nullptr;
    if (event.button != 1 || !pressed || ControlAt(event.x, event.y) != pressed) return;
    auto* box = dynamic_cast<PictureBox*>(pressed);
    // The click may run for a long time (a whole game runs inside New Game's click).
    if (box && box->Click) box->Click();
}

void Form::MouseMove(int x, int y) {
    pointerX_ = x;
    pointerY_ = y;
    Control* over = ControlAt(x, y);
    if (over != hover_) {
        HideTooltip();
        hover_ = over;
        hoverSince_ = platform_.NowMs();
        tooltipDone_ = false;
    }
}

void Form::UpdatePointer() {
    const auto* box = dynamic_cast<const PictureBox*>(ControlAt(pointerX_, pointerY_));
    const auto wanted = box && box->HandCursor ? platform::Cursor::Hand : platform::Cursor::Default;
    if (wanted != cursor_) {
        cursor_ = wanted;
        platform_.SetCursor(cursor_);
    }
}

void Form::ShowTooltipIfDue() {
    if (!hover_ || tooltipDone_ || platform_.NowMs() < hoverSince_ + kTooltipDelayMs) return;
    tooltipDone_ = true;
    const auto* box = dynamic_cast<const PictureBox*>(hover_);
    if (!box || !box->Visible || box->ToolTipText().empty() || !tooltip_.font) return;
    tooltipText_ = box->ToolTipText;
    const int w = static_cast<int>(tooltipText_.size()) * tooltip_.cellWidth + 2 * kTooltipPadding;
    const int h = tooltip_.font->height + 2 * kTooltipPadding;
    // Below and to the right of the pointer, kept inside the window.
    const int x = std::clamp(pointerX_, 0, std::max(0, frame_.Width() - w));
    int y = pointerY_ + 20;
    if (y + h > frame_.Height()) y = pointerY_ - h - 4;
    tooltipRect_ = {x, std::max(0, y), w, h};
    Invalidate(tooltipRect_);
}

void Form::HideTooltip() {
    if (tooltipText_.empty()) return;
    tooltipText_.clear();
    Invalidate(tooltipRect_);
    tooltipRect_ = {};
}

void Form::DrawTooltip(Surface& frame, const Rect& clip) const {
    const Rect r = Intersect(tooltipRect_, clip);
    if (Empty(r)) return;
    Surface box(tooltipRect_.w, tooltipRect_.h, tooltip_.edge);
    box.FillRect({1, 1, tooltipRect_.w - 2, tooltipRect_.h - 2}, tooltip_.paper);
    const Image& font = *tooltip_.font;
    const int cell = tooltip_.cellWidth;
    for (std::size_t i = 0; i < tooltipText_.size(); ++i) {
        const int glyph = std::clamp(tooltipText_[i] - ' ', 0, 94);
        for (int gy = 0; gy < font.height; ++gy)
            for (int gx = 0; gx < cell; ++gx) {
                const std::uint32_t grey =
                    font.pixels[static_cast<std::size_t>(gy) * font.width + glyph * cell + gx] &
                    0xFF;
                if (grey == 0xFF) continue;  // bare paper
                box.FillRect(
                    {kTooltipPadding + static_cast<int>(i) * cell + gx, kTooltipPadding + gy, 1, 1},
                    Blend(tooltip_.paper, tooltip_.ink, 0xFF - grey));
            }
    }
    frame.CopyFrom(box, r.x - tooltipRect_.x, r.y - tooltipRect_.y, r.x, r.y, r.w, r.h);
}

}  // namespace forms
