// fake-host: opens one top-level X11 window whose WM_CLASS class is "AfxFrameOrView42", the class
// of the authoring tool's main window that Velmora looks for, and keeps it open until it is
// closed or the program is killed. Tests start it in place of the tool, and so can anyone who
// wants to try Velmora's conversion commands without the tool.
//
//   fake-host [--class NAME] [--instance NAME] [--title TEXT] [--framed]
//
// --class and --instance set the two halves of WM_CLASS (defaults "AfxFrameOrView42" and
// "fake-host"); --title the window title; --framed puts the window inside a parent window of its
// own, as a reparenting window manager would. The window also carries _NET_WM_PID. Once the window
// is mapped the program prints its id in hexadecimal on standard output.

#include <xcb/xcb.h>

#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace {

struct Options {
    std::string strClass = "AfxFrameOrView42";
    std::string strInstance = "fake-host";
    std::string strTitle = "Stand-in for the authoring tool";
    bool bFramed = false;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view szArg = argv[i];
        const bool bHasValue = i + 1 < argc;
        if (szArg == "--class" && bHasValue) {
            options.strClass = argv[++i];
        } else if (szArg == "--instance" && bHasValue) {
            options.strInstance = argv[++i];
        } else if (szArg == "--title" && bHasValue) {
            options.strTitle = argv[++i];
        } else if (szArg == "--framed") {
            options.bFramed = true;
        } else {
            return false;
        }
    }
    return true;
}

xcb_atom_t Atom(xcb_connection_t* pConn, std::string_view szName) {
    xcb_intern_atom_reply_t* pReply = xcb_intern_atom_reply(
        pConn, xcb_intern_atom(pConn, 0, static_cast<uint16_t>(szName.size()), szName.data()), nullptr);
    const xcb_atom_t atom = pReply != nullptr ? pReply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(pReply);
    return atom;
}

void SetProperty(xcb_connection_t* pConn, xcb_window_t wnd, xcb_atom_t atom, xcb_atom_t type, uint8_t nFormat,
                 uint32_t nItems, const void* pData) {
    xcb_change_property(pConn, XCB_PROP_MODE_REPLACE, wnd, atom, type, nFormat, nItems, pData);
}

