// The top-level window look-up, maximising and the XKB group switch, against a private Xvfb with
// the fake-host program standing in for the authoring tool.

#include "TopLevelWindows.h"
#include "XTestSupport.h"
#include "XkbGroups.h"

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <unistd.h>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {
namespace {

constexpr const char* kHostClass = "AfxFrameOrView42";

bool HostWindowOpen() { return FindTopLevelWindow(kHostClass, nullptr); }

xcb_atom_t InternAtom(xcb_connection_t* pConn, std::string_view szName) {
    xcb_intern_atom_reply_t* pReply = xcb_intern_atom_reply(
        pConn, xcb_intern_atom(pConn, 0, static_cast<uint16_t>(szName.size()), szName.data()), nullptr);
    const xcb_atom_t atom = pReply->atom;
    std::free(pReply);
    return atom;
}

// A connection of the test's own, to build window trees that no real program would.
class CTestDisplay {
public:
    CTestDisplay() : m_pConn(xcb_connect(nullptr, nullptr)) {
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_pConn)).data->root;
    }
    ~CTestDisplay() { xcb_disconnect(m_pConn); }

    xcb_window_t Root() const { return m_root; }

    xcb_window_t CreateWindow(xcb_window_t parent) {
        const xcb_window_t wnd = xcb_generate_id(m_pConn);
        xcb_create_window(m_pConn, XCB_COPY_FROM_PARENT, wnd, parent, 0, 0, 100, 100, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_map_window(m_pConn, wnd);
        return wnd;
    }
    void SetWmClass(xcb_window_t wnd, std::string_view szBytes) {
        xcb_change_property(m_pConn, XCB_PROP_MODE_REPLACE, wnd, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                            static_cast<uint32_t>(szBytes.size()), szBytes.data());
    }
    void SetWords(xcb_window_t wnd, std::string_view szAtom, xcb_atom_t type, const std::vector<uint32_t>& words) {
        xcb_change_property(m_pConn, XCB_PROP_MODE_REPLACE, wnd, Atom(szAtom), type, 32,
                            static_cast<uint32_t>(words.size()), words.data());
    }
    void DeleteProperty(xcb_window_t wnd, std::string_view szAtom) { xcb_delete_property(m_pConn, wnd, Atom(szAtom)); }
    // Waits until the server has handled every request sent so far.
    void Sync() { std::free(xcb_get_input_focus_reply(m_pConn, xcb_get_input_focus(m_pConn), nullptr)); }
    // The window's size, or 0 x 0 when it is gone.
    std::pair<int, int> Size(xcb_window_t wnd) {
        xcb_get_geometry_reply_t* pReply = xcb_get_geometry_reply(m_pConn, xcb_get_geometry(m_pConn, wnd), nullptr);
        const std::pair<int, int> size =
            pReply != nullptr ? std::pair<int, int>(pReply->width, pReply->height) : std::pair<int, int>(0, 0);
        std::free(pReply);
        return size;
    }

private:
    xcb_atom_t Atom(std::string_view szName) { return InternAtom(m_pConn, szName); }

    xcb_connection_t* m_pConn;
    xcb_window_t m_root;
};

class TopLevelWindowsTest : public testing::Test {
protected:
    void TearDown() override {
        CTestDisplay display;
        display.DeleteProperty(display.Root(), "_NET_CLIENT_LIST");
        display.DeleteProperty(display.Root(), "_NET_SUPPORTED");
        display.Sync();
        m_host.Kill();
        ASSERT_TRUE(test::WaitFor([] { return !HostWindowOpen(); }));
    }

    // Starts fake-host with extra arguments and returns its window's id (0 on failure).
    xcb_window_t StartHost(std::vector<std::string> args = {}) {
        args.insert(args.begin(), FAKE_HOST_PATH);
        std::string strLine;
        if (!m_host.StartAndReadLine(args, strLine)) {
            return 0;
        }
        return static_cast<xcb_window_t>(std::stoul(strLine, nullptr, 16));
    }

    test::CChildProcess m_host;
};

TEST_F(TopLevelWindowsTest, FindsTheHostWhileItRunsAndNotAfterItIsKilled) {
    EXPECT_FALSE(HostWindowOpen());
    ASSERT_NE(StartHost(), 0u);
    EXPECT_TRUE(test::WaitFor(HostWindowOpen));
    m_host.Kill();
    EXPECT_TRUE(test::WaitFor([] { return !HostWindowOpen(); }));
}

TEST_F(TopLevelWindowsTest, MatchesClassOrInstanceExactlyAndTheTitleWhenGiven) {
    ASSERT_NE(StartHost({"--class", "Wine", "--instance", kHostClass, "--title", "Macromedia"}), 0u);
    EXPECT_TRUE(FindTopLevelWindow(kHostClass, nullptr));
    EXPECT_TRUE(FindTopLevelWindow("Wine", nullptr));
    EXPECT_TRUE(FindTopLevelWindow(kHostClass, "Macromedia"));
    EXPECT_TRUE(FindTopLevelWindow(nullptr, "Macromedia"));
    EXPECT_FALSE(FindTopLevelWindow(kHostClass, "Macromedia Dreamweaver"));
    EXPECT_FALSE(FindTopLevelWindow("AfxFrameOrView42s", nullptr));
    EXPECT_FALSE(FindTopLevelWindow("afxframeorview42", nullptr));
    EXPECT_FALSE(FindTopLevelWindow("AfxFrameOrView4", nullptr));
}

TEST_F(TopLevelWindowsTest, FindsAWindowInsideAFrameAsAReparentingManagerMakesThem) {
    ASSERT_NE(StartHost({"--framed"}), 0u);
    EXPECT_TRUE(HostWindowOpen());
}

TEST_F(TopLevelWindowsTest, NeverFindsThisProcessesOwnWindows) {
    CTestDisplay display;
    const xcb_window_t wnd = display.CreateWindow(display.Root());
    display.SetWmClass(wnd, std::string_view("velmora\0AfxFrameOrView42\0", 25));
    display.SetWords(wnd, "_NET_WM_PID", XCB_ATOM_CARDINAL, {static_cast<uint32_t>(getpid())});
    display.Sync();
    EXPECT_FALSE(HostWindowOpen());
    // The same window declared as another process's is found.
    display.SetWords(wnd, "_NET_WM_PID", XCB_ATOM_CARDINAL, {1});
    display.Sync();
    EXPECT_TRUE(HostWindowOpen());
}

TEST_F(TopLevelWindowsTest, UsesTheManagersClientListAndSurvivesDeadEntries) {
    // Five levels down: out of the tree walk's reach, so only the client list can find it.
    CTestDisplay display;
    xcb_window_t wnd = display.Root();
    for (int i = 0; i < 5; ++i) {
        wnd = display.CreateWindow(wnd);
    }
    display.SetWmClass(wnd, std::string_view("deep\0AfxFrameOrView42\0", 22));
    display.Sync();
    EXPECT_FALSE(HostWindowOpen());

    const xcb_window_t wndGone = display.CreateWindow(display.Root());
    display.Sync();
    display.SetWords(display.Root(), "_NET_CLIENT_LIST", XCB_ATOM_WINDOW, {wndGone, 0x7fffff0, wnd});
    // The list now names a destroyed window and one that never existed, ahead of the real one.
    xcb_connection_t* pConn = xcb_connect(nullptr, nullptr);
    xcb_destroy_window(pConn, wndGone);
    std::free(xcb_get_input_focus_reply(pConn, xcb_get_input_focus(pConn), nullptr));
    xcb_disconnect(pConn);
    display.Sync();
    EXPECT_TRUE(HostWindowOpen());
}

TEST_F(TopLevelWindowsTest, FindsNothingWithoutADisplay) {
    ASSERT_NE(StartHost(), 0u);
    ASSERT_TRUE(HostWindowOpen());
    const std::string strDisplay = std::getenv("DISPLAY");
    setenv("DISPLAY", ":9999", 1);
    EXPECT_FALSE(HostWindowOpen());
    unsetenv("DISPLAY");
    EXPECT_FALSE(HostWindowOpen());
    EXPECT_EQ(MaximiseWindowsOfProcess(m_host.Pid()), 0);
    setenv("DISPLAY", strDisplay.c_str(), 1);
}

TEST_F(TopLevelWindowsTest, GivesTheStartedProgramsWindowTheWholeScreenWithoutAManager) {
    const xcb_window_t wnd = StartHost();
    ASSERT_NE(wnd, 0u);
    CTestDisplay display;
    EXPECT_EQ(display.Size(wnd), std::make_pair(640, 460));
    EXPECT_EQ(MaximiseWindowsOfProcess(m_host.Pid() + 100000), 0);
    EXPECT_EQ(MaximiseWindowsOfProcess(m_host.Pid()), 1);
    display.Sync();
    EXPECT_EQ(display.Size(wnd), std::make_pair(1280, 1024));
}

// Plays the window manager on a connection of its own: holds SubstructureRedirect on the root,
// announces maximising in _NET_SUPPORTED, grants map requests, and records the _NET_WM_STATE
// requests that reach it.
class CTestManager {
public:
    CTestManager() : m_pConn(xcb_connect(nullptr, nullptr)) {
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_pConn)).data->root;
        const uint32_t nMask = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
        xcb_change_window_attributes(m_pConn, m_root, XCB_CW_EVENT_MASK, &nMask);
        m_atomState = Atom("_NET_WM_STATE");
        m_atomVert = Atom("_NET_WM_STATE_MAXIMIZED_VERT");
        m_atomHorz = Atom("_NET_WM_STATE_MAXIMIZED_HORZ");
        const uint32_t supported[] = {m_atomState, m_atomVert, m_atomHorz};
        xcb_change_property(m_pConn, XCB_PROP_MODE_REPLACE, m_root, Atom("_NET_SUPPORTED"), XCB_ATOM_ATOM, 32, 3,
                            supported);
        std::free(xcb_get_input_focus_reply(m_pConn, xcb_get_input_focus(m_pConn), nullptr));
    }
    ~CTestManager() { xcb_disconnect(m_pConn); }

    // Handles the events that have come in; true once wnd was asked to be maximised both ways.
    bool MaximiseAsked(xcb_window_t wnd) {
        while (xcb_generic_event_t* pEvent = xcb_poll_for_event(m_pConn)) {
            const uint8_t nType = pEvent->response_type & 0x7f;
            if (nType == XCB_MAP_REQUEST) {
                xcb_map_window(m_pConn, reinterpret_cast<xcb_map_request_event_t*>(pEvent)->window);
                xcb_flush(m_pConn);
            } else if (nType == XCB_CLIENT_MESSAGE) {
                const auto* pMessage = reinterpret_cast<xcb_client_message_event_t*>(pEvent);
                m_bAsked = m_bAsked ||
                           (pMessage->window == wnd && pMessage->type == m_atomState && pMessage->data.data32[0] == 1 &&
                            pMessage->data.data32[1] == m_atomVert && pMessage->data.data32[2] == m_atomHorz);
            }
            std::free(pEvent);
        }
        return m_bAsked;
    }

