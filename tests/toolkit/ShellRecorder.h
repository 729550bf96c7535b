// Points the web and mail protocols of the test's own Wine prefix (or Windows user) at
// the recorder program, so that no test ever opens a real browser, and reads back what
// the shell handed to it.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace shelltest {

inline std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

inline bool SetValue(HKEY root, const std::wstring& keyPath, const wchar_t* name, const std::wstring& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG result = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

class ShellRecorder {
public:
    // `recorderExe` is the recorder's full path; by default it sits beside this program.
    explicit ShellRecorder(std::wstring recorderExe = ProgramFolder() + L"shell_recorder.exe")
        : recorder(std::move(recorderExe)) {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        logPath = std::wstring(temp) + L"zandro-shell-" + std::to_wstring(GetCurrentProcessId()) + L".log";
        DeleteFileW(logPath.c_str());
    }
    ~ShellRecorder() { DeleteFileW(logPath.c_str()); }

    // Registers the recorder for http, https and mailto. Windows looks the schemes up in
    // the user's classes first; Wine's shell reads only the machine's classes, which in the
    // test's private prefix may be changed. Wine's own URL handler is also told to use no
    // Unix browser or mailer, should anything still reach it.
    bool Install() const {
        const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
        const std::wstring command = L"\"" + recorder + L"\" \"" + logPath + L"\" \"%1\"";
        bool ok = true;
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            if (root == HKEY_LOCAL_MACHINE && !wine) continue;
            for (const wchar_t* scheme : {L"http", L"https", L"mailto"}) {
                const std::wstring key = std::wstring(L"Software\\Classes\\") + scheme;
                ok = SetValue(root, key, L"URL Protocol", L"") && ok;
                ok = SetValue(root, key + L"\\shell\\open\\command", nullptr, command) && ok;
            }
        }
        if (wine) {
            const std::wstring browser = L"Software\\Wine\\WineBrowser";
            ok = SetValue(HKEY_CURRENT_USER, browser, L"Browsers", L"zandro-no-browser") && ok;
            ok = SetValue(HKEY_CURRENT_USER, browser, L"Mailers", L"zandro-no-mailer") && ok;
        }
        return ok;
    }

    // The addresses recorded so far, one per opening.
    std::vector<std::string> Recorded() const {
        std::vector<std::string> lines;
        FILE* log = _wfopen(logPath.c_str(), L"rb");
        if (log == nullptr) return lines;
        std::string line;
        for (int c = fgetc(log); c != EOF; c = fgetc(log)) {
            if (c == '\n') {
                lines.push_back(line);
                line.clear();
            } else {
                line += static_cast<char>(c);
            }
        }
        fclose(log);
        return lines;
    }

    // Waits (the shell starts the handler as a separate process) until `count` addresses
    // have been recorded or `milliseconds` have passed, and returns what was recorded.
    std::vector<std::string> WaitFor(size_t count, DWORD milliseconds = 10000) const {
        DWORD start = GetTickCount();
        std::vector<std::string> lines = Recorded();
        while (lines.size() < count && GetTickCount() - start < milliseconds) {
            Sleep(50);
            lines = Recorded();
        }
        return lines;
    }

    void Clear() const { DeleteFileW(logPath.c_str()); }

    std::wstring recorder;
    std::wstring logPath;
};

}  // namespace shelltest
