// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

// xwatch: watches the X display for the benchmarks.
//
//   xwatch launch CLASS PROGRAM [ARGS...]
//       starts the program and prints "PID MILLISECONDS": the time from just
//       before exec to the mapping of its first window of WM_CLASS CLASS.
//   xwatch damage WINDOW SECONDS
//       prints, when the SECONDS are over, the wall-clock time (milliseconds
//       since the epoch) of every change drawn into the window meanwhile.
//   xwatch tray
//       a minimal system tray (the freedesktop XEmbed protocol) that docks
//       every icon asked for, as a desktop's panel would, until killed.

#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <unistd.h>
#include <vector>

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
    // The server reports the whole window once when the damage is created:
    // not a change the clock drew, and it would be taken for the next tick's.
    free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));
    while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
        free(event);
    }
    // Asleep until the X server writes: a watcher that polled would take CPU
    // time and caches from the clock it watches. The record is kept in memory
    // and written at the end: a write to a file for each report set the file
    // system's workers going while the clock was measured, and they took the
    // processor from it.
    std::vector<long long> changes;
    changes.reserve(std::size_t(seconds) * 16);
    const double end = MonotonicMs() + seconds * 1000;
    while (MonotonicMs() < end) {
        xcb_generic_event_t* event = xcb_poll_for_event(x);
        if (event == nullptr) {
            pollfd connection{xcb_get_file_descriptor(x), POLLIN, 0};
            poll(&connection, 1, std::max(1, int(end - MonotonicMs())));
            continue;
        }
        if ((event->response_type & 0x7F) == damage->first_event + XCB_DAMAGE_NOTIFY) {
            changes.push_back(EpochMs());
        }
        free(event);
    }
    for (const long long change : changes) {
        std::printf("%lld\n", change);
    }
    return 0;
}

xcb_atom_t Atom(xcb_connection_t* x, const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

void SendMessage(xcb_connection_t* x, xcb_window_t to, xcb_atom_t type, uint32_t mask,
                 std::initializer_list<uint32_t> data) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = to;
    message.type = type;
    int i = 0;
    for (uint32_t value : data) {
        message.data.data32[i++] = value;
    }
    xcb_send_event(x, 0, to, mask, reinterpret_cast<const char*>(&message));
}

int RunTray() {
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    // The panel: a strip at the bottom of the screen that holds the icons.
    const xcb_window_t panel = xcb_generate_id(x);
    const uint32_t panel_values[] = {
        screen->white_pixel, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(x, XCB_COPY_FROM_PARENT, panel, screen->root, 0,
                      int16_t(screen->height_in_pixels - 32), 256, 32, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, panel_values);
    xcb_map_window(x, panel);
    const xcb_atom_t selection = Atom(x, "_NET_SYSTEM_TRAY_S0");
    const xcb_atom_t opcode = Atom(x, "_NET_SYSTEM_TRAY_OPCODE");
    const xcb_atom_t xembed = Atom(x, "_XEMBED");
    xcb_set_selection_owner(x, panel, selection, XCB_CURRENT_TIME);
    SendMessage(x, screen->root, Atom(x, "MANAGER"), XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                {XCB_CURRENT_TIME, selection, panel, 0, 0});
    xcb_flush(x);
    int docked = 0;
    while (xcb_generic_event_t* event = xcb_wait_for_event(x)) {
        if ((event->response_type & 0x7F) == XCB_CLIENT_MESSAGE) {
            const auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
            constexpr uint32_t REQUEST_DOCK = 0;
            if (message->type == opcode && message->data.data32[1] == REQUEST_DOCK) {
                const xcb_window_t icon = message->data.data32[2];
                xcb_reparent_window(x, icon, panel, int16_t(4 + 28 * docked++), 4);
                const uint32_t size[] = {24, 24};
                xcb_configure_window(x, icon, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                                     size);
                xcb_map_window(x, icon);
                constexpr uint32_t EMBEDDED_NOTIFY = 0;
                SendMessage(x, icon, xembed, XCB_EVENT_MASK_NO_EVENT,
                            {XCB_CURRENT_TIME, EMBEDDED_NOTIFY, 0, panel, 0});
                xcb_flush(x);
            }
        }
        free(event);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "tray") == 0) {
        return RunTray();
    }
    if (argc >= 4 && std::strcmp(argv[1], "launch") == 0) {
        return Launch(argv[2], argv + 3);
    }
    if (argc == 4 && std::strcmp(argv[1], "damage") == 0) {
        return WatchDamage(xcb_window_t(std::strtoul(argv[2], nullptr, 0)), std::atof(argv[3]));
    }
    std::fprintf(stderr,
                 "usage: xwatch launch CLASS PROGRAM [ARGS...]\n"
                 "       xwatch damage WINDOW SECONDS\n"
                 "       xwatch tray\n");
    return 2;
}
