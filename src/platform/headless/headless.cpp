#include "platform/headless/headless.h"

#include <algorithm>

namespace platform {

HeadlessPlatform::HeadlessPlatform(std::uint64_t startMs) : now_(startMs) {}

void HeadlessPlatform::Insert(Scripted item) {
    // After every entry due at the same time or earlier: scripted order is kept.
    auto it = std::upper_bound(script_.begin(), script_.end(), item.at,
                               [](std::uint64_t at, const Scripted& s) { return at < s.at; });
    script_.insert(it, std::move(item));
}

void HeadlessPlatform::At(std::uint64_t ms, const Event& event) { Insert({ms, event, nullptr}); }

void HeadlessPlatform::KeyAt(std::uint64_t ms, int key) {
    Event e;
    e.type = EventType::KeyDown;
    e.key = key;
    At(ms, e);
}

void HeadlessPlatform::ClickAt(std::uint64_t ms, int x, int y, int button) {
    Event e;
    e.x = x;
    e.y = y;
    e.button = button;
    e.type = EventType::MouseMove;
    At(ms, e);
    e.type = EventType::MouseDown;
    At(ms, e);
    e.type = EventType::MouseUp;
    At(ms, e);
}

void HeadlessPlatform::CallAt(std::uint64_t ms, std::function<void()> action) {
    Insert({ms, Event{}, std::move(action)});
}

void HeadlessPlatform::OpenWindow(const std::string&, int w, int h) {
    frameW_ = w;
    frameH_ = h;
    frame_.assign(static_cast<std::size_t>(w) * h, 0);
}

void HeadlessPlatform::Minimize() {
    ++minimizes_;
    Event e;
    e.type = EventType::Minimized;
    At(now_, e);
}

void HeadlessPlatform::Present(const std::uint32_t* frame, int w, int h,
                               const std::vector<Rect>& changed) {
    ++presents_;
    if (changed.empty()) {
        std::copy(frame, frame + static_cast<std::size_t>(w) * h, frame_.begin());
        return;
    }
    for (const Rect& r : changed) {
        if (r.x < 0 || r.y < 0 || r.w <= 0 || r.h <= 0 || r.x + r.w > w || r.y + r.h > h)
            throw std::logic_error("a changed rectangle lies outside the frame");
        for (int y = r.y; y < r.y + r.h; ++y)
            std::copy(frame + static_cast<std::size_t>(y) * w + r.x,
                      frame + static_cast<std::size_t>(y) * w + r.x + r.w,
                      frame_.begin() + static_cast<std::ptrdiff_t>(y) * w + r.x);
    }
}

std::uint32_t HeadlessPlatform::PixelAt(int x, int y) const {
    return frame_.at(static_cast<std::size_t>(y) * frameW_ + x) & 0xFFFFFFu;
}

// Checks due at the current time run as soon as the program looks for events.
bool HeadlessPlatform::RunDueActions() {
    bool ran = false;
    while (!script_.empty() && script_.front().at <= now_ && script_.front().action) {
        auto action = std::move(script_.front().action);
        script_.pop_front();
        action();
        ran = true;
    }
    return ran;
}

bool HeadlessPlatform::PollEvent(Event& event) {
    RunDueActions();
    if (script_.empty() || script_.front().at > now_) return false;
    event = script_.front().event;
    script_.pop_front();
    return true;
}

void HeadlessPlatform::WaitEvent(std::uint64_t deadline) {
    const std::uint64_t wake = script_.empty() ? deadline : std::min(deadline, script_.front().at);
    if (wake == kForever || wake > stopAt_) throw ScriptEnded();
    now_ = std::max(now_, wake);
}

void HeadlessPlatform::PlaySound(const std::string& path, bool synchronous) {
    sounds_.push_back({path, synchronous, now_});
    if (onSound) onSound(sounds_.back());
    if (synchronous) now_ += syncSoundMs_;
}

}  // namespace platform
