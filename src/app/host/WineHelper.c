/* velmora-wine-helper: the two things Velmora asks of Wine, run inside the Wine prefix of the
 * authoring tool (a Windows program, built with the mingw-w64 cross compiler):
 *
 *   velmora-wine-helper.exe --find CLASS [TITLE]   exit code 0 when a top-level window of class
 *                                                  CLASS (and title TITLE) is open, 1 when none is
 *   velmora-wine-helper.exe --start PROGRAM        starts PROGRAM (a Unix or Windows path) shown
 *                                                  maximised, in the current directory; exit code
 *                                                  0 once it runs, else one of the START_ codes
 *
 * Only exit codes come back: Wine passes them to the Unix side, while a window or a console of
 * this program's own would only get in the user's way. */

#include <windows.h>

#include <stdlib.h>
#include <wchar.h>

enum {
    FOUND = 0,
    NOT_FOUND = 1,
    START_NO_FILE = 12,
    START_NO_ACCESS = 13,
    START_NOT_RUNNABLE = 14,
    START_OTHER = 19,
    BAD_COMMAND_LINE = 64,
};

/* Wine's own name for a Unix path, when this runs under Wine; the path itself otherwise. */
static wchar_t* WindowsPathOf(const wchar_t* pszPath) {
    typedef wchar_t*(CDECL * DosNameFn)(const char*);
    DosNameFn pDosName = (DosNameFn)(void*)GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name");
    if (pszPath[0] != L'/' || pDosName == NULL) return NULL;
    /* The Unix side hands over its file names in UTF-8, whatever the locale. */
    const int nBytes = WideCharToMultiByte(CP_UTF8, 0, pszPath, -1, NULL, 0, NULL, NULL);
    char* pszUnix = HeapAlloc(GetProcessHeap(), 0, (SIZE_T)nBytes);
    if (pszUnix == NULL) return NULL;
    WideCharToMultiByte(CP_UTF8, 0, pszPath, -1, pszUnix, nBytes, NULL, NULL);
    wchar_t* pszDos = pDosName(pszUnix);
    HeapFree(GetProcessHeap(), 0, pszUnix);
    return pszDos; /* allocated on the process heap */
}

static int StartCode(DWORD nError) {
    switch (nError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return START_NO_FILE;
    case ERROR_ACCESS_DENIED: return START_NO_ACCESS;
    case ERROR_BAD_EXE_FORMAT:
    case ERROR_EXE_MACHINE_TYPE_MISMATCH:
    case ERROR_BAD_FORMAT: return START_NOT_RUNNABLE;
    default: return START_OTHER;
    }
}

/* As the shell starts a program asked for with SW_SHOWMAXIMIZED: the program's first
 * ShowWindow takes the show state from its start-up information. */
static int StartMaximised(const wchar_t* pszProgram) {
    wchar_t* pszDos = WindowsPathOf(pszProgram);
    const wchar_t* pszPath = pszDos ? pszDos : pszProgram;
    const size_t nLength = wcslen(pszPath);
    wchar_t* pszCommand = HeapAlloc(GetProcessHeap(), 0, (nLength + 3) * sizeof(wchar_t));
    int nResult = START_OTHER;
    if (pszCommand != NULL) {
        pszCommand[0] = L'"';
        wmemcpy(pszCommand + 1, pszPath, nLength);
        pszCommand[nLength + 1] = L'"';
        pszCommand[nLength + 2] = L'\0';
        STARTUPINFOW si = {0};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = SW_SHOWMAXIMIZED;
        PROCESS_INFORMATION pi;
        if (CreateProcessW(pszPath, pszCommand, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
            nResult = 0;
        } else {
            nResult = StartCode(GetLastError());
        }
        HeapFree(GetProcessHeap(), 0, pszCommand);
    }
    if (pszDos) HeapFree(GetProcessHeap(), 0, pszDos);
    return nResult;
}

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR pszCmdLine, int nCmdShow) {
    (void)hInstance;
    (void)hPrevInstance;
    (void)pszCmdLine;
    (void)nCmdShow;
    /* The C runtime's split of the command line, so that only kernel32 and user32 are needed. */
    const int argc = __argc;
    wchar_t** argv = __wargv;
    int nResult = BAD_COMMAND_LINE;
    if (argv != NULL && (argc == 3 || argc == 4) && wcscmp(argv[1], L"--find") == 0) {
        nResult = FindWindowW(argv[2], argc == 4 ? argv[3] : NULL) != NULL ? FOUND : NOT_FOUND;
    } else if (argv != NULL && argc == 3 && wcscmp(argv[1], L"--start") == 0) {
        nResult = StartMaximised(argv[2]);
    }
    return nResult;
}
