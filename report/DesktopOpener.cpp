#include "report/DesktopOpener.h"

#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace qv {

bool DesktopOpenerIn(const std::string& searchPath) {
    size_t start = 0;
    while (start <= searchPath.size()) {
        size_t end = searchPath.find(':', start);
        if (end == std::string::npos) {
            end = searchPath.size();
        }
        // An empty entry is the working folder, as the shell takes it.
        const std::string folder =
            end == start ? std::string(".") : searchPath.substr(start, end - start);
        if (access((folder + "/xdg-open").c_str(), X_OK) == 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

bool DesktopOpenerAvailable() {
    const char* searchPath = std::getenv("PATH");
    return searchPath != nullptr && DesktopOpenerIn(searchPath);
}

bool OpenWithDesktopApplication(const std::string& path) {
    if (!DesktopOpenerAvailable()) {
        return false;
    }
    // The shell puts the opener in the background and ends at once, so it is reaped
    // here and the opener is never left as a zombie; the path goes in as an argument,
    // never as shell text.
    const char* script = "xdg-open \"$1\" >/dev/null 2>&1 &";
    char* const arguments[] = {const_cast<char*>("sh"),         const_cast<char*>("-c"),
                               const_cast<char*>(script),       const_cast<char*>("sh"),
                               const_cast<char*>(path.c_str()), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, "/bin/sh", nullptr, nullptr, arguments, environ) != 0) {
        return false;
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace qv
