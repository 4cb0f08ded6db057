// A finger on the game: taps that click, swipes that steer the falling can, and the
// phone's keyboard for a name.
//
// Everything a finger does reaches the game as the events a mouse and a keyboard make:
// a tap is the pointer's press and release, a swipe a run of Left, Right or Down keys,
// a letter typed on the phone's keyboard the letter's key. The game never learns that
// a finger was there.
#include <emscripten.h>

#include <cmath>
#include <tuple>

#include "platform/virtual_keys.h"
#include "platform/web/web_platform.h"

namespace platform {
namespace {

constexpr double kTapSlopCss = 10;       // CSS pixels a tap may wander and stay a tap
constexpr double kReachCss = 14;         // CSS pixels beside a control where a tap still hits it
constexpr std::uint64_t kFlickMs = 200;  // a drop's swipe goes its way within this
constexpr int kFlickColumns = 2;         // ... that many columns' width downwards

// clang-format off
// Letters typed into the hidden field are pressed as keys: the field keeps the letters
// typed so far, so that a change in it (a letter more, one taken back, a word put right
// by the keyboard) is the keys that make the same change on the board. Enter (the
// keyboard's Done) ends the field's form, and is pressed as Enter. A tap on the game
// while a name is typed brings the keyboard back.
EM_JS(void, ListenToTypingField, (), {
    const field = document.getElementById("typing");
    if (!field) return;
    const press = key => document.dispatchEvent(
        new KeyboardEvent("keydown", {key, code: key, bubbles: true, cancelable: true}));
    Module.frothTyped = "";
    field.addEventListener("input", e => {
        const letters = field.value.toUpperCase().replace(/[^A-Z]/g, "");
        const typed = Module.frothTyped;
        let same = 0;
        while (same < typed.length && typed[same] === letters[same]) ++same;
        for (let i = same; i < typed.length; ++i) press("Backspace");
        for (const letter of letters.slice(same)) press(letter);
        Module.frothTyped = letters;
        if (!e.isComposing && field.value !== letters) field.value = letters;
    });
    field.form.addEventListener("submit", e => {
        e.preventDefault();
        press("Enter");
    });
    document.getElementById("stage").addEventListener("touchend", () => {
        if (document.body.classList.contains("typing")) field.focus({preventScroll: true});
    });
});

EM_JS(void, ShowTypingField, (int shown), {
    const field = document.getElementById("typing");
    if (!field) return;
    document.body.classList.toggle("typing", !!shown);
    field.value = "";
    Module.frothTyped = "";
    if (shown) field.focus({preventScroll: true}); else field.blur();
});
// clang-format on

bool Inside(const Rect& r, int x, int y) {
    return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h;
}

}  // namespace

void WebPlatform::Touched(Touch what, long finger, int x, int y) {
    if (what == Touch::Start) {
        if (finger_) return;
        finger_ = Finger{};
        finger_->id = finger;
        finger_->startX = finger_->columnX = x;
        finger_->startY = y;
        finger_->steering = Inside(swipes_.area, x, y);
        finger_->recent.push_back({NowMs(), x, y});
        return;
    }
    if (!finger_ || finger_->id != finger) return;
    if (what == Touch::Move) {
        Steer(x, y);
        return;
    }
    if (what == Touch::End && !finger_->moved) Tap(finger_->startX, finger_->startY);
    finger_.reset();
}

// Sideways, a column for every column's width; a quick flick down drops the can, after
// which the finger steers no more (the next can is not the one it meant).
void WebPlatform::Steer(int x, int y) {
    Finger& f = *finger_;
    if (std::hypot(x - f.startX, y - f.startY) > kTapSlopCss * framePerCss_) f.moved = true;
    if (!f.steering || f.dropped) return;
    const int column = swipes_.column;
    for (; x - f.columnX >= column; f.columnX += column) QueueKey(kKeyRight);
    for (; f.columnX - x >= column; f.columnX -= column) QueueKey(kKeyLeft);
    const std::uint64_t now = NowMs();
    while (!f.recent.empty() && now - f.recent.front().ms > kFlickMs) f.recent.pop_front();
    f.recent.push_back({now, x, y});
    const int down = y - f.recent.front().y, across = std::abs(x - f.recent.front().x);
    if (down >= kFlickColumns * column && down > 2 * across) {
        f.dropped = true;
        QueueKey(kKeyDown);
    }
}

void WebPlatform::Tap(int x, int y) {
    Event event;
    std::tie(event.x, event.y) = NearestControl(x, y);
    event.type = EventType::MouseMove;
    Queue(event);
    event.button = 1;
    event.type = EventType::MouseDown;
    Queue(event);
    event.type = EventType::MouseUp;
    Queue(event);
    // A finger leaves no pointer behind to hover a control.
    event.type = EventType::MouseMove;
    event.x = event.y = -1;
    Queue(event);
}

// The point itself when it is on a control (or when nothing tells controls apart),
// else the nearest point of a control within reach, else the point itself.
std::pair<int, int> WebPlatform::NearestControl(int x, int y) const {
    if (!background_ || !background_(x, y)) return {x, y};
    const int reach = static_cast<int>(kReachCss * framePerCss_);
    std::pair<int, int> nearest{x, y};
    int best = reach * reach + 1;  // squared distance
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (dx * dx + dy * dy < best && !background_(x + dx, y + dy)) {
                best = dx * dx + dy * dy;
                nearest = {x + dx, y + dy};
            }
    return nearest;
}

void WebPlatform::QueueKey(int key) {
    Event event;
    event.type = EventType::KeyDown;
    event.key = key;
    Queue(event);
}

void WebPlatform::SetDragArea(std::function<bool(int, int)> draggable) {
    background_ = std::move(draggable);
}

void WebPlatform::ExpectTyping(bool typing) { ShowTypingField(typing && touchScreen_); }

void WebPlatform::ListenToTyping() { ListenToTypingField(); }

}  // namespace platform
