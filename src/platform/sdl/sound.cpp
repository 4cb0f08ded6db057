// Sound: SDL2_mixer (mixer.h), driven from a thread of its own.
//
// Opening the audio device takes up to tens of milliseconds with a sound server and
// closing it about fifty, so none of it happens on the game's thread: the game only
// hands a request to the sound thread, which opens the device, plays, and closes the
// device again once the sound has ended (an open device wakes the process many times
// a second even in silence). Between sounds the sound thread sleeps on a condition
// variable, so an idle game wakes nobody.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include <SDL.h>
#include <SDL_mixer.h>

#include "platform/sdl/mixer.h"
#include "platform/sdl/sdl_platform.h"

namespace platform {
namespace {

// Playing time of a RIFF WAVE file from its header (ms), 0 when unknown. Leaves the
// stream at its start.
Uint32 WaveLengthMs(SDL_RWops* rw) {
    Uint32 result = 0;
    Uint8 head[12];
    if (SDL_RWread(rw, head, 1, sizeof head) == sizeof head && std::memcmp(head, "RIFF", 4) == 0 &&
        std::memcmp(head + 8, "WAVE", 4) == 0) {
        Uint32 byteRate = 0;
        for (int i = 0; i < 32; ++i) {  // a few chunks at most precede the samples
            Uint8 chunk[8];
            if (SDL_RWread(rw, chunk, 1, sizeof chunk) != sizeof chunk) {
                break;
            }
            const Uint32 size = chunk[4] | (Uint32{chunk[5]} << 8) | (Uint32{chunk[6]} << 16) |
                                (Uint32{chunk[7]} << 24);
            if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 12) {
                Uint8 fmt[12];
                if (SDL_RWread(rw, fmt, 1, sizeof fmt) != sizeof fmt) {
                    break;
                }
                byteRate = fmt[8] | (Uint32{fmt[9]} << 8) | (Uint32{fmt[10]} << 16) |
                           (Uint32{fmt[11]} << 24);
                SDL_RWseek(rw, static_cast<Sint64>(size - 12 + (size & 1)), RW_SEEK_CUR);
            } else if (std::memcmp(chunk, "data", 4) == 0) {
                if (byteRate > 0) {
                    result = static_cast<Uint32>(
                        std::min<std::uint64_t>(std::uint64_t{size} * 1000 / byteRate, UINT32_MAX));
                }
                break;
            } else {
                SDL_RWseek(rw, static_cast<Sint64>(size) + (size & 1), RW_SEEK_CUR);
            }
        }
    }
    SDL_RWseek(rw, 0, RW_SEEK_SET);
    return result;
}

constexpr std::uint64_t kAudioRetryMs = 3000;  // after a failed device open
// How often a synchronous sound looks for a close request: well inside the 100 ms in
// which a closed game is to have saved and ended.
constexpr std::chrono::milliseconds kCloseCheckInterval{10};

// What the game's thread and the sound thread share. Sounds are numbered as asked for.
struct SoundState {
    std::mutex mutex;
    std::condition_variable wake;   // the sound thread waits on it
    std::condition_variable ended;  // a synchronous PlaySound waits on it
    std::string path;               // the sound asked for last
    std::uint64_t asked = 0;        // number of the sound asked for last
    std::uint64_t taken = 0;        // number of the last sound the sound thread took up
    std::uint64_t playing = 0;      // number of the sound in the device; 0 when none
    std::uint64_t finished = 0;     // number of the last sound that ended or could not play
    bool quit = false;
    bool idle = true;  // waiting for work with the device closed
};

// Mix_ChannelFinished takes no user data: the state reaches the callback through this,
// set while the device is open.
std::atomic<SoundState*> g_sound{nullptr};

// Runs on the mixer's audio thread, or inside Mix_HaltChannel on the sound thread,
// which therefore never holds the mutex while it calls the mixer.
void OnChannelFinished(int /*channel*/) {
    SoundState* state = g_sound.load();
    if (state == nullptr) return;
    const std::lock_guard lock(state->mutex);
    state->finished = std::max(state->finished, state->playing);
    state->playing = 0;
    state->wake.notify_one();
    state->ended.notify_all();
}

// The audio device and the sound in it. Used by the sound thread only.
class Device {
public:
    explicit Device(SoundState& state) : state_(state) {}

    // Replaces whatever plays by sound `id`; false when it cannot be played. Sets
    // lengthMs to the sound's playing time (0 when unknown).
    bool Play(const std::string& path, std::uint64_t id, std::uint32_t& lengthMs) {
        Halt();
        // A missing file must not cost a device open.
        SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
        if (file == nullptr) return false;
        lengthMs = WaveLengthMs(file);
        if (!Open()) {
            SDL_RWclose(file);
            return false;
        }
        chunk_ = LoadMixer()->LoadWAV_RW(file, 1);
        if (chunk_ == nullptr) return false;
        {
            const std::lock_guard lock(state_.mutex);
            state_.playing = id;
        }
        if (LoadMixer()->PlayChannelTimed(-1, chunk_, 0, -1) < 0) {
            const std::lock_guard lock(state_.mutex);
            state_.playing = 0;
            return false;
        }
        return true;
    }

