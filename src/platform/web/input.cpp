// Input: the page's events turned into the game's, and the waits that sleep until
// one comes.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <string_view>
#include <utility>

#include "platform/virtual_keys.h"
#include "platform/web/web_platform.h"

namespace platform {
namespace {

// clang-format off
// Suspends the program until WakeUp is called or, unless ms is negative, ms have
// passed. Between the two, the page runs no code of the game's.
EM_ASYNC_JS(void, SleepUntilWoken, (double ms), {
    await new Promise(resolve => {
        let timer = 0;
        Module.frothWake = () => {
            clearTimeout(timer);
            Module.frothWake = null;
            resolve();
        };
        if (ms >= 0) timer = setTimeout(Module.frothWake, ms);
    });
});

EM_JS(void, WakeUp, (), {
    if (Module.frothWake) Module.frothWake();
});

// A point of the page (CSS pixels from the viewport's corner) as a pixel of the frame,
// on whichever canvas shows it.
EM_JS(void, ToFramePoint, (double clientX, double clientY, int* point), {
    const frame = document.getElementById("frame");
    const shown = document.body.classList.contains("filled") ? document.getElementById("screen")
                                                              : frame;
    const box = shown.getBoundingClientRect();
    if (box.width <= 0 || box.height <= 0) return;
    HEAP32[point >> 2] = Math.floor((clientX - box.left) * frame.width / box.width);
    HEAP32[(point >> 2) + 1] = Math.floor((clientY - box.top) * frame.height / box.height);
});

EM_JS(int, PageTakesTouches, (), { return document.body.classList.contains("touch"); });

EM_JS(void, HideState, (const char* state), {
    document.body.classList.remove(UTF8ToString(state));
});
// clang-format on

// The game's code of a key (virtual_keys.h), as the desktop gives it: a letter key its
// capital, a digit key its digit, the keypad's keys their own codes; 0 for a key the
// game never sees.
int KeyCode(const EmscriptenKeyboardEvent& e) {
    const std::string_view key = e.key;
    const std::string_view code = e.code;
    if (e.location == DOM_KEY_LOCATION_NUMPAD && key.size() == 1) {
        if (key[0] >= '0' && key[0] <= '9') return kKeyNumpad0 + (key[0] - '0');
        switch (key[0]) {
            case '*':
                return kKeyMultiply;
            case '+':
                return kKeyAdd;
            case '-':
                return kKeySubtract;
            case '.':
            case ',':
                return kKeyDecimal;
            case '/':
                return kKeyDivide;
            default:
                return 0;
        }
    }
    if (key.size() == 1 && key[0] >= 'a' && key[0] <= 'z') return 'A' + (key[0] - 'a');
    if (key.size() == 1 && key[0] >= 'A' && key[0] <= 'Z') return key[0];
    // The digit row by its place, so that a shifted digit is still its digit.
    if (code.size() == 6 && code.substr(0, 5) == "Digit") return code[5];
    if (key.size() >= 2 && key.size() <= 3 && key[0] == 'F' && key[1] >= '1' && key[1] <= '9') {
        const int number = key.size() == 2 ? key[1] - '0' : (key[1] - '0') * 10 + (key[2] - '0');
        if (number >= 1 && number <= 12) return kKeyF1 + number - 1;
    }
    constexpr std::pair<std::string_view, int> kNamed[] = {
        {"Backspace", kKeyBackspace}, {"Tab", kKeyTab},          {"Enter", kKeyEnter},
        {"Escape", kKeyEscape},       {" ", kKeySpace},          {"ArrowLeft", kKeyLeft},
        {"ArrowUp", kKeyUp},          {"ArrowRight", kKeyRight}, {"ArrowDown", kKeyDown},
    };
    for (const auto& [name, value] : kNamed)
        if (key == name) return value;
    return 0;
}

// The page's mouse buttons (0 left, 1 middle, 2 right) as the game numbers them.
int ButtonCode(unsigned short button) {
    switch (button) {
        case 0:
            return 1;
        case 1:
            return 4;
        case 2:
            return 2;
        default:
            return 0;
    }
}

WebPlatform& Of(void* user) { return *static_cast<WebPlatform*>(user); }

EM_BOOL OnKeyDown(int, const EmscriptenKeyboardEvent* e, void* user) {
    Event event;
    event.type = EventType::KeyDown;
    event.key = KeyCode(*e);
    if (event.key == 0) return EM_FALSE;
    Of(user).Queue(event);
    // The page keeps the keys of the browser itself (reloading, tabs, F-keys); the
    // game's keys do not scroll the page.
    const bool browsers = e->ctrlKey || e->altKey || e->metaKey || event.key == kKeyTab ||
                          (event.key >= kKeyF1 && event.key < kKeyF1 + 12);
    return browsers ? EM_FALSE : EM_TRUE;
}

EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* e, void* user) {
    WebPlatform& web = Of(user);
    web.ButtonsChanged(e->buttons & 7);
    Event event;
    event.type = type == EMSCRIPTEN_EVENT_MOUSEDOWN ? EventType::MouseDown
                 : type == EMSCRIPTEN_EVENT_MOUSEUP ? EventType::MouseUp
                                                    : EventType::MouseMove;
    if (event.type != EventType::MouseMove) {
        event.button = ButtonCode(e->button);
        if (event.button == 0) return EM_FALSE;
    }
    int point[2] = {-1, -1};
    ToFramePoint(static_cast<double>(e->clientX), static_cast<double>(e->clientY), point);
    event.x = point[0];
    event.y = point[1];
    web.Queue(event);
    // A press on the game selects no text of the page.
    return type == EMSCRIPTEN_EVENT_MOUSEDOWN ? EM_TRUE : EM_FALSE;
}

// Each finger that touched, moved or lifted; the page neither scrolls nor zooms, and
// makes no mouse events of its own from them.
EM_BOOL OnTouch(int type, const EmscriptenTouchEvent* e, void* user) {
    using Touch = WebPlatform::Touch;
    const Touch what = type == EMSCRIPTEN_EVENT_TOUCHSTART  ? Touch::Start
                       : type == EMSCRIPTEN_EVENT_TOUCHMOVE ? Touch::Move
                       : type == EMSCRIPTEN_EVENT_TOUCHEND  ? Touch::End
                                                            : Touch::Cancel;
    for (int i = 0; i < e->numTouches; ++i) {
        const EmscriptenTouchPoint& finger = e->touches[i];
        if (!finger.isChanged) continue;
        int point[2] = {-1, -1};
        ToFramePoint(static_cast<double>(finger.clientX), static_cast<double>(finger.clientY),
                     point);
        Of(user).Touched(what, finger.identifier, point[0], point[1]);
    }
    return EM_TRUE;
}

// A page that went out of sight holds the game (a phone's other app, another tab).
EM_BOOL OnVisibility(int, const EmscriptenVisibilityChangeEvent* e, void* user) {
    if (!e->hidden) return EM_FALSE;
    Event event;
    event.type = EventType::Hidden;
    Of(user).Queue(event);
    return EM_FALSE;
}

EM_BOOL OnFocus(int, const EmscriptenFocusEvent*, void* user) {
    Event event;
    event.type = EventType::FocusGained;
    Of(user).Queue(event);
    return EM_FALSE;
}

// Buttons released while the page had no focus are never reported: none count as held.
EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void* user) {
    Of(user).ButtonsChanged(0);
    WakeUp();
    return EM_FALSE;
}

