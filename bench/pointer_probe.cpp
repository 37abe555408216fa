// Pointer latency in a real window (bench/pointer_latency.sh builds and runs
// it under Xvfb with the game up on its roster):
//   pointer_probe WINDOW FRAMEBUFFER MOVES CLICKS
// WINDOW is the game's X window, FRAMEBUFFER the xwd file Xvfb keeps its
// screen in (-fbdir), which holds the server's own pointer too. The probe
// moves the pointer MOVES times between two spots of the picture and times
// each move until the pixels at the new spot change (move to photon), then
// clicks the roster's Music button CLICKS times and times each click until
// the music sign beside it changes (click to first changed pixel). Prints
// the median and the 90th percentile of each, in milliseconds.
#include <X11/Xlib.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

// From the XTest extension, whose runtime library is there (xdotool needs it)
// but whose headers need not be.
extern "C" int XTestFakeMotionEvent(Display*, int, int, int, unsigned long);
extern "C" int XTestFakeButtonEvent(Display*, unsigned int, int, unsigned long);

namespace {

using Clock = std::chrono::steady_clock;

struct Frame {
    const uint8_t* pixels = nullptr;
    uint32_t bytesPerLine = 0;
};

uint32_t BigEndian(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// The xwd file's pixels, mapped: Xvfb writes the screen straight into it.
bool MapFrame(const char* path, Frame* frame) {
    const int fd = open(path, O_RDONLY);
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0) {
        return false;
    }
    void* map = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_SHARED, fd, 0);
    close(fd);
    if (map == MAP_FAILED) {
        return false;
    }
    const auto* bytes = static_cast<const uint8_t*>(map);
    const uint32_t headerSize = BigEndian(bytes);
    const uint32_t colours = BigEndian(bytes + 19 * 4);
    frame->bytesPerLine = BigEndian(bytes + 12 * 4);
    frame->pixels = bytes + headerSize + colours * 12;
    return true;
}

struct Area {
    int x, y, w, h;  // screen pixels
};

std::vector<uint8_t> Grab(const Frame& frame, const Area& area) {
    std::vector<uint8_t> out(static_cast<size_t>(area.w) * area.h * 4);
    for (int row = 0; row < area.h; ++row) {
        std::memcpy(out.data() + static_cast<size_t>(row) * area.w * 4,
                    frame.pixels + static_cast<size_t>(area.y + row) * frame.bytesPerLine +
                        static_cast<size_t>(area.x) * 4,
                    static_cast<size_t>(area.w) * 4);
    }
    return out;
}

// Milliseconds until `area` differs from `before`; -1 after a second.
double WaitForChange(const Frame& frame, const Area& area, const std::vector<uint8_t>& before,
                     Clock::time_point start) {
    for (;;) {
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (Grab(frame, area) != before) {
            return ms;
        }
        if (ms > 1000.0) {
            return -1.0;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
}

void Report(const char* what, std::vector<double> times) {
    const size_t misses = static_cast<size_t>(std::count(times.begin(), times.end(), -1.0));
    times.erase(std::remove(times.begin(), times.end(), -1.0), times.end());
    if (times.empty()) {
        std::printf("%-32s no change seen\n", what);
        return;
    }
    std::sort(times.begin(), times.end());
    std::printf("%-32s median %6.2f ms   p90 %6.2f ms   (%zu samples, %zu unseen)\n", what,
                times[times.size() / 2], times[times.size() * 9 / 10], times.size(), misses);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: pointer_probe WINDOW FRAMEBUFFER MOVES CLICKS\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    Frame frame;
    if (display == nullptr || !MapFrame(argv[2], &frame)) {
        std::fprintf(stderr, "no display or no framebuffer file\n");
        return 1;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    int left = 0, top = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &left, &top, &child);
    // The picture fills the window at a whole scale (no bars at the start size).
    const int scale = std::max(attributes.width / 640, 1);
    auto at = [&](int x, int y) { return std::pair{left + x * scale, top + y * scale}; };
    auto moveTo = [&](int x, int y) {
        const auto [sx, sy] = at(x, y);
        XTestFakeMotionEvent(display, -1, sx, sy, 0);
        XFlush(display);
    };
    // What a pointer covers just below and right of its hot spot, at either scale.
    auto spot = [&](int x, int y) {
        const auto [sx, sy] = at(x, y);
        return Area{sx, sy, 8 * scale, 8 * scale};
    };

    // Two spots on the roster's plain wood, far apart.
    const int moves = std::atoi(argv[3]);
    std::vector<double> moveTimes;
    moveTo(200, 400);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    for (int i = 0; i < moves; ++i) {
        const int x = i % 2 == 0 ? 420 : 200;
        const Area target = spot(x, 400);
        const std::vector<uint8_t> before = Grab(frame, target);
        const Clock::time_point start = Clock::now();
        moveTo(x, 400);
        moveTimes.push_back(WaitForChange(frame, target, before, start));
        std::this_thread::sleep_for(std::chrono::milliseconds(120));
    }

    // The Music button toggles the music sign to its right.
    const int clicks = std::atoi(argv[4]);
    std::vector<double> clickTimes;
    moveTo(110, 200);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto [signX, signY] = at(168, 186);
    const Area sign{signX, signY, 58 * scale, 36 * scale};
    for (int i = 0; i < clicks; ++i) {
        const std::vector<uint8_t> before = Grab(frame, sign);
        const Clock::time_point start = Clock::now();
        XTestFakeButtonEvent(display, 1, True, 0);
        XFlush(display);
        clickTimes.push_back(WaitForChange(frame, sign, before, start));
        XTestFakeButtonEvent(display, 1, False, 0);
        XFlush(display);
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    Report("pointer move to photon", moveTimes);
    Report("click to first changed pixel", clickTimes);
    XCloseDisplay(display);
    return 0;
}
