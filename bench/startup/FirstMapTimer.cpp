// Starts a program and prints the milliseconds until its first top-level
// window is mapped on the X display, then ends the program. The clock starts
// just before the fork, so process start, library loading and everything the
// program does before showing its window are counted alike for every program.
//
//   first_map_timer <program> [arguments...]
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

struct XcbConnection {
    xcb_connection_t* connection;
    ~XcbConnection() { xcb_disconnect(connection); }
};

bool IsTopLevelMap(const xcb_generic_event_t* event) {
    if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY) return false;
    // Menus and tooltips are override-redirect; a main window is not.
    return !reinterpret_cast<const xcb_map_notify_event_t*>(event)->override_redirect;
}

// Waits for the first top-level map. Gives up, saying why, when the program
// ends first or the display goes away.
bool WaitForTopLevelMap(xcb_connection_t* connection, pid_t child) {
    pollfd display{xcb_get_file_descriptor(connection), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const bool mapped = IsTopLevelMap(event);
            std::free(event);
            if (mapped) return true;
        }
        if (xcb_connection_has_error(connection)) {
            std::fprintf(stderr, "lost the X display\n");
            return false;
        }
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "the program ended (status %d) before showing a window\n", status);
            return false;
        }
        poll(&display, 1, 20);
    }
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

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    if (child < 0) return 2;
    const bool mapped = WaitForTopLevelMap(x.connection, child);
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    if (!mapped) return 1;
    std::printf("%.2f\n", elapsed.count());
    return 0;
}
