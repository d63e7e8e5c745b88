#include "TopLevelWindows.h"

#include "WmClass.h"

#include <xcb/xcb.h>

#include <unistd.h>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

namespace {

// Depth of the tree walk below the root: the client itself, a reparenting window manager's frame
// around it, and the container some managers put between the two.
constexpr int kTreeWalkLevels = 3;
// Longest property value read, in 32-bit units (titles and class names are far shorter).
constexpr uint32_t kPropertyLimit = 16384;

template <typename T>
using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
XcbReply<T> Reply(T* pReply) {
    return XcbReply<T>(pReply, &std::free);
}

// One connection to the display, closed when it goes.
class CDisplay {
public:
    CDisplay() {
        int nScreen = 0;
        m_pConn = xcb_connect(nullptr, &nScreen);
        if (xcb_connection_has_error(m_pConn) != 0) {
            return;
        }
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(m_pConn));
        for (int i = 0; i < nScreen && it.rem > 0; ++i) {
            xcb_screen_next(&it);
        }
        if (it.rem > 0) {
            m_pScreen = it.data;
        }
    }
    ~CDisplay() { xcb_disconnect(m_pConn); }
    CDisplay(const CDisplay&) = delete;
    CDisplay& operator=(const CDisplay&) = delete;

    bool IsOpen() const { return m_pScreen != nullptr; }
    xcb_connection_t* Conn() const { return m_pConn; }
    const xcb_screen_t& Screen() const { return *m_pScreen; }
    xcb_window_t Root() const { return m_pScreen->root; }

    // Returns once the server has handled every request sent so far: a request that is merely
    // flushed before the connection closes may be dropped with it.
    void Sync() const { std::free(xcb_get_input_focus_reply(m_pConn, xcb_get_input_focus(m_pConn), nullptr)); }

