// Saving never destroys the previous file; reading names what went wrong.

#include "AtomicFile.h"
#include "ModelText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <csignal>
#include <functional>

#include <fcntl.h>
#include <sys/sysmacros.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public testing::Test {
protected:
    void SetUp() override {
        char szTemplate[] = "/tmp/velmora-atomic-XXXXXX";
        ASSERT_NE(::mkdtemp(szTemplate), nullptr);
        m_dir = szTemplate;
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(m_dir, ec);
    }
    static void WriteFile(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    // Entries of the folder other than the ones named.
    size_t EntryCount() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()));
    }

    fs::path m_dir;
};

TEST_F(AtomicFileTest, ReplacesAnExistingFileKeepingItsPermissions) {
    const fs::path file = m_dir / "doc.rtf";
    WriteFile(file, "old contents that are longer than the new ones");
    ::chmod(file.c_str(), 0640);
    std::string strError;
    ASSERT_TRUE(WriteFileAtomically(file.string(), "new", strError)) << strError;
    EXPECT_EQ(ReadFileBytes(file), "new");
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(EntryCount(), 1u);
}

// Every kind of target a save may meet. Each row prepares its own folder and returns the path
// to save "new" to; `check` says what must hold afterwards. No row leaves a temporary file.
TEST_F(AtomicFileTest, EveryKindOfTargetIsWrittenOrRefusedWithoutDamage) {
    const bool bRoot = ::geteuid() == 0;
    int fdReader = -1;  // the FIFO's or the pipe's other end
    int fdWriter = -1;  // the pipe's end the save writes to
    auto readBack = [&fdReader] {
        char buffer[64];
        const ssize_t n = ::read(fdReader, buffer, sizeof buffer);
        ::close(fdReader);
        return std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0);
    };
    auto device = [](const fs::path& path, unsigned nMinor) {
        return ::mknod(path.c_str(), S_IFCHR | 0666, ::makedev(1, nMinor)) == 0 ? path : fs::path();
    };
    auto mode = [](const fs::path& path) {
        struct stat st {};
        ::lstat(path.c_str(), &st);
        return st.st_mode;
    };
    // A save through a link writes the file it names and leaves the link a link.
    const auto linkWroteItsTarget = [](const fs::path& d) {
        EXPECT_TRUE(fs::is_symlink(d / "l"));
        EXPECT_EQ(ReadFileBytes(d / "t"), "new");
    };
    const struct {
        const char* name;
        std::function<fs::path(const fs::path&)> make;  // an empty path: the row cannot run here
        std::string error;                              // empty: the save succeeds
        std::function<void(const fs::path&)> check;
    } rows[] = {
        {"new file", [](const fs::path& d) { return d / "new.rtf"; }, "",
         [&](const fs::path& d) { EXPECT_EQ(ReadFileBytes(d / "new.rtf"), "new"); }},
        {"missing folder", [](const fs::path& d) { return d / "no" / "such.rtf"; },
         "cannot create a file in its folder: No such file or directory", [](const fs::path&) {}},
        {"folder that is a file",
         [](const fs::path& d) {
             WriteFile(d / "f", "old");
             return d / "f" / "x.rtf";
         },
         "cannot create a file in its folder: Not a directory",
         [](const fs::path& d) { EXPECT_EQ(ReadFileBytes(d / "f"), "old"); }},
        {"read-only folder",
         [](const fs::path& d) {
             fs::create_directory(d / "ro");
             WriteFile(d / "ro" / "f", "old");
             ::chmod((d / "ro").c_str(), 0555);
             return d / "ro" / "f";
         },
         bRoot ? "" : "cannot create a file in its folder: Permission denied",  // root may write there
         [&](const fs::path& d) {
             EXPECT_EQ(ReadFileBytes(d / "ro" / "f"), bRoot ? "new" : "old");
             ::chmod((d / "ro").c_str(), 0755);
         }},
        {"read-only file",
         [](const fs::path& d) {
             WriteFile(d / "f", "old");
             ::chmod((d / "f").c_str(), 0444);
             return d / "f";
         },
         "the file is read-only", [](const fs::path& d) { EXPECT_EQ(ReadFileBytes(d / "f"), "old"); }},
        {"folder",
         [](const fs::path& d) {
             fs::create_directory(d / "sub");
             return d / "sub";
         },
         "it is a folder", [](const fs::path& d) { EXPECT_TRUE(fs::is_directory(d / "sub")); }},
        {"symbolic link",
         [](const fs::path& d) {
             WriteFile(d / "t", "old");
             fs::create_symlink("t", d / "l");
             return d / "l";
         },
         "", linkWroteItsTarget},
        {"dangling symbolic link",
         [](const fs::path& d) {
             fs::create_symlink("t", d / "l");
             return d / "l";
         },
         "", linkWroteItsTarget},
        {"symbolic link loop",
         [](const fs::path& d) {
             fs::create_symlink("b", d / "a");
             fs::create_symlink("a", d / "b");
             return d / "a";
         },
         "Too many levels of symbolic links",
         [](const fs::path& d) {
             EXPECT_TRUE(fs::is_symlink(d / "a"));
             EXPECT_TRUE(fs::is_symlink(d / "b"));
         }},
        {"hard link: only this name changes",
         [](const fs::path& d) {
             WriteFile(d / "a", "old");
             fs::create_hard_link(d / "a", d / "b");
             return d / "a";
         },
         "",
         [](const fs::path& d) {
             EXPECT_EQ(ReadFileBytes(d / "a"), "new");
             EXPECT_EQ(ReadFileBytes(d / "b"), "old");
         }},
        {"name as long as a name may be", [](const fs::path& d) { return d / std::string(255, 'n'); }, "",
         [](const fs::path& d) { EXPECT_EQ(ReadFileBytes(d / std::string(255, 'n')), "new"); }},
        {"FIFO",
         [&](const fs::path& d) {
             ::mkfifo((d / "fifo").c_str(), 0600);
             fdReader = ::open((d / "fifo").c_str(), O_RDONLY | O_NONBLOCK);
             return d / "fifo";
         },
         "",
         [&](const fs::path& d) {
             EXPECT_EQ(readBack(), "new");
             EXPECT_TRUE(S_ISFIFO(mode(d / "fifo")));
         }},
        {"character device that takes everything", [&](const fs::path& d) { return device(d / "null", 3); }, "",
         [&](const fs::path& d) { EXPECT_TRUE(S_ISCHR(mode(d / "null"))); }},
        {"character device that is always full", [&](const fs::path& d) { return device(d / "full", 7); },
         "cannot write the file: No space left on device",
         [&](const fs::path& d) { EXPECT_TRUE(S_ISCHR(mode(d / "full"))); }},
        {"open stream: a file opened for appending",
         [&](const fs::path& d) {
             WriteFile(d / "log", "old");
             fdReader = ::open((d / "log").c_str(), O_WRONLY | O_APPEND);
             return fs::path("/dev/fd/" + std::to_string(fdReader));
         },
         "",
         [&](const fs::path& d) {
             ::close(fdReader);
             EXPECT_EQ(ReadFileBytes(d / "log"), "oldnew");
         }},
        {"open stream: a pipe",
         [&](const fs::path&) {
             int fds[2];
             if (::pipe(fds) != 0) return fs::path();
             fdReader = fds[0];
             fdWriter = fds[1];
             return fs::path("/proc/self/fd/" + std::to_string(fdWriter));
         },
         "",
         [&](const fs::path&) {
             ::close(fdWriter);
             EXPECT_EQ(readBack(), "new");
         }},
        {"another owner's set-user-ID file, saved by root",
         [&](const fs::path& d) {
             WriteFile(d / "tool", "old");
             if (!bRoot || ::chown((d / "tool").c_str(), 65534, 65534) != 0) return fs::path();
             ::chmod((d / "tool").c_str(), 04755);
             return d / "tool";
         },
         "",
         [&](const fs::path& d) {
             struct stat st {};
             ASSERT_EQ(::stat((d / "tool").c_str(), &st), 0);
             EXPECT_EQ(st.st_uid, 65534u);  // never root's with the set-user-ID bit
             EXPECT_EQ(st.st_gid, 65534u);
             EXPECT_EQ(st.st_mode & 07777, 04755u);
             EXPECT_EQ(ReadFileBytes(d / "tool"), "new");
         }},
    };
    int nRow = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path dir = m_dir / std::to_string(nRow++);
        fs::create_directory(dir);
        const fs::path target = row.make(dir);
        if (target.empty()) continue;
        std::string strError;
        EXPECT_EQ(WriteFileAtomically(target.string(), "new", strError), row.error.empty());
        EXPECT_EQ(strError, row.error);
        row.check(dir);
        for (const auto& entry : fs::directory_iterator(dir))
            EXPECT_FALSE(entry.path().filename().string().starts_with(".velmora-")) << entry.path();
    }
}

