// The SDL2_mixer functions the sound thread uses, reached through one table so that
// how the library is linked is decided per system: loaded at the first sound on Linux
// (sdl_mixer_loaded.cpp), linked into the program on Windows (sdl_mixer_linked.cpp).
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

namespace platform {

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
const Mixer* LoadMixer();

}  // namespace platform
