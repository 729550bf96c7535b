// The release as a player gets it, under Wine in a prefix of its own: the programs'
// version and manifest read back from their files, the game started from the unpacked
// zip, and the installer and the uninstaller run silently.
#include "CoreTestSupport.h"
#include "SettingsStore.h"
#include "ZandroVersion.h"

#include <shlobj.h>
#include <shobjidl.h>
#include <winver.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#if !defined(ZANDRO_SETUP) || !defined(ZANDRO_UNPACKED)
#error "ZANDRO_SETUP and ZANDRO_UNPACKED must name the installer and the unpacked zip"
#endif

namespace {

const int relaunched = coretest::RunInsideVirtualDesktop();

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zandro++";
const std::wstring kVersion = L"" ZANDRO_VERSION;

// The build hands over Unix paths; Wine sees the Unix root as drive Z:.
std::wstring DosPath(const char* unixPath) {
    std::string path = unixPath;
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return std::wstring(path.begin(), path.end());
}
const std::wstring kSetup = DosPath(ZANDRO_SETUP);
const std::wstring kUnpacked = DosPath(ZANDRO_UNPACKED);

std::wstring Folder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}
std::wstring InstallDir() { return Folder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Zandro++"; }
std::wstring Shortcut() { return Folder(CSIDL_PROGRAMS) + L"\\Zandro++.lnk"; }
std::wstring Uninstaller() { return InstallDir() + L"\\uninstall.exe"; }

// True when nothing else has the file open: a program that is still mapped is not.
bool Writable(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}
bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Bytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
void Overwrite(const std::wstring& path, const std::string& bytes) {
    std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << bytes;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
        if (done()) return true;
        Sleep(100);
    }
    return done();
}

// Starts a command line: its process, or null.
HANDLE Launch(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}
// The exit code of a process that ends within the time, else -1.
long ExitCode(HANDLE process, DWORD timeoutMs) {
    DWORD code = static_cast<DWORD>(-1);
    if (process != nullptr && WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &code);
    return static_cast<long>(code);
}
long RunToEnd(const std::wstring& commandLine) {
    HANDLE process = Launch(commandLine);
    const long code = ExitCode(process, 120000);
    if (process != nullptr) CloseHandle(process);
    return code;
}
long RunSetup() { return RunToEnd(L"\"" + kSetup + L"\" /S"); }

bool KeyExists() {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}
// A value of the uninstall entry as text; numbers in decimal.
std::wstring UninstallValue(const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof value - sizeof(wchar_t), type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type, value,
                     &size) != ERROR_SUCCESS)
        return L"(missing)";
    return type == REG_DWORD ? std::to_wstring(*reinterpret_cast<DWORD*>(value)) : value;
}

std::wstring ShortcutTarget(const std::wstring& link) {
    wchar_t path[MAX_PATH] = {};
    IShellLinkW* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shellLink))))
        return path;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        if (SUCCEEDED(file->Load(link.c_str(), STGM_READ))) shellLink->GetPath(path, MAX_PATH, nullptr, 0);
        file->Release();
    }
    shellLink->Release();
    return path;
}

using coretest::WindowText;

// One run of the game, seen from outside as a player sees it.
class Game {
public:
    explicit Game(const std::wstring& exe) : process(Launch(L"\"" + exe + L"\"")) {}
    ~Game() {
        if (process == nullptr) return;
        TerminateProcess(process, 9);  // fails harmlessly when the game has ended
        WaitForSingleObject(process, 10000);
        CloseHandle(process);
    }

    // The table: the process's top-level window with the START button.
    HWND Table() const {
        return TopLevel([](HWND w) { return FindWindowExW(w, nullptr, L"Button", L"START") != nullptr; });
    }
    HWND TopLevelTitled(const std::wstring& title) const {
        return TopLevel([&](HWND w) { return WindowText(w) == title; });
    }
    HWND WaitFor(const std::function<HWND()>& find) const {
        HWND found = nullptr;
        WaitUntil([&] { return (found = find()) != nullptr; }, 15000);
        return found;
    }

