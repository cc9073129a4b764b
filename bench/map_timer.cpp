// Starts a program and reports how long it took until its first window was
// mapped, and its peak resident memory (VmHWM) once the window is up:
//
//   map-timer <program> [arguments...]   prints "<milliseconds> <kB>"
//
// It watches the root window for MapNotify (SubstructureNotify), so the moment
// of mapping is the X server's, not a poll's. Run it with no window manager
// (Xvfb), where top-level windows are the root's children.

#include <X11/Xlib.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

namespace {

long PeakResidentKilobytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmHWM:")) return std::stol(line.substr(6));
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: map-timer <program> [arguments...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "map-timer: cannot open the display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[1], nullptr, nullptr, argv + 1, environ) != 0) {
        std::perror("map-timer: posix_spawn");
        return 2;
    }

    XEvent event;
    do {
        XNextEvent(display, &event);
    } while (event.type != MapNotify);
    const auto mapped = std::chrono::steady_clock::now();

    // Peak memory once the window is up and painted.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const long peak = PeakResidentKilobytes(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);

    std::printf("%.2f %ld\n", std::chrono::duration<double, std::milli>(mapped - start).count(), peak);
    XCloseDisplay(display);
    return 0;
}