private:
    xcb_atom_t Atom(std::string_view szName) { return InternAtom(m_pConn, szName); }

    xcb_connection_t* m_pConn;
    xcb_window_t m_root;
    xcb_atom_t m_atomState, m_atomVert, m_atomHorz;
    bool m_bAsked = false;
};

TEST_F(TopLevelWindowsTest, AsksAManagerThatMaximisesToDoIt) {
    CTestManager manager;
    const xcb_window_t wnd = StartHost();
    ASSERT_NE(wnd, 0u);
    // The window is viewable once the manager has granted its map request.
    ASSERT_TRUE(test::WaitFor([&] {
        manager.MaximiseAsked(wnd);
        return MaximiseWindowsOfProcess(m_host.Pid()) == 1;
    }));
    EXPECT_TRUE(test::WaitFor([&] { return manager.MaximiseAsked(wnd); }));
    CTestDisplay display;
    EXPECT_EQ(display.Size(wnd), std::make_pair(640, 460)) << "left to the manager";
}

TEST(XkbGroupsTest, LocksTheHebrewGroupWhenTheServerHasOne) {
    ASSERT_EQ(std::system("setxkbmap -layout us,il"), 0);
    std::vector<std::string> groupNames;
    ASSERT_TRUE(ReadXkbGroupNames(groupNames));
    ASSERT_EQ(groupNames.size(), 2u);
    EXPECT_EQ(groupNames[1], "Hebrew");
    EXPECT_EQ(ReadXkbLockedGroup(), 0);
    EXPECT_TRUE(LockXkbGroup(1));
    EXPECT_EQ(ReadXkbLockedGroup(), 1);
    EXPECT_FALSE(LockXkbGroup(7));
    EXPECT_TRUE(LockXkbGroup(0));
    EXPECT_EQ(ReadXkbLockedGroup(), 0);
    ASSERT_EQ(std::system("setxkbmap -layout us"), 0);
}

}  // namespace
}  // namespace velmora

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return velmora::test::RunOnPrivateXServer([] { return RUN_ALL_TESTS(); });
}
