// Finding Wine, telling Windows programs, and seeing a running wineserver, on a scratch tree.
#include "WineSession.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class WineSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        char szTemplate[] = "/tmp/velmora-wine-XXXXXX";
        m_root = mkdtemp(szTemplate);
    }
    void TearDown() override { fs::remove_all(m_root); }

    std::string Write(const std::string& strRelative, const std::string& strBytes, bool bExecutable) {
        const fs::path path = m_root / strRelative;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << strBytes;
        chmod(path.c_str(), bExecutable ? 0755 : 0644);
        return path.string();
    }

    // "a:b" -> "ROOT/a:ROOT/b"
    std::string UnderRoot(std::string_view szDirs) const {
        std::string strPath;
        for (size_t nStart = 0; nStart < szDirs.size();) {
            const size_t nEnd = std::min(szDirs.find(':', nStart), szDirs.size());
            strPath += (strPath.empty() ? "" : ":") + (m_root / szDirs.substr(nStart, nEnd - nStart)).string();
            nStart = nEnd + 1;
        }
        return strPath;
    }

    fs::path m_root;
};

TEST_F(WineSessionTest, FindsTheLoaderAsAShellWould) {
    Write("b/wine", "#!/bin/sh\n", true);
    Write("c/wine64", "#!/bin/sh\n", true);
    Write("d/wine", "not executable", false);
    Write("usr/lib/wine/wine64", "#!/bin/sh\n", true);
    fs::create_directories(m_root / "a");
    fs::create_directories(m_root / "usr/bin");
    const struct {
        const char* pszPath;  // directories under the scratch root
        const char* pszExpected;
    } cases[] = {
        {"a:b", "b/wine"},
        {"c:b", "b/wine"},  // "wine" anywhere comes before "wine64"
        {"a:c", "c/wine64"},
        {"d:c", "c/wine64"},  // a file that cannot be run does not count
        {"a:usr/bin", "usr/bin/../lib/wine/wine64"},
        {"a", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        const std::string strPath = UnderRoot(c.pszPath);
        const std::string strExpected = *c.pszExpected ? (m_root / c.pszExpected).string() : "";
        EXPECT_EQ(velmora::FindWineLoader(strPath), strExpected) << c.pszPath;
    }
}

TEST_F(WineSessionTest, TellsWindowsProgramsByTheirMark) {
    const struct {
        const char* pszBytes;
        bool bWindows;
    } cases[] = {{"MZ\x90", true},
                 {"MZ", true},
                 {"#!/bin/sh\n", false},
                 {"\x7f"
                  "ELF",
                  false},
                 {"M", false},
                 {"", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(velmora::IsWindowsProgram(Write("host.exe", c.pszBytes, true)), c.bWindows) << c.pszBytes;
    }
    EXPECT_FALSE(velmora::IsWindowsProgram((m_root / "missing.exe").string()));
}

TEST_F(WineSessionTest, PrefixFromTheEnvironment) {
    EXPECT_EQ(velmora::WinePrefixDir("/p/x", "/home/u"), "/p/x");
    EXPECT_EQ(velmora::WinePrefixDir("", "/home/u"), "/home/u/.wine");
    EXPECT_EQ(velmora::WinePrefixDir(nullptr, "/home/u"), "/home/u/.wine");
    EXPECT_EQ(velmora::WinePrefixDir(nullptr, nullptr), "");
}

// A server directory as Debian's Wine lays it out, locked by another process while it "runs".
TEST_F(WineSessionTest, SeesARunningServerOnlyWhileItHoldsTheLock) {
    const std::string strPrefix = (m_root / "prefix").string();
    Write("prefix/wineserver", "wine-test1\n", false);
    const std::string strLock = Write("tmp/wine-test1/server-fe00-1234/lock", "", false);
    setenv("TMPDIR", (m_root / "tmp").c_str(), 1);
    EXPECT_FALSE(velmora::IsWineServerRunning(strPrefix));

    int locked[2], release[2];
    ASSERT_EQ(pipe(locked), 0);
    ASSERT_EQ(pipe(release), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        close(release[1]);  // so that the parent's close is the end of the pipe
        const int fd = open(strLock.c_str(), O_WRONLY);
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        const char cState = fd >= 0 && fcntl(fd, F_SETLK, &lock) == 0 ? 'y' : 'n';
        (void)!write(locked[1], &cState, 1);
        char c;
        (void)!read(release[0], &c, 1);
        _exit(0);
    }
    char cState = 0;
    ASSERT_EQ(read(locked[0], &cState, 1), 1);
    ASSERT_EQ(cState, 'y');
    EXPECT_TRUE(velmora::IsWineServerRunning(strPrefix));
    close(release[1]);
    waitpid(pid, nullptr, 0);
    EXPECT_FALSE(velmora::IsWineServerRunning(strPrefix));
    unsetenv("TMPDIR");
}

TEST(WineStartProblemTest, EveryFailureSaysWhy) {
    EXPECT_EQ(velmora::WineStartProblem(0), "");
    for (int nCode : {12, 13, 14, 19, 1, 53}) {
        EXPECT_FALSE(velmora::WineStartProblem(nCode).empty()) << nCode;
    }
    EXPECT_NE(velmora::WineStartProblem(12), velmora::WineStartProblem(14));
}

}  // namespace
