// startup_probe: times one start of a windowed program on the X display in
// $DISPLAY, driven by X events only (no polling of window state).
//
//   startup_probe [--settle-ms N] [--timeout-ms N] PROGRAM [ARGS...]
//
// It watches the root window for new top-level windows before it starts the
// program, takes t0 = CLOCK_MONOTONIC right before posix_spawn, and then:
//   - every new top-level window gets StructureNotify and a Damage object;
//   - the program's window is the first one mapped whose _NET_WM_PID is the
//     child's pid;
//   - t_map is the moment that window becomes viewable (it and, under a window
//     manager, the frame it was reparented into are mapped);
//   - t_paint is the first DamageNotify on that window after t_map: the first
//     time anything is drawn into it.
// After a settle time it asks the window to close (WM_DELETE_WINDOW), waits for
// the child (killing it by pid if it does not end in time) and reads its peak
// resident set from wait4's rusage. The window must have a background of None
// (Qt's top-levels do), or the server's own background fill would count as
// the first paint.
//
// Prints one line on stdout:
//   map_ms=<t_map-t0> paint_ms=<t_paint-t0> maxrss_kib=<ru_maxrss> exit=<status>
// and exits 0 only if the window was mapped and painted and the program ended
// with status 0. The program's own stdout goes to stderr.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

extern char** environ;

namespace {

using ms = double;

ms now_ms()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

template <typename T>
using reply_ptr = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
reply_ptr<T> take(T* reply) { return reply_ptr<T>(reply, &std::free); }

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "startup_probe: %s\n", what);
    std::exit(2);
}

xcb_atom_t intern(xcb_connection_t* c, std::string_view name)
{
    auto reply = take(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(name.size()), name.data()), nullptr));
    if (!reply) fail("cannot intern an atom");
    return reply->atom;
}

struct options {
    int settle_ms = 300;
    int timeout_ms = 10000;
    char** argv = nullptr;
};

options parse(int argc, char** argv)
{
    options o;
    int i = 1;
    for (; i + 1 < argc && argv[i][0] == '-'; i += 2) {
        const std::string_view flag = argv[i];
        if (flag == "--settle-ms") o.settle_ms = std::atoi(argv[i + 1]);
        else if (flag == "--timeout-ms") o.timeout_ms = std::atoi(argv[i + 1]);
        else break;
    }
    if (i >= argc) fail("usage: startup_probe [--settle-ms N] [--timeout-ms N] PROGRAM [ARGS...]");
    o.argv = argv + i;
    return o;
}

// The X side of one run.
class watcher {
public:
    watcher()
    {
        conn_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(conn_)) fail("cannot connect to the X display");
        root_ = xcb_setup_roots_iterator(xcb_get_setup(conn_)).data->root;
        const auto* ext = xcb_get_extension_data(conn_, &xcb_damage_id);
        if (!ext || !ext->present) fail("the X server has no DAMAGE extension");
        damage_event_ = ext->first_event + XCB_DAMAGE_NOTIFY;
        take(xcb_damage_query_version_reply(conn_, xcb_damage_query_version(conn_, 1, 1), nullptr));
        net_wm_pid_ = intern(conn_, "_NET_WM_PID");
        wm_protocols_ = intern(conn_, "WM_PROTOCOLS");
        wm_delete_window_ = intern(conn_, "WM_DELETE_WINDOW");
        select_events(root_, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY);
        // The selection is in force once a round trip has come back.
        take(xcb_get_input_focus_reply(conn_, xcb_get_input_focus(conn_), nullptr));
    }
    ~watcher() { xcb_disconnect(conn_); }
    watcher(const watcher&) = delete;
    watcher& operator=(const watcher&) = delete;

    int fd() const { return xcb_get_file_descriptor(conn_); }
    bool broken() const { return xcb_connection_has_error(conn_) != 0; }
    void expect_pid(pid_t pid) { pid_ = pid; }
    std::optional<ms> mapped_at() const { return mapped_at_; }
    std::optional<ms> painted_at() const { return painted_at_; }

    // Handles every event that has arrived.
    void drain()
    {
        while (auto* raw = xcb_poll_for_event(conn_)) {
            auto event = take(raw);
            handle(event.get(), now_ms());
        }
        xcb_flush(conn_);
    }

    bool close_window()
    {
        if (target_ == XCB_NONE) return false;
        xcb_client_message_event_t msg{};
        msg.response_type = XCB_CLIENT_MESSAGE;
        msg.format = 32;
        msg.window = target_;
        msg.type = wm_protocols_;
        msg.data.data32[0] = wm_delete_window_;
        msg.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(conn_, 0, target_, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&msg));
        xcb_flush(conn_);
        return true;
    }

