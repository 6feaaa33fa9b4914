// Starts a program and prints three times in milliseconds, then ends the
// program: its first top-level window mapped on the X display, that window's
// first full frame (the damage it reports covers the whole window), and the
// first click answered (a synthetic left click on a table cell, sent once
// the first frame is there and the window has been made active as a window
// manager would, until the window's next damage over that cell). The clock
// starts just before the fork, so process start, library loading and
// everything the program does before showing its window are counted alike
// for every program; the click is timed from the moment it is sent.
//
// With --f4-after, it then waits that many milliseconds, presses F4 and
// prints a fourth time: from the key press to the first full frame of the
// next top-level window mapped (the program's section-details window).
//
//   first_map_timer [--f4-after <ms>] <program> [arguments...]
//   prints "<map> <frame> <click>" or "<map> <frame> <click> <f4>"
#include <X11/keysym.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

struct XcbConnection {
    xcb_connection_t* connection;
    ~XcbConnection() { xcb_disconnect(connection); }
};

bool IsTopLevelMap(const xcb_generic_event_t* event) {
    if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY) return false;
    // Menus and tooltips are override-redirect; a main window is not.
    return !reinterpret_cast<const xcb_map_notify_event_t*>(event)->override_redirect;
}

// The window cell the click lands on: inside the table of both the program
// (below its menu bar) and the bare window.
constexpr int16_t kClickX = 203;
constexpr int16_t kClickY = 90;

class Probe {
  public:
    Probe(xcb_connection_t* connection, pid_t child) : x_(connection), child_(child) {
        const xcb_query_extension_reply_t* damage = xcb_get_extension_data(x_, &xcb_damage_id);
        damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
        free(xcb_damage_query_version_reply(x_, xcb_damage_query_version(x_, 1, 1), nullptr));
    }

