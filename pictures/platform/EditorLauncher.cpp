// EditorLauncher.cpp: starts the picture editor with posix_spawn and looks for its end with
// waitpid.
#include "pictures/platform/EditorLauncher.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <type_traits>
#include <utility>

extern char** environ;

static_assert(std::is_same_v<pid_t, int>);

TEditorLauncher::TEditorLauncher(std::string program) : Program(std::move(program)) {}

bool TEditorLauncher::Start(const std::string& file) {
    std::string program = Program;
    std::string argument = file;
    char* argv[] = {program.data(), argument.data(), nullptr};
    // The editor is a program of its own: no signal the game blocks stays blocked for it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    pid_t child = 0;
    const int error = posix_spawnp(&child, program.c_str(), nullptr, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        return false;
    }
    Child = child;
    return true;
}

bool TEditorLauncher::HasEnded() {
    if (Child == 0) {
        return true;
    }
    int status = 0;
    pid_t ended = 0;
    while ((ended = waitpid(Child, &status, WNOHANG)) < 0 && errno == EINTR) {
    }
    if (ended == 0) {
        return false;
    }
    Child = 0;
    return true;
}