private:
    void select_events(xcb_window_t w, uint32_t mask)
    {
        xcb_change_window_attributes(conn_, w, XCB_CW_EVENT_MASK, &mask);
    }

    void handle(const xcb_generic_event_t* event, ms at)
    {
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY)
            track(reinterpret_cast<const xcb_create_notify_event_t*>(event)->window);
        else if (type == XCB_MAP_NOTIFY)
            on_map(reinterpret_cast<const xcb_map_notify_event_t*>(event)->window, at);
        else if (type == damage_event_)
            on_damage(reinterpret_cast<const xcb_damage_notify_event_t*>(event)->drawable, at);
    }

    // A new child of the root: the program's window, a frame, or anything else.
    void track(xcb_window_t w)
    {
        if (!tracked_.insert(w).second) return;
        select_events(w, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
        xcb_damage_create(conn_, xcb_generate_id(conn_), w, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        // Mapped before the selection took effect: treat it as mapped now.
        auto attrs = take(xcb_get_window_attributes_reply(conn_, xcb_get_window_attributes(conn_, w), nullptr));
        if (attrs && attrs->map_state != XCB_MAP_STATE_UNMAPPED) on_map(w, now_ms());
    }

    void on_map(xcb_window_t w, ms at)
    {
        if (target_ == XCB_NONE && tracked_.count(w) && window_pid(w) == pid_) target_ = w;
        if (target_ != XCB_NONE && !mapped_at_ && viewable(target_)) mapped_at_ = at;
    }

    void on_damage(xcb_drawable_t d, ms at)
    {
        if (d == target_ && mapped_at_ && !painted_at_) painted_at_ = at;
    }

    std::optional<pid_t> window_pid(xcb_window_t w)
    {
        auto reply = take(xcb_get_property_reply(
            conn_, xcb_get_property(conn_, 0, w, net_wm_pid_, XCB_ATOM_CARDINAL, 0, 1), nullptr));
        if (!reply || xcb_get_property_value_length(reply.get()) != 4) return std::nullopt;
        return static_cast<pid_t>(*static_cast<const uint32_t*>(xcb_get_property_value(reply.get())));
    }

    bool viewable(xcb_window_t w)
    {
        auto attrs = take(xcb_get_window_attributes_reply(conn_, xcb_get_window_attributes(conn_, w), nullptr));
        return attrs && attrs->map_state == XCB_MAP_STATE_VIEWABLE;
    }

    xcb_connection_t* conn_ = nullptr;
    xcb_window_t root_ = XCB_NONE;
    uint8_t damage_event_ = 0;
    xcb_atom_t net_wm_pid_ = XCB_NONE, wm_protocols_ = XCB_NONE, wm_delete_window_ = XCB_NONE;
    pid_t pid_ = -1;
    std::set<xcb_window_t> tracked_;
    xcb_window_t target_ = XCB_NONE;
    std::optional<ms> mapped_at_, painted_at_;
};

pid_t spawn(char** argv)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, STDERR_FILENO, STDOUT_FILENO);
    pid_t pid = -1;
    const int err = posix_spawnp(&pid, argv[0], &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (err != 0) {
        std::fprintf(stderr, "startup_probe: cannot start %s: %s\n", argv[0], std::strerror(err));
        std::exit(2);
    }
    return pid;
}

// Waits for X events or the child's end until `done` holds or `deadline` passes.
// Returns false if the child ended first.
template <typename Done>
bool pump(watcher& x, int child_fd, ms deadline, Done done)
{
    while (!done()) {
        const ms left = deadline - now_ms();
        if (left <= 0 || x.broken()) return true;
        pollfd fds[2] = {{x.fd(), POLLIN, 0}, {child_fd, POLLIN, 0}};
        poll(fds, 2, static_cast<int>(left) + 1);
        x.drain();
        if (fds[1].revents & POLLIN) return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const options opt = parse(argc, argv);
    watcher x;

    const ms t0 = now_ms();
    const pid_t pid = spawn(opt.argv);
    x.expect_pid(pid);
    const int child_fd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (child_fd < 0) fail("pidfd_open failed");

    const bool alive = pump(x, child_fd, t0 + opt.timeout_ms, [&] { return x.painted_at().has_value(); });
    if (alive) {
        const ms settle_end = now_ms() + opt.settle_ms;
        pump(x, child_fd, settle_end, [] { return false; });
        if (x.close_window()) pump(x, child_fd, now_ms() + 5000, [] { return false; });
    }

    pollfd ended{child_fd, POLLIN, 0};
    if (poll(&ended, 1, 0) == 0) kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const int exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);

    const auto report = [&](const std::optional<ms>& t) {
        return t ? std::to_string(*t - t0) : std::string("nan");
    };
    std::printf("map_ms=%s paint_ms=%s maxrss_kib=%ld exit=%d\n", report(x.mapped_at()).c_str(),
                report(x.painted_at()).c_str(), usage.ru_maxrss, exit_status);
    return x.mapped_at() && x.painted_at() && exit_status == 0 ? 0 : 1;
}
