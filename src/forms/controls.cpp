#include "forms/controls.h"

#include <algorithm>

#include "forms/form.h"

namespace forms {

Rect Intersect(const Rect& a, const Rect& b) {
    const int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
    const int x1 = std::min(a.x + a.w, b.x + b.w), y1 = std::min(a.y + a.h, b.y + b.h);
    if (x1 <= x0 || y1 <= y0) return {x0, y0, 0, 0};
    return {x0, y0, x1 - x0, y1 - y0};
}

bool Contains(const Rect& r, int x, int y) {
    return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h;
}

void Control::AttachTo(Form* form) {
    form_ = form;
    shownBounds_ = Bounds();
}

void Control::PropertyChanged(const void* /*which*/) {
    const Rect before = shownBounds_;
    shownBounds_ = Bounds();
    if (form_) form_->ControlChanged(*this, before, shownBounds_);
}

// ----- PictureBox -----

Rect PictureBox::Bounds() const {
    if (!Visible) return {};
    return {ToPixels(Left), ToPixels(Top), PixelWidth(), PixelHeight()};
}

bool PictureBox::HitTest(int x, int y) const { return Contains(Bounds(), x, y); }

void PictureBox::PropertyChanged(const void* which) {
    const StdPicture& picture = Picture;
    if (AutoSize && picture && picture != drawnPicture_) {
        // Takes the picture's size; the nested changes come back here.
        Width = ToTwips(picture->width);
        Height = ToTwips(picture->height);
    }
    if (which == &BackColor || picture != drawnPicture_ || PixelWidth() != surface_.Width() ||
        PixelHeight() != surface_.Height())
        Redraw();
    Control::PropertyChanged(which);
}

// A new picture, background colour or size starts the box afresh: its background
// colour with its picture on top; whatever was drawn on it before is gone.
void PictureBox::Redraw() {
    drawnPicture_ = Picture;
    surface_.onChange = nullptr;
    surface_.Resize(PixelWidth(), PixelHeight(), BackColor);
    if (drawnPicture_) surface_.DrawPicture(*drawnPicture_, 0, 0, BackColor);
    surface_.onChange = [this](const Rect& r) {
        if (!form_ || !Visible) return;
        const Rect b = Bounds();
        form_->Invalidate({b.x + r.x, b.y + r.y, r.w, r.h});
    };
}

void PictureBox::Compose(Surface& frame, const Rect& clip) const {
    const Rect b = Bounds();
    const Rect r = Intersect(b, clip);
    if (r.w > 0) frame.CopyFrom(surface_, r.x - b.x, r.y - b.y, r.x, r.y, r.w, r.h);
}

void PictureBox::Refresh() {
    if (form_) form_->Present();
}

void PictureBox::SetFocus() {
    // Key preview sends every key to the window's own handler, so the focus
    // holder needs nothing more than to exist.
}

void PictureBox::PaintPicture(const StdPicture& picture, int x, int y) {
    if (picture) surface_.DrawPicture(*picture, x, y, BackColor);
}

// ----- Line -----

Rect Line::Bounds() const {
    if (!Visible) return {};
    const int x1 = ToPixels(X1), y1 = ToPixels(Y1), x2 = ToPixels(X2), y2 = ToPixels(Y2);
    const int left = std::min(x1, x2), top = std::min(y1, y2);
    return {left, top, std::max(x1, x2) - left + 1, std::max(y1, y2) - top + 1};
}

// The frame lines are horizontal or vertical: a line fills its bounds, both ends included.
void Line::Compose(Surface& frame, const Rect& clip) const {
    const Rect r = Intersect(Bounds(), clip);
    if (r.w > 0) frame.FillRect(r, BorderColor);
}

}  // namespace forms
