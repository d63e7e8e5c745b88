#include "XTestSupport.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace velmora::test {

namespace {

void ExecOrDie(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& str : args) {
        argv.push_back(const_cast<char*>(str.c_str()));
    }
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

void TerminateAndReap(pid_t& nPid) {
    if (nPid > 0) {
        kill(nPid, SIGTERM);
        while (waitpid(nPid, nullptr, 0) < 0 && errno == EINTR) {
        }
        nPid = -1;
    }
}

}  // namespace

CPrivateXServer::~CPrivateXServer() { TerminateAndReap(m_nPid); }

bool CPrivateXServer::Start() {
    int fds[2];
    if (pipe(fds) != 0) {
        m_strError = "pipe failed";
        return false;
    }
    m_nPid = fork();
    if (m_nPid == 0) {
        close(fds[0]);
        // Xvfb outlives a crashed test; it must not hold the test's output open.
        const int nDevNull = open("/dev/null", O_WRONLY);
        dup2(nDevNull, STDOUT_FILENO);
        dup2(nDevNull, STDERR_FILENO);
        // -noreset: without it the server resets whenever its last client leaves, and a test that
        // connects and disconnects alone would race the reset.
        ExecOrDie({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                   "-noreset"});
    }
    close(fds[1]);
    // Xvfb writes the display number it took, then a newline, once it accepts clients.
    std::string strDisplay;
    pollfd pfd{fds[0], POLLIN, 0};
    char ch = 0;
    while (poll(&pfd, 1, 10000) > 0 && read(fds[0], &ch, 1) == 1 && ch != '\n') {
        strDisplay += ch;
    }
    close(fds[0]);
    if (m_nPid < 0 || strDisplay.empty()) {
        m_strError = "Xvfb did not start";
        return false;
    }
    setenv("DISPLAY", (":" + strDisplay).c_str(), 1);
    return true;
}

bool CChildProcess::Start(const std::vector<std::string>& args) {
    m_nPid = fork();
    if (m_nPid == 0) {
        ExecOrDie(args);
    }
    return m_nPid > 0;
}

bool CChildProcess::StartAndReadLine(const std::vector<std::string>& args, std::string& strLine) {
    strLine.clear();
    int fds[2];
    if (pipe(fds) != 0) {
        return false;
    }
    m_nPid = fork();
    if (m_nPid == 0) {
        close(fds[0]);
        dup2(fds[1], STDOUT_FILENO);
        ExecOrDie(args);
    }
    close(fds[1]);
    pollfd pfd{fds[0], POLLIN, 0};
    char ch = 0;
    while (poll(&pfd, 1, 10000) > 0 && read(fds[0], &ch, 1) == 1 && ch != '\n') {
        strLine += ch;
    }
    close(fds[0]);
    return m_nPid > 0 && !strLine.empty();
}

void CChildProcess::Kill() { TerminateAndReap(m_nPid); }

bool WaitFor(const std::function<bool()>& predicate, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!predicate()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

int RunOnPrivateXServer(const std::function<int()>& run) {
    CPrivateXServer server;
    if (!server.Start()) {
        std::fprintf(stderr, "%s; skipped\n", server.Error().c_str());
        return 77;
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    return run();
}

}  // namespace velmora::test
