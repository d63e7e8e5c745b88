/* win-host: a Windows stand-in for the authoring tool, to run under Wine. It opens one top-level
 * window of the class "AfxFrameOrView42", the class Velmora looks for, shown as it was asked to
 * be (maximised when started with "start /max"), and serves requests that a second run of the
 * same program sends it, so that a test or a user can see what the tool would read from the
 * clipboard and what it would put there:
 *
 *   win-host.exe                  opens the window and runs until it is closed
 *   win-host.exe --paste FILE     the window writes the clipboard's CF_TEXT bytes (up to the first
 *                                 zero byte) into FILE, as the tool's Paste would read them
 *   win-host.exe --copy FILE      the window puts FILE's bytes on the clipboard as CF_TEXT
 *   win-host.exe --state FILE     the window writes "maximized=0|1" and "acp=N" lines into FILE
 *   win-host.exe --close          the window closes
 *
 * FILE is a Windows path or a path relative to the current directory (under Wine, a Unix folder
 * is reached through drive Z:). The request runs inside the window's own process, and the
 * requesting run waits for it: exit code 0 when it was done, 1 when the window could not do it,
 * 2 when no stand-in window is open, 3 on a wrong command line. */

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

#define HOST_CLASS L"AfxFrameOrView42"

enum {
    REQUEST_PASTE = 1,
    REQUEST_COPY,
    REQUEST_STATE,
    REQUEST_CLOSE
};

/* Another program (Wine's clipboard bridge to X11, Velmora reading it back) may hold the clipboard
 * for a moment; a few tries ride that out. */
static BOOL OpenClipboardPatiently(HWND hwnd) {
    for (int i = 0; i < 100; ++i) {
        if (OpenClipboard(hwnd)) return TRUE;
        Sleep(20);
    }
    return FALSE;
}

static BOOL WriteBytes(const wchar_t* pszPath, const void* pData, DWORD nSize) {
    HANDLE hFile = CreateFileW(pszPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) return FALSE;
    DWORD nWritten = 0;
    const BOOL bOk = WriteFile(hFile, pData, nSize, &nWritten, NULL) && nWritten == nSize;
    CloseHandle(hFile);
    return bOk;
}

static BOOL PasteInto(HWND hwnd, const wchar_t* pszPath) {
    if (!OpenClipboardPatiently(hwnd)) return FALSE;
    BOOL bOk = FALSE;
    HANDLE hData = GetClipboardData(CF_TEXT);
    const char* pText = hData ? (const char*)GlobalLock(hData) : NULL;
    if (pText) {
        bOk = WriteBytes(pszPath, pText, (DWORD)strlen(pText));
        GlobalUnlock(hData);
    }
    CloseClipboard();
    return bOk;
}

static BOOL CopyFrom(HWND hwnd, const wchar_t* pszPath) {
    HANDLE hFile =
        CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE) return FALSE;
    const DWORD nSize = GetFileSize(hFile, NULL);
    HGLOBAL hBlock = GlobalAlloc(GMEM_MOVEABLE, (SIZE_T)nSize + 1);
    char* pBlock = hBlock ? (char*)GlobalLock(hBlock) : NULL;
    DWORD nRead = 0;
    BOOL bOk = pBlock && ReadFile(hFile, pBlock, nSize, &nRead, NULL) && nRead == nSize;
    CloseHandle(hFile);
    if (pBlock) {
        pBlock[nRead] = '\0';
        GlobalUnlock(hBlock);
    }
    if (bOk && OpenClipboardPatiently(hwnd)) {
        EmptyClipboard();
        bOk = SetClipboardData(CF_TEXT, hBlock) != NULL;
        CloseClipboard();
        if (bOk) return TRUE; /* the block belongs to the clipboard now */
    } else {
        bOk = FALSE;
    }
    if (hBlock) GlobalFree(hBlock);
    return bOk;
}

static BOOL WriteState(HWND hwnd, const wchar_t* pszPath) {
    char szState[64];
    const int nLength =
        snprintf(szState, sizeof szState, "maximized=%d\r\nacp=%u\r\n", IsZoomed(hwnd) ? 1 : 0, GetACP());
    return WriteBytes(pszPath, szState, (DWORD)nLength);
}

static LRESULT CALLBACK HostWndProc(HWND hwnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    switch (nMessage) {
    case WM_COPYDATA: {
        const COPYDATASTRUCT* pRequest = (const COPYDATASTRUCT*)lParam;
        const wchar_t* pszPath = (const wchar_t*)pRequest->lpData;
        switch (pRequest->dwData) {
        case REQUEST_PASTE: return PasteInto(hwnd, pszPath);
        case REQUEST_COPY: return CopyFrom(hwnd, pszPath);
        case REQUEST_STATE: return WriteState(hwnd, pszPath);
        case REQUEST_CLOSE: PostMessageW(hwnd, WM_CLOSE, 0, 0); return TRUE;
        }
        return FALSE;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        static const wchar_t szLabel[] = L"Windows stand-in for the authoring tool (class AfxFrameOrView42)";
        TextOutW(hdc, 20, 20, szLabel, (int)wcslen(szLabel));
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, nMessage, wParam, lParam);
}

static int RunWindow(HINSTANCE hInstance, int nCmdShow) {
    WNDCLASSW wc = {0};
    wc.lpfnWndProc = HostWndProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = HOST_CLASS;
    if (!RegisterClassW(&wc)) return 1;
    HWND hwnd = CreateWindowW(HOST_CLASS, L"Stand-in for the authoring tool", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 640, 480, NULL, NULL, hInstance, NULL);
    if (!hwnd) return 1;
    ShowWindow(hwnd, nCmdShow);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

static int SendRequest(const wchar_t* pszCommand, const wchar_t* pszFile) {
    static const struct {
        const wchar_t* pszName;
        DWORD nRequest;
        BOOL bFile;
    } commands[] = {
        {L"--paste", REQUEST_PASTE, TRUE},
        {L"--copy", REQUEST_COPY, TRUE},
        {L"--state", REQUEST_STATE, TRUE},
        {L"--close", REQUEST_CLOSE, FALSE},
    };
    for (size_t i = 0; i < sizeof commands / sizeof commands[0]; ++i) {
        if (wcscmp(pszCommand, commands[i].pszName) != 0 || (pszFile != NULL) != commands[i].bFile) continue;
        wchar_t szPath[MAX_PATH] = L"";
        if (pszFile && !GetFullPathNameW(pszFile, MAX_PATH, szPath, NULL)) return 3;
        HWND hwnd = FindWindowW(HOST_CLASS, NULL);
        if (!hwnd) return 2;
        COPYDATASTRUCT request = {commands[i].nRequest, (DWORD)((wcslen(szPath) + 1) * sizeof(wchar_t)), szPath};
        return SendMessageW(hwnd, WM_COPYDATA, 0, (LPARAM)&request) ? 0 : 1;
    }
    return 3;
}

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR pszCmdLine, int nCmdShow) {
    (void)hPrevInstance;
    (void)pszCmdLine;
    /* The C runtime's split of the command line, so that only kernel32 and user32 are needed. */
    const int argc = __argc;
    wchar_t** argv = __wargv;
    if (!argv) return 3;
    const int nResult = argc <= 1   ? RunWindow(hInstance, nCmdShow)
                        : argc <= 3 ? SendRequest(argv[1], argc > 2 ? argv[2] : NULL)
                                    : 3;
    return nResult;
}