xcb_window_t CreateWindow(xcb_connection_t* pConn, const xcb_screen_t& screen, xcb_window_t parent, int16_t x,
                          int16_t y, uint16_t width, uint16_t height, uint32_t nBackground) {
    const xcb_window_t wnd = xcb_generate_id(pConn);
    const uint32_t values[] = {nBackground, XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(pConn, XCB_COPY_FROM_PARENT, wnd, parent, x, y, width, height, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen.root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    return wnd;
}

// The client window's identity: WM_CLASS, titles, process id, and the close button's protocol.
void DescribeClient(xcb_connection_t* pConn, xcb_window_t wnd, const Options& options, xcb_atom_t atomDelete) {
    std::string strWmClass = options.strInstance;
    strWmClass += '\0';
    strWmClass += options.strClass;
    strWmClass += '\0';
    SetProperty(pConn, wnd, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, static_cast<uint32_t>(strWmClass.size()),
                strWmClass.data());
    SetProperty(pConn, wnd, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, static_cast<uint32_t>(options.strTitle.size()),
                options.strTitle.data());
    SetProperty(pConn, wnd, Atom(pConn, "_NET_WM_NAME"), Atom(pConn, "UTF8_STRING"), 8,
                static_cast<uint32_t>(options.strTitle.size()), options.strTitle.data());
    const uint32_t nPid = static_cast<uint32_t>(getpid());
    SetProperty(pConn, wnd, Atom(pConn, "_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &nPid);
    char szHost[256] = {};
    gethostname(szHost, sizeof szHost - 1);
    SetProperty(pConn, wnd, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING, 8, static_cast<uint32_t>(std::strlen(szHost)),
                szHost);
    SetProperty(pConn, wnd, Atom(pConn, "WM_PROTOCOLS"), XCB_ATOM_ATOM, 32, 1, &atomDelete);
}

// A graphics context that writes in the server's "fixed" font, or 0 when the server has no such
// font (the window then stays plain grey).
xcb_gcontext_t CreateTextGc(xcb_connection_t* pConn, const xcb_screen_t& screen, xcb_window_t wnd) {
    const xcb_font_t font = xcb_generate_id(pConn);
    constexpr std::string_view kFontName = "fixed";
    xcb_generic_error_t* pError = xcb_request_check(
        pConn, xcb_open_font_checked(pConn, font, static_cast<uint16_t>(kFontName.size()), kFontName.data()));
    if (pError != nullptr) {
        std::free(pError);
        return 0;
    }
    const xcb_gcontext_t gc = xcb_generate_id(pConn);
    const uint32_t values[] = {screen.black_pixel, 0xc0c0c0, font};
    xcb_create_gc(pConn, gc, wnd, XCB_GC_FOREGROUND | XCB_GC_BACKGROUND | XCB_GC_FONT, values);
    xcb_close_font(pConn, font);
    return gc;
}

// Says what the window is, for whoever sees it.
void DrawLabel(xcb_connection_t* pConn, xcb_window_t wnd, xcb_gcontext_t gc, const Options& options) {
    if (gc == 0) {
        return;
    }
    const std::string lines[] = {
        options.strTitle,
        "WM_CLASS: " + options.strInstance + ", " + options.strClass,
        "Close this window to end the stand-in.",
    };
    int16_t y = 30;
    for (const std::string& strLine : lines) {
        const auto nLength = static_cast<uint8_t>(std::min<size_t>(strLine.size(), 255));
        xcb_image_text_8(pConn, nLength, wnd, gc, 20, y, strLine.c_str());
        y = static_cast<int16_t>(y + 20);
    }
    xcb_flush(pConn);
}

// Handles events until the window is closed or the connection breaks.
void RunEventLoop(xcb_connection_t* pConn, xcb_window_t wnd, xcb_atom_t atomDelete, xcb_gcontext_t gc,
                  const Options& options) {
    while (xcb_generic_event_t* pEvent = xcb_wait_for_event(pConn)) {
        const uint8_t nType = pEvent->response_type & 0x7f;
        bool bClose = false;
        if (nType == XCB_EXPOSE) {
            DrawLabel(pConn, wnd, gc, options);
        } else if (nType == XCB_CLIENT_MESSAGE) {
            const auto* pMessage = reinterpret_cast<xcb_client_message_event_t*>(pEvent);
            bClose = pMessage->data.data32[0] == atomDelete;
        } else if (nType == XCB_DESTROY_NOTIFY) {
            bClose = reinterpret_cast<xcb_destroy_notify_event_t*>(pEvent)->window == wnd;
        }
        std::free(pEvent);
        if (bClose) {
            return;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: fake-host [--class NAME] [--instance NAME] [--title TEXT] [--framed]\n");
        return 2;
    }
    int nScreen = 0;
    xcb_connection_t* pConn = xcb_connect(nullptr, &nScreen);
    if (xcb_connection_has_error(pConn) != 0) {
        std::fprintf(stderr, "fake-host: cannot open the display\n");
        return 1;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(pConn));
    for (int i = 0; i < nScreen; ++i) {
        xcb_screen_next(&it);
    }
    const xcb_screen_t& screen = *it.data;

    constexpr uint32_t kGrey = 0xc0c0c0;
    constexpr uint32_t kDarkGrey = 0x606060;
    xcb_window_t parent = screen.root;
    xcb_window_t frame = XCB_WINDOW_NONE;
    if (options.bFramed) {
        frame = CreateWindow(pConn, screen, screen.root, 40, 40, 660, 500, kDarkGrey);
        parent = frame;
    }
    const xcb_window_t wnd =
        CreateWindow(pConn, screen, parent, options.bFramed ? 5 : 40, options.bFramed ? 25 : 40, 640, 460, kGrey);
    const xcb_atom_t atomDelete = Atom(pConn, "WM_DELETE_WINDOW");
    DescribeClient(pConn, wnd, options, atomDelete);
    xcb_map_window(pConn, wnd);
    if (frame != XCB_WINDOW_NONE) {
        xcb_map_window(pConn, frame);
    }
    // A round trip, so the window exists on the server before anyone is told its id.
    std::free(xcb_get_input_focus_reply(pConn, xcb_get_input_focus(pConn), nullptr));
    std::printf("0x%x\n", wnd);
    std::fflush(stdout);

    RunEventLoop(pConn, wnd, atomDelete, CreateTextGc(pConn, screen, wnd), options);
    xcb_disconnect(pConn);
    return 0;
}
