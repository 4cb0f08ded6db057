// SDL2_mixer linked into the program (WAV only, a few dozen kB): one file to install,
// no library to lose.
#include "platform/sdl/mixer.h"

namespace platform {

const Mixer* LoadMixer() {
    static const Mixer mixer{Mix_OpenAudio, Mix_CloseAudio, Mix_ChannelFinished,  Mix_HaltChannel,
                             Mix_FreeChunk, Mix_LoadWAV_RW, Mix_PlayChannelTimed, Mix_Playing};
    return &mixer;
}

}  // namespace platform