    // Waits for the next event the predicate accepts; false when the program
    // ends first or the display goes away (saying why).
    template <typename Accept>
    bool WaitFor(Accept accept) {
        pollfd display{xcb_get_file_descriptor(x_), POLLIN, 0};
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(x_)) {
                WatchDamageIfCreated(event);
                const bool accepted = accept(event);
                std::free(event);
                if (accepted) return true;
            }
            if (xcb_connection_has_error(x_)) {
                std::fprintf(stderr, "lost the X display\n");
                return false;
            }
            int status = 0;
            if (waitpid(child_, &status, WNOHANG) == child_) {
                std::fprintf(stderr, "the program ended (status %d) too early\n", status);
                return false;
            }
            poll(&display, 1, 5);
        }
    }

    // The next top-level window mapped; the first becomes the window clicked.
    bool WaitForMap() {
        return WaitFor([this](const xcb_generic_event_t* event) {
            if (!IsTopLevelMap(event)) return false;
            mapped_ = reinterpret_cast<const xcb_map_notify_event_t*>(event)->window;
            if (window_ == XCB_NONE) window_ = mapped_;
            return true;
        });
    }

    // Until the damaged rectangles' bounding box covers the whole window
    // mapped last.
    bool WaitForFullFrame() {
        int left = 1 << 15, top = 1 << 15, right = -1, bottom = -1;
        return WaitFor([&](const xcb_generic_event_t* event) {
            if ((event->response_type & 0x7f) != damageEvent_) return false;
            const auto* damage = reinterpret_cast<const xcb_damage_notify_event_t*>(event);
            if (damage->drawable != mapped_) return false;
            left = std::min<int>(left, damage->area.x);
            top = std::min<int>(top, damage->area.y);
            right = std::max(right, damage->area.x + damage->area.width);
            bottom = std::max(bottom, damage->area.y + damage->area.height);
            return left <= 0 && top <= 0 && right >= damage->geometry.width &&
                   bottom >= damage->geometry.height;
        });
    }

    // What a window manager does as a window maps: gives it the keyboard
    // focus, so that it is active. Without one, the first click would
    // activate the window too, and every control drawn otherwise when active
    // would be redrawn with the click's answer. Returns once the window has
    // drawn nothing for a while.
    bool ActivateAndSettle() {
        xcb_set_input_focus(x_, XCB_INPUT_FOCUS_POINTER_ROOT, window_, XCB_CURRENT_TIME);
        xcb_flush(x_);
        constexpr auto kQuiet = std::chrono::milliseconds(30);
        auto lastDrawn = Clock::now();
        const auto giveUp = lastDrawn + std::chrono::seconds(1);
        pollfd display{xcb_get_file_descriptor(x_), POLLIN, 0};
        while (Clock::now() - lastDrawn < kQuiet && Clock::now() < giveUp) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(x_)) {
                WatchDamageIfCreated(event);
                if ((event->response_type & 0x7f) == damageEvent_) lastDrawn = Clock::now();
                std::free(event);
            }
            if (xcb_connection_has_error(x_)) return false;
            poll(&display, 1, 2);
        }
        return true;
    }

    // Sends the click, then waits for the window's next damage.
    bool ClickAndWaitForAnswer(Clock::time_point& sent) {
        auto* where = xcb_translate_coordinates_reply(
            x_, xcb_translate_coordinates(x_, window_, Root(), kClickX, kClickY), nullptr);
        if (where == nullptr) return false;
        const int16_t rootX = where->dst_x;
        const int16_t rootY = where->dst_y;
        free(where);
        // Whatever the first frame left to report comes before the click.
        Sync();
        while (xcb_generic_event_t* event = xcb_poll_for_event(x_)) {
            WatchDamageIfCreated(event);
            std::free(event);
        }
        sent = Clock::now();
        xcb_test_fake_input(x_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, Root(), rootX, rootY, 0);
        xcb_test_fake_input(x_, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(x_, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(x_);
        // The answer is the clicked cell drawn anew; other drawing (a tray
        // icon, a caption) does not count.
        return WaitFor([this](const xcb_generic_event_t* event) {
            if ((event->response_type & 0x7f) != damageEvent_) return false;
            const auto* damage = reinterpret_cast<const xcb_damage_notify_event_t*>(event);
            const xcb_rectangle_t& area = damage->area;
            return damage->drawable == window_ && area.x <= kClickX &&
                   kClickX < area.x + area.width && area.y <= kClickY &&
                   kClickY < area.y + area.height;
        });
    }

    // Presses and releases F4 where the pointer is.
    bool PressF4() {
        const xcb_setup_t* setup = xcb_get_setup(x_);
        const uint8_t first = setup->min_keycode;
        const uint8_t count = setup->max_keycode - first + 1;
        auto* mapping =
            xcb_get_keyboard_mapping_reply(x_, xcb_get_keyboard_mapping(x_, first, count), nullptr);
        if (mapping == nullptr) return false;
        const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(mapping);
        const int perCode = mapping->keysyms_per_keycode;
        xcb_keycode_t f4 = 0;
        for (int code = 0; code < count && f4 == 0; ++code)
            for (int k = 0; k < perCode; ++k)
                if (symbols[code * perCode + k] == XK_F4) f4 = first + code;
        free(mapping);
        if (f4 == 0) return false;
        xcb_test_fake_input(x_, XCB_KEY_PRESS, f4, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(x_, XCB_KEY_RELEASE, f4, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(x_);
        return true;
    }

  private:
    // Every top-level window gets its damage watched as it is created (made
    // hidden long before it shows, or just before), so no drawing between
    // its mapping and this probe hearing of it is lost.
    void WatchDamageIfCreated(const xcb_generic_event_t* event) {
        if ((event->response_type & 0x7f) != XCB_CREATE_NOTIFY) return;
        const auto* created = reinterpret_cast<const xcb_create_notify_event_t*>(event);
        if (created->override_redirect) return;
        xcb_damage_create(x_, xcb_generate_id(x_), created->window,
                          XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        xcb_flush(x_);
    }

    xcb_window_t Root() const { return xcb_setup_roots_iterator(xcb_get_setup(x_)).data->root; }
    void Sync() { free(xcb_get_input_focus_reply(x_, xcb_get_input_focus(x_), nullptr)); }

    xcb_connection_t* x_;
    pid_t child_;
    uint8_t damageEvent_ = 0;
    xcb_window_t window_ = XCB_NONE;
    xcb_window_t mapped_ = XCB_NONE;
};

double Milliseconds(Clock::duration elapsed) {
    return std::chrono::duration<double, std::milli>(elapsed).count();
}

}  // namespace

int main(int argc, char** argv) {
    int f4After = -1;
    int program = 1;
    if (argc > 2 && std::strcmp(argv[1], "--f4-after") == 0) {
        f4After = std::atoi(argv[2]);
        program = 3;
    }
    if (argc <= program) {
        std::fprintf(stderr, "usage: %s [--f4-after <ms>] <program> [arguments...]\n", argv[0]);
        return 2;
    }
    // A busy Xvfb now and then refuses a connection; a moment later it takes it.
    XcbConnection x{xcb_connect(nullptr, nullptr)};
    for (int attempt = 0; attempt < 5 && xcb_connection_has_error(x.connection); ++attempt) {
        xcb_disconnect(x.connection);
        usleep(100 * 1000);
        x.connection = xcb_connect(nullptr, nullptr);
    }
    if (xcb_connection_has_error(x.connection)) {
        std::fprintf(stderr, "cannot open the X display\n");
        return 2;
    }
    // Top-level windows are children of the root window when no window
    // manager runs, so the root's substructure events announce their mapping.
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x.connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x.connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x.connection);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[program], argv + program);
        _exit(127);
    }
    if (child < 0) return 2;
    Probe probe(x.connection, child);
    Clock::time_point mapped, framed, clicked, answered, pressed, shown;
    bool measured = probe.WaitForMap() && ((mapped = Clock::now()), probe.WaitForFullFrame()) &&
                    ((framed = Clock::now()), probe.ActivateAndSettle()) &&
                    probe.ClickAndWaitForAnswer(clicked);
    answered = Clock::now();
    if (measured && f4After >= 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(f4After));
        pressed = Clock::now();
        measured = probe.PressF4() && probe.WaitForMap() && probe.WaitForFullFrame();
        shown = Clock::now();
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    if (!measured) return 1;
    std::printf("%.2f %.2f %.2f", Milliseconds(mapped - start), Milliseconds(framed - start),
                Milliseconds(answered - clicked));
    if (f4After >= 0) std::printf(" %.2f", Milliseconds(shown - pressed));
    std::printf("\n");
    return 0;
}
