// Starts a program and prints three times in milliseconds, then ends the
// program: its first top-level window mapped on the X display, that window's
// first full frame (the damage it reports covers the whole window), and the
// first click answered (a synthetic left click on a table cell, sent once
// the first frame is there, until the window's next damage over that cell). The clock
// starts just before the fork, so process start, library loading and
// everything the program does before showing its window are counted alike
// for every program; the click is timed from the moment it is sent.
//
//   first_map_timer <program> [arguments...]
//   prints "<map> <frame> <click>"
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

    // Every top-level window gets its damage watched as it is created, so
    // no drawing between its mapping and this probe hearing of it is lost.
    bool WaitForMap() {
        return WaitFor([this](const xcb_generic_event_t* event) {
            if ((event->response_type & 0x7f) == XCB_CREATE_NOTIFY) {
                const auto* created = reinterpret_cast<const xcb_create_notify_event_t*>(event);
                if (created->override_redirect) return false;
                xcb_damage_create(x_, xcb_generate_id(x_), created->window,
                                  XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
                xcb_flush(x_);
                return false;
            }
            if (!IsTopLevelMap(event)) return false;
            window_ = reinterpret_cast<const xcb_map_notify_event_t*>(event)->window;
            return true;
        });
    }

    // Until the damaged rectangles' bounding box covers the whole window.
    bool WaitForFullFrame() {
        int left = 1 << 15, top = 1 << 15, right = -1, bottom = -1;
        return WaitFor([&](const xcb_generic_event_t* event) {
            if ((event->response_type & 0x7f) != damageEvent_) return false;
            const auto* damage = reinterpret_cast<const xcb_damage_notify_event_t*>(event);
            if (damage->drawable != window_) return false;
            left = std::min<int>(left, damage->area.x);
            top = std::min<int>(top, damage->area.y);
            right = std::max(right, damage->area.x + damage->area.width);
            bottom = std::max(bottom, damage->area.y + damage->area.height);
            return left <= 0 && top <= 0 && right >= damage->geometry.width &&
                   bottom >= damage->geometry.height;
        });
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
        while (xcb_generic_event_t* event = xcb_poll_for_event(x_)) std::free(event);
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

  private:
    xcb_window_t Root() const { return xcb_setup_roots_iterator(xcb_get_setup(x_)).data->root; }
    void Sync() { free(xcb_get_input_focus_reply(x_, xcb_get_input_focus(x_), nullptr)); }

    xcb_connection_t* x_;
    pid_t child_;
    uint8_t damageEvent_ = 0;
    xcb_window_t window_ = XCB_NONE;
};

double Milliseconds(Clock::duration elapsed) {
    return std::chrono::duration<double, std::milli>(elapsed).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <program> [arguments...]\n", argv[0]);
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
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    if (child < 0) return 2;
    Probe probe(x.connection, child);
    Clock::time_point mapped, framed, clicked;
    const bool measured = probe.WaitForMap() &&
                          ((mapped = Clock::now()), probe.WaitForFullFrame()) &&
                          ((framed = Clock::now()), probe.ClickAndWaitForAnswer(clicked));
    const auto answered = Clock::now();
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    if (!measured) return 1;
    std::printf("%.2f %.2f %.2f\n", Milliseconds(mapped - start), Milliseconds(framed - start),
                Milliseconds(answered - clicked));
    return 0;
}
