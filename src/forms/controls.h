// Picture boxes and lines: the controls of our windows.
//
// Positions and sizes are in twips, as laid out; the window shows them at the
// nearest whole pixel. Setting a property that changes what the window shows
// tells the window which part of it to show again.
#pragma once

#include <functional>
#include <string>

#include "forms/picture.h"

namespace forms {

class Form;
class Control;

// A control property: reads like a plain value, and tells its control when it changes
// (or, with Always, whenever it is assigned).
template <class T, bool Always = false>
class Property {
public:
    Property(Control* owner, T initial = T{}) : owner_(owner), value_(std::move(initial)) {}
    Property(const Property&) = delete;

    operator const T&() const { return value_; }
    const T& operator()() const { return value_; }
    Property& operator=(const T& value);
    Property& operator=(const Property& other) { return *this = other.value_; }

private:
    Control* owner_;
    T value_;
};

class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    std::string Name;
    int Index = -1;  // position in its control array, -1 when not in one
    Property<bool> Visible{this, true};

    // The pixels the control covers on its window.
    virtual Rect Bounds() const = 0;
    // Draws the part of the control inside clip onto the window's frame.
    virtual void Compose(Surface& frame, const Rect& clip) const = 0;
    // True when a press at window pixel (x, y) goes to this control.
    virtual bool HitTest(int x, int y) const {
        (void)x, (void)y;
        return false;
    }

    // Called by Form::Add.
    void AttachTo(Form* form);
    // Called by every Property of this control after its value changed; which is the
    // property.
    virtual void PropertyChanged(const void* which);

protected:
    Form* form_ = nullptr;
    Rect shownBounds_{};  // what the window last knew the control to cover
};

template <class T, bool Always>
Property<T, Always>& Property<T, Always>::operator=(const T& value) {
    if (value_ == value && !Always) return *this;
    value_ = value;
    owner_->PropertyChanged(this);
    return *this;
}

class PictureBox : public Control {
public:
    Property<double> Left{this}, Top{this}, Width{this}, Height{this};  // twips
    Property<StdPicture> Picture{this};
    Property<bool> AutoSize{this, true};
    // Assigning the background colour wipes whatever was drawn on the box, also when
    // the colour stays the same.
    Property<Color, true> BackColor{this, kWindowBackground};
    Property<std::string> ToolTipText{this};
    bool HandCursor = false;      // shows the pointing hand while the pointer is over it
    std::function<void()> Click;  // left button pressed and released over the box

    // The box's own pixels: its background colour, its picture at (0, 0), and whatever
    // was drawn on it since. Always holds the picture, visible or not.
    Surface* hDC() { return &surface_; }
    const Surface& Pixels() const { return surface_; }
    // Shows the box on the window at once.
    void Refresh();
    // Does nothing: key preview sends every key to the window's own handler. The game
    // still calls it on purpose where a game starts or ends, to say where focus goes.
    void SetFocus();
    // Draws a picture at its own size with its top-left at pixel (x, y) of the box.
    void PaintPicture(const StdPicture& picture, int x, int y);

    int PixelWidth() const { return ToPixels(Width); }
    int PixelHeight() const { return ToPixels(Height); }

    Rect Bounds() const override;
    void Compose(Surface& frame, const Rect& clip) const override;
    bool HitTest(int x, int y) const override;
    void PropertyChanged(const void* which) override;

private:
    void Redraw();
    StdPicture drawnPicture_;
    Surface surface_;
};

class Line : public Control {
public:
    Property<double> X1{this}, Y1{this}, X2{this}, Y2{this};  // twips
    Color BorderColor = kRed;

    Rect Bounds() const override;
    void Compose(Surface& frame, const Rect& clip) const override;
};

// Intersection of two rectangles; w or h 0 when they do not meet.
Rect Intersect(const Rect& a, const Rect& b);
bool Contains(const Rect& r, int x, int y);

}  // namespace forms
