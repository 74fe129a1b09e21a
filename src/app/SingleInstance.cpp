#include "app/SingleInstance.h"

#include <QDir>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace app {

namespace {

// ":0.1" is screen 1 of display ":0"; a name without a screen number is left as it is.
std::string withoutScreen(const std::string& display) {
    const std::size_t colon = display.rfind(':');
    const std::size_t dot = display.rfind('.');
    if (colon == std::string::npos || dot == std::string::npos || dot < colon) {
        return display;
    }
    return display.substr(0, dot);
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string lockPath(const std::string& display, const std::string& directory) {
    std::string session = withoutScreen(display);
    for (char& character : session) {
        character = character == '/' ? '_' : character;
    }
    return directory + "/vistrel-utility-" + std::to_string(geteuid()) + "-" + session + ".lock";
}

} // namespace

SingleInstance::SingleInstance(const std::string& display, const std::string& directory) {
    // Not inherited by the programs this one starts, which would hold it after a crash; a link
    // is never followed, and a file of another user is not trusted.
    lockFile = open(lockPath(display, directory).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
                    S_IRUSR | S_IWUSR);
    struct stat status {};
    if (lockFile >= 0 && (fstat(lockFile, &status) != 0 || status.st_uid != geteuid())) {
        close(lockFile);
        lockFile = -1;
    }
    if (lockFile >= 0 && flock(lockFile, LOCK_EX | LOCK_NB) != 0) {
        first = errno != EWOULDBLOCK;
    }
}

SingleInstance::~SingleInstance() {
    if (lockFile >= 0) {
        close(lockFile);
    }
}

std::string SingleInstance::sessionDisplay() {
    const std::string x11 = environment("DISPLAY");
    return !x11.empty() ? x11 : environment("WAYLAND_DISPLAY");
}

std::string SingleInstance::lockDirectory() {
    const std::string runtime = environment("XDG_RUNTIME_DIR");
    struct stat status {};
    if (!runtime.empty() && stat(runtime.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
        status.st_uid == geteuid()) {
        return runtime;
    }
    return QDir::tempPath().toStdString();
}

} // namespace app