    // The atom of szName, or XCB_ATOM_NONE when the server has none (so no window carries it).
    xcb_atom_t Atom(std::string_view szName) const {
        auto pReply = Reply(xcb_intern_atom_reply(
            m_pConn, xcb_intern_atom(m_pConn, 1, static_cast<uint16_t>(szName.size()), szName.data()), nullptr));
        return pReply ? pReply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

private:
    xcb_connection_t* m_pConn = nullptr;
    xcb_screen_t* m_pScreen = nullptr;
};

xcb_get_property_cookie_t AskProperty(const CDisplay& display, xcb_window_t wnd, xcb_atom_t atom) {
    return xcb_get_property(display.Conn(), 0, wnd, atom, XCB_GET_PROPERTY_TYPE_ANY, 0, kPropertyLimit);
}

// The property's bytes; empty when the window or the property is gone (a window may vanish at any
// moment between two requests, which xcb reports as an error reply, not a failure).
std::string PropertyBytes(const CDisplay& display, xcb_get_property_cookie_t cookie) {
    auto pReply = Reply(xcb_get_property_reply(display.Conn(), cookie, nullptr));
    if (!pReply || pReply->type == XCB_ATOM_NONE) {
        return {};
    }
    const auto* pData = static_cast<const char*>(xcb_get_property_value(pReply.get()));
    return std::string(pData, static_cast<size_t>(xcb_get_property_value_length(pReply.get())));
}

// The 32-bit items of a property (window lists, atom lists, a pid).
std::vector<uint32_t> PropertyWords(const CDisplay& display, xcb_get_property_cookie_t cookie) {
    auto pReply = Reply(xcb_get_property_reply(display.Conn(), cookie, nullptr));
    if (!pReply || pReply->format != 32) {
        return {};
    }
    const auto* pData = static_cast<const uint32_t*>(xcb_get_property_value(pReply.get()));
    return std::vector<uint32_t>(pData, pData + xcb_get_property_value_length(pReply.get()) / 4);
}

// The children of every window in parents, asked for all at once.
std::vector<xcb_window_t> ChildrenOf(const CDisplay& display, const std::vector<xcb_window_t>& parents) {
    std::vector<xcb_query_tree_cookie_t> cookies;
    cookies.reserve(parents.size());
    for (xcb_window_t wnd : parents) {
        cookies.push_back(xcb_query_tree(display.Conn(), wnd));
    }
    std::vector<xcb_window_t> children;
    for (xcb_query_tree_cookie_t cookie : cookies) {
        auto pReply = Reply(xcb_query_tree_reply(display.Conn(), cookie, nullptr));
        if (pReply) {
            const xcb_window_t* pChildren = xcb_query_tree_children(pReply.get());
            children.insert(children.end(), pChildren, pChildren + xcb_query_tree_children_length(pReply.get()));
        }
    }
    return children;
}

// The window manager's client list followed by the tree walk, each window once.
std::vector<xcb_window_t> TopLevelCandidates(const CDisplay& display) {
    std::vector<xcb_window_t> candidates;
    std::set<xcb_window_t> seen;
    auto add = [&](xcb_window_t wnd) {
        if (seen.insert(wnd).second) {
            candidates.push_back(wnd);
        }
    };
    const xcb_atom_t atomClientList = display.Atom("_NET_CLIENT_LIST");
    if (atomClientList != XCB_ATOM_NONE) {
        for (uint32_t wnd : PropertyWords(display, AskProperty(display, display.Root(), atomClientList))) {
            add(wnd);
        }
    }
    // The walk is done even when a client list exists: some managers list only the windows they
    // manage, and the walk also covers a display without a window manager.
    std::vector<xcb_window_t> level{display.Root()};
    for (int nLevel = 0; nLevel < kTreeWalkLevels && !level.empty(); ++nLevel) {
        level = ChildrenOf(display, level);
        std::for_each(level.begin(), level.end(), add);
    }
    return candidates;
}

// The windows among candidates whose WM_CLASS matches pszClassName (all, when it is null).
std::vector<xcb_window_t> WithClass(const CDisplay& display, const std::vector<xcb_window_t>& candidates,
                                    const char* pszClassName) {
    if (pszClassName == nullptr) {
        return candidates;
    }
    std::vector<xcb_get_property_cookie_t> cookies;
    cookies.reserve(candidates.size());
    for (xcb_window_t wnd : candidates) {
        cookies.push_back(AskProperty(display, wnd, XCB_ATOM_WM_CLASS));
    }
    std::vector<xcb_window_t> matches;
    for (size_t i = 0; i < candidates.size(); ++i) {
        if (WmClassMatches(ParseWmClass(PropertyBytes(display, cookies[i])), pszClassName)) {
            matches.push_back(candidates[i]);
        }
    }
    return matches;
}

// The process id a window declares, or -1.
int64_t WindowPid(const CDisplay& display, xcb_window_t wnd, xcb_atom_t atomPid) {
    if (atomPid == XCB_ATOM_NONE) {
        return -1;
    }
    const std::vector<uint32_t> words = PropertyWords(display, AskProperty(display, wnd, atomPid));
    return words.empty() ? -1 : static_cast<int64_t>(words.front());
}

// The window's title: _NET_WM_NAME when it has one, else WM_NAME.
std::string WindowTitle(const CDisplay& display, xcb_window_t wnd, xcb_atom_t atomNetName) {
    if (atomNetName != XCB_ATOM_NONE) {
        std::string strTitle = PropertyBytes(display, AskProperty(display, wnd, atomNetName));
        if (!strTitle.empty()) {
            return strTitle;
        }
    }
    return PropertyBytes(display, AskProperty(display, wnd, XCB_ATOM_WM_NAME));
}

bool IsViewable(const CDisplay& display, xcb_window_t wnd) {
    auto pReply =
        Reply(xcb_get_window_attributes_reply(display.Conn(), xcb_get_window_attributes(display.Conn(), wnd), nullptr));
    return pReply && pReply->map_state == XCB_MAP_STATE_VIEWABLE;
}

// True when the window manager announces maximising through _NET_WM_STATE.
bool ManagerMaximises(const CDisplay& display, xcb_atom_t atomMaxVert, xcb_atom_t atomMaxHorz) {
    const xcb_atom_t atomSupported = display.Atom("_NET_SUPPORTED");
    if (atomSupported == XCB_ATOM_NONE || atomMaxVert == XCB_ATOM_NONE) {
        return false;
    }
    const std::vector<uint32_t> supported = PropertyWords(display, AskProperty(display, display.Root(), atomSupported));
    auto has = [&](xcb_atom_t atom) { return std::find(supported.begin(), supported.end(), atom) != supported.end(); };
    return has(atomMaxVert) && has(atomMaxHorz);
}

void AskManagerToMaximise(const CDisplay& display, xcb_window_t wnd, xcb_atom_t atomState, xcb_atom_t atomMaxVert,
                          xcb_atom_t atomMaxHorz) {
    constexpr uint32_t kNetWmStateAdd = 1;
    constexpr uint32_t kSourceApplication = 1;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = wnd;
    event.type = atomState;
    event.data.data32[0] = kNetWmStateAdd;
    event.data.data32[1] = atomMaxVert;
    event.data.data32[2] = atomMaxHorz;
    event.data.data32[3] = kSourceApplication;
    xcb_send_event(display.Conn(), 0, display.Root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
}

void FillScreen(const CDisplay& display, xcb_window_t wnd) {
    const uint32_t values[] = {0, 0, display.Screen().width_in_pixels, display.Screen().height_in_pixels};
    xcb_configure_window(display.Conn(), wnd,
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         values);
}

}  // namespace

bool FindTopLevelWindow(const char* pszClassName, const char* pszTitle) {
    const CDisplay display;
    if (!display.IsOpen()) {
        return false;
    }
    const xcb_atom_t atomPid = display.Atom("_NET_WM_PID");
    const xcb_atom_t atomNetName = display.Atom("_NET_WM_NAME");
    const int64_t nOwnPid = getpid();
    for (xcb_window_t wnd : WithClass(display, TopLevelCandidates(display), pszClassName)) {
        if (WindowPid(display, wnd, atomPid) == nOwnPid) {
            continue;
        }
        if (pszTitle == nullptr || WindowTitle(display, wnd, atomNetName) == pszTitle) {
            return true;
        }
    }
    return false;
}

int32_t MaximiseWindowsOfProcess(int64_t nPid) {
    const CDisplay display;
    if (!display.IsOpen() || nPid <= 0) {
        return 0;
    }
    const xcb_atom_t atomPid = display.Atom("_NET_WM_PID");
    const xcb_atom_t atomState = display.Atom("_NET_WM_STATE");
    const xcb_atom_t atomMaxVert = display.Atom("_NET_WM_STATE_MAXIMIZED_VERT");
    const xcb_atom_t atomMaxHorz = display.Atom("_NET_WM_STATE_MAXIMIZED_HORZ");
    const bool bManaged = ManagerMaximises(display, atomMaxVert, atomMaxHorz);
    int32_t nFound = 0;
    for (xcb_window_t wnd : TopLevelCandidates(display)) {
        if (WindowPid(display, wnd, atomPid) != nPid || !IsViewable(display, wnd)) {
            continue;
        }
        if (bManaged) {
            AskManagerToMaximise(display, wnd, atomState, atomMaxVert, atomMaxHorz);
        } else {
            FillScreen(display, wnd);
        }
        ++nFound;
    }
    display.Sync();
    return nFound;
}

}  // namespace velmora
