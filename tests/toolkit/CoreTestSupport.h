// Shared by the core toolkit tests: a message pump, a plain native control element and a
// log that event functions write to.
#pragma once

#include "ElementWindowProc.h"
#include "Form.h"
#include "GUIElement.h"

#include <tlhelp32.h>

#include <cwchar>
#include <memory>
#include <string>
#include <vector>

namespace coretest {

using namespace NeloUtility;

// Dispatches whatever is queued, for at least `milliseconds`.
inline void Pump(DWORD milliseconds = 0) {
    DWORD start = GetTickCount();
    MSG message;
    do {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (milliseconds > 0) Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

// A native control of any system class, created and subclassed like the toolkit's own.
class NativeControl : public Child {
public:
    NativeControl(GUIElement* parentElement, const wchar_t* windowClassName, DWORD extraStyle = 0)
        : Child(parentElement), className(windowClassName), style(extraStyle) {
        kind = "native";
    }
    void Create() override {
        if (created) return;
        commandId = TakeNextControlId();
        window = CreateWindowExW(0, className.c_str(), text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y,
                                 width, height, parent->window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(commandId)), nullptr, nullptr);
        SubclassControl(*this);
        created = true;
        CreateTooltip(window);
    }
    std::wstring className;
    DWORD style;
};

// What the event functions saw, one line per event; elements are named by their text.
inline std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

inline void Note(GUIElement* element, const std::string& what) {
    Log().push_back(element->GetTextNarrow() + " " + what);
}

// Elements are deleted through their own class.
struct ElementDeleter {
    template <class T>
    void operator()(T* element) const {
        DeleteElement(element);
    }
};
template <class T>
using Owned = std::unique_ptr<T, ElementDeleter>;

// A window's title or text, up to 255 characters.
inline std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// The identifier of another running process of this program file, or 0.
inline DWORD FindOtherProcess(const std::wstring& exeName) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    DWORD found = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && found == 0;
         more = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, exeName.c_str()) == 0 && entry.th32ProcessID != GetCurrentProcessId())
            found = entry.th32ProcessID;
    CloseHandle(snapshot);
    return found;
}

// The identifier of a running process of this program file that `parent` started, or 0.
inline DWORD FindChildProcess(const std::wstring& exeName, DWORD parent) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    DWORD found = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && found == 0;
         more = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, exeName.c_str()) == 0 && entry.th32ParentProcessID == parent)
            found = entry.th32ProcessID;
    CloseHandle(snapshot);
    return found;
}

// Runs this program file with the command line inside a Wine virtual desktop of that size
// (named after it: each size is a desktop of its own) and answers the copy's exit code; -1
// when the desktop could not be started.
inline long RunInDesktop(const std::wstring& size, const std::wstring& programCommandLine) {
    wchar_t path[MAX_PATH] = {};
    if (GetModuleFileNameW(nullptr, path, MAX_PATH) == 0) return -1;
    std::wstring exe(path);
    exe = exe.substr(exe.find_last_of(L"\\/") + 1);
    std::wstring commandLine =
        L"explorer.exe /desktop=zandrotest" + size + L"," + size + L" " + programCommandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION explorer{};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &explorer))
        return -1;
    // The desktop starts the copy of this program; wait for that copy and take its result.
    DWORD copy = 0;
    for (int tries = 0; tries < 600 && copy == 0; ++tries) {
        copy = FindChildProcess(exe, explorer.dwProcessId);
        if (copy == 0) Sleep(50);
    }
    DWORD code = 1;
    if (HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, copy)) {
        WaitForSingleObject(process, INFINITE);
        GetExitCodeProcess(process, &code);
        CloseHandle(process);
    }
    WaitForSingleObject(explorer.hProcess, 10000);
    CloseHandle(explorer.hThread);
    CloseHandle(explorer.hProcess);
    return static_cast<long>(code);
}

inline bool InsideVirtualDesktop() {
    wchar_t flag[8];
    return GetEnvironmentVariableW(L"ZANDRO_IN_DESKTOP", flag, 8) > 0;
}

// Restarts the test program inside a Wine virtual desktop and exits with its result.
// Without a window manager, Wine waits about two seconds for every destroyed top-level
// window to be withdrawn, and activation does not follow the platform's rules; inside a
// desktop of its own neither is a problem. On Windows itself this does nothing.
inline int RunInsideVirtualDesktop(const wchar_t* size = L"1024x768") {
    if (InsideVirtualDesktop()) return 0;
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr) return 0;
    SetEnvironmentVariableW(L"ZANDRO_IN_DESKTOP", L"1");
    const long code = RunInDesktop(size, GetCommandLineW());
    if (code >= 0) ExitProcess(static_cast<UINT>(code));
    SetEnvironmentVariableW(L"ZANDRO_IN_DESKTOP", nullptr);
    return 0;  // run here, without the desktop
}

inline Owned<Form> MakeForm(const std::string& title) {
    Owned<Form> form(new Form(GetModuleHandleW(nullptr)));
    form->SetTextNarrow(title);
    form->MoveTo(50, 50);
    form->SetSize(300, 200);
    return form;
}

}  // namespace coretest
