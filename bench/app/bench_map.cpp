// Milliseconds from starting a command to the moment the display server maps its window with the
// given title, seen as the server reports it instead of by polling (a poll every few
// milliseconds starts processes that compete with the program being measured).
//
//   bench_map TITLE COMMAND...
//
// Prints the milliseconds, or "nan" when the command ends or 20 s pass first, and then ends the
// command with SIGTERM.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

std::string Title(xcb_connection_t* connection, xcb_window_t window) {
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
  Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, cookie, nullptr),
                                        &std::free);
  if (!reply) return {};
  return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                     static_cast<size_t>(xcb_get_property_value_length(reply.get())));
}

bool Viewable(xcb_connection_t* connection, xcb_window_t window) {
  Reply<xcb_get_window_attributes_reply_t> reply(
      xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window),
                                      nullptr),
      &std::free);
  return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

// Watches a new top-level window: its own map and title changes are reported from now on.
void Watch(xcb_connection_t* connection, xcb_window_t window) {
  const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &mask);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: bench_map TITLE COMMAND...\n");
    return 2;
  }
  const std::string_view title = argv[1];
  int screen_number = 0;
  xcb_connection_t* connection = xcb_connect(nullptr, &screen_number);
  if (xcb_connection_has_error(connection)) {
    std::fprintf(stderr, "bench_map: no display\n");
    return 1;
  }
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  // New top-level windows are created as children of the root.
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection);

  const Clock::time_point start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  double milliseconds = -1;
  std::vector<xcb_window_t> watched;
  const int fd = xcb_get_file_descriptor(connection);
  while (milliseconds < 0 && Clock::now() - start < std::chrono::seconds(20)) {
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) break;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(fd, &readable);
    timeval timeout{0, 50000};
    select(fd + 1, &readable, nullptr, nullptr, &timeout);
    while (xcb_generic_event_t* raw = xcb_poll_for_event(connection)) {
      const Reply<xcb_generic_event_t> event(raw, &std::free);
      const Clock::time_point at = Clock::now();
      const uint8_t type = event->response_type & 0x7f;
      if (type == XCB_CREATE_NOTIFY) {
        const xcb_window_t window = reinterpret_cast<xcb_create_notify_event_t*>(raw)->window;
        Watch(connection, window);
        watched.push_back(window);
      } else if (type != XCB_MAP_NOTIFY && type != XCB_PROPERTY_NOTIFY &&
                 type != XCB_REPARENT_NOTIFY) {
        continue;
      }
      // A window manager maps the window inside a frame of its own: the window is viewable
      // once both are mapped, whichever comes last.
      for (const xcb_window_t window : watched) {
        if (Title(connection, window).find(title) != std::string::npos &&
            Viewable(connection, window)) {
          milliseconds = std::chrono::duration<double, std::milli>(at - start).count();
          break;
        }
      }
      if (milliseconds >= 0) break;
    }
  }
  if (milliseconds < 0) {
    std::printf("nan\n");
  } else {
    std::printf("%.1f\n", milliseconds);
  }
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  xcb_disconnect(connection);
  return milliseconds < 0 ? 1 : 0;
}