    // The title line of the about box that INFO opens; the box is closed again.
    std::wstring AboutTitle() const {
        HWND info = FindWindowExW(Table(), nullptr, L"Button", L"INFO");
        PostMessageW(info, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        PostMessageW(info, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
        HWND box = WaitFor([&] { return TopLevelTitled(L"Info..."); });
        if (box == nullptr) return L"(no about box)";
        // The title line is the label at the top of the text column, right of the logo.
        std::wstring title = WindowText(ChildWindowFromPointEx(box, POINT{220, 20}, CWP_SKIPINVISIBLE));
        PostMessageW(box, WM_CLOSE, 0, 0);
        WaitUntil([&] { return !IsWindow(box); }, 10000);
        return title;
    }

    // Closes the table the player's way, answering Yes to the exit question; the exit code.
    long Close() {
        PostMessageW(Table(), WM_CLOSE, 0, 0);
        HWND question = WaitFor([&] { return TopLevelTitled(L"Exit"); });
        if (question == nullptr) return -1;
        PostMessageW(question, WM_COMMAND, IDYES, 0);
        return ExitCode(process, 15000);
    }

    HANDLE process;

private:
    HWND TopLevel(const std::function<bool(HWND)>& test) const {
        struct Search {
            DWORD id;
            const std::function<bool(HWND)>& test;
            HWND found;
        } search{GetProcessId(process), test, nullptr};
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner != s->id || !IsWindowVisible(window) || !s->test(window)) return TRUE;
                s->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
};

// Starts the game, checks that its table comes up and closes it; the exit code.
long PlayBriefly(const std::wstring& exe) {
    Game game(exe);
    EXPECT_NE(game.WaitFor([&] { return game.Table(); }), nullptr) << "no table";
    return game.Close();
}

// ---- the programs' own description ----------------------------------------------------

std::wstring VersionString(const std::vector<char>& info, const std::wstring& name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\040904b0\\" + name;
    if (!VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) ||
        value == nullptr)
        return L"(missing)";
    return value;
}

std::string Manifest(const std::wstring& exe) {
    HMODULE module =
        LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) return {};
    std::string text;
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST))
        if (HGLOBAL loaded = LoadResource(module, found))
            text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
    FreeLibrary(module);
    return text;
}

TEST(ReleasePrograms, CarryTheVersionAndManifestThatWindowsShows) {
    struct Case {
        const wchar_t* file;
        const wchar_t* description;
    };
    const Case cases[] = {{L"Zandro.exe", L"Zandro++, 7.5 against the dealer"},
                          {L"zandro-odds.exe", L"Zandro++ odds: best play of a round"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file, c.file + wcslen(c.file)));
        const std::wstring exe = kUnpacked + L"\\" + c.file;
        DWORD ignored = 0;
        std::vector<char> info(GetFileVersionInfoSizeW(exe.c_str(), &ignored));
        ASSERT_FALSE(info.empty()) << "no version resource";
        ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        const DWORD expected = MAKELONG(ZANDRO_VERSION_MINOR, ZANDRO_VERSION_MAJOR);
        EXPECT_EQ(fixed->dwFileVersionMS, expected);
        EXPECT_EQ(fixed->dwProductVersionMS, expected);

        const std::wstring name(c.file);
        const std::pair<const wchar_t*, std::wstring> strings[] = {
            {L"ProductName", L"Zandro++"},
            {L"ProductVersion", kVersion},
            {L"FileVersion", kVersion},
            {L"FileDescription", c.description},
            {L"LegalCopyright", L"Copyright (C) 2026 the Zandro++ developers"},
            {L"OriginalFilename", name},
            {L"InternalName", name.substr(0, name.size() - 4)},
        };
        for (const auto& [key, value] : strings) EXPECT_EQ(VersionString(info, key), value) << key;

        // Runs as the player; known on Windows 7, 8, 8.1 and 10/11; the classic controls
        // kept (no common-controls entry); drawn at each screen's own scale.
        const std::string manifest = Manifest(exe);
        ASSERT_FALSE(manifest.empty()) << "no manifest";
        for (const char* present :
             {"level=\"asInvoker\"", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
              "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
              "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", ">true/pm</dpiAware>",
              ">PerMonitorV2, PerMonitor</dpiAwareness>"})
            EXPECT_NE(manifest.find(present), std::string::npos) << present;
        EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
    }
}

TEST(ReleaseZip, GameRunsUnpackedAndItsAboutBoxShowsTheVersion) {
    Game game(kUnpacked + L"\\Zandro.exe");
    ASSERT_NE(game.WaitFor([&] { return game.Table(); }), nullptr);
    EXPECT_EQ(game.AboutTitle(), L"Zandro++ " + kVersion);
    EXPECT_EQ(game.Close(), 0);
}

// ---- installed and removed ------------------------------------------------------------

// Every test starts from a fresh silent install and leaves nothing installed.
class Installed : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        ASSERT_EQ(RunSetup(), 0);
    }
    void TearDown() override {
        if (Exists(Uninstaller())) Uninstall();
        CoUninitialize();
    }
    // The silent uninstaller hands over to a copy of itself and returns at once: wait
    // for that copy to finish its work.
    static bool Uninstall() {
        return RunToEnd(L"\"" + Uninstaller() + L"\" /S") == 0 &&
               WaitUntil([] { return !Exists(InstallDir()) && !KeyExists(); }, 30000);
    }
};

const wchar_t* const kInstalledFiles[] = {L"Zandro.exe", L"zandro-odds.exe", L"README.txt"};

