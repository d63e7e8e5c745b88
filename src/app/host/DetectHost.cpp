#include "DetectHost.h"

#include <array>

namespace velmora {

namespace {

struct HostName {
    std::string_view szNeedle;   // looked for in the lower-cased last component
    std::string_view szProgram;  // the tool's program in that directory
    int32_t nHostKind;
};

// "ultradev" comes before "dreamweaver": a directory named "Dreamweaver UltraDev 4" holds
// UltraDev, whose program is ultradev.exe.
constexpr std::array<HostName, 4> kHostNames = {{
    {"director", "director.exe", HOST_DIRECTOR},
    {"ultradev", "ultradev.exe", HOST_DREAMWEAVER},
    {"dreamweaver", "dreamweaver.exe", HOST_DREAMWEAVER},
    {"flash", "flash.exe", HOST_FLASH},
}};

}  // namespace

std::string_view LastPathComponent(std::string_view szPath) {
    const size_t nSep = szPath.rfind(kPathSeparator);
    return nSep == std::string_view::npos ? szPath : szPath.substr(nSep + 1);
}

std::string AsciiLowerCopy(std::string_view sz) {
    // Only ASCII is folded. The names looked for are ASCII, and in UTF-8 every byte of a
    // multibyte sequence is 0x80 or more, so an ASCII needle can only match whole ASCII
    // characters; folding other scripts could merely add false matches (the Turkish dotted
    // capital I, for one, lower-cases to two characters).
    std::string strLower(sz);
    for (char& ch : strLower) {
        if (ch >= 'A' && ch <= 'Z') {
            ch = static_cast<char>(ch - 'A' + 'a');
        }
    }
    return strLower;
}

int32_t DetectHost(std::string_view szWorkDir, std::string& strProgramPath) {
    const std::string strComponent = AsciiLowerCopy(LastPathComponent(szWorkDir));
    strProgramPath.assign(szWorkDir);
    for (const HostName& host : kHostNames) {
        if (strComponent.find(host.szNeedle) != std::string::npos) {
            // The directory keeps its own letter case: on a case-sensitive file system the
            // lower-cased path would name no file.
            strProgramPath += kPathSeparator;
            strProgramPath += host.szProgram;
            return host.nHostKind;
        }
    }
    return HOST_NONE;
}

}  // namespace velmora