// A signal that ends the process while it saves leaves the old file and no temporary file.
TEST_F(AtomicFileTest, ASignalDuringASaveRemovesTheTemporaryFile) {
    const fs::path file = m_dir / "doc.rtf";
    WriteFile(file, "old");
    for (const int nSignal : {SIGTERM, SIGINT, SIGHUP, SIGXFSZ}) {
        SCOPED_TRACE(nSignal);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            CAtomicFile save;
            std::string strError;
            if (save.Open(file.string(), strError) && save.Write("half of it", strError)) ::raise(nSignal);
            ::_exit(0);
        }
        int nStatus = 0;
        ASSERT_EQ(::waitpid(child, &nStatus, 0), child);
        EXPECT_TRUE(WIFSIGNALED(nStatus) && WTERMSIG(nStatus) == nSignal);
        EXPECT_EQ(ReadFileBytes(file), "old");
        EXPECT_EQ(EntryCount(), 1u);
    }
}

// A write that fails half-way (here: the file size limit, as a full disk would) leaves the old
// file whole and no temporary file behind. The limit is set in a child process only.
TEST_F(AtomicFileTest, AFailedWriteKeepsTheOldFile) {
    const fs::path file = m_dir / "doc.rtf";
    WriteFile(file, "old");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::string strError;
        const bool bSaved = WriteFileAtomically(file.string(), std::string(100000, 'x'), strError);
        ::_exit(!bSaved && strError == "cannot write the file: File too large" ? 0 : 1);
    }
    int nStatus = 0;
    ASSERT_EQ(::waitpid(child, &nStatus, 0), child);
    EXPECT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0);
    EXPECT_EQ(ReadFileBytes(file), "old");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicFileTest, ReadsAWholeFile) {
    const fs::path file = m_dir / "big.rtf";
    std::string contents;
    for (int i = 0; i < 100000; ++i) contents += static_cast<char>(i * 7);
    WriteFile(file, contents);
    std::string bytes, strError;
    ASSERT_TRUE(ReadWholeFile(file.string(), bytes, strError)) << strError;
    EXPECT_EQ(bytes, contents);
}

TEST_F(AtomicFileTest, ReadingGivesAReason) {
    std::string bytes, strError;
    EXPECT_FALSE(ReadWholeFile((m_dir / "missing.rtf").string(), bytes, strError));
    EXPECT_EQ(strError, "No such file or directory");
    EXPECT_FALSE(ReadWholeFile(m_dir.string(), bytes, strError));
    EXPECT_EQ(strError, "it is a folder");
    if (::geteuid() != 0) {
        const fs::path file = m_dir / "secret.rtf";
        WriteFile(file, "x");
        ::chmod(file.c_str(), 0);
        EXPECT_FALSE(ReadWholeFile(file.string(), bytes, strError));
        EXPECT_EQ(strError, "Permission denied");
    }
}

}  // namespace
}  // namespace velmora::test