TEST_F(Installed, FilesShortcutAndUninstallEntryAreInPlace) {
    long kib = 0;
    for (const wchar_t* file : kInstalledFiles) {
        const std::string installed = Bytes(InstallDir() + L"\\" + file);
        EXPECT_TRUE(installed == Bytes(kUnpacked + L"\\" + file)) << "installed file differs from the zip's";
        kib += static_cast<long>(installed.size() / 1024);
    }
    EXPECT_TRUE(Exists(Uninstaller()));
    const std::wstring game = InstallDir() + L"\\Zandro.exe";
    EXPECT_EQ(ShortcutTarget(Shortcut()), game);

    const std::pair<const wchar_t*, std::wstring> values[] = {
        {L"DisplayName", L"Zandro++"},
        {L"DisplayVersion", kVersion},
        {L"Publisher", L"the Zandro++ developers"},
        {L"DisplayIcon", game + L",0"},
        {L"InstallLocation", InstallDir()},
        {L"UninstallString", L"\"" + Uninstaller() + L"\""},
        {L"QuietUninstallString", L"\"" + Uninstaller() + L"\" /S"},
        {L"NoModify", L"1"},
        {L"NoRepair", L"1"},
    };
    for (const auto& [name, value] : values) EXPECT_EQ(UninstallValue(name), value) << name;
    const long estimated = std::wcstol(UninstallValue(L"EstimatedSize").c_str(), nullptr, 10);
    EXPECT_TRUE(estimated >= kib && estimated <= kib + 8)
        << estimated << " KiB for " << kib << " KiB of files";

    EXPECT_EQ(PlayBriefly(ShortcutTarget(Shortcut())), 0) << "started as the Start menu does";
}

TEST_F(Installed, UninstallRemovesWhatItInstalledAndKeepsTheScore) {
    NeloUtility::WriteSetting("Zandro", "Dati", "Score", "61500");
    ASSERT_TRUE(Uninstall()) << "the folder or the uninstall entry is still there";
    for (const wchar_t* file : kInstalledFiles) EXPECT_FALSE(Exists(InstallDir() + L"\\" + file));
    EXPECT_FALSE(Exists(Shortcut()));
    EXPECT_EQ(NeloUtility::ReadSetting("Zandro", "Dati", "Score"), "61500") << "the score is the player's";
}

TEST_F(Installed, InstallingAgainReplacesTheProgramInPlace) {
    const std::wstring game = InstallDir() + L"\\Zandro.exe";
    Overwrite(game, "damaged");
    ASSERT_EQ(RunSetup(), 0);
    EXPECT_TRUE(Bytes(game) == Bytes(kUnpacked + L"\\Zandro.exe"));
    EXPECT_EQ(UninstallValue(L"InstallLocation"), InstallDir());
    EXPECT_EQ(PlayBriefly(game), 0);
}

// Neither the installer nor the uninstaller touches a game that is running, whether it
// is found by the mutex the table holds or by its window; both end with code 2.
TEST_F(Installed, RunningGameIsNeitherReplacedNorRemoved) {
    const std::wstring readme = InstallDir() + L"\\README.txt";
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i == 0 ? "the table's mutex held" : "the table's window open");
        Overwrite(readme, "the player's notes");
        HANDLE mutex = nullptr;
        std::unique_ptr<Game> game;
        if (i == 0) {
            mutex = CreateMutexW(nullptr, TRUE, L"Local\\Zandro++.Table");
            ASSERT_NE(mutex, nullptr);
        } else {
            game.reset(new Game(InstallDir() + L"\\Zandro.exe"));
            ASSERT_NE(game->WaitFor([&] { return game->Table(); }), nullptr);
        }

        EXPECT_EQ(RunSetup(), 2);
        // Run in place (_?=), the uninstaller reports its own exit code.
        EXPECT_EQ(RunToEnd(L"\"" + Uninstaller() + L"\" /S _?=" + InstallDir()), 2);
        EXPECT_EQ(Bytes(readme), "the player's notes") << "nothing replaced";
        EXPECT_TRUE(Exists(Uninstaller()) && KeyExists()) << "nothing removed";

        if (game) {
            EXPECT_EQ(game->Close(), 0);
        }
        if (mutex) CloseHandle(mutex);
        // The system may hold a program's file a moment after its process has ended.
        const std::wstring program = InstallDir() + L"\\Zandro.exe";
        EXPECT_TRUE(WaitUntil([&] { return Writable(program); }, 10000));
        ASSERT_EQ(RunSetup(), 0) << "the game gone, the installer goes on";
        EXPECT_NE(Bytes(readme), "the player's notes");
    }
}

// A program file that cannot be written (held by a process of another user, say) stops
// the installer at that file: it never goes on to leave a half-replaced game.
TEST_F(Installed, FileThatCannotBeWrittenStopsTheInstaller) {
    const std::wstring readme = InstallDir() + L"\\README.txt";
    Overwrite(readme, "the player's notes");
    HANDLE held = CreateFileW((InstallDir() + L"\\Zandro.exe").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(RunSetup(), 2);
    EXPECT_EQ(Bytes(readme), "the player's notes") << "nothing after the held file";
    CloseHandle(held);
}

}  // namespace