    void Halt() {
        if (!open_) return;
        LoadMixer()->HaltChannel(-1);
        if (chunk_ != nullptr) {
            LoadMixer()->FreeChunk(chunk_);
            chunk_ = nullptr;
        }
    }

    bool IsOpen() const { return open_; }

    void Close() {
        if (!open_) return;
        Halt();
        LoadMixer()->ChannelFinished(nullptr);
        g_sound.store(nullptr);
        LoadMixer()->CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        open_ = false;
    }

private:
    bool Open() {
        if (open_) return true;
        // A machine without sound fails here every time; a device may be plugged in
        // later, but trying on every sound would only keep the sound thread busy.
        const std::uint64_t now = SDL_GetTicks64();
        if (failedAt_ != 0 && now - failedAt_ < kAudioRetryMs) return false;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            failedAt_ = std::max<std::uint64_t>(now, 1);
            return false;
        }
        const Mixer* mixer = LoadMixer();
        if (mixer == nullptr ||
            mixer->OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            failedAt_ = std::max<std::uint64_t>(now, 1);
            return false;
        }
        failedAt_ = 0;
        open_ = true;
        g_sound.store(&state_);
        mixer->ChannelFinished(OnChannelFinished);
        return true;
    }

    SoundState& state_;
    bool open_ = false;
    std::uint64_t failedAt_ = 0;  // ms; 0 = the last attempt did not fail
    Mix_Chunk* chunk_ = nullptr;
};

// How long a sound may take before it is halted, in case the device stalls and never
// finishes it: its length and two seconds more.
std::chrono::milliseconds PlayingLimit(std::uint32_t lengthMs) {
    return std::chrono::milliseconds(
        lengthMs == 0 ? 10000 : std::min<std::uint32_t>(lengthMs, 600000) + 2000);
}

// The sound thread: plays what is asked for, closes the device when the sound has
// ended (or overran its limit), and sleeps otherwise.
void RunSoundThread(std::shared_ptr<SoundState> state) {
    Device device(*state);
    using TimePoint = std::chrono::steady_clock::time_point;
    TimePoint haltAt{};  // while a sound plays; the epoch when none does
    std::unique_lock lock(state->mutex);
    const auto hasWork = [&] {
        return state->quit || state->asked != state->taken ||
               (device.IsOpen() && state->playing == 0);
    };
    for (;;) {
        state->idle = !device.IsOpen();
        if (haltAt != TimePoint{}) {
            state->wake.wait_until(lock, haltAt, hasWork);
        } else {
            state->wake.wait(lock, hasWork);
        }
        state->idle = false;
        if (state->quit) break;
        if (state->asked != state->taken) {
            const std::uint64_t id = state->asked;
            const std::string path = state->path;
            state->taken = id;
            lock.unlock();
            std::uint32_t lengthMs = 0;
            const bool playing = device.Play(path, id, lengthMs);
            lock.lock();
            haltAt = TimePoint{};
            if (playing) {
                haltAt = std::chrono::steady_clock::now() + PlayingLimit(lengthMs);
            } else {
                state->finished = std::max(state->finished, id);
                state->ended.notify_all();
            }
        } else {
            haltAt = TimePoint{};
            lock.unlock();
            device.Close();
            lock.lock();
        }
    }
    lock.unlock();
    device.Close();
}

}  // namespace

// The game's side of the sound thread.
class SoundThread {
public:
    SoundThread() : state_(std::make_shared<SoundState>()), thread_(RunSoundThread, state_) {}

    // Asks for a sound, replacing any that plays; returns its number.
    std::uint64_t Play(const std::string& path) {
        const std::lock_guard lock(state_->mutex);
        state_->path = path;
        ++state_->asked;
        state_->wake.notify_one();
        return state_->asked;
    }

    // Waits until sound `id` has ended, was replaced or could not play, or until the
    // timeout has passed; true when the sound is over.
    bool WaitEnded(std::uint64_t id, std::chrono::milliseconds timeout) {
        std::unique_lock lock(state_->mutex);
        return state_->ended.wait_for(lock, timeout, [&] { return state_->finished >= id; });
    }

    // Ends the thread. Waits only when it is idle; when it is busy with the device it is
    // left to finish on its own, and false is returned: SDL must then stay up.
    bool Finish() {
        bool idle = false;
        {
            const std::lock_guard lock(state_->mutex);
            state_->quit = true;
            idle = state_->idle;
            state_->wake.notify_one();
        }
        if (idle) {
            thread_.join();
        } else {
            thread_.detach();
        }
        return idle;
    }

private:
    std::shared_ptr<SoundState> state_;
    std::thread thread_;
};

bool SdlPlatform::ShutdownSound() { return sound_ == nullptr || sound_->Finish(); }

void SdlPlatform::PlaySound(const std::string& path, bool synchronous) {
    if (sound_ == nullptr) {
        sound_ = std::make_shared<SoundThread>();
    }
    const std::uint64_t id = sound_->Play(path);
    // A synchronous sound holds the game, but not a player who closes the window nor a
    // session that ends (SIGTERM, or SIGHUP, which becomes one): the sound stops, and
    // the close request, left in the queue, ends the game at once.
    while (synchronous && !sound_->WaitEnded(id, kCloseCheckInterval)) {
        if (CloseRequested()) {
            sound_->Play({});  // no file: halts whatever plays
            return;
        }
    }
}

}  // namespace platform
