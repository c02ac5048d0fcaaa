// How a focused X11 window is traced to its application. Window managers
// announce the client window in _NET_ACTIVE_WINDOW, but toolkits and older
// managers do not always: Java and some Qt versions focus a proxy child
// without WM_CLASS, a dialog may lack it and point at its owner through
// WM_TRANSIENT_FOR, and a reparenting manager may name its frame, whose
// client child carries WM_STATE. The walk tries, in order, the window itself,
// a child with WM_STATE, the transient owner, then the parent, a bounded
// number of steps so a cycle of transient hints cannot hang the loop.
#include "platform/linux/focus/X11Window.h"

#include <QString>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace bindwell::linuxplatform {
namespace {

constexpr int maxSteps = 8;
constexpr int maxFrameDepth = 2;
constexpr uint32_t maxPropertyWords = 1024;

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t intern(xcb_connection_t* connection, std::string_view name) {
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.data()),
        nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::string lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

bool X11Window::init(xcb_connection_t* connection) {
    connection_ = connection;
    activeWindow_ = intern(connection, "_NET_ACTIVE_WINDOW");
    netWmName_ = intern(connection, "_NET_WM_NAME");
    utf8String_ = intern(connection, "UTF8_STRING");
    wmState_ = intern(connection, "WM_STATE");
    return activeWindow_ != XCB_ATOM_NONE;
}

std::optional<std::string> X11Window::property(xcb_window_t window, xcb_atom_t atom,
                                               xcb_atom_t* type) const {
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection_,
                               xcb_get_property(connection_, 0, window, atom,
                                                XCB_GET_PROPERTY_TYPE_ANY, 0, maxPropertyWords),
                               nullptr));
    if (!reply || reply->type == XCB_ATOM_NONE) {
        return std::nullopt;
    }
    if (type) {
        *type = reply->type;
    }
    const auto* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return std::string(data, static_cast<size_t>(xcb_get_property_value_length(reply.get())));
}

bool X11Window::hasProperty(xcb_window_t window, xcb_atom_t atom) const {
    return property(window, atom).has_value();
}

xcb_window_t X11Window::windowProperty(xcb_window_t window, xcb_atom_t atom) const {
    const auto value = property(window, atom);
    xcb_window_t result = XCB_WINDOW_NONE;
    if (value && value->size() >= sizeof result) {
        std::copy_n(value->data(), sizeof result, reinterpret_cast<char*>(&result));
    }
    return result;
}

xcb_window_t X11Window::parentOf(xcb_window_t window) const {
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr));
    if (!tree || tree->parent == tree->root) {
        return XCB_WINDOW_NONE;
    }
    return tree->parent;
}

xcb_window_t X11Window::childWithState(xcb_window_t window, int depth) const {
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr));
    if (!tree) {
        return XCB_WINDOW_NONE;
    }
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    for (int i = 0; i < count; ++i) {
        if (hasProperty(children[i], wmState_)) {
            return children[i];
        }
    }
    for (int i = 0; depth > 1 && i < count; ++i) {
        if (const xcb_window_t found = childWithState(children[i], depth - 1)) {
            return found;
        }
    }
    return XCB_WINDOW_NONE;
}

xcb_window_t X11Window::clientOf(xcb_window_t window) const {
    xcb_window_t candidate = window;
    for (int step = 0; step < maxSteps && candidate != XCB_WINDOW_NONE; ++step) {
        if (hasProperty(candidate, XCB_ATOM_WM_CLASS)) {
            return candidate;
        }
        xcb_window_t next = childWithState(candidate, maxFrameDepth);
        if (next == XCB_WINDOW_NONE) {
            next = windowProperty(candidate, XCB_ATOM_WM_TRANSIENT_FOR);
        }
        if (next == XCB_WINDOW_NONE) {
            next = parentOf(candidate);
        }
        candidate = next;
    }
    return window;
}

std::string X11Window::title(xcb_window_t window) const {
    if (auto name = property(window, netWmName_); name && !name->empty()) {
        return *name;
    }
    xcb_atom_t type = XCB_ATOM_NONE;
    const auto name = property(window, XCB_ATOM_WM_NAME, &type);
    if (!name) {
        return {};
    }
    if (type == XCB_ATOM_STRING) {
        return QString::fromLatin1(name->data(), static_cast<qsizetype>(name->size()))
            .toStdString();
    }
    return *name;
}

FocusedApp X11Window::describe(xcb_window_t client) const {
    if (client == XCB_WINDOW_NONE) {
        return {};
    }
    FocusedApp app;
    if (const auto wmClass = property(client, XCB_ATOM_WM_CLASS)) {
        // "instance\0class\0"
        const std::string instance = wmClass->substr(0, wmClass->find('\0'));
        if (instance.size() < wmClass->size()) {
            app.wmClass = wmClass->substr(instance.size() + 1);
            app.wmClass.erase(std::min(app.wmClass.find('\0'), app.wmClass.size()));
        }
        app.appId = lowercase(app.wmClass.empty() ? instance : app.wmClass);
    }
    app.title = title(client);
    return app;
}

xcb_window_t X11Window::activeWindow(xcb_window_t root) const {
    return windowProperty(root, activeWindow_);
}

bool X11Window::isTitleAtom(xcb_atom_t atom) const {
    return atom == netWmName_ || atom == XCB_ATOM_WM_NAME;
}

} // namespace bindwell::linuxplatform
