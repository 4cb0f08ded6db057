// Sound: SDL2_mixer, loaded at the first sound, with the audio device open only while
// a sound plays.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <type_traits>

#include <SDL.h>
#include <SDL_mixer.h>

#include "platform/sdl_platform.h"

namespace platform {
namespace {

// Mix_ChannelFinished takes no user data, so the finished callback reaches the
// platform through these. Written on the main thread while no sound plays.
std::atomic<SDL_sem*> g_soundEnded{nullptr};
std::atomic<Uint32> g_soundEventType{0};

// Runs on the mixer's audio thread (or inside Mix_HaltChannel on the caller's thread).
// Mixer calls are not allowed here; the main thread closes the device when it sees
// the event.
void OnChannelFinished(int /*channel*/) {
    if (SDL_sem* sem = g_soundEnded.load()) {
        SDL_SemPost(sem);
    }
    SDL_Event e;
    SDL_zero(e);
    e.type = g_soundEventType.load();
    if (e.type != 0) {
        SDL_PushEvent(&e);
    }
}

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

// SDL2_mixer and the many codec libraries behind it are loaded at the first sound,
// not at start-up: a game with sound off never pays for them (about 4 MB and a few
// ms of start-up).
struct Mixer {
    int (*OpenAudio)(int, Uint16, int, int);
    void (*CloseAudio)();
    void (*ChannelFinished)(void (*)(int));
    int (*HaltChannel)(int);
    void (*FreeChunk)(Mix_Chunk*);
    Mix_Chunk* (*LoadWAV_RW)(SDL_RWops*, int);
    int (*PlayChannelTimed)(int, Mix_Chunk*, int, int);
    int (*Playing)(int);
};

// The mixer's functions, or nullptr when the library cannot be loaded.
const Mixer* LoadMixer() {
    static Mixer mixer;
    static const bool loaded = [] {
        void* library = SDL_LoadObject("libSDL2_mixer-2.0.so.0");
        if (library == nullptr) return false;
        auto find = [library](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                SDL_LoadFunction(library, name));
            return function != nullptr;
        };
        return find(mixer.OpenAudio, "Mix_OpenAudio") && find(mixer.CloseAudio, "Mix_CloseAudio") &&
               find(mixer.ChannelFinished, "Mix_ChannelFinished") &&
               find(mixer.HaltChannel, "Mix_HaltChannel") &&
               find(mixer.FreeChunk, "Mix_FreeChunk") && find(mixer.LoadWAV_RW, "Mix_LoadWAV_RW") &&
               find(mixer.PlayChannelTimed, "Mix_PlayChannelTimed") &&
               find(mixer.Playing, "Mix_Playing");
    }();
    return loaded ? &mixer : nullptr;
}

constexpr std::uint64_t kAudioRetryMs = 3000;  // after a failed device open

}  // namespace

void SdlPlatform::InitSound() {
    soundEnded_ = SDL_CreateSemaphore(0);
    g_soundEnded.store(soundEnded_);
    const Uint32 type = SDL_RegisterEvents(1);
    g_soundEventType.store(type == static_cast<Uint32>(-1) ? 0 : type);
}

void SdlPlatform::ShutdownSound() {
    StopSound();
    CloseAudio();
    g_soundEventType.store(0);
    g_soundEnded.store(nullptr);
    if (soundEnded_ != nullptr) {
        SDL_DestroySemaphore(soundEnded_);
    }
}

bool SdlPlatform::TakeSoundNotice(const SDL_Event& event) {
    if (event.type == 0 || event.type != g_soundEventType.load()) {
        return false;
    }
    // A sound ended (or was halted). Close the device unless another sound
    // has taken over meanwhile.
    if (audioOpen_ && LoadMixer()->Playing(-1) == 0) {
        StopSound();
        CloseAudio();
    }
    return true;
}

bool SdlPlatform::OpenAudio() {
    if (audioOpen_) {
        return true;
    }
    // A machine without sound fails here every time; trying on every sound would
    // make the game stutter, yet a device may be plugged in later.
    const std::uint64_t now = NowMs();
    if (audioFailedAt_ != 0 && now - audioFailedAt_ < kAudioRetryMs) {
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        audioFailedAt_ = std::max<std::uint64_t>(now, 1);
        return false;
    }
    const Mixer* mixer = LoadMixer();
    if (mixer == nullptr ||
        mixer->OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        audioFailedAt_ = std::max<std::uint64_t>(now, 1);
        return false;
    }
    audioFailedAt_ = 0;
    audioOpen_ = true;
    mixer->ChannelFinished(OnChannelFinished);
    return true;
}

void SdlPlatform::CloseAudio() {
    if (!audioOpen_) {
        return;
    }
    LoadMixer()->ChannelFinished(nullptr);
    LoadMixer()->CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioOpen_ = false;
}

void SdlPlatform::StopSound() {
    if (!audioOpen_) {
        return;
    }
    LoadMixer()->HaltChannel(-1);
    if (chunk_ != nullptr) {
        LoadMixer()->FreeChunk(chunk_);
        chunk_ = nullptr;
    }
}

void SdlPlatform::PlaySound(const std::string& path, bool synchronous) {
    // A missing file must not cost a device open.
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (file == nullptr) {
        return;
    }
    const Uint32 waveMs = WaveLengthMs(file);
    StopSound();
    if (!OpenAudio()) {
        SDL_RWclose(file);
        return;
    }
    // Halting posts "ended"; those posts belong to the old sound.
    while (SDL_SemTryWait(soundEnded_) == 0) {}
    chunk_ = LoadMixer()->LoadWAV_RW(file, 1);
    if (chunk_ == nullptr || LoadMixer()->PlayChannelTimed(-1, chunk_, 0, -1) < 0) {
        StopSound();
        CloseAudio();
        return;
    }
    if (!synchronous) {
        return;  // the finished notice closes the device later
    }
    // Bounded by the sound's length, in case the device stalls and never finishes it.
    const Uint32 limitMs = waveMs == 0 ? 10000 : std::min<Uint32>(waveMs, 600000) + 2000;
    SDL_SemWaitTimeout(soundEnded_, limitMs);
    StopSound();
    CloseAudio();
}

}  // namespace platform
