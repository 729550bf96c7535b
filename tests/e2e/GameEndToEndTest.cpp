// The built game as a player meets it: the real Zandro.exe in a process of its own,
// driven from the outside with the real mouse (SendInput at the buttons' places on the
// screen), its score read from the registry, the screen captured, and the program closed
// through its own exit question.
#include "GUIElement.h"
#include "SettingsStore.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// No Wine virtual desktop here: inside one, presses injected from another process were
// often lost (the button never even took the focus), while on the bare X display every
// top-level window is an X window of its own and the game takes the foreground and its
// clicks reliably.

const COLORREF kTableGreen = RGB(0, 128, 0);
const COLORREF kStartRed = RGB(255, 0, 0);

std::wstring WindowsPath(const char* path) {
    std::wstring wide(path, path + std::char_traits<char>::length(path));
    for (wchar_t& c : wide)
        if (c == L'/') c = L'\\';
    return wide;
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

std::wstring TextOf(HWND window) {
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, 256);
    return buffer;
}

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

struct Search {
    DWORD process;
    HWND found;
};

// The visible top-level window with a title that belongs to the process.
HWND MainWindowOf(DWORD process) {
    Search search{process, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (ProcessOf(window) == s->process && IsWindowVisible(window) &&
                GetWindowTextLengthW(window) > 0) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The exit question of that process, found as any other program would: a dialog window
// captioned "Exit".
HWND ExitQuestionOf(DWORD process) {
    HWND box = FindWindowW(L"#32770", L"Exit");
    return box != nullptr && ProcessOf(box) == process ? box : nullptr;
}

bool HasChildWithText(HWND parent, const std::wstring& text) {
    std::pair<const std::wstring*, bool> search{&text, false};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<std::pair<const std::wstring*, bool>*>(data);
            if (TextOf(child) == *s->first) s->second = true;
            return !s->second;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

POINT CentreOnScreen(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A left click of the real mouse at a point of the screen: moved there, pressed and
// released, in absolute coordinates of the primary screen.
void MouseClickAt(POINT at) {
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    INPUT input[3] = {};
    for (INPUT& i : input) {
        i.type = INPUT_MOUSE;
        i.mi.dx = MulDiv(at.x, 65535, screenWidth - 1);
        i.mi.dy = MulDiv(at.y, 65535, screenHeight - 1);
        i.mi.dwFlags = MOUSEEVENTF_ABSOLUTE;
    }
    input[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
    input[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(3, input, sizeof(INPUT));
    Sleep(50);
}

// The whole screen as a 24-bit bottom-up BMP file; false when any step fails.
bool SaveScreenshot(const std::wstring& path, std::vector<BYTE>& pixels, int& width, int& height) {
    width = GetSystemMetrics(SM_CXSCREEN);
    height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    bool copied = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != FALSE;
    SelectObject(memory, old);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    pixels.assign(static_cast<size_t>(stride) * height, 0);
    bool read = copied && GetDIBits(memory, bitmap, 0, height, pixels.data(),
                                    reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == height;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!read) return false;

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) return false;
    bool written = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&info, sizeof info, 1, out) == 1 &&
                   fwrite(pixels.data(), pixels.size(), 1, out) == 1;
    return fclose(out) == 0 && written;
}

COLORREF PixelOf(const std::vector<BYTE>& pixels, int width, int height, POINT at) {
    const int stride = (width * 3 + 3) & ~3;
    const BYTE* p = &pixels[static_cast<size_t>(height - 1 - at.y) * stride + static_cast<size_t>(at.x) * 3];
    return RGB(p[2], p[1], p[0]);
}

std::string StoredScore() { return NeloUtility::ReadSetting("Zandro", "Dati", "Score"); }

class Game : public ::testing::Test {
protected:
    void SetUp() override {
        NeloUtility::WriteSetting("Zandro", "Dati", "Score", "10000");
        ASSERT_EQ("10000", StoredScore());
        std::wstring commandLine = L"\"" + WindowsPath(ZANDRO_GAME_EXE) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &game))
            << "cannot start " << ZANDRO_GAME_EXE;
        WaitForInputIdle(game.hProcess, 20000);
        ASSERT_TRUE(WaitFor([&] { return (window = MainWindowOf(game.dwProcessId)) != nullptr; }, 20000));
        startButton = FindWindowExW(window, nullptr, nullptr, L"START");
        getCardButton = FindWindowExW(window, nullptr, nullptr, L"GET CARD");
        ASSERT_NE(nullptr, startButton);
        ASSERT_NE(nullptr, getCardButton);
        SetForegroundWindow(window);
        ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == window; }, 5000))
            << "the game's window never came to the foreground";
    }

    void TearDown() override {
        if (game.hProcess == nullptr) return;
        if (WaitForSingleObject(game.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(game.hProcess, 99);  // a failed test leaves no game behind
            WaitForSingleObject(game.hProcess, 5000);
        }
        CloseHandle(game.hThread);
        CloseHandle(game.hProcess);
    }

    // Clicks the button where it shows on the screen, and fails unless the pointer is
    // over that very button.
    void Click(HWND button) {
        POINT at = CentreOnScreen(button);
        // A window of an earlier program may still be going away: bring the game up
        // again for a while before calling the button covered.
        bool uncovered = WaitFor(
            [&] {
                if (WindowFromPoint(at) == button) return true;
                SetForegroundWindow(window);
                BringWindowToTop(window);
                return false;
            },
            5000);
        wchar_t cover[64] = L"";
        GetClassNameW(WindowFromPoint(at), cover, 64);
        ASSERT_TRUE(uncovered) << "something covers the button: a window of class "
                               << NeloUtility::Narrow(cover);
        MouseClickAt(at);
    }

    // Where the pointer is and what the game's thread has in hand, for a click that
    // did not take.
    std::string Where(HWND button) {
        POINT cursor{}, centre = CentreOnScreen(button);
        GetCursorPos(&cursor);
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        GetGUIThreadInfo(game.dwThreadId, &thread);
        char text[200];
        snprintf(text, sizeof text, "; pointer at %ld,%ld, button centre %ld,%ld, focus on the button: %s",
                 cursor.x, cursor.y, centre.x, centre.y, thread.hwndFocus == button ? "yes" : "no");
        return text;
    }
    std::wstring StartCaption() { return TextOf(startButton); }

    // The text of the cell at this point of the table.
    std::wstring CellTextAt(int x, int y) {
        HWND cell = ChildWindowFromPointEx(window, POINT{x, y}, CWP_SKIPINVISIBLE);
        return cell != nullptr && cell != window ? TextOf(cell) : L"";
    }
    std::wstring RemainingCards() { return CellTextAt(585, 280); }

    // Asks the game to close and answers its question; true when the question came.
    bool CloseAnswering(WPARAM answer) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        HWND box = nullptr;
        if (!WaitFor([&] { return (box = ExitQuestionOf(game.dwProcessId)) != nullptr; }, 10000))
            return false;
        // The box is found as soon as it exists; its text may come a moment later.
        EXPECT_TRUE(WaitFor([&] { return HasChildWithText(box, L"Do you really want to go exit?"); }, 5000));
        DWORD_PTR ignored;
        SendMessageTimeoutW(box, WM_COMMAND, answer, 0, SMTO_NORMAL, 5000, &ignored);
        return WaitFor([&] { return ExitQuestionOf(game.dwProcessId) == nullptr; }, 10000);
    }

    bool Ended(DWORD timeoutMs, DWORD& exitCode) {
        if (WaitForSingleObject(game.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
        return GetExitCodeProcess(game.hProcess, &exitCode) != FALSE;
    }

    PROCESS_INFORMATION game{};
    HWND window = nullptr;
    HWND startButton = nullptr;
    HWND getCardButton = nullptr;
};

TEST_F(Game, PlayerStartsDrawsAndCancelsWithTheMouse) {
    EXPECT_EQ(L"Zandro++ (C) 2026 the Zandro++ developers", TextOf(window)) << "the title";
    Click(startButton);
    ASSERT_TRUE(WaitFor([&] { return StartCaption() == L"CANCEL"; }, 5000))
        << "START was not pressed" << Where(startButton);
    EXPECT_EQ(L"38", RemainingCards());  // a fresh deck less one card each
    ASSERT_TRUE(IsWindowEnabled(getCardButton));

    Click(getCardButton);
    ASSERT_TRUE(WaitFor([&] { return RemainingCards() == L"37"; }, 5000))
        << "GET CARD was not pressed" << Where(getCardButton);

    // A bust ends the round at once with the whole stake lost; otherwise the round goes
    // on and CANCEL gives up half of it.
    std::string expected = "9750";
    if (StartCaption() == L"START") {
        EXPECT_EQ("9500", StoredScore()) << "the player bust";
        Click(startButton);
        ASSERT_TRUE(WaitFor([&] { return StartCaption() == L"CANCEL"; }, 5000));
        expected = "9250";
    }
    ASSERT_EQ(L"CANCEL", StartCaption());

    // What the player sees mid-round: the table's felt and the red CANCEL button.
    std::vector<BYTE> pixels;
    int width = 0, height = 0;
    ASSERT_TRUE(SaveScreenshot(WindowsPath(ZANDRO_SCREENSHOT), pixels, width, height));
    POINT felt{300, 225};
    ClientToScreen(window, &felt);
    EXPECT_EQ(kTableGreen, PixelOf(pixels, width, height, felt));
    RECT cancel;
    GetWindowRect(startButton, &cancel);
    EXPECT_EQ(kStartRed, PixelOf(pixels, width, height, POINT{cancel.left + 4, cancel.top + 4}));

    Click(startButton);
    ASSERT_TRUE(WaitFor([&] { return StartCaption() == L"START"; }, 5000)) << "CANCEL was not pressed";
    EXPECT_EQ(expected, StoredScore());
    EXPECT_FALSE(IsWindowEnabled(getCardButton));

    ASSERT_TRUE(CloseAnswering(IDYES));
    DWORD exitCode = 1;
    ASSERT_TRUE(Ended(10000, exitCode)) << "the game still runs after Yes";
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(expected, StoredScore());  // closing when idle costs nothing
}

TEST_F(Game, OnlyYesEndsTheGameAndLeavingARoundCostsHalfTheStake) {
    Click(startButton);
    ASSERT_TRUE(WaitFor([&] { return StartCaption() == L"CANCEL"; }, 5000));

    ASSERT_TRUE(CloseAnswering(IDNO));
    DWORD exitCode = 1;
    EXPECT_FALSE(Ended(500, exitCode)) << "No ended the game";
    EXPECT_EQ("10000", StoredScore());
    EXPECT_EQ(L"CANCEL", StartCaption());  // the round goes on

    ASSERT_TRUE(CloseAnswering(IDYES));
    ASSERT_TRUE(Ended(10000, exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ("9750", StoredScore());
}

}  // namespace
