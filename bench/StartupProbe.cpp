// Starts a table program for scripts/bench and reports how long it took to show its
// painted table; then waits for a line on its input and closes the program the way a
// user would, answering Yes if the program asks "Exit".
//
// Start-up is measured from CreateProcess to the first moment when the program's thread
// has gone idle waiting for input (WaitForInputIdle: its queue, paint messages included,
// has run dry) and the screen shows both the table green at a felt point and the red
// START button in the bottom row, the last controls made.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const COLORREF kTableGreen = RGB(0, 128, 0);
const COLORREF kStartRed = RGB(255, 0, 0);
const POINT kFeltPoint{300, 225};  // client coordinates of both tables
const POINT kStartPoint{54, 439};  // inside the START button, clear of its caption

double Milliseconds(LARGE_INTEGER from) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && IsWindowVisible(window) && GetWindowTextLengthW(window) > 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND MainWindowOf(DWORD process) {
    Search search{process, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Both tables are laid out in 1/96 inch and drawn at the screen's scale.
bool ShowsColour(HDC screen, HWND window, POINT clientPoint, COLORREF colour) {
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    clientPoint = POINT{MulDiv(clientPoint.x, dpi, 96), MulDiv(clientPoint.y, dpi, 96)};
    ClientToScreen(window, &clientPoint);
    return GetPixel(screen, clientPoint.x, clientPoint.y) == colour;
}

bool TablePainted(HWND window) {
    HDC screen = GetDC(nullptr);
    bool painted = ShowsColour(screen, window, kFeltPoint, kTableGreen) &&
                   ShowsColour(screen, window, kStartPoint, kStartRed);
    ReleaseDC(nullptr, screen);
    return painted;
}

// Closes the program through its window and answers its exit question; the exit code, or
// -1 when it would not end.
long CloseProgram(const PROCESS_INFORMATION& program, HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    for (int tries = 0; tries < 1000; ++tries) {
        if (WaitForSingleObject(program.hProcess, 10) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(program.hProcess, &code);
            return static_cast<long>(code);
        }
        HWND question = FindWindowW(L"#32770", L"Exit");
        DWORD owner = 0;
        if (question != nullptr && GetWindowThreadProcessId(question, &owner) && owner == program.dwProcessId)
            PostMessageW(question, WM_COMMAND, IDYES, 0);
    }
    return -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: StartupProbe PROGRAM\n");
        return 2;
    }
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION program{};
    LARGE_INTEGER launch;
    QueryPerformanceCounter(&launch);
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &program)) {
        std::printf("error cannot start the program (%lu)\n", GetLastError());
        return 1;
    }
    WaitForInputIdle(program.hProcess, 30000);
    double idle = Milliseconds(launch);
    HWND window = nullptr;
    while (Milliseconds(launch) < 30000 && (window == nullptr || !TablePainted(window))) {
        Sleep(5);
        if (window == nullptr) window = MainWindowOf(program.dwProcessId);
    }
    if (window == nullptr || !TablePainted(window)) {
        std::printf("error no painted table within 30 s\n");
        TerminateProcess(program.hProcess, 1);
        return 1;
    }
    std::printf("startup_ms %.1f\ninput_idle_ms %.1f\n", Milliseconds(launch), idle);
    std::fflush(stdout);

    char line[64];
    if (std::fgets(line, sizeof line, stdin) == nullptr) line[0] = 0;
    std::printf("exit %ld\n", CloseProgram(program, window));
    std::fflush(stdout);
    CloseHandle(program.hThread);
    CloseHandle(program.hProcess);
    return 0;
}
