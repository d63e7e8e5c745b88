#pragma once
// Test support: a private X server for one test program, so that windows and keyboard layouts of
// tests running in parallel never meet, and child processes that are always reaped.

#include <sys/types.h>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace velmora::test {

// Starts Xvfb on a free display and points DISPLAY at it; stops it again on destruction.
class CPrivateXServer {
public:
    CPrivateXServer() = default;
    ~CPrivateXServer();
    CPrivateXServer(const CPrivateXServer&) = delete;
    CPrivateXServer& operator=(const CPrivateXServer&) = delete;

    // Returns false (with a reason in Error()) when Xvfb cannot be started.
    bool Start();
    const std::string& Error() const { return m_strError; }

private:
    pid_t m_nPid = -1;
    std::string m_strError;
};

// Runs run() with DISPLAY on a private X server (and Qt on xcb) and returns what it returns; 77,
// which CTest reports as skipped, when Xvfb cannot be started.
int RunOnPrivateXServer(const std::function<int()>& run);

// A program started with fork and exec, killed and reaped on destruction.
class CChildProcess {
public:
    CChildProcess() = default;
    ~CChildProcess() { Kill(); }
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;

    bool Start(const std::vector<std::string>& args);
    // Starts the program and waits (up to 10 s) for the first line it writes on standard output;
    // returns false when it writes none.
    bool StartAndReadLine(const std::vector<std::string>& args, std::string& strLine);
    // Sends SIGTERM and waits for the process to end.
    void Kill();
    pid_t Pid() const { return m_nPid; }

private:
    pid_t m_nPid = -1;
};

// Calls predicate until it returns true or timeout passes; returns the last answer.
bool WaitFor(const std::function<bool()>& predicate,
             std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

}  // namespace velmora::test
