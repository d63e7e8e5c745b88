// Recognising the host from the working directory, and the other display-free pieces of the host
// record: WM_CLASS matching, the choice of the Hebrew keyboard group, reading the directory.

#include "CaseName.h"
#include "DetectHost.h"
#include "HebrewGroup.h"
#include "WmClass.h"
#include "WorkDir.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>

namespace velmora {
namespace {

struct DetectCase {
    const char* pszName;
    std::string strWorkDir;
    int32_t nHostKind;
    std::string strProgramPath;  // expected; for HOST_NONE the directory itself
};

std::string LongName(size_t nLength, const std::string& strMiddle) {
    std::string strName(nLength, 'x');
    strName.replace(nLength / 2, strMiddle.size(), strMiddle);
    return strName;
}

const std::string LONG_FLASH_DIR = "/opt/" + LongName(300, "Flash") + "/" + LongName(250, "FLASH");
const std::string HEBREW_DIR = "/home/דנה/מקרומדיה/Dreamweaver 4";

// Cases print as their names, not as bytes.
void PrintTo(const DetectCase& tc, std::ostream* pOut) { *pOut << tc.pszName; }

class DetectHostTest : public testing::TestWithParam<DetectCase> {};

TEST_P(DetectHostTest, FindsHostKindAndProgram) {
    const DetectCase& tc = GetParam();
    std::string strProgramPath = "left over";
    EXPECT_EQ(DetectHost(tc.strWorkDir, strProgramPath), tc.nHostKind);
    EXPECT_EQ(strProgramPath, tc.strProgramPath);
}

INSTANTIATE_TEST_SUITE_P(
    Directories, DetectHostTest,
    testing::Values(DetectCase{"Flash5", "/opt/Macromedia/Flash 5", HOST_FLASH, "/opt/Macromedia/Flash 5/flash.exe"},
                    // "ultradev" is tested before "dreamweaver".
                    DetectCase{"UltraDevBeforeDreamweaver", "/opt/Macromedia/Dreamweaver UltraDev 4", HOST_DREAMWEAVER,
                               "/opt/Macromedia/Dreamweaver UltraDev 4/ultradev.exe"},
                    DetectCase{"Dreamweaver", "/srv/tools/Dreamweaver 4", HOST_DREAMWEAVER,
                               "/srv/tools/Dreamweaver 4/dreamweaver.exe"},
                    // "director" before "flash".
                    DetectCase{"DirectorFlash", "/opt/Director Flash", HOST_DIRECTOR,
                               "/opt/Director Flash/director.exe"},
                    DetectCase{"DirectorAlone", "/mnt/c/Macromedia/Director 8.5", HOST_DIRECTOR,
                               "/mnt/c/Macromedia/Director 8.5/director.exe"},
                    // Only the last component counts.
                    DetectCase{"HostInEarlierComponentOnly", "/Flash/Tools", HOST_NONE, "/Flash/Tools"},
                    DetectCase{"Root", "/", HOST_NONE, "/"},
                    DetectCase{"TrailingSeparator", "/opt/Flash 5/", HOST_NONE, "/opt/Flash 5/"},
                    DetectCase{"NoSeparatorAtAll", "flash", HOST_FLASH, "flash/flash.exe"},
                    DetectCase{"Empty", "", HOST_NONE, ""},
                    // The test is case-blind; the program path keeps the directory's own case.
                    DetectCase{"MixedCase", "/Apps/MacroMedia/DrEaMwEaVeR", HOST_DREAMWEAVER,
                               "/Apps/MacroMedia/DrEaMwEaVeR/dreamweaver.exe"},
                    DetectCase{"UpperCase", "/APPS/FLASH MX", HOST_FLASH, "/APPS/FLASH MX/flash.exe"},
                    DetectCase{"NameInsideAWord", "/opt/mydirectory", HOST_DIRECTOR, "/opt/mydirectory/director.exe"},
                    DetectCase{"NearMiss", "/opt/Dream weaver", HOST_NONE, "/opt/Dream weaver"},
                    DetectCase{"LongerThanOldPathLimit", LONG_FLASH_DIR, HOST_FLASH, LONG_FLASH_DIR + "/flash.exe"},
                    DetectCase{"HebrewComponents", HEBREW_DIR, HOST_DREAMWEAVER, HEBREW_DIR + "/dreamweaver.exe"},
                    DetectCase{"HebrewOnly", "/home/דנה/פלאש", HOST_NONE, "/home/דנה/פלאש"},
                    // Turkish dotted capital I: a Unicode lower-casing would turn it into "i" plus a combining
                    // dot; ASCII-only folding leaves it alone, and the name simply does not match.
                    DetectCase{"NonAsciiCapitalIsNotFolded", "/opt/D\u0130RECTOR", HOST_NONE, "/opt/D\u0130RECTOR"},
                    // Invalid UTF-8 bytes are carried through untouched.
                    DetectCase{"InvalidUtf8", std::string("/opt/\xff\xfe Flash"), HOST_FLASH,
                               std::string("/opt/\xff\xfe Flash/flash.exe")}),
    test::CaseName());

TEST(LastPathComponentTest, IsTheTextAfterTheLastSeparator) {
    EXPECT_EQ(LastPathComponent("/a/b/c d"), "c d");
    EXPECT_EQ(LastPathComponent("/"), "");
    EXPECT_EQ(LastPathComponent("/a/"), "");
    EXPECT_EQ(LastPathComponent("abc"), "abc");
}

TEST(AsciiLowerCopyTest, FoldsOnlyAsciiCapitals) {
    EXPECT_EQ(AsciiLowerCopy("AZaz09 @[`{"), "azaz09 @[`{");
    EXPECT_EQ(AsciiLowerCopy("ÄÖ אב"), "ÄÖ אב");
}

struct WmClassCase {
    const char* pszName;
    std::string strBytes;
    std::string strLookedFor;
    bool bMatches;
};

void PrintTo(const WmClassCase& tc, std::ostream* pOut) { *pOut << tc.pszName; }

class WmClassTest : public testing::TestWithParam<WmClassCase> {};

TEST_P(WmClassTest, MatchesInstanceOrClassExactly) {
    const WmClassCase& tc = GetParam();
    EXPECT_EQ(WmClassMatches(ParseWmClass(tc.strBytes), tc.strLookedFor), tc.bMatches);
}

using namespace std::string_literals;
INSTANTIATE_TEST_SUITE_P(
    Properties, WmClassTest,
    testing::Values(WmClassCase{"Class", "dreamweaver\0AfxFrameOrView42\0"s, "AfxFrameOrView42", true},
                    WmClassCase{"Instance", "AfxFrameOrView42\0Wine\0"s, "AfxFrameOrView42", true},
                    WmClassCase{"OwnClassWithS", "velmora\0AfxFrameOrView42s\0"s, "AfxFrameOrView42", false},
                    WmClassCase{"Prefix", "x\0AfxFrameOrView4\0"s, "AfxFrameOrView42", false},
                    WmClassCase{"LetterCase", "x\0afxframeorview42\0"s, "AfxFrameOrView42", false},
                    WmClassCase{"NoTerminators", "x\0AfxFrameOrView42"s, "AfxFrameOrView42", true},
                    WmClassCase{"InstanceOnly", "AfxFrameOrView42"s, "AfxFrameOrView42", true},
                    WmClassCase{"NoProperty", ""s, "AfxFrameOrView42", false},
                    WmClassCase{"EmptyNameMatchesNothing", "\0\0"s, "", false}),
    test::CaseName());

TEST(FindHebrewGroupTest, PrefersPlainHebrewThenAVariant) {
    EXPECT_EQ(FindHebrewGroup({"English (US)", "Hebrew"}), 1);
    EXPECT_EQ(FindHebrewGroup({"Hebrew (phonetic)", "English (US)", "Hebrew"}), 2);
    EXPECT_EQ(FindHebrewGroup({"English (US)", "Hebrew (lyx)", "Hebrew (phonetic)"}), 1);
    EXPECT_EQ(FindHebrewGroup({"English (US)", "Russian"}), -1);
    EXPECT_EQ(FindHebrewGroup({"Hebrewish", "hebrew", ""}), -1);
    EXPECT_EQ(FindHebrewGroup({}), -1);
}

// Runs in a directory of its own and returns to the starting one afterwards.
class ReadCurrentDirTest : public testing::Test {
protected:
    void SetUp() override {
        m_startDir = std::filesystem::current_path();
        char szTemplate[] = "/tmp/velmora-workdir-XXXXXX";
        ASSERT_NE(mkdtemp(szTemplate), nullptr);
        m_tempDir = szTemplate;
        m_strOldPwd = std::getenv("PWD") != nullptr ? std::getenv("PWD") : "";
    }
    void TearDown() override {
        std::filesystem::current_path(m_startDir);
        // rm walks a tree deeper than PATH_MAX, which remove_all's full paths cannot.
        EXPECT_EQ(std::system(("rm -rf '" + m_tempDir.string() + "'").c_str()), 0);
        setenv("PWD", m_strOldPwd.c_str(), 1);
    }
    std::filesystem::path m_startDir;
    std::filesystem::path m_tempDir;
    std::string m_strOldPwd;
};

TEST_F(ReadCurrentDirTest, ReadsADirectoryLongerThanTheOldLimitAndPathMax) {
    // 25 components of 200 bytes: far past the old 260 and past PATH_MAX (4096) as well, which
    // only relative steps can reach.
    std::string strExpected = m_tempDir.string();
    std::filesystem::current_path(m_tempDir);
    for (int i = 0; i < 25; ++i) {
        const std::string strName = LongName(200, "Flash " + std::to_string(i));
        std::filesystem::create_directory(strName);
        std::filesystem::current_path(strName);
        strExpected += "/" + strName;
    }
    unsetenv("PWD");
    std::string strDir;
    ASSERT_TRUE(ReadCurrentDir(strDir));
    EXPECT_EQ(strDir, strExpected);
    EXPECT_GT(strDir.size(), 5000u);
}

TEST_F(ReadCurrentDirTest, FailsInADeletedDirectory) {
    const std::filesystem::path dir = m_tempDir / "Flash 5";
    std::filesystem::create_directory(dir);
    std::filesystem::current_path(dir);
    setenv("PWD", dir.c_str(), 1);
    std::filesystem::remove(dir);
    std::string strDir = "left over";
    EXPECT_FALSE(ReadCurrentDir(strDir));
    EXPECT_EQ(strDir, "");
}

TEST_F(ReadCurrentDirTest, KeepsTheLinkNameThatReachedTheDirectory) {
    const std::filesystem::path real = m_tempDir / "dw4";
    const std::filesystem::path link = m_tempDir / "Dreamweaver 4";
    std::filesystem::create_directory(real);
    std::filesystem::create_directory_symlink(real, link);
    std::filesystem::current_path(link);
    std::string strDir;

    setenv("PWD", link.c_str(), 1);
    ASSERT_TRUE(ReadCurrentDir(strDir));
    EXPECT_EQ(strDir, link.string());

    // A PWD that names another directory is not believed.
    setenv("PWD", m_tempDir.c_str(), 1);
    ASSERT_TRUE(ReadCurrentDir(strDir));
    EXPECT_EQ(strDir, real.string());
}

}  // namespace
}  // namespace velmora
