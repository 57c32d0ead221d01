// xwatch: watches the X display for the benchmarks.
//
//   xwatch launch CLASS PROGRAM [ARGS...]
//       starts the program and prints "PID MILLISECONDS": the time from just
//       before exec to the mapping of its first window of WM_CLASS CLASS.
//   xwatch damage WINDOW SECONDS
//       prints the wall-clock time (milliseconds since the epoch) of every
//       change drawn into the window, for SECONDS seconds.

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

double MonotonicMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

long long EpochMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

bool HasClass(xcb_connection_t* x, xcb_window_t window, const char* wanted) {
    auto cookie = xcb_get_property(x, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(x, cookie, nullptr);
    if (reply == nullptr) {
        return false;
    }
    const char* value = static_cast<const char*>(xcb_get_property_value(reply));
    const int length = xcb_get_property_value_length(reply);
    bool found = false;
    for (int start = 0; start < length;) {
        const std::string part(value + start);
        if (strcasecmp(part.c_str(), wanted) == 0) {
            found = true;
        }
        start += int(part.size()) + 1;
    }
    free(reply);
    return found;
}

int Launch(const char* wanted_class, char** command) {
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);
    const double start = MonotonicMs();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(command[0], command);
        _exit(127);
    }
    while (xcb_generic_event_t* event = xcb_wait_for_event(x)) {
        if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (HasClass(x, map->window, wanted_class)) {
                std::printf("%d %.1f\n", pid, MonotonicMs() - start);
                free(event);
                return 0;
            }
        }
        free(event);
    }
    return 1;
}

int WatchDamage(xcb_window_t window, double seconds) {
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(x, &xcb_damage_id);
    if (damage == nullptr || !damage->present) {
        std::fprintf(stderr, "xwatch: no DAMAGE extension\n");
        return 1;
    }
    free(xcb_damage_query_version_reply(x, xcb_damage_query_version(x, 1, 1), nullptr));
    const xcb_damage_damage_t id = xcb_generate_id(x);
    // Every drawn rectangle is reported on its own, so that no change can be
    // lost between a report and the clearing of the damage.
    xcb_damage_create(x, id, window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    xcb_flush(x);
    const double end = MonotonicMs() + seconds * 1000;
    while (MonotonicMs() < end) {
        xcb_generic_event_t* event = xcb_poll_for_event(x);
        if (event == nullptr) {
            usleep(200);
            continue;
        }
        if ((event->response_type & 0x7F) == damage->first_event + XCB_DAMAGE_NOTIFY) {
            std::printf("%lld\n", EpochMs());
            std::fflush(stdout);
        }
        free(event);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::strcmp(argv[1], "launch") == 0) {
        return Launch(argv[2], argv + 3);
    }
    if (argc == 4 && std::strcmp(argv[1], "damage") == 0) {
        return WatchDamage(xcb_window_t(std::strtoul(argv[2], nullptr, 0)), std::atof(argv[3]));
    }
    std::fprintf(stderr,
                 "usage: xwatch launch CLASS PROGRAM [ARGS...]\n"
                 "       xwatch damage WINDOW SECONDS\n");
    return 2;
}
