// SDL2_mixer and the many codec libraries behind it are loaded at the first sound,
// not at start-up: a game with sound off never pays for them (about 4 MB and a few
// ms of start-up).
#include <type_traits>

#include "platform/sdl/mixer.h"

namespace platform {

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

}  // namespace platform
