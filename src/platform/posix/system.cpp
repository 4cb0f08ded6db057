// The SDL front end's system services on Linux.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include <SDL.h>

#include "platform/sdl/system.h"

namespace platform {
namespace {

// Sets an environment variable for the rest of the scope, then puts back what was
// there, so that programs started later (the browser) see the user's own setting.
class TemporaryEnvironment {
public:
    TemporaryEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value, 1);
    }
    ~TemporaryEnvironment() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    TemporaryEnvironment(const TemporaryEnvironment&) = delete;
    TemporaryEnvironment& operator=(const TemporaryEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// A hang-up (the terminal the game was started from closes) ends the game as a close
// request does: passed on as SIGTERM, which SDL turns into one.
void OnHangUp(int) { std::raise(SIGTERM); }

// Unless SIGHUP was given a meaning already (nohup ignores it).
void CloseOnHangUp() {
    struct sigaction current {};
    if (sigaction(SIGHUP, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) return;
    struct sigaction hangUp {};
    hangUp.sa_handler = OnHangUp;
    sigemptyset(&hangUp.sa_mask);
    sigaction(SIGHUP, &hangUp, nullptr);
}

}  // namespace

int StartVideo() {
    int result = 0;
    {
        // SDL opens an input method, for which Xlib parses the locale's whole table
        // of compose sequences (half a megabyte of text for UTF-8): a third of SDL's
        // start-up and 0.5 MB. The game reads key codes only, never composed text,
        // so that input method gets an empty table.
        const TemporaryEnvironment noComposeTable("XCOMPOSEFILE", "/dev/null");
        result = SDL_Init(SDL_INIT_VIDEO);
    }
    if (result == 0) CloseOnHangUp();
    return result;
}

std::string ExecutableDir() {
    char* real = realpath("/proc/self/exe", nullptr);
    if (real == nullptr) return {};
    std::string path = real;
    std::free(real);
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// A desktop keeps what a program started from its menu writes on standard error.
void ReportStartFailure(const std::string& why) {
    std::fprintf(stderr, "Frothwick: cannot start: %s\n", why.c_str());
}

}  // namespace platform
