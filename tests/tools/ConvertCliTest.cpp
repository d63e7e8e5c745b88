// velmora-convert as a user meets it: the real binary, its exit codes, its messages and its files.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#if defined(__has_feature)
#define VELMORA_HAS_ASAN __has_feature(address_sanitizer)
#else
#define VELMORA_HAS_ASAN 0
#endif

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
                                    "' >'" + (m_dir / "out.bin").string() + "' 2>'" + (m_dir / "err.txt").string() +
                                    "'";
        const int status = std::system(command.c_str());
        CliResult result;
        result.nExit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = Read(m_dir / "out.bin");
        result.err = Read(m_dir / "err.txt");
        return result;
    }

    std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

    // Runs a bash script in the test's folder, "$B" standing for the converter; standard error
    // goes to err.txt. Returns the exit status.
    int Shell(const std::string& script) {
        Write("run.sh", "set -o pipefail\n" + script + "\n");
        const std::string command = "cd " + Quoted(m_dir) + " && B='" + VELMORA_CONVERT_BIN + "' bash run.sh 2>err.txt";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

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
    const fs::path junk = Write("junk.bin", std::string("ab\x00\x81garbage\xC3", 11));
    CliResult r = Run(Quoted(junk));
    EXPECT_EQ(r.nExit, 1);
    EXPECT_NE(r.err.find("not valid UTF-8 text (byte 3;"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());

    // Text saved as UTF-16 is named so, whichever encoding was asked for.
    const std::string utf16 = Quoted(Write("notepad.txt", std::string("\xFF\xFE\xE9\x05", 4)));
    for (const char* szEncoding : {"", "--encoding cp1255 "}) {
        r = Run(szEncoding + utf16);
        EXPECT_EQ(r.nExit, 1);
        EXPECT_NE(r.err.find("notepad.txt: the text is UTF-16; make it UTF-8 first"), std::string::npos) << r.err;
    }

    r = Run("--encoding cp1255 " + Quoted(Write("undefined.txt", "ab\xFF")));
    EXPECT_EQ(r.nExit, 1);
    EXPECT_NE(r.err.find("byte 2"), std::string::npos) << r.err;

    // A Word 2007 document renamed .rtf, in a mode that reads it whole and in one that streams it.
    const std::string docx = Quoted(Write("renamed.rtf", std::string("PK\x03\x04\x14\0\x06\0\xFF\xFE", 10)));
    for (const char* szMode : {"--text ", "--html "}) {
        r = Run(szMode + docx);
        EXPECT_EQ(r.nExit, 1);
        EXPECT_NE(r.err.find("renamed.rtf: not RTF or plain text; it is a ZIP archive"), std::string::npos) << r.err;
    }
}

// What a file cut short holds is converted, in every mode, and a note says the file may be cut short.
TEST_F(ConvertCliTest, ACutShortFileIsConvertedWithANote) {
    const std::string cut = Quoted(Write("cut.rtf", R"({\rtf1\ansi abc{\b def)"));
    for (const char* szMode : {"--html", "--plain", "--text", "--dump-json"}) {
        const CliResult r = Run(std::string(szMode) + " " + cut);
        EXPECT_EQ(r.nExit, 0) << szMode << ": " << r.err;
        EXPECT_NE(r.out.find("def"), std::string::npos) << szMode << ": " << r.out;
        EXPECT_NE(r.err.find("cut.rtf: the file ends inside a group, so it may have been cut short"), std::string::npos)
            << szMode << ": " << r.err;
    }
    // From a pipe the document is read as it arrives.
    ASSERT_EQ(Shell(R"(cat cut.rtf | "$B" --html > piped.html)"), 0) << Read(m_dir / "err.txt");
    EXPECT_NE(Read(m_dir / "piped.html").find("def"), std::string::npos);
    EXPECT_NE(Read(m_dir / "err.txt").find("may have been cut short"), std::string::npos);
}

TEST_F(ConvertCliTest, AnEmptyDocumentWritesNothingAndSaysSo) {
    for (const char* bytes : {"", "\n"}) {
        const CliResult r = Run("--plain " + Quoted(Write("empty.txt", bytes)));
        EXPECT_EQ(r.nExit, 0);
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("empty"), std::string::npos);
    }
}

