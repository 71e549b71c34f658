// Starts a program and times how long it takes until each of the named
// windows is mapped and shows its expected colour at a given point, then lets
// it run a moment longer, ends it and reports its peak memory. Polling from
// one process with a few X requests every couple of milliseconds keeps the
// probe's own cost out of the figures, which a shell loop of xdotool calls
// would not.
//
//   startup_probe [--settle MS] [--timeout MS] --window TITLE X Y RRGGBB ... -- PROGRAM ARGS...
//
// Prints "ready_ms=<ms> cpu_ms=<ms> maxrss_kb=<kB>": the time to the windows,
// the processor time the program used in all (which a busy machine disturbs
// far less than the wall clock) and its peak memory, the figure
// /usr/bin/time -v calls "Maximum resident set size".
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct WantedWindow
{
    std::string title;
    int x = 0;
    int y = 0;
    unsigned long rgb = 0;
    Window id = None;
    bool ready = false;
};

struct Options
{
    std::vector<WantedWindow> windows;
    int settleMs = 1000;
    int timeoutMs = 30000;
    char** command = nullptr;
};

[[noreturn]] void usage()
{
    std::fputs("usage: startup_probe [--settle MS] [--timeout MS] --window TITLE X Y RRGGBB ..."
               " -- PROGRAM ARGS...\n",
               stderr);
    std::exit(2);
}

Options parseOptions(int argc, char** argv)
{
    Options options;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        const std::string flag = argv[i];
        if (flag == "--window" && i + 4 < argc) {
            options.windows.push_back({argv[i + 1], std::atoi(argv[i + 2]), std::atoi(argv[i + 3]),
                                       std::strtoul(argv[i + 4], nullptr, 16)});
            i += 4;
        } else if (flag == "--settle" && i + 1 < argc) {
            options.settleMs = std::atoi(argv[++i]);
        } else if (flag == "--timeout" && i + 1 < argc) {
            options.timeoutMs = std::atoi(argv[++i]);
        } else {
            usage();
        }
    }
    if (options.windows.empty() || i + 1 >= argc)
        usage();
    options.command = argv + i + 1;
    return options;
}

// Windows come and go while we look: a request on one that has just gone is
// not an error for the probe.
int ignoreXError(Display*, XErrorEvent*)
{
    return 0;
}

bool viewable(Display* display, Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

// Depth-first search below <parent> for a mapped window titled exactly
// <title>; the window manager puts each program window inside a frame of its
// own. Mapped only: Qt's hidden client leader carries the application's name.
Window findTitled(Display* display, Window parent, const std::string& title)
{
    Window root = None, ignored = None, found = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &ignored, &children, &count))
        return None;
    for (unsigned int i = 0; i < count && found == None; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            if (title == name && viewable(display, children[i]))
                found = children[i];
            XFree(name);
        }
        if (found == None)
            found = findTitled(display, children[i], title);
    }
    if (children)
        XFree(children);
    return found;
}

bool showsColour(Display* display, WantedWindow& wanted)
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, wanted.id, &attributes)) {
        wanted.id = None; // gone: a window of an earlier run, look again
        return false;
    }
    if (attributes.map_state != IsViewable)
        return false;
    XImage* image = XGetImage(display, wanted.id, wanted.x, wanted.y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return false;
    XColor colour;
    colour.pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    XQueryColor(display, attributes.colormap, &colour);
    const unsigned long rgb =
        ((colour.red >> 8) << 16) | ((colour.green >> 8) << 8) | (colour.blue >> 8);
    return rgb == wanted.rgb;
}

bool allReady(Display* display, std::vector<WantedWindow>& windows)
{
    bool all = true;
    for (auto& wanted : windows) {
        if (wanted.ready)
            continue;
        if (wanted.id == None)
            wanted.id = findTitled(display, DefaultRootWindow(display), wanted.title);
        wanted.ready = wanted.id != None && showsColour(display, wanted);
        all = all && wanted.ready;
    }
    return all;
}

bool exited(pid_t child)
{
    int status = 0;
    return waitpid(child, &status, WNOHANG) == child;
}

} // namespace

int main(int argc, char** argv)
{
    Options options = parseOptions(argc, argv);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("startup_probe: cannot open the display\n", stderr);
        return 1;
    }
    XSetErrorHandler(ignoreXError);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(options.command[0], options.command);
        std::perror(options.command[0]);
        _exit(127);
    }
    const auto deadline = start + std::chrono::milliseconds(options.timeoutMs);
    while (!allReady(display, options.windows)) {
        if (exited(child)) {
            std::fputs("startup_probe: the program ended before its windows showed\n", stderr);
            return 1;
        }
        if (Clock::now() > deadline) {
            for (const auto& wanted : options.windows)
                std::fprintf(stderr, "startup_probe: window \"%s\" %s\n", wanted.title.c_str(),
                             wanted.ready ? "shown"
                             : wanted.id  ? "not painted"
                                          : "not found");
            kill(child, SIGKILL);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const std::chrono::duration<double, std::milli> ready = Clock::now() - start;

    // Whatever the program does just after it shows (first timer ticks)
    // belongs to its start-up memory as well.
    std::this_thread::sleep_for(std::chrono::milliseconds(options.settleMs));
    if (exited(child)) {
        std::fputs("startup_probe: the program ended by itself\n", stderr);
        return 1;
    }
    kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    XCloseDisplay(display);
    const auto cpuMs = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    std::printf("ready_ms=%.1f cpu_ms=%.1f maxrss_kb=%ld\n", ready.count(),
                cpuMs(usage.ru_utime) + cpuMs(usage.ru_stime), usage.ru_maxrss);
    return 0;
}
