// Saving never destroys the previous file; reading names what went wrong.

#include "AtomicFile.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <csignal>

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

TEST_F(AtomicFileTest, WritesANewFile) {
    const fs::path file = m_dir / "new.rtf";
    std::string strError;
    ASSERT_TRUE(WriteFileAtomically(file.string(), "{\\rtf1 x}", strError)) << strError;
    EXPECT_EQ(ReadFileBytes(file), "{\\rtf1 x}");
    EXPECT_EQ(EntryCount(), 1u);  // no temporary file left behind
}

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

TEST_F(AtomicFileTest, FollowsASymbolicLink) {
    const fs::path target = m_dir / "target.rtf";
    const fs::path link = m_dir / "link.rtf";
    WriteFile(target, "old");
    fs::create_symlink("target.rtf", link);
    std::string strError;
    ASSERT_TRUE(WriteFileAtomically(link.string(), "new", strError)) << strError;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(target), "new");
}

TEST_F(AtomicFileTest, AFolderIsNotOverwritten) {
    fs::create_directory(m_dir / "sub");
    std::string strError;
    EXPECT_FALSE(WriteFileAtomically((m_dir / "sub").string(), "x", strError));
    EXPECT_EQ(strError, "it is a folder");
    EXPECT_TRUE(fs::is_directory(m_dir / "sub"));
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(AtomicFileTest, AMissingFolderLeavesNothing) {
    std::string strError;
    EXPECT_FALSE(WriteFileAtomically((m_dir / "no" / "such.rtf").string(), "x", strError));
    EXPECT_EQ(strError, "cannot create a file in its folder: No such file or directory");
    EXPECT_EQ(EntryCount(), 0u);
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

TEST_F(AtomicFileTest, AReadOnlyFolderKeepsTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    const fs::path file = m_dir / "doc.rtf";
    WriteFile(file, "old");
    ::chmod(m_dir.c_str(), 0555);
    std::string strError;
    EXPECT_FALSE(WriteFileAtomically(file.string(), "new", strError));
    EXPECT_EQ(strError, "cannot create a file in its folder: Permission denied");
    EXPECT_EQ(ReadFileBytes(file), "old");
}

}  // namespace
}  // namespace velmora::test