EM_BOOL OnResize(int, const EmscriptenUiEvent*, void* user) {
    Of(user).FitToPage();
    return EM_FALSE;
}

// The bar of the minimised game brings it back.
EM_BOOL OnRestore(int, const EmscriptenMouseEvent*, void* user) {
    HideState("minimised");
    Event event;
    event.type = EventType::Restored;
    Of(user).Queue(event);
    return EM_TRUE;
}

bool IsMouse(const Event& e) {
    return e.type == EventType::MouseDown || e.type == EventType::MouseUp ||
           e.type == EventType::MouseMove;
}

}  // namespace

WebPlatform::WebPlatform(const SwipeArea& swipes)
    : touchScreen_(PageTakesTouches() != 0), swipes_(swipes) {
    // Presses start on the game; moves and releases count anywhere on the page, so a
    // release outside the game still ends a hold.
    for (const char* canvas : {"#frame", "#screen"})
        emscripten_set_mousedown_callback(canvas, this, EM_FALSE, OnMouse);
    emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, this, EM_FALSE, OnMouse);
    emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, this, EM_FALSE, OnMouse);
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, this, EM_FALSE, OnKeyDown);
    emscripten_set_focus_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_FALSE, OnFocus);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_FALSE, OnBlur);
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_FALSE, OnResize);
    emscripten_set_click_callback("#restore", this, EM_FALSE, OnRestore);
    emscripten_set_touchstart_callback("#stage", this, EM_FALSE, OnTouch);
    emscripten_set_touchmove_callback("#stage", this, EM_FALSE, OnTouch);
    emscripten_set_touchend_callback("#stage", this, EM_FALSE, OnTouch);
    emscripten_set_touchcancel_callback("#stage", this, EM_FALSE, OnTouch);
    emscripten_set_visibilitychange_callback(this, EM_FALSE, OnVisibility);
    PrepareSound();
    ListenToTyping();
}

WebPlatform::~WebPlatform() { emscripten_html5_remove_all_event_listeners(); }

void WebPlatform::Queue(const Event& event) {
    events_.push_back(event);
    WakeUp();
}

bool WebPlatform::PollEvent(Event& event) {
    if (events_.empty()) return false;
    event = events_.front();
    events_.pop_front();
    return true;
}

void WebPlatform::WaitEvent(std::uint64_t deadline) {
    while (events_.empty()) {
        const std::uint64_t now = NowMs();
        if (now >= deadline) return;
        SleepUntilWoken(deadline == kForever ? -1.0 : static_cast<double>(deadline - now));
    }
}

// Nothing in a page moves: the press holds the game until its button is released,
// as the desktop's move does. Other events wait their turn; the pointer's are dropped.
void WebPlatform::DragWindow(int button) {
    std::deque<Event> kept;
    while ((buttons_ & button) != 0) {
        if (events_.empty()) SleepUntilWoken(-1.0);
        for (; !events_.empty(); events_.pop_front())
            if (!IsMouse(events_.front())) kept.push_back(events_.front());
    }
    events_.insert(events_.begin(), kept.begin(), kept.end());
}

}  // namespace platform
