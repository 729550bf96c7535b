// The built game started as another program and driven from outside, as a player's
// tools would: its table found by the START button, buttons by caption, the table's
// cells by their place on the 640 x 480 table, clicks sent or posted, and the process
// ended on destruction.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>

#ifndef ZANDRO_EXE
#error "ZANDRO_EXE must name the game's executable"
#endif

class GameProcess {
public:
    GameProcess() = default;
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;
    ~GameProcess() { Kill(); }

    // Wine's CreateProcess returns once the new process has finished its own start-up, before
    // the game's first instruction. On a busy machine it fails now and then (about once in 500
    // starts) with ERROR_INTERNAL_ERROR: the new process ended inside Wine's start-up without
    // an exit status. No code of the game ran, so that start alone is made once more; any
    // other failure stands.
    // arguments: what follows the program's name on its command line.
    bool Start(const std::wstring& arguments = std::wstring()) {
        for (int attempt = 0; attempt < 2; ++attempt) {
            std::wstring commandLine = L"\"" + GamePath() + L"\"";
            if (!arguments.empty()) commandLine += L" " + arguments;
            STARTUPINFOW startup{};
            startup.cb = sizeof startup;
            if (CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process))
                return true;
            startError = GetLastError();
            if (startError != ERROR_INTERNAL_ERROR) break;
        }
        return false;
    }
    DWORD startError = 0;  // why the last Start failed

    // Waits for the table: the visible top-level window of the process with its START button
    // (startCaption, in the table's language).
    bool FindTable(DWORD timeoutMs) {
        WaitForInputIdle(process.hProcess, timeoutMs);
        for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
            EnumWindows(ConsiderWindow, reinterpret_cast<LPARAM>(this));
            if (main != nullptr) return true;
            Sleep(20);
        }
        return false;
    }

    HWND Button(const wchar_t* caption) const { return FindWindowExW(main, nullptr, L"Button", caption); }
    static bool Enabled(HWND window) { return window != nullptr && IsWindowEnabled(window); }
    HWND CellAt(int x, int y) const { return ChildWindowFromPointEx(main, POINT{x, y}, CWP_ALL); }
    // A top-level window of the game with this title (a dialog box, a question).
    HWND Window(const wchar_t* title) const {
        HWND found = FindWindowW(nullptr, title);
        return Owns(found) && IsWindowVisible(found) ? found : nullptr;
    }
    bool Owns(HWND window) const {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return owner == process.dwProcessId;
    }
    // The window with the keyboard focus in the game's thread.
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(process.dwThreadId, &info) ? info.hwndFocus : nullptr;
    }

    // A click that returns once the game has handled it.
    static bool Click(HWND button) {
        DWORD_PTR result;
        return SendMessageTimeoutW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10), SMTO_NORMAL, 5000,
                                   &result) != 0 &&
               SendMessageTimeoutW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10), SMTO_NORMAL, 5000, &result) !=
                   0;
    }
    // A click that the game handles while the test goes on.
    static void PostClick(HWND button) {
        PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    }

    // A key pressed and released, with a modifier (0: none) held around it, as the
    // foreground window receives them.
    static void SendKey(WORD key, WORD modifier = 0) {
        INPUT strokes[4] = {};
        UINT count = 0;
        auto add = [&](WORD code, DWORD flags) {
            strokes[count].type = INPUT_KEYBOARD;
            strokes[count].ki.wVk = code;
            strokes[count++].ki.dwFlags = flags;
        };
        if (modifier != 0) add(modifier, 0);
        add(key, 0);
        add(key, KEYEVENTF_KEYUP);
        if (modifier != 0) add(modifier, KEYEVENTF_KEYUP);
        SendInput(count, strokes, sizeof(INPUT));
    }

    bool Ended(DWORD timeoutMs) const {
        return WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
    }
    // Waits for the process to end by itself; its exit code, or -1 while it still runs.
    long ExitCode(DWORD timeoutMs) const {
        DWORD code = 0;
        if (!Ended(timeoutMs) || !GetExitCodeProcess(process.hProcess, &code)) return -1;
        return static_cast<long>(code);
    }
    HANDLE Process() const { return process.hProcess; }

    void Freeze() const { SuspendThread(process.hThread); }
    void Kill() {
        if (process.hProcess == nullptr) return;
        TerminateProcess(process.hProcess, 9);
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        process = PROCESS_INFORMATION{};
        main = nullptr;
    }

    HWND main = nullptr;
    const wchar_t* startCaption = L"START";

private:
    // The build hands over a Unix path; Wine sees the Unix root as drive Z:.
    static std::wstring GamePath() {
        std::string path = ZANDRO_EXE;
        if (!path.empty() && path[0] == '/') path = "Z:" + path;
        std::replace(path.begin(), path.end(), '/', '\\');
        return std::wstring(path.begin(), path.end());
    }

    static BOOL CALLBACK ConsiderWindow(HWND window, LPARAM self) {
        auto* game = reinterpret_cast<GameProcess*>(self);
        if (!game->Owns(window) || !IsWindowVisible(window) ||
            FindWindowExW(window, nullptr, L"Button", game->startCaption) == nullptr)
            return TRUE;
        game->main = window;
        return FALSE;
    }

    PROCESS_INFORMATION process{};
};
