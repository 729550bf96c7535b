// Starts the game for scripts/bench and measures its full table from outside:
//
//   classic_ms  CreateProcess to the classic table shown and idle;
//   open_ms     File > Full table... taken (the classic table hides) to the full table shown, dealt into and
//   idle
//               (the setup box of a first evening is accepted beforehand, untimed);
//   repaint_ms  the median of REPAINTS whole repaints of the maximised full table, the
//               frame, the table and every control, each waited for;
//
// then it prints "ready", waits for a line on its input (the script reads the peak memory
// meanwhile) and ends the program. With --classic only the classic table is started, and
// it does the same work: a round dealt, then as many whole repaints.
#include <windows.h>

#include <algorithm>
#include <initializer_list>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kRepaints = 40;

double Since(LARGE_INTEGER from) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

struct Search {
    DWORD process;
    const wchar_t* button;
    HWND found;
};

// A visible top-level window of the process holding a button with this caption.
BOOL CALLBACK Match(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window) ||
        FindWindowExW(window, nullptr, L"Button", search->button) == nullptr)
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND WaitForWindow(DWORD process, const wchar_t* button, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 5) {
        Search search{process, button, nullptr};
        EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        Sleep(5);
    }
    return nullptr;
}

// Returns once the window's thread has handled everything sent before.
void Settle(HWND window) {
    DWORD_PTR result;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
}

// The keys pressed together and released, as the foreground window receives them.
void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> strokes;
    for (DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}})
        for (WORD key : keys) {
            INPUT stroke{};
            stroke.type = INPUT_KEYBOARD;
            stroke.ki.wVk = key;
            stroke.ki.dwFlags = flags;
            strokes.push_back(stroke);
        }
    SendInput(static_cast<UINT>(strokes.size()), strokes.data(), sizeof(INPUT));
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The median of kRepaints whole repaints of a table, the frame and every control, each
// waited for.
double MedianRepaint(HWND table) {
    std::vector<double> repaints;
    for (int i = 0; i < kRepaints; ++i) {
        const LARGE_INTEGER from = Now();
        RedrawWindow(table, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Settle(table);
        repaints.push_back(Since(from));
    }
    return Median(repaints);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: FullTableProbe PROGRAM [--classic]\n");
        return 2;
    }
    const bool classicOnly = argc > 2 && std::wstring(argv[2]) == L"--classic";
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION game{};
    const LARGE_INTEGER launch = Now();
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &game))
        return 1;
    HWND classic = WaitForWindow(game.dwProcessId, L"START", 30000);
    if (classic == nullptr) return 1;
    WaitForInputIdle(game.hProcess, 30000);
    Settle(classic);
    std::printf("classic_ms %.1f\n", Since(launch));

    HWND full = nullptr;
    if (classicOnly) {
        PostMessageW(FindWindowExW(classic, nullptr, L"Button", L"START"), BM_CLICK, 0, 0);
        Sleep(1500);
        std::printf("repaint_ms %.1f\n", MedianRepaint(classic));
    } else {
        // The stored evening, or a first one from the setup box's defaults.
        // Timed from the moment the game takes the pick (the classic table hides): the
        // platform's menu takes its own while before it hands the pick over.
        SetForegroundWindow(classic);
        PressKeys({VK_MENU, 'F'});
        PressKeys({'F'});
        for (int waited = 0; waited < 30000 && IsWindowVisible(classic); waited += 1) Sleep(1);
        const LARGE_INTEGER pick = Now();
        full = WaitForWindow(game.dwProcessId, L"&Show my card", 30000);
        if (full == nullptr) {
            std::printf("error no full table\n");
            return 1;
        }
        Settle(full);
        double opened = Since(pick);
        if (HWND setup = WaitForWindow(game.dwProcessId, L"OK", 500)) {
            PostMessageW(FindWindowExW(setup, nullptr, L"Button", L"OK"), BM_CLICK, 0, 0);
            Sleep(500);
            opened = -1;  // a first evening: the figure counts on the next start
        }
        std::printf("open_ms %.1f\n", opened);
        SendMessageW(full, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        PostMessageW(FindWindowExW(full, nullptr, L"Button", L"START"), BM_CLICK, 0, 0);
        Sleep(1500);  // dealt, the first seats in play
        std::printf("repaint_ms %.1f\n", MedianRepaint(full));
    }
    std::printf("ready\n");
    std::fflush(stdout);
    char line[16];
    if (std::fgets(line, sizeof line, stdin) == nullptr) line[0] = 0;
    TerminateProcess(game.hProcess, 0);  // the evening is stored after every round
    CloseHandle(game.hThread);
    CloseHandle(game.hProcess);
    return 0;
}
