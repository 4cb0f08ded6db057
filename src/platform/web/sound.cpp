// Sound: the WAV files through Web Audio.
//
// Browsers let a page make sound only once the player has clicked, typed or touched in
// it, so the audio context is made at the first press; sounds before it play nothing. Each
// file is fetched and decoded once. The context is suspended whenever nothing plays:
// a running one wakes the page many times a second even in silence.
#include <emscripten.h>

#include "platform/web/web_platform.h"

namespace platform {
namespace {

// clang-format off
EM_JS(void, StartWave, (const char* path), {
    const audio = Module.frothAudio;
    if (!audio || !audio.context) return;
    const url = UTF8ToString(path);
    const ticket = ++audio.asked;
    if (audio.source) audio.source.stop();  // a new sound replaces the one playing
    if (!audio.waves.has(url)) {
        audio.waves.set(url, fetch(url)
            .then(response => response.ok ? response.arrayBuffer() : Promise.reject(response.status))
            .then(bytes => audio.context.decodeAudioData(bytes)));
    }
    audio.playing = (async () => {
        const wave = await audio.waves.get(url);
        if (ticket !== audio.asked) return;
        await audio.context.resume();
        if (ticket !== audio.asked) return;
        const source = audio.context.createBufferSource();
        source.buffer = wave;
        source.connect(audio.context.destination);
        audio.source = source;
        await new Promise(resolve => {
            // Should the context stop running, the end still comes.
            const timer = setTimeout(resolve, wave.duration * 1000 + 500);
            source.onended = () => { clearTimeout(timer); resolve(); };
            source.start();
        });
        if (ticket !== audio.asked) return;
        audio.source = null;
        await audio.context.suspend();
    })().catch(() => {});
});

EM_ASYNC_JS(void, WaitForWave, (), {
    if (Module.frothAudio && Module.frothAudio.playing) await Module.frothAudio.playing;
});

EM_JS(void, ListenForFirstPress, (), {
    const audio = {context: null, waves: new Map(), asked: 0, source: null, playing: null};
    Module.frothAudio = audio;
    // A phone lets sound start at the end of a touch; keys the page presses itself
    // (its touch buttons, the name field) count for nothing.
    const presses = ["mousedown", "keydown", "touchend"];
    const unlock = e => {
        if (!e.isTrusted) return;
        for (const press of presses) document.removeEventListener(press, unlock, true);
        const Context = window.AudioContext || window.webkitAudioContext;
        if (!Context) return;
        audio.context = new Context();
        audio.context.suspend();
    };
    for (const press of presses) document.addEventListener(press, unlock, true);
});
// clang-format on

}  // namespace

void WebPlatform::PrepareSound() { ListenForFirstPress(); }

void WebPlatform::PlaySound(const std::string& path, bool synchronous) {
    StartWave(path.c_str());
    if (synchronous) WaitForWave();
}

}  // namespace platform