// Where -o sends the output, seen from the shell. Every row starts from in.txt, empty.txt, an
// "out" holding "old" and a file "f"; `out` is what "out" must hold afterwards.
TEST_F(ConvertCliTest, OutputTargetsAsTheShellSetsThemUp) {
    const std::string converted = Run("--plain " + Quoted(Write("in.txt", "abc \xD7\x90"))).out;
    ASSERT_FALSE(converted.empty());
    const struct {
        const char* script;
        int nExit;
        std::string out;
        const char* err;  // a part of standard error
    } rows[] = {
        {R"("$B" --plain -o /dev/stdout in.txt >> out)", 0, "old" + converted, ""},
        {R"("$B" --plain -o /dev/stdout in.txt | cat > out)", 0, converted, ""},
        {R"("$B" --plain -o /dev/stderr in.txt 2> out)", 0, converted, ""},
        {R"("$B" --plain -o /dev/fd/3 in.txt 3>> out)", 0, "old" + converted, ""},
        {R"("$B" --plain -o - in.txt > out)", 0, converted, ""},
        {R"("$B" --plain -o out empty.txt)", 0, "old", "empty"},
        {R"("$B" --plain -o new empty.txt && test ! -e new)", 0, "old", "empty"},
        {R"("$B" --plain --select 100:200 in.txt > out)", 0, converted,
         "lies outside the text (5 characters); converting the whole document"},
        {R"("$B" --plain --select 2:99 in.txt > out)", 0, Run("--plain --select 2:5 " + Quoted(m_dir / "in.txt")).out,
         "converting 2:5"},
        {R"("$B" --plain -o f/x in.txt)", 1, "old", "f/x: cannot create a file in its folder: Not a directory\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.script);
        Write("empty.txt", "");
        Write("out", "old");
        Write("f", "");
        EXPECT_EQ(Shell(row.script), row.nExit);
        EXPECT_EQ(Read(m_dir / "out"), row.out);
        EXPECT_NE(Read(m_dir / "err.txt").find(row.err), std::string::npos) << Read(m_dir / "err.txt");
    }
}

// Input that cannot fit in the memory the process may have is an error like any other: one line
// naming the file, exit 1. The document is converted a window of paragraphs at a time, so what
// cannot fit is one paragraph of 16 MB; the same 16 MB in short paragraphs converts under the
// same limit.
TEST_F(ConvertCliTest, InputTooLargeForMemoryIsOneLineAndExitOne) {
#if defined(__SANITIZE_ADDRESS__) || VELMORA_HAS_ASAN
    GTEST_SKIP() << "AddressSanitizer needs more address space than any limit leaves";
#endif
    const std::string line = "abc \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D {\\b 123}, def";
    std::string lines;
    std::string paragraph;
    while (lines.size() < 16000000) {
        lines += line + "\\par\n";
        paragraph += line + " ";
    }
    Write("big.txt", paragraph);
    Write("big.rtf", "{\\rtf1\\ansi " + paragraph + "}");
    Write("lines.txt", lines);
    Write("lines.rtf", "{\\rtf1\\ansi " + lines + "}");
    for (const char* name : {"big.txt", "big.rtf"}) {
        SCOPED_TRACE(name);
        const std::string many = std::string("lines") + std::strchr(name, '.');
        EXPECT_EQ(Shell("(ulimit -v 60000 && \"$B\" --html " + many + " > out)"), 0) << Read(m_dir / "err.txt");
        EXPECT_EQ(Shell("(ulimit -v 60000 && \"$B\" --html " + std::string(name) + " > out)"), 1);
        // The RTF reader says so itself when it runs out while reading.
        const std::string err = Read(m_dir / "err.txt");
        EXPECT_TRUE(err == "velmora-convert: " + std::string(name) + ": not enough memory\n" ||
                    err == "velmora-convert: " + std::string(name) + ": there is not enough memory to read the file\n")
            << err;
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

// Past the megabytes after which the pages behind the reader are given back.
TEST_F(ConvertCliTest, RtfThroughAPipeConvertsAsFromItsFile) {
    std::string rtf(kRtf);
    rtf.pop_back();
    while (rtf.size() < (size_t{6} << 20)) rtf += "\\pard\\qr\\f0 \\'f9\\'ec {\\f1\\b abc 123}\\par\r\n";
    Write("big.rtf", rtf + "}");
    EXPECT_EQ(Shell("cat big.rtf | \"$B\" --html - > piped && \"$B\" --html big.rtf > direct && cmp piped direct"), 0)
        << Read(m_dir / "err.txt");
    // What follows the document's end is read too: its writer is not cut off.
    EXPECT_EQ(Shell("{ cat big.rtf; head -c 3000000 /dev/zero; } | \"$B\" --html - > after && cmp after direct"), 0)
        << Read(m_dir / "err.txt");
    EXPECT_GT(fs::file_size(m_dir / "direct"), rtf.size() / 2);
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
