#include "app/frame_extents.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <thread>

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

namespace app {
namespace {

using reply_ptr = std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)>;

xcb_atom_t intern(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(xcb_intern_atom_reply(connection, cookie, nullptr),
                                                                       &std::free);
    return reply ? reply->atom : XCB_ATOM_NONE;
}

reply_ptr cardinal_property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                            uint32_t max_items) {
    const xcb_get_property_cookie_t cookie = xcb_get_property(connection, 0, window, property, type, 0, max_items);
    return reply_ptr(xcb_get_property_reply(connection, cookie, nullptr), &std::free);
}

std::span<const uint32_t> items(const reply_ptr& reply) {
    if (!reply || reply->format != 32) return {};
    return {static_cast<const uint32_t*>(xcb_get_property_value(reply.get())),
            static_cast<std::size_t>(xcb_get_property_value_length(reply.get())) / sizeof(uint32_t)};
}

// The window manager lists the requests it answers in the root window's _NET_SUPPORTED.
bool window_manager_answers(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t request) {
    const xcb_atom_t supported = intern(connection, "_NET_SUPPORTED");
    const reply_ptr reply = cardinal_property(connection, root, supported, XCB_ATOM_ATOM, 1024);
    return std::ranges::find(items(reply), request) != items(reply).end();
}

}  // namespace

FrameExtentsQuery::FrameExtentsQuery(QWidget& window) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const auto native_window = static_cast<xcb_window_t>(window.winId());
    // The offscreen platform has the interface too, without a connection.
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) return;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t request = intern(connection, "_NET_REQUEST_FRAME_EXTENTS");
    if (request == XCB_ATOM_NONE || !window_manager_answers(connection, root, request)) return;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = native_window;
    message.type = request;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    connection_ = connection;
    window_ = native_window;
    extents_atom_ = intern(connection, "_NET_FRAME_EXTENTS");
}

std::optional<FrameExtents> FrameExtentsQuery::answer(std::chrono::milliseconds timeout) const {
    if (connection_ == nullptr) return std::nullopt;
    auto* connection = static_cast<xcb_connection_t*>(connection_);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        const reply_ptr reply = cardinal_property(connection, window_, extents_atom_, XCB_ATOM_CARDINAL, 4);
        if (const std::span<const uint32_t> v = items(reply); v.size() == 4)
            return FrameExtents{static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
                                static_cast<int>(v[3])};
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

}  // namespace app
