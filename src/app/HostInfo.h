#pragma once
// The host record: the directory Velmora was started in and the authoring tool found there.

#include "host/HostKind.h"

#include <cstdint>
#include <string>

class CHostInfo {
public:
    CHostInfo();

    // Reads the current directory into m_szWorkDir. Returns false when it cannot be read
    // (deleted, unreachable).
    bool ReadWorkDir();

    // Recognises the host from the last component of m_szWorkDir (see velmora::DetectHost), sets
    // m_nHostKind when one is recognised and fills strProgramPath with the path of its program.
    // Returns the host kind (HOST_NONE, with m_nHostKind unchanged, when nothing matched).
    int32_t DetectHost(std::string& strProgramPath);

    // True when a top-level window of another program has the class pszClassName and the title
    // pszTitle (a null one matches any): an X11 window whose WM_CLASS instance or class is that
    // name, or, while a Wine session runs for the user's prefix, a window of that Win32 class
    // inside Wine (asked of Wine through the helper beside the program, which takes up to a
    // second or two). False without a display.
    bool FindAppWindow(const char* pszClassName, const char* pszTitle = nullptr) const;

    // The current directory at start-up in the case the system gave it, of any length; empty
    // until read.
    std::string m_szWorkDir;
    // velmora::HOST_NONE until a host is recognised.
    int32_t m_nHostKind;
};

// The one host record of the process: written during start-up, read by the conversion commands
// and the help window.
extern CHostInfo g_hostInfo;
