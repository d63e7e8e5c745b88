// velmora-convert as a user meets it: the real binary, its exit codes, its messages and its files.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct CliResult {
    int nExit = -1;
    std::string out;
    std::string err;
};

class ConvertCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("velmora-cli-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path Write(const std::string& name, const std::string& bytes) {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    // Runs the converter with the arguments (already quoted for the shell) and the given input.
    CliResult Run(const std::string& args, const std::string& stdinBytes = "") {
        const fs::path in = Write("stdin.bin", stdinBytes);
        const std::string command = std::string("'") + VELMORA_CONVERT_BIN + "' " + args + " <'" + in.string() +
                                    "' >'" + (m_dir / "out.bin").string() + "' 2>'" + (m_dir / "err.txt").string() + "'";
        const int status = std::system(command.c_str());
        CliResult result;
        result.nExit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = Read(m_dir / "out.bin");
        result.err = Read(m_dir / "err.txt");
        return result;
    }

    std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

    fs::path m_dir;
};

constexpr const char* kRtf =
    "{\\rtf1\\ansi\\ansicpg1255\\deff0{\\fonttbl{\\f0\\fnil\\fcharset177 David;}{\\f1\\fswiss\\fcharset0 Arial;}}"
    "\\pard\\qr\\f0 \\'f9\\'ec\\'e5\\'ed {\\f1\\b abc}\\par}";

TEST_F(ConvertCliTest, HelpExplainsEveryMode) {
    const CliResult r = Run("--help");
    EXPECT_EQ(r.nExit, 0);
    for (const char* word : {"--html", "--plain", "--to-logical", "--text", "--dump-json", "--line-length", "--wrap",
                             "--select", "--encoding", "-o"}) {
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
    }
}

TEST_F(ConvertCliTest, UsageErrorsExitTwoWithTheUsage) {
    for (const char* args : {"--bogus", "--line-length 0", "--line-length 257", "--line-length x", "--wrap -1",
                             "--select 3", "--encoding latin1", "--html --plain", "a b", "-o"}) {
        const CliResult r = Run(args);
        EXPECT_EQ(r.nExit, 2) << args;
        EXPECT_NE(r.err.find("Usage:"), std::string::npos) << args;
        EXPECT_TRUE(r.out.empty()) << args;
    }
}

TEST_F(ConvertCliTest, InputsThatCannotBeReadNameTheFileAndExitOne) {
    const fs::path missing = m_dir / "missing.rtf";
    CliResult r = Run(Quoted(missing));
    EXPECT_EQ(r.nExit, 1);
    EXPECT_NE(r.err.find(missing.string()), std::string::npos);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << "one line";

    r = Run(Quoted(m_dir));
    EXPECT_EQ(r.nExit, 1);
    EXPECT_NE(r.err.find("folder"), std::string::npos) << r.err;
}

TEST_F(ConvertCliTest, BrokenInputIsRefusedWithAReason) {
    const fs::path junk = Write("junk.bin", std::string("\xFF\xFE\x00\x81garbage\xC3", 11));
    CliResult r = Run(Quoted(junk));
    EXPECT_EQ(r.nExit, 1);
    EXPECT_NE(r.err.find("UTF-8"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());

    r = Run("--encoding cp1255 " + Quoted(Write("undefined.txt", "ab\xFF")));
    EXPECT_EQ(r.nExit, 1);
    EXPECT_NE(r.err.find("byte 2"), std::string::npos) << r.err;

    const std::string rtf = kRtf;
    r = Run(Quoted(Write("cut.rtf", rtf.substr(0, rtf.size() / 2))));
    EXPECT_EQ(r.nExit, 1) << r.err;
    EXPECT_NE(r.err.find("cut.rtf"), std::string::npos) << r.err;
}

TEST_F(ConvertCliTest, AnEmptyDocumentWritesNothingAndSaysSo) {
    for (const char* bytes : {"", "\n"}) {
        const CliResult r = Run("--plain " + Quoted(Write("empty.txt", bytes)));
        EXPECT_EQ(r.nExit, 0);
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("empty"), std::string::npos);
    }
}

TEST_F(ConvertCliTest, ACharacterThatCp1255CannotHoldIsAnErrorNamingItsPosition) {
    const CliResult r = Run("--plain --encoding cp1255", "{\\rtf1\\ansi ab \\u233?}");
    EXPECT_EQ(r.nExit, 1);
    EXPECT_NE(r.err.find("U+00E9"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("position 3"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());
}

TEST_F(ConvertCliTest, ReadsStandardInputAndWritesTheOutputFile) {
    const fs::path out = m_dir / "out.html";
    CliResult r = Run("--plain -o " + Quoted(out) + " -", "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D abc");
    EXPECT_EQ(r.nExit, 0) << r.err;
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(Read(out), "abc \xD7\x9D\xD7\x95\xD7\x9C\xD7\xA9<BR>");
}

TEST_F(ConvertCliTest, RtfInWindows1255Out) {
    const CliResult r = Run("--plain --encoding cp1255 " + Quoted(Write("doc.rtf", kRtf)));
    EXPECT_EQ(r.nExit, 0) << r.err;
    EXPECT_EQ(r.out, "abc \xED\xE5\xEC\xF9<BR>");
}

TEST_F(ConvertCliTest, TextAndSelectAgreeOnPositions) {
    const fs::path doc = Write("doc.txt", "abc\ndef\n");
    CliResult r = Run("--text " + Quoted(doc));
    EXPECT_EQ(r.out, "abc\r\ndef");
    r = Run("--plain --select 8:5 " + Quoted(doc));
    EXPECT_EQ(r.out, "def<BR>");
    r = Run("--plain --select 100:5 " + Quoted(doc));  // clamped to the text
    EXPECT_EQ(r.out, "def<BR>");
}

TEST_F(ConvertCliTest, DumpJsonDescribesParagraphsAndRuns) {
    const CliResult r = Run("--dump-json --encoding cp1255 " + Quoted(Write("doc.rtf", kRtf)));
    EXPECT_EQ(r.nExit, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"paragraphs\":[{\"align\":\"right\",\"runs\":["
              "{\"text\":\"\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \",\"bold\":false,\"italic\":false,\"underline\":false,"
              "\"strike\":false,\"color\":\"auto\",\"size\":240,\"charset\":177},"
              "{\"text\":\"abc\",\"bold\":true,\"italic\":false,\"underline\":false,"
              "\"strike\":false,\"color\":\"auto\",\"size\":240,\"charset\":0}]}]}");
}

TEST_F(ConvertCliTest, ToLogicalTurnsPastedTextBack) {
    const CliResult r = Run("--to-logical", "abc \xD7\x92\xD7\x91\xD7\x90\r\n");
    EXPECT_EQ(r.nExit, 0) << r.err;
    EXPECT_EQ(r.out, "\xD7\x90\xD7\x91\xD7\x92 abc\r\n");
}

}  // namespace
